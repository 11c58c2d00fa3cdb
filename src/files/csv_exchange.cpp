#include "files/csv_exchange.h"

#include "app/document.h"
#include "app/reference_tables.h"
#include "files/note_text.h"
#include "files/safe_write.h"
#include "image/channel_codec.h"

#include <QFile>
#include <QLocale>

#include <cmath>
#include <optional>

namespace hxv5 {

namespace {

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

struct Field
{
    QString text;
    bool quoted = false;

    // The logical value true, as Export writes it: #TRUE# without quotes.
    bool isTrue() const
    {
        return !quoted && text.trimmed().compare(QLatin1String("#TRUE#"), Qt::CaseInsensitive) == 0;
    }
};

// The file as one stream of fields.
class FieldReader
{
public:
    explicit FieldReader(const QString &text) : m_text(text) {}

    // True when nothing but blanks and line ends is left: the end before a record's first field.
    bool atEnd()
    {
        while (m_pos < m_text.size() && (isBlank(m_pos) || isLineEnd(m_pos)))
            ++m_pos;
        return m_pos >= m_text.size();
    }

    // The next field; nothing when the text ends before it.
    std::optional<Field> next()
    {
        skipBlanks();
        if (m_pos >= m_text.size())
            return std::nullopt;
        Field field;
        if (isLineEnd(m_pos)) {
            skipLineEnd(); // a blank line: one empty field
            return field;
        }
        if (m_text.at(m_pos) == QLatin1Char('"')) {
            field.quoted = true;
            field.text = readQuoted();
            while (m_pos < m_text.size() && !isSeparator(m_pos))
                ++m_pos; // what follows the closing quote is dropped
        } else {
            const qsizetype start = m_pos;
            while (m_pos < m_text.size() && !isSeparator(m_pos))
                ++m_pos;
            field.text = m_text.mid(start, m_pos - start);
        }
        skipSeparator();
        return field;
    }

private:
    bool isBlank(qsizetype i) const
    {
        const QChar c = m_text.at(i);
        return c == QLatin1Char(' ') || c == QLatin1Char('\t');
    }
    bool isLineEnd(qsizetype i) const
    {
        const QChar c = m_text.at(i);
        return c == QLatin1Char('\r') || c == QLatin1Char('\n');
    }
    bool isSeparator(qsizetype i) const { return m_text.at(i) == QLatin1Char(',') || isLineEnd(i); }

    void skipBlanks()
    {
        while (m_pos < m_text.size() && isBlank(m_pos))
            ++m_pos;
    }

    // CR LF, LF or CR.
    void skipLineEnd()
    {
        if (m_text.at(m_pos) == QLatin1Char('\r') && m_pos + 1 < m_text.size() &&
            m_text.at(m_pos + 1) == QLatin1Char('\n'))
            ++m_pos;
        ++m_pos;
    }

    // After the opening quote: the text up to the closing quote, a doubled quote read as one.
    QString readQuoted()
    {
        QString text;
        ++m_pos;
        while (m_pos < m_text.size()) {
            const qsizetype close = m_text.indexOf(QLatin1Char('"'), m_pos);
            if (close < 0)
                break;
            text += QStringView(m_text).sliced(m_pos, close - m_pos);
            m_pos = close + 1;
            if (m_pos < m_text.size() && m_text.at(m_pos) == QLatin1Char('"')) {
                text += QLatin1Char('"');
                ++m_pos;
                continue;
            }
            return text;
        }
        // No closing quote: the field runs to the end of the text.
        text += QStringView(m_text).sliced(std::min(m_pos, m_text.size()));
        m_pos = m_text.size();
        return text;
    }

    // A comma, a line end, or a comma with only blanks before the line end: a row broken after
    // its comma reads like one broken in place of it.
    void skipSeparator()
    {
        if (m_pos >= m_text.size())
            return;
        if (m_text.at(m_pos) == QLatin1Char(',')) {
            ++m_pos;
            qsizetype ahead = m_pos;
            while (ahead < m_text.size() && isBlank(ahead))
                ++ahead;
            if (ahead < m_text.size() && isLineEnd(ahead)) {
                m_pos = ahead;
                skipLineEnd();
            }
            return;
        }
        skipLineEnd();
    }

