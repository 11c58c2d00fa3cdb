#include "app/main_commands.h"

#include "app/app_pictures.h"
#include "app/main_panels.h"
#include "app/main_window.h"

#include <QAction>
#include <QHash>
#include <QMenu>
#include <QMenuBar>
#include <QStringView>
#include <QStyle>
#include <QToolBar>

namespace hxv5 {

// A row of the command table.
struct CommandItem
{
    enum class Kind { Menu, Item, Separator };
    using Handler = void (MainWindow::*)();
    using Picture = QIcon (*)(const QWidget &window);
    // Whether the command has something to act on (Undo: a step to take back).
    using Ready = bool (MainWindow::*)() const;

    // A toolbar button: told apart by its key; its tool tip is a string identifier that
    // LocalizeForm replaces, like a menu caption.
    struct ToolButton
    {
        const char *name = nullptr;
        QStringView key;
        int toolTipId = 0;
        Picture picture = nullptr;
    };

    Kind kind;
    // The menu it sits in, by objectName; none for the menus of the menu bar.
    const char *in;
    const char *name;
    // The design-time caption is the string identifier; LocalizeForm puts the text in its place.
    int captionId = 0;
    Handler handler = nullptr;
    CommandRule rule = CommandRule::Always;
    QKeyCombination shortcut{};
    // The desktop's usual keys for the command, with shortcut and more added to them.
    QKeySequence::StandardKey standardKey = QKeySequence::UnknownKey;
    QKeyCombination moreShortcut{};
    Ready ready = nullptr;
    // Checkable, and whether checked at start.
    bool checkable = false;
    bool checked = false;
    ToolButton button{};

