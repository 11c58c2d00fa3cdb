// The program against the simulated radio through a real pseudo-terminal.

#include "backups_folder.h"
#include "base/user_interaction.h"
#include "document/document.h"
#include "image/channel_codec.h"
#include "image/clone_image.h"
#include "link/port_mapping.h"
#include "link/serial_port.h"
#include "link/transfers.h"
#include "link_test_support.h"
#include "radio_sim_process.h"
#include "scripted_interaction.h"
#include "test_home.h"
#include "transfer_rig.h"

#include "unprivileged.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using namespace hxv5;
using namespace hxv5::testing;
using namespace std::chrono_literals;

namespace {

// The program's side of the line.
using Program = TransferRig<QtSerialPortAdapter>;

bool isFifo(const QString &path)
{
    struct stat st
    {
    };
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISFIFO(st.st_mode);
}

// A program run to its end, as the user itself or as nobody.
struct Finished
{
    QProcess::ExitStatus status = QProcess::CrashExit;
    int code = -1;
    QString error;
};

Finished runToEnd(const QString &program, const QStringList &args, bool asNobody = false)
{
    QProcess process;
    if (asNobody)
        unprivileged::startAsUser(process, program, args);
    else
        process.start(program, args);
    Finished result;
    if (!process.waitForFinished(30000))
        return result;
    result.status = process.exitStatus();
    result.code = process.exitCode();
    result.error = QString::fromLocal8Bit(process.readAllStandardError());
    return result;
}

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
    void ctrlCStopsReadRadio();
    void readRadioChecksItsOutputFirst_data();
    void readRadioChecksItsOutputFirst();
    void readRadioKeepsABackup_data();
    void readRadioKeepsABackup();
    void corruptWriteChangesOneDigit_data();
    void corruptWriteChangesOneDigit();
    void secondSimulatorOnAHeldComNumber();
    void unusableMemoryFile_data();
    void unusableMemoryFile();
    void memoryFileBehindALink();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    hxv5::testing::TestHome m_dir;
};

void TestRadioLinkEndToEnd::initTestCase()
{
    QVERIFY(m_dir.enter());
    QVERIFY(unprivileged::letIn(m_dir.path()));
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
    RadioSimProcess sim;
    QVERIFY(sim.start(simArgs));
    QTRY_COMPARE(deviceForPort(3), sim.device);

    Program program;
    program.port.setPortNumber(3);
    QVERIFY(program.run(&Transfers::readAll));
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
    QVERIFY(program.run(&Transfers::writeAll));
    QVERIFY(program.ui.errors.isEmpty());

    // Written blocks survive a restart of the radio.
    QVERIFY(sim.stop());
    QVERIFY(boundDevice(3).isEmpty());
    RadioSimProcess again;
    QVERIFY(again.start(simArgs));
    QTRY_COMPARE(deviceForPort(3), again.device);
    program.port.close();
    Program reader;
    reader.port.setPortNumber(3);
    QVERIFY(reader.run(&Transfers::readAll));
    QCOMPARE(frequency(reader.doc, 30), 146.52);
    QVERIFY(reader.doc.channels().isEnabled(30));
    QCOMPARE(reader.doc.settings().volume(), 17);
    QCOMPARE(reader.doc.EncodeChannelRecord(30), channelRecord(146.52));
}

void TestRadioLinkEndToEnd::retriesOverTheLine()
{
    RadioSimProcess sim;
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
    RadioSimProcess sim;
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

    RadioSimProcess sim;
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
    const QString error = QString::fromLocal8Bit(cli.readAllStandardError());
    if (message == QLatin1String("COM Port Error")) {
        // The message alone on its line, then what the port doctor found.
        QCOMPARE(error.section(QLatin1Char('\n'), 0, 0), message);
        QVERIFY2(error.mid(message.size() + 1).startsWith(port + QStringLiteral(": missing\n")),
                 qPrintable(error));
    } else {
        QCOMPARE(error, message + QLatin1Char('\n'));
    }
    // A read that stopped writes no file.
    if (command == QLatin1String("read-radio"))
        QVERIFY(!QFile::exists(file));
}

