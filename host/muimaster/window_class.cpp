// Window.mui: a top-level Qt window around one root object. Opening it
// sets the object tree up for drawing and sizes it; the close button only
// raises MUIA_Window_CloseRequest, the application decides what follows.
// A menu strip becomes the window's menu bar; a window with an id comes
// back where it was last closed, for as long as the program runs. The
// paging keys move the window's default object unless the focused widget
// takes them itself (a text field keeps Home and End for its cursor).
#include <QBuffer>
#include <QCloseEvent>
#include <QShortcut>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>

#include <proto/exec.h>
#include <proto/utility.h>

#include "mui_internal.h"

namespace host::mui {

namespace {

constexpr int WINDOW_MARGIN = 4;
constexpr Qt::Key PAGING_KEYS[] = {Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End};

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
  Object* menustrip;  // NULL when the window has no menus
  STRPTR title;  // the caller's text, as MUI keeps it
  Object* default_object;  // gets the paging keys; NULL for none
  IPTR id;
  BOOL open;
  struct MUI_RenderInfo render_info;
};

WindowData* window_data(struct IClass* cl, Object* obj) {
  return static_cast<WindowData*>(INST_DATA(cl, obj));
}

// Where each window id was last closed.
std::map<IPTR, QRect>& remembered_places() {
  static std::map<IPTR, QRect> places;
  return places;
}

void open_window(WindowData* data) {
  if (data->open) return;
  if (!DoMethod(data->root, MUIM_Setup, &data->render_info)) return;
  apply_min_max(data->root);
  data->widget->adjustSize();
  auto place = remembered_places().find(data->id);
  if (data->id && place != remembered_places().end()) data->widget->setGeometry(place->second);
  data->widget->show();
  data->open = TRUE;
}

void close_window(WindowData* data) {
  if (!data->open) return;
  if (data->id) remembered_places()[data->id] = data->widget->geometry();
  data->widget->hide();
  DoMethod(data->root, MUIM_Cleanup);
  data->open = FALSE;
}

// Pages a Numeric default object (a page slider) as a reader expects:
// Page Down the next value, Page Up the one before, Home and End the ends.
// Other default objects do not page.
void page_default_object(WindowData* data, Qt::Key key) {
  Object* target = data->default_object;
  IPTR value = 0, min = 0, max = 0;
  if (!target || !GetAttr(MUIA_Numeric_Value, target, &value) || !GetAttr(MUIA_Numeric_Min, target, &min) ||
      !GetAttr(MUIA_Numeric_Max, target, &max))
    return;
  LONG next = LONG(value);
  switch (key) {
    case Qt::Key_PageDown: next = LONG(value) + 1; break;
    case Qt::Key_PageUp: next = LONG(value) - 1; break;
    case Qt::Key_Home: next = LONG(min); break;
    default: next = LONG(max); break;
  }
  SetAttrs(target, MUIA_Numeric_Value, std::clamp(next, LONG(min), LONG(max)), TAG_DONE);
}

void add_paging_keys(WindowData* data) {
  for (Qt::Key key : PAGING_KEYS) {
    auto* shortcut = new QShortcut(QKeySequence(key), data->widget);
    QObject::connect(shortcut, &QShortcut::activated, data->widget, [data, key] { page_default_object(data, key); });
  }
}

void set_title(WindowData* data, STRPTR title) {
  data->title = title;
  data->widget->setWindowTitle(QString::fromLatin1(title ? title : ""));
}

IPTR window_new(struct IClass* cl, Object* obj, struct opSet* msg) {
  struct TagItem* tags = msg->ops_AttrList;
  auto* root = reinterpret_cast<Object*>(GetTagData(MUIA_Window_RootObject, 0, tags));
  auto* menustrip = reinterpret_cast<Object*>(GetTagData(MUIA_Window_Menustrip, 0, tags));
  // A window that cannot be made still disposes what it was given.
  obj = root ? reinterpret_cast<Object*>(DoSuperMethodA(cl, obj, reinterpret_cast<Msg>(msg))) : nullptr;
  if (!obj) {
    MUI_DisposeObject(root);
    MUI_DisposeObject(menustrip);
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
  data->default_object = reinterpret_cast<Object*>(GetTagData(MUIA_Window_DefaultObject, 0, tags));
  add_paging_keys(data);
  set_parent(root, obj);
  data->menustrip = menustrip;
  if (data->menustrip) {
    set_parent(data->menustrip, obj);
    data->widget->layout()->setMenuBar(make_menu_bar(data->menustrip));
  }
  if (!GetTagData(MUIA_Window_CloseGadget, TRUE, tags))
    data->widget->setWindowFlag(Qt::WindowCloseButtonHint, false);
  return reinterpret_cast<IPTR>(obj);
}

IPTR window_dispose(struct IClass* cl, Object* obj, Msg msg) {
  WindowData* data = window_data(cl, obj);
  close_window(data);
  MUI_DisposeObject(data->root);
  delete data->widget;  // and the menu bar, before the strip it shows
  MUI_DisposeObject(data->menustrip);
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
      case MUIA_Window_DefaultObject: data->default_object = reinterpret_cast<Object*>(tag->ti_Data); break;
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
    case MUIA_Window_Menustrip: *storage = reinterpret_cast<IPTR>(data->menustrip); return TRUE;
    case MUIA_Window_DefaultObject: *storage = reinterpret_cast<IPTR>(data->default_object); return TRUE;
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
      WindowData* data = window_data(cl, obj);
      if (data->menustrip)
        if (IPTR found = DoMethodA(data->menustrip, msg)) return found;
      return DoMethodA(data->root, msg);
    }
    default: return DoSuperMethodA(cl, obj, msg);
  }
}

}  // namespace

const ClassDescriptor WINDOW_CLASS = {MUIC_Window, &NOTIFY_CLASS, sizeof(WindowData), window_dispatcher};

QWidget* window_widget(Object* window) {
  if (!window || !is_a(window, class_of(WINDOW_CLASS))) return nullptr;
  return window_data(class_of(WINDOW_CLASS), window)->widget;
}

}  // namespace host::mui

namespace {

// The window's contents drawn offscreen, encoded as PNG; empty when obj is no window.
QByteArray window_png(Object* window) {
  QWidget* widget = host::mui::window_widget(window);
  QByteArray png;
  if (!widget) return png;
  widget->ensurePolished();
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  if (!widget->grab().toImage().save(&buffer, "PNG")) png.clear();
  return png;
}

}  // namespace

// The path's bytes name the file as they are, whatever the locale.
extern "C" BOOL HostSaveWindowImage(Object* window, CONST_STRPTR path) {
  const QByteArray png = window_png(window);
  if (png.isEmpty() || !path) return FALSE;
  std::FILE* file = std::fopen(path, "wb");
  if (!file) return FALSE;
  const bool written = std::fwrite(png.constData(), 1, size_t(png.size()), file) == size_t(png.size());
  return std::fclose(file) == 0 && written ? TRUE : FALSE;
}

extern "C" APTR HostWindowPNG(Object* window, ULONG* size) {
  const QByteArray png = window_png(window);
  if (png.isEmpty() || !size) return nullptr;
  APTR bytes = AllocVec(ULONG(png.size()), MEMF_ANY);
  if (!bytes) return nullptr;
  std::memcpy(bytes, png.constData(), size_t(png.size()));
  *size = ULONG(png.size());
  return bytes;
}
