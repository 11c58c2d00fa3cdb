#include "document/document.h"
#include "document_fixtures.h"
#include "files/bounded_input.h"
#include "files/csv_exchange.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

using namespace hxv5;
using namespace hxv5::testing;

namespace QTest {
template <> char *toString(const CsvSkippedRow &row)
{
    return qstrdup(qPrintable(QStringLiteral("line %1: %2").arg(row.line).arg(row.reason)));
}
} // namespace QTest

namespace {

constexpr int kVfo = 1000; // a target index from kVfo up names VFO row index - kVfo
constexpr int kNone = -1;

// Fields in double quotes, except the logical values.
QByteArray csvRow(const QStringList &fields, const QByteArray &end = "\r\n")
{
    QStringList out;
    for (const QString &f : fields) {
        if (f.startsWith(u'#'))
            out.append(f);
        else
            out.append(u'"' + QString(f).replace(u'"', QLatin1String("\"\"")) + u'"');
    }
    return out.join(u',').toUtf8() + end;
}

QStringList memoryFields(const QString &channel)
{
    return {QStringLiteral("HX-V5"),     QStringLiteral("MEMORY"), channel,
            QStringLiteral("145.50000"), QStringLiteral("FM"),     QStringLiteral("12.5KHz"),
            QStringLiteral("None"),      QStringLiteral("88.5Hz"), QStringLiteral("88.5Hz"),
            QStringLiteral("-Shift"),    QStringLiteral(".60000"), QStringLiteral("note"),
            QStringLiteral("#TRUE#")};
}

QStringList with(QStringList fields, int index, const QString &value)
{
    fields[index] = value;
    return fields;
}

QStringList memory(int field, const QString &value)
{
    return with(memoryFields(QStringLiteral("5")), field, value);
}

QList<QByteArray> lines(const QByteArray &bytes)
{
    QList<QByteArray> out = bytes.split('\n');
    if (!out.isEmpty() && out.last().isEmpty())
        out.removeLast();
    for (QByteArray &l : out)
        l.chop(1);
    return out;
}

FileError importBytes(const QByteArray &bytes, Document &doc, CsvImportReport *report = nullptr)
{
    QList<CsvRow> rows;
    CsvImportReport read;
    const FileError error = parseCsv(bytes, doc.model(), rows, read);
    if (error == FileError::None)
        applyCsvRows(rows, doc);
    if (report)
        *report = read;
    return error;
}

QList<CsvRow> parsed(const QByteArray &bytes, int model = 0, CsvImportReport *report = nullptr)
{
    QList<CsvRow> rows;
    CsvImportReport read;
    if (parseCsv(bytes, model, rows, read) != FileError::None)
        return {};
    if (report)
        *report = read;
    return rows;
}

QByteArray header()
{
    return "\"MODEL\",\"BANK\",\"CHANNEL\"\r\n";
}

// A document whose slots all hold a channel, so that a row that is wrongly stored shows; model
// variant 0, whose frequency checks the rows pass.
void fillAll(Document &doc)
{
    fillRandomly(doc, 42, {.model = 0});
    QRandomGenerator rng(43);
    for (int s = 0; s < kSlotCount; ++s) {
        if (doc.channels().row(s).isEmpty())
            doc.channels().setSlot(s, randomRow(rng), false);
    }
}

} // namespace

class TestCsvExchange : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void exportedLines();
    void roundTrip_data();
    void roundTrip();
    void importRules_data();
    void importRules();
    void layoutsReadAlike_data();
    void layoutsReadAlike();
    void importFailures_data();
    void importFailures();
    void numericValue_data();
    void numericValue();
    void failedExportKeepsOldFile();
    void emptyLastCell_data();
    void emptyLastCell();
    void quotedNotes_data();
    void quotedNotes();
    void unclosedQuote_data();
    void unclosedQuote();
    void enableValues_data();
    void enableValues();
    void importReport_data();
    void importReport();
    void reportLineNumbers();
    void frequencyChecks_data();
    void frequencyChecks();
    void oversizedInput();
    void endlessInput();
    void longFilesStayBounded();
};

void TestCsvExchange::exportedLines()
{
    Document doc;
    TableRow row;
    row.number[kColFrequency] = 145.5;
    row.text = {QStringLiteral("145.50000"),
                QStringLiteral("FM"),
                QStringLiteral("12.5KHz"),
                QStringLiteral("Rev."),
                QStringLiteral("88.5Hz"),
                QStringLiteral("100.0Hz"),
                QStringLiteral("Split"),
                QStringLiteral(".60000"),
                QStringLiteral("Say \"hi\", then 日本")};
    doc.channels().setSlot(17, row, true);
    doc.channels().setSlot(212, row, false);
    doc.channels().setEnabled(200, true);

    const QByteArray bytes = csvExportBytes(doc);
    QVERIFY(bytes.endsWith("\r\n"));
    QCOMPARE(bytes.count("\r\n"), 221);
    QCOMPARE(bytes.count('\n'), 221);
    const QList<QByteArray> l = lines(bytes);
    QCOMPARE(l.size(), 221);
    QCOMPARE(l.at(0), QByteArray("\"MODEL\",\"BANK\",\"CHANNEL\",\"FREQUENCY\",\"MODE\",\"STEP\","
                                 "\"TONE\",\"TXTONE\",\"RXTONE\",\"SHIFT\",\"SHIFT FREQUENCY\","
                                 "\"NOTES\",\"ENABLE\""));
    QCOMPARE(l.at(1), QByteArray("\"HX-V5\",\"VFO\",\"AM\",\".53100\",\"AM\",\"9KHz\",\"None\","
                                 "\"88.5Hz\",\"88.5Hz\",\"None\",\".00000\",\"\""));
    QVERIFY(l.at(7).startsWith("\"HX-V5\",\"VFO\",\"H-UHF\",\"433.00000\","));
    QCOMPARE(l.at(8), QByteArray("\"HX-V5\",\"MEMORY\",\"0\",\"\",\"\",\"\",\"\",\"\",\"\",\"\","
                                 "\"\",\"\",#FALSE#"));
    QCOMPARE(l.at(8 + 17),
             QByteArray("\"HX-V5\",\"MEMORY\",\"17\",\"145.50000\",\"FM\",\"12.5KHz\","
                        "\"Rev.\",\"88.5Hz\",\"100.0Hz\",\"Split\",\".60000\","
                        "\"Say \"\"hi\"\", then \xE6\x97\xA5\xE6\x9C\xAC\",#TRUE#"));
    QVERIFY(l.at(207).startsWith("\"HX-V5\",\"MEMORY\",\"199\","));
    QCOMPARE(l.at(208), QByteArray("\"HX-V5\",\"SCAN\",\"P0A\",\"\",\"\",\"\",\"\",\"\",\"\",\"\","
                                   "\"\",\"\",#TRUE#"));
    const char *const scanNames[] = {"P0A", "P0B", "P1A", "P1B", "P2A", "P2B",     "P3A",
                                     "P3B", "P4A", "P4B", "APL", "APH", "Priority"};
    for (int i = 0; i < 13; ++i)
        QVERIFY(l.at(208 + i).startsWith(QByteArray("\"HX-V5\",\"SCAN\",\"") + scanNames[i] + '"'));
    QVERIFY(l.at(220).endsWith("\"Split\",\".60000\",\"Say \"\"hi\"\", then "
                               "\xE6\x97\xA5\xE6\x9C\xAC\",#FALSE#"));
}

