#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <array>

namespace hxv5 {

// The radio's memory as numbered 16-byte blocks, each carried as 32 upper-case hexadecimal
// digits, byte 0 first. Block n covers byte addresses n * 16 .. n * 16 + 15.
//
//   blocks   0..212  channel slots 0..212 (slot number = block number)
//   block      213  settings block
//   blocks 214..215  enable bitmap, one bit per slot
//   blocks 216..222  VFO bands 1..7 (band b in block 215 + b)
inline constexpr int kRecordLength = 32;
inline constexpr int kSettingsBlock = 213;
inline constexpr int kEnableBlock0 = 214;
inline constexpr int kEnableBlock1 = 215;
inline constexpr int kFirstVfoBlock = 216;
inline constexpr int kLastBlock = 222;

// The byte address of a block as the four hexadecimal digits the commands carry: block 5 is
// "0050", block 213 is "0D50". Blocks outside 0..222 give an empty text.
QString blockAddress(int block);

// A block as the messages name it: "slot 12", "slot P0A", "settings block 213", "enable block
// 214", "VFO AM". Blocks outside 0..222 give an empty text.
QString blockName(int block);
// Blocks in the order given, named one by one, a run of three or more that follow each other
// given by its ends: "settings block 213, VFO AM to VFO H-UHF, slot 0 to slot 56".
QString blockListText(const QList<int> &blocks);

// Block number of a VFO row 0..6 (AM .. H-UHF).
constexpr int vfoBlock(int vfoRow)
{
    return kFirstVfoBlock + vfoRow;
}

// The number written by the leading hexadecimal digits of a field (either case); reading stops
// at the first other character, and a field without one reads as 0.
int leadingHexValue(QStringView field);

// A byte value 0..255 as two upper-case hexadecimal digits.
QString hexByteText(int value);

// "0" -> "0000" .. "F" -> "1111"; any other text (lower case, empty, longer) gives "0000".
QString HexDigitToBits(QStringView digit);

// The inverse for the sixteen texts "0000" .. "1111"; any other text gives an empty text.
QString BitsToHexDigit(QStringView bits);

// The record with byte k (0..15) replaced by the two digits of byteText. For k outside 0..15 the
// record comes back unchanged.
QString SetRecordByte(const QString &record, const QString &byteText, int k);

// The settings record a fresh image starts from, by the selected model variant (-1 when none is
// selected): variants 4 and 5 have their own, every other choice gets model byte "00".
QString DefaultSettingsRecord(int selectedModel);

using EnableFlags = std::array<bool, 213>;
using EnableBlocks = std::array<QString, 2>;

// The enable bitmap: the 64 digits of blocks 214 and 215 give 256 bits, most significant bit of
// each digit first; bit j is slot j's enable flag. A digit that is not an upper-case hexadecimal
// digit, and every digit missing from a short text, clears the flags it covers; the second block
// always starts at slot 128, whatever the length of the first.
EnableFlags BitmapToFlags(const EnableBlocks &blocks);

// Packs the 213 flags back into the two block texts; bits 213..255 are written as 0.
EnableBlocks FlagsToBitmap(const EnableFlags &flags);

} // namespace hxv5
