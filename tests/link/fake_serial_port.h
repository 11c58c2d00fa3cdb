#pragma once

#include "link/serial_port.h"

#include <QHash>
#include <QList>
#include <QTimer>

#include <functional>
#include <utility>

// A scripted line: each command handed to send() is logged and answered by the responder with
// chunks that arrive later from the event loop, as a real line delivers them.
class FakeSerialPort : public hxv5::SerialPort
{
public:
    struct Chunk
    {
        QByteArray data;
        int delayMs = 0;
    };
    using Responder = std::function<QList<Chunk>(const QByteArray &command)>;

    using hxv5::SerialPort::SerialPort;

    bool open() override
    {
        ++openCount;
        m_open = !openFails;
        m_dead = false;
        return m_open;
    }
    void close() override { m_open = false; }
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

    bool openFails = false;
    bool sendFails = false;
    int openCount = 0;
    QList<QByteArray> sent;
    QByteArray pending;
    Responder responder;

private:
    bool m_open = false;
    bool m_dead = false;
};

// A radio behind the fake line: 223 blocks as 32-digit texts, answering with the echo of the
// command and the reply frame. Blocks can be made to fail for a number of attempts.
struct FakeRadio
{
    // NotHex: a well-framed read reply whose 32 characters are letters past F.
    enum class Fault { NoReply, BadFrame, NotHex, Rejected };

    QList<QString> blocks = QList<QString>(223, QString(32, QLatin1Char('F')));
    // block -> (fault, attempts left; -1 for ever)
    QHash<int, std::pair<Fault, int>> faults;

    FakeSerialPort::Responder responder()
    {
        return [this](const QByteArray &command) -> QList<FakeSerialPort::Chunk> {
            const int block = command.mid(4, 4).toInt(nullptr, 16) / 16;
            const bool isWrite = command.size() > 8 && command.at(8) == 'W';
            auto fault = faults.find(block);
            if (fault != faults.end() && fault->second != 0) {
                if (fault->second > 0)
                    --fault->second;
                switch (fault->first) {
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
                return {{command}, {"\r\nOK\r\n"}};
            }
            return {{command}, {"\r\n" + blocks.value(block).toLatin1() + "\r\n"}};
        };
    }
};
