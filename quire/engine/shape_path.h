// Building a drawn shape's outline from moves, lines, cubic curves and
// elliptical arcs given in the shape's own coordinate space; the points
// are kept as fractions of the shape's box.
#pragma once

#include "document_model.h"

namespace quire {

class PathBuilder {
 public:
  // The shape's coordinates run from (left, top) to (right, bottom) over
  // its box; right > left and bottom > top.
  PathBuilder(double left, double top, double right, double bottom);

  void move(double x, double y);
  void line(double x, double y);  // a move when nothing is drawn yet
  void curve(double x1, double y1, double x2, double y2, double x3, double y3);
  // The arc of the ellipse centred on (cx, cy) with radii rx, ry from
  // angle `from` to angle `to` (radians, growing clockwise on the page),
  // joined to the current point by a line.
  void arc(double cx, double cy, double rx, double ry, double from, double to);
  void close();

  // Starts a new path, drawn with its own fill, line and shade.
  ShapePath& next_path();
  // The current subpath (from its last move) moved into a path of its own,
  // so that its fill and line can differ from the subpaths before it.
  ShapePath& own_subpath();

  ShapePaths finish();  // the paths that draw anything

 private:
  void add(PathStep step, std::initializer_list<double> xy);
  double left_, top_, width_, height_;
  ShapePaths paths_{1};
  bool started_ = false;  // the current path has a current point
  size_t subpath_step_ = 0, subpath_point_ = 0;  // where the current path's last subpath starts
};

}  // namespace quire
