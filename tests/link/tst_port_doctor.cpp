// The port doctor against folders laid out like a system (dev, proc, run/lock, sys, usr), and
// against a real pseudo-terminal held by another process.

#include "link/port_doctor.h"
#include "link/port_mapping.h"
#include "test_home.h"
#include "unprivileged.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <grp.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

using namespace hxv5;

namespace {

// The master sides of the pseudo-terminals that stand in for serial devices, held by the test.
QList<int> g_masters;

// A serial line of its own: the slave side of a fresh pseudo-terminal; empty when none is had.
QString freshSerialLine()
{
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0)
        return {};
    g_masters.append(master);
    return QString::fromLocal8Bit(::ptsname(master));
}

void closeSerialLines()
{
    for (const int master : std::exchange(g_masters, {}))
        ::close(master);
}

// Lays out entries under root: "path=text" a file holding text, "path->target" a symbolic link
// to root/target (or to an absolute target), "path/" a folder, "path|" a FIFO, and "dev/ttyXXX" a
// serial line (a link to a pseudo-terminal of its own); any other "path" an empty file. "@" in a
// path stands for this process's id.
bool layOut(const QString &root, const QStringList &entries)
{
    for (QString entry : entries) {
        entry.replace(QLatin1Char('@'), QString::number(QCoreApplication::applicationPid()));
        const qsizetype arrow = entry.indexOf(QLatin1String("->"));
        const qsizetype equals = entry.indexOf(QLatin1Char('='));
        const QString name = entry.left(arrow >= 0 ? arrow : equals);
        const QString path = root + QLatin1Char('/') + name;
        if (!QDir().mkpath(QFileInfo(path).absolutePath()))
            return false;
        if (arrow >= 0) {
            const QString target = entry.mid(arrow + 2);
            if (!QFile::link(target.startsWith(QLatin1Char('/')) ? target
                                                                 : root + QLatin1Char('/') + target,
                             path))
                return false;
            continue;
        }
        if (name.endsWith(QLatin1Char('/'))) {
            if (!QDir().mkpath(path))
                return false;
            continue;
        }
        if (name.endsWith(QLatin1Char('|'))) {
            if (::mkfifo(QFile::encodeName(path.chopped(1)).constData(), 0600) != 0)
                return false;
            continue;
        }
        if (equals < 0 && name.startsWith(QLatin1String("dev/tty"))) {
            const QString line = freshSerialLine();
            if (line.isEmpty() || !QFile::link(line, path))
                return false;
            continue;
        }
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return false;
        if (equals >= 0)
            file.write(entry.mid(equals + 1).toUtf8() + '\n');
    }
    return true;
}

QString commandsOf(const QList<PortFix> &fixes)
{
    QStringList commands;
    for (const PortFix &fix : fixes)
        commands.append(fix.command);
    return commands.join(QLatin1Char('|'));
}

} // namespace

class TestPortDoctor : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void verdicts_data();
    void verdicts();
    void deviceWithoutPermission_data();
    void deviceWithoutPermission();
    void ptyHeldByAnotherProcess();
    void brltty_data();
    void brltty();
    void reportHasALineForEachNumber();

private:
    QString root() const { return m_dir.filePath(QStringLiteral("root")); }
    hxv5::testing::TestHome m_dir;
};

void TestPortDoctor::initTestCase()
{
    QVERIFY(m_dir.enter());
}

void TestPortDoctor::cleanup()
{
    closeSerialLines();
    QDir(root()).removeRecursively();
    QDir(configDirectory()).removeRecursively();
}

