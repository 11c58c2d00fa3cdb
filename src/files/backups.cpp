#include "files/backups.h"

#include "files/clone_file.h"
#include "files/safe_write.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>

#include <algorithm>
#include <utility>
#include <vector>

namespace hxv5 {

namespace {

const QString kSuffix = QStringLiteral(".TV5");

// A backup's name: the time, then "-N" for the Nth backup of that second.
const QRegularExpression &backupName()
{
    static const QRegularExpression pattern(
        QStringLiteral("^(\\d{4}-\\d{2}-\\d{2}T\\d{2}-\\d{2}-\\d{2})(?:-(\\d+))?\\.TV5$"));
    return pattern;
}

// Reserves a free name by creating the file: two programs keeping a backup in the same second
// (the window and the command line) each get their own.
QString reserveName(const QDir &folder, const QString &stamp)
{
    for (int n = 1; n < 10000; ++n) {
        const QString name =
            n == 1 ? stamp + kSuffix : stamp + QLatin1Char('-') + QString::number(n) + kSuffix;
        QFile file(folder.filePath(name));
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return file.fileName();
        if (!file.exists())
            return {}; // not a name already taken: the folder takes no files
    }
    return {};
}

// Oldest first. Names sort by their time; within one second by their number, which a plain
// text comparison would get wrong ("-10" before "-2", and "-2" before the first).
void pruneOldest(const QDir &folder)
{
    std::vector<std::pair<std::pair<QString, int>, QString>> backups;
    const QStringList names = folder.entryList({QStringLiteral("*") + kSuffix}, QDir::Files);
    for (const QString &name : names) {
        const QRegularExpressionMatch match = backupName().match(name);
        if (!match.hasMatch())
            continue;
        const int number = match.captured(2).isEmpty() ? 1 : match.captured(2).toInt();
        backups.push_back({{match.captured(1), number}, name});
    }
    if (backups.size() <= static_cast<size_t>(kKeptBackups))
        return;
    std::sort(backups.begin(), backups.end());
    const size_t surplus = backups.size() - static_cast<size_t>(kKeptBackups);
    for (size_t i = 0; i < surplus; ++i)
        QFile::remove(folder.filePath(backups[i].second));
}

} // namespace

QString backupsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
           QStringLiteral("/backups");
}

QString backupNotKeptText()
{
    return QStringLiteral("Backup not kept: %1 takes no file")
        .arg(QDir::toNativeSeparators(backupsFolder()));
}

QString keepBackup(const Document &doc, const QDateTime &now)
{
    const QString folderPath = backupsFolder();
    if (!QDir().mkpath(folderPath))
        return {};
    const QDir folder(folderPath);
    const QString path =
        reserveName(folder, now.toLocalTime().toString(QStringLiteral("yyyy-MM-ddTHH-mm-ss")));
    if (path.isEmpty())
        return {};
    if (!writeFileSafely(path, cloneFileBytes(doc))) {
        QFile::remove(path);
        return {};
    }
    pruneOldest(folder);
    return path;
}

} // namespace hxv5
