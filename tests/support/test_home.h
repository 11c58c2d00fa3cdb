#pragma once

// A home of the test's own for the per-user folders, so that nothing of the user who runs the
// tests is read or changed.

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>

namespace hxv5::testing {

// A temporary folder whose config/ and data/ become the per-user configuration and data folders
// once entered, with the settings kept under the test's own organisation.
class TestHome : public QTemporaryDir
{
public:
    // Call from initTestCase (or init, to start afresh); false when there is no folder.
    bool enter() const
    {
        if (!isValid())
            return false;
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome()));
        qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome()));
#ifdef Q_OS_WIN
        // The XDG variables mean nothing there; the standard paths keep apart in test mode.
        QStandardPaths::setTestModeEnabled(true);
#endif
        QCoreApplication::setOrganizationName(QStringLiteral("hxv5-test"));
        return true;
    }
    QString configHome() const
    {
        return filePath(QStringLiteral("config"));
    }
    QString dataHome() const
    {
        return filePath(QStringLiteral("data"));
    }
};

} // namespace hxv5::testing
