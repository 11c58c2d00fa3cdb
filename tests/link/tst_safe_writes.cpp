#include "document/document.h"
#include "image/clone_image.h"
#include "link/transfer_plan.h"
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
using Phase = hxv5::Transfers::Phase;
using namespace std::chrono_literals;

namespace {

// The block a command names, and whether it writes.
int blockOf(const QByteArray &command)
{
    return command.mid(4, 4).toInt(nullptr, 16) / 16;
}

bool isWrite(const QByteArray &command)
{
    return command.size() > 8 && command.at(8) == 'W';
}

QList<int> blocksSent(const QList<QByteArray> &sent, bool writes)
{
    QList<int> out;
    for (const QByteArray &command : sent) {
        if (isWrite(command) == writes)
            out.append(blockOf(command));
    }
    return out;
}

QList<int> range(int first, int last)
{
    QList<int> out;
    for (int b = first; b <= last; ++b)
        out.append(b);
    return out;
}

// What the user changes between two writes.
enum class Edit { Nothing, OneSlot, EnableFlag, Setting, VfoBand, ClearSlot12, ClearEight };

void applyEdit(Document &doc, Edit edit)
{
    switch (edit) {
    case Edit::Nothing:
        break;
    case Edit::OneSlot:
        doc.DecodeChannelRecord(channelRecord(146.52), 12);
        break;
    case Edit::EnableFlag:
        // Slot 150 is in the second half of the bitmap.
        doc.channels().setEnabled(150, !doc.channels().isEnabled(150));
        break;
    case Edit::Setting:
        doc.settings().setLoVolume(!doc.settings().loVolume());
        break;
    case Edit::VfoBand:
        doc.DecodeVfoRecord(channelRecord(145.0), 4);
        break;
    case Edit::ClearSlot12:
    case Edit::ClearEight:
        // With a setting, so that the settings half of the ALL write has a block to send.
        doc.settings().setLoVolume(!doc.settings().loVolume());
        doc.DecodeChannelRecord(channelRecord(0), 12);
        for (int slot = 0; edit == Edit::ClearEight && slot < 7; ++slot)
            doc.DecodeChannelRecord(channelRecord(0), slot);
        break;
    }
}

} // namespace

// The safe writes against a radio that keeps what it is sent: the read of what it holds, the
// blocks that go out, the read back, and what a stop leaves behind.
class TestSafeWrites : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void safeWritePlan_data();
    void safeWritePlan();
    void changesOnlySendsExactlyTheDifferingBlocks_data();
    void changesOnlySendsExactlyTheDifferingBlocks();
    void erasedRadioReadIntoTheDocumentNeedsNoWrite();
    void verify_data();
    void verify();
    void stopDuringTheReadBeforeWriteWritesNothing_data();
    void stopDuringTheReadBeforeWriteWritesNothing();
    void stoppedWriteTellsWhatWentOut_data();
    void stoppedWriteTellsWhatWentOut();
    void keeperGetsTheRadioImageAndCanCallTheWriteOff();
    void oneTransferFromReadToVerify();
    void blockListText_data();
    void blockListText();

private:
    struct Fixture : hxv5::testing::TransferRig<>
    {
        FakeRadio &radio = port;
        QStringList kept; // what the keeper was handed: slot 0's frequency text
        // Each write to this block is stored with its last digit changed, answered as if all
        // was well.
        int corruptBlock = -1;

        Fixture()
        {
            transfers.exchange().setReplyTimeout(20ms);
            radio.onWrite = [this](int block) {
                if (block == corruptBlock) {
                    QString &stored = radio.blocks[block];
                    stored[31] =
                        stored.at(31) == QLatin1Char('0') ? QLatin1Char('1') : QLatin1Char('0');
                }
            };
            for (int s = 0; s < hxv5::kSlotCount; ++s)
                doc.DecodeChannelRecord(channelRecord(100 + s * 0.1), s);
            doc.channels().setEnabled(0, true);
            doc.channels().setEnabled(150, true);
            transfers.setRadioImageKeeper([this](const Document &image, QString &keptAt) {
                kept.append(image.channels().text(0, hxv5::kColFrequency));
                keptAt = QStringLiteral("/backups/before.TV5");
                return true;
            });
        }
        void setOptions(bool changesOnly, bool verify)
        {
            Transfers::WriteOptions options;
            options.changesOnly = changesOnly;
            options.verify = verify;
            transfers.setWriteOptions(options);
        }
        // The radio holds what a plain write of the document puts there.
        bool writeEverything()
        {
            setOptions(false, false);
            const bool ok = runToEnd(&Transfers::writeAll);
            port.sent.clear();
            finished.clear();
            return ok && ui.errors.isEmpty();
        }
    };
};

