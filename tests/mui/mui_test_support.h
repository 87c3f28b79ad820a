// Helpers for tests of muimaster and of MUI classes: a headless Qt
// platform, event pumping, window pictures and rast ports over buffers.
#pragma once

#include <emul/emulinterface.h>
#include <proto/graphics.h>
#include <proto/muimaster.h>

#include <cstdint>
#include <string>
#include <vector>

namespace mui_test {

// Selects Qt's offscreen platform unless the environment chose one. Call
// before the first MUI object is made.
void use_headless_platform();

// Lets Qt handle what is pending, for about `ms` milliseconds.
void pump_events(int ms = 50);

// An ARGB32 picture of a window's contents as the runtime draws it.
struct Picture {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;  // 0xAARRGGBB, rows without padding
  uint32_t at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
  // How many pixels have exactly this colour.
  size_t count(uint32_t argb) const;
};
Picture grab_window(Object* window);
// A PNG file as a Picture; empty when it cannot be read.
Picture load_png(const std::string& path);

// A rast port over a width x height ARGB32 buffer filled with `fill`.
struct Canvas {
  Canvas(int width, int height, uint32_t fill);
  std::vector<uint32_t> pixels;
  int width, height;
  struct BitMap bitmap;
  struct RastPort port;
  uint32_t at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

}  // namespace mui_test
