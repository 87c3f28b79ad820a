// Picture sizes: boxes, zoom and resolution, and the square a picture
// shrinks into, which must never give a smaller picture for a larger side.
#include <gtest/gtest.h>

#include "render/picture_fit.h"

namespace vellum {
namespace {

PixelFit fit(double w, double h, uint32_t inch, SizeRequest request) {
  PixelFit out{};
  EXPECT_EQ(fit_picture(w, h, inch, request, &out), FitStatus::ok) << w << "x" << h;
  return out;
}

TEST(PictureFit, BoxesEnlargeOrShrinkKeepingTheAspect) {
  struct Case { uint32_t width, height; uint32_t want_w, want_h; };
  const Case cases[] = {{400, 0, 400, 200}, {0, 50, 100, 50}, {100, 100, 100, 50},
                        {1000, 100, 200, 100}, {7, 0, 7, 4}};
  for (const Case& c : cases) {
    SizeRequest request;
    request.width = c.width;
    request.height = c.height;
    const PixelFit f = fit(2000, 1000, 1440, request);
    EXPECT_EQ(f.width, c.want_w) << c.width << "x" << c.height;
    EXPECT_EQ(f.height, c.want_h) << c.width << "x" << c.height;
  }
}

TEST(PictureFit, ZoomAndResolutionScaleTheNaturalSize) {
  SizeRequest request;
  request.dpi = 96;  // 1440 units an inch: 2880 units are two inches
  EXPECT_EQ(fit(2880, 1440, 1440, request).width, 192u);
  request.zoom = 0.5;
  EXPECT_EQ(fit(2880, 1440, 1440, request).height, 48u);
  request.dpi = 0;
  request.zoom = 3;
  EXPECT_EQ(fit(10, 20, 0, request).height, 60u);
  request.dpi = 96;
  PixelFit out{};
  EXPECT_EQ(fit_picture(10, 20, 0, request, &out), FitStatus::no_units_per_inch);
}

TEST(PictureFit, ALargerSquareNeverGivesASmallerPicture) {
  // A tall frame: fitting by width alone once gave 900 -> 900x2610 but
  // 928 -> 320x928.
  const double frames[][2] = {{320, 928}, {928, 320}, {1, 30000}, {12345, 12345}};
  for (const auto& frame : frames) {
    PixelFit previous{0, 0, 0};
    for (uint32_t side = 1; side <= 2000; ++side) {
      SizeRequest request;
      request.shrink_to = side;
      const PixelFit f = fit(frame[0], frame[1], 0, request);
      ASSERT_LE(f.width, std::max(side, 1u));
      ASSERT_LE(f.height, std::max(side, 1u));
      ASSERT_LE(f.width, uint32_t(frame[0]));  // never enlarged
      ASSERT_GE(f.width, previous.width) << frame[0] << "x" << frame[1] << " at " << side;
      ASSERT_GE(f.height, previous.height) << frame[0] << "x" << frame[1] << " at " << side;
      previous = f;
    }
  }
}

TEST(PictureFit, EmptyAndHugeFramesAreRefused) {
  PixelFit out{};
  SizeRequest natural;
  EXPECT_EQ(fit_picture(0, 10, 0, natural, &out), FitStatus::empty_frame);
  EXPECT_EQ(fit_picture(10, -1, 0, natural, &out), FitStatus::empty_frame);
  EXPECT_EQ(fit_picture(40000, 10, 0, natural, &out), FitStatus::too_large);
  natural.shrink_to = 200;
  EXPECT_EQ(fit_picture(40000, 10, 0, natural, &out), FitStatus::ok);
  EXPECT_EQ(out.width, 200u);
  EXPECT_EQ(out.height, 1u);  // a hairline keeps one pixel
}

}  // namespace
}  // namespace vellum
