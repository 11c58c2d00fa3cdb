#include "files/image_compare.h"

#include "base/reference_tables.h"
#include "base/table_row.h"
#include "document/document.h"
#include "files/note_text.h"

#include <functional>

namespace hxv5 {

namespace {

using Control = SettingsModel::Control;

QString onOff(bool on)
{
    return on ? QStringLiteral("on") : QStringLiteral("off");
}

QString listEntry(const QStringList &list, int index)
{
    return index >= 0 && index < list.size() ? list.at(index) : QString();
}

struct SettingField
{
    QString caption;
    std::function<QString(const SettingsModel &)> text;
};

SettingField option(const char *caption, Control group, int (SettingsModel::*get)() const)
{
    return {QLatin1String(caption), [group, get](const SettingsModel &s) {
                return SettingsModel::optionCaption(group, (s.*get)());
            }};
}

SettingField check(const char *caption, bool (SettingsModel::*get)() const)
{
    return {QLatin1String(caption), [get](const SettingsModel &s) { return onOff((s.*get)()); }};
}

SettingField flag(int index)
{
    return {SettingsModel::optionCaption(Control::FunctionFlag, index),
            [index](const SettingsModel &s) { return onOff(s.functionFlag(index)); }};
}

// Every value the settings model holds, under the caption the settings panel gives its control.
const QList<SettingField> &settingFields()
{
    static const QList<SettingField> fields = {
        option("Model", Control::Model, &SettingsModel::model),
        {QStringLiteral("Volume"), [](const SettingsModel &s) { return s.volumeLabel(); }},
        check("Lo Volume", &SettingsModel::loVolume),
        {QStringLiteral("Squelch"), [](const SettingsModel &s) { return s.squelchLabel(); }},
        check("TX Extension", &SettingsModel::txExtension),
        check("Auto Program", &SettingsModel::autoProgram),
        check("Auto Step", &SettingsModel::autoStep),
        option("Auto Power Off", Control::AutoPowerOff, &SettingsModel::autoPowerOff),
        flag(0),
        flag(1),
        flag(2),
        flag(3),
        flag(4),
        flag(5),
        flag(6),
        flag(7),
        option("Operating Mode", Control::OperatingMode, &SettingsModel::operatingMode),
        option("Priority Mode", Control::PriorityMode, &SettingsModel::priorityMode),
        option("Bug Sencitive Lebel", Control::BugLevel, &SettingsModel::bugLevel),
        {QStringLiteral("Memory Channel"),
         [](const SettingsModel &s) { return listEntry(s.memoryList(), s.memoryChannel()); }},
        option("Band", Control::Band, &SettingsModel::band),
        option("Tone Burst", Control::ToneBurst, &SettingsModel::toneBurst),
        check("Scan on", &SettingsModel::scanOn),
        {QStringLiteral("Scan Mode"),
         [](const SettingsModel &s) { return listEntry(s.scanModeList(), s.scanMode()); }},
        option("Scan Resume", Control::ScanResume, &SettingsModel::scanResume),
    };
    return fields;
}

void compareRows(const QString &where, const TableRow &a, const TableRow &b,
                 QList<ImageDifference> &out)
{
    for (int c = 0; c < kColumnCount; ++c) {
        QString ta = a.text.at(static_cast<size_t>(c));
        QString tb = b.text.at(static_cast<size_t>(c));
        // A note is compared as a clone file stores it: a document whose note holds a line break
        // holds the same data as the file it was saved to.
        if (c == kColNotes) {
            ta = noteForStorage(ta);
            tb = noteForStorage(tb);
        }
        if (ta != tb)
            out.append({where, columnHeader(c), ta, tb});
    }
}

} // namespace

QList<ImageDifference> compareDocuments(const Document &a, const Document &b)
{
    QList<ImageDifference> out;
    const QString setting = QStringLiteral("setting");
    for (const SettingField &field : settingFields()) {
        const QString ta = field.text(a.settings());
        const QString tb = field.text(b.settings());
        if (ta != tb)
            out.append({setting, field.caption, ta, tb});
    }
    for (int r = 0; r < kVfoRowCount; ++r)
        compareRows(QStringLiteral("VFO ") + vfoRowLabel(r), a.vfo().row(r), b.vfo().row(r), out);
    for (int s = 0; s < kSlotCount; ++s) {
        const QString where = QStringLiteral("slot ") + slotRowLabel(s);
        compareRows(where, a.channels().row(s), b.channels().row(s), out);
        if (a.channels().isEnabled(s) != b.channels().isEnabled(s))
            out.append({where, QStringLiteral("Enable"), onOff(a.channels().isEnabled(s)),
                        onOff(b.channels().isEnabled(s))});
    }
    return out;
}

FileError compareWithCloneFile(const Document &doc, const QString &path,
                               QList<ImageDifference> &differences)
{
    Document other;
    if (const FileError error = readCloneFile(path, other); error != FileError::None)
        return error;
    differences = compareDocuments(doc, other);
    return FileError::None;
}

QString differenceLine(const ImageDifference &difference)
{
    // A value holds no line break once compared (see compareRows); where and field never do.
    const auto shown = [](const QString &value) {
        return value.isEmpty() ? QStringLiteral("(empty)") : value;
    };
    return QStringList{difference.where, difference.field, shown(difference.valueA),
                       shown(difference.valueB)}
        .join(QLatin1Char(' '));
}

} // namespace hxv5
