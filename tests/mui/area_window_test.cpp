// A custom Area subclass hosted by the generic widget inside a window:
// its size range comes from MUIM_AskMinMax, its pixels from MUIM_Draw.
#include <gtest/gtest.h>

#include <proto/cybergraphics.h>

#include "mui_test_support.h"

namespace {

constexpr int BOX_WIDTH = 30, BOX_HEIGHT = 20;
constexpr uint32_t RED = 0xFFFF0000;

struct SwatchData {
  int setups, cleanups;
  bool had_rast_port;
};

IPTR swatch_dispatcher(struct IClass* cl, Object* obj, Msg msg) {
  auto* data = static_cast<SwatchData*>(INST_DATA(cl, obj));
  switch (msg->MethodID) {
    case MUIM_Setup:
      data->setups++;
      return DoSuperMethodA(cl, obj, msg);
    case MUIM_Cleanup:
      data->cleanups++;
      return DoSuperMethodA(cl, obj, msg);
    case MUIM_AskMinMax: {
      DoSuperMethodA(cl, obj, msg);
      struct MUI_MinMax* mm = reinterpret_cast<struct MUIP_AskMinMax*>(msg)->MinMaxInfo;
      mm->MinWidth += BOX_WIDTH;
      mm->DefWidth += BOX_WIDTH;
      mm->MaxWidth += BOX_WIDTH;
      mm->MinHeight += BOX_HEIGHT;
      mm->DefHeight += BOX_HEIGHT;
      mm->MaxHeight += BOX_HEIGHT;
      return 0;
    }
    case MUIM_Draw:
      DoSuperMethodA(cl, obj, msg);
      data->had_rast_port = _rp(obj) != nullptr;
      if (reinterpret_cast<struct MUIP_Draw*>(msg)->flags & MADF_DRAWOBJECT)
        FillPixelArray(_rp(obj), UWORD(_mleft(obj)), UWORD(_mtop(obj)), UWORD(_mwidth(obj)),
                       UWORD(_mheight(obj)), RED);
      return 0;
    default: return DoSuperMethodA(cl, obj, msg);
  }
}
const struct EmulLibEntry SWATCH_GATE = {TRAP_LIB, 0, reinterpret_cast<void (*)(void)>(swatch_dispatcher)};

class HostedArea : public ::testing::Test {
 protected:
  void SetUp() override {
    mui_test::use_headless_platform();
    mcc_ = MUI_CreateCustomClass(nullptr, MUIC_Area, nullptr, sizeof(SwatchData),
                                 const_cast<struct EmulLibEntry*>(&SWATCH_GATE));
    ASSERT_NE(mcc_, nullptr);
  }
  void TearDown() override {
    MUI_DisposeObject(window_);
    EXPECT_TRUE(MUI_DeleteCustomClass(mcc_));
  }
  // A window whose root is a horizontal group holding the swatch.
  void make_window(ULONG frame) {
    swatch_ = NewObject(mcc_->mcc_Class, nullptr, MUIA_Frame, frame, TAG_DONE);
    Object* group = MUI_NewObject(MUIC_Group, MUIA_Group_Horiz, TRUE, MUIA_Group_Child, swatch_, TAG_DONE);
    window_ = MUI_NewObject(MUIC_Window, MUIA_Window_Title, "Swatch", MUIA_Window_RootObject, group, TAG_DONE);
    ASSERT_NE(window_, nullptr);
  }
  SwatchData* data() { return static_cast<SwatchData*>(INST_DATA(mcc_->mcc_Class, swatch_)); }
  struct MUI_CustomClass* mcc_ = nullptr;
  Object* swatch_ = nullptr;
  Object* window_ = nullptr;
};

TEST_F(HostedArea, OpeningSetsUpSizesAndDrawsTheTree) {
  make_window(MUIV_Frame_None);
  EXPECT_EQ(muiRenderInfo(swatch_), nullptr);
  SetAttrs(window_, MUIA_Window_Open, TRUE, TAG_DONE);
  mui_test::pump_events();
  IPTR open = 0;
  GetAttr(MUIA_Window_Open, window_, &open);
  EXPECT_TRUE(open);
  EXPECT_EQ(data()->setups, 1);
  ASSERT_NE(muiRenderInfo(swatch_), nullptr);
  EXPECT_EQ(_win(swatch_), window_);
  EXPECT_EQ(_mwidth(swatch_), BOX_WIDTH);
  EXPECT_EQ(_mheight(swatch_), BOX_HEIGHT);

  mui_test::Picture picture = mui_test::grab_window(window_);
  EXPECT_TRUE(data()->had_rast_port);
  EXPECT_EQ(picture.count(RED), size_t(BOX_WIDTH * BOX_HEIGHT));

  SetAttrs(window_, MUIA_Window_Open, FALSE, TAG_DONE);
  EXPECT_EQ(data()->cleanups, 1);
  EXPECT_EQ(muiRenderInfo(swatch_), nullptr);
}

TEST_F(HostedArea, AFrameSurroundsTheInnerBox) {
  make_window(MUIV_Frame_Group);
  SetAttrs(window_, MUIA_Window_Open, TRUE, TAG_DONE);
  mui_test::pump_events();
  EXPECT_EQ(_mwidth(swatch_), BOX_WIDTH);
  EXPECT_EQ(_mheight(swatch_), BOX_HEIGHT);
  EXPECT_GT(_width(swatch_), BOX_WIDTH);
  EXPECT_EQ(_mleft(swatch_), _left(swatch_) + (_width(swatch_) - BOX_WIDTH) / 2);
  EXPECT_EQ(mui_test::grab_window(window_).count(RED), size_t(BOX_WIDTH * BOX_HEIGHT));
}

TEST_F(HostedArea, ColumnsLayChildrenOutInRows) {
  Object* swatches[4];
  for (Object*& swatch : swatches) swatch = NewObject(mcc_->mcc_Class, nullptr, TAG_DONE);
  Object* grid = MUI_NewObject(MUIC_Group, MUIA_Group_Columns, 2, MUIA_Group_Child, swatches[0], MUIA_Group_Child,
                               swatches[1], MUIA_Group_Child, swatches[2], MUIA_Group_Child, swatches[3], TAG_DONE);
  window_ = MUI_NewObject(MUIC_Window, MUIA_Window_RootObject, grid, TAG_DONE);
  ASSERT_NE(window_, nullptr);
  SetAttrs(window_, MUIA_Window_Open, TRUE, TAG_DONE);
  mui_test::pump_events();
  mui_test::Picture shot = mui_test::grab_window(window_);
  EXPECT_EQ(shot.count(RED), size_t(4 * BOX_WIDTH * BOX_HEIGHT));
  // Two by two: wider than one column, narrower than three; the same for rows.
  EXPECT_GT(shot.width, 2 * BOX_WIDTH);
  EXPECT_LT(shot.width, 3 * BOX_WIDTH);
  EXPECT_GT(shot.height, 2 * BOX_HEIGHT);
  EXPECT_LT(shot.height, 3 * BOX_HEIGHT);
}

}  // namespace
