#include "app/main_window.h"
#include "document/document.h"
#include "editing/channel_grid.h"
#include "scripted_interaction.h"
#include "scripted_radio.h"
#include "test_window.h"

#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QSlider>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <memory>

using namespace hxv5;
using namespace hxv5::testing;
using namespace std::chrono_literals;

// The editor's commands of the window: the history, the keyboard and the caption's mark.
class TestMainWindowEditing : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void usualShortcuts_data();
    void usualShortcuts();
    void noTwoCommandsShareAKey();
    void undoAndRedoNameTheStep();
    void shortcutsReachTheHistory();
    void captionMarksUnsavedChanges();
    void sliderDragIsOneStep();
    void helpShowsTheUsersPartOfTheReadme();
    void gridsGrowWithTheWindow();
    void pasteReportsSkippedRows_data();
    void pasteReportsSkippedRows();
    void columnWidthsAreKept();

private:
    QAction *action(const char *name) const
    {
        return m_window->findChild<QAction *>(QLatin1String(name));
    }
    void click(const char *button) const
    {
        m_window->findChild<QPushButton *>(QLatin1String(button))->click();
    }

    QTemporaryDir m_config;
    std::unique_ptr<ScriptedRadio> m_radio;
    std::unique_ptr<ScriptedInteraction> m_user;
    std::unique_ptr<MainWindow> m_window;
};

void TestMainWindowEditing::initTestCase()
{
    QVERIFY(m_config.isValid());
    qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
    QCoreApplication::setOrganizationName(QStringLiteral("hxv5-test"));
    QCoreApplication::setApplicationName(QStringLiteral("tst_main_window_editing"));
}

void TestMainWindowEditing::init()
{
    m_radio = std::make_unique<ScriptedRadio>();
    m_user = std::make_unique<ScriptedInteraction>();
    m_window = openTestWindow(*m_radio, *m_user);
}

void TestMainWindowEditing::cleanup()
{
    m_window.reset();
    m_user.reset();
    m_radio.reset();
}

void TestMainWindowEditing::usualShortcuts_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QList<QKeySequence>>("keys");

    const auto keys = [](std::initializer_list<const char *> texts) {
        QList<QKeySequence> list;
        for (const char *text : texts)
            list << QKeySequence::fromString(QLatin1String(text), QKeySequence::PortableText);
        return list;
    };
    QTest::newRow("New") << "mnuFileNew" << keys({"Ctrl+N"});
    QTest::newRow("Open") << "mnuFileOpen" << keys({"Ctrl+O"});
    QTest::newRow("Save") << "mnuFileSave" << keys({"Ctrl+S"});
    QTest::newRow("Save As") << "mnuFileSaveAs" << keys({"Ctrl+Shift+S"});
    QTest::newRow("Print") << "mnuFilePrint" << keys({"Ctrl+P"});
    QTest::newRow("Help") << "mnuHelpContents" << keys({"F1"});
    QTest::newRow("Undo") << "mnuEditUndoStep" << keys({"Ctrl+Z"});
    QTest::newRow("Redo") << "mnuEditRedoStep" << keys({"Ctrl+Shift+Z", "Ctrl+Y"});
    QTest::newRow("Cut") << "mnuEditCut" << keys({"Ctrl+X"});
    QTest::newRow("Copy") << "mnuEditCopy" << keys({"Ctrl+C"});
    QTest::newRow("Paste") << "mnuEditPaste" << keys({"Ctrl+V"});
}

void TestMainWindowEditing::usualShortcuts()
{
    QFETCH(QString, command);
    QFETCH(QList<QKeySequence>, keys);
    QAction *item = action(qPrintable(command));
    QVERIFY(item);
    for (const QKeySequence &key : keys)
        QVERIFY2(item->shortcuts().contains(key), qPrintable(key.toString()));
}

// A key two commands share triggers neither of them.
void TestMainWindowEditing::noTwoCommandsShareAKey()
{
    QHash<QKeySequence, QString> owners;
    for (const QAction *item : m_window->findChildren<QAction *>()) {
        for (const QKeySequence &key : item->shortcuts()) {
            QVERIFY2(!owners.contains(key),
                     qPrintable(key.toString() + QLatin1String(": ") + owners.value(key) +
                                QLatin1Char(' ') + item->objectName()));
            owners.insert(key, item->objectName());
        }
    }
}

