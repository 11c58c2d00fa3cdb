#pragma once

#include <QString>
#include <QtGlobal>

class QSerialPort;

namespace hxv5 {

// What the system decides about an open serial line (port_platform_posix.cpp and
// port_platform_windows.cpp).

// Keeps every other opener off the port just opened; false when another holds it already. Windows
// gives a COM port to one opener only, so the open itself has refused a second one there; Linux
// lets anybody open a device again unless it is locked.
bool holdExclusively(QSerialPort &port);

// What a device path named when it was opened, to tell a device that has gone or was plugged in
// again under the same name from the one the handle still holds. Unknown where the system
// resolves the name itself (Windows): only the line's own failure tells there.
struct DeviceIdentity
{
    bool known = false;
    quint64 device = 0;
    quint64 inode = 0;
    quint64 node = 0;
    bool operator==(const DeviceIdentity &) const = default;
};
DeviceIdentity deviceIdentity(const QString &device);

} // namespace hxv5
