// Area.mui: a rectangle in a window with a frame and a background. Each
// area owns the widget that shows it; custom subclasses get the generic
// AreaWidget, which draws them through MUIM_Draw.
#include <QPalette>

#include <proto/cybergraphics.h>
#include <proto/utility.h>

#include "area_widget.h"
#include "mui_internal.h"

namespace host::mui {

namespace {

// Frames are drawn two pixels wide on every side.
constexpr BYTE FRAME_WIDTH = 2;

ULONG argb(const QColor& colour) { return colour.rgba(); }

// The colour of a MUII_ background in the widget's palette. Other
// backgrounds show the window background.
ULONG background_colour(IPTR background, const QPalette& palette) {
  switch (background) {
    case MUII_TextBack:
    case MUII_ListBack: return argb(palette.color(QPalette::Base));
    case MUII_ButtonBack: return argb(palette.color(QPalette::Button));
    case MUII_SHADOW: return argb(palette.color(QPalette::Dark));
    case MUII_SHINE: return argb(palette.color(QPalette::Light));
    case MUII_FILL: return argb(palette.color(QPalette::Highlight));
    default: return argb(palette.color(QPalette::Window));
  }
}

void set_frame(Object* obj, ULONG frame) {
  area_host(obj)->frame = frame;
  BYTE border = frame == MUIV_Frame_None ? 0 : FRAME_WIDTH;
  struct MUI_AreaData* area = muiAreaData(obj);
  area->mad_addleft = area->mad_addtop = border;
  area->mad_subwidth = area->mad_subheight = BYTE(2 * border);
}

void apply_tags(Object* obj, struct TagItem* tags) {
  AreaHost* host = area_host(obj);
  struct TagItem* state = tags;
  while (struct TagItem* tag = NextTagItem(&state)) {
    switch (tag->ti_Tag) {
      case MUIA_FillArea: host->fill_area = tag->ti_Data != FALSE; break;
      case MUIA_Background: host->background = tag->ti_Data; break;
      case MUIA_Frame: set_frame(obj, ULONG(tag->ti_Data)); break;
    }
  }
}

IPTR area_new(struct IClass* cl, Object* obj, struct opSet* msg) {
  obj = reinterpret_cast<Object*>(DoSuperMethodA(cl, obj, reinterpret_cast<Msg>(msg)));
  if (!obj) return 0;
  ensure_qt_application();
  auto* host = new AreaHost;
  muiAreaData(obj)->mad_Host = host;
  host->hosted = new AreaWidget(obj);
  host->widget = host->hosted;
  apply_tags(obj, msg->ops_AttrList);
  return reinterpret_cast<IPTR>(obj);
}

IPTR area_dispose(struct IClass* cl, Object* obj, Msg msg) {
  AreaHost* host = area_host(obj);
  delete host->widget.data();
  delete host;
  muiAreaData(obj)->mad_Host = nullptr;
  return DoSuperMethodA(cl, obj, msg);
}

IPTR area_set(struct IClass* cl, Object* obj, struct opSet* msg) {
  apply_tags(obj, msg->ops_AttrList);
  return DoSuperMethodA(cl, obj, reinterpret_cast<Msg>(msg));
}

IPTR area_get(struct IClass* cl, Object* obj, struct opGet* msg) {
  AreaHost* host = area_host(obj);
  switch (msg->opg_AttrID) {
    case MUIA_FillArea: *msg->opg_Storage = host->fill_area; return TRUE;
    case MUIA_Background: *msg->opg_Storage = host->background; return TRUE;
    case MUIA_Frame: *msg->opg_Storage = host->frame; return TRUE;
    default: return DoSuperMethodA(cl, obj, reinterpret_cast<Msg>(msg));
  }
}

// The frame and spacing take a fixed border; subclasses add their content.
IPTR area_ask_min_max(Object* obj, struct MUIP_AskMinMax* msg) {
  struct MUI_MinMax* minMax = msg->MinMaxInfo;
  WORD width = _subwidth(obj), height = _subheight(obj);
  minMax->MinWidth = minMax->DefWidth = minMax->MaxWidth = width;
  minMax->MinHeight = minMax->DefHeight = minMax->MaxHeight = height;
  return 0;
}

void draw_frame(Object* obj, struct RastPort* rp) {
  QPalette palette = area_host(obj)->widget ? area_host(obj)->widget->palette() : QPalette();
  ULONG outer = argb(palette.color(QPalette::Dark)), inner = argb(palette.color(QPalette::Light));
  UWORD x = UWORD(_left(obj)), y = UWORD(_top(obj));
  UWORD w = UWORD(_width(obj)), h = UWORD(_height(obj));
  for (UWORD ring = 0; ring < FRAME_WIDTH && 2 * ring < w && 2 * ring < h; ring++) {
    ULONG colour = ring == 0 ? outer : inner;
    UWORD rw = UWORD(w - 2 * ring), rh = UWORD(h - 2 * ring);
    FillPixelArray(rp, UWORD(x + ring), UWORD(y + ring), rw, 1, colour);
    FillPixelArray(rp, UWORD(x + ring), UWORD(y + ring + rh - 1), rw, 1, colour);
    FillPixelArray(rp, UWORD(x + ring), UWORD(y + ring), 1, rh, colour);
    FillPixelArray(rp, UWORD(x + ring + rw - 1), UWORD(y + ring), 1, rh, colour);
  }
}

// A whole-object draw clears the background (with MUIA_FillArea) and draws
// the frame; an update-only draw leaves everything to the subclass.
IPTR area_draw(Object* obj, struct MUIP_Draw* msg) {
  if (!(msg->flags & MADF_DRAWOBJECT) || !muiRenderInfo(obj)) return 0;
  struct RastPort* rp = _rp(obj);
  if (!rp) return 0;
  AreaHost* host = area_host(obj);
  if (host->fill_area)
    FillPixelArray(rp, UWORD(_left(obj)), UWORD(_top(obj)), UWORD(_width(obj)), UWORD(_height(obj)),
                   host->background_argb);
  if (host->frame != MUIV_Frame_None) draw_frame(obj, rp);
  return 0;
}

IPTR area_setup(Object* obj, struct MUIP_Setup* msg) {
  if (!msg->RenderInfo) return FALSE;
  muiAreaData(obj)->mad_RenderInfo = msg->RenderInfo;
  AreaHost* host = area_host(obj);
  QPalette palette = host->widget ? host->widget->palette() : QPalette();
  host->background_argb = background_colour(host->background, palette);
  return TRUE;
}

IPTR area_cleanup(Object* obj) {
  muiAreaData(obj)->mad_RenderInfo = nullptr;
  return TRUE;
}

IPTR area_dispatcher(struct IClass* cl, Object* obj, Msg msg) {
  switch (msg->MethodID) {
    case OM_NEW: return area_new(cl, obj, reinterpret_cast<struct opSet*>(msg));
    case OM_DISPOSE: return area_dispose(cl, obj, msg);
    case OM_SET: return area_set(cl, obj, reinterpret_cast<struct opSet*>(msg));
    case OM_GET: return area_get(cl, obj, reinterpret_cast<struct opGet*>(msg));
    case MUIM_AskMinMax: return area_ask_min_max(obj, reinterpret_cast<struct MUIP_AskMinMax*>(msg));
    case MUIM_Draw: return area_draw(obj, reinterpret_cast<struct MUIP_Draw*>(msg));
    case MUIM_Setup: return area_setup(obj, reinterpret_cast<struct MUIP_Setup*>(msg));
    case MUIM_Cleanup: return area_cleanup(obj);
    case MUIM_Show:
    case MUIM_Hide: return TRUE;
    default: return DoSuperMethodA(cl, obj, msg);
  }
}

}  // namespace

const ClassDescriptor AREA_CLASS = {MUIC_Area, &NOTIFY_CLASS, sizeof(struct MUI_AreaData), area_dispatcher};

QWidget* widget_of(Object* area) { return area_host(area) ? area_host(area)->widget.data() : nullptr; }

void replace_widget(Object* area, QWidget* widget) {
  AreaHost* host = area_host(area);
  delete host->widget.data();
  host->widget = widget;
  host->hosted = nullptr;
}

void apply_min_max(Object* obj) {
  AreaHost* host = area_host(obj);
  if (!host) return;
  for (Object* child : host->children) apply_min_max(child);
  if (host->hosted) host->hosted->refresh_min_max();
}

}  // namespace host::mui
