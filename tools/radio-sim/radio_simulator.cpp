#include "radio_simulator.h"

#include <QSocketNotifier>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace hxv5 {

namespace {

constexpr qint64 kNanosPerSecond = 1'000'000'000;
constexpr qsizetype kReadCommandLength = 10;  // "AL~F" addr "R" CR
constexpr qsizetype kWriteCommandLength = 42; // "AL~F" addr "W" 32 digits CR
// Characters handed to the line at once: a serial driver passes input on in small bursts.
constexpr std::size_t kBurst = 8;
constexpr qsizetype kMaxLine = 256;
// Below this the simulator sleeps instead of setting its millisecond timer.
constexpr qint64 kFineWait = 2'000'000;

bool isHex(QByteArrayView text)
{
    return std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
    });
}

} // namespace

RadioSimulator::RadioSimulator(const RadioMemory &memory, const Options &options, QObject *parent)
    : QObject(parent), m_memory(memory), m_options(options)
{
    m_clock.start();
    m_tick.setSingleShot(true);
    m_tick.setTimerType(Qt::PreciseTimer);
    connect(&m_tick, &QTimer::timeout, this, &RadioSimulator::onTick);
    // Written blocks reach the file shortly after a burst of writes, and at the latest on close.
    m_saveTimer.setSingleShot(true);
    m_saveTimer.setInterval(200);
    connect(&m_saveTimer, &QTimer::timeout, this, &RadioSimulator::saveMemory);
}

RadioSimulator::~RadioSimulator()
{
    close();
}

bool RadioSimulator::open()
{
    m_master = posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0)
        return false;
    if (grantpt(m_master) != 0 || unlockpt(m_master) != 0) {
        close();
        return false;
    }
    const char *name = ptsname(m_master);
    m_slave = name ? ::open(name, O_RDWR | O_NOCTTY) : -1;
    if (m_slave < 0) {
        close();
        return false;
    }
    m_devicePath = QString::fromLocal8Bit(name);
    // A serial line passes every character unchanged.
    termios settings{};
    if (tcgetattr(m_slave, &settings) == 0) {
        cfmakeraw(&settings);
        cfsetspeed(&settings, B9600);
        tcsetattr(m_slave, TCSANOW, &settings);
    }
    fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
    m_notifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &RadioSimulator::onReadable);
    return true;
}

void RadioSimulator::close()
{
    m_tick.stop();
    delete m_notifier;
    m_notifier = nullptr;
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
    m_slave = m_master = -1;
    if (m_dirty)
        saveMemory();
}

bool RadioSimulator::saveMemory()
{
    m_saveTimer.stop();
    if (m_options.memoryPath.isEmpty() || m_memory.save(m_options.memoryPath)) {
        m_dirty = false;
        return true;
    }
    std::fprintf(stderr, "hxv5-radio-sim: cannot write %s\n", qPrintable(m_options.memoryPath));
    return false;
}

qint64 RadioSimulator::charTime() const
{
    return m_options.paced ? kNanosPerSecond / kCharsPerSecond : 0;
}

void RadioSimulator::onReadable()
{
    char buffer[512];
    for (;;) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        const qint64 arrived = now();
        for (ssize_t i = 0; i < n; ++i) {
            m_rxLineFree = std::max(arrived, m_rxLineFree) + charTime();
            m_rxLine += buffer[i];
            if (buffer[i] == '\r') {
                m_commands.push_back({m_rxLine, m_rxLineFree});
                m_rxLine.clear();
            } else if (m_rxLine.size() > kMaxLine) {
                m_rxLine.remove(0, m_rxLine.size() - kMaxLine);
            }
        }
    }
    onTick();
}

void RadioSimulator::onTick()
{
    while (m_master >= 0 && !m_commands.empty() && m_commands.front().due <= now()) {
        const Command command = m_commands.front();
        m_commands.pop_front();
        answer(command);
    }
    if (m_master < 0)
        return;
    // The timer has millisecond steps; the last stretch to the next burst is slept exactly, so
    // that the line is neither early nor late by a rounding.
    if (!m_output.empty()) {
        const qint64 wait = burstDue() - now();
        if (wait > 0 && wait < kFineWait)
            std::this_thread::sleep_for(std::chrono::nanoseconds(wait));
    }
    flushOutput(now());
    schedule();
}

qint64 RadioSimulator::burstDue() const
{
    return m_output.at(std::min(kBurst, m_output.size()) - 1).due;
}

void RadioSimulator::schedule()
{
    qint64 next = -1;
    if (!m_commands.empty())
        next = m_commands.front().due;
    if (!m_output.empty())
        next = next < 0 ? burstDue() : std::min(next, burstDue());
    if (next < 0) {
        m_tick.stop();
        return;
    }
    // Wake up to a millisecond early; onTick sleeps the rest.
    const qint64 wait = std::max<qint64>(0, next - now());
    m_tick.start(static_cast<int>(wait / 1'000'000));
}

