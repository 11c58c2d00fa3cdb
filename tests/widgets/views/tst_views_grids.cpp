#include "document/document.h"
#include "editing/channel_grid.h"
#include "editing/list_operations.h"
#include "editing/row_style_delegate.h"
#include "editing/row_table_model.h"
#include "editing/vfo_grid.h"
#include "fake_radio.h"
#include "link/transfers.h"
#include "scripted_interaction.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <memory>

using namespace hxv5;
using namespace hxv5::testing;

namespace {

TableRow channelRow(double mhz)
{
    TableRow row;
    row.number[kColFrequency] = mhz;
    row.text[kColFrequency] = formatMHz(mhz);
    row.text[kColMode] = QStringLiteral("FM");
    row.text[kColNotes] = QStringLiteral("123");
    return row;
}

QPoint cellCentre(const QTableView &view, int row, int column = kColMode)
{
    return view.visualRect(view.model()->index(row, column)).center();
}

QList<int> selectedRows(const QTableView &view)
{
    QList<int> rows;
    for (const QModelIndex &index : view.selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

// The current row is the one selected, across all nine data columns.
bool onlyRowSelected(const QTableView &view, int row)
{
    const QModelIndexList cells = view.selectionModel()->selectedIndexes();
    if (cells.size() != kColumnCount)
        return false;
    for (const QModelIndex &cell : cells) {
        if (cell.row() != row)
            return false;
    }
    return view.currentIndex().row() == row;
}

int fullyVisibleRows(const QTableView &view)
{
    int count = 0;
    const QRect area = view.viewport()->rect();
    for (int row = 0; row < view.model()->rowCount(); ++row) {
        if (area.contains(view.visualRect(view.model()->index(row, 0))))
            ++count;
    }
    return count;
}

// The nine cells of a slot as the channel grid draws them.
QStringList shownCells(const QTableView &view, int slot)
{
    QStringList cells;
    for (int c = 0; c < kColumnCount; ++c)
        cells << view.model()->index(slot, c).data().toString();
    return cells;
}

const QStringList kBlankRow(kColumnCount, QString());

} // namespace

class TstViewsGrids : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { m_document = std::make_unique<Document>(); }
    void cleanup() { m_document.reset(); }

    void gridLayout_data();
    void gridLayout();
    void rowStyle_data();
    void rowStyle();
    void emptySlotDrawsBlankAfterListOperations_data();
    void emptySlotDrawsBlankAfterListOperations();
    void readMemoryBlanksUnusedSlots();
    void dragCollapsesToTheRowWhereItEnded();
    void dragOverRowLabelsCollapsesToo();
    void doubleClickActivatesTheRow();
    void currentRowOperations();
    void vfoGridFollowsTheModelVariant();

private:
    std::unique_ptr<Document> m_document;
};

void TstViewsGrids::gridLayout_data()
{
    QTest::addColumn<bool>("channel");
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QList<int>>("twips");
    QTest::addColumn<int>("visibleRows");

    QTest::newRow("MSFlexGrid1") << true << QStringLiteral("MSFlexGrid1")
                                 << QList<int>{390, 870, 480, 705, 450, 690, 690, 495, 795, 1875}
                                 << 13;
    QTest::newRow("MSFlexGrid2") << false << QStringLiteral("MSFlexGrid2")
                                 << QList<int>{555, 870, 480, 705, 450, 690, 690, 495, 795, 1965}
                                 << 7;
}

void TstViewsGrids::gridLayout()
{
    QFETCH(bool, channel);
    QFETCH(QString, objectName);
    QFETCH(QList<int>, twips);
    QFETCH(int, visibleRows);

    std::unique_ptr<RowGrid> grid;
    if (channel)
        grid = std::make_unique<ChannelGrid>(*m_document);
    else
        grid = std::make_unique<VfoGrid>(*m_document);
    grid->show();
    QVERIFY(QTest::qWaitForWindowExposed(grid.get()));

    QCOMPARE(grid->objectName(), objectName);
    QCOMPARE(grid->font().family(), QStringLiteral("Arial"));
    QCOMPARE(grid->font().pointSizeF(), 6.75);
    QCOMPARE(grid->verticalHeader()->width(), grid->twipsToPixels(twips.at(0)));
    for (int c = 0; c < kColumnCount; ++c)
        QCOMPARE(grid->columnWidth(c), grid->twipsToPixels(twips.at(c + 1)));
    // The list operations page by exactly this many rows.
    QCOMPARE(fullyVisibleRows(*grid), visibleRows);
    QCOMPARE(grid->visibleRowCount(), visibleRows);
    // Nothing to scroll sideways: the grid is as wide as its columns.
    QCOMPARE(grid->horizontalScrollBar()->maximum(), 0);

    // Widened past the grid, the columns scroll sideways, and the rows shown stay shown.
    grid->horizontalHeader()->resizeSection(kColNotes, grid->width());
    QTRY_VERIFY(grid->horizontalScrollBar()->isVisible());
    QCOMPARE(fullyVisibleRows(*grid), visibleRows);
    QVERIFY(grid->dataColumnTwips().at(kColNotes) > twips.at(9));
    // The widths the window keeps come back; what it cannot use changes nothing.
    grid->setDataColumnTwips(twips.mid(1));
    QCOMPARE(grid->columnWidth(kColNotes), grid->twipsToPixels(twips.at(9)));
    grid->setDataColumnTwips(QList<int>(kColumnCount, RowGrid::kMinColumnTwips - 1));
    QCOMPARE(grid->dataColumnTwips(), twips.mid(1));
}

void TstViewsGrids::rowStyle_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::newRow("enabled slot") << true;
    QTest::newRow("disabled slot") << false;
}

