#include "app/app_pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace hxv5 {

QPixmap radioPicture(int height)
{
    QPixmap pixmap(height / 2, height);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    paintRadio(p, height);
    return pixmap;
}

void paintRadio(QPainter &p, int height)
{
    // A hand-held radio: antenna, body, display and keypad, in proportion to the height.
    const int width = height / 2;
    p.setRenderHint(QPainter::Antialiasing);
    const double u = height / 20.0;

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 40));
    p.drawRoundedRect(QRectF(width * 0.62, 0, u * 1.1, u * 7), u * 0.4, u * 0.4);

    const QRectF body(u * 0.6, u * 5.5, width - u * 1.2, height - u * 6);
    QLinearGradient shade(body.topLeft(), body.topRight());
    shade.setColorAt(0, QColor(70, 75, 85));
    shade.setColorAt(1, QColor(25, 28, 34));
    p.setBrush(shade);
    p.drawRoundedRect(body, u, u);

    const QRectF display(body.left() + u * 0.8, body.top() + u * 1.2, body.width() - u * 1.6,
                         u * 3.2);
    p.setBrush(QColor(150, 200, 120));
    p.drawRoundedRect(display, u * 0.3, u * 0.3);
    p.setPen(QPen(QColor(30, 60, 30), u * 0.35));
    p.drawLine(QPointF(display.left() + u * 0.6, display.center().y()),
               QPointF(display.right() - u * 0.6, display.center().y()));

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 200, 205));
    const double keyW = (body.width() - u * 2.4) / 3.0;
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 3; ++col) {
            const QRectF key(body.left() + u * 0.8 + col * (keyW + u * 0.4),
                             display.bottom() + u * 1.2 + row * u * 2.0, keyW, u * 1.4);
            p.drawRoundedRect(key, u * 0.3, u * 0.3);
        }
    }
}

QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64})
        icon.addPixmap(radioPicture(size));
    return icon;
}

QIcon printerIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        const double u = size / 16.0;
        p.setPen(QPen(QColor(60, 60, 60), u));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4 * u, 1.5 * u, 8 * u, 5 * u)); // paper going in
        p.setBrush(QColor(150, 155, 165));
        p.drawRoundedRect(QRectF(1.5 * u, 6 * u, 13 * u, 6 * u), u, u);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4 * u, 10 * u, 8 * u, 4.5 * u)); // page coming out
        p.setPen(QPen(QColor(90, 90, 90), u * 0.8));
        p.drawLine(QPointF(5.5 * u, 12 * u), QPointF(10.5 * u, 12 * u));
        icon.addPixmap(pixmap);
    }
    return icon;
}

QIcon helpIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 100, 190));
        p.drawEllipse(QRectF(0.5, 0.5, size - 1.0, size - 1.0));
        QFont font = p.font();
        font.setBold(true);
        font.setPixelSize(size * 3 / 4);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRect(0, 0, size, size), Qt::AlignCenter, QStringLiteral("?"));
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace hxv5
