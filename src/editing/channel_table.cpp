#include "editing/channel_table.h"

#include <cmath>

namespace hxv5 {

void TableRow::clear()
{
    for (QString &t : text)
        t.clear();
    number.fill(0.0);
}

QString formatMHz(double mhz)
{
    if (!std::isfinite(mhz))
        mhz = 0.0;
    QString s = QString::number(std::fabs(mhz), 'f', 5);
    if (s.startsWith(QLatin1String("0.")))
        s.remove(0, 1);
    if (mhz < 0 && s != QLatin1String(".00000"))
        s.prepend(QLatin1Char('-'));
    return s;
}

QString columnHeader(int column)
{
    static const char *const headers[kColumnCount] = {
        "Frequency", "Mode", "Step", "Tone", "TxTone", "RxTone", "Shift", "ShiftFreq.", "Notes",
    };
    if (column < 0 || column >= kColumnCount)
        return {};
    return QString::fromLatin1(headers[column]);
}

QString slotRowLabel(int slot)
{
    static const char *const labels[kSpecialSlotCount] = {
        "P0A", "P0B", "P1A", "P1B", "P2A", "P2B", "P3A", "P3B", "P4A", "P4B", "A-L", "A-H", "Pri",
    };
    if (slot >= 0 && slot < kChannelCount)
        return QString::number(slot);
    if (slot >= kChannelCount && slot < kSlotCount)
        return QString::fromLatin1(labels[slot - kChannelCount]);
    return {};
}

QString slotDialogLabel(int slot)
{
    if (slot >= 0 && slot < kChannelCount)
        return QString::number(slot) + QLatin1String("Ch");
    return dialogLabel(slot - kChannelCount);
}

QString vfoRowLabel(int row)
{
    static const char *const labels[kVfoRowCount] = {"AM",  "SW",    "FM",   "Air",
                                                     "VHF", "L-UHF", "H-UHF"};
    if (row < 0 || row >= kVfoRowCount)
        return {};
    return QString::fromLatin1(labels[row]);
}

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
