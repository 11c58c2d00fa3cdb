#pragma once

#include "link/serial_port.h"

#include <QByteArrayList>
#include <QHash>
#include <QList>
#include <QTimer>

#include <functional>
#include <utility>

namespace hxv5::testing {

// A radio on the other end of a scripted line. It holds 223 blocks as 32-digit texts, all erased
// ("F") at first, and answers each read command with the echo and the block, each write command
// with the echo and "OK", storing the block. The answers arrive later from the event loop, in
// chunks, as a real line delivers them. Blocks can be made to fail for a number of attempts, and
// the responder can be replaced to script the line byte by byte.
class FakeRadio : public SerialPort
{
public:
    struct Chunk
    {
        QByteArray data;
        int delayMs = 0;
    };
    using Responder = std::function<QList<Chunk>(const QByteArray &command)>;

    // NotHex: a well-framed read reply whose 32 characters are letters past F.
    enum class Fault { NoReply, BadFrame, NotHex, Rejected };
    struct FaultPlan
    {
        Fault fault = Fault::NoReply;
        int attempts = -1; // -1: for ever
        bool writesOnly = false;
    };

    bool open() override
    {
        ++openCount;
        m_open = !openFails;
        m_dead = false;
        return m_open;
    }
    void close() override
    {
        ++closeCount;
        m_open = false;
    }
    bool isOpen() const override { return m_open; }
    QByteArray takePendingInput() override { return std::exchange(pending, {}); }
    bool send(const QByteArray &data) override
    {
        if (!m_open || sendFails || m_dead)
            return false;
        sent.append(data);
        if (responder) {
            for (const Chunk &chunk : responder(data))
                deliver(chunk.data, chunk.delayMs);
        }
        return true;
    }

    // The radio's answer to a command, and what it does with a write.
    QList<Chunk> answer(const QByteArray &command)
    {
        if (command.size() < 10)
            return {};
        const int block = command.mid(4, 4).toInt(nullptr, 16) / 16;
        const bool isWrite = command.at(8) == 'W';
        auto fault = faults.find(block);
        if (fault != faults.end() && fault->attempts != 0 && (isWrite || !fault->writesOnly)) {
            if (fault->attempts > 0)
                --fault->attempts;
            switch (fault->fault) {
            case Fault::NoReply:
                return {};
            case Fault::BadFrame:
                return {{command + "\r\n" + blocks.value(block).toLatin1() + "X\r\n"}};
            case Fault::NotHex:
                return {{command + "\r\n" + QByteArray(32, 'Z') + "\r\n"}};
            case Fault::Rejected:
                return {{command + "\r\nNG\r\n"}};
            }
        }
        if (isWrite) {
            blocks[block] = QString::fromLatin1(command.mid(9, 32));
            if (onWrite)
                onWrite(block);
            return {{command}, {"\r\nOK\r\n"}};
        }
        return {{command}, {"\r\n" + blocks.value(block).toLatin1() + "\r\n"}};
    }

    // Input arriving later, from the event loop.
    void deliver(const QByteArray &data, int delayMs = 0)
    {
        QTimer::singleShot(delayMs, this, [this, data] {
            pending += data;
            Q_EMIT readyRead();
        });
    }
    void failLater(int delayMs = 0)
    {
        QTimer::singleShot(delayMs, this, [this] { Q_EMIT errorOccurred(); });
    }
    // The cable pulled (and plugged back): the line reports its failure, and the handle it had
    // stays useless while it counts as open; opening it again reaches the device afresh.
    void vanish(int delayMs = 0)
    {
        m_dead = true;
        failLater(delayMs);
    }

    // The radio's memory.
    QList<QString> blocks = QList<QString>(223, QString(32, QLatin1Char('F')));
    QHash<int, FaultPlan> faults;
    // Called after each write the radio takes, with its block (already stored in blocks).
    std::function<void(int block)> onWrite;

    // The line.
    bool openFails = false;
    bool sendFails = false;
    int openCount = 0;
    int closeCount = 0;
    QByteArrayList sent;
    QByteArray pending;
    Responder responder = [this](const QByteArray &command) { return answer(command); };

private:
    bool m_open = false;
    bool m_dead = false;
};

} // namespace hxv5::testing
