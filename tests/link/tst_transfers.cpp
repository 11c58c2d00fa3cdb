#include "base/user_interaction.h"
#include "document/document.h"
#include "image/channel_codec.h"
#include "image/clone_image.h"
#include "link/transfers.h"
#include "link_test_support.h"
#include "scripted_interaction.h"
#include "transfer_rig.h"

#include <QSignalSpy>
#include <QTest>

using hxv5::Document;
using hxv5::Transfers;
using hxv5::testing::FakeRadio;
using hxv5::testing::ScriptedInteraction;
using Operation = hxv5::Transfers::Operation;
using namespace std::chrono_literals;

namespace {

QByteArray readCommand(int block)
{
    return hxv5::CommandExchange::readCommand(block).toLatin1();
}

QList<QByteArray> commandsFor(const QList<QByteArray> &sent, int block)
{
    QList<QByteArray> out;
    const QByteArray address = "AL~F" + hxv5::blockAddress(block).toLatin1();
    for (const QByteArray &c : sent) {
        if (c.startsWith(address))
            out.append(c);
    }
    return out;
}

// The radio's bitmap: slots 0 and 212 enabled.
const QString kBitmap0 = QStringLiteral("80000000000000000000000000000000");
const QString kBitmap1 = QStringLiteral("00000000000000000000080000000000");

} // namespace

class TestTransfers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readMemoryTakesTheRadioImage();
    void readMemoryStopsAtSlot57();
    void readMemoryWithoutAUsableAnswer_data();
    void readMemoryWithoutAUsableAnswer();
    void readMemoryWithoutAPort();
    void attemptRule_data();
    void attemptRule();
    void writeMemorySendsTheDocument();
    void writeMemoryStopsAfterTheBitmap();
    void readSettingsTakesRecordAndBands();
    void readSettingsStopsInTheVfoLoop();
    void readSettingsStopsAtTheSettingsBlock();
    void writeSettingsTakesTxExtensionFromTheRadio_data();
    void writeSettingsTakesTxExtensionFromTheRadio();
    void writeSettingsStopsBeforeWriting_data();
    void writeSettingsStopsBeforeWriting();
    void oneTransferAtATime();
    void refusedWhileTheDocumentIsBusy();
    void readAllWithTheRadioOff();
    void handRead();
    void firstTransferAfterTheCableIsBack_data();
    void firstTransferAfterTheCableIsBack();
    void stopByTheUser_data();
    void stopByTheUser();

private:
    struct Fixture : hxv5::testing::TransferRig<>
    {
        FakeRadio &radio = port;

        Fixture()
        {
            transfers.exchange().setReplyTimeout(20ms);
            // The document holds 100.x MHz everywhere, the radio 400.x MHz.
            for (int s = 0; s < hxv5::kSlotCount; ++s) {
                doc.DecodeChannelRecord(channelRecord(100 + s * 0.1), s);
                radio.blocks[s] = channelRecord(400 + s * 0.1);
            }
            radio.blocks[hxv5::kEnableBlock0] = kBitmap0;
            radio.blocks[hxv5::kEnableBlock1] = kBitmap1;
            doc.setChanged(false);
        }
    };
};

