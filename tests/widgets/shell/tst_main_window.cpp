#include "app/main_window.h"
#include "app/screen_units.h"
#include "app/startup.h"
#include "backups_folder.h"
#include "document/document.h"
#include "editing/channel_grid.h"
#include "editing/vfo_grid.h"
#include "fake_radio.h"
#include "files/backups.h"
#include "files/clone_file.h"
#include "link/port_dialog.h"
#include "link/port_mapping.h"
#include "link/transfers.h"
#include "scripted_interaction.h"
#include "test_home.h"
#include "test_window.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStackedLayout>
#include <QStatusBar>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <memory>

using namespace hxv5;
using namespace hxv5::testing;
using namespace std::chrono_literals;

// Every window here is driven through the objectNames a user-facing test would use; the port file
// and the placement go to a private configuration folder.
class TestMainWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void mainShowsTheSplashDuringThePause();
    void closingTheSplashEarlyOnlyHidesIt();
    void modelChoiceOnScreen();
    void startUpState_data();
    void startUpState();
    void tabsBringTheirPanelToTheFront_data();
    void tabsBringTheirPanelToTheFront();
    void modifyEditsTheRowOfTheTab_data();
    void modifyEditsTheRowOfTheTab();
    void printCommandsOpenTheirDialogs_data();
    void printCommandsOpenTheirDialogs();
    void viewTogglesTwiceLeaveThemShown();
    void helpButtonShowsTheSameAboutBox();
    void portFileAtStartUp_data();
    void portFileAtStartUp();
    void portDialogChoiceReachesThePortFile();
    void placementInTwips();
    void noPlacementWhenMinimized();
    void closingAsksOnlyWhenChanged_data();
    void closingAsksOnlyWhenChanged();
    void readMemoryLocksItsButtonsAndHighlightsRows();
    void readMemoryStops_data();
    void readMemoryStops();
    void readSettingsLocksTheSettingsButtons();
    void transferMenuItemsSwitchTabs_data();
    void transferMenuItemsSwitchTabs();
    void readSettingsMovesToTheFirstVfoRowOnlyWhenCompleted_data();
    void readSettingsMovesToTheFirstVfoRowOnlyWhenCompleted();
    void readsAskAboutUnsavedChanges_data();
    void readsAskAboutUnsavedChanges();
    void finishedTransferSaysSoInTheStatusBar_data();
    void finishedTransferSaysSoInTheStatusBar();
    void completedReadsKeepABackup_data();
    void completedReadsKeepABackup();
    void openBackupOpensTheChooserInTheBackups();
    void closingDuringATransferSaysWhy();
    void progressBarLeavesTheLayoutAlone();

private:
    std::unique_ptr<MainWindow> makeWindow(Language language = Language::English);
    // What start-up is given by the desktop program, with the scripted line and user.
    MainWindowOptions startupOptions(std::chrono::milliseconds pause) const;
    static QWidget *visibleSplash();
    template <typename T> T *child(const char *name)
    {
        T *found = m_window->findChild<T *>(QLatin1String(name));
        if (!found)
            qWarning("no %s", name);
        return found;
    }
    QAction *action(const char *name) { return child<QAction>(name); }
    // Enabled as far as the button itself goes: the panels behind the selected tab are disabled
    // as a whole, whatever their buttons are.
    bool buttonEnabled(const char *name)
    {
        auto *button = child<QPushButton>(name);
        QWidget *panel = button->parentWidget();
        while (panel && !panel->objectName().startsWith(QLatin1String("Frame1_")))
            panel = panel->parentWidget();
        return button->isEnabledTo(panel);
    }
    void writePortFileText(const QByteArray &text);
    QByteArray portFileText() const;

    hxv5::testing::TestHome m_config;
    FakeRadio *m_radio = nullptr;
    ScriptedInteraction *m_user = nullptr;
    QList<QDialog *> m_dialogsShown;
    std::function<void(QDialog &)> m_onDialog;
    std::unique_ptr<MainWindow> m_window;
};

void TestMainWindow::initTestCase()
{
    QVERIFY(m_config.enter());
    QCoreApplication::setApplicationName(QStringLiteral("tst_main_window"));
}

void TestMainWindow::init()
{
    QFile::remove(portFilePath());
    QSettings().remove(QStringLiteral("Settings"));
    m_radio = new FakeRadio;
    m_user = new ScriptedInteraction;
    m_dialogsShown.clear();
    m_onDialog = nullptr;
}

void TestMainWindow::cleanup()
{
    m_window.reset();
    delete m_radio;
    delete m_user;
}

std::unique_ptr<MainWindow> TestMainWindow::makeWindow(Language language)
{
    return openTestWindow(*m_radio, *m_user, language, [this](QDialog &dialog) {
        m_dialogsShown.append(&dialog);
        dialog.show();
        if (m_onDialog)
            m_onDialog(dialog);
    });
}

