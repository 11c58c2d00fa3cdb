#include "document/document.h"
#include "document_fixtures.h"
#include "files/row_clipboard.h"

#include <QTest>

using namespace hxv5;
using namespace hxv5::testing;

namespace {

TableRow channel(double mhz, const QString &note = {})
{
    TableRow row;
    row.number = {mhz, 0, 7, 0, 8, 8, 0, 0.6, 0};
    row.text = {formatMHz(mhz),         QStringLiteral("FM"),     QStringLiteral("20KHz"),
                QStringLiteral("None"), QStringLiteral("88.5Hz"), QStringLiteral("88.5Hz"),
                QStringLiteral("None"), QStringLiteral(".60000"), note};
    return row;
}

const QString kHeader = QStringLiteral("Channel\tFrequency\tMode\tStep\tTone\tTxTone\tRxTone\tShift"
                                       "\tShiftFreq.\tNotes\tEnable");

QList<int> allSlots()
{
    QList<int> slots;
    for (int s = 0; s < kSlotCount; ++s)
        slots.append(s);
    return slots;
}

} // namespace

class TestRowClipboard : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void copyIsTabSeparatedWithAHeader();
    void copyAsCsv();
    void ownCopyRoundTrips_data();
    void ownCopyRoundTrips();
    void spreadsheetText_data();
    void spreadsheetText();
    void pasteAsksBeforeOverwriting_data();
    void pasteAsksBeforeOverwriting();
    void pasteRefusedWhileBusy();
    void pasteSummary_data();
    void pasteSummary();
    void manyRowsAreCounted();
};

void TestRowClipboard::copyIsTabSeparatedWithAHeader()
{
    Document doc;
    doc.channels().setSlot(12, channel(145.5, QStringLiteral("tab\there")), true);
    doc.channels().setSlot(210, channel(146), false);
    // Unsorted and doubled: the rows come once each, in slot order.
    const QString text = copiedRowsText(doc.channels(), {210, 12, 12});
    QCOMPARE(text, kHeader + QStringLiteral("\r\n"
                                            "12\t145.50000\tFM\t20KHz\tNone\t88.5Hz\t88.5Hz\tNone"
                                            "\t.60000\ttab here\tTRUE\r\n"
                                            "A-L\t146.00000\tFM\t20KHz\tNone\t88.5Hz\t88.5Hz\tNone"
                                            "\t.60000\t\tFALSE\r\n"));
}

void TestRowClipboard::copyAsCsv()
{
    Document doc;
    doc.channels().setSlot(3, channel(145.5, QStringLiteral("say \"hi\", ok")), false);
    const QList<QByteArray> lines = copiedRowsCsv(doc.channels(), {3}).split('\n');
    QCOMPARE(lines.size(), 3);
    QVERIFY(lines.at(0).startsWith("\"Channel\",\"Frequency\","));
    QCOMPARE(lines.at(1), QByteArray("\"3\",\"145.50000\",\"FM\",\"20KHz\",\"None\",\"88.5Hz\","
                                     "\"88.5Hz\",\"None\",\".60000\",\"say \"\"hi\"\", ok\","
                                     "\"FALSE\"\r"));
}

void TestRowClipboard::ownCopyRoundTrips_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("model");
    for (quint32 seed : {1u, 2u, 3u})
        for (int model : {0, 4, 5})
            QTest::addRow("seed %u, model %d", seed, model) << seed << model;
}

// Every slot copied from one document and pasted into a fresh one gives the same table: texts,
// numbers and enable flags, notes as they are stored.
void TestRowClipboard::ownCopyRoundTrips()
{
    QFETCH(quint32, seed);
    QFETCH(int, model);
    Document source;
    fillRandomly(source, seed, {.receivable = true, .model = model});
    const QString text = copiedRowsText(source.channels(), allSlots());

    Document target;
    target.settings().setModel(model);
    CsvImportReport report;
    QVERIFY(pasteRows(target, text, 0, nullptr, report));
    QVERIFY2(report.skipped.isEmpty(), qPrintable(csvSkippedRowLines(report).join('\n')));
    QCOMPARE(report.taken, kSlotCount);
    for (int s = 0; s < kSlotCount; ++s) {
        QCOMPARE(target.channels().row(s), withStoredNote(source.channels().row(s)));
        QCOMPARE(target.channels().isEnabled(s), source.channels().isEnabled(s));
    }
}

