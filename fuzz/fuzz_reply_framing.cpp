// The exchange against a line that delivers the fuzz input in chunks. The input is
//
//   byte 0: bit 0 write exchange, bit 1 the port does not open, bit 2 sending fails,
//           bit 3 stale input waits on the line before the command, bit 4 the first chunk
//           arrives while the command is being sent
//   then chunks: a header byte (bits 0-5 the length, bit 6 the port fails after the chunk,
//           bit 7 the reply time runs out after the chunk) and that many bytes.
//
// Whatever arrives, the exchange must report exactly one result, the one the reply rules give
// for the input received up to the moment it stopped, and nothing after it.
#include "fuzz_support.h"
#include "link/command_exchange.h"
#include "link/serial_port.h"

#include <QList>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
#include <utility>

using namespace hxv5;

namespace {

class FuzzPort : public SerialPort
{
public:
    bool open() override
    {
        m_open = !openFails;
        return m_open;
    }
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }
    QByteArray takePendingInput() override { return std::exchange(pending, {}); }
    bool send(const QByteArray &) override
    {
        if (!m_open || sendFails)
            return false;
        if (onSend)
            onSend();
        return true;
    }
    void arrive(const QByteArray &data)
    {
        pending += data;
        Q_EMIT readyRead();
    }

    bool openFails = false;
    bool sendFails = false;
    QByteArray pending;
    std::function<void()> onSend;

private:
    bool m_open = false;
};

struct Chunk
{
    QByteArray data;
    bool portFails = false;
    bool timeUp = false;
};

// The reply rules, written out plainly. ended: the exchange stops on this input.
struct Model
{
    bool write = false;
    QByteArray command;
    QByteArray reply;
    bool portFailed = false;
    bool ended = false;

