// The Qt image-format plugin: every Qt program that reads images through
// QImageReader opens WMF pictures (format "wmf") with libvellum's GDI
// player, drawn at the scaled size the reader asks for.
#pragma once

#include <QImageIOHandler>
#include <QImageIOPlugin>
#include <QSize>

namespace vellum_desktop {

class WmfHandler : public QImageIOHandler {
 public:
  bool canRead() const override;
  bool read(QImage* image) override;
  bool supportsOption(ImageOption option) const override;
  QVariant option(ImageOption option) const override;
  void setOption(ImageOption option, const QVariant& value) override;

  // Whether the device's next bytes start a WMF picture; it is not read from.
  static bool startsPicture(QIODevice* device);

 private:
  QSize naturalSize() const;

  QSize scaled_size_;
};

class WmfPlugin : public QImageIOPlugin {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID QImageIOHandlerFactoryInterface_iid FILE "wmf.json")

 public:
  Capabilities capabilities(QIODevice* device, const QByteArray& format) const override;
  QImageIOHandler* create(QIODevice* device, const QByteArray& format) const override;
};

}  // namespace vellum_desktop
