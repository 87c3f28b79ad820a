// The program's steps: libraries and InfoBlock, the object tree, the
// wiring, the input loop and the shutdown.
#include "viewer.h"

#include <cstdio>

#include <mui/Quire_mcc.h>
#include <proto/exec.h>
#include <proto/muimaster.h>

namespace quire_viewer {

namespace {

constexpr ULONG INTUITION_VERSION = 39, MUIMASTER_VERSION = 19;

// A Scrollgroup attribute set to 100 whose meaning MUI keeps to itself;
// the group takes it and, like any attribute it does not know, ignores it.
constexpr ULONG SCROLLGROUP_ATTRIBUTE_100 = 0x8042FBDB;
constexpr IPTR STRING_BACKGROUND = 49;

// The user data of the menu items the program answers.
constexpr IPTR MENU_ABOUT = 1, MENU_ABOUT_MUI = 2, MENU_MUI_SETTINGS = 3;

const char MAIN_WINDOW_ID[] = "QUIRE_Viewer1";
const char ABOUT_WINDOW_ID[] = "QUIRE_VIEWER2";
const char SHARP_S[] = "\xDF";  // the shortcut of "MUI...", Latin-1

const struct NewMenu MENU_TABLE[] = {
    {NM_TITLE, "Project", nullptr, 0, 0, nullptr},
    {NM_ITEM, "About...", "I", 0, 0, reinterpret_cast<APTR>(MENU_ABOUT)},
    {NM_ITEM, "About MUI...", ".", 0, 0, reinterpret_cast<APTR>(MENU_ABOUT_MUI)},
    {NM_ITEM, NM_BARLABEL, nullptr, 0, 0, nullptr},
    {NM_ITEM, "Quit...", "Q", 0, 0, reinterpret_cast<APTR>(IPTR(MUIV_Application_ReturnID_Quit))},
    {NM_TITLE, "Settings", nullptr, 0, 0, nullptr},
    {NM_ITEM, "MUI...", SHARP_S, 0, 0, reinterpret_cast<APTR>(MENU_MUI_SETTINGS)},
    {NM_END, nullptr, nullptr, 0, 0, nullptr},
};

const char* const PROPERTY_LABELS[] = {"Title", "Subject", "Author", "Company"};

const char MAKER[] = "The Vellum developers";
const char VERSION[] = "$VER: 1.0 (01.10.18) Quire_Viewer 2018 The Vellum developers";
const char COPYRIGHT[] = "Copyright 2018 The Vellum developers";

bool open_libraries(Viewer& viewer) {
  viewer.IntuitionBase = OpenLibrary("intuition.library", INTUITION_VERSION);
  if (viewer.IntuitionBase) viewer.MUIMasterBase = OpenLibrary("muimaster.library", MUIMASTER_VERSION);
  if (viewer.MUIMasterBase) viewer.UtilityBase = OpenLibrary("utility.library", 0);
  return viewer.UtilityBase != nullptr;
}

void close_libraries(Viewer& viewer) {
  CloseLibrary(viewer.UtilityBase);
  CloseLibrary(viewer.MUIMasterBase);
  CloseLibrary(viewer.IntuitionBase);
  viewer.UtilityBase = viewer.MUIMasterBase = viewer.IntuitionBase = nullptr;
}

Object* make_label(const char* text) { return MUI_MakeObject(MUIO_Label, text, 0); }

Object* make_file_box(Viewer& viewer) {
  Object* label = make_label("File");
  viewer.PathString = MUI_NewObject(MUIC_String, MUIA_Frame, MUIV_Frame_String, MUIA_Background, STRING_BACKGROUND,
                                    TAG_DONE);
  Object* chooser = MUI_NewObject(MUIC_Popasl, ASLFR_TitleText, "Open DOC files...", ASLFR_InitialDrawer, "ram:",
                                  MUIA_Popstring_Button, MUI_MakeObject(MUIO_PopButton, MUII_PopFile),
                                  MUIA_Popstring_String, viewer.PathString, TAG_DONE);
  Object* row = MUI_NewObject(MUIC_Group, MUIA_Group_Horiz, TRUE, MUIA_Background, MUII_GroupBack, MUIA_Frame,
                              MUIV_Frame_Group, MUIA_Group_Child, label, MUIA_Group_Child, chooser, TAG_DONE);
  return MUI_NewObject(MUIC_Group, MUIA_Background, MUII_GroupBack, MUIA_Frame, MUIV_Frame_Group, MUIA_Group_Child,
                       row, TAG_DONE);
}

Object* make_property_box(Viewer& viewer) {
  Object* cells[8];
  for (int row = 0; row < 4; row++) {
    cells[2 * row] = make_label(PROPERTY_LABELS[row]);
    cells[2 * row + 1] = viewer.PropertyTexts[row] =
        MUI_NewObject(MUIC_Text, MUIA_Background, MUII_TextBack, MUIA_Frame, MUIV_Frame_Text, TAG_DONE);
  }
  return MUI_NewObject(MUIC_Group, MUIA_Group_Columns, 2, MUIA_Background, MUII_GroupBack, MUIA_Frame,
                       MUIV_Frame_Group, MUIA_Group_Child, cells[0], MUIA_Group_Child, cells[1], MUIA_Group_Child,
                       cells[2], MUIA_Group_Child, cells[3], MUIA_Group_Child, cells[4], MUIA_Group_Child, cells[5],
                       MUIA_Group_Child, cells[6], MUIA_Group_Child, cells[7], TAG_DONE);
}

Object* make_view_box(Viewer& viewer) {
  viewer.Document = MUI_NewObject(MUIC_Quire, MUIA_Quire_PageWidth, 595, MUIA_Quire_PageHeight, 842, TAG_DONE);
  Object* pages = MUI_NewObject(MUIC_Virtgroup, MUIA_Virtgroup_Input, TRUE, MUIA_Group_Child, viewer.Document,
                                TAG_DONE);
  Object* scroller = MUI_NewObject(MUIC_Scrollgroup, SCROLLGROUP_ATTRIBUTE_100, 100, MUIA_Scrollgroup_UseWinBorder,
                                   TRUE, MUIA_Scrollgroup_Contents, pages, TAG_DONE);
  viewer.Gauge = MUI_NewObject(MUIC_Gauge, MUIA_Gauge_Horiz, TRUE, MUIA_Weight, 3, TAG_DONE);
  viewer.PageSlider = MUI_NewObject(MUIC_Slider, MUIA_Numeric_Min, 1, MUIA_Slider_Horiz, TRUE, TAG_DONE);
  return MUI_NewObject(MUIC_Group, MUIA_Group_Child, scroller, MUIA_Group_Child, viewer.Gauge, MUIA_Group_Child,
                       viewer.PageSlider, TAG_DONE);
}

// The whole tree, bottom-up; a part that cannot be made fails every
// object around it, down to the application, which is then NULL.
Object* make_application(Viewer& viewer) {
  viewer.Menustrip = MUI_MakeObject(MUIO_MenustripNM, MENU_TABLE, MUIO_MenustripNM_CommandKeyCheck);
  Object* file_box = make_file_box(viewer);
  Object* property_box = make_property_box(viewer);
  Object* view_box = make_view_box(viewer);
  Object* root = MUI_NewObject(MUIC_Group, MUIA_Group_Child, file_box, MUIA_Group_Child, property_box,
                               MUIA_Group_Child, view_box, TAG_DONE);
  viewer.MainWindow = MUI_NewObject(
      MUIC_Window, MUIA_Window_Title, "QUIRE Viewer", MUIA_Window_Menustrip, viewer.Menustrip, MUIA_Window_ID,
      MAIN_WINDOW_ID, MUIA_Window_SizeGadget, TRUE, MUIA_Window_AppWindow, TRUE, MUIA_Window_DragBar, TRUE,
      MUIA_Window_DepthGadget, TRUE, MUIA_Window_CloseGadget, TRUE, MUIA_Window_UseBottomBorderScroller, TRUE,
      MUIA_Window_UseRightBorderScroller, TRUE, MUIA_Window_RootObject, root, TAG_DONE);
  viewer.AboutWindow = MUI_NewObject(MUIC_Aboutbox, MUIA_Window_ID, ABOUT_WINDOW_ID, TAG_DONE);
  return MUI_NewObject(MUIC_Application, MUIA_Application_Title, "Quire Viewer", MUIA_Application_Version, VERSION,
                       MUIA_Application_Copyright, COPYRIGHT, MUIA_Application_Author, MAKER,
                       MUIA_Application_Description, "Viewer for Microsoft Word files", MUIA_Application_Window,
                       viewer.MainWindow, MUIA_Application_Window, viewer.AboutWindow, TAG_DONE);
}

void notify_on_menu(Object* item, Object* destination, ULONG count, IPTR method, IPTR a = 0, IPTR b = 0) {
  DoMethod(item, MUIM_Notify, MUIA_Menuitem_Trigger, MUIV_EveryTime, destination, count, method, a, b);
}

}  // namespace

bool start(Viewer& viewer) {
  if (!open_libraries(viewer)) {
    close_libraries(viewer);
    return false;
  }
  viewer.InfoBlock = AllocVec(INFO_BLOCK_SIZE, MEMF_CLEAR);
  if (viewer.InfoBlock) viewer.App = make_application(viewer);
  if (!viewer.App) {
    std::printf("I can't create the app!\n");
    std::fflush(stdout);
    FreeVec(viewer.InfoBlock);
    close_libraries(viewer);
    viewer = Viewer{};  // the objects named went with the failed tree
    return false;
  }
  return true;
}

void wire(Viewer& viewer) {
  auto* about = reinterpret_cast<Object*>(DoMethod(viewer.Menustrip, MUIM_FindUData, MENU_ABOUT));
  auto* about_mui = reinterpret_cast<Object*>(DoMethod(viewer.Menustrip, MUIM_FindUData, MENU_ABOUT_MUI));
  auto* settings = reinterpret_cast<Object*>(DoMethod(viewer.Menustrip, MUIM_FindUData, MENU_MUI_SETTINGS));
  notify_on_menu(about, viewer.AboutWindow, 3, MUIM_Set, MUIA_Window_Open, TRUE);
  notify_on_menu(about_mui, viewer.App, 2, MUIM_Application_AboutMUI, reinterpret_cast<IPTR>(viewer.MainWindow));
  notify_on_menu(settings, viewer.App, 3, MUIM_Application_OpenConfigWindow, 0, 0);
  DoMethod(viewer.PageSlider, MUIM_Notify, MUIA_Numeric_Value, MUIV_EveryTime, viewer.Document, 3, MUIM_Set,
           MUIA_Quire_Page, MUIV_TriggerValue);
  DoMethod(viewer.PathString, MUIM_Notify, MUIA_String_Contents, MUIV_EveryTime, viewer.Document, 3, MUIM_Set,
           MUIA_Quire_File, MUIV_TriggerValue);
  DoMethod(viewer.MainWindow, MUIM_Notify, MUIA_Window_CloseRequest, TRUE, viewer.App, 2,
           MUIM_Application_ReturnID, MUIV_Application_ReturnID_Quit);
  SetAttrs(viewer.Document, MUIA_Quire_Gauge, viewer.Gauge, TAG_DONE);
  SetAttrs(viewer.Document, MUIA_Quire_Info, viewer.InfoBlock, TAG_DONE);
  SetAttrs(viewer.Document, MUIA_Quire_Slider, viewer.PageSlider, TAG_DONE);
  // Page Up, Page Down, Home and End move the page slider.
  SetAttrs(viewer.MainWindow, MUIA_Window_DefaultObject, viewer.PageSlider, TAG_DONE);
  SetAttrs(viewer.MainWindow, MUIA_Window_Open, TRUE, TAG_DONE);
}

void open_document(Viewer& viewer, const char* path) {
  SetAttrs(viewer.PathString, MUIA_String_Contents, path, TAG_DONE);
}

void run(Viewer& viewer) {
  ULONG signals = 0;
  for (;;) {
    if (ULONG(DoMethod(viewer.App, MUIM_Application_NewInput, &signals)) == MUIV_Application_ReturnID_Quit) break;
    if (signals) {
      signals = Wait(signals | SIGBREAKF_CTRL_C);
      if (signals & SIGBREAKF_CTRL_C) break;
    }
  }
}

void shut_down(Viewer& viewer) {
  SetAttrs(viewer.MainWindow, MUIA_Window_Open, FALSE, TAG_DONE);
  MUI_DisposeObject(viewer.App);
  FreeVec(viewer.InfoBlock);
  close_libraries(viewer);
  viewer = Viewer{};
}

int main_program(const char* document) {
  Viewer viewer;
  if (!start(viewer)) return 0;
  wire(viewer);
  if (document) open_document(viewer, document);
  run(viewer);
  shut_down(viewer);
  return 0;
}

}  // namespace quire_viewer
