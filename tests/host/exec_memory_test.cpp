#include <gtest/gtest.h>

#include <host/runtime.h>
#include <proto/exec.h>

#include <cstring>

namespace {

TEST(ExecMemory, ClearAndCopy) {
  auto* block = static_cast<UBYTE*>(AllocVec(64, MEMF_PUBLIC | MEMF_CLEAR));
  ASSERT_NE(block, nullptr);
  for (int i = 0; i < 64; i++) ASSERT_EQ(block[i], 0) << i;
  std::memcpy(block, "abcdef", 6);
  CopyMem(block, block + 2, 4);  // overlapping copies keep the source bytes
  EXPECT_EQ(std::memcmp(block, "ababcd", 6), 0);
  FreeVec(block);
  FreeVec(nullptr);
  EXPECT_EQ(AllocMem(0, MEMF_ANY), nullptr);
}

TEST(ExecMemory, FailureHookRefusesLargeBlocksOnly) {
  HostFailAllocations(1000);
  EXPECT_EQ(AllocMem(1000, MEMF_ANY), nullptr);
  void* small = AllocMem(999, MEMF_ANY);
  EXPECT_NE(small, nullptr);
  FreeMem(small, 999);
  HostFailAllocations(0);
  void* large = AllocVec(1000, MEMF_ANY);
  EXPECT_NE(large, nullptr);
  FreeVec(large);
}

TEST(ExecMemoryDeathTest, FreeMemWithWrongSizeStops) {
  void* block = AllocMem(32, MEMF_ANY);
  EXPECT_DEATH(FreeMem(block, 16), "wrong size");
  EXPECT_DEATH(FreeVec(block), "FreeVec");
  FreeMem(block, 32);
}

}  // namespace
