#pragma once

#include "link/command_exchange.h"
#include "link/transfer_plan.h"
#include "link/transfer_runner.h"

#include "image/clone_image.h"

#include <QList>
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
// Each transfer is a plan (transfer_plan.h) that one TransferRunner executes. Reads decode each
// block into the document as it arrives; writes encode their blocks from the document when they
// start. Every block gets up to ten attempts; a port failure stops at once with "COM Port
// Error", the tenth failed attempt with "Communication Error".
//
// Writes can be made safe (WriteOptions): the radio's whole image is read first and kept, only the
// blocks whose text differs from what the radio holds are sent, and every block sent is read back
// and compared. The read first, the write and the read back are one transfer. A write that stops
// tells, under its message, which blocks went out, where the copy of what the radio held is and
// what to do next. A write that would clear channels the image read first shows asks first.
//
// The user may stop a transfer: it ends between two blocks (never in the middle of an exchange),
// the ALL items' second half does not start, and nothing counts as a failure: no message box, a
// notice instead (stopNotice) that says what the stop left behind, as a failure's message would:
// a read keeps what it read, a write tells which blocks went out and where the backup is.
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

    static constexpr int kMaxAttempts = TransferRunner::kMaxAttempts;

    // How the writes go; all off is the plain write, block after block.
    struct WriteOptions
    {
        // Read what the radio holds first and send only the blocks that differ from it.
        bool changesOnly = false;
        // After writing, read back every block sent and compare it with what was sent.
        bool verify = false;
        // Read what the radio holds first, even when every block is sent (changesOnly implies it).
        bool readFirst = false;

        bool readsFirst() const { return changesOnly || readFirst; }
        bool any() const { return changesOnly || verify || readFirst; }
    };

    // What a safe write is doing; Idle when none runs.
    enum class Phase { Idle, ReadingRadio, Writing, Verifying };
    Q_ENUM(Phase)

    // Keeps the image read before a write (a backup); keptAt gets where it went, or stays empty
    // when it could not be kept. Returns false to call the write off before anything is sent
    // (it has told why).
    using RadioImageKeeper = std::function<bool(const Document &radio, QString &keptAt)>;

    // The blocks of the whole image in the order they are read before a write: the settings
    // block, the VFO bands, the enable bitmap, the slots.
    static QList<int> imageReadOrder();

    Transfers(Document &document, SerialPort &port, UserInteraction &ui, QObject *parent = nullptr);
    ~Transfers() override;

    bool isRunning() const { return m_running; }
    // A transfer runs that stop() can end (the test panel's read by hand ends by itself).
    bool canStop() const { return m_running && !m_handRead; }
    // The user asked the transfer that runs, or the last one, to stop.
    bool stopRequested() const { return m_stopRequested; }
    // "Read Memory", "Write Memory", "Read Settings", "Write Settings".
    static QString operationName(Operation op);
    // The second half of a transfer stopped as its first half ended.
    static QString notStartedNotice(Operation op);
    // The exchange the transfers use, for its reply timeout.
    CommandExchange &exchange() { return m_exchange; }

    // Taken by each write when it starts; a write that runs keeps the options it started with.
    void setWriteOptions(const WriteOptions &options) { m_writeOptions = options; }
    const WriteOptions &writeOptions() const { return m_writeOptions; }
    void setRadioImageKeeper(RadioImageKeeper keeper) { m_keeper = std::move(keeper); }
    // The blocks the last write sent, in order (all of its halves for the ALL write).
    const QList<int> &writtenBlocks() const { return m_written; }

public Q_SLOTS:
    void readMemory();
    void writeMemory();
    void readSettings();
    void writeSettings();
    // Settings, then memory; the second runs whatever the first ended with.
    void readAll();
    void writeAll();
    // The ALL write for those who want nothing more written once a half has stopped (the
    // command line): the memory half runs only after the settings half completed.
    void writeAllStoppingAtAFailure();

    // The test panel's single read: "AL~F" + address + "R" + CR, the raw reply shown as it comes,
    // no classification and no retry.
    void readBlockByHand(const QString &address);

    // Ends the transfer that runs once the exchange under way is over; nothing when none runs.
    void stop();

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
    // A safe write moved to another phase, which transfers blocks blocks (0 for Idle); progress
    // tells how many of those are done.
    void phaseChanged(hxv5::Transfers::Phase phase, int blocks);
    void phaseProgress(int done);

    // A transfer the user stopped has ended: what it left behind, for the status bar ("Read
    // Memory stopped before slot 57; the blocks read before it are kept.").
    void stopNotice(const QString &text);

    void handReadBuffer(const QString &buffer);
    void handReadFinished();

private:
    bool begin(Operation op, std::optional<Operation> followUp = std::nullopt,
               bool followUpAlways = true);
    void run(Operation op);
    void end(bool completed);
    void setGroupBusy(Operation op, bool busy);
    void setRunning(bool running);
    void onHandReadFinished(const QString &result);
    // The stop message; details, when given, go behind it, before the port's diagnosis.
    void report(const TransferOutcome &outcome, const QString &details = {});

    void runRead(TransferPlan plan);

    // --- the writes ---
    void runWrite();
    void setPhase(Phase phase, int blocks);
    // The whole image into m_image; then the keeper and the question before clearing channels.
    void readRadioImage();
    // Hands the image read to the keeper and fills m_image.asSent; false when the keeper called
    // the write off.
    bool keepRadioImage();
    // When the memory is to be written and the image read shows channels in slots the write
    // clears: the user's answer to the question naming them; true when there are none.
    bool mayClearChannels();
    // Without the image, the settings write reads the radio's TX extension first.
    void readRadioTxExtension();
    void write(TransferPlan plan);
    void verify();
    // The read back found blocks that differ from what was written.
    void stopAtMismatches();
    // A write's stop message, with what was written before it and where the backup is.
    void stopWrite(const TransferOutcome &outcome);
    // What went out before a write stopped, and where the backup is.
    QStringList writeStopLines(const TransferOutcome &outcome) const;
    QString restoreLine(const TransferOutcome &outcome) const;
    // The stop the user asked for, told as a notice.
    void tellUserStop(const TransferOutcome &outcome);
    QString backupLine() const;

    Document &m_document;
    UserInteraction &m_ui;
    CommandExchange m_exchange;
    TransferRunner m_runner{m_exchange};

    bool m_running = false;
    Operation m_op = Operation::ReadMemory;
    std::optional<Operation> m_followUp;
    bool m_followUpAlways = true;
    bool m_handRead = false;
    bool m_stopRequested = false;

    WriteOptions m_writeOptions;
    // The write that runs: its options, what the radio held before it, what it sent.
    WriteOptions m_active;
    RadioImageKeeper m_keeper;
    RadioImage m_image;
    Phase m_phase = Phase::Idle;
    bool m_haveRadioImage = false;
    bool m_radioImageKept = false;
    QString m_backupPath;
    QList<int> m_written;
    TransferPlan m_plan;
    QList<int> m_mismatches;
};

} // namespace hxv5
