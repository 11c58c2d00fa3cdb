#include "document/document.h"
#include "editing/edit_session.h"
#include "image/channel_codec.h"

#include <QTest>

using namespace hxv5;

namespace {

Document *documentWithModel(int model)
{
    auto *doc = new Document;
    if (model >= 0)
        doc->settings().setModel(model);
    doc->setChanged(false);
    return doc;
}

} // namespace

class TestEditSession : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void emptySlotDefaults();
    void filledSlotLoads();
    void nineKilohertzOnlyForVariant0_data();
    void nineKilohertzOnlyForVariant0();
    void memoryFrequencyCheck_data();
    void memoryFrequencyCheck();
    void vfoFrequencyCheck_data();
    void vfoFrequencyCheck();
    void offsetCheck_data();
    void offsetCheck();
    void keystrokeFilter_data();
    void keystrokeFilter();
    void readNumber_data();
    void readNumber();
    void vfoRefusedOnHiddenBand_data();
    void vfoRefusedOnHiddenBand();
    void vfoModeOptionsByBand_data();
    void vfoModeOptionsByBand();
    void autoLocksAndUnlocks();
    void autoRuleAppliedOnceWhenTicked();
    void okWritesBack();
    void okOnVfoRow();
    void largeOffsetGivesWayToTheStoredOne();
    void cancelChangesNothing();
    void refusedWhileBusy();
};

void TestEditSession::emptySlotDefaults()
{
    std::unique_ptr<Document> doc(documentWithModel(0));
    EditSession session;
    QVERIFY(session.openSlot(*doc, 57));
    QCOMPARE(session.caption(), QStringLiteral("Modify Memory"));
    QCOMPARE(session.modeLabel(), QStringLiteral("Memory"));
    QCOMPARE(session.channelLabel(), QStringLiteral("57Ch"));
    QVERIFY(session.rangeCaption().isEmpty());
    QVERIFY(session.enableVisible());
    QCOMPARE(session.frequencyText, QStringLiteral("145.00000"));
    QCOMPARE(session.mode, 0);
    QCOMPARE(session.step, 7);
    QCOMPARE(session.toneMode, 0);
    QCOMPARE(session.txTone, 8);
    QCOMPARE(session.rxTone, 8);
    QCOMPARE(session.shift, 0);
    QCOMPARE(session.offsetText, QStringLiteral(".60000"));
    QVERIFY(session.noteText.isEmpty());
    QVERIFY(session.enableChecked);
    QVERIFY(!session.autoChecked());
}

void TestEditSession::filledSlotLoads()
{
    std::unique_ptr<Document> doc(documentWithModel(4));
    doc->DecodeChannelRecord(u"043300000000000326250303500000FF", 211);
    doc->channels().setText(211, kColNotes, QStringLiteral("split"));
    EditSession session;
    QVERIFY(session.openSlot(*doc, 211));
    QCOMPARE(session.channelLabel(), QStringLiteral("AP H"));
    QCOMPARE(session.frequencyText, QStringLiteral("433.00000"));
    QCOMPARE(session.step, 0); // "9KHz" stays selected though the variant disables it
    QVERIFY(!session.stepEnabled(0));
    QCOMPARE(session.toneMode, 3);
    QCOMPARE(session.txTone, 38);
    QCOMPARE(session.rxTone, 37);
    QCOMPARE(session.shift, 3);
    QCOMPARE(session.offsetText, QStringLiteral("3.50000"));
    QCOMPARE(session.noteText, QStringLiteral("split"));
    QVERIFY(!session.enableChecked);
}

void TestEditSession::nineKilohertzOnlyForVariant0_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("D") << 0 << true;
    QTest::newRow("B") << 4 << false;
    QTest::newRow("A") << 5 << false;
}

