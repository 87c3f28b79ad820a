// The Qt image-format plugin as Qt programs use it: QImageReader finds it in
// the build tree's plugins/imageformats folder.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QImageReader>

#include "desktop_fixture.h"

namespace vellum::test {
namespace {

constexpr QRgb RED = 0xFFFF0000, BLUE = 0xFF0000FF;

class QtPlugin : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { QCoreApplication::addLibraryPath(VELLUM_BINARY_DIR "/plugins"); }
};

// Known by its first bytes whatever its name, and measured without drawing.
TEST_F(QtPlugin, ReadsAtTheNaturalSize) {
  QImageReader reader(QString::fromStdString(write_fixture("natural.data", red_blue_picture())));
  ASSERT_TRUE(reader.canRead()) << reader.errorString().toStdString();
  EXPECT_EQ(reader.format(), "wmf");
  EXPECT_TRUE(reader.supportsOption(QImageIOHandler::ScaledSize));
  EXPECT_EQ(reader.size(), QSize(200, 100));
  const QImage image = reader.read();
  ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
  EXPECT_EQ(image.size(), QSize(200, 100));
  EXPECT_EQ(image.pixel(10, 50), RED);
  EXPECT_EQ(image.pixel(190, 50), BLUE);
}

// Drawn at the scaled size, the halves meet on one sharp pixel edge; a
// picture scaled up afterwards would blend them there.
TEST_F(QtPlugin, DrawsAtTheScaledSize) {
  QImageReader reader(QString::fromStdString(write_fixture("scaled.wmf", red_blue_picture())));
  reader.setScaledSize(QSize(400, 200));
  const QImage image = reader.read();
  ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
  EXPECT_EQ(image.size(), QSize(400, 200));
  EXPECT_EQ(image.pixel(199, 100), RED);
  EXPECT_EQ(image.pixel(200, 100), BLUE);
}

TEST_F(QtPlugin, ReadsFilesWithoutThePlaceableHeader) {
  QImageReader reader(QString::fromStdString(write_fixture("headerless.data", headerless_picture())));
  EXPECT_EQ(reader.format(), "wmf");
  EXPECT_EQ(reader.size(), QSize(300, 150));
  EXPECT_EQ(reader.read().size(), QSize(300, 150));

  // One pixel a unit would make this one 20000 pixels wide; its natural
  // size stays within 4096 a side.
  QImageReader large(QString::fromStdString(write_fixture("large.data", headerless_picture(20000, 10000))));
  EXPECT_EQ(large.size(), QSize(4096, 2048));
}

TEST_F(QtPlugin, RefusesABrokenPicture) {
  std::vector<uint8_t> truncated = red_blue_picture();
  truncated.resize(20);
  QImageReader reader(QString::fromStdString(write_fixture("truncated.wmf", truncated)), "wmf");
  EXPECT_FALSE(reader.size().isValid());
  EXPECT_TRUE(reader.read().isNull());
}

}  // namespace
}  // namespace vellum::test