void TestTransfers::readMemoryTakesTheRadioImage()
{
    Fixture f;
    f.radio.blocks[7] = QString(32, QLatin1Char('F')); // the radio's empty slot
    QSignalSpy memoryBusy(&f.transfers, &Transfers::memoryBusyChanged);
    QSignalSpy slots(&f.transfers, &Transfers::slotStarted);
    QSignalSpy blocks(&f.transfers, &Transfers::blockStarted);
    bool busyThroughout = true;
    connect(&f.transfers, &Transfers::blockStarted, this,
            [&] { busyThroughout = busyThroughout && f.doc.isBusy(); });

    f.transfers.readMemory();
    QVERIFY(f.transfers.isRunning());
    QVERIFY(f.waitFinished());

    QList<QByteArray> expected{readCommand(214), readCommand(215)};
    for (int s = 0; s < hxv5::kSlotCount; ++s)
        expected.append(readCommand(s));
    QCOMPARE(f.port.sent, expected);
    QCOMPARE(f.port.sent.constFirst(), QByteArray("AL~F0D60R\r"));
    QCOMPARE(f.port.sent.constLast(), QByteArray("AL~F0D40R\r"));

    QCOMPARE(frequency(f.doc, 0), 400.0);
    QCOMPARE(frequency(f.doc, 212), 400 + 212 * 0.1);
    QVERIFY(f.doc.channels().row(7).isEmpty());
    QVERIFY(f.doc.channels().text(7, hxv5::kColFrequency).isEmpty());
    QVERIFY(f.doc.channels().isEnabled(0));
    QVERIFY(!f.doc.channels().isEnabled(1));
    QVERIFY(f.doc.channels().isEnabled(212));
    QCOMPARE(f.doc.enableBlocks()[0], kBitmap0);
    QVERIFY(f.doc.isChanged());
    QVERIFY(f.ui.errors.isEmpty());
    QVERIFY(busyThroughout);

    QCOMPARE(f.finished.at(0).at(0).value<Operation>(), Operation::ReadMemory);
    QCOMPARE(f.finished.at(0).at(1).toBool(), true);
    QCOMPARE(memoryBusy.size(), 2);
    QCOMPARE(memoryBusy.at(0).at(0).toBool(), true);
    QCOMPARE(memoryBusy.at(1).at(0).toBool(), false);
    QCOMPARE(slots.size(), hxv5::kSlotCount);
    QCOMPARE(slots.constLast().at(0).toInt(), 212);
    QCOMPARE(blocks.constFirst().at(0).toInt(), 214);
    QCOMPARE(blocks.size(), 215);
}

void TestTransfers::readMemoryStopsAtSlot57()
{
    Fixture f;
    f.radio.faults.insert(57, {FakeRadio::Fault::NoReply, -1});
    f.transfers.readMemory();
    QVERIFY(f.waitFinished());

    QCOMPARE(f.ui.errors, QStringList{QStringLiteral("Communication Error")});
    QCOMPARE(commandsFor(f.port.sent, 57).size(), Transfers::kMaxAttempts);
    QCOMPARE(f.port.sent.constLast(), readCommand(57));
    QCOMPARE(frequency(f.doc, 56), 400 + 56 * 0.1);
    QCOMPARE(frequency(f.doc, 57), 100 + 57 * 0.1);
    QCOMPARE(frequency(f.doc, 212), 100 + 212 * 0.1);
    // The radio's enable flags were taken before the slots.
    QVERIFY(f.doc.channels().isEnabled(212));
    QVERIFY(!f.doc.channels().isEnabled(56));
    QVERIFY(f.doc.isChanged());
    QCOMPARE(f.finished.at(0).at(1).toBool(), false);
}

void TestTransfers::readMemoryWithoutAUsableAnswer_data()
{
    QTest::addColumn<bool>("answers");
    QTest::newRow("no answer") << false;
    // Framed like replies, but no digits: they would read as empty, disabled slots.
    QTest::newRow("letters instead of digits") << true;
}

void TestTransfers::readMemoryWithoutAUsableAnswer()
{
    QFETCH(bool, answers);
    Fixture f;
    if (answers) {
        for (int block = 0; block <= hxv5::kLastBlock; ++block)
            f.radio.faults.insert(block, {FakeRadio::Fault::NotHex, -1});
    } else {
        f.port.responder = nullptr;
    }
    const auto before = f.doc.channels().enableFlags();
    QSignalSpy memoryBusy(&f.transfers, &Transfers::memoryBusyChanged);
    f.transfers.readMemory();
    QVERIFY(f.waitFinished());

    QCOMPARE(f.ui.errors, QStringList{QStringLiteral("Communication Error")});
    QCOMPARE(f.port.sent, QList<QByteArray>(Transfers::kMaxAttempts, readCommand(214)));
    QCOMPARE(frequency(f.doc, 0), 100.0);
    QVERIFY(f.doc.channels().enableFlags() == before);
    QVERIFY(!f.doc.isChanged());
    QCOMPARE(memoryBusy.size(), 2);
}