void TestMainWindow::writePortFileText(const QByteArray &text)
{
    QFile file(portFilePath());
    QVERIFY(QDir().mkpath(QFileInfo(file).absolutePath()));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

QByteArray TestMainWindow::portFileText() const
{
    QFile file(portFilePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

MainWindowOptions TestMainWindow::startupOptions(std::chrono::milliseconds pause) const
{
    MainWindowOptions options;
    options.startupPause = pause;
    options.port = m_radio;
    options.interaction = m_user;
    return options;
}

QWidget *TestMainWindow::visibleSplash()
{
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (top->objectName() == QLatin1String("frmSplash") && top->isVisible())
            return top;
    }
    return nullptr;
}

void TestMainWindow::mainShowsTheSplashDuringThePause()
{
    // Runs inside the pause if, and only if, the pause keeps the event loop turning.
    bool splashUpDuringPause = false;
    QTimer::singleShot(0, this, [&] { splashUpDuringPause = visibleSplash() != nullptr; });
    m_window = Main(startupOptions(50ms));

    QVERIFY(splashUpDuringPause);
    QVERIFY(m_window->isVisible());
    QVERIFY(!visibleSplash());
    auto *editDialog = m_window->findChild<QDialog *>(QStringLiteral("dlgModify"));
    QVERIFY(editDialog); // loaded before its first use
    QVERIFY(!editDialog->isVisible());
    QVERIFY(!m_window->document().isChanged());
}

void TestMainWindow::closingTheSplashEarlyOnlyHidesIt()
{
    // The user closes the splash window (its close box, Alt+F4) while start-up pauses.
    bool closedOne = false;
    QTimer::singleShot(20ms, this, [&] {
        if (QWidget *splash = visibleSplash())
            closedOne = splash->close();
    });
    m_window = Main(startupOptions(200ms));

    QVERIFY(closedOne);
    QVERIFY(m_window->isVisible());
    QVERIFY(m_window->findChild<QDialog *>(QStringLiteral("dlgModify")));
    QVERIFY(!visibleSplash());
}

void TestMainWindow::modelChoiceOnScreen()
{
    m_window = makeWindow();
    m_window->show();
    child<QRadioButton>("opbModel_5")->click();
    QCOMPARE(m_window->document().model(), 5);
    QVERIFY(m_window->document().isChanged());
    // "HX-V5 A" has no "AM", "SW", "Air" or "L-UHF" band; the others stay.
    for (int band = 0; band < 7; ++band) {
        auto *option = m_window->findChild<QRadioButton *>(QStringLiteral("opbBand_%1").arg(band));
        const bool available = band == 2 || band == 4 || band == 6;
        QCOMPARE(option->isEnabledTo(option->parentWidget()), available);
    }
}

void TestMainWindow::startUpState_data()
{
    QTest::addColumn<Language>("language");
    QTest::addColumn<QString>("importCaption");
    QTest::addColumn<QString>("helpToolTip");

    QTest::newRow("English") << Language::English << "Import(&I)..."
                             << "Help";
    QTest::newRow("Japanese") << Language::Japanese << "ｲﾝﾎﾟｰﾄ(&I)..."
                              << "ﾍﾙﾌﾟ";
}

void TestMainWindow::startUpState()
{
    QFETCH(Language, language);
    QFETCH(QString, importCaption);
    QFETCH(QString, helpToolTip);

    m_window = makeWindow(language);
    QCOMPARE(m_window->objectName(), QStringLiteral("frmMain"));
    // The mark stands for unsaved changes, shown only while there are some.
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Tormel HX-V5 Clone Utility[*]"));
    QVERIFY(!m_window->isWindowModified());
    QCOMPARE(action("mnuImport")->text(), importCaption);
    QCOMPARE(action("tbToolBar_Help")->toolTip(), helpToolTip);
    QVERIFY(!m_window->document().isChanged());
    QCOMPARE(m_window->document().model(), 0);
    QCOMPARE(child<QTabBar>("TabStrip1")->currentIndex(), 0);
    QCOMPARE(m_window->selectedTab(), 1);
    QVERIFY(child<QProgressBar>("ProgressBar1")->isHidden());
    QCOMPARE(child<QProgressBar>("ProgressBar1")->maximum(), 212);

    // Every menu item of the menu tree, in place.
    for (const char *name : {"mnuFile",
                             "mnuFileNew",
                             "mnuFileOpen",
                             "mnuFileOpenBackup",
                             "mnuFileRecent",
                             "mnuFileRecentClear",
                             "mnuFileSave",
                             "mnuFileSaveAs",
                             "mnuFileBar0",
                             "mnuImport",
                             "mnuExport",
                             "mnuFileCompare",
                             "mnuFileBar1",
                             "mnuFilePageSetup",
                             "mnuFilePrint",
                             "mnuFileBar2",
                             "mnuFileExit",
                             "mnuEdit",
                             "mnuEditUndo",
                             "mnuView",
                             "mnuViewToolbar",
                             "mnuStatusBar",
                             "mnuTools",
                             "mnuRe",
                             "mnuReSet",
                             "mnuReMem",
                             "mnuReAll",
                             "mnuWr",
                             "mnuWrSet",
                             "mnuWrMem",
                             "mnuWrAll",
                             "mnuToolsBar0",
                             "mnuToolsWriteChanges",
                             "mnuToolsVerify",
                             "mnuToolsBar1",
                             "mnuToolsOptions",
                             "mnuHelp",
                             "mnuHelpAbout"})
        QVERIFY2(action(name), name);
    // The Edit menu: Modify first, then the history and the clipboard.
    QStringList editMenu;
    for (const QAction *item : child<QMenu>("mnuEdit")->actions())
        editMenu << item->objectName();
    QCOMPARE(editMenu,
             (QStringList{"mnuEditUndo", "mnuEditBar0", "mnuEditUndoStep", "mnuEditRedoStep",
                          "mnuEditBar1", "mnuEditCut", "mnuEditCopy", "mnuEditPaste", "mnuEditBar2",
                          "mnuEditSelected", "mnuEditSort"}));
    QStringList helpMenu;
    for (const QAction *item : child<QMenu>("mnuHelp")->actions())
        helpMenu << item->objectName();
    QCOMPARE(helpMenu, (QStringList{"mnuHelpAbout", "mnuHelpGuide"}));
    QCOMPARE(action("mnuFileNew")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
    QVERIFY(action("mnuViewToolbar")->isChecked());
    QVERIFY(action("mnuStatusBar")->isChecked());
    QCOMPARE(child<QToolBar>("tbToolBar")->actions().size(), 5);

    // The status bar: an empty text panel, the date and the time.
    QVERIFY(child<QLabel>("sbStatusBar_Panel1")->text().isEmpty());
    QVERIFY(!child<QLabel>("sbStatusBar_Panel2")->text().isEmpty());
    QVERIFY(!child<QLabel>("sbStatusBar_Panel3")->text().isEmpty());

    // The test panel exists but is not in the way.
    QVERIFY(child<QWidget>("TestPanel")->isHidden());
    QCOMPARE(child<QLineEdit>("Text1")->text(), QStringLiteral("0000"));
}

void TestMainWindow::tabsBringTheirPanelToTheFront_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<bool>("modifyEnabled");
    QTest::newRow("Settings 1") << 1 << true;
    QTest::newRow("Settings 2") << 2 << false;
    QTest::newRow("Memory") << 3 << true;
}

void TestMainWindow::tabsBringTheirPanelToTheFront()
{
    QFETCH(int, tab);
    QFETCH(bool, modifyEnabled);

    m_window = makeWindow();
    m_window->show();
    child<QTabBar>("TabStrip1")->setCurrentIndex(tab == 1 ? 2 : 0); // start elsewhere
    child<QTabBar>("TabStrip1")->setCurrentIndex(tab - 1);

    const QString frontName = QStringLiteral("Frame1_%1").arg(tab - 1);
    auto *front = m_window->findChild<QGroupBox *>(frontName);
    QVERIFY(front);
    auto *stack = qobject_cast<QStackedLayout *>(front->parentWidget()->layout());
    QVERIFY(stack);
    QCOMPARE(stack->currentWidget(), front);
    for (int i = 0; i < 4; ++i) {
        auto *panel = m_window->findChild<QGroupBox *>(QStringLiteral("Frame1_%1").arg(i));
        // Panels behind stay visible but take no input; "Program Scan" is never disabled.
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->isEnabled(), i == tab - 1 || i == 3);
    }
    QCOMPARE(action("mnuEditUndo")->isEnabled(), modifyEnabled);
}

void TestMainWindow::modifyEditsTheRowOfTheTab_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("caption");
    QTest::newRow("Settings 1: the VFO row") << 1 << "VFO";
    QTest::newRow("Memory: the channel") << 3 << "Memory";
}

