#include "print/report_lines.h"

#include "base/reference_tables.h"
#include "document/document.h"

namespace hxv5 {

namespace {

using Control = SettingsModel::Control;

const QLatin1Char kTab('\t');

// Widths of the right-aligned fields of a table line; 0 keeps the cell as it is. The label column
// is right-aligned to three characters in the memory report only.
constexpr std::array<int, kColumnCount> kFieldWidths = {9, 0, 7, 0, 7, 7, 0, 8, 0};
constexpr int kSlotLabelWidth = 3;

QString onOff(bool on)
{
    return on ? QStringLiteral("On") : QStringLiteral("Off");
}

// Entry of a list at its selected position; an empty text when nothing is selected.
QString listEntry(const QStringList &list, int index)
{
    return index >= 0 && index < list.size() ? list.at(index) : QString();
}

QStringList heading(const char *title)
{
    return {QString(), QString::fromLatin1(title), QString()};
}

// A cell as one piece of one printed line. A note brought in from a CSV file may hold line breaks
// or tabs; printed as they are they would break the line or shift the columns after them, so each
// line break (CR LF, CR or LF) and each tab becomes one blank.
QString cellText(const QString &text)
{
    QString cell = text;
    cell.replace(QLatin1String("\r\n"), QLatin1String(" "));
    for (QChar &ch : cell) {
        if (ch == QLatin1Char('\r') || ch == QLatin1Char('\n') || ch == kTab)
            ch = QLatin1Char(' ');
    }
    return cell;
}

QString tableLine(const QString &label, const std::array<QString, kColumnCount> &cells)
{
    QString line = cellText(label);
    for (int c = 0; c < kColumnCount; ++c) {
        const int width = kFieldWidths[static_cast<size_t>(c)];
        const QString cell = cellText(cells[static_cast<size_t>(c)]);
        line += kTab;
        line += width > 0 ? rightAligned(cell, width) : cell;
    }
    return line;
}

} // namespace

QString reportTitleLine()
{
    return applicationTitle();
}

QString rightAligned(const QString &text, int width)
{
    return text.rightJustified(width, QLatin1Char(' '), false);
}

QString reportColumnHeader()
{
    // The blanks in "   Step", " TxTone" and " RxTone" line the headers up over their
    // right-aligned fields.
    return QStringList{QStringLiteral("Channel"),    QStringLiteral("Frequency"),
                       QStringLiteral("Mode"),       QStringLiteral("   Step"),
                       QStringLiteral("Tone"),       QStringLiteral(" TxTone"),
                       QStringLiteral(" RxTone"),    QStringLiteral("Shift"),
                       QStringLiteral("ShiftFreq."), QStringLiteral("Note")}
        .join(kTab);
}

QStringList settings1Report(const SettingsModel &s)
{
    QStringList lines = heading("Settings 1");
    if (s.model() >= 0)
        lines << QStringLiteral("Model = ") + modelCaption(s.model());
    lines << QStringLiteral("Volume = ") + s.volumeLabel();
    lines << QStringLiteral("Lo Volume = ") + onOff(s.loVolume());
    lines << QStringLiteral("Squelch = ") + s.squelchLabel();
    lines << QStringLiteral("Bell = ") + onOff(s.functionFlag(7));
    lines << QStringLiteral("Beep = ") + onOff(s.functionFlag(4));
    lines << QStringLiteral("KeyLock = ") + onOff(s.functionFlag(0));
    if (s.autoPowerOff() >= 0)
        lines << QStringLiteral("Auto Power Off = ") +
                     SettingsModel::optionCaption(Control::AutoPowerOff, s.autoPowerOff());
    lines << QStringLiteral("Write Protect = ") + onOff(s.functionFlag(1));
    lines << QStringLiteral("Auto Step = ") + onOff(s.autoStep());
    lines << QStringLiteral("Auto Program = ") + onOff(s.autoProgram());
    lines << QStringLiteral("Tx Extension = ") + onOff(s.txExtension());
    lines << QStringLiteral("Battery Save = ") + onOff(s.functionFlag(2));
    lines << QStringLiteral("Earphone Antenna = ") + onOff(s.functionFlag(3));
    return lines;
}

QStringList settings2Report(const SettingsModel &s)
{
    QStringList lines = heading("Settings 2");
    if (s.operatingMode() >= 0)
        lines << QStringLiteral("Operating Mode = ") +
                     SettingsModel::optionCaption(Control::OperatingMode, s.operatingMode());
    if (s.band() >= 0)
        lines << QStringLiteral("VFO Band = ") +
                     SettingsModel::optionCaption(Control::Band, s.band());
    lines << QStringLiteral("Memory Channel = ") + listEntry(s.memoryList(), s.memoryChannel());
    lines << QStringLiteral("Priority Mode = ") +
                 SettingsModel::optionCaption(Control::PriorityMode, s.priorityMode() == 0 ? 0 : 1);
    if (s.bugLevelVisible() && s.bugLevel() >= 0)
        lines << QStringLiteral("Bug Sencitive Level = ") +
                     SettingsModel::optionCaption(Control::BugLevel, s.bugLevel());
    lines << QStringLiteral("Scan Resume = ") +
                 SettingsModel::optionCaption(Control::ScanResume, s.scanResume() == 0 ? 0 : 1);
    lines << QStringLiteral("Scan Mode = ") + listEntry(s.scanModeList(), s.scanMode());
    if (s.toneBurstVisible() && s.toneBurst() >= 0)
        lines << QStringLiteral("Tone Burst Frequency = ") +
                     SettingsModel::optionCaption(Control::ToneBurst, s.toneBurst());
    return lines;
}

QStringList vfoReport(const Document &doc)
{
    QStringList lines = heading("VFO Data");
    lines << reportColumnHeader();
    for (int r = 0; r < kVfoRowCount; ++r) {
        std::array<QString, kColumnCount> cells = doc.vfo().row(r).text;
        // The grid draws a band the model variant lacks as "-" in every cell; the report prints
        // what the grid shows.
        if (doc.vfoRowHidden(r))
            cells.fill(QStringLiteral("-"));
        lines << tableLine(vfoRowLabel(r), cells);
    }
    return lines;
}

QStringList memoryReport(const ChannelTable &channels)
{
    QStringList lines = heading("Memory Bank");
    lines << reportColumnHeader();
    bool any = false;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (!channels.isEnabled(slot))
            continue;
        any = true;
        lines << tableLine(rightAligned(slotRowLabel(slot), kSlotLabelWidth),
                           channels.row(slot).text);
    }
    if (!any)
        lines << QStringLiteral("= No Entries =");
    return lines;
}

QStringList printJobLines(const Document &doc, const ReportSelection &selection)
{
    const auto selected = [&selection](Report r) { return selection[static_cast<size_t>(r)]; };
    QStringList lines{reportTitleLine(), QString(), QString()};
    if (selected(Report::Settings1))
        lines << settings1Report(doc.settings()) << QString();
    if (selected(Report::VfoData))
        lines << vfoReport(doc) << QString();
    if (selected(Report::Settings2))
        lines << settings2Report(doc.settings()) << QString();
    if (selected(Report::Memory))
        lines << memoryReport(doc.channels());
    return lines;
}

} // namespace hxv5
