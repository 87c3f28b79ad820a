// The eight functions of vellum.library. Every call takes the base's lock.
// The picture is the calling task's: each task that renders gets its own
// result (the task that called MetafileInit uses the base's ImageResult),
// so a task reads the width, height and pixels of its own last render, and
// its pixel pointer lives until that task renders again or MetafileExit.
// The fitting limit is the library's, one for every task. Calls made before
// MetafileInit or after MetafileExit(1) find no ImageResult and return 0,
// -1 or NULL instead of touching it. No C++ exception leaves a call.
#include <climits>
#include <cstdlib>
#include <iterator>

#include <common/no_throw.h>
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
  // Whatever the driver did to the target before a throw is kept: it may
  // already have replaced the picture.
  int outcome = vellum::without_exceptions(-1, [&] { return play(&target, result->MaxSize); });
  result->Pixels = target.Pixels;
  result->Width = target.Width;
  result->Height = target.Height;
  // A playback that left no picture (no placeable header, no memory for the
  // pixels) has failed, whatever the walk itself said.
  return outcome == 0 && !result->Pixels ? -1 : outcome;
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

// The calling task's result record; a task other than the initialising one
// gets its own on its first render (`create`), NULL when it has none.
struct ImageResult* result_of_caller(struct VellumBase* base, bool create) {
  if (!base->ImageResult) return nullptr;
  struct Task* task = FindTask(nullptr);
  if (task == base->ResultTask) return base->ImageResult;
  for (struct TaskResult* entry = base->OtherResults; entry; entry = entry->Next)
    if (entry->Task == task) return &entry->Result;
  if (!create) return nullptr;
  auto* entry = static_cast<struct TaskResult*>(AllocVec(sizeof(struct TaskResult), MEMF_PUBLIC | MEMF_CLEAR));
  if (!entry) return nullptr;
  entry->Task = task;
  entry->Next = base->OtherResults;
  base->OtherResults = entry;
  return &entry->Result;
}

void free_results(struct VellumBase* base) {
  while (struct TaskResult* entry = base->OtherResults) {
    base->OtherResults = entry->Next;
    std::free(entry->Result.Pixels);  // the playback driver allocates with calloc
    FreeVec(entry);
  }
  std::free(base->ImageResult->Pixels);
  FreeVec(base->ImageResult);
  base->ImageResult = nullptr;
  base->ResultTask = nullptr;
}

// The frame both render calls share: a private stack for the worker.
LONG render_on_own_stack(struct VellumBase* base, StackSwapFunc worker, IPTR argument) {
  Locked locked(base);
  struct ImageResult* picture = result_of_caller(base, true);
  if (!picture) return -1;
  picture->MaxSize = base->ImageResult->MaxSize;
  auto* stack = static_cast<UBYTE*>(AllocMem(RENDER_STACK_SIZE, MEMF_PUBLIC));
  if (!stack) return -1;
  debug("main: Stack 0x%lx\n", static_cast<unsigned long>(reinterpret_cast<uintptr_t>(stack)));
  struct StackSwapStruct swap = {stack, reinterpret_cast<IPTR>(stack + RENDER_STACK_SIZE),
                                 stack + RENDER_STACK_SIZE};
  struct PPCStackSwapArgs args = {{argument, reinterpret_cast<IPTR>(picture)}};
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
  base->ResultTask = FindTask(nullptr);
  debug("VELLUM Initialisiert\n");
  return 1;
}

void MetafileExit(struct VellumBase* base, ULONG flag) {
  if (flag != 1) return;
  Locked locked(base);
  if (base->ImageResult) free_results(base);
  debug("VELLUM Exit\n");
  close_system_libraries(base);
}

LONG MetafileRenderFile(struct VellumBase* base, CONST_STRPTR path) {
  return vellum::without_exceptions(LONG(-1), [&] {
    return render_on_own_stack(base, render_file_worker, reinterpret_cast<IPTR>(path));
  });
}

LONG MetafileRenderMemory(struct VellumBase* base, struct MemoryMetafile* metafile) {
  return vellum::without_exceptions(LONG(-1), [&] {
    return render_on_own_stack(base, render_memory_worker, reinterpret_cast<IPTR>(metafile));
  });
}

APTR MetafileGetPixels(struct VellumBase* base) {
  Locked locked(base);
  const struct ImageResult* result = result_of_caller(base, false);
  return result ? result->Pixels : nullptr;
}

void MetafileSetMaxSize(struct VellumBase* base, ULONG limit) {
  Locked locked(base);
  if (base->ImageResult) base->ImageResult->MaxSize = limit;
}

ULONG MetafileGetWidth(struct VellumBase* base) {
  Locked locked(base);
  const struct ImageResult* result = result_of_caller(base, false);
  return result ? result->Width : 0;
}

ULONG MetafileGetHeight(struct VellumBase* base) {
  Locked locked(base);
  const struct ImageResult* result = result_of_caller(base, false);
  return result ? result->Height : 0;
}

}  // namespace vellum_library
