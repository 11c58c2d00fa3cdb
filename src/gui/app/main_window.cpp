#include "app/main_window.h"

#include "app/about_box.h"
#include "app/compare_dialog.h"
#include "app/file_arrival.h"
#include "app/file_wiring.h"
#include "app/help_window.h"
#include "app/localize_form.h"
#include "app/main_commands.h"
#include "app/main_panels.h"
#include "app/main_status_bar.h"
#include "app/recent_files_menu.h"
#include "app/screen_units.h"
#include "app/test_panel_dock.h"
#include "app/transfer_wiring.h"
#include "app/translations.h"
#include "app/widget_interaction.h"
#include "base/reference_tables.h"
#include "base/shown_text.h"
#include "document/document.h"
#include "editing/bulk_edit_dialog.h"
#include "editing/channel_grid.h"
#include "editing/channel_list_panel.h"
#include "editing/edit_dialog.h"
#include "editing/find_bar.h"
#include "editing/grid_cell_editor.h"
#include "editing/sort_dialog.h"
#include "editing/vfo_grid.h"
#include "files/csv_exchange.h"
#include "files/file_commands.h"
#include "link/port_dialog.h"
#include "print/dlg_print.h"
#include "print/print_controller.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QEventLoop>
#include <QInputDialog>
#include <QMenu>
#include <QSettings>
#include <QTabBar>
#include <QTimer>
#include <QToolBar>

namespace hxv5 {

namespace {

// The window always opens this size (twips), whatever size it was closed at.
constexpr int kWindowWidthTwips = 8610;
constexpr int kWindowHeightTwips = 7905;

} // namespace

MainWindow::MainWindow(MainWindowOptions options, QWidget *parent)
    : QMainWindow(parent), m_options(std::move(options))
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(shownText(kProgramTexts, applicationTitle()));
    buildSession();
    buildParts();
    connectParts();
}

MainWindow::~MainWindow()
{
    // The wiring goes first, so that nothing of this window listens to the session any longer.
    delete m_transferWiring;
    delete m_fileWiring;
    disconnect(m_document, nullptr, this, nullptr);
    delete m_print;
    // The views and dialogs hold the document and the line; the session outlives them.
    delete m_testPanel;
    delete takeCentralWidget();
    unloadOtherWindows();
    m_session.reset();
}

void MainWindow::buildSession()
{
    if (m_options.interaction) {
        m_interaction = m_options.interaction;
    } else {
        m_ownInteraction = std::make_unique<WidgetInteraction>(this);
        m_interaction = m_ownInteraction.get();
    }
    m_session = std::make_unique<Session>(*m_interaction, m_options.port);
    m_session->useStoredWriteOptions();
    m_document = &m_session->document();
    m_print = new PrintController(*m_document, this);
    if (m_options.execDialog) {
        m_print->setExecDialog([exec = m_options.execDialog](QDialog &dialog) {
            exec(dialog);
            return dialog.result();
        });
    }
}

void MainWindow::buildParts()
{
    m_panels = new MainPanels(*m_document, this);
    setCentralWidget(m_panels);
    m_commands = std::make_unique<MainCommands>(*this);
    m_statusBar = new MainStatusBar(this);
    setStatusBar(m_statusBar);
    m_testPanel = new TestPanelDock(transfers(), *m_document, *m_print, *this);
    m_transferWiring = new TransferWiring(*this, *m_session, *m_panels, *m_statusBar);
    m_fileWiring = new FileWiring(*this, fileCommands(), *m_panels);
    const Transfers::WriteOptions writes = m_session->writeOptions();
    m_commands->menuItem("mnuToolsWriteChanges")->setChecked(writes.changesOnly);
    m_commands->menuItem("mnuToolsVerify")->setChecked(writes.verify);
    auto *languages = new QActionGroup(this);
    languages->addAction(m_commands->menuItem("mnuViewLanguageEnglish"));
    languages->addAction(m_commands->menuItem("mnuViewLanguageJapanese"));
    tickLanguage(storedLanguage().value_or(m_options.language));
    if (auto *recent = findChild<QMenu *>(QStringLiteral("mnuFileRecent")))
        new RecentFilesMenu(*recent, fileCommands(), *m_document, this);
    new FileDropFilter(*this, fileCommands());
}

