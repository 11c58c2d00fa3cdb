#include "editing/auto_mode_step.h"

#include <algorithm>

namespace hxv5 {

namespace {

constexpr int kFm = 0, kAm = 1, kWfm = 2;
constexpr int k9KHz = 0, k5KHz = 1, k10KHz = 4, k12_5KHz = 5, k20KHz = 7, k25KHz = 8, k100KHz = 11,
              k200KHz = 13;

// Variants 2 and 4 share one step plan; variant 0 has its own in the VHF and upper UHF ranges.
bool usesFineSteps(int model)
{
    return model == 2 || model == 4;
}

// The seven ranges both rules share, numbered like the VFO rows: 0 below 1.625 MHz ("AM"),
// 1 short wave, 2 broadcast FM, 3 air band, 4 VHF, 5 174 to 420 MHz ("L-UHF"), and the upper UHF
// range, which the memory rule splits at 430 MHz.
ModeStep rangeChoice(int range, bool below430, int model)
{
    switch (range) {
    case 0:
        return {kAm, usesFineSteps(model) ? k10KHz : k9KHz};
    case 1:
        return {kAm, k5KHz};
    case 2:
        return {kWfm, usesFineSteps(model) ? k200KHz : k100KHz};
    case 3:
        return {kAm, k25KHz};
    case 5:
        return {kFm, usesFineSteps(model) ? k25KHz : k12_5KHz};
    case 6:
        if (below430)
            return {kFm, usesFineSteps(model) ? k5KHz : k12_5KHz};
        [[fallthrough]];
    default: // 4: VHF, and 430 MHz and above
        return {kFm, model == 0 ? k20KHz : usesFineSteps(model) ? k5KHz : k12_5KHz};
    }
}

} // namespace

ModeStep autoModeStepForFrequency(double f, int model)
{
    if (f < 1.625)
        return rangeChoice(0, false, model);
    if (f < 10)
        return rangeChoice(1, false, model);
    if (f < 108)
        return rangeChoice(2, false, model);
    if (f < 142)
        return rangeChoice(3, false, model);
    if (f < 174)
        return rangeChoice(4, false, model);
    if (f < 420)
        return rangeChoice(5, false, model);
    return rangeChoice(6, f < 430, model);
}

ModeStep autoModeStepForBand(int vfoRow, int model)
{
    return rangeChoice(vfoRow, false, model);
}

QList<FrequencyRange> memoryRanges(int model)
{
    switch (model) {
    case 0:
        return {{0.531, 9.995}, {76.1, 89.995}, {108, 169.995}, {380, 469.995}};
    case 4:
        return {{88.1, 173.995}, {380, 511.995}};
    case 5:
        return {{87.5, 107.995}, {144, 145.995}, {430, 439.995}};
    default:
        return {};
    }
}

bool memoryFrequencyValid(double f, int model)
{
    const QList<FrequencyRange> ranges = memoryRanges(model);
    return ranges.isEmpty() || std::any_of(ranges.cbegin(), ranges.cend(), [f](const auto &r) {
               return f >= r.lower && f <= r.upper;
           });
}

} // namespace hxv5
