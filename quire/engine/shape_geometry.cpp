#include "shape_geometry.h"

#include <algorithm>
#include <vector>

#include "common/byte_reader.h"
#include "preset_shapes.h"
#include "shape_path.h"

namespace quire {
namespace {

using vellum::ByteOrder;
using vellum::ByteReader;

constexpr size_t MAX_VERTICES = 8192, MAX_SEGMENTS = 16384;

// Segment entries: the kind in the top three bits, then a count; an escape
// keeps its code in the next five bits and its count in the low byte.
enum Segment : uint16_t { LINE_TO = 0, CURVE_TO = 1, MOVE_TO = 2, CLOSE = 3, END = 4, ESCAPE = 5 };
constexpr uint16_t ESCAPE_NO_FILL = 0x0A, ESCAPE_NO_LINE = 0x0B;
// Editing hints (how a point behaves when the user drags it) draw nothing.
constexpr uint16_t FIRST_EDIT_HINT = 0x0C, LAST_EDIT_HINT = 0x14;
constexpr uint32_t PATH_LINES_CLOSED = 1, PATH_CURVES = 2, PATH_CURVES_CLOSED = 3;

struct Point {
  double x = 0, y = 0;
};

// A list's elements: their count and size; false when they do not fit its data.
bool list_of(ByteSpan data, size_t& count, size_t& size, ByteReader& elements) {
  ByteReader in(data.data, data.size, ByteOrder::little);
  count = in.u16();
  in.skip(2);
  size = list_element_size(in.u16());
  if (in.failed() || size == 0 || count > in.left() / size) return false;
  elements = in;
  return true;
}

bool read_vertices(ByteSpan data, std::vector<Point>& out) {
  size_t count = 0, size = 0;
  ByteReader in;
  if (!list_of(data, count, size, in) || count > MAX_VERTICES || (size != 4 && size != 8)) return false;
  out.resize(count);
  for (Point& point : out) {
    point.x = size == 4 ? in.i16() : in.i32();
    point.y = size == 4 ? in.i16() : in.i32();
  }
  return !in.failed();
}

bool read_segments(ByteSpan data, std::vector<uint16_t>& out) {
  size_t count = 0, size = 0;
  ByteReader in;
  if (!list_of(data, count, size, in) || count > MAX_SEGMENTS || size != 2) return false;
  out.resize(count);
  for (uint16_t& segment : out) segment = in.u16();
  return !in.failed();
}

// Draws the points in turn as the segments say. False when a segment asks
// for points the list does not have; an escape this reader does not know
// ends the path where it stands.
bool follow_segments(const std::vector<uint16_t>& segments, const std::vector<Point>& points, PathBuilder& path) {
  size_t next = 0;
  bool own_style = false;  // the current subpath has its own fill or line
  auto enough = [&](size_t n) { return n <= points.size() - next; };
  for (const uint16_t segment : segments) {
    const uint16_t kind = segment >> 13, count = std::max<uint16_t>(1, segment & 0x1FFF);
    switch (kind) {
      case LINE_TO:
        if (!enough(count)) return false;
        for (uint16_t i = 0; i < count; ++i, ++next) path.line(points[next].x, points[next].y);
        break;
      case CURVE_TO:
        if (count > (points.size() - next) / 3) return false;
        for (uint16_t i = 0; i < count; ++i, next += 3)
          path.curve(points[next].x, points[next].y, points[next + 1].x, points[next + 1].y, points[next + 2].x,
                     points[next + 2].y);
        break;
      case MOVE_TO:
        if (!enough(1)) return false;
        if (own_style) path.next_path();
        own_style = false;
        path.move(points[next].x, points[next].y);
        ++next;
        break;
      case CLOSE: path.close(); break;
      case END: return true;
      case ESCAPE: {
        const uint16_t code = segment >> 8 & 0x1F;
        if (code == ESCAPE_NO_FILL || code == ESCAPE_NO_LINE) {
          ShapePath& own = path.own_subpath();
          (code == ESCAPE_NO_FILL ? own.filled : own.stroked) = false;
          own_style = true;
        } else if (code < FIRST_EDIT_HINT || code > LAST_EDIT_HINT) {
          return true;
        }
        break;
      }
      default: return true;
    }
  }
  return true;
}

// A freeform without segments: its points joined by lines, or by curves
// three points at a time, closed when its path kind says so.
void join_points(const std::vector<Point>& points, uint32_t kind, PathBuilder& path) {
  if (points.empty()) return;
  path.move(points[0].x, points[0].y);
  if (kind == PATH_CURVES || kind == PATH_CURVES_CLOSED) {
    for (size_t i = 1; i + 2 < points.size(); i += 3)
      path.curve(points[i].x, points[i].y, points[i + 1].x, points[i + 1].y, points[i + 2].x, points[i + 2].y);
  } else {
    for (size_t i = 1; i < points.size(); ++i) path.line(points[i].x, points[i].y);
  }
  if (kind == PATH_LINES_CLOSED || kind == PATH_CURVES_CLOSED) path.close();
}

ShapePaths freeform_paths(const ShapeGeometry& geometry) {
  const int32_t* geo = geometry.geo;
  if (geo[2] <= geo[0] || geo[3] <= geo[1]) return {};
  std::vector<Point> points;
  std::vector<uint16_t> segments;
  if (!read_vertices(geometry.vertices, points)) return {};
  PathBuilder path(geo[0], geo[1], geo[2], geo[3]);
  if (geometry.segments.size == 0) {
    join_points(points, geometry.path_kind, path);
  } else if (!read_segments(geometry.segments, segments) || !follow_segments(segments, points, path)) {
    return {};
  }
  return path.finish();
}

}  // namespace

ShapePaths shape_paths(const ShapeGeometry& geometry) {
  if (geometry.type == SHAPE_FREEFORM) return freeform_paths(geometry);
  return preset_paths(geometry);
}

}  // namespace quire
