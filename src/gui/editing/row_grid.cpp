#include "editing/row_grid.h"

#include "editing/channel_table.h"
#include "editing/grid_cell_editor.h"
#include "editing/row_table_model.h"

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace hxv5 {

namespace {
constexpr double kTwipsPerInch = 1440.0;
constexpr double kGridPointSize = 6.75;
} // namespace

RowGrid::RowGrid(RowTableModel *model, GridCellEditor *cellEditor, const ColumnTwips &widths,
                 int visibleRows, QWidget *parent)
    : QTableView(parent), m_model(model), m_cellEditor(cellEditor), m_widths(widths),
      m_visibleRows(visibleRows)
{
    std::copy(m_widths.begin() + 1, m_widths.end(), m_columnTwips.begin());
    m_model->setParent(this);
    m_cellEditor->setParent(this);
    setModel(m_model);
    setItemDelegate(m_cellEditor);
    setFont(gridFont());

    setSelectionBehavior(QAbstractItemView::SelectRows);
    // Enter, F2 and a double click open the edit dialog; typing edits the current cell.
    setEditTriggers(QAbstractItemView::AnyKeyPressed);
    // Tab leaves the grid for the next control; the arrow keys move within it.
    setTabKeyNavigation(false);
    setAccessibleDescription(tr("The arrow keys move between the cells; typing edits the current "
                                "cell; Enter or F2 opens the row in the edit dialog."));
    setWordWrap(false);
    setCornerButtonEnabled(false);
    // The grid starts exactly as wide as its columns; it scrolls vertically when it shows fewer
    // rows than it holds, and sideways only once the user has widened columns past its width (a
    // scroll bar that may come and go makes every redraw of a row lay the grid out again).
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(m_visibleRows < m_model->rowCount() ? Qt::ScrollBarAlwaysOn
                                                                   : Qt::ScrollBarAlwaysOff);

    QHeaderView *top = horizontalHeader();
    top->setSectionResizeMode(QHeaderView::Interactive);
    top->setSectionsClickable(false);
    top->setHighlightSections(false);
    top->setMinimumSectionSize(1);
    QHeaderView *side = verticalHeader();
    side->setSectionResizeMode(QHeaderView::Fixed);
    side->setHighlightSections(false);
    side->setMinimumSectionSize(1);
    side->setDefaultAlignment(Qt::AlignCenter);

    // A column the user widens keeps its width when the grid is laid out again.
    connect(top, &QHeaderView::sectionResized, this, [this](int column, int, int pixels) {
        if (m_layingOut || column < 0 || column >= kColumnCount)
            return;
        m_columnTwips.at(static_cast<size_t>(column)) =
            static_cast<int>(std::lround(pixels * kTwipsPerInch / std::max(logicalDpiX(), 1)));
        makeRoomForScrollBar();
    });
    connect(this, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex &index) { rowDoubleClicked(index.row()); });
    connect(side, &QHeaderView::sectionDoubleClicked, this,
            [this](int row) { rowDoubleClicked(row); });

    layOut();
    m_cellEditor->setNotesFont(notesFont());
    selectDataRow(0);
}

RowStyleDelegate *RowGrid::rowStyle() const
{
    return m_cellEditor;
}

QFont RowGrid::gridFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(kGridPointSize);
    return font;
}

QFont RowGrid::notesFont()
{
    QFont font = gridFont();
    // The Japanese desktop's gothic face; elsewhere the font matcher picks a face that has the
    // glyphs, without complaint.
    font.setFamilies({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("MS Gothic")});
    return font;
}

int RowGrid::twipsToPixels(int twips) const
{
    return static_cast<int>(std::lround(twips * logicalDpiX() / kTwipsPerInch));
}

