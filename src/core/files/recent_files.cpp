#include "files/recent_files.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace hxv5 {

namespace {

const QLatin1String kKey("RecentFiles/Files");

QString normalised(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

RecentFiles::RecentFiles(const QStringList &files)
{
    // Oldest first, so that each one added goes in front of those before it.
    for (auto it = files.crbegin(); it != files.crend(); ++it) {
        if (!it->isEmpty())
            add(*it);
    }
}

void RecentFiles::add(const QString &path)
{
    if (path.isEmpty())
        return;
    const QString entry = normalised(path);
    m_files.removeAll(entry);
    m_files.prepend(entry);
    while (m_files.size() > kMaxRecentFiles)
        m_files.removeLast();
}

void RecentFiles::remove(const QString &path)
{
    m_files.removeAll(normalised(path));
}

QStringList RecentFiles::prune()
{
    QStringList gone;
    for (const QString &file : std::as_const(m_files)) {
        if (!QFileInfo(file).isFile())
            gone.append(file);
    }
    for (const QString &file : std::as_const(gone))
        m_files.removeAll(file);
    return gone;
}

RecentFiles RecentFiles::load()
{
    return RecentFiles(QSettings().value(kKey).toStringList());
}

void RecentFiles::store() const
{
    QSettings store;
    if (m_files.isEmpty())
        store.remove(kKey);
    else
        store.setValue(kKey, m_files);
}

} // namespace hxv5
