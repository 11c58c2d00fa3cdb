#include "files/image_compare.h"

#include "base/reference_tables.h"
#include "base/shown_text.h"
#include "base/table_row.h"
#include "document/document.h"
#include "files/note_text.h"

#include <functional>

namespace hxv5 {

namespace {

// The differences name places, fields and values as the window shows them: in the user's
// language once a translation is installed, in English on the command line.
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(hxv5::ImageCompare)
};

using Control = SettingsModel::Control;

QString onOff(bool on)
{
    return on ? Texts::tr("on") : Texts::tr("off");
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

// The bands' captions are the VFO table's row labels.
QString shownOption(Control group, int index)
{
    return shownText(group == Control::Band ? kTableTexts : kSettingsTexts,
                     SettingsModel::optionCaption(group, index));
}

SettingField option(const char *caption, Control group, int (SettingsModel::*get)() const)
{
    return {Texts::tr(caption),
            [group, get](const SettingsModel &s) { return shownOption(group, (s.*get)()); }};
}

SettingField check(const char *caption, bool (SettingsModel::*get)() const)
{
    return {Texts::tr(caption), [get](const SettingsModel &s) { return onOff((s.*get)()); }};
}

SettingField flag(int index)
{
    return {shownOption(Control::FunctionFlag, index),
            [index](const SettingsModel &s) { return onOff(s.functionFlag(index)); }};
}

QString shownListEntry(const QStringList &list, int index)
{
    return shownText(kSettingsTexts, listEntry(list, index));
}

// Every value the settings model holds, under the caption the settings panel gives its control.
// Built for each comparison, so that the captions are those of the language now in use.
QList<SettingField> settingFields()
{
    const QList<SettingField> fields = {
        option(QT_TRANSLATE_NOOP("hxv5::ImageCompare", "Model"), Control::Model,
               &SettingsModel::model),
        {Texts::tr("Volume"), [](const SettingsModel &s) { return s.volumeLabel(); }},
        check(QT_TRANSLATE_NOOP("hxv5::ImageCompare", "Lo Volume"), &SettingsModel::loVolume),
        {Texts::tr("Squelch"), [](const SettingsModel &s) { return s.squelchLabel(); }},
        check(QT_TRANSLATE_NOOP("hxv5::ImageCompare", "TX Extension"), &SettingsModel::txExtension),
        check(QT_TRANSLATE_NOOP("hxv5::ImageCompare", "Auto Program"), &SettingsModel::autoProgram),
        check(QT_TRANSLATE_NOOP("hxv5::ImageCompare", "Auto Step"), &SettingsModel::autoStep),
        option(QT_TRANSLATE_NOOP("hxv5::ImageCompare", "Auto Power Off"), Control::AutoPowerOff,
               &SettingsModel::autoPowerOff),
        flag(0),
        flag(1),
        flag(2),
        flag(3),
        flag(4),
        flag(5),
        flag(6),
        flag(7),
        option(QT_TRANSLATE_NOOP("hxv5::ImageCompare", "Operating Mode"), Control::OperatingMode,
               &SettingsModel::operatingMode),
        option(QT_TRANSLATE_NOOP("hxv5::ImageCompare", "Priority Mode"), Control::PriorityMode,
               &SettingsModel::priorityMode),
        option(QT_TRANSLATE_NOOP("hxv5::ImageCompare", "Bug Sencitive Lebel"), Control::BugLevel,
               &SettingsModel::bugLevel),
        {Texts::tr("Memory Channel"),
         [](const SettingsModel &s) { return shownListEntry(s.memoryList(), s.memoryChannel()); }},
        option(QT_TRANSLATE_NOOP("hxv5::ImageCompare", "Band"), Control::Band,
               &SettingsModel::band),
        option(QT_TRANSLATE_NOOP("hxv5::ImageCompare", "Tone Burst"), Control::ToneBurst,
               &SettingsModel::toneBurst),
        check(QT_TRANSLATE_NOOP("hxv5::ImageCompare", "Scan on"), &SettingsModel::scanOn),
        {Texts::tr("Scan Mode"),
         [](const SettingsModel &s) { return shownListEntry(s.scanModeList(), s.scanMode()); }},
        option(QT_TRANSLATE_NOOP("hxv5::ImageCompare", "Scan Resume"), Control::ScanResume,
               &SettingsModel::scanResume),
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
        if (ta == tb)
            continue;
        // The words of these columns are the files' own; they are shown translated.
        if (c == kColMode || c == kColTone || c == kColShift) {
            ta = shownText(kTableTexts, ta);
            tb = shownText(kTableTexts, tb);
        }
        out.append({where, shownText(kTableTexts, columnHeader(c)), ta, tb});
    }
}

} // namespace

QList<ImageDifference> compareDocuments(const Document &a, const Document &b)
{
    QList<ImageDifference> out;
    const QString setting = Texts::tr("setting");
    for (const SettingField &field : settingFields()) {
        const QString ta = field.text(a.settings());
        const QString tb = field.text(b.settings());
        if (ta != tb)
            out.append({setting, field.caption, ta, tb});
    }
    for (int r = 0; r < kVfoRowCount; ++r)
        compareRows(Texts::tr("VFO %1").arg(shownText(kTableTexts, vfoRowLabel(r))), a.vfo().row(r),
                    b.vfo().row(r), out);
    for (int s = 0; s < kSlotCount; ++s) {
        const QString where = Texts::tr("slot %1").arg(slotRowLabel(s));
        compareRows(where, a.channels().row(s), b.channels().row(s), out);
        if (a.channels().isEnabled(s) != b.channels().isEnabled(s))
            out.append({where, Texts::tr("Enable"), onOff(a.channels().isEnabled(s)),
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
