// The library base of vellum.library and the entry points of its vector
// table, shared by the frame (open, close, expunge) and the eight functions.
#pragma once

#include <libraries/vellum.h>
#include <proto/exec.h>

// The first four fields are the library's documented base; the rest is the
// lock that serialises the calls, the system libraries that MetafileInit
// holds open, and the results of tasks other than the one that called
// MetafileInit (whose result is ImageResult itself).
struct VellumBase {
  struct Library LibNode;
  BPTR SegList;
  struct ExecBase* SysBase;
  struct ImageResult* ImageResult;
  struct SignalSemaphore Lock;
  struct Library* CairoBase;
  struct Library* DOSBase;
  struct Library* GfxBase;
  struct Library* CyberGfxBase;
  struct Library* IntuitionBase;
  struct Library* UtilityBase;
  struct Task* ResultTask;             // the task whose result is ImageResult
  struct TaskResult* OtherResults;     // one per other task that rendered
};

// The result of one more task that renders, in a list from the base.
struct TaskResult {
  struct TaskResult* Next;
  struct Task* Task;
  struct ImageResult Result;
};

namespace vellum_library {

// One debug line through exec's raw formatter to the serial port.
void debug(const char* format, ...) __attribute__((format(printf, 1, 2)));

LONG MetafileInit(struct VellumBase* base);
void MetafileExit(struct VellumBase* base, ULONG flag);
LONG MetafileRenderFile(struct VellumBase* base, CONST_STRPTR path);
APTR MetafileGetPixels(struct VellumBase* base);
void MetafileSetMaxSize(struct VellumBase* base, ULONG limit);
ULONG MetafileGetWidth(struct VellumBase* base);
ULONG MetafileGetHeight(struct VellumBase* base);
LONG MetafileRenderMemory(struct VellumBase* base, struct MemoryMetafile* metafile);

}  // namespace vellum_library