void TestPortDoctor::verdicts_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("bindTo"); // bind COM 2 to this first: under root, or absolute
    QTest::addColumn<QString>("device"); // under root, or absolute
    QTest::addColumn<QString>("verdict");
    QTest::addColumn<QString>("command");

    const QString usb = QStringLiteral("dev/ttyUSB0");
    const QString unbind = QStringLiteral("rm '%1/COM2'");
    QTest::newRow("nothing plugged in")
        << QStringList{} << QString() << QString() << QStringLiteral("missing") << QString();
    QTest::newRow("bound to a device that has gone")
        << QStringList{} << QStringLiteral("dev/gone") << QStringLiteral("dev/gone")
        << QStringLiteral("missing") << unbind;
    QTest::newRow("free adapter") << QStringList{usb} << QString() << usb << QStringLiteral("ok")
                                  << QString();
    QTest::newRow("held by ModemManager")
        << QStringList{usb, QStringLiteral("proc/812/comm=ModemManager"),
                       QStringLiteral("proc/812/fd/7->dev/ttyUSB0")}
        << QString() << usb << QStringLiteral("busy (ModemManager)")
        << QStringLiteral("sudo systemctl disable --now ModemManager");
    QTest::newRow("held by another program")
        << QStringList{usb, QStringLiteral("proc/4242/comm=minicom"),
                       QStringLiteral("proc/4242/fd/3->dev/ttyUSB0")}
        << QString() << usb << QStringLiteral("busy (minicom)") << QStringLiteral("kill 4242");
    QTest::newRow("held under another name")
        << QStringList{usb, QStringLiteral("dev/serial/by-id/cable->dev/ttyUSB0"),
                       QStringLiteral("proc/4242/comm=minicom"),
                       QStringLiteral("proc/4242/fd/3->dev/serial/by-id/cable")}
        << QString() << usb << QStringLiteral("busy (minicom)") << QStringLiteral("kill 4242");
    QTest::newRow("another device held")
        << QStringList{usb, QStringLiteral("dev/ttyS0"), QStringLiteral("proc/4242/comm=minicom"),
                       QStringLiteral("proc/4242/fd/3->dev/ttyS0")}
        << QString() << usb << QStringLiteral("ok") << QString();
    QTest::newRow("locked by a running program")
        << QStringList{usb, QStringLiteral("run/lock/LCK..ttyUSB0=      4243"),
                       QStringLiteral("proc/4243/comm=picocom")}
        << QString() << usb << QStringLiteral("busy (picocom)") << QStringLiteral("kill 4243");
    QTest::newRow("lock left by a program that ended")
        << QStringList{usb, QStringLiteral("var/lock/LCK..ttyUSB0=4244")} << QString() << usb
        << QStringLiteral("ok") << QString();
    // The program's own open port is no obstacle to itself.
    QTest::newRow("held by this program") << QStringList{usb, QStringLiteral("proc/@/comm=self"),
                                                         QStringLiteral("proc/@/fd/9->dev/ttyUSB0")}
                                          << QString() << usb << QStringLiteral("ok") << QString();
    // What is no serial line is told as what it is, and nobody is named as holding it.
    const QString notSerial = QStringLiteral("not a serial device: ");
    QTest::newRow("bound to a FIFO")
        << QStringList{QStringLiteral("dev/fifo|")} << QStringLiteral("dev/fifo")
        << QStringLiteral("dev/fifo") << notSerial + QStringLiteral("a FIFO") << unbind;
    QTest::newRow("bound to a regular file")
        << QStringList{QStringLiteral("home/notes.txt=x")} << QStringLiteral("home/notes.txt")
        << QStringLiteral("home/notes.txt") << notSerial + QStringLiteral("a regular file")
        << unbind;
    QTest::newRow("bound to a folder")
        << QStringList{QStringLiteral("home/")} << QStringLiteral("home") << QStringLiteral("home")
        << notSerial + QStringLiteral("a folder") << unbind;
    QTest::newRow("bound to /dev/zero")
        << QStringList{} << QStringLiteral("/dev/zero") << QStringLiteral("/dev/zero")
        << notSerial + QStringLiteral("a device that is no serial port") << unbind;
    QTest::newRow("bound to /dev/null, which every shell holds")
        << QStringList{QStringLiteral("proc/4242/comm=bash"),
                       QStringLiteral("proc/4242/fd/0->/dev/null")}
        << QStringLiteral("/dev/null") << QStringLiteral("/dev/null")
        << notSerial + QStringLiteral("a device that is no serial port") << unbind;
    QTest::newRow("bound to /dev/tty")
        << QStringList{} << QStringLiteral("/dev/tty") << QStringLiteral("/dev/tty")
        << notSerial + QStringLiteral("a terminal of this computer, not a serial port") << unbind;
}

