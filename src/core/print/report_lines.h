#pragma once

#include <QString>
#include <QStringList>

#include <array>

namespace hxv5 {

class ChannelTable;
class Document;
class SettingsModel;

// The printed listing: plain-text lines under one title, in the order the printer receives them.
// Every line is built from the document (the settings model and the two tables), never read back
// from the window, so that printing, the preview and the command line give the same lines.
// Columns of the table reports are joined by one tab character; the page lays tabs out at fixed
// positions (see LineLayout).

// The four reports, in the order the print selection lists and prints them.
enum class Report { Settings1 = 0, VfoData = 1, Settings2 = 2, Memory = 3 };
inline constexpr int kReportCount = 4;
using ReportSelection = std::array<bool, kReportCount>;

// "Tormel HX-V5 Clone Utility".
QString reportTitleLine();

// text padded with blanks on the left to width characters; a longer text is kept whole.
QString rightAligned(const QString &text, int width);

// "Channel", "Frequency", "Mode", "   Step", ... "Note", tab-joined.
QString reportColumnHeader();

// The Settings 1 report: heading lines, model, volume, squelch, the switches and the power-off
// timer. Model and auto power off are left out while no option of theirs is selected.
QStringList settings1Report(const SettingsModel &settings);

// The Settings 2 report: heading lines, operating mode, band, memory channel, priority mode, the
// bug level (only while its group is shown), scan resume and scan mode, the tone burst (only while
// its group is shown).
QStringList settings2Report(const SettingsModel &settings);

// The VFO report: heading lines, the column header and one line per band as the VFO grid shows
// it (a band the model variant lacks shows "-" in every data cell).
QStringList vfoReport(const Document &doc);

// The memory report: heading lines, the column header and one line per enabled slot in slot
// order, or "= No Entries =" when no slot is enabled.
QStringList memoryReport(const ChannelTable &channels);

// The whole print job: the title, two empty lines and each selected report, each followed by one
// empty line except the memory report.
QStringList printJobLines(const Document &doc, const ReportSelection &selection);

} // namespace hxv5
