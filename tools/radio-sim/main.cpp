// hxv5-radio-sim: a simulated HX-V5 radio on a pseudo-terminal, so that every transfer can be
// tried without the radio.

#include "link/port_mapping.h"
#include "link/serial_port.h"
#include "program_version.h"
#include "radio_memory.h"
#include "radio_simulator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSocketNotifier>
#include <QStandardPaths>

#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int g_signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char c = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_signalPipe[0], &c, 1);
}

// SIGINT, SIGTERM and SIGHUP end the event loop normally, so the memory is saved and the
// binding removed.
void quitOnSignals()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalPipe) != 0)
        return;
    auto *notifier = new QSocketNotifier(g_signalPipe[1], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, qApp, &QCoreApplication::quit);
    struct sigaction action
    {
    };
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    for (int sig : {SIGINT, SIGTERM, SIGHUP})
        sigaction(sig, &action, nullptr);
}

int fail(const QString &message)
{
    std::fprintf(stderr, "hxv5-radio-sim: %s\n", qPrintable(message));
    return 1;
}

QString defaultMemoryPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/hxv5-clone/radio-sim-memory.txt");
}

// Loads the memory file, or explains why it cannot be used; empty when memory may start.
QString loadMemory(hxv5::RadioMemory &memory, const QString &path, bool chosen, bool reset)
{
    const QFileInfo info(path);
    const QString folder = info.absolutePath();
    // A folder the user named and mistyped is not made up: the memory would land out of sight.
    if (!chosen)
        QDir().mkpath(folder);
    if (!QFileInfo(folder).isDir())
        return QStringLiteral("the folder %1 does not exist").arg(folder);
    if (info.exists() && !info.isFile())
        return QStringLiteral("%1 is not a regular file").arg(path);
    if (!info.exists() || reset)
        return {};
    switch (memory.load(path)) {
    case hxv5::RadioMemory::LoadResult::Loaded:
        return {};
    case hxv5::RadioMemory::LoadResult::Unreadable:
        return QStringLiteral("cannot read %1").arg(path);
    case hxv5::RadioMemory::LoadResult::NotAMemoryFile:
        break;
    }
    return QStringLiteral("%1 is not a memory file (--reset starts afresh)").arg(path);
}

