#pragma once

#include <QList>
#include <QString>

#include <functional>

namespace hxv5 {

// One piece of a report line as it goes on the page: the row below the line's first row (0 for
// the line itself) and the left edge, in the page's units.
struct PlacedText
{
    int row = 0;
    qreal x = 0;
    QString text;

    bool operator==(const PlacedText &other) const = default;
};

// Lays a report line out across the page the way a line printer does: a tab moves to the next
// tab stop, the stops standing every kTabCells character cells from the left edge, so the columns
// of the table reports line up under their headers whatever the texts hold. A text that would
// run past the right edge continues on the next row (broken after a blank where it has one), at
// its own column when there is room, else at the left edge: nothing is cut.
class LineLayout
{
public:
    static constexpr int kTabCells = 8;

    using Measure = std::function<qreal(const QString &)>;

    // measure gives the width of a text, cellWidth the width of one character of the report font
    // (a fixed-pitch font), pageWidth the width the text may fill.
    LineLayout(Measure measure, qreal cellWidth, qreal pageWidth);

    // The first tab stop right of x.
    qreal nextTabStop(qreal x) const;

    // The pieces of line, left to right and row by row; an empty line gives none.
    QList<PlacedText> layOut(const QString &line) const;

    // How many rows the line takes (at least 1, also for an empty line).
    static int rowCount(const QList<PlacedText> &pieces);

private:
    // The longest head of text no wider than room (not splitting a surrogate pair).
    qsizetype fittingLength(const QString &text, qreal room) const;

    Measure m_measure;
    qreal m_cellWidth;
    qreal m_pageWidth;
};

} // namespace hxv5
