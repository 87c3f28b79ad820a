// The document's summary properties from the two property-set streams
// ("\005SummaryInformation" and "\005DocumentSummaryInformation"), read
// with the bounded reader: title, subject, author and application name
// from the first, company from the second, as UTF-8.
#pragma once

#include <string>

#include "byte_span.h"

namespace quire {

struct DocumentProperties {
  std::string title, subject, author, company, app_name;
};

// Fills what the streams hold; a missing or damaged stream, set or
// property leaves its texts empty.
void read_summary_information(ByteSpan stream, DocumentProperties& out);
void read_document_summary_information(ByteSpan stream, DocumentProperties& out);

}  // namespace quire
