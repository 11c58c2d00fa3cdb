#pragma once

#include "link/serial_port.h"

#include <QByteArrayList>
#include <QTimer>

#include <functional>
#include <utility>

namespace hxv5::testing {

// A radio on the other end of a scripted line: it answers every read command with the block the
// script gives for its address and every write command with the echo and "OK", each answer
// arriving from the event loop as a real one would.
class ScriptedRadio : public SerialPort
{
public:
    bool open() override
    {
        ++opens;
        m_open = openable;
        return m_open;
    }
    void close() override
    {
        ++closes;
        m_open = false;
    }
    bool isOpen() const override { return m_open; }
    QByteArray takePendingInput() override { return std::exchange(m_pending, {}); }

    bool send(const QByteArray &data) override
    {
        sent.append(data);
        if (data.size() < 10)
            return true;
        const int block = data.mid(4, 4).toInt(nullptr, 16) / 16;
        const bool isWrite = data.at(8) == 'W';
        if (block == silentBlock || (isWrite && block == silentWriteBlock))
            return true;
        QByteArray reply;
        if (!isWrite) {
            reply = "\r\n" + blockText(block) + "\r\n";
        } else {
            reply = data + "\r\nOK\r\n";
            if (onWrite)
                onWrite(block, data.mid(9, 32));
        }
        QTimer::singleShot(0, this, [this, reply] {
            m_pending += reply;
            Q_EMIT readyRead();
        });
        return true;
    }

    // The 32 digits the radio holds in a block; every block erased (all "F") unless replaced.
    std::function<QByteArray(int block)> blockText = [](int) { return QByteArray(32, 'F'); };
    bool openable = true;
    // A block the radio never answers (-1: it answers all), and one whose writes it never answers.
    int silentBlock = -1;
    int silentWriteBlock = -1;
    // Each write the radio takes, with its block and 32 digits.
    std::function<void(int block, const QByteArray &digits)> onWrite;
    int opens = 0;
    int closes = 0;
    QByteArrayList sent;

private:
    bool m_open = false;
    QByteArray m_pending;
};

} // namespace hxv5::testing
