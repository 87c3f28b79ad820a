// Documents and pages of a quire.mcc object: setting a file opens it with
// the engine, telling the gauge how far it got and the slider how many
// pages there are; setting a page renders that page once into the
// object's page image, which every whole-object draw copies onto white
// paper of the page size, and tells the gauge "Page n of N". A file that
// cannot be opened leaves the paper empty.
#include <algorithm>

#include <proto/cybergraphics.h>
#include <host/path.h>
#include <proto/dos.h>
#include <proto/intuition.h>
#include <proto/muimaster.h>

#include "quire_class.h"

namespace quire_mcc {

namespace {

constexpr ULONG PAPER = 0xFFFFFFFF, FULL_OPACITY = 0xFFFFFFFF;
constexpr ULONG GAUGE_DONE = 100;

void tell_gauge(QuireData* data, ULONG current, std::string text) {
  if (!data->Gauge) return;
  data->View->gauge_text = std::move(text);
  SetAttrs(data->Gauge, MUIA_Gauge_Max, GAUGE_DONE, MUIA_Gauge_Current, current, MUIA_Gauge_InfoText,
           data->View->gauge_text.c_str(), TAG_DONE);
}

// The slider runs over the pages, at least over page 1; it is moved
// quietly, since the object itself decides which page follows a new file.
void tell_slider(QuireData* data, LONG pages) {
  if (!data->Slider) return;
  SetAttrs(data->Slider, MUIA_NoNotify, TRUE, MUIA_Numeric_Max, std::max<LONG>(pages, 1), MUIA_Numeric_Value, 1,
           TAG_DONE);
}

// Renders the current page into the page image; no image without one.
void render_page(QuireData* data) {
  PageView* view = data->View;
  view->pixels.clear();
  if (!view->open || data->Page < 1 || data->Page > view->document.page_count()) return;
  view->pixels.assign(PAGE_BYTES, 0);
  if (quire::render_document_page(view->document, int(data->Page), view->pixels.data(), PAGE_STRIDE) != 0)
    view->pixels.clear();
}

// The gauge names the page shown and the count; a page beyond the
// document leaves only the count.
void tell_page(QuireData* data) {
  if (!data->View->open) return;
  const LONG pages = data->View->document.page_count();
  const std::string count = std::to_string(pages);
  if (data->Page >= 1 && data->Page <= pages)
    tell_gauge(data, GAUGE_DONE, "Page " + std::to_string(data->Page) + " of " + count);
  else
    tell_gauge(data, GAUGE_DONE, count + (pages == 1 ? " page" : " pages"));
}

// Adds a page edge to a MUI size, within what a MUI size can be.
WORD add_edge(WORD field, LONG edge) {
  LONG sum = LONG(field) + std::clamp<LONG>(edge, 0, MUI_MAXMAX);
  return WORD(std::min<LONG>(sum, MUI_MAXMAX));
}

}  // namespace

void open_file(Object* obj, QuireData* data, const char* path) {
  PageView* view = data->View;
  view->file = path ? path : "";
  view->open = false;
  view->document = {};
  if (!view->file.empty()) {
    tell_gauge(data, 0, "Opening " + std::string(FilePart(view->file.c_str())));
    view->open = quire::open_document(view->document, host_path_of(view->file.c_str()).c_str()) == quire::OPEN_OK &&
                 view->document.page_count() > 0;
  }
  if (!view->open) tell_gauge(data, 0, view->file.empty() ? "" : "Not a readable Word document");
  tell_slider(data, view->open ? view->document.page_count() : 0);
  show_page(obj, data, 1);
}

void show_page(Object* obj, QuireData* data, LONG page) {
  data->Page = page;
  render_page(data);
  tell_page(data);
  MUI_Redraw(obj, MADF_DRAWOBJECT);
}

IPTR quire_ask_min_max(struct IClass* cl, Object* obj, struct MUIP_AskMinMax* msg) {
  DoSuperMethodA(cl, obj, reinterpret_cast<Msg>(msg));
  const QuireData* data = static_cast<QuireData*>(INST_DATA(cl, obj));
  struct MUI_MinMax* minMax = msg->MinMaxInfo;
  minMax->MinWidth = add_edge(minMax->MinWidth, data->PageWidth);
  minMax->DefWidth = add_edge(minMax->DefWidth, data->PageWidth);
  minMax->MaxWidth = add_edge(minMax->MaxWidth, data->PageWidth);
  minMax->MinHeight = add_edge(minMax->MinHeight, data->PageHeight);
  minMax->DefHeight = add_edge(minMax->DefHeight, data->PageHeight);
  minMax->MaxHeight = add_edge(minMax->MaxHeight, data->PageHeight);
  return 0;
}

IPTR quire_draw(struct IClass* cl, Object* obj, struct MUIP_Draw* msg) {
  DoSuperMethodA(cl, obj, reinterpret_cast<Msg>(msg));
  if (!(msg->flags & MADF_DRAWOBJECT) || !muiRenderInfo(obj) || !_rp(obj)) return 0;
  const QuireData* data = static_cast<QuireData*>(INST_DATA(cl, obj));
  LONG width = std::min<LONG>(_mwidth(obj), data->PageWidth);
  LONG height = std::min<LONG>(_mheight(obj), data->PageHeight);
  if (width <= 0 || height <= 0) return 0;
  FillPixelArray(_rp(obj), UWORD(_mleft(obj)), UWORD(_mtop(obj)), UWORD(width), UWORD(height), PAPER);
  if (data->View->pixels.empty()) return 0;
  // The page image is never read past its own edges, whatever the box.
  WritePixelArrayAlpha(data->View->pixels.data(), 0, 0, UWORD(PAGE_STRIDE), _rp(obj), UWORD(_mleft(obj)),
                       UWORD(_mtop(obj)), UWORD(std::min<LONG>(width, PAGE_WIDTH)),
                       UWORD(std::min<LONG>(height, PAGE_HEIGHT)), FULL_OPACITY);
  return 0;
}

}  // namespace quire_mcc