void TestSafeWrites::safeWritePlan_data()
{
    QTest::addColumn<QList<Edit>>("edits"); // made after the radio's image was read
    QTest::addColumn<bool>("memory");       // else the settings half
    QTest::addColumn<bool>("changesOnly");
    QTest::addColumn<bool>("radioTxExtension");
    QTest::addColumn<QList<int>>("blocks");

    QTest::newRow("nothing changed") << QList<Edit>{} << true << true << false << QList<int>{};
    QTest::newRow("the bitmap goes before the slots")
        << QList<Edit>{Edit::OneSlot, Edit::EnableFlag} << true << true << false
        << QList<int>{hxv5::kEnableBlock1, 12};
    QTest::newRow("settings block, then bands")
        << QList<Edit>{Edit::VfoBand, Edit::Setting} << false << true << false
        << QList<int>{hxv5::kSettingsBlock, hxv5::vfoBlock(4)};
    QTest::newRow("a slot is no change to the settings")
        << QList<Edit>{Edit::OneSlot} << false << true << false << QList<int>{};
    // The settings written carry the radio's own TX extension: no change either.
    QTest::newRow("the radio's TX extension")
        << QList<Edit>{} << false << true << true << QList<int>{};
    QTest::newRow("every block when not only changes")
        << QList<Edit>{} << true << false << false
        << QList<int>{hxv5::kEnableBlock0, hxv5::kEnableBlock1} + range(0, hxv5::kSlotCount - 1);
}

void TestSafeWrites::safeWritePlan()
{
    QFETCH(QList<Edit>, edits);
    QFETCH(bool, memory);
    QFETCH(bool, changesOnly);
    QFETCH(bool, radioTxExtension);
    QFETCH(QList<int>, blocks);

    // The radio holds what the document held.
    Fixture f;
    hxv5::RadioImage image;
    for (const auto &step : hxv5::settingsWritePlan(f.doc) + hxv5::memoryWritePlan(f.doc))
        image.held.at(step.block) = step.text;
    if (radioTxExtension)
        image.held.at(hxv5::kSettingsBlock)[27] = QLatin1Char('4');
    Document radio;
    hxv5::decodeRadioImage(image.held, radio);
    image.asSent = hxv5::imageAsSent(radio, image.held);
    for (Edit edit : edits)
        applyEdit(f.doc, edit);

    const hxv5::TransferPlan plan = hxv5::safeWritePlan(
        memory ? hxv5::WriteHalf::Memory : hxv5::WriteHalf::Settings, f.doc, image, changesOnly);
    QList<int> planned;
    for (const auto &step : plan) {
        planned.append(step.block);
        QVERIFY(step.write);
    }
    QCOMPARE(planned, blocks);
}

void TestSafeWrites::changesOnlySendsExactlyTheDifferingBlocks_data()
{
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<int>("operation"); // 0 Write Memory, 1 Write Settings, 2 ALL
    QTest::addColumn<QList<int>>("written");
    // Asked before channels the radio holds are cleared, and the user's answer.
    QTest::addColumn<QString>("question");
    QTest::addColumn<bool>("answer");

    // Which blocks differ is the plan's table above; here the runner: the image read first, each
    // half of ALL, the question before clearing channels and the answer.
    QTest::newRow("nothing changed, ALL")
        << Edit::Nothing << 2 << QList<int>{} << QString() << true;
    QTest::newRow("one slot, ALL") << Edit::OneSlot << 2 << QList<int>{12} << QString() << true;
    const QString eight =
        QStringLiteral("The radio holds 8 channels that this write clears: 0 \"100.00000\", 1 "
                       "\"100.10000\", 2 \"100.20000\", 3 \"100.30000\", 4 \"100.40000\", ...");
    QTest::newRow("clears 8, written anyway")
        << Edit::ClearEight << 0 << QList<int>{0, 1, 2, 3, 4, 5, 6, 12} << eight << true;
    QTest::newRow("clears 8, No: nothing sent")
        << Edit::ClearEight << 0 << QList<int>{} << eight << false;
    QTest::newRow("clears 1, ALL, No: neither half sent")
        << Edit::ClearSlot12 << 2 << QList<int>{}
        << QStringLiteral("The radio holds 1 channel that this write clears: 12 \"101.20000\".")
        << false;
    QTest::newRow("clears 1, Write Settings: nothing asked")
        << Edit::ClearSlot12 << 1 << QList<int>{hxv5::kSettingsBlock} << QString() << true;
}

