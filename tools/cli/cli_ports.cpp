#include "cli_commands.h"

#include "link/port_doctor.h"

#include <QTextStream>

namespace hxv5::cli {

int ports(const QStringList &args)
{
    if (!args.isEmpty())
        return usage("ports");
    QTextStream(stdout) << PortDoctor().report();
    return 0;
}

} // namespace hxv5::cli
