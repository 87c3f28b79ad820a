// The eight functions through the library's vector table, as a caller
// uses them: results, the ImageResult they leave, and their debug lines.
#include <atomic>
#include <thread>

#include <host/runtime.h>
#include <proto/dos.h>
#include <proto/exec.h>
#include <proto/vellum.h>

#include "library_fixture.h"

struct Library* VellumBase = nullptr;

namespace library_test {
namespace {

const char* const SYSTEM_LIBRARIES[] = {"cairo.library",         "dos.library",       "graphics.library",
                                        "cybergraphics.library", "intuition.library", "utility.library"};

// The open count of a system library, read without opening it.
UWORD open_count(const char* name) {
  Forbid();
  auto* library = reinterpret_cast<struct Library*>(FindName(&SysBase->LibList, name));
  UWORD count = library ? library->lib_OpenCnt : 0;
  Permit();
  return count;
}

std::vector<UWORD> system_counts() {
  std::vector<UWORD> counts;
  for (const char* name : SYSTEM_LIBRARIES) counts.push_back(open_count(name));
  return counts;
}

class Api : public LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    VellumBase = OpenLibrary("vellum.library", 1);
    ASSERT_NE(VellumBase, nullptr);
    serial.take();
  }
  void TearDown() override {
    HostFailAllocations(0);
    CloseLibrary(VellumBase);
    VellumBase = nullptr;
    LibraryTest::TearDown();
  }
  LONG render(int16_t width, int16_t height) {
    std::vector<uint8_t> bytes = placeable_wmf(width, height);
    struct MemoryMetafile metafile = {bytes.data(), LONG(bytes.size())};
    return MetafileRenderMemory(&metafile);
  }
};

void expect_size(ULONG width, ULONG height) {
  EXPECT_EQ(MetafileGetWidth(), width);
  EXPECT_EQ(MetafileGetHeight(), height);
}

TEST_F(Api, InitAndExitWriteTheirLinesAndBalanceTheSystemLibraries) {
  std::vector<UWORD> before = system_counts();
  ASSERT_EQ(MetafileInit(), 1);
  EXPECT_EQ(serial.take(), "VELLUM Initialisiert\n");
  for (size_t i = 0; i < before.size(); i++) EXPECT_EQ(system_counts()[i], before[i] + 1) << SYSTEM_LIBRARIES[i];
  EXPECT_EQ(MetafileGetPixels(), nullptr);
  expect_size(0, 0);
  MetafileExit(1);
  EXPECT_EQ(serial.take(), "VELLUM Exit\n");
  EXPECT_EQ(system_counts(), before);
}

TEST_F(Api, SecondInitKeepsThePictureAndLeaksNothing) {
  std::vector<UWORD> before = system_counts();
  ASSERT_EQ(MetafileInit(), 1);
  ASSERT_EQ(render(150, 120), 0);
  APTR pixels = MetafileGetPixels();
  EXPECT_EQ(MetafileInit(), 1);
  EXPECT_EQ(MetafileGetPixels(), pixels);
  expect_size(150, 120);
  MetafileExit(1);
  EXPECT_EQ(system_counts(), before);
}

TEST_F(Api, InitFailsWhenAnySystemLibraryIsMissing) {
  std::vector<UWORD> before = system_counts();
  for (const char* name : SYSTEM_LIBRARIES) {
    HostHideLibrary(name, 1);
    EXPECT_EQ(MetafileInit(), 0) << name;
    HostHideLibrary(name, 0);
    EXPECT_EQ(MetafileGetPixels(), nullptr) << name;
    EXPECT_EQ(render(10, 10), -1) << "no result record after a failed init: " << name;
  }
  EXPECT_EQ(serial.take(), "");
  // Libraries opened before a failure stay held, and go with MetafileExit.
  MetafileExit(1);
  EXPECT_EQ(system_counts(), before);
}

