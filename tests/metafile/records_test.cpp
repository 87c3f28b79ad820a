// The 23 decoders on records written by the builder and converted to host
// order, as playback hands them over.
#include <gtest/gtest.h>

#include <cstring>

#include "metafile/records.h"
#include "metafile/stream_layout.h"
#include "tests/metafile/host_order.h"
#include "tests/support/wmf_builder.h"

namespace vellum::test {
namespace {

// The first record of a stream built by `wmf`, in host order.
class OneRecord {
 public:
  explicit OneRecord(const WmfBuilder& wmf) : bytes_(to_host(wmf.finish())), at_(wmf.record_offsets()[0]) {}
  const uint8_t* record() const { return bytes_.data() + at_; }

 private:
  std::vector<uint8_t> bytes_;
  size_t at_;
};

TEST(Decoders, StateRecords) {
  ColorRef colour{};
  EXPECT_EQ(decode_SETBKCOLOR(OneRecord(WmfBuilder().set_bk_color(10, 20, 30)).record(), &colour), 10u);
  EXPECT_EQ(colour.red, 10);
  EXPECT_EQ(colour.green, 20);
  EXPECT_EQ(colour.blue, 30);
  EXPECT_EQ(decode_SETTEXTCOLOR(OneRecord(WmfBuilder().set_text_color(1, 2, 3)).record(), &colour), 10u);
  EXPECT_EQ(colour.blue, 3);
  uint16_t value = 0;
  EXPECT_EQ(decode_SETMAPMODE(OneRecord(WmfBuilder().set_map_mode(8)).record(), &value), 8u);
  EXPECT_EQ(value, 8);
  EXPECT_EQ(decode_SETPOLYFILLMODE(OneRecord(WmfBuilder().set_polyfill_mode(2)).record(), &value), 8u);
  EXPECT_EQ(value, 2);
  EXPECT_EQ(decode_SETTEXTALIGN(OneRecord(WmfBuilder().set_text_align(0x18)).record(), &value), 8u);
  EXPECT_EQ(value, 0x18);
}

TEST(Decoders, SinglePointsAreStoredYFirst) {
  Point16 point{};
  EXPECT_EQ(decode_LINETO(OneRecord(WmfBuilder().line_to(7, -5)).record(), &point), 10u);
  EXPECT_EQ(point.x, 7);
  EXPECT_EQ(point.y, -5);
  EXPECT_EQ(decode_MOVETO(OneRecord(WmfBuilder().move_to(-300, 12)).record(), &point), 10u);
  EXPECT_EQ(point.x, -300);
  EXPECT_EQ(point.y, 12);
  EXPECT_EQ(decode_SETWINDOWEXT(OneRecord(WmfBuilder().set_window_ext(640, -480)).record(), &point), 10u);
  EXPECT_EQ(point.x, 640);
  EXPECT_EQ(point.y, -480);
}

TEST(Decoders, RectanglesAreStoredBottomFirst) {
  using Decoder = uint32_t (*)(const uint8_t*, Rect16*);
  const std::pair<Decoder, uint8_t> decoders[] = {
      {decode_RECTANGLE, 0x1B}, {decode_ELLIPSE, 0x18}, {decode_INTERSECTCLIPRECT, 0x16}};
  for (const auto& [decode, type] : decoders) {
    WmfBuilder wmf;
    wmf.record(type, 4).words({40, 30, 20, 10}).end();
    Rect16 rect{};
    EXPECT_EQ(decode(OneRecord(wmf).record(), &rect), 14u);
    EXPECT_EQ(rect.left, 10);
    EXPECT_EQ(rect.top, 20);
    EXPECT_EQ(rect.right, 30);
    EXPECT_EQ(rect.bottom, 40);
  }
  int16_t w = 0, h = 0;
  Rect16 rect{};
  EXPECT_EQ(decode_ROUNDRECT(OneRecord(WmfBuilder().round_rect(1, 2, 3, 4, 50, 60)).record(), &w, &h, &rect), 18u);
  EXPECT_EQ(w, 50);
  EXPECT_EQ(h, 60);
  EXPECT_EQ(rect.left, 1);
  EXPECT_EQ(rect.bottom, 4);
}

TEST(Decoders, PatBlt) {
  Point16 dest{}, size{};
  uint32_t rop = 0;
  EXPECT_EQ(decode_PATBLT(OneRecord(WmfBuilder().pat_blt(5, 6, 70, 80, 0x00F00021)).record(), &dest, &size, &rop), 18u);
  EXPECT_EQ(dest.x, 5);
  EXPECT_EQ(dest.y, 6);
  EXPECT_EQ(size.x, 70);
  EXPECT_EQ(size.y, 80);
  EXPECT_EQ(rop, 0x00F00021u);
}

TEST(Decoders, TextStartFollowsThePaddedString) {
  struct Case { std::string text; uint32_t size; };
  for (const Case& c : {Case{"abc", 16}, Case{"abcd", 16}, Case{"", 12}, Case{"a", 14}}) {
    Point16 start{};
    int16_t length = -1;
    const uint8_t* string = nullptr;
    OneRecord one(WmfBuilder().text_out(11, 22, c.text));
    EXPECT_EQ(decode_TEXTOUT(one.record(), &start, &length, &string), c.size) << c.text;
    EXPECT_EQ(start.x, 11);
    EXPECT_EQ(start.y, 22);
    EXPECT_EQ(length, static_cast<int16_t>(c.text.size()));
    EXPECT_EQ(string, one.record() + 8);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(string), c.text.size()), c.text);
  }
}

