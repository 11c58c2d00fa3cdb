#include "app/main_window.h"
#include "document/document.h"
#include "fake_radio.h"
#include "link/transfers.h"
#include "scripted_interaction.h"
#include "test_home.h"
#include "test_window.h"

#include <QAction>
#include <QCoreApplication>
#include <QDialog>
#include <QHash>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace hxv5;
using namespace hxv5::testing;
using namespace std::chrono_literals;

namespace {

// What a running transfer or list operation locks: everything that reads or replaces the tables,
// the settings or the line, and every transfer.
const QStringList kLockedWhileBusy = {
    "mnuEditCopy",     "mnuEditCut",        "mnuEditPaste",
    "mnuEditRedoStep", "mnuEditUndo",       "mnuEditUndoStep",
    "mnuExport",       "mnuFileCompare",    "mnuFileNew",
    "mnuFileOpen",     "mnuFileOpenBackup", "mnuFileRecent",
    "mnuFileSave",     "mnuFileSaveAs",     "mnuImport",
    "mnuReAll",        "mnuReMem",          "mnuReSet",
    "mnuToolsOptions", "mnuToolsVerify",    "mnuToolsWriteChanges",
    "mnuWrAll",        "mnuWrMem",          "mnuWrSet",
    "tbToolBar_New",   "tbToolBar_Open",    "tbToolBar_Save"};

// The same with Edit Selected Channels and Sort Channels, in order.
QStringList lockedWhileBusy()
{
    QStringList names = kLockedWhileBusy + QStringList{"mnuEditSelected", "mnuEditSort"};
    names.sort();
    return names;
}

// With nothing to undo or redo, and the rows' commands only on "Memorys".
QStringList idleDisabled(int tab)
{
    QStringList disabled = {"mnuEditRedoStep", "mnuEditUndoStep"};
    if (tab != 3)
        disabled << "mnuEditCopy"
                 << "mnuEditCut"
                 << "mnuEditPaste"
                 << "mnuEditSelected"
                 << "mnuEditSort";
    if (tab == 2)
        disabled << "mnuEditUndo";
    disabled.sort();
    return disabled;
}

enum class Busy { No, Transfer, ListOperation };

} // namespace

// The window's command table seen from outside: every menu item and toolbar button follows its
// rule, and every toolbar button runs its menu item's command.
class TestMainCommands : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void commandsFollowTheirRules_data();
    void commandsFollowTheirRules();
    void noMenuRepeatsAnAccessKey_data();
    void noMenuRepeatsAnAccessKey();
    void toolbarButtonsRunTheirMenuCommands_data();
    void toolbarButtonsRunTheirMenuCommands();

private:
    // The menu items and toolbar buttons (menus and separators included) that are disabled.
    QStringList disabledCommands() const;

    hxv5::testing::TestHome m_config;
    std::unique_ptr<FakeRadio> m_radio;
    std::unique_ptr<ScriptedInteraction> m_user;
    int m_dialogs = 0;
    std::unique_ptr<MainWindow> m_window;
};

void TestMainCommands::initTestCase()
{
    QVERIFY(m_config.enter());
    QCoreApplication::setApplicationName(QStringLiteral("tst_main_commands"));
}

void TestMainCommands::init()
{
    m_radio = std::make_unique<FakeRadio>();
    m_user = std::make_unique<ScriptedInteraction>();
    m_dialogs = 0;
    m_window = openTestWindow(*m_radio, *m_user, Language::English, [this](QDialog &dialog) {
        ++m_dialogs;
        dialog.reject();
    });
}

void TestMainCommands::cleanup()
{
    m_window.reset();
    m_user.reset();
    m_radio.reset();
}

QStringList TestMainCommands::disabledCommands() const
{
    QStringList disabled;
    const QList<QAction *> actions = m_window->findChildren<QAction *>();
    for (const QAction *action : actions) {
        const QString name = action->objectName();
        if ((name.startsWith(QLatin1String("mnu")) ||
             name.startsWith(QLatin1String("tbToolBar_"))) &&
            !action->isEnabled())
            disabled.append(name);
    }
    disabled.sort();
    return disabled;
}

void TestMainCommands::noMenuRepeatsAnAccessKey_data()
{
    QTest::addColumn<Language>("language");
    QTest::newRow("English") << Language::English;
    QTest::newRow("Japanese") << Language::Japanese;
}

