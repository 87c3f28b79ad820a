#include "tests/render/render_probe.h"

#include <cstdlib>
#include <cstring>

namespace vellum::test {

Picture::~Picture() { std::free(target.Pixels); }

Colour Picture::at(int x, int y) const {
  if (target.Pixels == nullptr || x < 0 || y < 0 || uint32_t(x) >= target.Width ||
      uint32_t(y) >= target.Height)
    return {0, 0, 0, 0};
  uint32_t word;
  std::memcpy(&word, static_cast<const uint8_t*>(target.Pixels) +
                         (size_t(y) * target.Width + size_t(x)) * 4,
              4);
  const int a = int(word >> 24);
  if (a == 0) return {0, 0, 0, 0};
  auto channel = [&](int shift) { return (int((word >> shift) & 0xFF) * 255 + a / 2) / a; };
  return {a, channel(16), channel(8), channel(0)};
}

Bounds Picture::ink_bounds() const {
  Bounds b{int(target.Width), int(target.Height), -1, -1};
  for (int y = 0; y < int(target.Height); ++y)
    for (int x = 0; x < int(target.Width); ++x)
      if (inked(x, y)) {
        if (x < b.left) b.left = x;
        if (x > b.right) b.right = x;
        if (y < b.top) b.top = y;
        if (y > b.bottom) b.bottom = y;
      }
  return b;
}

uint64_t Picture::total_alpha() const {
  uint64_t sum = 0;
  for (int y = 0; y < int(target.Height); ++y)
    for (int x = 0; x < int(target.Width); ++x) sum += uint64_t(at(x, y).alpha);
  return sum;
}

void render_into(Picture& picture, const std::vector<uint8_t>& bytes, uint32_t limit) {
  std::vector<uint8_t> copy = bytes;
  MemoryMetafile memory{copy.data(), int32_t(copy.size())};
  picture.played = play_memory(&memory, &picture.target, limit);
}

WmfBuilder forward_canvas(int width, int height) {
  WmfBuilder wmf;
  wmf.placeable(0, 0, width, height).set_window_ext(width, height);
  return wmf;
}

bool looks(const Colour& c, int red, int green, int blue) {
  auto near = [](int a, int b) { return a - b <= 2 && b - a <= 2; };
  return c.alpha == 255 && near(c.red, red) && near(c.green, green) && near(c.blue, blue);
}

std::string describe(const Colour& c) {
  return "argb(" + std::to_string(c.alpha) + "," + std::to_string(c.red) + "," +
         std::to_string(c.green) + "," + std::to_string(c.blue) + ")";
}

}  // namespace vellum::test