void TstViewsGrids::rowStyle()
{
    QFETCH(bool, enabled);

    ChannelGrid grid(*m_document);
    m_document->channels().setSlot(4, channelRow(145.0), enabled);
    const QPalette palette = grid.palette();

    for (int c = 0; c < kColumnCount; ++c) {
        QStyleOptionViewItem base;
        base.initFrom(&grid);
        base.font = grid.font();
        const QStyleOptionViewItem option =
            grid.rowStyle()->cellStyle(base, grid.model()->index(4, c));
        QCOMPARE(option.font.italic(), !enabled);
        QCOMPARE(option.palette.color(QPalette::Text),
                 enabled ? palette.color(QPalette::Text) : RowStyleDelegate::greyText(palette));
        if (c == kColNotes) {
            QCOMPARE(option.font.families().value(0), QStringLiteral("ＭＳ ゴシック"));
            // Free text stays on the left even when it is all digits.
            QVERIFY(option.displayAlignment & Qt::AlignLeft);
        } else if (c == kColFrequency) {
            QVERIFY(option.displayAlignment & Qt::AlignRight);
        } else if (c == kColMode) {
            QVERIFY(option.displayAlignment & Qt::AlignLeft);
        }
    }
    // Enabling again returns the row to the normal style.
    m_document->channels().setEnabled(4, true);
    QStyleOptionViewItem base;
    base.initFrom(&grid);
    QVERIFY(!grid.rowStyle()->cellStyle(base, grid.model()->index(4, 0)).font.italic());
}

void TstViewsGrids::emptySlotDrawsBlankAfterListOperations_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<double>("number");
    QTest::addColumn<QString>("text");

    const QString f = QStringLiteral("145.00000");
    for (const char *operation : {"Disable", "Enable", "Delete", "Insert"}) {
        QTest::addRow("%s, number 0", operation) << QString::fromLatin1(operation) << 0.0 << f;
        QTest::addRow("%s, text empty", operation)
            << QString::fromLatin1(operation) << 145.0 << QString();
    }
}