void TestRadioLinkEndToEnd::commandLineRoundTrip()
{
    RadioSimProcess sim;
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

// Ctrl+C stops the read where it is, before the last slot (at the radio's own pace there is time
// for it), and nothing is written.
void TestRadioLinkEndToEnd::ctrlCStopsReadRadio()
{
    RadioSimProcess sim;
    sim.paced = true;
    QVERIFY(sim.start({QStringLiteral("--no-bind"), QStringLiteral("--memory"),
                       path(QStringLiteral("memory.txt"))}));
    QProcess cli;
    cli.start(QStringLiteral(HXV5_CLI), {QStringLiteral("read-radio"), QStringLiteral("--port"),
                                         sim.device, path(QStringLiteral("stopped.TV5"))});
    QTRY_VERIFY_WITH_TIMEOUT(sim.commandsFor(QStringLiteral("0010")) > 0, 30000);
    QCOMPARE(::kill(pid_t(cli.processId()), SIGINT), 0);
    QVERIFY(cli.waitForFinished(30000));
    QCOMPARE(cli.exitCode(), 130);
    QCOMPARE(cli.readAllStandardError(), QByteArray("Stopped: nothing was written.\n"));
    QVERIFY(QDir(m_dir.path()).entryList({QStringLiteral("stopped*")}, QDir::Files).isEmpty());
    QVERIFY(sim.stop());
    QCOMPARE(sim.commandsFor(QStringLiteral("0D40")), 0);
}

void TestRadioLinkEndToEnd::readRadioChecksItsOutputFirst_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing folder") << QStringLiteral("missing");
    QTest::newRow("a folder in the way") << QStringLiteral("folder");
    QTest::newRow("a FIFO") << QStringLiteral("fifo");
    QTest::newRow("a link to a FIFO") << QStringLiteral("link");
    QTest::newRow("a folder that takes no new files") << QStringLiteral("locked");
}