void TestMainWindow::modifyEditsTheRowOfTheTab()
{
    QFETCH(int, tab);
    QFETCH(QString, caption);

    m_window = makeWindow();
    m_window->show();
    m_window->selectTab(tab);
    QString shownCaption;
    m_onDialog = [&](QDialog &dialog) {
        shownCaption = dialog.windowTitle();
        dialog.findChild<QPushButton *>(QStringLiteral("CancelButton"))->click();
    };
    action("mnuEditUndo")->trigger();
    QCOMPARE(m_dialogsShown.size(), 1);
    QCOMPARE(m_dialogsShown.first()->objectName(), QStringLiteral("dlgModify"));
    QVERIFY2(shownCaption.contains(caption, Qt::CaseInsensitive), qPrintable(shownCaption));
    QVERIFY(!m_window->document().isChanged());

    // The same dialog is shown again next time.
    action("mnuEditUndo")->trigger();
    QCOMPARE(m_dialogsShown.size(), 2);
    QCOMPARE(m_dialogsShown.at(1), m_dialogsShown.at(0));
}

void TestMainWindow::printCommandsOpenTheirDialogs_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("dialogClass");
    QTest::newRow("Print, toolbar") << "tbToolBar_Print"
                                    << "hxv5::DlgPrint";
    QTest::newRow("Print, menu") << "mnuFilePrint"
                                 << "hxv5::DlgPrint";
    QTest::newRow("Print Setup") << "mnuFilePageSetup"
                                 << "hxv5::PrinterSetupDialog";
}