void TestTransfers::readMemoryWithoutAPort()
{
    Fixture f;
    f.port.openFails = true;
    f.transfers.readMemory();
    QVERIFY(f.waitFinished());
    // A port failure stops at once, without retrying.
    QCOMPARE(f.ui.errors, QStringList{QStringLiteral("COM Port Error")});
    QCOMPARE(f.port.openCount, 1);
    QVERIFY(f.port.sent.isEmpty());
    QVERIFY(!f.doc.isChanged());
}

void TestTransfers::attemptRule_data()
{
    QTest::addColumn<bool>("write");
    QTest::addColumn<FakeRadio::Fault>("fault");
    QTest::addColumn<int>("failures");
    QTest::addColumn<bool>("completed");

    using F = FakeRadio::Fault;
    QTest::newRow("read, 9 without reply") << false << F::NoReply << 9 << true;
    QTest::newRow("read, 9 misframed") << false << F::BadFrame << 9 << true;
    QTest::newRow("read, 10 without reply") << false << F::NoReply << 10 << false;
    QTest::newRow("read, 10 misframed") << false << F::BadFrame << 10 << false;
    QTest::newRow("read, 9 not hexadecimal") << false << F::NotHex << 9 << true;
    QTest::newRow("read, 10 not hexadecimal") << false << F::NotHex << 10 << false;
    QTest::newRow("write, 9 rejected") << true << F::Rejected << 9 << true;
    QTest::newRow("write, 9 without reply") << true << F::NoReply << 9 << true;
    QTest::newRow("write, 10 rejected") << true << F::Rejected << 10 << false;
}

void TestTransfers::attemptRule()
{
    QFETCH(bool, write);
    QFETCH(FakeRadio::Fault, fault);
    QFETCH(int, failures);
    QFETCH(bool, completed);

    Fixture f;
    f.radio.faults.insert(3, {fault, failures});
    if (write)
        f.transfers.writeMemory();
    else
        f.transfers.readMemory();
    QVERIFY(f.waitFinished());

    QCOMPARE(f.finished.at(0).at(1).toBool(), completed);
    QCOMPARE(commandsFor(f.port.sent, 3).size(), completed ? failures + 1 : failures);
    // A retry repeats the very same command.
    const QList<QByteArray> block3 = commandsFor(f.port.sent, 3);
    QVERIFY(std::all_of(block3.begin(), block3.end(),
                        [&](const QByteArray &c) { return c == block3.constFirst(); }));
    QCOMPARE(f.ui.errors,
             completed ? QStringList{} : QStringList{QStringLiteral("Communication Error")});
    // A completed transfer ends with slot 212 (0D40), a stopped one with the failed block.
    QCOMPARE(f.port.sent.constLast().left(9),
             QByteArray(completed ? "AL~F0D40" : "AL~F0030") + (write ? 'W' : 'R'));
    if (completed)
        QCOMPARE(commandsFor(f.port.sent, 212).size(), 1);
    else
        QVERIFY(commandsFor(f.port.sent, 4).isEmpty());
}

