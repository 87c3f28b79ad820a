#include "render/gdi/region_mapping.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace vellum::gdi {

Region device_region(const draw::Mapping& mapping, const Region& logical) {
  const auto bands = logical.bands();
  const bool flip_y = mapping.scale_y() < 0, flip_x = mapping.scale_x() < 0;
  auto to_int = [](double v) {
    return int32_t(std::clamp(v, double(-Region::COORD_LIMIT), double(Region::COORD_LIMIT)));
  };
  RegionBuilder builder;
  std::vector<Span> spans;
  // Walking a mirrored axis backwards keeps bands and spans in order, so
  // the builder takes them in one pass.
  for (size_t n = 0; n < bands.size(); ++n) {
    const Region::Band& band = bands[flip_y ? bands.size() - 1 - n : n];
    const double y1 = mapping.pixel(0, band.top).y, y2 = mapping.pixel(0, band.bottom).y;
    const auto source = logical.spans(band);
    spans.resize(source.size());
    for (size_t k = 0; k < source.size(); ++k) {
      const Span& s = source[flip_x ? source.size() - 1 - k : k];
      const double x1 = mapping.pixel(s.left, 0).x, x2 = mapping.pixel(s.right, 0).x;
      spans[k] = {to_int(std::min(x1, x2)), to_int(std::max(x1, x2))};
    }
    builder.add_band(to_int(std::min(y1, y2)), to_int(std::max(y1, y2)), spans);
  }
  Region device;
  if (!builder.finish(&device)) return Region();
  return device;
}

bool frame_of(const Region& region, int32_t w, int32_t h, Region* frame) {
  Region inside = region;
  const std::pair<int32_t, int32_t> moves[] = {{w, 0}, {-w, 0}, {0, h}, {0, -h}};
  for (const auto& [dx, dy] : moves) {
    Region moved = region;
    moved.offset(dx, dy);
    if (!inside.intersect(moved)) return false;
  }
  Region result = region;
  if (!result.subtract(inside)) return false;
  *frame = std::move(result);
  return true;
}

}  // namespace vellum::gdi
