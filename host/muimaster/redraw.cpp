// MUI_Redraw: an object asks to be drawn again. Qt coalesces the request
// with any other pending paint of the widget that shows the object.
#include "mui_internal.h"

extern "C" void MUI_Redraw(Object* obj, ULONG) {
  if (!obj || !host::mui::is_a(obj, host::mui::class_of(host::mui::AREA_CLASS))) return;
  if (QWidget* widget = host::mui::widget_of(obj)) widget->update();
}
