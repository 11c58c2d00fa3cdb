#include "editing/widgets/vfo_grid.h"

#include "app/document.h"
#include "editing/widgets/vfo_table_model.h"

namespace hxv5 {

VfoGrid::VfoGrid(Document &document, QWidget *parent)
    : RowGrid(new VfoTableModel(document), columnWidths(), kVfoRowCount, parent)
{
    setObjectName(QStringLiteral("MSFlexGrid2"));
    setSelectionMode(QAbstractItemView::SingleSelection);
}

VfoTableModel *VfoGrid::vfoModel() const
{
    return static_cast<VfoTableModel *>(rowModel());
}

void VfoGrid::UpdateVFOData()
{
    rowModel()->refreshRows(0, kVfoRowCount - 1);
}

void VfoGrid::Grid2Data(int row)
{
    rowModel()->refreshRows(row - 1, row - 1);
}

void VfoGrid::ChangeFont()
{
    applyNotesFont();
}

void VfoGrid::rowDoubleClicked(int row)
{
    Q_EMIT rowActivated(row);
}

} // namespace hxv5
