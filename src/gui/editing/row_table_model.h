#pragma once

#include <QAbstractTableModel>

namespace hxv5 {

class RowTable;

// A read-only table model over one of the core row tables: nine data columns, one model row per
// table row. It keeps no copy of the data; it reads the table on every request and turns the
// table's change notifications into dataChanged for exactly the rows that changed.
//
// The state of a row travels through roles; how it looks (colours, fonts, alignment) is the
// view's business. What the display role shows is the model's: "-" for a hidden band, nothing for
// a blank row.
class RowTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Role {
        EnabledRole = Qt::UserRole + 1, // bool: the slot's enable flag (always true for VFO rows)
        EmptyRole,                      // bool: the row holds no channel
        HiddenRole,                     // bool: the row is drawn as "-" (a band the model lacks)
        NumberRole,                     // double: the number held beside the text
    };
    Q_ENUM(Role)

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QHash<int, QByteArray> roleNames() const override;

    // Reports rows first..last (all nine columns) as changed, for a view that asks for a redraw.
    void refreshRows(int first, int last);

protected:
    RowTableModel(const RowTable &table, QObject *parent);

    virtual QString rowLabel(int row) const = 0;
    virtual bool rowEnabled(int row) const;
    virtual bool rowHidden(int row) const;
    // A row drawn as nine empty cells while its texts stay in the table.
    virtual bool rowBlank(int row) const;

    const RowTable &table() const { return m_table; }

private:
    const RowTable &m_table;
};

} // namespace hxv5
