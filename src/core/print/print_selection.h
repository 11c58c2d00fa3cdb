#pragma once

#include "print/report_lines.h"

#include <QString>

namespace hxv5 {

// What the print selection dialog holds: the four ticks ("Settings1", "VFO Data", "Settings2",
// "Memory") and the print request flag the print command and the dialog share. The dialog is a
// view of this state.
//
// The ticks carry over from one print to the next while the dialog stays loaded (OK only hides
// it). Closing the dialog through its window frame unloads it: the next print starts with all
// four ticked again, as on the first print.
class PrintSelection
{
public:
    // What OK or the preview button asked for.
    enum class Request { None, Print, Preview };

    PrintSelection();

    // Caption of the check box of report 0..3.
    static QString caption(int report);

    bool isTicked(int report) const;
    void setTicked(int report, bool ticked);
    bool anyTicked() const;
    const ReportSelection &ticks() const { return m_ticks; }

    // The print command starts: the request flag is cleared.
    void beginCommand() { m_request = Request::None; }
    // OKButton: print what is ticked.
    void requestPrint() { m_request = Request::Print; }
    // The preview button: show what is ticked before printing it.
    void requestPreview() { m_request = Request::Preview; }
    Request request() const { return m_request; }
    bool printRequested() const { return m_request == Request::Print; }

    // Whether the command goes on after the dialog: it was left with OK (or the preview button)
    // and at least one report is ticked.
    bool shouldContinue() const { return m_request != Request::None && anyTicked(); }

    // The dialog was closed through its frame and is unloaded: the ticks start over.
    void unload();

private:
    ReportSelection m_ticks;
    Request m_request = Request::None;
};

} // namespace hxv5
