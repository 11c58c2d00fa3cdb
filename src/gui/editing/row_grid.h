#pragma once

#include <QTableView>

#include <array>

namespace hxv5 {

class GridCellEditor;
class RowStyleDelegate;
class RowTableModel;

// What the channel grid and the VFO grid share: a table view with a header row and a label column
// over a row table model, in "Arial" 6.75 pt with the Notes cells in their own font, columns as
// wide as the twips list says (on this screen) at first, at least a fixed number of visible rows
// (the grid grows with the window, and the columns can be widened by their headings), and a
// current row that is always selected across the nine data columns. Enter, Return and F2 open the
// current row as a double click does; a key typed on the current cell edits it in place.
class RowGrid : public QTableView
{
    Q_OBJECT
public:
    // Ten widths in twips: the label column, then the nine data columns.
    using ColumnTwips = std::array<int, 10>;

    RowTableModel *rowModel() const { return m_model; }
    RowStyleDelegate *rowStyle() const;
    GridCellEditor *cellEditor() const { return m_cellEditor; }
    int visibleRowCount() const { return m_visibleRows; }
    // How many whole rows the grid shows now, at least visibleRowCount.
    int shownRowCount() const;
    // The height of one row in pixels.
    int rowHeight() const { return m_rowHeight; }
    // A length in twips on this grid's screen (1440 twips to the inch).
    int twipsToPixels(int twips) const;

    // The nine data columns' widths in twips as they are now (the user may have widened them),
    // and back, as the window keeps them between runs. A list that is not nine widths of
    // kMinColumnTwips to kMaxColumnTwips changes nothing.
    static constexpr int kMinColumnTwips = 100;
    static constexpr int kMaxColumnTwips = 30000;
    QList<int> dataColumnTwips() const;
    void setDataColumnTwips(const QList<int> &twips);

    // The grid font, and the font the Notes cells take (falls back to another family silently
    // where the desktop lacks it).
    static QFont gridFont();
    static QFont notesFont();

    QSize sizeHint() const override;

protected:
    RowGrid(RowTableModel *model, GridCellEditor *cellEditor, const ColumnTwips &widths,
            int visibleRows, QWidget *parent);

    int currentDataRow() const;
    // Makes a row current and selects it across the data columns, scrolled into view unless
    // bringIntoView is false: then the view stays where the user left it. The current column
    // stays, so that typing edits the cell the user chose.
    void selectDataRow(int row, bool bringIntoView = true);
    // The Notes cells of every row take the Notes font; row 0 becomes current.
    void applyNotesFont();

    virtual void rowDoubleClicked(int row) = 0;

    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void layOut();
    // Once the columns are wider than the grid, the sideways scroll bar comes, and the grid grows
    // by its height, so that it still shows as many rows as before (all of them for the VFO grid).
    void makeRoomForScrollBar();

    RowTableModel *m_model;
    GridCellEditor *m_cellEditor;
    ColumnTwips m_widths;
    // The data columns' widths now, in twips: the twips list's at first, then the user's.
    std::array<int, std::tuple_size_v<ColumnTwips> - 1> m_columnTwips{};
    int m_visibleRows;
    int m_rowHeight = 0;
    // The height that shows the visible rows, and what the sideways scroll bar adds to it.
    int m_rowsHeight = 0;
    int m_scrollBarRoom = 0;
    bool m_layingOut = false;
};

} // namespace hxv5
