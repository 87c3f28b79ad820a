// What the files of quire.mcc share: the library base, the class, the
// instance data and the methods of the dispatcher.
#pragma once

#include <libraries/mui.h>
#include <mui/Quire_mcc.h>
#include <proto/exec.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/document.h"

namespace quire_mcc {

struct QuireClassBase {
  struct Library LibNode;
  BPTR SegList;
};

// The class and the muimaster it was made with, for as long as the
// library is loaded.
struct ClassGlobals {
  struct Library* MUIMasterBase;
  struct MUI_CustomClass* QuireClass;
};
extern ClassGlobals globals;

// The document an object shows and the image of its current page.
// Invariant: pixels is empty or exactly PAGE_BYTES long.
struct PageView {
  quire::Document document;
  bool open = false;
  std::string file;       // the last path given
  std::string gauge_text; // what the gauge shows, kept while it shows it
  std::vector<uint8_t> pixels;
};

inline constexpr int PAGE_WIDTH = 595, PAGE_HEIGHT = 842, PAGE_STRIDE = PAGE_WIDTH * 4;
inline constexpr size_t PAGE_BYTES = size_t(PAGE_STRIDE) * PAGE_HEIGHT;

// Instance data. View is made in OM_NEW and deleted in OM_DISPOSE.
struct QuireData {
  PageView* View;
  Object* Gauge;
  Object* Slider;
  APTR Info;
  LONG PageWidth;
  LONG PageHeight;
  LONG Page;
};

IPTR quire_dispatcher(struct IClass* cl, Object* obj, Msg msg);
extern const struct EmulLibEntry DispatcherGate;

// Opening documents and showing pages (page_view.cpp).
void open_file(Object* obj, QuireData* data, const char* path);
void show_page(Object* obj, QuireData* data, LONG page);
IPTR quire_ask_min_max(struct IClass* cl, Object* obj, struct MUIP_AskMinMax* msg);
IPTR quire_draw(struct IClass* cl, Object* obj, struct MUIP_Draw* msg);

}  // namespace quire_mcc
