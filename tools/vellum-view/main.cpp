// vellum-view: shows a Windows Metafile in a window, through a small MUI
// application holding one vellum.mcc object. With --screenshot it draws
// the window offscreen into a PNG file and exits.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <host/muimaster.h>
#include <mui/Vellum_mcc.h>
#include <proto/exec.h>
#include <proto/muimaster.h>

namespace {

const char USAGE[] =
    "Usage: vellum-view FILE.wmf [--screenshot OUT.png]\n"
    "Shows a placeable Windows Metafile, fitted to at most 200 pixels' width.\n"
    "  --screenshot OUT.png  draw the window offscreen into OUT.png and exit\n"
    "  --help                show this text\n";

// Input rounds before a screenshot, so the window is laid out and drawn.
constexpr int SETTLE_ROUNDS = 3;

struct Options {
  const char* file = nullptr;
  const char* screenshot = nullptr;
};

// 0 when the arguments make sense, 1 for --help, -1 otherwise.
int parse(int argc, char** argv, Options* options) {
  for (int i = 1; i < argc; i++) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) return 1;
    if (std::strcmp(argv[i], "--screenshot") == 0) {
      if (++i == argc) return -1;
      options->screenshot = argv[i];
    } else if (argv[i][0] == '-' && argv[i][1] != '\0') {
      return -1;
    } else if (!options->file) {
      options->file = argv[i];
    } else {
      return -1;
    }
  }
  return options->file ? 0 : -1;
}

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

}  // namespace

int main(int argc, char** argv) {
  Options options;
  int parsed = parse(argc, argv, &options);
  if (parsed != 0) {
    std::fputs(USAGE, parsed > 0 ? stdout : stderr);
    return parsed > 0 ? 0 : 2;
  }
  // A screenshot needs no screen: without a display, draw offscreen.
  if (options.screenshot && !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
    setenv("QT_QPA_PLATFORM", "offscreen", 0);

  struct Library* muimaster = OpenLibrary(MUIMASTER_NAME, 19);
  if (!muimaster) {
    std::fprintf(stderr, "vellum-view: cannot open %s\n", MUIMASTER_NAME);
    return 1;
  }
  Object* picture = MUI_NewObject(MUIC_Vellum, MUIA_Vellum_File, options.file, TAG_DONE);
  Object* window = MUI_NewObject(MUIC_Window, MUIA_Window_Title, file_part(options.file), MUIA_Window_ID,
                                 0x56574D46 /* "VWMF" */, MUIA_Window_RootObject,
                                 MUI_NewObject(MUIC_Group, MUIA_Group_Child, picture, TAG_DONE), TAG_DONE);
  Object* app = MUI_NewObject(MUIC_Application, MUIA_Application_Title, "vellum-view",
                              MUIA_Application_Version, "$VER: vellum-view 1.0",
                              MUIA_Application_Description, "Shows a Windows Metafile",
                              MUIA_Application_Window, window, TAG_DONE);
  if (!app) {
    std::fprintf(stderr, "vellum-view: cannot create the application (is vellum.mcc installed?)\n");
    CloseLibrary(muimaster);
    return 1;
  }
  IPTR width = 0;
  GetAttr(MUIA_Vellum_Width, picture, &width);
  if (width == 0)
    std::fprintf(stderr, "vellum-view: %s: no picture (unreadable, not a placeable WMF, or a name over 151 characters)\n",
                 options.file);

  DoMethod(window, MUIM_Notify, MUIA_Window_CloseRequest, TRUE, MUIV_Notify_Application, 2,
           MUIM_Application_ReturnID, MUIV_Application_ReturnID_Quit);
  SetAttrs(window, MUIA_Window_Open, TRUE, TAG_DONE);

  int status = 0;
  if (options.screenshot) {
    ULONG signals = 0;
    for (int round = 0; round < SETTLE_ROUNDS; round++) DoMethod(app, MUIM_Application_NewInput, &signals);
    SetSignal(0, signals);
    if (!HostSaveWindowImage(window, options.screenshot)) {
      std::fprintf(stderr, "vellum-view: cannot write %s\n", options.screenshot);
      status = 1;
    }
  } else {
    run(app);
  }
  SetAttrs(window, MUIA_Window_Open, FALSE, TAG_DONE);
  MUI_DisposeObject(app);
  CloseLibrary(muimaster);
  return status;
}
