// Image.mui as a button: a QToolButton showing one of MUI's built-in
// images. A press sets MUIA_Pressed TRUE and the release inside the button
// sets it FALSE, which is what applications listen for.
#include <QApplication>
#include <QStyle>
#include <QToolButton>

#include <proto/utility.h>

#include "mui_internal.h"

namespace host::mui {

namespace {

struct ImageData {
  IPTR image;
  BOOL pressed;
};

QIcon icon_for(IPTR image) {
  QStyle* style = QApplication::style();
  switch (image) {
    case MUII_PopFile: return style->standardIcon(QStyle::SP_FileDialogStart);
    case MUII_PopDrawer: return style->standardIcon(QStyle::SP_DirOpenIcon);
    default: return style->standardIcon(QStyle::SP_ArrowDown);
  }
}

IPTR image_new(struct IClass* cl, Object* obj, struct opSet* msg) {
  obj = reinterpret_cast<Object*>(DoSuperMethodA(cl, obj, reinterpret_cast<Msg>(msg)));
  if (!obj) return 0;
  auto* data = static_cast<ImageData*>(INST_DATA(cl, obj));
  data->image = GetTagData(MUIA_Image_Spec, MUII_PopUp, msg->ops_AttrList);
  auto* button = new QToolButton;
  button->setIcon(icon_for(data->image));
  button->setText(QStringLiteral("..."));
  QObject::connect(button, &QToolButton::pressed, button, [obj] { SetAttrs(obj, MUIA_Pressed, TRUE, TAG_DONE); });
  QObject::connect(button, &QToolButton::clicked, button, [obj] { SetAttrs(obj, MUIA_Pressed, FALSE, TAG_DONE); });
  replace_widget(obj, button);
  return reinterpret_cast<IPTR>(obj);
}

IPTR image_set(struct IClass* cl, Object* obj, struct opSet* msg) {
  if (struct TagItem* tag = FindTagItem(MUIA_Pressed, msg->ops_AttrList))
    static_cast<ImageData*>(INST_DATA(cl, obj))->pressed = tag->ti_Data != FALSE;
  return DoSuperMethodA(cl, obj, reinterpret_cast<Msg>(msg));
}

IPTR image_get(struct IClass* cl, Object* obj, struct opGet* msg) {
  auto* data = static_cast<ImageData*>(INST_DATA(cl, obj));
  switch (msg->opg_AttrID) {
    case MUIA_Image_Spec: *msg->opg_Storage = data->image; return TRUE;
    case MUIA_Pressed: *msg->opg_Storage = data->pressed; return TRUE;
    default: return DoSuperMethodA(cl, obj, reinterpret_cast<Msg>(msg));
  }
}

IPTR image_dispatcher(struct IClass* cl, Object* obj, Msg msg) {
  switch (msg->MethodID) {
    case OM_NEW: return image_new(cl, obj, reinterpret_cast<struct opSet*>(msg));
    case OM_SET: return image_set(cl, obj, reinterpret_cast<struct opSet*>(msg));
    case OM_GET: return image_get(cl, obj, reinterpret_cast<struct opGet*>(msg));
    default: return DoSuperMethodA(cl, obj, msg);
  }
}

}  // namespace

const ClassDescriptor IMAGE_CLASS = {MUIC_Image, &AREA_CLASS, sizeof(ImageData), image_dispatcher};

}  // namespace host::mui