void TestRowClipboard::spreadsheetText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("firstSlot");
    // Per slot from firstSlot: the frequency text, "-" for a slot left as it was.
    QTest::addColumn<QStringList>("frequencies");
    QTest::addColumn<QStringList>("modes");
    QTest::addColumn<QStringList>("skipped"); // "line: start of the reason"

    QTest::newRow("no header, Channel first")
        << QStringLiteral("5\t146.52000\tAM\t5KHz\tNone\t88.5Hz\t88.5Hz\tNone\t.00000\tx\tTRUE\n")
        << 20 << QStringList{"146.52000"} << QStringList{"AM"} << QStringList();
    QTest::newRow("no header, no Channel column")
        << QStringLiteral("146.52000\tWFM\t5KHz\tNone\t88.5Hz\t88.5Hz\tNone\t.00000\r\n"
                          "147.00000\tFM\t5KHz\tNone\t88.5Hz\t88.5Hz\tNone\t.00000\r\n")
        << 20 << QStringList{"146.52000", "147.00000"} << QStringList{"WFM", "FM"} << QStringList();
    // Columns the header lacks take a new channel's values; others are passed over.
    QTest::newRow("header with missing and extra columns")
        << QStringLiteral("Comment\tfrequency\tNOTES\n"
                          "ignored\t145.10000\tfirst\n"
                          "\n"
                          "ignored\t145.20000\tsecond\n")
        << 0 << QStringList{"145.10000", "145.20000"} << QStringList{"FM", "FM"} << QStringList();
    QTest::newRow("header in another order, CSV names")
        << QStringLiteral("MODE\tSHIFT FREQUENCY\tFREQUENCY\nAM\t1.5\t145.3\n") << 7
        << QStringList{"145.30000"} << QStringList{"AM"} << QStringList();
    // A bad value skips its row, which keeps its slot: the rows below stay where they were put.
    QTest::newRow("bad values") << QStringLiteral("Frequency\tMode\tTxTone\n"
                                                  "145.10000\tfm\t88.5Hz\n"
                                                  "145.20000\tFM\t88.5Hz\n"
                                                  "145.30000\tFM\t12Hz\n"
                                                  "abc\tFM\t88.5Hz\n"
                                                  "3000\tFM\t88.5Hz\n")
                                << 0 << QStringList{"-", "145.20000", "-", "-", "-"}
                                << QStringList{"-", "FM", "-", "-", "-"}
                                << QStringList{"2: MODE \"fm\"", "4: TXTONE \"12Hz\"",
                                               "5: FREQUENCY \"abc\"",
                                               "6: 3000.00000 MHz is outside"};
    QTest::newRow("short row without header takes defaults")
        << QStringLiteral("145.40000\tAM\n") << 0 << QStringList{"145.40000"} << QStringList{"AM"}
        << QStringList();
    QTest::newRow("past the last slot")
        << QStringLiteral("145.1\tFM\n145.2\tFM\n145.3\tFM\n") << 211
        << QStringList{"145.10000", "145.20000"} << QStringList{"FM", "FM"}
        << QStringList{"3: there is no slot left"};
    // Without a Frequency column a row is no empty slot: it would empty a channel unasked.
    QTest::newRow("no Frequency column")
        << QStringLiteral("Notes\tMode\nx\tFM\n") << 3 << QStringList{"-"} << QStringList{"-"}
        << QStringList{"2: FREQUENCY is empty"};
    // A number cell holds a number: a spreadsheet's decimal comma is one, text after it is not.
    QTest::newRow("decimal commas")
        << QStringLiteral("Frequency\tShiftFreq.\n145,7125\t0,6\n") << 0 << QStringList{"145.71250"}
        << QStringList{"FM"} << QStringList();
    QTest::newRow("decimal comma, no header, no Channel column")
        << QStringLiteral("145,7125\tAM\n") << 0 << QStringList{"145.71250"} << QStringList{"AM"}
        << QStringList();
    QTest::newRow("text after a number")
        << QStringLiteral("Frequency\tShiftFreq.\n145.7125abc\t0\n145.2\t0.6x\n145.3\t\n") << 0
        << QStringList{"-", "-", "145.30000"} << QStringList{"-", "-", "FM"}
        << QStringList{"2: FREQUENCY \"145.7125abc\" is not a number",
                       "3: SHIFT FREQUENCY \"0.6x\" is not a number"};
    QTest::newRow("quoted cells") << QStringLiteral(
                                         "Frequency\tNotes\n\"145.10000\"\t\"a \"\"b\"\"\"\n")
                                  << 0 << QStringList{"145.10000"} << QStringList{"FM"}
                                  << QStringList();
}

