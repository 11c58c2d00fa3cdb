#include "document/document.h"
#include "editing/channel_grid.h"
#include "editing/channel_list_panel.h"
#include "editing/find_bar.h"

#include "files/csv_exchange.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

using namespace hxv5;

namespace {

struct Page
{
    Document doc;
    QWidget window;
    ChannelGrid *grid;
    ChannelListPanel *panel;
    QStringList asked;
    bool answer = true;

    Page()
    {
        for (int s = 0; s < kSlotCount; s += 2) {
            TableRow row;
            row.number[kColFrequency] = 100 + s;
            row.text[kColFrequency] = formatMHz(100 + s);
            doc.channels().setSlot(s, row, true);
        }
        doc.setChanged(false);
        auto *layout = new QVBoxLayout(&window);
        grid = new ChannelGrid(doc, &window);
        panel = new ChannelListPanel(doc, *grid, &window,
                                     [this](const QString &title, const QString &) {
                                         asked << title;
                                         return answer;
                                     });
        layout->addWidget(grid);
        layout->addWidget(panel);
        window.show();
    }

    void click(const char *name) { panel->findChild<QPushButton *>(QLatin1String(name))->click(); }
};

} // namespace

class TestChannelListPanel : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void buttons();
    void deleteActsOnTheCurrentRow();
    void cancelLeavesEverything();
    void insertAndEnableKeepTheRowCurrent();
    void operationsLeaveTheViewWhereItIs_data();
    void operationsLeaveTheViewWhereItIs();
    void downOnTheLastRowShowsTheLastThirteen();
    void upOnTheFirstRowStays();
    void busyDisablesTheChangingButtons();
    void keysOnTheGrid_data();
    void keysOnTheGrid();
    void buttonsActOnEverySelectedRow();
    void plainDragStillLeavesOneRow();
    void copyCutAndPasteThroughTheClipboard();
    void findBarAndHiddenRows();
};

void TestChannelListPanel::buttons()
{
    Page page;
    const QStringList names = {"cmbClear",  "cmbClAll",  "cmbDelete", "cmbInsert", "cmbDisable",
                               "cmbDisAll", "cmbEnable", "cmbEnAll",  "Command5",  "Command4"};
    const QStringList captions = {"Clear",       "Clear All", "Delete",     "Insert", "Disable",
                                  "Disable All", "Enable",    "Enable All", "Up",     "Down"};
    for (int i = 0; i < names.size(); ++i) {
        auto *b = page.panel->findChild<QPushButton *>(names.at(i));
        QVERIFY2(b, qPrintable(names.at(i)));
        QCOMPARE(b->text(), captions.at(i));
    }
}

void TestChannelListPanel::deleteActsOnTheCurrentRow()
{
    Page page;
    page.grid->setCurrentSlot(4);
    page.click("cmbDelete");
    QCOMPARE(page.asked, QStringList{"DELETE OK"});
    QVERIFY(page.doc.isChanged());
    QVERIFY(page.doc.channels().row(4).isEmpty()); // slot 5 was empty and moved up
    QCOMPARE(page.doc.channels().number(5, kColFrequency), 106.0);
    QCOMPARE(page.grid->currentSlot(), 4);
}

void TestChannelListPanel::cancelLeavesEverything()
{
    Page page;
    page.answer = false;
    page.grid->setCurrentSlot(6);
    page.click("cmbClear");
    page.click("cmbClAll");
    page.click("cmbDelete");
    QCOMPARE(page.asked, (QStringList{"CLEAR OK", "CLEAR OK", "DELETE OK"}));
    QVERIFY(!page.doc.isChanged());
    QCOMPARE(page.doc.channels().number(6, kColFrequency), 106.0);
}

