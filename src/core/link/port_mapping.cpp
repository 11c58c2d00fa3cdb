#include "link/port_mapping.h"

#include "link/serial_port.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSerialPortInfo>
#include <QStandardPaths>

namespace hxv5 {

namespace {

const QString kPortFileName = QStringLiteral("HX-V5.ini");

bool validPort(int port)
{
    return port >= SerialPort::kFirstPort && port <= SerialPort::kLastPort;
}

QString linkPath(int port)
{
    return portMapDirectory() + QStringLiteral("/COM%1").arg(port);
}

QString programDirectory()
{
    return QCoreApplication::instance() ? QCoreApplication::applicationDirPath()
                                        : QDir::currentPath();
}

// The file holds one number; anything else gives 1, as does a missing file.
int parsePortFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return SerialPort::kFirstPort;
    bool ok = false;
    const int port = QString::fromLatin1(file.readLine(64)).trimmed().toInt(&ok);
    return ok && validPort(port) ? port : SerialPort::kFirstPort;
}

} // namespace

QString configDirectory()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    // Without a per-user location the program's folder is the only place left.
    return base.isEmpty() ? programDirectory() : base + QStringLiteral("/hxv5-clone");
}

QString portMapDirectory()
{
    return configDirectory() + QStringLiteral("/ports");
}

QString portFilePath()
{
    return configDirectory() + QLatin1Char('/') + kPortFileName;
}

int readPortFile()
{
    const QString path = portFilePath();
    if (QFileInfo::exists(path))
        return parsePortFile(path);
    return parsePortFile(programDirectory() + QLatin1Char('/') + kPortFileName);
}

bool writePortFile(int port)
{
    if (!QDir().mkpath(configDirectory()))
        return false;
    QSaveFile file(portFilePath());
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QByteArray::number(port) + "\r\n");
    return file.commit();
}

QString boundDevice(int port)
{
    if (!validPort(port))
        return {};
    const QFileInfo link(linkPath(port));
    // A dangling link still names the device: opening it fails with the usual port error.
    return link.isSymLink() ? link.symLinkTarget() : QString();
}

QStringList usbSerialDevices(const QString &deviceFolder)
{
    const QDir folder(deviceFolder);
    QStringList devices;
    // USB serial converters and modem-class adapters; device nodes, and plain files standing in
    // for them, but never folders.
    const QStringList names =
        folder.entryList({QStringLiteral("ttyUSB[0-9]*"), QStringLiteral("ttyACM[0-9]*")},
                         QDir::System | QDir::Files | QDir::NoDotAndDotDot);
    for (const QString &name : names)
        devices.append(folder.filePath(name));
    // Adapters under other names still carry a USB vendor identifier.
    const auto ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : ports) {
        if (info.hasVendorIdentifier() &&
            QFileInfo(info.systemLocation()).absolutePath() == folder.absolutePath())
            devices.append(info.systemLocation());
    }
    devices.sort();
    devices.removeDuplicates();
    return devices;
}

QString deviceForPort(int port, const QString &deviceFolder)
{
    if (!validPort(port))
        return {};
#ifdef Q_OS_WIN
    Q_UNUSED(deviceFolder)
    const QString bound = boundDevice(port);
    return bound.isEmpty() ? QStringLiteral("COM%1").arg(port) : bound;
#else
    const QString bound = boundDevice(port);
    if (!bound.isEmpty())
        return bound;
    // The adapters take the unbound numbers from 1 upwards.
    const QStringList adapters = usbSerialDevices(deviceFolder);
    int next = 0;
    for (int n = SerialPort::kFirstPort; n <= port && next < adapters.size(); ++n) {
        if (!boundDevice(n).isEmpty())
            continue;
        if (n == port)
            return adapters.at(next);
        ++next;
    }
    return {};
#endif
}

bool bindPort(int port, const QString &device)
{
    if (!validPort(port) || device.isEmpty() || !QDir().mkpath(portMapDirectory()))
        return false;
    const QString link = linkPath(port);
    if (QFileInfo(link).isSymLink() && !QFile::remove(link))
        return false;
    return QFile::link(QFileInfo(device).absoluteFilePath(), link);
}

bool unbindPort(int port)
{
    if (!validPort(port))
        return false;
    const QString link = linkPath(port);
    return !QFileInfo(link).isSymLink() || QFile::remove(link);
}

QString portCaption(int portNumber)
{
    return QStringLiteral("COM %1").arg(portNumber, 2);
}

} // namespace hxv5
