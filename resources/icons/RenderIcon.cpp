// Build tool: renders the program's scalable icon as a square PNG of one size, for the icon
// theme's fixed-size folders.
//
//   quillaran_render_icon ICON.svg SIZE OUT.png

#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s ICON.svg SIZE OUT.png\n", argv[0]);
    return 2;
  }
  QSvgRenderer icon(QString::fromLocal8Bit(argv[1]));
  bool isNumber = false;
  const int size = QByteArray(argv[2]).toInt(&isNumber);
  if (!icon.isValid() || !isNumber || size < 1 || size > 1024) {
    std::fprintf(stderr, "%s: cannot render %s at %s pixels\n", argv[0], argv[1], argv[2]);
    return 1;
  }
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  icon.render(&painter);
  painter.end();
  if (!image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
    std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[3]);
    return 1;
  }
  return 0;
}
