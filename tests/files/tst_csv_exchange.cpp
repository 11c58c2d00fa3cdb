#include "app/document.h"
#include "document_fixtures.h"
#include "files/csv_exchange.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

using namespace hxv5;
using namespace hxv5::testing;

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

FileError importBytes(const QByteArray &bytes, Document &doc)
{
    QList<CsvRow> rows;
    const FileError error = parseCsv(bytes, rows);
    if (error == FileError::None)
        applyCsvRows(rows, doc);
    return error;
}

// A document whose slots all hold a channel, so that a row that is wrongly stored shows.
void fillAll(Document &doc)
{
    fillRandomly(doc, 42);
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
// shift kinds; empty slots change nothing.
void TestCsvExchange::roundTrip()
{
    QFETCH(quint32, seed);
    Document source;
    fillRandomly(source, seed);
    QRandomGenerator rng(seed);
    for (int s = 0; s < kSlotCount; ++s) {
        TableRow row = source.channels().row(s);
        if (row.holdsChannel() && row.number[kColTone] == 3 && rng.bounded(2) == 0) {
            row.text[kColTone] = QStringLiteral("Rev.");
            source.channels().setRow(s, row);
        }
    }

    Document target;
    const Snapshot before(target);
    QCOMPARE(importBytes(csvExportBytes(source), target), FileError::None);
    for (int r = 0; r < kVfoRowCount; ++r)
        QCOMPARE(target.vfo().row(r), withStoredNote(source.vfo().row(r)));
    QSet<int> toneModes, shiftKinds;
    for (int s = 0; s < kSlotCount; ++s) {
        const TableRow &row = source.channels().row(s);
        if (row.holdsChannel()) {
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
           csvRow(with(mem5, 1, QStringLiteral("VFO")).mid(0, 12) << QStringLiteral("#FALSE#"))
               .replace(",\"5\",", ",\"Air\","),
           kVfo + 3, kColFrequency, f145, 145.5);
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
    stored("frequency 9999.99999", csvRow(memory(3, QStringLiteral("9999.99999"))), 5,
           kColFrequency, QStringLiteral("9999.99999"), 9999.99999);
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
    stored("enable in quotes is not the logical value",
           QByteArray(csvRow(memory(12, QStringLiteral("#TRUE#")))).replace("#TRUE#", "\"#TRUE#\""),
           5, kColFrequency, f145, 145.5, false);
    stored("enable TRUE without the marks",
           QByteArray(csvRow(memoryFields(QStringLiteral("5")))).replace("#TRUE#", "TRUE"), 5,
           kColFrequency, f145, 145.5, false);

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
    const QByteArray header = "\"MODEL\",\"BANK\",\"CHANNEL\"\r\n";

    QTest::newRow("one row per line") << header + vfo + one + two;
    QTest::newRow("LF line ends") << QByteArray(header + vfo + one + two).replace("\r\n", "\n");
    QTest::newRow("CR line ends") << QByteArray(header + vfo + one + two).replace("\r\n", "\r");
    QTest::newRow("blank lines between rows") << header + "\r\n\r\n" + vfo + "\r\n" + one + two;
    QTest::newRow("all rows on one line")
        << header + vfo.chopped(2) + ',' + one.chopped(2) + ',' + two;
    QTest::newRow("rows broken in place of their commas")
        << header + QByteArray(vfo + one + two).replace("\",\"", "\"\r\n\"");
    QTest::newRow("rows broken after their commas")
        << header + QByteArray(vfo + one + two).replace("\",\"", "\",\r\n\"");
    QTest::newRow("a trailing comma after each row")
        << header + QByteArray(vfo + one + two).replace("\r\n", ",\r\n");
    QTest::newRow("a row of another model between")
        << header + vfo + one + "\"XY-1\",\"MEMORY\"\r\n" + two;
}

// However the rows lie over the lines, they read the same as one row per line.
void TestCsvExchange::layoutsReadAlike()
{
    QFETCH(QByteArray, csv);
    QList<CsvRow> rows;
    QCOMPARE(parseCsv(csv, rows), FileError::None);
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
    const auto row = [](const char *field, double value) {
        QTest::newRow(field) << QString::fromUtf8(field) << value;
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
}

// The point is the decimal separator whatever the locale.
void TestCsvExchange::numericValue()
{
    QFETCH(QString, field);
    QFETCH(double, value);
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const double got = csvNumericValue(field);
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

QTEST_GUILESS_MAIN(TestCsvExchange)
#include "tst_csv_exchange.moc"
