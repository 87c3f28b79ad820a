// Create records put objects in the lowest free slot (a malformed one still
// takes its slot, with what its bytes hold); SELECTOBJECT makes a copy
// current by its kind; DELETEOBJECT frees the slot.
#include <cstdlib>

#include "render/gdi/handlers.h"

namespace vellum::gdi {

namespace {

constexpr size_t FACE_MAX = 32;

draw::Brush brush_from(uint16_t style, draw::Colour colour, uint16_t hatch) {
  draw::Brush brush;
  brush.colour = colour;
  brush.hatch = hatch;
  switch (style) {
    case draw::BS_SOLID:
    case draw::BS_NULL:
      brush.style = style;
      break;
    case draw::BS_HATCHED:
      brush.style = style;
      if (hatch > draw::HS_DIAGCROSS) brush.style = draw::BS_SOLID;
      break;
    default:
      // Pattern styles cannot come through this record, and other values
      // are unsupported: a solid black brush stands in ([MS-WMF] 2.2.2.10).
      brush.style = draw::BS_SOLID;
      brush.colour = draw::BLACK;
      break;
  }
  return brush;
}

}  // namespace

void play_createpenindirect(Player& p, const Record& r) {
  ByteReader in = r.params;
  draw::Pen pen;
  pen.style = in.u16();
  pen.width = std::abs(int32_t(in.i16()));
  in.skip(2);  // width.y, unused
  const uint32_t colorref = in.u32();
  pen.colour = in.failed() ? draw::BLACK : p.colour(colorref);
  p.objects.add(pen);
}

void play_createbrushindirect(Player& p, const Record& r) {
  ByteReader in = r.params;
  const uint16_t style = in.u16();
  const uint32_t colorref = in.u32();
  const uint16_t hatch = in.u16();
  p.objects.add(brush_from(style, p.colour(colorref), hatch));
}

void play_createfontindirect(Player& p, const Record& r) {
  ByteReader in = r.params;
  draw::Font font;
  font.height = in.i16();
  font.width = in.i16();
  font.escapement = in.i16();
  font.orientation = in.i16();
  font.weight = in.i16();
  font.italic = in.u8();
  font.underline = in.u8();
  font.strike_out = in.u8();
  font.charset = in.u8();
  font.out_precision = in.u8();
  font.clip_precision = in.u8();
  font.quality = in.u8();
  font.pitch_and_family = in.u8();
  // The face runs to its NUL or the record's end, at most 32 bytes.
  for (size_t i = 0; i < FACE_MAX && in.left() > 0; ++i) {
    const uint8_t c = in.u8();
    if (c == 0) break;
    font.face.push_back(char(c));
  }
  p.objects.add(std::move(font));
}

void play_createpalette(Player& p, const Record& r) {
  ByteReader in = r.params;
  in.skip(2);  // start (0x0300)
  const uint16_t count = in.u16();
  auto palette = std::make_shared<Palette>();
  for (uint32_t i = 0; i < count && in.left() >= 4; ++i) {
    draw::Colour c;
    c.red = in.u8();
    c.green = in.u8();
    c.blue = in.u8();
    in.skip(1);
    palette->entries.push_back(c);
  }
  p.objects.add(std::shared_ptr<const Palette>(std::move(palette)));
}

void play_selectobject(Player& p, const Record& r) {
  ByteReader in = r.params;
  const uint16_t index = in.u16();
  if (in.failed()) return;
  const GdiObject* object = p.objects.at(index);
  if (object == nullptr) return;
  if (const auto* pen = std::get_if<draw::Pen>(object)) p.dc.pen = *pen;
  else if (const auto* brush = std::get_if<draw::Brush>(object)) p.dc.brush = *brush;
  else if (const auto* font = std::get_if<draw::Font>(object)) p.dc.font = *font;
  else if (const auto* region = std::get_if<Region>(object)) {
    p.dc.clip = *region;  // a region selected this way becomes the clip
    p.clip_dirty = true;
  }
  // A palette is selected only through SELECTPALETTE.
}

void play_selectpalette(Player& p, const Record& r) {
  ByteReader in = r.params;
  const uint16_t index = in.u16();
  if (in.failed()) return;
  const GdiObject* object = p.objects.at(index);
  if (object == nullptr) return;
  if (const auto* palette = std::get_if<std::shared_ptr<const Palette>>(object))
    p.dc.palette = *palette;
}

void play_deleteobject(Player& p, const Record& r) {
  ByteReader in = r.params;
  const uint16_t index = in.u16();
  if (!in.failed()) p.objects.remove(index);
}

void play_realizepalette(Player&, const Record&) {}

// Changes entries of the DC's palette (a copy; the table's object keeps
// its colours, which only matters if it is selected again later).
void play_setpalentries(Player& p, const Record& r) {
  ByteReader in = r.params;
  const uint16_t start = in.u16();
  const uint16_t count = in.u16();
  if (in.failed()) return;
  auto palette = std::make_shared<Palette>(*p.dc.palette);
  for (uint32_t i = 0; i < count && in.left() >= 4; ++i) {
    draw::Colour c;
    c.red = in.u8();
    c.green = in.u8();
    c.blue = in.u8();
    in.skip(1);
    const uint32_t at = uint32_t(start) + i;
    if (at < palette->entries.size()) palette->entries[at] = c;
  }
  p.dc.palette = std::move(palette);
}

void play_resizepalette(Player& p, const Record& r) {
  ByteReader in = r.params;
  const uint16_t size = in.u16();
  if (in.failed()) return;
  auto palette = std::make_shared<Palette>(*p.dc.palette);
  palette->entries.resize(size);
  p.dc.palette = std::move(palette);
}

}  // namespace vellum::gdi
