// A stand-in quire.library for the quiredump tests: it records every call
// with its argument in the file named by QUIRE_SPY_LOG, answers QuireInit
// with QUIRE_SPY_INIT (1 when unset), and otherwise plays a three-page
// document whose pages are plain white.
#include <proto/exec.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <libraries/quire.h>

namespace {

void note(const char* call, long argument = 0) {
  const char* log = std::getenv("QUIRE_SPY_LOG");
  if (!log) return;
  if (std::FILE* file = std::fopen(log, "a")) {
    std::fprintf(file, "%s %ld\n", call, argument);
    std::fclose(file);
  }
}

struct Library* LibOpen(struct Library* base) {
  base->lib_OpenCnt++;
  return base;
}
BPTR LibClose(struct Library* base) {
  base->lib_OpenCnt--;
  return 0;
}
BPTR LibExpunge(struct Library*) { return 0; }  // stays loaded until the process ends
IPTR LibReserved() { return 0; }

APTR spy_render(struct Library*, LONG page) {
  note("QuireRenderPage", page);
  if (page < 1 || page > 3) return nullptr;
  APTR pixels = AllocVec(QUIRE_PAGE_STRIDE * QUIRE_PAGE_HEIGHT, MEMF_ANY);
  if (pixels) std::memset(pixels, 0xFF, QUIRE_PAGE_STRIDE * QUIRE_PAGE_HEIGHT);
  return pixels;
}
LONG spy_init(struct Library*) {
  note("QuireInit");
  const char* answer = std::getenv("QUIRE_SPY_INIT");
  return answer ? std::atoi(answer) : 1;
}
void spy_exit(struct Library*, LONG ready) { note("QuireExit", ready); }
LONG spy_open_document(struct Library*, CONST_STRPTR path) {
  note("QuireOpen", static_cast<long>(std::strlen(path)));
  return 0;
}
LONG spy_page_count(struct Library*) {
  note("QuireGetPageCount");
  return 3;
}

template <int Which>
CONST_STRPTR spy_text(struct Library*) {
  static const char* const NAMES[] = {"Title", "Subject", "Author", "Company", "AppName", "Language"};
  note(NAMES[Which]);
  return NAMES[Which];
}

template <typename F>
APTR slot(F f) {
  return reinterpret_cast<APTR>(f);
}

const APTR SPY_FUNCTIONS[] = {
    FUNCARRAY_32BIT_NATIVE, slot(LibOpen),        slot(LibClose),       slot(LibExpunge),
    slot(LibReserved),      slot(spy_render),      slot(spy_init),        slot(spy_exit),
    slot(spy_open_document), slot(LibReserved),    slot(spy_page_count),  slot(spy_text<0>),
    slot(spy_text<1>),      slot(spy_text<2>),     slot(spy_text<3>),     slot(spy_text<4>),
    slot(LibReserved),      slot(spy_text<5>),     FUNCARRAY_END,
};

const struct InitTable SPY_INIT = {sizeof(struct Library), SPY_FUNCTIONS, nullptr, nullptr};
const char SPY_NAME[] = "quire.library";

}  // namespace

extern "C" MODULE_EXPORT const struct Resident ModuleResident = {
    RTC_MATCHWORD, &ModuleResident, nullptr, RTF_AUTOINIT | RTF_PPC, 1, NT_LIBRARY, 0, SPY_NAME, SPY_NAME,
    const_cast<struct InitTable*>(&SPY_INIT), 0, nullptr,
};
