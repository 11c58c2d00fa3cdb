#include "cli_commands.h"

#include "document/document.h"
#include "files/clone_file.h"
#include "print/report_lines.h"

#include <QTextStream>

namespace hxv5::cli {

// The title line and all four reports of a clone file, one printed line to a line, tabs kept as
// the printer receives them.
int report(const QStringList &args)
{
    if (args.size() != 1)
        return usage("report IN.TV5");
    Document doc;
    const FileError error = readCloneFile(args.first(), doc);
    if (error != FileError::None)
        return fileFailure(error);
    ReportSelection all;
    all.fill(true);
    QTextStream out(stdout);
    for (const QString &line : printJobLines(doc, all))
        out << line << '\n';
    return 0;
}

} // namespace hxv5::cli