void TestMainWindowEditing::undoAndRedoNameTheStep()
{
    m_window->selectTab(3);
    QCOMPARE(action("mnuEditUndoStep")->text(), QStringLiteral("Undo(&U)"));
    QVERIFY(!action("mnuEditUndoStep")->isEnabled());

    Document &doc = m_window->document();
    TableRow row;
    row.number[kColFrequency] = 145;
    row.text[kColFrequency] = formatMHz(145);
    doc.channels().setSlot(12, row, true);
    doc.setChanged(false);
    m_window->findChild<ChannelGrid *>()->setCurrentSlot(12);
    click("cmbDisable");
    QVERIFY(!doc.channels().isEnabled(12));
    QCOMPARE(action("mnuEditUndoStep")->text(), QStringLiteral("Undo Disable(&U)"));
    QVERIFY(action("mnuEditUndoStep")->isEnabled());
    QVERIFY(!action("mnuEditRedoStep")->isEnabled());

    action("mnuEditUndoStep")->trigger();
    QVERIFY(doc.channels().isEnabled(12));
    QVERIFY(!doc.isChanged());
    QCOMPARE(action("mnuEditUndoStep")->text(), QStringLiteral("Undo(&U)"));
    QCOMPARE(action("mnuEditRedoStep")->text(), QStringLiteral("Redo Disable(&R)"));
    QVERIFY(action("mnuEditRedoStep")->isEnabled());

    // While a transfer runs the history waits too.
    doc.setBusy(true);
    QVERIFY(!action("mnuEditRedoStep")->isEnabled());
    doc.setBusy(false);
    action("mnuEditRedoStep")->trigger();
    QVERIFY(!doc.channels().isEnabled(12));
    QVERIFY(doc.isChanged());

    // An Insert that pushes a channel out says which, and Undo brings it back.
    row.text[kColNotes] = QStringLiteral("LAST");
    doc.channels().setSlot(199, row, true);
    click("cmbInsert");
    QCOMPARE(m_window->statusBar()->currentMessage(),
             QStringLiteral("Channel 199 \"LAST\" pushed out; Undo brings it back"));
    action("mnuEditUndoStep")->trigger();
    QCOMPARE(doc.channels().text(199, kColNotes), QStringLiteral("LAST"));
}