void TestTransfers::writeMemorySendsTheDocument()
{
    Fixture f;
    f.doc.channels().setEnabled(5, true);
    f.doc.channels().setEnabled(212, true);
    f.transfers.writeMemory();
    QVERIFY(f.waitFinished());

    QVERIFY(f.ui.errors.isEmpty());
    QCOMPARE(f.port.sent.size(), 215);
    QVERIFY(f.port.sent.at(0).startsWith("AL~F0D60W"));
    QVERIFY(f.port.sent.at(1).startsWith("AL~F0D70W"));
    QVERIFY(f.port.sent.at(2).startsWith("AL~F0000W"));
    QVERIFY(f.port.sent.constLast().startsWith("AL~F0D40W"));
    for (int s = 0; s < hxv5::kSlotCount; ++s)
        QCOMPARE(f.radio.blocks.at(s), f.doc.EncodeChannelRecord(s));
    QCOMPARE(f.radio.blocks.at(214), QStringLiteral("04000000000000000000000000000000"));
    QCOMPARE(f.radio.blocks.at(215), kBitmap1);
    // Writing to the radio changes nothing in the program.
    QVERIFY(!f.doc.isChanged());
    QCOMPARE(frequency(f.doc, 0), 100.0);
}

void TestTransfers::writeMemoryStopsAfterTheBitmap()
{
    Fixture f;
    f.doc.channels().setEnabled(1, true);
    f.radio.faults.insert(0, {FakeRadio::Fault::NoReply, -1});
    f.transfers.writeMemory();
    QVERIFY(f.waitFinished());

    QCOMPARE(f.ui.errors, QStringList{QStringLiteral("Communication Error")});
    // The radio keeps the new bitmap with its old channels.
    QCOMPARE(f.radio.blocks.at(214), QStringLiteral("40000000000000000000000000000000"));
    QCOMPARE(f.radio.blocks.at(0), channelRecord(400));
    QCOMPARE(commandsFor(f.port.sent, 1).size(), 0);
    QVERIFY(!f.doc.isChanged());
}

void TestTransfers::readSettingsTakesRecordAndBands()
{
    Fixture f;
    const QString record = QStringLiteral("A5040A0304000000000200006C23FFFF");
    f.radio.blocks[213] = record;
    for (int r = 0; r < hxv5::kVfoRowCount; ++r)
        f.radio.blocks[hxv5::vfoBlock(r)] = channelRecord(50 + r);
    QSignalSpy settingsBusy(&f.transfers, &Transfers::settingsBusyChanged);
    f.transfers.readSettings();
    QVERIFY(f.waitFinished());

    QList<QByteArray> expected{readCommand(213)};
    for (int b = 216; b <= 222; ++b)
        expected.append(readCommand(b));
    QCOMPARE(f.port.sent, expected);
    QCOMPARE(f.doc.settingsRecord(), record);
    QCOMPARE(f.doc.model(), 4);
    for (int r = 0; r < hxv5::kVfoRowCount; ++r)
        QCOMPARE(f.doc.vfo().number(r, hxv5::kColFrequency), 50.0 + r);
    QVERIFY(f.doc.isChanged());
    QCOMPARE(settingsBusy.size(), 2);
    QCOMPARE(f.finished.at(0).at(0).value<Operation>(), Operation::ReadSettings);
    QCOMPARE(f.finished.at(0).at(1).toBool(), true);
}

void TestTransfers::readSettingsStopsInTheVfoLoop()
{
    Fixture f;
    const QString record = QStringLiteral("A5050A0304000000000200006C23FFFF");
    f.radio.blocks[213] = record;
    const double before3 = f.doc.vfo().number(3, hxv5::kColFrequency);
    for (int r = 0; r < hxv5::kVfoRowCount; ++r)
        f.radio.blocks[hxv5::vfoBlock(r)] = channelRecord(50 + r);
    f.radio.faults.insert(hxv5::vfoBlock(3), {FakeRadio::Fault::NoReply, -1});
    f.transfers.readSettings();
    QVERIFY(f.waitFinished());

    QCOMPARE(f.ui.errors, QStringList{QStringLiteral("Communication Error")});
    QCOMPARE(f.doc.settingsRecord(), record);
    QCOMPARE(f.doc.vfo().number(2, hxv5::kColFrequency), 52.0);
    QCOMPARE(f.doc.vfo().number(3, hxv5::kColFrequency), before3);
    QVERIFY(f.doc.isChanged());
    QCOMPARE(f.finished.at(0).at(1).toBool(), false);
}

