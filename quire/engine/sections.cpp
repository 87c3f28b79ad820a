#include "sections.h"

#include <cstdlib>

#include "sprm.h"

namespace quire {
namespace {

constexpr size_t SED_SIZE = 12;
constexpr size_t MAX_SECTIONS = 0x10000;

void apply_section_grpprl(SectionFormat& section, ByteSpan grpprl) {
  for_each_sprm(grpprl, [&](uint16_t sprm, ByteSpan operand) {
    switch (sprm) {
      case 0xB021: section.left = operand.u16_at(0); break;
      case 0xB022: section.right = operand.u16_at(0); break;
      // A negative top or bottom margin is an exact one; its size still counts.
      case 0x9023: section.top = std::abs(static_cast<int16_t>(operand.u16_at(0))); break;
      case 0x9024: section.bottom = std::abs(static_cast<int16_t>(operand.u16_at(0))); break;
      case 0x3009: section.break_kind = operand.data[0]; break;
      case 0xB01F: section.page_width = operand.u16_at(0); break;
      case 0xB020: section.page_height = operand.u16_at(0); break;
      case 0x301D: section.landscape = operand.data[0] == 2; break;
      case 0xB017: section.header_distance = operand.u16_at(0); break;
      case 0xB018: section.footer_distance = operand.u16_at(0); break;
      case 0x300A: section.title_page = operand.data[0] != 0; break;
      case 0x3011: section.restart_numbers = operand.data[0] != 0; break;
      case 0x501C: section.first_number = operand.u16_at(0); break;
      case 0x300E: section.page_number_format = operand.data[0]; break;
      default: break;
    }
  });
}

}  // namespace

std::vector<SectionFormat> parse_sections(ByteSpan plc, ByteSpan word) {
  std::vector<SectionFormat> sections;
  if (plc.size >= 4 && (plc.size - 4) % (4 + SED_SIZE) == 0) {
    const size_t count = (plc.size - 4) / (4 + SED_SIZE);
    for (size_t i = 0; i < count && i < MAX_SECTIONS; ++i) {
      SectionFormat section;
      section.cp_end = plc.u32_at(4 * (i + 1));
      if (!sections.empty() && section.cp_end <= sections.back().cp_end) break;
      const int32_t fc_sepx = static_cast<int32_t>(plc.u32_at(4 * (count + 1) + SED_SIZE * i + 2));
      uint16_t size = 0;
      if (fc_sepx >= 0 && word.read_u16(static_cast<uint32_t>(fc_sepx), size))
        apply_section_grpprl(section, word.slice(uint64_t(fc_sepx) + 2, size));
      sections.push_back(section);
    }
  }
  if (sections.empty()) sections.push_back({UINT32_MAX});
  sections.back().cp_end = UINT32_MAX;  // the last section runs to the end of the text
  return sections;
}

}  // namespace quire
