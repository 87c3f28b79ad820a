// The GDI player into a pixel buffer: the frame fitted to a size limit as
// the placeable-file player fits it (render/fitting.h), optionally over a background.
#pragma once

#include <cstddef>
#include <cstdint>

#include "render/gdi/gdi_player.h"
#include "render/playback.h"

namespace vellum::gdi {

struct ImageOptions {
  PlayOptions play;
  bool opaque_background = false;  // fill with background_rgb first
  uint32_t background_rgb = 0xFFFFFF;
};

enum class ImageResult { ok, not_metafile, no_frame, too_large };

// Fits the frame to `limit` (width-led, see fit_to_limit), allocates
// target->Pixels with calloc (the old buffer is freed) and plays.
ImageResult render_image(const uint8_t* data, size_t size, uint32_t limit, RenderTarget* target,
                         SkipTally* skipped, const ImageOptions& options);

}  // namespace vellum::gdi
