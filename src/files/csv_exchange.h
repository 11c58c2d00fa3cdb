#pragma once

#include "editing/channel_table.h"
#include "files/clone_file.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

namespace hxv5 {

class Document;

// The CSV exchange of the VFO table and the channel table (the settings are not part of it).
//
// Export writes 221 lines, each ending with CR LF: the header, the seven VFO rows, the 200
// MEMORY rows and the 13 SCAN rows. Every field is a text in double quotes, a double quote
// inside a text written twice, except ENABLE, which is #TRUE# or #FALSE# (VFO rows have no
// ENABLE field):
//
//   "MODEL","BANK","CHANNEL","FREQUENCY","MODE","STEP","TONE","TXTONE","RXTONE","SHIFT",
//   "SHIFT FREQUENCY","NOTES","ENABLE"
//   "HX-V5","VFO","AM",".53100","AM","9KHz","None","88.5Hz","88.5Hz","None",".00000",""
//   "HX-V5","MEMORY","0",... ,#FALSE#
//   "HX-V5","SCAN","P0A",... ,#FALSE#
//
// Texts are UTF-8 without a byte-order mark.

// The exported lines of the document's tables as they are shown.
QByteArray csvExportBytes(const Document &doc);

// Writes csvExportBytes to path, replacing any old file whole or not at all. The document is
// not touched.
FileError exportCsv(const QString &path, const Document &doc);

// One row of a CSV file that passed every test, ready to be stored.
struct CsvRow
{
    enum class Bank { Vfo, Slot };
    Bank bank = Bank::Slot;
    int index = 0; // VFO row 0..6 or slot 0..212
    TableRow row;
    bool enabled = false; // slots only
};

// Reads every record of a CSV file's bytes. The file is one stream of fields: a record starts
// only at a field that is exactly "HX-V5", so header lines, blank lines, rows of other models and
// the rest of a rejected row are passed over field by field, and a row may lie over several
// lines or share a line with others. Rows that fail a test are left out silently. Returns
// FileOpenError (and no rows) when the text ends inside a record.
//
// Fields: blanks before a field are skipped. A field in double quotes runs to the closing quote
// (a doubled quote inside stands for one; commas and line ends inside belong to the text) and
// whatever follows it up to the next separator is dropped. Other fields run to the next comma
// or line end. A comma at the end of a line ends only the field before it. Each line is read as
// UTF-8, or as Shift-JIS or Windows-1252 when it is not valid UTF-8.
FileError parseCsv(const QByteArray &bytes, QList<CsvRow> &rows);

// Stores the rows into the tables in file order, each replacing what its row or slot held. Rows
// and slots the file does not name keep their content.
void applyCsvRows(const QList<CsvRow> &rows, Document &doc);

// Reads a whole CSV file and, only when it was read to its end without a fault, stores its
// rows. On any failure the document is left exactly as it was. The changed flag, the current
// file and the redraw are the caller's.
FileError importCsv(const QString &path, Document &doc);

// The numeric value of a field: its leading decimal number, the point as the decimal separator
// whatever the locale, blanks ignored; 0 for a field that does not start with a number.
double csvNumericValue(QStringView field);

} // namespace hxv5
