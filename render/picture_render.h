// One picture through either player, sized by a SizeRequest: into ARGB32
// pixels, or onto any cairo context (SVG, PDF, PostScript surfaces) at the
// planned size. Both ways say which records were skipped and whether the
// picture painted anything at all.
#pragma once

#include <cstddef>
#include <cstdint>

#include "render/gdi/gdi_player.h"
#include "render/picture_fit.h"
#include "render/skip_tally.h"

typedef struct _cairo cairo_t;

namespace vellum {

// gdi: the GDI player, which draws real files as Windows does. exact: the
// exact player of the library module, which plays its own 23 record types.
enum class Player { gdi, exact };

// drawing_failed: cairo's context ended in an error state other than
// running out of memory, so the picture is not what the file draws.
enum class PictureStatus { ok, not_a_picture, no_units_per_inch, too_large, no_memory, drawing_failed };

// A picture ready to draw. The bytes stay the caller's and unchanged.
struct PicturePlan {
  const uint8_t* data;
  size_t size;
  Player player;
  PixelFit fit;
  uint32_t exact_limit;       // the fitting limit the exact player is given
  gdi::PlayOptions gdi_play; // how the GDI player plays; the caller may change it
  uint32_t time_budget_ms;   // each playback stops once it has run this long; 0: no budget
};

// Finds the picture's frame and its size in pixels (fit is filled as far
// as it is known also when the picture is too large). The exact player
// keeps its own fitting (the width follows the limit) when only a square is
// asked; other requests are met as far as it can (it never enlarges). A
// picture of more than request.max_pixels pixels is too_large.
PictureStatus plan_picture(const uint8_t* data, size_t size, Player player, const SizeRequest& request,
                           PicturePlan* plan);

// What one drawing learnt about the picture.
struct DrawReport {
  SkipTally skipped;
  bool transparent = false;  // no pixel painted (before the background)
  bool truncated = false;    // the time budget stopped playback; what was drawn is kept
};

// Colours are 0xAARRGGBB, not premultiplied; an alpha of 0 paints nothing.
// Renders into fit.width x fit.height ARGB32 words (stride width * 4,
// premultiplied), allocated with std::calloc for the caller to free.
PictureStatus render_pixels(const PicturePlan& plan, uint32_t background, uint32_t** pixels, DrawReport* report);

// Draws onto cr's user space (0, 0)-(fit.width, fit.height): the GDI player
// as paths and text, the exact player as an image of its pixels.
PictureStatus draw_picture(const PicturePlan& plan, cairo_t* cr, uint32_t background, DrawReport* report);

}  // namespace vellum
