// DC attributes, SAVEDC/RESTOREDC, and the records GDI accepts without
// drawing anything on a true-colour surface.
#include "render/gdi/handlers.h"

namespace vellum::gdi {

void play_setbkcolor(Player& p, const Record& r) {
  ByteReader in = r.params;
  const uint32_t colorref = in.u32();
  if (!in.failed()) p.dc.bk_colour = p.colour(colorref);
}

void play_setbkmode(Player& p, const Record& r) {
  ByteReader in = r.params;
  const uint16_t mode = in.u16();
  if (!in.failed() && (mode == BK_TRANSPARENT || mode == BK_OPAQUE)) p.dc.bk_mode = mode;
}

void play_setrop2(Player& p, const Record& r) {
  ByteReader in = r.params;
  const uint16_t mode = in.u16();
  if (!in.failed() && mode >= draw::R2_BLACK && mode <= draw::R2_WHITE) p.dc.rop2 = mode;
}

void play_setrelabs(Player&, const Record&) {}

void play_setpolyfillmode(Player& p, const Record& r) {
  ByteReader in = r.params;
  const uint16_t mode = in.u16();
  if (!in.failed() && (mode == POLYFILL_ALTERNATE || mode == POLYFILL_WINDING))
    p.dc.poly_fill_mode = mode;
}

void play_settextcharextra(Player& p, const Record& r) {
  ByteReader in = r.params;
  const int16_t extra = in.i16();
  if (!in.failed()) p.dc.char_extra = extra;
}

void play_settextcolor(Player& p, const Record& r) {
  ByteReader in = r.params;
  const uint32_t colorref = in.u32();
  if (!in.failed()) p.dc.text_colour = p.colour(colorref);
}

void play_settextjustification(Player& p, const Record& r) {
  ByteReader in = r.params;
  const int16_t count = in.i16();
  const int16_t extra = in.i16();
  if (in.failed()) return;
  p.dc.break_count = count;
  p.dc.break_extra = extra;
}

void play_settextalign(Player& p, const Record& r) {
  ByteReader in = r.params;
  const uint16_t align = in.u16();
  if (!in.failed()) p.dc.text_align = align;
}

void play_setmapperflags(Player& p, const Record& r) {
  ByteReader in = r.params;
  const uint32_t flags = in.u32();
  if (!in.failed()) p.dc.mapper_flags = flags;
}

void play_savedc(Player& p, const Record&) {
  if (p.saved.size() < MAX_SAVE_DEPTH) p.saved.push_back(p.dc);
}

// n < 0: relative (-1 the latest save); n > 0: absolute depth (1 the
// first save). Everything above the restored entry goes; a level that does
// not exist changes nothing.
void play_restoredc(Player& p, const Record& r) {
  ByteReader in = r.params;
  const int16_t n = in.i16();
  if (in.failed() || n == 0 || p.saved.empty()) return;
  const int64_t depth = int64_t(p.saved.size());
  const int64_t target = n < 0 ? depth + n : int64_t(n) - 1;  // index of the entry restored
  if (target < 0 || target >= depth) return;
  p.dc = std::move(p.saved[size_t(target)]);
  p.saved.resize(size_t(target));
  p.clip_dirty = true;
}

// PlayMetaFile on a screen or bitmap DC draws nothing for any escape
// (comments, embedded EMF, PostScript line settings).
void play_escape(Player&, const Record&) {}

}  // namespace vellum::gdi
