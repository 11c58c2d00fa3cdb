#pragma once

// A home of the test's own for the per-user folders (QStandardPaths), so that nothing of the user
// who runs the tests is read or changed.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>

namespace hxv5::testing {

// A temporary folder whose config/ and data/ become the per-user configuration and data folders
// once entered, with the settings kept under the test's own organisation. On Linux the XDG
// variables lead there. Windows decides those folders itself: there Qt's test locations take
// their place, emptied of the program's folders (and of files in their place) first, and the
// configuration folder lies outside this one.
class TestHome : public QTemporaryDir
{
public:
    // Call from initTestCase (or init, to start afresh); false when there is no folder.
    bool enter() const
    {
        if (!isValid())
            return false;
#ifdef Q_OS_WIN
        QStandardPaths::setTestModeEnabled(true);
        // A test may have left a file where a folder goes.
        for (const QString &folder :
             {configHome() + QStringLiteral("/hxv5-clone"),
              QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)}) {
            QFile::remove(folder);
            QDir(folder).removeRecursively();
        }
#else
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome()));
        qputenv("XDG_DATA_HOME", QFile::encodeName(filePath(QStringLiteral("data"))));
#endif
        QCoreApplication::setOrganizationName(QStringLiteral("hxv5-test"));
        return true;
    }
    // The per-user configuration folder once entered.
    QString configHome() const
    {
#ifdef Q_OS_WIN
        return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
#else
        return filePath(QStringLiteral("config"));
#endif
    }
};

} // namespace hxv5::testing
