#pragma once

#include <QString>
#include <QStringList>

#include <array>

namespace hxv5 {

// The fixed tables the whole program reads: texts that label slots and bands, the step and tone
// lists the channel record codes index into, the band plan of each model variant, the column
// widths of the two grids, the application title and the clone-file markers.

inline constexpr int kSlotCount = 213;       // 200 memory channels and 13 special rows
inline constexpr int kChannelCount = 200;    // slots 0..199 are memory channels 0..199
inline constexpr int kSpecialSlotCount = 13; // slots 200..212
inline constexpr int kVfoRowCount = 7;       // AM, SW, FM, Air, VHF, L-UHF, H-UHF
inline constexpr int kColumnCount = 9;       // Frequency .. Notes
inline constexpr int kModelCount = 6;
inline constexpr int kStepCount = 19;
inline constexpr int kTuningStepCount = 14; // the first 14 steps are real tuning steps
inline constexpr int kToneCount = 39;

QString applicationTitle();
QString startMarker();
QString endMarker();

// Step code 0..18 to its text; an empty text for any other code.
QString stepText(int code);
const QStringList &stepList();

// Tone code 0..38 to its text; an empty text for any other code.
QString toneText(int code);
const QStringList &toneList();

// Special-slot index 0..12 (slot 200 + index) to its edit-dialog label and its CSV scan name.
QString dialogLabel(int specialIndex);
QString scanName(int specialIndex);

// Width in twips of grid column 0..9 (the list both grids start from).
int columnWidth(int column);
const std::array<int, 10> &columnWidths();

// Caption of model variant 0..5 ("HX-V5 D" .. "HX-V5 A").
QString modelCaption(int model);

struct BandPlanEntry
{
    QString caption; // "(.531-1.620MHz)"; empty where the variant has no plan
    double lower = 0.0;
    double upper = 0.0; // both limits inclusive
};

// Band plan by model variant 0..5 and band number 1..7 (AM .. H-UHF). Variants 1 to 3 have no
// plan: empty caption and both limits 0, so that the edit dialog refuses every VFO frequency for
// them rather than guessing at ranges the radio may not have.
BandPlanEntry bandPlan(int model, int band);

} // namespace hxv5