void MainWindow::connectParts()
{
    connect(m_panels->tabStrip(), &QTabBar::currentChanged, this, &MainWindow::TabStrip1_Click);
    connect(m_panels->vfoGrid(), &VfoGrid::rowActivated, this, &MainWindow::editVfoRow);
    connect(m_panels->channelGrid(), &ChannelGrid::slotActivated, this, &MainWindow::editSlot);
    connect(m_panels->listPanel(), &ChannelListPanel::notice, m_statusBar,
            &MainStatusBar::showNotice);
    for (RowGrid *grid : {static_cast<RowGrid *>(m_panels->channelGrid()),
                          static_cast<RowGrid *>(m_panels->vfoGrid())})
        connect(grid->cellEditor(), &GridCellEditor::notice, m_statusBar,
                &MainStatusBar::showNotice);
    connect(m_transferWiring, &TransferWiring::runningStateChanged, this,
            &MainWindow::updateCommandStates);
    connect(m_document, &Document::busyChanged, this, &MainWindow::updateCommandStates);
    connect(&m_document->history(), &UndoStack::indexChanged, this, [this] {
        updateCommandStates();
        updateHistoryCaptions();
    });
    connect(m_document, &Document::changedFlagChanged, this, &QWidget::setWindowModified);
}

// --- lifecycle ---

void MainWindow::Form_Load()
{
    LocalizeForm(this, m_options.language);
    // The toolbar buttons are read out by their tool tips, not by their Japanese keys.
    for (QAction *button : m_commands->toolBar()->actions())
        button->setText(button->toolTip());

    resize(twipsToPixels(QSize(kWindowWidthTwips, kWindowHeightTwips), this));

    // The grids have their headings, row labels and widths from their construction.
    m_session->loadPortNumber();

    // No model variant counts as selected yet: the default record is that of model byte 0. The
    // settings lists were filled when the document was made.
    m_document->setSettingsRecord(m_document->DefaultSettingsRecord());
    m_document->DecodeSettingsRecord();
    m_panels->vfoGrid()->ChangeFont();
    m_panels->channelGrid()->ChangeFont();
    m_document->SetVfoDefaults();
    m_panels->vfoGrid()->UpdateVFOData();
    m_panels->restoreColumnWidths();

    // The start-up pause: the splash window stays up while the event loop keeps turning.
    if (m_options.startupPause > std::chrono::milliseconds::zero()) {
        QEventLoop pause;
        QTimer::singleShot(m_options.startupPause, &pause, &QEventLoop::quit);
        pause.exec();
    }

    setWindowTitle(shownText(kProgramTexts, applicationTitle()));
    TabStrip1_Click();
    m_document->setChanged(false);
    m_document->startFreshHistory();
    m_loaded = true;
    updateHistoryCaptions();
}

void MainWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowTitleChange && !windowTitle().contains(QLatin1String("[*]")))
        setWindowTitle(windowTitle() + QLatin1String("[*]"));
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (m_unloaded) {
        event->accept();
        return;
    }
    // Refused as well while a transfer runs: it ends by itself within seconds, and closing under
    // it would leave the radio or the tables half written.
    if (transfers().isRunning()) {
        m_statusBar->showNotice(
            tr("A transfer with the radio is running: stop it (Esc) or close the window when it "
               "has ended."));
        event->ignore();
        return;
    }
    if (!Form_QueryUnload()) {
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
}

void MainWindow::unloadOtherWindows()
{
    for (auto it = m_loadedWindows.crbegin(); it != m_loadedWindows.crend(); ++it)
        delete it->data();
    m_loadedWindows.clear();
}

bool MainWindow::Form_QueryUnload()
{
    return fileCommands().queryClose();
}

void MainWindow::Form_Unload()
{
    m_unloaded = true;
    // Failures to store the port or the placement are not reported: the next run starts on
    // COM 1 at the usual place.
    m_session->storePortNumber();

    unloadOtherWindows();
    m_panels->storeColumnWidths();

    if (!isMinimized()) {
        const QRect placement = frameGeometry();
        QSettings store;
        store.beginGroup(QStringLiteral("Settings"));
        store.setValue(QStringLiteral("MainLeft"), pixelsToTwips(placement.x(), this));
        store.setValue(QStringLiteral("MainTop"), pixelsToTwips(placement.y(), this));
        store.setValue(QStringLiteral("MainWidth"), pixelsToTwips(placement.width(), this));
        store.setValue(QStringLiteral("MainHeight"), pixelsToTwips(placement.height(), this));
        store.endGroup();
    }
}

