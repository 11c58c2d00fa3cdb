#include "link/transfers.h"

#include "base/user_interaction.h"
#include "document/document.h"
#include "image/channel_codec.h"
#include "image/clone_image.h"

#include <QStringList>

namespace hxv5 {

namespace {

const QString kComPortError = QStringLiteral("COM Port Error");
const QString kCommunicationError = QStringLiteral("Communication Error");

// The 32 data characters of an accepted read reply (CR LF, data, CR LF).
QString replyData(const QString &reply)
{
    return reply.mid(2, kRecordLength);
}

bool isRead(Transfers::Operation op)
{
    return op == Transfers::Operation::ReadMemory || op == Transfers::Operation::ReadSettings;
}

bool isMemoryOperation(Transfers::Operation op)
{
    return op == Transfers::Operation::ReadMemory || op == Transfers::Operation::WriteMemory;
}

// The radio's TX extension: bit 2 of the low digit of byte 13 of its settings block.
bool txExtensionOf(const QString &settingsData)
{
    return QStringLiteral("4567CDEF").contains(settingsData.at(27));
}

bool holdsChannel(const QString &record)
{
    TableRow row;
    return decodeRecord(record, row);
}

// How many of the channels a write would clear are named in its question.
constexpr qsizetype kNamedClearedChannels = 5;

// "The radio holds 57 channels that this write clears: 0 "145.00000", 1 "145.50000", ..."
QString clearedChannelsNotice(int count, const QStringList &named)
{
    return QStringLiteral("The radio holds %1 %2 that this write clears: ")
               .arg(count)
               .arg(count == 1 ? QStringLiteral("channel") : QStringLiteral("channels")) +
           named.join(QStringLiteral(", ")) +
           (count > named.size() ? QStringLiteral(", ...") : QStringLiteral("."));
}

// A slot's record into the document; a record that holds no channel leaves the slot without a
// frequency, so that it shows blank.
void decodeSlot(Document &document, int slot, QStringView data)
{
    if (!document.DecodeChannelRecord(data, slot)) {
        TableRow row = document.channels().row(slot);
        row.number[kColFrequency] = 0;
        row.text[kColFrequency].clear();
        document.channels().setRow(slot, row);
    }
}

} // namespace

Transfers::Transfers(Document &document, SerialPort &port, UserInteraction &ui, QObject *parent)
    : QObject(parent), m_document(document), m_ui(ui), m_exchange(port)
{
    connect(&m_exchange, &CommandExchange::readFinished, this, &Transfers::onReadFinished);
    connect(&m_exchange, &CommandExchange::writeFinished, this, &Transfers::onWriteFinished);
    connect(&m_exchange, &CommandExchange::replyProgress, this, [this](const QByteArray &reply) {
        if (m_handRead)
            Q_EMIT handReadBuffer(QString::fromLatin1(reply));
    });
}

Transfers::~Transfers()
{
    if (m_running)
        m_document.setBusy(false);
}

void Transfers::readMemory()
{
    if (begin(Operation::ReadMemory))
        run(Operation::ReadMemory);
}

void Transfers::writeMemory()
{
    if (begin(Operation::WriteMemory))
        run(Operation::WriteMemory);
}

QList<int> Transfers::imageReadOrder()
{
    QList<int> order{kSettingsBlock};
    for (int row = 0; row < kVfoRowCount; ++row)
        order.append(vfoBlock(row));
    order.append({kEnableBlock0, kEnableBlock1});
    for (int slot = 0; slot < kSlotCount; ++slot)
        order.append(slot);
    return order;
}

void Transfers::readSettings()
{
    if (begin(Operation::ReadSettings))
        run(Operation::ReadSettings);
}

void Transfers::writeSettings()
{
    if (begin(Operation::WriteSettings))
        run(Operation::WriteSettings);
}

void Transfers::readAll()
{
    if (begin(Operation::ReadSettings, Operation::ReadMemory))
        run(Operation::ReadSettings);
}

void Transfers::writeAll()
{
    if (begin(Operation::WriteSettings, Operation::WriteMemory))
        run(Operation::WriteSettings);
}

void Transfers::writeAllStoppingAtAFailure()
{
    if (begin(Operation::WriteSettings, Operation::WriteMemory, false))
        run(Operation::WriteSettings);
}

bool Transfers::begin(Operation op, std::optional<Operation> followUp, bool followUpAlways)
{
    if (m_running || m_document.isBusy())
        return false;
    m_op = op;
    m_followUp = followUp;
    m_followUpAlways = followUpAlways;
    // What a write keeps between its halves starts afresh with each transfer.
    m_active = m_writeOptions;
    m_haveRadioImage = false;
    m_radioImageKept = false;
    m_backupPath.clear();
    m_written.clear();
    setRunning(true);
    return true;
}

void Transfers::setRunning(bool running)
{
    m_running = running;
    m_document.setBusy(running);
    Q_EMIT runningChanged(running);
}

void Transfers::setGroupBusy(Operation op, bool busy)
{
    if (isMemoryOperation(op))
        Q_EMIT memoryBusyChanged(busy);
    else
        Q_EMIT settingsBusyChanged(busy);
}

void Transfers::run(Operation op)
{
    m_op = op;
    setGroupBusy(op, true);
    switch (op) {
    case Operation::ReadMemory:
        ReadEnableBlocks([this](bool ok) {
            if (ok)
                readSlot(0);
            else
                end(false);
        });
        break;
    case Operation::WriteMemory:
    case Operation::WriteSettings:
        runWrite(op);
        break;
    case Operation::ReadSettings:
        Q_EMIT blockStarted(kSettingsBlock);
        transferBlock(kSettingsBlock, {}, [this](BlockOutcome outcome, const QString &reply) {
            if (outcome != BlockOutcome::Done) {
                report(outcome);
                end(false); // nothing has changed
                return;
            }
            m_document.setSettingsRecord(replyData(reply));
            m_document.DecodeSettingsRecord();
            readBand(0);
        });
        break;
    }
}

void Transfers::end(bool completed)
{
    const Operation op = m_op;
    setGroupBusy(op, false);
    if (m_followUp && !completed && !m_followUpAlways)
        m_followUp.reset();
    if (m_followUp) {
        // The ALL items: the second operation runs whatever the first ended with, and no other
        // transfer can slip in between.
        const Operation next = *m_followUp;
        m_followUp.reset();
        Q_EMIT finished(op, completed);
        run(next);
        return;
    }
    if (m_active.any() && !isRead(op))
        setPhase(Phase::Idle, 0);
    setRunning(false);
    Q_EMIT finished(op, completed);
}

// --- the block attempt rule ---

void Transfers::transferBlock(int block, const Record &record, BlockDone done)
{
    m_block = block;
    m_blockIsWrite = static_cast<bool>(record);
    m_command = m_blockIsWrite ? CommandExchange::writeCommand(block, record())
                               : CommandExchange::readCommand(block);
    m_attempts = 0;
    m_blockDone = std::move(done);
    attempt();
}

void Transfers::attempt()
{
    ++m_attempts;
    if (m_blockIsWrite)
        m_exchange.WriteExchange(m_command);
    else
        m_exchange.ReadExchange(m_command);
}

void Transfers::onReadFinished(const QString &result)
{
    if (m_handRead) {
        m_handRead = false;
        if (result == CommandExchange::kPortFailure)
            report(BlockOutcome::PortFailure);
        setRunning(false);
        Q_EMIT handReadFinished();
        return;
    }
    if (!m_blockDone)
        return;
    if (result == CommandExchange::kPortFailure)
        endBlock(BlockOutcome::PortFailure);
    else if (result == CommandExchange::kNoReply || result == CommandExchange::kBadFrame)
        retryOrGiveUp();
    else
        endBlock(BlockOutcome::Done, result);
}

void Transfers::onWriteFinished(int code)
{
    if (!m_blockDone)
        return;
    if (code == CommandExchange::kWritePortFailure)
        endBlock(BlockOutcome::PortFailure);
    else if (code == CommandExchange::kWriteAccepted)
        endBlock(BlockOutcome::Done);
    else
        retryOrGiveUp();
}

void Transfers::retryOrGiveUp()
{
    if (m_attempts < kMaxAttempts)
        attempt();
    else
        endBlock(BlockOutcome::CommunicationFailure);
}

void Transfers::endBlock(BlockOutcome outcome, const QString &reply)
{
    const BlockDone done = std::exchange(m_blockDone, nullptr);
    done(outcome, reply);
}

void Transfers::report(BlockOutcome outcome, const QString &details)
{
    // What the transfer left behind in sight, why the port failed behind it.
    if (outcome != BlockOutcome::PortFailure)
        m_ui.showErrorReport(kCommunicationError, details, {});
    else
        m_ui.showErrorReport(kComPortError, details, m_exchange.portFailureDiagnosis());
}

// --- the enable bitmap and the TX extension ---

void Transfers::ReadEnableBlocks(std::function<void(bool)> done)
{
    readEnableBlock(0, std::move(done));
}

void Transfers::readEnableBlock(int index, std::function<void(bool)> done)
{
    const int block = kEnableBlock0 + index;
    Q_EMIT blockStarted(block);
    transferBlock(
        block, {},
        [this, index, done = std::move(done)](BlockOutcome outcome, const QString &reply) {
            if (outcome != BlockOutcome::Done) {
                report(outcome);
                done(false);
                return;
            }
            // Each half is kept the moment it arrives.
            m_document.setEnableBlock(index, replyData(reply));
            if (index == 0) {
                readEnableBlock(1, done);
                return;
            }
            m_document.BitmapToFlags();
            done(true);
        });
}

void Transfers::ReadRadioTxExtension(std::function<void(int)> done)
{
    Q_EMIT blockStarted(kSettingsBlock);
    transferBlock(kSettingsBlock, {},
                  [this, done = std::move(done)](BlockOutcome outcome, const QString &reply) {
                      if (outcome != BlockOutcome::Done) {
                          done(outcome == BlockOutcome::PortFailure ? 1 : 2);
                          return;
                      }
                      // The low digit of byte 13 of the settings block; its bit 2 is the TX
                      // extension.
                      m_document.settings().setTxExtension(txExtensionOf(replyData(reply)));
                      done(0);
                  });
}

// --- the loops ---

void Transfers::readSlot(int slot)
{
    if (slot == kSlotCount) {
        m_document.setChanged(true);
        end(true);
        return;
    }
    Q_EMIT slotStarted(slot);
    Q_EMIT blockStarted(slot);
    transferBlock(slot, {}, [this, slot](BlockOutcome outcome, const QString &reply) {
        if (outcome != BlockOutcome::Done) {
            report(outcome);
            // The slots read so far and the radio's enable flags stay.
            m_document.setChanged(true);
            end(false);
            return;
        }
        decodeSlot(m_document, slot, QStringView(reply).mid(2));
        readSlot(slot + 1);
    });
}

void Transfers::readBand(int row)
{
    if (row == kVfoRowCount) {
        finishReadSettings(true);
        return;
    }
    Q_EMIT blockStarted(vfoBlock(row));
    transferBlock(vfoBlock(row), {}, [this, row](BlockOutcome outcome, const QString &reply) {
        if (outcome != BlockOutcome::Done) {
            report(outcome);
            // The new settings record and the bands read so far stay.
            finishReadSettings(false);
            return;
        }
        m_document.DecodeVfoRecord(QStringView(reply).mid(2), row);
        readBand(row + 1);
    });
}

void Transfers::finishReadSettings(bool completed)
{
    m_document.setChanged(true);
    end(completed);
}

// --- the writes ---
//
// A write is planned from the document first: every block it would send, in the order of the
// plain write, with the text encoded for it (the document is busy, so nothing changes it before
// the block goes out). Only changes: the blocks whose text the radio already holds are left out.

void Transfers::runWrite(Operation op)
{
    const auto plan = [this, op] {
        if (op == Operation::WriteSettings)
            planSettingsWrite();
        else
            planMemoryWrite();
    };
    if (!m_active.readsFirst() || m_haveRadioImage) {
        plan();
        return;
    }
    readRadioImage(0, [this, plan](bool ok) {
        if (!ok) {
            end(false);
            return;
        }
        plan();
    });
}

void Transfers::setPhase(Phase phase, int blocks)
{
    m_phase = phase;
    Q_EMIT phaseChanged(phase, blocks);
}

void Transfers::readRadioImage(int index, std::function<void(bool)> done)
{
    static const QList<int> order = imageReadOrder();
    if (index == 0)
        setPhase(Phase::ReadingRadio, static_cast<int>(order.size()));
    if (index == order.size()) {
        m_haveRadioImage = true;
        if (!keepRadioImage() || !mayClearChannels()) {
            // The keeper told why, or the user said no; nothing at all is written, not even the
            // other half.
            m_followUp.reset();
            done(false);
            return;
        }
        done(true);
        return;
    }
    const int block = order.at(index);
    Q_EMIT blockStarted(block);
    Q_EMIT phaseProgress(static_cast<int>(index));
    transferBlock(block, {},
                  [this, index, block, done = std::move(done)](BlockOutcome outcome,
                                                               const QString &reply) mutable {
                      if (outcome != BlockOutcome::Done) {
                          reportWriteStop(outcome);
                          done(false);
                          return;
                      }
                      m_radioImage.at(static_cast<size_t>(block)) = replyData(reply);
                      readRadioImage(index + 1, std::move(done));
                  });
}

bool Transfers::keepRadioImage()
{
    // The image as a read of everything would have left it in the window.
    Document radio;
    radio.setSettingsRecord(m_radioImage.at(kSettingsBlock));
    radio.DecodeSettingsRecord();
    for (int row = 0; row < kVfoRowCount; ++row)
        radio.DecodeVfoRecord(m_radioImage.at(static_cast<size_t>(vfoBlock(row))), row);
    radio.setEnableBlock(0, m_radioImage.at(kEnableBlock0));
    radio.setEnableBlock(1, m_radioImage.at(kEnableBlock1));
    radio.BitmapToFlags();
    for (int slot = 0; slot < kSlotCount; ++slot)
        decodeSlot(radio, slot, m_radioImage.at(static_cast<size_t>(slot)));

    bool goOn = true;
    if (m_keeper) {
        QString keptAt;
        goOn = m_keeper(radio, keptAt);
        m_radioImageKept = !keptAt.isEmpty();
        m_backupPath = keptAt;
    }

    // What the program would send back for each block of that image. The radio keeps bits the
    // program does not know of (an erased slot reads as no channel and would go back as a
    // cleared record): a block whose text differs only in those holds what the document holds.
    // A settings write always carries the radio's own TX extension bit.
    radio.settings().setTxExtension(txExtensionOf(m_radioImage.at(kSettingsBlock)));
    radio.EncodeSettingsRecord();
    radio.FlagsToBitmap();
    m_radioAsSent.at(kSettingsBlock) = radio.settingsRecord();
    m_radioAsSent.at(kEnableBlock0) = radio.enableBlocks().at(0);
    m_radioAsSent.at(kEnableBlock1) = radio.enableBlocks().at(1);
    for (int row = 0; row < kVfoRowCount; ++row)
        m_radioAsSent.at(static_cast<size_t>(vfoBlock(row))) = radio.EncodeVfoRecord(row);
    for (int slot = 0; slot < kSlotCount; ++slot)
        m_radioAsSent.at(static_cast<size_t>(slot)) = radio.EncodeChannelRecord(slot);
    return goOn;
}

bool Transfers::mayClearChannels()
{
    if (m_op != Operation::WriteMemory && m_followUp != Operation::WriteMemory)
        return true;
    int count = 0;
    QStringList named;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        TableRow held;
        if (!decodeRecord(m_radioImage.at(static_cast<size_t>(slot)), held) ||
            holdsChannel(m_document.EncodeChannelRecord(slot)))
            continue;
        if (++count <= kNamedClearedChannels)
            named.append(slotRowLabel(slot) + QStringLiteral(" \"") + held.text[kColFrequency] +
                         QLatin1Char('"'));
    }
    return count == 0 || m_ui.askWriteAnyway(clearedChannelsNotice(count, named));
}

