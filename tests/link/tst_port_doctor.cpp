// The port doctor against folders laid out like a system (dev, proc, run/lock, sys, usr), and
// against a real pseudo-terminal held by another process.

#include "link/port_doctor.h"
#include "link/port_mapping.h"
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

using namespace hxv5;

namespace {

// Lays out entries under root: "path" an empty file, "path=text" a file holding text,
// "path->target" a symbolic link to root/target. "@" in a path stands for this process's id.
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
            if (!QFile::link(root + QLatin1Char('/') + entry.mid(arrow + 2), path))
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
    QTemporaryDir m_dir;
};

void TestPortDoctor::initTestCase()
{
    QVERIFY(m_dir.isValid());
    qputenv("XDG_CONFIG_HOME", m_dir.filePath(QStringLiteral("config")).toLocal8Bit());
}

void TestPortDoctor::cleanup()
{
    QDir(root()).removeRecursively();
    QDir(configDirectory()).removeRecursively();
}

void TestPortDoctor::verdicts_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<int>("bind"); // bind COM 2 to root/dev/gone first
    QTest::addColumn<QString>("device");
    QTest::addColumn<QString>("verdict");
    QTest::addColumn<QString>("command");

    const QString usb = QStringLiteral("dev/ttyUSB0");
    QTest::newRow("nothing plugged in")
        << QStringList{} << 0 << QString() << QStringLiteral("missing") << QString();
    QTest::newRow("bound to a device that has gone")
        << QStringList{} << 2 << QStringLiteral("dev/gone") << QStringLiteral("missing")
        << QStringLiteral("rm '%1/COM2'");
    QTest::newRow("free adapter") << QStringList{usb} << 0 << usb << QStringLiteral("ok")
                                  << QString();
    QTest::newRow("held by ModemManager")
        << QStringList{usb, QStringLiteral("proc/812/comm=ModemManager"),
                       QStringLiteral("proc/812/fd/7->dev/ttyUSB0")}
        << 0 << usb << QStringLiteral("busy (ModemManager)")
        << QStringLiteral("sudo systemctl disable --now ModemManager");
    QTest::newRow("held by another program")
        << QStringList{usb, QStringLiteral("proc/4242/comm=minicom"),
                       QStringLiteral("proc/4242/fd/3->dev/ttyUSB0")}
        << 0 << usb << QStringLiteral("busy (minicom)") << QStringLiteral("kill 4242");
    QTest::newRow("another device held")
        << QStringList{usb, QStringLiteral("dev/ttyS0"), QStringLiteral("proc/4242/comm=minicom"),
                       QStringLiteral("proc/4242/fd/3->dev/ttyS0")}
        << 0 << usb << QStringLiteral("ok") << QString();
    QTest::newRow("locked by a running program")
        << QStringList{usb, QStringLiteral("run/lock/LCK..ttyUSB0=      4243"),
                       QStringLiteral("proc/4243/comm=picocom")}
        << 0 << usb << QStringLiteral("busy (picocom)") << QStringLiteral("kill 4243");
    QTest::newRow("lock left by a program that ended")
        << QStringList{usb, QStringLiteral("var/lock/LCK..ttyUSB0=4244")} << 0 << usb
        << QStringLiteral("ok") << QString();
    // The program's own open port is no obstacle to itself.
    QTest::newRow("held by this program") << QStringList{usb, QStringLiteral("proc/@/comm=self"),
                                                         QStringLiteral("proc/@/fd/9->dev/ttyUSB0")}
                                          << 0 << usb << QStringLiteral("ok") << QString();
}

void TestPortDoctor::verdicts()
{
    QFETCH(QStringList, entries);
    QFETCH(int, bind);
    QFETCH(QString, device);
    QFETCH(QString, verdict);
    QFETCH(QString, command);
    QVERIFY(QDir().mkpath(root() + QStringLiteral("/dev")));
    QVERIFY(layOut(root(), entries));
    if (bind != 0)
        QVERIFY(bindPort(bind, root() + QStringLiteral("/dev/gone")));
    const int port = bind != 0 ? bind : 1;

    const PortDoctor doctor(root());
    const PortCheck check = doctor.checkPort(port);
    QCOMPARE(check.device, device.isEmpty() ? QString() : root() + QLatin1Char('/') + device);
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
