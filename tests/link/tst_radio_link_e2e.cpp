// The program against the simulated radio through a real pseudo-terminal.

#include "app/document.h"
#include "app/user_interaction.h"
#include "image/channel_codec.h"
#include "image/clone_image.h"
#include "link/port_mapping.h"
#include "link/serial_port.h"
#include "link/transfers.h"
#include "link_test_support.h"
#include "radio_sim_process.h"

#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace hxv5;
using namespace std::chrono_literals;

namespace {

using Simulator = RadioSimProcess;

// The program's side of the line.
struct Program
{
    Document doc;
    QtSerialPortAdapter port;
    ScriptedInteraction ui;
    Transfers transfers{doc, port, ui};
    QSignalSpy finished{&transfers, &Transfers::finished};

    // Runs one operation to its end; true when it completed.
    bool run(void (Transfers::*operation)(), int operations = 1)
    {
        finished.clear();
        (transfers.*operation)();
        while (finished.size() < operations) {
            if (!finished.wait(20000))
                return false;
        }
        return finished.constLast().at(1).toBool();
    }
};

} // namespace

class TestRadioLinkEndToEnd : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void everyTransferThroughABoundPort();
    void retriesOverTheLine();
    void hangUpStopsWithComPortError();
    void commandLine_data();
    void commandLine();
    void commandLineRoundTrip();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

