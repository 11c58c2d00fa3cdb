#include "editing/cell_edit.h"

#include "base/shown_text.h"
#include "editing/auto_mode_step.h"
#include "editing/edit_target.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringList>

#include <functional>

namespace hxv5 {

namespace {

// Why a value is refused, as the status bar and the command line tell it; the command line gives
// it in English, the window in the user's language.
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(hxv5::CellEdit)
};

// The record holds four digits of whole megahertz.
constexpr double kFrequencyLimit = 10000;

bool openSession(EditSession &session, const EditTarget &document, RowRef ref)
{
    return ref.kind == EditSession::Kind::Memory ? session.openSlot(document, ref.row)
                                                 : session.openVfo(document, ref.row);
}

int sessionOption(const EditSession &session, int column)
{
    switch (column) {
    case kColMode:
        return session.mode;
    case kColStep:
        return session.step;
    case kColTone:
        return session.toneMode;
    case kColTxTone:
        return session.txTone;
    case kColRxTone:
        return session.rxTone;
    default:
        return session.shift;
    }
}

QList<int> upTo(int count, const std::function<bool(int)> &enabled = {})
{
    QList<int> options;
    for (int option = 0; option < count; ++option) {
        if (!enabled || enabled(option))
            options.append(option);
    }
    return options;
}

QList<int> sessionOffers(const EditSession &session, int column)
{
    switch (column) {
    case kColMode:
        return upTo(EditSession::kModeCount, [&](int o) { return session.modeEnabled(o); });
    case kColStep:
        return upTo(EditSession::kStepOptionCount, [&](int o) { return session.stepEnabled(o); });
    default:
        return upTo(optionCount(column));
    }
}

// The names the edit dialog gives options besides the cell texts.
QStringList otherNames(int column, int option)
{
    const QString text = EditSession::optionText(column, option);
    switch (column) {
    case kColTone:
        return option == 3 ? QStringList{QStringLiteral("Rev"), QStringLiteral("Reverse")}
                           : QStringList();
    case kColShift:
        return option == 1   ? QStringList{QStringLiteral("+")}
               : option == 2 ? QStringList{QStringLiteral("-")}
                             : QStringList();
    case kColStep:
        return {QString(text).remove(QLatin1String("KHz"))};
    case kColTxTone:
    case kColRxTone:
        return {QString(text).remove(QLatin1String("Hz"))};
    default:
        return {};
    }
}

// A typed number as the dialog's keystroke filter lets it be typed: digits and at most one
// point, nothing else.
std::optional<double> typedNumber(const QString &text)
{
    static const QRegularExpression digits(QStringLiteral("^(?=.*[0-9])[0-9]*\\.?[0-9]*$"));
    const QString trimmed = text.trimmed();
    if (!digits.match(trimmed).hasMatch())
        return std::nullopt;
    return EditSession::readNumber(trimmed);
}

// ".531-9.995": the form of the band plan's captions.
QString rangeText(double lower, double upper)
{
    const auto mhz = [](double value) {
        QString text = QString::number(value, 'f', 3);
        return text.startsWith(QLatin1String("0.")) ? text.mid(1) : text;
    };
    return mhz(lower) + QLatin1Char('-') + mhz(upper);
}

QString modelName(const EditSession &session)
{
    return modelCaption(session.model());
}

QString frequencyRefusal(const EditSession &session, const QString &text)
{
    const std::optional<double> f = typedNumber(text);
    if (!f)
        return Texts::tr("\"%1\" is not a frequency in MHz").arg(text);
    if (*f <= 0)
        return Texts::tr("A frequency must be above 0 MHz");
    if (*f >= kFrequencyLimit)
        return Texts::tr("The radio holds frequencies below 10000 MHz");
    if (session.frequencyAllowed(*f))
        return {};
    const QString value = formatMHz(*f);
    if (session.kind() == EditSession::Kind::Memory) {
        QStringList ranges;
        for (const FrequencyRange &range : memoryRanges(session.model()))
            ranges << rangeText(range.lower, range.upper);
        return Texts::tr("%1 MHz is outside what the %2 holds in memory (%3 MHz)")
            .arg(value, modelName(session), ranges.join(Texts::tr(", ")));
    }
    const QString band = shownText(kTableTexts, session.channelLabel());
    if (session.rangeCaption().isEmpty())
        return Texts::tr("The %1 has no band plan: the VFO band %2 keeps its frequency")
            .arg(modelName(session), band);
    return Texts::tr("%1 MHz is outside the VFO band %2 of the %3 %4")
        .arg(value, band, modelName(session), session.rangeCaption());
}

QString optionRefusal(const EditSession &session, const FieldValue &value)
{
    if (sessionOffers(session, value.column).contains(value.option))
        return {};
    const QString where =
        session.kind() == EditSession::Kind::Memory
            ? Texts::tr("memory channels on the %1").arg(modelName(session))
            : Texts::tr("the VFO band %1 on the %2")
                  .arg(shownText(kTableTexts, session.channelLabel()), modelName(session));
    QString name = shownText(kTableTexts, EditSession::optionText(value.column, value.option));
    if (name.isEmpty())
        name = QString::number(value.option);
    return Texts::tr("%1 %2 is not offered for %3")
        .arg(shownText(kTableTexts, columnHeader(value.column)), name, where);
}

QString unavailableText(const EditTarget &document, RowRef ref)
{
    if (document.isBusy())
        return Texts::tr("A transfer with the radio is running: nothing can change now");
    if (ref.kind == EditSession::Kind::Vfo && ref.row >= 0 && ref.row < kVfoRowCount)
        return Texts::tr("The %1 has no %2 band")
            .arg(modelCaption(document.model()), shownText(kTableTexts, vfoRowLabel(ref.row)));
    return {};
}

} // namespace

