#pragma once

#include <QCoreApplication>

#include <cstdlib>

// libFuzzer checks: an abort is reported as a crash with the input that caused it.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition))                                                                          \
            std::abort();                                                                          \
    } while (false)

// The exchange and the document signals need an application object (timers, queued calls).
inline QCoreApplication &fuzzApplication()
{
    static int argc = 1;
    static char name[] = "hxv5-fuzz";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}