void TestRadioLinkEndToEnd::initTestCase()
{
    QVERIFY(m_dir.isValid());
    // The simulator and the program share this per-user configuration (the COM bindings).
    qputenv("XDG_CONFIG_HOME", path(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", path(QStringLiteral("data")).toLocal8Bit());
}

void TestRadioLinkEndToEnd::init()
{
    QFile::remove(path(QStringLiteral("memory.txt")));
}

void TestRadioLinkEndToEnd::everyTransferThroughABoundPort()
{
    const QStringList simArgs{QStringLiteral("--com"), QStringLiteral("3"),
                              QStringLiteral("--memory"), path(QStringLiteral("memory.txt"))};
    Simulator sim;
    QVERIFY(sim.start(simArgs));
    QTRY_COMPARE(deviceForPort(3), sim.device);

    Program program;
    program.port.setPortNumber(3);
    QVERIFY(program.run(&Transfers::readAll, 2));
    QVERIFY(program.ui.errors.isEmpty());
    // The simulator's factory image.
    QCOMPARE(program.doc.settingsRecord(), QStringLiteral("A5000A0304000000000200006C23FFFF"));
    QCOMPARE(frequency(program.doc, 0), 145.0);
    QVERIFY(program.doc.channels().isEnabled(0));
    QCOMPARE(frequency(program.doc, 10), 144.8);
    QVERIFY(!program.doc.channels().isEnabled(10));
    QVERIFY(program.doc.channels().row(7).isEmpty());
    QVERIFY(program.doc.isChanged());

    program.doc.DecodeChannelRecord(channelRecord(146.52), 30);
    program.doc.channels().setEnabled(30, true);
    program.doc.settings().setVolume(17);
    QVERIFY(program.run(&Transfers::writeAll, 2));
    QVERIFY(program.ui.errors.isEmpty());

    // Written blocks survive a restart of the radio.
    QVERIFY(sim.stop());
    QVERIFY(boundDevice(3).isEmpty());
    Simulator again;
    QVERIFY(again.start(simArgs));
    QTRY_COMPARE(deviceForPort(3), again.device);
    program.port.close();
    Program reader;
    reader.port.setPortNumber(3);
    QVERIFY(reader.run(&Transfers::readAll, 2));
    QCOMPARE(frequency(reader.doc, 30), 146.52);
    QVERIFY(reader.doc.channels().isEnabled(30));
    QCOMPARE(reader.doc.settings().volume(), 17);
    QCOMPARE(reader.doc.EncodeChannelRecord(30), channelRecord(146.52));
}

void TestRadioLinkEndToEnd::retriesOverTheLine()
{
    Simulator sim;
    QVERIFY(sim.start(
        {QStringLiteral("--no-bind"), QStringLiteral("--memory"),
         path(QStringLiteral("memory.txt")), QStringLiteral("--fault"),
         QStringLiteral("no-answer:3:2"), QStringLiteral("--fault"), QStringLiteral("garbage:4:1"),
         QStringLiteral("--fault"), QStringLiteral("bad-frame:5:9"), QStringLiteral("--fault"),
         QStringLiteral("silent:6:1"), QStringLiteral("--delay"), QStringLiteral("30:2")}));
    Program program;
    program.port.setDevicePath(sim.device);
    program.transfers.exchange().setReplyTimeout(100ms);
    QVERIFY(program.run(&Transfers::readMemory));
    QVERIFY(program.ui.errors.isEmpty());
    QCOMPARE(frequency(program.doc, 3), 438.65);
    QCOMPARE(frequency(program.doc, 5), 89.7);
    QCOMPARE(frequency(program.doc, 6), 7.1);
}

void TestRadioLinkEndToEnd::hangUpStopsWithComPortError()
{
    Simulator sim;
    QVERIFY(sim.start({QStringLiteral("--no-bind"), QStringLiteral("--memory"),
                       path(QStringLiteral("memory.txt")), QStringLiteral("--hangup"),
                       QStringLiteral("5")}));
    Program program;
    program.port.setDevicePath(sim.device);
    QVERIFY(!program.run(&Transfers::readMemory));
    QCOMPARE(program.ui.errors, QStringList{QStringLiteral("COM Port Error")});
    QCOMPARE(frequency(program.doc, 4), 121.5);
    QCOMPARE(frequency(program.doc, 5), 0.0);
    QVERIFY(program.doc.isChanged());
    QVERIFY(!program.port.isOpen());
}

void TestRadioLinkEndToEnd::commandLine_data()
{
    QTest::addColumn<QStringList>("simArgs"); // empty: no simulator
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("port");         // "SIM": the simulator's terminal
    QTest::addColumn<QByteArray>("inputFile"); // for write-radio; empty: no such file
    QTest::addColumn<QString>("message");

    const QStringList noSim;
    const QStringList sim{QStringLiteral("--no-bind")};
    QTest::newRow("no such device")
        << noSim << QStringLiteral("read-radio") << QStringLiteral("/dev/no-such-radio")
        << QByteArray() << QStringLiteral("COM Port Error");
    QTest::newRow("radio stops in the VFO blocks")
        << (sim + QStringList{QStringLiteral("--fault"), QStringLiteral("bad-frame:218")})
        << QStringLiteral("read-radio") << QStringLiteral("SIM") << QByteArray()
        << QStringLiteral("Communication Error");
    QTest::newRow("radio stops in the slots")
        << (sim + QStringList{QStringLiteral("--fault"), QStringLiteral("bad-frame:100")})
        << QStringLiteral("read-radio") << QStringLiteral("SIM") << QByteArray()
        << QStringLiteral("Communication Error");
    QTest::newRow("no clone file") << sim << QStringLiteral("write-radio") << QStringLiteral("SIM")
                                   << QByteArray() << QStringLiteral("File Open Error");
    QTest::newRow("not a clone file")
        << sim << QStringLiteral("write-radio") << QStringLiteral("SIM") << QByteArray("hello\r\n")
        << QStringLiteral("Data Error");
}

void TestRadioLinkEndToEnd::commandLine()
{
    QFETCH(QStringList, simArgs);
    QFETCH(QString, command);
    QFETCH(QString, port);
    QFETCH(QByteArray, inputFile);
    QFETCH(QString, message);

    Simulator sim;
    if (!simArgs.isEmpty()) {
        QVERIFY(sim.start(
            simArgs + QStringList{QStringLiteral("--memory"), path(QStringLiteral("memory.txt"))}));
        port = sim.device;
    }
    const QString file = path(QStringLiteral("cli.TV5"));
    QFile::remove(file);
    if (!inputFile.isEmpty()) {
        QFile input(file);
        QVERIFY(input.open(QIODevice::WriteOnly));
        input.write(inputFile);
    }
    QProcess cli;
    cli.start(QStringLiteral(HXV5_CLI), {command, QStringLiteral("--port"), port, file});
    QVERIFY(cli.waitForFinished(30000));
    QCOMPARE(cli.exitStatus(), QProcess::NormalExit);
    QVERIFY(cli.exitCode() != 0);
    QCOMPARE(QString::fromLocal8Bit(cli.readAllStandardError()), message + QLatin1Char('\n'));
    // A read that stopped writes no file.
    if (command == QLatin1String("read-radio"))
        QVERIFY(!QFile::exists(file));
}

void TestRadioLinkEndToEnd::commandLineRoundTrip()
{
    Simulator sim;
    QVERIFY(sim.start({QStringLiteral("--no-bind"), QStringLiteral("--memory"),
                       path(QStringLiteral("memory.txt"))}));
    const QString file = path(QStringLiteral("round.TV5"));
    QProcess cli;
    cli.start(QStringLiteral(HXV5_CLI),
              {QStringLiteral("read-radio"), QStringLiteral("--port"), sim.device, file});
    QVERIFY(cli.waitForFinished(30000));
    QCOMPARE(cli.exitCode(), 0);
    QFile read(file);
    QVERIFY(read.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = read.readAll().split('\n');
    QCOMPARE(lines.size(), 446); // 445 lines, each ending with CR LF
    QCOMPARE(lines.at(1), QByteArray("A5000A0304000000000200006C23FFFF\r"));
    read.close();

    cli.start(QStringLiteral(HXV5_CLI),
              {QStringLiteral("write-radio"), QStringLiteral("--port"), sim.device, file});
    QVERIFY(cli.waitForFinished(30000));
    QCOMPARE(cli.exitCode(), 0);
    QVERIFY(cli.readAllStandardError().isEmpty());
}

QTEST_GUILESS_MAIN(TestRadioLinkEndToEnd)
#include "tst_radio_link_e2e.moc"
