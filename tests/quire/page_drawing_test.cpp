// Pages drawn onto a caller's cairo context: at any scale, at the context's
// origin, without disturbing the caller's state.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "doc_writer.h"
#include "engine/page_drawing.h"
#include "open_plan.h"

using namespace quire;
using namespace quire_test;

namespace {

struct Bounds {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
};

// Draws `page` of `doc` onto a fresh transparent surface; the bounds of the
// dark pixels, which are the text.
Bounds dark_bounds(const Document& doc, int page, double scale, int width, int height) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  cairo_t* cr = cairo_create(surface);
  EXPECT_EQ(draw_document_page(doc, page, cr, scale), 0);
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  const auto* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  Bounds b;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const uint32_t pixel = *reinterpret_cast<const uint32_t*>(data + y * stride + x * 4);
      if ((pixel >> 24) == 0xFF && (pixel & 0xFF) < 0x80) {
        b.left = std::min(b.left, x);
        b.right = std::max(b.right, x);
        b.top = std::min(b.top, y);
        b.bottom = std::max(b.bottom, y);
      }
    }
  cairo_surface_destroy(surface);
  return b;
}

}  // namespace

TEST(QuirePageDrawing, TextScalesWithTheRequestedScale) {
  const Document doc = open_plan(plain_doc({u"Scaled text on the page."}));
  const Bounds one = dark_bounds(doc, 1, 1.0, 595, 842);
  const Bounds two = dark_bounds(doc, 1, 2.0, 1190, 1684);
  ASSERT_GE(one.right, 0);
  ASSERT_GE(two.right, 0);
  EXPECT_NEAR(two.left, 2 * one.left, 3);
  EXPECT_NEAR(two.top, 2 * one.top, 3);
  EXPECT_NEAR(two.right, 2 * one.right, 4);
  EXPECT_NEAR(two.bottom, 2 * one.bottom, 4);
}

TEST(QuirePageDrawing, PaperCoversThePageOnlyAndTheCallerStateIsKept) {
  const Document doc = open_plan(plain_doc({u"Paper."}));
  const PageSize size = document_page_size(doc, 1);
  EXPECT_EQ(size.width, PAGE_WIDTH);
  EXPECT_EQ(size.height, PAGE_HEIGHT);

  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 400, 400);
  cairo_t* cr = cairo_create(surface);
  cairo_translate(cr, 100, 50);
  cairo_matrix_t before, after;
  cairo_get_matrix(cr, &before);
  ASSERT_EQ(draw_document_page(doc, 1, cr, 0.25), 0);
  cairo_get_matrix(cr, &after);
  EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0);
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  auto pixel = [&](int x, int y) {
    return *reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(surface) +
                                              y * cairo_image_surface_get_stride(surface) + x * 4);
  };
  // A quarter-size page starts at (100, 50) and is 148.75 x 210.5 pixels.
  EXPECT_EQ(pixel(99, 60), 0u);
  EXPECT_EQ(pixel(101, 60), 0xFFFFFFFFu);
  EXPECT_EQ(pixel(247, 258), 0xFFFFFFFFu);
  EXPECT_EQ(pixel(250, 262), 0u);
  cairo_surface_destroy(surface);
}

TEST(QuirePageDrawing, MissingPagesAndUnusableScalesAreRefused) {
  const Document doc = open_plan(plain_doc({u"One page."}));
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 10, 10);
  cairo_t* cr = cairo_create(surface);
  EXPECT_EQ(draw_document_page(doc, 0, cr, 1), -1);
  EXPECT_EQ(draw_document_page(doc, 2, cr, 1), -1);
  EXPECT_EQ(draw_document_page(doc, 1, cr, 0), -1);
  EXPECT_EQ(draw_document_page(doc, 1, cr, NAN), -1);
  EXPECT_EQ(draw_document_page(doc, 1, nullptr, 1), -1);
  EXPECT_EQ(document_page_size(doc, 2).width, 0);
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
}
