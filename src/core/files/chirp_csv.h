#pragma once

#include "base/user_interaction.h"
#include "files/clone_file.h"
#include "files/csv_exchange.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

namespace hxv5 {

class Document;

// The CSV layout of the CHIRP programming software: a header line naming the columns, then one
// line per memory channel, written as spreadsheets write CSV (a field in quotes when it holds a
// comma, a quote or a line end, a quote inside doubled). A line that begins with "#" is a
// comment, also before the header.
//
//   Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,
//   RxDtcsCode,CrossMode,Mode,TStep,Skip,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE
//
// Only memory channels 0 to 199 travel; the special rows, the VFO table and the settings have no
// place in it. Columns are found by their header name, so files of older versions that lack some
// of them, or order them otherwise, read the same. There is no Power column: the radio keeps no
// power per channel, and CHIRP refuses an empty Power cell but takes its default for a file
// without the column.

// The header line's column names in the order Export writes them.
const QStringList &chirpCsvColumns();

// What Export writes: the header, then every slot 0 to 199 that holds a channel, enabled or
// not, in slot order, each line ending with CR LF. A channel's columns:
//   Location   the slot number
//   Name       the note (Comment stays empty)
//   Frequency  MHz with six decimals ("145.500000"), as CHIRP writes it
//   Duplex     "" for no shift, "+" or "-"; Offset the offset in MHz with six decimals
//   Tone       "" with no tone, "Tone" with a transmit tone, "TSQL" for tone squelch with one
//              tone both ways, "Cross" with CrossMode "Tone->Tone" when the two tones differ,
//              "TSQL-R" for reverse tone squelch; rToneFreq the transmit tone and cToneFreq the
//              receive tone ("88.5"), always written, as CHIRP writes its unused tones too
//   DtcsCode "023", DtcsPolarity "NN", RxDtcsCode "023": the values CHIRP writes when no
//              digital squelch is set, for the radio has none
//   CrossMode  "Tone->Tone" when no other applies, CHIRP's own default
//   Mode       "FM", "AM" or "WFM"; TStep the step in kHz with two decimals ("12.50")
//   Skip       "S" for a disabled slot, else empty
//   Comment, URCALL, RPT1CALL, RPT2CALL, DVCODE: empty (the radio has no digital voice)
// The radio's "Split" shift has no CHIRP counterpart: such a channel is written without a shift,
// and notes (when given) gets a line for it, as for reverse tone squelch with two tones, of
// which TSQL-R holds the receive one.
QByteArray chirpCsvExportBytes(const Document &doc, QStringList *notes = nullptr);

// Writes chirpCsvExportBytes to path, whole or not at all; notes as there.
FileError exportChirpCsv(const QString &path, const Document &doc, QStringList *notes = nullptr);

// Reads the channel lines of a CHIRP file's bytes for a model variant. A line is taken into
// memory channel Location (0 to 199) when the radio can hold all of it:
//   Name is the note, with Comment after a blank when there is one, both with their blanks as
//   written; a line break in them becomes a blank;
//   Frequency in MHz must be one the variant can hold (memoryFrequencyValid); digits below 10 Hz
//   are cut, here and in Offset;
//   Duplex "", "+" or "-" with Offset (0 to 99.99999 MHz) gives the shift; "split" names the
//   transmit frequency in Offset, taken as + or - with the difference as offset when it is at
//   most 99.99999 MHz; "off" (transmit inhibited) cannot be held;
//   Tone "" is no tone, "Tone" transmits rToneFreq, "TSQL" is tone squelch and "TSQL-R" reverse
//   tone squelch on cToneFreq both ways, "Cross" with CrossMode "Tone->Tone" is tone squelch
//   transmitting rToneFreq and receiving cToneFreq, with "Tone->" it transmits rToneFreq alone
//   (the radio's Tone); every other kind (a tone on receive only, digital squelch) cannot be
//   held, nor can a tone in use that the tone list lacks. A tone that is not in use keeps its
//   value when the list has it, else 88.5 Hz;
//   Mode FM and NFM are FM, AM is AM, WFM is WFM; others cannot be held;
//   TStep in kHz is the nearest step the radio offers for a memory channel (the first 14 of the
//   step list, 9 kHz only on the variant that has it); an empty or unreadable TStep gives the
//   automatic step of the frequency;
//   Skip "S" disables the slot; the slot is enabled (scanned) otherwise.
// When several lines name one Location, the last one the radio can hold is taken. Every line
// that is not taken is listed in report with its line and reason (those past the report's cap
// only counted); every line taken with a value other than the file's is listed once among
// report's changed rows, with all that was taken otherwise. A line with nothing in it and a line
// that begins with "#" are passed over. A file whose first such line names no Location or no
// Frequency column gives no rows, and the report says why. Returns FileOpenError when a quote is
// not closed before the end of the text. The work is one pass over the text, and what is kept
// besides it is bounded by the 200 channels and the report's cap.
FileError parseChirpCsv(const QByteArray &bytes, int model, QList<CsvRow> &rows,
                        CsvImportReport &report);

// As importCsv, for a CHIRP file: the rows are stored only when the whole file was read.
FileError importChirpCsv(const QString &path, Document &doc, CsvImportReport &report);

// The layout a CSV file's first line names, "#" comment lines and blank lines before it passed
// over: CHIRP's when it names a Location and a Frequency column, the program's own when its first
// field is MODEL or HX-V5; chosen when it names neither. So that a file chosen under the other
// type is read all the same. Only a regular file is looked into, and only its first 64 KB.
CsvFormat csvFormatOfText(QByteArrayView start, CsvFormat chosen);
CsvFormat csvFormatOfFile(const QString &path, CsvFormat chosen);

// Whether a file is a CHIRP file by csvFormatOfFile: for a file that comes without a chosen
// format, dropped on the window.
bool isChirpCsvFile(const QString &path);

} // namespace hxv5
