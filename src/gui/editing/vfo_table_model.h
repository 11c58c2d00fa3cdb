#pragma once

#include "base/reference_tables.h"
#include "editing/row_table_model.h"

#include <array>

namespace hxv5 {

class Document;

// The seven bands of the VFO table; model row = VFO row. A band that the selected model variant
// lacks reads as "-" in every column (HiddenRole true) while the table keeps its values, which
// NumberRole still reports.
class VfoTableModel : public RowTableModel
{
    Q_OBJECT
public:
    explicit VfoTableModel(const Document &document, QObject *parent = nullptr);

protected:
    QString rowLabel(int row) const override;
    bool rowHidden(int row) const override;

private:
    // A new model variant changes only the rows whose "-" state flips.
    void followModel();

    const Document &m_document;
    std::array<bool, kVfoRowCount> m_hidden{};
};

} // namespace hxv5