// --- tabs ---

int MainWindow::selectedTab() const
{
    return m_panels->selectedTab();
}

void MainWindow::selectTab(int tab)
{
    if (tab == selectedTab())
        TabStrip1_Click();
    else
        m_panels->tabStrip()->setCurrentIndex(tab - 1); // its currentChanged runs TabStrip1_Click
}

void MainWindow::TabStrip1_Click()
{
    m_panels->showSelectedPanel();
    updateCommandStates();
}

void MainWindow::updateCommandStates()
{
    const bool running = transfers().isRunning() || m_document->isBusy();
    m_commands->updateStates(running, selectedTab());
    m_transferWiring->lockButtons(running);
}

// --- menus and toolbar ---

void MainWindow::mnuFileNew_Click()
{
    fileCommands().New();
}

void MainWindow::mnuFileOpen_Click()
{
    fileCommands().Open();
}

void MainWindow::mnuFileOpenBackup_Click()
{
    fileCommands().OpenBackup();
}

void MainWindow::mnuFileSave_Click()
{
    fileCommands().Save();
}

void MainWindow::mnuFileSaveAs_Click()
{
    fileCommands().SaveAs();
}

void MainWindow::mnuImport_Click()
{
    fileCommands().Import();
}

void MainWindow::mnuExport_Click()
{
    fileCommands().Export();
}

void MainWindow::mnuFileCompare_Click()
{
    QList<ImageDifference> differences;
    if (!fileCommands().Compare(differences))
        return;
    CompareDialog dialog(differences, this);
    runModal(dialog);
}

void MainWindow::mnuFilePageSetup_Click()
{
    m_print->mnuFilePageSetup_Click();
}

void MainWindow::mnuFilePrint_Click()
{
    m_print->mnuFilePrint_Click();
}

void MainWindow::mnuFileExit_Click()
{
    close();
}

void MainWindow::mnuEditUndo_Click()
{
    switch (selectedTab()) {
    case kTabSettings1:
        editVfoRow(m_panels->vfoGrid()->currentRow());
        break;
    case kTabMemory:
        editSlot(m_panels->channelGrid()->currentSlot());
        break;
    default:
        break; // the item is disabled on "Settings 2"
    }
}

bool MainWindow::canUndo() const
{
    return m_document->history().canUndo();
}

bool MainWindow::canRedo() const
{
    return m_document->history().canRedo();
}

void MainWindow::updateHistoryCaptions()
{
    // Before the window is localised the captions are still string identifiers.
    if (!m_loaded)
        return;
    const auto show = [this](const char *name, int captionId, const QString &step) {
        QAction *action = m_commands->menuItem(name);
        QString caption = resourceString(captionId, m_options.language).value_or(QString());
        if (!step.isEmpty()) {
            const qsizetype mnemonic = caption.indexOf(QLatin1String("(&"));
            const qsizetype end = mnemonic < 0 ? caption.size() : mnemonic;
            caption.replace(
                0, end,
                tr("%1 %2", "Undo or Redo, then the step it acts on").arg(caption.left(end), step));
        }
        action->setText(caption);
    };
    show("mnuEditUndoStep", 1240, m_document->history().undoText());
    show("mnuEditRedoStep", 1241, m_document->history().redoText());
}

void MainWindow::mnuEditUndoStep_Click()
{
    m_document->undo();
}

void MainWindow::mnuEditRedoStep_Click()
{
    m_document->redo();
}

void MainWindow::mnuEditCut_Click()
{
    if (selectedTab() == kTabMemory)
        m_panels->listPanel()->cutRows();
}

void MainWindow::mnuEditCopy_Click()
{
    if (selectedTab() == kTabMemory && !m_document->isBusy())
        m_panels->listPanel()->copyRows();
}