void TestChannelListPanel::insertAndEnableKeepTheRowCurrent()
{
    Page page;
    page.grid->setCurrentSlot(10);
    page.click("cmbInsert");
    QVERIFY(page.asked.isEmpty());
    QVERIFY(page.doc.channels().row(10).isEmpty());
    QCOMPARE(page.doc.channels().number(11, kColFrequency), 110.0);
    QCOMPARE(page.grid->currentSlot(), 10);
    // Two rows selected: two empty rows at the first, selected, and what fell off is told.
    QSignalSpy told(page.panel, &ChannelListPanel::notice);
    page.grid->selectSlots({20, 24}, 24);
    page.click("cmbInsert");
    QCOMPARE(page.grid->selectedSlots(), (QList<int>{20, 21}));
    QCOMPARE(page.grid->currentSlot(), 20);
    QCOMPARE(page.doc.channels().number(23, kColFrequency), 120.0);
    QCOMPARE(told.size(), 1);
    QCOMPARE(told.first().first().toString(), QStringLiteral("Channel 199 pushed out; Undo "
                                                             "brings it back"));
    page.grid->setCurrentSlot(11);
    page.click("cmbDisable");
    QVERIFY(!page.doc.channels().isEnabled(11));
    page.click("cmbEnable");
    QVERIFY(page.doc.channels().isEnabled(11));
    QCOMPARE(page.grid->currentSlot(), 11);
}

void TestChannelListPanel::operationsLeaveTheViewWhereItIs_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("top"); // first visible slot
    for (const char *button : {"cmbClear", "cmbClAll", "cmbDelete", "cmbInsert", "cmbDisable",
                               "cmbDisAll", "cmbEnable", "cmbEnAll"}) {
        QTest::addRow("%s, current row above the view", button)
            << QString::fromLatin1(button) << 6 << 120;
        QTest::addRow("%s, current row below the view", button)
            << QString::fromLatin1(button) << 180 << 40;
        QTest::addRow("%s, current row in view", button) << QString::fromLatin1(button) << 64 << 60;
    }
}

// The user scrolled the grid away from the current row and clicks a list button: the operation
// acts on the current row, which stays current, and the view is not moved.
void TestChannelListPanel::operationsLeaveTheViewWhereItIs()
{
    QFETCH(QString, button);
    QFETCH(int, current);
    QFETCH(int, top);
    Page page;
    QVERIFY(QTest::qWaitForWindowExposed(&page.window));
    page.grid->setCurrentSlot(current);
    page.grid->verticalScrollBar()->setValue(top);
    QCOMPARE(page.grid->rowAt(0), top);

    page.click(qPrintable(button));
    QVERIFY(page.doc.isChanged());
    QCOMPARE(page.grid->currentSlot(), current);
    QCOMPARE(page.grid->selectionModel()->selectedRows().size(), 1);
    QCOMPARE(page.grid->verticalScrollBar()->value(), top);
    QCOMPARE(page.grid->rowAt(0), top);
}

void TestChannelListPanel::downOnTheLastRowShowsTheLastThirteen()
{
    Page page;
    page.grid->setCurrentSlot(211);
    page.click("Command4");
    QCOMPARE(page.grid->currentSlot(), 212);
    page.click("Command4");
    QCOMPARE(page.grid->currentSlot(), 212);
    QCOMPARE(page.grid->rowAt(0), 200); // grid row 201
    QVERIFY(!page.doc.isChanged());
}

void TestChannelListPanel::upOnTheFirstRowStays()
{
    Page page;
    page.grid->setCurrentSlot(1);
    page.click("Command5");
    QCOMPARE(page.grid->currentSlot(), 0);
    page.click("Command5");
    QCOMPARE(page.grid->currentSlot(), 0);
    QCOMPARE(page.grid->rowAt(0), 0);
}

void TestChannelListPanel::busyDisablesTheChangingButtons()
{
    Page page;
    page.doc.setBusy(true);
    QVERIFY(!page.panel->findChild<QPushButton *>("cmbDelete")->isEnabled());
    QVERIFY(!page.panel->findChild<QPushButton *>("cmbEnAll")->isEnabled());
    QVERIFY(page.panel->findChild<QPushButton *>("Command4")->isEnabled());
    page.doc.setBusy(false);
    QVERIFY(page.panel->findChild<QPushButton *>("cmbDelete")->isEnabled());
}

