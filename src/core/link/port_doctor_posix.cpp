// The port doctor on Linux: the device's kind, its permissions and the processes and lock files
// that hold it, all looked up under the root folder.
#include "link/port_doctor.h"

#include "link/port_mapping.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <vector>

namespace hxv5 {

namespace {

// Where QSerialPort, terminal programs and modem tools leave "LCK..<name>" files.
const QStringList kLockFolders = {
    QStringLiteral("/var/lock"),       QStringLiteral("/run/lock"),
    QStringLiteral("/etc/locks"),      QStringLiteral("/var/spool/locks"),
    QStringLiteral("/var/spool/uucp"), QStringLiteral("/tmp"),
    QStringLiteral("/var/tmp"),
};

// The USB vendors of the CH340 and CP210x bridges, which brltty claims as braille displays.
const QStringList kBrlttyClaimedVendors = {QStringLiteral("1a86"), QStringLiteral("10c4")};

QByteArray encoded(const QString &path)
{
    return QFile::encodeName(path);
}

bool userBelongsTo(gid_t group)
{
    const passwd *user = ::getpwuid(::geteuid());
    if (!user)
        return false;
    int count = 64;
    std::vector<gid_t> groups(static_cast<size_t>(count));
    if (::getgrouplist(user->pw_name, user->pw_gid, groups.data(), &count) < 0) {
        groups.resize(static_cast<size_t>(count));
        if (::getgrouplist(user->pw_name, user->pw_gid, groups.data(), &count) < 0)
            return false;
    }
    groups.resize(static_cast<size_t>(count));
    for (const gid_t g : groups) {
        if (g == group)
            return true;
    }
    return false;
}

// The "tty-index" the system gives for an open pseudo-terminal master; -1 when there is none.
int ptyIndex(const QString &fdInfo)
{
    QFile file(fdInfo);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    // Files under /proc have no size: read to the end rather than asking where it is.
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith("tty-index:")) {
            bool ok = false;
            const int index = line.mid(10).trimmed().toInt(&ok);
            return ok ? index : -1;
        }
    }
    return -1;
}

QString readFirstLine(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLocal8Bit(file.readLine(256)).trimmed();
}

} // namespace

PortCheck PortDoctor::checkPort(int port) const
{
    return checkDevice(deviceForPort(port, path(QStringLiteral("/dev"))), port);
}

// What a path leads to when it is not a serial line; empty when it is one, or may be one.
QString PortDoctor::notSerialKind(unsigned mode, quint64 rdev) const
{
    if (S_ISDIR(mode))
        return tr("a folder");
    if (S_ISFIFO(mode))
        return tr("a FIFO");
    if (S_ISSOCK(mode))
        return tr("a socket");
    if (S_ISBLK(mode))
        return tr("a block device");
    if (!S_ISCHR(mode))
        return tr("a regular file");
    const unsigned major = ::major(rdev);
    const unsigned minor = ::minor(rdev);
    // The slave sides of pseudo-terminals, which the simulated radio and serial bridges offer.
    constexpr unsigned kFirstPtyMajor = 136;
    constexpr unsigned kLastPtyMajor = 143;
    if (major >= kFirstPtyMajor && major <= kLastPtyMajor)
        return {};
    // /dev/null, /dev/zero and their kin; /dev/tty, /dev/console and /dev/ptmx; the virtual
    // consoles tty0 to tty63.
    if (major == 1)
        return tr("a device that is no serial port");
    if (major == 5 || (major == 4 && minor < 64))
        return tr("a terminal of this computer, not a serial port");
    // Serial drivers are in the tty class; a device the system describes otherwise is none.
    const QString subsystem =
        QFileInfo(path(QStringLiteral("/sys/dev/char/%1:%2/subsystem").arg(major).arg(minor)))
            .symLinkTarget();
    if (!subsystem.isEmpty() && QFileInfo(subsystem).fileName() != QLatin1String("tty"))
        return tr("a device that is no serial port");
    return {};
}

