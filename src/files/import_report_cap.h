#pragma once

#include "files/csv_exchange.h"

namespace hxv5 {

// An import's report lists at most this many skipped rows; the rest are only counted, so that a
// file of a million rows the radio cannot hold costs neither memory nor a million lines.
inline constexpr qsizetype kImportReportRows = 300;

inline bool reportHasRoom(const CsvImportReport &report)
{
    return report.skipped.size() < kImportReportRows;
}

// Lists a skipped row in the report while it has room, else counts it.
inline void reportSkippedRow(CsvImportReport &report, const CsvSkippedRow &row)
{
    if (reportHasRoom(report))
        report.skipped.append(row);
    else
        ++report.skippedUnlisted;
}

} // namespace hxv5
