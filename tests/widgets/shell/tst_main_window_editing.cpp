#include "app/main_window.h"
#include "document/document.h"
#include "editing/channel_grid.h"
#include "fake_radio.h"
#include "scripted_interaction.h"
#include "test_home.h"
#include "test_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSettings>
#include <QSlider>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

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
    void gridsGrowWithTheWindow();
    void pasteReportsSkippedRows_data();
    void pasteReportsSkippedRows();
    void repeaterTypedIntoTheGrid();
    void editSelectedChannelsAndSort();
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

    hxv5::testing::TestHome m_config;
    std::unique_ptr<FakeRadio> m_radio;
    std::unique_ptr<ScriptedInteraction> m_user;
    std::unique_ptr<MainWindow> m_window;
};

void TestMainWindowEditing::initTestCase()
{
    QVERIFY(m_config.enter());
    QCoreApplication::setApplicationName(QStringLiteral("tst_main_window_editing"));
}

void TestMainWindowEditing::init()
{
    m_radio = std::make_unique<FakeRadio>();
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
    QTest::newRow("User Guide") << "mnuHelpGuide" << keys({"F1"});
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

// One 2 m repeater typed into the grid with the keyboard alone, after one click on its row: each
// key goes to the widget that holds the focus, as the user's would, and the walk counts them.
void TestMainWindowEditing::repeaterTypedIntoTheGrid()
{
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    m_window->selectTab(3);
    auto *grid = m_window->findChild<ChannelGrid *>();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(grid->model()->index(10, kColFrequency)).center());
    int keys = 0;
    const auto type = [&](const QString &text) {
        for (const QChar c : text)
            QTest::keyClick(m_window->focusWidget(), c.toLatin1());
        keys += static_cast<int>(text.size());
    };
    const auto press = [&](Qt::Key key, int times = 1) {
        for (int i = 0; i < times; ++i, ++keys)
            QTest::keyClick(m_window->focusWidget(), key);
        QCoreApplication::processEvents(); // Return commits the cell once the editor is done
    };
    type(QStringLiteral("147.255")); // mode and step follow the frequency
    press(Qt::Key_Tab, 3);
    type(QStringLiteral("T")); // tone mode "Tone"
    press(Qt::Key_Tab);
    type(QStringLiteral("88")); // transmit tone 88.5 Hz
    press(Qt::Key_Tab, 2);
    type(QStringLiteral("+"));
    press(Qt::Key_Tab, 2); // the offset stays at .60000
    type(QStringLiteral("Club"));
    press(Qt::Key_Return);
    const ChannelTable &channels = m_window->document().channels();
    const auto texts = [&channels](int slot) {
        const TableRow &row = channels.row(slot);
        return QStringList(row.text.cbegin(), row.text.cend()).join(QLatin1Char('|'));
    };
    QCOMPARE(texts(10), QStringLiteral("147.25500|FM|20KHz|Tone|88.5Hz|88.5Hz|+Shift|.60000|Club"));
    QCOMPARE(m_window->document().EncodeChannelRecord(10),
             QStringLiteral("014725500000070108080100600000FF"));
    // The edit dialog takes 26 keys for the same channel after the same click: Return, the
    // frequency, Tab, the note, four Tabs, Right for "Tone", Tab, "88", three Tabs, Right for
    // "+Shift", Return.
    qInfo("%d keystrokes and 1 click", keys);
    QCOMPARE(keys, 24);

    // Typing edits the cell chosen with the mouse; a cell passed over changes nothing, not even
    // an empty slot; a refused value leaves the cell as it was and the status bar says why.
    const auto typeOn = [&](int slot, int column, const QString &text) {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(grid->model()->index(slot, column)).center());
        type(text);
        press(Qt::Key_Return);
    };
    typeOn(11, kColMode, QStringLiteral("A"));
    QCOMPARE(texts(11), QStringLiteral("145.00000|AM|20KHz|None|88.5Hz|88.5Hz|None|.60000|"));
    typeOn(12, kColMode, QStringLiteral("F"));
    QVERIFY(channels.row(12).isEmpty());
    typeOn(10, kColFrequency, QStringLiteral(".300")); // the point is dropped: the field has one
    QCOMPARE(channels.text(10, kColFrequency), QStringLiteral("147.25500"));
    QVERIFY(m_window->statusBar()->currentMessage().startsWith(
        QLatin1String("300.00000 MHz is outside what the HX-V5 D holds")));
}

// Edit Selected Channels and Sort Channels through the menu, each one step of the history.
void TestMainWindowEditing::editSelectedChannelsAndSort()
{
    m_window = openTestWindow(*m_radio, *m_user, Language::English, [](QDialog &dialog) {
        for (auto *tick :
             dialog.findChildren<QCheckBox *>(QRegularExpression("chk(Tone|Offset|Des)")))
            tick->setChecked(true);
        if (auto *tone = dialog.findChild<QComboBox *>(QStringLiteral("cbbTone")))
            tone->setCurrentIndex(2);
        if (auto *offset = dialog.findChild<QLineEdit *>(QStringLiteral("txtShift")))
            offset->setText(QStringLiteral("200"));
        dialog.accept();
    });
    m_window->selectTab(3);
    Document &doc = m_window->document();
    doc.DecodeChannelRecord(u"014600000000070008080000000000FF", 1);
    doc.DecodeChannelRecord(u"014700000000070008080000000000FF", 2);
    m_window->findChild<ChannelGrid *>()->selectSlots({0, 1, 2}, 2);
    action("mnuEditSelected")->trigger();
    QCOMPARE(doc.channels().text(1, kColTone), QStringLiteral("TSQ"));
    QCOMPARE(m_user->editReports,
             (QStringList{"2 channels changed, 1 empty slot passed over.",
                          "An offset must be below 100 MHz: the radio holds at most 99.99999: left "
                          "as it was on channels 1, 2"}));
    action("mnuEditSort")->trigger();
    QCOMPARE(doc.channels().text(0, kColFrequency), QStringLiteral("147.00000"));
    QCOMPARE(doc.channels().text(1, kColFrequency), QStringLiteral("146.00000"));
    QCOMPARE(doc.history().count(), 2);

    // With the empty slots hidden, a sort of all channels moves only the shown ones.
    doc.DecodeChannelRecord(u"014400000000070008080000000000FF", 5);
    action("mnuViewHideEmpty")->trigger();
    m_window->findChild<ChannelGrid *>()->selectSlots({0}, 0);
    action("mnuEditSort")->trigger();
    QCOMPARE(doc.channels().text(5, kColFrequency), QStringLiteral("144.00000"));
    QVERIFY(doc.channels().row(2).isEmpty());
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
