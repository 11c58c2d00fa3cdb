#include "link/transfer_runner.h"

#include "base/reference_tables.h"
#include "link/command_exchange.h"

namespace hxv5 {

QString TransferOutcome::message() const
{
    return stop == Stop::PortFailure ? TransferRunner::tr("COM Port Error")
                                     : TransferRunner::tr("Communication Error");
}

TransferRunner::TransferRunner(CommandExchange &exchange, QObject *parent)
    : QObject(parent), m_exchange(exchange)
{
    connect(&m_exchange, &CommandExchange::readFinished, this, &TransferRunner::onReadFinished);
    connect(&m_exchange, &CommandExchange::writeFinished, this, &TransferRunner::onWriteFinished);
}

void TransferRunner::run(TransferPlan plan, Progress progress, Store store, Done done)
{
    m_plan = std::move(plan);
    m_progress = progress;
    m_store = std::move(store);
    m_done = std::move(done);
    m_index = 0;
    m_outcome = {};
    next();
}

// Announce the block and transfer it; a stop ends the plan, an accepted block is stored and the
// next one taken.
void TransferRunner::next()
{
    if (m_index == m_plan.size()) {
        finish();
        return;
    }
    if (m_stopRequested) {
        stop(TransferOutcome::Stop::ByUser, false);
        return;
    }
    const TransferStep step = m_plan.at(m_index);
    if (m_progress.slots && step.block < kSlotCount)
        Q_EMIT slotStarted(step.block);
    Q_EMIT blockStarted(step.block);
    if (m_progress.phase)
        Q_EMIT phaseProgress(static_cast<int>(m_index));
    m_command = step.write ? CommandExchange::writeCommand(step.block, step.text)
                           : CommandExchange::readCommand(step.block);
    m_attempts = 0;
    attempt();
}

void TransferRunner::attempt()
{
    ++m_attempts;
    if (m_plan.at(m_index).write)
        m_exchange.WriteExchange(m_command);
    else
        m_exchange.ReadExchange(m_command);
}

void TransferRunner::onReadFinished(const QString &result)
{
    if (!m_done)
        return; // not this runner's exchange (the test panel's read by hand)
    if (result == CommandExchange::kPortFailure)
        stop(TransferOutcome::Stop::PortFailure);
    else if (result == CommandExchange::kNoReply || result == CommandExchange::kBadFrame)
        retryOrStop();
    else
        accept(result.mid(2, kRecordLength)); // CR LF, the 32 data characters, CR LF
}

void TransferRunner::onWriteFinished(int code)
{
    if (!m_done)
        return;
    if (code == CommandExchange::kWritePortFailure)
        stop(TransferOutcome::Stop::PortFailure);
    else if (code == CommandExchange::kWriteAccepted)
        accept({});
    else
        retryOrStop();
}

void TransferRunner::retryOrStop()
{
    // The block may have gone through all the same: a write counts as unconfirmed.
    if (m_stopRequested)
        stop(TransferOutcome::Stop::ByUser);
    else if (m_attempts < kMaxAttempts)
        attempt();
    else
        stop(TransferOutcome::Stop::CommunicationFailure);
}

void TransferRunner::accept(const QString &data)
{
    const TransferStep &step = m_plan.at(m_index);
    if (step.write)
        m_outcome.written.append(step.block);
    if (m_store)
        m_store(step, data);
    ++m_index;
    next();
}

void TransferRunner::stop(TransferOutcome::Stop stop, bool attempted)
{
    m_outcome.stop = stop;
    m_outcome.stoppedAt = m_plan.at(m_index).block;
    m_outcome.stoppedOnWrite = attempted && m_plan.at(m_index).write && m_exchange.commandSent();
    finish();
}

void TransferRunner::finish()
{
    // The outcome's handler may start the next plan.
    const Done done = std::exchange(m_done, nullptr);
    m_store = nullptr;
    done(std::exchange(m_outcome, {}));
}

} // namespace hxv5
