#include "files/chirp_csv.h"

#include "base/reference_tables.h"
#include "document/document.h"
#include "editing/auto_mode_step.h"
#include "files/csv_reader.h"
#include "files/import_report_cap.h"
#include "files/note_text.h"
#include "files/safe_write.h"
#include "image/channel_codec.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <optional>

namespace hxv5 {

namespace {

// What an import and an export tell about the lines and channels; the command line gives it in
// English, the window in the user's language. Column names and CHIRP's values stay as written.
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(hxv5::ChirpCsv)
};

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
    CsvReader::Place start; // in the text
    int line = 0;
    QStringList fields;
};

// The records of a CSV text as spreadsheets write it, one at a time: fields end at a comma,
// records at a line end outside quotes. A line that begins with "#" is a comment and passed over
// whole.
class RecordReader
{
public:
    explicit RecordReader(const QString &text)
        : m_fields(text,
                   {.separator = u',', .quotes = CsvDialect::Quotes::Anywhere, .recordMark = {}})
    {
    }

    // The next record; false at the end of the text, or when a quote is still open there.
    bool next(Record &record)
    {
        m_fields.skipLinesStartingWith(u'#');
        if (m_fields.atTextEnd())
            return false;
        record.start = m_fields.state();
        record.line = m_fields.lineOf(record.start.first);
        if (!m_fields.readLineFields(record.fields))
            m_unclosed = true;
        return !m_unclosed;
    }
    bool unclosedQuote() const { return m_unclosed; }
    // Reads on from the start of a record read before.
    void seek(CsvReader::Place start, int line) { m_fields.seek(start, line); }

private:
    CsvReader m_fields;
    bool m_unclosed = false;
};

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
    static const std::array<double, kTuningStepCount> kHz = [] {
        std::array<double, kTuningStepCount> steps{};
        for (int i = 0; i < kTuningStepCount; ++i)
            steps.at(static_cast<size_t>(i)) = csvNumericValue(stepText(i));
        return steps;
    }();
    return kHz.at(static_cast<size_t>(code));
}

