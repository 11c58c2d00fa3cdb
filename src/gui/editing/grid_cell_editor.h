#pragma once

#include "editing/cell_edit.h"
#include "editing/row_style_delegate.h"

namespace hxv5 {

class EditTarget;

// The grids' in-place editor: a key typed on a cell starts editing it where it stands. A list
// column offers exactly the options the edit dialog offers for the row and the model variant;
// frequency, offset and notes are text fields with the dialog's keystroke filter and lengths.
// What the user chose goes to the core's cell edit, which checks it as the dialog does; a refused
// value leaves the cell as it was, and the reason goes out as a notice. The cells are drawn as
// RowStyleDelegate draws them.
class GridCellEditor : public RowStyleDelegate
{
    Q_OBJECT
public:
    GridCellEditor(EditTarget &document, EditSession::Kind kind, QObject *parent = nullptr);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;

Q_SIGNALS:
    // Why a value was refused, for the status bar.
    void notice(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    RowRef rowAt(const QModelIndex &index) const { return {m_kind, index.row()}; }

    EditTarget &m_document;
    EditSession::Kind m_kind;
};

} // namespace hxv5
