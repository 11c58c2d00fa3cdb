#include "cli_commands.h"

#include "document/document.h"
#include "editing/bulk_edit.h"
#include "editing/channel_sort.h"

#include <QTextStream>

#include <algorithm>
#include <functional>

namespace hxv5::cli {

namespace {

constexpr const char *kSortUsage =
    "sort IN.TV5 OUT.TV5 --by frequency|notes|tone [--descending] [--channels LIST]";
constexpr const char *kSetUsage =
    "set IN.TV5 OUT.TV5 --channels LIST [--mode M] [--step S] [--tone-mode T] [--tx-tone HZ] "
    "[--rx-tone HZ] [--shift S] [--offset MHZ] [--enable on|off] [--notes TEXT] "
    "[--auto-mode-step]";

// What is wrong with an argument, then the usage line.
int badArgument(const QString &why, const char *line)
{
    QTextStream(stderr) << "hxv5-cli: " << why << '\n';
    return usage(line);
}

// "10-29", "5,7,P0A": channel numbers and ranges of them, and the special rows by their labels.
bool parseSlots(const QString &list, QList<int> &slots)
{
    for (const QString &item : list.split(QLatin1Char(','))) {
        const QString part = item.trimmed();
        int label = -1;
        for (int slot = kChannelCount; slot < kSlotCount; ++slot) {
            if (slotRowLabel(slot).compare(part, Qt::CaseInsensitive) == 0)
                label = slot;
        }
        if (label >= 0) {
            slots.append(label);
            continue;
        }
        const QStringList ends = part.split(QLatin1Char('-'));
        bool fromOk = false;
        bool toOk = false;
        const int from = ends.value(0).toInt(&fromOk);
        const int to = ends.size() == 2 ? ends.at(1).toInt(&toOk) : from;
        if (!fromOk || (ends.size() == 2 && !toOk) || ends.size() > 2 || from < 0 ||
            to >= kChannelCount || from > to)
            return false;
        for (int slot = from; slot <= to; ++slot)
            slots.append(slot);
    }
    return !slots.isEmpty();
}

// Reads the input whole, changes it and writes the output whole or not at all; the output may
// be the input. change returns the exit status, and nothing is written unless it is 0.
int editFile(const QString &in, const QString &out, const std::function<int(Document &)> &change)
{
    Document doc;
    if (const FileError error = readCloneFile(in, doc); error != FileError::None)
        return fileFailure(error);
    if (const int status = change(doc); status != 0)
        return status;
    if (const FileError error = writeCloneFile(out, doc); error != FileError::None)
        return fileFailure(error);
    return 0;
}

// "None, Tone, TSQ, Rev.": what a list column may be set to.
QString optionNames(int column)
{
    QStringList names;
    for (int option = 0; option < optionCount(column); ++option)
        names << EditSession::optionText(column, option);
    return names.join(QLatin1String(", "));
}

struct SetOption
{
    const char *name;
    int column;
};

constexpr SetOption kSetOptions[] = {
    {"--mode", kColMode},        {"--step", kColStep},      {"--tone-mode", kColTone},
    {"--tx-tone", kColTxTone},   {"--rx-tone", kColRxTone}, {"--shift", kColShift},
    {"--offset", kColShiftFreq}, {"--notes", kColNotes},
};

// The fields of set's options into edit; the reason when one is given wrongly.
QString takeFields(QStringList &args, BulkEdit &edit)
{
    for (const SetOption &option : kSetOptions) {
        const QString name = QLatin1String(option.name);
        QString text;
        if (!takeOption(args, name, text))
            return name + QStringLiteral(" needs one value");
        if (text.isEmpty())
            continue;
        FieldValue value{option.column, -1, text};
        if (isListColumn(option.column)) {
            const std::optional<int> chosen = optionFromText(option.column, text);
            if (!chosen)
                return QStringLiteral("%1 \"%2\" is none of %3")
                    .arg(name, text, optionNames(option.column));
            value = {option.column, *chosen, {}};
        }
        edit.fields.append(value);
    }
    QString enable;
    if (!takeOption(args, QStringLiteral("--enable"), enable))
        return QStringLiteral("--enable needs one value");
    if (enable == QLatin1String("on") || enable == QLatin1String("off"))
        edit.enable = enable == QLatin1String("on");
    else if (!enable.isEmpty())
        return QStringLiteral("--enable is on or off");
    edit.autoModeStep = takeFlag(args, QStringLiteral("--auto-mode-step"));
    const bool setsModeOrStep = std::any_of(edit.fields.cbegin(), edit.fields.cend(), [](auto &v) {
        return v.column == kColMode || v.column == kColStep;
    });
    if (edit.autoModeStep && setsModeOrStep)
        return QStringLiteral("--auto-mode-step chooses the mode and step itself");
    if (edit.fields.isEmpty() && !edit.enable && !edit.autoModeStep)
        return QStringLiteral("nothing to set");
    return {};
}

} // namespace

int sort(const QStringList &arguments)
{
    QStringList args = arguments;
    QString by;
    QString list = QStringLiteral("0-199");
    QList<int> slots;
    const bool descending = takeFlag(args, QStringLiteral("--descending"));
    if (!takeOption(args, QStringLiteral("--by"), by) ||
        !takeOption(args, QStringLiteral("--channels"), list) || args.size() != 2)
        return usage(kSortUsage);
    const std::optional<SortKey> key = sortKeyFromName(by);
    if (!key)
        return badArgument(QStringLiteral("--by is frequency, notes or tone"), kSortUsage);
    if (!parseSlots(list, slots))
        return badArgument(QStringLiteral("no such channels: ") + list, kSortUsage);
    return editFile(args.at(0), args.at(1), [&](Document &doc) {
        sortChannels(doc, slots, *key, descending);
        return 0;
    });
}

int set(const QStringList &arguments)
{
    QStringList args = arguments;
    QString list;
    QList<int> slots;
    BulkEdit edit;
    if (!takeOption(args, QStringLiteral("--channels"), list) || list.isEmpty())
        return usage(kSetUsage);
    if (const QString why = takeFields(args, edit); !why.isEmpty())
        return badArgument(why, kSetUsage);
    if (args.size() != 2)
        return usage(kSetUsage);
    if (!parseSlots(list, slots))
        return badArgument(QStringLiteral("no such channels: ") + list, kSetUsage);
    return editFile(args.at(0), args.at(1), [&](Document &doc) {
        BulkEditReport report;
        editChannels(doc, slots, edit, report);
        QTextStream err(stderr);
        err << bulkEditSummary(report) << '\n';
        for (const QString &line : std::as_const(report.left))
            err << line << '\n';
        // Nothing taken, and not because every channel held the values already: no output.
        return report.changed == 0 && (report.unchanged == 0 || !report.left.isEmpty()) ? kFailed
                                                                                        : 0;
    });
}

} // namespace hxv5::cli