// An output that cannot be written fails at once with "File Open Error": the radio is not asked
// for a single block, and the thing in the way stays as it was.
void TestRadioLinkEndToEnd::readRadioChecksItsOutputFirst()
{
    QFETCH(QString, kind);
    static int run = 0;
    const QString dir = path(QStringLiteral("output-%1").arg(++run));
    QVERIFY(QDir().mkpath(dir));
    QString file = dir + QStringLiteral("/out.TV5");
    const QString fifo = dir + QStringLiteral("/fifo");
    if (kind == QLatin1String("missing")) {
        file = dir + QStringLiteral("/no/such/folder/out.TV5");
    } else if (kind == QLatin1String("folder")) {
        QVERIFY(QDir().mkpath(file));
    } else if (kind == QLatin1String("fifo") || kind == QLatin1String("link")) {
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        if (kind == QLatin1String("fifo"))
            file = fifo;
        else
            QVERIFY(QFile::link(fifo, file));
    } else {
        QVERIFY(unprivileged::own(dir, 0500));
    }
    const QStringList before = QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

    RadioSimProcess sim;
    QVERIFY(sim.start({QStringLiteral("--no-bind"), QStringLiteral("--memory"),
                       path(QStringLiteral("memory.txt"))}));
    const Finished cli =
        runToEnd(QStringLiteral(HXV5_CLI),
                 {QStringLiteral("read-radio"), QStringLiteral("--port"), sim.device, file},
                 kind == QLatin1String("locked"));
    if (const char *why = unprivileged::whyNotRun(cli.code))
        QSKIP(why);
    QCOMPARE(cli.status, QProcess::NormalExit);
    QCOMPARE(cli.code, 1);
    QCOMPARE(cli.error, QStringLiteral("File Open Error\n"));
    // All the radio logged is in once it has ended; the settings block is the one asked first.
    QVERIFY(sim.stop());
    QCOMPARE(sim.commandsFor(QStringLiteral("0D50")), 0);
    QCOMPARE(QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    if (kind == QLatin1String("fifo") || kind == QLatin1String("link"))
        QVERIFY(isFifo(fifo));
    QVERIFY(!QFileInfo::exists(dir + QStringLiteral("/no")));
}

// A second simulated radio on a COM number a running one holds is refused and leaves the
// binding alone; one that was killed, and could not remove its binding, is taken over.
void TestRadioLinkEndToEnd::readRadioKeepsABackup_data()
{
    QTest::addColumn<QStringList>("simArgs");
    QTest::addColumn<bool>("blockBackups"); // a file where the backups folder goes
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("backups");
    QTest::newRow("completed") << QStringList() << false << 0 << 1;
    QTest::newRow("stopped in the slots")
        << QStringList{QStringLiteral("--fault"), QStringLiteral("bad-frame:100")} << false << 1
        << 0;
    QTest::newRow("no backup possible") << QStringList() << true << 0 << 0;
}

// A completed read keeps what the radio held in the backups folder too; a stopped one keeps
// nothing, and a backup that cannot be kept costs the read nothing.
void TestRadioLinkEndToEnd::readRadioKeepsABackup()
{
    QFETCH(QStringList, simArgs);
    QFETCH(bool, blockBackups);
    QFETCH(int, status);
    QFETCH(int, backups);

    const QString folder = path(QStringLiteral("data/Tormel/HX-V5 Clone/backups"));
    QVERIFY(prepareBackupsFolder(folder, blockBackups));
    RadioSimProcess sim;
    QVERIFY(sim.start(QStringList{QStringLiteral("--no-bind"), QStringLiteral("--memory"),
                                  path(QStringLiteral("memory.txt"))} +
                      simArgs));
    const QString file = path(QStringLiteral("backed-up.TV5"));
    QFile::remove(file);
    const Finished run =
        runToEnd(QStringLiteral(HXV5_CLI),
                 {QStringLiteral("read-radio"), QStringLiteral("--port"), sim.device, file});
    QCOMPARE(run.status, QProcess::NormalExit);
    QCOMPARE(run.code, status);

    const QStringList kept = QDir(folder).entryList({QStringLiteral("*.TV5")}, QDir::Files);
    QCOMPARE(kept.size(), backups);
    if (backups > 0) {
        QFile backup(QDir(folder).filePath(kept.first()));
        QFile output(file);
        QVERIFY(backup.open(QIODevice::ReadOnly) && output.open(QIODevice::ReadOnly));
        QCOMPARE(backup.readAll(), output.readAll());
        QVERIFY(run.error.isEmpty());
    }
    if (blockBackups) {
        QVERIFY(QFileInfo(file).isFile());
        // One line that says so, and the read itself succeeded.
        QCOMPARE(run.error.count(QLatin1Char('\n')), 1);
        QVERIFY(run.error.contains(folder));
        QVERIFY(QFileInfo(folder).isFile());
    }
}

void TestRadioLinkEndToEnd::corruptWriteChangesOneDigit_data()
{
    QTest::addColumn<int>("block");
    QTest::addColumn<int>("line"); // the block's line in a clone file, from 0
    QTest::newRow("slot 0") << 0 << 9;
    QTest::newRow("slot 10") << 10 << 19;
    QTest::newRow("VFO FM") << 218 << 4;
}

// The radio answers every write with "OK" but keeps block N with one digit changed, which a
// read afterwards shows.
void TestRadioLinkEndToEnd::corruptWriteChangesOneDigit()
{
    QFETCH(int, block);
    QFETCH(int, line);

    RadioSimProcess sim;
    QVERIFY(sim.start({QStringLiteral("--no-bind"), QStringLiteral("--memory"),
                       path(QStringLiteral("memory.txt")), QStringLiteral("--corrupt-write"),
                       QString::number(block)}));
    const QString sent = path(QStringLiteral("sent.TV5"));
    const QString back = path(QStringLiteral("back.TV5"));
    const auto cli = [&](const QString &command, const QString &file) {
        return runToEnd(QStringLiteral(HXV5_CLI),
                        {command, QStringLiteral("--port"), sim.device, file});
    };
    QCOMPARE(cli(QStringLiteral("read-radio"), sent).code, 0);
    const Finished write = cli(QStringLiteral("write-radio"), sent);
    QCOMPARE(write.code, 0);
    QVERIFY(write.error.isEmpty());
    QCOMPARE(cli(QStringLiteral("read-radio"), back).code, 0);

    QFile sentFile(sent);
    QFile backFile(back);
    QVERIFY(sentFile.open(QIODevice::ReadOnly) && backFile.open(QIODevice::ReadOnly));
    const QList<QByteArray> before = sentFile.readAll().split('\n');
    const QList<QByteArray> after = backFile.readAll().split('\n');
    QCOMPARE(after.size(), before.size());
    for (qsizetype i = 0; i < before.size(); ++i) {
        if (i == line)
            continue;
        QCOMPARE(after.at(i), before.at(i));
    }
    const QByteArray &was = before.at(line);
    const QByteArray &is = after.at(line);
    QCOMPARE(is.size(), was.size());
    int differing = 0;
    for (qsizetype c = 0; c < was.size(); ++c)
        differing += was.at(c) != is.at(c) ? 1 : 0;
    QCOMPARE(differing, 1);
}

void TestRadioLinkEndToEnd::secondSimulatorOnAHeldComNumber()
{
    const QStringList args{QStringLiteral("--com"), QStringLiteral("5"), QStringLiteral("--memory"),
                           path(QStringLiteral("memory.txt"))};
    RadioSimProcess first;
    QVERIFY(first.start(args));
    QTRY_COMPARE(deviceForPort(5), first.device);

    const Finished second =
        runToEnd(RadioSimProcess::builtProgram(),
                 {QStringLiteral("--unpaced"), QStringLiteral("--com"), QStringLiteral("5"),
                  QStringLiteral("--memory"), path(QStringLiteral("second.txt"))});
    QCOMPARE(second.status, QProcess::NormalExit);
    QCOMPARE(second.code, 1);
    QVERIFY2(second.error.contains(QLatin1String("COM 5 is in use")), qPrintable(second.error));
    QCOMPARE(boundDevice(5), first.device);
    Program program;
    program.port.setPortNumber(5);
    QVERIFY(program.run(&Transfers::readSettings));
    program.port.close();

    first.kill();
    QCOMPARE(boundDevice(5), first.device);
    RadioSimProcess next;
    QVERIFY2(next.start(args), qPrintable(next.diagnostics()));
    QTRY_COMPARE(deviceForPort(5), next.device);
    QVERIFY(next.stop());
    QVERIFY(boundDevice(5).isEmpty());
}

void TestRadioLinkEndToEnd::unusableMemoryFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("extra");
    QTest::addColumn<QString>("message"); // part of what the simulator says

    const QStringList none;
    const QStringList reset{QStringLiteral("--reset")};
    QTest::newRow("missing folder")
        << QStringLiteral("missing") << none << QStringLiteral("does not exist");
    QTest::newRow("FIFO") << QStringLiteral("fifo") << none
                          << QStringLiteral("is not a regular file");
    QTest::newRow("FIFO, reset") << QStringLiteral("fifo") << reset
                                 << QStringLiteral("is not a regular file");
    QTest::newRow("unreadable") << QStringLiteral("unreadable") << none
                                << QStringLiteral("cannot read");
    QTest::newRow("not a memory file")
        << QStringLiteral("garbage") << none << QStringLiteral("is not a memory file");
}

