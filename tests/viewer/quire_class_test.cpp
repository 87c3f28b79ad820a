// quire.mcc loaded by name from LIBS:MUI/: the document and page it shows,
// what it tells the gauge and the slider, its fixed size, and what it
// draws for documents it can and cannot open.
#include <gtest/gtest.h>

#include <mui/Quire_mcc.h>
#include <proto/muimaster.h>

#include "mui_test_support.h"
#include "viewer_fixture.h"

namespace {

using namespace viewer_test;

constexpr uint32_t WHITE = 0xFFFFFFFF;

class QuireClassTest : public ::testing::Test {
 protected:
  void SetUp() override {
    mui_test::use_headless_platform();
    gauge_ = MUI_NewObject(MUIC_Gauge, MUIA_Gauge_Horiz, TRUE, TAG_DONE);
    slider_ = MUI_NewObject(MUIC_Slider, MUIA_Numeric_Min, 1, TAG_DONE);
    document_ = MUI_NewObject(MUIC_Quire, MUIA_Quire_PageWidth, 595, MUIA_Quire_PageHeight, 842, TAG_DONE);
    ASSERT_TRUE(gauge_ && slider_ && document_);
    SetAttrs(document_, MUIA_Quire_Gauge, gauge_, MUIA_Quire_Slider, slider_, TAG_DONE);
  }
  void TearDown() override {
    MUI_DisposeObject(window_ ? window_ : document_);
    MUI_DisposeObject(slider_);
    MUI_DisposeObject(gauge_);
  }
  // Puts the document object in an open window; a picture of it.
  mui_test::Picture draw() {
    if (!window_) {
      window_ = MUI_NewObject(MUIC_Window, MUIA_Window_RootObject, document_, TAG_DONE);
      SetAttrs(window_, MUIA_Window_Open, TRUE, TAG_DONE);
    }
    mui_test::pump_events();
    return mui_test::grab_window(window_);
  }
  // How many pixels of the picture are neither white nor the window's own
  // colour: the ink of the page.
  static size_t ink(const mui_test::Picture& picture) {
    uint32_t window_colour = picture.at(0, 0);
    size_t n = 0;
    for (uint32_t pixel : picture.pixels) n += pixel != WHITE && pixel != window_colour;
    return n;
  }
  Object* gauge_ = nullptr;
  Object* slider_ = nullptr;
  Object* document_ = nullptr;
  Object* window_ = nullptr;
};

TEST_F(QuireClassTest, OpeningADocumentTellsTheSliderAndTheGauge) {
  std::string path = write_document("three.doc", 3);
  SetAttrs(document_, MUIA_Quire_File, path.c_str(), TAG_DONE);
  EXPECT_EQ(get_text(document_, MUIA_Quire_File), path);
  EXPECT_EQ(get(document_, MUIA_Quire_PageCount), 3u);
  EXPECT_EQ(get(slider_, MUIA_Numeric_Max), 3u);
  EXPECT_EQ(get(slider_, MUIA_Numeric_Value), 1u);
  EXPECT_EQ(get(gauge_, MUIA_Gauge_Current), get(gauge_, MUIA_Gauge_Max));
  EXPECT_EQ(get_text(gauge_, MUIA_Gauge_InfoText), "Page 1 of 3");
  SetAttrs(document_, MUIA_Quire_Page, 3, TAG_DONE);
  EXPECT_EQ(get_text(gauge_, MUIA_Gauge_InfoText), "Page 3 of 3");
  SetAttrs(document_, MUIA_Quire_Page, 4, TAG_DONE);
  EXPECT_EQ(get_text(gauge_, MUIA_Gauge_InfoText), "3 pages");
}

TEST_F(QuireClassTest, AFileThatCannotBeOpenedShowsAnEmptyPage) {
  std::string junk = scratch_folder() + "/junk.doc";
  FILE* file = std::fopen(junk.c_str(), "wb");
  std::fputs("not a compound file at all", file);
  std::fclose(file);
  for (const char* path : {junk.c_str(), "/no/such/file.doc", "", "RAM:", static_cast<const char*>(nullptr)}) {
    SetAttrs(document_, MUIA_Quire_File, path, MUIA_Quire_Page, 2, TAG_DONE);
    EXPECT_EQ(get(document_, MUIA_Quire_PageCount), 0u);
    EXPECT_EQ(get(slider_, MUIA_Numeric_Max), 1u);
    EXPECT_EQ(get(gauge_, MUIA_Gauge_Current), 0u);
  }
  mui_test::Picture picture = draw();
  EXPECT_EQ(picture.count(WHITE), size_t(595 * 842));
  EXPECT_EQ(ink(picture), 0u);
}

TEST_F(QuireClassTest, EachPageDrawsItsOwnText) {
  SetAttrs(document_, MUIA_Quire_File, write_document("two.doc", 2).c_str(), TAG_DONE);
  mui_test::Picture first = draw();
  EXPECT_GT(ink(first), 50u);
  SetAttrs(document_, MUIA_Quire_Page, 2, TAG_DONE);
  mui_test::Picture second = draw();
  EXPECT_GT(ink(second), 50u);
  EXPECT_NE(first.pixels, second.pixels);
  // A page past the end shows empty paper.
  SetAttrs(document_, MUIA_Quire_Page, 3, TAG_DONE);
  EXPECT_EQ(ink(draw()), 0u);
}

TEST_F(QuireClassTest, TheAreaIsExactlyThePageSize) {
  struct MUI_MinMax minMax = {};
  DoMethod(document_, MUIM_AskMinMax, &minMax);
  EXPECT_EQ(minMax.MinWidth, 595);
  EXPECT_EQ(minMax.MaxWidth, 595);
  EXPECT_EQ(minMax.DefHeight, 842);
  EXPECT_EQ(minMax.MaxHeight, 842);
  SetAttrs(document_, MUIA_Quire_PageWidth, 300, MUIA_Quire_PageHeight, 100000, TAG_DONE);
  DoMethod(document_, MUIM_AskMinMax, &minMax);
  EXPECT_EQ(minMax.MinWidth, 300);
  EXPECT_EQ(minMax.MaxHeight, MUI_MAXMAX);
}

TEST_F(QuireClassTest, SettingsBeforeAnyPartnerAreSafe) {
  Object* lone = MUI_NewObject(MUIC_Quire, MUIA_Quire_File, "/no/such.doc", MUIA_Quire_Page, 4, TAG_DONE);
  ASSERT_NE(lone, nullptr);
  EXPECT_EQ(get(lone, MUIA_Quire_Page), 4u);
  EXPECT_EQ(get(lone, MUIA_Quire_PageWidth), 595u);
  MUI_DisposeObject(lone);
}

}  // namespace
