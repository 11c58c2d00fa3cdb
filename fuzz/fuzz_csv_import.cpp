// Any bytes as a CSV file. Import either fails as a whole (no rows, no report) or yields rows
// that name a real VFO row or slot and a report of the others; storing them and exporting the
// tables must give a file that imports back to the same tables.
#include "document/document.h"
#include "files/csv_exchange.h"
#include "fuzz_support.h"

#include <cstdint>

using namespace hxv5;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzzApplication();
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    // The model variant comes from the input, so that every variant's frequency checks run.
    const int model = static_cast<int>(size % 6);
    QList<CsvRow> rows;
    CsvImportReport report;
    const FileError error = parseCsv(bytes, model, rows, report);
    if (error != FileError::None) {
        FUZZ_CHECK(error == FileError::FileOpenError);
        FUZZ_CHECK(rows.isEmpty() && report.taken == 0 && report.skipped.isEmpty());
        return 0;
    }
    FUZZ_CHECK(report.taken == rows.size());
    for (const CsvSkippedRow &skipped : report.skipped)
        FUZZ_CHECK(skipped.line >= 1 && skipped.line <= bytes.count('\n') + bytes.count('\r') + 1 &&
                   !skipped.reason.isEmpty());
    for (const CsvRow &row : rows) {
        if (row.bank == CsvRow::Bank::Vfo)
            FUZZ_CHECK(row.index >= 0 && row.index < kVfoRowCount);
        else
            FUZZ_CHECK(row.index >= 0 && row.index < kSlotCount);
    }

    Document doc;
    applyCsvRows(rows, doc);
    // Reading back a whole exported table is slow under the fuzzer's instrumentation (tens of
    // milliseconds); a fixed share of the inputs that yield rows is enough to catch a row that
    // does not survive the round trip.
    if (rows.isEmpty() || size % 8 != 0)
        return 0;
    const QByteArray exported = csvExportBytes(doc);

    QList<CsvRow> reread;
    CsvImportReport again;
    FUZZ_CHECK(parseCsv(exported, model, reread, again) == FileError::None);
    Document second;
    applyCsvRows(reread, second);
    FUZZ_CHECK(csvExportBytes(second) == exported);
    return 0;
}
