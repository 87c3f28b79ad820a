// Writes the bundled sample pictures (make-samples DIR) or the fuzz seed
// streams (make-samples --seeds DIR) with the test-support WMF builder. The
// samples select each object they create, as GDI needs (the exact player
// selects on creation and passes SELECTOBJECT by), and set a positive window
// extent first so they come out upright.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tests/support/wmf_builder.h"

using vellum::test::Bitmap16;
using vellum::test::Font;
using vellum::test::WmfBuilder;

namespace {

constexpr int PS_SOLID = 0, PS_DASH = 1, PS_DOT = 2, PS_NULL = 5;
constexpr int BS_SOLID = 0;
constexpr uint32_t SRCCOPY = 0x00CC0020, PATCOPY = 0x00F00021;

WmfBuilder framed(int width, int height) {
  WmfBuilder wmf;
  wmf.placeable(0, 0, width, height, 96).set_window_ext(width, height).set_map_mode(8);
  return wmf;
}

// A harbour at dusk: banded sky, sun, sea, hills, a boat and birds.
WmfBuilder sunset() {
  WmfBuilder wmf = framed(400, 300);
  const int bands = 8;
  wmf.create_pen(PS_NULL, 0, 0, 0, 0).select_created();
  for (int i = 0; i < bands; ++i) {
    wmf.create_brush(BS_SOLID, static_cast<uint8_t>(40 + i * 26), static_cast<uint8_t>(30 + i * 16),
                     static_cast<uint8_t>(110 - i * 8)).select_created();
    wmf.rectangle(0, i * 22, 400, (i + 1) * 22 + 1);
  }
  wmf.create_brush(BS_SOLID, 255, 214, 90).select_created().ellipse(250, 86, 320, 156);
  wmf.create_brush(BS_SOLID, 52, 70, 60).select_created()
      .polygon({{0, 190}, {60, 150}, {120, 175}, {190, 140}, {260, 180}, {330, 150}, {400, 185}, {400, 300}, {0, 300}});
  wmf.create_brush(BS_SOLID, 30, 60, 110).select_created().rectangle(0, 200, 400, 300);
  wmf.create_pen(PS_SOLID, 2, 255, 200, 120).select_created();
  for (int i = 0; i < 5; ++i) wmf.move_to(240 + i * 3, 210 + i * 14).line_to(300 - i * 3, 210 + i * 14);
  wmf.create_pen(PS_SOLID, 2, 60, 40, 30).select_created()
      .create_brush(BS_SOLID, 150, 80, 40).select_created()
      .polygon({{70, 240}, {160, 240}, {145, 262}, {85, 262}})
      .create_brush(BS_SOLID, 245, 240, 225).select_created()
      .polygon({{112, 236}, {112, 180}, {150, 232}});
  wmf.create_pen(PS_SOLID, 2, 20, 20, 30).select_created();
  for (const auto& [x, y] : std::vector<std::pair<int, int>>{{90, 60}, {130, 80}, {170, 55}})
    wmf.polyline({{x - 12, y - 4}, {x - 6, y - 7}, {x, y}, {x + 6, y - 7}, {x + 12, y - 4}});
  return wmf;
}

// A house with a garden and a signed name plate.
WmfBuilder house() {
  WmfBuilder wmf = framed(320, 240);
  wmf.set_bk_mode(1);  // transparent: the fence's gaps and the name plate show the garden
  wmf.create_pen(PS_NULL, 0, 0, 0, 0).select_created()
      .create_brush(BS_SOLID, 180, 220, 250).select_created().rectangle(0, 0, 320, 170)
      .create_brush(BS_SOLID, 90, 170, 80).select_created().rectangle(0, 170, 320, 240);
  wmf.create_pen(PS_SOLID, 3, 70, 40, 30).select_created()
      .create_brush(BS_SOLID, 230, 200, 150).select_created()
      .rectangle(70, 100, 230, 200)
      .create_brush(BS_SOLID, 170, 50, 40).select_created()
      .polygon({{55, 102}, {150, 40}, {245, 102}})
      .create_brush(BS_SOLID, 110, 70, 40).select_created().round_rect(135, 140, 170, 200, 12, 12)
      .create_brush(BS_SOLID, 250, 245, 180).select_created()
      .rectangle(85, 120, 120, 150).rectangle(185, 120, 220, 150);
  wmf.create_pen(PS_SOLID, 1, 70, 40, 30).select_created()
      .move_to(102, 120).line_to(102, 150).move_to(85, 135)
      .line_to(120, 135).move_to(202, 120).line_to(202, 150).move_to(185, 135).line_to(220, 135);
  wmf.create_pen(PS_SOLID, 2, 90, 60, 30).select_created()
      .create_brush(BS_SOLID, 120, 80, 40).select_created().rectangle(270, 140, 282, 200)
      .create_brush(BS_SOLID, 40, 130, 60).select_created().ellipse(245, 90, 307, 160);
  wmf.create_pen(PS_DASH, 1, 120, 90, 60).select_created();
  for (int x = 10; x < 60; x += 12) wmf.move_to(x, 185).line_to(x, 215);
  wmf.move_to(4, 195).line_to(62, 195);
  Font font;
  font.height = 18;
  font.weight = 700;
  font.face = "Serif";
  wmf.create_font(font).select_created()
      .set_text_color(60, 30, 20).set_text_align(0).text_out(118, 212, "Home");
  return wmf;
}

// Concentric rings, a star with a hole, and a dotted grid.
WmfBuilder target() {
  WmfBuilder wmf = framed(300, 300);
  wmf.create_pen(PS_DOT, 1, 170, 170, 190).select_created();
  for (int i = 0; i <= 300; i += 30) wmf.move_to(i, 0).line_to(i, 300).move_to(0, i).line_to(300, i);
  const uint8_t ring[][3] = {{200, 40, 40}, {245, 245, 245}, {40, 90, 200}, {245, 245, 245}, {250, 200, 40}};
  wmf.create_pen(PS_SOLID, 2, 30, 30, 30).select_created();
  for (int i = 0; i < 5; ++i) {
    wmf.create_brush(BS_SOLID, ring[i][0], ring[i][1], ring[i][2]).select_created();
    wmf.ellipse(20 + i * 22, 20 + i * 22, 280 - i * 22, 280 - i * 22);
  }
  std::vector<std::pair<int, int>> star, hole;
  for (int i = 0; i < 10; ++i) {
    const double angle = -M_PI / 2 + i * M_PI / 5;
    const double r = i % 2 == 0 ? 34 : 14;
    star.emplace_back(150 + static_cast<int>(std::lround(r * std::cos(angle))),
                      150 + static_cast<int>(std::lround(r * std::sin(angle))));
  }
  for (int i = 0; i < 6; ++i)
    hole.emplace_back(150 + static_cast<int>(std::lround(6 * std::cos(i * M_PI / 3))),
                      150 + static_cast<int>(std::lround(6 * std::sin(i * M_PI / 3))));
  wmf.set_polyfill_mode(1).create_brush(BS_SOLID, 30, 30, 40).select_created()
      .poly_polygon({star, hole});
  return wmf;
}

// 24-bit rows, bottom row first as Windows stores them, padded to 4 bytes.
Bitmap16 gradient(int width, int height) {
  Bitmap16 bitmap;
  bitmap.width = width;
  bitmap.height = height;
  bitmap.bytes_per_row = (width * 3 + 3) / 4 * 4;
  bitmap.bits_per_pixel = 24;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      bitmap.pixels.push_back(static_cast<uint8_t>(255 * y / (height - 1)));          // blue
      bitmap.pixels.push_back(static_cast<uint8_t>(((x / 4 + y / 4) % 2) ? 200 : 80)); // green
      bitmap.pixels.push_back(static_cast<uint8_t>(255 * x / (width - 1)));           // red
    }
    bitmap.pixels.resize(static_cast<size_t>((y + 1) * bitmap.bytes_per_row), 0);
  }
  return bitmap;
}

