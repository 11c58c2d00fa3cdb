#include "files/bounded_input.h"

#include <QFile>
#include <QFileInfo>

namespace hxv5 {

FileError openInputFile(const QString &path, QFile &file)
{
    file.setFileName(path);
    // Only a regular file is read: opening a FIFO waits for a writer that may never come, and a
    // device may never end.
    if (path.isEmpty() || !QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return FileError::FileOpenError;
    if (!file.isSequential() && file.size() > kMaxInputFileBytes) {
        file.close();
        return FileError::FileOpenError;
    }
    return FileError::None;
}

FileError readInputFile(const QString &path, QByteArray &bytes)
{
    QFile file;
    if (openInputFile(path, file) != FileError::None)
        return FileError::FileOpenError;
    QByteArray content;
    constexpr qint64 kPiece = 64 * 1024;
    for (;;) {
        const qsizetype at = content.size();
        content.resize(at + kPiece);
        const qint64 got = file.read(content.data() + at, kPiece);
        content.resize(at + qMax<qint64>(got, 0));
        if (got < 0 || content.size() > kMaxInputFileBytes)
            return FileError::FileOpenError;
        if (got == 0)
            break;
    }
    if (file.error() != QFileDevice::NoError)
        return FileError::FileOpenError;
    bytes = content;
    return FileError::None;
}

} // namespace hxv5
