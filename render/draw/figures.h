// Paths of GDI's closed and curved figures in device space. Boxes are in
// pixel edges: [left, right) x [top, bottom).
#pragma once

typedef struct _cairo cairo_t;

namespace vellum::draw {

struct Box {
  double left, top, right, bottom;
  double width() const { return right - left; }
  double height() const { return bottom - top; }
  double centre_x() const { return (left + right) / 2; }
  double centre_y() const { return (top + bottom) / 2; }
  // A box moved in by d on every side (never past its centre).
  Box inset(double d) const;
};

// The ellipse inscribed in the box, as a closed sub-path. Nothing for an
// empty box.
void ellipse_path(cairo_t* cr, const Box& box);

// A rectangle with elliptical corners whose full axes are corner_w x
// corner_h (cut to the box).
void round_rect_path(cairo_t* cr, const Box& box, double corner_w, double corner_h);

enum class ArcKind { arc, chord, pie };

// The part of the box's ellipse from the ray through (start_x, start_y) to
// the ray through (end_x, end_y), both rays from the centre, running
// counter-clockwise as seen on the output (y down). Equal rays give the
// whole ellipse. A chord closes with the straight line, a pie through the
// centre.
void arc_path(cairo_t* cr, const Box& box, double start_x, double start_y, double end_x,
              double end_y, ArcKind kind);

}  // namespace vellum::draw
