#pragma once

#include "editing/channel_table.h"
#include "files/clone_file.h"
#include "files/import_report_cap.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
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

// A row that was read but not stored: the line its first field stands on, counted from 1, and
// why, in plain English.
struct CsvSkippedRow
{
    int line = 0;
    QString reason;
    bool operator==(const CsvSkippedRow &) const = default;
};

// What an import made of a file's rows. The lists hold the first kMaxReportedRows
// (import_report_cap.h) entries each; the rest are only counted.
struct CsvImportReport
{
    int taken = 0;
    QList<CsvSkippedRow> skipped;
    // Rows that were taken with a value other than the file's (a CHIRP file's step that the
    // radio does not offer, say), and what was taken instead; among the taken ones.
    QList<CsvSkippedRow> changed;
    int skippedUnlisted = 0; // skipped rows beyond the list
    int changedUnlisted = 0;

    void skip(int line, const QString &reason);
    void change(int line, const QString &what);
    int skippedCount() const { return static_cast<int>(skipped.size()) + skippedUnlisted; }
    int changedCount() const { return static_cast<int>(changed.size()) + changedUnlisted; }
};

// "12 rows imported, 1 row skipped.", and " 2 rows changed." after it when rows were.
QString csvImportSummary(const CsvImportReport &report);
// "1 row", "12 rows", as the reports count them.
QString rowCountText(qsizetype rows);
// A reason to skip a row: "145.00000 MHz is outside what HX-V5 A can receive".
QString outsideReceiveText(const QString &mhz, int model);
// "Line 14: MODE \"fm\" is not FM, AM or WFM", one text per skipped or changed row in file
// order, at most kMaxReportedRows of them; then "12 more rows are not listed." when there are
// more.
QStringList csvSkippedRowLines(const CsvImportReport &report);

// Reads every record of a CSV file's bytes. The file is one stream of fields: a record starts
// only at a field that is exactly "HX-V5", so header lines, blank lines, rows of other models and
// the rest of a rejected row are passed over field by field, and a row may lie over several
// lines or share a line with others. So that a damaged row cannot take the next one with it, a
// line that begins with the field "HX-V5" always starts a record: a record still short of fields
// there is skipped. Returns FileOpenError (no rows, an empty report) when the text ends inside a
// record.
//
// A spreadsheet in a locale whose decimal sign is the comma saves the file with semicolons
// between the fields and commas in its numbers: when the first line that is not blank is the
// header with semicolons between its names ("MODEL";"BANK";...), the semicolon takes the comma's
// place below, and a comma in a number field (CHANNEL, FREQUENCY, TXTONE, RXTONE and SHIFT
// FREQUENCY) is its decimal sign, as the point is.
//
// Fields: blanks before a field are skipped. A field ends at a comma or at a line end (CR LF, LF
// or CR); after a comma at the end of a line, or at the end of the text, comes one more field,
// empty, which the line end ends (a spreadsheet's empty last cell). A field that starts with a
// double quote is read as spreadsheets write it: a doubled quote inside stands for one, commas
// inside belong to the text, and the field ends at a quote followed by a comma, a line end or
// the end of the text (blanks between are dropped). A quote followed by other text ends it too,
// and what follows up to the next comma or line end is dropped, so that files that wrote quotes
// unchanged inside a text read as before. Line ends inside the quotes belong to the text as long
// as the line after them does not begin a new field in quotes or a record. A quote that is not
// closed by then ends at the first quote on its own line (a text written the old way with a
// quote at its end), or, when there is none, at the line end, and its row is skipped as damaged.
// Other fields run to the next comma or line end. Each line is read as UTF-8, or as Shift-JIS or
// Windows-1252 when it is not valid UTF-8.
//
// A row is stored when it passes the tests of its values, the frequency included: a slot's must
// be one the model variant can hold (memoryFrequencyValid), a VFO row's must lie within its
// band's limits for the variant (bandPlan), the edit dialog's checks. Every other row is skipped
// and listed in report with its line and reason, except a row whose FREQUENCY to SHIFT FREQUENCY
// are all empty, which is how Export writes an empty slot: it is passed over without a word.
// When several rows name one row or slot, the last one that passes is taken; the rows before it
// are skipped unread, each listed as named again on the line that is taken.
// A slot is enabled when ENABLE, not in quotes, is #TRUE#, TRUE, 1 or -1, or in quotes is
// "#TRUE#" (a spreadsheet that quotes every text cell; case does not count); any other value, an
// empty one included, disables it.
//
// A number field is read for its leading number (csvNumericValue); a row taken although text
// followed the number in FREQUENCY or SHIFT FREQUENCY ("145.5MHz") is listed among the changed
// ones.
FileError parseCsv(const QByteArray &bytes, int model, QList<CsvRow> &rows,
                   CsvImportReport &report);

// The tests of one slot's values, as a paste runs them, on the texts of FREQUENCY .. NOTES and
// ENABLE (ten texts, not in quotes): the reason the row is rejected, or an empty text with row
// filled for the slot. The tests are parseCsv's, except that FREQUENCY and SHIFT FREQUENCY must
// be numbers, blanks around them aside, with a point or a comma as the decimal sign (a cell from
// a spreadsheet in any locale). An empty slot (FREQUENCY to SHIFT FREQUENCY all empty) is no
// exception here; it is the caller's to pass over.
QString checkSlotFields(const QStringList &texts, int slot, int model, CsvRow &row);

// Stores the rows into the tables in file order, each replacing what its row or slot held. Rows
// and slots the file does not name keep their content.
void applyCsvRows(const QList<CsvRow> &rows, Document &doc);

// Reads a whole CSV file for the document's model variant and, only when it was read to its end
// without a fault, stores its rows. A file larger than kMaxInputFileBytes (bounded_input.h), and
// running out of memory, give FileOpenError. On any failure the document is left exactly as it
// was. The changed flag, the current file and the redraw are the caller's.
FileError importCsv(const QString &path, Document &doc, CsvImportReport &report);
// The same without the report.
FileError importCsv(const QString &path, Document &doc);

// What importCsv does, with the reading of the bytes given: parseCsv, or another layout's.
using CsvParser = FileError (*)(const QByteArray &bytes, int model, QList<CsvRow> &rows,
                                CsvImportReport &report);
FileError importCsvFile(const QString &path, Document &doc, CsvImportReport &report,
                        CsvParser parse);

// The numeric value of a field: its leading decimal number, the point as the decimal separator
// whatever the locale (and the comma as well when decimalComma is true), blanks ignored; 0 for a
// field that does not start with a number.
double csvNumericValue(QStringView field, bool decimalComma = false);

// The first tone code whose tone has the field's numeric value ("88.5Hz" and "88.5" both name
// tone code 8); -1 when the tone list holds none.
int csvToneCode(QStringView field, bool decimalComma = false);

} // namespace hxv5
