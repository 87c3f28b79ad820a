// Numeric.mui and Slider.mui. Numeric keeps a value within [min, max]
// (0 to 100 unless set); Slider shows it on a QSlider. A value outside the
// range is clamped, and the notification carries the clamped value; a new
// range that moves the value notifies the value too.
#include <QSignalBlocker>
#include <QSlider>

#include <proto/utility.h>

#include "mui_internal.h"

namespace host::mui {

namespace {

constexpr LONG DEFAULT_MIN = 0, DEFAULT_MAX = 100;

struct NumericData {
  LONG min, max, value;
};

NumericData* numeric_data(struct IClass* cl, Object* obj) { return static_cast<NumericData*>(INST_DATA(cl, obj)); }

LONG clamp(const NumericData* data, LONG value) {
  // A maximum below the minimum is read as a range of the minimum alone.
  LONG max = std::max(data->min, data->max);
  return std::min(std::max(value, data->min), max);
}

// Shows the numeric state on the object's slider, if it has one.
void show_value(Object* obj, const NumericData* data) {
  auto* slider = qobject_cast<QAbstractSlider*>(widget_of(obj));
  if (!slider) return;
  QSignalBlocker quiet(slider);
  slider->setRange(int(data->min), int(std::max(data->min, data->max)));
  slider->setValue(int(data->value));
}

IPTR numeric_new(struct IClass* cl, Object* obj, struct opSet* msg) {
  obj = reinterpret_cast<Object*>(DoSuperMethodA(cl, obj, reinterpret_cast<Msg>(msg)));
  if (!obj) return 0;
  NumericData* data = numeric_data(cl, obj);
  struct TagItem* tags = msg->ops_AttrList;
  data->min = LONG(GetTagData(MUIA_Numeric_Min, DEFAULT_MIN, tags));
  data->max = LONG(GetTagData(MUIA_Numeric_Max, DEFAULT_MAX, tags));
  data->value = clamp(data, LONG(GetTagData(MUIA_Numeric_Value, data->min, tags)));
  return reinterpret_cast<IPTR>(obj);
}

IPTR numeric_set(struct IClass* cl, Object* obj, struct opSet* msg) {
  NumericData* data = numeric_data(cl, obj);
  LONG before = data->value;
  struct TagItem* value_tag = nullptr;
  struct TagItem* state = msg->ops_AttrList;
  while (struct TagItem* tag = NextTagItem(&state)) {
    switch (tag->ti_Tag) {
      case MUIA_Numeric_Min: data->min = LONG(tag->ti_Data); break;
      case MUIA_Numeric_Max: data->max = LONG(tag->ti_Data); break;
      case MUIA_Numeric_Value: value_tag = tag; break;
    }
  }
  data->value = clamp(data, value_tag ? LONG(value_tag->ti_Data) : data->value);
  show_value(obj, data);
  if (value_tag) return set_super_with_value(cl, obj, msg, MUIA_Numeric_Value, IPTR(data->value));
  IPTR result = DoSuperMethodA(cl, obj, reinterpret_cast<Msg>(msg));
  if (data->value != before) SetAttrs(obj, MUIA_Numeric_Value, data->value, TAG_DONE);
  return result;
}

IPTR numeric_get(struct IClass* cl, Object* obj, struct opGet* msg) {
  NumericData* data = numeric_data(cl, obj);
  switch (msg->opg_AttrID) {
    case MUIA_Numeric_Min: *msg->opg_Storage = IPTR(data->min); return TRUE;
    case MUIA_Numeric_Max: *msg->opg_Storage = IPTR(data->max); return TRUE;
    case MUIA_Numeric_Value: *msg->opg_Storage = IPTR(data->value); return TRUE;
    default: return DoSuperMethodA(cl, obj, reinterpret_cast<Msg>(msg));
  }
}

IPTR numeric_dispatcher(struct IClass* cl, Object* obj, Msg msg) {
  switch (msg->MethodID) {
    case OM_NEW: return numeric_new(cl, obj, reinterpret_cast<struct opSet*>(msg));
    case OM_SET: return numeric_set(cl, obj, reinterpret_cast<struct opSet*>(msg));
    case OM_GET: return numeric_get(cl, obj, reinterpret_cast<struct opGet*>(msg));
    default: return DoSuperMethodA(cl, obj, msg);
  }
}

IPTR slider_new(struct IClass* cl, Object* obj, struct opSet* msg) {
  obj = reinterpret_cast<Object*>(DoSuperMethodA(cl, obj, reinterpret_cast<Msg>(msg)));
  if (!obj) return 0;
  bool horizontal = GetTagData(MUIA_Slider_Horiz, FALSE, msg->ops_AttrList) != FALSE;
  auto* slider = new QSlider(horizontal ? Qt::Horizontal : Qt::Vertical);
  slider->setPageStep(1);
  QObject::connect(slider, &QSlider::valueChanged, slider,
                   [obj](int value) { SetAttrs(obj, MUIA_Numeric_Value, LONG(value), TAG_DONE); });
  replace_widget(obj, slider);
  show_value(obj, numeric_data(class_of(NUMERIC_CLASS), obj));
  return reinterpret_cast<IPTR>(obj);
}

IPTR slider_dispatcher(struct IClass* cl, Object* obj, Msg msg) {
  if (msg->MethodID == OM_NEW) return slider_new(cl, obj, reinterpret_cast<struct opSet*>(msg));
  return DoSuperMethodA(cl, obj, msg);
}

}  // namespace

const ClassDescriptor NUMERIC_CLASS = {MUIC_Numeric, &AREA_CLASS, sizeof(NumericData), numeric_dispatcher};
const ClassDescriptor SLIDER_CLASS = {MUIC_Slider, &NUMERIC_CLASS, 0, slider_dispatcher};

}  // namespace host::mui