void TestCsvExchange::roundTrip_data()
{
    QTest::addColumn<quint32>("seed");
    for (quint32 seed : {1u, 2u, 3u, 8u})
        QTest::addRow("seed %u", seed) << seed;
}

// Exported and imported again, every row that holds a channel comes back with the same texts,
// numbers and enable flags, over all tone modes (also "Rev." as the edit dialog writes it) and
// shift kinds; empty slots change nothing and are not reported.
void TestCsvExchange::roundTrip()
{
    QFETCH(quint32, seed);
    Document source;
    fillRandomly(source, seed, {.receivable = true});
    QRandomGenerator rng(seed);
    for (int s = 0; s < kSlotCount; ++s) {
        TableRow row = source.channels().row(s);
        if (row.holdsChannel() && row.number[kColTone] == 3 && rng.bounded(2) == 0) {
            row.text[kColTone] = QStringLiteral("Rev.");
            source.channels().setRow(s, row);
        }
    }

    Document target;
    target.settings().setModel(source.model());
    const Snapshot before(target);
    CsvImportReport report;
    QCOMPARE(importBytes(csvExportBytes(source), target, &report), FileError::None);
    QCOMPARE(report.skipped, QList<CsvSkippedRow>());
    for (int r = 0; r < kVfoRowCount; ++r)
        QCOMPARE(target.vfo().row(r), withStoredNote(source.vfo().row(r)));
    QSet<int> toneModes, shiftKinds;
    int channels = 0;
    for (int s = 0; s < kSlotCount; ++s) {
        const TableRow &row = source.channels().row(s);
        if (row.holdsChannel()) {
            ++channels;
            QCOMPARE(target.channels().row(s), withStoredNote(row));
            QCOMPARE(target.channels().isEnabled(s), source.channels().isEnabled(s));
            toneModes.insert(int(row.number[kColTone]));
            shiftKinds.insert(int(row.number[kColShift]));
        } else {
            QCOMPARE(target.channels().row(s), before.slots.at(s));
            QCOMPARE(target.channels().isEnabled(s), before.flags[size_t(s)]);
        }
    }
    QCOMPARE(toneModes.size(), 4);
    QCOMPARE(shiftKinds.size(), 4);
    QCOMPARE(report.taken, kVfoRowCount + channels);
}

