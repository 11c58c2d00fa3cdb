#include "print/line_layout.h"

#include <QStringList>

#include <cmath>
#include <utility>

namespace hxv5 {

namespace {
// Guards the tab-stop arithmetic against rounding: a text that ends on a stop moves on to the
// next stop, never stays on it.
constexpr qreal kEpsilon = 1e-6;
} // namespace

LineLayout::LineLayout(Measure measure, qreal cellWidth, qreal pageWidth)
    : m_measure(std::move(measure)), m_cellWidth(cellWidth > 0 ? cellWidth : 1),
      m_pageWidth(pageWidth)
{
}

qreal LineLayout::nextTabStop(qreal x) const
{
    const qreal stop = kTabCells * m_cellWidth;
    return (std::floor(x / stop + kEpsilon) + 1) * stop;
}

qsizetype LineLayout::fittingLength(const QString &text, qreal room) const
{
    qsizetype low = 0;
    qsizetype high = text.size();
    while (low < high) {
        const qsizetype mid = (low + high + 1) / 2;
        if (m_measure(text.left(mid)) <= room + kEpsilon)
            low = mid;
        else
            high = mid - 1;
    }
    if (low > 0 && low < text.size() && text.at(low - 1).isHighSurrogate())
        --low;
    return low;
}

QList<PlacedText> LineLayout::layOut(const QString &line) const
{
    QList<PlacedText> pieces;
    int row = 0;
    qreal x = 0;
    const QStringList cells = line.split(QLatin1Char('\t'));
    for (qsizetype i = 0; i < cells.size(); ++i) {
        if (i > 0) {
            x = nextTabStop(x);
            if (x >= m_pageWidth) {
                ++row;
                x = 0;
            }
        }
        // A text too long for the rest of its row continues under its own start when at least
        // two tab stops of room are left there, else at the left edge.
        const qreal indent = m_pageWidth - x >= 2 * kTabCells * m_cellWidth ? x : 0;
        QString rest = cells.at(i);
        while (!rest.isEmpty()) {
            qsizetype n = fittingLength(rest, m_pageWidth - x);
            if (n == rest.size()) {
                pieces.append({row, x, rest});
                x += m_measure(rest);
                break;
            }
            // Break after the last blank that fits, so that words stay whole where they can.
            const qsizetype blank = n > 0 ? rest.lastIndexOf(QLatin1Char(' '), n - 1) : -1;
            if (blank > 0)
                n = blank + 1;
            // Not even one character fits a whole row: place it anyway, so the text goes on.
            if (n == 0 && x <= indent)
                n = rest.at(0).isHighSurrogate() && rest.size() > 1 ? 2 : 1;
            if (n > 0) {
                pieces.append({row, x, rest.left(n)});
                rest.remove(0, n);
            }
            ++row;
            x = indent;
        }
    }
    return pieces;
}

int LineLayout::rowCount(const QList<PlacedText> &pieces)
{
    return pieces.isEmpty() ? 1 : pieces.last().row + 1;
}

} // namespace hxv5
