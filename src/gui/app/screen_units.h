#pragma once

#include <QSize>

class QWidget;

namespace hxv5 {

// Twips are 1/1440 inch. The window's sizes and the stored placement are given in twips; these
// convert them with the logical resolution of the screen the widget is on (15 twips per pixel at
// 96 dots per inch).
int twipsToPixels(int twips, const QWidget *widget);
int pixelsToTwips(int pixels, const QWidget *widget);
QSize twipsToPixels(QSize twips, const QWidget *widget);

} // namespace hxv5
