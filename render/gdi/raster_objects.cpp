#include "render/gdi/raster_objects.h"

namespace vellum::gdi {

PaletteColours::PaletteColours(const Palette& palette) {
  colours_.reserve(palette.entries.size());
  for (const draw::Colour& c : palette.entries) colours_.push_back(draw_colour_word(c));
}

BrushPattern::BrushPattern(const draw::Brush& brush) {
  if (!brush.visible()) {
    visible_ = false;
    return;
  }
  if (brush.style == draw::BS_HATCHED) {
    tile_.resize(64);
    const uint32_t line = 0xFF000000u | draw_colour_word(brush.colour);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) tile_[size_t(y * 8 + x)] = draw::hatch_bit(brush.hatch, x, y) ? line : 0;
    pattern_ = {0, tile_.data(), 8, 8};
    return;
  }
  const auto& image = brush.pattern;
  if (image && image->width > 0 && image->height > 0 &&
      image->pixels.size() >= size_t(image->width) * size_t(image->height)) {
    pattern_ = {0, image->pixels.data(), image->width, image->height};
    return;
  }
  // Pattern brushes whose pixels never arrived are black, as in fills.
  const bool solid = brush.style == draw::BS_SOLID;
  pattern_ = {solid ? draw_colour_word(brush.colour) : 0, nullptr, 0, 0};
}

std::shared_ptr<const draw::PatternImage> pattern_image(const Bitmap& bitmap) {
  auto image = std::make_shared<draw::PatternImage>();
  image->width = bitmap.width();
  image->height = bitmap.height();
  image->pixels.reserve(size_t(bitmap.width()) * size_t(bitmap.height()));
  for (int32_t y = 0; y < bitmap.height(); ++y) {
    const uint32_t* row = bitmap.row(y);
    for (int32_t x = 0; x < bitmap.width(); ++x) image->pixels.push_back(0xFF000000u | row[x]);
  }
  return image;
}

}  // namespace vellum::gdi
