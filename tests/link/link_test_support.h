#pragma once

#include "document/document.h"
#include "editing/channel_table.h"
#include "image/channel_codec.h"

// A plain FM channel record at mhz with a 12.5 kHz step.
inline QString channelRecord(double mhz)
{
    hxv5::TableRow row;
    row.number[hxv5::kColFrequency] = mhz;
    row.number[hxv5::kColStep] = 5;
    return hxv5::encodeRecord(row);
}

inline double frequency(const hxv5::Document &doc, int slot)
{
    return doc.channels().number(slot, hxv5::kColFrequency);
}
