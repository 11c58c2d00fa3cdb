#pragma once

#include "files/clone_file.h"

#include <QByteArray>
#include <QString>

class QFile;

namespace hxv5 {

// The most a clone file or a CSV file is read: the program's own files are far below 1 MB, and
// a file or device that is larger (or never ends, like /dev/zero) is refused rather than held
// in memory.
inline constexpr qint64 kMaxInputFileBytes = 64 * 1024 * 1024;

// Opens path for reading; FileOpenError when it cannot be opened or is a file larger than
// kMaxInputFileBytes. A device or pipe reports no size and is bounded while it is read.
FileError openInputFile(const QString &path, QFile &file);

// The whole content of path, read piece by piece and given up as soon as it passes
// kMaxInputFileBytes; FileOpenError on any fault.
FileError readInputFile(const QString &path, QByteArray &bytes);

} // namespace hxv5
