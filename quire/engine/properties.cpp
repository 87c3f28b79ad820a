#include "properties.h"

#include <algorithm>
#include <cstdlib>

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

uint32_t ico_colour(uint8_t ico) { return ico <= 16 ? ICO_COLOURS[ico] : 0; }

uint32_t colorref(ByteSpan bytes, size_t at) {
  return uint32_t{bytes.data[at]} << 16 | uint32_t{bytes.data[at + 1]} << 8 | bytes.data[at + 2];
}

// BRC80 (4 bytes: width, type, ico, space) and BRC (8 bytes: COLORREF, width, type, space).
BorderLine border80(ByteSpan operand) {
  BorderLine line;
  if (!operand.contains(0, 4) || operand.data[1] == 0 || operand.data[1] == 0xFF) return line;
  line.width = operand.data[0] ? operand.data[0] : 2;
  line.style = operand.data[1];
  line.colour = ico_colour(operand.data[2]);
  line.space = operand.data[3] & 0x1F;
  return line;
}
BorderLine border97(ByteSpan operand) {
  BorderLine line;
  if (!operand.contains(0, 8) || operand.data[5] == 0 || operand.data[5] == 0xFF) return line;
  line.width = operand.data[4] ? operand.data[4] : 2;
  line.style = operand.data[5];
  line.colour = operand.data[3] == 0xFF ? 0 : colorref(operand, 0);
  line.space = operand.data[6] & 0x1F;
  return line;
}

// Shading: the pattern mixes the foreground into the background; solid
// (1) is the foreground, clear (0) the background, n% patterns a blend.
uint32_t blend(uint32_t fore, uint32_t back, unsigned percent) {
  auto mix = [&](int shift) {
    const unsigned f = fore >> shift & 0xFF, b = back >> shift & 0xFF;
    return ((f * percent + b * (100 - percent)) / 100) << shift;
  };
  return mix(16) | mix(8) | mix(0);
}
unsigned pattern_percent(unsigned ipat) {
  static const unsigned PERCENT[] = {0, 100, 5, 10, 20, 25, 30, 40, 50, 60, 70, 75, 80, 90};
  if (ipat < sizeof PERCENT / sizeof PERCENT[0]) return PERCENT[ipat];
  return 50;  // hatched patterns: about half
}
// The shading's colour, or false for none ("clear" on automatic background).
bool shading_colour(uint32_t fore, bool fore_auto, uint32_t back, bool back_auto, unsigned ipat, uint32_t& out) {
  if (ipat == 0 && back_auto) return false;
  if (fore_auto) fore = 0;
  if (back_auto) back = 0xFFFFFF;
  out = blend(fore, back, pattern_percent(ipat));
  return true;
}
bool shading80(uint16_t shd, uint32_t& out) {
  const uint8_t fore = shd & 0x1F, back = (shd >> 5) & 0x1F;
  return shading_colour(ico_colour(fore), fore == 0, ico_colour(back), back == 0, shd >> 10, out);
}
bool shading97(ByteSpan operand, size_t at, uint32_t& out) {
  if (!operand.contains(at, 10)) return false;
  return shading_colour(colorref(operand, at), operand.data[at + 3] == 0xFF, colorref(operand, at + 4),
                        operand.data[at + 7] == 0xFF, operand.u16_at(at + 8), out);
}

void remove_tab(std::vector<TabStop>& tabs, int16_t position, int16_t tolerance) {
  std::erase_if(tabs, [&](const TabStop& tab) { return std::abs(tab.position - position) <= tolerance; });
}
void add_tab(std::vector<TabStop>& tabs, TabStop tab) {
  remove_tab(tabs, tab.position, 0);
  tabs.insert(std::upper_bound(tabs.begin(), tabs.end(), tab,
                               [](const TabStop& a, const TabStop& b) { return a.position < b.position; }),
              tab);
}

