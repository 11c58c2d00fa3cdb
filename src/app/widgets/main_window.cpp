#include "app/widgets/main_window.h"

#include "app/document.h"
#include "app/widgets/about_box.h"
#include "app/widgets/app_pictures.h"
#include "app/widgets/localize_form.h"
#include "app/widgets/screen_units.h"
#include "app/widgets/widget_interaction.h"
#include "base/reference_tables.h"
#include "editing/widgets/channel_grid.h"
#include "editing/widgets/channel_list_panel.h"
#include "editing/widgets/edit_dialog.h"
#include "editing/widgets/vfo_grid.h"
#include "files/file_commands.h"
#include "link/port_mapping.h"
#include "link/serial_port.h"
#include "link/transfers.h"
#include "link/widgets/link_test_panel.h"
#include "link/widgets/port_dialog.h"
#include "print/widgets/dlg_print.h"
#include "print/widgets/print_controller.h"
#include "settings/widgets/settings_pages.h"

#include <QAction>
#include <QCloseEvent>
#include <QDate>
#include <QDockWidget>
#include <QEventLoop>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QStackedLayout>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QTime>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace hxv5 {

namespace {

// The window always opens this size (twips), whatever size it was closed at.
constexpr int kWindowWidthTwips = 8610;
constexpr int kWindowHeightTwips = 7905;

// How long a status-bar message stays up.
constexpr int kStatusMessageMs = 5000;

constexpr int kTabSettings1 = 1;
constexpr int kTabSettings2 = 2;
constexpr int kTabMemory = 3;

// The keys that tell the toolbar buttons apart.
const QString kKeyNew = QStringLiteral("新規作成");
const QString kKeyOpen = QStringLiteral("開く");
const QString kKeySave = QStringLiteral("上書き保存");
const QString kKeyPrint = QStringLiteral("印刷");
const QString kKeyHelp = QStringLiteral("ﾍﾙﾌﾟ");

QString transferCompletedText(Transfers::Operation op)
{
    switch (op) {
    case Transfers::Operation::ReadMemory:
        return QStringLiteral("Read Memory completed");
    case Transfers::Operation::WriteMemory:
        return QStringLiteral("Write Memory completed");
    case Transfers::Operation::ReadSettings:
        return QStringLiteral("Read Settings completed");
    case Transfers::Operation::WriteSettings:
        return QStringLiteral("Write Settings completed");
    }
    return {};
}

} // namespace

MainWindow::MainWindow(MainWindowOptions options, QWidget *parent)
    : QMainWindow(parent), m_options(std::move(options)), m_document(new Document(this))
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(applicationTitle());

    if (m_options.port) {
        m_port = m_options.port;
    } else {
        m_ownPort = std::make_unique<QtSerialPortAdapter>();
        m_port = m_ownPort.get();
    }
    if (m_options.interaction) {
        m_interaction = m_options.interaction;
    } else {
        m_ownInteraction = std::make_unique<WidgetInteraction>(this);
        m_interaction = m_ownInteraction.get();
    }
    m_transfers = new Transfers(*m_document, *m_port, *m_interaction, this);
    m_files = new FileCommands(*m_document, *m_interaction, this);
    m_print = new PrintController(*m_document, this);
    if (m_options.execDialog) {
        m_print->setExecDialog([exec = m_options.execDialog](QDialog &dialog) {
            exec(dialog);
            return dialog.result();
        });
    }

    buildPanels();
    buildMenus();
    buildToolbar();
    buildStatusBar();
    buildTestPanel();
    wireTransfers();
    wireFiles();
    connect(m_document, &Document::busyChanged, this, &MainWindow::updateCommandStates);
}

MainWindow::~MainWindow()
{
    // The transfers and the file commands act on the document and the line, and a transfer ends
    // with signals: they go first, while everything they touch still exists and this window no
    // longer listens.
    disconnect(m_transfers, nullptr, this, nullptr);
    disconnect(m_document, nullptr, this, nullptr);
    delete m_transfers;
    delete m_files;
    delete m_print;
    // The views and dialogs hold the document and the line; both outlive them.
    delete m_testPanel;
    delete takeCentralWidget();
    unloadOtherWindows();
}

