#include "print/print_selection.h"

#include <QCoreApplication>

#include <algorithm>

namespace hxv5 {

PrintSelection::PrintSelection()
{
    m_ticks.fill(true);
}

QString PrintSelection::caption(int report)
{
    static const char *const captions[kReportCount] = {
        QT_TRANSLATE_NOOP("hxv5::PrintSelection", "Settings1"),
        QT_TRANSLATE_NOOP("hxv5::PrintSelection", "VFO Data"),
        QT_TRANSLATE_NOOP("hxv5::PrintSelection", "Settings2"),
        QT_TRANSLATE_NOOP("hxv5::PrintSelection", "Memory")};
    if (report < 0 || report >= kReportCount)
        return {};
    return QCoreApplication::translate("hxv5::PrintSelection", captions[report]);
}

bool PrintSelection::isTicked(int report) const
{
    return report >= 0 && report < kReportCount && m_ticks[static_cast<size_t>(report)];
}

void PrintSelection::setTicked(int report, bool ticked)
{
    if (report >= 0 && report < kReportCount)
        m_ticks[static_cast<size_t>(report)] = ticked;
}

bool PrintSelection::anyTicked() const
{
    return std::any_of(m_ticks.begin(), m_ticks.end(), [](bool t) { return t; });
}

void PrintSelection::unload()
{
    m_ticks.fill(true);
    m_request = Request::None;
}

} // namespace hxv5
