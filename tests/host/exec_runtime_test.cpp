// Stack swap, the raw formatter and its serial port, signals, semaphores.
#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <thread>

#include <host/runtime.h>
#include <proto/exec.h>

namespace {

void append(const char* text, size_t length, void* data) { static_cast<std::string*>(data)->append(text, length); }

std::string serial_text(const char* format, ...) {
  std::string text;
  HostSetSerialSink(append, &text);
  va_list args;
  va_start(args, format);
  VNewRawDoFmt(format, RAWFMTFUNC_SERIAL, nullptr, args);
  va_end(args);
  HostSetSerialSink(nullptr, nullptr);
  return text;
}

TEST(RawDoFmt, ConversionsTheLibraryUses) {
  EXPECT_EQ(serial_text("LIB_Open: 0x%p <%s> OpenCount %ld\n", reinterpret_cast<void*>(0xABC120), "x.library", 7L),
            "LIB_Open: 0xabc120 <x.library> OpenCount 7\n");
  EXPECT_EQ(serial_text("%lx|%ld|%ld", 0xDEADBEEFUL, -42L, 0L), "deadbeef|-42|0");
  EXPECT_EQ(serial_text("%d %u %x %X %c %%", -3, 4000000000u, 255u, 255u, 'z'), "-3 4000000000 ff FF z %");
  EXPECT_EQ(serial_text("%lu %ld", ~0UL, long(-0x7FFFFFFFFFFFFFFF - 1)), "18446744073709551615 -9223372036854775808");
}

TEST(RawDoFmt, WidthsFlagsAndOddInput) {
  EXPECT_EQ(serial_text("[%5ld][%-5ld][%05ld][%04lx][%05ld]", 42L, 42L, 42L, 0xAUL, -42L),
            "[   42][42   ][00042][000a][-0042]");
  EXPECT_EQ(serial_text("[%6s][%-6s]", "ab", "ab"), "[    ab][ab    ]");
  EXPECT_EQ(serial_text("%s", static_cast<const char*>(nullptr)), "(null)");
  EXPECT_EQ(serial_text("%q stays, so does a trailing %"), "%q stays, so does a trailing %");
}

TEST(RawDoFmt, SerialPortIsSilentWithoutASinkAndCallbacksGetEveryCharacter) {
  HostSetSerialSink(nullptr, nullptr);
  NewRawDoFmt("nobody hears this %ld\n", RAWFMTFUNC_SERIAL, nullptr, 1L);
  std::string collected;
  auto put = [](char c, STRPTR data) { reinterpret_cast<std::string*>(data)->push_back(c); };
  NewRawDoFmt("%s=%ld", reinterpret_cast<APTR>(+put), reinterpret_cast<STRPTR>(&collected), "n", 5L);
  EXPECT_EQ(collected, std::string("n=5\0", 4));
}

IPTR where_am_i(const struct PPCStackSwapArgs* args) {
  int local = 0;
  *reinterpret_cast<IPTR*>(args->Args[0]) = reinterpret_cast<IPTR>(&local);
  *reinterpret_cast<struct Task**>(args->Args[2]) = FindTask(nullptr);
  return args->Args[1] * 2;
}

TEST(NewPPCStackSwap, WorkerRunsOnTheGivenBlockAsTheCallersTask) {
  const ULONG size = 256 * 1024;
  auto* block = static_cast<UBYTE*>(AllocMem(size, MEMF_PUBLIC));
  ASSERT_NE(block, nullptr);
  IPTR local = 0;
  struct Task* task = nullptr;
  struct StackSwapStruct swap = {block, reinterpret_cast<IPTR>(block + size), block + size};
  struct PPCStackSwapArgs args = {{reinterpret_cast<IPTR>(&local), 21, reinterpret_cast<IPTR>(&task)}};
  EXPECT_EQ(NewPPCStackSwap(&swap, where_am_i, &args), 42);
  EXPECT_GE(local, reinterpret_cast<IPTR>(block));
  EXPECT_LT(local, reinterpret_cast<IPTR>(block + size));
  EXPECT_EQ(task, FindTask(nullptr));
  FreeMem(block, size);
}

TEST(NewPPCStackSwap, TooSmallABlockRunsOnTheCallersStack) {
  UBYTE block[64];
  IPTR local = 0;
  struct Task* task = nullptr;
  struct StackSwapStruct swap = {block, reinterpret_cast<IPTR>(block + sizeof block), block + sizeof block};
  struct PPCStackSwapArgs args = {{reinterpret_cast<IPTR>(&local), 4, reinterpret_cast<IPTR>(&task)}};
  EXPECT_EQ(NewPPCStackSwap(&swap, where_am_i, &args), 8);
  EXPECT_TRUE(local < reinterpret_cast<IPTR>(block) || local >= reinterpret_cast<IPTR>(block + sizeof block));
}

TEST(Signals, WaitReturnsSignalsSentFromAnotherThread) {
  BYTE bit = AllocSignal(-1);
  ASSERT_GE(bit, 16);
  ULONG mask = 1UL << bit;
  struct Task* me = FindTask(nullptr);
  std::thread sender([me, mask] { Signal(me, mask); });
  EXPECT_EQ(Wait(mask | SIGBREAKF_CTRL_F), mask);
  sender.join();
  EXPECT_EQ(SetSignal(0, 0) & mask, 0u) << "Wait clears what it returns";
  Signal(me, mask);
  EXPECT_EQ(SetSignal(0, mask) & mask, mask);
  EXPECT_EQ(SetSignal(0, 0) & mask, 0u);
  EXPECT_EQ(AllocSignal(bit), -1) << "already allocated";
  FreeSignal(bit);
  EXPECT_EQ(AllocSignal(bit), bit);
  FreeSignal(bit);
  EXPECT_EQ(Wait(0), 0u);
}

TEST(Signals, InterruptFromTheTerminalRaisesCtrlC) {
  SetSignal(0, SIGBREAKF_CTRL_C);  // installs the handler, clears old breaks
  std::raise(SIGINT);
  EXPECT_EQ(Wait(SIGBREAKF_CTRL_C), SIGBREAKF_CTRL_C);
  std::raise(SIGINT);
  EXPECT_EQ(SetSignal(0, SIGBREAKF_CTRL_C) & SIGBREAKF_CTRL_C, SIGBREAKF_CTRL_C);
}

TEST(Semaphores, NestAndExcludeOtherThreads) {
  struct SignalSemaphore sem;
  InitSemaphore(&sem);
  ObtainSemaphore(&sem);
  ObtainSemaphoreShared(&sem);
  EXPECT_EQ(sem.ss_NestCount, 2);
  EXPECT_EQ(sem.ss_Owner, FindTask(nullptr));
  ULONG other = 1;
  std::thread([&] { other = AttemptSemaphore(&sem); }).join();
  EXPECT_EQ(other, 0u);
  ReleaseSemaphore(&sem);
  ReleaseSemaphore(&sem);
  EXPECT_EQ(sem.ss_Owner, nullptr);
  std::thread([&] {
    other = AttemptSemaphore(&sem);
    if (other) ReleaseSemaphore(&sem);
  }).join();
  EXPECT_EQ(other, 1u);
}

}  // namespace
