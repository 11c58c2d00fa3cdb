#pragma once

#include "editing/channel_filter.h"
#include "editing/row_grid.h"

namespace hxv5 {

class ChannelTable;
class ChannelTableModel;
class Document;

// The channel table on the "Memorys" panel ("MSFlexGrid1"): 213 slot rows under the header row,
// 13 of them visible at a time (the list operations move the view by that many rows), disabled
// slots in grey italics. The current row is the slot every single-slot operation acts on. A drag
// with the mouse never leaves more than that row selected; Shift and Ctrl with a click or the
// arrow keys select several rows, which the list operations, copy and cut act on.
//
// A filter (the find bar, View > "Hide Empty Slots") hides rows; the row of a slot stays the
// slot's, hidden rows are never among the selected slots, and a row that comes to match or to
// hold a channel shows again.
class ChannelGrid : public RowGrid
{
    Q_OBJECT
public:
    static constexpr int kVisibleRows = 13;

    explicit ChannelGrid(Document &document, QWidget *parent = nullptr);

    ChannelTableModel *channelModel() const;

    int currentSlot() const { return currentDataRow(); }
    // Makes a slot the current row, selected across the data columns and scrolled into view.
    void setCurrentSlot(int slot) { selectDataRow(slot); }
    // The same without moving the view: the list operations keep the current row where it is
    // and leave the scrolling to the user.
    void selectSlotInPlace(int slot) { selectDataRow(slot, false); }

    // The selected slots in ascending order; the current one when no row is selected.
    QList<int> selectedSlots() const;
    // Selects the slots (in place, the view does not move) with current as the current row.
    void selectSlots(const QList<int> &slots, int current);

    const ChannelTable &channels() const { return m_channels; }
    const ChannelFilter &filter() const { return m_filter; }
    // Hides the rows the filter does not show; a hidden current row gives way to the next row
    // shown (or the last one above it).
    void setFilter(const ChannelFilter &filter);
    bool isSlotShown(int slot) const { return !isRowHidden(slot); }
    // The next (previous) slot the find text matches, made current; false when none matches.
    bool findNext(bool backwards = false);
    // The next row shown below the slot (above it, up), or -1.
    int nextShownSlot(int slot, bool up) const;

    // Redraws all 213 slots after a whole-table change and keeps the current row.
    void RedrawChannelTable();
    // Redraws one slot given by its grid row (slot + 1) and makes it the selected current row.
    void Grid1Data(int row);
    // Gives the Notes cells their font; the first slot becomes the current row.
    void ChangeFont();

Q_SIGNALS:
    // A slot row (or its label) was double-clicked.
    void slotActivated(int slot);
    // Delete on the grid: clear the selected rows.
    void clearRequested();
    // Ctrl+Up and Ctrl+Down on the grid: move the selected channels.
    void moveRequested(bool down);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void rowDoubleClicked(int row) override;

private:
    // A drag that selected several rows leaves only the row where it ended.
    void collapseSelection();
    // Shows or hides rows first..last as the filter says.
    void applyFilter(int first, int last);
    // A hidden current row gives way to the next row shown, or the last one above it.
    void leaveHiddenRow();

    const ChannelTable &m_channels;
    ChannelFilter m_filter;

    // Where a Shift click selects from.
    int m_anchor = 0;
};

} // namespace hxv5
