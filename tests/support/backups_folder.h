#pragma once

// The backups folder as a test wants it before a read.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

namespace hxv5::testing {

// Leaves no folder at path, its parent made; with blocked, an empty file stands where the folder
// goes. Permission bits would not stop the tests running as root; a file in the way stops
// everyone. True when path is as asked.
inline bool prepareBackupsFolder(const QString &path, bool blocked)
{
    QDir(path).removeRecursively();
    QFile::remove(path);
    if (!QDir().mkpath(QFileInfo(path).path()))
        return false;
    if (!blocked)
        return !QFileInfo::exists(path);
    QFile inTheWay(path);
    return inTheWay.open(QIODevice::WriteOnly);
}

} // namespace hxv5::testing