void Transfers::planSettingsWrite()
{
    const auto plan = [this] {
        // The TX extension bit written is the radio's own.
        m_document.EncodeSettingsRecord();
        QList<PlannedBlock> blocks{{kSettingsBlock, m_document.settingsRecord()}};
        for (int row = 0; row < kVfoRowCount; ++row)
            blocks.append({vfoBlock(row), m_document.EncodeVfoRecord(row)});
        startPlannedWrite(std::move(blocks));
    };
    if (m_haveRadioImage) {
        m_document.settings().setTxExtension(txExtensionOf(m_radioImage.at(kSettingsBlock)));
        plan();
        return;
    }
    ReadRadioTxExtension([this, plan](int result) {
        if (result != 0) {
            reportWriteStop(result == 1 ? BlockOutcome::PortFailure
                                        : BlockOutcome::CommunicationFailure);
            end(false);
            return;
        }
        plan();
    });
}

void Transfers::WriteEnableBlocks(QList<PlannedBlock> &plan)
{
    m_document.FlagsToBitmap();
    plan.append({kEnableBlock0, m_document.enableBlocks().at(0)});
    plan.append({kEnableBlock1, m_document.enableBlocks().at(1)});
}

void Transfers::planMemoryWrite()
{
    QList<PlannedBlock> plan;
    WriteEnableBlocks(plan);
    for (int slot = 0; slot < kSlotCount; ++slot)
        plan.append({slot, m_document.EncodeChannelRecord(slot)});
    startPlannedWrite(std::move(plan));
}