PortCheck PortDoctor::checkDevice(const QString &device, int port, bool) const
{
    // A refused open says nothing here: the processes and lock files tell who holds the device.
    PortCheck check;
    check.port = port;
    check.device = device;
    check.verdict = PortCheck::Verdict::Missing;
    const QByteArray name = encoded(device);
    struct stat status = {};
    if (device.isEmpty() || ::stat(name.constData(), &status) != 0)
        return check;
    // Nothing that is no serial line is worth a look for its holders: every shell holds
    // /dev/null.
    check.kind = notSerialKind(status.st_mode, status.st_rdev);
    if (!check.kind.isEmpty()) {
        check.verdict = PortCheck::Verdict::NotSerial;
        return check;
    }

    if (::access(name.constData(), R_OK | W_OK) != 0 && (errno == EACCES || errno == EPERM)) {
        check.verdict = PortCheck::Verdict::PermissionDenied;
        if (const group *owner = ::getgrgid(status.st_gid))
            check.group = QString::fromLocal8Bit(owner->gr_name);
        check.groupCanUse = (status.st_mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP);
        check.userInGroup = userBelongsTo(status.st_gid);
        return check;
    }

    if (findHolder(device, check)) {
        check.verdict = check.holderPid == QCoreApplication::applicationPid()
                            ? PortCheck::Verdict::Ok
                            : PortCheck::Verdict::Busy;
        if (check.verdict == PortCheck::Verdict::Ok) {
            check.holder.clear();
            check.holderPid = 0;
        }
        return check;
    }

    // The device itself is not opened to see whether it is free: opening a serial port raises
    // its control lines, which some cables use to key the radio or to reset what hangs on them.
    check.verdict = PortCheck::Verdict::Ok;
    return check;
}

bool PortDoctor::findHolder(const QString &device, PortCheck &check) const
{
    return holderFromOpenFiles(device, check) || holderFromLockFile(device, check);
}

bool PortDoctor::holderFromOpenFiles(const QString &device, PortCheck &check) const
{
    // A holder is a process with that very device open: the same file, whatever name it was
    // opened by.
    struct stat wanted = {};
    if (::stat(encoded(device).constData(), &wanted) != 0)
        return false;
    const auto isDevice = [&wanted](const QString &openFile) {
        struct stat status = {};
        return ::stat(encoded(openFile).constData(), &status) == 0 &&
               status.st_dev == wanted.st_dev && status.st_ino == wanted.st_ino;
    };
    // The number of a pseudo-terminal's slave side, /dev/pts/<n>.
    int terminal = -1;
    if (const QFileInfo slave(QFileInfo(device).canonicalFilePath());
        slave.absolutePath().endsWith(QLatin1String("/dev/pts"))) {
        bool isNumber = false;
        terminal = slave.fileName().toInt(&isNumber);
        terminal = isNumber ? terminal : -1;
    }
    const QDir processes(path(QStringLiteral("/proc")));
    const qint64 self = QCoreApplication::applicationPid();
    bool foundSelf = false;
    const QStringList pids = processes.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &entry : pids) {
        bool isPid = false;
        const qint64 pid = entry.toLongLong(&isPid);
        if (!isPid)
            continue;
        const QDir fds(processes.filePath(entry + QStringLiteral("/fd")));
        const QStringList links = fds.entryList(QDir::System | QDir::Files | QDir::NoDotAndDotDot);
        bool holds = false;
        bool otherEnd = false;
        for (const QString &fd : links) {
            const QString target = QFile::symLinkTarget(fds.filePath(fd));
            holds = holds || isDevice(fds.filePath(fd));
            otherEnd =
                otherEnd ||
                (terminal >= 0 && target.endsWith(QLatin1String("ptmx")) &&
                 ptyIndex(processes.filePath(entry + QStringLiteral("/fdinfo/") + fd)) == terminal);
        }
        // Whoever holds the master side of a pseudo-terminal (the simulated radio) is the far
        // end of the line, not a second user of it.
        if (!holds || otherEnd)
            continue;
        if (pid == self) {
            foundSelf = true;
            continue;
        }
        check.holderPid = pid;
        check.holder = processName(pid);
        return true;
    }
    if (foundSelf)
        check.holderPid = self;
    return foundSelf;
}

bool PortDoctor::holderFromLockFile(const QString &device, PortCheck &check) const
{
    const QString devFolder = path(QStringLiteral("/dev/"));
    QString lockName =
        device.startsWith(devFolder) ? device.mid(devFolder.size()) : QFileInfo(device).fileName();
    lockName.replace(QLatin1Char('/'), QLatin1Char('_'));
    for (const QString &folder : kLockFolders) {
        bool isPid = false;
        const qint64 pid =
            readFirstLine(path(folder) + QStringLiteral("/LCK..") + lockName).toLongLong(&isPid);
        // A lock left behind by a process that has ended holds nothing.
        if (!isPid || pid <= 0 || !QFileInfo::exists(path(QStringLiteral("/proc/%1").arg(pid))))
            continue;
        check.holderPid = pid;
        check.holder = pid == QCoreApplication::applicationPid() ? QString() : processName(pid);
        return true;
    }
    return false;
}

