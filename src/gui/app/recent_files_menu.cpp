#include "app/recent_files_menu.h"

#include "document/document.h"
#include "files/file_commands.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

namespace hxv5 {

RecentFilesMenu::RecentFilesMenu(QMenu &menu, FileCommands &files, Document &doc, QObject *parent)
    : QObject(parent), m_menu(menu), m_files(files), m_list(RecentFiles::load())
{
    // Shown only above entries; unnamed, as it is none of the menu's commands.
    m_separator = m_menu.addSeparator();
    // The caption is the string identifier, which LocalizeForm replaces like the others.
    m_clear = m_menu.addAction(QStringLiteral("1222"));
    m_clear->setObjectName(QStringLiteral("mnuFileRecentClear"));
    connect(m_clear, &QAction::triggered, this, &RecentFilesMenu::clearList);

    connect(&files, &FileCommands::cloneFileUsed, this, [this](const QString &path) {
        m_list = RecentFiles::load(); // another window of the user's may have added to it
        m_list.add(path);
        m_list.store();
        rebuild();
    });
    // Reading another file under a running transfer would pull the tables away from it.
    connect(&doc, &Document::busyChanged, this,
            [this](bool busy) { m_menu.menuAction()->setEnabled(!busy); });
    connect(&m_menu, &QMenu::aboutToShow, this, [this] {
        m_list = RecentFiles::load();
        rebuild();
    });
    rebuild();
}

QStringList RecentFilesMenu::shownFiles() const
{
    QStringList files;
    for (const QAction *entry : m_entries)
        files.append(entry->data().toString());
    return files;
}

void RecentFilesMenu::chooseEntry(int index)
{
    if (index >= 0 && index < m_entries.size())
        m_entries.at(index)->trigger();
}

void RecentFilesMenu::clearList()
{
    m_list.clear();
    m_list.store();
    rebuild();
}

void RecentFilesMenu::rebuild()
{
    qDeleteAll(m_entries);
    m_entries.clear();
    const QStringList &files = m_list.files();
    for (int i = 0; i < files.size(); ++i) {
        const QString &path = files.at(i);
        auto *entry = new QAction(QLatin1Char('&') + QString::number(i + 1) + QLatin1Char(' ') +
                                      QFileInfo(path).fileName(),
                                  &m_menu);
        entry->setObjectName(QStringLiteral("mnuFileRecent_%1").arg(i));
        entry->setData(path);
        entry->setToolTip(path);
        connect(entry, &QAction::triggered, this, [this, path] { openRecent(path); });
        m_menu.insertAction(m_separator, entry);
        m_entries.append(entry);
    }
    m_separator->setVisible(!files.isEmpty());
}

void RecentFilesMenu::openRecent(const QString &path)
{
    if (m_files.OpenFile(path) || QFileInfo(path).isFile())
        return;
    // OpenFile has said "File Open Error"; the entry would only say it again.
    m_list = RecentFiles::load();
    m_list.remove(path);
    m_list.store();
    rebuild();
}

} // namespace hxv5