TEST(Decoders, TextMustHoldItsStringAndStartAndHaveALength) {
  Point16 start{99, 99};
  int16_t length = 99;
  const uint8_t* string = nullptr;
  WmfBuilder cut;  // 10 characters claimed, 2 held
  cut.record(0x21, 5).words({10, 0x4141, 1, 2}).end();
  EXPECT_EQ(decode_TEXTOUT(OneRecord(cut).record(), &start, &length, &string), 0u);
  WmfBuilder negative;
  negative.record(0x21, 5).words({-2, 0x4141, 1, 2, 3, 4}).end();
  EXPECT_EQ(decode_TEXTOUT(OneRecord(negative).record(), &start, &length, &string), 0u);
  WmfBuilder no_length;
  no_length.record(0x21, 5).end();
  EXPECT_EQ(decode_TEXTOUT(OneRecord(no_length).record(), &start, &length, &string), 0u);
  EXPECT_EQ(start.x, 99);
  EXPECT_EQ(length, 99);
  EXPECT_EQ(string, nullptr);
}

TEST(Decoders, BitBltWithoutBitmap) {
  Point16 dest{}, size{}, source{};
  uint32_t rop = 0;
  Bitmap16Header bitmap;
  std::memset(&bitmap, 0xAB, sizeof bitmap);
  const uint8_t* pixels = reinterpret_cast<const uint8_t*>(&rop);
  OneRecord one(WmfBuilder().bit_blt(1, 2, 30, 40, 5, 6, 0xCC0020));
  EXPECT_EQ(decode_BITBLT(one.record(), &dest, &size, &source, &rop, &bitmap, &pixels), 24u);
  EXPECT_EQ(dest.x, 1);
  EXPECT_EQ(dest.y, 2);
  EXPECT_EQ(size.x, 30);
  EXPECT_EQ(size.y, 40);
  EXPECT_EQ(source.x, 5);
  EXPECT_EQ(source.y, 6);
  EXPECT_EQ(rop, 0xCC0020u);
  EXPECT_EQ(bitmap.width, 0);
  EXPECT_EQ(bitmap.bits_per_pixel, 0);
  EXPECT_EQ(pixels, nullptr);
}

TEST(Decoders, BitBltWithBitmap) {
  Point16 dest{}, size{}, source{};
  uint32_t rop = 0;
  Bitmap16Header bitmap{};
  const uint8_t* pixels = nullptr;
  Bitmap16 image{2, 1, 8, 1, 24, {10, 20, 30, 40, 50, 60, 0, 0}};
  OneRecord one(WmfBuilder().bit_blt(1, 2, 30, 40, 5, 6, 0xCC0020, image));
  EXPECT_EQ(decode_BITBLT(one.record(), &dest, &size, &source, &rop, &bitmap, &pixels), 40u);
  EXPECT_EQ(dest.x, 1);
  EXPECT_EQ(dest.y, 2);
  EXPECT_EQ(size.x, 30);
  EXPECT_EQ(size.y, 40);
  EXPECT_EQ(source.x, 5);
  EXPECT_EQ(bitmap.width, 2);
  EXPECT_EQ(bitmap.height, 1);
  EXPECT_EQ(bitmap.bytes_per_row, 8);
  EXPECT_EQ(bitmap.planes, 1);
  EXPECT_EQ(bitmap.bits_per_pixel, 24);
  EXPECT_EQ(pixels, one.record() + 32);
  EXPECT_EQ(pixels[0], 10);
}