void TestCsvExchange::importRules_data()
{
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<int>("target"); // slot, kVfo + row, or kNone when nothing may change
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("number");
    QTest::addColumn<bool>("enabled");

    const auto stored = [](const char *name, const QByteArray &csv, int target, int column,
                           const QString &text, double number, bool enabled = true) {
        QTest::newRow(name) << csv << target << column << text << number << enabled;
    };
    const auto skipped = [](const char *name, const QByteArray &csv) {
        QTest::newRow(name) << csv << kNone << 0 << QString() << 0.0 << false;
    };
    const QString f145 = QStringLiteral("145.50000");
    const QStringList mem5 = memoryFields(QStringLiteral("5"));

    // CHANNEL
    stored("channel 199.4 goes to 199", csvRow(memoryFields(QStringLiteral("199.4"))), 199,
           kColFrequency, f145, 145.5);
    skipped("channel 199.6", csvRow(memoryFields(QStringLiteral("199.6"))));
    skipped("channel -1", csvRow(memoryFields(QStringLiteral("-1"))));
    skipped("channel 199.5 rounds to 200", csvRow(memoryFields(QStringLiteral("199.5"))));
    skipped("channel -0.6 rounds to -1", csvRow(memoryFields(QStringLiteral("-0.6"))));
    stored("channel -0.4 rounds to 0", csvRow(memoryFields(QStringLiteral("-0.4"))), 0,
           kColFrequency, f145, 145.5);
    stored("channel 198.5 rounds to 198", csvRow(memoryFields(QStringLiteral("198.5"))), 198,
           kColFrequency, f145, 145.5);
    skipped("channel empty", csvRow(memoryFields(QString())));
    stored("channel not a number goes to 0", csvRow(memoryFields(QStringLiteral("abc"))), 0,
           kColFrequency, f145, 145.5);
    stored("channel 0.5 goes to 0", csvRow(memoryFields(QStringLiteral("0.5"))), 0, kColFrequency,
           f145, 145.5);
    stored("channel 1.5 goes to 2", csvRow(memoryFields(QStringLiteral("1.5"))), 2, kColFrequency,
           f145, 145.5);
    stored("channel 2.5 goes to 2", csvRow(memoryFields(QStringLiteral("2.5"))), 2, kColFrequency,
           f145, 145.5);
    stored("channel 3.5 goes to 4", csvRow(memoryFields(QStringLiteral("3.5"))), 4, kColFrequency,
           f145, 145.5);
    stored("channel with blanks inside", csvRow(memoryFields(QStringLiteral("1 2"))), 12,
           kColFrequency, f145, 145.5);
    stored("VFO row Air",
           csvRow(with(with(mem5, 1, QStringLiteral("VFO")), 3, QStringLiteral("120.5")).mid(0, 12)
                  << QStringLiteral("#FALSE#"))
               .replace(",\"5\",", ",\"Air\","),
           kVfo + 3, kColFrequency, QStringLiteral("120.50000"), 120.5);
    skipped(
        "VFO row air in lower case",
        csvRow(with(with(mem5, 1, QStringLiteral("VFO")), 2, QStringLiteral("air")).mid(0, 12)));
    stored("SCAN Priority",
           csvRow(with(with(mem5, 1, QStringLiteral("SCAN")), 2, QStringLiteral("Priority"))), 212,
           kColFrequency, f145, 145.5);
    stored("SCAN APL",
           csvRow(with(with(mem5, 1, QStringLiteral("SCAN")), 2, QStringLiteral("APL"))), 210,
           kColFrequency, f145, 145.5);
    skipped("SCAN with the grid's label Pri",
            csvRow(with(with(mem5, 1, QStringLiteral("SCAN")), 2, QStringLiteral("Pri"))));
    skipped("bank in lower case", csvRow(with(mem5, 1, QStringLiteral("memory"))));
    skipped("model of another family", csvRow(with(mem5, 0, QStringLiteral("HX-V6"))));
    skipped("model in lower case", csvRow(with(mem5, 0, QStringLiteral("hx-v5"))));

    // FREQUENCY
    stored("frequency written short", csvRow(memory(3, QStringLiteral("145.5"))), 5, kColFrequency,
           f145, 145.5);
    stored("frequency with a unit", csvRow(memory(3, QStringLiteral("0.531MHz"))), 5, kColFrequency,
           QStringLiteral(".53100"), 0.531);
    skipped("frequency 0", csvRow(memory(3, QStringLiteral("0"))));
    skipped("frequency empty", csvRow(memory(3, QString())));
    skipped("frequency not a number", csvRow(memory(3, QStringLiteral("none"))));
    skipped("frequency negative", csvRow(memory(3, QStringLiteral("-145.5"))));
    skipped("frequency above 9999.99999", csvRow(memory(3, QStringLiteral("10000"))));

    // MODE, STEP
    stored("mode WFM", csvRow(memory(4, QStringLiteral("WFM"))), 5, kColMode, QStringLiteral("WFM"),
           2);
    skipped("mode fm in lower case", csvRow(memory(4, QStringLiteral("fm"))));
    skipped("mode FM with a blank after it", csvRow(memory(4, QStringLiteral("FM "))));
    stored("step 200KHz", csvRow(memory(5, QStringLiteral("200KHz"))), 5, kColStep,
           QStringLiteral("200KHz"), 13);
    skipped("step 6MHz, past the tuning steps", csvRow(memory(5, QStringLiteral("6MHz"))));
    skipped("step unknown", csvRow(memory(5, QStringLiteral("7KHz"))));

    // TONE, TXTONE, RXTONE
    stored("tone none in lower case kept as written", csvRow(memory(6, QStringLiteral("none"))), 5,
           kColTone, QStringLiteral("none"), 0);
    stored("tone Rev.", csvRow(memory(6, QStringLiteral("Rev."))), 5, kColTone,
           QStringLiteral("Rev."), 3);
    stored("tone Rev", csvRow(memory(6, QStringLiteral("Rev"))), 5, kColTone, QStringLiteral("Rev"),
           3);
    stored("tone TSQ", csvRow(memory(6, QStringLiteral("TSQ"))), 5, kColTone, QStringLiteral("TSQ"),
           2);
    stored("tx tone without its unit", csvRow(memory(7, QStringLiteral("88.5"))), 5, kColTxTone,
           QStringLiteral("88.5Hz"), 8);
    stored("rx tone 250.3Hz", csvRow(memory(8, QStringLiteral("250.3Hz"))), 5, kColRxTone,
           QStringLiteral("250.3Hz"), 38);
    skipped("tx tone not in the list", csvRow(memory(7, QStringLiteral("88.6Hz"))));
    skipped("rx tone empty", csvRow(memory(8, QString())));

    // SHIFT, SHIFT FREQUENCY
    stored("shift Split", csvRow(memory(9, QStringLiteral("Split"))), 5, kColShift,
           QStringLiteral("Split"), 3);
    stored("shift unknown kept as written", csvRow(memory(9, QStringLiteral("simplex"))), 5,
           kColShift, QStringLiteral("simplex"), 0);
    stored("offset 99.99999", csvRow(memory(10, QStringLiteral("99.99999"))), 5, kColShiftFreq,
           QStringLiteral("99.99999"), 99.99999);
    stored("offset empty is 0", csvRow(memory(10, QString())), 5, kColShiftFreq,
           QStringLiteral(".00000"), 0);
    skipped("offset 100", csvRow(memory(10, QStringLiteral("100"))));
    skipped("offset negative", csvRow(memory(10, QStringLiteral("-0.6"))));

    // NOTES
    stored("note with a doubled quote", csvRow(memory(11, QStringLiteral("a \"b\" c"))), 5,
           kColNotes, QStringLiteral("a \"b\" c"), 0);
    stored("note with a line break inside the quotes",
           csvRow(memory(11, QStringLiteral("first, line\r\nsecond"))), 5, kColNotes,
           QStringLiteral("first, line second"), 0);
    stored("note in Shift-JIS",
           QByteArray(csvRow(memory(11, QStringLiteral("@@")))).replace("@@", "\x93\xFA\x96\x7B"),
           5, kColNotes, QStringLiteral("日本"), 0);
    stored(
        "note with text after the closing quote",
        QByteArray(csvRow(memory(11, QStringLiteral("kept")))).replace("\"kept\"", "\"kept\"lost"),
        5, kColNotes, QStringLiteral("kept"), 0);

    // ENABLE
    stored("enable #FALSE#", csvRow(memory(12, QStringLiteral("#FALSE#"))), 5, kColFrequency, f145,
           145.5, false);
    stored("enable \"#TRUE#\" in quotes, as a spreadsheet quotes every text",
           QByteArray(csvRow(memory(12, QStringLiteral("#TRUE#")))).replace("#TRUE#", "\"#TRUE#\""),
           5, kColFrequency, f145, 145.5, true);

    // Reading the stream
    stored("an unquoted bank with a blank after it",
           "HX-V5, MEMORY ,  5,145.5,FM,12.5KHz,None,88.5Hz,88.5Hz,-Shift,.6,note,#TRUE#\r\n",
           kNone, 0, QString(), 0.0, false);
    stored("unquoted fields",
           "HX-V5,MEMORY,5,145.5,FM,12.5KHz,None,88.5Hz,88.5Hz,-Shift,.6,note,#TRUE#\r\n", 5,
           kColShiftFreq, QStringLiteral(".60000"), 0.6);
    stored("blanks before quoted fields and after closing quotes",
           "  \"HX-V5\" ,\t\"MEMORY\"  , \"5\",\"145.5\",\"FM\",\"12.5KHz\",\"None\",\"88.5Hz\","
           "\"88.5Hz\",\"-Shift\",\".6\",\"note\" , #TRUE#\r\n",
           5, kColNotes, QStringLiteral("note"), 0);
    stored("a byte-order mark before the first record", "\xEF\xBB\xBF" + csvRow(mem5), 5,
           kColFrequency, f145, 145.5);
    stored("a NOTES field HX-V5 in a row skipped at BANK starts a record",
           csvRow(with(with(memoryFields(QStringLiteral("3")), 1, QStringLiteral("OTHER")), 11,
                       QStringLiteral("HX-V5"))
                      .mid(0, 12) +
                  QStringList{
                      QStringLiteral("MEMORY"), QStringLiteral("7"), QStringLiteral("146.00000"),
                      QStringLiteral("FM"), QStringLiteral("5KHz"), QStringLiteral("None"),
                      QStringLiteral("88.5Hz"), QStringLiteral("88.5Hz"), QStringLiteral("None"),
                      QStringLiteral(".00000"), QStringLiteral("n"), QStringLiteral("#TRUE#")}),
           7, kColFrequency, QStringLiteral("146.00000"), 146.0);
    stored(
        "a NOTES field HX-V5 in a row skipped at CHANNEL starts a record",
        csvRow(with(memoryFields(QStringLiteral("300")), 11, QStringLiteral("HX-V5")).mid(0, 12) +
               memoryFields(QStringLiteral("8")).mid(1)),
        8, kColFrequency, f145, 145.5);
}

