#include "editing/vfo_grid.h"

#include "document/document.h"
#include "editing/grid_cell_editor.h"
#include "editing/vfo_table_model.h"

namespace hxv5 {

VfoGrid::VfoGrid(Document &document, QWidget *parent)
    : RowGrid(new VfoTableModel(document), new GridCellEditor(document, EditSession::Kind::Vfo),
              columnWidths(), kVfoRowCount, parent)
{
    setObjectName(QStringLiteral("MSFlexGrid2"));
    setAccessibleName(tr("VFO table"));
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
