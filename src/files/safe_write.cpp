#include "files/safe_write.h"

#include <QSaveFile>

namespace hxv5 {

bool writeFileSafely(const QString &path, const std::function<bool(QIODevice &)> &writer)
{
    if (path.isEmpty())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
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

} // namespace hxv5
