#include "editing/vfo_defaults.h"

#include "base/reference_tables.h"
#include "image/channel_codec.h"

namespace hxv5 {

namespace {

struct BandDefault
{
    const char *frequency; // null: not written for this variant
    int mode;
    int step; // -1: not written for this variant
    const char *offset;
};

BandDefault bandDefault(int row, int model)
{
    switch (row) {
    case 0:
        return {".53100", 1, 0, ".00000"};
    case 1:
        return {"1.62500", 1, 1, ".00000"};
    case 2:
        switch (model) {
        case 0:
            return {"76.10000", 2, 11, ".00000"};
        case 4:
            return {"88.10000", 2, 13, ".00000"};
        case 5:
            return {"87.50000", 2, 11, ".00000"};
        default:
            return {nullptr, 2, -1, ".00000"};
        }
    case 3:
        return {"118.00000", 1, 8, ".00000"};
    case 4:
        return {"145.00000", 0, model == 5 ? 5 : model == 4 ? 1 : 7, ".60000"};
    case 5:
        return {"380.00000", 0, model == 4 ? 8 : 5, ".00000"};
    default:
        return {model == 4 ? "445.00000" : "433.00000", 0,
                model == 4   ? 1
                : model == 5 ? 5
                             : 7,
                "5.00000"};
    }
}

} // namespace

void SetVfoDefaults(VfoTable &vfo, int model)
{
    for (int r = 0; r < kVfoRowCount; ++r) {
        const BandDefault d = bandDefault(r, model);
        TableRow row = vfo.row(r);
        if (d.frequency) {
            row.text[kColFrequency] = QString::fromLatin1(d.frequency);
            row.number[kColFrequency] = row.text[kColFrequency].toDouble();
        }
        row.number[kColMode] = d.mode;
        row.text[kColMode] = modeText(d.mode);
        if (d.step >= 0) {
            row.number[kColStep] = d.step;
            row.text[kColStep] = stepText(d.step);
        }
        row.number[kColTone] = 0;
        row.text[kColTone] = toneModeText(0);
        row.number[kColTxTone] = 8;
        row.text[kColTxTone] = toneText(8);
        row.number[kColRxTone] = 8;
        row.text[kColRxTone] = toneText(8);
        row.number[kColShift] = 0;
        row.text[kColShift] = shiftText(0);
        row.text[kColShiftFreq] = QString::fromLatin1(d.offset);
        row.number[kColShiftFreq] = row.text[kColShiftFreq].toDouble();
        vfo.setRow(r, row);
    }
}

bool vfoRowHidden(int model, int row)
{
    switch (model) {
    case 4:
        return row == 0 || row == 1;
    case 5:
        return row == 0 || row == 1 || row == 3 || row == 5;
    default:
        return false;
    }
}

} // namespace hxv5
