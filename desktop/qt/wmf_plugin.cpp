#include "wmf_plugin.h"

#include <QImage>
#include <QIODevice>
#include <QVariant>
#include <vellum/vellum.h>

#include <cstring>

namespace vellum_desktop {
namespace {

// The placeable header's key, or a metafile header (type 1 or 2, nine
// words, version 3.0) for files without one.
bool is_signature(const QByteArray& head) {
  if (head.startsWith("\xd7\xcd\xc6\x9a")) return true;
  return head.size() >= 6 && (head[0] == 1 || head[0] == 2) && head[1] == 0 && head[2] == 9 && head[3] == 0 &&
         head[4] == 0 && head[5] == 3;
}

}  // namespace

bool WmfHandler::startsPicture(QIODevice* device) { return device && is_signature(device->peek(6)); }

bool WmfHandler::canRead() const {
  if (!startsPicture(device())) return false;
  setFormat("wmf");
  return true;
}

// Measured from the header and the first mapping records, without drawing;
// the device is peeked, so a read afterwards still gets every byte.
QSize WmfHandler::naturalSize() const {
  if (!device()) return {};
  const QByteArray bytes = device()->isSequential() ? QByteArray() : device()->peek(device()->size());
  uint32_t width = 0, height = 0;
  if (vellum_natural_size(bytes.constData(), size_t(bytes.size()), &width, &height) != VELLUM_OK) return {};
  return QSize(int(width), int(height));
}

bool WmfHandler::read(QImage* image) {
  if (!device()) return false;
  const QByteArray bytes = device()->readAll();
  uint32_t width = 0, height = 0;
  if (vellum_natural_size(bytes.constData(), size_t(bytes.size()), &width, &height) != VELLUM_OK) return false;
  vellum_options options;
  vellum_options_init(&options);
  const bool scaled = scaled_size_.isValid() && !scaled_size_.isEmpty();
  options.max_width = scaled ? uint32_t(scaled_size_.width()) : width;
  options.max_height = scaled ? uint32_t(scaled_size_.height()) : height;
  vellum_image picture;
  if (vellum_render_memory_with(bytes.constData(), size_t(bytes.size()), &options, &picture, nullptr) != VELLUM_OK)
    return false;
  // libvellum's pixels are premultiplied host-order ARGB words, as this
  // format holds them.
  QImage result(int(picture.width), int(picture.height), QImage::Format_ARGB32_Premultiplied);
  if (!result.isNull())
    for (uint32_t y = 0; y < picture.height; ++y)
      std::memcpy(result.scanLine(int(y)), picture.pixels + size_t(y) * picture.width, picture.stride);
  vellum_image_free(&picture);
  if (result.isNull()) return false;
  *image = result;
  return true;
}

bool WmfHandler::supportsOption(ImageOption option) const { return option == Size || option == ScaledSize; }

QVariant WmfHandler::option(ImageOption option) const {
  if (option == Size) return naturalSize();
  if (option == ScaledSize) return scaled_size_;
  return {};
}

void WmfHandler::setOption(ImageOption option, const QVariant& value) {
  if (option == ScaledSize) scaled_size_ = value.toSize();
}

QImageIOPlugin::Capabilities WmfPlugin::capabilities(QIODevice* device, const QByteArray& format) const {
  if (format == "wmf") return CanRead;
  if (!format.isEmpty() || !device || !device->isOpen()) return {};
  return WmfHandler::startsPicture(device) ? CanRead : Capabilities();
}

QImageIOHandler* WmfPlugin::create(QIODevice* device, const QByteArray& format) const {
  auto* handler = new WmfHandler;
  handler->setDevice(device);
  handler->setFormat(format);
  return handler;
}

}  // namespace vellum_desktop
