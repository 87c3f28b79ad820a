// Loading modules from the LIBS: folders: direct init, names in subfolders
// matched without regard to case, unloading when the segment list comes
// back, and files that are no usable module.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstdio>
#include <string>

#include <host/runtime.h>
#include <proto/dos.h>
#include <proto/exec.h>

namespace {

const std::string MODULE = std::string(VELLUM_BINARY_DIR) + "/LIBS/Test/hosttest.library";

bool module_loaded() {
  void* handle = dlopen(MODULE.c_str(), RTLD_NOW | RTLD_NOLOAD);
  if (handle) dlclose(handle);
  return handle != nullptr;
}

TEST(ModuleLoader, DirectInitModuleOpensCallsAndUnloads) {
  ASSERT_FALSE(module_loaded());
  struct Library* base = OpenLibrary("test/HostTest.library", 3);
  ASSERT_NE(base, nullptr);
  EXPECT_TRUE(module_loaded());
  EXPECT_STREQ(base->lib_Node.ln_Name, "hosttest.library");
  EXPECT_EQ(base->lib_OpenCnt, 1);
  EXPECT_EQ(reinterpret_cast<IPTR (*)(struct Library*)>(LIB_VECTOR(base, -30))(base), 1234);
  EXPECT_EQ(OpenLibrary("hosttest.library", 0), base) << "found in the list by node name";
  EXPECT_EQ(OpenLibrary("hosttest.library", 4), nullptr);
  CloseLibrary(base);
  RemLibrary(base);  // still open once: only marks it
  EXPECT_TRUE(module_loaded());
  CloseLibrary(base);
  EXPECT_FALSE(module_loaded()) << "the last close handed back the segment list";
  EXPECT_EQ(OpenLibrary("hosttest.library", 0), nullptr) << "not in LIBS: itself, only below Test/";
}

TEST(ModuleLoader, ModulesByVolumePath) {
  struct Library* base = OpenLibrary("LIBS:Test/hosttest.library", 0);
  ASSERT_NE(base, nullptr);
  CloseLibrary(base);
  HostFlushLibraries();
  EXPECT_FALSE(module_loaded());
}

TEST(ModuleLoader, FilesThatAreNoModuleAreRefused) {
  std::string folder = ::testing::TempDir() + "vellum-loader-test";
  std::string mkdir = "mkdir -p " + folder;
  ASSERT_EQ(std::system(mkdir.c_str()), 0);
  FILE* junk = std::fopen((folder + "/junk.library").c_str(), "w");
  std::fputs("not an object file", junk);
  std::fclose(junk);
  ASSERT_TRUE(AssignAddPath("LIBS", folder.c_str()));
  EXPECT_EQ(OpenLibrary("junk.library", 0), nullptr);
  // A shared object without a resident tag: the host runtime itself.
  std::string link = "ln -sf " + std::string(VELLUM_BINARY_DIR) + "/lib/libvellum_host.so " + folder +
                     "/plain.library";
  ASSERT_EQ(std::system(link.c_str()), 0);
  EXPECT_EQ(OpenLibrary("plain.library", 0), nullptr);
  EXPECT_EQ(OpenLibrary("", 0), nullptr);
}

}  // namespace