void Transfers::startPlannedWrite(QList<PlannedBlock> plan)
{
    if (m_active.changesOnly) {
        plan.removeIf([this](const PlannedBlock &planned) {
            const auto block = static_cast<size_t>(planned.block);
            if (m_radioImage.at(block) == planned.text || m_radioAsSent.at(block) == planned.text)
                return true;
            // A slot without a channel is empty whatever else its record holds.
            return planned.block < kSlotCount && !holdsChannel(planned.text) &&
                   !holdsChannel(m_radioImage.at(block));
        });
    }
    m_plan = std::move(plan);
    m_mismatches.clear();
    if (m_active.any())
        setPhase(Phase::Writing, static_cast<int>(m_plan.size()));
    writePlanned(0);
}

void Transfers::writePlanned(qsizetype index)
{
    if (index == m_plan.size()) {
        if (!m_active.verify || m_plan.isEmpty()) {
            end(true);
            return;
        }
        setPhase(Phase::Verifying, static_cast<int>(m_plan.size()));
        verifyPlanned(0);
        return;
    }
    const PlannedBlock &planned = m_plan.at(index);
    const int block = planned.block;
    if (block < kSlotCount)
        Q_EMIT slotStarted(block);
    Q_EMIT blockStarted(block);
    if (m_active.any())
        Q_EMIT phaseProgress(static_cast<int>(index));
    transferBlock(
        block, [text = planned.text] { return text; },
        [this, index, block](BlockOutcome outcome, const QString &) {
            if (outcome != BlockOutcome::Done) {
                reportWriteStop(outcome);
                end(false);
                return;
            }
            m_written.append(block);
            writePlanned(index + 1);
        });
}