void TestTransfers::readSettingsStopsAtTheSettingsBlock()
{
    Fixture f;
    f.radio.blocks[213] = QStringLiteral("A5040A0304000000000200006C23FFFF");
    f.radio.faults.insert(213, {FakeRadio::Fault::BadFrame, -1});
    const QString before = f.doc.settingsRecord();
    f.transfers.readSettings();
    QVERIFY(f.waitFinished());

    QCOMPARE(f.ui.errors, QStringList{QStringLiteral("Communication Error")});
    QCOMPARE(f.port.sent, QList<QByteArray>(Transfers::kMaxAttempts, readCommand(213)));
    QCOMPARE(f.doc.settingsRecord(), before);
    QCOMPARE(f.doc.model(), 0);
    QVERIFY(!f.doc.isChanged());
}

void TestTransfers::writeSettingsTakesTxExtensionFromTheRadio_data()
{
    QTest::addColumn<QString>("radioByte13");
    QTest::addColumn<bool>("checkedBefore");
    QTest::addColumn<bool>("checkedAfter");
    QTest::newRow("radio has it, box clear") << QStringLiteral("27") << false << true;
    QTest::newRow("radio has it (C), box clear") << QStringLiteral("2C") << false << true;
    QTest::newRow("radio lacks it, box set") << QStringLiteral("23") << true << false;
    QTest::newRow("radio lacks it (B), box set") << QStringLiteral("2B") << true << false;
}

void TestTransfers::writeSettingsTakesTxExtensionFromTheRadio()
{
    QFETCH(QString, radioByte13);
    QFETCH(bool, checkedBefore);
    QFETCH(bool, checkedAfter);

    Fixture f;
    f.doc.settings().setTxExtension(checkedBefore);
    f.doc.setChanged(false);
    f.radio.blocks[213] =
        hxv5::SetRecordByte(QStringLiteral("A5000A0304000000000200006C23FFFF"), radioByte13, 13);
    f.transfers.writeSettings();
    QVERIFY(f.waitFinished());

    QVERIFY(f.ui.errors.isEmpty());
    QCOMPARE(f.doc.settings().txExtension(), checkedAfter);
    // The record written carries the radio's own bit.
    const int written = QString(f.radio.blocks.at(213).at(27)).toInt(nullptr, 16);
    QCOMPARE(bool(written & 4), checkedAfter);
    QCOMPARE(f.radio.blocks.at(213), f.doc.settingsRecord());

    QCOMPARE(f.port.sent.size(), 9);
    QCOMPARE(f.port.sent.at(0), readCommand(213));
    QVERIFY(f.port.sent.at(1).startsWith("AL~F0D50W"));
    for (int b = 216; b <= 222; ++b)
        QVERIFY(
            f.port.sent.at(b - 214).startsWith("AL~F" + hxv5::blockAddress(b).toLatin1() + "W"));
    for (int r = 0; r < hxv5::kVfoRowCount; ++r)
        QCOMPARE(f.radio.blocks.at(hxv5::vfoBlock(r)), f.doc.EncodeVfoRecord(r));
    // Only the check box's own change counts as an edit.
    QCOMPARE(f.doc.isChanged(), checkedBefore != checkedAfter);
}

void TestTransfers::writeSettingsStopsBeforeWriting_data()
{
    QTest::addColumn<bool>("portMissing");
    QTest::addColumn<QString>("message");
    QTest::newRow("no reply") << false << QStringLiteral("Communication Error");
    QTest::newRow("no port") << true << QStringLiteral("COM Port Error");
}