void TestMainWindow::printCommandsOpenTheirDialogs()
{
    QFETCH(QString, command);
    QFETCH(QString, dialogClass);

    m_window = makeWindow();
    QStringList shown;
    m_onDialog = [&](QDialog &dialog) {
        shown.append(QString::fromLatin1(dialog.metaObject()->className()));
        dialog.reject();
    };
    QAction *item = m_window->findChild<QAction *>(command);
    QVERIFY(item->isEnabled());
    item->trigger();
    QCOMPARE(shown, QStringList{dialogClass}); // cancelled: nothing further is shown
}

void TestMainWindow::viewTogglesTwiceLeaveThemShown()
{
    m_window = makeWindow();
    m_window->show();
    struct Toggle
    {
        const char *item;
        QWidget *bar;
    };
    for (const Toggle &t : {Toggle{"mnuViewToolbar", child<QToolBar>("tbToolBar")},
                            Toggle{"mnuStatusBar", m_window->statusBar()}}) {
        QAction *item = action(t.item);
        item->trigger();
        QVERIFY(!item->isChecked());
        QVERIFY(t.bar->isHidden());
        item->trigger();
        QVERIFY(item->isChecked());
        QVERIFY(!t.bar->isHidden());
    }
}

void TestMainWindow::helpButtonShowsTheSameAboutBox()
{
    m_window = makeWindow();
    m_onDialog = [](QDialog &dialog) {
        dialog.findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
    };
    action("tbToolBar_Help")->trigger();
    QCOMPARE(m_dialogsShown.size(), 1);
    QCOMPARE(m_dialogsShown.first()->objectName(), QStringLiteral("frmAbout"));
    QVERIFY(!m_dialogsShown.first()->isVisible()); // OK hid it

    action("mnuHelpAbout")->trigger();
    QCOMPARE(m_dialogsShown.size(), 2);
    QCOMPARE(m_dialogsShown.at(1), m_dialogsShown.at(0));
}

void TestMainWindow::portFileAtStartUp_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("present");
    QTest::addColumn<int>("port");

    QTest::newRow("no file") << QByteArray() << false << 1;
    QTest::newRow("7") << QByteArray("7\r\n") << true << 7;
    QTest::newRow("14") << QByteArray("14\r\n") << true << 14;
    QTest::newRow("15 is out of range") << QByteArray("15\r\n") << true << 1;
    QTest::newRow("0 is out of range") << QByteArray("0\r\n") << true << 1;
    QTest::newRow("not a number") << QByteArray("COM3\r\n") << true << 1;
    QTest::newRow("empty") << QByteArray() << true << 1;
}

void TestMainWindow::portFileAtStartUp()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, present);
    QFETCH(int, port);

    if (present)
        writePortFileText(content);
    m_window = makeWindow();
    QCOMPARE(m_window->serialPort().portNumber(), port);
    QVERIFY(!m_radio->isOpen()); // loading does not open the port

    QVERIFY(m_window->close());
    QCOMPARE(portFileText(), QByteArray::number(port) + "\r\n");
}

void TestMainWindow::portDialogChoiceReachesThePortFile()
{
    writePortFileText("7\r\n");
    m_window = makeWindow();
    m_onDialog = [](QDialog &dialog) {
        QCOMPARE(dialog.objectName(), QStringLiteral("dlgCOM"));
        QVERIFY(dialog.findChild<QRadioButton *>(QStringLiteral("opbCom_6"))->isChecked());
        dialog.findChild<QRadioButton *>(QStringLiteral("opbCom_2"))->click();
        dialog.findChild<QPushButton *>(QStringLiteral("OKButton"))->click();
    };
    action("mnuToolsOptions")->trigger();
    QCOMPARE(m_window->serialPort().portNumber(), 3);
    QVERIFY(m_window->portDialog());

    QVERIFY(m_window->close());
    QCOMPARE(portFileText(), QByteArray("3\r\n"));
    QVERIFY(!m_window->portDialog()); // unloaded with the main window
}

void TestMainWindow::placementInTwips()
{
    m_window = makeWindow();
    m_window->show();
    const QRect placement(40, 30, 900, 800);
    m_window->setGeometry(placement);
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    const QRect frame = m_window->frameGeometry();
    QVERIFY(m_window->close());

    QSettings store;
    store.beginGroup(QStringLiteral("Settings"));
    // Twips are 1440 per inch, whatever the screen's resolution.
    const double dpi = m_window->screen()->logicalDotsPerInch();
    const auto twips = [dpi](int pixels) { return qRound(pixels * 1440 / dpi); };
    QCOMPARE(store.value(QStringLiteral("MainLeft")).toInt(), twips(frame.x()));
    QCOMPARE(store.value(QStringLiteral("MainTop")).toInt(), twips(frame.y()));
    QCOMPARE(store.value(QStringLiteral("MainWidth")).toInt(), twips(frame.width()));
    QCOMPARE(store.value(QStringLiteral("MainHeight")).toInt(), twips(frame.height()));
    // The frame holds the placement given, so the stored size is at least that placement's,
    // in twips (pixels stored as they are would be far smaller at any usual resolution).
    QVERIFY(store.value(QStringLiteral("MainWidth")).toInt() >= twips(placement.width()));
    QVERIFY(store.value(QStringLiteral("MainHeight")).toInt() >= twips(placement.height()));
    QVERIFY(store.value(QStringLiteral("MainLeft")).toInt() <= twips(placement.x()));
}

