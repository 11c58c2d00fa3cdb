#include "editing/vfo_table_model.h"

#include "base/shown_text.h"
#include "document/document.h"

namespace hxv5 {

VfoTableModel::VfoTableModel(const Document &document, QObject *parent)
    : RowTableModel(document.vfo(), parent), m_document(document)
{
    for (int row = 0; row < kVfoRowCount; ++row)
        m_hidden[static_cast<size_t>(row)] = m_document.vfoRowHidden(row);
    connect(&m_document.settings(), &SettingsModel::modelChanged, this,
            &VfoTableModel::followModel);
}

QString VfoTableModel::rowLabel(int row) const
{
    return shownText(kTableTexts, vfoRowLabel(row));
}

bool VfoTableModel::rowHidden(int row) const
{
    return m_hidden.at(static_cast<size_t>(row));
}

void VfoTableModel::followModel()
{
    int first = -1;
    for (int row = 0; row <= kVfoRowCount; ++row) {
        bool flips = false;
        if (row < kVfoRowCount) {
            const bool hidden = m_document.vfoRowHidden(row);
            flips = hidden != m_hidden[static_cast<size_t>(row)];
            m_hidden[static_cast<size_t>(row)] = hidden;
        }
        if (flips && first < 0)
            first = row;
        if (!flips && first >= 0) {
            refreshRows(first, row - 1);
            first = -1;
        }
    }
}

} // namespace hxv5
