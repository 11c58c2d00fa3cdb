#include "files/bounded_input.h"

#include <QFile>

namespace hxv5 {

FileError openInputFile(const QString &path, QFile &file)
{
    file.setFileName(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
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