void TestChannelListPanel::keysOnTheGrid_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("opened");    // the slot the edit dialog is asked for, -1 none
    QTest::addColumn<QString>("asked"); // the confirmation asked, if any
    QTest::addColumn<int>("current");   // the current slot afterwards
    QTest::addColumn<double>("slot10"); // what slot 10 holds afterwards

    QTest::newRow("Enter") << int(Qt::Key_Return) << 0 << 10 << "" << 10 << 110.0;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << 10 << "" << 10
                                  << 110.0;
    QTest::newRow("F2") << int(Qt::Key_F2) << 0 << 10 << "" << 10 << 110.0;
    QTest::newRow("Delete clears, as Clear asks")
        << int(Qt::Key_Delete) << 0 << -1 << "CLEAR OK" << 10 << 0.0;
    QTest::newRow("Ctrl+Up moves the channel")
        << int(Qt::Key_Up) << int(Qt::ControlModifier) << -1 << "" << 9 << 0.0;
    QTest::newRow("Ctrl+Down moves the channel")
        << int(Qt::Key_Down) << int(Qt::ControlModifier) << -1 << "" << 11 << 0.0;
    QTest::newRow("Down only moves the current row")
        << int(Qt::Key_Down) << 0 << -1 << "" << 11 << 110.0;
}

void TestChannelListPanel::keysOnTheGrid()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, opened);
    QFETCH(QString, asked);
    QFETCH(int, current);
    QFETCH(double, slot10);

    Page page;
    QSignalSpy activated(page.grid, &ChannelGrid::slotActivated);
    page.grid->setCurrentSlot(10);
    page.grid->setFocus();
    QTest::keyClick(page.grid, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(activated.size(), opened < 0 ? 0 : 1);
    if (opened >= 0)
        QCOMPARE(activated.first().first().toInt(), opened);
    QCOMPARE(page.asked, asked.isEmpty() ? QStringList() : QStringList{asked});
    QCOMPARE(page.grid->currentSlot(), current);
    QCOMPARE(page.doc.channels().number(10, kColFrequency), slot10);
    if (modifiers == Qt::ControlModifier) {
        // The channel went where the current row went.
        QCOMPARE(page.doc.channels().number(current, kColFrequency), 110.0);
    }
}

void TestChannelListPanel::buttonsActOnEverySelectedRow()
{
    Page page;
    page.grid->setCurrentSlot(4);
    QTest::mouseClick(page.grid->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      page.grid->visualRect(page.grid->model()->index(8, 1)).center());
    QCOMPARE(page.grid->selectedSlots(), (QList<int>{4, 8}));
    page.click("cmbDisable");
    QVERIFY(!page.doc.channels().isEnabled(4));
    QVERIFY(!page.doc.channels().isEnabled(8));
    QVERIFY(page.doc.channels().isEnabled(6));
    // The selection stays for the next operation.
    QCOMPARE(page.grid->selectedSlots(), (QList<int>{4, 8}));
    page.click("cmbClear");
    QCOMPARE(page.asked, QStringList{"CLEAR OK"}); // asked once for both
    QVERIFY(page.doc.channels().row(4).isEmpty());
    QVERIFY(page.doc.channels().row(8).isEmpty());
    QVERIFY(!page.doc.channels().row(6).isEmpty());
    QCOMPARE(page.doc.history().count(), 2);
}

