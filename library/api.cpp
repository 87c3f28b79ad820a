// The eight functions of vellum.library. Every call takes the base's lock,
// so callers on several threads cannot tear the shared ImageResult apart;
// a pixel pointer still dies with the next render, whoever makes it.
// Calls made before MetafileInit or after MetafileExit(1) find no
// ImageResult and return 0, -1 or NULL instead of touching it.
#include <climits>
#include <cstdlib>
#include <iterator>

#include <host/path.h>
#include <proto/dos.h>
#include <render/playback.h>

#include "vellum_base.h"

namespace vellum_library {
namespace {

constexpr ULONG RENDER_STACK_SIZE = 3000000;
constexpr ULONG DEFAULT_MAX_SIZE = 200;

// The system libraries MetafileInit opens, in order, with their minimum
// versions, and where the base keeps each.
struct SystemLibrary {
  const char* name;
  ULONG version;
  struct Library* VellumBase::*slot;
};
const SystemLibrary SYSTEM_LIBRARIES[] = {
    {"cairo.library", 5, &VellumBase::CairoBase},
    {"dos.library", 39, &VellumBase::DOSBase},
    {"graphics.library", 0, &VellumBase::GfxBase},
    {"cybergraphics.library", 0, &VellumBase::CyberGfxBase},
    {"intuition.library", 39, &VellumBase::IntuitionBase},
    {"utility.library", 0, &VellumBase::UtilityBase},
};

class Locked {
 public:
  explicit Locked(struct VellumBase* base) : base_(base) { ObtainSemaphore(&base_->Lock); }
  ~Locked() { ReleaseSemaphore(&base_->Lock); }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;

 private:
  struct VellumBase* base_;
};

// The render target the playback driver fills, taken from and given back
// to the ImageResult around one playback.
template <typename Play>
LONG play_into(struct ImageResult* result, Play play) {
  vellum::RenderTarget target{result->Pixels, result->Width, result->Height};
  int outcome = play(&target, result->MaxSize);
  result->Pixels = target.Pixels;
  result->Width = target.Width;
  result->Height = target.Height;
  return outcome;
}

IPTR render_file_worker(const struct PPCStackSwapArgs* args) {
  auto path = reinterpret_cast<CONST_STRPTR>(args->Args[0]);
  auto* result = reinterpret_cast<struct ImageResult*>(args->Args[1]);
  // The driver reads host paths: volumes such as RAM: go through the assigns.
  std::string hostPath = host_path_of(path);
  if (hostPath.empty()) return IPTR(-1);
  return IPTR(play_into(result, [&](vellum::RenderTarget* target, ULONG limit) {
    return vellum::play_file(hostPath.c_str(), target, limit);
  }));
}

IPTR render_memory_worker(const struct PPCStackSwapArgs* args) {
  auto* metafile = reinterpret_cast<struct MemoryMetafile*>(args->Args[0]);
  auto* result = reinterpret_cast<struct ImageResult*>(args->Args[1]);
  if (!metafile) return IPTR(-1);
  return IPTR(play_into(result, [&](vellum::RenderTarget* target, ULONG limit) {
    vellum::MemoryMetafile memory{metafile->Data, metafile->Size};
    return vellum::play_memory(&memory, target, limit);
  }));
}

// The frame both render calls share: a private stack for the worker.
LONG render_on_own_stack(struct VellumBase* base, StackSwapFunc worker, IPTR argument) {
  Locked locked(base);
  if (!base->ImageResult) return -1;
  auto* stack = static_cast<UBYTE*>(AllocMem(RENDER_STACK_SIZE, MEMF_PUBLIC));
  if (!stack) return -1;
  debug("main: Stack 0x%lx\n", static_cast<unsigned long>(reinterpret_cast<uintptr_t>(stack)));
  struct StackSwapStruct swap = {stack, reinterpret_cast<IPTR>(stack + RENDER_STACK_SIZE),
                                 stack + RENDER_STACK_SIZE};
  struct PPCStackSwapArgs args = {{argument, reinterpret_cast<IPTR>(base->ImageResult)}};
  auto result = LONG(NewPPCStackSwap(&swap, worker, &args));
  FreeMem(stack, RENDER_STACK_SIZE);
  return result;
}

// Closes the system libraries MetafileInit holds, last opened first.
void close_system_libraries(struct VellumBase* base) {
  for (size_t i = std::size(SYSTEM_LIBRARIES); i-- > 0;) {
    struct Library*& slot = base->*SYSTEM_LIBRARIES[i].slot;
    CloseLibrary(slot);
    slot = nullptr;
  }
}

}  // namespace

LONG MetafileInit(struct VellumBase* base) {
  Locked locked(base);
  if (!base->SysBase) return 0;
  // A second call finds everything in place and keeps it, instead of
  // opening the libraries again and losing the first result record.
  if (base->ImageResult) return 1;
  for (const SystemLibrary& library : SYSTEM_LIBRARIES) {
    struct Library*& slot = base->*library.slot;
    // After a failed attempt the libraries opened so far are still held.
    if (!slot) slot = OpenLibrary(library.name, library.version);
    if (!slot) return 0;
  }
  auto* result = static_cast<struct ImageResult*>(AllocVec(sizeof(struct ImageResult), MEMF_PUBLIC | MEMF_CLEAR));
  if (!result) return 0;
  result->MaxSize = DEFAULT_MAX_SIZE;
  base->ImageResult = result;
  debug("VELLUM Initialisiert\n");
  return 1;
}

void MetafileExit(struct VellumBase* base, ULONG flag) {
  if (flag != 1) return;
  Locked locked(base);
  if (struct ImageResult* result = base->ImageResult) {
    std::free(result->Pixels);  // the playback driver allocates with calloc
    FreeVec(result);
    base->ImageResult = nullptr;
  }
  debug("VELLUM Exit\n");
  close_system_libraries(base);
}

LONG MetafileRenderFile(struct VellumBase* base, CONST_STRPTR path) {
  return render_on_own_stack(base, render_file_worker, reinterpret_cast<IPTR>(path));
}

LONG MetafileRenderMemory(struct VellumBase* base, struct MemoryMetafile* metafile) {
  return render_on_own_stack(base, render_memory_worker, reinterpret_cast<IPTR>(metafile));
}

APTR MetafileGetPixels(struct VellumBase* base) {
  Locked locked(base);
  return base->ImageResult ? base->ImageResult->Pixels : nullptr;
}

void MetafileSetMaxSize(struct VellumBase* base, ULONG limit) {
  Locked locked(base);
  if (base->ImageResult) base->ImageResult->MaxSize = limit;
}

ULONG MetafileGetWidth(struct VellumBase* base) {
  Locked locked(base);
  return base->ImageResult ? base->ImageResult->Width : 0;
}

ULONG MetafileGetHeight(struct VellumBase* base) {
  Locked locked(base);
  return base->ImageResult ? base->ImageResult->Height : 0;
}

}  // namespace vellum_library
