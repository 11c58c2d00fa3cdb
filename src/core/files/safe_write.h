#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QIODevice;

namespace hxv5 {

// Writes a user's file so that it is either replaced whole or not touched at all: the content
// goes to a new file beside it, which is swapped in only when every byte has been written. A
// failure (no right to write the file, a folder in the way, a full disk, a write cut short)
// leaves the old file as it was. Returns false on any failure.
//
// A symbolic link is followed: the file it leads to is written and the link stays a link. A
// path that leads to something other than a regular file (a device, a FIFO, a socket, a folder)
// is refused and left alone.
//
// Where no new file can be made beside an existing one (a folder the user may not add files to,
// holding a file the user may write), the old file is first copied into the per-user data folder
// and then overwritten in place. A write that fails then puts the old content back; should even
// that fail, the copy stays in the data folder.
bool writeFileSafely(const QString &path, const QByteArray &content);

// The same with the content produced by writer, which returns false when it could not write all
// of it; the old file then stays as it was.
bool writeFileSafely(const QString &path, const std::function<bool(QIODevice &)> &writer);

// Whether writeFileSafely(path, ...) may succeed as things stand: path leads to a regular file
// that can be replaced or overwritten, or to no file yet in a folder that exists and takes new
// files. Lets a long job refuse an output it could never write before it starts.
bool canWriteFileSafely(const QString &path);

// Where the copies of files overwritten in place are kept.
QString overwrittenFilesFolder();

} // namespace hxv5
