// The native road: a QApplication of the program's own and one picture window.
#include <QApplication>
#include <QBuffer>

#include "picture_window.h"
#include "roads.h"
#include "screenshot.h"

namespace vellum_view {

int show_native(const ViewOptions& options, std::vector<uint8_t> bytes) {
  int argc = 1;
  char name[] = "vellum-view";
  char* argv[] = {name, nullptr};
  QApplication app(argc, argv);
  PictureWindow window(std::move(bytes), options.exact_mode);
  const std::string file = options.file;
  window.setWindowTitle(QString::fromLocal8Bit(file.substr(file.rfind('/') + 1).c_str()) + " - vellum-view");
  window.resize(options.width, options.height);
  window.show();
  if (options.screenshot.empty()) return app.exec();

  for (int round = 0; round < SETTLE_ROUNDS; round++) QApplication::processEvents();
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  window.grab().toImage().save(&buffer, "PNG");
  return write_screenshot(png.constData(), size_t(png.size()), options.screenshot);
}

}  // namespace vellum_view
