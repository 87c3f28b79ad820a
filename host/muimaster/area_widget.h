// The one Qt widget that hosts any Area object the runtime has no native
// widget for (custom classes such as vellum.mcc). Its size range comes from
// MUIM_AskMinMax; it paints by sending MUIM_Draw with a rast port over an
// ARGB32 image of its own size and showing that image.
#pragma once

#include <QImage>
#include <QWidget>

#include <libraries/mui.h>

namespace host::mui {

class AreaWidget : public QWidget {
 public:
  explicit AreaWidget(Object* obj);

  // Sends MUIM_AskMinMax and takes its answer as the widget's size range.
  void refresh_min_max();
  QSize sizeHint() const override { return default_size_; }
  QSize minimumSizeHint() const override { return minimumSize(); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void sync_box();
  Object* obj_;
  QImage image_;
  QSize default_size_;
};

}  // namespace host::mui