void RadioSimulator::flushOutput(qint64 time)
{
    QByteArray chunk;
    while (!m_output.empty() && m_output.front().due <= time) {
        chunk += m_output.front().c;
        m_output.pop_front();
    }
    qsizetype written = 0;
    while (written < chunk.size()) {
        const ssize_t n = ::write(m_master, chunk.constData() + written,
                                  static_cast<size_t>(chunk.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        written += n;
    }
    // What the line could not take now goes first next time.
    for (qsizetype i = chunk.size() - 1; i >= written; --i)
        m_output.push_front({chunk.at(i), time});
}

void RadioSimulator::queueOutput(const QByteArray &text, qint64 start)
{
    qint64 due = std::max(start, m_txLineFree);
    for (char c : text) {
        due += charTime();
        m_output.push_back({c, due});
    }
    m_txLineFree = due;
}

const RadioSimulator::Fault *RadioSimulator::takeFault(int block)
{
    for (Fault &fault : m_options.faults) {
        if (fault.block != block || fault.attempts == 0)
            continue;
        if (fault.attempts > 0)
            --fault.attempts;
        return &fault;
    }
    return nullptr;
}

void RadioSimulator::answer(const Command &command)
{
    const QByteArray &line = command.line;
    const qsizetype at = line.lastIndexOf("AL~F");
    const QByteArray body = at >= 0 ? line.mid(at) : line;
    const bool addressed = body.size() >= 9 && isHex(QByteArrayView(body).sliced(4, 4));
    const bool isRead = addressed && body.size() == kReadCommandLength && body.at(8) == 'R';
    const bool isWrite = addressed && body.size() == kWriteCommandLength && body.at(8) == 'W' &&
                         isHex(QByteArrayView(body).sliced(9, 32));
    const int address = addressed ? body.mid(4, 4).toInt(nullptr, 16) : -1;
    const int block = address >= 0 ? address / RadioMemory::kBlockSize : -1;

    if (m_options.verbose)
        std::fprintf(stderr, "hxv5-radio-sim: %s\n", line.trimmed().constData());
    if (block >= 0 && block == m_options.hangUpBlock) {
        std::fprintf(stderr, "hxv5-radio-sim: hanging up at block %d\n", block);
        close();
        Q_EMIT hungUp();
        return;
    }

    const qint64 start =
        command.due +
        ((m_options.delayMs > 0 && (m_options.delayBlock < 0 || m_options.delayBlock == block))
             ? qint64(m_options.delayMs) * 1'000'000
             : 0);
    // The radio echoes each command line before it answers.
    QByteArray out = line;
    const Fault *fault = (isRead || isWrite) ? takeFault(block) : nullptr;
    using Kind = Fault::Kind;
    if (fault && fault->kind == Kind::Silent) {
        out.clear();
    } else if (fault && fault->kind == Kind::NoAnswer) {
    } else if (fault && fault->kind == Kind::Garbage) {
        out += "#~?x!%&=+@*^$Q7q;:<>[]{}|#~?x!%&=+@*^$Q7";
    } else if (fault && fault->kind == Kind::BadFrame) {
        out += isRead ? "\r\n" + m_memory.read(address).toHex().toUpper() + "X\r\n"
                      : QByteArray("\r\nNG\r\n");
    } else if (isRead) {
        out += "\r\n" + m_memory.read(address).toHex().toUpper() + "\r\n";
    } else if (isWrite &&
               m_memory.write(address, QByteArray::fromHex(stored(body.mid(9, 32), block)))) {
        m_dirty = true;
        m_saveTimer.start();
        out += "\r\nOK\r\n";
    } else {
        out += "\r\nNG\r\n";
    }
    if (m_options.verbose && fault)
        std::fprintf(stderr, "hxv5-radio-sim: fault at block %d\n", block);
    queueOutput(out, start);
}

QByteArray RadioSimulator::stored(QByteArray digits, int block) const
{
    if (block != m_options.corruptBlock)
        return digits;
    // The ninth digit is one of the frequency's decimal digits in a channel or VFO record, so
    // the change shows in what the radio is read back as, not only in its memory.
    char &digit = digits[8];
    digit = digit == '9' ? '8' : (digit == 'F' || digit == 'f') ? 'E' : char(digit + 1);
    if (m_options.verbose)
        std::fprintf(stderr, "hxv5-radio-sim: block %d stored corrupted\n", block);
    return digits;
}

bool RadioSimulator::parseFault(const QString &text, Fault &fault)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    if (parts.size() < 2 || parts.size() > 3)
        return false;
    const QString kind = parts.at(0);
    if (kind == QLatin1String("silent"))
        fault.kind = Fault::Kind::Silent;
    else if (kind == QLatin1String("no-answer"))
        fault.kind = Fault::Kind::NoAnswer;
    else if (kind == QLatin1String("garbage"))
        fault.kind = Fault::Kind::Garbage;
    else if (kind == QLatin1String("bad-frame"))
        fault.kind = Fault::Kind::BadFrame;
    else
        return false;
    bool ok = false;
    fault.block = parts.at(1).toInt(&ok);
    if (!ok || fault.block < 0)
        return false;
    fault.attempts = -1;
    if (parts.size() == 3) {
        fault.attempts = parts.at(2).toInt(&ok);
        if (!ok || fault.attempts < 1)
            return false;
    }
    return true;
}

} // namespace hxv5
