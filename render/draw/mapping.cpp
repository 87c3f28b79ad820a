#include "render/draw/mapping.h"

#include <cmath>
#include <cstdlib>

namespace vellum::draw {

namespace {

// Logical units per inch of the fixed modes 2..6.
double units_per_inch(int mode) {
  switch (mode) {
    case MM_LOMETRIC: return 254.0;
    case MM_HIMETRIC: return 2540.0;
    case MM_LOENGLISH: return 100.0;
    case MM_HIENGLISH: return 1000.0;
    case MM_TWIPS: return 1440.0;
    default: return 0.0;
  }
}

double sign_of(double v) { return v < 0 ? -1.0 : 1.0; }

}  // namespace

DevicePoint Mapping::pixel(double lx, double ly) const {
  return {std::floor(x(lx) + 0.5), std::floor(y(ly) + 0.5)};
}

void Mapping::set_mode(int new_mode) {
  if (new_mode < MM_TEXT || new_mode > MM_ANISOTROPIC) return;
  mode = new_mode;
  if (new_mode == MM_TEXT) {
    window_ext_x = window_ext_y = viewport_ext_x = viewport_ext_y = 1;
  } else if (new_mode == MM_ISOTROPIC) {
    // Metric extents with y up, as for MM_LOMETRIC; a file sets its own.
    window_ext_x = window_ext_y = units_per_inch(MM_LOMETRIC);
    viewport_ext_x = DEVICE_DPI;
    viewport_ext_y = -DEVICE_DPI;
  } else if (new_mode != MM_ANISOTROPIC) {
    window_ext_x = window_ext_y = units_per_inch(new_mode);
    viewport_ext_x = DEVICE_DPI;
    viewport_ext_y = -DEVICE_DPI;
  }
}

void Mapping::set_window_ext(double ex, double ey) {
  if (!takes_extents() || ex == 0 || ey == 0) return;
  window_ext_x = ex;
  window_ext_y = ey;
  if (mode == MM_ISOTROPIC) make_isotropic();
}

void Mapping::set_viewport_ext(double ex, double ey) {
  if (!takes_extents() || ex == 0 || ey == 0) return;
  viewport_ext_x = ex;
  viewport_ext_y = ey;
  if (mode == MM_ISOTROPIC) make_isotropic();
}

void Mapping::scale_window_ext(int x_num, int x_den, int y_num, int y_den) {
  if (!takes_extents() || x_den == 0 || y_den == 0) return;
  // GDI divides integers; a result of 0 is refused like SETWINDOWEXT(0).
  const long ex = long(window_ext_x) * x_num / x_den;
  const long ey = long(window_ext_y) * y_num / y_den;
  set_window_ext(double(ex), double(ey));
}

void Mapping::scale_viewport_ext(int x_num, int x_den, int y_num, int y_den) {
  if (!takes_extents() || x_den == 0 || y_den == 0) return;
  const long ex = long(viewport_ext_x) * x_num / x_den;
  const long ey = long(viewport_ext_y) * y_num / y_den;
  set_viewport_ext(double(ex), double(ey));
}

void Mapping::make_isotropic() {
  const double sx = std::fabs(viewport_ext_x / window_ext_x);
  const double sy = std::fabs(viewport_ext_y / window_ext_y);
  const double s = std::fmin(sx, sy);
  viewport_ext_x = sign_of(viewport_ext_x) * std::fabs(window_ext_x) * s;
  viewport_ext_y = sign_of(viewport_ext_y) * std::fabs(window_ext_y) * s;
}

Mapping frame_mapping(double left, double top, double box_width, double box_height,
                      double width, double height) {
  Mapping m;
  m.mode = MM_ANISOTROPIC;
  m.window_org_x = left;
  m.window_org_y = top;
  m.window_ext_x = box_width != 0 ? box_width : 1;
  m.window_ext_y = box_height != 0 ? box_height : 1;
  m.viewport_ext_x = width != 0 ? width : 1;
  m.viewport_ext_y = height != 0 ? height : 1;
  return m;
}

}  // namespace vellum::draw
