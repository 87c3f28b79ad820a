#include "properties.h"

#include <algorithm>

#include "sprm.h"

namespace quire {
namespace {

// Colours of the 16-entry Ico palette, index 0 standing for "automatic".
constexpr uint32_t ICO_COLOURS[17] = {
    0x000000, 0x000000, 0x0000FF, 0x00FFFF, 0x00FF00, 0xFF00FF, 0xFF0000, 0xFFFF00, 0xFFFFFF,
    0x000080, 0x008080, 0x008000, 0x800080, 0x800000, 0x808000, 0x808080, 0xC0C0C0};

constexpr uint16_t MAX_HALF_POINTS = 3276;  // 1638 pt, the largest size Word offers
constexpr uint16_t MIN_HALF_POINTS = 2;
constexpr int MAX_CELLS = 63;

int16_t s16(ByteSpan operand) { return static_cast<int16_t>(operand.u16_at(0)); }

}  // namespace

void apply_char_sprm(CharProps& props, const CharProps& style, uint16_t sprm, ByteSpan operand) {
  switch (sprm) {
    case 0x0835: props.bold = toggle_value(operand.data[0], style.bold); break;
    case 0x0836: props.italic = toggle_value(operand.data[0], style.italic); break;
    case 0x0837: props.strike = toggle_value(operand.data[0], style.strike); break;
    case 0x0800: props.deleted = toggle_value(operand.data[0], style.deleted); break;
    case 0x083C: props.hidden = toggle_value(operand.data[0], style.hidden); break;
    case 0x2A3E: props.underline = operand.data[0] != 0; break;
    case 0x4A43:
      props.half_points = std::clamp<uint16_t>(operand.u16_at(0), MIN_HALF_POINTS, MAX_HALF_POINTS);
      break;
    case 0x2A42: {
      const uint8_t ico = operand.data[0];
      props.auto_colour = ico == 0 || ico > 16;
      props.colour = props.auto_colour ? 0 : ICO_COLOURS[ico];
      break;
    }
    case 0x6870:  // COLORREF: red, green, blue, then 0xFF for "automatic"
      props.auto_colour = operand.data[3] == 0xFF;
      props.colour = props.auto_colour
                         ? 0
                         : uint32_t{operand.data[0]} << 16 | uint32_t{operand.data[1]} << 8 | operand.data[2];
      break;
    case 0x4A4F: props.font = operand.u16_at(0); break;
    case 0x486D:
    case 0x4873: props.language = operand.u16_at(0); break;
    default: break;
  }
}

void apply_char_grpprl(CharProps& props, const CharProps& style, ByteSpan grpprl) {
  for_each_sprm(grpprl, [&](uint16_t sprm, ByteSpan operand) {
    if (sprm_group(sprm) == SPRM_CHARACTER) apply_char_sprm(props, style, sprm, operand);
  });
}

int char_style_of(ByteSpan grpprl) {
  int style = -1;
  for_each_sprm(grpprl, [&](uint16_t sprm, ByteSpan operand) {
    if (sprm == 0x4A30) style = operand.u16_at(0);
  });
  return style;
}

void apply_para_sprm(ParaProps& props, uint16_t sprm, ByteSpan operand) {
  switch (sprm) {
    case 0x4600: props.style = operand.u16_at(0); break;
    case 0x2403:
    case 0x2461:
      props.alignment = operand.data[0] <= 3 ? static_cast<Alignment>(operand.data[0]) : Alignment::LEFT;
      break;
    case 0x840F: case 0x845E: props.left_indent = s16(operand); break;
    case 0x840E: case 0x845D: props.right_indent = s16(operand); break;
    case 0x8411: case 0x8460: props.first_indent = s16(operand); break;
    case 0xA413: props.space_before = operand.u16_at(0); break;
    case 0xA414: props.space_after = operand.u16_at(0); break;
    case 0x6412:
      props.line_spacing = s16(operand);
      props.line_multiple = operand.u16_at(2) != 0;
      break;
    case 0x2416: props.in_table = operand.data[0] != 0; break;
    case 0x2417: props.row_end = operand.data[0] != 0; break;
    case 0x6649: props.in_table = props.in_table || static_cast<int32_t>(operand.u32_at(0)) > 0; break;
    case 0x2407: props.page_break_before = operand.data[0] != 0; break;
    case 0xD608: {  // table definition: column count, then count + 1 cell edges
      if (operand.size < 1) break;
      const int count = std::min<int>(operand.data[0], MAX_CELLS);
      if (!operand.contains(1, 2u * (count + 1))) break;
      props.cell_edges.resize(count + 1);
      for (int i = 0; i <= count; ++i) props.cell_edges[i] = static_cast<int16_t>(operand.u16_at(1 + 2 * i));
      break;
    }
    default: break;
  }
}

void apply_para_grpprl(ParaProps& props, ByteSpan grpprl) {
  for_each_sprm(grpprl, [&](uint16_t sprm, ByteSpan operand) {
    const unsigned group = sprm_group(sprm);
    if (group == SPRM_PARAGRAPH || group == SPRM_TABLE) apply_para_sprm(props, sprm, operand);
  });
}

}  // namespace quire
