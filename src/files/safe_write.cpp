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
    if (!writer(file)) {
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
