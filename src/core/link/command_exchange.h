#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>

namespace hxv5 {

class SerialPort;

// One command line to the radio and the reply it sends back, as a small state machine: the
// command is sent, a single-shot timer runs, input is collected as it arrives, and the exchange
// ends the moment the reply is complete or when the timer runs out. Nothing blocks meanwhile.
// The result is always reported from the event loop, never from inside the call that started
// the exchange.
class CommandExchange : public QObject
{
    Q_OBJECT
public:
    // The radio's reply must be complete within this time after the command was sent.
    static constexpr std::chrono::milliseconds kReplyTimeout{500};

    // Results of ReadExchange besides the 36 accepted characters.
    static inline const QString kPortFailure = QStringLiteral("ERROR00");
    static inline const QString kNoReply = QStringLiteral("ERROR01");
    static inline const QString kBadFrame = QStringLiteral("ERROR02");
    // Codes of WriteExchange.
    enum WriteCode {
        kWriteAccepted = 0,
        kWriteRejected = 1,
        kWriteNoReply = 2,
        kWritePortFailure = 3
    };

    explicit CommandExchange(SerialPort &port, QObject *parent = nullptr);

    void setReplyTimeout(std::chrono::milliseconds timeout) { m_timeout = timeout; }
    std::chrono::milliseconds replyTimeout() const { return m_timeout; }

    // "AL~F" + address + "R" + CR, and "AL~F" + address + "W" + 32 digits + CR.
    static QString readCommand(int block);
    static QString writeCommand(int block, const QString &record);

    // Starts an exchange with a complete read command line; readFinished reports the 36
    // accepted characters (CR LF, 32 upper-case hexadecimal digits, CR LF) or kPortFailure,
    // kNoReply, kBadFrame (36 or more characters whose last 36 are not such a reply).
    void ReadExchange(const QString &command);
    // Starts an exchange with a complete write command line; writeFinished reports a WriteCode.
    void WriteExchange(const QString &command);

    bool isRunning() const { return m_state != State::Idle; }
    // Ends a running exchange without a result.
    void abort();

    // After a port failure: what the port can tell about it, for the user.
    QString portFailureDiagnosis() const;
    // Whether the last exchange's command reached the line: a port that did not open sent
    // nothing, so a write stopped there changed nothing on the radio.
    bool commandSent() const { return m_sent; }

Q_SIGNALS:
    void readFinished(const QString &result);
    void writeFinished(int code);
    // The reply collected so far, each time more of it arrives.
    void replyProgress(const QByteArray &reply);

private:
    enum class State { Idle, Reading, Writing };

    void start(State state, const QString &command);
    void onReadyRead();
    void onTimeout();
    void onPortError();
    void finish(bool portFailed);
    void finishLater(bool portFailed);
    bool replyComplete() const;
    void dropStaleAnswers();

    SerialPort &m_port;
    QTimer m_timer;
    std::chrono::milliseconds m_timeout = kReplyTimeout;
    State m_state = State::Idle;
    // Set between the start of an exchange and its timer start, and when a port operation failed
    // there: input is collected, but the result is reported from the event loop.
    bool m_starting = false;
    bool m_failing = false;
    bool m_sent = false;
    QByteArray m_command;
    QByteArray m_reply;
    // Tells a queued report apart from one of an exchange that was aborted meanwhile.
    quint64 m_sequence = 0;
};

} // namespace hxv5
