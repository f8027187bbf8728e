// Build-time helper: turns an icon source (XPM) into the PNG the icon theme
// wants, refusing an image of the wrong size.
#include <QImage>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
  if (argc != 4) {
    std::fputs("usage: zimarela_icon_png SOURCE.xpm OUTPUT.png SIZE\n", stderr);
    return 2;
  }
  const QImage image(QString::fromLocal8Bit(argv[1]));
  const int size = std::atoi(argv[3]);
  if (image.isNull() || image.width() != size || image.height() != size) {
    std::fprintf(stderr, "zimarela_icon_png: %s is not a %d x %d image\n", argv[1], size, size);
    return 1;
  }
  if (!image.convertToFormat(QImage::Format_ARGB32).save(QString::fromLocal8Bit(argv[2]), "PNG")) {
    std::fprintf(stderr, "zimarela_icon_png: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
