// What the library frame costs per render: the same small picture through
// libvellum (the engine called directly), through vellum.library (a
// 3,000,000-byte stack and a thread on it per call), and the stack swap
// alone.
//
//   library_bench [SECONDS]   microseconds per call of each
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <proto/exec.h>
#include <proto/vellum.h>
#include <vellum/vellum.h>

#include "tests/support/wmf_builder.h"

struct Library* VellumBase = nullptr;

namespace {

using Clock = std::chrono::steady_clock;

// Runs call repeatedly for about `seconds`; microseconds per call.
template <typename Call>
double per_call(double seconds, Call call) {
  long count = 0;
  Clock::time_point start = Clock::now();
  double elapsed = 0;
  do {
    for (int i = 0; i < 16; i++) call();
    count += 16;
    elapsed = std::chrono::duration<double>(Clock::now() - start).count();
  } while (elapsed < seconds);
  return elapsed * 1e6 / double(count);
}

IPTR nothing(const struct PPCStackSwapArgs*) { return 0; }

}  // namespace

int main(int argc, char** argv) {
  double seconds = argc > 1 ? std::atof(argv[1]) : 2.0;
  std::vector<uint8_t> picture = vellum::test::WmfBuilder()
                                     .placeable(0, 0, 400, 300)
                                     .set_window_ext(400, 300)
                                     .rectangle(50, 50, 350, 250)
                                     .ellipse(100, 80, 300, 220)
                                     .finish();

  double native = per_call(seconds, [&] {
    vellum_image image;
    if (vellum_render_memory(picture.data(), picture.size(), 200, &image) == VELLUM_OK) vellum_image_free(&image);
  });

  VellumBase = OpenLibrary("vellum.library", 1);
  if (!VellumBase || !MetafileInit()) {
    std::fprintf(stderr, "library_bench: cannot open and start vellum.library\n");
    return 1;
  }
  std::vector<uint8_t> copy = picture;
  double library = per_call(seconds, [&] {
    copy = picture;  // a render converts its input in place
    struct MemoryMetafile metafile = {copy.data(), LONG(copy.size())};
    MetafileRenderMemory(&metafile);
  });
  MetafileExit(1);
  CloseLibrary(VellumBase);

  const ULONG size = 3000000;
  double swap = per_call(seconds, [&] {
    auto* stack = static_cast<UBYTE*>(AllocMem(size, MEMF_PUBLIC));
    struct StackSwapStruct sss = {stack, reinterpret_cast<IPTR>(stack + size), stack + size};
    struct PPCStackSwapArgs args = {};
    NewPPCStackSwap(&sss, nothing, &args);
    FreeMem(stack, size);
  });

  std::printf("400x300 picture fitted to 200 pixels, microseconds per call:\n");
  std::printf("  libvellum (engine direct)   %8.1f\n", native);
  std::printf("  vellum.library              %8.1f\n", library);
  std::printf("  stack swap alone            %8.1f\n", swap);
  return 0;
}
