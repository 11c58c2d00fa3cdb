#include "editing/row_table_model.h"

#include "base/shown_text.h"
#include "editing/channel_table.h"

#include <algorithm>

namespace hxv5 {

RowTableModel::RowTableModel(const RowTable &table, QObject *parent)
    : QAbstractTableModel(parent), m_table(table)
{
    connect(&m_table, &RowTable::rowsChanged, this, &RowTableModel::refreshRows);
}

int RowTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_table.rowCount();
}

int RowTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kColumnCount;
}

bool RowTableModel::rowEnabled(int) const
{
    return true;
}

bool RowTableModel::rowHidden(int) const
{
    return false;
}

bool RowTableModel::rowBlank(int) const
{
    return false;
}

QVariant RowTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.model() != this || index.row() >= m_table.rowCount() ||
        index.column() >= kColumnCount)
        return {};
    const int row = index.row();
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        if (rowHidden(row))
            return QStringLiteral("-");
        if (rowBlank(row))
            return QString();
        // The words of these columns are the files' own; the window shows them translated.
        if (column == kColMode || column == kColTone || column == kColShift)
            return shownText(kTableTexts, m_table.text(row, column));
        return m_table.text(row, column);
    case Qt::ToolTipRole:
        // A note may be wider than its cell: the tool tip shows it whole.
        if (column == kColNotes && !rowHidden(row) && !rowBlank(row) &&
            !m_table.text(row, column).isEmpty())
            return m_table.text(row, column);
        return {};
    case EnabledRole:
        return rowEnabled(row);
    case EmptyRole:
        return m_table.row(row).isEmpty();
    case HiddenRole:
        return rowHidden(row);
    case NumberRole:
        return m_table.number(row, column);
    default:
        return {};
    }
}

QVariant RowTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < kColumnCount
                   ? shownText(kTableTexts, columnHeader(section))
                   : QVariant();
    return section >= 0 && section < m_table.rowCount() ? rowLabel(section) : QVariant();
}

Qt::ItemFlags RowTableModel::flags(const QModelIndex &index) const
{
    // A cell is edited in place through the grid's cell editor, which hands the value to the
    // core; the model itself takes no data. A band drawn as "-" is not edited.
    if (!index.isValid())
        return Qt::NoItemFlags;
    const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    return rowHidden(index.row()) ? flags : flags | Qt::ItemIsEditable;
}

QHash<int, QByteArray> RowTableModel::roleNames() const
{
    QHash<int, QByteArray> names = QAbstractTableModel::roleNames();
    names.insert(EnabledRole, "enabled");
    names.insert(EmptyRole, "empty");
    names.insert(HiddenRole, "hidden");
    names.insert(NumberRole, "number");
    return names;
}

void RowTableModel::refreshRows(int first, int last)
{
    first = std::max(first, 0);
    last = std::min(last, m_table.rowCount() - 1);
    if (first > last)
        return;
    Q_EMIT dataChanged(index(first, 0), index(last, kColumnCount - 1));
}

} // namespace hxv5