void TestCsvExchange::importRules()
{
    QFETCH(QByteArray, csv);
    QFETCH(int, target);
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(double, number);
    QFETCH(bool, enabled);

    Document doc;
    fillAll(doc);
    const Snapshot before(doc);
    QCOMPARE(importBytes(csv, doc), FileError::None);
    const Snapshot after(doc);
    if (target == kNone) {
        QVERIFY(after == before);
        return;
    }
    const auto c = static_cast<size_t>(column);
    if (target >= kVfo) {
        const int r = target - kVfo;
        QCOMPARE(doc.vfo().row(r).text[c], text);
        QCOMPARE(doc.vfo().row(r).number[c], number);
        QVERIFY(after.slots == before.slots);
        return;
    }
    const TableRow &row = doc.channels().row(target);
    QCOMPARE(row.text[c], text);
    QCOMPARE(row.number[c], number);
    QCOMPARE(doc.channels().isEnabled(target), enabled);
    // The whole row is replaced, and nothing else changes.
    QVERIFY(row.holdsChannel());
    QCOMPARE(row.number[kColNotes], 0.0);
    for (int s = 0; s < kSlotCount; ++s) {
        if (s != target) {
            QCOMPARE(doc.channels().row(s), before.slots.at(s));
        }
    }
    QVERIFY(after.vfo == before.vfo);
}

void TestCsvExchange::layoutsReadAlike_data()
{
    QTest::addColumn<QByteArray>("csv");
    const QByteArray one = csvRow(memoryFields(QStringLiteral("5")));
    const QByteArray two =
        csvRow(with(memoryFields(QStringLiteral("6")), 11, QStringLiteral("x,y")));
    const QByteArray vfo = csvRow(
        QStringList{QStringLiteral("HX-V5"), QStringLiteral("VFO"), QStringLiteral("FM"),
                    QStringLiteral("88.10000"), QStringLiteral("WFM"), QStringLiteral("100KHz"),
                    QStringLiteral("None"), QStringLiteral("88.5Hz"), QStringLiteral("88.5Hz"),
                    QStringLiteral("None"), QStringLiteral(".00000"), QStringLiteral("radio")});

    QTest::newRow("one row per line") << header() + vfo + one + two;
    QTest::newRow("LF line ends") << QByteArray(header() + vfo + one + two).replace("\r\n", "\n");
    QTest::newRow("CR line ends") << QByteArray(header() + vfo + one + two).replace("\r\n", "\r");
    QTest::newRow("blank lines between rows") << header() + "\r\n\r\n" + vfo + "\r\n" + one + two;
    QTest::newRow("all rows on one line")
        << header() + vfo.chopped(2) + ',' + one.chopped(2) + ',' + two;
    QTest::newRow("rows broken in place of their commas")
        << header() + QByteArray(vfo + one + two).replace("\",\"", "\"\r\n\"");
    QTest::newRow("a trailing comma after each row")
        << header() + QByteArray(vfo + one + two).replace("\r\n", ",\r\n");
    QTest::newRow("a row of another model between")
        << header() + vfo + one + "\"XY-1\",\"MEMORY\"\r\n" + two;
    // A spreadsheet in a comma-decimal locale: semicolons between the fields, commas in numbers.
    const QByteArray semicolons =
        "MODEL;BANK;CHANNEL;FREQUENCY;MODE;STEP;TONE;TXTONE;RXTONE;SHIFT;SHIFT FREQUENCY;NOTES;"
        "ENABLE\r\n"
        "HX-V5;VFO;FM;88,1;WFM;100KHz;None;88.5Hz;88.5Hz;None;0;radio\r\n"
        "HX-V5;MEMORY;5;145,5;FM;12.5KHz;None;88,5;88.5Hz;-Shift;0,6;note;#TRUE#\r\n"
        "HX-V5;MEMORY;6;145,5;FM;12.5KHz;None;88.5Hz;88.5Hz;-Shift;0,6;x,y;#TRUE#\r\n";
    QTest::newRow("semicolons, decimal commas") << semicolons;
    QTest::newRow("semicolons, every text quoted") << QByteArray(semicolons)
                                                          .replace(";", "\";\"")
                                                          .replace("\r\n", "\"\r\n\"")
                                                          .replace("\"88,1\"", "88,1")
                                                          .replace("\"145,5\"", "145,5")
                                                          .replace("\"0,6\"", "0,6")
                                                          .chopped(1)
                                                          .prepend('"');
}

// However the rows lie over the lines, they read the same as one row per line.
void TestCsvExchange::layoutsReadAlike()
{
    QFETCH(QByteArray, csv);
    QList<CsvRow> rows;
    CsvImportReport report;
    QCOMPARE(parseCsv(csv, 0, rows, report), FileError::None);
    QCOMPARE(report.skipped, QList<CsvSkippedRow>());
    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows.at(0).bank, CsvRow::Bank::Vfo);
    QCOMPARE(rows.at(0).index, 2);
    QCOMPARE(rows.at(0).row.text[kColNotes], QStringLiteral("radio"));
    QCOMPARE(rows.at(1).index, 5);
    QVERIFY(rows.at(1).enabled);
    QCOMPARE(rows.at(1).row.text[kColNotes], QStringLiteral("note"));
    QCOMPARE(rows.at(2).index, 6);
    QCOMPARE(rows.at(2).row.text[kColNotes], QStringLiteral("x,y"));
    QCOMPARE(rows.at(2).row.number[kColShiftFreq], 0.6);
}

void TestCsvExchange::importFailures_data()
{
    QTest::addColumn<QByteArray>("csv");
    const QByteArray good = csvRow(memoryFields(QStringLiteral("5")));
    QTest::newRow("ends after the first field") << good + "\"HX-V5\"\r\n";
    QTest::newRow("ends after the channel") << good + "\"HX-V5\",\"MEMORY\",\"9\"\r\n\r\n";
    QTest::newRow("ends before ENABLE")
        << good + csvRow(memoryFields(QStringLiteral("9")).mid(0, 12));
    QTest::newRow("an unclosed quote inside a record")
        << good + "\"HX-V5\",\"MEMORY\",\"9\",\"145.5\r\n";
}

