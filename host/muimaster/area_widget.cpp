// The generic widget behind custom Area objects.
#include "area_widget.h"

#include <QPainter>

#include <proto/graphics.h>
#include <proto/intuition.h>

namespace host::mui {

namespace {
// Sizes as MUI knows them: 0 to MUI_MAXMAX.
WORD clamp_size(int value) { return WORD(value < 0 ? 0 : value > MUI_MAXMAX ? MUI_MAXMAX : value); }
}  // namespace

AreaWidget::AreaWidget(Object* obj) : obj_(obj) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

void AreaWidget::refresh_min_max() {
  struct MUI_MinMax minMax = {};
  DoMethod(obj_, MUIM_AskMinMax, &minMax);
  // A class may hand back nonsense (a maximum below the minimum, sizes
  // beyond MUI's limit); the widget takes the nearest sane range.
  QSize minimum(clamp_size(minMax.MinWidth), clamp_size(minMax.MinHeight));
  QSize maximum = QSize(clamp_size(minMax.MaxWidth), clamp_size(minMax.MaxHeight)).expandedTo(minimum);
  default_size_ = QSize(clamp_size(minMax.DefWidth), clamp_size(minMax.DefHeight))
                      .expandedTo(minimum)
                      .boundedTo(maximum);
  struct MUI_AreaData* area = muiAreaData(obj_);
  area->mad_MinMax = minMax;
  setMinimumSize(minimum);
  setMaximumSize(maximum);
  updateGeometry();
}

void AreaWidget::sync_box() {
  struct MUI_AreaData* area = muiAreaData(obj_);
  area->mad_Box = {0, 0, clamp_size(width()), clamp_size(height())};
}

void AreaWidget::resizeEvent(QResizeEvent* event) {
  sync_box();
  QWidget::resizeEvent(event);
}

void AreaWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  struct MUI_RenderInfo* info = muiRenderInfo(obj_);
  if (!info) {  // not set up: no window to draw for
    painter.fillRect(rect(), palette().window());
    return;
  }
  sync_box();
  if (image_.size() != size()) image_ = QImage(size(), QImage::Format_ARGB32_Premultiplied);
  // What an object without MUIA_FillArea leaves undrawn shows the window.
  image_.fill(palette().window().color());
  struct BitMap bitmap;
  struct RastPort port;
  InitRastPort(&port);
  if (!HostInitARGBBitMap(&bitmap, image_.bits(), ULONG(image_.width()), ULONG(image_.height()),
                          ULONG(image_.bytesPerLine()))) {
    painter.fillRect(rect(), palette().window());
    return;
  }
  port.BitMap = &bitmap;
  // The window's render info carries the rast port of whatever object is
  // drawing; here that is this widget's image for the length of the draw.
  struct RastPort* previous = info->mri_RastPort;
  info->mri_RastPort = &port;
  DoMethod(obj_, MUIM_Draw, ULONG(MADF_DRAWOBJECT));
  info->mri_RastPort = previous;
  painter.drawImage(0, 0, image_);
}

}  // namespace host::mui