// A slot that counts as empty keeps its other texts in the table (a note, or what a read left),
// but the grid draws it as nine empty cells.
void TstViewsGrids::emptySlotDrawsBlankAfterListOperations()
{
    QFETCH(QString, operation);
    QFETCH(double, number);
    QFETCH(QString, text);

    ChannelGrid grid(*m_document);
    ChannelTable &channels = m_document->channels();
    TableRow row = channelRow(number);
    row.text[kColFrequency] = text;
    row.text[kColStep] = QStringLiteral("20KHz");
    channels.setSlot(10, row, true);
    channels.setSlot(12, channelRow(430.0), true);
    ChannelListOperations operations(*m_document,
                                     [](const QString &, const QString &) { return true; });

    int watched = 10;
    if (operation == QLatin1String("Disable")) {
        QVERIFY(operations.Disable(10));
    } else if (operation == QLatin1String("Enable")) {
        QVERIFY(operations.Enable(10));
    } else if (operation == QLatin1String("Delete")) {
        QVERIFY(operations.Delete(9));
        watched = 9;
    } else {
        QVERIFY(operations.Insert(10));
        watched = 11;
    }
    QCOMPARE(shownCells(grid, watched), kBlankRow);
    QCOMPARE(channels.text(watched, kColNotes), QStringLiteral("123"));
    // The channel moved or left beside it is drawn in full.
    const int moved = operation == QLatin1String("Delete")   ? 11
                      : operation == QLatin1String("Insert") ? 13
                                                             : 12;
    QCOMPARE(shownCells(grid, moved).value(kColFrequency), QStringLiteral("430.00000"));
    QCOMPARE(shownCells(grid, moved).value(kColNotes), QStringLiteral("123"));
}

void TstViewsGrids::readMemoryBlanksUnusedSlots()
{
    ChannelGrid grid(*m_document);
    TableRow row = channelRow(145.0);
    row.number[kColStep] = 7;
    row.text[kColStep] = QStringLiteral("20KHz");
    row.text[kColShiftFreq] = QStringLiteral(".60000");
    m_document->channels().setSlot(3, row, true);
    m_document->channels().setSlot(4, row, true);

    // Every block erased except slot 4's.
    FakeRadio radio;
    radio.blocks[4] = QStringLiteral("043300000000000326250303500000FF");
    ScriptedInteraction user;
    Transfers transfers(*m_document, radio, user);
    transfers.readMemory();
    QTRY_VERIFY(!transfers.isRunning());
    QVERIFY(user.errors.isEmpty());

    QCOMPARE(shownCells(grid, 3), kBlankRow);
    QCOMPARE(m_document->channels().text(3, kColNotes), QStringLiteral("123"));
    const QStringList used = shownCells(grid, 4);
    QCOMPARE(used.value(kColFrequency), QStringLiteral("433.00000"));
    QCOMPARE(used.value(kColShiftFreq), QStringLiteral("3.50000"));
    QCOMPARE(used.value(kColNotes), QStringLiteral("123"));
}

void TstViewsGrids::dragCollapsesToTheRowWhereItEnded()
{
    ChannelGrid grid(*m_document);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QWidget *viewport = grid.viewport();

    // Grid rows 10 to 14 are slots 9 to 13.
    QTest::mousePress(viewport, Qt::LeftButton, {}, cellCentre(grid, 9));
    for (int row = 10; row <= 13; ++row)
        QTest::mouseMove(viewport, cellCentre(grid, row, kColTone));
    QCOMPARE(selectedRows(grid), (QList<int>{9, 10, 11, 12, 13}));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, cellCentre(grid, 13, kColTone));

    QVERIFY(onlyRowSelected(grid, 13));
    QCOMPARE(grid.currentSlot(), 13);

    // Dragging upwards ends where the mouse stopped as well.
    QTest::mousePress(viewport, Qt::LeftButton, {}, cellCentre(grid, 8));
    QTest::mouseMove(viewport, cellCentre(grid, 5));
    QTest::mouseMove(viewport, cellCentre(grid, 2));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, cellCentre(grid, 2));
    QVERIFY(onlyRowSelected(grid, 2));
}

void TstViewsGrids::dragOverRowLabelsCollapsesToo()
{
    ChannelGrid grid(*m_document);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QHeaderView *labels = grid.verticalHeader();
    auto labelCentre = [&](int row) {
        return QPoint(labels->width() / 2,
                      labels->sectionViewportPosition(row) + labels->sectionSize(row) / 2);
    };

    QTest::mousePress(labels->viewport(), Qt::LeftButton, {}, labelCentre(3));
    QTest::mouseMove(labels->viewport(), labelCentre(5));
    QTest::mouseMove(labels->viewport(), labelCentre(7));
    QTest::mouseRelease(labels->viewport(), Qt::LeftButton, {}, labelCentre(7));
    QTRY_VERIFY(onlyRowSelected(grid, 7));
}