void RowGrid::layOut()
{
    const QFontMetrics grid(font());
    const QFontMetrics notes(notesFont());
    m_rowHeight = std::max(grid.height(), notes.height()) + 4;

    QHeaderView *top = horizontalHeader();
    QHeaderView *side = verticalHeader();
    // The header row and the label column are cells of the grid: they take its font, not the
    // desktop's header font.
    top->setFont(font());
    side->setFont(font());
    side->setDefaultSectionSize(m_rowHeight);
    side->setFixedWidth(twipsToPixels(m_widths[0]));
    top->setFixedHeight(m_rowHeight);
    m_layingOut = true;
    int width = 2 * frameWidth() + side->width();
    for (int column = 0; column < kColumnCount; ++column) {
        top->resizeSection(column, twipsToPixels(m_columnTwips.at(static_cast<size_t>(column))));
        // The grid is at least as wide as the twips list's columns, whatever the user's are.
        width += twipsToPixels(m_widths.at(static_cast<size_t>(column) + 1));
    }
    m_layingOut = false;

    if (verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn)
        width += verticalScrollBar()->sizeHint().width();
    m_rowsHeight = 2 * frameWidth() + top->height() + m_visibleRows * m_rowHeight;
    const int height = m_rowsHeight + m_scrollBarRoom;
    setMinimumSize(width, height);
    resize(width, height);
    // A grid that shows all its rows has nothing to show in more height.
    const bool allShown = m_visibleRows >= m_model->rowCount();
    setSizePolicy(QSizePolicy::Expanding, allShown ? QSizePolicy::Fixed : QSizePolicy::Expanding);
    if (allShown)
        setMaximumHeight(height);
    updateGeometry();
}

void RowGrid::makeRoomForScrollBar()
{
    const bool wider = horizontalHeader()->length() > viewport()->width();
    if (wider)
        setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    const int room = wider ? horizontalScrollBar()->sizeHint().height() : 0;
    if (room == m_scrollBarRoom)
        return;
    m_scrollBarRoom = room;
    setMinimumHeight(m_rowsHeight + room);
    if (m_visibleRows >= m_model->rowCount())
        setMaximumHeight(m_rowsHeight + room);
    updateGeometry();
}

void RowGrid::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    makeRoomForScrollBar();
}

QList<int> RowGrid::dataColumnTwips() const
{
    return QList<int>(m_columnTwips.begin(), m_columnTwips.end());
}

void RowGrid::setDataColumnTwips(const QList<int> &twips)
{
    const bool usable =
        twips.size() == kColumnCount && std::all_of(twips.begin(), twips.end(), [](int width) {
            return width >= kMinColumnTwips && width <= kMaxColumnTwips;
        });
    if (!usable)
        return;
    std::copy(twips.begin(), twips.end(), m_columnTwips.begin());
    m_layingOut = true;
    for (int column = 0; column < kColumnCount; ++column)
        horizontalHeader()->resizeSection(column, twipsToPixels(twips.at(column)));
    m_layingOut = false;
    makeRoomForScrollBar();
}

QSize RowGrid::sizeHint() const
{
    return minimumSize();
}

int RowGrid::shownRowCount() const
{
    const int shown = m_rowHeight > 0 ? viewport()->height() / m_rowHeight : 0;
    return std::max(shown, m_visibleRows);
}

void RowGrid::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_F2) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        const QModelIndex current = currentIndex();
        if (current.isValid())
            rowDoubleClicked(current.row());
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void RowGrid::changeEvent(QEvent *event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        layOut();
}

int RowGrid::currentDataRow() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : 0;
}

void RowGrid::selectDataRow(int row, bool bringIntoView)
{
    if (row < 0 || row >= m_model->rowCount())
        return;
    const QModelIndex current = currentIndex();
    const QModelIndex index = m_model->index(row, current.isValid() ? current.column() : 0);
    // A new current index scrolls the view to it on its own; that must not happen when the row
    // is only selected again.
    const bool autoScrolling = hasAutoScroll();
    setAutoScroll(bringIntoView && autoScrolling);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                 QItemSelectionModel::Rows);
    setAutoScroll(autoScrolling);
    if (bringIntoView)
        scrollTo(index);
}

void RowGrid::applyNotesFont()
{
    m_cellEditor->setNotesFont(notesFont());
    viewport()->update();
    selectDataRow(0);
}

} // namespace hxv5