// sprmPChgTabsPapx: deletions, then additions with their kinds; sprmPChgTabs
// also carries a tolerance per deletion.
constexpr size_t MAX_TABS = 64;
void change_tabs(std::vector<TabStop>& tabs, ByteSpan operand, bool with_tolerance) {
  size_t at = 0;
  uint8_t deletions = 0, additions = 0;
  if (!operand.read_u8(at++, deletions)) return;
  const size_t del_at = at;
  at += 2u * deletions * (with_tolerance ? 2 : 1);
  if (!operand.contains(del_at, at - del_at) || !operand.read_u8(at++, additions)) return;
  if (!operand.contains(at, 3u * additions)) return;
  for (uint8_t i = 0; i < deletions; ++i) {
    const int16_t position = static_cast<int16_t>(operand.u16_at(del_at + 2u * i));
    const int16_t tolerance =
        with_tolerance ? static_cast<int16_t>(std::abs(static_cast<int16_t>(operand.u16_at(del_at + 2u * (deletions + i))))) : 0;
    remove_tab(tabs, position, tolerance);
  }
  for (uint8_t i = 0; i < additions && tabs.size() < MAX_TABS; ++i) {
    const uint8_t tbd = operand.data[at + 2u * additions + i];
    add_tab(tabs, {static_cast<int16_t>(operand.u16_at(at + 2u * i)), static_cast<uint8_t>(tbd & 7),
                   static_cast<uint8_t>((tbd >> 3) & 7)});
  }
}

}  // namespace

