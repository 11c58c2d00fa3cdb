#include "app/document.h"
#include "editing/widgets/channel_grid.h"
#include "editing/widgets/channel_list_panel.h"

#include <QPushButton>
#include <QScrollBar>
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

QTEST_MAIN(TestChannelListPanel)
#include "tst_channel_list_panel.moc"
