#include "editing/channel_table.h"

#include <QSignalSpy>
#include <QTest>

using namespace hxv5;

class TestChannelTable : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void labels_data();
    void labels();
    void headers();
    void emptinessTest_data();
    void emptinessTest();
    void startsEmpty();
    void notifications();
};

void TestChannelTable::labels_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("rowLabel");
    QTest::addColumn<QString>("dialogLabel");
    QTest::newRow("0") << 0 << "0"
                       << "0Ch";
    QTest::newRow("57") << 57 << "57"
                        << "57Ch";
    QTest::newRow("199") << 199 << "199"
                         << "199Ch";
    QTest::newRow("200") << 200 << "P0A"
                         << "P 0A";
    QTest::newRow("209") << 209 << "P4B"
                         << "P 4B";
    QTest::newRow("210") << 210 << "A-L"
                         << "AP L";
    QTest::newRow("211") << 211 << "A-H"
                         << "AP H";
    QTest::newRow("212") << 212 << "Pri"
                         << "Priority";
    QTest::newRow("213") << 213 << ""
                         << "";
}

void TestChannelTable::labels()
{
    QFETCH(int, slot);
    QFETCH(QString, rowLabel);
    QFETCH(QString, dialogLabel);
    QCOMPARE(slotRowLabel(slot), rowLabel);
    QCOMPARE(slotDialogLabel(slot), dialogLabel);
}

void TestChannelTable::headers()
{
    const QStringList expected = {"Frequency", "Mode",  "Step",       "Tone", "TxTone",
                                  "RxTone",    "Shift", "ShiftFreq.", "Notes"};
    for (int c = 0; c < kColumnCount; ++c)
        QCOMPARE(columnHeader(c), expected.at(c));
    const QStringList vfo = {"AM", "SW", "FM", "Air", "VHF", "L-UHF", "H-UHF"};
    for (int r = 0; r < kVfoRowCount; ++r)
        QCOMPARE(vfoRowLabel(r), vfo.at(r));
}

void TestChannelTable::emptinessTest_data()
{
    QTest::addColumn<double>("number");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("holds");
    QTest::newRow("both set") << 145.5 << "145.50000" << true;
    QTest::newRow("number 0, text set") << 0.0 << "145.50000" << false;
    QTest::newRow("number set, text empty") << 145.5 << "" << false;
    QTest::newRow("both empty") << 0.0 << "" << false;
}

void TestChannelTable::emptinessTest()
{
    QFETCH(double, number);
    QFETCH(QString, text);
    QFETCH(bool, holds);
    TableRow row;
    row.number[kColFrequency] = number;
    row.text[kColFrequency] = text;
    row.text[kColMode] = QStringLiteral("FM");
    QCOMPARE(row.holdsChannel(), holds);
    QCOMPARE(row.isEmpty(), !holds);
}

void TestChannelTable::startsEmpty()
{
    ChannelTable channels;
    VfoTable vfo;
    QCOMPARE(channels.rowCount(), 213);
    QCOMPARE(vfo.rowCount(), 7);
    for (int s = 0; s < channels.rowCount(); ++s) {
        QVERIFY(channels.row(s).isEmpty());
        QVERIFY(!channels.isEnabled(s));
        QCOMPARE(channels.row(s), TableRow());
    }
}

// Each change is reported once, for the rows it touched, and a change to the same value is none.
void TestChannelTable::notifications()
{
    ChannelTable channels;
    QSignalSpy spy(&channels, &RowTable::rowsChanged);
    TableRow row;
    row.number[kColFrequency] = 145.5;
    row.text[kColFrequency] = QStringLiteral("145.50000");

    channels.setRow(7, row);
    channels.setRow(7, row);
    channels.setEnabled(8, true);
    channels.setEnabled(8, true);
    channels.setText(9, kColNotes, QStringLiteral("note"));
    channels.setNumber(10, kColMode, 1);
    channels.setSlot(11, row, true);
    QCOMPARE(spy.count(), 5);
    const QList<int> rows = {7, 8, 9, 10, 11};
    for (int i = 0; i < rows.size(); ++i) {
        QCOMPARE(spy.at(i).at(0).toInt(), rows.at(i));
        QCOMPARE(spy.at(i).at(1).toInt(), rows.at(i));
    }
    spy.clear();
    channels.clearAll();
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(1).toInt(), 212);
    QVERIFY(channels.row(7).isEmpty());
    QVERIFY(!channels.isEnabled(11));
}

QTEST_GUILESS_MAIN(TestChannelTable)
#include "tst_channel_table.moc"
