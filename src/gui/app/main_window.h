#pragma once

#include "base/string_table.h"
#include "session/session.h"

#include <QMainWindow>
#include <QPointer>

#include <chrono>
#include <functional>
#include <memory>

class QAction;
class QDialog;
class QMenu;

namespace hxv5 {

class AboutBox;
class Document;
class EditDialog;
class FileWiring;
class HelpWindow;
class MainCommands;
class MainPanels;
class MainStatusBar;
class PortDialog;
class PrintController;
class TestPanelDock;
class TransferWiring;
class UserInteraction;

// What the window is built with; the defaults are those of the desktop program. Tests replace the
// language, the start-up pause, the serial line, the user's answers and the modal loop.
struct MainWindowOptions
{
    // The string table the captions come from.
    Language language = languageForLocale(QLocale::system());
    // How long Form_Load holds start-up while the splash window stays up.
    std::chrono::milliseconds startupPause{2000};
    // The line to the radio; the real serial port when null. Not owned.
    SerialPort *port = nullptr;
    // Message boxes and file choosers when null. Not owned.
    UserInteraction *interaction = nullptr;
    // Shows a modal dialog (About box, port dialog) and returns when it is closed; exec() when
    // empty.
    std::function<void(QDialog &)> execDialog;
};

// The program's window ("frmMain"): the tab strip over the panels "Settings 1", "Settings2" and
// "Memorys" (and the untabbed "Program Scan"), the menus, the toolbar and the status bar. It owns
// a session (the document, the line to the radio with its transfers, the file commands and their
// rules) and forwards the user's commands to it; while a transfer runs, every command that would
// change the tables or the settings is unavailable.
//
// The window is put together from parts: MainPanels (the tab strip and its panels), MainCommands
// (the menus and the toolbar, from one table of commands and their rules), MainStatusBar,
// TestPanelDock, TransferWiring and FileWiring. The handlers keep their names here and forward to
// the part that does the work.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(MainWindowOptions options = {}, QWidget *parent = nullptr);
    ~MainWindow() override;

    Session &session() { return *m_session; }
    Document &document() { return m_session->document(); }
    SerialPort &serialPort() { return m_session->serialPort(); }
    Transfers &transfers() { return m_session->transfers(); }
    FileCommands &fileCommands() { return m_session->fileCommands(); }

    // Runs once, before the window is first shown: localises the window, sets its size, takes
    // the port number from the port file, decodes the default settings, draws the grids, holds
    // start-up for the start-up pause (the event loop keeps turning), sets the caption and the
    // first tab, and clears the changed flag.
    void Form_Load();

    // Brings tab 1..3 to the front, as a click on it does.
    void selectTab(int tab);
    int selectedTab() const;

    // The windows the main window loaded besides itself (About box, port dialog), most recent
    // last; Form_Unload unloads them from the end.
    QWidget *aboutBox() const;
    QWidget *portDialog() const;

    // Loads the edit dialog hidden, so that it exists before its first use.
    void loadEditDialog();

    // Whether Undo and Redo have a step to act on.
    bool canUndo() const;
    bool canRedo() const;
    // The Help window with the user guide once F1 has shown it; null before.
    QWidget *helpWindow() const;

public Q_SLOTS:
    void TabStrip1_Click();

    void mnuFileNew_Click();
    void mnuFileOpen_Click();
    void mnuFileOpenBackup_Click();
    void mnuFileSave_Click();
    void mnuFileSaveAs_Click();
    void mnuImport_Click();
    void mnuExport_Click();
    void mnuFileCompare_Click();
    void mnuFilePageSetup_Click();
    void mnuFilePrint_Click();
    void mnuFileExit_Click();
    void mnuEditUndo_Click();
    void mnuEditUndoStep_Click();
    void mnuEditRedoStep_Click();
    void mnuEditCut_Click();
    void mnuEditCopy_Click();
    void mnuEditPaste_Click();
    // Edit Selected Channels and Sort Channels, on the channel grid's selected rows.
    void mnuEditSelected_Click();
    void mnuEditSort_Click();
    void mnuHelpGuide_Click();
    void mnuViewToolbar_Click();
    void mnuStatusBar_Click();
    void mnuViewLanguageEnglish_Click();
    void mnuViewLanguageJapanese_Click();
    void mnuViewFind_Click();
    void mnuViewGoTo_Click();
    void mnuViewHideEmpty_Click();
    void mnuReSet_Click();
    void mnuReMem_Click();
    void mnuReAll_Click();
    void mnuWrSet_Click();
    void mnuWrMem_Click();
    void mnuWrAll_Click();
    void mnuToolsWriteChanges_Click();
    void mnuToolsVerify_Click();
    void mnuToolsOptions_Click();
    void mnuHelpAbout_Click();
    void tbToolBar_ButtonClick(QAction *button);

    void cmbRxData_Click();
    void cmbTxData_Click();
    void cmbRxData1_Click();
    void cmbTxData1_Click();

protected:
    void closeEvent(QCloseEvent *event) override;
    // No context menu of toolbars and docks: the View menu alone shows and hides the toolbar, so
    // its check mark always tells the truth.
    QMenu *createPopupMenu() override { return nullptr; }
    // Whoever sets the caption, it carries the mark of unsaved changes.
    void changeEvent(QEvent *event) override;

private:
    // Asks about unsaved changes; false when the user cancels the close, and while a transfer
    // runs.
    bool Form_QueryUnload();
    // Writes the port file and the placement and unloads the other windows.
    void Form_Unload();
    // Unloads the windows loaded besides this one, the most recently loaded first.
    void unloadOtherWindows();

    void runModal(QDialog &dialog);
    // Enables the commands by the selected tab and by whether a transfer runs.
    void updateCommandStates();
    // "Undo Delete(&U)", "Redo Edit Channel 12(&R)": the step's name in the caption.
    void updateHistoryCaptions();
    bool runEditDialog(const std::function<bool(EditDialog &)> &prepare);
    // The edit dialog's entry points: a double click on a grid row, and Modify.
    void editVfoRow(int vfoRow);
    void editSlot(int slot);

    // Keeps the language for the next start and ticks it in the View menu.
    void chooseLanguage(Language language);
    void tickLanguage(Language language);

    // Builds the core the window drives, and the print controller.
    void buildSession();
    // The panels, menus, status bar, test panel and the wiring between them and the session.
    void buildParts();
    void connectParts();

    MainWindowOptions m_options;
    std::unique_ptr<UserInteraction> m_ownInteraction;
    UserInteraction *m_interaction = nullptr;
    std::unique_ptr<Session> m_session;
    Document *m_document = nullptr;
    PrintController *m_print = nullptr;

    MainPanels *m_panels = nullptr;
    std::unique_ptr<MainCommands> m_commands;
    MainStatusBar *m_statusBar = nullptr;
    TestPanelDock *m_testPanel = nullptr;
    TransferWiring *m_transferWiring = nullptr;
    FileWiring *m_fileWiring = nullptr;

    QPointer<AboutBox> m_aboutBox;
    QPointer<PortDialog> m_portDialog;
    QPointer<EditDialog> m_editDialog;
    QPointer<HelpWindow> m_helpWindow;
    QList<QPointer<QWidget>> m_loadedWindows;

    bool m_loaded = false;
    bool m_unloaded = false;
};

} // namespace hxv5