void MainWindow::mnuEditPaste_Click()
{
    if (selectedTab() != kTabMemory)
        return;
    CsvImportReport report;
    const bool pasted = m_panels->listPanel()->pasteRows(report);
    if (!report.skipped.isEmpty() || (!pasted && report.taken == 0 && !m_document->isBusy()))
        m_interaction->showPasteReport(report);
}

void MainWindow::mnuEditSelected_Click()
{
    if (selectedTab() != kTabMemory || m_document->isBusy())
        return;
    const ChannelGrid &grid = *m_panels->channelGrid();
    const QList<int> slots = grid.selectedSlots();
    BulkEditDialog dialog(*m_document, slots, grid.currentSlot(), this);
    runModal(dialog);
    if (dialog.result() != QDialog::Accepted)
        return;
    BulkEditReport report;
    editChannels(*m_document, slots, dialog.edit(), report);
    if (report.left.isEmpty())
        m_statusBar->showNotice(bulkEditSummary(report));
    else
        m_interaction->showEditReport(bulkEditSummary(report), report.left);
}

void MainWindow::mnuEditSort_Click()
{
    if (selectedTab() != kTabMemory || m_document->isBusy())
        return;
    // Several selected rows are sorted among themselves; otherwise all memory channels are that
    // the grid shows: hidden rows never move.
    const ChannelGrid *grid = m_panels->channelGrid();
    QList<int> slots = grid->selectedSlots();
    const qsizetype selected = slots.size() > 1 ? slots.size() : 0;
    qsizetype hidden = 0;
    if (selected == 0) {
        slots.clear();
        for (int slot = 0; slot < kChannelCount; ++slot) {
            if (grid->isSlotShown(slot))
                slots.append(slot);
            else
                ++hidden;
        }
    }
    SortDialog dialog(selected, hidden, this);
    runModal(dialog);
    if (dialog.result() == QDialog::Accepted &&
        !sortChannels(*m_document, slots, dialog.key(), dialog.descending()))
        m_statusBar->showNotice(tr("The channels were in that order already."));
}

void MainWindow::mnuHelpGuide_Click()
{
    if (!m_helpWindow) {
        m_helpWindow = new HelpWindow(m_options.language, this);
        m_loadedWindows.append(m_helpWindow.data());
    }
    m_helpWindow->show();
    m_helpWindow->raise();
    m_helpWindow->activateWindow();
}

QWidget *MainWindow::helpWindow() const
{
    return m_helpWindow.data();
}

void MainWindow::loadEditDialog()
{
    if (m_editDialog)
        return;
    m_editDialog = new EditDialog(this);
    m_loadedWindows.append(m_editDialog.data());
}

// The edit dialog refuses a band the model variant lacks and anything while a transfer runs;
// true when it was shown and closed with OK.
bool MainWindow::runEditDialog(const std::function<bool(EditDialog &)> &prepare)
{
    loadEditDialog();
    if (!prepare(*m_editDialog))
        return false;
    m_editDialog->setResult(QDialog::Rejected);
    runModal(*m_editDialog);
    return m_editDialog && m_editDialog->result() == QDialog::Accepted;
}

// After OK the row the dialog wrote back is drawn and selected.
void MainWindow::editVfoRow(int vfoRow)
{
    if (vfoRow >= 0 &&
        runEditDialog([&](EditDialog &dialog) { return dialog.prepareVfo(*m_document, vfoRow); }))
        m_panels->vfoGrid()->Grid2Data(vfoRow + 1);
}

void MainWindow::editSlot(int slot)
{
    if (slot >= 0 &&
        runEditDialog([&](EditDialog &dialog) { return dialog.prepareSlot(*m_document, slot); }))
        m_panels->channelGrid()->Grid1Data(slot + 1);
}

void MainWindow::mnuToolsWriteChanges_Click()
{
    m_session->setWriteChangesOnly(m_commands->menuItem("mnuToolsWriteChanges")->isChecked());
}

void MainWindow::mnuToolsVerify_Click()
{
    m_session->setVerifyAfterWrite(m_commands->menuItem("mnuToolsVerify")->isChecked());
}

void MainWindow::mnuViewToolbar_Click()
{
    m_commands->toolBar()->setVisible(m_commands->menuItem("mnuViewToolbar")->isChecked());
}

