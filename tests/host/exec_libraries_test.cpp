#include <gtest/gtest.h>

#include <host/runtime.h>
#include <proto/exec.h>

#include <cstring>

namespace {

struct Library* fake_open(struct Library* base) {
  base->lib_OpenCnt++;
  return base;
}
BPTR fake_close(struct Library* base) {
  base->lib_OpenCnt--;
  return 0;
}
BPTR fake_expunge(struct Library*) { return 0; }
IPTR fake_reserved() { return 0; }
IPTR fake_first() { return 30; }
IPTR fake_second() { return 36; }

const APTR FAKE_FUNCS[] = {FUNCARRAY_32BIT_NATIVE,
                           reinterpret_cast<APTR>(fake_open),
                           reinterpret_cast<APTR>(fake_close),
                           reinterpret_cast<APTR>(fake_expunge),
                           reinterpret_cast<APTR>(fake_reserved),
                           reinterpret_cast<APTR>(fake_first),
                           reinterpret_cast<APTR>(fake_second),
                           FUNCARRAY_END};

struct Library* seen_base = nullptr;
BPTR seen_seglist = 0;
struct ExecBase* seen_sysbase = nullptr;
struct Library* remember_init(struct Library* base, BPTR seglist, struct ExecBase* sysbase) {
  seen_base = base;
  seen_seglist = seglist;
  seen_sysbase = sysbase;
  return base;
}

TEST(MakeLibrary, VectorsLieBelowTheBaseInOffsetOrder) {
  struct Library* base = MakeLibrary(FAKE_FUNCS, nullptr, remember_init, 100, 0x1234);
  ASSERT_NE(base, nullptr);
  EXPECT_EQ(seen_base, base);
  EXPECT_EQ(seen_seglist, 0x1234);
  EXPECT_EQ(seen_sysbase, SysBase);
  EXPECT_EQ(base->lib_NegSize, 6 * sizeof(APTR));
  EXPECT_EQ(base->lib_PosSize, 100);
  EXPECT_EQ(LIB_VECTOR(base, LIB_OPEN), reinterpret_cast<APTR>(fake_open));
  EXPECT_EQ(LIB_VECTOR(base, LIB_EXTFUNC), reinterpret_cast<APTR>(fake_reserved));
  EXPECT_EQ(reinterpret_cast<IPTR (*)()>(LIB_VECTOR(base, -30))(), 30);
  EXPECT_EQ(reinterpret_cast<IPTR (*)()>(LIB_VECTOR(base, -36))(), 36);
  auto* bytes = reinterpret_cast<UBYTE*>(base);
  for (size_t i = sizeof(struct Library); i < 100; i++) ASSERT_EQ(bytes[i], 0);
  // The one block FreeMem releases is described by the two sizes; a wrong
  // size would stop the program.
  FreeMem(bytes - base->lib_NegSize, base->lib_NegSize + base->lib_PosSize);
}

TEST(MakeLibrary, RefusesUnusableRequests) {
  EXPECT_EQ(MakeLibrary(nullptr, nullptr, nullptr, 100, 0), nullptr);
  EXPECT_EQ(MakeLibrary(FAKE_FUNCS, nullptr, nullptr, 4, 0), nullptr);
  EXPECT_EQ(MakeLibrary(FAKE_FUNCS, nullptr, nullptr, 70000, 0), nullptr);
  int table = 0;
  EXPECT_EQ(MakeLibrary(FAKE_FUNCS, &table, nullptr, 100, 0), nullptr);
}

TEST(OpenLibrary, SystemLibrariesByNameAndVersion) {
  const struct {
    const char* name;
    ULONG version;
  } callers[] = {{"exec.library", 50},         {"dos.library", 39},       {"graphics.library", 0},
                 {"cybergraphics.library", 0}, {"intuition.library", 39}, {"utility.library", 0},
                 {"muimaster.library", 21},    {"cairo.library", 5}};
  for (const auto& caller : callers) {
    struct Library* base = OpenLibrary(caller.name, caller.version);
    ASSERT_NE(base, nullptr) << caller.name;
    EXPECT_STREQ(base->lib_Node.ln_Name, caller.name);
    UWORD count = base->lib_OpenCnt;
    struct Library* again = OpenLibrary(caller.name, 0);
    EXPECT_EQ(again, base);
    EXPECT_EQ(base->lib_OpenCnt, count + 1);
    CloseLibrary(again);
    CloseLibrary(base);
  }
  EXPECT_EQ(OpenLibrary("exec.library", 0), &SysBase->LibNode);
  CloseLibrary(&SysBase->LibNode);
  EXPECT_EQ(OpenLibrary("dos.library", 1000), nullptr);
  EXPECT_EQ(OpenLibrary("no-such.library", 0), nullptr);
  EXPECT_EQ(OpenLibrary(nullptr, 0), nullptr);
}

TEST(OpenLibrary, HiddenLibraryCannotBeOpened) {
  HostHideLibrary("graphics.library", 1);
  EXPECT_EQ(OpenLibrary("graphics.library", 0), nullptr);
  HostHideLibrary("graphics.library", 0);
  struct Library* base = OpenLibrary("graphics.library", 0);
  EXPECT_NE(base, nullptr);
  CloseLibrary(base);
}

TEST(AddLibrary, MadeLibraryOpensByName) {
  struct Library* base = MakeLibrary(FAKE_FUNCS, nullptr, nullptr, sizeof(struct Library), 0);
  ASSERT_NE(base, nullptr);
  base->lib_Node.ln_Name = const_cast<char*>("fake.library");
  base->lib_Node.ln_Type = NT_LIBRARY;
  base->lib_Version = 3;
  AddLibrary(base);
  EXPECT_EQ(OpenLibrary("fake.library", 4), nullptr);
  EXPECT_EQ(OpenLibrary("fake.library", 3), base);
  EXPECT_EQ(base->lib_OpenCnt, 1);
  CloseLibrary(base);
  EXPECT_EQ(base->lib_OpenCnt, 0);
  Forbid();
  Remove(&base->lib_Node);
  Permit();
  EXPECT_EQ(OpenLibrary("fake.library", 0), nullptr);
  FreeMem(reinterpret_cast<UBYTE*>(base) - base->lib_NegSize, base->lib_NegSize + base->lib_PosSize);
}

}  // namespace
