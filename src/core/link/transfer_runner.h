#pragma once

#include "link/transfer_plan.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

namespace hxv5 {

class CommandExchange;

// How a transfer ended: completed, or stopped at a block.
struct TransferOutcome
{
    enum class Stop { None, PortFailure, CommunicationFailure };

    Stop stop = Stop::None;
    int stoppedAt = -1;
    // The block it stopped at was a write that went out and that the radio did not confirm.
    bool stoppedOnWrite = false;
    // The blocks written, in order.
    QList<int> written;

    bool completed() const { return stop == Stop::None; }
    // "COM Port Error" or "Communication Error".
    QString message() const;
};

// Runs one plan at a time over the exchange, block by block. Every block gets up to ten
// attempts: no reply within the exchange's reply time-out or a damaged reply tries again, a port
// failure stops at once, the tenth failed attempt stops.
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
    void stop(TransferOutcome::Stop stop);
    void finish();

    CommandExchange &m_exchange;
    TransferPlan m_plan;
    Progress m_progress;
    Store m_store;
    Done m_done;
    qsizetype m_index = 0;
    QString m_command;
    int m_attempts = 0;
    TransferOutcome m_outcome;
};

} // namespace hxv5
