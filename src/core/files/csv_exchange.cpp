#include "files/csv_exchange.h"

#include "base/reference_tables.h"
#include "document/document.h"
#include "editing/auto_mode_step.h"
#include "files/bounded_input.h"
#include "files/csv_reader.h"
#include "files/note_text.h"
#include "files/safe_write.h"
#include "image/channel_codec.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <cmath>
#include <new>
#include <optional>
#include <utility>
#include <vector>

namespace hxv5 {

namespace {

// What an import tells about the rows it skipped or changed; the command line gives it in
// English, the window in the user's language.
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(hxv5::CsvExchange)
};

const QLatin1String kModel("HX-V5");
const QLatin1String kBankVfo("VFO");
const QLatin1String kBankMemory("MEMORY");
const QLatin1String kBankScan("SCAN");

// Largest values a record can carry: four whole-megahertz digits for the frequency, two for the
// offset, five decimals each.
constexpr double kMaxFrequency = 9999.99999;
constexpr double kMaxOffset = 99.99999;

QString quoted(const QString &text)
{
    QString field = text;
    field.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + field + QLatin1Char('"');
}

void appendRow(QByteArray &out, const QStringList &fields)
{
    out += fields.join(QLatin1Char(',')).toUtf8();
    out += "\r\n";
}

QStringList dataFields(const QString &bank, const QString &channel, const TableRow &row)
{
    QStringList fields = {quoted(kModel), quoted(bank), quoted(channel)};
    for (int c = 0; c < kColumnCount; ++c)
        fields.append(quoted(row.text[static_cast<size_t>(c)]));
    return fields;
}

QString logical(bool value)
{
    return value ? QStringLiteral("#TRUE#") : QStringLiteral("#FALSE#");
}

// The file's bytes as text, each line decoded on its own (notes may come from systems with
// different code pages). A byte-order mark that a spreadsheet may have put in front is dropped.
QString decodeCsv(const QByteArray &bytes)
{
    QString text;
    qsizetype start = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    // A file that is UTF-8 throughout reads the same in one piece, unless a line other than the
    // first begins with a byte-order mark, which reading it on its own drops.
    if (!bytes.contains("\n\xEF\xBB\xBF")) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        text = utf8.decode(QByteArrayView(bytes).sliced(start));
        if (!utf8.hasError())
            return text;
        text.clear();
    }
    while (start < bytes.size()) {
        const qsizetype end = bytes.indexOf('\n', start);
        const qsizetype stop = end < 0 ? bytes.size() : end;
        text += decodeTextLine(QByteArrayView(bytes).sliced(start, stop - start));
        if (end < 0)
            break;
        text += QLatin1Char('\n');
        start = end + 1;
    }
    return text;
}