// --- building the window ---

void MainWindow::buildPanels()
{
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 2);
    layout->setSpacing(0);

    m_tabStrip = new QTabBar(central);
    m_tabStrip->setObjectName(QStringLiteral("TabStrip1"));
    m_tabStrip->setExpanding(false);
    m_tabStrip->setDrawBase(true);
    for (const QString &caption :
         {QStringLiteral("Settings 1"), QStringLiteral("Settings 2"), QStringLiteral("Memory")})
        m_tabStrip->addTab(caption);

    // The tab strip's client area: the four panels lie on top of each other there, the selected
    // tab's panel in front. All stay visible; the ones behind are disabled.
    auto *client = new QFrame(central);
    client->setObjectName(QStringLiteral("TabStrip1Client"));
    client->setFrameShape(QFrame::NoFrame);
    m_panels = new QStackedLayout(client);
    m_panels->setStackingMode(QStackedLayout::StackAll);
    m_panels->setContentsMargins(4, 4, 4, 4);

    const QString captions[4] = {QStringLiteral("Settings 1"), QStringLiteral("Settings2"),
                                 QStringLiteral("Memorys"), QStringLiteral("Program Scan")};
    for (int i = 0; i < 4; ++i) {
        auto *frame = new QGroupBox(captions[i], client);
        frame->setObjectName(QStringLiteral("Frame1_%1").arg(i));
        frame->setAutoFillBackground(true); // the panel in front hides those behind
        m_frames[i] = frame;
    }
    // "Program Scan" goes in first, so that it lies at the back: no tab ever brings it forward.
    m_panels->addWidget(m_frames[3]);
    for (int i = 0; i < 3; ++i)
        m_panels->addWidget(m_frames[i]);

    m_settings1 = new SettingsPage1(*m_document, m_frames[0]);
    auto *page1 = new QVBoxLayout(m_frames[0]);
    page1->addWidget(m_settings1);

    m_settings2 = new SettingsPage2(*m_document, m_frames[1]);
    auto *page2 = new QVBoxLayout(m_frames[1]);
    page2->addWidget(m_settings2);

    m_channelGrid = new ChannelGrid(*m_document, m_frames[2]);
    m_cmbRxData = new QPushButton(QStringLiteral("Read Memory"), m_frames[2]);
    m_cmbRxData->setObjectName(QStringLiteral("cmbRxData"));
    m_cmbTxData = new QPushButton(QStringLiteral("Write Memory"), m_frames[2]);
    m_cmbTxData->setObjectName(QStringLiteral("cmbTxData"));
    connect(m_cmbRxData, &QPushButton::clicked, this, &MainWindow::cmbRxData_Click);
    connect(m_cmbTxData, &QPushButton::clicked, this, &MainWindow::cmbTxData_Click);
    auto *memoryButtons = new QHBoxLayout;
    memoryButtons->addWidget(m_cmbRxData);
    memoryButtons->addWidget(m_cmbTxData);
    memoryButtons->addStretch();
    auto *listButtons = new ChannelListPanel(*m_document, *m_channelGrid, m_frames[2]);
    auto *page3 = new QVBoxLayout(m_frames[2]);
    page3->addWidget(m_channelGrid, 0, Qt::AlignLeft);
    page3->addWidget(listButtons, 0, Qt::AlignLeft);
    page3->addSpacing(6);
    page3->addLayout(memoryButtons);
    page3->addStretch();

    m_progressBar = new QProgressBar(central);
    m_progressBar->setObjectName(QStringLiteral("ProgressBar1"));
    m_progressBar->setRange(0, kSlotCount - 1);
    m_progressBar->setValue(0);
    // Its place is kept while it is hidden, so that showing it for a transfer neither moves the
    // panels nor grows the window.
    QSizePolicy keepPlace = m_progressBar->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    m_progressBar->setSizePolicy(keepPlace);
    m_progressBar->hide();

    layout->addWidget(m_tabStrip);
    layout->addWidget(client, 1);
    layout->addSpacing(2);
    layout->addWidget(m_progressBar);
    setCentralWidget(central);

    connect(m_tabStrip, &QTabBar::currentChanged, this, &MainWindow::TabStrip1_Click);
    connect(m_settings1->vfoGrid(), &VfoGrid::rowActivated, this, &MainWindow::editVfoRow);
    connect(m_channelGrid, &ChannelGrid::slotActivated, this, &MainWindow::editSlot);
}

