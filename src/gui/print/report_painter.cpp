#include "print/report_painter.h"

#include "print/line_layout.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

namespace hxv5 {

bool ReportPainter::print(QPrinter &printer, const QStringList &lines) const
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    painter.setFont(m_font);
    // Metrics at the printer's resolution, so that the tab stops fall where the text is drawn.
    const QFontMetricsF metrics(painter.font(), &printer);
    const qreal pageWidth = printer.width();
    const qreal pageHeight = printer.height();
    const qreal lineHeight = metrics.lineSpacing();
    const LineLayout layout(
        [&metrics](const QString &text) { return metrics.horizontalAdvance(text); },
        metrics.horizontalAdvance(QLatin1Char('M')), pageWidth);

    qreal y = 0;
    for (const QString &line : lines) {
        const QList<PlacedText> pieces = layout.layOut(line);
        const int rows = LineLayout::rowCount(pieces);
        for (int row = 0; row < rows; ++row) {
            if (y > 0 && y + lineHeight > pageHeight) {
                printer.newPage();
                y = 0;
            }
            for (const PlacedText &piece : pieces) {
                if (piece.row == row)
                    painter.drawText(QPointF(piece.x, y + metrics.ascent()), piece.text);
            }
            y += lineHeight;
        }
    }
    painter.end();
    return true;
}

} // namespace hxv5