// A memory file the simulated radio cannot use ends it at once with the reason; nothing is
// replaced and no folder made.
void TestRadioLinkEndToEnd::unusableMemoryFile()
{
    QFETCH(QString, kind);
    QFETCH(QStringList, extra);
    QFETCH(QString, message);

    static int run = 0;
    const QString dir = path(QStringLiteral("memory-%1").arg(++run));
    QVERIFY(QDir().mkpath(dir));
    QString file = dir + QStringLiteral("/memory.txt");
    if (kind == QLatin1String("missing")) {
        file = dir + QStringLiteral("/no/such/folder/memory.txt");
    } else if (kind == QLatin1String("fifo")) {
        QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
    } else {
        QFile garbage(file);
        QVERIFY(garbage.open(QIODevice::WriteOnly));
        garbage.write("not a memory file\n");
        garbage.close();
        if (kind == QLatin1String("unreadable"))
            QVERIFY(unprivileged::own(file, 0000));
    }

    const Finished sim =
        runToEnd(RadioSimProcess::builtProgram(),
                 QStringList{QStringLiteral("--no-bind"), QStringLiteral("--memory"), file} + extra,
                 kind == QLatin1String("unreadable"));
    if (const char *why = unprivileged::whyNotRun(sim.code))
        QSKIP(why);
    QCOMPARE(sim.status, QProcess::NormalExit);
    QCOMPARE(sim.code, 1);
    QVERIFY2(sim.error.contains(message), qPrintable(sim.error));
    if (kind == QLatin1String("fifo"))
        QVERIFY(isFifo(file));
    QVERIFY(!QFileInfo::exists(dir + QStringLiteral("/no")));
}

// The memory file may be a link: the radio keeps its memory in the file it leads to.
void TestRadioLinkEndToEnd::memoryFileBehindALink()
{
    const QString target = path(QStringLiteral("kept-memory.txt"));
    const QString link = path(QStringLiteral("memory-link.txt"));
    QFile::remove(target);
    QFile::remove(link);
    QVERIFY(QFile::link(target, link));
    RadioSimProcess sim;
    QVERIFY(sim.start({QStringLiteral("--no-bind"), QStringLiteral("--reset"),
                       QStringLiteral("--memory"), link}));
    QVERIFY(sim.stop());
    QCOMPARE(QFileInfo(link).symLinkTarget(), target);
    QFile memory(target);
    QVERIFY(memory.open(QIODevice::ReadOnly));
    QCOMPARE(memory.readAll().count('\n'), 223);
}

QTEST_GUILESS_MAIN(TestRadioLinkEndToEnd)
#include "tst_radio_link_e2e.moc"
