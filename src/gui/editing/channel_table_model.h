#pragma once

#include "editing/row_table_model.h"

namespace hxv5 {

class ChannelTable;

// The 213 slots of the channel table; model row = slot. EnabledRole carries the slot's enable
// flag, the vertical header the row labels "0" .. "199", "P0A" .. "P4B", "A-L", "A-H", "Pri".
// A slot that holds no channel shows nine empty cells, whatever texts the table keeps for it
// (a read leaves an unused slot's mode, tones and note behind; a note stays with its slot).
class ChannelTableModel : public RowTableModel
{
    Q_OBJECT
public:
    explicit ChannelTableModel(const ChannelTable &channels, QObject *parent = nullptr);

protected:
    QString rowLabel(int row) const override;
    bool rowEnabled(int row) const override;
    bool rowBlank(int row) const override;

private:
    const ChannelTable &m_channels;
};

} // namespace hxv5