TEST(Decoders, StretchBltBothForms) {
  Point16 dest{}, dest_size{}, source{}, source_size{};
  uint32_t rop = 0;
  Bitmap16Header bitmap{};
  const uint8_t* pixels = nullptr;
  OneRecord plain(WmfBuilder().stretch_blt(1, 2, 3, 4, 5, 6, 7, 8, 0x660046));
  EXPECT_EQ(decode_STRETCHBLT(plain.record(), &dest, &dest_size, &source, &source_size, &rop, &bitmap, &pixels), 28u);
  EXPECT_EQ(dest.x, 1);
  EXPECT_EQ(dest.y, 2);
  EXPECT_EQ(dest_size.x, 3);
  EXPECT_EQ(dest_size.y, 4);
  EXPECT_EQ(source.x, 5);
  EXPECT_EQ(source.y, 6);
  EXPECT_EQ(source_size.x, 7);
  EXPECT_EQ(source_size.y, 8);
  EXPECT_EQ(rop, 0x660046u);
  EXPECT_EQ(pixels, nullptr);
  Bitmap16 image{1, 1, 4, 1, 32, {1, 2, 3, 4}};
  OneRecord with(WmfBuilder().stretch_blt(-1, -2, 3, 4, 5, 6, 7, 8, 0x660046, image));
  EXPECT_EQ(decode_STRETCHBLT(with.record(), &dest, &dest_size, &source, &source_size, &rop, &bitmap, &pixels), 40u);
  EXPECT_EQ(dest.x, -1);
  EXPECT_EQ(dest.y, -2);
  EXPECT_EQ(dest_size.y, 4);
  EXPECT_EQ(source_size.x, 7);
  EXPECT_EQ(bitmap.bits_per_pixel, 32);
  EXPECT_EQ(pixels, with.record() + 36);
}

TEST(Decoders, BitmapFormShorterThanItsBitmapHeaderIsRefused) {
  Point16 p{};
  uint32_t rop = 7;
  Bitmap16Header bitmap{};
  const uint8_t* pixels = nullptr;
  WmfBuilder bit;  // 13 words with parameter count 9: the bitmap form, header cut
  bit.record(0x22, 9).words({0, 0, 1, 2, 3, 4, 5, 6, 7, 8}).end();
  EXPECT_EQ(decode_BITBLT(OneRecord(bit).record(), &p, &p, &p, &rop, &bitmap, &pixels), 0u);
  WmfBuilder stretch;
  stretch.record(0x23, 11).words({0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}).end();
  EXPECT_EQ(decode_STRETCHBLT(OneRecord(stretch).record(), &p, &p, &p, &p, &rop, &bitmap, &pixels), 0u);
  EXPECT_EQ(rop, 7u);
}

TEST(Decoders, PolygonsHandBackTheirArrays) {
  uint16_t count = 0;
  const uint8_t* points = nullptr;
  OneRecord polygon(WmfBuilder().polygon({{1, 2}, {3, 4}, {5, 6}}));
  EXPECT_EQ(decode_POLYGON(polygon.record(), &count, &points), 20u);
  EXPECT_EQ(count, 3);
  EXPECT_EQ(points, polygon.record() + 8);
  EXPECT_EQ(load_point(points + 8).x, 5);
  EXPECT_EQ(load_point(points + 8).y, 6);
  OneRecord polyline(WmfBuilder().polyline({{-1, -2}}));
  EXPECT_EQ(decode_POLYLINE(polyline.record(), &count, &points), 12u);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(load_point(points).y, -2);

  uint16_t polygons = 0;
  const uint8_t* counts = nullptr;
  OneRecord poly(WmfBuilder().poly_polygon({{{0, 0}, {1, 1}}, {{2, 2}, {3, 3}, {4, 4}}}));
  EXPECT_EQ(decode_POLYPOLYGON(poly.record(), &polygons, &counts, &points), 32u);
  EXPECT_EQ(polygons, 2);
  EXPECT_EQ(counts, poly.record() + 8);
  EXPECT_EQ(points, poly.record() + 12);
  EXPECT_EQ(load_point(points + 4 * 4).x, 4);
}

