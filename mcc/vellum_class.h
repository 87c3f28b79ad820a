// What the files of vellum.mcc share: the library base, the library-wide
// bases, the instance data and the methods of the dispatcher.
#pragma once

#include <libraries/mui.h>
#include <mui/Vellum_mcc.h>
#include <proto/exec.h>

#include "render/playback.h"

namespace vellum_mcc {

// The class library's base, in this order.
struct VellumClassBase {
  struct Library LibNode;
  BPTR SegList;
  struct SignalSemaphore Lock;  // guards creating and deleting the class
  UWORD ClassCreated;           // 1 while the class exists
};

// Library-wide pointers, one set per loaded class library.
struct ClassGlobals {
  struct ExecBase* SysBase;
  struct Library* MUIMasterBase;
  struct MUI_CustomClass* VellumClass;  // while it exists
  struct Library* UtilityBase;
  struct Library* DOSBase;
  struct Library* GfxBase;
  struct Library* IntuitionBase;
  struct Library* CyberGfxBase;  // opened by every object, shared by all
  struct Library* CairoBase;
};
extern ClassGlobals globals;

inline constexpr size_t FILE_NAME_SIZE = 152;  // 151 characters and the terminator
inline constexpr uint32_t FIT_LIMIT = 200;

// Which shared libraries an object opened, so it closes exactly those.
enum : UWORD { OPENED_CYBERGFX = 1, OPENED_CAIRO = 2 };

// Instance data, in this order. Picture holds Pixels, Width and Height and
// is the render target the playback driver fills.
struct VellumData {
  char FileName[FILE_NAME_SIZE];
  Object* Target;
  vellum::RenderTarget Picture;
  UWORD OpenedLibraries;
};

// The dispatcher and the gate that stands for it as the class hook.
IPTR vellum_dispatcher(struct IClass* cl, Object* obj, Msg msg);
extern const struct EmulLibEntry DispatcherGate;

// Drawing into the area.
IPTR vellum_ask_min_max(struct IClass* cl, Object* obj, struct MUIP_AskMinMax* msg);
IPTR vellum_draw(struct IClass* cl, Object* obj, struct MUIP_Draw* msg);

}  // namespace vellum_mcc
