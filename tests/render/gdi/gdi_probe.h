// Plays builder-made pictures through the GDI player into a pixel buffer
// and reads pixels back, for per-feature probes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "render/gdi/gdi_player.h"
#include "render/skip_tally.h"
#include "tests/support/wmf_builder.h"

namespace vellum::test {

struct Rgba {
  int alpha, red, green, blue;
};

class GdiPicture {
 public:
  int width = 0, height = 0;
  int played = -2;
  SkipTally skipped;
  std::vector<uint32_t> pixels;  // premultiplied ARGB32

  Rgba at(int x, int y) const;
  // Opaque and within 3 of the colour on every channel.
  bool is(int x, int y, int red, int green, int blue) const;
  bool blank(int x, int y) const { return at(x, y).alpha == 0; }
  // Pixels with any ink.
  int inked() const;
  // The inked pixels' bounds, inclusive, within [x0, x1) x [y0, y1) (the
  // whole picture by default); left > right when there is none.
  struct Bounds {
    int left, top, right, bottom;
    int width() const { return right - left + 1; }
    int height() const { return bottom - top + 1; }
  };
  Bounds ink_bounds(int x0 = 0, int y0 = 0, int x1 = -1, int y1 = -1) const;
  std::string describe(int x, int y) const;
};

struct GdiOptions {
  bool white = false;             // paint the surface white first
  bool caller_viewport = false;
};

// Plays `bytes` onto a width x height surface, the frame mapped onto it.
GdiPicture play_gdi(const std::vector<uint8_t>& bytes, int width, int height,
                    GdiOptions options = {});

// A placeable w x h frame whose window is the same: one logical unit per
// pixel when played at w x h.
WmfBuilder gdi_canvas(int width = 100, int height = 100);

}  // namespace vellum::test
