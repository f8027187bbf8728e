// The icon theme's PNGs are kept in the tree, so that the build runs
// nothing it has built; the XPMs stay the sources that are edited. Each
// PNG must show exactly its XPM, pixel for pixel, at the size its name says.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QString>

namespace {

QImage Load(const QString& path) { return QImage(path).convertToFormat(QImage::Format_ARGB32); }

class IconPng : public testing::TestWithParam<int> {};

TEST_P(IconPng, ShowsItsXpmPixelForPixel) {
  const int size = GetParam();
  const QString stem = QStringLiteral(ICON_FOLDER "/zimarela-%1").arg(size);
  const QImage source = Load(stem + QStringLiteral(".xpm"));
  const QImage png = Load(stem + QStringLiteral(".png"));
  ASSERT_FALSE(source.isNull()) << "cannot read the XPM at size " << size;
  ASSERT_FALSE(png.isNull()) << "cannot read the PNG at size " << size;
  ASSERT_EQ(source.size(), QSize(size, size));
  ASSERT_EQ(png.size(), QSize(size, size));
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      ASSERT_EQ(png.pixel(x, y), source.pixel(x, y))
          << "first difference at (" << x << ", " << y << "): the PNG has "
          << QColor::fromRgba(png.pixel(x, y)).name(QColor::HexArgb).toStdString() << ", the XPM "
          << QColor::fromRgba(source.pixel(x, y)).name(QColor::HexArgb).toStdString()
          << "; redraw the PNG from the XPM";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(EachSize, IconPng, testing::Values(32, 48));

}  // namespace