    constexpr CommandItem withShortcut(QKeyCombination keys) const
    {
        CommandItem copy = *this;
        copy.shortcut = keys;
        return copy;
    }
    constexpr CommandItem withStandardKey(QKeySequence::StandardKey key, QKeyCombination keys = {},
                                          QKeyCombination more = {}) const
    {
        CommandItem copy = *this;
        copy.standardKey = key;
        copy.shortcut = keys;
        copy.moreShortcut = more;
        return copy;
    }
    constexpr CommandItem readyWhen(Ready test) const
    {
        CommandItem copy = *this;
        copy.ready = test;
        return copy;
    }
    constexpr CommandItem checkedAtStart() const
    {
        CommandItem copy = *this;
        copy.checkable = true;
        copy.checked = true;
        return copy;
    }
    // Checkable and clear at start; the window puts the stored choice in.
    constexpr CommandItem toggle() const
    {
        CommandItem copy = *this;
        copy.checkable = true;
        return copy;
    }
    constexpr CommandItem onToolBar(const char *buttonName, QStringView key, int toolTipId,
                                    Picture picture) const
    {
        CommandItem copy = *this;
        copy.button = {buttonName, key, toolTipId, picture};
        return copy;
    }
};

namespace {

using Rule = CommandRule;
using Handler = CommandItem::Handler;

constexpr CommandItem menu(const char *name, int captionId)
{
    return {CommandItem::Kind::Menu, nullptr, name, captionId};
}

constexpr CommandItem submenu(const char *in, const char *name, int captionId)
{
    return {CommandItem::Kind::Menu, in, name, captionId};
}

constexpr CommandItem item(const char *in, const char *name, int captionId, Handler handler,
                           Rule rule)
{
    return {CommandItem::Kind::Item, in, name, captionId, handler, rule};
}

constexpr CommandItem separator(const char *in, const char *name)
{
    return {CommandItem::Kind::Separator, in, name};
}

QList<QKeySequence> shortcutsOf(const CommandItem &row)
{
    QList<QKeySequence> keys;
    if (row.standardKey != QKeySequence::UnknownKey)
        keys = QKeySequence::keyBindings(row.standardKey);
    for (const QKeyCombination combination : {row.shortcut, row.moreShortcut}) {
        const QKeySequence sequence(combination);
        if (combination.key() != Qt::Key_unknown && !keys.contains(sequence))
            keys.append(sequence);
    }
    return keys;
}

QIcon newPicture(const QWidget &window)
{
    return window.style()->standardIcon(QStyle::SP_FileIcon);
}

QIcon openPicture(const QWidget &window)
{
    return window.style()->standardIcon(QStyle::SP_DialogOpenButton);
}

QIcon savePicture(const QWidget &window)
{
    return window.style()->standardIcon(QStyle::SP_DialogSaveButton);
}

QIcon printPicture(const QWidget &)
{
    return printerIcon();
}

QIcon helpPicture(const QWidget &)
{
    return helpIcon();
}

// The menu tree in its order; the toolbar buttons in the order of their rows.
constexpr CommandItem kCommands[] = {
    menu("mnuFile", 1000),
    item("mnuFile", "mnuFileNew", 1001, &MainWindow::mnuFileNew_Click, Rule::Document)
        .withShortcut(Qt::CTRL | Qt::Key_N)
        .onToolBar("tbToolBar_New", u"新規作成", 1017, newPicture),
    item("mnuFile", "mnuFileOpen", 1002, &MainWindow::mnuFileOpen_Click, Rule::Document)
        .withStandardKey(QKeySequence::Open, Qt::CTRL | Qt::Key_O)
        .onToolBar("tbToolBar_Open", u"開く", 1018, openPicture),
    item("mnuFile", "mnuFileOpenBackup", 1220, &MainWindow::mnuFileOpenBackup_Click,
         Rule::Document),
    // Filled by RecentFilesMenu, which also locks it while a transfer runs.
    submenu("mnuFile", "mnuFileRecent", 1221),
    item("mnuFile", "mnuFileSave", 1003, &MainWindow::mnuFileSave_Click, Rule::Document)
        .withStandardKey(QKeySequence::Save, Qt::CTRL | Qt::Key_S)
        .onToolBar("tbToolBar_Save", u"上書き保存", 1019, savePicture),
    item("mnuFile", "mnuFileSaveAs", 1004, &MainWindow::mnuFileSaveAs_Click, Rule::Document)
        .withStandardKey(QKeySequence::SaveAs, Qt::CTRL | Qt::SHIFT | Qt::Key_S),
    separator("mnuFile", "mnuFileBar0"),
    item("mnuFile", "mnuImport", 1201, &MainWindow::mnuImport_Click, Rule::Document),
    item("mnuFile", "mnuExport", 1202, &MainWindow::mnuExport_Click, Rule::Document),
    item("mnuFile", "mnuFileCompare", 1210, &MainWindow::mnuFileCompare_Click, Rule::Document),
    separator("mnuFile", "mnuFileBar1"),
    item("mnuFile", "mnuFilePageSetup", 1005, &MainWindow::mnuFilePageSetup_Click, Rule::Always),
    item("mnuFile", "mnuFilePrint", 1006, &MainWindow::mnuFilePrint_Click, Rule::Always)
        .withStandardKey(QKeySequence::Print, Qt::CTRL | Qt::Key_P)
        .onToolBar("tbToolBar_Print", u"印刷", 1020, printPicture),
    separator("mnuFile", "mnuFileBar2"),
    item("mnuFile", "mnuFileExit", 1007, &MainWindow::mnuFileExit_Click, Rule::Always),

    menu("mnuEdit", 1008),
    item("mnuEdit", "mnuEditUndo", 1009, &MainWindow::mnuEditUndo_Click, Rule::Modify),
    separator("mnuEdit", "mnuEditBar0"),
    item("mnuEdit", "mnuEditUndoStep", 1240, &MainWindow::mnuEditUndoStep_Click, Rule::Document)
        .withStandardKey(QKeySequence::Undo, Qt::CTRL | Qt::Key_Z)
        .readyWhen(&MainWindow::canUndo),
    item("mnuEdit", "mnuEditRedoStep", 1241, &MainWindow::mnuEditRedoStep_Click, Rule::Document)
        .withStandardKey(QKeySequence::Redo, Qt::CTRL | Qt::SHIFT | Qt::Key_Z, Qt::CTRL | Qt::Key_Y)
        .readyWhen(&MainWindow::canRedo),
    separator("mnuEdit", "mnuEditBar1"),
    item("mnuEdit", "mnuEditCut", 1242, &MainWindow::mnuEditCut_Click, Rule::Rows)
        .withStandardKey(QKeySequence::Cut, Qt::CTRL | Qt::Key_X),
    item("mnuEdit", "mnuEditCopy", 1243, &MainWindow::mnuEditCopy_Click, Rule::Rows)
        .withStandardKey(QKeySequence::Copy, Qt::CTRL | Qt::Key_C),
    item("mnuEdit", "mnuEditPaste", 1244, &MainWindow::mnuEditPaste_Click, Rule::Rows)
        .withStandardKey(QKeySequence::Paste, Qt::CTRL | Qt::Key_V),
    separator("mnuEdit", "mnuEditBar2"),
    item("mnuEdit", "mnuEditSelected", 1260, &MainWindow::mnuEditSelected_Click, Rule::Rows),
    item("mnuEdit", "mnuEditSort", 1261, &MainWindow::mnuEditSort_Click, Rule::Rows),

    menu("mnuView", 1010),
    item("mnuView", "mnuViewToolbar", 1011, &MainWindow::mnuViewToolbar_Click, Rule::Always)
        .checkedAtStart(),
    item("mnuView", "mnuStatusBar", 1100, &MainWindow::mnuStatusBar_Click, Rule::Always)
        .checkedAtStart(),
    // What the channel grid shows; each brings the "Memory" tab forward.
    separator("mnuView", "mnuViewBar0"),
    item("mnuView", "mnuViewFind", 1270, &MainWindow::mnuViewFind_Click, Rule::Always)
        .withStandardKey(QKeySequence::Find, Qt::CTRL | Qt::Key_F),
    item("mnuView", "mnuViewGoTo", 1271, &MainWindow::mnuViewGoTo_Click, Rule::Always)
        .withShortcut(Qt::CTRL | Qt::Key_G),
    item("mnuView", "mnuViewHideEmpty", 1272, &MainWindow::mnuViewHideEmpty_Click, Rule::Always)
        .toggle(),
    separator("mnuView", "mnuViewBar1"),
    // The language the program starts in next; the window ticks the one chosen.
    submenu("mnuView", "mnuViewLanguage", 1250),
    item("mnuViewLanguage", "mnuViewLanguageEnglish", 1251,
         &MainWindow::mnuViewLanguageEnglish_Click, Rule::Always)
        .toggle(),
    item("mnuViewLanguage", "mnuViewLanguageJapanese", 1252,
         &MainWindow::mnuViewLanguageJapanese_Click, Rule::Always)
        .toggle(),

    menu("mnuTools", 1012),
    submenu("mnuTools", "mnuRe", 1203),
    item("mnuRe", "mnuReSet", 1205, &MainWindow::mnuReSet_Click, Rule::Transfer),
    item("mnuRe", "mnuReMem", 1206, &MainWindow::mnuReMem_Click, Rule::Transfer),
    item("mnuRe", "mnuReAll", 1207, &MainWindow::mnuReAll_Click, Rule::Transfer),
    submenu("mnuTools", "mnuWr", 1204),
    item("mnuWr", "mnuWrSet", 1205, &MainWindow::mnuWrSet_Click, Rule::Transfer),
    item("mnuWr", "mnuWrMem", 1206, &MainWindow::mnuWrMem_Click, Rule::Transfer),
    item("mnuWr", "mnuWrAll", 1207, &MainWindow::mnuWrAll_Click, Rule::Transfer),
    // How the writes go: not changed under a write that runs, which goes as it started.
    separator("mnuTools", "mnuToolsBar0"),
    item("mnuTools", "mnuToolsWriteChanges", 1231, &MainWindow::mnuToolsWriteChanges_Click,
         Rule::Document)
        .toggle(),
    item("mnuTools", "mnuToolsVerify", 1232, &MainWindow::mnuToolsVerify_Click, Rule::Document)
        .toggle(),
    separator("mnuTools", "mnuToolsBar1"),
    // Renumbering the port under a running transfer would cut it off mid-way.
    item("mnuTools", "mnuToolsOptions", 1013, &MainWindow::mnuToolsOptions_Click, Rule::Document),

    menu("mnuHelp", 1014),
    // The toolbar's Help button shows the About box, not a help text.
    item("mnuHelp", "mnuHelpAbout", 1016, &MainWindow::mnuHelpAbout_Click, Rule::Always)
        .onToolBar("tbToolBar_Help", u"ﾍﾙﾌﾟ", 1021, helpPicture),
    // The user guide, beside the About box.
    item("mnuHelp", "mnuHelpGuide", 1246, &MainWindow::mnuHelpGuide_Click, Rule::Always)
        .withStandardKey(QKeySequence::HelpContents, QKeyCombination(Qt::Key_F1)),
};

} // namespace

MainCommands::MainCommands(MainWindow &window) : m_window(window)
{
    QMenuBar *bar = window.menuBar();
    QHash<QByteArray, QMenu *> menus;
    for (const CommandItem &row : kCommands) {
        const QString name = QLatin1String(row.name);
        const QString caption = QString::number(row.captionId);
        QMenu *owner = row.in ? menus.value(row.in) : nullptr;
        switch (row.kind) {
        case CommandItem::Kind::Menu: {
            QMenu *menu = owner ? owner->addMenu(caption) : bar->addMenu(caption);
            menu->setObjectName(name);
            menu->menuAction()->setObjectName(name);
            menus.insert(row.name, menu);
            break;
        }
        case CommandItem::Kind::Separator:
            owner->addSeparator()->setObjectName(name);
            break;
        case CommandItem::Kind::Item: {
            QAction *action = owner->addAction(caption);
            action->setObjectName(name);
            QObject::connect(action, &QAction::triggered, &window, row.handler);
            action->setShortcuts(shortcutsOf(row));
            if (row.checkable) {
                action->setCheckable(true);
                action->setChecked(row.checked);
            }
            m_shown.append({&row, action});
            break;
        }
        }
    }

    m_toolBar = new QToolBar(&window);
    m_toolBar->setObjectName(QStringLiteral("tbToolBar"));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setIconSize(QSize(16, 16));
    window.addToolBar(Qt::TopToolBarArea, m_toolBar);
    for (const CommandItem &row : kCommands) {
        const CommandItem::ToolButton &b = row.button;
        if (!b.name)
            continue;
        const QString key = b.key.toString();
        QAction *button = m_toolBar->addAction(b.picture(window), key);
        button->setObjectName(QLatin1String(b.name));
        button->setData(key);
        button->setToolTip(QString::number(b.toolTipId));
        m_shown.append({&row, button});
    }
    QObject::connect(m_toolBar, &QToolBar::actionTriggered, &window,
                     &MainWindow::tbToolBar_ButtonClick);
}

MainCommands::~MainCommands() = default;

QAction *MainCommands::menuItem(const char *name) const
{
    for (const Shown &shown : m_shown) {
        if (qstrcmp(shown.item->name, name) == 0)
            return shown.action;
    }
    return nullptr;
}

bool MainCommands::isAvailable(CommandRule rule, bool running, int tab)
{
    switch (rule) {
    case CommandRule::Always:
        return true;
    case CommandRule::Document:
    case CommandRule::Transfer:
        return !running;
    case CommandRule::Modify:
        return !running && tab != kTabSettings2;
    case CommandRule::Rows:
        return !running && tab == kTabMemory;
    }
    return true;
}

void MainCommands::updateStates(bool running, int tab)
{
    for (const Shown &shown : std::as_const(m_shown)) {
        // What is always available is never touched, whatever else set it.
        const CommandItem &row = *shown.item;
        if (row.rule != CommandRule::Always)
            shown.action->setEnabled(isAvailable(row.rule, running, tab) &&
                                     (!row.ready || (m_window.*row.ready)()));
    }
}

void MainCommands::runToolButton(const QAction &button)
{
    const QString key = button.data().toString();
    for (const CommandItem &row : kCommands) {
        if (row.button.name && row.button.key == key) {
            (m_window.*row.handler)();
            return;
        }
    }
}

} // namespace hxv5
