#include "files/safe_write.h"

#include "files/file_platform.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <optional>

namespace hxv5 {

namespace {

// More links than the system itself follows: the chain goes round in a circle.
constexpr int kMaxLinks = 40;
constexpr qint64 kCopyChunk = 64 * 1024;

// The path the links in path lead to, a file that need not exist yet; empty for a circle.
QString followLinks(const QString &path)
{
    QFileInfo info(path);
    for (int depth = 0; info.isSymLink(); ++depth) {
        if (depth == kMaxLinks)
            return {};
        info.setFile(info.symLinkTarget());
    }
    return info.absoluteFilePath();
}

// The file a write to path goes to, when it may be written at all. A target that exists and is
// no regular file is never replaced: renaming over a device or a FIFO would destroy it, and
// writing into it would not keep anything.
std::optional<QFileInfo> writeTarget(const QString &path)
{
    if (path.isEmpty())
        return std::nullopt;
    const QString target = followLinks(path);
    const QFileInfo info(target);
    if (target.isEmpty() || (info.exists() && !info.isFile()))
        return std::nullopt;
    return info;
}

bool copyRest(QIODevice &from, QIODevice &to)
{
    QByteArray chunk;
    while (!from.atEnd()) {
        chunk = from.read(kCopyChunk);
        if (chunk.isEmpty() || to.write(chunk) != chunk.size())
            return false;
    }
    return true;
}

// Puts bytes from source into file from its start and cuts it to that length.
bool overwrite(QFile &file, QIODevice &source)
{
    return file.seek(0) && copyRest(source, file) && file.resize(file.pos()) && syncToDisk(file);
}

// The fall-back for a file in a folder that takes no new files. The new content is complete in
// memory and the old one copied to the disk before the first byte of the file changes.
bool writeInPlace(const QString &target, const std::function<bool(QIODevice &)> &writer)
{
    QBuffer content;
    if (!content.open(QIODevice::WriteOnly) || !writer(content))
        return false;
    content.close();

    // Unbuffered: a failed write must leave nothing queued that a later write would send first.
    QFile file(target);
    if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly | QIODevice::Unbuffered))
        return false;
    const QString folder = overwrittenFilesFolder();
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return false;
    QTemporaryFile copy(folder + QLatin1Char('/') + QFileInfo(target).fileName() +
                        QStringLiteral(".XXXXXX"));
    if (!copy.open() || !copyRest(file, copy) || !syncToDisk(copy))
        return false;

    if (content.open(QIODevice::ReadOnly) && overwrite(file, content))
        return true;
    // The old content goes back; when even that fails the copy is what is left of it.
    if (!copy.seek(0) || !overwrite(file, copy))
        copy.setAutoRemove(false);
    return false;
}

} // namespace

QString overwrittenFilesFolder()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    return base.isEmpty() ? QString() : base + QStringLiteral("/overwritten-files");
}

bool writeFileSafely(const QString &path, const std::function<bool(QIODevice &)> &writer)
{
    const std::optional<QFileInfo> target = writeTarget(path);
    if (!target)
        return false;
    QSaveFile file(target->filePath());
    if (!file.open(QIODevice::WriteOnly))
        return target->exists() && writeInPlace(target->filePath(), writer);
    // QSaveFile buffers small writes and does not count a failure of the flush in commit():
    // without this flush a full disk would swap a cut-short file in over the old one.
    if (!writer(file) || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool writeFileSafely(const QString &path, const QByteArray &content)
{
    return writeFileSafely(
        path, [&content](QIODevice &device) { return device.write(content) == content.size(); });
}

bool canWriteFileSafely(const QString &path)
{
    const std::optional<QFileInfo> target = writeTarget(path);
    if (!target)
        return false;
    const QFileInfo folder(target->absolutePath());
    const bool folderTakesFiles = folder.isDir() && folder.isWritable();
    if (!target->exists())
        return folderTakesFiles;
    return target->isWritable() && (folderTakesFiles || target->isReadable());
}

} // namespace hxv5
