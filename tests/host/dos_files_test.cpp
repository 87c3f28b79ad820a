// dos paths, locks and files: assigns onto host folders, and the calls the
// playback driver's road uses to read a whole file.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include <proto/dos.h>
#include <proto/exec.h>

namespace {

std::string mapped(const char* name) {
  char buffer[1024];
  return HostPathFromName(name, buffer, sizeof buffer) ? buffer : "";
}

TEST(Assigns, VolumesMapCaseInsensitivelyAndHostPathsPassUnchanged) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  std::string ram = runtime && *runtime ? std::string(runtime) + "/ram" : "/tmp/ram-" + std::to_string(getuid());
  EXPECT_EQ(mapped("RAM:test.png"), ram + "/test.png");
  EXPECT_EQ(mapped("ram:test.png"), ram + "/test.png");
  EXPECT_EQ(mapped("Ram:"), ram);
  EXPECT_EQ(mapped("LIBS:"), std::string(VELLUM_BINARY_DIR) + "/LIBS");
  EXPECT_EQ(mapped("PROGDIR:x"), std::string(VELLUM_BINARY_DIR) + "/bin/x");
  EXPECT_EQ(mapped("/etc/hostname"), "/etc/hostname");
  EXPECT_EQ(mapped("relative/file"), "relative/file");
  EXPECT_EQ(mapped("./odd:name"), "./odd:name");
  EXPECT_EQ(mapped("NOSUCHVOLUME:file"), "");
  char small[4];
  EXPECT_EQ(HostPathFromName("/etc/hostname", small, sizeof small), 0);
}

TEST(Assigns, AssignPathSetsReplacesAndRemoves) {
  ASSERT_TRUE(AssignPath("WORK", "/tmp"));
  EXPECT_EQ(mapped("work:a/b"), "/tmp/a/b");
  ASSERT_TRUE(AssignPath("Work:", "RAM:"));
  EXPECT_EQ(mapped("WORK:a"), mapped("RAM:a"));
  ASSERT_TRUE(AssignAddPath("WORK", "/"));
  EXPECT_EQ(mapped("WORK:etc"), "/etc") << "the second folder has the object";
  ASSERT_TRUE(AssignPath("WORK", nullptr));
  EXPECT_EQ(mapped("WORK:a"), "");
  EXPECT_FALSE(AssignPath("", "/tmp"));
  EXPECT_FALSE(AssignPath("A/B", "/tmp"));
  EXPECT_EQ(std::string(FilePart("RAM:dir/file.wmf")), "file.wmf");
  EXPECT_EQ(std::string(FilePart("RAM:file.wmf")), "file.wmf");
}

TEST(DosFiles, WriteThroughRamThenSizeAndReadWhole) {
  const char data[] = "0123456789abcdef";
  BPTR out = Open("RAM:dos-files-test.bin", MODE_NEWFILE);
  ASSERT_NE(out, 0);
  EXPECT_EQ(FWrite(out, data, 4, 4), 4);
  EXPECT_EQ(Close(out), DOSTRUE);

  BPTR lock = Lock("ram:dos-files-test.bin", EXCLUSIVE_LOCK);
  ASSERT_NE(lock, 0);
  struct FileInfoBlock fib;
  ASSERT_EQ(Examine(lock, &fib), DOSTRUE);
  UnLock(lock);
  EXPECT_EQ(fib.fib_Size, 16);
  EXPECT_LT(fib.fib_DirEntryType, 0);
  EXPECT_STREQ(fib.fib_FileName, "dos-files-test.bin");

  auto* buffer = static_cast<char*>(AllocVec(ULONG(fib.fib_Size) + 1, MEMF_CLEAR));
  BPTR in = Open("RAM:dos-files-test.bin", MODE_OLDFILE);
  ASSERT_NE(in, 0);
  EXPECT_EQ(FRead(in, buffer, ULONG(fib.fib_Size) + 1, 1), 0) << "a short read is no whole block";
  EXPECT_EQ(Seek(in, 0, OFFSET_BEGINNING), 16);
  EXPECT_EQ(FRead(in, buffer, 1, ULONG(fib.fib_Size)), 16);
  EXPECT_EQ(std::memcmp(buffer, data, 16), 0);
  EXPECT_EQ(Read(in, buffer, 4), 0) << "at the end";
  Close(in);
  FreeVec(buffer);
  EXPECT_EQ(DeleteFile("RAM:dos-files-test.bin"), DOSTRUE);
}

TEST(DosFiles, FailuresSetIoErr) {
  EXPECT_EQ(Lock("RAM:no-such-file", SHARED_LOCK), 0);
  EXPECT_EQ(IoErr(), ERROR_OBJECT_NOT_FOUND);
  EXPECT_EQ(Open("NOVOLUME:x", MODE_OLDFILE), 0);
  EXPECT_EQ(IoErr(), ERROR_DEVICE_NOT_MOUNTED);
  EXPECT_EQ(Open("/tmp", MODE_OLDFILE), 0);
  EXPECT_EQ(IoErr(), ERROR_OBJECT_WRONG_TYPE);
  BPTR folder = Lock("RAM:", SHARED_LOCK);
  ASSERT_NE(folder, 0);
  struct FileInfoBlock fib;
  ASSERT_EQ(Examine(folder, &fib), DOSTRUE);
  EXPECT_GT(fib.fib_DirEntryType, 0);
  UnLock(folder);
  EXPECT_EQ(Examine(0, &fib), DOSFALSE);
  EXPECT_EQ(FRead(0, &fib, 1, 1), 0);
  EXPECT_EQ(Lock(nullptr, SHARED_LOCK), 0);
}

}  // namespace