void TestEditSession::nineKilohertzOnlyForVariant0()
{
    QFETCH(int, model);
    QFETCH(bool, enabled);
    std::unique_ptr<Document> doc(documentWithModel(model));
    EditSession session;
    QVERIFY(session.openSlot(*doc, 0));
    QCOMPARE(session.stepEnabled(0), enabled);
    for (int i = 1; i < EditSession::kStepOptionCount; ++i)
        QVERIFY(session.stepEnabled(i));
    for (int i = 0; i < EditSession::kModeCount; ++i)
        QVERIFY(session.modeEnabled(i));
}

void TestEditSession::memoryFrequencyCheck_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<bool>("slotFilled"); // the slot holds 146.52 MHz
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("D 120") << 0 << false << "120"
                           << "120.00000";
    QTest::newRow("D 300 empty slot") << 0 << false << "300"
                                      << "145.00000";
    QTest::newRow("D 300 filled slot") << 0 << true << "300"
                                       << "146.52000";
    QTest::newRow("D 9.995") << 0 << false << "9.995"
                             << "9.99500";
    QTest::newRow("D 9.996") << 0 << false << "9.996"
                             << "145.00000";
    QTest::newRow("D .531") << 0 << false << ".531"
                            << ".53100";
    QTest::newRow("B 9.995") << 4 << true << "9.995"
                             << "146.52000";
    QTest::newRow("B PRO anything") << 2 << false << "3000"
                                    << "3000.00000";
    QTest::newRow("D empty text") << 0 << true << ""
                                  << "146.52000";
}

void TestEditSession::memoryFrequencyCheck()
{
    QFETCH(int, model);
    QFETCH(bool, slotFilled);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    std::unique_ptr<Document> doc(documentWithModel(-1));
    if (slotFilled)
        doc->DecodeChannelRecord(u"014652000000070008080000000000FF", 12);
    // Variants 1..3 are only reached through a settings record.
    QString record = QStringLiteral("A5%1").arg(model, 2, 10, QLatin1Char('0')) +
                     QStringLiteral("0A0304000000000200006C23FFFF");
    doc->setSettingsRecord(record);
    doc->DecodeSettingsRecord();
    EditSession session;
    QVERIFY(session.openSlot(*doc, 12));
    session.frequencyText = typed;
    session.frequencyLostFocus();
    QCOMPARE(session.frequencyText, shown);
}

void TestEditSession::vfoFrequencyCheck_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("Air 141.995") << 0 << 3 << "141.995"
                                 << "141.99500";
    QTest::newRow("Air 142") << 0 << 3 << "142"
                             << "118.00000";
    QTest::newRow("Air 108") << 0 << 3 << "108"
                             << "108.00000";
    QTest::newRow("AM .531") << 0 << 0 << ".531"
                             << ".53100";
    QTest::newRow("AM 1.621") << 0 << 0 << "1.621"
                              << ".53100";
    QTest::newRow("B H-UHF 500") << 4 << 6 << "500"
                                 << "500.00000";
    QTest::newRow("no plan") << 1 << 4 << "145.5"
                             << "145.00000";
}

void TestEditSession::vfoFrequencyCheck()
{
    QFETCH(int, model);
    QFETCH(int, row);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    std::unique_ptr<Document> doc(documentWithModel(-1));
    doc->setSettingsRecord(QStringLiteral("A5%1").arg(model, 2, 10, QLatin1Char('0')) +
                           QStringLiteral("0A0304000000000200006C23FFFF"));
    doc->DecodeSettingsRecord();
    doc->SetVfoDefaults();
    EditSession session;
    QVERIFY(session.openVfo(*doc, row));
    session.frequencyText = typed;
    session.frequencyLostFocus();
    QCOMPARE(session.frequencyText, shown);
}

