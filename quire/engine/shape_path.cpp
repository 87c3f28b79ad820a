#include "shape_path.h"

#include <algorithm>
#include <cmath>

namespace quire {
namespace {

// How far outside its box a shape's points may reach, in box sizes: far
// enough for any real drawing, near enough that cairo's fixed-point
// coordinates cannot overflow.
constexpr double MAX_REACH = 8;
constexpr double QUARTER_TURN = M_PI / 2;

}  // namespace

PathBuilder::PathBuilder(double left, double top, double right, double bottom)
    : left_(left), top_(top), width_(right - left), height_(bottom - top) {}

void PathBuilder::add(PathStep step, std::initializer_list<double> xy) {
  ShapePath& path = paths_.back();
  if (step == PathStep::MOVE) {
    subpath_step_ = path.steps.size();
    subpath_point_ = path.points.size();
  }
  path.steps.push_back(step);
  bool across = true;
  for (double v : xy) {
    const double fraction = across ? (v - left_) / width_ : (v - top_) / height_;
    path.points.push_back(std::isfinite(fraction) ? std::clamp(fraction, -MAX_REACH, 1 + MAX_REACH) : 0.0);
    across = !across;
  }
}

void PathBuilder::move(double x, double y) {
  add(PathStep::MOVE, {x, y});
  started_ = true;
}

void PathBuilder::line(double x, double y) {
  if (!started_) return move(x, y);
  add(PathStep::LINE, {x, y});
}

void PathBuilder::curve(double x1, double y1, double x2, double y2, double x3, double y3) {
  if (!started_) move(x1, y1);
  add(PathStep::CURVE, {x1, y1, x2, y2, x3, y3});
}

void PathBuilder::arc(double cx, double cy, double rx, double ry, double from, double to) {
  line(cx + rx * std::cos(from), cy + ry * std::sin(from));
  // Each piece of at most a quarter turn is one cubic curve.
  const int pieces = std::max(1, static_cast<int>(std::ceil(std::abs(to - from) / QUARTER_TURN - 1e-9)));
  const double step = (to - from) / pieces, k = 4.0 / 3.0 * std::tan(step / 4);
  for (int i = 0; i < pieces; ++i) {
    const double a = from + i * step, b = a + step;
    const double ca = std::cos(a), sa = std::sin(a), cb = std::cos(b), sb = std::sin(b);
    curve(cx + rx * (ca - k * sa), cy + ry * (sa + k * ca), cx + rx * (cb + k * sb), cy + ry * (sb - k * cb),
          cx + rx * cb, cy + ry * sb);
  }
}

void PathBuilder::close() {
  if (started_) paths_.back().steps.push_back(PathStep::CLOSE);
}

ShapePath& PathBuilder::next_path() {
  if (!paths_.back().steps.empty()) paths_.emplace_back();
  started_ = false;
  subpath_step_ = subpath_point_ = 0;
  return paths_.back();
}

ShapePath& PathBuilder::own_subpath() {
  ShapePath& path = paths_.back();
  if (subpath_step_ == 0) return path;  // it is the path's only subpath
  ShapePath own;
  own.steps.assign(path.steps.begin() + static_cast<std::ptrdiff_t>(subpath_step_), path.steps.end());
  own.points.assign(path.points.begin() + static_cast<std::ptrdiff_t>(subpath_point_), path.points.end());
  path.steps.resize(subpath_step_);
  path.points.resize(subpath_point_);
  paths_.push_back(std::move(own));
  subpath_step_ = subpath_point_ = 0;
  return paths_.back();
}

ShapePaths PathBuilder::finish() {
  ShapePaths out;
  for (ShapePath& path : paths_)
    if (path.steps.size() > 1 && (path.filled || path.stroked)) out.push_back(std::move(path));
  paths_.assign(1, ShapePath{});
  started_ = false;
  subpath_step_ = subpath_point_ = 0;
  return out;
}

}  // namespace quire
