// Window.mui: a top-level Qt window around one root object. Opening it
// sets the object tree up for drawing and sizes it; the close button only
// raises MUIA_Window_CloseRequest, the application decides what follows.
#include <QCloseEvent>
#include <QVBoxLayout>

#include <proto/utility.h>

#include "mui_internal.h"

namespace host::mui {

namespace {

constexpr int WINDOW_MARGIN = 4;

class WindowWidget : public QWidget {
 public:
  explicit WindowWidget(Object* obj) : obj_(obj) { new QVBoxLayout(this); }

 protected:
  void closeEvent(QCloseEvent* event) override {
    event->ignore();
    SetAttrs(obj_, MUIA_Window_CloseRequest, TRUE, TAG_DONE);
  }

 private:
  Object* obj_;
};

struct WindowData {
  WindowWidget* widget;
  Object* root;
  STRPTR title;  // the caller's text, as MUI keeps it
  IPTR id;
  BOOL open;
  struct MUI_RenderInfo render_info;
};

WindowData* window_data(struct IClass* cl, Object* obj) {
  return static_cast<WindowData*>(INST_DATA(cl, obj));
}

void open_window(WindowData* data) {
  if (data->open) return;
  if (!DoMethod(data->root, MUIM_Setup, &data->render_info)) return;
  apply_min_max(data->root);
  data->widget->adjustSize();
  data->widget->show();
  data->open = TRUE;
}

void close_window(WindowData* data) {
  if (!data->open) return;
  data->widget->hide();
  DoMethod(data->root, MUIM_Cleanup);
  data->open = FALSE;
}

void set_title(WindowData* data, STRPTR title) {
  data->title = title;
  data->widget->setWindowTitle(QString::fromLatin1(title ? title : ""));
}

IPTR window_new(struct IClass* cl, Object* obj, struct opSet* msg) {
  struct TagItem* tags = msg->ops_AttrList;
  auto* root = reinterpret_cast<Object*>(GetTagData(MUIA_Window_RootObject, 0, tags));
  if (!root) return 0;
  obj = reinterpret_cast<Object*>(DoSuperMethodA(cl, obj, reinterpret_cast<Msg>(msg)));
  if (!obj) {
    MUI_DisposeObject(root);
    return 0;
  }
  ensure_qt_application();
  WindowData* data = window_data(cl, obj);
  data->root = root;
  data->id = GetTagData(MUIA_Window_ID, 0, tags);
  data->render_info.mri_WindowObject = obj;
  data->widget = new WindowWidget(obj);
  data->widget->layout()->setContentsMargins(WINDOW_MARGIN, WINDOW_MARGIN, WINDOW_MARGIN, WINDOW_MARGIN);
  data->widget->layout()->addWidget(widget_of(root));
  set_title(data, reinterpret_cast<STRPTR>(GetTagData(MUIA_Window_Title, 0, tags)));
  set_parent(root, obj);
  return reinterpret_cast<IPTR>(obj);
}

IPTR window_dispose(struct IClass* cl, Object* obj, Msg msg) {
  WindowData* data = window_data(cl, obj);
  close_window(data);
  MUI_DisposeObject(data->root);
  delete data->widget;
  return DoSuperMethodA(cl, obj, msg);
}

IPTR window_set(struct IClass* cl, Object* obj, struct opSet* msg) {
  WindowData* data = window_data(cl, obj);
  struct TagItem* state = msg->ops_AttrList;
  while (struct TagItem* tag = NextTagItem(&state)) {
    switch (tag->ti_Tag) {
      case MUIA_Window_Open:
        if (tag->ti_Data)
          open_window(data);
        else
          close_window(data);
        break;
      case MUIA_Window_Title: set_title(data, reinterpret_cast<STRPTR>(tag->ti_Data)); break;
    }
  }
  return DoSuperMethodA(cl, obj, reinterpret_cast<Msg>(msg));
}

IPTR window_get(struct IClass* cl, Object* obj, struct opGet* msg) {
  WindowData* data = window_data(cl, obj);
  IPTR* storage = msg->opg_Storage;
  switch (msg->opg_AttrID) {
    case MUIA_Window_Open: *storage = data->open; return TRUE;
    case MUIA_Window_Title: *storage = reinterpret_cast<IPTR>(data->title); return TRUE;
    case MUIA_Window_RootObject: *storage = reinterpret_cast<IPTR>(data->root); return TRUE;
    case MUIA_Window_ID: *storage = data->id; return TRUE;
    default: return DoSuperMethodA(cl, obj, reinterpret_cast<Msg>(msg));
  }
}

IPTR window_dispatcher(struct IClass* cl, Object* obj, Msg msg) {
  switch (msg->MethodID) {
    case OM_NEW: return window_new(cl, obj, reinterpret_cast<struct opSet*>(msg));
    case OM_DISPOSE: return window_dispose(cl, obj, msg);
    case OM_SET: return window_set(cl, obj, reinterpret_cast<struct opSet*>(msg));
    case OM_GET: return window_get(cl, obj, reinterpret_cast<struct opGet*>(msg));
    case MUIM_FindUData: {
      if (IPTR found = DoSuperMethodA(cl, obj, msg)) return found;
      return DoMethodA(window_data(cl, obj)->root, msg);
    }
    default: return DoSuperMethodA(cl, obj, msg);
  }
}

}  // namespace

struct IClass* make_window_class(struct IClass* super) {
  struct IClass* cl = MakeClass(nullptr, nullptr, super, sizeof(WindowData), 0);
  if (cl) SetClassDispatcher(cl, window_dispatcher);
  return cl;
}

QWidget* window_widget(Object* window) {
  if (!window || !is_a(window, window_class())) return nullptr;
  return window_data(window_class(), window)->widget;
}

}  // namespace host::mui

extern "C" BOOL HostSaveWindowImage(Object* window, CONST_STRPTR path) {
  QWidget* widget = host::mui::window_widget(window);
  if (!widget || !path) return FALSE;
  widget->ensurePolished();
  return widget->grab().toImage().save(QString::fromLocal8Bit(path), "PNG") ? TRUE : FALSE;
}
