#pragma once

#include "editing/edit_session.h"

#include <QList>
#include <QString>

#include <optional>

namespace hxv5 {

class EditTarget;

// A row of either table: a slot (0..212) of the channel table or a band (0..6) of the VFO table.
struct RowRef
{
    EditSession::Kind kind = EditSession::Kind::Memory;
    int row = 0;
};

// One field of a row as the user gives it: an option of a list column (mode, step, tone mode, the
// two tones, shift), or the text of a typed column (frequency, offset, notes).
struct FieldValue
{
    int column = kColFrequency;
    int option = -1;
    QString text;
    bool operator==(const FieldValue &) const = default;
};

// Whether the user picks the column's value from a list rather than typing it.
bool isListColumn(int column);
// How many options a list column has (0 for a typed column).
int optionCount(int column);

// The option a text names, as the cells and the edit dialog write it, in any case: "tsq",
// "Reverse", "+", "+Shift", "88.5" or "88.5Hz", "12.5" or "12.5KHz"; none when it names none.
std::optional<int> optionFromText(int column, const QString &text);

// The field as the edit dialog would show it on opening the row: the stored value, or on an empty
// slot the default of a new channel. None when the dialog would not open on the row (a band the
// model variant lacks, a transfer running).
std::optional<FieldValue> fieldStartValue(const EditTarget &document, RowRef ref, int column);

// The options the edit dialog offers (leaves enabled) in a list column for the row, in its
// order; none when it would not open on the row.
QList<int> offeredOptions(const EditTarget &document, RowRef ref, int column);

// The edit dialog's checks on one field of the row its session is open on: why the dialog would
// not keep the value, or an empty text when it would.
QString fieldRefusal(const EditSession &session, const FieldValue &value);

// Writes a field the checks passed into a row: the number and the text the dialog would write.
void putField(TableRow &row, const FieldValue &value);

// After a new frequency, the mode and step "Auto Mode and Step" chooses for the row.
void putAutoModeStep(TableRow &row, EditSession &session);

struct CellEditOutcome
{
    bool changed = false;
    QString refusal; // why nothing changed, for the status bar; empty when it did
};

// One cell set as the edit dialog would set it: the same checks (a refused value changes
// nothing and says why), a new frequency choosing the mode and step as "Auto Mode and Step"
// does, and an empty slot filled with the dialog's defaults for a new channel first. One step of
// the history, named after the row and the column; sets the changed flag.
CellEditOutcome editCell(EditTarget &document, RowRef ref, const FieldValue &value);

} // namespace hxv5
