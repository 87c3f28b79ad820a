// Section descriptors (PlcfSed + SEPX): where each section ends and the
// margins and break kind it asks for.
#pragma once

#include <vector>

#include "byte_span.h"
#include "document_model.h"

namespace quire {

// Reads the sections; a missing or damaged table gives one default section
// covering the whole text.
std::vector<SectionFormat> parse_sections(ByteSpan plcf_sed, ByteSpan word);

}  // namespace quire
