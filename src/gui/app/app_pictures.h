#pragma once

#include <QIcon>
#include <QPixmap>

class QPainter;

namespace hxv5 {

// The program's pictures, drawn rather than shipped: the radio that stands for the program on the
// splash window, in the About box and as the window icon, and the toolbar pictures the desktop
// style does not provide.
QPixmap radioPicture(int height);
// The same radio on any paint device, height tall and half as wide from the painter's origin:
// the installed icons are drawn with it.
void paintRadio(QPainter &painter, int height);
QIcon programIcon();
QIcon printerIcon();
QIcon helpIcon();

} // namespace hxv5
