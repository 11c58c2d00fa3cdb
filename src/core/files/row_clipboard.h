#pragma once

#include "files/csv_exchange.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

namespace hxv5 {

class ChannelTable;
class Document;

// Rows of the channel table on the clipboard, for this program and for spreadsheets.
//
// A copy is a header line and one line per slot, tab-separated, each line ending with CR LF:
//
//   Channel  Frequency  Mode  Step  Tone  TxTone  RxTone  Shift  ShiftFreq.  Notes  Enable
//   12       145.00000  FM    20KHz None  88.5Hz  88.5Hz  None   .60000      home   TRUE
//
// the texts as the grid shows them. Tabs and line breaks inside a note become blanks, so that a
// note stays one cell.
QString copiedRowsText(const ChannelTable &channels, const QList<int> &slots);
// The same rows as CSV (every field in double quotes), which spreadsheets also take.
QByteArray copiedRowsCsv(const ChannelTable &channels, const QList<int> &slots);

// What a paste would store: per line of data, in order, the slot it goes to and what it holds.
struct PastedRows
{
    QList<CsvRow> rows;
    CsvImportReport report; // lines counted from 1 in the pasted text
};

// Reads tab-separated rows, our own copy or a spreadsheet's, for the slots from firstSlot down.
//
// A first line whose cells are column names (those of the grid or of the CSV file, case, blanks
// and points not counting) says which column is which; columns it does not name are passed over,
// and those it lacks take the values a new channel has in the edit dialog (FM, 20KHz, no tone,
// 88.5Hz, no shift, .60000, enabled). Without such a line the columns are those of a copy: with
// the Channel column first, or without it when the first cell reads as a frequency (holds a
// point or a comma). The Channel column is never used: the rows go to the slots one after the
// other.
//
// Each row is tested as a CSV row is (CsvRow, checkSlotFields): Frequency and ShiftFreq. must be
// numbers, with a point or a comma as the decimal sign ("145,7125" from a spreadsheet in a
// comma-decimal locale is 145.7125, "145.7125abc" is no number). A row that fails is skipped and
// reported, and its slot is left as it is. A row with a Frequency cell whose Frequency to
// ShiftFreq. are all empty is an empty slot, as a copy writes one. Rows past the last slot are
// skipped and only counted. Blank lines are passed over.
//
// With shown given, the slots it says the grid hides are passed over: the rows go to the slots
// shown from firstSlot down.
PastedRows readPastedRows(const QString &text, int firstSlot, int model,
                          const std::function<bool(int slot)> &shown = {});

// "2 rows pasted, 1 row skipped."
QString pasteSummary(const CsvImportReport &report);

// Pastes text into the slots from firstSlot down as one step of the history ("Paste"), the
// changed flag set. When slots that hold channels would be overwritten, confirm is asked first
// (title "PASTE OK"); false from it changes nothing. The report lists what was skipped. False
// when nothing was stored: a refusal while a transfer runs, a cancel, or no usable row. Slots
// hidden by shown are passed over, and never changed.
bool pasteRows(Document &doc, const QString &text, int firstSlot,
               const std::function<bool(const QString &title, const QString &text)> &confirm,
               CsvImportReport &report, const std::function<bool(int slot)> &shown = {});

} // namespace hxv5