void TestMainWindow::noPlacementWhenMinimized()
{
    m_window = makeWindow();
    m_window->showMinimized();
    QVERIFY(m_window->close());
    QVERIFY(!QSettings().childGroups().contains(QStringLiteral("Settings")));
    QCOMPARE(portFileText(), QByteArray("1\r\n")); // the port file is written all the same
}

void TestMainWindow::closingAsksOnlyWhenChanged_data()
{
    QTest::addColumn<bool>("changed");
    QTest::addColumn<UserInteraction::Answer>("answer");
    QTest::addColumn<int>("questions");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<QString>("saveName"); // what the save chooser answers ("" cancels it)

    QTest::newRow("unchanged") << false << UserInteraction::Answer::Cancel << 0 << true << "";
    QTest::newRow("changed, Cancel") << true << UserInteraction::Answer::Cancel << 1 << false << "";
    QTest::newRow("changed, No") << true << UserInteraction::Answer::No << 1 << true << "";
    QTest::newRow("changed, Yes, saved")
        << true << UserInteraction::Answer::Yes << 1 << true << "closing.TV5";
    QTest::newRow("changed, Yes, save chooser cancelled")
        << true << UserInteraction::Answer::Yes << 1 << false << "";
}

void TestMainWindow::closingAsksOnlyWhenChanged()
{
    QFETCH(bool, changed);
    QFETCH(UserInteraction::Answer, answer);
    QFETCH(int, questions);
    QFETCH(bool, closes);
    QFETCH(QString, saveName);

    QTemporaryDir files;
    const QString savePath = saveName.isEmpty() ? QString() : files.filePath(saveName);
    m_window = makeWindow();
    m_window->show();
    m_window->document().channels().setEnabled(7, true);
    m_window->document().setChanged(changed);
    m_user->saveAnswer = answer;
    m_user->savePath = savePath;
    QCOMPARE(m_window->close(), closes);
    QCOMPARE(m_user->saveQuestions, questions);
    QCOMPARE(m_window->isVisible(), !closes);
    QCOMPARE(QFile::exists(portFilePath()), closes);
    // Yes writes the clone file before the window goes: 445 lines holding the edit.
    if (!savePath.isEmpty()) {
        QFile saved(savePath);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll().count('\n'), 445);
        QVERIFY(!m_window->document().isChanged());
    }
}

void TestMainWindow::readMemoryLocksItsButtonsAndHighlightsRows()
{
    m_window = makeWindow();
    m_window->show();
    m_window->selectTab(3);
    auto *grid = child<ChannelGrid>("MSFlexGrid1");
    grid->setCurrentSlot(5);
    QList<int> highlightMisses;
    connect(&m_window->transfers(), &Transfers::slotStarted, this, [&](int slot) {
        if (grid->currentSlot() != slot)
            highlightMisses.append(slot);
    });

    auto *read = child<QPushButton>("cmbRxData");
    auto *write = child<QPushButton>("cmbTxData");
    read->click();

    QVERIFY(!read->isEnabled());
    QVERIFY(!write->isEnabled());
    // The other group's buttons too: no second transfer can start.
    for (const char *name : {"cmbRxData1", "cmbTxData1", "cmbRxData2", "cmbTxData2"})
        QVERIFY2(!buttonEnabled(name), name);
    QVERIFY(!buttonEnabled("cmbClear")); // the list operations wait
    QVERIFY(child<QProgressBar>("ProgressBar1")->isVisible());
    for (const char *name : {"mnuFileNew", "mnuFileOpen", "mnuImport", "mnuToolsOptions",
                             "mnuEditUndo", "mnuReSet", "tbToolBar_Open"})
        QVERIFY2(!action(name)->isEnabled(), name);
    QVERIFY(!m_window->close()); // not under a running transfer

    QTRY_VERIFY(!m_window->transfers().isRunning());
    QVERIFY(read->isEnabled());
    QVERIFY(write->isEnabled());
    for (const char *name : {"cmbRxData1", "cmbTxData1", "cmbRxData2", "cmbTxData2"})
        QVERIFY2(buttonEnabled(name), name);
    QVERIFY(child<QProgressBar>("ProgressBar1")->isHidden());
    for (const char *name : {"mnuFileNew", "mnuToolsOptions", "mnuEditUndo", "mnuReSet"})
        QVERIFY2(action(name)->isEnabled(), name);
    QVERIFY(m_user->errors.isEmpty());
    QVERIFY(m_window->document().isChanged());
    QVERIFY(highlightMisses.isEmpty());
    QCOMPARE(grid->currentSlot(), 5); // the row current before the read
    QCOMPARE(m_radio->sent.size(), 215);
    QVERIFY(m_window->document().channels().isEnabled(212)); // the radio's bitmap: all on
}

