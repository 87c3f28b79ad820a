// The dispatcher of quire.mcc: the seven attributes at creation, set and
// get; drawing and documents live in page_view.cpp.
#include <common/no_throw.h>
#include <emul/emulinterface.h>
#include <proto/intuition.h>
#include <proto/utility.h>

#include <new>

#include "quire_class.h"

namespace quire_mcc {

namespace {

QuireData* quire_data(struct IClass* cl, Object* obj) { return static_cast<QuireData*>(INST_DATA(cl, obj)); }

// Takes the attributes of one OM_NEW or OM_SET. The size and the partner
// objects are stored first; the file is opened and the page shown after,
// so a list that names both opens the file and then shows that page.
void take_attributes(Object* obj, QuireData* data, struct TagItem* tags) {
  const char* file = nullptr;
  bool file_given = false, page_given = false;
  LONG page = 0;
  struct TagItem* state = tags;
  while (struct TagItem* tag = NextTagItem(&state)) {
    switch (tag->ti_Tag) {
      case MUIA_Quire_PageWidth: data->PageWidth = LONG(tag->ti_Data); break;
      case MUIA_Quire_PageHeight: data->PageHeight = LONG(tag->ti_Data); break;
      case MUIA_Quire_Gauge: data->Gauge = reinterpret_cast<Object*>(tag->ti_Data); break;
      case MUIA_Quire_Slider: data->Slider = reinterpret_cast<Object*>(tag->ti_Data); break;
      case MUIA_Quire_Info: data->Info = reinterpret_cast<APTR>(tag->ti_Data); break;
      case MUIA_Quire_File:
        file = reinterpret_cast<const char*>(tag->ti_Data);
        file_given = true;
        break;
      case MUIA_Quire_Page:
        page = LONG(tag->ti_Data);
        page_given = true;
        break;
    }
  }
  if (file_given) open_file(obj, data, file);
  if (page_given) show_page(obj, data, page);
}

IPTR quire_new(struct IClass* cl, Object* obj, struct opSet* msg) {
  struct TagItem tags[] = {
      {MUIA_FillArea, TRUE},
      {TAG_MORE, reinterpret_cast<IPTR>(msg->ops_AttrList)},
  };
  obj = reinterpret_cast<Object*>(DoSuperMethod(cl, obj, OM_NEW, tags, msg->ops_GInfo));
  if (!obj) return 0;
  QuireData* data = quire_data(cl, obj);
  data->View = new (std::nothrow) PageView;
  if (!data->View) {
    CoerceMethod(cl, obj, OM_DISPOSE);
    return 0;
  }
  data->PageWidth = PAGE_WIDTH;
  data->PageHeight = PAGE_HEIGHT;
  data->Page = 1;
  take_attributes(obj, data, msg->ops_AttrList);
  return reinterpret_cast<IPTR>(obj);
}

IPTR quire_dispose(struct IClass* cl, Object* obj, Msg msg) {
  QuireData* data = quire_data(cl, obj);
  delete data->View;
  data->View = nullptr;
  return DoSuperMethodA(cl, obj, msg);
}

IPTR quire_get(struct IClass* cl, Object* obj, struct opGet* msg) {
  QuireData* data = quire_data(cl, obj);
  IPTR* storage = msg->opg_Storage;
  switch (msg->opg_AttrID) {
    case MUIA_Quire_File: *storage = reinterpret_cast<IPTR>(data->View->file.c_str()); return TRUE;
    case MUIA_Quire_PageWidth: *storage = IPTR(data->PageWidth); return TRUE;
    case MUIA_Quire_PageHeight: *storage = IPTR(data->PageHeight); return TRUE;
    case MUIA_Quire_Gauge: *storage = reinterpret_cast<IPTR>(data->Gauge); return TRUE;
    case MUIA_Quire_Slider: *storage = reinterpret_cast<IPTR>(data->Slider); return TRUE;
    case MUIA_Quire_Info: *storage = reinterpret_cast<IPTR>(data->Info); return TRUE;
    case MUIA_Quire_Page: *storage = IPTR(data->Page); return TRUE;
    case MUIA_Quire_PageCount: *storage = IPTR(data->View->document.page_count()); return TRUE;
    default: return DoSuperMethodA(cl, obj, reinterpret_cast<Msg>(msg));
  }
}

}  // namespace

IPTR quire_dispatcher(struct IClass* cl, Object* obj, Msg msg) {
  // Nothing C++ throws (a string or buffer without memory) reaches muimaster.
  return vellum::without_exceptions(IPTR(0), [&]() -> IPTR {
    switch (msg->MethodID) {
      case OM_NEW: return quire_new(cl, obj, reinterpret_cast<struct opSet*>(msg));
      case OM_DISPOSE: return quire_dispose(cl, obj, msg);
      case OM_SET:
        take_attributes(obj, quire_data(cl, obj), reinterpret_cast<struct opSet*>(msg)->ops_AttrList);
        return DoSuperMethodA(cl, obj, msg);
      case OM_GET: return quire_get(cl, obj, reinterpret_cast<struct opGet*>(msg));
      case MUIM_AskMinMax: return quire_ask_min_max(cl, obj, reinterpret_cast<struct MUIP_AskMinMax*>(msg));
      case MUIM_Draw: return quire_draw(cl, obj, reinterpret_cast<struct MUIP_Draw*>(msg));
      default: return DoSuperMethodA(cl, obj, msg);
    }
  });
}

const struct EmulLibEntry DispatcherGate = {TRAP_LIB, 0, reinterpret_cast<void (*)(void)>(quire_dispatcher)};

}  // namespace quire_mcc