void Transfers::verifyPlanned(qsizetype index)
{
    if (index == m_plan.size()) {
        if (m_mismatches.isEmpty()) {
            end(true);
            return;
        }
        QStringList lines;
        for (int block : std::as_const(m_mismatches))
            lines.append(blockName(block) + QStringLiteral(" differs from what was written"));
        lines.append(backupLine());
        m_ui.showErrorDetails(QStringLiteral("Verify Error"), lines.join(QLatin1Char('\n')));
        end(false);
        return;
    }
    const int block = m_plan.at(index).block;
    Q_EMIT blockStarted(block);
    Q_EMIT phaseProgress(static_cast<int>(index));
    transferBlock(block, {}, [this, index](BlockOutcome outcome, const QString &reply) {
        if (outcome != BlockOutcome::Done) {
            reportWriteStop(outcome);
            end(false);
            return;
        }
        const PlannedBlock &planned = m_plan.at(index);
        if (replyData(reply) != planned.text)
            m_mismatches.append(planned.block);
        verifyPlanned(index + 1);
    });
}

void Transfers::reportWriteStop(BlockOutcome outcome)
{
    report(outcome, writeStopDetails());
}

QString Transfers::writeStopDetails() const
{
    // A write whose answer never came may have been stored all the same.
    const bool unconfirmed = m_blockIsWrite;
    const QString stopped = blockName(m_block);
    QStringList lines;
    if (m_written.isEmpty() && !unconfirmed) {
        lines.append(QStringLiteral("Nothing was written: the radio holds what it held before."));
    } else {
        if (!m_written.isEmpty())
            lines.append(QStringLiteral("Written before the stop: ") + blockListText(m_written) +
                         QLatin1Char('.'));
        if (unconfirmed)
            lines.append(QStringLiteral("The radio did not confirm ") + stopped +
                         QStringLiteral(": it may hold the new or the old text."));
        else if (m_phase == Phase::Verifying)
            lines.append(QStringLiteral("Reading back stopped at ") + stopped + QLatin1Char('.'));
        lines.append(QStringLiteral("The other blocks hold what the radio held before."));
    }
    lines.append(backupLine());
    // What to do next.
    lines.append(QStringLiteral("Check the cable and the radio, then write again."));
    if (m_radioImageKept && (!m_written.isEmpty() || unconfirmed))
        lines.append(QStringLiteral("To put back what the radio held instead, open the backup "
                                    "and write it."));
    return lines.join(QLatin1Char('\n'));
}

QString Transfers::backupLine() const
{
    if (m_radioImageKept)
        return QStringLiteral("What the radio held before this write is kept in ") + m_backupPath +
               QLatin1Char('.');
    if (m_haveRadioImage)
        return QStringLiteral("What the radio held before this write could not be kept.");
    return QStringLiteral("No copy of what the radio held was taken before this write.");
}

// --- the test panel ---

void Transfers::readBlockByHand(const QString &address)
{
    if (m_running || m_document.isBusy())
        return;
    m_handRead = true;
    setRunning(true);
    Q_EMIT handReadBuffer(QString());
    m_exchange.ReadExchange(QStringLiteral("AL~F") + address + QStringLiteral("R\r"));
}

} // namespace hxv5
