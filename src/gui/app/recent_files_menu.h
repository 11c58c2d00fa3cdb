#pragma once

#include "files/recent_files.h"

#include <QList>
#include <QObject>

class QAction;
class QMenu;

namespace hxv5 {

class Document;
class FileCommands;

// File > "Recent Files": the clone files last opened or saved, newest first, numbered, each
// with its full path as tool tip, then "Clear Recent Files". Choosing one opens it through
// FileCommands::OpenFile; one that is gone is "File Open Error" and leaves the list. The submenu
// is locked while a transfer runs, like Open.
class RecentFilesMenu : public QObject
{
    Q_OBJECT
public:
    RecentFilesMenu(QMenu &menu, FileCommands &files, Document &doc, QObject *parent = nullptr);

    // The paths the menu offers, in its order.
    QStringList shownFiles() const;
    // Runs the entry at index (0 = newest), as a click on it does.
    void chooseEntry(int index);
    void clearList();

private:
    void rebuild();
    void openRecent(const QString &path);

    QMenu &m_menu;
    FileCommands &m_files;
    RecentFiles m_list;
    QAction *m_separator = nullptr;
    QAction *m_clear = nullptr;
    QList<QAction *> m_entries;
};

} // namespace hxv5
