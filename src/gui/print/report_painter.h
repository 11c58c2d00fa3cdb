#pragma once

#include <QFont>
#include <QStringList>

class QPrinter;

namespace hxv5 {

// Puts report lines on the pages of a printer, one line under the other in the report font, with
// the tabs of a line at fixed stops (LineLayout). A new page starts when a page is full; there are
// no headings and no page breaks of the reports' own.
class ReportPainter
{
public:
    explicit ReportPainter(const QFont &font) : m_font(font) {}

    // Sends lines to printer as one job. False when the printer could not start the job; a
    // fault further on is ignored and the remaining lines are still sent.
    bool print(QPrinter &printer, const QStringList &lines) const;

private:
    QFont m_font;
};

} // namespace hxv5
