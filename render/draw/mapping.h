// GDI's window/viewport mapping as a value: logical to device
//   Dx = (Lx - WOx) * VEx / WEx + VOx,   Dy likewise,
// with every map mode's rules for which extents may change.
#pragma once

#include <cstdint>

namespace vellum::draw {

enum MapMode : int {
  MM_TEXT = 1, MM_LOMETRIC = 2, MM_HIMETRIC = 3, MM_LOENGLISH = 4, MM_HIENGLISH = 5,
  MM_TWIPS = 6, MM_ISOTROPIC = 7, MM_ANISOTROPIC = 8,
};

// Device resolution the metric modes assume (the display's 96 dpi).
inline constexpr double DEVICE_DPI = 96.0;

struct DevicePoint {
  double x, y;
};

struct Mapping {
  int mode = MM_TEXT;
  double window_org_x = 0, window_org_y = 0, window_ext_x = 1, window_ext_y = 1;
  double viewport_org_x = 0, viewport_org_y = 0, viewport_ext_x = 1, viewport_ext_y = 1;

  // Device factors per logical unit (signed: negative mirrors).
  double scale_x() const { return viewport_ext_x / window_ext_x; }
  double scale_y() const { return viewport_ext_y / window_ext_y; }
  double x(double lx) const { return (lx - window_org_x) * scale_x() + viewport_org_x; }
  double y(double ly) const { return (ly - window_org_y) * scale_y() + viewport_org_y; }
  DevicePoint point(double lx, double ly) const { return {x(lx), y(ly)}; }
  // The device point rounded to whole pixels, as GDI transforms.
  DevicePoint pixel(double lx, double ly) const;
  // Logical from device, for the current position after device-space moves.
  double logical_x(double dx) const { return (dx - viewport_org_x) / scale_x() + window_org_x; }
  double logical_y(double dy) const { return (dy - viewport_org_y) / scale_y() + window_org_y; }

  // SETMAPMODE: fixed modes set both extents; MM_TEXT resets them to 1;
  // MM_ISOTROPIC starts from metric extents; MM_ANISOTROPIC keeps them.
  // Values outside 1..8 are ignored.
  void set_mode(int new_mode);
  // Only MM_ISOTROPIC and MM_ANISOTROPIC take extents; 0 is refused.
  void set_window_ext(double ex, double ey);
  void set_viewport_ext(double ex, double ey);
  void scale_window_ext(int x_num, int x_den, int y_num, int y_den);
  void scale_viewport_ext(int x_num, int x_den, int y_num, int y_den);
  void set_window_org(double ox, double oy) { window_org_x = ox, window_org_y = oy; }
  void set_viewport_org(double ox, double oy) { viewport_org_x = ox, viewport_org_y = oy; }
  void offset_window_org(double dx, double dy) { window_org_x += dx, window_org_y += dy; }
  void offset_viewport_org(double dx, double dy) { viewport_org_x += dx, viewport_org_y += dy; }

  bool takes_extents() const { return mode == MM_ISOTROPIC || mode == MM_ANISOTROPIC; }

 private:
  // MM_ISOTROPIC: shrink the viewport so both axes get the same scale.
  void make_isotropic();
};

// A host's frame: MM_ANISOTROPIC, the window on the box, the viewport on
// the output rectangle (0, 0)-(width, height).
Mapping frame_mapping(double left, double top, double box_width, double box_height,
                      double width, double height);

}  // namespace vellum::draw
