// Notifications, family links and the application's input loop.
#include <gtest/gtest.h>

#include <proto/exec.h>

#include "mui_test_support.h"

namespace {

class NotifyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    mui_test::use_headless_platform();
    source_ = MUI_NewObject(MUIC_Notify, TAG_DONE);
    target_ = MUI_NewObject(MUIC_Notify, TAG_DONE);
    ASSERT_TRUE(source_ && target_);
  }
  void TearDown() override {
    MUI_DisposeObject(source_);
    MUI_DisposeObject(target_);
  }
  IPTR user_data(Object* obj) {
    IPTR value = 0;
    GetAttr(MUIA_UserData, obj, &value);
    return value;
  }
  Object* source_ = nullptr;
  Object* target_ = nullptr;
};

TEST_F(NotifyTest, EveryTimePassesTheTriggerValueOn) {
  DoMethod(source_, MUIM_Notify, MUIA_UserData, MUIV_EveryTime, target_, 3, MUIM_Set, MUIA_UserData,
           MUIV_TriggerValue);
  SetAttrs(source_, MUIA_UserData, 5, TAG_DONE);
  EXPECT_EQ(user_data(target_), 5);
  DoMethod(source_, MUIM_Set, MUIA_UserData, 9);
  EXPECT_EQ(user_data(target_), 9);
}

TEST_F(NotifyTest, AFixedTriggerValueFiresOnlyForThatValue) {
  DoMethod(source_, MUIM_Notify, MUIA_UserData, 4, target_, 3, MUIM_Set, MUIA_UserData,
           MUIV_NotTriggerValue);
  SetAttrs(target_, MUIA_UserData, 77, TAG_DONE);
  SetAttrs(source_, MUIA_UserData, 3, TAG_DONE);
  EXPECT_EQ(user_data(target_), 77);
  SetAttrs(source_, MUIA_UserData, 4, TAG_DONE);
  EXPECT_EQ(user_data(target_), 0);  // the negation of 4
}

TEST_F(NotifyTest, QuietSetsAndKilledNotificationsFireNothing) {
  DoMethod(source_, MUIM_Notify, MUIA_UserData, MUIV_EveryTime, target_, 3, MUIM_Set, MUIA_UserData,
           MUIV_TriggerValue);
  DoMethod(source_, MUIM_NoNotifySet, MUIA_UserData, 6);
  EXPECT_EQ(user_data(source_), 6);
  EXPECT_EQ(user_data(target_), 0);
  DoMethod(source_, MUIM_KillNotify, MUIA_UserData);
  SetAttrs(source_, MUIA_UserData, 8, TAG_DONE);
  EXPECT_EQ(user_data(target_), 0);
}

TEST_F(NotifyTest, SelfAsDestinationActsOnTheSourceItself) {
  // A notification on one attribute that sets another of the same object.
  DoMethod(source_, MUIM_Notify, MUIA_UserData, 1, MUIV_Notify_Self, 3, MUIM_Set, MUIA_UserData, 2);
  SetAttrs(source_, MUIA_UserData, 1, TAG_DONE);
  EXPECT_EQ(user_data(source_), 2);
}

TEST(Application, WindowCloseRequestReachesTheInputLoopAsAReturnId) {
  mui_test::use_headless_platform();
  Object* group = MUI_NewObject(MUIC_Group, TAG_DONE);
  Object* window = MUI_NewObject(MUIC_Window, MUIA_Window_Title, "Test", MUIA_Window_RootObject, group, TAG_DONE);
  Object* app = MUI_NewObject(MUIC_Application, MUIA_Application_Title, "Test", MUIA_Application_Window,
                              window, TAG_DONE);
  ASSERT_NE(app, nullptr);
  IPTR found = 0;
  GetAttr(MUIA_ApplicationObject, group, &found);
  EXPECT_EQ(found, reinterpret_cast<IPTR>(app));
  GetAttr(MUIA_WindowObject, group, &found);
  EXPECT_EQ(found, reinterpret_cast<IPTR>(window));

  DoMethod(window, MUIM_Notify, MUIA_Window_CloseRequest, TRUE, MUIV_Notify_Application, 2,
           MUIM_Application_ReturnID, MUIV_Application_ReturnID_Quit);
  ULONG signals = 0;
  EXPECT_EQ(DoMethod(app, MUIM_Application_NewInput, &signals), 0);
  ASSERT_NE(signals, 0u);
  // The loop's Wait comes back: the application raised its own signal.
  EXPECT_EQ(Wait(signals | SIGBREAKF_CTRL_C) & signals, signals);
  SetAttrs(window, MUIA_Window_CloseRequest, TRUE, TAG_DONE);
  EXPECT_EQ(ULONG(DoMethod(app, MUIM_Application_NewInput, &signals)), MUIV_Application_ReturnID_Quit);
  EXPECT_EQ(DoMethod(app, MUIM_Application_NewInput, &signals), 0);
  // A break signal is seen by the same Wait.
  Signal(FindTask(nullptr), SIGBREAKF_CTRL_C);
  EXPECT_NE(Wait(signals | SIGBREAKF_CTRL_C) & SIGBREAKF_CTRL_C, 0u);
  SetSignal(0, signals);
  MUI_DisposeObject(app);
}

// Counts disposals, to see that a failed parent still disposes its children.
int disposed = 0;
IPTR counting_dispatcher(struct IClass* cl, Object* obj, Msg msg) {
  if (msg->MethodID == OM_DISPOSE) disposed++;
  return DoSuperMethodA(cl, obj, msg);
}
const struct EmulLibEntry COUNTING_GATE = {TRAP_LIB, 0, reinterpret_cast<void (*)(void)>(counting_dispatcher)};

TEST(Family, AMissingChildFailsEveryEnclosingObjectAndFreesTheRest) {
  mui_test::use_headless_platform();
  struct MUI_CustomClass* mcc =
      MUI_CreateCustomClass(nullptr, MUIC_Area, nullptr, 0, const_cast<struct EmulLibEntry*>(&COUNTING_GATE));
  ASSERT_NE(mcc, nullptr);
  disposed = 0;
  Object* first = NewObject(mcc->mcc_Class, nullptr, TAG_DONE);
  Object* group = MUI_NewObject(MUIC_Group, MUIA_Group_Child, first, MUIA_Group_Child, nullptr, TAG_DONE);
  EXPECT_EQ(group, nullptr);
  EXPECT_EQ(disposed, 1);
  EXPECT_EQ(MUI_NewObject(MUIC_Window, MUIA_Window_RootObject, group, TAG_DONE), nullptr);
  EXPECT_EQ(MUI_NewObject(MUIC_Application, MUIA_Application_Window, nullptr, TAG_DONE), nullptr);
  EXPECT_EQ(MUI_NewObject("no such.mcc", TAG_DONE), nullptr);
  EXPECT_EQ(MUI_NewObject("../escape.mcc", TAG_DONE), nullptr);
  EXPECT_TRUE(MUI_DeleteCustomClass(mcc));
}

TEST(Family, CustomClassesNeedANativeGate) {
  struct EmulLibEntry wrong = COUNTING_GATE;
  wrong.Trap = 0x4E75;
  EXPECT_EQ(MUI_CreateCustomClass(nullptr, MUIC_Area, nullptr, 0, &wrong), nullptr);
  EXPECT_EQ(MUI_CreateCustomClass(nullptr, "no such.mcc", nullptr, 0,
                                  const_cast<struct EmulLibEntry*>(&COUNTING_GATE)),
            nullptr);
}

}  // namespace