void TestEditSession::offsetCheck_data()
{
    QTest::addColumn<bool>("vfo");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("VFO 150") << true << "150"
                             << ".60000";
    QTest::newRow("VFO 100") << true << "100"
                             << ".60000";
    QTest::newRow("VFO 99.99") << true << "99.99"
                               << "99.99000";
    QTest::newRow("VFO 5") << true << "5"
                           << "5.00000";
    // The record holds at most 99.99999 MHz: an empty slot gets the offset it was offered.
    QTest::newRow("memory 150") << false << "150"
                                << ".60000";
    QTest::newRow("memory 100") << false << "100"
                                << ".60000";
    QTest::newRow("memory 99.99999") << false << "99.99999"
                                     << "99.99999";
    QTest::newRow("memory .6") << false << ".6"
                               << ".60000";
    QTest::newRow("memory empty") << false << ""
                                  << ".00000";
}

void TestEditSession::offsetCheck()
{
    QFETCH(bool, vfo);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    std::unique_ptr<Document> doc(documentWithModel(0));
    EditSession session;
    QVERIFY(vfo ? session.openVfo(*doc, 4) : session.openSlot(*doc, 3));
    session.offsetText = typed;
    session.offsetLostFocus();
    QCOMPARE(session.offsetText, shown);
}

void TestEditSession::keystrokeFilter_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("digit") << "12"
                           << "7" << true;
    QTest::newRow("backspace") << "12"
                               << "\b" << true;
    QTest::newRow("first point") << "12"
                                 << "." << true;
    QTest::newRow("second point") << "12.5"
                                  << "." << false;
    QTest::newRow("minus") << "12"
                           << "-" << false;
    QTest::newRow("letter") << "12"
                            << "e" << false;
    QTest::newRow("comma") << "12"
                           << "," << false;
    QTest::newRow("blank") << ""
                           << " " << false;
    QTest::newRow("full-width digit") << "" << QString(QChar(0xFF11)) << false;
}

void TestEditSession::keystrokeFilter()
{
    QFETCH(QString, text);
    QFETCH(QString, key);
    QFETCH(bool, accepted);
    QCOMPARE(EditSession::acceptKey(text, key.at(0)), accepted);
}

void TestEditSession::readNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("plain") << "145.5" << 145.5;
    QTest::newRow("leading point") << ".531" << 0.531;
    QTest::newRow("second point ends") << "1.2.3" << 1.2;
    QTest::newRow("blanks first") << "  7" << 7.0;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("point alone") << "." << 0.0;
}

void TestEditSession::readNumber()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(EditSession::readNumber(text), value);
}

void TestEditSession::vfoRefusedOnHiddenBand_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("opens");
    QTest::newRow("B SW") << 4 << 1 << false;
    QTest::newRow("B AM") << 4 << 0 << false;
    QTest::newRow("B Air") << 4 << 3 << true;
    QTest::newRow("A Air") << 5 << 3 << false;
    QTest::newRow("A L-UHF") << 5 << 5 << false;
    QTest::newRow("A H-UHF") << 5 << 6 << true;
    QTest::newRow("D AM") << 0 << 0 << true;
}

void TestEditSession::vfoRefusedOnHiddenBand()
{
    QFETCH(int, model);
    QFETCH(int, row);
    QFETCH(bool, opens);
    std::unique_ptr<Document> doc(documentWithModel(model));
    EditSession session;
    QCOMPARE(session.openVfo(*doc, row), opens);
}

void TestEditSession::vfoModeOptionsByBand_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("row");
    QTest::addColumn<QList<bool>>("modes");
    QTest::addColumn<bool>("nineOnly");
    QTest::newRow("D AM") << 0 << 0 << QList<bool>{false, true, false} << true;
    QTest::newRow("D SW") << 0 << 1 << QList<bool>{false, true, false} << false;
    QTest::newRow("D FM") << 0 << 2 << QList<bool>{false, false, true} << false;
    QTest::newRow("B Air") << 4 << 3 << QList<bool>{true, true, false} << false;
    QTest::newRow("A H-UHF") << 5 << 6 << QList<bool>{true, true, false} << false;
}

