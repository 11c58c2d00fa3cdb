// Draws the installed icons from the program's own radio picture: square PNG files of the sizes
// given and a scalable SVG, into the folder given.
//
// Usage: hxv5-render-icons FOLDER SIZE...   (writes FOLDER/<SIZE>.png and FOLDER/scalable.svg)

#include "app/app_pictures.h"

#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include <cstdio>

namespace {

// The radio stands in the middle of a square as tall as the picture.
void paintIcon(QPainter &painter, int size)
{
    painter.translate(size / 4.0, 0);
    hxv5::paintRadio(painter, size);
}

} // namespace

int main(int argc, char *argv[])
{
    // Images and SVG files are painted without a window system: no application object needed.
    if (argc < 3) {
        std::fputs("usage: hxv5-render-icons FOLDER SIZE...\n", stderr);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        const int size = QByteArray(argv[i]).toInt();
        if (size <= 0)
            return 2;
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            paintIcon(painter, size);
        }
        if (!image.save(folder + QStringLiteral("/%1.png").arg(size)))
            return 1;
    }
    constexpr int kSvgSize = 256;
    QSvgGenerator svg;
    svg.setFileName(folder + QStringLiteral("/scalable.svg"));
    svg.setSize(QSize(kSvgSize, kSvgSize));
    svg.setViewBox(QRect(0, 0, kSvgSize, kSvgSize));
    svg.setTitle(QStringLiteral("HX-V5 Clone"));
    QPainter painter;
    if (!painter.begin(&svg))
        return 1;
    paintIcon(painter, kSvgSize);
    return painter.end() ? 0 : 1;
}