// Tiles: pattern fills, a bitmap copied and stretched, clipped circles.
WmfBuilder mosaic() {
  WmfBuilder wmf = framed(360, 240);
  wmf.create_brush(BS_SOLID, 235, 230, 220).select_created().pat_blt(0, 0, 360, 240, PATCOPY);
  const uint8_t tiles[][3] = {{220, 90, 60}, {90, 160, 90}, {70, 110, 190}, {230, 190, 70}};
  for (int i = 0; i < 4; ++i)
    wmf.create_brush(BS_SOLID, tiles[i][0], tiles[i][1], tiles[i][2]).select_created()
        .pat_blt(12 + i * 40, 12, 32, 32, PATCOPY);
  const Bitmap16 image = gradient(16, 16);
  wmf.bit_blt(190, 12, 16, 16, 0, 0, SRCCOPY, image);
  wmf.stretch_blt(220, 12, 128, 96, 0, 0, 16, 16, SRCCOPY, image);
  wmf.create_pen(PS_SOLID, 4, 40, 40, 60).select_created()
      .create_brush(BS_SOLID, 250, 250, 250).select_created()
      .round_rect(12, 120, 200, 228, 24, 24);
  wmf.intersect_clip_rect(12, 120, 200, 228).create_pen(PS_SOLID, 1, 40, 40, 60).select_created();
  for (int i = 0; i < 6; ++i)
    wmf.create_brush(BS_SOLID, static_cast<uint8_t>(60 + i * 30), 80, static_cast<uint8_t>(200 - i * 25))
        .select_created()
        .ellipse(-10 + i * 36, 150, 50 + i * 36, 210);
  return wmf;
}

