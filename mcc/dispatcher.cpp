// The dispatcher of vellum.mcc: object creation renders the named file
// once and tells the partner object about it; set, get and disposal keep
// to the instance data; drawing lives in area_drawing.cpp.
#include <common/no_throw.h>
#include <cstdlib>
#include <cstring>

#include <emul/emulinterface.h>
#include <host/path.h>
#include <proto/intuition.h>
#include <proto/utility.h>

#include "vellum_class.h"

namespace vellum_mcc {

namespace {

constexpr UWORD CAIRO_VERSION = 5;
constexpr ULONG CLASS_VERSION = 1, CLASS_REVISION = 0;

VellumData* vellum_data(struct IClass* cl, Object* obj) {
  return static_cast<VellumData*>(INST_DATA(cl, obj));
}

// Copies name with its terminator into FileName. A name that does not fit
// is refused whole, so the object never names a file that was not asked
// for; false then, and FileName keeps what it held.
bool store_file_name(VellumData* data, const char* name) {
  if (!name) return false;
  size_t length = strnlen(name, FILE_NAME_SIZE);
  if (length >= FILE_NAME_SIZE) return false;
  std::memcpy(data->FileName, name, length + 1);
  return true;
}

// Opens the libraries drawing needs into the shared bases, remembering
// which ones this object holds.
void open_drawing_libraries(VellumData* data) {
  if (struct Library* base = OpenLibrary("cybergraphics.library", 0)) {
    globals.CyberGfxBase = base;
    data->OpenedLibraries |= OPENED_CYBERGFX;
  }
  if (struct Library* base = OpenLibrary("cairo.library", CAIRO_VERSION)) {
    globals.CairoBase = base;
    data->OpenedLibraries |= OPENED_CAIRO;
  }
}

void tell_partner(const VellumData* data) {
  SetAttrs(data->Target, MUIA_Vellum_TargetWidth, data->Picture.Width, TAG_DONE);
  SetAttrs(data->Target, MUIA_Vellum_TargetHeight, data->Picture.Height, TAG_DONE);
  DoMethod(data->Target, MUIM_Vellum_TargetPixels, data->Picture.Pixels);
}

IPTR vellum_new(struct IClass* cl, Object* obj, struct opSet* msg) {
  struct TagItem tags[] = {
      {MUIA_FillArea, TRUE},
      {TAG_MORE, reinterpret_cast<IPTR>(msg->ops_AttrList)},
  };
  obj = reinterpret_cast<Object*>(DoSuperMethod(cl, obj, OM_NEW, tags, msg->ops_GInfo));
  if (!obj) return 0;

  VellumData* data = vellum_data(cl, obj);
  open_drawing_libraries(data);
  data->Picture.Pixels = nullptr;
  data->Target = nullptr;

  struct TagItem* state = msg->ops_AttrList;
  while (struct TagItem* tag = NextTagItem(&state)) {
    switch (tag->ti_Tag) {
      case MUIA_Vellum_File: store_file_name(data, reinterpret_cast<const char*>(tag->ti_Data)); break;
      case MUIA_Vellum_Target: data->Target = reinterpret_cast<Object*>(tag->ti_Data); break;
    }
  }

  // Without cairo there is no renderer, without cybergraphics no way to
  // show the result: the object then stays without a picture.
  // The name may use volumes (RAM:, assigns); the driver reads host paths.
  if (data->OpenedLibraries == (OPENED_CYBERGFX | OPENED_CAIRO))
    vellum::play_file(host_path_of(data->FileName).c_str(), &data->Picture, FIT_LIMIT);

  if (data->Target) tell_partner(data);
  return reinterpret_cast<IPTR>(obj);
}

IPTR vellum_dispose(struct IClass* cl, Object* obj, Msg msg) {
  VellumData* data = vellum_data(cl, obj);
  std::free(data->Picture.Pixels);  // the driver allocates with calloc
  data->Picture.Pixels = nullptr;
  if (data->OpenedLibraries & OPENED_CYBERGFX) CloseLibrary(globals.CyberGfxBase);
  if (data->OpenedLibraries & OPENED_CAIRO) CloseLibrary(globals.CairoBase);
  data->OpenedLibraries = 0;
  return DoSuperMethodA(cl, obj, msg);
}

// A new name is only remembered: the picture is not rendered again.
IPTR vellum_set(struct IClass* cl, Object* obj, struct opSet* msg) {
  VellumData* data = vellum_data(cl, obj);
  struct TagItem* state = msg->ops_AttrList;
  while (struct TagItem* tag = NextTagItem(&state))
    if (tag->ti_Tag == MUIA_Vellum_File) store_file_name(data, reinterpret_cast<const char*>(tag->ti_Data));
  return DoSuperMethodA(cl, obj, reinterpret_cast<Msg>(msg));
}

IPTR vellum_get(struct IClass* cl, Object* obj, struct opGet* msg) {
  VellumData* data = vellum_data(cl, obj);
  IPTR* storage = msg->opg_Storage;
  switch (msg->opg_AttrID) {
    case MUIA_Vellum_File: *storage = reinterpret_cast<IPTR>(data->FileName); break;
    case MUIA_Vellum_Width: *storage = data->Picture.Width; break;
    case MUIA_Vellum_Height: *storage = data->Picture.Height; break;
    case MUIA_Version: *storage = CLASS_VERSION; break;
    case MUIA_Revision: *storage = CLASS_REVISION; break;
  }
  return DoSuperMethodA(cl, obj, reinterpret_cast<Msg>(msg));
}

}  // namespace

IPTR vellum_dispatcher(struct IClass* cl, Object* obj, Msg msg) {
  // Nothing C++ throws (a string or buffer without memory) reaches muimaster.
  return vellum::without_exceptions(IPTR(0), [&]() -> IPTR {
    switch (msg->MethodID) {
      case OM_NEW: return vellum_new(cl, obj, reinterpret_cast<struct opSet*>(msg));
      case OM_DISPOSE: return vellum_dispose(cl, obj, msg);
      case OM_SET: return vellum_set(cl, obj, reinterpret_cast<struct opSet*>(msg));
      case OM_GET: return vellum_get(cl, obj, reinterpret_cast<struct opGet*>(msg));
      case MUIM_AskMinMax: return vellum_ask_min_max(cl, obj, reinterpret_cast<struct MUIP_AskMinMax*>(msg));
      case MUIM_Draw: return vellum_draw(cl, obj, reinterpret_cast<struct MUIP_Draw*>(msg));
      case MUIM_Setup: return DoSuperMethodA(cl, obj, msg) ? 1 : 0;
      case MUIM_Cleanup: return DoSuperMethodA(cl, obj, msg);
      default: return DoSuperMethodA(cl, obj, msg);
    }
  });
}

const struct EmulLibEntry DispatcherGate = {TRAP_LIB, 0,
                                            reinterpret_cast<void (*)(void)>(vellum_dispatcher)};

}  // namespace vellum_mcc