// The first tone code whose tone has the field's value, as csvToneCode finds it, without reading
// the tone list's texts again for every line.
int toneCode(const QString &field)
{
    static const QList<double> tones = [] {
        QList<double> values;
        for (const QString &tone : toneList())
            values.append(csvNumericValue(tone));
        return values;
    }();
    const qsizetype at = tones.indexOf(csvNumericValue(field));
    return static_cast<int>(at);
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

// The columns a line is read by, and where the header puts each (-1 when it has none).
constexpr std::array<const char *, 13> kReadColumns = {
    "Location",  "Name",      "Frequency", "Duplex", "Offset", "Tone",   "rToneFreq",
    "cToneFreq", "CrossMode", "Mode",      "TStep",  "Skip",   "Comment"};
using Columns = std::array<qsizetype, kReadColumns.size()>;

Columns columnsOf(const QStringList &header)
{
    Columns columns;
    columns.fill(-1);
    for (qsizetype at = 0; at < header.size(); ++at) {
        const QString name = header.at(at).trimmed();
        for (size_t i = 0; i < kReadColumns.size(); ++i) {
            if (columns.at(i) < 0 && name == QLatin1String(kReadColumns.at(i)))
                columns.at(i) = at;
        }
    }
    return columns;
}

// The fields of one line by their column names; an absent column reads as its default.
class Line
{
public:
    Line(const Columns &columns, const QStringList &fields) : m_columns(columns), m_fields(fields)
    {
    }

    QString operator()(const char *name, const char *absent = "") const
    {
        if (!has(name))
            return QLatin1String(absent);
        return raw(name).trimmed();
    }
    // The field as written, blanks and all.
    QString raw(const char *name) const
    {
        const qsizetype at = column(name);
        return at >= 0 && at < m_fields.size() ? m_fields.at(at) : QString();
    }
    bool has(const char *name) const { return column(name) >= 0; }

private:
    qsizetype column(const char *name) const
    {
        for (size_t i = 0; i < kReadColumns.size(); ++i) {
            if (std::strcmp(kReadColumns.at(i), name) == 0)
                return m_columns.at(i);
        }
        return -1;
    }

    const Columns &m_columns;
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
    const int rCode = toneCode(r);
    const int cCode = toneCode(c);
    const auto inUse = [&reason](const char *column, const QString &value, int code) {
        if (code < 0)
            reason = Texts::tr("%1 %2 is not a tone of the tone list")
                         .arg(QLatin1String(column), quotedText(value));
        return code >= 0;
    };
    // A tone the channel does not use keeps its value where the list has it.
    const auto unused = [&changes](const char *column, const QString &value, int code) {
        if (code >= 0)
            return code;
        changes.append(Texts::tr("%1 %2 is not a tone of the tone list: %3 taken")
                           .arg(QLatin1String(column), quotedText(value), toneText(kDefaultTone)));
        return kDefaultTone;
    };
    const auto cannot = [&reason](const char *column, const QString &value, const char *why) {
        reason = Texts::tr("%1 %2 cannot be held: %3")
                     .arg(QLatin1String(column), quotedText(value), Texts::tr(why));
        return std::nullopt;
    };
    const char *const noDigital =
        QT_TRANSLATE_NOOP("hxv5::ChirpCsv", "the radio has no DTCS (digital squelch)");

    if (kind.isEmpty())
        return Tones{kToneNone, unused("rToneFreq", r, rCode), unused("cToneFreq", c, cCode)};
    if (kind == QLatin1String("Tone")) {
        if (!inUse("rToneFreq", r, rCode))
            return std::nullopt;
        return Tones{kToneTx, rCode, unused("cToneFreq", c, cCode)};
    }
    // Tone squelch, plain or reverse, sends and listens for cToneFreq.
    if (kind == QLatin1String("TSQL") || kind == QLatin1String("TSQL-R")) {
        if (!inUse("cToneFreq", c, cCode))
            return std::nullopt;
        return Tones{kind == QLatin1String("TSQL") ? kToneSquelch : kToneReverse, cCode, cCode};
    }
    if (kind != QLatin1String("Cross"))
        return cannot("Tone", kind,
                      kind.startsWith(QLatin1String("DTCS"))
                          ? noDigital
                          : QT_TRANSLATE_NOOP("hxv5::ChirpCsv",
                                              "the radio has no tone, Tone, TSQL, TSQL-R and "
                                              "Cross only"));
    const QString cross = line("CrossMode", "Tone->Tone");
    if (cross == QLatin1String("Tone->Tone")) {
        if (!inUse("rToneFreq", r, rCode) || !inUse("cToneFreq", c, cCode))
            return std::nullopt;
        return Tones{kToneSquelch, rCode, cCode};
    }
    // A tone sent on transmit and none listened for: the radio's Tone.
    if (cross == QLatin1String("Tone->")) {
        if (!inUse("rToneFreq", r, rCode))
            return std::nullopt;
        return Tones{kToneTx, rCode, unused("cToneFreq", c, cCode)};
    }
    if (cross == QLatin1String("->Tone"))
        return cannot("CrossMode", cross,
                      QT_TRANSLATE_NOOP("hxv5::ChirpCsv",
                                        "a tone on receive only is no mode of the radio, whose "
                                        "tone squelch also sends its tone on transmit"));
    return cannot(
        "CrossMode", cross,
        cross.contains(QLatin1String("DTCS"))
            ? noDigital
            : QT_TRANSLATE_NOOP("hxv5::ChirpCsv", "the radio has Tone->Tone and Tone-> only"));
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
            changes.append(Texts::tr("TStep %1 is no step: the automatic step %2 taken")
                               .arg(quotedText(written), stepText(step)));
        return step;
    }
    int nearest = -1;
    for (int code = 0; code < kTuningStepCount; ++code) {
        if (stepOffered(code, model) &&
            (nearest < 0 || std::abs(stepKHz(code) - *kHz) < std::abs(stepKHz(nearest) - *kHz)))
            nearest = code;
    }
    if (std::abs(stepKHz(nearest) - *kHz) > kStepTolerance)
        changes.append(Texts::tr("TStep %1 kHz is not a step of the radio: %2 taken")
                           .arg(quotedText(written), stepText(nearest)));
    return nearest;
}

// A value in MHz as whole 10 Hz steps, which is what the radio keeps; the digits below are cut.
qint64 tenHzSteps(double mhz, bool &cut)
{
    const double scaled = mhz * 1e5;
    const double nearest = std::round(scaled);
    cut = std::abs(scaled - nearest) > 1e-4;
    return static_cast<qint64>(cut ? std::floor(scaled) : nearest);
}

// A frequency or offset column's value cut to 10 Hz, the cut told in changes.
double cutTo10Hz(double mhz, const char *column, const QString &written, QStringList &changes)
{
    bool cut = false;
    const double value = double(tenHzSteps(mhz, cut)) / 1e5;
    if (cut)
        changes.append(Texts::tr("%1 %2 taken as %3 MHz: the radio keeps no digits below 10 Hz")
                           .arg(QLatin1String(column), quotedText(written), formatMHz(value)));
    return value;
}