void TestTransfers::writeSettingsStopsBeforeWriting()
{
    QFETCH(bool, portMissing);
    QFETCH(QString, message);

    Fixture f;
    f.port.openFails = portMissing;
    f.radio.faults.insert(213, {FakeRadio::Fault::NoReply, -1});
    QSignalSpy settingsBusy(&f.transfers, &Transfers::settingsBusyChanged);
    f.transfers.writeSettings();
    QVERIFY(f.waitFinished());

    QCOMPARE(f.ui.errors, QStringList{message});
    QCOMPARE(f.port.sent,
             QList<QByteArray>(portMissing ? 0 : Transfers::kMaxAttempts, readCommand(213)));
    QCOMPARE(settingsBusy.size(), 2);
    QCOMPARE(settingsBusy.at(1).at(0).toBool(), false);
}

void TestTransfers::oneTransferAtATime()
{
    Fixture f;
    QSignalSpy running(&f.transfers, &Transfers::runningChanged);
    QSignalSpy hand(&f.transfers, &Transfers::handReadFinished);
    int tries = 0;
    // Every other way to start a transfer is tried while Read Memory runs, again and again.
    connect(&f.transfers, &Transfers::slotStarted, this, [&](int slot) {
        if (slot % 50 != 0)
            return;
        ++tries;
        f.transfers.writeMemory();
        f.transfers.readSettings();
        f.transfers.writeSettings();
        f.transfers.readAll();
        f.transfers.writeAll();
        f.transfers.readMemory();
        f.transfers.readBlockByHand(QStringLiteral("0D50"));
    });
    f.transfers.readMemory();
    QVERIFY(f.waitFinished());
    QTest::qWait(50);

    QCOMPARE(tries, 5);
    QCOMPARE(f.finished.size(), 1);
    QCOMPARE(hand.size(), 0);
    QCOMPARE(running.size(), 2);
    QList<QByteArray> expected{readCommand(214), readCommand(215)};
    for (int s = 0; s < hxv5::kSlotCount; ++s)
        expected.append(readCommand(s));
    QCOMPARE(f.port.sent, expected);
}

void TestTransfers::refusedWhileTheDocumentIsBusy()
{
    Fixture f;
    f.doc.setBusy(true);
    f.transfers.readMemory();
    f.transfers.writeAll();
    QVERIFY(!f.transfers.isRunning());
    QTest::qWait(30);
    QVERIFY(f.port.sent.isEmpty());
    QVERIFY(f.doc.isBusy());
}

void TestTransfers::readAllWithTheRadioOff()
{
    Fixture f;
    f.port.responder = nullptr;
    QSignalSpy running(&f.transfers, &Transfers::runningChanged);
    f.transfers.readAll();
    QVERIFY(f.waitFinished(2));

    QCOMPARE(f.ui.errors, QStringList(2, QStringLiteral("Communication Error")));
    QList<QByteArray> expected(Transfers::kMaxAttempts, readCommand(213));
    expected += QList<QByteArray>(Transfers::kMaxAttempts, readCommand(214));
    QCOMPARE(f.port.sent, expected);
    QCOMPARE(f.finished.at(0).at(0).value<Operation>(), Operation::ReadSettings);
    QCOMPARE(f.finished.at(1).at(0).value<Operation>(), Operation::ReadMemory);
    // No gap between the two in which another transfer could start.
    QCOMPARE(running.size(), 2);
}

void TestTransfers::handRead()
{
    Fixture f;
    f.radio.blocks[213] = QStringLiteral("A5000A0304000000000200006C23FFFF");
    QSignalSpy buffer(&f.transfers, &Transfers::handReadBuffer);
    QSignalSpy done(&f.transfers, &Transfers::handReadFinished);
    f.transfers.readBlockByHand(QStringLiteral("0D50"));
    QVERIFY(done.wait());
    QCOMPARE(f.port.sent, QList<QByteArray>{"AL~F0D50R\r"});
    QCOMPARE(buffer.constFirst().at(0).toString(), QString());
    QCOMPARE(buffer.constLast().at(0).toString(),
             QStringLiteral("AL~F0D50R\r\r\nA5000A0304000000000200006C23FFFF\r\n"));
    QVERIFY(!f.transfers.isRunning());

    // No reply: no message and no second attempt.
    f.port.responder = nullptr;
    f.transfers.readBlockByHand(QStringLiteral("0000"));
    QVERIFY(done.wait());
    QCOMPARE(f.port.sent.size(), 2);
    QVERIFY(f.ui.errors.isEmpty());
    QVERIFY(f.finished.isEmpty());
}