QAction *MainWindow::addMenuItem(QMenu *menu, const char *name, int captionId,
                                 void (MainWindow::*slot)())
{
    // The design-time caption is the string identifier; LocalizeForm puts the text in its place.
    QAction *item = menu->addAction(QString::number(captionId));
    item->setObjectName(QLatin1String(name));
    connect(item, &QAction::triggered, this, slot);
    return item;
}

void MainWindow::buildMenus()
{
    QMenuBar *bar = menuBar();
    auto addMenu = [](auto *owner, const char *name, int captionId) {
        QMenu *menu = owner->addMenu(QString::number(captionId));
        menu->setObjectName(QLatin1String(name));
        menu->menuAction()->setObjectName(QLatin1String(name));
        return menu;
    };
    auto addSeparator = [](QMenu *menu, const char *name) {
        menu->addSeparator()->setObjectName(QLatin1String(name));
    };

    QMenu *file = addMenu(bar, "mnuFile", 1000);
    QAction *fileNew = addMenuItem(file, "mnuFileNew", 1001, &MainWindow::mnuFileNew_Click);
    fileNew->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    QAction *fileOpen = addMenuItem(file, "mnuFileOpen", 1002, &MainWindow::mnuFileOpen_Click);
    QAction *fileSave = addMenuItem(file, "mnuFileSave", 1003, &MainWindow::mnuFileSave_Click);
    QAction *fileSaveAs =
        addMenuItem(file, "mnuFileSaveAs", 1004, &MainWindow::mnuFileSaveAs_Click);
    addSeparator(file, "mnuFileBar0");
    QAction *import = addMenuItem(file, "mnuImport", 1201, &MainWindow::mnuImport_Click);
    QAction *exportItem = addMenuItem(file, "mnuExport", 1202, &MainWindow::mnuExport_Click);
    addSeparator(file, "mnuFileBar1");
    addMenuItem(file, "mnuFilePageSetup", 1005, &MainWindow::mnuFilePageSetup_Click);
    addMenuItem(file, "mnuFilePrint", 1006, &MainWindow::mnuFilePrint_Click);
    addSeparator(file, "mnuFileBar2");
    addMenuItem(file, "mnuFileExit", 1007, &MainWindow::mnuFileExit_Click);

    QMenu *edit = addMenu(bar, "mnuEdit", 1008);
    m_mnuEditUndo = addMenuItem(edit, "mnuEditUndo", 1009, &MainWindow::mnuEditUndo_Click);

    QMenu *view = addMenu(bar, "mnuView", 1010);
    m_mnuViewToolbar = addMenuItem(view, "mnuViewToolbar", 1011, &MainWindow::mnuViewToolbar_Click);
    m_mnuStatusBar = addMenuItem(view, "mnuStatusBar", 1100, &MainWindow::mnuStatusBar_Click);
    for (QAction *toggle : {m_mnuViewToolbar, m_mnuStatusBar}) {
        toggle->setCheckable(true);
        toggle->setChecked(true);
    }

    QMenu *tools = addMenu(bar, "mnuTools", 1012);
    QMenu *read = addMenu(tools, "mnuRe", 1203);
    m_transferCommands = {
        addMenuItem(read, "mnuReSet", 1205, &MainWindow::mnuReSet_Click),
        addMenuItem(read, "mnuReMem", 1206, &MainWindow::mnuReMem_Click),
        addMenuItem(read, "mnuReAll", 1207, &MainWindow::mnuReAll_Click),
    };
    QMenu *write = addMenu(tools, "mnuWr", 1204);
    m_transferCommands += {
        addMenuItem(write, "mnuWrSet", 1205, &MainWindow::mnuWrSet_Click),
        addMenuItem(write, "mnuWrMem", 1206, &MainWindow::mnuWrMem_Click),
        addMenuItem(write, "mnuWrAll", 1207, &MainWindow::mnuWrAll_Click),
    };
    QAction *options =
        addMenuItem(tools, "mnuToolsOptions", 1013, &MainWindow::mnuToolsOptions_Click);

    QMenu *help = addMenu(bar, "mnuHelp", 1014);
    addMenuItem(help, "mnuHelpAbout", 1016, &MainWindow::mnuHelpAbout_Click);

    // Renumbering the port under a running transfer would cut it off mid-way.
    m_changingCommands = {fileNew, fileOpen, fileSave, fileSaveAs, import, exportItem, options};
}

