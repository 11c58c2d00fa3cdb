#include "cli_commands.h"

#include "base/user_interaction.h"
#include "document/document.h"
#include "files/chirp_csv.h"
#include "files/clone_file.h"
#include "files/csv_exchange.h"
#include "files/file_platform.h"
#include "files/image_compare.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace hxv5::cli {

bool takeOption(QStringList &args, const QString &option, QString &value)
{
    const qsizetype at = args.indexOf(option);
    if (at < 0)
        return true;
    if (at + 1 >= args.size() || args.at(at + 1).isEmpty())
        return false;
    value = args.at(at + 1);
    args.remove(at, 2);
    return !args.contains(option);
}

namespace {

constexpr const char *kExportUsage = "export-csv IN.TV5 OUT.csv [--format hxv5|chirp]";
constexpr const char *kImportUsage =
    "import-csv IN.csv OUT.TV5 [--onto BASE.TV5] [--format hxv5|chirp]";
constexpr const char *kDiffUsage = "diff A.TV5 B.TV5";

// Writing the output would destroy the input before it is read again: a bad argument.
int outputIsInput(const char *line)
{
    QTextStream(stderr) << "hxv5-cli: the output file is the input file\n";
    return usage(line);
}

// The CSV layout of --format: the program's own (the default) or CHIRP's.
bool takeFormat(QStringList &args, CsvFormat &format)
{
    QString name = QStringLiteral("hxv5");
    if (!takeOption(args, QStringLiteral("--format"), name))
        return false;
    format = name == QLatin1String("chirp") ? CsvFormat::Chirp : CsvFormat::Own;
    return name == QLatin1String("chirp") || name == QLatin1String("hxv5");
}

// How many rows were taken and skipped, then each skipped row, on stderr.
void tell(const CsvImportReport &report)
{
    QTextStream err(stderr);
    err << csvImportSummary(report) << '\n';
    for (const QString &line : csvSkippedRowLines(report))
        err << line << '\n';
}

} // namespace

int exportCsv(const QStringList &arguments)
{
    QStringList args = arguments;
    CsvFormat format = CsvFormat::Own;
    if (!takeFormat(args, format) || args.size() != 2)
        return usage(kExportUsage);
    if (isSameFile(args.at(0), args.at(1)))
        return outputIsInput(kExportUsage);
    Document doc;
    if (const FileError error = readCloneFile(args.at(0), doc); error != FileError::None)
        return fileFailure(error);
    QStringList notes;
    const FileError error = format == CsvFormat::Chirp ? exportChirpCsv(args.at(1), doc, &notes)
                                                       : hxv5::exportCsv(args.at(1), doc);
    if (error != FileError::None)
        return fileFailure(error);
    QTextStream err(stderr);
    for (const QString &note : std::as_const(notes))
        err << note << '\n';
    return 0;
}

int importCsv(const QStringList &args)
{
    QStringList files = args;
    QString base;
    CsvFormat format = CsvFormat::Own;
    if (!takeOption(files, QStringLiteral("--onto"), base) || !takeFormat(files, format) ||
        files.size() != 2)
        return usage(kImportUsage);
    // The output may replace the base (merging into it in place), never the CSV file.
    if (isSameFile(files.at(0), files.at(1)))
        return outputIsInput(kImportUsage);

    // --format is for a file whose header line names neither layout.
    format = csvFormatOfFile(files.at(0), format);
    // Without a base the rows go into a new image, as after New.
    Document doc;
    if (!base.isEmpty()) {
        if (const FileError error = readCloneFile(base, doc); error != FileError::None)
            return fileFailure(error);
    }
    CsvImportReport report;
    const FileError error = format == CsvFormat::Chirp ? importChirpCsv(files.at(0), doc, report)
                                                       : hxv5::importCsv(files.at(0), doc, report);
    if (error != FileError::None)
        return fileFailure(error);
    // A file that gives no row is no import: nothing is written.
    if (report.taken == 0) {
        tell(report);
        return kFailed;
    }
    if (const FileError error = writeCloneFile(files.at(1), doc); error != FileError::None)
        return fileFailure(error);
    tell(report);
    return 0;
}

int diff(const QStringList &args)
{
    if (args.size() != 2)
        return usage(kDiffUsage);
    // Like diff, a file that cannot be read is trouble (2), not a difference (1).
    Document a;
    if (const FileError error = readCloneFile(args.at(0), a); error != FileError::None) {
        fileFailure(error);
        return kTrouble;
    }
    QList<ImageDifference> differences;
    if (const FileError error = compareWithCloneFile(a, args.at(1), differences);
        error != FileError::None) {
        fileFailure(error);
        return kTrouble;
    }
    QTextStream out(stdout);
    for (const ImageDifference &difference : differences)
        out << differenceLine(difference) << '\n';
    return differences.isEmpty() ? 0 : kFailed;
}

} // namespace hxv5::cli
