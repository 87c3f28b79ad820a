#include "page_selection.h"

#include <climits>

namespace quire_export {
namespace {

// A page number: decimal digits only, 1 to INT_MAX. Advances *at past it.
bool read_number(const std::string& text, size_t* at, int* value) {
  const size_t start = *at;
  long long number = 0;
  while (*at < text.size() && text[*at] >= '0' && text[*at] <= '9') {
    number = number * 10 + (text[*at] - '0');
    if (number > INT_MAX) return false;
    ++*at;
  }
  *value = int(number);
  return *at > start && number >= 1;
}

bool parse_one(const std::string& item, PageRange* range) {
  size_t at = 0;
  if (!read_number(item, &at, &range->first)) return false;
  range->last = range->first;
  if (at == item.size()) return true;
  if (item[at++] != '-') return false;
  if (at == item.size()) {
    range->last = 0;
    return true;
  }
  return read_number(item, &at, &range->last) && at == item.size() && range->last >= range->first;
}

}  // namespace

bool parse_page_ranges(const std::string& text, std::vector<PageRange>* ranges, std::string* reason) {
  ranges->clear();
  size_t start = 0;
  for (;;) {
    const size_t comma = text.find(',', start);
    const std::string item = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    PageRange range;
    if (!parse_one(item, &range)) {
      *reason = "\"" + item + "\" is not a page or a range of pages (such as 3, 1-4 or 5-)";
      return false;
    }
    ranges->push_back(range);
    if (comma == std::string::npos) return true;
    start = comma + 1;
  }
}

bool select_pages(const std::vector<PageRange>& ranges, int page_count, std::vector<int>* pages,
                  std::string* reason) {
  pages->clear();
  if (ranges.empty()) {
    for (int page = 1; page <= page_count; ++page) pages->push_back(page);
    return true;
  }
  for (const PageRange& range : ranges) {
    const int last = range.last == 0 ? page_count : range.last;
    const int beyond = range.first > page_count ? range.first : last;
    if (beyond > page_count) {
      *reason = "page " + std::to_string(beyond) + " does not exist: the document has " + std::to_string(page_count) +
                (page_count == 1 ? " page" : " pages");
      return false;
    }
    for (int page = range.first; page <= last; ++page) pages->push_back(page);
  }
  return true;
}

}  // namespace quire_export
