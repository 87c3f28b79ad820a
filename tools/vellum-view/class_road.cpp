// The class road: a small MUI application holding one vellum.mcc object,
// the picture rendered once by the module at most 200 pixels wide.
#include <cstdio>
#include <cstring>

#include <host/muimaster.h>
#include <mui/Vellum_mcc.h>
#include <proto/exec.h>
#include <proto/muimaster.h>

#include "roads.h"
#include "screenshot.h"
#include "tools/common/exit_codes.h"

namespace vellum_view {
namespace {

constexpr ULONG WINDOW_ID = 0x56574D46;  // "VWMF"

const char* file_part(const char* path) {
  const char* slash = std::strrchr(path, '/');
  return slash ? slash + 1 : path;
}

// The standard input loop: until quit is returned or Ctrl-C arrives.
void run(Object* app) {
  ULONG signals = 0;
  for (;;) {
    if (ULONG(DoMethod(app, MUIM_Application_NewInput, &signals)) == MUIV_Application_ReturnID_Quit) return;
    if (signals) {
      signals = Wait(signals | SIGBREAKF_CTRL_C);
      if (signals & SIGBREAKF_CTRL_C) return;
    }
  }
}

int save_window(Object* app, Object* window, const std::string& name) {
  ULONG signals = 0;
  for (int round = 0; round < SETTLE_ROUNDS; round++) DoMethod(app, MUIM_Application_NewInput, &signals);
  SetSignal(0, signals);
  ULONG size = 0;
  APTR png = HostWindowPNG(window, &size);
  const int code = write_screenshot(png, size, name);
  FreeVec(png);
  return code;
}

}  // namespace

int show_with_class(const ViewOptions& options) {
  struct Library* muimaster = OpenLibrary(MUIMASTER_NAME, 19);
  if (!muimaster) {
    std::fprintf(stderr, "vellum-view: cannot open %s\n", MUIMASTER_NAME);
    return vellum::tools::EXIT_NOT_USABLE;
  }
  const char* file = options.file.c_str();
  Object* picture = MUI_NewObject(MUIC_Vellum, MUIA_Vellum_File, file, TAG_DONE);
  Object* window = MUI_NewObject(MUIC_Window, MUIA_Window_Title, file_part(file), MUIA_Window_ID, WINDOW_ID,
                                 MUIA_Window_RootObject, MUI_NewObject(MUIC_Group, MUIA_Group_Child, picture, TAG_DONE),
                                 TAG_DONE);
  Object* app = MUI_NewObject(MUIC_Application, MUIA_Application_Title, "vellum-view", MUIA_Application_Version,
                              "$VER: vellum-view 1.0", MUIA_Application_Description, "Shows a Windows Metafile",
                              MUIA_Application_Window, window, TAG_DONE);
  if (!app) {
    std::fprintf(stderr, "vellum-view: cannot create the application (is vellum.mcc installed?)\n");
    CloseLibrary(muimaster);
    return vellum::tools::EXIT_NOT_USABLE;
  }
  IPTR width = 0;
  GetAttr(MUIA_Vellum_Width, picture, &width);
  int code = vellum::tools::EXIT_OK;
  if (width == 0) {
    std::fprintf(stderr, "vellum-view: %s: vellum.mcc shows no picture (a name over 151 characters?)\n", file);
    code = vellum::tools::EXIT_NOT_USABLE;
  } else {
    DoMethod(window, MUIM_Notify, MUIA_Window_CloseRequest, TRUE, MUIV_Notify_Application, 2,
             MUIM_Application_ReturnID, MUIV_Application_ReturnID_Quit);
    SetAttrs(window, MUIA_Window_Open, TRUE, TAG_DONE);
    if (options.screenshot.empty())
      run(app);
    else
      code = save_window(app, window, options.screenshot);
    SetAttrs(window, MUIA_Window_Open, FALSE, TAG_DONE);
  }
  MUI_DisposeObject(app);
  CloseLibrary(muimaster);
  return code;
}

}  // namespace vellum_view