struct Shift
{
    int kind = kShiftNone;
    double offset = 0.0;
};

// The Duplex and Offset columns for a channel received on rx MHz; the reason when the radio
// cannot hold them. CHIRP's "split" gives the transmit frequency in Offset, which the radio
// holds as a + or - shift when it lies within its largest offset of rx.
std::optional<Shift> readShift(const Line &line, double rx, QString &reason, QStringList &changes)
{
    const QString duplex = line("Duplex");
    const QString offsetText = line("Offset", "0");
    const std::optional<double> value = number(offsetText);
    const auto cannot = [&reason](const QString &what) {
        reason = what;
        return std::nullopt;
    };
    if (duplex == QLatin1String("split")) {
        if (!value || !(*value > 0.0) || *value > kMaxFrequency)
            return cannot(Texts::tr("Offset %1 is not a transmit frequency in MHz (Duplex "
                                    "\"split\")")
                              .arg(quotedText(offsetText)));
        bool cut = false;
        const qint64 tx = tenHzSteps(*value, cut);
        const qint64 apart = tx - tenHzSteps(rx, cut);
        const double offset = double(std::abs(apart)) / 1e5;
        const QString txText = formatMHz(double(tx) / 1e5);
        if (offset > kMaxOffset)
            return cannot(Texts::tr("transmit on %1 MHz (Duplex \"split\") cannot be held: the "
                                    "radio transmits at most 99.99999 MHz away from the receive "
                                    "frequency")
                              .arg(txText));
        const Shift shift{apart > 0 ? kShiftPlus : apart < 0 ? kShiftMinus : kShiftNone, offset};
        changes.append(
            Texts::tr("Duplex \"split\" (transmit on %1 MHz) taken as %2")
                .arg(txText,
                     apart == 0
                         ? Texts::tr("no shift")
                         : Texts::tr("%1 %2 MHz").arg(shiftText(shift.kind), formatMHz(offset))));
        return shift;
    }
    if (duplex == QLatin1String("off"))
        return cannot(Texts::tr("Duplex \"off\" cannot be held: the radio has no channel that "
                                "does not transmit"));
    Shift shift;
    if (duplex == QLatin1String("+"))
        shift.kind = kShiftPlus;
    else if (duplex == QLatin1String("-"))
        shift.kind = kShiftMinus;
    else if (!duplex.isEmpty())
        return cannot(Texts::tr("Duplex %1 is not \"\", \"+\", \"-\", \"split\" or \"off\"")
                          .arg(quotedText(duplex)));
    if (!value || !(*value >= 0.0 && *value <= kMaxOffset)) {
        const QString offset = quotedText(offsetText);
        if (shift.kind != kShiftNone)
            return cannot(Texts::tr("Offset %1 is not 0 to 99.99999 MHz").arg(offset));
        // Unused without a shift.
        changes.append(
            Texts::tr("Offset %1 is not 0 to 99.99999 MHz: .00000 taken, the channel has no shift")
                .arg(offset));
        return shift;
    }
    shift.offset = cutTo10Hz(*value, "Offset", offsetText, changes);
    return shift;
}

// The note of a line: Name, and Comment after a blank when there is one, blanks kept as
// written; a line break, which a note cannot hold, becomes a blank.
QString readNote(const Line &line, QStringList &changes)
{
    const QString name = line.raw("Name");
    const QString comment = line.raw("Comment");
    for (const auto &[column, text] : {std::pair{"Name", &name}, std::pair{"Comment", &comment}}) {
        if (text->contains(QLatin1Char('\n')) || text->contains(QLatin1Char('\r')))
            changes.append(
                Texts::tr("a line break in %1 taken as a blank").arg(QLatin1String(column)));
    }
    return noteForStorage(comment.isEmpty() ? name
                          : name.isEmpty()  ? comment
                                            : name + QLatin1Char(' ') + comment);
}

// One channel line into a row; the reason when it cannot be held.
// The memory channel a line names; -1 and the reason when it names none.
int locationOf(const Line &line, QString &reason)
{
    const QString location = line("Location");
    bool ok = false;
    const int slot = location.toInt(&ok);
    if (ok && slot >= 0 && slot < kChannelCount)
        return slot;
    reason = Texts::tr("Location %1 is not a memory channel 0 to 199").arg(quotedText(location));
    return -1;
}

