#pragma once

#include "link/transfer_plan.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

namespace hxv5 {

class CommandExchange;

// How a transfer ended: completed, or stopped at a block (by a failure, or because the user
// asked it to stop).
struct TransferOutcome
{
    enum class Stop { None, PortFailure, CommunicationFailure, ByUser };

    Stop stop = Stop::None;
    int stoppedAt = -1;
    // The block it stopped at was a write that went out and that the radio did not confirm.
    bool stoppedOnWrite = false;
    // The blocks written, in order.
    QList<int> written;

    bool completed() const { return stop == Stop::None; }
    bool stoppedByUser() const { return stop == Stop::ByUser; }
    // "COM Port Error" or "Communication Error".
    QString message() const;
};

// Runs one plan at a time over the exchange, block by block. Every block gets up to ten
// attempts: no reply within the exchange's reply time-out or a damaged reply tries again, a port
// failure stops at once, the tenth failed attempt stops.
//
// A stop asked for by the user takes effect once the exchange under way has ended, before the
// next one starts: an exchange is never cut in half. Asked for between two plans, it stops the
// next plan before its first block.
class TransferRunner : public QObject
{
    Q_OBJECT
public:
    static constexpr int kMaxAttempts = 10;

    // Which progress a plan reports besides blockStarted.
    struct Progress
    {
        bool slots = false;
        bool phase = false;
    };
    // A block went through; data is what a read brought (empty for a write).
    using Store = std::function<void(const TransferStep &step, const QString &data)>;
    using Done = std::function<void(const TransferOutcome &outcome)>;

    explicit TransferRunner(CommandExchange &exchange, QObject *parent = nullptr);

    void run(TransferPlan plan, Progress progress, Store store, Done done);

    // Ends the plan that runs (and any plan started after it) at the next point between two
    // exchanges, until resetStop().
    void requestStop() { m_stopRequested = true; }
    void resetStop() { m_stopRequested = false; }
    bool stopRequested() const { return m_stopRequested; }

Q_SIGNALS:
    void blockStarted(int block);
    void slotStarted(int slot);
    // The index in the plan of the block starting.
    void phaseProgress(int done);

private:
    void next();
    void attempt();
    void onReadFinished(const QString &result);
    void onWriteFinished(int code);
    void retryOrStop();
    void accept(const QString &data);
    // attempted: the block it stops at was sent at least once.
    void stop(TransferOutcome::Stop stop, bool attempted = true);
    void finish();

    CommandExchange &m_exchange;
    TransferPlan m_plan;
    Progress m_progress;
    Store m_store;
    Done m_done;
    qsizetype m_index = 0;
    QString m_command;
    int m_attempts = 0;
    bool m_stopRequested = false;
    TransferOutcome m_outcome;
};

} // namespace hxv5