void MainWindow::mnuStatusBar_Click()
{
    m_statusBar->setVisible(m_commands->menuItem("mnuStatusBar")->isChecked());
}

void MainWindow::mnuViewFind_Click()
{
    selectTab(kTabMemory);
    m_panels->findBar()->open();
}

void MainWindow::mnuViewGoTo_Click()
{
    selectTab(kTabMemory);
    QInputDialog dialog(this);
    dialog.setObjectName(QStringLiteral("dlgGoTo"));
    dialog.setWindowTitle(tr("Go To Channel"));
    dialog.setLabelText(tr("Channel (0 to 199, P0A to P4B, A-L, A-H, Pri):"));
    runModal(dialog);
    if (dialog.result() != QDialog::Accepted)
        return;
    const QString trouble = m_panels->findBar()->goTo(dialog.textValue());
    if (!trouble.isEmpty())
        m_statusBar->showNotice(trouble);
}

void MainWindow::mnuViewHideEmpty_Click()
{
    selectTab(kTabMemory);
    ChannelGrid *grid = m_panels->channelGrid();
    ChannelFilter filter = grid->filter();
    filter.hideEmpty = m_commands->menuItem("mnuViewHideEmpty")->isChecked();
    grid->setFilter(filter);
}

void MainWindow::mnuViewLanguageEnglish_Click()
{
    chooseLanguage(Language::English);
}

void MainWindow::mnuViewLanguageJapanese_Click()
{
    chooseLanguage(Language::Japanese);
}

void MainWindow::tickLanguage(Language language)
{
    m_commands
        ->menuItem(language == Language::Japanese ? "mnuViewLanguageJapanese"
                                                  : "mnuViewLanguageEnglish")
        ->setChecked(true);
}

// The window is built in one language: the choice takes effect at the next start, which the
// status bar says while the window still shows the other one.
void MainWindow::chooseLanguage(Language language)
{
    storeLanguage(language);
    tickLanguage(language);
    if (language == m_options.language)
        m_statusBar->clearMessage();
    else
        m_statusBar->showNotice(tr("The program shows the chosen language from its next start."));
}

void MainWindow::mnuReSet_Click()
{
    m_transferWiring->menuReadSettings();
}

void MainWindow::mnuReMem_Click()
{
    m_transferWiring->menuReadMemory();
}

void MainWindow::mnuReAll_Click()
{
    m_transferWiring->menuReadAll();
}

void MainWindow::mnuWrSet_Click()
{
    m_transferWiring->menuWriteSettings();
}

void MainWindow::mnuWrMem_Click()
{
    m_transferWiring->menuWriteMemory();
}

void MainWindow::mnuWrAll_Click()
{
    m_transferWiring->menuWriteAll();
}

void MainWindow::runModal(QDialog &dialog)
{
    if (m_options.execDialog)
        m_options.execDialog(dialog);
    else
        dialog.exec();
}

void MainWindow::mnuToolsOptions_Click()
{
    if (!m_portDialog) {
        m_portDialog = new PortDialog(serialPort(), this);
        m_loadedWindows.append(m_portDialog.data());
    }
    m_portDialog->prepare();
    runModal(*m_portDialog);
}

void MainWindow::mnuHelpAbout_Click()
{
    if (!m_aboutBox) {
        m_aboutBox = new AboutBox(this);
        m_loadedWindows.append(m_aboutBox.data());
    }
    runModal(*m_aboutBox);
}

QWidget *MainWindow::aboutBox() const
{
    return m_aboutBox.data();
}

QWidget *MainWindow::portDialog() const
{
    return m_portDialog.data();
}

void MainWindow::tbToolBar_ButtonClick(QAction *button)
{
    m_commands->runToolButton(*button);
}

// --- transfers ---

void MainWindow::cmbRxData_Click()
{
    m_transferWiring->readMemory();
}

void MainWindow::cmbTxData_Click()
{
    m_transferWiring->writeMemory();
}

void MainWindow::cmbRxData1_Click()
{
    m_transferWiring->readSettings();
}

void MainWindow::cmbTxData1_Click()
{
    m_transferWiring->writeSettings();
}

} // namespace hxv5