    void add(const QByteArray &data)
    {
        if (ended)
            return;
        reply += data;
        dropForeignAnswers();
        const qsizetype longer = write ? 46 : 35;
        if (reply.endsWith("\r\n") && reply.size() > longer)
            ended = true;
    }
    // The radio echoes each command before its answer: an echo of another command, and the
    // frame after it when it is one, is a late answer to that command and is dropped.
    void dropForeignAnswers()
    {
        while (true) {
            const qsizetype echo = reply.indexOf("AL~F");
            const qsizetype cr = echo < 0 ? -1 : reply.indexOf('\r', echo);
            if (cr < 0 || reply.mid(echo, cr + 1 - echo) == command)
                return;
            const bool isRead = cr + 1 - echo == 10 && reply.at(cr - 1) == 'R';
            const qsizetype frame = isRead ? 36 : 6;
            if (reply.size() - (cr + 1) < frame)
                return;
            const QByteArray after = reply.mid(cr + 1, frame);
            const bool framed = after.startsWith("\r\n") && after.endsWith("\r\n");
            reply.remove(echo, cr + 1 - echo + (framed ? frame : 0));
        }
    }
    void failPort()
    {
        if (!ended)
            portFailed = ended = true;
    }
    QString readResult() const
    {
        if (portFailed)
            return CommandExchange::kPortFailure;
        if (reply.size() < 36)
            return CommandExchange::kNoReply;
        const QByteArray tail = reply.right(36);
        if (!tail.startsWith("\r\n") || !tail.endsWith("\r\n"))
            return CommandExchange::kBadFrame;
        // Between the line ends only a block text: 32 upper-case hexadecimal digits.
        for (const char c : tail.mid(2, 32)) {
            if (!QByteArrayLiteral("0123456789ABCDEF").contains(c))
                return CommandExchange::kBadFrame;
        }
        return QString::fromLatin1(tail);
    }
    int writeResult() const
    {
        if (portFailed)
            return CommandExchange::kWritePortFailure;
        if (reply.size() < 46)
            return CommandExchange::kWriteNoReply;
        return reply.endsWith("\r\nOK\r\n") ? CommandExchange::kWriteAccepted
                                            : CommandExchange::kWriteRejected;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzzApplication();
    if (size == 0)
        return 0;
    const std::uint8_t flags = data[0];
    QList<Chunk> chunks;
    for (std::size_t i = 1; i < size;) {
        const std::uint8_t header = data[i++];
        const std::size_t length = std::min<std::size_t>(header & 0x3F, size - i);
        chunks.append(
            {QByteArray(reinterpret_cast<const char *>(data + i), static_cast<qsizetype>(length)),
             (header & 0x40) != 0, (header & 0x80) != 0});
        i += length;
    }

    FuzzPort port;
    port.openFails = (flags & 0x02) != 0;
    port.sendFails = (flags & 0x04) != 0;
    CommandExchange exchange(port);
    // A zero time-out runs out at the next turn of the event loop: the chunks delivered before
    // that turn are in time, and the time-out bit of a chunk hands control to the loop.
    exchange.setReplyTimeout(std::chrono::milliseconds(0));

    Model model;
    model.write = (flags & 0x01) != 0;
    model.command = (model.write ? CommandExchange::writeCommand(5, QString(32, QLatin1Char('0')))
                                 : CommandExchange::readCommand(5))
                        .toLatin1();
    int results = 0;
    QString readResult;
    int writeResult = -1;
    QObject::connect(&exchange, &CommandExchange::readFinished, [&](const QString &result) {
        ++results;
        readResult = result;
    });
    QObject::connect(&exchange, &CommandExchange::writeFinished, [&](int code) {
        ++results;
        writeResult = code;
    });

    if ((flags & 0x08) != 0) {
        FUZZ_CHECK(port.open() || port.openFails);
        port.pending = "\r\n0123456789ABCDEF0123456789ABCDEF\r\n";
    }
    qsizetype next = 0;
    if (port.openFails || port.sendFails) {
        model.failPort();
    } else if ((flags & 0x10) != 0 && !chunks.isEmpty()) {
        // Input that comes in while the command is still being handed over.
        port.onSend = [&] {
            const Chunk &chunk = chunks.at(next++);
            model.add(chunk.data);
            port.arrive(chunk.data);
            // A port that fails while the command is handed over fails the exchange.
            if (chunk.portFails) {
                model.portFailed = model.ended = true;
                Q_EMIT port.errorOccurred();
            }
        };
    }

    const QString command = model.write
                                ? CommandExchange::writeCommand(5, QString(32, QLatin1Char('0')))
                                : CommandExchange::readCommand(5);
    if (model.write)
        exchange.WriteExchange(command);
    else
        exchange.ReadExchange(command);
    // The result never comes from inside the call that started the exchange.
    FUZZ_CHECK(results == 0);
    FUZZ_CHECK(exchange.isRunning());
    const auto runLoop = [&results] {
        for (int turn = 0; turn < 100 && results == 0; ++turn)
            QCoreApplication::processEvents();
    };
    // An exchange that failed or got its whole reply while starting reports at the next turn.
    if (model.ended)
        runLoop();

    for (; next < chunks.size() && results == 0; ++next) {
        const Chunk &chunk = chunks.at(next);
        model.add(chunk.data);
        port.arrive(chunk.data);
        if (chunk.portFails && results == 0) {
            model.failPort();
            Q_EMIT port.errorOccurred();
        }
        if (chunk.timeUp && results == 0) {
            model.ended = true;
            runLoop();
        }
    }
    model.ended = true;
    runLoop();

    FUZZ_CHECK(results == 1);
    FUZZ_CHECK(!exchange.isRunning());
    if (model.write)
        FUZZ_CHECK(writeResult == model.writeResult());
    else
        FUZZ_CHECK(readResult == model.readResult());
    if (model.portFailed)
        FUZZ_CHECK(!port.isOpen());

    // Late input and a late failure belong to no exchange.
    port.arrive("\r\nOK\r\n");
    Q_EMIT port.errorOccurred();
    for (int turn = 0; turn < 3; ++turn)
        QCoreApplication::processEvents();
    FUZZ_CHECK(results == 1);
    return 0;
}