void TestChannelListPanel::plainDragStillLeavesOneRow()
{
    Page page;
    const auto centre = [&](int slot) {
        return page.grid->visualRect(page.grid->model()->index(slot, 1)).center();
    };
    QTest::mousePress(page.grid->viewport(), Qt::LeftButton, {}, centre(2));
    QMouseEvent move(QEvent::MouseMove, centre(5), page.grid->viewport()->mapToGlobal(centre(5)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(page.grid->viewport(), &move);
    QTest::mouseRelease(page.grid->viewport(), Qt::LeftButton, {}, centre(5));
    QCOMPARE(page.grid->selectedSlots(), QList<int>{5});
    // With Shift the click extends the selection instead.
    QTest::mouseClick(page.grid->viewport(), Qt::LeftButton, Qt::ShiftModifier, centre(7));
    QCOMPARE(page.grid->selectedSlots(), (QList<int>{5, 6, 7}));
}

void TestChannelListPanel::copyCutAndPasteThroughTheClipboard()
{
    Page page;
    // Channels as the radio holds them, every column filled.
    for (int slot : {2, 4}) {
        TableRow row;
        const double mhz = 145 + slot / 10.0;
        row.number = {mhz, 1, 1, 0, 8, 8, 0, 0, 0};
        row.text = {formatMHz(mhz), "AM",     "5KHz",
                    "None",         "88.5Hz", "88.5Hz",
                    "None",         ".00000", QStringLiteral("slot %1").arg(slot)};
        page.doc.channels().setSlot(slot, row, slot == 2);
    }
    page.grid->selectSlots({2, 4}, 2);
    page.panel->copyRows();
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data);
    QVERIFY(data->text().startsWith(QStringLiteral("Channel\tFrequency\t")));
    QCOMPARE(data->text().count(QStringLiteral("\r\n")), 3);
    QVERIFY(data->data(QStringLiteral("text/csv")).startsWith("\"Channel\",\"Frequency\","));

    QVERIFY(page.panel->cutRows());
    QVERIFY(page.asked.isEmpty()); // cut asks nothing
    QVERIFY(page.doc.channels().row(2).isEmpty());
    QVERIFY(page.doc.channels().row(4).isEmpty());
    QCOMPARE(page.doc.history().undoText(), QStringLiteral("Cut"));

    // Slot 102 holds a channel: asked, and OK pastes.
    page.grid->setCurrentSlot(101);
    CsvImportReport report;
    QVERIFY2(page.panel->pasteRows(report), qPrintable(QGuiApplication::clipboard()->text() +
                                                       csvSkippedRowLines(report).join('\n')));
    QCOMPARE(page.asked, QStringList{"PASTE OK"});
    QCOMPARE(report.taken, 2);
    QCOMPARE(page.doc.channels().number(101, kColFrequency), 145.2);
    QCOMPARE(page.doc.channels().text(101, kColNotes), QStringLiteral("slot 2"));
    QVERIFY(page.doc.channels().isEnabled(101));
    QCOMPARE(page.doc.channels().number(102, kColFrequency), 145.4);
    QVERIFY(!page.doc.channels().isEnabled(102));
    QCOMPARE(page.grid->selectedSlots(), (QList<int>{101, 102}));

    // Cancel keeps them.
    page.answer = false;
    page.asked.clear();
    page.grid->setCurrentSlot(10);
    QVERIFY(!page.panel->pasteRows(report));
    QCOMPARE(page.asked, QStringList{"PASTE OK"});
    QCOMPARE(page.doc.channels().number(10, kColFrequency), 110.0);

    page.doc.setBusy(true);
    page.asked.clear();
    QVERIFY(!page.panel->cutRows());
    QVERIFY(!page.panel->pasteRows(report));
    QVERIFY(page.asked.isEmpty());
}

void TestChannelListPanel::findBarAndHiddenRows()
{
    // Slot s holds 100 + s MHz for even s: "12" is in 112, 120 .. 128, 212 and 312 MHz.
    Page page;
    FindBar bar(*page.grid, &page.window);
    bar.open();
    auto *text = bar.findChild<QLineEdit *>(QStringLiteral("txtFind"));
    QTest::keyClicks(text, QStringLiteral("12"));
    QCOMPARE(page.grid->currentSlot(), 12);
    QTest::keyClick(text, Qt::Key_Return);
    QCOMPARE(page.grid->currentSlot(), 20);
    QTest::keyClick(text, Qt::Key_Return, Qt::ShiftModifier);
    QCOMPARE(page.grid->currentSlot(), 12);
    // Only the matches shown, and chosen; Esc shows every row again.
    bar.findChild<QCheckBox *>(QStringLiteral("chkFindOnly"))->setChecked(true);
    page.grid->selectAll();
    QCOMPARE(page.grid->selectedSlots(), (QList<int>{12, 20, 22, 24, 26, 28, 112, 212}));
    QTest::keyClick(text, Qt::Key_Escape);
    QVERIFY(bar.isHidden() && !page.grid->isRowHidden(14));
}

QTEST_MAIN(TestChannelListPanel)
#include "tst_channel_list_panel.moc"
