#pragma once

#include "base/table_row.h"

#include <QString>
#include <QStringView>

namespace hxv5 {

// Translation between a 32-character channel or VFO record and one table row. Channel and VFO
// records share one layout:
//
//   chars  1- 4  frequency, whole MHz, four decimal digits
//   chars  5-10  frequency, millionths of a MHz, six decimal digits (char 10 is written, not read)
//   chars 11-12  mode code          chars 13-14  step code       chars 15-16  tone mode
//   chars 17-18  transmit tone      chars 19-20  receive tone    chars 21-22  shift kind
//   chars 23-24  offset, whole MHz, two decimal digits
//   chars 25-29  offset, hundred-thousandths of a MHz, five decimal digits
//   chars 30-32  filler "0FF"
//
// The codes are binary bytes in upper-case hexadecimal; the frequencies are decimal digits.
// The radio marks an unused block with FF bytes.

// Decodes a record (its first 32 characters; a shorter text counts as having its missing
// characters blank) into row. Returns true when the record held a channel. A record holding
// "FFFF" anywhere leaves the row untouched; a record whose frequency is 0 empties the row, Notes
// included. The Notes column is otherwise never touched. Every text written is the text of the
// number written, so the two never disagree.
bool decodeRecord(QStringView record, TableRow &row);

// Encodes the numbers of a row (texts are not consulted) into a 32-character record.
//
// Values the record cannot hold are brought inside its limits, so that every record has 32
// valid characters and never contains the empty marker "FFFF":
//  - the frequency is limited to 0 .. 9999.999999 MHz, the four whole-megahertz digits;
//  - the offset is limited to 0 .. 99.99999 MHz: an offset of 100 MHz or more is written as
//    99.99999 MHz, the largest the two whole-megahertz digits can carry;
//  - a code outside its field's range (mode 0-2, step 0-18, tone mode 0-3, tones 0-38,
//    shift kind 0-3) is written as 0, the value the decoder would take for it anyway;
//  - a value that is not a number counts as 0.
QString encodeRecord(const TableRow &row);

// Text of a mode, tone-mode and shift-kind code as the decoder sets it.
QString modeText(int code);
QString toneModeText(int code);
QString shiftText(int code);

// The codes of a channel, as a record holds them.
struct ChannelCodes
{
    double frequency = 0.0; // MHz
    int mode = 0, step = 0, toneMode = 0, txTone = 0, rxTone = 0, shift = 0;
    double offset = 0.0; // MHz
};

// A channel row from its codes and note, each text the one the decoder sets for its number.
TableRow channelRow(const ChannelCodes &codes, const QString &note);

} // namespace hxv5
