#include "editing/widgets/channel_grid.h"

#include "app/document.h"
#include "editing/widgets/channel_table_model.h"

#include <QHeaderView>
#include <QMouseEvent>

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
    : RowGrid(new ChannelTableModel(document.channels()), channelColumnTwips(), kVisibleRows,
              parent)
{
    setObjectName(QStringLiteral("MSFlexGrid1"));
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    verticalHeader()->viewport()->installEventFilter(this);
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

void ChannelGrid::mouseReleaseEvent(QMouseEvent *event)
{
    RowGrid::mouseReleaseEvent(event);
    collapseSelection();
}

bool ChannelGrid::eventFilter(QObject *watched, QEvent *event)
{
    // Dragging over the row labels selects rows too; the header finishes its own release handling
    // first, so the rule runs after it.
    if (watched == verticalHeader()->viewport() && event->type() == QEvent::MouseButtonRelease)
        QMetaObject::invokeMethod(this, &ChannelGrid::collapseSelection, Qt::QueuedConnection);
    return RowGrid::eventFilter(watched, event);
}

void ChannelGrid::collapseSelection()
{
    // While dragging, the view moves its current index along with the mouse, so the current row
    // is the moving end of the selection.
    setCurrentSlot(currentSlot());
}

void ChannelGrid::rowDoubleClicked(int row)
{
    Q_EMIT slotActivated(row);
}

} // namespace hxv5
