#include "mui_test_support.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <cstdio>
#include <cstdlib>

#include <host/muimaster.h>

namespace mui_test {

void use_headless_platform() { setenv("QT_QPA_PLATFORM", "offscreen", 0); }

void pump_events(int ms) {
  if (!QCoreApplication::instance()) return;
  QElapsedTimer timer;
  timer.start();
  do QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  while (timer.elapsed() < ms);
}

size_t Picture::count(uint32_t argb) const {
  size_t n = 0;
  for (uint32_t pixel : pixels) n += pixel == argb;
  return n;
}

Picture grab_window(Object* window) {
  std::string path = "/tmp/mui-test-" + std::to_string(getpid()) + ".png";
  if (!HostSaveWindowImage(window, path.c_str())) return {};
  Picture picture = load_png(path);
  std::remove(path.c_str());
  return picture;
}

Picture load_png(const std::string& path) {
  Picture picture;
  QImage image(QString::fromStdString(path));
  if (image.isNull()) return picture;
  image = image.convertToFormat(QImage::Format_ARGB32);
  picture.width = image.width();
  picture.height = image.height();
  for (int y = 0; y < image.height(); y++)
    for (int x = 0; x < image.width(); x++) picture.pixels.push_back(image.pixel(x, y));
  return picture;
}

Canvas::Canvas(int w, int h, uint32_t fill) : pixels(size_t(w) * size_t(h), fill), width(w), height(h) {
  InitRastPort(&port);
  HostInitARGBBitMap(&bitmap, pixels.data(), ULONG(w), ULONG(h), ULONG(w) * 4);
  port.BitMap = &bitmap;
}

}  // namespace mui_test
