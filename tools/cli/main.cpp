#include "cli_commands.h"
#include "files/file_platform.h"
#include "program_version.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>
#include <functional>
#include <map>

namespace {

void usage(FILE *to = stderr)
{
    QTextStream err(to);
    err << "usage: hxv5-cli read-radio --port PORT OUT.TV5\n"
           "       hxv5-cli write-radio --port PORT IN.TV5 [--changes-only] [--verify] [--backup "
           "FILE]\n"
           "       hxv5-cli export-csv IN.TV5 OUT.csv [--format hxv5|chirp]\n"
           "       hxv5-cli import-csv IN.csv OUT.TV5 [--onto BASE.TV5] [--format hxv5|chirp]\n"
           "       hxv5-cli report IN.TV5\n"
           "       hxv5-cli diff A.TV5 B.TV5\n"
           "       hxv5-cli sort IN.TV5 OUT.TV5 --by frequency|notes|tone [--descending] "
           "[--channels LIST]\n"
           "       hxv5-cli set IN.TV5 OUT.TV5 --channels LIST [--mode M] [--step S] "
           "[--tone-mode T]\n"
           "                [--tx-tone HZ] [--rx-tone HZ] [--shift S] [--offset MHZ] "
           "[--enable on|off]\n"
           "                [--notes TEXT] [--auto-mode-step]\n"
           "       hxv5-cli ports\n"
           "       hxv5-cli --help | --version\n";
}

} // namespace

namespace hxv5::cli {

int usage(const char *line)
{
    QTextStream(stderr) << "usage: hxv5-cli " << line << '\n';
    return kUsage;
}

int fileFailure(FileError error)
{
    QTextStream(stderr) << fileErrorText(error) << '\n';
    return kFailed;
}

} // namespace hxv5::cli

int main(int argc, char *argv[])
{
    // Past a file-size limit a write then fails and is reported, instead of the system ending the
    // program with the output half written.
    hxv5::failWritesPastFileSizeLimit();
    hxv5::writeStandardStreamsUnchanged();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("HX-V5 Clone"));
    QCoreApplication::setOrganizationName(QStringLiteral("Tormel"));

    const std::map<QString, std::function<int(const QStringList &)>> commands = {
        {QStringLiteral("read-radio"), hxv5::cli::readRadio},
        {QStringLiteral("write-radio"), hxv5::cli::writeRadio},
        {QStringLiteral("export-csv"), hxv5::cli::exportCsv},
        {QStringLiteral("import-csv"), hxv5::cli::importCsv},
        {QStringLiteral("report"), hxv5::cli::report},
        {QStringLiteral("diff"), hxv5::cli::diff},
        {QStringLiteral("sort"), hxv5::cli::sort},
        {QStringLiteral("set"), hxv5::cli::set},
        {QStringLiteral("ports"), hxv5::cli::ports},
    };
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty()) {
        usage();
        return 2;
    }
    if (args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")) {
        usage(stdout);
        return 0;
    }
    if (args.first() == QLatin1String("--version")) {
        QTextStream(stdout) << "hxv5-cli " << hxv5::kProgramVersion << '\n';
        return 0;
    }
    const auto it = commands.find(args.first());
    if (it == commands.end()) {
        usage();
        return 2;
    }
    // Nothing the commands meet (memory running out on a huge input among them) may end the
    // program with a crash; the user gets the program's message and the failure status.
    try {
        return it->second(args.mid(1));
    } catch (...) {
    }
    const int status = hxv5::cli::fileFailure(hxv5::FileError::FileOpenError);
    // For diff, 1 means "the files differ".
    return it->first == QLatin1String("diff") ? hxv5::cli::kTrouble : status;
}
