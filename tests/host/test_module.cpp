// A library module with direct init, for the loader tests: its init makes
// and adds the library itself, and it counts its openers as libraries do.
#include <proto/exec.h>

namespace {

struct TestBase {
  struct Library LibNode;
  BPTR SegList;
};

struct Library* LibOpen(struct Library* base) {
  base->lib_OpenCnt++;
  base->lib_Flags &= UBYTE(~LIBF_DELEXP);
  return base;
}

BPTR LibExpunge(struct Library* base) {
  if (base->lib_OpenCnt > 0) {
    base->lib_Flags |= LIBF_DELEXP;
    return 0;
  }
  BPTR seglist = reinterpret_cast<TestBase*>(base)->SegList;
  Remove(&base->lib_Node);
  FreeMem(reinterpret_cast<UBYTE*>(base) - base->lib_NegSize, ULONG(base->lib_NegSize) + base->lib_PosSize);
  return seglist;
}

BPTR LibClose(struct Library* base) {
  if (--base->lib_OpenCnt == 0 && (base->lib_Flags & LIBF_DELEXP)) return LibExpunge(base);
  return 0;
}

IPTR LibReserved() { return 0; }
IPTR Answer(struct Library*) { return 1234; }

const APTR FUNCTIONS[] = {FUNCARRAY_32BIT_NATIVE,         reinterpret_cast<APTR>(LibOpen),
                          reinterpret_cast<APTR>(LibClose), reinterpret_cast<APTR>(LibExpunge),
                          reinterpret_cast<APTR>(LibReserved), reinterpret_cast<APTR>(Answer),
                          FUNCARRAY_END};

const char NAME[] = "hosttest.library";

struct Library* LibInit(struct Library*, BPTR seglist, struct ExecBase*) {
  struct Library* base = MakeLibrary(FUNCTIONS, nullptr, nullptr, sizeof(TestBase), 0);
  if (!base) return nullptr;
  base->lib_Node.ln_Type = NT_LIBRARY;
  base->lib_Node.ln_Name = const_cast<char*>(NAME);
  base->lib_Version = 3;
  reinterpret_cast<TestBase*>(base)->SegList = seglist;
  AddLibrary(base);
  return base;
}

}  // namespace

extern "C" MODULE_EXPORT const struct Resident ModuleResident = {
    RTC_MATCHWORD, &ModuleResident, nullptr, RTF_PPC | RTF_EXTENDED, 3, NT_LIBRARY, 0, NAME,
    "hosttest.library 3.0", reinterpret_cast<APTR>(LibInit), 0, nullptr};