bool isListColumn(int column)
{
    return column >= kColMode && column <= kColShift;
}

int optionCount(int column)
{
    switch (column) {
    case kColMode:
        return EditSession::kModeCount;
    case kColStep:
        return EditSession::kStepOptionCount;
    case kColTxTone:
    case kColRxTone:
        return kToneCount;
    case kColTone:
    case kColShift:
        return 4;
    default:
        return 0;
    }
}

std::optional<int> optionFromText(int column, const QString &text)
{
    const QString wanted = text.trimmed();
    for (int option = 0; option < optionCount(column); ++option) {
        const QStringList names =
            QStringList{EditSession::optionText(column, option)} + otherNames(column, option);
        for (const QString &name : names) {
            if (name.compare(wanted, Qt::CaseInsensitive) == 0)
                return option;
        }
    }
    return std::nullopt;
}

std::optional<FieldValue> fieldStartValue(const EditTarget &document, RowRef ref, int column)
{
    EditSession session;
    if (!openSession(session, document, ref))
        return std::nullopt;
    FieldValue value;
    value.column = column;
    if (isListColumn(column))
        value.option = sessionOption(session, column);
    else if (column == kColFrequency)
        value.text = session.frequencyText;
    else if (column == kColShiftFreq)
        value.text = session.offsetText;
    else
        value.text = session.noteText;
    return value;
}

QList<int> offeredOptions(const EditTarget &document, RowRef ref, int column)
{
    EditSession session;
    if (!openSession(session, document, ref))
        return {};
    return sessionOffers(session, column);
}

QString fieldRefusal(const EditSession &session, const FieldValue &value)
{
    switch (value.column) {
    case kColFrequency:
        return frequencyRefusal(session, value.text);
    case kColShiftFreq: {
        const std::optional<double> offset = typedNumber(value.text);
        if (!offset)
            return Texts::tr("\"%1\" is not an offset in MHz").arg(value.text);
        if (!EditSession::offsetAllowed(*offset))
            return Texts::tr("An offset must be below 100 MHz: the radio holds at most 99.99999");
        return {};
    }
    case kColNotes:
        // A longer note read from a file stays as it is; the user types at most 30 characters.
        if (value.text.size() > EditSession::kNoteLength && value.text != session.noteText)
            return Texts::tr("A note holds at most %1 characters").arg(EditSession::kNoteLength);
        return {};
    default:
        return optionRefusal(session, value);
    }
}

void putField(TableRow &row, const FieldValue &value)
{
    const auto c = static_cast<size_t>(value.column);
    if (isListColumn(value.column)) {
        row.number[c] = value.option;
        row.text[c] = EditSession::optionText(value.column, value.option);
    } else if (value.column == kColNotes) {
        row.text[c] = value.text;
    } else {
        row.number[c] = EditSession::readNumber(value.text.trimmed());
        row.text[c] = formatMHz(row.number[c]);
    }
}

void putAutoModeStep(TableRow &row, EditSession &session)
{
    session.frequencyText = row.text[kColFrequency];
    session.setAuto(true);
    putField(row, {kColMode, session.mode, {}});
    putField(row, {kColStep, session.step, {}});
}

CellEditOutcome editCell(EditTarget &document, RowRef ref, const FieldValue &value)
{
    EditSession session;
    if (!openSession(session, document, ref))
        return {false, unavailableText(document, ref)};
    if (const QString refusal = fieldRefusal(session, value); !refusal.isEmpty())
        return {false, refusal};
    const bool memory = ref.kind == EditSession::Kind::Memory;
    const TableRow stored = memory ? document.channels().row(ref.row) : document.vfo().row(ref.row);
    // An empty slot holds nothing to keep: it takes what the dialog offers a new channel.
    const bool fresh = memory && stored.isEmpty();
    TableRow row = fresh ? session.rowFromFields(stored) : stored;
    putField(row, value);
    if (value.column == kColFrequency)
        putAutoModeStep(row, session);
    if (row == stored)
        return {};
    const bool enabled =
        memory && (fresh ? session.enableChecked : document.channels().isEnabled(ref.row));
    const QString step =
        Texts::tr("%1 %2", "an edit, then the column it changes")
            .arg(session.historyText(), shownText(kTableTexts, columnHeader(value.column)));
    const bool done = document.recordStep(step, [&] {
        document.setChanged(true);
        if (memory)
            document.channels().setSlot(ref.row, row, enabled);
        else
            document.vfo().setRow(ref.row, row);
        return true;
    });
    return {done, {}};
}

} // namespace hxv5
