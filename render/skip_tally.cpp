#include "render/skip_tally.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "metafile/record_names.h"

namespace vellum {

uint32_t SkipTally::total() const {
  uint32_t sum = 0;
  for (uint32_t n : count_) sum += n;
  return sum;
}

std::string SkipTally::summary() const {
  std::vector<int> types;
  for (int type = 0; type < 256; ++type)
    if (count_[type]) types.push_back(type);
  std::stable_sort(types.begin(), types.end(), [this](int a, int b) { return count_[a] > count_[b]; });
  std::string text;
  for (int type : types) {
    const char* name = record_type_name(uint8_t(type));
    if (std::strncmp(name, "U_WMR_", 6) == 0) name += 6;
    if (!text.empty()) text += ", ";
    text += std::to_string(count_[type]) + " " + name;
  }
  return text;
}

}  // namespace vellum
