// hxv5-bench-link: Read Memory, Write Memory, Write Memory with verify and a one-channel Write
// Changes against the simulated radio over a real pseudo-terminal. Paced like a 9600-baud line, it
// compares the wall time with the time the characters need on the line and reports the program's
// CPU time; unpaced, it reports what the program itself adds to each exchange.
//
//   hxv5-bench-link [--sim PATH-TO-hxv5-radio-sim]
//   hxv5-bench-link --line DEVICE
//
// With --line the radio already on that line is measured as a paced one: a Windows build runs so
// against the simulated radio behind a COM port of Wine ("--line COM5").

#include "base/table_row.h"
#include "base/user_interaction.h"
#include "document/document.h"
#include "link/serial_port.h"
#include "link/transfers.h"
#include "radio_sim_process.h"
#include "scripted_interaction.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>

#include <cstdio>
#include <ctime>

using namespace hxv5;
using namespace hxv5::testing;

namespace {

constexpr double kCharsPerSecond = 960.0;

// The real port, counting the characters on the line and noting when the program hands over a
// command and when the last input before it was taken.
class CountingPort : public SerialPort
{
public:
    explicit CountingPort(const QString &device)
    {
        m_port.setDevicePath(device);
        connect(&m_port, &SerialPort::readyRead, this, &SerialPort::readyRead);
        connect(&m_port, &SerialPort::errorOccurred, this, &SerialPort::errorOccurred);
        m_clock.start();
    }
    bool open() override { return m_port.open(); }
    void close() override { m_port.close(); }
    bool isOpen() const override { return m_port.isOpen(); }
    void discardPendingInput() override { m_port.discardPendingInput(); }
    QByteArray takePendingInput() override
    {
        const QByteArray input = m_port.takePendingInput();
        if (!input.isEmpty()) {
            received += input.size();
            m_lastInput = m_clock.nsecsElapsed();
        }
        return input;
    }
    bool send(const QByteArray &data) override
    {
        const qint64 now = m_clock.nsecsElapsed();
        // The time from the reply that completed the previous exchange to this command.
        if (m_lastInput >= 0) {
            gapNanos += now - m_lastInput;
            ++gaps;
        }
        m_lastInput = -1;
        sent += data.size();
        ++commands;
        return m_port.send(data);
    }
    void reset() { sent = received = commands = gaps = gapNanos = 0, m_lastInput = -1; }

    qint64 sent = 0;
    qint64 received = 0;
    qint64 commands = 0;
    qint64 gaps = 0;
    qint64 gapNanos = 0;

private:
    QtSerialPortAdapter m_port;
    QElapsedTimer m_clock;
    qint64 m_lastInput = -1;
};

double cpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

struct Figures
{
    double wall = 0;
    double cpu = 0;
    qint64 chars = 0;
    qint64 commands = 0;
    double meanGapMs = 0;
    bool ok = false;
};

Figures measure(Transfers &transfers, CountingPort &port, void (Transfers::*operation)())
{
    QEventLoop loop;
    bool completed = false;
    const auto connection = QObject::connect(&transfers, &Transfers::finished, &loop,
                                             [&](Transfers::Operation, bool ok) {
                                                 completed = ok;
                                                 loop.quit();
                                             });
    port.reset();
    Figures f;
    QElapsedTimer wall;
    const double cpu0 = cpuSeconds();
    wall.start();
    (transfers.*operation)();
    loop.exec();
    QObject::disconnect(connection);
    f.wall = double(wall.nsecsElapsed()) / 1e9;
    f.cpu = cpuSeconds() - cpu0;
    f.chars = port.sent + port.received;
    f.commands = port.commands;
    f.meanGapMs = port.gaps ? double(port.gapNanos) / double(port.gaps) / 1e6 : 0;
    f.ok = completed;
    return f;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QString simPath = RadioSimProcess::builtProgram();
    const QStringList args = QCoreApplication::arguments();
    if (const qsizetype at = args.indexOf(QStringLiteral("--sim")); at > 0 && at + 1 < args.size())
        simPath = args.at(at + 1);
    QString line;
    if (const qsizetype at = args.indexOf(QStringLiteral("--line")); at > 0 && at + 1 < args.size())
        line = args.at(at + 1);

    QTemporaryDir dir;
    const QString memory = dir.filePath(QStringLiteral("memory.txt"));
    bool allOk = true;
    // Each pass changes the channel anew: the radio keeps its memory from one pass to the next.
    int edits = 0;

    for (const bool paced : line.isEmpty() ? QList<bool>{true, false} : QList<bool>{true}) {
        RadioSimProcess sim(simPath);
        sim.paced = paced;
        // The radio's log would cost both sides time the figures should not hold.
        sim.verbose = false;
        if (line.isEmpty() &&
            !sim.startAndWait({QStringLiteral("--no-bind"), QStringLiteral("--memory"), memory})) {
            std::fprintf(stderr, "cannot start %s\n", qPrintable(simPath));
            return 1;
        }
        const QString device = line.isEmpty() ? sim.device : line;
        Document doc;
        CountingPort port(device);
        ScriptedInteraction ui;
        Transfers transfers(doc, port, ui);

        std::printf(paced ? "paced simulator (960 characters/s), %s\n"
                          : "\nunpaced simulator, %s\n",
                    qPrintable(device));
        Transfers::WriteOptions plain;
        Transfers::WriteOptions verified;
        verified.verify = true;
        Transfers::WriteOptions changesOnly;
        changesOnly.changesOnly = true;
        const struct
        {
            const char *name;
            void (Transfers::*operation)();
            Transfers::WriteOptions options;
            bool editOneChannel;
        } operations[] = {
            {"Read Memory", &Transfers::readMemory, plain, false},
            {"Write Memory", &Transfers::writeMemory, plain, false},
            {"Write+verify", &Transfers::writeMemory, verified, false},
            // The radio now holds the document; one channel changes before the write.
            {"Changes, 1ch", &Transfers::writeMemory, changesOnly, true},
        };
        for (const auto &op : operations) {
            transfers.setWriteOptions(op.options);
            if (op.editOneChannel) {
                TableRow row = doc.channels().row(12);
                row.number[kColFrequency] = 146.0 + 0.025 * ++edits;
                row.number[kColStep] = 5;
                doc.channels().setRow(12, row);
            }
            const Figures f = measure(transfers, port, op.operation);
            allOk = allOk && f.ok;
            if (paced) {
                const double bound = double(f.chars) / kCharsPerSecond;
                std::printf("  %-12s wall %7.3f s  line bound %7.3f s (%lld chars)  ratio %.4f  "
                            "CPU %.3f s (%.2f%% of wall)%s\n",
                            op.name, f.wall, bound, static_cast<long long>(f.chars), f.wall / bound,
                            f.cpu, 100.0 * f.cpu / f.wall, f.ok ? "" : "  FAILED");
            } else {
                std::printf("  %-12s %lld exchanges in %.3f s: %.3f ms per exchange round trip, "
                            "program adds %.3f ms per exchange; CPU %.3f s%s\n",
                            op.name, static_cast<long long>(f.commands), f.wall,
                            1000.0 * f.wall / double(f.commands), f.meanGapMs, f.cpu,
                            f.ok ? "" : "  FAILED");
            }
        }
        sim.stop();
    }
    return allOk ? 0 : 1;
}
