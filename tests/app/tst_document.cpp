#include "document/document.h"

#include <QSignalSpy>
#include <QTest>

using namespace hxv5;

class TestDocument : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void startUpState();
    void settingsChangesSetTheChangedFlag();
    void variantChoiceKeepsVfoData();
    void hiddenVfoRows_data();
    void hiddenVfoRows();
    void enableBlocks();
    void decodeIntoSlotsAndRows();
    void resetToNew();
};

void TestDocument::startUpState()
{
    Document doc;
    QCOMPARE(doc.model(), 0);
    QCOMPARE(doc.settingsRecord(), QStringLiteral("A5000A0304000000000200006C23FFFF"));
    QVERIFY(!doc.isChanged());
    QVERIFY(!doc.isBusy());
    QVERIFY(doc.currentFile().isEmpty());
    QCOMPARE(doc.vfo().text(2, kColFrequency), QStringLiteral("76.10000"));
    QCOMPARE(doc.vfo().text(0, kColFrequency), QStringLiteral(".53100"));
    QCOMPARE(doc.settings().volume(), 10);
    QCOMPARE(doc.settings().band(), 4);
    for (int s = 0; s < kSlotCount; ++s)
        QVERIFY(doc.channels().row(s).isEmpty());
    QVERIFY(doc.enableBlocks()[0].isEmpty());
}

void TestDocument::settingsChangesSetTheChangedFlag()
{
    Document doc;
    QSignalSpy spy(&doc, &Document::changedFlagChanged);
    doc.settings().setVolume(17);
    QVERIFY(doc.isChanged());
    QCOMPARE(spy.count(), 1);
    doc.setChanged(false);
    // Table edits are marked by the operations that make them, not by the table itself.
    doc.channels().setEnabled(3, true);
    QVERIFY(!doc.isChanged());
}

// Choosing another variant changes which rows are drawn, not the VFO data.
void TestDocument::variantChoiceKeepsVfoData()
{
    Document doc;
    const TableRow am = doc.vfo().row(0);
    const TableRow air = doc.vfo().row(3);
    doc.settings().setModel(5);
    QVERIFY(doc.vfoRowHidden(0));
    QVERIFY(doc.vfoRowHidden(3));
    doc.settings().setModel(1);
    for (int r = 0; r < kVfoRowCount; ++r)
        QVERIFY(!doc.vfoRowHidden(r));
    QCOMPARE(doc.vfo().row(0), am);
    QCOMPARE(doc.vfo().row(3), air);
}

void TestDocument::hiddenVfoRows_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<int>("hiddenCount");
    QTest::newRow("B") << "A5040A0304000000000200006C23FFFF" << 2;
    QTest::newRow("A") << "A5050A0304000000000200006C23FFFF" << 4;
    QTest::newRow("D") << "A5000A0304000000000200006C23FFFF" << 0;
}

void TestDocument::hiddenVfoRows()
{
    QFETCH(QString, record);
    QFETCH(int, hiddenCount);
    Document doc;
    doc.setSettingsRecord(record);
    doc.DecodeSettingsRecord();
    int hidden = 0;
    for (int r = 0; r < kVfoRowCount; ++r)
        hidden += doc.vfoRowHidden(r);
    QCOMPARE(hidden, hiddenCount);
}

void TestDocument::enableBlocks()
{
    Document doc;
    QSignalSpy rebuilt(&doc, &Document::enableBlocksRebuilt);
    doc.channels().setEnabled(0, true);
    doc.channels().setEnabled(212, true);
    doc.FlagsToBitmap();
    QCOMPARE(rebuilt.count(), 1);
    QCOMPARE(doc.enableBlocks()[0], QStringLiteral("80000000000000000000000000000000"));
    QCOMPARE(doc.enableBlocks()[1], QStringLiteral("00000000000000000000080000000000"));
    QCOMPARE(rebuilt.at(0).at(1).toString(), doc.enableBlocks()[1]);

    doc.setEnableBlock(0, QString(32, QLatin1Char('F')));
    doc.setEnableBlock(1, QString(32, QLatin1Char('0')));
    doc.BitmapToFlags();
    QVERIFY(doc.channels().isEnabled(127));
    QVERIFY(!doc.channels().isEnabled(128));
    QVERIFY(!doc.channels().isEnabled(212));
}

void TestDocument::decodeIntoSlotsAndRows()
{
    Document doc;
    doc.channels().setText(57, kColNotes, QStringLiteral("repeater"));
    QVERIFY(doc.DecodeChannelRecord(u"014550000000050008080200600000FF", 57));
    QCOMPARE(doc.channels().text(57, kColFrequency), QStringLiteral("145.50000"));
    QCOMPARE(doc.channels().text(57, kColNotes), QStringLiteral("repeater"));
    QCOMPARE(doc.EncodeChannelRecord(57), QStringLiteral("014550000000050008080200600000FF"));
    QVERIFY(!doc.DecodeChannelRecord(QString(32, QLatin1Char('0')), 57));
    QVERIFY(doc.channels().row(57).isEmpty());
    QCOMPARE(doc.channels().text(57, kColNotes), QString());

    QVERIFY(doc.DecodeVfoRecord(u"043300000000070008080005000000FF", 6));
    QCOMPARE(doc.EncodeVfoRecord(6), QStringLiteral("043300000000070008080005000000FF"));
}

void TestDocument::resetToNew()
{
    Document doc;
    doc.settings().setModel(4);
    doc.channels().setEnabled(9, true);
    doc.DecodeChannelRecord(u"014550000000050008080200600000FF", 9);
    doc.vfo().setText(2, kColFrequency, QStringLiteral("99.00000"));
    doc.resetToNew();
    QCOMPARE(doc.settingsRecord(), QStringLiteral("A5040A0304000000000200006C23FFFF"));
    QCOMPARE(doc.model(), 4);
    QCOMPARE(doc.vfo().text(2, kColFrequency), QStringLiteral("88.10000"));
    QVERIFY(doc.channels().row(9).isEmpty());
    QVERIFY(!doc.channels().isEnabled(9));
}

QTEST_GUILESS_MAIN(TestDocument)
#include "tst_document.moc"