void TestTransfers::firstTransferAfterTheCableIsBack_data()
{
    QTest::addColumn<bool>("duringTransfer");
    QTest::newRow("pulled between transfers") << false;
    QTest::newRow("pulled during a transfer") << true;
}

void TestTransfers::firstTransferAfterTheCableIsBack()
{
    QFETCH(bool, duringTransfer);
    Fixture f;
    f.radio.blocks[213] = QStringLiteral("A5040A0304000000000200006C23FFFF");
    QSignalSpy lineFailed(&f.port, &hxv5::SerialPort::errorOccurred);
    f.transfers.readSettings();
    QVERIFY(f.waitFinished());
    QVERIFY(f.ui.errors.isEmpty());

    if (duringTransfer) {
        // The line fails while the radio is being asked for its first band.
        const FakeRadio::Responder answer = f.port.responder;
        f.port.responder = [&](const QByteArray &command) {
            if (command == readCommand(hxv5::vfoBlock(0)))
                f.port.vanish();
            return answer(command);
        };
        f.transfers.readSettings();
        QVERIFY(f.waitFinished(2));
        QCOMPARE(f.ui.errors, QStringList{QStringLiteral("COM Port Error")});
        f.port.responder = answer;
    } else {
        f.port.vanish();
        QVERIFY(lineFailed.wait());
    }
    f.ui.errors.clear();
    f.port.sent.clear();
    const int opened = f.port.openCount;
    f.radio.blocks[213] = QStringLiteral("A5050A0304000000000200006C23FFFF");

    f.transfers.readSettings();
    QVERIFY(f.waitFinished(duringTransfer ? 3 : 2));
    QVERIFY(f.ui.errors.isEmpty());
    QCOMPARE(f.finished.constLast().at(1).toBool(), true);
    QCOMPARE(f.port.openCount, opened + 1);
    QCOMPARE(f.port.sent.size(), 8);
    QCOMPARE(f.doc.model(), 5);
}

