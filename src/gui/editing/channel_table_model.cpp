#include "editing/channel_table_model.h"

#include "editing/channel_table.h"

namespace hxv5 {

ChannelTableModel::ChannelTableModel(const ChannelTable &channels, QObject *parent)
    : RowTableModel(channels, parent), m_channels(channels)
{
}

QString ChannelTableModel::rowLabel(int row) const
{
    return slotRowLabel(row);
}

bool ChannelTableModel::rowEnabled(int row) const
{
    return m_channels.isEnabled(row);
}

bool ChannelTableModel::rowBlank(int row) const
{
    return m_channels.row(row).isEmpty();
}

} // namespace hxv5
