#include "cli_commands.h"

#include <QTextStream>

namespace hxv5::cli {

int report(const QStringList &)
{
    QTextStream(stderr) << "not available yet\n";
    return 2;
}

} // namespace hxv5::cli
