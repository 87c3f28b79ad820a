#include "picture_window.h"

#include <QKeyEvent>
#include <QWheelEvent>

#include <vellum/vellum.h>

#include "zoom.h"

namespace vellum_view {
namespace {

constexpr uint32_t PAPER = 0xFFFFFFFF;  // white under the picture
constexpr double WHEEL_NOTCH = 120;       // angle delta of one wheel step

}  // namespace

PictureWindow::PictureWindow(std::vector<uint8_t> bytes, bool exact_mode)
    : bytes_(std::move(bytes)), exact_mode_(exact_mode), label_(new QLabel) {
  label_->setAlignment(Qt::AlignCenter);
  setWidget(label_);
  setWidgetResizable(true);
  setAlignment(Qt::AlignCenter);
  setFocusPolicy(Qt::StrongFocus);
}

void PictureWindow::set_zoom(double zoom) {
  zoom_ = std::clamp(zoom, MIN_ZOOM, MAX_ZOOM);
  render();
}

// Fits the picture inside the visible area times the zoom, aspect kept.
void PictureWindow::render() {
  const QSize area = maximumViewportSize();
  vellum_options options;
  vellum_options_init(&options);
  options.mode = exact_mode_ ? VELLUM_MODE_EXACT : VELLUM_MODE_GDI;
  options.max_width = uint32_t(std::max(1.0, area.width() * zoom_));
  options.max_height = uint32_t(std::max(1.0, area.height() * zoom_));
  options.background = PAPER;
  vellum_image image;
  if (vellum_render_memory_with(bytes_.data(), bytes_.size(), &options, &image, nullptr) != VELLUM_OK) {
    picture_ = QImage();
    label_->setText("This picture cannot be drawn at this size.");
    return;
  }
  picture_ = QImage(reinterpret_cast<const uchar*>(image.pixels), int(image.width), int(image.height),
                    int(image.stride), QImage::Format_ARGB32_Premultiplied)
                 .copy();
  vellum_image_free(&image);
  label_->setPixmap(QPixmap::fromImage(picture_));
}

void PictureWindow::keyPressEvent(QKeyEvent* event) {
  if (event->modifiers() & Qt::ControlModifier) {
    switch (event->key()) {
      case Qt::Key_Plus:
      case Qt::Key_Equal: set_zoom(zoom_by(zoom_, 1)); return;
      case Qt::Key_Minus: set_zoom(zoom_by(zoom_, -1)); return;
      case Qt::Key_0: set_zoom(1); return;
    }
  }
  QScrollArea::keyPressEvent(event);
}

void PictureWindow::wheelEvent(QWheelEvent* event) {
  if (event->modifiers() & Qt::ControlModifier) {
    set_zoom(zoom_by(zoom_, event->angleDelta().y() / WHEEL_NOTCH));
    event->accept();
    return;
  }
  QScrollArea::wheelEvent(event);
}

void PictureWindow::resizeEvent(QResizeEvent* event) {
  QScrollArea::resizeEvent(event);
  render();
}

}  // namespace vellum_view