TEST_F(Api, InitFailsWithoutMemoryForTheResultRecord) {
  HostFailAllocations(1);
  EXPECT_EQ(MetafileInit(), 0);
  HostFailAllocations(0);
  EXPECT_EQ(MetafileInit(), 1);
  MetafileExit(1);
}

TEST_F(Api, CallsOutsideInitAndExitAnswerEmpty) {
  std::vector<uint8_t> bytes = placeable_wmf(40, 30);
  std::vector<uint8_t> original = bytes;
  struct MemoryMetafile metafile = {bytes.data(), LONG(bytes.size())};
  for (int round = 0; round < 2; round++) {
    EXPECT_EQ(MetafileGetPixels(), nullptr);
    expect_size(0, 0);
    MetafileSetMaxSize(500);
    EXPECT_EQ(MetafileRenderFile("/nonexistent.wmf"), -1);
    EXPECT_EQ(MetafileRenderMemory(&metafile), -1);
    EXPECT_EQ(bytes, original);
    MetafileExit(1);
    ASSERT_EQ(MetafileInit(), 1);
    ASSERT_EQ(MetafileRenderMemory(&metafile), 0);
    MetafileExit(1);
    bytes = original;
  }
}

TEST_F(Api, FittingWithTheDefaultLimit) {
  ASSERT_EQ(MetafileInit(), 1);
  const struct {
    int16_t width, height;
    ULONG outWidth, outHeight;
  } cases[] = {{400, 100, 200, 50}, {100, 400, 200, 800}, {150, 120, 150, 120},
               {200, 200, 200, 200}, {201, 3, 200, 2}};
  for (const auto& c : cases) {
    ASSERT_EQ(render(c.width, c.height), 0);
    expect_size(c.outWidth, c.outHeight);
    EXPECT_NE(MetafileGetPixels(), nullptr);
  }
  MetafileExit(1);
}

TEST_F(Api, PixelsHoldTheDrawnPicture) {
  ASSERT_EQ(MetafileInit(), 1);
  std::vector<uint8_t> bytes = filled_wmf(100, 80, 0, 0, 255);
  struct MemoryMetafile metafile = {bytes.data(), LONG(bytes.size())};
  ASSERT_EQ(MetafileRenderMemory(&metafile), 0);
  expect_size(100, 80);
  auto* pixels = static_cast<const uint32_t*>(MetafileGetPixels());
  ASSERT_NE(pixels, nullptr);
  // Colour bytes reach cairo divided by 256, so full blue comes out as 0xFE.
  EXPECT_EQ(pixels[40 * 100 + 50], 0xFF0000FEu) << "the middle is the rectangle's blue";
  EXPECT_EQ(pixels[0], 0u) << "a corner the picture leaves alone stays transparent";
  EXPECT_EQ(pixels[79 * 100 + 99], 0u);
  MetafileExit(1);
}

TEST_F(Api, FittingWithASetLimit) {
  ASSERT_EQ(MetafileInit(), 1);
  MetafileSetMaxSize(1000);
  ASSERT_EQ(render(400, 100), 0);
  expect_size(400, 100);
  MetafileSetMaxSize(40);
  ASSERT_EQ(render(400, 100), 0);
  expect_size(40, 10);
  MetafileSetMaxSize(0);
  EXPECT_EQ(render(400, 100), -1) << "nothing drawn is a failure";
  expect_size(0, 0);
  EXPECT_EQ(MetafileGetPixels(), nullptr) << "an empty picture has no pixels";
  MetafileExit(1);
}

