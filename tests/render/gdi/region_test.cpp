#include "render/gdi/region.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <array>
#include <bitset>
#include <random>

namespace vellum::gdi {
namespace {

// A 32 x 32 pixel model of a region, to check the band algebra against.
using Grid = std::bitset<32 * 32>;

Grid grid_of(const Region& r) {
  Grid g;
  r.for_each_rect([&](const IRect& rect) {
    for (int y = rect.top; y < rect.bottom; ++y)
      for (int x = rect.left; x < rect.right; ++x)
        if (x >= 0 && x < 32 && y >= 0 && y < 32) g.set(size_t(y * 32 + x));
  });
  return g;
}

Grid grid_of(const IRect& rect) { return grid_of(Region(rect)); }

// The representation invariants the header promises.
void expect_canonical(const Region& r) {
  int32_t previous_bottom = std::numeric_limits<int32_t>::min();
  const Region::Band* previous = nullptr;
  for (const Region::Band& band : r.bands()) {
    ASSERT_LT(band.top, band.bottom);
    ASSERT_GE(band.top, previous_bottom);
    ASSERT_GT(band.count, 0u);
    int32_t previous_right = std::numeric_limits<int32_t>::min();
    for (const Span& s : r.spans(band)) {
      ASSERT_LT(s.left, s.right);
      ASSERT_GT(s.left, previous_right);  // disjoint and not touching
      previous_right = s.right;
    }
    if (previous && previous->bottom == band.top) {
      const auto a = r.spans(*previous), b = r.spans(band);
      ASSERT_FALSE(a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin()))
          << "touching bands with equal spans were not merged";
    }
    previous = &band;
    previous_bottom = band.bottom;
  }
}

TEST(GdiRegion, EmptyAndFromRect) {
  Region none;
  EXPECT_TRUE(none.empty());
  EXPECT_EQ(none.rect_count(), 0u);
  EXPECT_TRUE(Region(IRect{5, 5, 5, 9}).empty());
  EXPECT_TRUE(Region(IRect{5, 9, 8, 2}).empty());
  Region r(IRect{2, 3, 10, 7});
  EXPECT_FALSE(r.empty());
  EXPECT_EQ(r.bounds(), (IRect{2, 3, 10, 7}));
  EXPECT_TRUE(r.contains(2, 3));
  EXPECT_TRUE(r.contains(9, 6));
  EXPECT_FALSE(r.contains(10, 6));  // right and bottom exclusive
  EXPECT_FALSE(r.contains(9, 7));
}

TEST(GdiRegion, UnionOfOverlappingRectsMakesThreeBands) {
  Region r(IRect{0, 0, 10, 10});
  ASSERT_TRUE(r.unite(Region(IRect{5, 5, 15, 15})));
  expect_canonical(r);
  ASSERT_EQ(r.bands().size(), 3u);
  EXPECT_EQ(r.rects(), (std::vector<IRect>{{0, 0, 10, 5}, {0, 5, 15, 10}, {5, 10, 15, 15}}));
  EXPECT_EQ(r.bounds(), (IRect{0, 0, 15, 15}));
}

TEST(GdiRegion, TouchingRectsMerge) {
  Region r(IRect{0, 0, 10, 5});
  ASSERT_TRUE(r.unite(Region(IRect{0, 5, 10, 9})));
  ASSERT_TRUE(r.unite(Region(IRect{10, 0, 12, 9})));
  EXPECT_EQ(r.rects(), (std::vector<IRect>{{0, 0, 12, 9}}));
}

TEST(GdiRegion, SubtractHoleLeavesFrame) {
  Region r(IRect{0, 0, 10, 10});
  ASSERT_TRUE(r.subtract(IRect{3, 3, 7, 7}));
  expect_canonical(r);
  EXPECT_EQ(r.rects(), (std::vector<IRect>{
                           {0, 0, 10, 3}, {0, 3, 3, 7}, {7, 3, 10, 7}, {0, 7, 10, 10}}));
  EXPECT_FALSE(r.contains(5, 5));
  EXPECT_TRUE(r.contains(2, 5));
  ASSERT_TRUE(r.subtract(IRect{-5, -5, 50, 50}));
  EXPECT_TRUE(r.empty());
}

TEST(GdiRegion, IntersectAndXor) {
  Region a(IRect{0, 0, 10, 10});
  Region b = a;
  ASSERT_TRUE(a.intersect(IRect{5, 5, 20, 20}));
  EXPECT_EQ(a.rects(), (std::vector<IRect>{{5, 5, 10, 10}}));
  ASSERT_TRUE(b.exclusive_or(Region(IRect{5, 0, 15, 10})));
  EXPECT_EQ(b.rects(), (std::vector<IRect>{{0, 0, 5, 10}, {10, 0, 15, 10}}));
  Region c(IRect{0, 0, 4, 4});
  ASSERT_TRUE(c.intersect(IRect{10, 10, 20, 20}));
  EXPECT_TRUE(c.empty());
}

TEST(GdiRegion, CopiesAreIndependent) {
  Region a(IRect{0, 0, 10, 10});
  Region saved = a;
  ASSERT_TRUE(a.subtract(IRect{0, 0, 5, 10}));
  a.offset(1, 1);
  EXPECT_EQ(saved.rects(), (std::vector<IRect>{{0, 0, 10, 10}}));
  EXPECT_EQ(a.rects(), (std::vector<IRect>{{6, 1, 11, 11}}));
}

TEST(GdiRegion, OffsetClampsAtTheLimit) {
  Region r(IRect{0, 0, 10, 10});
  r.offset(Region::COORD_LIMIT - 5, 0);
  EXPECT_EQ(r.bounds(), (IRect{Region::COORD_LIMIT - 5, 0, Region::COORD_LIMIT, 10}));
  r.offset(std::numeric_limits<int32_t>::max(), 0);
  EXPECT_TRUE(r.empty());  // squeezed to zero width at the limit
  Region huge(IRect{std::numeric_limits<int32_t>::min(), 0, std::numeric_limits<int32_t>::max(), 1});
  EXPECT_EQ(huge.bounds(), (IRect{-Region::COORD_LIMIT, 0, Region::COORD_LIMIT, 1}));
}

TEST(GdiRegion, EqualSetsCompareEqualWhateverTheOrderOfOperations) {
  Region a(IRect{0, 0, 8, 8});
  ASSERT_TRUE(a.unite(Region(IRect{8, 0, 16, 4})));
  ASSERT_TRUE(a.unite(Region(IRect{8, 4, 16, 8})));
  EXPECT_EQ(a, Region(IRect{0, 0, 16, 8}));
  EXPECT_FALSE(a == Region(IRect{0, 0, 16, 7}));
}

// Random combinations against the pixel model.
TEST(GdiRegion, AlgebraMatchesAPixelModel) {
  std::mt19937 rng(1234);
  std::uniform_int_distribution<int> coord(-2, 33);
  auto random_rect = [&] {
    return IRect{coord(rng), coord(rng), coord(rng), coord(rng)};
  };
  for (int round = 0; round < 400; ++round) {
    Region r;
    Grid model;
    for (int step = 0; step < 8; ++step) {
      const IRect rect = random_rect();
      const Grid g = grid_of(rect);
      switch (rng() % 4) {
        case 0: ASSERT_TRUE(r.unite(Region(rect))); model |= g; break;
        case 1: ASSERT_TRUE(r.intersect(rect)); model &= g; break;
        case 2: ASSERT_TRUE(r.subtract(rect)); model &= ~g; break;
        default: ASSERT_TRUE(r.exclusive_or(Region(rect))); model ^= g; break;
      }
      expect_canonical(r);
      ASSERT_EQ(grid_of(r), model) << "round " << round << " step " << step;
    }
    // A region built from its own rectangles in any order is the same region.
    std::vector<IRect> rects = r.rects();
    std::shuffle(rects.begin(), rects.end(), rng);
    RegionBuilder builder;
    for (const IRect& rect : rects) builder.add_rect(rect);
    Region rebuilt;
    ASSERT_TRUE(builder.finish(&rebuilt));
    EXPECT_EQ(rebuilt, r);
  }
}

TEST(GdiRegion, BuilderTakesOrderedBandsAsTheyAre) {
  RegionBuilder builder;
  const std::array<Span, 2> first{{{10, 30}, {50, 60}}};
  const std::array<Span, 1> second{{{10, 20}}};
  builder.add_band(10, 20, first);
  builder.add_band(20, 40, second);
  Region r;
  ASSERT_TRUE(builder.finish(&r));
  EXPECT_EQ(r.rects(), (std::vector<IRect>{{10, 10, 30, 20}, {50, 10, 60, 20}, {10, 20, 20, 40}}));
}

TEST(GdiRegion, BuilderNormalisesUnsortedAndOverlappingInput) {
  RegionBuilder builder;
  const std::array<Span, 4> messy{{{40, 50}, {0, 10}, {5, 20}, {30, 30}}};
  builder.add_band(0, 10, messy);
  builder.add_band(5, 15, std::array<Span, 1>{{{0, 50}}});  // overlaps the band above
  builder.add_band(-5, 0, std::array<Span, 1>{{{0, 20}}});  // above everything so far
  builder.add_band(7, 3, std::array<Span, 1>{{{0, 20}}});   // upside down: dropped
  Region r;
  ASSERT_TRUE(builder.finish(&r));
  expect_canonical(r);
  EXPECT_EQ(r.rects(), (std::vector<IRect>{{0, -5, 20, 0},
                                            {0, 0, 20, 5},
                                            {40, 0, 50, 5},
                                            {0, 5, 50, 15}}));
}

// A million rectangles, well ordered: built in one pass.
TEST(GdiRegion, MillionRectanglesBuildLinearly) {
  RegionBuilder builder;
  std::vector<Span> spans;
  for (int k = 0; k < 1000; ++k) spans.push_back({k * 3, k * 3 + 2});
  for (int y = 0; y < 1000; ++y) {
    // Alternate two span sets so that no two bands merge.
    spans[0].left = (y & 1) ? -1 : 0;
    builder.add_band(y, y + 1, spans);
  }
  Region r;
  ASSERT_TRUE(builder.finish(&r));
  EXPECT_EQ(r.rect_count(), 1000000u);
  Region clipped = r;
  ASSERT_TRUE(clipped.intersect(IRect{0, 0, 30, 30}));
  EXPECT_EQ(clipped.rect_count(), 10u);  // inside x 0..30 the two span sets agree
  EXPECT_EQ(clipped.bands().size(), 1u);
  ASSERT_TRUE(clipped.unite(r));
  EXPECT_EQ(clipped, r);
}

// The classic blow-up: one tall band with many spans against many short
// bands with one span gives bands x spans rectangles; past the limit the
// combination is refused and the region stays as it was.
TEST(GdiRegion, CombinationPastTheLimitIsRefused) {
  RegionBuilder comb;
  std::vector<Span> teeth;
  for (int k = 0; k < 4000; ++k) teeth.push_back({k * 4, k * 4 + 2});
  comb.add_band(0, 8000, teeth);
  Region a;
  ASSERT_TRUE(comb.finish(&a));
  RegionBuilder stripes;
  for (int y = 0; y < 8000; y += 2) stripes.add_rect({-10, y, 20000, y + 1});
  Region b;
  ASSERT_TRUE(stripes.finish(&b));
  Region before = a;
  EXPECT_FALSE(a.exclusive_or(b));
  EXPECT_EQ(a, before);
}

// Overlapping bands given in reverse order: every band is its own run and
// the unions stay within bounds.
TEST(GdiRegion, HostileUnorderedBandsStayBounded) {
  RegionBuilder builder;
  for (int k = 50000; k > 0; --k) builder.add_rect({k % 97, k, k % 97 + 50, k + 3});
  Region r;
  EXPECT_TRUE(builder.finish(&r));
  expect_canonical(r);
  EXPECT_EQ(r.bounds().top, 1);
  EXPECT_EQ(r.bounds().bottom, 50003);
}

TEST(GdiRegion, ClipsACairoContext) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 20, 20);
  cairo_t* cr = cairo_create(surface);
  Region r(IRect{2, 2, 12, 12});
  ASSERT_TRUE(r.subtract(IRect{4, 4, 8, 8}));
  cairo_rectangle(cr, 0, 0, 1, 1);  // replaced by the clip
  clip_to_region(cr, r);
  cairo_set_source_rgb(cr, 1, 0, 0);
  cairo_paint(cr);
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  const uint8_t* px = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  auto alpha = [&](int x, int y) { return px[y * stride + x * 4 + 3]; };
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x)
      EXPECT_EQ(alpha(x, y), r.contains(x, y) ? 255 : 0) << x << "," << y;
  cairo_surface_destroy(surface);
}

TEST(GdiRegion, EmptyRegionClipsEverything) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 4, 4);
  cairo_t* cr = cairo_create(surface);
  clip_to_region(cr, Region());
  cairo_paint(cr);
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  const uint8_t* px = cairo_image_surface_get_data(surface);
  for (int k = 0; k < 4 * 4 * 4; ++k) EXPECT_EQ(px[k], 0);
  cairo_surface_destroy(surface);
}

}  // namespace
}  // namespace vellum::gdi