QString fillRow(const Line &line, int model, CsvRow &out, QStringList &changes)
{
    QString reason;
    const int slot = locationOf(line, reason);
    if (slot < 0)
        return reason;

    const QString frequencyText = line("Frequency");
    const std::optional<double> written = number(frequencyText);
    if (!written || !(*written > 0.0) || *written > kMaxFrequency)
        return Texts::tr("Frequency %1 is not a frequency in MHz").arg(quotedText(frequencyText));
    const double frequency = cutTo10Hz(*written, "Frequency", frequencyText, changes);
    if (!memoryFrequencyValid(frequency, model))
        return outsideReceiveText(formatMHz(frequency), model);

    const std::optional<Shift> shift = readShift(line, frequency, reason, changes);
    if (!shift)
        return reason;
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
        return Texts::tr("Mode %1 cannot be held: the radio has FM, AM and WFM")
            .arg(quotedText(modeName));
    if (modeName == QLatin1String("NFM"))
        changes.append(Texts::tr("Mode \"NFM\" taken as FM"));

    const int step = readStep(line, frequency, model, changes);
    const QString skip = line("Skip");
    if (!skip.isEmpty() && skip != QLatin1String("S"))
        changes.append(Texts::tr("Skip %1 taken as scanned").arg(quotedText(skip)));
    const QString note = readNote(line, changes);

    out.bank = CsvRow::Bank::Slot;
    out.index = slot;
    out.enabled = skip != QLatin1String("S");
    out.row = channelRow(
        {frequency, mode, step, tones->mode, tones->tx, tones->rx, shift->kind, shift->offset},
        note);
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

// The channel's columns from Tone to cToneFreq, and a note when reverse tone squelch has two
// tones, of which CHIRP's TSQL-R holds one.
QStringList toneFields(const TableRow &row, QString &note)
{
    const int mode = int(row.number[kColTone]);
    const int tx = int(row.number[kColTxTone]);
    const int rx = int(row.number[kColRxTone]);
    QString kind;
    if (mode == kToneTx) {
        kind = QStringLiteral("Tone");
    } else if (mode == kToneSquelch) {
        kind = tx == rx ? QStringLiteral("TSQL") : QStringLiteral("Cross");
    } else if (mode == kToneReverse) {
        kind = QStringLiteral("TSQL-R");
        if (tx != rx)
            note = Texts::tr("reverse tone squelch with two tones: CHIRP's TSQL-R holds one, the "
                             "receive tone in cToneFreq");
    }
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
        QStringLiteral("Comment"),      QStringLiteral("URCALL"),     QStringLiteral("RPT1CALL"),
        QStringLiteral("RPT2CALL"),     QStringLiteral("DVCODE")};
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
            lineNotes.append(Texts::tr("the radio's \"Split\" shift has no CHIRP counterpart: "
                                       "written without a shift"));
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
            QString(), // Comment
            QString(), // URCALL
            QString(), // RPT1CALL
            QString(), // RPT2CALL
            QString(), // DVCODE
        };
        out += fields.join(QLatin1Char(',')).toUtf8() + "\r\n";
        if (notes) {
            for (const QString &note : std::as_const(lineNotes))
                notes->append(Texts::tr("Channel %1: %2").arg(QString::number(slot), note));
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
    const QString text = decodeChirp(bytes);
    RecordReader reader(text);
    Record record;
    bool header = false;
    while (!header && reader.next(record))
        header = !isBlankRecord(record.fields);
    if (reader.unclosedQuote())
        return FileError::FileOpenError;
    if (!header)
        return FileError::None;

    const Columns columns = columnsOf(record.fields);
    for (const char *needed : {"Location", "Frequency"}) {
        if (!Line(columns, record.fields).has(needed)) {
            report.skipped.append(
                {record.line, Texts::tr("the first line is not a CHIRP header: it names no %1 "
                                        "column")
                                  .arg(QLatin1String(needed))});
            return FileError::None;
        }
    }

    // A channel takes the last line that names it and that the radio can hold. The first pass
    // only notes where the lines of each channel start; the second reads each channel's lines
    // from the last one back until one can be held, and no more: the lines before it are
    // skipped unread. However long the file, what is kept is the 200 channels' lines' places and
    // the report's capped list.
    struct Place
    {
        CsvReader::Place start;
        int line = 0;
    };
    std::array<QList<Place>, kChannelCount> places;
    while (reader.next(record)) {
        if (isBlankRecord(record.fields))
            continue;
        QString reason;
        const int slot = locationOf(Line(columns, record.fields), reason);
        if (slot < 0)
            report.skip(record.line, reason);
        else
            places.at(static_cast<size_t>(slot)).append({record.start, record.line});
    }
    if (reader.unclosedQuote()) {
        report = {};
        return FileError::FileOpenError;
    }

    struct Taken
    {
        CsvRow row;
        int line = 0;
        QStringList changes;
    };
    std::array<std::optional<Taken>, kChannelCount> taken;
    for (int slot = 0; slot < kChannelCount; ++slot) {
        const QList<Place> &lines = places.at(static_cast<size_t>(slot));
        qsizetype at = lines.size();
        std::optional<Taken> &row = taken.at(static_cast<size_t>(slot));
        while (!row && at > 0) {
            const Place &place = lines.at(--at);
            reader.seek(place.start, place.line);
            reader.next(record);
            Taken read{{}, place.line, {}};
            const QString reason =
                fillRow(Line(columns, record.fields), model, read.row, read.changes);
            if (reason.isEmpty())
                row = std::move(read);
            else
                report.skip(place.line, reason);
        }
        for (qsizetype earlier = 0; earlier < at; ++earlier) {
            if (report.skipped.size() >= kMaxReportedRows) {
                report.skippedUnlisted += static_cast<int>(at - earlier);
                break;
            }
            report.skip(lines.at(earlier).line,
                        Texts::tr("Location %1 is named again on line %2, which is taken")
                            .arg(QString::number(slot), QString::number(row->line)));
        }
    }

    QList<const Taken *> inFileOrder;
    for (const std::optional<Taken> &slot : taken) {
        if (slot)
            inFileOrder.append(&*slot);
    }
    std::sort(inFileOrder.begin(), inFileOrder.end(),
              [](const Taken *a, const Taken *b) { return a->line < b->line; });
    for (const Taken *row : std::as_const(inFileOrder)) {
        rows.append(row->row);
        // One entry for each row, so that the report counts rows.
        if (!row->changes.isEmpty())
            report.changed.append({row->line, row->changes.join(QLatin1String("; "))});
    }
    report.taken = static_cast<int>(rows.size());
    return FileError::None;
}