void TestMainWindowEditing::shortcutsReachTheHistory()
{
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    m_window->selectTab(3);
    Document &doc = m_window->document();
    click("cmbDisAll");
    click("cmbEnAll"); // no channel: nothing changes, no step
    QCOMPARE(doc.history().count(), 0);
    doc.channels().setSlot(
        3,
        [] {
            TableRow row;
            row.number[kColFrequency] = 145;
            row.text[kColFrequency] = formatMHz(145);
            return row;
        }(),
        false);
    doc.setChanged(false);
    click("cmbEnAll");
    QVERIFY(doc.channels().isEnabled(3));
    QTest::keySequence(m_window.get(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    QVERIFY(!doc.channels().isEnabled(3));
    QTest::keySequence(m_window.get(), QKeySequence(Qt::CTRL | Qt::Key_Y));
    QVERIFY(doc.channels().isEnabled(3));
    QTest::keySequence(m_window.get(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    QTest::keySequence(m_window.get(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    QVERIFY(doc.channels().isEnabled(3));
}

void TestMainWindowEditing::captionMarksUnsavedChanges()
{
    Document &doc = m_window->document();
    QVERIFY(m_window->windowTitle().endsWith(QLatin1String("[*]")));
    QVERIFY(!m_window->isWindowModified());
    m_window->selectTab(3);
    click("cmbDisable"); // sets the changed flag, whatever the slot holds
    QVERIFY(m_window->isWindowModified());
    doc.setChanged(false);
    QVERIFY(!m_window->isWindowModified());
    // A caption naming the file keeps the mark.
    doc.setCurrentFile(QStringLiteral("/tmp/radio.TV5"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("radio.TV5 - Tormel HX-V5 Clone Utility[*]"));
}

void TestMainWindowEditing::sliderDragIsOneStep()
{
    Document &doc = m_window->document();
    auto *slider = m_window->findChild<QSlider *>(QStringLiteral("Slider1"));
    QVERIFY(slider);
    const int start = doc.settings().volume();
    slider->setSliderDown(true);
    Q_EMIT slider->sliderPressed();
    for (int value : {2, 5, 9, 14})
        slider->setValue(value);
    slider->setSliderDown(false);
    QCOMPARE(doc.settings().volume(), 14);
    QCOMPARE(doc.history().count(), 1);
    QCOMPARE(doc.history().undoText(), QStringLiteral("Change Volume"));
    // A key press afterwards is a step of its own.
    slider->setValue(15);
    QCOMPARE(doc.history().count(), 2);

    QVERIFY(doc.undo());
    QVERIFY(doc.undo());
    QCOMPARE(doc.settings().volume(), start);
    QCOMPARE(slider->value(), start);
    QVERIFY(!doc.isChanged());
    // Putting the value back was no change of the user's.
    QCOMPARE(doc.history().count(), 2);
}

void TestMainWindowEditing::helpShowsTheUsersPartOfTheReadme()
{
    QVERIFY(!m_window->helpWindow());
    action("mnuHelpContents")->trigger();
    QWidget *help = m_window->helpWindow();
    QVERIFY(help);
    QVERIFY(help->isVisible());
    auto *text = help->findChild<QTextBrowser *>();
    QVERIFY(text);
    QVERIFY(text->isReadOnly());
    const QString shown = text->toPlainText();
    QVERIFY(shown.contains(QLatin1String("HX-V5 Clone Utility")));
    QVERIFY(shown.contains(QLatin1String("COM Port Setup")));
    QVERIFY(!shown.contains(QLatin1String("Fuzzing")));
    // The same window comes back.
    action("mnuHelpContents")->trigger();
    QCOMPARE(m_window->helpWindow(), help);
}

void TestMainWindowEditing::gridsGrowWithTheWindow()
{
    m_window->selectTab(3);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    auto *grid = m_window->findChild<ChannelGrid *>();
    const QSize start = grid->size();
    const int startRows = grid->shownRowCount();
    QVERIFY(startRows >= ChannelGrid::kVisibleRows);
    m_window->resize(m_window->width() + 300, m_window->height() + 300);
    QTRY_VERIFY(grid->height() > start.height() + 200);
    QVERIFY(grid->width() > start.width() + 200);
    QVERIFY(grid->shownRowCount() > startRows);
    // The columns can be widened by their headings, and then the grid scrolls sideways to them.
    for (int c = 0; c < kColumnCount; ++c)
        QCOMPARE(grid->horizontalHeader()->sectionResizeMode(c), QHeaderView::Interactive);
    QCOMPARE(grid->horizontalScrollBar()->maximum(), 0);
    grid->horizontalHeader()->resizeSection(kColNotes, grid->width() * 2);
    QTRY_VERIFY(grid->horizontalScrollBar()->maximum() > 0);
}

void TestMainWindowEditing::pasteReportsSkippedRows_data()
{
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<int>("reports");
    QTest::addColumn<int>("skipped");
    QTest::addColumn<int>("steps");

    QTest::newRow("all good: no report") << "145.1\tAM\n145.2\tFM\n" << 0 << 0 << 1;
    QTest::newRow("one bad row") << "145.1\tAM\n145.2\tfm\n" << 1 << 1 << 1;
    QTest::newRow("nothing usable") << "hello" << 1 << 1 << 0;
}

void TestMainWindowEditing::pasteReportsSkippedRows()
{
    QFETCH(QString, clipboard);
    QFETCH(int, reports);
    QFETCH(int, skipped);
    QFETCH(int, steps);

    m_window->selectTab(3);
    m_window->findChild<ChannelGrid *>()->setCurrentSlot(20);
    QGuiApplication::clipboard()->setText(clipboard);
    action("mnuEditPaste")->trigger();
    QCOMPARE(m_user->reports.size(), reports);
    if (reports > 0)
        QCOMPARE(m_user->reports.first().skipped.size(), skipped);
    QCOMPARE(m_window->document().history().count(), steps);
    if (steps > 0)
        QCOMPARE(m_window->document().channels().text(20, kColFrequency),
                 QStringLiteral("145.10000"));
}

void TestMainWindowEditing::columnWidthsAreKept()
{
    // A column widened stays so at the next start.
    auto *grid = m_window->findChild<ChannelGrid *>();
    grid->horizontalHeader()->resizeSection(kColNotes, 300);
    const int notes = grid->dataColumnTwips().at(kColNotes);
    QVERIFY(m_window->close());
    m_window = openTestWindow(*m_radio, *m_user);
    QCOMPARE(m_window->findChild<ChannelGrid *>()->dataColumnTwips().at(kColNotes), notes);
    QSettings().remove(QStringLiteral("Grids"));
}

QTEST_MAIN(TestMainWindowEditing)
#include "tst_main_window_editing.moc"
