// vellum.mcc in a window: the inner box takes the picture's size, and a
// whole-object draw blends the picture over the area's background.
#include "mcc_fixture.h"

namespace {

using namespace mcc_test;

class VellumWindow : public VellumTest {
 protected:
  void SetUp() override {
    VellumTest::SetUp();
    std::string path = write_half_red_picture("window.wmf", 400, 100);
    picture_ = MUI_NewObject(MUIC_Vellum, MUIA_Vellum_File, path.c_str(), TAG_DONE);
    ASSERT_NE(picture_, nullptr);
    window_ = MUI_NewObject(MUIC_Window, MUIA_Window_Title, "window.wmf", MUIA_Window_RootObject,
                            MUI_NewObject(MUIC_Group, MUIA_Group_Child, picture_, TAG_DONE), TAG_DONE);
    ASSERT_NE(window_, nullptr);
    SetAttrs(window_, MUIA_Window_Open, TRUE, TAG_DONE);
    mui_test::pump_events();
  }
  void TearDown() override { MUI_DisposeObject(window_); }
  Object* picture_ = nullptr;
  Object* window_ = nullptr;
};

TEST_F(VellumWindow, TheInnerBoxIsExactlyThePictureSize) {
  EXPECT_EQ(_mwidth(picture_), 200);
  EXPECT_EQ(_mheight(picture_), 50);
  // Minimum and maximum agree, so the window can neither grow nor shrink it.
  const struct MUI_MinMax& range = muiAreaData(picture_)->mad_MinMax;
  EXPECT_EQ(range.MinWidth, 200);
  EXPECT_EQ(range.MaxWidth, 200);
  EXPECT_EQ(range.MinHeight, 50);
  EXPECT_EQ(range.MaxHeight, 50);
}

TEST_F(VellumWindow, AnUpdateOnlyDrawCopiesNothing) {
  constexpr uint32_t SENTINEL = 0x12345678;
  mui_test::Canvas canvas(_width(picture_), _height(picture_), SENTINEL);
  struct RastPort* window_port = _rp(picture_);
  _rp(picture_) = &canvas.port;
  DoMethod(picture_, MUIM_Draw, ULONG(MADF_DRAWUPDATE));
  EXPECT_EQ(canvas.pixels, std::vector<uint32_t>(canvas.pixels.size(), SENTINEL));

  DoMethod(picture_, MUIM_Draw, ULONG(MADF_DRAWOBJECT));
  _rp(picture_) = window_port;
  // Painted half in red, unpainted half showing the background that
  // Area.mui laid down, which is opaque.
  EXPECT_EQ(canvas.at(_mleft(picture_) + 20, _mtop(picture_) + 25), RED);
  uint32_t background = canvas.at(_mleft(picture_) + 180, _mtop(picture_) + 25);
  EXPECT_NE(background, SENTINEL);
  EXPECT_EQ(background >> 24, 0xFFu);
  EXPECT_NE(background, RED);
}

TEST_F(VellumWindow, TransparentPixelsShowTheWindowBackground) {
  mui_test::Picture shot = mui_test::grab_window(window_);
  ASSERT_GT(shot.width, 200);
  uint32_t window_background = shot.at(0, 0);
  // The red half covers about 100 x 50 pixels (its outline is soft).
  EXPECT_GE(shot.count(RED), size_t(98 * 48));
  EXPECT_LE(shot.count(RED), size_t(101 * 50));
  // Every pixel of the unpainted half has the window's own colour.
  size_t background_pixels = shot.count(window_background);
  EXPECT_GE(background_pixels, size_t(98 * 50));
}

}  // namespace

namespace {

using namespace mcc_test;

// A box larger than the picture, or a picture taller than MUI sizes go,
// must neither read past the pixel buffer nor wrap the 16-bit size fields.
TEST_F(VellumWindow, SizesStayWithinThePictureAndMuiLimits) {
  constexpr uint32_t SENTINEL = 0x12345678;
  mui_test::Canvas canvas(300, 120, SENTINEL);
  struct IBox laid_out = muiAreaData(picture_)->mad_Box;
  muiAreaData(picture_)->mad_Box = {0, 0, 300, 120};
  struct RastPort* window_port = _rp(picture_);
  _rp(picture_) = &canvas.port;
  DoMethod(picture_, MUIM_Draw, ULONG(MADF_DRAWOBJECT));
  _rp(picture_) = window_port;
  muiAreaData(picture_)->mad_Box = laid_out;
  uint32_t background = canvas.at(250, 100);
  EXPECT_EQ(canvas.at(20, 25), RED);
  // Right of and below the picture only the background was laid down.
  EXPECT_EQ(canvas.at(210, 25), background);
  EXPECT_EQ(canvas.at(20, 60), background);

  vellum_mcc::VellumData* data = instance(picture_);
  uint32_t height = data->Picture.Height;
  data->Picture.Height = 70000;  // as a 1 x 350 box fitted to 200 wide would give
  struct MUI_MinMax range = {};
  DoMethod(picture_, MUIM_AskMinMax, &range);
  data->Picture.Height = height;
  EXPECT_EQ(range.MinHeight, MUI_MAXMAX);
  EXPECT_EQ(range.MaxHeight, MUI_MAXMAX);
  EXPECT_EQ(range.MinWidth, 200);
}

}  // namespace