void TestPortDoctor::verdicts()
{
    QFETCH(QStringList, entries);
    QFETCH(QString, bindTo);
    QFETCH(QString, device);
    QFETCH(QString, verdict);
    QFETCH(QString, command);
    const auto inRoot = [this](const QString &path) {
        return path.startsWith(QLatin1Char('/')) ? path : root() + QLatin1Char('/') + path;
    };
    QVERIFY(QDir().mkpath(root() + QStringLiteral("/dev")));
    QVERIFY(layOut(root(), entries));
    if (!bindTo.isEmpty())
        QVERIFY(bindPort(2, inRoot(bindTo)));
    const int port = bindTo.isEmpty() ? 1 : 2;

    const PortDoctor doctor(root());
    const PortCheck check = doctor.checkPort(port);
    QCOMPARE(check.device, device.isEmpty() ? QString() : inRoot(device));
    QCOMPARE(PortDoctor::verdictText(check), verdict);
    QCOMPARE(commandsOf(doctor.fixes(check)),
             command.contains(QLatin1String("%1")) ? command.arg(portMapDirectory()) : command);
    // The box's details and the dialog's note start with the port and its verdict.
    QVERIFY2(doctor.diagnosis(check).startsWith(QStringLiteral("COM %1 ").arg(port)),
             qPrintable(doctor.diagnosis(check)));
    QVERIFY(doctor.diagnosis(check).contains(QStringLiteral(": ") + verdict + QLatin1Char('\n')));
}

void TestPortDoctor::deviceWithoutPermission_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("command");
    QTest::newRow("the group may use it")
        << 0660 << QStringLiteral("dialout") << QStringLiteral("sudo usermod -aG dialout $USER");
    QTest::newRow("only its owner may use it")
        << 0600 << QString() << QStringLiteral("sudo chmod a+rw %1");
}

void TestPortDoctor::deviceWithoutPermission()
{
    QFETCH(int, mode);
    QFETCH(QString, group);
    QFETCH(QString, command);
    if (!unprivileged::isRoot())
        QSKIP("needs root to hand the device to another owner than the user running the test");
    const struct group *owner = group.isEmpty() ? nullptr : ::getgrnam(qPrintable(group));
    if (!group.isEmpty() && !owner)
        QSKIP("this system has no dialout group");
    QVERIFY(layOut(root(), {QStringLiteral("dev/ttyUSB0")}));
    const QString device = root() + QStringLiteral("/dev/ttyUSB0");
    QVERIFY(::chown(QFile::encodeName(device).constData(), 0, owner ? owner->gr_gid : 0) == 0);
    QVERIFY(::chmod(QFile::encodeName(device).constData(), static_cast<mode_t>(mode)) == 0);
    QVERIFY(unprivileged::letIn(m_dir.path()));
    const QString expected = command.contains(QLatin1String("%1")) ? command.arg(device) : command;

    const auto passed = unprivileged::runAsUser([&] {
        const PortDoctor doctor(root());
        const PortCheck check = doctor.checkPort(1);
        return check.verdict == PortCheck::Verdict::PermissionDenied &&
               PortDoctor::verdictText(check) == QLatin1String("permission denied") &&
               commandsOf(doctor.fixes(check)) == expected;
    });
    if (!passed)
        QSKIP("could not run as an ordinary user");
    QVERIFY(*passed);
}

