#pragma once

#include "files/clone_file.h"

#include <QStringList>

// Each command takes the arguments after its name and returns the process exit status: 0 on
// success; otherwise it has written the program's message ("COM Port Error", "Communication
// Error", "File Open Error", "Data Error") alone on a line on stderr, or a usage line. import-csv
// also tells on stderr how many rows it took and skipped, and fails when it took none.
namespace hxv5::cli {

// Ctrl+C (SIGINT) stops read-radio and write-radio between two blocks, with status kInterrupted:
// read-radio then writes nothing, write-radio tells which blocks went out and where the backup is.
int readRadio(const QStringList &args); // read-radio --port PORT OUT.TV5
// write-radio --port PORT IN.TV5 [--changes-only] [--verify] [--backup FILE]; the read before the
// write (--changes-only, --backup) is kept as a backup, and in FILE too.
int writeRadio(const QStringList &args);
// export-csv IN.TV5 OUT.csv [--format hxv5|chirp]; with CHIRP's format, each channel written
// otherwise than the tables hold it on a line on stderr.
int exportCsv(const QStringList &args);
// import-csv IN.csv OUT.TV5 [--onto BASE.TV5] [--format hxv5|chirp]
int importCsv(const QStringList &args);
int report(const QStringList &args); // report IN.TV5
// diff A.TV5 B.TV5: each difference on a line on stdout; 0 when the files hold the same data,
// 1 when they differ, kTrouble (with the message) when one cannot be read.
int diff(const QStringList &args);
// sort IN.TV5 OUT.TV5 --by frequency|notes|tone [--descending] [--channels LIST]
int sort(const QStringList &args);
// set IN.TV5 OUT.TV5 --channels LIST [--mode M] [--step S] ... : the fields on every listed slot
// that holds a channel, checked as the edit dialog checks it; what a channel cannot take is told
// on stderr after the summary line.
int set(const QStringList &args);
// ports: a line for each COM number with its device and what keeps it from use, then the fixes.
int ports(const QStringList &args);

// The exit rules every command shares.
inline constexpr int kFailed = 1;
// read-radio and write-radio stopped by Ctrl+C (SIGINT), as shells count a death by SIGINT.
inline constexpr int kInterrupted = 130;
inline constexpr int kUsage = 2;
inline constexpr int kTrouble = 2; // diff only: a file it could not compare

// "usage: hxv5-cli " and the command's line on stderr; the usage status.
int usage(const char *line);
// The program's message for a file failure, alone on its line; the failure status.
int fileFailure(FileError error);
// Takes "--option VALUE" out of args into value; false when the option is there without a
// value or more than once. value stays as it is when the option is absent.
bool takeOption(QStringList &args, const QString &option, QString &value);
// Takes a flag out of the arguments; true when it was there.
inline bool takeFlag(QStringList &args, const QString &flag)
{
    return args.removeAll(flag) > 0;
}

} // namespace hxv5::cli
