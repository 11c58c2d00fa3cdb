#pragma once

#include "base/reference_tables.h"

#include <QString>

#include <array>

namespace hxv5 {

// The nine data columns shared by the channel table and the VFO table.
enum Column {
    kColFrequency = 0,
    kColMode = 1,
    kColStep = 2,
    kColTone = 3,
    kColTxTone = 4,
    kColRxTone = 5,
    kColShift = 6,
    kColShiftFreq = 7,
    kColNotes = 8,
};

// One slot or VFO band: per column one number (what the codecs and the edit dialog work with)
// and one display text (what the grids show). The Notes column holds text only; its number stays 0.
struct TableRow
{
    std::array<QString, kColumnCount> text;
    std::array<double, kColumnCount> number{};

    // The one emptiness test every operation uses: a row holds a channel only when its frequency
    // number is not 0 and its frequency text is not empty.
    bool holdsChannel() const
    {
        return number[kColFrequency] != 0.0 && !text[kColFrequency].isEmpty();
    }
    bool isEmpty() const { return !holdsChannel(); }

    // All nine texts empty and all nine numbers 0.
    void clear();

    bool operator==(const TableRow &other) const = default;
};

// A frequency or offset in MHz as the tables show it: five decimals and no leading zero
// ("145.00000", ".53100", ".60000").
QString formatMHz(double mhz);

// Header text of data column 0..8 ("Frequency" .. "Notes").
QString columnHeader(int column);

// Row label of slot 0..212 in the channel grid: "0" .. "199", "P0A" .. "P4B", "A-L", "A-H", "Pri".
QString slotRowLabel(int slot);
// Label of slot 0..212 in the edit dialog: "57Ch", "P 0A" .. "AP H", "Priority".
QString slotDialogLabel(int slot);
// Label of VFO row 0..6: "AM", "SW", "FM", "Air", "VHF", "L-UHF", "H-UHF".
QString vfoRowLabel(int row);

} // namespace hxv5
