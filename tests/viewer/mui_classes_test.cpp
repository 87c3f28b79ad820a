// The muimaster classes behind the viewer's window: what notifications
// carry, ranges, menu tables, window places and the about box.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QtTest/QTest>

#include <proto/muimaster.h>
#include <proto/utility.h>

#include "mui_test_support.h"
#include "viewer_fixture.h"

namespace {

using namespace viewer_test;

// An object that records the last value a notification set on it, whole
// (MUIA_UserData holds only 32 bits, too few for a pointer).
constexpr ULONG RECORDED = 0x0000FE01;

IPTR recorder_dispatcher(struct IClass* cl, Object* obj, Msg msg) {
  if (msg->MethodID == OM_SET)
    if (struct TagItem* tag = FindTagItem(RECORDED, reinterpret_cast<struct opSet*>(msg)->ops_AttrList))
      *static_cast<IPTR*>(INST_DATA(cl, obj)) = tag->ti_Data;
  return DoSuperMethodA(cl, obj, msg);
}
const struct EmulLibEntry RECORDER_GATE = {TRAP_LIB, 0, reinterpret_cast<void (*)(void)>(recorder_dispatcher)};

class Recorder {
 public:
  Recorder()
      : mcc_(MUI_CreateCustomClass(nullptr, MUIC_Notify, nullptr, sizeof(IPTR),
                                   const_cast<struct EmulLibEntry*>(&RECORDER_GATE))),
        obj_(NewObject(mcc_->mcc_Class, nullptr, TAG_DONE)) {}
  ~Recorder() {
    DisposeObject(obj_);
    MUI_DeleteCustomClass(mcc_);
  }
  void listen(Object* source, ULONG attr) {
    DoMethod(source, MUIM_Notify, attr, MUIV_EveryTime, obj_, 3, MUIM_Set, RECORDED, MUIV_TriggerValue);
  }
  IPTR last() const { return *static_cast<IPTR*>(INST_DATA(mcc_->mcc_Class, obj_)); }

