#pragma once

#include "base/table_row.h"

#include <QObject>
#include <QString>
#include <QVector>

#include <array>

namespace hxv5 {

// Rows of nine numbers and texts with change notification: every change is made here first, and
// views follow rowsChanged.
class RowTable : public QObject
{
    Q_OBJECT
public:
    RowTable(int rowCount, QObject *parent);

    int rowCount() const { return static_cast<int>(m_rows.size()); }
    const TableRow &row(int r) const { return m_rows.at(r); }
    QString text(int r, int column) const
    {
        return m_rows.at(r).text.at(static_cast<size_t>(column));
    }
    double number(int r, int column) const
    {
        return m_rows.at(r).number.at(static_cast<size_t>(column));
    }

    void setRow(int r, const TableRow &row);
    void setText(int r, int column, const QString &text);
    void setNumber(int r, int column, double number);
    void clearRow(int r);

Q_SIGNALS:
    // Rows first..last changed (texts, numbers or, for the channel table, enable flags).
    void rowsChanged(int first, int last);

protected:
    QVector<TableRow> m_rows;
};

// The working copy of the radio's 213 memory slots, each with an enable flag.
class ChannelTable : public RowTable
{
    Q_OBJECT
public:
    explicit ChannelTable(QObject *parent = nullptr);

    bool isEnabled(int slot) const { return m_enabled.at(static_cast<size_t>(slot)); }
    void setEnabled(int slot, bool enabled);
    const std::array<bool, kSlotCount> &enableFlags() const { return m_enabled; }
    void setEnableFlags(const std::array<bool, kSlotCount> &flags);

    // Slot and enable flag together, with one notification.
    void setSlot(int slot, const TableRow &row, bool enabled);
    // Every slot empty and disabled.
    void clearAll();

private:
    std::array<bool, kSlotCount> m_enabled{};
};

// One row per receiver band; the same columns as a slot and no enable flags.
class VfoTable : public RowTable
{
    Q_OBJECT
public:
    explicit VfoTable(QObject *parent = nullptr);
};

} // namespace hxv5
