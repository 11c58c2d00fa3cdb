#pragma once

#include "files/clone_file.h"

#include <QByteArray>
#include <QString>

class QFile;

namespace hxv5 {

// The most a clone file or a CSV file is read: the program's own files are far below 1 MB, and
// a file that is larger is refused rather than held in memory.
inline constexpr qint64 kMaxInputFileBytes = 64 * 1024 * 1024;

// Opens path for reading; FileOpenError when it cannot be opened, leads to anything but a regular
// file (a FIFO, a device, a folder) or is larger than kMaxInputFileBytes.
FileError openInputFile(const QString &path, QFile &file);

// The whole content of path, read piece by piece and given up as soon as it passes
// kMaxInputFileBytes; FileOpenError on any fault.
FileError readInputFile(const QString &path, QByteArray &bytes);

} // namespace hxv5
