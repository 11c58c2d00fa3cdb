#pragma once

#include "link/command_exchange.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

namespace hxv5 {

class Document;
class SerialPort;
class UserInteraction;

// The four transfers between the document and the radio, block by block:
//
//   Read Memory     read 214, 215 (enable bitmap), then slots 0..212
//   Write Memory    write 214, 215 (enable bitmap), then slots 0..212
//   Read Settings   read 213 (settings block), then VFO bands 216..222
//   Write Settings  read 213 (for the radio's TX extension bit), write 213, write 216..222
//
// Reads decode each block into the document as it arrives; writes encode each block from the
// document just before it is sent. Every block gets up to ten attempts; a port failure stops at
// once with "COM Port Error", the tenth failed attempt with "Communication Error".
//
// Only one transfer runs at a time, whatever starts it (button, menu, the ALL items, the command
// line): a start while one runs, or while the document is busy otherwise, is refused. While one
// runs the document is busy, so nothing else changes the tables or the settings underneath it.
class Transfers : public QObject
{
    Q_OBJECT
public:
    enum class Operation { ReadMemory, WriteMemory, ReadSettings, WriteSettings };
    Q_ENUM(Operation)

    static constexpr int kMaxAttempts = 10;

    Transfers(Document &document, SerialPort &port, UserInteraction &ui, QObject *parent = nullptr);
    ~Transfers() override;

    bool isRunning() const { return m_running; }
    // The exchange the transfers use, for its reply timeout.
    CommandExchange &exchange() { return m_exchange; }

public Q_SLOTS:
    void readMemory();
    void writeMemory();
    void readSettings();
    void writeSettings();
    // Settings, then memory; the second runs whatever the first ended with.
    void readAll();
    void writeAll();

    // The test panel's single read: "AL~F" + address + "R" + CR, the raw reply shown as it comes,
    // no classification and no retry.
    void readBlockByHand(const QString &address);

Q_SIGNALS:
    // The block being transferred (the test panel's Text3).
    void blockStarted(int block);
    // The slot Read or Write Memory is at: the progress bar's value and, during Read Memory, the
    // row to highlight. When Read Memory ends the window puts its current row back.
    void slotStarted(int slot);
    // The memory buttons are disabled and the progress bar (at 0) shown while true.
    void memoryBusyChanged(bool busy);
    // The settings buttons are disabled while true.
    void settingsBusyChanged(bool busy);
    void runningChanged(bool running);
    // An operation ended, completed or stopped. After Read Settings the window makes the first
    // VFO row current.
    void finished(hxv5::Transfers::Operation op, bool completed);

    void handReadBuffer(const QString &buffer);
    void handReadFinished();

private:
    enum class BlockOutcome { Done, PortFailure, CommunicationFailure };
    using BlockDone = std::function<void(BlockOutcome outcome, const QString &reply)>;
    using Record = std::function<QString()>;

    bool begin(Operation op, std::optional<Operation> followUp = std::nullopt);
    void run(Operation op);
    void end(bool completed);
    void setGroupBusy(Operation op, bool busy);
    void setRunning(bool running);

    // One block under the attempt rule, without messages: a write when record is given (called
    // once, just before the first attempt), otherwise a read. done gets the accepted reply.
    void transferBlock(int block, const Record &record, BlockDone done);
    void attempt();
    void onReadFinished(const QString &result);
    void onWriteFinished(int code);
    void retryOrGiveUp();
    void endBlock(BlockOutcome outcome, const QString &reply = {});
    // The stop message of the attempt rule.
    void report(BlockOutcome outcome);

    void ReadEnableBlocks(std::function<void(bool)> done);
    void WriteEnableBlocks(std::function<void(bool)> done);
    // 0 done, 1 port failure, 2 communication failure; shows no message.
    void ReadRadioTxExtension(std::function<void(int)> done);
    void readEnableBlock(int index, std::function<void(bool)> done);
    void writeEnableBlock(int index, std::function<void(bool)> done);

    void readSlot(int slot);
    void writeSlot(int slot);
    void readBand(int row);
    void writeBand(int row);
    void finishReadSettings(bool completed);

    Document &m_document;
    UserInteraction &m_ui;
    CommandExchange m_exchange;

    bool m_running = false;
    Operation m_op = Operation::ReadMemory;
    std::optional<Operation> m_followUp;
    bool m_handRead = false;

    // The block under the attempt rule.
    QString m_command;
    bool m_blockIsWrite = false;
    int m_attempts = 0;
    BlockDone m_blockDone;
};

} // namespace hxv5