void MainWindow::buildToolbar()
{
    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("tbToolBar"));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setIconSize(QSize(16, 16));
    addToolBar(Qt::TopToolBarArea, m_toolBar);

    struct Button
    {
        const char *name;
        QString key;
        int toolTipId;
        QIcon icon;
    };
    const Button buttons[] = {
        {"tbToolBar_New", kKeyNew, 1017, style()->standardIcon(QStyle::SP_FileIcon)},
        {"tbToolBar_Open", kKeyOpen, 1018, style()->standardIcon(QStyle::SP_DialogOpenButton)},
        {"tbToolBar_Save", kKeySave, 1019, style()->standardIcon(QStyle::SP_DialogSaveButton)},
        {"tbToolBar_Print", kKeyPrint, 1020, printerIcon()},
        {"tbToolBar_Help", kKeyHelp, 1021, helpIcon()},
    };
    for (const Button &b : buttons) {
        QAction *button = m_toolBar->addAction(b.icon, b.key);
        button->setObjectName(QLatin1String(b.name));
        button->setData(b.key);
        // The design-time tool tip is the string identifier; LocalizeForm replaces it.
        button->setToolTip(QString::number(b.toolTipId));
        if (b.key != kKeyPrint && b.key != kKeyHelp)
            m_changingCommands.append(button);
    }
    connect(m_toolBar, &QToolBar::actionTriggered, this, &MainWindow::tbToolBar_ButtonClick);
}

void MainWindow::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("sbStatusBar"));
    m_statusText = new QLabel(bar);
    m_statusText->setObjectName(QStringLiteral("sbStatusBar_Panel1"));
    m_statusDate = new QLabel(bar);
    m_statusDate->setObjectName(QStringLiteral("sbStatusBar_Panel2"));
    m_statusTime = new QLabel(bar);
    m_statusTime->setObjectName(QStringLiteral("sbStatusBar_Panel3"));
    for (QLabel *panel : {m_statusDate, m_statusTime}) {
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setAlignment(Qt::AlignCenter);
        panel->setContentsMargins(6, 0, 6, 0);
    }
    bar->addWidget(m_statusText, 1);
    bar->addPermanentWidget(m_statusDate);
    bar->addPermanentWidget(m_statusTime);

    m_clock = new QTimer(this);
    m_clock->setSingleShot(true);
    connect(m_clock, &QTimer::timeout, this, &MainWindow::updateClock);
    updateClock();
}

void MainWindow::updateClock()
{
    const QLocale locale;
    const QDateTime now = QDateTime::currentDateTime();
    m_statusDate->setText(locale.toString(now.date(), QLocale::ShortFormat));
    // The panels show minutes (some locales' short format carries seconds, which a clock that
    // wakes once a minute would show stale): wake up just after the next minute begins.
    QString timeFormat = locale.timeFormat(QLocale::ShortFormat);
    timeFormat.remove(QRegularExpression(QStringLiteral("[:.]s+")));
    m_statusTime->setText(locale.toString(now.time(), timeFormat));
    const int msToNextMinute = 60000 - (now.time().second() * 1000 + now.time().msec());
    m_clock->start(msToNextMinute + 50);
}