void TestMainWindow::readMemoryStops_data()
{
    QTest::addColumn<bool>("portOpens");
    QTest::addColumn<int>("silentBlock");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("changed");

    QTest::newRow("no port") << false << -1 << "COM Port Error" << false;
    QTest::newRow("radio silent from the start") << true << 214 << "Communication Error" << false;
    QTest::newRow("radio silent at slot 57") << true << 57 << "Communication Error" << true;
}

void TestMainWindow::readMemoryStops()
{
    QFETCH(bool, portOpens);
    QFETCH(int, silentBlock);
    QFETCH(QString, message);
    QFETCH(bool, changed);

    m_radio->openFails = !portOpens;
    if (silentBlock >= 0)
        m_radio->faults[silentBlock] = {};
    m_window = makeWindow();
    // Short, for the silent block's ten attempts, yet long enough for every answer the radio
    // gives to arrive in time on a busy machine.
    m_window->transfers().exchange().setReplyTimeout(20ms);
    m_window->show();
    m_window->selectTab(3);
    auto *grid = child<ChannelGrid>("MSFlexGrid1");
    grid->setCurrentSlot(9);

    child<QPushButton>("cmbRxData")->click();
    QTRY_VERIFY(!m_window->transfers().isRunning());

    QCOMPARE(m_user->errors, QStringList{message});
    QVERIFY(child<QPushButton>("cmbRxData")->isEnabled());
    QVERIFY(child<QPushButton>("cmbTxData")->isEnabled());
    QVERIFY(child<QProgressBar>("ProgressBar1")->isHidden());
    QVERIFY(action("mnuFileNew")->isEnabled());
    QCOMPARE(grid->currentSlot(), 9);
    QCOMPARE(m_window->document().isChanged(), changed);
}

void TestMainWindow::readSettingsLocksTheSettingsButtons()
{
    m_window = makeWindow();
    m_window->show();
    m_radio->blocks[213] = QStringLiteral("A5040A0304000000000200006C23FFFF");
    m_window->selectTab(2);
    child<QPushButton>("cmbRxData2")->click();
    for (const char *name : {"cmbRxData1", "cmbTxData1", "cmbRxData2", "cmbTxData2"})
        QVERIFY2(!buttonEnabled(name), name);
    // The memory page's buttons too, though their panel is behind.
    QVERIFY(!buttonEnabled("cmbRxData"));
    QVERIFY(!buttonEnabled("cmbTxData"));
    QVERIFY(child<QProgressBar>("ProgressBar1")->isHidden());

    QTRY_VERIFY(!m_window->transfers().isRunning());
    for (const char *name : {"cmbRxData1", "cmbTxData1", "cmbRxData2", "cmbTxData2"})
        QVERIFY2(buttonEnabled(name), name);
    QVERIFY(buttonEnabled("cmbRxData"));
    QCOMPARE(m_window->document().model(), 4); // the radio's model byte
    QVERIFY(m_window->document().isChanged());
}

void TestMainWindow::transferMenuItemsSwitchTabs_data()
{
    QTest::addColumn<int>("startTab");
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("tabDuring");

    QTest::newRow("Read Memory from Settings 1") << 1 << "mnuReMem" << 3;
    QTest::newRow("Write Memory from Settings 2") << 2 << "mnuWrMem" << 3;
    QTest::newRow("Read Settings from Memory") << 3 << "mnuReSet" << 1;
    QTest::newRow("Write Settings from Settings 2") << 2 << "mnuWrSet" << 2;
    QTest::newRow("Read All from Memory") << 3 << "mnuReAll" << 1;
}

void TestMainWindow::transferMenuItemsSwitchTabs()
{
    QFETCH(int, startTab);
    QFETCH(QString, item);
    QFETCH(int, tabDuring);

    m_window = makeWindow();
    m_window->selectTab(startTab);
    m_window->findChild<QAction *>(item)->trigger();
    QCOMPARE(m_window->selectedTab(), tabDuring);
    QVERIFY(m_window->transfers().isRunning());
    QTRY_VERIFY(!m_window->transfers().isRunning());
    if (item.endsWith(QLatin1String("All")))
        QCOMPARE(m_window->selectedTab(), 3); // the memory half brought its tab forward
    QVERIFY(m_user->errors.isEmpty());
}

void TestMainWindow::readSettingsMovesToTheFirstVfoRowOnlyWhenCompleted_data()
{
    QTest::addColumn<int>("silentBlock");
    QTest::addColumn<int>("rowAfter");

    QTest::newRow("completed") << -1 << 0;
    QTest::newRow("stopped at the settings block") << 213 << 3;
    QTest::newRow("stopped at a VFO band") << 218 << 3;
}

