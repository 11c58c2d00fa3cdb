#include "files/chirp_csv.h"

#include "app/document.h"
#include "base/reference_tables.h"
#include "editing/auto_mode_step.h"
#include "files/note_text.h"
#include "files/safe_write.h"
#include "image/channel_codec.h"

#include <QFile>
#include <QHash>
#include <QLocale>

#include <cmath>
#include <optional>

namespace hxv5 {

namespace {

constexpr int kFm = 0, kAm = 1, kWfm = 2;
constexpr int kToneNone = 0, kToneTx = 1, kToneSquelch = 2, kToneReverse = 3;
constexpr int kShiftNone = 0, kShiftPlus = 1, kShiftMinus = 2, kShiftSplit = 3;
constexpr int k9KHz = 0;
// The tone CHIRP writes where none is set, and the one an unusable unused tone becomes.
constexpr int kDefaultTone = 8; // 88.5 Hz
constexpr double kMaxFrequency = 9999.99999;
constexpr double kMaxOffset = 99.99999;
// A step written with two decimals ("8.33") still names its step of the list.
constexpr double kStepTolerance = 0.01;

struct Record
{
    int line = 0;
    QStringList fields;
};

// The records of a CSV text as spreadsheets write it: fields end at a comma, records at a line
// end (CR LF, LF or CR) outside quotes; a field in quotes may hold commas, line ends and doubled
// quotes. False when a quote is still open at the end of the text.
bool readRecords(const QString &text, QList<Record> &records)
{
    Record record{1, {}};
    QString field;
    int line = 1;
    bool quoted = false;
    const qsizetype size = text.size();
    const auto endRecord = [&] {
        record.fields.append(field);
        field.clear();
        records.append(record);
        record = {line, {}};
    };
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        const bool lineEnd = c == u'\n' || c == u'\r';
        if (lineEnd && !(c == u'\r' && i + 1 < size && text.at(i + 1) == u'\n'))
            ++line;
        if (quoted) {
            if (c == u'"' && i + 1 < size && text.at(i + 1) == u'"') {
                field += c;
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            record.fields.append(field);
            field.clear();
        } else if (lineEnd) {
            if (c == u'\r' && i + 1 < size && text.at(i + 1) == u'\n')
                continue; // the LF of CR LF ends the record
            endRecord();
        } else {
            field += c;
        }
    }
    if (quoted)
        return false;
    if (!field.isEmpty() || !record.fields.isEmpty())
        endRecord();
    return true;
}

QString decodeChirp(const QByteArray &bytes)
{
    const qsizetype start = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    return decodeTextLine(QByteArrayView(bytes).sliced(start));
}

// A field as CHIRP's reader takes it: in quotes when it holds a separator or a quote.
QString csvField(const QString &text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    QString field = text;
    field.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + field + QLatin1Char('"');
}

QString fixed(double value, int decimals)
{
    return QLocale::c().toString(value, 'f', decimals);
}

// "88.5" for tone code 8: the tone list's text without its unit.
QString toneValue(int code)
{
    return fixed(csvNumericValue(toneText(code)), 1);
}

// The step of a code in kHz: "12.5KHz" is 12.5.
double stepKHz(int code)
{
    return csvNumericValue(stepText(code));
}

QString quotedText(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// A number of a field: nothing when the field holds no number, or more than one.
std::optional<double> number(const QString &field)
{
    bool ok = false;
    const double value = QLocale::c().toDouble(field.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// The fields of one line by their column names; an absent column reads as its default.
class Line
{
public:
    Line(const QHash<QString, qsizetype> &columns, const QStringList &fields)
        : m_columns(columns), m_fields(fields)
    {
    }

    QString operator()(const char *name, const char *absent = "") const
    {
        const qsizetype at = m_columns.value(QLatin1String(name), -1);
        if (at < 0)
            return QLatin1String(absent);
        return at < m_fields.size() ? m_fields.at(at).trimmed() : QString();
    }
    bool has(const char *name) const { return m_columns.contains(QLatin1String(name)); }

private:
    const QHash<QString, qsizetype> &m_columns;
    const QStringList &m_fields;
};

struct Tones
{
    int mode = kToneNone;
    int tx = kDefaultTone;
    int rx = kDefaultTone;
};

// The tone columns; the reason when the radio cannot hold them. changes gets what was taken
// otherwise than written.
std::optional<Tones> readTones(const Line &line, QString &reason, QStringList &changes)
{
    const QString kind = line("Tone");
    const QString r = line("rToneFreq", "88.5");
    const QString c = line("cToneFreq", "88.5");
    const int rCode = csvToneCode(r);
    const int cCode = csvToneCode(c);
    const auto inUse = [&reason](const char *column, const QString &value, int code) {
        if (code < 0)
            reason = QLatin1String(column) + QLatin1Char(' ') + quotedText(value) +
                     QLatin1String(" is not a tone of the tone list");
        return code >= 0;
    };
    // A tone the channel does not use keeps its value where the list has it.
    const auto unused = [&changes](const char *column, const QString &value, int code) {
        if (code >= 0)
            return code;
        changes.append(QLatin1String(column) + QLatin1Char(' ') + quotedText(value) +
                       QLatin1String(" is not a tone of the tone list: ") + toneText(kDefaultTone) +
                       QLatin1String(" taken"));
        return kDefaultTone;
    };

    Tones tones;
    if (kind.isEmpty()) {
        tones.tx = unused("rToneFreq", r, rCode);
        tones.rx = unused("cToneFreq", c, cCode);
    } else if (kind == QLatin1String("Tone")) {
        if (!inUse("rToneFreq", r, rCode))
            return std::nullopt;
        tones = {kToneTx, rCode, unused("cToneFreq", c, cCode)};
    } else if (kind == QLatin1String("TSQL")) {
        if (!inUse("cToneFreq", c, cCode))
            return std::nullopt;
        tones = {kToneSquelch, cCode, cCode};
    } else if (kind == QLatin1String("Cross")) {
        const QString cross = line("CrossMode", "Tone->Tone");
        if (cross != QLatin1String("Tone->Tone")) {
            reason = QLatin1String("CrossMode ") + quotedText(cross) +
                     QLatin1String(" cannot be held: the radio has tones only");
            return std::nullopt;
        }
        if (!inUse("rToneFreq", r, rCode) || !inUse("cToneFreq", c, cCode))
            return std::nullopt;
        tones = {kToneSquelch, rCode, cCode};
    } else {
        reason = QLatin1String("Tone ") + quotedText(kind) +
                 QLatin1String(" cannot be held: the radio has no tone, Tone, TSQL or Cross "
                               "Tone->Tone only");
        return std::nullopt;
    }
    return tones;
}

// The steps a memory channel may have on the variant, as the edit dialog offers them.
bool stepOffered(int code, int model)
{
    return code != k9KHz || model == 0;
}

int readStep(const Line &line, double frequency, int model, QStringList &changes)
{
    const QString written = line("TStep");
    const std::optional<double> kHz = number(written);
    if (!kHz || !(*kHz > 0.0)) {
        const int step = autoModeStepForFrequency(frequency, model).step;
        if (line.has("TStep"))
            changes.append(QLatin1String("TStep ") + quotedText(written) +
                           QLatin1String(" is no step: the automatic step ") + stepText(step) +
                           QLatin1String(" taken"));
        return step;
    }
    int nearest = -1;
    for (int code = 0; code < kTuningStepCount; ++code) {
        if (stepOffered(code, model) &&
            (nearest < 0 || std::abs(stepKHz(code) - *kHz) < std::abs(stepKHz(nearest) - *kHz)))
            nearest = code;
    }
    if (std::abs(stepKHz(nearest) - *kHz) > kStepTolerance)
        changes.append(QLatin1String("TStep ") + quotedText(written) +
                       QLatin1String(" kHz is not a step of the radio: ") + stepText(nearest) +
                       QLatin1String(" taken"));
    return nearest;
}

// One channel line into a row; the reason when it cannot be held.
QString fillRow(const Line &line, int model, CsvRow &out, QStringList &changes)
{
    const QString location = line("Location");
    bool ok = false;
    const int slot = location.toInt(&ok);
    if (!ok || slot < 0 || slot >= kChannelCount)
        return QLatin1String("Location ") + quotedText(location) +
               QLatin1String(" is not a memory channel 0 to 199");

    const QString frequencyText = line("Frequency");
    const std::optional<double> frequency = number(frequencyText);
    if (!frequency || !(*frequency > 0.0) || *frequency > kMaxFrequency)
        return QLatin1String("Frequency ") + quotedText(frequencyText) +
               QLatin1String(" is not a frequency in MHz");
    if (!memoryFrequencyValid(*frequency, model))
        return formatMHz(*frequency) + QLatin1String(" MHz is outside what ") +
               modelCaption(model) + QLatin1String(" can receive");

    const QString duplex = line("Duplex");
    int shift = kShiftNone;
    if (duplex == QLatin1String("+"))
        shift = kShiftPlus;
    else if (duplex == QLatin1String("-"))
        shift = kShiftMinus;
    else if (!duplex.isEmpty())
        return QLatin1String("Duplex ") + quotedText(duplex) +
               QLatin1String(" cannot be held: the radio shifts by + or - only");
    const QString offsetText = line("Offset", "0");
    std::optional<double> offset = number(offsetText);
    if (!offset || !(*offset >= 0.0 && *offset <= kMaxOffset)) {
        if (shift != kShiftNone)
            return QLatin1String("Offset ") + quotedText(offsetText) +
                   QLatin1String(" is not 0 to 99.99999 MHz");
        offset = 0.0; // unused without a shift
    }

    QString reason;
    const std::optional<Tones> tones = readTones(line, reason, changes);
    if (!tones)
        return reason;

    const QString modeName = line("Mode", "FM");
    int mode = -1;
    if (modeName == QLatin1String("FM") || modeName == QLatin1String("NFM"))
        mode = kFm;
    else if (modeName == QLatin1String("AM"))
        mode = kAm;
    else if (modeName == QLatin1String("WFM"))
        mode = kWfm;
    else
        return QLatin1String("Mode ") + quotedText(modeName) +
               QLatin1String(" cannot be held: the radio has FM, AM and WFM");
    if (modeName == QLatin1String("NFM"))
        changes.append(QStringLiteral("Mode \"NFM\" taken as FM"));

    const int step = readStep(line, *frequency, model, changes);

    QString note = line("Name");
    if (const QString comment = line("Comment"); !comment.isEmpty())
        note = note.isEmpty() ? comment : note + QLatin1Char(' ') + comment;

    out.bank = CsvRow::Bank::Slot;
    out.index = slot;
    out.enabled = line("Skip") != QLatin1String("S");
    out.row.number = {*frequency,          double(mode),      double(step),
                      double(tones->mode), double(tones->tx), double(tones->rx),
                      double(shift),       *offset,           0.0};
    out.row.text = {formatMHz(*frequency),     modeText(mode),      stepText(step),
                    toneModeText(tones->mode), toneText(tones->tx), toneText(tones->rx),
                    shiftText(shift),          formatMHz(*offset),  noteForStorage(note)};
    return {};
}

bool isBlankRecord(const QStringList &fields)
{
    for (const QString &field : fields) {
        if (!field.trimmed().isEmpty())
            return false;
    }
    return true;
}

// The channel's columns from Tone to cToneFreq, and a note when reverse tone is written as none.
QStringList toneFields(const TableRow &row, QString &note)
{
    const int mode = int(row.number[kColTone]);
    const int tx = int(row.number[kColTxTone]);
    const int rx = int(row.number[kColRxTone]);
    QString kind;
    if (mode == kToneTx)
        kind = QStringLiteral("Tone");
    else if (mode == kToneSquelch)
        kind = tx == rx ? QStringLiteral("TSQL") : QStringLiteral("Cross");
    else if (mode == kToneReverse)
        note = QStringLiteral("reverse tone squelch has no CHIRP column: written without a tone");
    return {kind, toneValue(tx), toneValue(rx)};
}

} // namespace

const QStringList &chirpCsvColumns()
{
    static const QStringList columns = {
        QStringLiteral("Location"),     QStringLiteral("Name"),       QStringLiteral("Frequency"),
        QStringLiteral("Duplex"),       QStringLiteral("Offset"),     QStringLiteral("Tone"),
        QStringLiteral("rToneFreq"),    QStringLiteral("cToneFreq"),  QStringLiteral("DtcsCode"),
        QStringLiteral("DtcsPolarity"), QStringLiteral("RxDtcsCode"), QStringLiteral("CrossMode"),
        QStringLiteral("Mode"),         QStringLiteral("TStep"),      QStringLiteral("Skip"),
        QStringLiteral("Power"),        QStringLiteral("Comment"),    QStringLiteral("URCALL"),
        QStringLiteral("RPT1CALL"),     QStringLiteral("RPT2CALL"),   QStringLiteral("DVCODE")};
    return columns;
}

QByteArray chirpCsvExportBytes(const Document &doc, QStringList *notes)
{
    QByteArray out = chirpCsvColumns().join(QLatin1Char(',')).toUtf8() + "\r\n";
    const ChannelTable &channels = doc.channels();
    for (int slot = 0; slot < kChannelCount; ++slot) {
        const TableRow &row = channels.row(slot);
        if (!row.holdsChannel())
            continue;
        QStringList lineNotes;
        const int shift = int(row.number[kColShift]);
        QString duplex;
        if (shift == kShiftPlus)
            duplex = QStringLiteral("+");
        else if (shift == kShiftMinus)
            duplex = QStringLiteral("-");
        else if (shift == kShiftSplit)
            lineNotes.append(QStringLiteral("split shift has no CHIRP column: written without a "
                                            "shift"));
        QString toneNote;
        const QStringList tones = toneFields(row, toneNote);
        if (!toneNote.isEmpty())
            lineNotes.append(toneNote);
        const QStringList fields = {
            QString::number(slot),
            csvField(row.text[kColNotes]),
            fixed(row.number[kColFrequency], 6),
            duplex,
            fixed(row.number[kColShiftFreq], 6),
            tones.at(0),
            tones.at(1),
            tones.at(2),
            QStringLiteral("023"),
            QStringLiteral("NN"),
            QStringLiteral("023"),
            QStringLiteral("Tone->Tone"),
            modeText(int(row.number[kColMode])),
            fixed(stepKHz(int(row.number[kColStep])), 2),
            channels.isEnabled(slot) ? QString() : QStringLiteral("S"),
            QString(), // Power
            QString(), // Comment
            QString(), // URCALL
            QString(), // RPT1CALL
            QString(), // RPT2CALL
            QString(), // DVCODE
        };
        out += fields.join(QLatin1Char(',')).toUtf8() + "\r\n";
        if (notes) {
            for (const QString &note : std::as_const(lineNotes))
                notes->append(QLatin1String("Channel ") + QString::number(slot) +
                              QLatin1String(": ") + note);
        }
    }
    return out;
}

FileError exportChirpCsv(const QString &path, const Document &doc, QStringList *notes)
{
    QStringList written;
    const QByteArray bytes = chirpCsvExportBytes(doc, &written);
    if (!writeFileSafely(path, bytes))
        return FileError::FileOpenError;
    if (notes)
        *notes = written;
    return FileError::None;
}

FileError parseChirpCsv(const QByteArray &bytes, int model, QList<CsvRow> &rows,
                        CsvImportReport &report)
{
    rows.clear();
    report = {};
    QList<Record> records;
    if (!readRecords(decodeChirp(bytes), records))
        return FileError::FileOpenError;
    if (records.isEmpty())
        return FileError::None;

    QHash<QString, qsizetype> columns;
    const QStringList &header = records.first().fields;
    for (qsizetype i = 0; i < header.size(); ++i)
        columns.insert(header.at(i).trimmed(), i);
    for (const char *needed : {"Location", "Frequency"}) {
        if (!columns.contains(QLatin1String(needed))) {
            report.skipped.append({1, QLatin1String("the first line is not a CHIRP header: it "
                                                    "names no ") +
                                          QLatin1String(needed) + QLatin1String(" column")});
            return FileError::None;
        }
    }

    QList<CsvRow> found;
    for (qsizetype r = 1; r < records.size(); ++r) {
        const Record &record = records.at(r);
        if (isBlankRecord(record.fields))
            continue;
        CsvRow row;
        QStringList changes;
        const QString reason = fillRow(Line(columns, record.fields), model, row, changes);
        if (!reason.isEmpty()) {
            report.skipped.append({record.line, reason});
            continue;
        }
        for (const QString &change : std::as_const(changes))
            report.changed.append({record.line, change});
        found.append(row);
    }
    rows = found;
    report.taken = static_cast<int>(found.size());
    return FileError::None;
}

FileError importChirpCsv(const QString &path, Document &doc, CsvImportReport &report)
{
    return importCsvFile(path, doc, report, parseChirpCsv);
}

bool isChirpCsvFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QByteArray first = file.readLine(4096);
    if (first.startsWith("\xEF\xBB\xBF"))
        first.remove(0, 3);
    const QByteArray field = first.left(first.indexOf(',')).trimmed();
    return field == "Location" || field == "\"Location\"";
}

} // namespace hxv5