// Alt and a letter must reach one item of the open menu, not cycle through several.
void TestMainCommands::noMenuRepeatsAnAccessKey()
{
    QFETCH(Language, language);
    const auto window = openTestWindow(*m_radio, *m_user, language);
    for (const QMenu *menu : window->findChildren<QMenu *>()) {
        QHash<QChar, QString> taken;
        for (const QAction *item : menu->actions()) {
            const QString text = item->text();
            const qsizetype at = text.indexOf(QLatin1Char('&'));
            if (item->isSeparator() || at < 0 || at + 1 >= text.size())
                continue;
            const QChar key = text.at(at + 1).toUpper();
            QVERIFY2(!taken.contains(key),
                     qPrintable(menu->objectName() + QLatin1String(": ") + taken.value(key) +
                                QLatin1String(" and ") + text));
            taken.insert(key, text);
        }
    }
}

void TestMainCommands::commandsFollowTheirRules_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<Busy>("busy");
    QTest::addColumn<QStringList>("disabled");

    // Only Modify depends on the tab: "Settings 2" has no row to edit.
    QTest::newRow("Settings 1, idle") << 1 << Busy::No << idleDisabled(1);
    QTest::newRow("Settings 2, idle") << 2 << Busy::No << idleDisabled(2);
    QTest::newRow("Memory, idle") << 3 << Busy::No << idleDisabled(3);
    QTest::newRow("Settings 1, transfer") << 1 << Busy::Transfer << lockedWhileBusy();
    QTest::newRow("Settings 2, transfer") << 2 << Busy::Transfer << lockedWhileBusy();
    QTest::newRow("Memory, list operation") << 3 << Busy::ListOperation << lockedWhileBusy();
}

void TestMainCommands::commandsFollowTheirRules()
{
    QFETCH(int, tab);
    QFETCH(Busy, busy);
    QFETCH(QStringList, disabled);

    m_window->selectTab(tab);
    if (busy == Busy::Transfer) {
        m_window->cmbTxData1_Click();
        QVERIFY(m_window->transfers().isRunning());
    } else if (busy == Busy::ListOperation) {
        m_window->document().setBusy(true);
    }
    QCOMPARE(disabledCommands(), disabled);

    // When it ends, the lock goes; what the tab decides stays.
    if (busy == Busy::Transfer)
        QTRY_VERIFY(!m_window->transfers().isRunning());
    else if (busy == Busy::ListOperation)
        m_window->document().setBusy(false);
    QCOMPARE(disabledCommands(), idleDisabled(tab));
    QVERIFY(m_user->errors.isEmpty());
}

void TestMainCommands::toolbarButtonsRunTheirMenuCommands_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("questions"); // the save-changes prompt, answered No
    QTest::addColumn<int>("choosers");  // file choosers, cancelled
    QTest::addColumn<bool>("changedAfter");
    QTest::addColumn<int>("dialogs");

    for (const char *command : {"mnuFileNew", "tbToolBar_New"})
        QTest::newRow(command) << command << 1 << 0 << false << 0;
    for (const char *command : {"mnuFileOpen", "tbToolBar_Open", "mnuFileOpenBackup"})
        QTest::newRow(command) << command << 1 << 1 << true << 0;
    // No current file yet: Save asks for one.
    for (const char *command : {"mnuFileSave", "tbToolBar_Save"})
        QTest::newRow(command) << command << 0 << 1 << true << 0;
    for (const char *command :
         {"mnuFilePrint", "tbToolBar_Print", "mnuHelpAbout", "tbToolBar_Help"})
        QTest::newRow(command) << command << 0 << 0 << true << 1;
    QTest::newRow("a button of another key") << "" << 0 << 0 << true << 0;
}

void TestMainCommands::toolbarButtonsRunTheirMenuCommands()
{
    QFETCH(QString, command);
    QFETCH(int, questions);
    QFETCH(int, choosers);
    QFETCH(bool, changedAfter);
    QFETCH(int, dialogs);

    m_window->document().setChanged(true);
    m_user->saveAnswer = UserInteraction::Answer::No;
    if (command.isEmpty()) {
        QAction stranger;
        stranger.setData(QStringLiteral("閉じる"));
        m_window->tbToolBar_ButtonClick(&stranger);
    } else {
        auto *item = m_window->findChild<QAction *>(command);
        QVERIFY(item);
        item->trigger();
    }
    QCOMPARE(m_user->saveQuestions, questions);
    const qsizetype choosersShown =
        m_user->asked.size() - m_user->asked.count(QStringLiteral("prompt"));
    QCOMPARE(choosersShown, qsizetype(choosers));
    QCOMPARE(m_window->document().isChanged(), changedAfter);
    QCOMPARE(m_dialogs, dialogs);
}

QTEST_MAIN(TestMainCommands)
#include "tst_main_commands.moc"
