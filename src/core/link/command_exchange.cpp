#include "link/command_exchange.h"

#include "image/clone_image.h"
#include "link/serial_port.h"

#include <algorithm>

namespace hxv5 {

namespace {

const QByteArray kLineEnd = QByteArrayLiteral("\r\n");
const QByteArray kWriteAccepted = QByteArrayLiteral("\r\nOK\r\n");
// CR LF, 32 digits, CR LF.
constexpr qsizetype kReadReplyLength = 36;
// A write is judged only once at least this much has arrived: the radio echoes the 42-character
// command before its own answer.
constexpr qsizetype kWriteReplyLength = 46;
// Every command begins with these characters, and the radio echoes the command before its answer.
const QByteArray kCommandStart = QByteArrayLiteral("AL~F");
// A read command's echo is "AL~F" + 4 address digits + "R" + CR.
constexpr qsizetype kReadEchoLength = 10;
// The frame after an echo: CR LF, 32 characters, CR LF after a read; CR LF "OK" CR LF after a
// write.
constexpr qsizetype kWriteAnswerLength = 6;

// The radio carries a block as 32 upper-case hexadecimal digits. Anything else between the line
// ends (letters past F, lower case, a stray line end) is damage on the line: taken as data it
// would decode to empty, disabled slots, and written back it would erase the radio.
bool isBlockText(QByteArrayView digits)
{
    return std::all_of(digits.begin(), digits.end(),
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); });
}

QString classifyRead(const QByteArray &reply)
{
    if (reply.size() < kReadReplyLength)
        return CommandExchange::kNoReply;
    const QByteArray tail = reply.right(kReadReplyLength);
    if (!tail.startsWith(kLineEnd) || !tail.endsWith(kLineEnd) ||
        !isBlockText(QByteArrayView(tail).sliced(kLineEnd.size(), kRecordLength)))
        return CommandExchange::kBadFrame;
    return QString::fromLatin1(tail);
}

int classifyWrite(const QByteArray &reply)
{
    if (reply.size() < kWriteReplyLength)
        return CommandExchange::kWriteNoReply;
    return reply.endsWith(kWriteAccepted) ? CommandExchange::kWriteAccepted
                                          : CommandExchange::kWriteRejected;
}

} // namespace

CommandExchange::CommandExchange(SerialPort &port, QObject *parent) : QObject(parent), m_port(port)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &CommandExchange::onTimeout);
    connect(&m_port, &SerialPort::readyRead, this, &CommandExchange::onReadyRead);
    connect(&m_port, &SerialPort::errorOccurred, this, &CommandExchange::onPortError);
}

QString CommandExchange::readCommand(int block)
{
    return QStringLiteral("AL~F") + blockAddress(block) + QStringLiteral("R\r");
}

QString CommandExchange::writeCommand(int block, const QString &record)
{
    return QStringLiteral("AL~F") + blockAddress(block) + QLatin1Char('W') + record +
           QLatin1Char('\r');
}

void CommandExchange::ReadExchange(const QString &command)
{
    start(State::Reading, command);
}

void CommandExchange::WriteExchange(const QString &command)
{
    start(State::Writing, command);
}

void CommandExchange::start(State state, const QString &command)
{
    abort();
    m_state = state;
    m_command = command.toLatin1();
    m_reply.clear();
    m_starting = true;
    m_sent = false;
    if (!m_port.isOpen() && !m_port.open()) {
        finishLater(true);
        return;
    }
    // Whatever the radio sent before this command (a late reply to an earlier one) is stale.
    m_port.discardPendingInput();
    if (!m_port.send(command.toLatin1())) {
        finishLater(true);
        return;
    }
    m_sent = true;
    // The deadline counts from the moment the command was handed to the line.
    m_timer.start(m_timeout);
    m_starting = false;
    dropStaleAnswers();
    if (replyComplete())
        finishLater(false);
}

void CommandExchange::abort()
{
    m_timer.stop();
    m_state = State::Idle;
    m_starting = false;
    m_failing = false;
    ++m_sequence;
}

bool CommandExchange::replyComplete() const
{
    if (!m_reply.endsWith(kLineEnd))
        return false;
    // A write reply of exactly 46 characters is not complete by this rule; it is judged when the
    // time is up.
    return m_state == State::Reading ? m_reply.size() > kReadReplyLength - 1
                                     : m_reply.size() > kWriteReplyLength;
}

void CommandExchange::onReadyRead()
{
    if (m_state == State::Idle || m_failing)
        return; // left for the next exchange to discard
    const QByteArray input = m_port.takePendingInput();
    if (input.isEmpty())
        return;
    m_reply += input;
    dropStaleAnswers();
    Q_EMIT replyProgress(m_reply);
    if (!m_starting && replyComplete())
        finish(false);
}

void CommandExchange::dropStaleAnswers()
{
    // A radio that answers late can still be answering an earlier command (one whose time ran
    // out, so it was sent again) while this one waits. That answer begins with the earlier
    // command's echo; taken as this command's reply it would put one block's data into another.
    // An echo of another command, with the frame that follows it, is dropped; once this
    // command's own echo is in, what follows is its answer. Replies without an echo are judged
    // as they come.
    for (;;) {
        const qsizetype echo = m_reply.indexOf(kCommandStart);
        if (echo < 0)
            return;
        const qsizetype cr = m_reply.indexOf('\r', echo);
        if (cr < 0)
            return; // the echo is still arriving
        const qsizetype echoLength = cr + 1 - echo;
        if (m_reply.mid(echo, echoLength) == m_command)
            return;
        const bool readEcho = echoLength == kReadEchoLength && m_reply.at(cr - 1) == 'R';
        const qsizetype frameLength = readEcho ? kReadReplyLength : kWriteAnswerLength;
        if (m_reply.size() < cr + 1 + frameLength)
            return; // its frame is still arriving
        const QByteArray frame = m_reply.mid(cr + 1, frameLength);
        const bool framed = frame.startsWith(kLineEnd) && frame.endsWith(kLineEnd);
        m_reply.remove(echo, echoLength + (framed ? frameLength : 0));
    }
}

void CommandExchange::onTimeout()
{
    if (m_state != State::Idle && !m_starting)
        finish(false);
}

void CommandExchange::onPortError()
{
    if (m_state == State::Idle) {
        // The line failed between exchanges (the cable was pulled): the next exchange must open
        // it afresh rather than fail on the dead handle first.
        m_port.close();
        return;
    }
    if (m_failing)
        return;
    if (m_starting)
        finishLater(true);
    else
        finish(true);
}

void CommandExchange::finishLater(bool portFailed)
{
    m_timer.stop();
    m_failing = portFailed;
    m_starting = true;
    const quint64 sequence = m_sequence;
    QMetaObject::invokeMethod(
        this,
        [this, sequence, portFailed] {
            if (sequence == m_sequence && m_state != State::Idle)
                finish(portFailed);
        },
        Qt::QueuedConnection);
}

void CommandExchange::finish(bool portFailed)
{
    const State state = m_state;
    abort();
    // A failed port is closed, so that the next exchange opens it afresh (the cable may have
    // been plugged in again meanwhile) instead of failing on a dead handle for ever.
    if (portFailed)
        m_port.close();
    if (state == State::Reading)
        Q_EMIT readFinished(portFailed ? kPortFailure : classifyRead(m_reply));
    else
        Q_EMIT writeFinished(portFailed ? kWritePortFailure : classifyWrite(m_reply));
}

QString CommandExchange::portFailureDiagnosis() const
{
    return m_port.failureDiagnosis();
}

} // namespace hxv5
