#include "render/draw/font.h"

namespace vellum::draw {

Font system_font() {
  Font f;
  f.height = 16;  // SYSTEM_FONT's cell height on a 96-dpi display
  f.weight = 700;
  f.face = "System";
  return f;
}

}  // namespace vellum::draw