void MainWindow::buildTestPanel()
{
    // The panel for trying the line by hand stays out of normal use: hidden until Ctrl+Shift+F12
    // shows it beside the panels.
    m_testPanel = new QDockWidget(QStringLiteral("Test"), this);
    m_testPanel->setObjectName(QStringLiteral("TestPanel"));
    auto *panel = new LinkTestPanel(*m_transfers, *m_document, m_testPanel);
    // Command3 runs the printer's page set-up alone; its report goes to Text2.
    auto *command3 = new QPushButton(QStringLiteral("Page"));
    command3->setObjectName(QStringLiteral("Command3"));
    panel->addCommand(command3);
    connect(command3, &QPushButton::clicked, m_print, &PrintController::setUpPage);
    connect(m_print, &PrintController::pageSetupReported, panel, &LinkTestPanel::setText2);
    m_testPanel->setWidget(panel);
    addDockWidget(Qt::RightDockWidgetArea, m_testPanel);
    m_testPanel->hide();

    auto *toggle = new QAction(this);
    toggle->setObjectName(QStringLiteral("TestPanelToggle"));
    toggle->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F12));
    connect(toggle, &QAction::triggered, m_testPanel,
            [this] { m_testPanel->setVisible(m_testPanel->isHidden()); });
    addAction(toggle);
}

void MainWindow::wireTransfers()
{
    connect(m_settings1->readButton(), &QPushButton::clicked, this, &MainWindow::cmbRxData1_Click);
    connect(m_settings1->writeButton(), &QPushButton::clicked, this, &MainWindow::cmbTxData1_Click);
    // The second page's buttons do the same as the first page's.
    connect(m_settings2->readButton(), &QPushButton::clicked, this, &MainWindow::cmbRxData1_Click);
    connect(m_settings2->writeButton(), &QPushButton::clicked, this, &MainWindow::cmbTxData1_Click);

    connect(m_transfers, &Transfers::memoryBusyChanged, this, &MainWindow::onMemoryBusyChanged);
    connect(m_transfers, &Transfers::settingsBusyChanged, this, &MainWindow::updateCommandStates);
    connect(m_transfers, &Transfers::slotStarted, this, &MainWindow::onSlotStarted);
    connect(m_transfers, &Transfers::finished, this, &MainWindow::onTransferFinished);
    connect(m_transfers, &Transfers::runningChanged, this, [this](bool running) {
        if (!running) {
            m_memoryReadPending = false;
            m_memoryTabPending = false;
        }
        updateCommandStates();
    });
}

void MainWindow::wireFiles()
{
    connect(m_files, &FileCommands::captionChanged, this, &QWidget::setWindowTitle);
    connect(m_files, &FileCommands::tablesReplaced, this, [this] {
        m_settings1->vfoGrid()->UpdateVFOData();
        m_channelGrid->RedrawChannelTable();
        m_channelGrid->setCurrentSlot(0);
    });
}

// --- lifecycle ---