void TestRowClipboard::spreadsheetText()
{
    QFETCH(QString, text);
    QFETCH(int, firstSlot);
    QFETCH(QStringList, frequencies);
    QFETCH(QStringList, modes);
    QFETCH(QStringList, skipped);

    Document doc;
    const TableRow old = channel(100);
    for (int s = 0; s < kSlotCount; ++s)
        doc.channels().setSlot(s, old, false);
    CsvImportReport report;
    const bool pasted = pasteRows(
        doc, text, firstSlot, [](auto &&...) { return true; }, report);
    QCOMPARE(pasted, frequencies.count(QStringLiteral("-")) < frequencies.size());

    QStringList reasons = csvSkippedRowLines(report);
    QCOMPARE(reasons.size(), skipped.size());
    for (int i = 0; i < skipped.size(); ++i)
        QVERIFY2(reasons.at(i).startsWith(QStringLiteral("Line ") + skipped.at(i)),
                 qPrintable(reasons.at(i)));
    for (int i = 0; i < frequencies.size(); ++i) {
        const int slot = firstSlot + i;
        if (frequencies.at(i) == QLatin1String("-")) {
            QCOMPARE(doc.channels().row(slot), old);
            continue;
        }
        QCOMPARE(doc.channels().text(slot, kColFrequency), frequencies.at(i));
        QCOMPARE(doc.channels().text(slot, kColMode), modes.at(i));
    }
    // The slots around are untouched.
    if (firstSlot > 0)
        QCOMPARE(doc.channels().row(firstSlot - 1), old);
    if (firstSlot + frequencies.size() < kSlotCount)
        QCOMPARE(doc.channels().row(firstSlot + static_cast<int>(frequencies.size())), old);
}

void TestRowClipboard::pasteAsksBeforeOverwriting_data()
{
    QTest::addColumn<bool>("occupied");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<int>("questions");
    QTest::addColumn<bool>("pasted");

    QTest::newRow("empty slots: no question") << false << false << 0 << true;
    QTest::newRow("channels, OK") << true << true << 1 << true;
    QTest::newRow("channels, Cancel") << true << false << 1 << false;
}

void TestRowClipboard::pasteAsksBeforeOverwriting()
{
    QFETCH(bool, occupied);
    QFETCH(bool, answer);
    QFETCH(int, questions);
    QFETCH(bool, pasted);

    Document doc;
    if (occupied)
        doc.channels().setSlot(41, channel(100), true);
    doc.setChanged(false);
    const DocumentContent before = doc.state();
    int asked = 0;
    QString title;
    CsvImportReport report;
    const bool result = pasteRows(
        doc, QStringLiteral("145.1\n145.2\n"), 40,
        [&](const QString &t, const QString &) {
            ++asked;
            title = t;
            return answer;
        },
        report);
    QCOMPARE(result, pasted);
    QCOMPARE(asked, questions);
    if (questions > 0)
        QCOMPARE(title, QStringLiteral("PASTE OK"));
    QCOMPARE(doc.isChanged(), pasted);
    QCOMPARE(doc.history().count(), pasted ? 1 : 0);
    if (!pasted) {
        QVERIFY(doc.state() == before);
        return;
    }
    QCOMPARE(doc.history().undoText(), QStringLiteral("Paste"));
    QVERIFY(doc.undo());
    QVERIFY(doc.state() == before);
    QVERIFY(!doc.isChanged());
}

void TestRowClipboard::pasteRefusedWhileBusy()
{
    Document doc;
    doc.setBusy(true);
    CsvImportReport report;
    QVERIFY(!pasteRows(doc, QStringLiteral("145.1\n"), 0, nullptr, report));
    QVERIFY(doc.channels().row(0).isEmpty());
    QCOMPARE(doc.history().count(), 0);
}

void TestRowClipboard::pasteSummary_data()
{
    QTest::addColumn<int>("taken");
    QTest::addColumn<int>("skipped");
    QTest::addColumn<QString>("summary");
    QTest::newRow("one of each") << 1 << 1 << "1 row pasted, 1 row skipped.";
    QTest::newRow("many, none") << 12 << 0 << "12 rows pasted, 0 rows skipped.";
}

void TestRowClipboard::pasteSummary()
{
    QFETCH(int, taken);
    QFETCH(int, skipped);
    QFETCH(QString, summary);
    CsvImportReport report;
    report.taken = taken;
    for (int i = 0; i < skipped; ++i)
        report.skipped.append({i + 1, QStringLiteral("bad")});
    QCOMPARE(hxv5::pasteSummary(report), summary);
}

// Rows past the last slot are counted, not read, and the report lists the first few of them.
void TestRowClipboard::manyRowsAreCounted()
{
    const QString text = QStringLiteral("145.1\tFM\n").repeated(100000);
    Document doc;
    CsvImportReport report;
    QVERIFY(pasteRows(doc, text, 0, nullptr, report));
    QCOMPARE(hxv5::pasteSummary(report), QStringLiteral("213 rows pasted, 99787 rows skipped."));
    QCOMPARE(report.skipped.size(), kMaxReportedRows);
    const QStringList lines = csvSkippedRowLines(report);
    QCOMPARE(lines.size(), kMaxReportedRows + 1);
    QCOMPARE(lines.first(), QStringLiteral("Line 214: there is no slot left below Pri"));
    QCOMPARE(lines.last(), QStringLiteral("99487 more rows are not listed."));
}

QTEST_GUILESS_MAIN(TestRowClipboard)
#include "tst_row_clipboard.moc"
