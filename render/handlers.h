// The record handlers of the playback, one per played record type, each
// called as handler(record, state) with the record inside the converted
// buffer. A handler decodes its record and does nothing when the decoder
// refuses it.
#pragma once

#include <cstdint>

#include "metafile/records.h"
#include "render/playback.h"

namespace vellum {

using RecordHandler = void (*)(const uint8_t* record, PlaybackState* state);

// State and mapping.
void play_SETBKCOLOR(const uint8_t* record, PlaybackState* state);
void play_SETMAPMODE(const uint8_t* record, PlaybackState* state);
void play_SETPOLYFILLMODE(const uint8_t* record, PlaybackState* state);
void play_SETTEXTCOLOR(const uint8_t* record, PlaybackState* state);
void play_SETWINDOWEXT(const uint8_t* record, PlaybackState* state);
void play_SETTEXTALIGN(const uint8_t* record, PlaybackState* state);

// Pens, brushes and fonts.
void play_CREATEPENINDIRECT(const uint8_t* record, PlaybackState* state);
void play_CREATEBRUSHINDIRECT(const uint8_t* record, PlaybackState* state);
void play_CREATEFONTINDIRECT(const uint8_t* record, PlaybackState* state);

// Text and escapes.
void play_TEXTOUT(const uint8_t* record, PlaybackState* state);
void play_ESCAPE(const uint8_t* record, PlaybackState* state);
void select_text_font(cairo_t* cr, const PlaybackState* state);

// Lines and polygons.
void play_MOVETO(const uint8_t* record, PlaybackState* state);
void play_LINETO(const uint8_t* record, PlaybackState* state);
void play_POLYLINE(const uint8_t* record, PlaybackState* state);
void play_POLYGON(const uint8_t* record, PlaybackState* state);
void play_POLYPOLYGON(const uint8_t* record, PlaybackState* state);
// Points as the decoders hand them out: the claimed counts are cut to the
// whole points and counts the readers hold.
void append_point_path(PointList list, PlaybackState* state);
void append_polygon_set(PolygonSet set, PlaybackState* state);

// Rectangles, ellipses, rounded rectangles and the clip.
inline constexpr double DEGREE = 0.01745329;
void play_RECTANGLE(const uint8_t* record, PlaybackState* state);
void play_ELLIPSE(const uint8_t* record, PlaybackState* state);
void play_ROUNDRECT(const uint8_t* record, PlaybackState* state);
void play_INTERSECTCLIPRECT(const uint8_t* record, PlaybackState* state);

// Raster operations and bitmaps.
void play_PATBLT(const uint8_t* record, PlaybackState* state);
void play_BITBLT(const uint8_t* record, PlaybackState* state);
void play_STRETCHBLT(const uint8_t* record, PlaybackState* state);

// Where and how large a bitmap's pixels land: its source corner at
// (X, Y), one bitmap pixel per logical unit unless a source size is given,
// in which case source_width x source_height pixels cover w x h units.
struct BitmapPlacement {
  double x, y, w, h;
  int16_t source_x, source_y;
  int16_t source_width, source_height;  // 0: not stretched
};
// `pixels`: the pixel data the record holds (none without bitmap).
void draw_bitmap_in_rect(PlaybackState* state, const BitmapPlacement& place,
                         const Bitmap16Header& header, ByteReader pixels);

}  // namespace vellum
