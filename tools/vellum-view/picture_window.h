// The native road: one picture in a window of its own, rendered by
// libvellum at the size the window gives it times the zoom. Ctrl +, Ctrl -
// and Ctrl 0 (or Ctrl with the mouse wheel) zoom in, out and back to the
// fitted size; beyond the window, scroll bars appear.
#pragma once

#include <QImage>
#include <QLabel>
#include <QScrollArea>
#include <cstdint>
#include <vector>

namespace vellum_view {

class PictureWindow : public QScrollArea {
 public:
  // `bytes` is the whole metafile; `exact_mode` picks the module's own player.
  PictureWindow(std::vector<uint8_t> bytes, bool exact_mode);

  double zoom() const { return zoom_; }
  void set_zoom(double zoom);
  // The picture as last rendered.
  const QImage& picture() const { return picture_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void render();

  std::vector<uint8_t> bytes_;
  bool exact_mode_;
  double zoom_ = 1;
  QImage picture_;
  QLabel* label_;
};

}  // namespace vellum_view
