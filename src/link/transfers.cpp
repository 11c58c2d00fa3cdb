#include "link/transfers.h"

#include "app/document.h"
#include "base/user_interaction.h"
#include "image/clone_image.h"

namespace hxv5 {

namespace {

const QString kComPortError = QStringLiteral("COM Port Error");
const QString kCommunicationError = QStringLiteral("Communication Error");

// The 32 data characters of an accepted read reply (CR LF, data, CR LF).
QString replyData(const QString &reply)
{
    return reply.mid(2, kRecordLength);
}

bool isMemoryOperation(Transfers::Operation op)
{
    return op == Transfers::Operation::ReadMemory || op == Transfers::Operation::WriteMemory;
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

bool Transfers::begin(Operation op, std::optional<Operation> followUp)
{
    if (m_running || m_document.isBusy())
        return false;
    m_op = op;
    m_followUp = followUp;
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
        WriteEnableBlocks([this](bool ok) {
            if (ok)
                writeSlot(0);
            else
                end(false);
        });
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
    case Operation::WriteSettings:
        ReadRadioTxExtension([this](int result) {
            if (result != 0) {
                report(result == 1 ? BlockOutcome::PortFailure
                                   : BlockOutcome::CommunicationFailure);
                end(false);
                return;
            }
            m_document.EncodeSettingsRecord();
            Q_EMIT blockStarted(kSettingsBlock);
            transferBlock(
                kSettingsBlock, [this] { return m_document.settingsRecord(); },
                [this](BlockOutcome outcome, const QString &) {
                    if (outcome != BlockOutcome::Done) {
                        report(outcome);
                        end(false);
                        return;
                    }
                    writeBand(0);
                });
        });
        break;
    }
}

void Transfers::end(bool completed)
{
    const Operation op = m_op;
    setGroupBusy(op, false);
    if (m_followUp) {
        // The ALL items: the second operation runs whatever the first ended with, and no other
        // transfer can slip in between.
        const Operation next = *m_followUp;
        m_followUp.reset();
        Q_EMIT finished(op, completed);
        run(next);
        return;
    }
    setRunning(false);
    Q_EMIT finished(op, completed);
}

// --- the block attempt rule ---

void Transfers::transferBlock(int block, const Record &record, BlockDone done)
{
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
            m_ui.showErrorDetails(kComPortError, m_exchange.portFailureDiagnosis());
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

void Transfers::report(BlockOutcome outcome)
{
    if (outcome == BlockOutcome::PortFailure)
        m_ui.showErrorDetails(kComPortError, m_exchange.portFailureDiagnosis());
    else
        m_ui.showError(kCommunicationError);
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

void Transfers::WriteEnableBlocks(std::function<void(bool)> done)
{
    m_document.FlagsToBitmap();
    writeEnableBlock(0, std::move(done));
}

void Transfers::writeEnableBlock(int index, std::function<void(bool)> done)
{
    const int block = kEnableBlock0 + index;
    Q_EMIT blockStarted(block);
    transferBlock(
        block, [this, index] { return m_document.enableBlocks().at(static_cast<size_t>(index)); },
        [this, index, done = std::move(done)](BlockOutcome outcome, const QString &) {
            if (outcome != BlockOutcome::Done) {
                report(outcome);
                done(false);
            } else if (index == 0) {
                writeEnableBlock(1, done);
            } else {
                done(true);
            }
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
                      const QChar digit = replyData(reply).at(27);
                      m_document.settings().setTxExtension(
                          QStringLiteral("4567CDEF").contains(digit));
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
        if (!m_document.DecodeChannelRecord(QStringView(reply).mid(2), slot)) {
            TableRow row = m_document.channels().row(slot);
            row.number[kColFrequency] = 0;
            row.text[kColFrequency].clear();
            m_document.channels().setRow(slot, row);
        }
        readSlot(slot + 1);
    });
}

void Transfers::writeSlot(int slot)
{
    if (slot == kSlotCount) {
        end(true);
        return;
    }
    Q_EMIT slotStarted(slot);
    Q_EMIT blockStarted(slot);
    transferBlock(
        slot, [this, slot] { return m_document.EncodeChannelRecord(slot); },
        [this, slot](BlockOutcome outcome, const QString &) {
            if (outcome != BlockOutcome::Done) {
                report(outcome);
                end(false);
                return;
            }
            writeSlot(slot + 1);
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

void Transfers::writeBand(int row)
{
    if (row == kVfoRowCount) {
        end(true);
        return;
    }
    Q_EMIT blockStarted(vfoBlock(row));
    transferBlock(
        vfoBlock(row), [this, row] { return m_document.EncodeVfoRecord(row); },
        [this, row](BlockOutcome outcome, const QString &) {
            if (outcome != BlockOutcome::Done) {
                report(outcome);
                end(false);
                return;
            }
            writeBand(row + 1);
        });
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
