#pragma once

// The per-user folders (QStandardPaths) of a test, kept apart from the user's own.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QString>

namespace hxv5::testing {

// Points the per-user configuration and data folders into root and returns the folder that the
// per-user configuration folder is now. On Linux the XDG variables lead there. Windows decides
// those folders itself: there Qt's test locations take their place, emptied of the program's
// folders (and of files in their place) first, and the configuration folder returned lies outside
// root.
inline QString isolateUserFolders(const QString &root)
{
#ifdef Q_OS_WIN
    Q_UNUSED(root)
    QStandardPaths::setTestModeEnabled(true);
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    // A test may have left a file where a folder goes.
    for (const QString &folder :
         {config + QStringLiteral("/hxv5-clone"),
          QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)}) {
        QFile::remove(folder);
        QDir(folder).removeRecursively();
    }
    return config;
#else
    const QString config = root + QStringLiteral("/config");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config));
    qputenv("XDG_DATA_HOME", QFile::encodeName(root + QStringLiteral("/data")));
    return config;
#endif
}

} // namespace hxv5::testing
