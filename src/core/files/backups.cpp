#include "files/backups.h"

#include "files/clone_file.h"
#include "files/file_platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <algorithm>
#include <tuple>
#include <vector>

namespace hxv5 {

namespace {

const QString kSuffix = QStringLiteral(".TV5");
// A backup is written under a name no backup carries, then renamed when whole.
const QString kTemporaryTemplate = QStringLiteral(".backup-XXXXXX.part");
// Held while a backup is kept, so that what another program writes now is never taken for a
// leftover. A program killed while holding it leaves it stale, which the next one sees.
const QString kLockName = QStringLiteral(".keeping.lock");
constexpr int kLockWaitMs = 5000;

// A backup's name: the time, what it holds (names from before the kinds carry none), then "-N"
// for the Nth backup of that second.
const QString kBackupName = QStringLiteral("(\\d{4}-\\d{2}-\\d{2}T\\d{2}-\\d{2}-\\d{2})"
                                           "(?:-after-read|-before-write)?(?:-(\\d+))?\\.TV5");

const QRegularExpression &backupName()
{
    static const QRegularExpression pattern(QLatin1Char('^') + kBackupName + QLatin1Char('$'));
    return pattern;
}

// What a backup that was cut short leaves: its temporary file, also the one an older version
// wrote beside the backup's name.
const QRegularExpression &leftoverName()
{
    static const QRegularExpression pattern(QStringLiteral("^(?:\\.backup-[A-Za-z0-9]{6}\\.part|") +
                                            kBackupName + QStringLiteral("\\.[A-Za-z0-9]{6})$"));
    return pattern;
}

QString kindText(BackupKind kind)
{
    return kind == BackupKind::BeforeWrite ? QStringLiteral("-before-write")
                                           : QStringLiteral("-after-read");
}

// The whole image under a temporary name in the folder, on the disk: the temporary file's path,
// empty when it could not be written. The file is let go of before it is renamed: Windows renames
// no file that is still open, and a QTemporaryFile there keeps its file open, closed or not, until
// it is destroyed.
QString writeWhole(const QDir &folder, const QByteArray &content)
{
    QTemporaryFile file(folder.filePath(kTemporaryTemplate));
    if (!file.open() || file.write(content) != content.size() || !syncToDisk(file))
        return {};
    file.setAutoRemove(false);
    return file.fileName();
}

// Gives the whole file the first free name of its second: a rename never replaces a file, so
// two programs keeping a backup in the same second (the window and the command line) each get
// their own.
QString moveToFreeName(const QString &temporary, const QDir &folder, const QString &base)
{
    for (int n = 1; n < 10000; ++n) {
        const QString path = folder.filePath(
            n == 1 ? base + kSuffix : base + QLatin1Char('-') + QString::number(n) + kSuffix);
        if (QFile::rename(temporary, path))
            return path;
        if (!QFileInfo::exists(path))
            break; // not a name already taken: the folder takes no files
    }
    QFile::remove(temporary);
    return {};
}

void removeLeftovers(const QDir &folder)
{
    const QFileInfoList entries = folder.entryInfoList(QDir::Files | QDir::Hidden);
    for (const QFileInfo &entry : entries) {
        const QString name = entry.fileName();
        if (leftoverName().match(name).hasMatch() ||
            (entry.size() == 0 && backupName().match(name).hasMatch()))
            QFile::remove(entry.filePath());
    }
}

// Oldest first by the files' own age; within one time by the name's time and number, which a
// plain text comparison would get wrong ("-10" before "-2", and "-2" before the first).
void pruneOldest(const QDir &folder, const QString &kept)
{
    struct Backup
    {
        qint64 modified;
        QString stamp;
        int number;
        QString name;
    };
    std::vector<Backup> backups;
    const QFileInfoList entries =
        folder.entryInfoList({QStringLiteral("*") + kSuffix}, QDir::Files);
    for (const QFileInfo &entry : entries) {
        const QRegularExpressionMatch match = backupName().match(entry.fileName());
        if (!match.hasMatch() || entry.fileName() == kept)
            continue;
        const int number = match.captured(2).isEmpty() ? 1 : match.captured(2).toInt();
        backups.push_back({entry.lastModified().toMSecsSinceEpoch(), match.captured(1), number,
                           entry.fileName()});
    }
    // The new one counts among those kept.
    if (backups.size() < static_cast<size_t>(kKeptBackups))
        return;
    std::sort(backups.begin(), backups.end(), [](const Backup &a, const Backup &b) {
        return std::tie(a.modified, a.stamp, a.number) < std::tie(b.modified, b.stamp, b.number);
    });
    const size_t surplus = backups.size() - static_cast<size_t>(kKeptBackups - 1);
    for (size_t i = 0; i < surplus; ++i)
        QFile::remove(folder.filePath(backups[i].name));
}

} // namespace

QString backupsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
           QStringLiteral("/backups");
}

QString backupNotKeptText()
{
    return QCoreApplication::translate("hxv5::Backups", "Backup not kept: %1 takes no file")
        .arg(QDir::toNativeSeparators(backupsFolder()));
}

QString keepBackup(const Document &doc, BackupKind kind, const QDateTime &now)
{
    const QString folderPath = backupsFolder();
    if (!QDir().mkpath(folderPath))
        return {};
    const QDir folder(folderPath);
    QLockFile lock(folder.filePath(kLockName));
    // Without the lock the backup is kept all the same; only the leftovers wait for the next.
    const bool alone = lock.tryLock(kLockWaitMs);
    if (alone)
        removeLeftovers(folder);
    const QString temporary = writeWhole(folder, cloneFileBytes(doc));
    if (temporary.isEmpty())
        return {};
    const QString path = moveToFreeName(
        temporary, folder,
        now.toLocalTime().toString(QStringLiteral("yyyy-MM-ddTHH-mm-ss")) + kindText(kind));
    if (!path.isEmpty())
        pruneOldest(folder, QFileInfo(path).fileName());
    return path;
}

} // namespace hxv5
