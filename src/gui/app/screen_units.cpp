#include "app/screen_units.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace hxv5 {

namespace {

constexpr double kTwipsPerInch = 1440.0;

double dotsPerInch(const QWidget *widget)
{
    const QScreen *screen = widget ? widget->screen() : QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    return dpi > 0.0 ? dpi : 96.0;
}

} // namespace

int twipsToPixels(int twips, const QWidget *widget)
{
    return static_cast<int>(std::lround(twips * dotsPerInch(widget) / kTwipsPerInch));
}

int pixelsToTwips(int pixels, const QWidget *widget)
{
    return static_cast<int>(std::lround(pixels * kTwipsPerInch / dotsPerInch(widget)));
}

QSize twipsToPixels(QSize twips, const QWidget *widget)
{
    return {twipsToPixels(twips.width(), widget), twipsToPixels(twips.height(), widget)};
}

} // namespace hxv5
