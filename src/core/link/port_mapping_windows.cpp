// The COM numbers of Windows: the system's own ports, nothing bound.
#include "link/port_mapping.h"

namespace hxv5 {

QString deviceForPort(int port, const QString &deviceFolder)
{
    Q_UNUSED(deviceFolder)
    // The device namespace's name reaches COM10 and above too, which the plain name does not.
    return isComNumber(port) ? QStringLiteral("\\\\.\\COM%1").arg(port) : QString();
}

} // namespace hxv5
