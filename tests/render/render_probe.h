// Renders builder-made pictures in memory and reads their pixels back, for
// tests that probe colours at chosen points and the bounds of the ink.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "render/playback.h"
#include "tests/support/wmf_builder.h"

namespace vellum::test {

// One pixel, unpremultiplied back to 0..255 channels.
struct Colour {
  int alpha, red, green, blue;
};

struct Bounds {
  int left, top, right, bottom;  // inclusive; left > right when nothing is inked
  bool empty() const { return left > right; }
};

class Picture {
 public:
  Picture() = default;
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;
  ~Picture();

  RenderTarget target{nullptr, 0, 0};
  int played = -2;  // what play_memory returned

  uint32_t width() const { return target.Width; }
  uint32_t height() const { return target.Height; }
  Colour at(int x, int y) const;
  bool inked(int x, int y) const { return at(x, y).alpha > 0; }
  Bounds ink_bounds() const;
  // Sum of the alpha of every pixel: how much ink there is in all.
  uint64_t total_alpha() const;
};

// A copy of the bytes is played (play_memory converts in place).
void render_into(Picture& picture, const std::vector<uint8_t>& bytes,
                 uint32_t limit = DEFAULT_FIT_LIMIT);

// A w x h frame at the origin with forward axes: logical unit = pixel.
WmfBuilder forward_canvas(int width = 100, int height = 100);

// Within 2 of the wanted opaque colour (cairo takes bytes as c / 256).
bool looks(const Colour& c, int red, int green, int blue);
std::string describe(const Colour& c);

}  // namespace vellum::test
