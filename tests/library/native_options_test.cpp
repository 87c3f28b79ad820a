// libvellum with options: the player chosen, the box fitted, the background,
// what a render reports, and callers built against a shorter options record.
#include <gtest/gtest.h>

#include <cstddef>

#include <vellum/vellum.hpp>

#include "library_fixture.h"
#include "tests/support/wmf_builder.h"

namespace library_test {
namespace {

using vellum::test::WmfBuilder;

std::vector<uint8_t> selected_fill(int16_t width, int16_t height) {
  return WmfBuilder()
      .placeable(0, 0, width, height)
      .set_window_ext(width, height)
      .create_brush(0, 0, 0, 255)
      .select_object(0)
      .rectangle(0, 0, width / 2, height / 2)
      .finish();
}

TEST(NativeOptions, DefaultsAreTheGdiPlayerInsideA200Box) {
  vellum_options options = vellum::default_options();
  EXPECT_EQ(options.size, sizeof(vellum_options));
  EXPECT_EQ(options.mode, VELLUM_MODE_GDI);
  EXPECT_EQ(options.background, 0u);
  struct Case { int16_t width, height; uint32_t want_w, want_h; };
  for (const Case& c : {Case{400, 100, 200, 50}, Case{100, 400, 50, 200}, Case{40, 30, 200, 150}}) {
    int status = 1;
    vellum::Image image = vellum::render_memory(selected_fill(c.width, c.height).data(),
                                                selected_fill(c.width, c.height).size(), options, &status);
    EXPECT_EQ(status, VELLUM_OK);
    EXPECT_EQ(image.width(), c.want_w) << c.width << "x" << c.height;
    EXPECT_EQ(image.height(), c.want_h) << c.width << "x" << c.height;
  }
  vellum_image raw{};
  const std::vector<uint8_t> bytes = selected_fill(400, 100);
  EXPECT_EQ(vellum_render_memory_with(bytes.data(), bytes.size(), nullptr, &raw, nullptr), VELLUM_OK);
  EXPECT_EQ(raw.width, 200u);
  vellum_image_free(&raw);
}

TEST(NativeOptions, BoxesBackgroundAndTheExactPlayer) {
  const std::vector<uint8_t> bytes = selected_fill(400, 200);
  vellum_options options = vellum::default_options();
  options.max_width = 100;
  options.max_height = 0;
  options.background = 0xFFFF0000;
  vellum::Image image = vellum::render_memory(bytes.data(), bytes.size(), options);
  ASSERT_TRUE(image);
  EXPECT_EQ(image.height(), 50u);
  EXPECT_EQ(image.pixel(99, 49), 0xFFFF0000u) << "the background under an unpainted pixel";
  EXPECT_EQ(image.pixel(10, 10) >> 24, 0xFFu);

  // The exact player draws what the first interface draws, pixel for pixel.
  options = vellum::default_options();
  options.mode = VELLUM_MODE_EXACT;
  vellum::Image exact = vellum::render_memory(bytes.data(), bytes.size(), options);
  vellum::Image first = vellum::render_memory(bytes.data(), bytes.size(), VELLUM_DEFAULT_MAX_SIZE);
  ASSERT_TRUE(exact && first);
  ASSERT_EQ(exact.width(), first.width());
  ASSERT_EQ(exact.height(), first.height());
  for (uint32_t y = 0; y < exact.height(); ++y)
    for (uint32_t x = 0; x < exact.width(); ++x) ASSERT_EQ(exact.pixel(x, y), first.pixel(x, y)) << x << "," << y;
}

TEST(NativeOptions, FilesWithoutThePlaceableHeader) {
  const std::vector<uint8_t> windowed =
      WmfBuilder().set_window_org(0, 0).set_window_ext(300, 100).rectangle(0, 0, 300, 100).finish();
  int status = 1;
  vellum::Image image = vellum::render_memory(windowed.data(), windowed.size(), vellum::default_options(), &status);
  EXPECT_EQ(status, VELLUM_OK);
  EXPECT_EQ(image.width(), 200u);
  vellum_options exact = vellum::default_options();
  exact.mode = VELLUM_MODE_EXACT;
  vellum_image raw = {7, 7, 28, nullptr};
  EXPECT_EQ(vellum_render_memory_with(windowed.data(), windowed.size(), &exact, &raw, nullptr), VELLUM_ERROR_FORMAT);
  EXPECT_EQ(raw.width, 0u);
  EXPECT_EQ(raw.pixels, nullptr);
  EXPECT_EQ(vellum_render_file_with("/nonexistent.wmf", nullptr, &raw, nullptr), VELLUM_ERROR_INPUT);
  EXPECT_EQ(vellum_render_file_with(::testing::TempDir().c_str(), nullptr, &raw, nullptr), VELLUM_ERROR_INPUT);
  vellum_options huge = vellum::default_options();
  huge.max_width = 40000;
  huge.max_height = 0;
  EXPECT_EQ(vellum_render_memory_with(windowed.data(), windowed.size(), &huge, &raw, nullptr), VELLUM_ERROR_SIZE);
}

TEST(NativeOptions, ReportsSkippedRecordsAndTransparentPictures) {
  const std::vector<uint8_t> skipping =
      WmfBuilder().placeable(0, 0, 100, 100).set_window_ext(100, 100).record(0x3C, 0).end().record(0x3C, 0).end().finish();
  const std::string path = write_file("native-skipping.wmf", skipping);
  vellum_report report;
  vellum_report_init(&report);
  report.transparent = 9;
  int status = 1;
  vellum::Image image = vellum::render_file(path, vellum::default_options(), &status, &report);
  EXPECT_EQ(status, VELLUM_OK);
  EXPECT_EQ(report.skipped_total, 2u);
  EXPECT_EQ(report.skipped[0x3C], 2u);
  EXPECT_EQ(report.transparent, 1u);
  EXPECT_EQ(vellum::skipped_text(report).rfind("2 ", 0), 0u) << vellum::skipped_text(report);
  char small[3];
  EXPECT_EQ(vellum_report_skipped_text(&report, small, sizeof small), vellum::skipped_text(report).size());
  EXPECT_EQ(std::string(small), vellum::skipped_text(report).substr(0, 2));

  const std::vector<uint8_t> painted = selected_fill(100, 100);
  vellum::render_memory(painted.data(), painted.size(), vellum::default_options(), &status, &report);
  EXPECT_EQ(report.transparent, 0u);
  EXPECT_EQ(report.skipped_total, 0u) << "every render starts a fresh report";
}

TEST(NativeOptions, AShorterOptionsRecordKeepsTheLaterFieldsDefault) {
  const std::vector<uint8_t> bytes = selected_fill(400, 100);
  vellum_options options = vellum::default_options();
  options.size = offsetof(vellum_options, max_width);  // a caller that knew only the mode
  options.max_width = 20;
  options.background = 0xFFFFFFFF;
  vellum::Image image = vellum::render_memory(bytes.data(), bytes.size(), options);
  ASSERT_TRUE(image);
  EXPECT_EQ(image.width(), 200u);
  EXPECT_EQ(image.pixel(199, 49), 0u);
}

// Long lines crossing the whole picture, enough that either player takes
// far longer than a millisecond over them.
std::vector<uint8_t> many_long_lines(int count) {
  WmfBuilder wmf;
  wmf.placeable(0, 0, 1000, 1000).set_window_ext(1000, 1000).move_to(0, 0);
  for (int i = 0; i < count; ++i) wmf.line_to(i % 2 ? 999 : 0, (i * 37) % 1000);
  return wmf.finish();
}

TEST(NativeOptions, LimitsStopOrRefuseThePicture) {
  const std::vector<uint8_t> lines = many_long_lines(40000);
  for (uint32_t mode : {VELLUM_MODE_GDI, VELLUM_MODE_EXACT}) {
    SCOPED_TRACE(mode == VELLUM_MODE_GDI ? "gdi" : "exact");
    vellum_options options = vellum::default_options();
    options.mode = mode;
    options.max_width = options.max_height = 1000;
    options.time_limit_ms = 1;
    vellum_report report;
    vellum_report_init(&report);
    int status = 0;
    vellum::Image stopped = vellum::render_memory(lines.data(), lines.size(), options, &status, &report);
    EXPECT_EQ(status, VELLUM_TRUNCATED);
    EXPECT_TRUE(stopped) << "what was drawn is kept";
    EXPECT_EQ(report.truncated, 1u);

    options.time_limit_ms = 0;
    options.max_pixels = 1000 * 1000 - 1;
    vellum::Image refused = vellum::render_memory(lines.data(), lines.size(), options, &status);
    EXPECT_EQ(status, VELLUM_ERROR_SIZE);
    EXPECT_FALSE(refused);
    options.max_pixels = 1000 * 1000;
    options.max_width = options.max_height = 100;
    vellum::render_memory(lines.data(), lines.size(), options, &status, &report);
    EXPECT_EQ(status, VELLUM_OK);
    EXPECT_EQ(report.truncated, 0u) << "every render starts a fresh report";
  }
}

}  // namespace
}  // namespace library_test
