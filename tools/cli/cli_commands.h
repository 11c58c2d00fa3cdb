#pragma once

#include <QStringList>

// Each command takes the arguments after its name and returns the process exit status: 0 on
// success; otherwise it has written the program's message ("COM Port Error", "Communication
// Error", "File Open Error", "Data Error") alone on a line on stderr, or a usage line.
namespace hxv5::cli {

int readRadio(const QStringList &args);  // read-radio --port PORT OUT.TV5
int writeRadio(const QStringList &args); // write-radio --port PORT IN.TV5
int exportCsv(const QStringList &args);  // export-csv IN.TV5 OUT.csv
int importCsv(const QStringList &args);  // import-csv IN.csv OUT.TV5 [--onto BASE.TV5]
int report(const QStringList &args);     // report IN.TV5

} // namespace hxv5::cli