FileError importChirpCsv(const QString &path, Document &doc, CsvImportReport &report)
{
    return importCsvFile(path, doc, report, parseChirpCsv);
}

CsvFormat csvFormatOfText(QByteArrayView start, CsvFormat chosen)
{
    if (start.startsWith("\xEF\xBB\xBF"))
        start = start.sliced(3);
    const auto name = [](QByteArrayView field) {
        field = field.trimmed();
        if (field.size() >= 2 && field.startsWith('"') && field.endsWith('"'))
            field = field.sliced(1, field.size() - 2);
        return field;
    };
    while (!start.isEmpty()) {
        qsizetype end = 0;
        while (end < start.size() && start.at(end) != '\n' && start.at(end) != '\r')
            ++end;
        const QByteArrayView line = start.first(end);
        start = start.sliced(qMin(end + 1, start.size()));
        if (line.trimmed().isEmpty() || line.startsWith('#'))
            continue;
        bool location = false;
        bool frequency = false;
        for (qsizetype from = 0; from <= line.size();) {
            const qsizetype comma = line.indexOf(',', from);
            const qsizetype to = comma < 0 ? line.size() : comma;
            const QByteArrayView field = name(line.sliced(from, to - from));
            location = location || field == "Location";
            frequency = frequency || field == "Frequency";
            from = to + 1;
        }
        if (location && frequency)
            return CsvFormat::Chirp;
        qsizetype first = 0;
        while (first < line.size() && line.at(first) != ',' && line.at(first) != ';')
            ++first;
        const QByteArrayView own = name(line.first(first));
        return own == "MODEL" || own == "HX-V5" ? CsvFormat::Own : chosen;
    }
    return chosen;
}

CsvFormat csvFormatOfFile(const QString &path, CsvFormat chosen)
{
    // Only a plain file is looked into: a pipe or a device could block or never end.
    if (!QFileInfo(path).isFile())
        return chosen;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return chosen;
    constexpr qint64 kLookAhead = 64 * 1024;
    return csvFormatOfText(file.read(kLookAhead), chosen);
}

bool isChirpCsvFile(const QString &path)
{
    return csvFormatOfFile(path, CsvFormat::Own) == CsvFormat::Chirp;
}

} // namespace hxv5
