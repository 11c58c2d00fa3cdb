#include "print/print_selection.h"

#include <algorithm>

namespace hxv5 {

PrintSelection::PrintSelection()
{
    m_ticks.fill(true);
}

QString PrintSelection::caption(int report)
{
    static const char *const captions[kReportCount] = {"Settings1", "VFO Data", "Settings2",
                                                       "Memory"};
    if (report < 0 || report >= kReportCount)
        return {};
    return QString::fromLatin1(captions[report]);
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
