/* exec.library: the calls the programs and modules of this system make.
   On this host they are plain C functions of the shared runtime. */
#ifndef PROTO_EXEC_H
#define PROTO_EXEC_H

#include <stdarg.h>
#include <exec/execbase.h>
#include <exec/lists.h>
#include <exec/memory.h>
#include <exec/resident.h>
#include <exec/semaphores.h>
#include <exec/stackswap.h>
#include <exec/tasks.h>

EXEC_C_BEGIN

extern struct ExecBase* SysBase;

/* Lists */
void NewList(struct List* list);
void AddHead(struct List* list, struct Node* node);
void AddTail(struct List* list, struct Node* node);
void Remove(struct Node* node);
struct Node* FindName(struct List* list, CONST_STRPTR name);

/* Libraries */
struct Library* MakeLibrary(const APTR* funcs, const APTR structInit, ResidentInitFunc init,
                            ULONG dataSize, BPTR seglist);
void AddLibrary(struct Library* library);
void RemLibrary(struct Library* library);
struct Library* OpenLibrary(CONST_STRPTR name, ULONG version);
void CloseLibrary(struct Library* library);
APTR InitResident(const struct Resident* resident, BPTR seglist);

/* Exclusion: one recursive lock for the whole process. */
void Forbid(void);
void Permit(void);

/* Memory */
APTR AllocMem(ULONG byteSize, ULONG requirements);
void FreeMem(APTR memoryBlock, ULONG byteSize);
APTR AllocVec(ULONG byteSize, ULONG requirements);
void FreeVec(APTR memoryBlock);
void CopyMem(CONST_APTR source, APTR dest, ULONG size);

/* Semaphores */
void InitSemaphore(struct SignalSemaphore* sem);
void ObtainSemaphore(struct SignalSemaphore* sem);
void ObtainSemaphoreShared(struct SignalSemaphore* sem);
ULONG AttemptSemaphore(struct SignalSemaphore* sem);
void ReleaseSemaphore(struct SignalSemaphore* sem);

/* Tasks and signals */
struct Task* FindTask(CONST_STRPTR name);
BYTE AllocSignal(BYTE signalNum);
void FreeSignal(BYTE signalNum);
void Signal(struct Task* task, ULONG signals);
ULONG SetSignal(ULONG newSignals, ULONG signalMask);
ULONG Wait(ULONG signalSet);

/* Runs func on the stack described by sss and waits for it; its result. */
IPTR NewPPCStackSwap(struct StackSwapStruct* sss, StackSwapFunc func,
                     const struct PPCStackSwapArgs* args);

/* Formatted output with %s %ld %lx %p (and %d %x %u %c, widths, '-' and
   '0' flags). putChProc is RAWFMTFUNC_SERIAL, which sends the text to the
   serial debug sink, or a PutChFunc called once per character with
   putChData. Returns putChData. */
typedef void (*PutChFunc)(char c, STRPTR putChData);
#define RAWFMTFUNC_SERIAL ((APTR)1)
STRPTR VNewRawDoFmt(CONST_STRPTR formatString, APTR putChProc, STRPTR putChData, va_list args);
STRPTR NewRawDoFmt(CONST_STRPTR formatString, APTR putChProc, STRPTR putChData, ...)
    __attribute__((format(printf, 1, 4)));

EXEC_C_END

#endif