// A file that ends inside a record reports "File Open Error" and stores none of its rows, also
// the good ones before the fault.
void TestCsvExchange::importFailures()
{
    QFETCH(QByteArray, csv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("broken.csv"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(csv);
    f.close();

    Document doc;
    fillAll(doc);
    const Snapshot before(doc);
    QCOMPARE(importCsv(path, doc), FileError::FileOpenError);
    QVERIFY(Snapshot(doc) == before);
    QCOMPARE(importCsv(dir.filePath(QStringLiteral("missing.csv")), doc), FileError::FileOpenError);
    QCOMPARE(importCsv(dir.path(), doc), FileError::FileOpenError);
    QVERIFY(Snapshot(doc) == before);
}

void TestCsvExchange::numericValue_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("decimalComma");
    const auto row = [](const char *field, double value, bool decimalComma = false) {
        QTest::addRow("%s%s", field, decimalComma ? ", decimal comma" : "")
            << QString::fromUtf8(field) << value << decimalComma;
    };
    row("145.5", 145.5);
    row("145.50000", 145.5);
    row(".53100", 0.531);
    row("88.5Hz", 88.5);
    row("1 45.5", 145.5);
    row(" -1", -1);
    row("+2", 2);
    row("-.5", -0.5);
    row("1,5", 1);
    row("1E3", 1000);
    row("5E", 5);
    row("5Ex", 5);
    row("", 0);
    row(".", 0);
    row("abc", 0);
    row("-", 0);
    row("１２", 0); // full-width digits are not decimal digits here
    row("1,5", 1.5, true);
    row("145,7125", 145.7125, true);
    row("1.5", 1.5, true);
    row("1,5,2", 1.5, true);
}

// The point is the decimal separator whatever the locale.
void TestCsvExchange::numericValue()
{
    QFETCH(QString, field);
    QFETCH(double, value);
    QFETCH(bool, decimalComma);
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const double got = csvNumericValue(field, decimalComma);
    QLocale::setDefault(saved);
    QCOMPARE(got, value);
}

void TestCsvExchange::failedExportKeepsOldFile()
{
    QTemporaryDir dir;
    const QString old = dir.filePath(QStringLiteral("old.csv"));
    QFile f(old);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("old content\r\n");
    f.close();
    Document doc;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.csv")));
    QCOMPARE(exportCsv(dir.filePath(QStringLiteral("folder.csv")), doc), FileError::FileOpenError);
    QCOMPARE(exportCsv(dir.filePath(QStringLiteral("no/such/folder.csv")), doc),
             FileError::FileOpenError);
    QCOMPARE(exportCsv(old, doc), FileError::None);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), csvExportBytes(doc));
}

// Rows as the file holds them: slot and enable flag of each stored row, in file order.
using StoredRows = QList<QPair<int, bool>>;

StoredRows storedSlots(const QList<CsvRow> &rows)
{
    StoredRows out;
    for (const CsvRow &row : rows)
        out.append({row.bank == CsvRow::Bank::Vfo ? kVfo + row.index : row.index, row.enabled});
    return out;
}

void TestCsvExchange::emptyLastCell_data()
{
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<StoredRows>("stored");
    QTest::addColumn<int>("skipped");

    // How spreadsheets write an empty last cell: the comma, then the line end.
    const auto emptyEnable = [](const char *channel, const QByteArray &end = "\r\n") {
        return csvRow(memoryFields(QString::fromLatin1(channel)).mid(0, 12), "," + end);
    };
    const QByteArray six = csvRow(memoryFields(QStringLiteral("6")));
    QTest::newRow("followed by a row")
        << header() + emptyEnable("5") + six << StoredRows{{5, false}, {6, true}} << 0;
    QTest::newRow("on the last row")
        << header() + six + emptyEnable("5") << StoredRows{{6, true}, {5, false}} << 0;
    QTest::newRow("at the end of the text")
        << header() + six + emptyEnable("5", "") << StoredRows{{6, true}, {5, false}} << 0;
    QTest::newRow("LF line ends")
        << QByteArray(header() + emptyEnable("5") + six).replace("\r\n", "\n")
        << StoredRows{{5, false}, {6, true}} << 0;
    QTest::newRow("CR line ends")
        << QByteArray(header() + emptyEnable("5") + six).replace("\r\n", "\r")
        << StoredRows{{5, false}, {6, true}} << 0;
    QTest::newRow("blanks after the comma")
        << header() + emptyEnable("5", " \t\r\n") + six << StoredRows{{5, false}, {6, true}} << 0;
    // A comma before a line end never joins the lines: the empty field after it is the BANK.
    QTest::newRow("a row broken after its commas")
        << header() + QByteArray(six).replace("\",\"", "\",\r\n\"") << StoredRows{} << 1;
}

// A comma followed by a line end is an empty field, which the line end ends.
void TestCsvExchange::emptyLastCell()
{
    QFETCH(QByteArray, csv);
    QFETCH(StoredRows, stored);
    QFETCH(int, skipped);
    QList<CsvRow> rows;
    CsvImportReport report;
    QCOMPARE(parseCsv(csv, 0, rows, report), FileError::None);
    QCOMPARE(storedSlots(rows), stored);
    QCOMPARE(report.skipped.size(), skipped);
    for (const CsvRow &row : rows)
        QCOMPARE(row.row.text[kColNotes], QStringLiteral("note"));
}

void TestCsvExchange::quotedNotes_data()
{
    QTest::addColumn<QByteArray>("field"); // the NOTES field as the file holds it
    QTest::addColumn<QString>("note");     // as it is read
    QTest::addColumn<bool>("exported");    // whether Export writes that note so

    // Spreadsheets and Export double every quote inside a text.
    QTest::newRow("ends in a quote") << QByteArray("\"a\"\"\"") << QStringLiteral("a\"") << true;
    QTest::newRow("only a quote") << QByteArray("\"\"\"\"") << QStringLiteral("\"") << true;
    QTest::newRow("two quotes") << QByteArray("\"\"\"\"\"\"") << QStringLiteral("\"\"") << true;
    QTest::newRow("starts in a quote") << QByteArray("\"\"\"a\"") << QStringLiteral("\"a") << true;
    QTest::newRow("a quote before a comma")
        << QByteArray("\"a\"\",b\"") << QStringLiteral("a\",b") << true;
    QTest::newRow("the model in quotes")
        << QByteArray("\"\"\"HX-V5\"\"\"") << QStringLiteral("\"HX-V5\"") << true;
    QTest::newRow("quoted words, then a comma")
        << QByteArray("\"say \"\"hi\"\", ok\"") << QStringLiteral("say \"hi\", ok") << true;
    QTest::newRow("blanks after the closing quote")
        << QByteArray("\"a\"\"\"  ") << QStringLiteral("a\"") << false;
    // Written the old way, quotes unchanged: read as before, and never into the next row.
    QTest::newRow("old way, ends in a quote")
        << QByteArray("\"a\"\"") << QStringLiteral("a") << false;
    QTest::newRow("old way, only a quote") << QByteArray("\"\"\"") << QString() << false;
    QTest::newRow("old way, quoted word at the end")
        << QByteArray("\"say \"hi\"\"") << QStringLiteral("say ") << false;
    QTest::newRow("old way, quoted word inside")
        << QByteArray("\"say \"hi\" there\"") << QStringLiteral("say ") << false;
}

