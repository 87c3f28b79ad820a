// Every record type the GDI player plays, one line each, sorted by type
// (checked at compile time). A new handler adds its line here.
#include "render/gdi/dispatch.h"

#include <array>

#include "metafile/record_types.h"

namespace vellum::gdi {

namespace {

struct Entry {
  uint8_t type;
  Handler handler;
};

constexpr Entry TABLE[] = {
    {0x01, play_setbkcolor},
    {0x02, play_setbkmode},
    {0x03, play_setmapmode},
    {0x04, play_setrop2},
    {0x05, play_setrelabs},
    {0x06, play_setpolyfillmode},
    {0x07, play_setstretchbltmode},
    {0x08, play_settextcharextra},
    {0x09, play_settextcolor},
    {0x0A, play_settextjustification},
    {0x0B, play_setwindoworg},
    {0x0C, play_setwindowext},
    {0x0D, play_setviewportorg},
    {0x0E, play_setviewportext},
    {0x0F, play_offsetwindoworg},
    {0x10, play_scalewindowext},
    {0x11, play_offsetviewportorg},
    {0x12, play_scaleviewportext},
    {0x13, play_lineto},
    {0x14, play_moveto},
    {0x15, play_excludecliprect},
    {0x16, play_intersectcliprect},
    {0x17, play_arc},
    {0x18, play_ellipse},
    {0x19, play_floodfill},
    {0x1A, play_pie},
    {0x1B, play_rectangle},
    {0x1C, play_roundrect},
    {0x1D, play_patblt},
    {0x1E, play_savedc},
    {0x1F, play_setpixel},
    {0x20, play_offsetcliprgn},
    {0x21, play_textout},
    {0x22, play_bitblt},
    {0x23, play_stretchblt},
    {0x24, play_polygon},
    {0x25, play_polyline},
    {0x26, play_escape},
    {0x27, play_restoredc},
    {0x28, play_fillregion},
    {0x29, play_frameregion},
    {0x2A, play_invertregion},
    {0x2B, play_paintregion},
    {0x2C, play_selectclipregion},
    {0x2D, play_selectobject},
    {0x2E, play_settextalign},
    {0x30, play_chord},
    {0x31, play_setmapperflags},
    {0x32, play_exttextout},
    {0x33, play_setdibtodev},
    {0x34, play_selectpalette},
    {0x35, play_realizepalette},
    {0x37, play_setpalentries},
    {0x38, play_polypolygon},
    {0x39, play_resizepalette},
    {0x40, play_dibbitblt},
    {0x41, play_dibstretchblt},
    {0x42, play_dibcreatepatternbrush},
    {0x43, play_stretchdib},
    {0x48, play_extfloodfill},
    {0xF0, play_deleteobject},
    {0xF7, play_createpalette},
    {0xF9, play_createpatternbrush},
    {0xFA, play_createpenindirect},
    {0xFB, play_createfontindirect},
    {0xFC, play_createbrushindirect},
    {0xFF, play_createregion},
};

constexpr bool sorted_and_unique() {
  for (size_t i = 1; i < std::size(TABLE); ++i)
    if (TABLE[i - 1].type >= TABLE[i].type) return false;
  for (const Entry& e : TABLE)
    if (e.type == 0x00) return false;  // 0 is the end-of-file record
  return true;
}
static_assert(sorted_and_unique(), "dispatch TABLE must be sorted by type, one line per type");
static_assert(dispatch_table_fits_record_types(TABLE, [](const Entry& e) { return e.type; }));

constexpr std::array<Handler, 256> make_lookup() {
  std::array<Handler, 256> lookup{};
  for (const Entry& e : TABLE) lookup[e.type] = e.handler;
  return lookup;
}

constexpr std::array<Handler, 256> LOOKUP = make_lookup();

}  // namespace

Handler handler_for(uint8_t type) { return LOOKUP[type]; }

}  // namespace vellum::gdi