void TestSafeWrites::changesOnlySendsExactlyTheDifferingBlocks()
{
    QFETCH(Edit, edit);
    QFETCH(int, operation);
    QFETCH(QList<int>, written);
    QFETCH(QString, question);
    QFETCH(bool, answer);

    Fixture f;
    QVERIFY(f.writeEverything());
    applyEdit(f.doc, edit);
    f.setOptions(true, false);
    f.ui.writeAnswer = answer;
    const QList<QString> radioBefore = f.radio.blocks;
    void (Transfers::*const operations[])() = {&Transfers::writeMemory, &Transfers::writeSettings,
                                               &Transfers::writeAll};
    QVERIFY(f.runToEnd(operations[operation]));

    QCOMPARE(f.ui.errors, QStringList());
    // The whole image is read first, in the order of a read of everything, and only once.
    QCOMPARE(blocksSent(f.port.sent, false), Transfers::imageReadOrder());
    QCOMPARE(blocksSent(f.port.sent, true), written);
    QCOMPARE(f.transfers.writtenBlocks(), written);
    for (int b = 0; b <= hxv5::kLastBlock; ++b) {
        if (!written.contains(b))
            QCOMPARE(f.radio.blocks.at(b), radioBefore.at(b));
    }
    QCOMPARE(f.kept.size(), 1);
    QCOMPARE(f.ui.writeQuestions, question.isEmpty() ? QStringList() : QStringList{question});
    for (const QList<QVariant> &call : std::as_const(f.finished))
        QCOMPARE(call.at(1).toBool(), answer);
}

void TestSafeWrites::erasedRadioReadIntoTheDocumentNeedsNoWrite()
{
    // A radio fresh from the factory holds erased slots; read into the program they are empty,
    // and the program would write them back as cleared records. That is no change.
    Fixture f;
    f.setOptions(false, false);
    QVERIFY(f.runToEnd(&Transfers::readAll));
    f.port.sent.clear();
    f.setOptions(true, false);
    QVERIFY(f.runToEnd(&Transfers::writeAll));
    QCOMPARE(f.ui.errors, QStringList());
    QCOMPARE(blocksSent(f.port.sent, true), QList<int>{});
}

void TestSafeWrites::verify_data()
{
    QTest::addColumn<bool>("changesOnly");
    QTest::addColumn<int>("corrupt");
    QTest::addColumn<QList<int>>("readBack");

    const QList<int> memory =
        QList<int>{hxv5::kEnableBlock0, hxv5::kEnableBlock1} + range(0, hxv5::kSlotCount - 1);
    QTest::newRow("full write, clean") << false << -1 << memory;
    QTest::newRow("full write, slot 40 corrupted") << false << 40 << memory;
    QTest::newRow("changes only, clean") << true << -1 << QList<int>{12};
    QTest::newRow("changes only, slot 12 corrupted") << true << 12 << QList<int>{12};
}

void TestSafeWrites::verify()
{
    QFETCH(bool, changesOnly);
    QFETCH(int, corrupt);
    QFETCH(QList<int>, readBack);

    Fixture f;
    QVERIFY(f.writeEverything());
    applyEdit(f.doc, Edit::OneSlot);
    f.doc.setChanged(true);
    const QString slot12 = f.doc.EncodeChannelRecord(12);
    f.corruptBlock = corrupt;
    f.setOptions(changesOnly, true);
    QVERIFY(f.runToEnd(&Transfers::writeMemory));

    // Every block sent is read back right after the writes, in the same order.
    const QList<int> reads = blocksSent(f.port.sent, false);
    QCOMPARE(reads.mid(reads.size() - readBack.size()), readBack);
    QCOMPARE(blocksSent(f.port.sent, true), readBack);
    QCOMPARE(f.finished.size(), 1);
    if (corrupt < 0) {
        QCOMPARE(f.ui.errors, QStringList());
        QVERIFY(f.finished.first().at(1).toBool());
    } else {
        QCOMPARE(f.ui.errors, QStringList{QStringLiteral("Verify Error")});
        QVERIFY(!f.finished.first().at(1).toBool());
        const QString details = f.ui.errorDetails.first();
        QVERIFY2(details.startsWith(
                     QStringLiteral("slot %1 differs from what was written\n").arg(corrupt)),
                 qPrintable(details));
        QCOMPARE(details.count(QStringLiteral("differs")), 1);
        if (changesOnly)
            QVERIFY2(details.contains(QStringLiteral("/backups/before.TV5")), qPrintable(details));
    }
    // The document is left as it was, the changed flag too.
    QCOMPARE(f.doc.EncodeChannelRecord(12), slot12);
    QVERIFY(f.doc.isChanged());
}

