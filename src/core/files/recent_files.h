#pragma once

#include <QString>
#include <QStringList>

namespace hxv5 {

// The clone files last opened or saved, newest first, at most kMaxRecentFiles, each once. Paths
// are kept absolute and clean, so that one file reached by two spellings ("a/../b.TV5") is one
// entry. The list is the user's, kept in the per-user settings store under
// "RecentFiles/Files".
class RecentFiles
{
public:
    static constexpr int kMaxRecentFiles = 8;

    RecentFiles() = default;
    explicit RecentFiles(const QStringList &files);

    const QStringList &files() const { return m_files; }

    // Puts path first, removing it from further down and the oldest past the limit.
    void add(const QString &path);
    void remove(const QString &path);
    void clear() { m_files.clear(); }
    // Drops every entry whose file no longer exists; the dropped ones, in list order.
    QStringList prune();

    // The list in the per-user settings store, read and written through QSettings.
    static RecentFiles load();
    void store() const;

private:
    QStringList m_files;
};

} // namespace hxv5