void TstViewsGrids::doubleClickActivatesTheRow()
{
    ChannelGrid channels(*m_document);
    VfoGrid vfo(*m_document);
    channels.show();
    vfo.show();
    QVERIFY(QTest::qWaitForWindowExposed(&channels));
    QVERIFY(QTest::qWaitForWindowExposed(&vfo));
    QSignalSpy slotSpy(&channels, &ChannelGrid::slotActivated);
    QSignalSpy rowSpy(&vfo, &VfoGrid::rowActivated);

    // A double click arrives as press, release, double-click event and release.
    auto doubleClick = [](QWidget *viewport, QPoint pos) {
        QTest::mouseClick(viewport, Qt::LeftButton, {}, pos);
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, pos);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, pos);
    };
    doubleClick(channels.viewport(), cellCentre(channels, 5));
    doubleClick(vfo.viewport(), cellCentre(vfo, 6));
    QCOMPARE(slotSpy.count(), 1);
    QCOMPARE(slotSpy.at(0).at(0).toInt(), 5);
    QCOMPARE(rowSpy.count(), 1);
    QCOMPARE(rowSpy.at(0).at(0).toInt(), 6);
}

void TstViewsGrids::currentRowOperations()
{
    ChannelGrid grid(*m_document);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QCOMPARE(grid.currentSlot(), 0);

    // The row being read stays in view.
    grid.setCurrentSlot(150);
    QVERIFY(onlyRowSelected(grid, 150));
    QVERIFY(grid.viewport()->rect().contains(grid.visualRect(grid.model()->index(150, 0))));

    QSignalSpy changed(grid.model(), &QAbstractItemModel::dataChanged);
    grid.RedrawChannelTable();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(1).value<QModelIndex>().row(), kSlotCount - 1);
    QVERIFY(onlyRowSelected(grid, 150));

    // Grid1Data takes the grid row, which is the slot plus one.
    grid.Grid1Data(58);
    QVERIFY(onlyRowSelected(grid, 57));
    grid.Grid1Data(0);
    grid.Grid1Data(kSlotCount + 1);
    QVERIFY(onlyRowSelected(grid, 57));

    grid.ChangeFont();
    QVERIFY(onlyRowSelected(grid, 0));
    QCOMPARE(grid.rowStyle()->notesFont()->families().value(0), QStringLiteral("ＭＳ ゴシック"));
}

void TstViewsGrids::vfoGridFollowsTheModelVariant()
{
    VfoGrid grid(*m_document);
    QAbstractItemModel *model = grid.model();
    QCOMPARE(model->index(3, 0).data().toString(), QStringLiteral("118.00000"));

    m_document->settings().setModel(5);
    for (int row : {0, 1, 3, 5})
        QCOMPARE(model->index(row, kColStep).data().toString(), QStringLiteral("-"));
    QCOMPARE(model->index(4, 0).data().toString(), QStringLiteral("145.00000"));
    // Undo and redo across the change of variant take the hidden rows with them.
    QVERIFY(m_document->recordStep(QStringLiteral("Change Model"), [this] {
        m_document->settings().setModel(0);
        return true;
    }));
    QVERIFY(m_document->undo());
    QCOMPARE(model->index(0, kColStep).data().toString(), QStringLiteral("-"));
    QVERIFY(m_document->redo());
    QCOMPARE(model->index(0, kColStep).data().toString(), QStringLiteral("9KHz"));

    grid.setCurrentRow(4);
    grid.Grid2Data(5);
    grid.UpdateVFOData();
    QVERIFY(onlyRowSelected(grid, 4));
    QCOMPARE(grid.currentRow(), 4);
    grid.ChangeFont();
    QVERIFY(onlyRowSelected(grid, 0));
}

QTEST_MAIN(TstViewsGrids)
#include "tst_views_grids.moc"
