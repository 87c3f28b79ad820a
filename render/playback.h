// The playback driver: a WMF file or memory image in, an ARGB32 picture out.
#pragma once

#include <cstddef>
#include <cstdint>

#include "render/draw/colour.h"
#include "render/draw/deadline.h"
#include "render/draw/pen.h"

typedef struct _cairo cairo_t;

namespace vellum {

class SkipTally;
class StrokeLedger;

// Where a playback puts its picture. The library's ImageResult and the
// class's instance data each hold one. Pixels: Width x Height ARGB32 words,
// premultiplied, stride Width * 4, allocated with std::calloc and owned by
// whoever owns the target; the driver frees the previous buffer.
struct RenderTarget {
  void* Pixels;
  uint32_t Width;
  uint32_t Height;
};

// A metafile image in memory, in file byte order (converted in place).
struct MemoryMetafile {
  uint8_t* Data;
  int32_t Size;
};

// The per-playback state every handler shares. Allocated zero-filled, so
// before the first object record the pen is solid, 0 wide, black, with round
// caps and joins, fill and text are black, and both axes are mirrored. The
// pen and the colours are the value types both players draw with; the
// font stays a face of up to 151 bytes, and the frame, the extent signs and
// the fill colour keep this player's own rules (see render/drawing_objects.h).
struct PlaybackState {
  cairo_t* cr;
  int32_t ext_x_positive;   // 1 after a window extent with x >= 0
  int32_t ext_y_positive;
  int32_t origin_x;         // bounding box left, logical units
  int32_t origin_y;         // bounding box top
  double frame_width;       // right - left, taken as unsigned 32-bit
  double frame_height;
  draw::Pen pen;            // the last pen record's style word, width and colour
  draw::Colour fill;        // the last solid or hatched brush, or background colour
  draw::Colour text;
  char font_face[152];      // NUL-terminated, at most 151 bytes
  int32_t font_height;
  int32_t font_weight;
  int32_t font_italic;
  int32_t font_charset;     // character set byte of the current font
  int32_t stroke_pending;   // 1 while a stroke of the grown path waits to be painted
  SkipTally* skipped;       // when set, every record type without handler is counted here
  StrokeLedger* ledger;     // set by play_records: keeps re-stroking the path linear
  draw::Deadline* deadline; // when set, playback stops once it passes
  int32_t truncated;        // 1 when the deadline stopped playback
  int32_t cairo_failed;     // 1 when cairo's context ended in an error state
};

inline constexpr uint32_t DEFAULT_FIT_LIMIT = 200;

// Reads the file whole, converts it, plays it onto target fitted to `limit`.
// 0 once the file was read and playback ran; -1 when the file cannot be
// read or memory ran out before playback (target then untouched).
int play_file(const char* path, RenderTarget* target, uint32_t limit);

// Plays a memory image, converting the caller's bytes in place.
// -1 for NULL data or a size not above 0, else 0.
int play_memory(MemoryMetafile* metafile, RenderTarget* target, uint32_t limit);

// As play_file and play_memory, and counts by type every record the
// playback passes over (a type it has no handler for) into *skipped, which
// the caller clears; records after the end of the walk are not counted.
int play_file_counting_skips(const char* path, RenderTarget* target, uint32_t limit,
                             SkipTally* skipped);
int play_memory_counting_skips(MemoryMetafile* metafile, RenderTarget* target, uint32_t limit,
                               SkipTally* skipped);

// What a caller may watch over one playback: the records passed over (when
// skipped is set), a time budget (when deadline is set), and what ended it.
struct PlayWatch {
  SkipTally* skipped = nullptr;
  draw::Deadline* deadline = nullptr;
  bool truncated = false;     // the deadline stopped playback; what was drawn is kept
  bool cairo_failed = false;  // cairo's context ended in an error state
};

// As play_memory, watched.
int play_memory_watched(MemoryMetafile* metafile, RenderTarget* target, uint32_t limit, PlayWatch* watch);

// Whether this player plays records of this type (the low byte of the
// function word); it passes over every other type.
bool plays(uint8_t type);

// Plays a converted buffer onto target; state must be zero-filled (with
// `skipped` and `deadline` set when wanted). Sets state->truncated when the
// deadline stopped it and state->cairo_failed when cairo ended in error.
void play_records(const uint8_t* buffer, size_t size, PlaybackState* state,
                  RenderTarget* target, uint32_t limit);

// Plays the record at buffer + offset: its size in bytes, 0 at the
// end-of-file record, -1 when the record cannot be used.
int64_t dispatch_record(const uint8_t* buffer, const uint8_t* buffer_end, size_t offset,
                        PlaybackState* state);

}  // namespace vellum