 private:
  struct MUI_CustomClass* mcc_;
  Object* obj_;
};

class MuiClassesTest : public ::testing::Test {
 protected:
  void SetUp() override { mui_test::use_headless_platform(); }
};

TEST_F(MuiClassesTest, StringNotifiesWithItsOwnCopyOfTheText) {
  Object* string = MUI_NewObject(MUIC_String, MUIA_String_MaxLen, 6, TAG_DONE);
  ASSERT_NE(string, nullptr);
  Recorder recorder;
  recorder.listen(string, MUIA_String_Contents);
  char text[] = "abc";
  SetAttrs(string, MUIA_String_Contents, text, TAG_DONE);
  IPTR carried = recorder.last();
  EXPECT_NE(carried, reinterpret_cast<IPTR>(text));
  EXPECT_EQ(carried, get(string, MUIA_String_Contents));
  text[0] = 'X';  // the caller's buffer is not the string's
  EXPECT_STREQ(reinterpret_cast<const char*>(carried), "abc");
  // MaxLen counts the terminator.
  SetAttrs(string, MUIA_String_Contents, "abcdefgh", TAG_DONE);
  EXPECT_EQ(get_text(string, MUIA_String_Contents), "abcde");
  MUI_DisposeObject(string);
}

TEST_F(MuiClassesTest, NumericClampsAndNotifiesTheClampedValue) {
  Object* slider = MUI_NewObject(MUIC_Slider, MUIA_Numeric_Min, 1, MUIA_Numeric_Max, 10, TAG_DONE);
  ASSERT_NE(slider, nullptr);
  EXPECT_EQ(get(slider, MUIA_Numeric_Value), 1u);
  Recorder recorder;
  recorder.listen(slider, MUIA_Numeric_Value);
  SetAttrs(slider, MUIA_Numeric_Value, 50, TAG_DONE);
  EXPECT_EQ(recorder.last(), 10u);
  SetAttrs(slider, MUIA_Numeric_Value, -3, TAG_DONE);
  EXPECT_EQ(recorder.last(), 1u);
  SetAttrs(slider, MUIA_Numeric_Value, 8, TAG_DONE);
  // A smaller range moves the value, and says so.
  SetAttrs(slider, MUIA_Numeric_Max, 4, TAG_DONE);
  EXPECT_EQ(get(slider, MUIA_Numeric_Value), 4u);
  EXPECT_EQ(recorder.last(), 4u);
  // A maximum below the minimum leaves the minimum alone.
  SetAttrs(slider, MUIA_Numeric_Max, 0, TAG_DONE);
  EXPECT_EQ(get(slider, MUIA_Numeric_Value), 1u);
  MUI_DisposeObject(slider);
}

const struct NewMenu TABLE[] = {
    {NM_TITLE, "Project", nullptr, 0, 0, nullptr},
    {NM_ITEM, "O\0Open", nullptr, 0, 0, reinterpret_cast<APTR>(7)},
    {NM_ITEM, NM_BARLABEL, nullptr, 0, 0, nullptr},
    {NM_ITEM, "Quit", "Q", 0, 0, reinterpret_cast<APTR>(IPTR(MUIV_Application_ReturnID_Quit))},
    {NM_TITLE, "Settings", nullptr, 0, 0, nullptr},
    {NM_ITEM, "Sharp", "\xDF", 0, 0, reinterpret_cast<APTR>(9)},
    {NM_END, nullptr, nullptr, 0, 0, nullptr},
};

TEST_F(MuiClassesTest, MenuTablesBecomeMenusWithShortcutsAndUserData) {
  Object* strip = MUI_MakeObject(MUIO_MenustripNM, TABLE, MUIO_MenustripNM_CommandKeyCheck);
  ASSERT_NE(strip, nullptr);
  auto* open = reinterpret_cast<Object*>(DoMethod(strip, MUIM_FindUData, 7));
  ASSERT_NE(open, nullptr);
  EXPECT_EQ(get_text(open, MUIA_Menuitem_Title), "Open");
  EXPECT_EQ(get_text(open, MUIA_Menuitem_Shortcut), "O");
  EXPECT_EQ(DoMethod(strip, MUIM_FindUData, 8), 0u);

  Object* window = MUI_NewObject(MUIC_Window, MUIA_Window_Menustrip, strip, MUIA_Window_RootObject,
                                 MUI_NewObject(MUIC_Group, TAG_DONE), TAG_DONE);
  Object* app = MUI_NewObject(MUIC_Application, MUIA_Application_Window, window, TAG_DONE);
  ASSERT_NE(app, nullptr);
  EXPECT_EQ(DoMethod(app, MUIM_FindUData, 9), DoMethod(strip, MUIM_FindUData, 9));
  SetAttrs(window, MUIA_Window_Open, TRUE, TAG_DONE);
  auto* bar = find_widget<QMenuBar>();
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(bar->actions().size(), 2);
  QList<QAction*> items = bar->actions()[0]->menu()->actions();
  ASSERT_EQ(items.size(), 3);
  EXPECT_TRUE(items[1]->isSeparator());
  EXPECT_EQ(items[0]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
  EXPECT_EQ(bar->actions()[1]->menu()->actions()[0]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_ssharp));

  // Choosing an item triggers it and hands its user data to the loop.
  Recorder recorder;
  recorder.listen(open, MUIA_Menuitem_Trigger);
  items[0]->trigger();
  EXPECT_EQ(recorder.last(), reinterpret_cast<IPTR>(open));
  ULONG signals = 0;
  EXPECT_EQ(DoMethod(app, MUIM_Application_NewInput, &signals), 7u);
  items[2]->trigger();
  EXPECT_EQ(ULONG(DoMethod(app, MUIM_Application_NewInput, &signals)), MUIV_Application_ReturnID_Quit);
  MUI_DisposeObject(app);
}

TEST_F(MuiClassesTest, AMenuTableWithAnItemBeforeAnyTitleIsRefused) {
  const struct NewMenu table[] = {
      {NM_ITEM, "Lost", nullptr, 0, 0, nullptr},
      {NM_END, nullptr, nullptr, 0, 0, nullptr},
  };
  EXPECT_EQ(MUI_MakeObject(MUIO_MenustripNM, table, 0), nullptr);
  EXPECT_EQ(MUI_MakeObject(MUIO_MenustripNM, static_cast<const struct NewMenu*>(nullptr), 0), nullptr);
}

TEST_F(MuiClassesTest, LabelsAreRightAlignedTexts) {
  Object* label = MUI_MakeObject(MUIO_Label, "File", 0);
  Object* left = MUI_MakeObject(MUIO_Label, "Left", MUIO_Label_LeftAligned);
  Object* group = MUI_NewObject(MUIC_Group, MUIA_Group_Child, label, MUIA_Group_Child, left, TAG_DONE);
  Object* window = MUI_NewObject(MUIC_Window, MUIA_Window_RootObject, group, TAG_DONE);
  ASSERT_NE(window, nullptr);
  SetAttrs(window, MUIA_Window_Open, TRUE, TAG_DONE);
  QLabel* shown[2] = {};
  for (QLabel* widget : find_widget<QLabel>()->window()->findChildren<QLabel*>()) {
    if (widget->text() == "File") shown[0] = widget;
    if (widget->text() == "Left") shown[1] = widget;
  }
  ASSERT_TRUE(shown[0] && shown[1]);
  EXPECT_TRUE(shown[0]->alignment() & Qt::AlignRight);
  EXPECT_TRUE(shown[1]->alignment() & Qt::AlignLeft);
  MUI_DisposeObject(window);
}

TEST_F(MuiClassesTest, AWindowWithAnIdComesBackWhereItWasClosed) {
  static const char ID[] = "PLACE";
  Object* window = MUI_NewObject(MUIC_Window, MUIA_Window_ID, ID, MUIA_Window_RootObject,
                                 MUI_NewObject(MUIC_Text, MUIA_Text_Contents, "x", TAG_DONE), TAG_DONE);
  ASSERT_NE(window, nullptr);
  SetAttrs(window, MUIA_Window_Open, TRUE, TAG_DONE);
  QWidget* top = find_widget<QLabel>()->window();
  top->setGeometry(40, 50, 321, 123);
  SetAttrs(window, MUIA_Window_Open, FALSE, TAG_DONE);
  MUI_DisposeObject(window);
  // A new window with the same id, as in the program's next opening.
  window = MUI_NewObject(MUIC_Window, MUIA_Window_ID, ID, MUIA_Window_RootObject,
                         MUI_NewObject(MUIC_Text, MUIA_Text_Contents, "x", TAG_DONE), TAG_DONE);
  SetAttrs(window, MUIA_Window_Open, TRUE, TAG_DONE);
  EXPECT_EQ(find_widget<QLabel>()->window()->size(), QSize(321, 123));
  MUI_DisposeObject(window);
}

TEST_F(MuiClassesTest, TheAboutBoxTellsTheApplicationsTexts) {
  Object* about = MUI_NewObject(MUIC_Aboutbox, TAG_DONE);
  Object* app = MUI_NewObject(MUIC_Application, MUIA_Application_Title, "Tester", MUIA_Application_Version,
                              "$VER: Tester 2.5", MUIA_Application_Author, "Someone", MUIA_Application_Window,
                              about, TAG_DONE);
  ASSERT_NE(app, nullptr);
  SetAttrs(about, MUIA_Window_Open, TRUE, TAG_DONE);
  auto* label = find_widget<QLabel>();
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->text().toStdString(), "Tester\nTester 2.5\nSomeone");
  MUI_DisposeObject(app);
}

TEST_F(MuiClassesTest, UnknownAttributesAreIgnoredAndFailedPartsFailTheWhole) {
  Object* gauge = MUI_NewObject(MUIC_Gauge, 0x8042FFFFUL, 100, MUIA_Gauge_Current, 30, TAG_DONE);
  ASSERT_NE(gauge, nullptr);
  EXPECT_EQ(get(gauge, MUIA_Gauge_Current), 30u);
  EXPECT_EQ(get(gauge, MUIA_Gauge_Max), 100u);
  MUI_DisposeObject(gauge);
  EXPECT_EQ(MUI_NewObject(MUIC_Scrollgroup, MUIA_Scrollgroup_Contents, nullptr, TAG_DONE), nullptr);
  EXPECT_EQ(MUI_NewObject(MUIC_Popasl, MUIA_Popstring_Button, MUI_MakeObject(MUIO_PopButton, MUII_PopFile),
                          TAG_DONE),
            nullptr);
}

}  // namespace