// The logical value true: #TRUE# as Export writes it, and TRUE, 1 and -1 as spreadsheets write a
// logical or a number. In quotes only "#TRUE#", which a spreadsheet that quotes every text cell
// writes for it; other texts in quotes are texts.
bool isTrue(const CsvField &field)
{
    const QStringView value = field.value().trimmed();
    if (field.quoted)
        return value.compare(QLatin1String("#TRUE#"), Qt::CaseInsensitive) == 0;
    for (const char *word : {"#TRUE#", "TRUE", "1", "-1"}) {
        if (value.compare(QLatin1String(word), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// The field separator of a text: the semicolon when the first line that is not blank is the
// header with semicolons between its names, as a spreadsheet in a locale whose decimal sign is the
// comma saves it; else the comma.
QChar fieldSeparator(QStringView text)
{
    qsizetype start = 0;
    while (start < text.size() && text.at(start).isSpace())
        ++start;
    qsizetype end = start;
    while (end < text.size() && text.at(end) != u'\r' && text.at(end) != u'\n')
        ++end;
    const QList<QStringView> names = text.sliced(start, end - start).split(u';');
    const auto is = [](QStringView cell, QLatin1String name) {
        cell = cell.trimmed();
        if (cell.size() >= 2 && cell.startsWith(u'"') && cell.endsWith(u'"'))
            cell = cell.sliced(1, cell.size() - 2).trimmed();
        return cell.compare(name, Qt::CaseInsensitive) == 0;
    };
    return names.size() >= 2 && is(names.at(0), QLatin1String("MODEL")) &&
                   is(names.at(1), QLatin1String("BANK"))
               ? QLatin1Char(';')
               : QLatin1Char(',');
}

// A field's leading decimal number, and where the text after it begins.
struct LeadingNumber
{
    double value = 0.0;
    bool found = false; // digits were read
    QStringView rest;   // what follows the number, blanks before it skipped
};

// The leading number of a field: an optional sign, digits with blanks among them ignored, one
// decimal sign (the point, or the comma as well when decimalComma is true), an exponent when
// digits follow its E.
LeadingNumber leadingNumber(QStringView field, bool decimalComma)
{
    QString number;
    qsizetype i = 0;
    const auto blank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    const auto peek = [&]() -> QChar {
        while (i < field.size() && blank(field.at(i)))
            ++i;
        return i < field.size() ? field.at(i) : QChar();
    };
    const auto takeDigits = [&]() {
        int taken = 0;
        for (QChar c = peek(); c.isDigit() && c.unicode() < 128; c = peek(), ++taken) {
            number += c;
            ++i;
        }
        return taken;
    };

    LeadingNumber out;
    if (const QChar c = peek(); c == QLatin1Char('+') || c == QLatin1Char('-')) {
        number += c;
        ++i;
    }
    int digits = takeDigits();
    if (const QChar c = peek(); c == QLatin1Char('.') || (decimalComma && c == QLatin1Char(','))) {
        number += QLatin1Char('.');
        ++i;
        digits += takeDigits();
    }
    if (digits == 0)
        return out;
    // An exponent counts only when digits follow it ("1E3" is 1000, "5E" is 5).
    if (const QChar e = peek(); e == QLatin1Char('E') || e == QLatin1Char('e')) {
        const qsizetype mark = i;
        const qsizetype numberMark = number.size();
        number += QLatin1Char('e');
        ++i;
        if (const QChar sign = peek(); sign == QLatin1Char('+') || sign == QLatin1Char('-')) {
            number += sign;
            ++i;
        }
        if (takeDigits() == 0) {
            i = mark;
            number.truncate(numberMark);
        }
    }
    bool ok = false;
    out.value = QLocale::c().toDouble(number, &ok);
    if (!ok)
        out.value = 0.0;
    out.found = true;
    out.rest = field.sliced(i).trimmed();
    return out;
}

// The codes of the texts the tables show (the record codec's words); -1 for another text.
int codeOfText(const QString &text, int first, int last, QString (*textOf)(int))
{
    for (int code = first; code <= last; ++code) {
        if (textOf(code) == text)
            return code;
    }
    return -1;
}

int modeCode(const QString &text)
{
    return codeOfText(text, 0, 2, modeText);
}

// Tone mode and shift kind: any text they do not know counts as 0 ("None"); the edit dialog
// writes reverse tone as "Rev.".
int toneModeCode(const QString &text)
{
    if (text == QLatin1String("Rev."))
        return 3;
    return qMax(codeOfText(text, 1, 3, toneModeText), 0);
}

int shiftCode(const QString &text)
{
    return qMax(codeOfText(text, 1, 3, shiftText), 0);
}

int stepCode(const QString &text)
{
    const QStringList &steps = stepList();
    for (int i = 0; i < kTuningStepCount && i < steps.size(); ++i) {
        if (steps.at(i) == text)
            return i;
    }
    return -1;
}

// Half to the even neighbour: 0.5 is 0, 1.5 and 2.5 are 2.
int roundHalfToEven(double value)
{
    const double down = std::floor(value);
    const double rest = value - down;
    double result = down;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(down, 2.0) != 0.0))
        result = down + 1.0;
    return static_cast<int>(result);
}

// "A, B or C".
QString oneOf(const QStringList &words)
{
    if (words.size() < 2)
        return words.join(QString());
    return Texts::tr("%1 or %2")
        .arg(words.mid(0, words.size() - 1).join(QLatin1String(", ")), words.last());
}

QString quotedForReason(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

} // namespace

QString outsideReceiveText(const QString &mhz, int model)
{
    return Texts::tr("%1 MHz is outside what %2 can receive").arg(mhz, modelCaption(model));
}

namespace {

// The target of a row from its BANK and CHANNEL fields; nothing, and why, when the row names
// none.
std::optional<CsvRow> target(QStringView bank, QStringView channel, bool decimalComma,
                             QString &reason)
{
    static const QStringList labels = [] {
        QStringList all;
        for (int r = 0; r < kVfoRowCount; ++r)
            all.append(vfoRowLabel(r));
        return all;
    }();
    static const QStringList names = [] {
        QStringList all;
        for (int i = 0; i < kSpecialSlotCount; ++i)
            all.append(scanName(i));
        return all;
    }();
    CsvRow row;
    if (bank == kBankVfo) {
        row.bank = CsvRow::Bank::Vfo;
        row.index = static_cast<int>(labels.indexOf(channel));
        if (row.index >= 0)
            return row;
        reason = Texts::tr("VFO row %1 is not %2")
                     .arg(quotedForReason(channel.toString()), oneOf(labels));
        return std::nullopt;
    }
    if (bank == kBankMemory) {
        // Most files write the channel in plain digits.
        if (!channel.isEmpty() && channel.size() <= 3 &&
            std::all_of(channel.begin(), channel.end(),
                        [](QChar c) { return c >= u'0' && c <= u'9'; })) {
            row.index = channel.toInt();
            if (row.index < kChannelCount)
                return row;
        }
        // The range is that of the rounded number: 199.4 is channel 199, 199.6 is none.
        const double value = csvNumericValue(channel, decimalComma);
        row.index = value > -1.0 && value < kChannelCount ? roundHalfToEven(value) : -1;
        if (row.index >= 0 && row.index < kChannelCount)
            return row;
        reason = Texts::tr("channel %1 is not 0 to 199").arg(quotedForReason(channel.toString()));
        return std::nullopt;
    }
    if (const qsizetype i = names.indexOf(channel); i >= 0) {
        row.index = kChannelCount + static_cast<int>(i);
        return row;
    }
    reason =
        Texts::tr("SCAN row %1 is not %2").arg(quotedForReason(channel.toString()), oneOf(names));
    return std::nullopt;
}

// Whether a frequency passes the edit dialog's check for the row and the model variant; the
// reason when it does not.
bool receivable(const CsvRow &row, double frequency, int model, QString &reason)
{
    const QString shown = formatMHz(frequency);
    if (row.bank == CsvRow::Bank::Slot) {
        if (memoryFrequencyValid(frequency, model))
            return true;
        reason = outsideReceiveText(shown, model);
        return false;
    }
    const BandPlanEntry plan = bandPlan(model, row.index + 1);
    if (frequency >= plan.lower && frequency <= plan.upper)
        return true;
    const QString band = vfoRowLabel(row.index);
    if (plan.caption.isEmpty())
        reason = Texts::tr("%1 MHz: %2 has no range for the %3 band")
                     .arg(shown, modelCaption(model), band);
    else
        reason = Texts::tr("%1 MHz is outside the %2 band %3 of %4")
                     .arg(shown, band, plan.caption, modelCaption(model));
    return false;
}

// How the number fields of a row are read.
struct NumberRules
{
    bool decimalComma = false; // the comma is a decimal sign, as the point is
    bool strict = false;       // FREQUENCY and SHIFT FREQUENCY hold a number and nothing else
};

// Fields FREQUENCY .. NOTES (and ENABLE) of a row into its numbers, texts and flag; the reason
// when the row is rejected, else an empty text. A value the radio's record cannot carry, or the
// model variant cannot receive, rejects the row like any other bad value. Unless the rules are
// strict, a number followed by text is read for its leading number, and what was taken then is
// added to changes.
QString fillRow(const QList<CsvField> &fields, int model, CsvRow &out, NumberRules rules,
                QStringList &changes)
{
    const auto text = [&fields](int i) { return fields.at(i).text(); };
    // why names the column as %1 and its text as %2.
    const auto bad = [&text](const char *name, int i, const char *why) {
        return Texts::tr(why).arg(QLatin1String(name), quotedForReason(text(i)));
    };
    const LeadingNumber frequencyRead = leadingNumber(text(0), rules.decimalComma);
    const LeadingNumber offsetRead = leadingNumber(text(7), rules.decimalComma);
    const double frequency = frequencyRead.value;
    const int mode = modeCode(text(1));
    const int step = stepCode(text(2));
    const int toneMode = toneModeCode(text(3));
    const int txTone = csvToneCode(text(4), rules.decimalComma);
    const int rxTone = csvToneCode(text(5), rules.decimalComma);
    const int shift = shiftCode(text(6));
    const double offset = offsetRead.value;
    if (text(0).trimmed().isEmpty())
        return Texts::tr("FREQUENCY is empty");
    const char *const notANumber = QT_TRANSLATE_NOOP("hxv5::CsvExchange", "%1 %2 is not a number");
    const char *const notATone =
        QT_TRANSLATE_NOOP("hxv5::CsvExchange", "%1 %2 is not a tone of the tone list");
    if (rules.strict && frequencyRead.found && !frequencyRead.rest.isEmpty())
        return bad("FREQUENCY", 0, notANumber);
    if (rules.strict && !text(7).trimmed().isEmpty() &&
        (!offsetRead.found || !offsetRead.rest.isEmpty()))
        return bad("SHIFT FREQUENCY", 7, notANumber);
    if (!(frequency > 0.0))
        return bad("FREQUENCY", 0,
                   QT_TRANSLATE_NOOP("hxv5::CsvExchange", "%1 %2 is not a frequency above 0"));
    if (frequency > kMaxFrequency)
        return bad("FREQUENCY", 0,
                   QT_TRANSLATE_NOOP("hxv5::CsvExchange", "%1 %2 is above 9999.99999 MHz"));
    if (QString reason; !receivable(out, frequency, model, reason))
        return reason;
    if (mode < 0)
        return bad("MODE", 1, QT_TRANSLATE_NOOP("hxv5::CsvExchange", "%1 %2 is not FM, AM or WFM"));
    if (step < 0)
        return bad("STEP", 2, QT_TRANSLATE_NOOP("hxv5::CsvExchange", "%1 %2 is not a tuning step"));
    if (txTone < 0)
        return bad("TXTONE", 4, notATone);
    if (rxTone < 0)
        return bad("RXTONE", 5, notATone);
    if (!(offset >= 0.0 && offset <= kMaxOffset))
        return bad("SHIFT FREQUENCY", 7,
                   QT_TRANSLATE_NOOP("hxv5::CsvExchange", "%1 %2 is not 0 to 99.99999 MHz"));

    out.row = channelRow({frequency, mode, step, toneMode, txTone, rxTone, shift, offset},
                         noteForStorage(text(8)));
    // Mode, tone mode and shift keep the file's own spelling ("Rev." as the edit dialog writes
    // it; a tone mode or shift the table does not know is shown as written, taken as none).
    out.row.text[kColMode] = text(1);
    out.row.text[kColTone] = text(3);
    out.row.text[kColShift] = text(6);
    out.enabled = out.bank == CsvRow::Bank::Slot && isTrue(fields.at(kColumnCount));
    const auto textAfter = [&](const char *name, int i, const LeadingNumber &read) {
        if (!read.rest.isEmpty())
            changes.append(
                Texts::tr("%1 %2 read as %3: the text after the number is left out")
                    .arg(QLatin1String(name), quotedForReason(text(i)), formatMHz(read.value)));
    };
    textAfter("FREQUENCY", 0, frequencyRead);
    textAfter("SHIFT FREQUENCY", 7, offsetRead);
    return {};
}

// How Export writes an empty slot: FREQUENCY to SHIFT FREQUENCY all empty (a note may remain).
bool isEmptySlot(const QList<CsvField> &fields)
{
    for (int i = 0; i < kColNotes; ++i) {
        if (!fields.at(i).value().trimmed().isEmpty())
            return false;
    }
    return true;
}

enum class NextField { Read, End, NextRecord };

// A field of the record under way: End when the text ends, NextRecord when a line that begins
// with "HX-V5" comes first.
NextField nextInRecord(CsvReader &reader, CsvField &field)
{
    if (reader.atRecordStart())
        return NextField::NextRecord;
    std::optional<CsvField> read = reader.next();
    if (!read)
        return NextField::End;
    field = *read;
    return NextField::Read;
}

// The skipped rows of an import, found in any order: the first kMaxReportedRows of them in file
// order are listed, the rest only counted. A reason is made only for a row that is listed so
// far.
class SkipList
{
public:
    template <typename Reason> void add(int line, Reason reason)
    {
        const auto later = [](const CsvSkippedRow &a, const CsvSkippedRow &b) {
            return a.line < b.line;
        };
        if (m_rows.size() >= kMaxReportedRows) {
            ++m_unlisted;
            if (line >= m_rows.front().line)
                return;
            std::pop_heap(m_rows.begin(), m_rows.end(), later);
            m_rows.pop_back();
        }
        m_rows.push_back({line, reason()});
        std::push_heap(m_rows.begin(), m_rows.end(), later);
    }

    void fill(CsvImportReport &report) const
    {
        std::vector<CsvSkippedRow> rows = m_rows;
        std::sort_heap(
            rows.begin(), rows.end(),
            [](const CsvSkippedRow &a, const CsvSkippedRow &b) { return a.line < b.line; });
        report.skipped = QList<CsvSkippedRow>(rows.begin(), rows.end());
        report.skippedUnlisted = m_unlisted;
    }

private:
    std::vector<CsvSkippedRow> m_rows; // a heap, the last line on top
    int m_unlisted = 0;
};

QString tooFewFieldsText()
{
    return Texts::tr("the row has too few fields");
}

QString unclosedQuoteText()
{
    return Texts::tr("a quote in the row is not closed");
}

} // namespace

void CsvImportReport::skip(int line, const QString &reason)
{
    appendCapped(skipped, skippedUnlisted, CsvSkippedRow{line, reason});
}

void CsvImportReport::change(int line, const QString &what)
{
    appendCapped(changed, changedUnlisted, CsvSkippedRow{line, what});
}

QString rowCountText(qsizetype rows)
{
    return rows == 1 ? Texts::tr("1 row") : Texts::tr("%1 rows").arg(rows);
}

QString csvImportSummary(const CsvImportReport &report)
{
    QString summary = Texts::tr("%1 imported, %2 skipped.")
                          .arg(rowCountText(report.taken), rowCountText(report.skippedCount()));
    if (report.changedCount() > 0)
        summary +=
            QLatin1Char(' ') + Texts::tr("%1 changed.").arg(rowCountText(report.changedCount()));
    return summary;
}

QStringList csvSkippedRowLines(const CsvImportReport &report)
{
    QList<CsvSkippedRow> all = report.skipped + report.changed;
    std::stable_sort(all.begin(), all.end(), [](const CsvSkippedRow &a, const CsvSkippedRow &b) {
        return a.line < b.line;
    });
    QStringList lines;
    for (const CsvSkippedRow &row : all.first(std::min(all.size(), kMaxReportedRows)))
        lines.append(Texts::tr("Line %1: %2").arg(QString::number(row.line), row.reason));
    const qsizetype more = report.skippedCount() + report.changedCount() - lines.size();
    if (more > 0)
        lines.append(more == 1 ? Texts::tr("1 more row is not listed.")
                               : Texts::tr("%1 more rows are not listed.").arg(more));
    return lines;
}

QByteArray csvExportBytes(const Document &doc)
{
    QByteArray out;
    out.reserve(221 * 100);
    appendRow(out, {quoted(QStringLiteral("MODEL")), quoted(QStringLiteral("BANK")),
                    quoted(QStringLiteral("CHANNEL")), quoted(QStringLiteral("FREQUENCY")),
                    quoted(QStringLiteral("MODE")), quoted(QStringLiteral("STEP")),
                    quoted(QStringLiteral("TONE")), quoted(QStringLiteral("TXTONE")),
                    quoted(QStringLiteral("RXTONE")), quoted(QStringLiteral("SHIFT")),
                    quoted(QStringLiteral("SHIFT FREQUENCY")), quoted(QStringLiteral("NOTES")),
                    quoted(QStringLiteral("ENABLE"))});
    for (int r = 0; r < kVfoRowCount; ++r)
        appendRow(out, dataFields(kBankVfo, vfoRowLabel(r), doc.vfo().row(r)));
    const ChannelTable &channels = doc.channels();
    for (int s = 0; s < kChannelCount; ++s) {
        appendRow(out, dataFields(kBankMemory, QString::number(s), channels.row(s))
                           << logical(channels.isEnabled(s)));
    }
    for (int i = 0; i < kSpecialSlotCount; ++i) {
        const int s = kChannelCount + i;
        appendRow(out, dataFields(kBankScan, scanName(i), channels.row(s))
                           << logical(channels.isEnabled(s)));
    }
    return out;
}

FileError exportCsv(const QString &path, const Document &doc)
{
    return writeFileSafely(path, csvExportBytes(doc)) ? FileError::None : FileError::FileOpenError;
}

FileError parseCsv(const QByteArray &bytes, int model, QList<CsvRow> &rows, CsvImportReport &report)
{
    rows.clear();
    report = {};
    const QString text = decodeCsv(bytes);
    const QChar separator = fieldSeparator(text);
    const NumberRules numbers{.decimalComma = separator == u';'};
    CsvReader reader(
        text,
        {.separator = separator, .quotes = CsvDialect::Quotes::AtFieldStart, .recordMark = kModel});
    SkipList skips;

    // A target takes the last row that names it and that passes its tests. The first pass reads
    // the records for their shape and their target only, and notes where each target's rows go
    // on after CHANNEL; the second reads each target's rows from the last one back until one
    // passes, and no more: the rows before it are skipped unread. However long the file, what is
    // kept is the places of the 220 targets' rows and the report's capped lists.
    struct Place
    {
        CsvReader::Place state;
        int line = 0;
    };
    std::array<QList<Place>, kVfoRowCount + kSlotCount> places;
    const auto targetOf = [](const CsvRow &row) {
        return static_cast<size_t>(row.bank == CsvRow::Bank::Vfo ? kSlotCount + row.index
                                                                 : row.index);
    };
    std::array<CsvRow, kVfoRowCount + kSlotCount> targets;
    while (!reader.atEnd()) {
        const std::optional<CsvField> first = reader.next();
        if (!first || first->value() != kModel)
            continue;
        const int line = reader.lineOf(first->start);
        const auto skip = [&skips, line](const QString &reason) {
            skips.add(line, [&reason] { return reason; });
        };

        CsvField bank;
        CsvField channel;
        NextField read = nextInRecord(reader, bank);
        if (read == NextField::Read)
            read = nextInRecord(reader, channel);
        if (read == NextField::End)
            return FileError::FileOpenError;
        if (read == NextField::NextRecord) {
            skip(bank.damaged ? unclosedQuoteText() : tooFewFieldsText());
            continue;
        }
        // A row that names no target is given up after CHANNEL; the rest of it is read for the
        // start of a record like any other field.
        if (bank.damaged || channel.damaged) {
            skip(unclosedQuoteText());
            continue;
        }
        if (bank.value() != kBankVfo && bank.value() != kBankMemory && bank.value() != kBankScan) {
            skip(Texts::tr("BANK %1 is not VFO, MEMORY or SCAN").arg(quotedForReason(bank.text())));
            continue;
        }
        if (channel.value().isEmpty()) {
            skip(Texts::tr("CHANNEL is empty"));
            continue;
        }
        QString reason;
        const std::optional<CsvRow> row =
            target(bank.value(), channel.value(), numbers.decimalComma, reason);
        if (!row) {
            skip(reason);
            continue;
        }

        const Place place{reader.state(), line};
        const int count = row->bank == CsvRow::Bank::Vfo ? kColumnCount : kColumnCount + 1;
        QList<CsvField> fields;
        bool damaged = false;
        for (CsvField field; fields.size() < count; fields.append(field)) {
            read = nextInRecord(reader, field);
            if (read != NextField::Read)
                break;
            damaged = damaged || field.damaged;
        }
        if (read == NextField::End)
            return FileError::FileOpenError;
        if (damaged || read == NextField::NextRecord) {
            skip(damaged ? unclosedQuoteText() : tooFewFieldsText());
            continue;
        }
        if (isEmptySlot(fields))
            continue;
        targets[targetOf(*row)] = *row;
        places[targetOf(*row)].append(place);
    }

    struct Taken
    {
        CsvRow row;
        int line = 0;
        qsizetype position = 0; // several rows may share a line
        QStringList changes;
    };
    // However many rows name one target, no more than its last few are read: a file that names
    // one slot a hundred thousand times with values it cannot hold is no work list.
    constexpr qsizetype kMostRowsTried = 16;
    QList<Taken> taken;
    for (size_t t = 0; t < places.size(); ++t) {
        const QList<Place> &named = places[t];
        qsizetype at = named.size();
        std::optional<Taken> row;
        while (!row && at > 0 && named.size() - at < kMostRowsTried) {
            const Place &place = named.at(--at);
            reader.seek(place.state);
            QList<CsvField> fields;
            const int count =
                targets[t].bank == CsvRow::Bank::Vfo ? kColumnCount : kColumnCount + 1;
            for (CsvField field; fields.size() < count; fields.append(field))
                nextInRecord(reader, field);
            Taken read{targets[t], place.line, place.state.first, {}};
            const QString reason = fillRow(fields, model, read.row, numbers, read.changes);
            if (reason.isEmpty())
                row = std::move(read);
            else
                skips.add(place.line, [&reason] { return reason; });
        }
        for (qsizetype earlier = 0; earlier < at; ++earlier) {
            skips.add(named.at(earlier).line, [&] {
                const CsvRow &replaced = targets[t];
                const QString name =
                    replaced.bank == CsvRow::Bank::Vfo
                        ? QLatin1String("VFO ") + vfoRowLabel(replaced.index)
                    : replaced.index < kChannelCount
                        ? QLatin1String("MEMORY ") + QString::number(replaced.index)
                        : QLatin1String("SCAN ") + scanName(replaced.index - kChannelCount);
                if (!row)
                    return Texts::tr(
                               "%1 is not read: it is named on %2 later lines, none of which can "
                               "be taken")
                        .arg(name, QString::number(kMostRowsTried));
                return Texts::tr("%1 is named again on line %2, which is taken")
                    .arg(name, QString::number(row->line));
            });
        }
        if (row)
            taken.append(std::move(*row));
    }

    std::sort(taken.begin(), taken.end(),
              [](const Taken &a, const Taken &b) { return a.position < b.position; });
    for (const Taken &row : std::as_const(taken)) {
        rows.append(row.row);
        if (!row.changes.isEmpty())
            report.change(row.line, row.changes.join(QLatin1String("; ")));
    }
    report.taken = static_cast<int>(rows.size());
    skips.fill(report);
    return FileError::None;
}

QString checkSlotFields(const QStringList &texts, int slot, int model, CsvRow &row)
{
    QList<CsvField> fields;
    for (int i = 0; i <= kColumnCount; ++i)
        fields.append({.own = i < texts.size() ? texts.at(i) : QString()});
    row = {};
    row.bank = CsvRow::Bank::Slot;
    row.index = slot;
    QStringList changes;
    return fillRow(fields, model, row, {.decimalComma = true, .strict = true}, changes);
}

void applyCsvRows(const QList<CsvRow> &rows, Document &doc)
{
    for (const CsvRow &row : rows) {
        if (row.bank == CsvRow::Bank::Vfo)
            doc.vfo().setRow(row.index, row.row);
        else
            doc.channels().setSlot(row.index, row.row, row.enabled);
    }
}

FileError importCsv(const QString &path, Document &doc, CsvImportReport &report)
{
    return importCsvFile(path, doc, report, parseCsv);
}

FileError importCsvFile(const QString &path, Document &doc, CsvImportReport &report,
                        CsvParser parse)
{
    report = {};
    try {
        QByteArray bytes;
        if (readInputFile(path, bytes) != FileError::None)
            return FileError::FileOpenError;
        QList<CsvRow> rows;
        CsvImportReport read;
        const FileError error = parse(bytes, doc.model(), rows, read);
        if (error != FileError::None)
            return error;
        applyCsvRows(rows, doc);
        report = read;
        return FileError::None;
    } catch (const std::bad_alloc &) {
        // What a hostile file can exhaust is the reading, which ends before the tables are
        // touched.
        return FileError::FileOpenError;
    }
}

FileError importCsv(const QString &path, Document &doc)
{
    CsvImportReport report;
    return importCsv(path, doc, report);
}

int csvToneCode(QStringView field, bool decimalComma)
{
    const double value = csvNumericValue(field, decimalComma);
    static const QList<double> toneValues = [] {
        QList<double> values;
        for (const QString &tone : toneList())
            values.append(csvNumericValue(tone));
        return values;
    }();
    const qsizetype code = toneValues.indexOf(value);
    return static_cast<int>(code);
}

double csvNumericValue(QStringView field, bool decimalComma)
{
    return leadingNumber(field, decimalComma).value;
}

} // namespace hxv5
