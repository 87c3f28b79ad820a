// The GDI player's entry points: the frame, the record walk, the dispatch.
#include "render/gdi/gdi_player.h"

#include <cairo.h>

#include <cmath>
#include <cstdlib>

#include "metafile/record_walk.h"
#include "render/gdi/dispatch.h"
#include "render/gdi/player.h"

namespace vellum::gdi {

namespace {

// SETWINDOWORG / SETWINDOWEXT record types.
constexpr uint8_t TYPE_SETWINDOWORG = 0x0B;
constexpr uint8_t TYPE_SETWINDOWEXT = 0x0C;

bool frame_of(ByteReader stream, const StreamStart& start, Frame* frame) {
  if (start.placeable) {
    *frame = {start.left, start.top, start.right, start.bottom, start.units_per_inch, true};
    return frame->width() != 0 && frame->height() != 0;
  }
  // The first window origin (0, 0 without one) and the first extent.
  bool have_org = false, have_ext = false;
  int32_t org_x = 0, org_y = 0, ext_x = 0, ext_y = 0;
  RecordWalk walk(stream);
  Record record;
  while ((!have_org || !have_ext) && walk.next(&record)) {
    const uint8_t type = record.type();
    if ((type != TYPE_SETWINDOWORG || have_org) && (type != TYPE_SETWINDOWEXT || have_ext))
      continue;
    ByteReader in = record.params;
    const int16_t y = in.i16();
    const int16_t x = in.i16();
    if (in.failed()) continue;
    if (type == TYPE_SETWINDOWORG) {
      org_x = x, org_y = y, have_org = true;
    } else {
      ext_x = std::abs(int32_t(x)), ext_y = std::abs(int32_t(y)), have_ext = true;
    }
  }
  if (!have_ext || ext_x == 0 || ext_y == 0) return false;
  *frame = {org_x, org_y, org_x + ext_x, org_y + ext_y, 0, false};
  return true;
}

}  // namespace

bool find_frame(const uint8_t* data, size_t size, Frame* frame) {
  if (data == nullptr || frame == nullptr) return false;
  ByteReader stream(data, size, ByteOrder::little);
  StreamStart start;
  if (!read_stream_start(stream, &start)) return false;
  return frame_of(stream, start, frame);
}

bool plays(uint8_t type) { return handler_for(type) != nullptr; }

int play(const uint8_t* data, size_t size, cairo_t* cr, double width, double height,
         SkipTally* skipped) {
  return play(data, size, cr, width, height, skipped, PlayOptions{});
}

int play(const uint8_t* data, size_t size, cairo_t* cr, double width, double height,
         SkipTally* skipped, const PlayOptions& options) {
  if (data == nullptr || cr == nullptr) return -1;
  ByteReader stream(data, size, ByteOrder::little);
  StreamStart start;
  if (!read_stream_start(stream, &start)) return -1;
  if (cairo_status(cr) != CAIRO_STATUS_SUCCESS) return 0;

  Player player(cr, start.objects);
  player.skipped = skipped;
  player.width = width;
  player.height = height;
  player.caller_viewport = options.caller_viewport;
  Frame frame{};
  if (frame_of(stream, start, &frame) && std::isfinite(width) && std::isfinite(height))
    player.dc.mapping =
        draw::frame_mapping(frame.left, frame.top, frame.width(), frame.height(), width, height);

  cairo_save(cr);  // the caller's state, restored at the end
  cairo_save(cr);  // the level sync_clip() resets to for each new clip
  RecordWalk walk(stream);
  Record record;
  bool truncated = false;
  while (walk.next(&record)) {
    if (options.deadline && options.deadline->passed()) {
      truncated = true;
      break;
    }
    const Handler handler = handler_for(record.type());
    if (handler == nullptr) {
      if (skipped != nullptr) skipped->add(record.type());
      continue;
    }
    handler(player, record);
    // A context in an error state draws nothing more.
    if (cairo_status(cr) != CAIRO_STATUS_SUCCESS) break;
  }
  cairo_restore(cr);
  cairo_restore(cr);
  return truncated ? 1 : 0;
}

}  // namespace vellum::gdi
