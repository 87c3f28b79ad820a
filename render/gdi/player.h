// One playback of the GDI player: the cairo context it draws on, the DC
// state with its SAVEDC stack, the object table, and what was skipped.
// Handlers (render/gdi/handlers.h) take the player and one record.
#pragma once

#include <cstdint>
#include <vector>

#include "metafile/record_walk.h"
#include "render/draw/mapping.h"
#include "render/gdi/dc_state.h"
#include "render/gdi/object_table.h"
#include "render/skip_tally.h"

typedef struct _cairo cairo_t;

namespace vellum::gdi {

// SAVEDC beyond this depth is ignored (each level copies the whole state).
inline constexpr size_t MAX_SAVE_DEPTH = 1024;

// cairo's antialiased strokes cost time for every pixel of their length, a
// dozen times what aliased ones cost; a file of many long lines would cost
// its records times the picture's size. Once a picture has stroked this many
// device pixels of lines, the rest are stroked without antialiasing.
inline constexpr double SMOOTH_STROKE_PIXELS = 8e6;

struct Player {
  Player(cairo_t* context, uint16_t object_slots) : cr(context), objects(object_slots) {}

  cairo_t* cr;
  DcState dc;
  std::vector<DcState> saved;
  ObjectTable objects;
  SkipTally* skipped = nullptr;
  // The output rectangle (0, 0)-(width, height) in cr's user space.
  double width = 0, height = 0;
  // Viewport and map-mode records are skipped: the host's frame stays.
  bool caller_viewport = false;
  // Set whenever dc.clip changes; sync_clip() brings cairo up to date.
  bool clip_dirty = false;
  // The length of the lines stroked so far, in device pixels.
  double stroked_pixels = 0;

  const draw::Mapping& mapping() const { return dc.mapping; }
  draw::Colour colour(uint32_t colorref) const { return resolve_colour(colorref, *dc.palette); }
};

// Makes cairo's clip the DC's clip when it changed. Call before painting.
void sync_clip(Player& player);

}  // namespace vellum::gdi
