// Gauge.mui: a progress bar on a QProgressBar, from 0 to MUIA_Gauge_Max
// (100 unless set). MUIA_Gauge_InfoText is shown on the bar, with "%ld"
// standing for the current value.
#include <QProgressBar>

#include <proto/utility.h>

#include "mui_internal.h"

namespace host::mui {

namespace {

constexpr ULONG DEFAULT_MAX = 100;

struct GaugeData {
  ULONG current;
  ULONG max;
  CONST_STRPTR info_text;  // the caller's text, as MUI keeps it
};

GaugeData* gauge_data(struct IClass* cl, Object* obj) { return static_cast<GaugeData*>(INST_DATA(cl, obj)); }

void take_tags(GaugeData* data, struct TagItem* tags) {
  struct TagItem* state = tags;
  while (struct TagItem* tag = NextTagItem(&state)) {
    switch (tag->ti_Tag) {
      case MUIA_Gauge_Current: data->current = ULONG(tag->ti_Data); break;
      case MUIA_Gauge_Max: data->max = ULONG(tag->ti_Data); break;
      case MUIA_Gauge_InfoText: data->info_text = reinterpret_cast<CONST_STRPTR>(tag->ti_Data); break;
    }
  }
}

void show_gauge(Object* obj, const GaugeData* data) {
  auto* bar = static_cast<QProgressBar*>(widget_of(obj));
  // QProgressBar counts in int; MUI's gauge is never near that range.
  int max = int(std::min<ULONG>(data->max, 0x7FFFFFFF));
  bar->setRange(0, max);
  bar->setValue(int(std::min<ULONG>(data->current, ULONG(max))));
  QString text = data->info_text ? QString::fromLatin1(data->info_text) : QString();
  text.replace(QStringLiteral("%ld"), QString::number(data->current));
  bar->setFormat(text);
  bar->setTextVisible(!text.isEmpty());
}

IPTR gauge_new(struct IClass* cl, Object* obj, struct opSet* msg) {
  obj = reinterpret_cast<Object*>(DoSuperMethodA(cl, obj, reinterpret_cast<Msg>(msg)));
  if (!obj) return 0;
  GaugeData* data = gauge_data(cl, obj);
  data->max = DEFAULT_MAX;
  take_tags(data, msg->ops_AttrList);
  bool horizontal = GetTagData(MUIA_Gauge_Horiz, FALSE, msg->ops_AttrList) != FALSE;
  auto* bar = new QProgressBar;
  bar->setOrientation(horizontal ? Qt::Horizontal : Qt::Vertical);
  replace_widget(obj, bar);
  show_gauge(obj, data);
  return reinterpret_cast<IPTR>(obj);
}

IPTR gauge_get(struct IClass* cl, Object* obj, struct opGet* msg) {
  GaugeData* data = gauge_data(cl, obj);
  switch (msg->opg_AttrID) {
    case MUIA_Gauge_Current: *msg->opg_Storage = data->current; return TRUE;
    case MUIA_Gauge_Max: *msg->opg_Storage = data->max; return TRUE;
    case MUIA_Gauge_InfoText: *msg->opg_Storage = reinterpret_cast<IPTR>(data->info_text); return TRUE;
    default: return DoSuperMethodA(cl, obj, reinterpret_cast<Msg>(msg));
  }
}

IPTR gauge_dispatcher(struct IClass* cl, Object* obj, Msg msg) {
  switch (msg->MethodID) {
    case OM_NEW: return gauge_new(cl, obj, reinterpret_cast<struct opSet*>(msg));
    case OM_SET:
      take_tags(gauge_data(cl, obj), reinterpret_cast<struct opSet*>(msg)->ops_AttrList);
      show_gauge(obj, gauge_data(cl, obj));
      return DoSuperMethodA(cl, obj, msg);
    case OM_GET: return gauge_get(cl, obj, reinterpret_cast<struct opGet*>(msg));
    default: return DoSuperMethodA(cl, obj, msg);
  }
}

}  // namespace

const ClassDescriptor GAUGE_CLASS = {MUIC_Gauge, &AREA_CLASS, sizeof(GaugeData), gauge_dispatcher};

}  // namespace host::mui
