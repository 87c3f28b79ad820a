// Region objects and region painting: CREATEREGION, FILLREGION,
// FRAMEREGION, PAINTREGION, INVERTREGION. A region object keeps the
// record's coordinates; painting maps them through the DC's mapping as
// logical units, while a region selected as the clip is taken as device
// pixels (render/gdi/clip_records.cpp), as GDI does.
#include <cairo.h>

#include <cmath>
#include <vector>

#include "render/draw/paint.h"
#include "render/gdi/figure.h"
#include "render/gdi/handlers.h"
#include "render/gdi/region_mapping.h"

namespace vellum::gdi {

namespace {

const Region* region_at(const Player& p, uint32_t index) {
  const GdiObject* object = p.objects.at(index);
  return object ? std::get_if<Region>(object) : nullptr;
}

const draw::Brush* brush_at(const Player& p, uint32_t index) {
  const GdiObject* object = p.objects.at(index);
  return object ? std::get_if<draw::Brush>(object) : nullptr;
}

void fill_region(Player& p, const Region& logical, const draw::Brush& brush) {
  const Region device = device_region(p.mapping(), logical);
  begin_figure(p);
  add_region_path(p.cr, device);
  cairo_set_fill_rule(p.cr, CAIRO_FILL_RULE_WINDING);
  draw::fill_with_brush(p.cr, brush, p.dc.background(), p.dc.rop2);
  cairo_new_path(p.cr);
}

}  // namespace

// The Region object: nextInChain, ObjectType, ObjectCount, RegionSize,
// ScanCount, maxScan, bounding box, then the scans (Count, Top, Bottom,
// Count/2 pairs of Left and Right, Count again). Scans are read while the
// record holds them; a record without usable scans still takes its slot,
// as an empty region.
void play_createregion(Player& p, const Record& r) {
  ByteReader in = r.params;
  in.skip(10);
  const uint16_t scan_count = in.u16();
  in.skip(2 + 8);
  RegionBuilder builder;
  std::vector<Span> spans;
  for (uint32_t k = 0; k < scan_count && in.left() >= 8; ++k) {
    const uint16_t count = in.u16();
    const int16_t top = in.i16(), bottom = in.i16();
    const size_t pairs = std::min<size_t>(count / 2, in.left() / 4);
    spans.resize(pairs);
    for (Span& s : spans) {
      s.left = in.i16();
      s.right = in.i16();
    }
    in.skip(size_t(count & 1u) * 2);
    in.skip(2);  // the count again
    builder.add_band(top, bottom, spans);
  }
  Region region;
  if (!builder.finish(&region)) region = Region();
  p.objects.add(std::move(region));
}

// FILLREGION holds the brush first, then the region (the reverse of the
// API's argument order, like every record).
void play_fillregion(Player& p, const Record& r) {
  ByteReader in = r.params;
  const uint16_t brush_index = in.u16(), region_index = in.u16();
  if (in.failed()) return;
  const draw::Brush* brush = brush_at(p, brush_index);
  const Region* region = region_at(p, region_index);
  if (brush && region) fill_region(p, *region, *brush);
}

void play_paintregion(Player& p, const Record& r) {
  ByteReader in = r.params;
  const uint16_t index = in.u16();
  if (in.failed()) return;
  if (const Region* region = region_at(p, index)) fill_region(p, *region, p.dc.brush);
}

void play_invertregion(Player& p, const Record& r) {
  ByteReader in = r.params;
  const uint16_t index = in.u16();
  if (in.failed()) return;
  const Region* region = region_at(p, index);
  if (!region) return;
  begin_figure(p);
  add_region_path(p.cr, device_region(p.mapping(), *region));
  cairo_set_fill_rule(p.cr, CAIRO_FILL_RULE_WINDING);
  draw::paint_rop2(p.cr, draw::PaintOp::fill, draw::R2_NOT, draw::BLACK);
  cairo_new_path(p.cr);
}

// Height, width (logical, of the vertical and horizontal strokes), brush,
// region: the frame is the region less its inside shrunk by the strokes.
void play_frameregion(Player& p, const Record& r) {
  ByteReader in = r.params;
  const int16_t height = in.i16(), width = in.i16();
  const uint16_t brush_index = in.u16(), region_index = in.u16();
  if (in.failed()) return;
  const draw::Brush* brush = brush_at(p, brush_index);
  const Region* region = region_at(p, region_index);
  if (!brush || !region) return;
  const int32_t w = int32_t(std::lround(std::fabs(width * p.mapping().scale_x())));
  const int32_t h = int32_t(std::lround(std::fabs(height * p.mapping().scale_y())));
  const Region device = device_region(p.mapping(), *region);
  Region frame;
  if (!frame_of(device, w, h, &frame)) return;
  begin_figure(p);
  add_region_path(p.cr, frame);
  cairo_set_fill_rule(p.cr, CAIRO_FILL_RULE_WINDING);
  draw::fill_with_brush(p.cr, *brush, p.dc.background(), p.dc.rop2);
  cairo_new_path(p.cr);
}

}  // namespace vellum::gdi
