// Which pages to export: "--pages 1-3,7,10-" read into ranges first, and
// turned into page numbers once the document's page count is known.
#pragma once

#include <string>
#include <vector>

namespace quire_export {

// Pages first..last, counted from 1; last 0 means "to the end".
struct PageRange {
  int first = 1, last = 0;
};

// Reads a comma-separated list of N, N-M and N- items. False, with the
// reason, when an item is not such a range or counts backwards.
bool parse_page_ranges(const std::string& text, std::vector<PageRange>* ranges, std::string* reason);

// The pages the ranges name, in the order given; every page of the
// document when there are no ranges. False, with the reason, when a range
// names a page beyond `page_count`.
bool select_pages(const std::vector<PageRange>& ranges, int page_count, std::vector<int>* pages,
                  std::string* reason);

}  // namespace quire_export
