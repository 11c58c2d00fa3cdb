#include "link/transfers.h"

#include "base/user_interaction.h"
#include "document/document.h"

namespace hxv5 {

namespace {

bool isRead(Transfers::Operation op)
{
    return op == Transfers::Operation::ReadMemory || op == Transfers::Operation::ReadSettings;
}

bool isMemoryOperation(Transfers::Operation op)
{
    return op == Transfers::Operation::ReadMemory || op == Transfers::Operation::WriteMemory;
}

// A read that stops once the slots or the VFO bands are coming in leaves what came so far.
bool stoppedReadChangedTheDocument(int block)
{
    return block < kSlotCount || block >= kFirstVfoBlock;
}

} // namespace

Transfers::Transfers(Document &document, SerialPort &port, UserInteraction &ui, QObject *parent)
    : QObject(parent), m_document(document), m_ui(ui), m_exchange(port)
{
    connect(&m_exchange, &CommandExchange::readFinished, this, &Transfers::onHandReadFinished);
    connect(&m_runner, &TransferRunner::blockStarted, this, &Transfers::blockStarted);
    connect(&m_runner, &TransferRunner::slotStarted, this, &Transfers::slotStarted);
    connect(&m_runner, &TransferRunner::phaseProgress, this, &Transfers::phaseProgress);
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
    return hxv5::imageReadOrder();
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
    m_stopRequested = false;
    m_runner.resetStop();
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
    if (op == Operation::ReadMemory)
        runRead(memoryReadPlan());
    else if (op == Operation::ReadSettings)
        runRead(settingsReadPlan());
    else
        runWrite();
}

void Transfers::end(bool completed)
{
    const Operation op = m_op;
    setGroupBusy(op, false);
    // A stop the user asked for ends the ALL items too, also one that came as the first half
    // ended.
    std::optional<Operation> dropped;
    if (m_followUp && (m_stopRequested || (!completed && !m_followUpAlways)))
        dropped = std::exchange(m_followUp, std::nullopt);
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
    if (dropped && completed && m_stopRequested)
        Q_EMIT stopNotice(notStartedNotice(*dropped));
}

void Transfers::report(const TransferOutcome &outcome, const QString &details)
{
    // What the transfer left behind in sight, why the port failed behind it.
    m_ui.showErrorReport(outcome.message(), details,
                         outcome.stop == TransferOutcome::Stop::PortFailure
                             ? m_exchange.portFailureDiagnosis()
                             : QString());
}

// --- the reads ---

void Transfers::runRead(TransferPlan plan)
{
    m_runner.run(
        std::move(plan), {.slots = true},
        [this](const TransferStep &step, const QString &data) {
            storeReadBlock(m_document, step.block, data);
        },
        [this](const TransferOutcome &outcome) {
            if (outcome.stoppedByUser())
                tellUserStop(outcome);
            else if (!outcome.completed())
                report(outcome);
            if (outcome.completed() || stoppedReadChangedTheDocument(outcome.stoppedAt))
                m_document.setChanged(true);
            end(outcome.completed());
        });
}

// --- the writes ---
//
// A write is planned from the document first: every block it would send, in the order of the
// plain write, with the text encoded for it (the document is busy, so nothing changes it before
// the block goes out). Only changes: the blocks whose text the radio already holds are left out.

void Transfers::runWrite()
{
    if (m_active.readsFirst() && !m_haveRadioImage)
        readRadioImage();
    else if (m_haveRadioImage)
        write(safeWritePlan(m_op == Operation::WriteSettings ? WriteHalf::Settings
                                                             : WriteHalf::Memory,
                            m_document, m_image, m_active.changesOnly));
    else if (m_op == Operation::WriteSettings)
        readRadioTxExtension();
    else
        write(memoryWritePlan(m_document));
}

void Transfers::setPhase(Phase phase, int blocks)
{
    m_phase = phase;
    Q_EMIT phaseChanged(phase, blocks);
}

void Transfers::readRadioImage()
{
    TransferPlan plan = readPlan(imageReadOrder());
    setPhase(Phase::ReadingRadio, static_cast<int>(plan.size()));
    m_runner.run(
        std::move(plan), {.phase = true},
        [this](const TransferStep &step, const QString &data) {
            m_image.held.at(static_cast<size_t>(step.block)) = data;
        },
        [this](const TransferOutcome &outcome) {
            if (!outcome.completed()) {
                stopWrite(outcome);
                return;
            }
            m_haveRadioImage = true;
            // Stopped as the read ended: the image is kept, and nothing is asked any more.
            if (!keepRadioImage() || (!m_stopRequested && !mayClearChannels())) {
                // The keeper told why, or the user said no; nothing at all is written, not even
                // the other half.
                m_followUp.reset();
                end(false);
                return;
            }
            runWrite();
        });
}

bool Transfers::keepRadioImage()
{
    Document radio;
    decodeRadioImage(m_image.held, radio);
    bool goOn = true;
    if (m_keeper) {
        QString keptAt;
        goOn = m_keeper(radio, keptAt);
        m_radioImageKept = !keptAt.isEmpty();
        m_backupPath = keptAt;
    }
    m_image.asSent = imageAsSent(radio, m_image.held);
    return goOn;
}

bool Transfers::mayClearChannels()
{
    if (m_op != Operation::WriteMemory && m_followUp != Operation::WriteMemory)
        return true;
    const QString question = clearedChannelsQuestion(m_document, m_image.held);
    return question.isEmpty() || m_ui.askWriteAnyway(question);
}

void Transfers::readRadioTxExtension()
{
    m_runner.run(
        readPlan({kSettingsBlock}), {},
        [this](const TransferStep &, const QString &data) {
            m_document.settings().setTxExtension(txExtensionOf(data));
        },
        [this](const TransferOutcome &outcome) {
            if (outcome.completed())
                write(settingsWritePlan(m_document));
            else
                stopWrite(outcome);
        });
}

void Transfers::write(TransferPlan plan)
{
    m_plan = std::move(plan);
    if (m_active.any())
        setPhase(Phase::Writing, static_cast<int>(m_plan.size()));
    m_runner.run(m_plan, {.slots = true, .phase = m_active.any()}, {},
                 [this](const TransferOutcome &outcome) {
                     m_written += outcome.written;
                     if (!outcome.completed())
                         stopWrite(outcome);
                     else if (m_active.verify && !m_plan.isEmpty())
                         verify();
                     else
                         end(true);
                 });
}

void Transfers::verify()
{
    m_mismatches.clear();
    setPhase(Phase::Verifying, static_cast<int>(m_plan.size()));
    m_runner.run(
        readBackPlan(m_plan), {.phase = true},
        [this](const TransferStep &step, const QString &data) {
            if (data != step.text)
                m_mismatches.append(step.block);
        },
        [this](const TransferOutcome &outcome) {
            if (!outcome.completed())
                stopWrite(outcome);
            else if (m_mismatches.isEmpty())
                end(true);
            else
                stopAtMismatches();
        });
}

void Transfers::stopAtMismatches()
{
    QStringList lines;
    for (int block : std::as_const(m_mismatches))
        lines.append(tr("%1 differs from what was written").arg(blockName(block)));
    lines.append(backupLine());
    m_ui.showErrorDetails(tr("Verify Error"), lines.join(QLatin1Char('\n')));
    end(false);
}

void Transfers::stopWrite(const TransferOutcome &outcome)
{
    if (outcome.stoppedByUser()) {
        tellUserStop(outcome);
    } else {
        QStringList lines = writeStopLines(outcome);
        // What to do next.
        lines.append(tr("Check the cable and the radio, then write again."));
        lines.append(restoreLine(outcome));
        lines.removeAll(QString());
        report(outcome, lines.join(QLatin1Char('\n')));
    }
    end(false);
}

QString Transfers::operationName(Operation op)
{
    switch (op) {
    case Operation::ReadMemory:
        return tr("Read Memory");
    case Operation::WriteMemory:
        return tr("Write Memory");
    case Operation::ReadSettings:
        return tr("Read Settings");
    case Operation::WriteSettings:
        return tr("Write Settings");
    }
    return {};
}

QString Transfers::notStartedNotice(Operation op)
{
    return tr("%1 was not started: the transfer was stopped.").arg(operationName(op));
}

void Transfers::tellUserStop(const TransferOutcome &outcome)
{
    const QString where = blockName(outcome.stoppedAt);
    QStringList lines{
        (outcome.stoppedOnWrite ? tr("%1 stopped at %2.") : tr("%1 stopped before %2."))
            .arg(operationName(m_op), where)};
    if (!isRead(m_op)) {
        lines += writeStopLines(outcome);
        lines.append(restoreLine(outcome));
    } else if (stoppedReadChangedTheDocument(outcome.stoppedAt)) {
        lines.append(tr("What was read before it is kept."));
    } else {
        lines.append(tr("Nothing has changed."));
    }
    lines.removeAll(QString());
    Q_EMIT stopNotice(lines.join(QLatin1Char(' ')));
}

void Transfers::stop()
{
    if (!canStop())
        return;
    m_stopRequested = true;
    m_runner.requestStop();
}

QString Transfers::restoreLine(const TransferOutcome &outcome) const
{
    if (m_radioImageKept && (!m_written.isEmpty() || outcome.stoppedOnWrite))
        return tr("To put back what the radio held instead, open the backup and write it.");
    return {};
}

QStringList Transfers::writeStopLines(const TransferOutcome &outcome) const
{
    // A write whose answer never came may have been stored all the same.
    const bool unconfirmed = outcome.stoppedOnWrite;
    const QString stopped = blockName(outcome.stoppedAt);
    QStringList lines;
    if (m_written.isEmpty() && !unconfirmed) {
        lines.append(tr("Nothing was written: the radio holds what it held before."));
    } else {
        if (!m_written.isEmpty())
            lines.append(tr("Written before the stop: %1.").arg(blockListText(m_written)));
        if (unconfirmed)
            lines.append(tr("The radio did not confirm %1: it may hold the new or the old text.")
                             .arg(stopped));
        else if (m_phase == Phase::Verifying)
            lines.append(tr("Reading back stopped at %1.").arg(stopped));
        lines.append(tr("The other blocks hold what the radio held before."));
    }
    lines.append(backupLine());
    return lines;
}

QString Transfers::backupLine() const
{
    if (m_radioImageKept)
        return tr("What the radio held before this write is kept in %1.").arg(m_backupPath);
    if (m_haveRadioImage)
        return tr("What the radio held before this write could not be kept.");
    return tr("No copy of what the radio held was taken before this write.");
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

void Transfers::onHandReadFinished(const QString &result)
{
    if (!m_handRead)
        return;
    m_handRead = false;
    if (result == CommandExchange::kPortFailure) {
        TransferOutcome outcome;
        outcome.stop = TransferOutcome::Stop::PortFailure;
        report(outcome);
    }
    setRunning(false);
    Q_EMIT handReadFinished();
}

} // namespace hxv5