// A note with quotes anywhere is read back as written and never runs into the next row.
void TestCsvExchange::quotedNotes()
{
    QFETCH(QByteArray, field);
    QFETCH(QString, note);
    QFETCH(bool, exported);

    const QByteArray row5 = csvRow(memoryFields(QStringLiteral("5")).mid(0, 11), ",");
    const QByteArray csv = header() + row5 + field + ",#TRUE#\r\n" +
                           csvRow(memoryFields(QStringLiteral("6"))) +
                           csvRow(memoryFields(QStringLiteral("7")));
    CsvImportReport report;
    const QList<CsvRow> rows = parsed(csv, 0, &report);
    QCOMPARE(storedSlots(rows), (StoredRows{{5, true}, {6, true}, {7, true}}));
    QCOMPARE(rows.at(0).row.text[kColNotes], note);
    QCOMPARE(rows.at(1).row.text[kColNotes], QStringLiteral("note"));
    QVERIFY(report.skipped.isEmpty());

    if (exported) {
        Document doc;
        TableRow stored = rows.at(0).row;
        doc.channels().setSlot(5, stored, true);
        const QByteArray bytes = csvExportBytes(doc);
        QVERIFY(bytes.contains("\".60000\"," + field + ",#TRUE#\r\n"));
        Document back;
        QCOMPARE(importBytes(bytes, back), FileError::None);
        QCOMPARE(back.channels().row(5), stored);
    }
}

void TestCsvExchange::unclosedQuote_data()
{
    QTest::addColumn<QByteArray>("damaged"); // the row between two good ones, on line 3
    QTest::addColumn<QString>("reason");

    const QByteArray good = csvRow(memoryFields(QStringLiteral("6")));
    const QString unclosed = QStringLiteral("a quote in the row is not closed");
    QTest::newRow("note") << QByteArray(good).replace("\"note\"", "\"note") << unclosed;
    QTest::newRow("ENABLE in quotes")
        << QByteArray(good).replace(",#TRUE#", ",\"#TRUE#") << unclosed;
    QTest::newRow("CHANNEL, closed by the next field's quote")
        << QByteArray(good).replace("\"6\"", "\"6") << QStringLiteral("the row has too few fields");
    QTest::newRow("note, the next row unquoted")
        << QByteArray(good).replace("\"note\"", "\"note") + "\x01" << unclosed;
    QTest::newRow("frequency, closed by the next field's quote")
        << QByteArray(good).replace("\"145.50000\"", "\"145.50000")
        << QStringLiteral("the row has too few fields");
    QTest::newRow("a row cut short") << csvRow(memoryFields(QStringLiteral("6")).mid(0, 8))
                                     << QStringLiteral("the row has too few fields");
}

// A quote that is not closed on its row's line is bounded by the line end: the damaged row is
// skipped and reported, and the rows around it are read as they are.
void TestCsvExchange::unclosedQuote()
{
    QFETCH(QByteArray, damaged);
    QFETCH(QString, reason);
    QByteArray next = csvRow(memoryFields(QStringLiteral("7")));
    if (damaged.endsWith('\x01')) {
        damaged.chop(1);
        next.replace("\"", "");
    }
    const QByteArray csv = header() + csvRow(memoryFields(QStringLiteral("5"))) + damaged + next;
    CsvImportReport report;
    const QList<CsvRow> rows = parsed(csv, 0, &report);
    QCOMPARE(storedSlots(rows), (StoredRows{{5, true}, {7, true}}));
    QCOMPARE(rows.at(1).row.text[kColNotes], QStringLiteral("note"));
    QCOMPARE(report.skipped, (QList<CsvSkippedRow>{{3, reason}}));
}

void TestCsvExchange::enableValues_data()
{
    QTest::addColumn<QByteArray>("enable");
    QTest::addColumn<bool>("enabled");
    for (const char *word : {"#TRUE#", "#true#", "TRUE", "true", "True", "1", "-1", " TRUE ",
                             "\"#TRUE#\"", "\" #true# \""})
        QTest::addRow("%s", word) << QByteArray(word) << true;
    for (const char *word : {"#FALSE#", "FALSE", "false", "0", "\"TRUE\"", "\"#FALSE#\"", "\"1\"",
                             "yes", "2", "1.0", ""})
        QTest::addRow("%s", word) << QByteArray(word) << false;
}

// A spreadsheet that saves the exported file writes TRUE and FALSE, or 1 and 0, for the logical
// values, or "#TRUE#" when it quotes every text; other texts in quotes are texts.
void TestCsvExchange::enableValues()
{
    QFETCH(QByteArray, enable);
    QFETCH(bool, enabled);
    const QByteArray csv =
        csvRow(memoryFields(QStringLiteral("5")).mid(0, 12), "," + enable + "\r\n");
    const QList<CsvRow> rows = parsed(csv);
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.at(0).enabled, enabled);
}