TEST_F(Api, FailedRendersLeaveThePictureUntouched) {
  ASSERT_EQ(MetafileInit(), 1);
  ASSERT_EQ(render(150, 120), 0);
  APTR pixels = MetafileGetPixels();

  EXPECT_EQ(MetafileRenderFile("/nonexistent/picture.wmf"), -1);
  EXPECT_EQ(MetafileRenderFile("NOVOLUME:picture.wmf"), -1);
  EXPECT_EQ(MetafileRenderFile(nullptr), -1);
  std::vector<uint8_t> bytes = placeable_wmf(40, 30);
  std::vector<uint8_t> original = bytes;
  struct MemoryMetafile empty = {bytes.data(), 0};
  struct MemoryMetafile negative = {bytes.data(), -5};
  struct MemoryMetafile nodata = {nullptr, 40};
  EXPECT_EQ(MetafileRenderMemory(&empty), -1);
  EXPECT_EQ(MetafileRenderMemory(&negative), -1);
  EXPECT_EQ(MetafileRenderMemory(&nodata), -1);
  EXPECT_EQ(MetafileRenderMemory(nullptr), -1);
  EXPECT_EQ(bytes, original) << "a refused buffer is not converted";

  HostFailAllocations(3000000);
  EXPECT_EQ(render(40, 30), -1) << "no memory for the render stack";
  HostFailAllocations(0);

  EXPECT_EQ(MetafileGetPixels(), pixels);
  expect_size(150, 120);
  MetafileExit(1);
}

// A file without the placeable header draws nothing: the render fails and
// the previous file's picture is gone, so it cannot pass for this one's.
TEST_F(Api, RenderWithoutPlaceableHeaderFailsAndReleasesThePicture) {
  ASSERT_EQ(MetafileInit(), 1);
  std::vector<uint8_t> notPlaceable = placeable_wmf(40, 30);
  notPlaceable[0] ^= 0xFF;
  const std::string path = write_file("not-placeable.wmf", notPlaceable);

  ASSERT_EQ(render(150, 120), 0);
  EXPECT_EQ(MetafileRenderFile(path.c_str()), -1);
  EXPECT_EQ(MetafileGetPixels(), nullptr);
  expect_size(0, 0);

  ASSERT_EQ(render(150, 120), 0);
  struct MemoryMetafile plain = {notPlaceable.data(), LONG(notPlaceable.size())};
  EXPECT_EQ(MetafileRenderMemory(&plain), -1);
  EXPECT_EQ(MetafileGetPixels(), nullptr);
  expect_size(0, 0);

  ASSERT_EQ(render(150, 120), 0) << "a good file renders again after the failure";
  EXPECT_NE(MetafileGetPixels(), nullptr);
  MetafileExit(1);
}

TEST_F(Api, RendersFilesByHostPathAndThroughAssigns) {
  ASSERT_EQ(MetafileInit(), 1);
  std::vector<uint8_t> bytes = placeable_wmf(60, 20);
  ASSERT_EQ(MetafileRenderFile(write_file("picture.wmf", bytes).c_str()), 0);
  expect_size(60, 20);

  BPTR file = Open("RAM:vellum-library-test.wmf", MODE_NEWFILE);
  ASSERT_NE(file, 0);
  ASSERT_EQ(Write(file, bytes.data(), LONG(bytes.size())), LONG(bytes.size()));
  Close(file);
  MetafileSetMaxSize(30);
  EXPECT_EQ(MetafileRenderFile("ram:vellum-library-test.wmf"), 0);
  expect_size(30, 10);
  DeleteFile("RAM:vellum-library-test.wmf");
  MetafileExit(1);
}

TEST_F(Api, EachRenderRunsOnItsOwnStackAndSaysWhere) {
  ASSERT_EQ(MetafileInit(), 1);
  serial.take();
  ASSERT_EQ(render(10, 10), 0);
  ASSERT_EQ(render(20, 10), 0);
  std::string lines = serial.take();
  for (int call = 0; call < 2; call++) {
    ASSERT_EQ(lines.rfind("main: Stack 0x", 0), 0u) << lines;
    size_t end = lines.find('\n');
    ASSERT_NE(end, std::string::npos);
    EXPECT_EQ(lines.find_first_not_of("0123456789abcdef", 14), end) << lines;
    lines.erase(0, end + 1);
  }
  EXPECT_EQ(lines, "");
  MetafileExit(1);
}

