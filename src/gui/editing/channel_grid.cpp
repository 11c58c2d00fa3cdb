#include "editing/channel_grid.h"

#include "document/document.h"
#include "editing/channel_table_model.h"
#include "editing/grid_cell_editor.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>

namespace hxv5 {

namespace {
// The label column and the Notes column are narrower here than in the VFO grid.
RowGrid::ColumnTwips channelColumnTwips()
{
    RowGrid::ColumnTwips widths = columnWidths();
    widths.front() = 390;
    widths.back() = 1875;
    return widths;
}
} // namespace

ChannelGrid::ChannelGrid(Document &document, QWidget *parent)
    : RowGrid(new ChannelTableModel(document.channels()),
              new GridCellEditor(document, EditSession::Kind::Memory), channelColumnTwips(),
              kVisibleRows, parent),
      m_channels(document.channels())
{
    setObjectName(QStringLiteral("MSFlexGrid1"));
    setAccessibleName(tr("Channel table"));
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    verticalHeader()->viewport()->installEventFilter(this);
    // A row that changes may come to match, or stop matching.
    connect(model(), &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex &topLeft, const QModelIndex &bottomRight) {
                if (!m_filter.hidesAny())
                    return;
                applyFilter(topLeft.row(), bottomRight.row());
                leaveHiddenRow();
            });
}

void ChannelGrid::setFilter(const ChannelFilter &filter)
{
    m_filter = filter;
    applyFilter(0, kSlotCount - 1);
    leaveHiddenRow();
}

void ChannelGrid::leaveHiddenRow()
{
    const int current = currentSlot();
    if (isSlotShown(current))
        return;
    int next = nextShownSlot(current, false);
    if (next < 0)
        next = nextShownSlot(current, true);
    if (next >= 0)
        setCurrentSlot(next);
    else
        selectionModel()->clearSelection();
}

void ChannelGrid::applyFilter(int first, int last)
{
    QItemSelection hidden;
    for (int slot = std::max(first, 0); slot <= std::min(last, kSlotCount - 1); ++slot) {
        const bool shows = m_filter.shows(m_channels, slot);
        if (shows == isRowHidden(slot))
            setRowHidden(slot, !shows);
        if (!shows)
            hidden.select(model()->index(slot, 0), model()->index(slot, kColumnCount - 1));
    }
    // What is hidden is not chosen any longer.
    selectionModel()->select(hidden, QItemSelectionModel::Deselect);
}

int ChannelGrid::nextShownSlot(int slot, bool up) const
{
    for (int next = slot + (up ? -1 : 1); next >= 0 && next < kSlotCount; next += up ? -1 : 1) {
        if (isSlotShown(next))
            return next;
    }
    return -1;
}

bool ChannelGrid::findNext(bool backwards)
{
    const int slot = nextMatch(m_filter, m_channels, currentSlot(), backwards);
    if (slot < 0)
        return false;
    setCurrentSlot(slot);
    return true;
}

ChannelTableModel *ChannelGrid::channelModel() const
{
    return static_cast<ChannelTableModel *>(rowModel());
}

void ChannelGrid::RedrawChannelTable()
{
    const int slot = currentSlot();
    rowModel()->refreshRows(0, kSlotCount - 1);
    setCurrentSlot(slot);
}

void ChannelGrid::Grid1Data(int row)
{
    const int slot = row - 1;
    if (slot < 0 || slot >= kSlotCount)
        return;
    rowModel()->refreshRows(slot, slot);
    setCurrentSlot(slot);
}

void ChannelGrid::ChangeFont()
{
    applyNotesFont();
}

namespace {
// Shift and Ctrl make a click choose several rows; a plain drag does not.
bool choosesRows(const QMouseEvent &event)
{
    return event.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier);
}
} // namespace

QList<int> ChannelGrid::selectedSlots() const
{
    QList<int> slots;
    for (const QModelIndex &index : selectionModel()->selectedRows()) {
        if (isSlotShown(index.row()))
            slots.append(index.row());
    }
    if (slots.isEmpty() && isSlotShown(currentSlot()))
        slots.append(currentSlot());
    std::sort(slots.begin(), slots.end());
    return slots;
}

void ChannelGrid::selectSlots(const QList<int> &slots, int current)
{
    selectSlotInPlace(current);
    QItemSelection rows;
    for (int slot : slots) {
        if (slot >= 0 && slot < kSlotCount && slot != current && isSlotShown(slot))
            rows.select(model()->index(slot, 0), model()->index(slot, kColumnCount - 1));
    }
    selectionModel()->select(rows, QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

void ChannelGrid::mousePressEvent(QMouseEvent *event)
{
    // Shift with a click selects from the row the user chose last, also when that row was left
    // by a drag the grid cut down to one row.
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && index.isValid() &&
        (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)) == Qt::ShiftModifier) {
        const int from = std::min(m_anchor, index.row());
        const int to = std::max(m_anchor, index.row());
        QList<int> slots;
        for (int slot = from; slot <= to; ++slot)
            slots.append(slot);
        selectSlots(slots, index.row());
        event->accept();
        return;
    }
    RowGrid::mousePressEvent(event);
    m_anchor = currentSlot();
}

void ChannelGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    RowGrid::currentChanged(current, previous);
    if (current.isValid() && !(QGuiApplication::keyboardModifiers() & Qt::ShiftModifier))
        m_anchor = current.row();
}

void ChannelGrid::mouseReleaseEvent(QMouseEvent *event)
{
    RowGrid::mouseReleaseEvent(event);
    if (!choosesRows(*event))
        collapseSelection();
}

void ChannelGrid::keyPressEvent(QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (event->key() == Qt::Key_Delete && modifiers == Qt::NoModifier) {
        Q_EMIT clearRequested();
        event->accept();
        return;
    }
    if ((event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) &&
        modifiers == Qt::ControlModifier) {
        Q_EMIT moveRequested(event->key() == Qt::Key_Down);
        event->accept();
        return;
    }
    RowGrid::keyPressEvent(event);
}

bool ChannelGrid::eventFilter(QObject *watched, QEvent *event)
{
    // Dragging over the row labels selects rows too; the header finishes its own release handling
    // first, so the rule runs after it.
    if (watched == verticalHeader()->viewport() && event->type() == QEvent::MouseButtonRelease &&
        !choosesRows(*static_cast<QMouseEvent *>(event)))
        QMetaObject::invokeMethod(this, &ChannelGrid::collapseSelection, Qt::QueuedConnection);
    return RowGrid::eventFilter(watched, event);
}

void ChannelGrid::collapseSelection()
{
    // While dragging, the view moves its current index along with the mouse, so the current row
    // is the moving end of the selection.
    m_anchor = currentSlot();
    setCurrentSlot(m_anchor);
}

void ChannelGrid::rowDoubleClicked(int row)
{
    Q_EMIT slotActivated(row);
}

} // namespace hxv5
