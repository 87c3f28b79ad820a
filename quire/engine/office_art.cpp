#include "office_art.h"

#include <algorithm>

#include "common/byte_reader.h"

namespace quire {
namespace {

using vellum::ByteOrder;
using vellum::ByteReader;

constexpr uint16_t PROP_CROP_TOP = 0x0100, PROP_CROP_BOTTOM = 0x0101, PROP_CROP_LEFT = 0x0102,
                   PROP_CROP_RIGHT = 0x0103, PROP_PIB = 0x0104;
constexpr uint16_t PROP_TEXT_ID = 0x0080, PROP_INSET_LEFT = 0x0081, PROP_INSET_BOTTOM = 0x0084;
constexpr uint16_t PROP_ART_TEXT = 0x00C0, PROP_ART_FONT = 0x00C5, PROP_ART_FLAGS = 0x00FF;
constexpr uint16_t PROP_FILL_COLOUR = 0x0181, PROP_FILL_FLAGS = 0x01BF, PROP_LINE_COLOUR = 0x01C0,
                   PROP_LINE_WIDTH = 0x01CB, PROP_LINE_FLAGS = 0x01FF;
constexpr uint16_t PROP_ROTATION = 0x0004, PROP_GEO_LEFT = 0x0140, PROP_GEO_BOTTOM = 0x0143, PROP_SHAPE_PATH = 0x0144,
                   PROP_VERTICES = 0x0145, PROP_SEGMENTS = 0x0146, PROP_ADJUST_FIRST = 0x0147;
constexpr uint16_t PROP_ID_MASK = 0x3FFF, PROP_COMPLEX = 0x8000;
constexpr size_t PROP_ENTRY = 6;
constexpr size_t MAX_ART_CHARS = 1024;
constexpr double EMU_PER_POINT = 12700.0;
constexpr double MAX_INSET = 720.0, MAX_LINE_WIDTH = 72.0;  // points

// Boolean property sets: each flag has a "use" bit 16 places higher saying
// the flag is set at all; without it the default stands.
constexpr uint32_t FILLED_BIT = 1u << 4, LINE_BIT = 1u << 3, ART_ITALIC_BIT = 1u << 4, ART_BOLD_BIT = 1u << 5,
                   ART_SHOWN_BIT = 1u << 14;
void apply_flag(uint32_t flags, uint32_t bit, bool& out) {
  if (flags & (bit << 16)) out = (flags & bit) != 0;
}

// A colour of the table (red in the low byte) as 0xRRGGBB; false for
// colours that name a palette, scheme or system entry instead.
constexpr uint32_t COLOUR_INDEXED = 0xF8000000u;
bool colour_of(uint32_t value, uint32_t& out) {
  if (value & COLOUR_INDEXED) return false;
  out = (value & 0xFF) << 16 | (value & 0xFF00) | (value >> 16 & 0xFF);
  return true;
}

// A complex property's UTF-16 string, up to its first NUL.
std::u16string utf16_string(ByteSpan bytes) {
  std::u16string out;
  for (size_t at = 0; at + 1 < bytes.size && out.size() < MAX_ART_CHARS; at += 2) {
    const char16_t ch = bytes.u16_at(at);
    if (ch == 0) break;
    out.push_back(ch);
  }
  return out;
}

// Lists are sometimes stored with a length that leaves out their six
// header bytes; their data then runs six bytes past that length.
bool is_list(uint16_t id) {
  switch (id) {
    case PROP_VERTICES:
    case PROP_SEGMENTS:
    case 0x0151:  // connection sites
    case 0x0152:  // their directions
    case 0x0155:  // adjust handles
    case 0x0156:  // guides
    case 0x0157:  // text rectangles
    case 0x0197:  // fill shade colours
    case 0x0383:  // wrap polygon
      return true;
    default: return false;
  }
}
size_t complex_length(uint16_t id, uint32_t length, ByteSpan rest) {
  if (!is_list(id) || rest.size < LIST_HEADER) return length;
  const uint64_t elements = uint64_t{rest.u16_at(0)} * list_element_size(rest.u16_at(4));
  return elements == length ? length + LIST_HEADER : length;
}

double fraction(uint32_t value) { return std::clamp(static_cast<int32_t>(value) / 65536.0, 0.0, 0.95); }

}  // namespace

bool art_record_at(ByteSpan bytes, size_t at, ArtRecord& out) {
  ByteReader in = ByteReader(bytes.data, bytes.size, ByteOrder::little).from(at);
  const uint16_t ver_inst = in.u16();
  out.type = in.u16();
  out.length = in.u32();
  if (in.failed() || !bytes.contains(at + ART_RECORD_HEADER, out.length)) return false;
  out.version = ver_inst & 0x0F;
  out.instance = ver_inst >> 4;
  out.body = bytes.slice(at + ART_RECORD_HEADER, out.length);
  return true;
}

ShapeProps read_shape_props(const ArtRecord& opt) {
  ShapeProps props;
  bool art_shown = true;
  ByteReader in(opt.body.data, opt.body.size, ByteOrder::little);
  // Complex properties keep their data after the fixed entries, in entry order.
  size_t complex_at = static_cast<size_t>(opt.instance) * PROP_ENTRY;
  for (uint16_t i = 0; i < opt.instance; ++i) {
    const uint16_t id = in.u16();
    const uint32_t value = in.u32();
    if (in.failed()) break;
    ByteSpan data;
    if (id & PROP_COMPLEX) {
      const ByteSpan rest = opt.body.slice(complex_at, opt.body.size - std::min(complex_at, opt.body.size));
      const size_t length = complex_length(id & PROP_ID_MASK, value, rest);
      data = opt.body.slice(complex_at, length);
      complex_at = data.data ? complex_at + length : opt.body.size;  // past a damaged one nothing is found
    }
    ShapeGeometry& geometry = props.geometry;
    switch (id & PROP_ID_MASK) {
      case PROP_ROTATION: props.rotation = static_cast<int32_t>(value) / 65536.0; break;
      case PROP_SHAPE_PATH: geometry.path_kind = value; break;
      case PROP_VERTICES: geometry.vertices = data; break;
      case PROP_SEGMENTS: geometry.segments = data; break;
      case PROP_PIB: props.pib = value; break;
      case PROP_CROP_TOP: props.crop[0] = fraction(value); break;
      case PROP_CROP_BOTTOM: props.crop[1] = fraction(value); break;
      case PROP_CROP_LEFT: props.crop[2] = fraction(value); break;
      case PROP_CROP_RIGHT: props.crop[3] = fraction(value); break;
      case PROP_TEXT_ID: props.text_id = value; break;
      case PROP_ART_TEXT: props.art = utf16_string(data); break;
      case PROP_ART_FONT: props.art_font = utf16_string(data); break;
      case PROP_ART_FLAGS:
        apply_flag(value, ART_BOLD_BIT, props.art_bold);
        apply_flag(value, ART_ITALIC_BIT, props.art_italic);
        apply_flag(value, ART_SHOWN_BIT, art_shown);
        break;
      case PROP_FILL_COLOUR: props.fill_given = colour_of(value, props.fill) || props.fill_given; break;
      case PROP_FILL_FLAGS: apply_flag(value, FILLED_BIT, props.filled); break;
      case PROP_LINE_COLOUR: colour_of(value, props.line); break;
      case PROP_LINE_WIDTH: props.line_width = std::min(static_cast<int32_t>(value) / EMU_PER_POINT, MAX_LINE_WIDTH); break;
      case PROP_LINE_FLAGS: apply_flag(value, LINE_BIT, props.lined); break;
      default: {
        const uint16_t at = id & PROP_ID_MASK;
        if (at >= PROP_INSET_LEFT && at <= PROP_INSET_BOTTOM) {
          props.inset[at - PROP_INSET_LEFT] = std::clamp(static_cast<int32_t>(value) / EMU_PER_POINT, 0.0, MAX_INSET);
        } else if (at >= PROP_GEO_LEFT && at <= PROP_GEO_BOTTOM) {
          geometry.geo[at - PROP_GEO_LEFT] = static_cast<int32_t>(value);
        } else if (at >= PROP_ADJUST_FIRST && at < PROP_ADJUST_FIRST + ADJUST_VALUES && !(id & PROP_COMPLEX)) {
          geometry.adjust[at - PROP_ADJUST_FIRST] = static_cast<int32_t>(value);
          geometry.adjusted |= static_cast<uint16_t>(1u << (at - PROP_ADJUST_FIRST));
        }
        break;
      }
    }
  }
  if (props.line_width < 0) props.line_width = 0;
  if (!art_shown) props.art.clear();
  return props;
}

}  // namespace quire
