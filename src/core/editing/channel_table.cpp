#include "editing/channel_table.h"

namespace hxv5 {

RowTable::RowTable(int rowCount, QObject *parent) : QObject(parent), m_rows(rowCount) {}

void RowTable::setRow(int r, const TableRow &row)
{
    if (m_rows.at(r) == row)
        return;
    m_rows[r] = row;
    Q_EMIT rowsChanged(r, r);
}

void RowTable::setText(int r, int column, const QString &text)
{
    QString &t = m_rows[r].text.at(static_cast<size_t>(column));
    if (t == text)
        return;
    t = text;
    Q_EMIT rowsChanged(r, r);
}

void RowTable::setNumber(int r, int column, double number)
{
    double &n = m_rows[r].number.at(static_cast<size_t>(column));
    if (n == number)
        return;
    n = number;
    Q_EMIT rowsChanged(r, r);
}

void RowTable::clearRow(int r)
{
    TableRow empty;
    setRow(r, empty);
}

ChannelTable::ChannelTable(QObject *parent) : RowTable(kSlotCount, parent) {}

void ChannelTable::setEnabled(int slot, bool enabled)
{
    bool &flag = m_enabled.at(static_cast<size_t>(slot));
    if (flag == enabled)
        return;
    flag = enabled;
    Q_EMIT rowsChanged(slot, slot);
}

void ChannelTable::setEnableFlags(const std::array<bool, kSlotCount> &flags)
{
    if (flags == m_enabled)
        return;
    m_enabled = flags;
    Q_EMIT rowsChanged(0, kSlotCount - 1);
}

void ChannelTable::setSlot(int slot, const TableRow &row, bool enabled)
{
    bool &flag = m_enabled.at(static_cast<size_t>(slot));
    if (m_rows.at(slot) == row && flag == enabled)
        return;
    m_rows[slot] = row;
    flag = enabled;
    Q_EMIT rowsChanged(slot, slot);
}

void ChannelTable::clearAll()
{
    for (TableRow &r : m_rows)
        r.clear();
    m_enabled.fill(false);
    Q_EMIT rowsChanged(0, kSlotCount - 1);
}

VfoTable::VfoTable(QObject *parent) : RowTable(kVfoRowCount, parent) {}

} // namespace hxv5
