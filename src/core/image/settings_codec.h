#pragma once

#include "base/settings_values.h"

#include <QString>

namespace hxv5 {

// Translation between the settings record (block 213, 32 hexadecimal digits) and the settings
// values.
//
//   byte  0  record mark "A5"          byte  8  auto power off 0-3
//   byte  1  model variant 0-5         byte  9  bug sensitivity level 0-4
//   byte  2  volume 0-30               byte 10  reserved, written "00"
//   byte  3  squelch 0-10              byte 11  tone burst 0-3
//   byte  4  VFO band 0-6              byte 12  function switches (chkFlg1 0..7, MSB first)
//   byte  5  memory channel (slot)     byte 13  auto program, scan resume, auto step, lo volume,
//   byte  6  operating mode code 0-7            reserved 0, TX extension, reserved 1, reserved 1
//   byte  7  scan mode 0-11            bytes 14-15  filler "FFFF"

// Reads the record into values, in byte order. A record without the mark "A5" (or not 32
// characters long) is first replaced by the default record of the variant selected now. A field
// above its range takes its fallback value, which is also written back into the record, so that
// the record stays consistent with the values.
SettingsValues decodeSettingsValues(QString &record, int selectedModel);

// Builds a new record from the values.
//
// Operating mode: "VFO" and "Memory" are written as codes 6 and 7 when "Scan on" is set (it is
// set only by decoding a record with those codes, the control being hidden), so that a scan state
// read from the radio or a file goes back to the radio unchanged; otherwise as 0 and 1.
// A list without a selection is written as its first entry.
QString encodeSettingsValues(const SettingsValues &values);

} // namespace hxv5
