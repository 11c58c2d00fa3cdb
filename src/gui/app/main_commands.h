#pragma once

#include <QList>

class QAction;
class QToolBar;

namespace hxv5 {

class MainWindow;
struct CommandItem;

// When a command is available. A running transfer (or list operation) holds the tables, the
// settings and the line until it ends, so whatever reads or replaces them waits.
enum class CommandRule {
    Always,   // the view, printing, help, leaving the program
    Document, // the files, CSV import and export, the port: off while a transfer runs
    Transfer, // starts a transfer: off while one runs, as only one runs at a time
    Modify, // edits the selected row: off while a transfer runs and on "Settings 2", which has none
    Rows,   // cuts, copies or pastes channel rows: only on "Memorys", and off while a transfer runs
};

// The window's commands: the menu tree and the toolbar "tbToolBar", both built from one table
// whose rows give each command its objectName, caption identifier, handler and rule. A toolbar
// button is its menu item's command, with the same handler and the same rule.
class MainCommands
{
public:
    explicit MainCommands(MainWindow &window);
    ~MainCommands();

    QToolBar *toolBar() const { return m_toolBar; }
    // The menu item of that objectName; null when there is none.
    QAction *menuItem(const char *name) const;

    // Enables each command by its rule: running says whether a transfer or a list operation runs,
    // tab is the selected tab (1..3).
    void updateStates(bool running, int tab);
    static bool isAvailable(CommandRule rule, bool running, int tab);

    // Runs the command of the toolbar button by the button's key; a button whose key is none of
    // the table's does nothing.
    void runToolButton(const QAction &button);

private:
    struct Shown
    {
        const CommandItem *item;
        QAction *action;
    };

    MainWindow &m_window;
    QToolBar *m_toolBar = nullptr;
    // Every menu item and then every toolbar button, with the row it was built from.
    QList<Shown> m_shown;
};

} // namespace hxv5
