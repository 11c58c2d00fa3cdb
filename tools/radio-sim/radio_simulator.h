#pragma once

#include "radio_memory.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <deque>

class QSocketNotifier;

namespace hxv5 {

// A radio on the far end of a pseudo-terminal. It takes the program's command lines, echoes
// each one and answers it as the radio does:
//
//   "AL~F" addr "R" CR            ->  echo, CR LF, 32 hexadecimal digits, CR LF
//   "AL~F" addr "W" 32 digits CR  ->  echo, CR LF "OK" CR LF
//
// Paced, both directions behave like a 9600-baud line: a command counts as received only when
// its last character would have arrived, and the answer leaves at 960 characters per second.
class RadioSimulator : public QObject
{
    Q_OBJECT
public:
    static constexpr int kCharsPerSecond = 960;

    struct Fault
    {
        enum class Kind {
            Silent,   // nothing at all, not even the echo
            NoAnswer, // the echo only
            Garbage,  // the echo, then characters that are no reply
            BadFrame, // a read reply with a broken frame, or "NG" for a write
        };
        Kind kind = Kind::Silent;
        int block = 0;
        int attempts = -1; // how many commands for the block it spoils; -1: every one
    };

    struct Options
    {
        bool paced = true;
        QList<Fault> faults;
        int hangUpBlock = -1;  // close the line when a command for this block arrives
        int delayMs = 0;       // extra time before each answer starts
        int delayBlock = -1;   // ... only for this block; -1: every block
        int corruptBlock = -1; // stores this block with one digit changed, answering "OK"
        QString memoryPath;    // where written blocks are kept; empty: nowhere
        bool verbose = false;  // log each command on stderr
    };

    RadioSimulator(const RadioMemory &memory, const Options &options, QObject *parent = nullptr);
    ~RadioSimulator() override;

    // Opens the pseudo-terminal; its device path is then devicePath().
    bool open();
    QString devicePath() const { return m_devicePath; }
    // Closes the line and keeps what was written.
    void close();

    const RadioMemory &memory() const { return m_memory; }
    bool saveMemory();

    // Parses "KIND:N[:K]" (KIND silent, no-answer, garbage, bad-frame).
    static bool parseFault(const QString &text, Fault &fault);

Q_SIGNALS:
    // The line was closed on request (the hang-up fault).
    void hungUp();

private:
    struct Command
    {
        QByteArray line; // with its CR
        qint64 due;      // when its last character has arrived on the line
    };
    struct OutChar
    {
        char c;
        qint64 due;
    };

    void onReadable();
    void onTick();
    void schedule();
    void answer(const Command &command);
    void queueOutput(const QByteArray &text, qint64 start);
    void flushOutput(qint64 now);
    // When the next burst of output is due: its last character's time on the line.
    qint64 burstDue() const;
    const Fault *takeFault(int block);
    // What a write command's 32 digits become in memory: the same, but for the corrupted block.
    QByteArray stored(QByteArray digits, int block) const;
    qint64 now() const { return m_clock.nsecsElapsed(); }
    qint64 charTime() const;

    RadioMemory m_memory;
    Options m_options;
    int m_master = -1;
    int m_slave = -1; // kept open so that the master side never reports a hang-up
    QString m_devicePath;
    QSocketNotifier *m_notifier = nullptr;
    QElapsedTimer m_clock;
    QTimer m_tick;
    QTimer m_saveTimer;
    bool m_dirty = false;

    QByteArray m_rxLine;
    qint64 m_rxLineFree = 0;
    std::deque<Command> m_commands;
    std::deque<OutChar> m_output;
    qint64 m_txLineFree = 0;
};

} // namespace hxv5
