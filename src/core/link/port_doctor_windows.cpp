// The port doctor on Windows: which COM ports the system has and what it calls their devices.
// Nothing is opened to look: opening a COM port raises its control lines, which some cables use to
// key the radio.
#include "link/port_doctor.h"

#include "link/port_mapping.h"

#include <QSerialPortInfo>

#include <windows.h>

namespace hxv5 {

namespace {

struct SystemPort
{
    bool present = false;
    QString description;
};

// "COM5" for "\\.\COM5".
QString portName(const QString &device)
{
    const QString prefix = QStringLiteral("\\\\.\\");
    return device.startsWith(prefix) ? device.mid(prefix.size()) : device;
}

SystemPort lookUp(const QString &device)
{
    const QString name = portName(device);
    const auto listed = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : listed) {
        if (info.portName().compare(name, Qt::CaseInsensitive) == 0)
            return {true, info.description()};
    }
    // A port the device manager does not list (a virtual one, or Wine's mapping of a Unix device)
    // still has its name in the system's device namespace.
    wchar_t target[MAX_PATH];
    const bool named =
        QueryDosDeviceW(reinterpret_cast<const wchar_t *>(name.utf16()), target, MAX_PATH) != 0;
    return {named, {}};
}

} // namespace

PortCheck PortDoctor::checkPort(int port) const
{
    return checkDevice(deviceForPort(port), port);
}

PortCheck PortDoctor::checkDevice(const QString &device, int port, bool openRefused) const
{
    PortCheck check;
    check.port = port;
    check.device = device;
    if (device.isEmpty())
        return check;
    const SystemPort system = lookUp(device);
    check.description = system.description;
    // Windows refuses the open of a port another program holds: the one sign of it.
    if (openRefused)
        check.verdict = PortCheck::Verdict::Busy;
    else
        check.verdict = system.present ? PortCheck::Verdict::Ok : PortCheck::Verdict::Missing;
    return check;
}

QList<PortFix> PortDoctor::fixes(const PortCheck &check) const
{
    switch (check.verdict) {
    case PortCheck::Verdict::Missing:
        return {{tr("Plug in the radio's cable and choose the COM number Windows gives it (Device "
                    "Manager, \"Ports (COM & LPT)\"): a cable plugged in after the program "
                    "started appears without restarting it"),
                 {}}};
    case PortCheck::Verdict::Busy:
        return {{tr("Another program has %1 open: close the port there, or end that program")
                     .arg(portCaption(check.port).simplified()),
                 {}}};
    default:
        return {};
    }
}

QList<PortFix> PortDoctor::systemFixes() const
{
    return {};
}

bool PortDoctor::brlttyInstalled() const
{
    return false;
}

bool PortDoctor::brlttyStyleAdapterPresent() const
{
    return false;
}

} // namespace hxv5
