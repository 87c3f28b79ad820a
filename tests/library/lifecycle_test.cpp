// The library frame, driven through the real module loader: resident tag,
// open count, delayed expunge, and the debug lines of every entry point.
#include <dlfcn.h>

#include <cstring>

#include <host/runtime.h>
#include <proto/exec.h>

#include "library_fixture.h"

namespace library_test {
namespace {

using Lifecycle = LibraryTest;

std::string name_and_count(struct Library* base, long count) {
  return hex(base) + " <vellum.library> OpenCount " + std::to_string(count) + "\n";
}

bool listed() {
  Forbid();
  bool found = FindName(&SysBase->LibList, "vellum.library") != nullptr;
  Permit();
  return found;
}

TEST(Resident, TagAndTablesAsTheLoaderReadsThem) {
  void* handle = dlopen(module_path().c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(handle, nullptr) << dlerror();
  auto* tag = static_cast<const struct Resident*>(dlsym(handle, RESIDENT_SYMBOL));
  ASSERT_NE(tag, nullptr);
  EXPECT_EQ(tag->rt_MatchWord, 0x4AFC);
  EXPECT_EQ(tag->rt_MatchTag, tag);
  EXPECT_EQ(tag->rt_Flags, 0x88);
  EXPECT_EQ(tag->rt_Version, 1);
  EXPECT_EQ(tag->rt_Type, 9);
  EXPECT_EQ(tag->rt_Pri, 0);
  EXPECT_STREQ(tag->rt_Name, "vellum.library");
  std::string id = tag->rt_IdString;
  EXPECT_EQ(id.rfind("vellum.library 1.0 (28.10.18)", 0), 0u) << id;
  EXPECT_EQ(id.back(), '\n');
  auto* table = static_cast<const struct InitTable*>(tag->rt_Init);
  EXPECT_GE(table->it_DataSize, IPTR(sizeof(struct Library) + 3 * sizeof(APTR)));
  EXPECT_EQ(table->it_DataInit, nullptr);
  EXPECT_NE(table->it_InitRoutine, nullptr);
  const APTR* funcs = table->it_FuncTable;
  EXPECT_EQ(tag->rt_EndSkip, funcs);
  EXPECT_EQ(funcs[0], FUNCARRAY_32BIT_NATIVE);
  for (int slot = 1; slot <= 12; slot++) EXPECT_NE(funcs[slot], nullptr) << slot;
  EXPECT_EQ(funcs[13], FUNCARRAY_END);
  dlclose(handle);
}

TEST_F(Lifecycle, FirstOpenInitialisesAndCounts) {
  struct Library* base = OpenLibrary("vellum.library", 1);
  ASSERT_NE(base, nullptr);
  EXPECT_EQ(base->lib_OpenCnt, 1);
  EXPECT_EQ(base->lib_Version, 1);
  EXPECT_EQ(base->lib_Revision, 0);
  EXPECT_EQ(base->lib_NegSize, 12 * sizeof(APTR));
  BPTR seglist = loaded_segment();
  ASSERT_NE(seglist, 0);
  EXPECT_EQ(serial.take(), "LibInit: LibBase " + hex(base) + " SegList " + hex(uintptr_t(seglist)) +
                               " SBase " + hex(SysBase) + "\n" + "LIB_Open: " + name_and_count(base, 0));
  EXPECT_EQ(OpenLibrary("vellum.library", 2), nullptr) << "version 2 is not there";
  EXPECT_EQ(OpenLibrary("vellum.library", 0), base);
  EXPECT_EQ(base->lib_OpenCnt, 2);
  serial.take();

  CloseLibrary(base);
  EXPECT_EQ(serial.take(), "LIB_Close: " + name_and_count(base, 2) + "LIB_Close: done\n");
  EXPECT_EQ(base->lib_OpenCnt, 1);
  CloseLibrary(base);
  EXPECT_EQ(serial.take(), "LIB_Close: " + name_and_count(base, 1));
  EXPECT_TRUE(listed()) << "without an expunge the library stays loaded";
  EXPECT_EQ(loaded_segment(), seglist);
}

TEST_F(Lifecycle, ExpungeWhileOpenIsDelayedToTheLastClose) {
  struct Library* base = OpenLibrary("vellum.library", 1);
  ASSERT_NE(base, nullptr);
  BPTR seglist = loaded_segment();
  serial.take();

  RemLibrary(base);
  EXPECT_EQ(serial.take(), "LIB_Expunge:\nLIB_Expunge: LibBase " + name_and_count(base, 1) +
                               "LIB_Expunge: set LIBF_DELEXP\n");
  EXPECT_TRUE(base->lib_Flags & LIBF_DELEXP);
  EXPECT_TRUE(listed());

  CloseLibrary(base);
  EXPECT_EQ(serial.take(), "LIB_Close: " + name_and_count(base, 1) + "LIB_Close: LIBF_DELEXP set\n" +
                               "LIB_Expunge: LibBase " + name_and_count(base, 0) +
                               "LIB_Expunge: remove the library\n" + "LIB_Expunge: free the library\n" +
                               "LIB_Expunge: return Segment " + hex(uintptr_t(seglist)) + " to ramlib\n");
  EXPECT_FALSE(listed());
  EXPECT_EQ(loaded_segment(), 0) << "the segment list went back to the loader";
}

TEST_F(Lifecycle, OpenClearsThePendingExpunge) {
  struct Library* base = OpenLibrary("vellum.library", 1);
  ASSERT_NE(base, nullptr);
  RemLibrary(base);
  ASSERT_TRUE(base->lib_Flags & LIBF_DELEXP);
  EXPECT_EQ(OpenLibrary("vellum.library", 1), base);
  EXPECT_FALSE(base->lib_Flags & LIBF_DELEXP);
  CloseLibrary(base);
  serial.take();
  CloseLibrary(base);
  EXPECT_EQ(serial.take(), "LIB_Close: " + name_and_count(base, 1));
  EXPECT_TRUE(listed());
  EXPECT_NE(loaded_segment(), 0);
}

TEST_F(Lifecycle, ExpungeWhenClosedRemovesAtOnceAndReloads) {
  struct Library* base = OpenLibrary("vellum.library", 1);
  ASSERT_NE(base, nullptr);
  CloseLibrary(base);
  BPTR seglist = loaded_segment();
  serial.take();
  HostFlushLibraries();
  EXPECT_EQ(serial.take(), "LIB_Expunge:\nLIB_Expunge: LibBase " + name_and_count(base, 0) +
                               "LIB_Expunge: remove the library\n" + "LIB_Expunge: free the library\n" +
                               "LIB_Expunge: return Segment " + hex(uintptr_t(seglist)) + " to ramlib\n");
  EXPECT_FALSE(listed());
  EXPECT_EQ(loaded_segment(), 0);

  struct Library* again = OpenLibrary("vellum.library", 1);
  ASSERT_NE(again, nullptr) << "a later open loads the module anew";
  EXPECT_EQ(again->lib_OpenCnt, 1);
  CloseLibrary(again);
}

TEST_F(Lifecycle, CloseWithoutAnOpenDoesNotWrapTheCount) {
  struct Library* base = OpenLibrary("vellum.library", 1);
  ASSERT_NE(base, nullptr);
  CloseLibrary(base);
  serial.take();
  CloseLibrary(base);
  EXPECT_EQ(base->lib_OpenCnt, 0);
  EXPECT_EQ(serial.take(), "LIB_Close: " + name_and_count(base, 0)) << "no \"done\": nobody holds it";
  HostFlushLibraries();
  EXPECT_FALSE(listed()) << "a count of 0 lets the expunge go through";
}

TEST_F(Lifecycle, ReservedVectorAnswersZero) {
  struct Library* base = OpenLibrary("vellum.library", 1);
  ASSERT_NE(base, nullptr);
  serial.take();
  auto reserved = reinterpret_cast<IPTR (*)()>(LIB_VECTOR(base, LIB_EXTFUNC));
  EXPECT_EQ(reserved(), 0);
  EXPECT_EQ(serial.take(), "LIB_Reserved:\n");
  CloseLibrary(base);
}

}  // namespace
}  // namespace library_test
