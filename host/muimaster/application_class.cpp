// Application.mui: the windows of a program and its input loop. Qt's
// events are handled inside MUIM_Application_NewInput; the signal handed
// back is raised before returning, so the caller's Wait comes back at
// once, together with any Ctrl-C that arrived meanwhile.
#include <QApplication>
#include <QTimer>
#include <deque>

#include <proto/exec.h>
#include <proto/utility.h>

#include "mui_internal.h"

namespace host::mui {

namespace {

// The longest NewInput waits for Qt's events before handing control back.
constexpr int INPUT_WAIT_MS = 50;

struct ApplicationHost {
  std::vector<Object*> windows;
  std::deque<ULONG> return_ids;
  QTimer wake_timer;
  BYTE signal_bit = -1;
};

struct ApplicationData {
  ApplicationHost* host;
  STRPTR title, version, copyright, author, description, base;
};

ApplicationData* app_data(struct IClass* cl, Object* obj) {
  return static_cast<ApplicationData*>(INST_DATA(cl, obj));
}

void dispose_windows(std::vector<Object*>& windows) {
  while (!windows.empty()) {
    Object* window = windows.back();
    windows.pop_back();
    MUI_DisposeObject(window);
  }
}

IPTR application_new(struct IClass* cl, Object* obj, struct opSet* msg) {
  struct TagItem* tags = msg->ops_AttrList;
  std::vector<Object*> windows;
  bool missing = false;
  struct TagItem* state = tags;
  while (struct TagItem* tag = NextTagItem(&state)) {
    if (tag->ti_Tag != MUIA_Application_Window) continue;
    if (tag->ti_Data)
      windows.push_back(reinterpret_cast<Object*>(tag->ti_Data));
    else
      missing = true;
  }
  // A window that could not be made fails the application, which still
  // disposes the windows it was given.
  if (!missing) obj = reinterpret_cast<Object*>(DoSuperMethodA(cl, obj, reinterpret_cast<Msg>(msg)));
  if (missing || !obj) {
    dispose_windows(windows);
    return 0;
  }
  ensure_qt_application();
  ApplicationData* data = app_data(cl, obj);
  data->host = new ApplicationHost;
  data->host->windows = windows;
  data->host->wake_timer.setSingleShot(true);
  data->host->signal_bit = AllocSignal(-1);
  for (Object* window : windows) set_parent(window, obj);
  data->title = reinterpret_cast<STRPTR>(GetTagData(MUIA_Application_Title, 0, tags));
  data->version = reinterpret_cast<STRPTR>(GetTagData(MUIA_Application_Version, 0, tags));
  data->copyright = reinterpret_cast<STRPTR>(GetTagData(MUIA_Application_Copyright, 0, tags));
  data->author = reinterpret_cast<STRPTR>(GetTagData(MUIA_Application_Author, 0, tags));
  data->description = reinterpret_cast<STRPTR>(GetTagData(MUIA_Application_Description, 0, tags));
  data->base = reinterpret_cast<STRPTR>(GetTagData(MUIA_Application_Base, 0, tags));
  if (data->title) QApplication::setApplicationName(QString::fromLatin1(data->title));
  return reinterpret_cast<IPTR>(obj);
}

IPTR application_dispose(struct IClass* cl, Object* obj, Msg msg) {
  ApplicationData* data = app_data(cl, obj);
  dispose_windows(data->host->windows);
  if (data->host->signal_bit >= 0) FreeSignal(data->host->signal_bit);
  delete data->host;
  return DoSuperMethodA(cl, obj, msg);
}

IPTR application_get(struct IClass* cl, Object* obj, struct opGet* msg) {
  ApplicationData* data = app_data(cl, obj);
  STRPTR text;
  switch (msg->opg_AttrID) {
    case MUIA_Application_Title: text = data->title; break;
    case MUIA_Application_Version: text = data->version; break;
    case MUIA_Application_Copyright: text = data->copyright; break;
    case MUIA_Application_Author: text = data->author; break;
    case MUIA_Application_Description: text = data->description; break;
    case MUIA_Application_Base: text = data->base; break;
    default: return DoSuperMethodA(cl, obj, reinterpret_cast<Msg>(msg));
  }
  *msg->opg_Storage = reinterpret_cast<IPTR>(text);
  return TRUE;
}

// Handles Qt's events, waiting a short while for one when no return id is
// pending; then the oldest return id, or 0.
IPTR application_new_input(ApplicationHost* host, struct MUIP_Application_NewInput* msg) {
  if (host->return_ids.empty()) {
    host->wake_timer.start(INPUT_WAIT_MS);
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    host->wake_timer.stop();
  }
  if (msg->signal && host->signal_bit >= 0) {
    ULONG mask = 1UL << host->signal_bit;
    *msg->signal = mask;
    Signal(FindTask(nullptr), mask);
  }
  if (host->return_ids.empty()) return 0;
  ULONG id = host->return_ids.front();
  host->return_ids.pop_front();
  return id;
}

IPTR application_dispatcher(struct IClass* cl, Object* obj, Msg msg) {
  switch (msg->MethodID) {
    case OM_NEW: return application_new(cl, obj, reinterpret_cast<struct opSet*>(msg));
    case OM_DISPOSE: return application_dispose(cl, obj, msg);
    case OM_GET: return application_get(cl, obj, reinterpret_cast<struct opGet*>(msg));
    case MUIM_Application_NewInput:
      return application_new_input(app_data(cl, obj)->host,
                                   reinterpret_cast<struct MUIP_Application_NewInput*>(msg));
    case MUIM_Application_ReturnID:
      app_data(cl, obj)->host->return_ids.push_back(
          reinterpret_cast<struct MUIP_Application_ReturnID*>(msg)->retid);
      return 0;
    case MUIM_Application_AboutMUI:
      show_about_mui(obj, reinterpret_cast<struct MUIP_Application_AboutMUI*>(msg)->refwindow);
      return 0;
    case MUIM_Application_OpenConfigWindow: show_config_window(obj); return 0;
    case MUIM_FindUData: {
      if (IPTR found = DoSuperMethodA(cl, obj, msg)) return found;
      for (Object* window : app_data(cl, obj)->host->windows)
        if (IPTR found = DoMethodA(window, msg)) return found;
      return 0;
    }
    default: return DoSuperMethodA(cl, obj, msg);
  }
}

}  // namespace

const ClassDescriptor APPLICATION_CLASS = {MUIC_Application, &NOTIFY_CLASS, sizeof(ApplicationData), application_dispatcher};

}  // namespace host::mui