void TestTransfers::stopByTheUser_data()
{
    // The transfer's slot; "safe": changes only, the radio's image kept first.
    QTest::addColumn<QByteArray>("transfer");
    QTest::addColumn<int>("silent"); // a block the radio never answers, or -1
    // The stop comes as this block (counted from 0) starts: it is the last on the line.
    QTest::addColumn<int>("stopAt");
    QTest::addColumn<bool>("changed"); // the settings write takes the radio's TX extension
    QTest::addColumn<QString>("notice");

    const QString none = QStringLiteral(" The other blocks hold what the radio held before. No "
                                        "copy of what the radio held was taken before this write.");
    QTest::newRow("read memory, start")
        << QByteArray("readMemory") << -1 << 0 << false
        << "Read Memory stopped before enable block 215. Nothing has changed.";
    QTest::newRow("read memory, middle")
        << QByteArray("readMemory") << -1 << 58 << true
        << "Read Memory stopped before slot 57. What was read before it is kept.";
    QTest::newRow("read memory, end") << QByteArray("readMemory") << -1 << 214 << true << QString();
    QTest::newRow("write memory, start")
        << QByteArray("writeMemory") << -1 << 0 << false
        << "Write Memory stopped before enable block 215. Written before the stop: enable block "
           "214." +
               none;
    QTest::newRow("write memory, middle")
        << QByteArray("writeMemory") << -1 << 58 << false
        << "Write Memory stopped before slot 57. Written before the stop: enable block 214, "
           "enable block 215, slot 0 to slot 56." +
               none;
    QTest::newRow("write memory, end")
        << QByteArray("writeMemory") << -1 << 214 << false << QString();
    // Between two attempts: the one that went out is the last.
    QTest::newRow("write memory, radio silent at slot 3")
        << QByteArray("writeMemory") << 3 << 5 << false
        << "Write Memory stopped at slot 3. Written before the stop: enable block 214, enable "
           "block 215, slot 0 to slot 2. The radio did not confirm slot 3: it may hold the new "
           "or the old text." +
               none;
    QTest::newRow("safe write memory, middle")
        << QByteArray("safe writeMemory") << -1 << 226 << false
        << "Write Memory stopped before slot 2. Written before the stop: enable block 214, enable "
           "block 215, slot 0, slot 1. The other blocks hold what the radio held before. What the "
           "radio held before this write is kept in /kept/radio.TV5. To put back what the radio "
           "held instead, open the backup and write it.";
    QTest::newRow("read settings, start")
        << QByteArray("readSettings") << -1 << 0 << true
        << "Read Settings stopped before VFO AM. What was read before it is kept.";
    QTest::newRow("read settings, middle")
        << QByteArray("readSettings") << -1 << 3 << true
        << "Read Settings stopped before VFO Air. What was read before it is kept.";
    QTest::newRow("read settings, end")
        << QByteArray("readSettings") << -1 << 7 << true << QString();
    QTest::newRow("write settings, start")
        << QByteArray("writeSettings") << -1 << 0 << true
        << "Write Settings stopped before settings block 213. Nothing was written: the radio "
           "holds what it held before. No copy of what the radio held was taken before this "
           "write.";
    QTest::newRow("write settings, middle")
        << QByteArray("writeSettings") << -1 << 4 << true
        << "Write Settings stopped before VFO Air. Written before the stop: settings block 213, "
           "VFO AM to VFO FM." +
               none;
    QTest::newRow("write settings, end")
        << QByteArray("writeSettings") << -1 << 8 << true << QString();
    // The ALL read's second half does not start.
    QTest::newRow("read all, settings half")
        << QByteArray("readAll") << -1 << 2 << true
        << "Read Settings stopped before VFO FM. What was read before it is kept.";
}

void TestTransfers::stopByTheUser()
{
    QFETCH(QByteArray, transfer);
    QFETCH(int, silent);
    QFETCH(int, stopAt);
    QFETCH(bool, changed);
    QFETCH(QString, notice);

    Fixture f;
    f.radio.faults.insert(silent, {FakeRadio::Fault::NoReply, -1});
    f.transfers.setWriteOptions({.changesOnly = transfer.startsWith("safe ")});
    f.transfers.setRadioImageKeeper([](const Document &, QString &keptAt) {
        keptAt = QStringLiteral("/kept/radio.TV5");
        return true;
    });
    QStringList notices;
    connect(&f.transfers, &Transfers::stopNotice, this, [&](const QString &t) { notices << t; });
    connect(&f.transfers, &Transfers::blockStarted, this, [&, started = 0]() mutable {
        if (started++ == stopAt)
            f.transfers.stop();
    });
    QVERIFY(QMetaObject::invokeMethod(&f.transfers,
                                      transfer.mid(transfer.indexOf(' ') + 1).constData()));
    QVERIFY(f.waitFinished());

    QCOMPARE(f.finished.size(), 1);
    // Completed when the stop came with nothing left to do.
    QCOMPARE(f.finished.constFirst().at(1).toBool(), !notice.contains(QLatin1String(" stopped ")));
    QCOMPARE(f.port.sent.size(), stopAt + 1);
    QCOMPARE(notices.join(QLatin1Char('|')), notice);
    QVERIFY(f.ui.errors.isEmpty()); // stopping is no failure
    QCOMPARE(f.doc.isChanged(), changed);
}

QTEST_GUILESS_MAIN(TestTransfers)
#include "tst_transfers.moc"
