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
#include <variant>

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

// What the command line asks of the simulator.
struct SimArguments
{
    hxv5::RadioSimulator::Options options;
    int com = 1;
    bool bind = true;
    bool memoryChosen = false;
    bool reset = false;
};

// Why the command line cannot be run, and the status to end with.
struct Refusal
{
    QString text;
    int status = 1;
};

void describeOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QStringLiteral(
        "A simulated HX-V5 radio on a pseudo-terminal. Prints the terminal's path on the first "
        "line of its output and binds it to a COM number until it ends."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions({
        {QStringLiteral("com"), QStringLiteral("COM number to bind, 1 to 14 (default 1)."),
         QStringLiteral("N"), QStringLiteral("1")},
        {QStringLiteral("no-bind"), QStringLiteral("Only print the path; bind nothing.")},
        {QStringLiteral("memory"),
         QStringLiteral("The memory file, in a folder that exists (default %1).")
             .arg(defaultMemoryPath()),
         QStringLiteral("FILE")},
        {QStringLiteral("reset"), QStringLiteral("Start from the factory memory.")},
        {QStringLiteral("unpaced"),
         QStringLiteral("Answer at once instead of at 960 characters/s.")},
        {QStringLiteral("fault"),
         QStringLiteral("Spoil the answers for block N (all of them, or the first K): KIND is "
                        "silent, no-answer, garbage or bad-frame. May be repeated."),
         QStringLiteral("KIND:N[:K]")},
        {QStringLiteral("hangup"), QStringLiteral("Close the line when block N is asked for."),
         QStringLiteral("N")},
        {QStringLiteral("delay"),
         QStringLiteral("Delay every answer, or only the answers for block N, by D ms."),
         QStringLiteral("D[:N]")},
        {QStringLiteral("corrupt-write"),
         QStringLiteral("Store block N with one digit changed, answering as if all was well."),
         QStringLiteral("N")},
        {QStringLiteral("verbose"), QStringLiteral("Log each command on stderr.")},
    });
}

// A block number that is given, or -1 when the option is absent; false when it is no number.
bool readBlock(const QCommandLineParser &parser, const QString &name, int &block)
{
    if (!parser.isSet(name))
        return true;
    bool ok = false;
    block = parser.value(name).toInt(&ok);
    return ok && block >= 0;
}

bool readDelay(const QCommandLineParser &parser, hxv5::RadioSimulator::Options &options)
{
    if (!parser.isSet(QStringLiteral("delay")))
        return true;
    const QStringList parts = parser.value(QStringLiteral("delay")).split(QLatin1Char(':'));
    bool ok = false;
    options.delayMs = parts.at(0).toInt(&ok);
    if (ok && parts.size() == 2)
        options.delayBlock = parts.at(1).toInt(&ok);
    return ok && parts.size() <= 2 && options.delayMs >= 0 && options.delayBlock >= -1;
}

// Reads the command line; --help and --version answer and end the program here.
std::variant<SimArguments, Refusal> parseArguments(const QStringList &arguments)
{
    QCommandLineParser parser;
    describeOptions(parser);
    if (!parser.parse(arguments)) // the usage line, as for the other programs, and its status
        return Refusal{parser.errorText() + QLatin1Char('\n') +
                           parser.helpText().section(QLatin1Char('\n'), 0, 0),
                       2};
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(0);
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();

    SimArguments args;
    hxv5::RadioSimulator::Options &options = args.options;
    options.paced = !parser.isSet(QStringLiteral("unpaced"));
    options.verbose = parser.isSet(QStringLiteral("verbose"));
    args.memoryChosen = parser.isSet(QStringLiteral("memory"));
    options.memoryPath =
        args.memoryChosen ? parser.value(QStringLiteral("memory")) : defaultMemoryPath();
    args.reset = parser.isSet(QStringLiteral("reset"));
    args.bind = !parser.isSet(QStringLiteral("no-bind"));
    for (const QString &text : parser.values(QStringLiteral("fault"))) {
        hxv5::RadioSimulator::Fault fault;
        if (!hxv5::RadioSimulator::parseFault(text, fault))
            return Refusal{QStringLiteral("bad --fault %1").arg(text)};
        options.faults.append(fault);
    }
    if (!readBlock(parser, QStringLiteral("hangup"), options.hangUpBlock))
        return Refusal{QStringLiteral("bad --hangup")};
    if (!readBlock(parser, QStringLiteral("corrupt-write"), options.corruptBlock))
        return Refusal{QStringLiteral("bad --corrupt-write")};
    if (!readDelay(parser, options))
        return Refusal{QStringLiteral("bad --delay")};
    bool ok = false;
    args.com = parser.value(QStringLiteral("com")).toInt(&ok);
    if (!ok || args.com < hxv5::SerialPort::kFirstPort || args.com > hxv5::SerialPort::kLastPort)
        return Refusal{QStringLiteral("--com takes 1 to 14")};
    return args;
}

// Loads the memory, binds the COM number and answers until a signal or a hang-up ends it.
int runSimulator(const SimArguments &args)
{
    const hxv5::RadioSimulator::Options &options = args.options;
    // The memory survives restarts: a missing file starts from the factory image and is created.
    hxv5::RadioMemory memory = hxv5::RadioMemory::factoryImage();
    const bool exists = QFileInfo::exists(options.memoryPath);
    if (const QString problem =
            loadMemory(memory, options.memoryPath, args.memoryChosen, args.reset);
        !problem.isEmpty())
        return fail(problem);

    const int com = args.com;
    QLockFile comLock(hxv5::portMapDirectory() + QStringLiteral("/COM%1.lock").arg(com));
    if (args.bind) {
        if (const QString problem = lockComNumber(comLock, com); !problem.isEmpty())
            return fail(problem);
    }

    hxv5::RadioSimulator radio(memory, options);
    if (!radio.open())
        return fail(QStringLiteral("cannot open a pseudo-terminal"));
    if ((!exists || args.reset) && !radio.saveMemory())
        return 1;
    QObject::connect(&radio, &hxv5::RadioSimulator::hungUp, qApp, &QCoreApplication::quit);
    quitOnSignals();

    const QString device = radio.devicePath();
    std::printf("%s\n", qPrintable(device));
    std::fflush(stdout);
    if (args.bind) {
        if (!hxv5::bindPort(com, device))
            return fail(
                QStringLiteral("cannot bind COM %1 in %2").arg(com).arg(hxv5::portMapDirectory()));
        std::fprintf(stderr, "hxv5-radio-sim: COM %d -> %s (memory %s)\n", com, qPrintable(device),
                     qPrintable(options.memoryPath));
    }

    const int status = QCoreApplication::exec();
    radio.close();
    // Leave a binding alone that somebody else has made meanwhile.
    if (args.bind && hxv5::boundDevice(com) == device)
        hxv5::unbindPort(com);
    return status;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("hxv5-radio-sim"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(hxv5::kProgramVersion));
    const auto parsed = parseArguments(QCoreApplication::arguments());
    if (const auto *refusal = std::get_if<Refusal>(&parsed)) {
        fail(refusal->text);
        return refusal->status;
    }
    return runSimulator(std::get<SimArguments>(parsed));
}
