// Quire_Viewer driven step by step in this process, on Qt's offscreen
// platform: the wiring between slider, path string, requester and the
// document object, and the three ways out through the one shutdown.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <QFileDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QSlider>
#include <QTimer>
#include <QToolButton>
#include <QtTest/QTest>
#include <functional>

#include <mui/Quire_mcc.h>
#include <proto/dos.h>
#include <proto/exec.h>

#include "mui_test_support.h"
#include "viewer.h"
#include "viewer_fixture.h"

namespace {

using namespace viewer_test;
using quire_viewer::Viewer;

// Every FreeVec of the program passes here first, so a test can count how
// often one block was freed.
APTR watched_block = nullptr;
int watched_frees = 0;

}  // namespace

extern "C" void FreeVec(APTR block) {
  static auto real = reinterpret_cast<void (*)(APTR)>(dlsym(RTLD_NEXT, "FreeVec"));
  if (block && block == watched_block) watched_frees++;
  real(block);
}

namespace {

class ViewerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    mui_test::use_headless_platform();
    ASSERT_TRUE(quire_viewer::start(viewer_));
    quire_viewer::wire(viewer_);
    mui_test::pump_events();
  }
  void TearDown() override {
    if (viewer_.App) quire_viewer::shut_down(viewer_);
  }
  // Runs the input loop with `action` done from inside it. A loop that
  // does not end by itself is broken after ten seconds, and the test fails.
  void run_with(std::function<void()> action) {
    bool timed_out = false;
    QTimer::singleShot(100, action);
    QTimer safety;
    safety.setSingleShot(true);
    QObject::connect(&safety, &QTimer::timeout, [&] {
      timed_out = true;
      Signal(FindTask(nullptr), SIGBREAKF_CTRL_C);
    });
    safety.start(10000);
    quire_viewer::run(viewer_);
    safety.stop();
    EXPECT_FALSE(timed_out) << "the input loop did not end";
    SetSignal(0, SIGBREAKF_CTRL_C);
  }
  // Runs the loop until `action` ends it, then the shutdown; how often the
  // program freed its InfoBlock.
  int frees_of_info_block_after(std::function<void()> action) {
    watched_block = viewer_.InfoBlock;
    watched_frees = 0;
    run_with(std::move(action));
    quire_viewer::shut_down(viewer_);
    EXPECT_EQ(viewer_.App, nullptr);
    return watched_frees;
  }
  Viewer viewer_;
};

TEST_F(ViewerTest, MovingTheSliderSetsThatPageOnTheDocument) {
  auto* slider = find_widget<QSlider>();
  ASSERT_NE(slider, nullptr);
  slider->setValue(5);
  EXPECT_EQ(get(viewer_.Document, MUIA_Quire_Page), 5u);
  EXPECT_EQ(get(viewer_.PageSlider, MUIA_Numeric_Value), 5u);
  // A document's page count bounds the slider, and page 1 comes first.
  SetAttrs(viewer_.PathString, MUIA_String_Contents, write_document("six.doc", 6).c_str(), TAG_DONE);
  EXPECT_EQ(get(viewer_.PageSlider, MUIA_Numeric_Max), 6u);
  EXPECT_EQ(get(viewer_.Document, MUIA_Quire_Page), 1u);
  slider->setValue(5);
  EXPECT_EQ(get(viewer_.Document, MUIA_Quire_Page), 5u);
  slider->setValue(9);
  EXPECT_EQ(get(viewer_.Document, MUIA_Quire_Page), 6u);
}

TEST_F(ViewerTest, PagingKeysChangePagesAndTheGaugeSaysWhichPage) {
  quire_viewer::open_document(viewer_, write_document("keys.doc", 6).c_str());
  QWidget* window = find_widget<QSlider>()->window();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  auto* slider = find_widget<QSlider>();
  slider->setFocus();  // keys reach the page whatever has the focus
  auto page_after = [&](Qt::Key key) {
    QTest::keyClick(QApplication::focusWidget(), key);
    return get(viewer_.Document, MUIA_Quire_Page);
  };
  EXPECT_EQ(page_after(Qt::Key_PageDown), 2u);
  EXPECT_EQ(page_after(Qt::Key_PageDown), 3u);
  EXPECT_EQ(page_after(Qt::Key_PageUp), 2u);
  EXPECT_EQ(page_after(Qt::Key_End), 6u);
  EXPECT_EQ(get_text(viewer_.Gauge, MUIA_Gauge_InfoText), "Page 6 of 6");
  EXPECT_EQ(page_after(Qt::Key_PageDown), 6u);  // no page beyond the last
  EXPECT_EQ(page_after(Qt::Key_Home), 1u);
  EXPECT_EQ(page_after(Qt::Key_PageUp), 1u);
  EXPECT_EQ(get_text(viewer_.Gauge, MUIA_Gauge_InfoText), "Page 1 of 6");

  // In the File field Home and End move the cursor; the paging keys still page.
  auto* edit = find_widget<QLineEdit>();
  edit->setFocus();
  edit->setCursorPosition(3);
  EXPECT_EQ(page_after(Qt::Key_End), 1u);
  EXPECT_EQ(edit->cursorPosition(), edit->text().size());
  EXPECT_EQ(page_after(Qt::Key_PageDown), 2u);
  EXPECT_EQ(get_text(viewer_.Document, MUIA_Quire_File), edit->text().toStdString());
}