void TestEditSession::vfoModeOptionsByBand()
{
    QFETCH(int, model);
    QFETCH(int, row);
    QFETCH(QList<bool>, modes);
    QFETCH(bool, nineOnly);
    std::unique_ptr<Document> doc(documentWithModel(model));
    EditSession session;
    QVERIFY(session.openVfo(*doc, row));
    QVERIFY(!session.enableVisible());
    QCOMPARE(session.caption(), QStringLiteral("Modify VFO"));
    for (int i = 0; i < 3; ++i)
        QCOMPARE(session.modeEnabled(i), modes.at(i));
    QCOMPARE(session.stepEnabled(0), nineOnly);
    for (int i = 1; i < EditSession::kStepOptionCount; ++i)
        QCOMPARE(session.stepEnabled(i), !nineOnly);
}

void TestEditSession::autoLocksAndUnlocks()
{
    std::unique_ptr<Document> doc(documentWithModel(4));
    EditSession session;
    QVERIFY(session.openVfo(*doc, 2)); // FM band
    session.setAuto(true);
    QVERIFY(!session.modeGroupEnabled());
    QVERIFY(!session.stepGroupEnabled());
    for (int i = 0; i < EditSession::kStepOptionCount; ++i)
        QVERIFY(!session.stepEnabled(i));
    QCOMPARE(session.mode, 2);
    QCOMPARE(session.step, 13);
    session.setAuto(false);
    QVERIFY(session.modeGroupEnabled());
    QCOMPARE(session.modeEnabled(2), true);
    QCOMPARE(session.modeEnabled(0), false);
    QVERIFY(!session.stepEnabled(0));
    QVERIFY(session.stepEnabled(13));
    QCOMPARE(session.mode, 2);
    QCOMPARE(session.step, 13);
}

void TestEditSession::autoRuleAppliedOnceWhenTicked()
{
    std::unique_ptr<Document> doc(documentWithModel(0));
    EditSession session;
    QVERIFY(session.openSlot(*doc, 0));
    session.frequencyText = QStringLiteral("0.6");
    session.setAuto(true);
    QCOMPARE(session.mode, 1);
    QCOMPARE(session.step, 0); // 9KHz
    session.frequencyText = QStringLiteral("145");
    QCOMPARE(session.step, 0);
    session.setAuto(false);
    QVERIFY(session.stepEnabled(0));
    session.setAuto(true);
    QCOMPARE(session.mode, 0);
    QCOMPARE(session.step, 7);
}

void TestEditSession::okWritesBack()
{
    std::unique_ptr<Document> doc(documentWithModel(0));
    EditSession session;
    QVERIFY(session.openSlot(*doc, 30));
    session.frequencyText = QStringLiteral("430.5");
    session.toneMode = 3;
    session.txTone = 12;
    session.shift = 2;
    session.offsetText = QStringLiteral("7.6");
    session.noteText = QStringLiteral("club, \"north\"");
    session.enableChecked = false;
    QVERIFY(session.accept(*doc));
    QVERIFY(doc->isChanged());
    const TableRow &row = doc->channels().row(30);
    QCOMPARE(row.text[kColFrequency], QStringLiteral("430.50000"));
    QCOMPARE(row.number[kColFrequency], 430.5);
    QCOMPARE(row.text[kColTone], QStringLiteral("Rev."));
    QCOMPARE(row.text[kColTxTone], QStringLiteral("100.0Hz"));
    QCOMPARE(row.text[kColShift], QStringLiteral("-Shift"));
    QCOMPARE(row.text[kColShiftFreq], QStringLiteral("7.60000"));
    QCOMPARE(row.text[kColNotes], QStringLiteral("club, \"north\""));
    QCOMPARE(row.text[kColStep], QStringLiteral("20KHz"));
    QVERIFY(!doc->channels().isEnabled(30));
    QCOMPARE(doc->EncodeChannelRecord(30), QStringLiteral("04305000000007030C080207600000FF"));
}

