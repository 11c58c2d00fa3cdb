#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace hxv5::testing {

// One run of hxv5-cli to its end.
struct CliRun
{
    int status = -1; // -1 when it crashed or did not end
    QByteArray out;
    QByteArray err;

    QString outText() const { return QString::fromUtf8(out); }
    QString errText() const { return QString::fromUtf8(err); }
    // The standard output's lines, without the last line end.
    QStringList outLines() const;
};

CliRun runCli(const QStringList &args);

} // namespace hxv5::testing