void TestCsvExchange::importReport_data()
{
    QTest::addColumn<QByteArray>("bad"); // the row on line 3, between two good rows
    QTest::addColumn<QString>("reason"); // empty: passed over without a word
    QTest::addColumn<bool>("taken");     // taken after all, the reason among the changes

    const QStringList six = memoryFields(QStringLiteral("6"));
    const auto row = [&six](int field, const char *value) {
        return csvRow(with(six, field, QString::fromUtf8(value)));
    };
    const auto add = [](const char *name, const QByteArray &bad, const char *reason,
                        bool taken = false) {
        QTest::newRow(name) << bad << QString::fromUtf8(reason) << taken;
    };
    add("bank", row(1, "BANKX"), "BANK \"BANKX\" is not VFO, MEMORY or SCAN");
    add("channel empty", row(2, ""), "CHANNEL is empty");
    add("channel 200", row(2, "200"), "channel \"200\" is not 0 to 199");
    add("VFO row", csvRow(with(with(six, 1, QStringLiteral("VFO")), 2, QStringLiteral("Nowhere"))),
        "VFO row \"Nowhere\" is not AM, SW, FM, Air, VHF, L-UHF or H-UHF");
    add("SCAN row", csvRow(with(with(six, 1, QStringLiteral("SCAN")), 2, QStringLiteral("Pri"))),
        "SCAN row \"Pri\" is not P0A, P0B, P1A, P1B, P2A, P2B, P3A, P3B, P4A, P4B, APL, APH or "
        "Priority");
    add("frequency empty", row(3, ""), "FREQUENCY is empty");
    add("frequency not a number", row(3, "none"), "FREQUENCY \"none\" is not a frequency above 0");
    add("frequency 0", row(3, "0.000"), "FREQUENCY \"0.000\" is not a frequency above 0");
    add("frequency too large", row(3, "10000"), "FREQUENCY \"10000\" is above 9999.99999 MHz");
    add("frequency outside the model's ranges", row(3, "300"),
        "300.00000 MHz is outside what HX-V5 D can receive");
    add("mode", row(4, "fm"), "MODE \"fm\" is not FM, AM or WFM");
    add("step", row(5, "6MHz"), "STEP \"6MHz\" is not a tuning step");
    add("tx tone", row(7, "88.6Hz"), "TXTONE \"88.6Hz\" is not a tone of the tone list");
    add("rx tone", row(8, ""), "RXTONE \"\" is not a tone of the tone list");
    add("offset", row(10, "100"), "SHIFT FREQUENCY \"100\" is not 0 to 99.99999 MHz");
    add("too few fields", csvRow(six.mid(0, 12)), "the row has too few fields");
    // Export writes an empty slot so, with or without a note: nothing to take, nothing to tell.
    QByteArray emptySlot = "\"HX-V5\",\"MEMORY\",\"6\"";
    for (int i = 0; i < 8; ++i)
        emptySlot += ",\"\"";
    add("an empty slot", emptySlot + ",\"\",#FALSE#\r\n", "");
    add("an empty slot with a note", emptySlot + ",\"kept\",#TRUE#\r\n", "");
    // Old files may hold text after a number: the leading number is read, and the row told.
    add("text after the frequency", row(3, "145.7125abc"),
        "FREQUENCY \"145.7125abc\" read as 145.71250: the text after the number is left out", true);
    add("a decimal comma in a file of commas", row(3, "145,7125"),
        "FREQUENCY \"145,7125\" read as 145.00000: the text after the number is left out", true);
    add("text after both numbers",
        csvRow(with(with(six, 3, QStringLiteral("145.5MHz")), 10, QStringLiteral("0.6 MHz"))),
        "FREQUENCY \"145.5MHz\" read as 145.50000: the text after the number is left out; "
        "SHIFT FREQUENCY \"0.6 MHz\" read as .60000: the text after the number is left out",
        true);
}

// Every row that is not stored is listed with its line and reason, and the rows around it are
// taken.
void TestCsvExchange::importReport()
{
    QFETCH(QByteArray, bad);
    QFETCH(QString, reason);
    QFETCH(bool, taken);
    const QByteArray csv = header() + csvRow(memoryFields(QStringLiteral("5"))) + bad +
                           csvRow(memoryFields(QStringLiteral("7")));
    Document doc;
    fillAll(doc);
    const TableRow six = doc.channels().row(6);
    CsvImportReport report;
    QCOMPARE(importBytes(csv, doc, &report), FileError::None);
    if (taken) {
        QCOMPARE(report.taken, 3);
        QVERIFY(report.skipped.isEmpty());
        QCOMPARE(report.changed, (QList<CsvSkippedRow>{{3, reason}}));
        QCOMPARE(csvImportSummary(report),
                 QStringLiteral("3 rows imported, 0 rows skipped. 1 row changed."));
        QCOMPARE(csvSkippedRowLines(report), QStringList{QStringLiteral("Line 3: ") + reason});
        return;
    }
    QCOMPARE(report.taken, 2);
    QCOMPARE(doc.channels().row(6), six);
    if (reason.isEmpty()) {
        QVERIFY(report.skipped.isEmpty());
        QCOMPARE(csvImportSummary(report), QStringLiteral("2 rows imported, 0 rows skipped."));
        return;
    }
    QCOMPARE(report.skipped, (QList<CsvSkippedRow>{{3, reason}}));
    QCOMPARE(csvImportSummary(report), QStringLiteral("2 rows imported, 1 row skipped."));
    QCOMPARE(csvSkippedRowLines(report), QStringList{QStringLiteral("Line 3: ") + reason});
}

// Lines are counted as the file has them: CR LF, LF and CR each end one, also inside a note.
void TestCsvExchange::reportLineNumbers()
{
    const QByteArray bad = csvRow(with(memoryFields(QStringLiteral("6")), 4, QStringLiteral("fm")));
    const QByteArray csv = header() +
                           csvRow(with(memoryFields(QStringLiteral("5")), 11,
                                       QStringLiteral("two\r\nlines"))) + // lines 2 and 3
                           "\r\n" +                                       // line 4
                           bad.chopped(2) +
                           "\n" + bad.chopped(2) + "\r" + bad;
    CsvImportReport report;
    const QList<CsvRow> rows = parsed(csv, 0, &report);
    QCOMPARE(rows.size(), 1);
    QCOMPARE(report.skipped.size(), 3);
    QCOMPARE(report.skipped.at(0).line, 5);
    QCOMPARE(report.skipped.at(1).line, 6);
    QCOMPARE(report.skipped.at(2).line, 7);
    QCOMPARE(csvImportSummary(report), QStringLiteral("1 row imported, 3 rows skipped."));
}