void TestSafeWrites::stopDuringTheReadBeforeWriteWritesNothing_data()
{
    QTest::addColumn<int>("operation"); // 0 Write Memory, 1 ALL, 2 ALL stopping at a failure
    QTest::addColumn<int>("failedBlock");
    QTest::addColumn<int>("messages");

    QTest::newRow("Write Memory, slot 100") << 0 << 100 << 1;
    QTest::newRow("Write Memory, settings block") << 0 << hxv5::kSettingsBlock << 1;
    // The ALL write runs its second half whatever the first ended with: it reads again.
    QTest::newRow("ALL, slot 100") << 1 << 100 << 2;
    QTest::newRow("ALL stopping at a failure, slot 100") << 2 << 100 << 1;
}

void TestSafeWrites::stopDuringTheReadBeforeWriteWritesNothing()
{
    QFETCH(int, operation);
    QFETCH(int, failedBlock);
    QFETCH(int, messages);

    Fixture f;
    applyEdit(f.doc, Edit::OneSlot);
    f.radio.faults[failedBlock] = {FakeRadio::Fault::NoReply, -1};
    f.setOptions(true, true);
    void (Transfers::*const operations[])() = {&Transfers::writeMemory, &Transfers::writeAll,
                                               &Transfers::writeAllStoppingAtAFailure};
    QVERIFY(f.runToEnd(operations[operation]));

    QCOMPARE(blocksSent(f.port.sent, true), QList<int>{});
    QCOMPARE(f.ui.errors, QStringList(messages, QStringLiteral("Communication Error")));
    for (const QString &details : std::as_const(f.ui.errorDetails))
        QVERIFY2(details.startsWith(
                     QStringLiteral("Nothing was written: the radio holds what it held before.")),
                 qPrintable(details));
    QVERIFY(f.kept.isEmpty());
    for (const QList<QVariant> &call : std::as_const(f.finished))
        QVERIFY(!call.at(1).toBool());
}

void TestSafeWrites::stoppedWriteTellsWhatWentOut_data()
{
    QTest::addColumn<bool>("changesOnly");
    QTest::addColumn<int>("silentWrite"); // -1: the port does not open
    QTest::addColumn<QString>("details");

    QTest::newRow("plain, at slot 57")
        << false << 57
        << QStringLiteral("Written before the stop: enable block 214, enable block 215, slot 0 to "
                          "slot 56.\nThe radio did not confirm slot 57: it may hold the new or "
                          "the old text.\nThe other blocks hold what the radio held before.\nNo "
                          "copy of what the radio held was taken before this write.\nCheck the "
                          "cable and the radio, then write again.");
    QTest::newRow("plain, at the first block")
        << false << hxv5::kEnableBlock0
        << QStringLiteral("The radio did not confirm enable block 214: it may hold the new or the "
                          "old text.\nThe other blocks hold what the radio held before.\nNo copy "
                          "of what the radio held was taken before this write.\nCheck the cable "
                          "and the radio, then write again.");
    QTest::newRow("changes only, at slot 12")
        << true << 12
        << QStringLiteral("Written before the stop: slot 3.\nThe radio did not confirm slot 12: "
                          "it may hold the new or the old text.\nThe other blocks hold what the "
                          "radio held before.\nWhat the radio held before this write is kept in "
                          "/backups/before.TV5.\nCheck the cable and the radio, then write "
                          "again.\nTo put back what the radio held instead, open the backup and "
                          "write it.");
    // Nothing reached the line: no block can hold the new text.
    QTest::newRow("plain, the port does not open")
        << false << -1
        << QStringLiteral("Nothing was written: the radio holds what it held before.\nNo copy of "
                          "what the radio held was taken before this write.\nCheck the cable and "
                          "the radio, then write again.");
}

void TestSafeWrites::stoppedWriteTellsWhatWentOut()
{
    QFETCH(bool, changesOnly);
    QFETCH(int, silentWrite);
    QFETCH(QString, details);

    Fixture f;
    QVERIFY(f.writeEverything());
    f.doc.DecodeChannelRecord(channelRecord(430.0), 3);
    applyEdit(f.doc, Edit::OneSlot);
    if (silentWrite >= 0)
        f.radio.faults[silentWrite] = {FakeRadio::Fault::NoReply, -1, true};
    f.port.close();
    f.port.openFails = silentWrite < 0;
    f.setOptions(changesOnly, false);
    QVERIFY(f.runToEnd(&Transfers::writeMemory));

    QCOMPARE(f.ui.errors, QStringList{silentWrite < 0 ? QStringLiteral("COM Port Error")
                                                      : QStringLiteral("Communication Error")});
    // In sight under the message, not behind the details.
    QCOMPARE(f.ui.errorReports.first(), details);
}

