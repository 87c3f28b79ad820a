#include "preset_shapes.h"

#include <algorithm>
#include <cmath>

#include "shape_path.h"

namespace quire {
namespace {

constexpr double UNITS = 21600;
constexpr uint16_t CURVED_RIGHT_ARROW = 102, CURVED_LEFT_ARROW = 103, CURVED_UP_ARROW = 104,
                   CURVED_DOWN_ARROW = 105;
constexpr double BACK_SHADE = 0.7;  // the band's far side

int32_t adjust_or(const ShapeGeometry& geometry, size_t index, int32_t fallback) {
  return geometry.adjusted & (1u << index) ? geometry.adjust[index] : fallback;
}

// Where a curved arrow's points go: the right-pointing arrow's own layout
// turned into the other three by swapping the axes and mirroring.
struct Orientation {
  bool swap = false, mirror_x = false, mirror_y = false;
};
void orient(ShapePaths& paths, Orientation o) {
  for (ShapePath& path : paths)
    for (size_t i = 0; i + 1 < path.points.size(); i += 2) {
      double& x = path.points[i];
      double& y = path.points[i + 1];
      if (o.swap) std::swap(x, y);
      if (o.mirror_x) x = 1 - x;
      if (o.mirror_y) y = 1 - y;
    }
}

// A band that leaves the box's top right corner, bends round its left
// side and ends in an arrow head pointing right near the bottom. Its edges
// are two equal half ellipses, one a band's thickness below the other; the
// upper half of the band is its far side, drawn darker over the rest.
// The second adjust value is where the band's lower edge meets the right
// side, and the head reaches past the band by its distance from the
// bottom; the first is the band's upper edge there less that reach. The
// third is where the head starts.
ShapePaths curved_arrow(const ShapeGeometry& geometry, Orientation o) {
  const double first = std::clamp<double>(adjust_or(geometry, 0, 12960), 0, UNITS);
  const double second = std::clamp<double>(adjust_or(geometry, 1, 19440), 0, UNITS);
  const double head_x = std::clamp<double>(adjust_or(geometry, 2, 14400), 0, UNITS);
  const double radius = std::max(0.0, (first + UNITS - second) / 2);  // the ellipses' height
  const double thickness = std::max(0.0, 2 * second - first - UNITS);
  const double barb = UNITS - second;  // how far the head reaches past the band on either side
  const double outer_y = radius, inner_y = radius + thickness;  // the ellipses' centres, at x = UNITS
  // Where the head starts along the lower halves, and where the band's near
  // side crosses the far side's inner edge.
  const double head_angle = std::acos(std::clamp((head_x - UNITS) / UNITS, -1.0, 1.0));
  const double cross = M_PI - std::asin(radius > 0 ? std::clamp(thickness / (2 * radius), 0.0, 1.0) : 1.0);
  const double head_upper = outer_y + radius * std::sin(head_angle), head_lower = head_upper + thickness;

  PathBuilder path(0, 0, UNITS, UNITS);
  path.move(UNITS, 0);
  path.arc(UNITS, outer_y, UNITS, radius, -M_PI / 2, -M_PI);
  path.arc(UNITS, inner_y, UNITS, radius, M_PI, head_angle);
  path.line(head_x, head_lower + barb);
  path.line(UNITS, 2 * radius + thickness / 2);  // the tip, level with the band's middle at the side
  path.line(head_x, head_upper - barb);
  path.line(head_x, head_upper);
  path.arc(UNITS, outer_y, UNITS, radius, head_angle, cross);
  path.arc(UNITS, inner_y, UNITS, radius, -cross, -M_PI / 2);
  path.close();

  // The far side; a mirrored arrow shows it whole at the bend, over the
  // near side's edge.
  path.next_path().shade = BACK_SHADE;
  path.move(UNITS, 0);
  path.arc(UNITS, outer_y, UNITS, radius, -M_PI / 2, -M_PI);
  const double back_from = o.mirror_x || o.mirror_y ? M_PI : cross;
  path.arc(UNITS, outer_y, UNITS, radius, M_PI, back_from);
  path.arc(UNITS, inner_y, UNITS, radius, -back_from, -M_PI / 2);
  path.close();
  ShapePaths paths = path.finish();
  orient(paths, o);
  return paths;
}

}  // namespace

ShapePaths preset_paths(const ShapeGeometry& geometry) {
  switch (geometry.type) {
    case CURVED_RIGHT_ARROW: return curved_arrow(geometry, {});
    case CURVED_LEFT_ARROW: return curved_arrow(geometry, {false, true, false});
    case CURVED_DOWN_ARROW: return curved_arrow(geometry, {true, false, false});
    case CURVED_UP_ARROW: return curved_arrow(geometry, {true, false, true});
    default: return {};
  }
}

}  // namespace quire