    const QString &m_text;
    qsizetype m_pos = 0;
};

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

// "88.5Hz" and "88.5" both name tone code 8.
int toneCode(const QString &text)
{
    const double value = csvNumericValue(text);
    const QStringList &tones = toneList();
    for (int i = 0; i < tones.size(); ++i) {
        if (csvNumericValue(tones.at(i)) == value)
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

// The target of a row from its BANK and CHANNEL fields; nothing when the row names none.
std::optional<CsvRow> target(const QString &bank, const QString &channel)
{
    CsvRow row;
    if (bank == kBankVfo) {
        row.bank = CsvRow::Bank::Vfo;
        for (int r = 0; r < kVfoRowCount; ++r) {
            if (vfoRowLabel(r) == channel) {
                row.index = r;
                return row;
            }
        }
        return std::nullopt;
    }
    if (bank == kBankMemory) {
        // The range is that of the rounded number: 199.4 is channel 199, 199.6 is none.
        const double value = csvNumericValue(channel);
        if (!(value > -1.0 && value < kChannelCount))
            return std::nullopt;
        row.index = roundHalfToEven(value);
        if (row.index < 0 || row.index >= kChannelCount)
            return std::nullopt;
        return row;
    }
    for (int i = 0; i < kSpecialSlotCount; ++i) {
        if (scanName(i) == channel) {
            row.index = kChannelCount + i;
            return row;
        }
    }
    return std::nullopt;
}

// Fields FREQUENCY .. NOTES of a row into its numbers and texts; false when the row is rejected.
// A value the radio's record cannot carry rejects the row like any other bad value.
bool fillRow(const QList<Field> &fields, TableRow &row)
{
    const double frequency = csvNumericValue(fields.at(0).text);
    const int mode = modeCode(fields.at(1).text);
    const int step = stepCode(fields.at(2).text);
    const int toneMode = toneModeCode(fields.at(3).text);
    const int txTone = toneCode(fields.at(4).text);
    const int rxTone = toneCode(fields.at(5).text);
    const int shift = shiftCode(fields.at(6).text);
    const double offset = csvNumericValue(fields.at(7).text);
    if (!(frequency > 0.0 && frequency <= kMaxFrequency) || mode < 0 || step < 0 || txTone < 0 ||
        rxTone < 0 || !(offset >= 0.0 && offset <= kMaxOffset))
        return false;

    row.number = {frequency,        double(mode),   double(step),
                  double(toneMode), double(txTone), double(rxTone),
                  double(shift),    offset,         0.0};
    row.text = {formatMHz(frequency), fields.at(1).text, stepText(step),
                fields.at(3).text,    toneText(txTone),  toneText(rxTone),
                fields.at(6).text,    formatMHz(offset), noteForStorage(fields.at(8).text)};
    return true;
}

} // namespace

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

FileError parseCsv(const QByteArray &bytes, QList<CsvRow> &rows)
{
    const QString text = decodeCsv(bytes);
    FieldReader reader(text);
    QList<CsvRow> found;
    while (!reader.atEnd()) {
        const std::optional<Field> first = reader.next();
        if (!first || first->text != kModel)
            continue;
        const std::optional<Field> bank = reader.next();
        if (!bank)
            return FileError::FileOpenError;
        if (bank->text != kBankVfo && bank->text != kBankMemory && bank->text != kBankScan)
            continue;
        const std::optional<Field> channel = reader.next();
        if (!channel)
            return FileError::FileOpenError;
        if (channel->text.isEmpty())
            continue;
        std::optional<CsvRow> row = target(bank->text, channel->text);
        if (!row)
            continue;

        const int count = row->bank == CsvRow::Bank::Vfo ? kColumnCount : kColumnCount + 1;
        QList<Field> fields;
        for (int i = 0; i < count; ++i) {
            std::optional<Field> field = reader.next();
            if (!field)
                return FileError::FileOpenError;
            fields.append(*field);
        }
        if (!fillRow(fields, row->row))
            continue;
        row->enabled = row->bank == CsvRow::Bank::Slot && fields.at(kColumnCount).isTrue();
        found.append(*row);
    }
    rows = found;
    return FileError::None;
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

FileError importCsv(const QString &path, Document &doc)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return FileError::FileOpenError;
    const QByteArray bytes = file.readAll();
    const bool readFault = file.error() != QFileDevice::NoError;
    file.close();
    if (readFault)
        return FileError::FileOpenError;
    QList<CsvRow> rows;
    const FileError error = parseCsv(bytes, rows);
    if (error == FileError::None)
        applyCsvRows(rows, doc);
    return error;
}

double csvNumericValue(QStringView field)
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

    if (const QChar c = peek(); c == QLatin1Char('+') || c == QLatin1Char('-')) {
        number += c;
        ++i;
    }
    int digits = takeDigits();
    if (peek() == QLatin1Char('.')) {
        number += QLatin1Char('.');
        ++i;
        digits += takeDigits();
    }
    if (digits == 0)
        return 0.0;
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
    const double value = QLocale::c().toDouble(number, &ok);
    return ok ? value : 0.0;
}

} // namespace hxv5