void TestMainWindow::readSettingsMovesToTheFirstVfoRowOnlyWhenCompleted()
{
    QFETCH(int, silentBlock);
    QFETCH(int, rowAfter);

    if (silentBlock >= 0)
        m_radio->faults[silentBlock] = {};
    m_window = makeWindow();
    // Short, for the silent block's ten attempts, yet long enough for every answer the radio
    // gives to arrive in time on a busy machine.
    m_window->transfers().exchange().setReplyTimeout(20ms);
    m_window->show();
    auto *vfo = child<VfoGrid>("MSFlexGrid2");
    vfo->setCurrentRow(3);
    QCOMPARE(vfo->currentRow(), 3);

    child<QPushButton>("cmbRxData1")->click();
    QVERIFY(m_window->transfers().isRunning());
    QTRY_VERIFY(!m_window->transfers().isRunning());
    QCOMPARE(m_user->errors.isEmpty(), silentBlock < 0);
    QCOMPARE(vfo->currentRow(), rowAfter);
}

void TestMainWindow::readsAskAboutUnsavedChanges_data()
{
    QTest::addColumn<QString>("command"); // a button or a menu item
    QTest::addColumn<bool>("changed");
    QTest::addColumn<UserInteraction::Answer>("answer");
    QTest::addColumn<int>("questions");
    QTest::addColumn<bool>("reads");
    QTest::addColumn<bool>("saved");

    using A = UserInteraction::Answer;
    for (const char *command : {"cmbRxData", "cmbRxData1", "mnuReMem", "mnuReSet", "mnuReAll"}) {
        const QString c = QLatin1String(command);
        QTest::addRow("%s, unchanged", command) << c << false << A::Cancel << 0 << true << false;
        QTest::addRow("%s, Cancel", command) << c << true << A::Cancel << 1 << false << false;
        QTest::addRow("%s, No", command) << c << true << A::No << 1 << true << false;
        QTest::addRow("%s, Yes", command) << c << true << A::Yes << 1 << true << true;
    }
}

void TestMainWindow::readsAskAboutUnsavedChanges()
{
    QFETCH(QString, command);
    QFETCH(bool, changed);
    QFETCH(UserInteraction::Answer, answer);
    QFETCH(int, questions);
    QFETCH(bool, reads);
    QFETCH(bool, saved);

    QTemporaryDir files;
    m_window = makeWindow();
    m_window->show();
    m_window->selectTab(command == QLatin1String("cmbRxData") ? 3 : 1);
    m_window->document().setChanged(changed);
    m_user->saveAnswer = answer;
    m_user->savePath = files.filePath(QStringLiteral("before-reading.TV5"));

    if (command.startsWith(QLatin1String("mnu")))
        action(qPrintable(command))->trigger();
    else
        child<QPushButton>(qPrintable(command))->click();

    QCOMPARE(m_user->saveQuestions, questions);
    QCOMPARE(m_window->transfers().isRunning(), reads);
    QTRY_VERIFY(!m_window->transfers().isRunning());
    QCOMPARE(!m_radio->sent.isEmpty(), reads);
    QCOMPARE(QFile::exists(m_user->savePath), saved);
    QVERIFY(m_user->errors.isEmpty());
    // Cancel keeps the unsaved data and its flag; a read sets the flag anew.
    QCOMPARE(m_window->document().isChanged(), changed || reads);
}

void TestMainWindow::finishedTransferSaysSoInTheStatusBar_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("portOpens");
    QTest::addColumn<QString>("message");

    QTest::newRow("Read Memory") << "cmbRxData" << true << "Read Memory completed";
    QTest::newRow("Write Memory") << "cmbTxData" << true << "Write Memory completed";
    QTest::newRow("Read Settings") << "cmbRxData1" << true << "Read Settings completed";
    QTest::newRow("Write Settings") << "cmbTxData1" << true << "Write Settings completed";
    QTest::newRow("Read Memory, no port") << "cmbRxData" << false << "";
}

void TestMainWindow::finishedTransferSaysSoInTheStatusBar()
{
    QFETCH(QString, button);
    QFETCH(bool, portOpens);
    QFETCH(QString, message);

    m_radio->openFails = !portOpens;
    m_window = makeWindow();
    // The plain writes: their notices are the bare "... completed".
    chooseMenuItem(*m_window, "mnuToolsWriteChanges", false);
    m_window->show();
    m_window->selectTab(button.startsWith(QLatin1String("cmbRxData1")) ||
                                button.startsWith(QLatin1String("cmbTxData1"))
                            ? 1
                            : 3);
    QCOMPARE(m_window->statusBar()->currentMessage(), QString());
    child<QPushButton>(qPrintable(button))->click();
    QTRY_VERIFY(!m_window->transfers().isRunning());
    QCOMPARE(m_window->statusBar()->currentMessage(), message);
    QCOMPARE(m_user->errors.isEmpty(), portOpens);
}