void TestPortDoctor::ptyHeldByAnotherProcess()
{
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    QVERIFY(master >= 0);
    QVERIFY(::grantpt(master) == 0 && ::unlockpt(master) == 0);
    const QString slave = QString::fromLocal8Bit(::ptsname(master));
    const PortDoctor doctor;
    // This process holds the master side only: the far end of the line, no obstacle.
    QCOMPARE(PortDoctor::verdictText(doctor.checkDevice(slave)), QStringLiteral("ok"));

    QProcess holder;
    holder.setStandardInputFile(slave);
    holder.start(QStringLiteral("sleep"), {QStringLiteral("60")});
    QVERIFY(holder.waitForStarted());
    QTRY_COMPARE(PortDoctor::verdictText(doctor.checkDevice(slave, 4)),
                 QStringLiteral("busy (sleep)"));
    const PortCheck check = doctor.checkDevice(slave, 4);
    QCOMPARE(check.holderPid, holder.processId());
    QCOMPARE(commandsOf(doctor.fixes(check)), QStringLiteral("kill %1").arg(holder.processId()));

    holder.kill();
    QVERIFY(holder.waitForFinished());
    QCOMPARE(PortDoctor::verdictText(doctor.checkDevice(slave)), QStringLiteral("ok"));
    ::close(master);
}

void TestPortDoctor::brltty_data()
{
    QTest::addColumn<bool>("installed");
    QTest::addColumn<QString>("vendor");
    QTest::addColumn<bool>("advised");
    QTest::newRow("CH340 with brltty") << true << QStringLiteral("1a86") << true;
    QTest::newRow("CP210x with brltty") << true << QStringLiteral("10C4") << true;
    QTest::newRow("FTDI with brltty") << true << QStringLiteral("0403") << false;
    QTest::newRow("CH340 without brltty") << false << QStringLiteral("1a86") << false;
    QTest::newRow("brltty, nothing plugged in") << true << QString() << false;
}

void TestPortDoctor::brltty()
{
    QFETCH(bool, installed);
    QFETCH(QString, vendor);
    QFETCH(bool, advised);
    QStringList entries{QStringLiteral("dev/null"),
                        QStringLiteral("sys/bus/usb/devices/usb1/idVendor=1d6b")};
    if (installed)
        entries.append(QStringLiteral("usr/bin/brltty"));
    if (!vendor.isEmpty())
        entries.append(QStringLiteral("sys/bus/usb/devices/1-2/idVendor=") + vendor);
    QVERIFY(layOut(root(), entries));
    const PortDoctor doctor(root());
    const QString commands = commandsOf(doctor.systemFixes());
    QCOMPARE(commands.contains(QLatin1String("sudo apt remove brltty")), advised);
    QCOMPARE(commands.contains(QLatin1String("sudo systemctl mask brltty-udev.service")), advised);
    // The advice goes with a port that cannot be used, and into the report.
    QCOMPARE(doctor.diagnosis(doctor.checkPort(1)).contains(QLatin1String("brltty")), advised);
    QCOMPARE(doctor.report().contains(QLatin1String("brltty")), advised);
}

void TestPortDoctor::reportHasALineForEachNumber()
{
    QVERIFY(layOut(root(), {QStringLiteral("dev/ttyUSB0"), QStringLiteral("dev/ttyACM1"),
                            QStringLiteral("proc/77/comm=ModemManager"),
                            QStringLiteral("proc/77/fd/4->dev/ttyUSB0")}));
    const QStringList lines = PortDoctor(root()).report().split(QLatin1Char('\n'));
    QVERIFY(lines.size() > 14);
    const QString acm = root() + QStringLiteral("/dev/ttyACM1");
    const QString usb = root() + QStringLiteral("/dev/ttyUSB0");
    QCOMPARE(lines.at(0), QStringLiteral("COM  1  %1  ok").arg(acm));
    QCOMPARE(lines.at(1), QStringLiteral("COM  2  %1  busy (ModemManager)").arg(usb));
    for (int port = 3; port <= 14; ++port)
        QCOMPARE(lines.at(port - 1).simplified(), QStringLiteral("COM %1 none missing").arg(port));
    // Below the table, each fix with its port, and the plugging-in advice for the empty numbers.
    const QString advice = lines.mid(14).join(QLatin1Char('\n'));
    QVERIFY2(advice.contains(QLatin1String("COM 2: ModemManager")), qPrintable(advice));
    QVERIFY(advice.contains(QLatin1String("\n    sudo systemctl disable --now ModemManager\n")));
    QVERIFY(advice.contains(QLatin1String("without restarting")));
}

QTEST_GUILESS_MAIN(TestPortDoctor)
#include "tst_port_doctor.moc"