TEST(Decoders, PolyPolygonCountsPastTheRecordPointAtItsEnd) {
  WmfBuilder wmf;
  wmf.record(0x38, 5).words({30000, 3, 3}).end();
  OneRecord one(wmf);
  uint16_t polygons = 0;
  const uint8_t *counts = nullptr, *points = nullptr;
  EXPECT_EQ(decode_POLYPOLYGON(one.record(), &polygons, &counts, &points), 12u);
  EXPECT_EQ(polygons, 30000);
  EXPECT_EQ(points, one.record() + 12);
}

TEST(Decoders, Escape) {
  uint16_t function = 0, count = 0;
  const uint8_t* data = nullptr;
  OneRecord one(WmfBuilder().escape(22, {7, 0, 0, 0}));
  EXPECT_EQ(decode_ESCAPE(one.record(), &function, &count, &data), 14u);
  EXPECT_EQ(function, 22);
  EXPECT_EQ(count, 4);
  EXPECT_EQ(data, one.record() + 10);
}

TEST(Decoders, ObjectRecords) {
  PenObject pen{};
  EXPECT_EQ(decode_CREATEPENINDIRECT(OneRecord(WmfBuilder().create_pen(2, 7, 1, 2, 3)).record(), &pen), 16u);
  EXPECT_EQ(pen.style, 2);
  EXPECT_EQ(pen.width.x, 7);
  EXPECT_EQ(pen.colour.red, 1);
  EXPECT_EQ(pen.colour.blue, 3);

  const uint8_t* brush = nullptr;
  OneRecord brush_record(WmfBuilder().create_brush(2, 4, 5, 6, 3));
  EXPECT_EQ(decode_CREATEBRUSHINDIRECT(brush_record.record(), &brush), 14u);
  const BrushObject b = load_brush(brush);
  EXPECT_EQ(b.style, 2);
  EXPECT_EQ(b.colour.green, 5);
  EXPECT_EQ(b.hatch, 3);

  Font font;
  font.height = -24;
  font.weight = 700;
  font.italic = 1;
  font.face = "Serif";
  const uint8_t* at = nullptr;
  OneRecord one(WmfBuilder().create_font(font));
  EXPECT_EQ(decode_CREATEFONTINDIRECT(one.record(), &at), 30u);
  const FontObject f = load_font(at);
  EXPECT_EQ(f.height, -24);
  EXPECT_EQ(f.weight, 700);
  EXPECT_EQ(f.italic, 1);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(at + FONT_FACE_OFFSET)), "Serif");
}

TEST(Decoders, RecordsBelowTheirMinimumLeaveOutputsUntouched) {
  const auto short_record = [](uint8_t type, size_t words) {
    WmfBuilder wmf;
    auto writer = wmf.record(type, 2);
    for (size_t i = 3; i < words; ++i) writer.word(0x1111);
    return OneRecord(wmf);
  };
  uint16_t mode = 42;
  EXPECT_EQ(decode_SETMAPMODE(short_record(0x03, 3).record(), &mode), 0u);
  EXPECT_EQ(mode, 42);
  Point16 point{3, 4};
  EXPECT_EQ(decode_SETWINDOWEXT(short_record(0x0C, 4).record(), &point), 0u);
  EXPECT_EQ(decode_LINETO(short_record(0x13, 4).record(), &point), 0u);
  EXPECT_EQ(decode_MOVETO(short_record(0x14, 4).record(), &point), 0u);
  EXPECT_EQ(point.x, 3);
  EXPECT_EQ(point.y, 4);
  const uint8_t* font = nullptr;
  EXPECT_EQ(decode_CREATEFONTINDIRECT(short_record(0xFB, 12).record(), &font), 0u);
  EXPECT_EQ(font, nullptr);
  EXPECT_EQ(decode_CREATEFONTINDIRECT(short_record(0xFB, 13).record(), &font), 26u);
  Rect16 rect{1, 1, 1, 1};
  EXPECT_EQ(decode_RECTANGLE(short_record(0x1B, 6).record(), &rect), 0u);
  EXPECT_EQ(rect.bottom, 1);
  PenObject pen{};
  EXPECT_EQ(decode_CREATEPENINDIRECT(short_record(0xFA, 7).record(), &pen), 0u);
}

}  // namespace
}  // namespace vellum::test