void TestMainWindow::completedReadsKeepABackup_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("silentBlock");
    QTest::addColumn<bool>("blockBackups"); // a file where the backups folder goes
    QTest::addColumn<int>("backups");

    QTest::newRow("Read Memory") << "mnuReMem" << -1 << false << 1;
    QTest::newRow("Read Settings") << "mnuReSet" << -1 << false << 1;
    QTest::newRow("ALL: one backup of the whole image") << "mnuReAll" << -1 << false << 1;
    QTest::newRow("Read Memory stopped") << "mnuReMem" << 57 << false << 0;
    QTest::newRow("Read Settings stopped") << "mnuReSet" << 213 << false << 0;
    QTest::newRow("ALL with its settings half stopped") << "mnuReAll" << 213 << false << 0;
    QTest::newRow("ALL with its memory half stopped") << "mnuReAll" << 57 << false << 0;
    QTest::newRow("Write Memory") << "mnuWrMem" << -1 << false << 0;
    QTest::newRow("ALL write") << "mnuWrAll" << -1 << false << 0;
    QTest::newRow("no backup possible") << "mnuReMem" << -1 << true << 0;
}

void TestMainWindow::completedReadsKeepABackup()
{
    QFETCH(QString, item);
    QFETCH(int, silentBlock);
    QFETCH(bool, blockBackups);
    QFETCH(int, backups);

    const QString folder = backupsFolder();
    QVERIFY(folder.startsWith(m_config.path()));
    QVERIFY(prepareBackupsFolder(folder, blockBackups));
    if (silentBlock >= 0)
        m_radio->faults[silentBlock] = {};
    m_window = makeWindow();
    // The plain writes read nothing first, so they keep nothing.
    chooseMenuItem(*m_window, "mnuToolsWriteChanges", false);
    // Short, for the silent block's ten attempts, yet long enough for every answer the radio
    // gives to arrive in time on a busy machine.
    m_window->transfers().exchange().setReplyTimeout(20ms);
    m_window->findChild<QAction *>(item)->trigger();
    QTRY_VERIFY(!m_window->transfers().isRunning());

    const QStringList kept = QDir(folder).entryList({QStringLiteral("*.TV5")}, QDir::Files);
    QCOMPARE(kept.size(), backups);
    if (backups > 0) {
        QVERIFY2(kept.first().endsWith(QLatin1String("-after-read.TV5")), qPrintable(kept.first()));
        QFile backup(QDir(folder).filePath(kept.first()));
        QVERIFY(backup.open(QIODevice::ReadOnly));
        QCOMPARE(backup.readAll(), cloneFileBytes(m_window->document()));
    }
    if (blockBackups) {
        // Told, but the read itself completed.
        QVERIFY(m_user->errors.isEmpty());
        QVERIFY2(m_window->statusBar()->currentMessage().startsWith(QLatin1String("Backup")),
                 qPrintable(m_window->statusBar()->currentMessage()));
        QVERIFY(QFileInfo(folder).isFile());
    }
}

void TestMainWindow::openBackupOpensTheChooserInTheBackups()
{
    m_window = makeWindow();
    Document source;
    source.settings().setVolume(23);
    const QString folder = backupsFolder();
    QFile::remove(folder); // what an earlier test put in the way
    QVERIFY(QDir().mkpath(folder));
    const QString file = folder + QStringLiteral("/2026-12-08T21-30-05.TV5");
    QCOMPARE(writeCloneFile(file, source), FileError::None);
    m_window->document().setChanged(true);
    m_user->saveAnswer = UserInteraction::Answer::No;
    m_user->openPath = file;

    m_window->findChild<QAction *>("mnuFileOpenBackup")->trigger();
    QCOMPARE(m_user->asked, (QStringList{"prompt", "open clone"}));
    QCOMPARE(m_user->openFolder, folder);
    QCOMPARE(m_window->document().settings().volume(), 23);
    QCOMPARE(m_window->document().currentFile(), file);
    QVERIFY(!m_window->document().isChanged());
}

void TestMainWindow::closingDuringATransferSaysWhy()
{
    m_window = makeWindow();
    m_window->show();
    m_window->selectTab(3);
    child<QPushButton>("cmbRxData")->click();
    QVERIFY(m_window->transfers().isRunning());
    QVERIFY(!m_window->close());
    QVERIFY(m_window->isVisible());
    QVERIFY2(m_window->statusBar()->currentMessage().contains(QLatin1String("transfer")),
             qPrintable(m_window->statusBar()->currentMessage()));
    QTRY_VERIFY(!m_window->transfers().isRunning());
    m_user->saveAnswer = UserInteraction::Answer::No; // the read set the changed flag
    QVERIFY(m_window->close());
}

void TestMainWindow::progressBarLeavesTheLayoutAlone()
{
    m_window = makeWindow();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_window->selectTab(3);
    auto *client = child<QFrame>("TabStrip1Client");
    const QSize windowBefore = m_window->size();
    const QRect clientBefore = client->geometry();

    child<QPushButton>("cmbRxData")->click();
    QVERIFY(child<QProgressBar>("ProgressBar1")->isVisible());
    QCoreApplication::processEvents(); // the layout settles
    QCOMPARE(client->geometry(), clientBefore);

    QTRY_VERIFY(!m_window->transfers().isRunning());
    QCoreApplication::processEvents();
    QCOMPARE(m_window->size(), windowBefore);
    QCOMPARE(client->geometry(), clientBefore);
}

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
