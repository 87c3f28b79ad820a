// The clip records: INTERSECTCLIPRECT, EXCLUDECLIPRECT, OFFSETCLIPRGN and
// SELECTCLIPREGION. Rectangles and offsets are logical and mapped; a
// selected region is taken as device pixels. A combination past the region
// limits leaves the clip as it was (GDI's CombineRgn failing).
#include <cmath>

#include "render/gdi/figure.h"
#include "render/gdi/handlers.h"

namespace vellum::gdi {

namespace {

bool read_clip_rect(const Player& p, const Record& r, IRect* rect) {
  ByteReader in = r.params;
  const int16_t bottom = in.i16(), right = in.i16(), top = in.i16(), left = in.i16();
  if (in.failed()) return false;
  const draw::Box box = device_box(p, left, top, right, bottom);
  auto to_int = [](double v) {
    return int32_t(std::fmax(-Region::COORD_LIMIT, std::fmin(Region::COORD_LIMIT, v)));
  };
  *rect = {to_int(box.left), to_int(box.top), to_int(box.right), to_int(box.bottom)};
  return true;
}

// Without a clip, the whole output.
Region current_clip(const Player& p) {
  if (p.dc.clip) return *p.dc.clip;
  return Region(IRect{0, 0, int32_t(std::ceil(std::fmin(p.width, Region::COORD_LIMIT))),
                      int32_t(std::ceil(std::fmin(p.height, Region::COORD_LIMIT)))});
}

void set_clip(Player& p, Region region) {
  p.dc.clip = std::move(region);
  p.clip_dirty = true;
}

}  // namespace

void play_intersectcliprect(Player& p, const Record& r) {
  IRect rect;
  if (!read_clip_rect(p, r, &rect)) return;
  if (!p.dc.clip) {
    set_clip(p, Region(rect));
    return;
  }
  Region clip = *p.dc.clip;
  if (clip.intersect(rect)) set_clip(p, std::move(clip));
}

void play_excludecliprect(Player& p, const Record& r) {
  IRect rect;
  if (!read_clip_rect(p, r, &rect)) return;
  Region clip = current_clip(p);
  if (clip.subtract(rect)) set_clip(p, std::move(clip));
}

void play_offsetcliprgn(Player& p, const Record& r) {
  ByteReader in = r.params;
  const int16_t dy = in.i16(), dx = in.i16();
  if (in.failed() || !p.dc.clip) return;
  auto device = [](double v) {
    return int32_t(std::lround(std::fmax(-Region::COORD_LIMIT, std::fmin(Region::COORD_LIMIT, v))));
  };
  Region clip = *p.dc.clip;
  clip.offset(device(dx * p.mapping().scale_x()), device(dy * p.mapping().scale_y()));
  set_clip(p, std::move(clip));
}

// An empty slot or an index past the table removes the clip; a slot
// holding something other than a region changes nothing.
void play_selectclipregion(Player& p, const Record& r) {
  ByteReader in = r.params;
  const uint16_t index = in.u16();
  if (in.failed()) return;
  const GdiObject* object = p.objects.at(index);
  if (!object || std::holds_alternative<std::monostate>(*object)) {
    p.dc.clip.reset();
    p.clip_dirty = true;
    return;
  }
  if (const Region* region = std::get_if<Region>(object)) set_clip(p, *region);
}

}  // namespace vellum::gdi
