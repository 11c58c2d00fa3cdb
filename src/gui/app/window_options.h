#pragma once

#include "program_version.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>
#include <cstring>
#include <optional>

namespace hxv5 {

inline void printWindowUsage(FILE *to)
{
    std::fputs("usage: hxv5-clone [FILE.TV5]\n"
               "       hxv5-clone --help | --version\n",
               to);
}

// --help and --version, answered before the window system is reached: they work without a
// display. The exit status when one was given, nothing otherwise.
inline std::optional<int> answerInformationOptions(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0)
            break;
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            printWindowUsage(stdout);
            std::fputs("\nOpens the HX-V5 clone utility's window, with FILE.TV5 when one is "
                       "given.\nThe window system's own options (-platform, -style, ...) are "
                       "accepted too.\n",
                       stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("hxv5-clone %s\n", kProgramVersion);
            return 0;
        }
    }
    return std::nullopt;
}

// Once the application has taken its own options: any option left is unknown, and gets the
// usage line and the usage status.
inline std::optional<int> rejectUnknownOptions()
{
    const QStringList args = QCoreApplication::arguments().mid(1);
    for (const QString &arg : args) {
        if (arg == QLatin1String("--"))
            break;
        if (arg.startsWith(QLatin1Char('-')) && arg != QLatin1String("-")) {
            std::fprintf(stderr, "hxv5-clone: unknown option %s\n", qPrintable(arg));
            printWindowUsage(stderr);
            return 2;
        }
    }
    return std::nullopt;
}

} // namespace hxv5