// Held for the life of a radio bound to a COM number, so that a second one cannot take the
// binding from under it. A radio that was killed leaves the lock file behind, but the process
// it names has gone, so the next radio takes the lock and the binding over.
QString lockComNumber(QLockFile &lock, int com)
{
    lock.setStaleLockTime(0);
    if (QDir().mkpath(hxv5::portMapDirectory()) && lock.tryLock(0))
        return {};
    qint64 pid = 0;
    if (lock.error() == QLockFile::LockFailedError && lock.getLockInfo(&pid, nullptr, nullptr))
        return QStringLiteral("COM %1 is in use by another hxv5-radio-sim (process %2); end it "
                              "first or choose another --com")
            .arg(com)
            .arg(pid);
    return QStringLiteral("cannot lock COM %1 in %2").arg(com).arg(hxv5::portMapDirectory());
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("hxv5-radio-sim"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(hxv5::kProgramVersion));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "A simulated HX-V5 radio on a pseudo-terminal. Prints the terminal's path on the first "
        "line of its output and binds it to a COM number until it ends."));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    const QCommandLineOption comOption(QStringLiteral("com"),
                                       QStringLiteral("COM number to bind, 1 to 14 (default 1)."),
                                       QStringLiteral("N"), QStringLiteral("1"));
    const QCommandLineOption noBindOption(QStringLiteral("no-bind"),
                                          QStringLiteral("Only print the path; bind nothing."));
    const QCommandLineOption memoryOption(
        QStringLiteral("memory"),
        QStringLiteral("The memory file, in a folder that exists (default %1).")
            .arg(defaultMemoryPath()),
        QStringLiteral("FILE"));
    const QCommandLineOption resetOption(QStringLiteral("reset"),
                                         QStringLiteral("Start from the factory memory."));
    const QCommandLineOption unpacedOption(
        QStringLiteral("unpaced"),
        QStringLiteral("Answer at once instead of at 960 characters/s."));
    const QCommandLineOption faultOption(
        QStringLiteral("fault"),
        QStringLiteral("Spoil the answers for block N (all of them, or the first K): KIND is "
                       "silent, no-answer, garbage or bad-frame. May be repeated."),
        QStringLiteral("KIND:N[:K]"));
    const QCommandLineOption hangUpOption(
        QStringLiteral("hangup"), QStringLiteral("Close the line when block N is asked for."),
        QStringLiteral("N"));
    const QCommandLineOption delayOption(
        QStringLiteral("delay"),
        QStringLiteral("Delay every answer, or only the answers for block N, by D ms."),
        QStringLiteral("D[:N]"));
    const QCommandLineOption corruptWriteOption(
        QStringLiteral("corrupt-write"),
        QStringLiteral("Store block N with one digit changed, answering as if all was well."),
        QStringLiteral("N"));
    const QCommandLineOption verboseOption(QStringLiteral("verbose"),
                                           QStringLiteral("Log each command on stderr."));
    parser.addOptions({comOption, noBindOption, memoryOption, resetOption, unpacedOption,
                       faultOption, hangUpOption, delayOption, corruptWriteOption, verboseOption});
    if (!parser.parse(QCoreApplication::arguments())) {
        // The usage line, as for the other programs, and the usage status.
        std::fprintf(stderr, "hxv5-radio-sim: %s\n%s\n", qPrintable(parser.errorText()),
                     qPrintable(parser.helpText().section(QLatin1Char('\n'), 0, 0)));
        return 2;
    }
    if (parser.isSet(helpOption))
        parser.showHelp(0);
    if (parser.isSet(versionOption))
        parser.showVersion();

    hxv5::RadioSimulator::Options options;
    options.paced = !parser.isSet(unpacedOption);
    options.verbose = parser.isSet(verboseOption);
    options.memoryPath =
        parser.isSet(memoryOption) ? parser.value(memoryOption) : defaultMemoryPath();
    for (const QString &text : parser.values(faultOption)) {
        hxv5::RadioSimulator::Fault fault;
        if (!hxv5::RadioSimulator::parseFault(text, fault))
            return fail(QStringLiteral("bad --fault %1").arg(text));
        options.faults.append(fault);
    }
    bool ok = true;
    if (parser.isSet(hangUpOption)) {
        options.hangUpBlock = parser.value(hangUpOption).toInt(&ok);
        if (!ok || options.hangUpBlock < 0)
            return fail(QStringLiteral("bad --hangup"));
    }
    if (parser.isSet(corruptWriteOption)) {
        options.corruptBlock = parser.value(corruptWriteOption).toInt(&ok);
        if (!ok || options.corruptBlock < 0)
            return fail(QStringLiteral("bad --corrupt-write"));
    }
    if (parser.isSet(delayOption)) {
        const QStringList parts = parser.value(delayOption).split(QLatin1Char(':'));
        options.delayMs = parts.at(0).toInt(&ok);
        if (ok && parts.size() == 2)
            options.delayBlock = parts.at(1).toInt(&ok);
        if (!ok || parts.size() > 2 || options.delayMs < 0 || options.delayBlock < -1)
            return fail(QStringLiteral("bad --delay"));
    }
    const int com = parser.value(comOption).toInt(&ok);
    if (!ok || com < hxv5::SerialPort::kFirstPort || com > hxv5::SerialPort::kLastPort)
        return fail(QStringLiteral("--com takes 1 to 14"));

    // The memory survives restarts: a missing file starts from the factory image and is created.
    hxv5::RadioMemory memory = hxv5::RadioMemory::factoryImage();
    const bool exists = QFileInfo::exists(options.memoryPath);
    if (const QString problem = loadMemory(memory, options.memoryPath, parser.isSet(memoryOption),
                                           parser.isSet(resetOption));
        !problem.isEmpty())
        return fail(problem);

    const bool bind = !parser.isSet(noBindOption);
    QLockFile comLock(hxv5::portMapDirectory() + QStringLiteral("/COM%1.lock").arg(com));
    if (bind) {
        if (const QString problem = lockComNumber(comLock, com); !problem.isEmpty())
            return fail(problem);
    }

    hxv5::RadioSimulator radio(memory, options);
    if (!radio.open())
        return fail(QStringLiteral("cannot open a pseudo-terminal"));
    if ((!exists || parser.isSet(resetOption)) && !radio.saveMemory())
        return 1;
    QObject::connect(&radio, &hxv5::RadioSimulator::hungUp, &app, &QCoreApplication::quit);
    quitOnSignals();

    const QString device = radio.devicePath();
    std::printf("%s\n", qPrintable(device));
    std::fflush(stdout);
    if (bind) {
        if (!hxv5::bindPort(com, device))
            return fail(
                QStringLiteral("cannot bind COM %1 in %2").arg(com).arg(hxv5::portMapDirectory()));
        std::fprintf(stderr, "hxv5-radio-sim: COM %d -> %s (memory %s)\n", com, qPrintable(device),
                     qPrintable(options.memoryPath));
    }

    const int status = QCoreApplication::exec();
    radio.close();
    // Leave a binding alone that somebody else has made meanwhile.
    if (bind && hxv5::boundDevice(com) == device)
        hxv5::unbindPort(com);
    return status;
}
