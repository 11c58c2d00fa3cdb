#pragma once

#include "editing/row_grid.h"

namespace hxv5 {

class Document;
class VfoTableModel;

// The VFO table on the "Settings 1" panel ("MSFlexGrid2"): the seven bands, all visible, with the
// bands the selected model variant lacks drawn as "-". It follows the tables and the model
// variant by itself; the named operations are there for the callers that redraw explicitly.
class VfoGrid : public RowGrid
{
    Q_OBJECT
public:
    explicit VfoGrid(Document &document, QWidget *parent = nullptr);

    VfoTableModel *vfoModel() const;

    // Redraws all seven bands for the selected model variant.
    void UpdateVFOData();
    // Redraws one band given by its grid row (band + 1); the selection stays.
    void Grid2Data(int row);
    // Gives the Notes cells their font; the first band becomes the current row.
    void ChangeFont();

    int currentRow() const { return currentDataRow(); }
    void setCurrentRow(int vfoRow) { selectDataRow(vfoRow); }

Q_SIGNALS:
    // A band row (or its label) was double-clicked.
    void rowActivated(int vfoRow);

protected:
    void rowDoubleClicked(int row) override;
};

} // namespace hxv5