TEST_F(ViewerTest, TypingAPathSetsTheFileAfterEveryKeystroke) {
  auto* edit = find_widget<QLineEdit>();
  ASSERT_NE(edit, nullptr);
  std::string path = write_document("typed.doc", 2);
  for (size_t length = 1; length <= path.size(); length++) {
    QTest::keyClick(edit, path[length - 1]);
    ASSERT_EQ(get_text(viewer_.Document, MUIA_Quire_File), path.substr(0, length));
  }
  EXPECT_EQ(get(viewer_.Document, MUIA_Quire_PageCount), 2u);
  QTest::keyClick(edit, Qt::Key_Backspace);
  EXPECT_EQ(get_text(viewer_.Document, MUIA_Quire_File), path.substr(0, path.size() - 1));
  EXPECT_EQ(get(viewer_.Document, MUIA_Quire_PageCount), 0u);
}

TEST_F(ViewerTest, TheRequesterOpensInRamWithItsTitleAndItsChoiceReachesTheDocument) {
  char ram[1024];
  ASSERT_GT(HostPathFromName("ram:", ram, sizeof ram), 0);
  std::string chosen = std::string(ram) + "/chosen.doc";
  std::string fixture = write_document("chosen.doc", 3);
  ASSERT_EQ(std::system(("cp " + fixture + " " + chosen).c_str()), 0);

  // The requester is modal: it is answered from a timer that looks for it
  // until it shows, for five seconds at most.
  QString title, folder;
  QTimer answer;
  int tries = 0;
  QObject::connect(&answer, &QTimer::timeout, [&] {
    auto* requester = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!requester) {
      if (++tries > 100) answer.stop();
      return;
    }
    answer.stop();
    title = requester->windowTitle();
    folder = requester->directory().absolutePath();
    requester->selectFile(QString::fromLocal8Bit(chosen.c_str()));
    QMetaObject::invokeMethod(requester, "accept");
  });
  answer.start(50);
  auto* button = find_widget<QToolButton>();
  ASSERT_NE(button, nullptr);
  button->click();
  EXPECT_EQ(title.toStdString(), "Open DOC files...");
  EXPECT_EQ(folder.toStdString(), ram);
  EXPECT_EQ(get_text(viewer_.PathString, MUIA_String_Contents), chosen);
  EXPECT_EQ(get_text(viewer_.Document, MUIA_Quire_File), chosen);
  EXPECT_EQ(get(viewer_.Document, MUIA_Quire_PageCount), 3u);
  std::remove(chosen.c_str());
}

TEST_F(ViewerTest, ThePropertyFieldsStayEmptyWhateverTheDocument) {
  SetAttrs(viewer_.PathString, MUIA_String_Contents,
           write_document("props.doc", 1, "Quarterly report", "Somebody").c_str(), TAG_DONE);
  mui_test::pump_events();
  ASSERT_EQ(get(viewer_.Document, MUIA_Quire_PageCount), 1u);
  for (Object* field : viewer_.PropertyTexts) {
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(get_text(field, MUIA_Text_Contents), "");
  }
}

TEST_F(ViewerTest, TheDocumentObjectKnowsItsPartnersAndSize) {
  EXPECT_EQ(get(viewer_.Document, MUIA_Quire_Gauge), reinterpret_cast<IPTR>(viewer_.Gauge));
  EXPECT_EQ(get(viewer_.Document, MUIA_Quire_Info), reinterpret_cast<IPTR>(viewer_.InfoBlock));
  EXPECT_EQ(get(viewer_.Document, MUIA_Quire_Slider), reinterpret_cast<IPTR>(viewer_.PageSlider));
  EXPECT_EQ(get(viewer_.Document, MUIA_Quire_PageWidth), 595u);
  EXPECT_EQ(get(viewer_.Document, MUIA_Quire_PageHeight), 842u);
  EXPECT_TRUE(get(viewer_.MainWindow, MUIA_Window_Open));
  EXPECT_NE(get(viewer_.MainWindow, MUIA_Window_ID), get(viewer_.AboutWindow, MUIA_Window_ID));
  EXPECT_EQ(get_text(viewer_.App, MUIA_Application_Description), "Viewer for Microsoft Word files");
}

TEST_F(ViewerTest, TheAboutItemOpensTheAboutWindow) {
  auto* bar = find_widget<QMenuBar>();
  ASSERT_NE(bar, nullptr);
  QAction* about = nullptr;
  for (QAction* menu : bar->actions())
    for (QAction* item : menu->menu()->actions())
      if (item->text() == "About...") about = item;
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(about->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_I));
  about->trigger();
  EXPECT_TRUE(get(viewer_.AboutWindow, MUIA_Window_Open));
}

TEST_F(ViewerTest, ClosingTheWindowRunsTheShutdownOnce) {
  EXPECT_EQ(frees_of_info_block_after([] {
              if (auto* edit = find_widget<QLineEdit>()) edit->window()->close();
            }),
            1);
}

TEST_F(ViewerTest, ChoosingQuitRunsTheShutdownOnce) {
  EXPECT_EQ(frees_of_info_block_after([] {
              auto* bar = find_widget<QMenuBar>();
              if (!bar) return;
              for (QAction* menu : bar->actions())
                for (QAction* item : menu->menu()->actions())
                  if (item->text() == "Quit...") item->trigger();
            }),
            1);
}

TEST_F(ViewerTest, CtrlCRunsTheShutdownOnce) {
  EXPECT_EQ(frees_of_info_block_after([] { raise(SIGINT); }), 1);
}

TEST_F(ViewerTest, AllThreeAtOnceStillEndTheProgramOnce) {
  EXPECT_EQ(frees_of_info_block_after([] {
              if (auto* edit = find_widget<QLineEdit>()) edit->window()->close();
              Signal(FindTask(nullptr), SIGBREAKF_CTRL_C);
            }),
            1);
}

}  // namespace
