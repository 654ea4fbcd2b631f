// Renders an SVG drawing to a square PNG of the given size, for the icon
// theme's fixed-size folders.
//   lqa_render_icon <drawing.svg> <image.png> <size>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char *argv[]) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: lqa_render_icon DRAWING.svg IMAGE.png SIZE\n");
        return 2;
    }
    QSvgRenderer drawing(QString::fromLocal8Bit(argv[1]));
    const int size = QByteArray(argv[3]).toInt();
    if (!drawing.isValid() || size <= 0) {
        std::fprintf(stderr, "lqa_render_icon: cannot render %s at %s pixels\n", argv[1], argv[3]);
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawing.render(&painter, QRectF(0, 0, size, size));
    painter.end();
    if (!image.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "lqa_render_icon: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