void TestSafeWrites::keeperGetsTheRadioImageAndCanCallTheWriteOff()
{
    Fixture f;
    f.radio.blocks[0] = channelRecord(438.5);
    f.setOptions(false, false);
    Transfers::WriteOptions options;
    options.readFirst = true; // every block goes, but what the radio held is kept first
    f.transfers.setWriteOptions(options);
    bool allow = false;
    f.transfers.setRadioImageKeeper([&](const Document &image, QString &) {
        f.kept.append(image.channels().text(0, hxv5::kColFrequency));
        return allow;
    });
    QVERIFY(f.runToEnd(&Transfers::writeAll));
    QCOMPARE(f.kept, QStringList{QStringLiteral("438.50000")});
    // Called off: nothing written, neither half, and the keeper has told why already.
    QCOMPARE(blocksSent(f.port.sent, true), QList<int>{});
    QCOMPARE(f.ui.errors, QStringList());

    allow = true;
    f.port.sent.clear();
    QVERIFY(f.runToEnd(&Transfers::writeAll));
    QCOMPARE(blocksSent(f.port.sent, true).size(), 8 + 215);
}

void TestSafeWrites::oneTransferFromReadToVerify()
{
    Fixture f;
    QVERIFY(f.writeEverything());
    applyEdit(f.doc, Edit::OneSlot);
    applyEdit(f.doc, Edit::Setting);
    f.setOptions(true, true);
    f.running.clear();
    QSignalSpy phases(&f.transfers, &Transfers::phaseChanged);
    int refused = 0;
    // Whatever else is started in any phase is refused: the line stays this write's.
    connect(&f.transfers, &Transfers::blockStarted, this, [&] {
        const qsizetype before = f.port.sent.size();
        f.transfers.readMemory();
        f.transfers.writeSettings();
        if (f.port.sent.size() == before && f.transfers.isRunning())
            ++refused;
    });
    QVERIFY(f.runToEnd(&Transfers::writeAll));

    QCOMPARE(f.running.size(), 2); // on once, off once
    QCOMPARE(refused, static_cast<int>(f.port.sent.size()));
    QList<std::pair<Phase, int>> seen;
    for (const QList<QVariant> &call : std::as_const(phases))
        seen.append({call.at(0).value<Phase>(), call.at(1).toInt()});
    const QList<std::pair<Phase, int>> expected = {{Phase::ReadingRadio, 223}, {Phase::Writing, 1},
                                                   {Phase::Verifying, 1},      {Phase::Writing, 1},
                                                   {Phase::Verifying, 1},      {Phase::Idle, 0}};
    QCOMPARE(seen, expected);
    QCOMPARE(f.finished.size(), 2);
}

void TestSafeWrites::blockListText_data()
{
    QTest::addColumn<QList<int>>("blocks");
    QTest::addColumn<QString>("text");

    QTest::newRow("none") << QList<int>{} << QString();
    QTest::newRow("settings and bands")
        << (QList<int>{213} + range(216, 222))
        << QStringLiteral("settings block 213, VFO AM to VFO H-UHF");
    QTest::newRow("two in a row stay apart")
        << QList<int>{214, 215, 0, 1}
        << QStringLiteral("enable block 214, enable block 215, "
                          "slot 0, slot 1");
    QTest::newRow("special slots") << range(198, 212) << QStringLiteral("slot 198 to slot Pri");
    QTest::newRow("scattered") << QList<int>{3, 12, 13, 14, 40}
                               << QStringLiteral("slot 3, slot 12 to slot 14, slot 40");
    // The last slot and the settings block follow each other by number, not by kind.
    QTest::newRow("kinds do not run together")
        << QList<int>{211, 212, 213, 214}
        << QStringLiteral("slot A-H, slot Pri, settings block "
                          "213, enable block 214");
}

void TestSafeWrites::blockListText()
{
    QFETCH(QList<int>, blocks);
    QFETCH(QString, text);
    QCOMPARE(hxv5::blockListText(blocks), text);
}

QTEST_GUILESS_MAIN(TestSafeWrites)
#include "tst_safe_writes.moc"