QString PortDoctor::processName(qint64 pid) const
{
    return readFirstLine(path(QStringLiteral("/proc/%1/comm").arg(pid)));
}

bool PortDoctor::brlttyInstalled() const
{
    for (const char *place :
         {"/usr/bin/brltty", "/bin/brltty", "/usr/sbin/brltty", "/sbin/brltty"}) {
        if (QFileInfo::exists(path(QString::fromLatin1(place))))
            return true;
    }
    return false;
}

bool PortDoctor::brlttyStyleAdapterPresent() const
{
    const QDir devices(path(QStringLiteral("/sys/bus/usb/devices")));
    const QStringList entries = devices.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        const QString vendor =
            readFirstLine(devices.filePath(entry + QStringLiteral("/idVendor"))).toLower();
        if (kBrlttyClaimedVendors.contains(vendor))
            return true;
    }
    return false;
}

namespace {

bool isBound(const PortCheck &check)
{
    return check.port != 0 && boundDevice(check.port) == check.device;
}

// The COM number leads somewhere it should not: what is wrong there, or remove the binding.
PortFix unbindFix(const PortCheck &check, const QString &trouble)
{
    return {PortDoctor::tr("COM %1 is bound to %2, which %3, or remove the binding")
                .arg(QString::number(check.port), check.device, trouble),
            QStringLiteral("rm '%1/COM%2'").arg(portMapDirectory()).arg(check.port)};
}

} // namespace

QList<PortFix> PortDoctor::fixes(const PortCheck &check) const
{
    using Verdict = PortCheck::Verdict;
    switch (check.verdict) {
    case Verdict::Ok:
        return {};
    case Verdict::NotSerial:
        if (isBound(check))
            return {unbindFix(check, tr("is not a serial device: bind it to the radio's cable"))};
        return {{tr("%1 is not a serial device: choose the port the radio's cable is on")
                     .arg(check.device),
                 {}}};
    case Verdict::Missing:
        if (check.device.isEmpty())
            return {{tr("Plug in the radio's cable: an adapter plugged in after the program "
                        "started appears without restarting it"),
                     {}}};
        if (isBound(check))
            return {unbindFix(check, tr("is not there: start what provides it again"))};
        return {{tr("%1 has gone: plug the cable in again").arg(check.device), {}}};
    case Verdict::PermissionDenied:
        if (check.group.isEmpty() || !check.groupCanUse)
            return {{tr("Only the owner of %1 may use it: let everybody read and write it "
                        "(until it is plugged in again)")
                         .arg(check.device),
                     QStringLiteral("sudo chmod a+rw %1").arg(check.device)}};
        if (check.userInGroup)
            return {{tr("You belong to the group %1 that owns %2, but this session started "
                        "before you joined it: log out and in again, or start a shell in the "
                        "group")
                         .arg(check.group, check.device),
                     QStringLiteral("newgrp %1").arg(check.group)}};
        return {{tr("Add yourself to the group %1 that owns %2, then log out and in again")
                     .arg(check.group, check.device),
                 QStringLiteral("sudo usermod -aG %1 $USER").arg(check.group)}};
    case Verdict::Busy:
        if (check.holder == QLatin1String("ModemManager"))
            return {{tr("ModemManager takes serial adapters for modems and holds them: stop it "
                        "and keep it from starting again"),
                     QStringLiteral("sudo systemctl disable --now ModemManager")}};
        if (!check.holder.isEmpty())
            return {{tr("%1 (process %2) has %3 open: close the port there, or end it")
                         .arg(check.holder, QString::number(check.holderPid), check.device),
                     QStringLiteral("kill %1").arg(check.holderPid)}};
        return {
            {tr("Another program has %1 open: close it there. To see which one").arg(check.device),
             QStringLiteral("sudo fuser -v %1").arg(check.device)}};
    }
    return {};
}

QList<PortFix> PortDoctor::systemFixes() const
{
    if (!brlttyInstalled() || !brlttyStyleAdapterPresent())
        return {};
    return {{tr("brltty takes CH340 and CP210x adapters for braille displays and takes "
                "their serial device away: remove it"),
             QStringLiteral("sudo apt remove brltty")},
            {tr("or, if you need it for a braille display, mask its device service"),
             QStringLiteral("sudo systemctl mask brltty-udev.service")}};
}

} // namespace hxv5