void MainWindow::Form_Load()
{
    LocalizeForm(this, m_options.language);
    // The toolbar buttons are read out by their tool tips, not by their Japanese keys.
    for (QAction *button : m_toolBar->actions())
        button->setText(button->toolTip());

    resize(twipsToPixels(QSize(kWindowWidthTwips, kWindowHeightTwips), this));

    // The grids have their headings, row labels and widths from their construction.
    m_port->setPortNumber(readPortFile());

    // No model variant counts as selected yet: the default record is that of model byte 0. The
    // settings lists were filled when the document was made.
    m_document->setSettingsRecord(m_document->DefaultSettingsRecord());
    m_document->DecodeSettingsRecord();
    m_settings1->vfoGrid()->ChangeFont();
    m_channelGrid->ChangeFont();
    m_document->SetVfoDefaults();
    m_settings1->vfoGrid()->UpdateVFOData();

    // The start-up pause: the splash window stays up while the event loop keeps turning.
    if (m_options.startupPause > std::chrono::milliseconds::zero()) {
        QEventLoop pause;
        QTimer::singleShot(m_options.startupPause, &pause, &QEventLoop::quit);
        pause.exec();
    }

    setWindowTitle(applicationTitle());
    TabStrip1_Click();
    m_document->setChanged(false);
    m_loaded = true;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (m_unloaded) {
        event->accept();
        return;
    }
    // Refused as well while a transfer runs: it ends by itself within seconds, and closing under
    // it would leave the radio or the tables half written.
    if (m_transfers->isRunning()) {
        statusBar()->showMessage(
            QStringLiteral("A transfer with the radio is running: close the window when it has "
                           "ended."),
            kStatusMessageMs);
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
    return m_files->queryClose();
}

void MainWindow::Form_Unload()
{
    m_unloaded = true;
    // Failures to store the port or the placement are not reported: the next run starts on
    // COM 1 at the usual place.
    writePortFile(m_port->portNumber());

    unloadOtherWindows();

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
    return m_tabStrip->currentIndex() + 1;
}

void MainWindow::selectTab(int tab)
{
    if (tab == selectedTab())
        TabStrip1_Click();
    else
        m_tabStrip->setCurrentIndex(tab - 1); // its currentChanged runs TabStrip1_Click
}

void MainWindow::TabStrip1_Click()
{
    const int front = selectedTab() - 1;
    // Panels behind take neither focus nor clicks; "Program Scan" is never touched.
    for (int i = 0; i < 3; ++i)
        m_frames[i]->setEnabled(i == front);
    m_panels->setCurrentWidget(m_frames[front]);
    updateCommandStates();
}

void MainWindow::updateCommandStates()
{
    const bool running = m_transfers->isRunning() || m_document->isBusy();
    for (QAction *command : std::as_const(m_changingCommands))
        command->setEnabled(!running);
    for (QAction *command : std::as_const(m_transferCommands))
        command->setEnabled(!running);
    // Every transfer button, not only those of the group that runs: the others would refuse a
    // click anyway, and the screen should say so.
    for (QPushButton *button : transferButtons())
        button->setEnabled(!running);
    m_mnuEditUndo->setEnabled(!running && selectedTab() != kTabSettings2);
}

// --- menus and toolbar ---

void MainWindow::mnuFileNew_Click()
{
    m_files->New();
}

void MainWindow::mnuFileOpen_Click()
{
    m_files->Open();
}

void MainWindow::mnuFileSave_Click()
{
    m_files->Save();
}

void MainWindow::mnuFileSaveAs_Click()
{
    m_files->SaveAs();
}

void MainWindow::mnuImport_Click()
{
    m_files->Import();
}

void MainWindow::mnuExport_Click()
{
    m_files->Export();
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
        editVfoRow(m_settings1->vfoGrid()->currentRow());
        break;
    case kTabMemory:
        editSlot(m_channelGrid->currentSlot());
        break;
    default:
        break; // the item is disabled on "Settings 2"
    }
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
        m_settings1->vfoGrid()->Grid2Data(vfoRow + 1);
}

void MainWindow::editSlot(int slot)
{
    if (slot >= 0 &&
        runEditDialog([&](EditDialog &dialog) { return dialog.prepareSlot(*m_document, slot); }))
        m_channelGrid->Grid1Data(slot + 1);
}

void MainWindow::mnuViewToolbar_Click()
{
    m_toolBar->setVisible(m_mnuViewToolbar->isChecked());
}

void MainWindow::mnuStatusBar_Click()
{
    statusBar()->setVisible(m_mnuStatusBar->isChecked());
}

// The settings items bring "Settings 1" forward only from the "Memory" tab; the memory items
// always bring "Memory" forward.
void MainWindow::leaveMemoryTab()
{
    if (selectedTab() == kTabMemory)
        selectTab(kTabSettings1);
}

