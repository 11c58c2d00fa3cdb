#include "files/file_platform.h"

#include <QFile>

#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

namespace hxv5 {

bool syncToDisk(QFileDevice &file)
{
    return file.isOpen() && file.flush() && ::fsync(file.handle()) == 0;
}

bool isSameFile(const QString &first, const QString &second)
{
    struct stat one = {};
    struct stat other = {};
    return ::stat(QFile::encodeName(first).constData(), &one) == 0 &&
           ::stat(QFile::encodeName(second).constData(), &other) == 0 &&
           one.st_dev == other.st_dev && one.st_ino == other.st_ino;
}

void failWritesPastFileSizeLimit()
{
    std::signal(SIGXFSZ, SIG_IGN);
}

void writeStandardStreamsUnchanged()
{
    // POSIX systems write a stream's bytes unchanged.
}

} // namespace hxv5
