#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QIODevice;

namespace hxv5 {

// Writes a user's file so that it is either replaced whole or not touched at all: the content
// goes to a new file beside it, which is swapped in only when every byte has been written. A
// failure (no right to create a file in the folder, a folder in the way, a full disk, a write
// cut short) leaves the old file as it was. Returns false on any failure.
bool writeFileSafely(const QString &path, const QByteArray &content);

// The same with the content produced by writer, which returns false when it could not write all
// of it; the old file then stays as it was.
bool writeFileSafely(const QString &path, const std::function<bool(QIODevice &)> &writer);

} // namespace hxv5