void TestCsvExchange::frequencyChecks_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QString>("bank");
    QTest::addColumn<QString>("channel");
    QTest::addColumn<QString>("frequency");
    QTest::addColumn<QString>("reason"); // empty when the row is stored

    const auto row = [](const char *name, int model, const char *bank, const char *channel,
                        const char *frequency, const char *reason = "") {
        QTest::newRow(name) << model << QString::fromLatin1(bank) << QString::fromLatin1(channel)
                            << QString::fromLatin1(frequency) << QString::fromUtf8(reason);
    };
    row("D, memory 0.531", 0, "MEMORY", "5", "0.531");
    row("D, memory 9.995", 0, "MEMORY", "5", "9.995");
    row("D, memory 9.996", 0, "MEMORY", "5", "9.996",
        "9.99600 MHz is outside what HX-V5 D can receive");
    row("D, memory 300", 0, "MEMORY", "5", "300",
        "300.00000 MHz is outside what HX-V5 D can receive");
    row("D, memory 9999", 0, "MEMORY", "5", "9999",
        "9999.00000 MHz is outside what HX-V5 D can receive");
    row("D, scan row 300", 0, "SCAN", "P0A", "300",
        "300.00000 MHz is outside what HX-V5 D can receive");
    row("B, memory 9.995", 4, "MEMORY", "5", "9.995",
        "9.99500 MHz is outside what HX-V5 B can receive");
    row("B, memory 511.995", 4, "MEMORY", "5", "511.995");
    row("A, memory 145.995", 5, "MEMORY", "5", "145.995");
    row("A, memory 146", 5, "MEMORY", "5", "146",
        "146.00000 MHz is outside what HX-V5 A can receive");
    row("B PRO, memory 9999.99999", 2, "MEMORY", "5", "9999.99999");
    row("B PRO, memory 10000", 2, "MEMORY", "5", "10000",
        "FREQUENCY \"10000\" is above 9999.99999 MHz");
    row("B PRO, scan row 1.5", 2, "SCAN", "Priority", "1.5");
    row("D, VFO Air 141.995", 0, "VFO", "Air", "141.995");
    row("D, VFO Air 142", 0, "VFO", "Air", "142",
        "142.00000 MHz is outside the Air band (108.000-141.995MHz) of HX-V5 D");
    row("B, VFO H-UHF 511.995", 4, "VFO", "H-UHF", "511.995");
    row("A K, VFO FM 88.1", 3, "VFO", "FM", "88.1",
        "88.10000 MHz: V5 A K has no range for the FM band");
    // The lower edges, where the band defaults of a new document sit.
    row("D, VFO AM .531", 0, "VFO", "AM", ".531");
    row("D, VFO SW 1.625", 0, "VFO", "SW", "1.625");
    row("D, VFO FM 76.1", 0, "VFO", "FM", "76.1");
    row("D, VFO FM 76.095", 0, "VFO", "FM", "76.095",
        "76.09500 MHz is outside the FM band (76.100-89.995MHz) of HX-V5 D");
    row("B, VFO FM 88.1", 4, "VFO", "FM", "88.1");
    row("A, VFO FM 87.5", 5, "VFO", "FM", "87.5");
    row("D, VFO VHF 142", 0, "VFO", "VHF", "142");
    row("D, VFO L-UHF 380", 0, "VFO", "L-UHF", "380");
    row("B, VFO H-UHF 420", 4, "VFO", "H-UHF", "420");
}

// A row is stored only when the edit dialog would take its frequency for the selected model
// variant.
void TestCsvExchange::frequencyChecks()
{
    QFETCH(int, model);
    QFETCH(QString, bank);
    QFETCH(QString, channel);
    QFETCH(QString, frequency);
    QFETCH(QString, reason);
    QStringList fields =
        with(with(with(memoryFields(channel), 1, bank), 3, frequency), 4,
             bank == QLatin1String("VFO") ? QStringLiteral("AM") : QStringLiteral("FM"));
    if (bank == QLatin1String("VFO"))
        fields.removeLast();
    CsvImportReport report;
    const QList<CsvRow> rows = parsed(csvRow(fields), model, &report);
    if (reason.isEmpty()) {
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.at(0).row.text[kColFrequency], formatMHz(csvNumericValue(frequency)));
        QVERIFY(report.skipped.isEmpty());
    } else {
        QVERIFY(rows.isEmpty());
        QCOMPARE(report.skipped, (QList<CsvSkippedRow>{{1, reason}}));
    }
}

// A file larger than any the program writes is refused before it is read.
void TestCsvExchange::oversizedInput()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("large.csv"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QVERIFY(f.write(csvRow(memoryFields(QStringLiteral("5")))) > 0);
    QVERIFY(f.resize(kMaxInputFileBytes + 1)); // sparse: no room on the disk is taken
    f.close();
    Document doc;
    fillAll(doc);
    const Snapshot before(doc);
    CsvImportReport report;
    QCOMPARE(importCsv(path, doc, report), FileError::FileOpenError);
    QVERIFY(Snapshot(doc) == before);
    QCOMPARE(report.taken, 0);
}

// A device that never ends (and reports no size) is read only up to the bound.
void TestCsvExchange::endlessInput()
{
    if (!QFile::exists(QStringLiteral("/dev/zero")))
        QSKIP("no /dev/zero here");
    Document doc;
    const Snapshot before(doc);
    QCOMPARE(importCsv(QStringLiteral("/dev/zero"), doc), FileError::FileOpenError);
    QVERIFY(Snapshot(doc) == before);
}

// However many rows a file holds, what is kept is one row per target and a report of at most
// kMaxReportedRows lines and a count of the rest.
void TestCsvExchange::longFilesStayBounded()
{
    // A target takes its last row that passes; the rows before that one are not read, nor those
    // before its last 16 when none of these passes.
    QByteArray csv = header() + csvRow(with(memoryFields(QStringLiteral("4")), 4, "fm")) +
                     csvRow(memoryFields(QStringLiteral("4")));
    for (int i = 0; i < 1000; ++i) {
        csv += csvRow(with(memory(3, QStringLiteral("145.5MHz")), 11, QString::number(i)));
        csv += csvRow(with(memoryFields(QStringLiteral("6")), 4, QStringLiteral("fm")));
    }
    CsvImportReport report;
    const QList<CsvRow> rows = parsed(csv, 0, &report);
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows.at(1).row.text[kColNotes], QStringLiteral("999"));
    QCOMPARE(csvImportSummary(report),
             QStringLiteral("2 rows imported, 2000 rows skipped. 1 row changed."));
    QCOMPARE(report.skipped.size(), kMaxReportedRows);
    const QStringList lines = csvSkippedRowLines(report);
    QCOMPARE(lines.size(), kMaxReportedRows + 1);
    QCOMPARE(lines.at(0),
             QStringLiteral("Line 2: MEMORY 4 is named again on line 3, which is taken"));
    QCOMPARE(lines.at(1),
             QStringLiteral("Line 4: MEMORY 5 is named again on line 2002, which is taken"));
    QCOMPARE(lines.at(2), QStringLiteral("Line 5: MEMORY 6 is not read: it is named on 16 later "
                                         "lines, none of which can be taken"));
    QCOMPARE(lines.last(), QStringLiteral("1701 more rows are not listed."));

    // Twenty rows for one slot, none of which it can take: the last 16 are read.
    QByteArray bad = header();
    for (int i = 0; i < 20; ++i)
        bad += csvRow(with(memoryFields(QStringLiteral("7")), 4, QStringLiteral("fm")));
    QVERIFY(parsed(bad, 0, &report).isEmpty());
    const QStringList badLines = csvSkippedRowLines(report);
    QCOMPARE(badLines.size(), 20);
    QCOMPARE(badLines.at(3), QStringLiteral("Line 5: MEMORY 7 is not read: it is named on 16 later "
                                            "lines, none of which can be taken"));
    QCOMPARE(badLines.at(4), QStringLiteral("Line 6: MODE \"fm\" is not FM, AM or WFM"));
}

QTEST_GUILESS_MAIN(TestCsvExchange)
#include "tst_csv_exchange.moc"
