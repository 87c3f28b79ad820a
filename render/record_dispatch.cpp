// The table of the 23 played record types and the dispatch of one record.
#include <array>

#include "metafile/record_types.h"
#include "metafile/stream_layout.h"
#include "render/handlers.h"
#include "render/skip_tally.h"

namespace vellum {

namespace {

struct Dispatch {
  uint8_t type;
  RecordHandler handler;
};

// The only record types that are played, by type; every other one is skipped.
constexpr Dispatch DISPATCH_TABLE[] = {
    {U_WMR_SETBKCOLOR, play_SETBKCOLOR},
    {U_WMR_SETMAPMODE, play_SETMAPMODE},
    {U_WMR_SETPOLYFILLMODE, play_SETPOLYFILLMODE},
    {U_WMR_SETTEXTCOLOR, play_SETTEXTCOLOR},
    {U_WMR_SETWINDOWEXT, play_SETWINDOWEXT},
    {U_WMR_LINETO, play_LINETO},
    {U_WMR_MOVETO, play_MOVETO},
    {U_WMR_INTERSECTCLIPRECT, play_INTERSECTCLIPRECT},
    {U_WMR_ELLIPSE, play_ELLIPSE},
    {U_WMR_RECTANGLE, play_RECTANGLE},
    {U_WMR_ROUNDRECT, play_ROUNDRECT},
    {U_WMR_PATBLT, play_PATBLT},
    {U_WMR_TEXTOUT, play_TEXTOUT},
    {U_WMR_BITBLT, play_BITBLT},
    {U_WMR_STRETCHBLT, play_STRETCHBLT},
    {U_WMR_POLYGON, play_POLYGON},
    {U_WMR_POLYLINE, play_POLYLINE},
    {U_WMR_ESCAPE, play_ESCAPE},
    {U_WMR_SETTEXTALIGN, play_SETTEXTALIGN},
    {U_WMR_POLYPOLYGON, play_POLYPOLYGON},
    {U_WMR_CREATEPENINDIRECT, play_CREATEPENINDIRECT},
    {U_WMR_CREATEFONTINDIRECT, play_CREATEFONTINDIRECT},
    {U_WMR_CREATEBRUSHINDIRECT, play_CREATEBRUSHINDIRECT},
};

static_assert(dispatch_table_fits_record_types(DISPATCH_TABLE, [](const Dispatch& d) { return d.type; }));

// The same table indexed by the type byte, for one lookup per record.
constexpr std::array<RecordHandler, 256> make_handler_index() {
  std::array<RecordHandler, 256> index{};
  for (const Dispatch& d : DISPATCH_TABLE) index[d.type] = d.handler;
  return index;
}
constexpr std::array<RecordHandler, 256> HANDLER_BY_TYPE = make_handler_index();

}  // namespace

bool plays(uint8_t type) { return HANDLER_BY_TYPE[type] != nullptr; }

int64_t dispatch_record(const uint8_t* buffer, const uint8_t* buffer_end, size_t offset,
                        PlaybackState* state) {
  const size_t size = size_t(buffer_end - buffer);
  if (offset > size || size - offset < RECORD_HEADER_SIZE) return -1;
  const uint8_t* record = buffer + offset;
  const uint32_t bytes = bounded_record_size(record, buffer_end);
  if (bytes == 0) return -1;
  const uint8_t type = record[4];
  if (type == U_WMR_EOF) return 0;
  if (RecordHandler handler = HANDLER_BY_TYPE[type]) {
    handler(record, state);
  } else if (state->skipped) {
    state->skipped->add(type);
  }
  return bytes;
}

}  // namespace vellum