// Streams for the fuzzer to start from: every record kind, and broken ones.
std::vector<std::pair<std::string, WmfBuilder>> seeds() {
  std::vector<std::pair<std::string, WmfBuilder>> out;
  WmfBuilder all = framed(100, 100);
  Font font;
  all.set_bk_color(1, 2, 3).set_polyfill_mode(2).set_text_color(4, 5, 6).move_to(1, 2).line_to(3, 4)
      .intersect_clip_rect(0, 0, 90, 90).ellipse(1, 2, 3, 4).rectangle(1, 2, 3, 4)
      .round_rect(1, 2, 30, 40, 5, 6).pat_blt(1, 2, 3, 4, PATCOPY).text_out(5, 6, "seed")
      .bit_blt(1, 2, 3, 4, 5, 6, SRCCOPY).bit_blt(1, 2, 3, 4, 0, 0, SRCCOPY, gradient(4, 2))
      .stretch_blt(1, 2, 3, 4, 5, 6, 7, 8, SRCCOPY).stretch_blt(1, 2, 30, 40, 0, 0, 4, 2, SRCCOPY, gradient(4, 2))
      .polygon({{0, 0}, {9, 0}, {5, 5}}).polyline({{0, 0}, {9, 9}}).escape(21, {2, 0, 0, 0})
      .set_text_align(6).poly_polygon({{{0, 0}, {5, 0}, {0, 5}}, {{9, 9}, {8, 9}, {9, 8}}})
      .create_pen(0, 1, 1, 2, 3).create_font(font).create_brush(0, 1, 2, 3)
      .select_object(1).ext_text_out(1, 2, "ext", 4, std::vector<int>{1, 2, 3});
  out.emplace_back("every-record.wmf", all);
  WmfBuilder plain;
  plain.set_window_ext(10, 10).rectangle(1, 1, 9, 9);
  out.emplace_back("no-placeable.wmf", plain);
  WmfBuilder lying = framed(50, 50);
  lying.record(0x24, 3).words({400, 1, 2, 3, 4}).end()
      .record(0x38, 5).words({7, 100, 2}).end()
      .record(0x21, 5).words({90, 0x4141}).end()
      .record(0x22, 9).words({0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}).end()
      .record(0xFF, 6).words({0, 6, 1, 0, 50, 1, 9, 0, 0, 9, 9}).end()
      .record(0x2D, 1).word(1).size_words(9000).end();
  out.emplace_back("lying-counts.wmf", lying);
  WmfBuilder truncated = framed(50, 50);
  truncated.header_size_words(5).without_eof().trailing({7, 0, 0});
  out.emplace_back("short-header.wmf", truncated);
  return out;
}

bool write_all(const std::string& dir, const std::vector<std::pair<std::string, WmfBuilder>>& files) {
  for (const auto& [name, wmf] : files) {
    const std::string path = dir + "/" + name;
    if (!wmf.write_to(path)) {
      std::fprintf(stderr, "make-samples: cannot write %s\n", path.c_str());
      return false;
    }
    std::printf("%s\n", path.c_str());
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--seeds") == 0) return write_all(argv[2], seeds()) ? 0 : 1;
  if (argc != 2 || argv[1][0] == '-') {
    std::fprintf(stderr, "usage: make-samples DIR | make-samples --seeds DIR\n");
    return 2;
  }
  return write_all(argv[1], {{"sunset.wmf", sunset()}, {"house.wmf", house()},
                             {"target.wmf", target()}, {"mosaic.wmf", mosaic()}})
             ? 0
             : 1;
}