void MainWindow::mnuReSet_Click()
{
    leaveMemoryTab();
    cmbRxData1_Click();
}

void MainWindow::mnuReMem_Click()
{
    selectTab(kTabMemory);
    cmbRxData_Click();
}

void MainWindow::mnuReAll_Click()
{
    // Settings first, then memory whatever the settings ended with; the "Memory" tab comes to the
    // front when the memory half starts.
    if (!mayReadOverDocument())
        return;
    leaveMemoryTab();
    m_memoryReadPending = true;
    m_memoryTabPending = true;
    m_transfers->readAll();
}

void MainWindow::mnuWrSet_Click()
{
    leaveMemoryTab();
    cmbTxData1_Click();
}

void MainWindow::mnuWrMem_Click()
{
    selectTab(kTabMemory);
    cmbTxData_Click();
}

void MainWindow::mnuWrAll_Click()
{
    leaveMemoryTab();
    m_memoryReadPending = false;
    m_memoryTabPending = true;
    m_transfers->writeAll();
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
        m_portDialog = new PortDialog(*m_port, this);
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
    const QString key = button->data().toString();
    if (key == kKeyNew)
        mnuFileNew_Click();
    else if (key == kKeyOpen)
        mnuFileOpen_Click();
    else if (key == kKeySave)
        mnuFileSave_Click();
    else if (key == kKeyPrint)
        mnuFilePrint_Click();
    else if (key == kKeyHelp)
        mnuHelpAbout_Click(); // the Help button shows the About box
}

// --- transfers ---

bool MainWindow::mayReadOverDocument()
{
    // A transfer that runs refuses the new one by itself; nothing to ask then.
    if (m_transfers->isRunning() || m_document->isBusy())
        return true;
    return m_files->promptSaveChanges();
}

void MainWindow::cmbRxData_Click()
{
    if (!mayReadOverDocument())
        return;
    m_memoryReadPending = true;
    m_transfers->readMemory();
}

void MainWindow::cmbTxData_Click()
{
    m_memoryReadPending = false;
    m_transfers->writeMemory();
}

void MainWindow::cmbRxData1_Click()
{
    if (!mayReadOverDocument())
        return;
    m_transfers->readSettings();
}

void MainWindow::cmbTxData1_Click()
{
    m_transfers->writeSettings();
}

QList<QPushButton *> MainWindow::transferButtons() const
{
    return {m_cmbRxData,
            m_cmbTxData,
            m_settings1->readButton(),
            m_settings1->writeButton(),
            m_settings2->readButton(),
            m_settings2->writeButton()};
}

void MainWindow::onMemoryBusyChanged(bool busy)
{
    if (busy) {
        if (m_memoryTabPending) {
            m_memoryTabPending = false;
            selectTab(kTabMemory);
        }
        m_readingMemory = m_memoryReadPending;
        m_memoryReadPending = false;
        if (m_readingMemory)
            m_rowBeforeRead = m_channelGrid->currentSlot();
        m_progressBar->setValue(0);
        m_progressBar->show();
    } else {
        m_progressBar->hide();
        if (m_readingMemory) {
            m_readingMemory = false;
            m_channelGrid->setCurrentSlot(m_rowBeforeRead);
        }
    }
    updateCommandStates();
}

void MainWindow::onTransferFinished(Transfers::Operation op, bool completed)
{
    if (!completed)
        return; // the stop has shown its message box
    if (op == Transfers::Operation::ReadSettings)
        m_settings1->vfoGrid()->setCurrentRow(0);
    statusBar()->showMessage(transferCompletedText(op), kStatusMessageMs);
}

void MainWindow::onSlotStarted(int slot)
{
    m_progressBar->setValue(slot);
    // The row being read is highlighted; the grid scrolls to keep it in view.
    if (m_readingMemory)
        m_channelGrid->setCurrentSlot(slot);
}

} // namespace hxv5