TEST_F(Api, ExitWithAnyOtherFlagDoesNothing) {
  std::vector<UWORD> before = system_counts();
  ASSERT_EQ(MetafileInit(), 1);
  ASSERT_EQ(render(150, 120), 0);
  APTR pixels = MetafileGetPixels();
  std::vector<UWORD> held = system_counts();
  serial.take();
  for (ULONG flag : {0u, 2u, 0xFFFFFFFFu}) MetafileExit(flag);
  EXPECT_EQ(serial.take(), "");
  EXPECT_EQ(MetafileGetPixels(), pixels);
  expect_size(150, 120);
  volatile uint32_t first = static_cast<uint32_t*>(pixels)[0];  // ASan stops here if it was freed
  (void)first;
  EXPECT_EQ(system_counts(), held);
  MetafileExit(1);
  EXPECT_EQ(system_counts(), before);
}

// Each task reads its own last picture: four threads render pictures of
// their own size and colour over and over, and read back the width, height
// and every pixel of their own render (ASan stops at a read of freed or
// too-short memory). A task that never rendered has no picture.
TEST_F(Api, EachTaskReadsItsOwnPicture) {
  ASSERT_EQ(MetafileInit(), 1);
  MetafileSetMaxSize(1000);
  std::atomic<int> mismatches{0}, renders{0};
  std::vector<std::thread> callers;
  for (int t = 0; t < 4; t++) {
    callers.emplace_back([&, t] {
      const auto width = int16_t(20 + 10 * t), height = int16_t(10 + t);
      const auto red = uint8_t(60 * t);
      for (int i = 0; i < 25; i++) {
        std::vector<uint8_t> bytes = filled_wmf(width, height, red, 0, 255);
        struct MemoryMetafile metafile = {bytes.data(), LONG(bytes.size())};
        if (MetafileRenderMemory(&metafile) != 0) continue;
        ++renders;
        const auto* pixels = static_cast<const uint32_t*>(MetafileGetPixels());
        if (MetafileGetWidth() != ULONG(width) || MetafileGetHeight() != ULONG(height) || !pixels) {
          ++mismatches;
          continue;
        }
        const uint32_t centre = pixels[(height / 2) * width + width / 2];
        uint32_t sum = 0;
        for (int p = 0; p < width * height; p++) sum += pixels[p];
        const int centre_red = int(centre >> 16 & 0xFF);  // colours reach cairo as byte / 256
        if (centre >> 24 != 0xFF || centre_red < red - 2 || centre_red > red + 2 || sum == 0) ++mismatches;
      }
    });
  }
  for (std::thread& caller : callers) caller.join();
  EXPECT_EQ(mismatches.load(), 0);
  EXPECT_EQ(renders.load(), 100);
  EXPECT_EQ(MetafileGetPixels(), nullptr);
  expect_size(0, 0);
  MetafileExit(1);  // frees every task's picture: LeakSanitizer checks
}

// The limit is the library's: another task's renders fit to it too, and
// keep the initialising task's picture as it was.
TEST_F(Api, AnotherTasksRenderLeavesThisTasksPicture) {
  ASSERT_EQ(MetafileInit(), 1);
  ASSERT_EQ(render(150, 120), 0);
  APTR mine = MetafileGetPixels();
  MetafileSetMaxSize(100);
  ULONG other_width = 0, other_height = 0;
  std::thread([&] {
    EXPECT_EQ(MetafileGetPixels(), nullptr);
    EXPECT_EQ(render(400, 100), 0);
    other_width = MetafileGetWidth();
    other_height = MetafileGetHeight();
  }).join();
  EXPECT_EQ(other_width, 100u);
  EXPECT_EQ(other_height, 25u);
  EXPECT_EQ(MetafileGetPixels(), mine);
  expect_size(150, 120);
  MetafileExit(1);
}

}  // namespace
}  // namespace library_test
