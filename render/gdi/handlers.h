// The record handlers of the GDI player, one per played record type, each
// called with the player and the record (its parameters as a bounded
// reader). dispatch.cpp lists them by type; a handler file adds its
// declaration here and one line there.
#pragma once

#include "metafile/record_walk.h"
#include "render/gdi/player.h"

namespace vellum::gdi {

using Handler = void (*)(Player& player, const Record& record);

// state_records.cpp: DC attributes, SAVEDC/RESTOREDC, ignored records.
void play_setbkcolor(Player&, const Record&);
void play_setbkmode(Player&, const Record&);
void play_setrop2(Player&, const Record&);
void play_setrelabs(Player&, const Record&);
void play_setpolyfillmode(Player&, const Record&);
void play_settextcharextra(Player&, const Record&);
void play_settextcolor(Player&, const Record&);
void play_settextjustification(Player&, const Record&);
void play_settextalign(Player&, const Record&);
void play_setmapperflags(Player&, const Record&);
void play_savedc(Player&, const Record&);
void play_restoredc(Player&, const Record&);
void play_escape(Player&, const Record&);

// mapping_records.cpp: map mode, window and viewport.
void play_setmapmode(Player&, const Record&);
void play_setwindoworg(Player&, const Record&);
void play_setwindowext(Player&, const Record&);
void play_setviewportorg(Player&, const Record&);
void play_setviewportext(Player&, const Record&);
void play_offsetwindoworg(Player&, const Record&);
void play_scalewindowext(Player&, const Record&);
void play_offsetviewportorg(Player&, const Record&);
void play_scaleviewportext(Player&, const Record&);

// object_records.cpp: the object table.
void play_createpenindirect(Player&, const Record&);
void play_createbrushindirect(Player&, const Record&);
void play_createfontindirect(Player&, const Record&);
void play_createpalette(Player&, const Record&);
void play_selectobject(Player&, const Record&);
void play_selectpalette(Player&, const Record&);
void play_deleteobject(Player&, const Record&);
void play_realizepalette(Player&, const Record&);
void play_setpalentries(Player&, const Record&);
void play_resizepalette(Player&, const Record&);

// line_records.cpp: the current position and open figures.
void play_moveto(Player&, const Record&);
void play_lineto(Player&, const Record&);
void play_polyline(Player&, const Record&);
void play_arc(Player&, const Record&);

// shape_records.cpp: closed figures, filled then outlined; pixels.
void play_rectangle(Player&, const Record&);
void play_roundrect(Player&, const Record&);
void play_ellipse(Player&, const Record&);
void play_pie(Player&, const Record&);
void play_chord(Player&, const Record&);
void play_polygon(Player&, const Record&);
void play_polypolygon(Player&, const Record&);
void play_setpixel(Player&, const Record&);

// flood_records.cpp: fills of the pixels already drawn.
void play_floodfill(Player&, const Record&);
void play_extfloodfill(Player&, const Record&);

// text_records.cpp: TEXTOUT and EXTTEXTOUT.
void play_textout(Player&, const Record&);
void play_exttextout(Player&, const Record&);

// bitmap_records.cpp: bitmaps and raster operations.
void play_setstretchbltmode(Player&, const Record&);
void play_patblt(Player&, const Record&);
void play_bitblt(Player&, const Record&);
void play_stretchblt(Player&, const Record&);
void play_setdibtodev(Player&, const Record&);
void play_dibbitblt(Player&, const Record&);
void play_dibstretchblt(Player&, const Record&);
void play_stretchdib(Player&, const Record&);

// pattern_brush_records.cpp: pattern brushes into the object table.
void play_dibcreatepatternbrush(Player&, const Record&);
void play_createpatternbrush(Player&, const Record&);

// region_records.cpp: region objects and region painting.
void play_createregion(Player&, const Record&);
void play_fillregion(Player&, const Record&);
void play_frameregion(Player&, const Record&);
void play_paintregion(Player&, const Record&);
void play_invertregion(Player&, const Record&);

// clip_records.cpp: the clip.
void play_excludecliprect(Player&, const Record&);
void play_intersectcliprect(Player&, const Record&);
void play_offsetcliprgn(Player&, const Record&);
void play_selectclipregion(Player&, const Record&);

}  // namespace vellum::gdi
