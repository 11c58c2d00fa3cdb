#pragma once

#include "files/clone_file.h"
#include "files/csv_exchange.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace hxv5 {

class Document;

// The CSV layout of the CHIRP programming software: a header line naming the columns, then one
// line per memory channel, written as spreadsheets write CSV (a field in quotes when it holds a
// comma, a quote or a line end, a quote inside doubled).
//
//   Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,
//   RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE
//
// Only memory channels 0 to 199 travel; the special rows, the VFO table and the settings have no
// place in it. Columns are found by their header name, so files of older versions that lack some
// of them, or order them otherwise, read the same.

// The header line's column names in the order Export writes them.
const QStringList &chirpCsvColumns();

// What Export writes: the header, then every slot 0 to 199 that holds a channel, enabled or
// not, in slot order, each line ending with CR LF. A channel's columns:
//   Location   the slot number
//   Name       the note (Comment stays empty)
//   Frequency  MHz with six decimals ("145.500000"), as CHIRP writes it
//   Duplex     "" for no shift, "+" or "-"; Offset the offset in MHz with six decimals
//   Tone       "" with no tone, "Tone" with a transmit tone, "TSQL" for tone squelch with one
//              tone both ways, "Cross" with CrossMode "Tone->Tone" when the two tones differ;
//              rToneFreq the transmit tone and cToneFreq the receive tone ("88.5"), always
//              written, as CHIRP writes its unused tones too
//   DtcsCode "023", DtcsPolarity "NN", RxDtcsCode "023": the values CHIRP writes when no
//              digital squelch is set, for the radio has none
//   CrossMode  "Tone->Tone" when no other applies, CHIRP's own default
//   Mode       "FM", "AM" or "WFM"; TStep the step in kHz with two decimals ("12.50")
//   Skip       "S" for a disabled slot, else empty
//   Power, Comment, URCALL, RPT1CALL, RPT2CALL, DVCODE: empty (the radio has one power level and
//              no digital voice)
// Reverse tone squelch and a split shift have no CHIRP column: such a channel is written without
// a tone, or without a shift, and notes (when given) gets a line for it.
QByteArray chirpCsvExportBytes(const Document &doc, QStringList *notes = nullptr);

// Writes chirpCsvExportBytes to path, whole or not at all; notes as there.
FileError exportChirpCsv(const QString &path, const Document &doc, QStringList *notes = nullptr);

// Reads the channel lines of a CHIRP file's bytes for a model variant. A line is taken into
// memory channel Location (0 to 199) when the radio can hold all of it:
//   Name is the note, with Comment after a blank when there is one;
//   Frequency in MHz must be one the variant can hold (memoryFrequencyValid);
//   Duplex "", "+" or "-" with Offset (0 to 99.99999 MHz) gives the shift; "split" and "off"
//   cannot be held;
//   Tone "" is no tone, "Tone" transmits rToneFreq, "TSQL" is tone squelch on cToneFreq both ways,
//   "Cross" with CrossMode "Tone->Tone" is tone squelch transmitting rToneFreq and receiving
//   cToneFreq; every other kind (digital squelch among them) cannot be held, nor can a tone in use
//   that the tone list lacks. A tone that is not in use keeps its value when the list has it,
//   else 88.5 Hz, which the report tells;
//   Mode FM and NFM are FM, AM is AM, WFM is WFM; others cannot be held;
//   TStep in kHz is the nearest step the radio offers for a memory channel (the first 14 of the
//   step list, 9 kHz only on the variant that has it); an empty or unreadable TStep gives the
//   automatic step of the frequency;
//   Skip "S" disables the slot; the slot is enabled otherwise.
// Every line that cannot be held is skipped and listed in report with its line and reason; every
// line taken with a value other than the file's is listed among report's changed rows. A line
// with nothing in it is passed over. A file whose first line names no Location or no Frequency
// column gives no rows, and the report says why. Returns FileOpenError when a quote is not
// closed before the end of the text.
FileError parseChirpCsv(const QByteArray &bytes, int model, QList<CsvRow> &rows,
                        CsvImportReport &report);

// As importCsv, for a CHIRP file: the rows are stored only when the whole file was read.
FileError importChirpCsv(const QString &path, Document &doc, CsvImportReport &report);

// Whether a file's first line is a CHIRP header (its first column is Location): for a file that
// comes without a chosen format, dropped on the window.
bool isChirpCsvFile(const QString &path);

} // namespace hxv5
