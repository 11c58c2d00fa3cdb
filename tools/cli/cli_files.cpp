#include "cli_commands.h"

#include "app/document.h"
#include "files/clone_file.h"
#include "files/csv_exchange.h"

namespace hxv5::cli {

namespace {

} // namespace

int exportCsv(const QStringList &args)
{
    if (args.size() != 2)
        return usage("export-csv IN.TV5 OUT.csv");
    Document doc;
    if (const FileError error = readCloneFile(args.at(0), doc); error != FileError::None)
        return fileFailure(error);
    if (const FileError error = hxv5::exportCsv(args.at(1), doc); error != FileError::None)
        return fileFailure(error);
    return 0;
}

int importCsv(const QStringList &args)
{
    QStringList files = args;
    QString base;
    if (const qsizetype at = files.indexOf(QStringLiteral("--onto")); at >= 0) {
        if (at + 1 >= files.size() || files.at(at + 1).isEmpty())
            return usage("import-csv IN.csv OUT.TV5 [--onto BASE.TV5]");
        base = files.at(at + 1);
        files.remove(at, 2);
    }
    if (files.size() != 2 || files.contains(QStringLiteral("--onto")))
        return usage("import-csv IN.csv OUT.TV5 [--onto BASE.TV5]");

    // Without a base the rows go into a new image, as after New.
    Document doc;
    if (!base.isEmpty()) {
        if (const FileError error = readCloneFile(base, doc); error != FileError::None)
            return fileFailure(error);
    }
    if (const FileError error = hxv5::importCsv(files.at(0), doc); error != FileError::None)
        return fileFailure(error);
    if (const FileError error = writeCloneFile(files.at(1), doc); error != FileError::None)
        return fileFailure(error);
    return 0;
}

} // namespace hxv5::cli
