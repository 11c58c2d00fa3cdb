#include "cli_run.h"

#include <QProcess>

namespace hxv5::testing {

QStringList CliRun::outLines() const
{
    QStringList lines = outText().split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

CliRun runCli(const QStringList &args)
{
    QProcess process;
    process.start(QStringLiteral(HXV5_CLI_PROGRAM), args);
    CliRun run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

} // namespace hxv5::testing
