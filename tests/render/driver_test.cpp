// The playback driver: loading, the placeable header, fitting, the pixel
// buffer, and how the record walk ends.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "render/fitting.h"
#include "render/skip_tally.h"
#include "tests/render/render_probe.h"

namespace vellum::test {
namespace {

// A red filled square over the whole frame, black outline.
WmfBuilder full_red(int w, int h) {
  WmfBuilder wmf = forward_canvas(w, h);
  wmf.create_brush(0, 255, 0, 0).rectangle(0, 0, w, h);
  return wmf;
}

TEST(Fitting, FollowsTheWidthAlone) {
  struct Case { uint32_t w0, h0, width, height; double scale; };
  const Case cases[] = {{400, 100, 200, 50, 0.5}, {100, 400, 200, 800, 2.0},
                        {200, 200, 200, 200, 1.0}, {201, 10, 200, 9, 200.0 / 201},
                        {150, 120, 150, 120, 1.0}};
  for (const Case& c : cases) {
    const FittedSize fit = fit_to_limit(c.w0, c.h0, 200);
    EXPECT_EQ(fit.width, c.width) << c.w0 << "x" << c.h0;
    EXPECT_EQ(fit.height, c.height) << c.w0 << "x" << c.h0;
    EXPECT_DOUBLE_EQ(fit.scale, c.scale) << c.w0 << "x" << c.h0;
  }
}

TEST(Fitting, UnrepresentableHeightsComeOutZero) {
  EXPECT_EQ(fit_to_limit(0, 300, 200).height, 0u);  // infinite factor
  EXPECT_EQ(fit_to_limit(1, 4294967295u, 200).height, 0u);  // beyond 32 bits
  EXPECT_EQ(pixel_buffer_bytes(200, 0), 0u);
  EXPECT_EQ(pixel_buffer_bytes(200, MAX_IMAGE_SIDE + 1), 0u);
  EXPECT_EQ(pixel_buffer_bytes(MAX_IMAGE_SIDE, MAX_IMAGE_SIDE), size_t(MAX_IMAGE_SIDE) * MAX_IMAGE_SIDE * 4);
}

TEST(Driver, ScalesThePictureOnTheContext) {
  WmfBuilder wmf = forward_canvas(400, 100);
  wmf.create_pen(5, 0, 0, 0, 0).create_brush(0, 0, 0, 255).rectangle(200, 0, 400, 100);
  Picture p;
  render_into(p, wmf.finish());
  ASSERT_EQ(p.width(), 200u);
  ASSERT_EQ(p.height(), 50u);
  const Bounds b = p.ink_bounds();
  EXPECT_EQ(b.left, 100);
  EXPECT_EQ(b.right, 199);
  EXPECT_TRUE(looks(p.at(150, 25), 0, 0, 255)) << describe(p.at(150, 25));
}

// Nothing is drawn, and the previous picture is released (ASan sees it
// freed once) so it cannot pass for this file's.
TEST(Driver, WithoutPlaceableKeyThePreviousPictureIsReleased) {
  WmfBuilder wmf;
  wmf.set_window_ext(100, 100).rectangle(0, 0, 50, 50);
  Picture p;
  p.target = {std::calloc(4, 1), 7, 9};
  render_into(p, wmf.finish());
  EXPECT_EQ(p.played, 0);
  EXPECT_EQ(p.target.Pixels, nullptr);
  EXPECT_EQ(p.target.Width, 0u);
  EXPECT_EQ(p.target.Height, 0u);
}

TEST(Driver, BadSizesLeaveNoPixels) {
  struct Case { int left, top, right, bottom; uint32_t width, height; };
  const Case cases[] = {
      {100, 0, 0, 100, 200, 0},     // reversed box: a tiny factor, height 0
      {0, 0, 0, 300, 200, 0},       // zero width above the limit
      {0, 0, 1, 30000, 200, 6000000},  // taller than cairo can draw
  };
  for (const Case& c : cases) {
    WmfBuilder wmf;
    wmf.placeable(c.left, c.top, c.right, c.bottom).rectangle(0, 0, 10, 10);
    Picture p;
    p.target.Pixels = std::calloc(4, 1);  // freed by the driver
    render_into(p, wmf.finish());
    EXPECT_EQ(p.played, 0);
    EXPECT_EQ(p.target.Pixels, nullptr) << c.right << "," << c.bottom;
    EXPECT_EQ(p.width(), c.width);
    EXPECT_EQ(p.height(), c.height);
  }
}

TEST(Driver, SecondPlaybackReplacesTheFirstPicture) {
  Picture p;
  render_into(p, full_red(50, 40).finish());
  ASSERT_NE(p.target.Pixels, nullptr);
  render_into(p, full_red(30, 20).finish());  // the leak checker sees a lost first buffer
  EXPECT_EQ(p.width(), 30u);
  EXPECT_EQ(p.height(), 20u);
  EXPECT_TRUE(looks(p.at(15, 10), 255, 0, 0));
}

TEST(Driver, RecordsAfterEndOfFileAreIgnored) {
  WmfBuilder wmf = forward_canvas();
  wmf.create_brush(0, 255, 0, 0).rectangle(0, 0, 40, 40);
  wmf.record(0x00, 0x00).end();
  wmf.rectangle(60, 60, 90, 90);
  Picture p;
  render_into(p, wmf.finish());
  EXPECT_TRUE(looks(p.at(20, 20), 255, 0, 0));
  EXPECT_FALSE(p.inked(75, 75));
}

TEST(Driver, ARecordOfSizeZeroEndsTheWalk) {
  WmfBuilder wmf = forward_canvas();
  wmf.create_brush(0, 255, 0, 0).rectangle(0, 0, 40, 40);
  wmf.record(0x1B, 0x04).words({90, 90, 60, 60}).size_words(0).end();
  wmf.rectangle(60, 0, 90, 30);
  Picture p;
  render_into(p, wmf.finish());
  EXPECT_TRUE(p.inked(20, 20));
  EXPECT_FALSE(p.inked(75, 75));
  EXPECT_FALSE(p.inked(75, 15));
}

TEST(Driver, StreamsWithoutEndOfFileAreCutCleanly) {
  WmfBuilder wmf = full_red(100, 100);
  wmf.without_eof();
  std::vector<uint8_t> bytes = wmf.finish();
  bytes.resize(bytes.size() - 3);  // the last record now reaches past the end
  Picture whole, cut;
  render_into(whole, wmf.finish());
  render_into(cut, bytes);
  EXPECT_TRUE(whole.inked(50, 50));
  EXPECT_EQ(cut.played, 0);
  EXPECT_FALSE(cut.inked(50, 50));
}

TEST(Driver, SkippedRecordsDoNotSelectObjects) {
  WmfBuilder wmf = forward_canvas();
  wmf.create_pen(0, 1, 255, 0, 0).select_object(0).create_brush(0, 0, 255, 0)
      .create_brush(0, 0, 0, 255).select_object(1).delete_object(1).rectangle(10, 10, 90, 90);
  Picture p;
  render_into(p, wmf.finish());
  EXPECT_TRUE(looks(p.at(50, 50), 0, 0, 255)) << describe(p.at(50, 50));
}

TEST(Driver, PlayMemoryRefusesEmptyInput) {
  RenderTarget target{nullptr, 3, 4};
  uint8_t byte = 0xD7;
  MemoryMetafile none{nullptr, 10}, empty{&byte, 0}, negative{&byte, -5};
  EXPECT_EQ(play_memory(&none, &target, 200), -1);
  EXPECT_EQ(play_memory(&empty, &target, 200), -1);
  EXPECT_EQ(play_memory(&negative, &target, 200), -1);
  EXPECT_EQ(byte, 0xD7);
  EXPECT_EQ(target.Width, 3u);
}

TEST(Driver, DispatchResults) {
  WmfBuilder wmf = forward_canvas();
  wmf.set_bk_mode(1);
  const std::vector<uint8_t> bytes = wmf.finish();
  const std::vector<size_t> at = wmf.record_offsets();
  PlaybackState state{};
  const uint8_t* end = bytes.data() + bytes.size();
  // The skipped record's size comes back; the end-of-file record gives 0.
  EXPECT_EQ(dispatch_record(bytes.data(), end, at.back(), &state), 8);
  EXPECT_EQ(dispatch_record(bytes.data(), end, bytes.size() - 6, &state), 0);
  EXPECT_EQ(dispatch_record(bytes.data(), end, bytes.size() - 4, &state), -1);
  EXPECT_EQ(dispatch_record(bytes.data(), end, bytes.size() + 10, &state), -1);
}

TEST(Driver, CountsTheRecordsItPassesOver) {
  WmfBuilder wmf = forward_canvas();  // its window extent is played
  wmf.select_object(0).set_bk_mode(1).select_object(1).rectangle(1, 1, 5, 5);
  wmf.record(0x49, 1).words({0, 0}).end();
  wmf.ext_text_out(1, 1, "a");
  wmf.record(0x18, 4).words({1, 2}).end();  // an ellipse too short to draw: played all the same
  wmf.trailing({3, 0, 0, 0, 0x2D, 0x01});     // after the end-of-file record
  std::vector<uint8_t> bytes = wmf.finish();
  MemoryMetafile memory{bytes.data(), int32_t(bytes.size())};
  RenderTarget target{};
  SkipTally skipped;
  ASSERT_EQ(play_memory_counting_skips(&memory, &target, 200, &skipped), 0);
  std::free(target.Pixels);
  EXPECT_EQ(skipped.total(), 5u);
  EXPECT_EQ(skipped.summary(), "2 SELECTOBJECT, 1 SETBKMODE, 1 EXTTEXTOUT, 1 49");
}

class PlayFile : public ::testing::Test {
 protected:
  std::string path(const char* name) { return ::testing::TempDir() + "vellum_" + name; }
};

TEST_F(PlayFile, RendersAFile) {
  const std::string file = path("red.wmf");
  ASSERT_TRUE(full_red(60, 30).write_to(file));
  RenderTarget target{nullptr, 0, 0};
  EXPECT_EQ(play_file(file.c_str(), &target, 200), 0);
  EXPECT_EQ(target.Width, 60u);
  EXPECT_EQ(target.Height, 30u);
  EXPECT_NE(target.Pixels, nullptr);
  std::free(target.Pixels);
  std::remove(file.c_str());
}

TEST_F(PlayFile, UnreadableFilesLeaveTheTargetUntouched) {
  const std::string empty = path("empty.wmf");
  std::ofstream(empty).close();
  const std::string missing = path("missing.wmf");
  std::remove(missing.c_str());
  for (const std::string& file : {empty, missing, ::testing::TempDir()}) {
    RenderTarget target{nullptr, 5, 6};
    EXPECT_EQ(play_file(file.c_str(), &target, 200), -1) << file;
    EXPECT_EQ(target.Pixels, nullptr);
    EXPECT_EQ(target.Width, 5u);
  }
  std::remove(empty.c_str());
}

}  // namespace
}  // namespace vellum::test