void apply_char_sprm(CharProps& props, const CharProps& style, uint16_t sprm, ByteSpan operand) {
  switch (sprm) {
    case 0x0835: props.bold = toggle_value(operand.data[0], style.bold); break;
    case 0x0836: props.italic = toggle_value(operand.data[0], style.italic); break;
    case 0x0837: props.strike = toggle_value(operand.data[0], style.strike); break;
    case 0x0800: props.deleted = toggle_value(operand.data[0], style.deleted); break;
    case 0x0801: props.inserted = toggle_value(operand.data[0], style.inserted); break;
    case 0x4804: props.insert_author = operand.u16_at(0); break;
    case 0x4863: props.delete_author = operand.u16_at(0); break;
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
    case 0x2A48: props.position = operand.data[0] <= 2 ? operand.data[0] : 0; break;
    case 0x083A: props.small_caps = toggle_value(operand.data[0], style.small_caps); break;
    case 0x083B: props.all_caps = toggle_value(operand.data[0], style.all_caps); break;
    case 0x2A0C: props.highlight = operand.data[0] <= 16 ? operand.data[0] : 0; break;
    case 0x8840: props.spacing = s16(operand); break;
    case 0x6A03: props.picture_at = static_cast<int32_t>(operand.u32_at(0)); break;
    case 0x0855: props.special = toggle_value(operand.data[0], style.special); break;
    case 0x0806: props.form_data = toggle_value(operand.data[0], style.form_data); break;
    case 0x080A: props.ole = toggle_value(operand.data[0], style.ole); break;
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
    case 0x260A: props.list_level = operand.data[0] < 9 ? operand.data[0] : 0; break;
    case 0x460B: props.list = operand.u16_at(0); break;
    case 0xC60D: change_tabs(props.tabs, operand, false); break;
    case 0xC615: change_tabs(props.tabs, operand, true); break;
    case 0x6424: props.border_top = border80(operand); break;
    case 0x6425: props.border_left = border80(operand); break;
    case 0x6426: props.border_bottom = border80(operand); break;
    case 0x6427: props.border_right = border80(operand); break;
    case 0xC64E: props.border_top = border97(operand); break;
    case 0xC64F: props.border_left = border97(operand); break;
    case 0xC650: props.border_bottom = border97(operand); break;
    case 0xC651: props.border_right = border97(operand); break;
    case 0x442D: props.shaded = shading80(operand.u16_at(0), props.shading); break;
    case 0xC64D: props.shaded = shading97(operand, 0, props.shading); break;
    case 0x9407: props.row_height = s16(operand); break;
    case 0x9602: props.gap_half = s16(operand); break;
    case 0x5400:
    case 0x548A: {
      const uint16_t placement = operand.u16_at(0);
      props.row_placement = placement <= 2 ? static_cast<RowPlacement>(placement) : RowPlacement::LEFT;
      break;
    }
    case 0xF614:  // preferred table width: a unit (2: 50ths of a percent), then the width
      if (operand.size >= 3) props.width_percent = operand.data[0] == 2 ? operand.u16_at(1) : 0;
      break;
    // Positioned paragraphs and tables: anchors (3 keeps the one in force), place, size, wrapping.
    case 0x261B:
    case 0x360D: {
      const uint8_t vertical = (operand.data[0] >> 4) & 3, horizontal = operand.data[0] >> 6;
      if (vertical != 3) props.frame.vertical = vertical;
      if (horizontal != 3) props.frame.horizontal = horizontal;
      break;
    }
    case 0x8418: case 0x940E: props.frame.x = s16(operand); break;
    case 0x8419: case 0x940F: props.frame.y = s16(operand); break;
    case 0x841A: props.frame.width = std::max<int16_t>(0, s16(operand)); break;
    case 0x442B: props.frame.height = operand.u16_at(0); break;
    case 0x442C: {  // drop kind in the low three bits, then the lines it spans
      const uint16_t dcs = operand.u16_at(0);
      props.drop_cap = (dcs & 7) <= 2 ? dcs & 7 : 0;
      props.drop_lines = dcs >> 3 & 0x1F;
      break;
    }
    case 0x2423: props.frame.wrap = operand.data[0]; break;
    case 0x842F: case 0x9410: props.frame.gap_x = std::max<int16_t>(0, s16(operand)); break;
    case 0x842E: case 0x9411: props.frame.gap_y = std::max<int16_t>(0, s16(operand)); break;
    case 0xD605:    // table borders: top, left, bottom, right, inside horizontal, inside vertical
    case 0xD613: {
      const size_t size = sprm == 0xD605 ? 4 : 8;
      const uint8_t bits[6] = {CELL_TOP, CELL_LEFT, CELL_BOTTOM, CELL_RIGHT, INSIDE_H, INSIDE_V};
      props.table_borders = 0;
      for (int i = 0; i < 6; ++i) {
        const ByteSpan brc = operand.slice(size * i, size);
        if ((size == 4 ? border80(brc) : border97(brc)).width != 0) props.table_borders |= bits[i];
      }
      break;
    }
    case 0xD609: {  // cell shading, SHD80 per cell
      props.cell_shading.clear();
      for (size_t at = 0; at + 2 <= operand.size && props.cell_shading.size() < MAX_CELLS; at += 2) {
        uint32_t colour = 0;
        props.cell_shading.push_back(shading80(operand.u16_at(at), colour) ? colour : 0xFFFFFFFFu);
      }
      break;
    }
    case 0xD612: {  // cell shading, SHD per cell
      props.cell_shading.clear();
      for (size_t at = 0; at + 10 <= operand.size && props.cell_shading.size() < MAX_CELLS; at += 10) {
        uint32_t colour = 0;
        props.cell_shading.push_back(shading97(operand, at, colour) ? colour : 0xFFFFFFFFu);
      }
      break;
    }
    case 0xD608: {  // table definition: column count, then count + 1 cell edges
      if (operand.size < 1) break;
      const int count = std::min<int>(operand.data[0], MAX_CELLS);
      if (!operand.contains(1, 2u * (count + 1))) break;
      props.cell_edges.resize(count + 1);
      for (int i = 0; i <= count; ++i) props.cell_edges[i] = static_cast<int16_t>(operand.u16_at(1 + 2 * i));
      // Then a TC80 per cell: flags (vertical alignment in bits 7-8), then four BRC80 borders.
      props.cell_align.clear();
      props.cell_borders.clear();
      constexpr size_t TC80 = 20;
      const size_t cells_at = 1 + 2u * (count + 1);
      for (int i = 0; i < count && operand.contains(cells_at + TC80 * i, TC80); ++i) {
        const size_t at = cells_at + TC80 * i;
        props.cell_align.push_back(static_cast<uint8_t>((operand.u16_at(at) >> 7) & 3));
        uint8_t sides = 0;
        const uint8_t bits[4] = {CELL_TOP, CELL_LEFT, CELL_BOTTOM, CELL_RIGHT};
        for (int side = 0; side < 4; ++side)
          if (border80(operand.slice(at + 4 + 4u * side, 4)).width != 0) sides |= bits[side];
        props.cell_borders.push_back(sides);
      }
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
