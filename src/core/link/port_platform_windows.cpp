#include "link/port_platform.h"

namespace hxv5 {

bool holdExclusively(QSerialPort &)
{
    // CreateFile opened the COM port without sharing: a second opener has been refused already.
    return true;
}

DeviceIdentity deviceIdentity(const QString &)
{
    return {};
}

} // namespace hxv5
