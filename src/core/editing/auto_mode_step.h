#pragma once

#include <QList>

namespace hxv5 {

// The mode and tuning step that "Auto Mode and Step" chooses.
struct ModeStep
{
    int mode; // 0 FM, 1 AM, 2 WFM
    int step; // index into the step list
    bool operator==(const ModeStep &) const = default;
};

// For a memory slot, by the frequency in MHz typed in the edit dialog: the first matching range
// wins, and each boundary belongs to the range above it.
ModeStep autoModeStepForFrequency(double mhz, int model);

// For a VFO band, by its row 0..6 (AM .. H-UHF).
ModeStep autoModeStepForBand(int vfoRow, int model);

// A range of frequencies in MHz, both ends included.
struct FrequencyRange
{
    double lower;
    double upper;
};

// The ranges a model variant can hold as memory channels; none for variants 1 to 3, which have
// no band plan.
QList<FrequencyRange> memoryRanges(int model);

// Whether a model variant can hold a memory channel on this frequency (bounds included).
// Variants 1 to 3 have no band plan and take every value.
bool memoryFrequencyValid(double mhz, int model);

} // namespace hxv5
