// The host's library frame under a module's hooks: a refused first open, the
// last close, an expunge the module holds back, and an init that fails.
#include <gtest/gtest.h>

#include <host/library_frame.h>
#include <host/runtime.h>
#include <proto/exec.h>

#include <string>

namespace {

struct FramedBase {
  struct Library LibNode;
  BPTR SegList;
  LONG Hooked;
};
static_assert(starts_with_frame_head<FramedBase>());

// What the hooks saw, and what they answer.
struct Hooks {
  int firstOpens = 0, lastCloses = 0, expunges = 0;
  BOOL allowOpen = TRUE, allowExpunge = TRUE, initOk = TRUE;
} hooks;

BOOL init(struct Library* base, struct ExecBase*) {
  reinterpret_cast<FramedBase*>(base)->Hooked = 1;
  return hooks.initOk;
}
BOOL first_open(struct Library*) {
  hooks.firstOpens++;
  return hooks.allowOpen;
}
void last_close(struct Library*) { hooks.lastCloses++; }
BOOL expunge(struct Library*) {
  hooks.expunges++;
  return hooks.allowExpunge;
}

const char NAME[] = "framed.library";
constexpr struct LibraryFrame FRAME = {NAME, "framed.library 2.0", 2, sizeof(FramedBase), 0, init, first_open,
                                       last_close, expunge};
IPTR answer() { return 42; }
const APTR FUNCTIONS[] = {LIBRARY_FRAME_VECTORS(FRAME), function_slot(answer), FUNCARRAY_END};
const BPTR SEGLIST = 0x5e6;  // no loader handle: giving it back unloads nothing

bool listed() {
  Forbid();
  bool found = FindName(&SysBase->LibList, NAME) != nullptr;
  Permit();
  return found;
}

std::string serial_text;
void capture(const char* text, size_t length, void*) { serial_text.append(text, length); }

class LibraryFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    hooks = Hooks{};
    HostSetSerialSink(capture, nullptr);
    serial_text.clear();
  }
  void TearDown() override {
    HostSetSerialSink(nullptr, nullptr);
    EXPECT_FALSE(listed()) << "each test lets its library go";
  }
};

TEST_F(LibraryFrameTest, TheFirstOpenAndTheLastCloseReachTheModule) {
  struct Library* base = LibMake(FUNCTIONS, SEGLIST, SysBase, &FRAME);
  ASSERT_NE(base, nullptr);
  EXPECT_STREQ(base->lib_Node.ln_Name, NAME);
  EXPECT_EQ(base->lib_Version, 2);
  EXPECT_EQ(base->lib_Flags & (LIBF_SUMUSED | LIBF_CHANGED), LIBF_SUMUSED | LIBF_CHANGED);
  EXPECT_EQ(reinterpret_cast<FramedBase*>(base)->SegList, SEGLIST);
  EXPECT_EQ(reinterpret_cast<FramedBase*>(base)->Hooked, 1);

  hooks.allowOpen = FALSE;
  EXPECT_EQ(OpenLibrary(NAME, 2), nullptr);
  EXPECT_EQ(base->lib_OpenCnt, 0) << "a refused open is not counted";
  hooks.allowOpen = TRUE;
  EXPECT_EQ(OpenLibrary(NAME, 2), base);
  EXPECT_EQ(OpenLibrary(NAME, 2), base);
  EXPECT_EQ(hooks.firstOpens, 2);
  EXPECT_EQ(reinterpret_cast<IPTR (*)()>(LIB_VECTOR(base, LIB_USERDEF))(), 42);

  CloseLibrary(base);
  EXPECT_EQ(hooks.lastCloses, 0);
  CloseLibrary(base);
  CloseLibrary(base);  // without a matching open: ignored
  EXPECT_EQ(hooks.lastCloses, 1);
  EXPECT_EQ(base->lib_OpenCnt, 0);
  EXPECT_TRUE(listed()) << "closed, but loaded until an expunge";
  RemLibrary(base);
  EXPECT_EQ(hooks.expunges, 1);
  EXPECT_TRUE(serial_text.empty()) << "no debug lines unless the module asks for them: " << serial_text;
}

TEST_F(LibraryFrameTest, AnExpungeTheModuleHoldsBackWaitsForTheLastClose) {
  struct Library* base = LibMake(FUNCTIONS, SEGLIST, SysBase, &FRAME);
  ASSERT_NE(base, nullptr);
  hooks.allowExpunge = FALSE;
  EXPECT_EQ(LibExpunge(base, &FRAME), 0);
  EXPECT_TRUE(base->lib_Flags & LIBF_DELEXP);
  EXPECT_TRUE(listed());

  ASSERT_EQ(OpenLibrary(NAME, 0), base);
  EXPECT_FALSE(base->lib_Flags & LIBF_DELEXP) << "an open clears the pending expunge";
  EXPECT_EQ(LibExpunge(base, &FRAME), 0);
  EXPECT_EQ(hooks.expunges, 1) << "asked only when nobody holds the library";
  hooks.allowExpunge = TRUE;
  EXPECT_EQ(LibClose(base, &FRAME), SEGLIST) << "the last close carries out the pending expunge";
  EXPECT_EQ(hooks.expunges, 2);
}

TEST_F(LibraryFrameTest, AnInitThatFailsGivesTheBaseBack) {
  hooks.initOk = FALSE;
  EXPECT_EQ(LibMake(FUNCTIONS, SEGLIST, SysBase, &FRAME), nullptr);
  // The freed base would show as a leak or a use after free under the sanitizers.
}

}  // namespace
