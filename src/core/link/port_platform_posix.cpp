#include "link/port_platform.h"

#include <QFile>
#include <QSerialPort>

#include <sys/file.h>
#include <sys/stat.h>

namespace hxv5 {

bool holdExclusively(QSerialPort &port)
{
    // QSerialPort's lock file and exclusive mode keep out programs that look for them, but the
    // superuser passes the exclusive mode and a lock file goes unseen by programs that look in
    // another lock folder. A lock on the open device itself is seen by everyone who asks for it.
    return ::flock(static_cast<int>(port.handle()), LOCK_EX | LOCK_NB) == 0;
}

DeviceIdentity deviceIdentity(const QString &device)
{
    DeviceIdentity identity;
    struct stat status = {};
    if (::stat(QFile::encodeName(device).constData(), &status) == 0) {
        identity.known = true;
        identity.device = static_cast<quint64>(status.st_dev);
        identity.inode = static_cast<quint64>(status.st_ino);
        identity.node = static_cast<quint64>(status.st_rdev);
    }
    return identity;
}

} // namespace hxv5