void TestEditSession::okOnVfoRow()
{
    std::unique_ptr<Document> doc(documentWithModel(0));
    EditSession session;
    QVERIFY(session.openVfo(*doc, 3));
    session.frequencyText = QStringLiteral("999"); // outside the band: the check runs on OK
    session.mode = 0;
    QVERIFY(session.accept(*doc));
    QCOMPARE(doc->vfo().text(3, kColFrequency), QStringLiteral("118.00000"));
    QCOMPARE(doc->vfo().text(3, kColMode), QStringLiteral("FM"));
    QVERIFY(doc->isChanged());
}

// An offset the record cannot hold gives way to the slot's own, which is what is written.
void TestEditSession::largeOffsetGivesWayToTheStoredOne()
{
    std::unique_ptr<Document> doc(documentWithModel(0));
    doc->DecodeChannelRecord(u"043300000000000326250303500000FF", 1);
    EditSession session;
    QVERIFY(session.openSlot(*doc, 1));
    session.offsetText = QStringLiteral("435");
    QVERIFY(session.accept(*doc));
    QCOMPARE(doc->channels().text(1, kColShiftFreq), QStringLiteral("3.50000"));
    QCOMPARE(doc->EncodeChannelRecord(1).mid(22, 7), QStringLiteral("0350000"));
}

// Cancel is not calling accept. What it must leave behind: the document as it was, and a
// session that the next opening sets up anew from the table, not from the abandoned edits.
void TestEditSession::cancelChangesNothing()
{
    std::unique_ptr<Document> doc(documentWithModel(0));
    doc->DecodeChannelRecord(u"043300000000000326250303500000FF", 5);
    doc->channels().setText(5, kColNotes, QStringLiteral("split"));
    doc->channels().setEnabled(5, true);
    doc->setChanged(false);
    const TableRow before = doc->channels().row(5);

    EditSession session;
    QVERIFY(session.openSlot(*doc, 5));
    session.frequencyText = QStringLiteral("120");
    session.noteText = QStringLiteral("abandoned");
    session.offsetText = QStringLiteral("7");
    session.enableChecked = false;
    session.toneMode = 1;
    session.txTone = 2;
    session.rxTone = 3;
    session.shift = 1;
    session.frequencyLostFocus();
    session.offsetLostFocus();
    session.setAuto(true);
    QCOMPARE(doc->channels().row(5), before);
    QVERIFY(doc->channels().isEnabled(5));
    QVERIFY(!doc->isChanged());

    QVERIFY(session.openSlot(*doc, 5));
    QCOMPARE(session.frequencyText, QStringLiteral("433.00000"));
    QCOMPARE(session.noteText, QStringLiteral("split"));
    QCOMPARE(session.offsetText, QStringLiteral("3.50000"));
    QVERIFY(session.enableChecked);
    QCOMPARE(session.step, 0);
    QCOMPARE(session.toneMode, 3);
    QCOMPARE(session.txTone, 38);
    QCOMPARE(session.rxTone, 37);
    QCOMPARE(session.shift, 3);
    QVERIFY(!session.autoChecked());
    QVERIFY(session.modeGroupEnabled());
    QVERIFY(session.stepGroupEnabled());
    QVERIFY(session.stepEnabled(5));

    // The next edit that is confirmed writes its own row only.
    QVERIFY(session.openSlot(*doc, 6));
    QVERIFY(session.accept(*doc));
    QCOMPARE(doc->channels().row(5), before);
    QVERIFY(doc->channels().isEnabled(5));
    QVERIFY(doc->channels().row(6).holdsChannel());
}

void TestEditSession::refusedWhileBusy()
{
    std::unique_ptr<Document> doc(documentWithModel(0));
    EditSession session;
    QVERIFY(session.openSlot(*doc, 5));
    doc->setBusy(true);
    QVERIFY(!session.accept(*doc));
    QVERIFY(!session.openSlot(*doc, 6));
    QVERIFY(!session.openVfo(*doc, 3));
    QVERIFY(doc->channels().row(5).isEmpty());
    QVERIFY(!doc->isChanged());
}

QTEST_GUILESS_MAIN(TestEditSession)
#include "tst_edit_session.moc"
