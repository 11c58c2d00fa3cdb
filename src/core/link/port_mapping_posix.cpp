// The COM numbers of a system whose serial devices have none of their own: the user's bindings,
// then the USB serial adapters present.
#include "link/port_mapping.h"

#include "link/serial_port.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSerialPortInfo>

namespace hxv5 {

namespace {

QString linkPath(int port)
{
    return portMapDirectory() + QStringLiteral("/COM%1").arg(port);
}

} // namespace

QString portMapDirectory()
{
    return configDirectory() + QStringLiteral("/ports");
}

QString boundDevice(int port)
{
    if (!isComNumber(port))
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
    if (!isComNumber(port))
        return {};
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
}

bool bindPort(int port, const QString &device)
{
    if (!isComNumber(port) || device.isEmpty() || !QDir().mkpath(portMapDirectory()))
        return false;
    const QString link = linkPath(port);
    if (QFileInfo(link).isSymLink() && !QFile::remove(link))
        return false;
    return QFile::link(QFileInfo(device).absoluteFilePath(), link);
}

bool unbindPort(int port)
{
    if (!isComNumber(port))
        return false;
    const QString link = linkPath(port);
    return !QFileInfo(link).isSymLink() || QFile::remove(link);
}

} // namespace hxv5
