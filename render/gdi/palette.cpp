#include "render/gdi/palette.h"

namespace vellum::gdi {

std::shared_ptr<const Palette> default_palette() {
  static const std::shared_ptr<const Palette> palette = [] {
    auto p = std::make_shared<Palette>();
    p->entries = {
        {0, 0, 0},       {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128},
        {128, 0, 128},   {0, 128, 128},   {192, 192, 192}, {192, 220, 192}, {166, 202, 240},
        {255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0},
        {255, 255, 0},   {0, 0, 255},     {255, 0, 255},   {0, 255, 255},   {255, 255, 255},
    };
    return std::shared_ptr<const Palette>(std::move(p));
  }();
  return palette;
}

draw::Colour resolve_colour(uint32_t colorref, const Palette& palette) {
  const uint8_t flags = uint8_t(colorref >> 24);
  if (flags == 0x01) {
    const uint16_t index = uint16_t(colorref & 0xFFFF);
    return index < palette.entries.size() ? palette.entries[index] : draw::BLACK;
  }
  return {uint8_t(colorref), uint8_t(colorref >> 8), uint8_t(colorref >> 16)};
}

}  // namespace vellum::gdi
