#include "cli_commands.h"

#include "base/user_interaction.h"
#include "document/document.h"
#include "files/clone_file.h"
#include "files/file_platform.h"
#include "files/safe_write.h"
#include "session/session.h"

#include <QEventLoop>
#include <QSocketNotifier>
#include <QTextStream>

#include <atomic>
#include <csignal>
#include <functional>
#include <sys/socket.h>
#include <unistd.h>

namespace hxv5::cli {

namespace {

// Failures go to stderr, one message to a line; there is nobody to ask anything.
class ConsoleInteraction : public UserInteraction
{
public:
    void showError(const QString &text) override { QTextStream(stderr) << text << '\n'; }
    // The message alone on its line, the details on the lines after it.
    void showErrorDetails(const QString &text, const QString &details) override
    {
        QTextStream err(stderr);
        err << text << '\n';
        if (!details.isEmpty())
            err << details << (details.endsWith(QLatin1Char('\n')) ? "" : "\n");
    }
    // Nobody to ask: the write goes on as the command asked, and says what it clears.
    bool askWriteAnyway(const QString &notice) override
    {
        QTextStream(stderr) << notice << '\n';
        return true;
    }
    Answer askSaveChanges() override { return Answer::No; }
    QString chooseOpenFile(FileKind) override { return {}; }
    QString chooseSaveFile(FileKind) override { return {}; }
};

// Ctrl+C while a command talks to the radio: the transfer stops between two blocks, as the
// window's Stop button does, instead of the program dying with the line and a file half done. The
// handler only notes the signal and writes a byte to a socket pair; the event loop reads it and
// asks the transfer to stop.
class InterruptStop
{
public:
    explicit InterruptStop(Transfers &transfers)
    {
        s_interrupted = 0;
        if (::socketpair(AF_UNIX, SOCK_STREAM, 0, m_pair) != 0)
            return;
        s_writeEnd = m_pair[0];
        m_notifier = new QSocketNotifier(m_pair[1], QSocketNotifier::Read);
        QObject::connect(m_notifier, &QSocketNotifier::activated, m_notifier, [this, &transfers] {
            char byte = 0;
            [[maybe_unused]] const ssize_t n = ::read(m_pair[1], &byte, 1);
            transfers.stop();
        });
        struct sigaction action
        {
        };
        action.sa_handler = onSignal;
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, &m_previous);
    }
    InterruptStop(const InterruptStop &) = delete;
    InterruptStop &operator=(const InterruptStop &) = delete;
    ~InterruptStop()
    {
        if (!m_notifier)
            return;
        sigaction(SIGINT, &m_previous, nullptr);
        s_writeEnd = -1;
        delete m_notifier;
        ::close(m_pair[0]);
        ::close(m_pair[1]);
    }

    // Ctrl+C came since the command began, whether or not the transfer was still running.
    static bool interrupted() { return s_interrupted != 0; }

private:
    static void onSignal(int)
    {
        s_interrupted = 1;
        const int fd = s_writeEnd;
        const char byte = 1;
        if (fd >= 0) [[maybe_unused]]
            const ssize_t n = ::write(fd, &byte, 1);
    }

    static inline volatile std::sig_atomic_t s_interrupted = 0;
    static inline std::atomic<int> s_writeEnd{-1};
    int m_pair[2] = {-1, -1};
    QSocketNotifier *m_notifier = nullptr;
    struct sigaction m_previous
    {
    };
};

struct RadioArguments
{
    QString port;
    QString file;
};

// "--port PORT FILE", the option before or after the file.
bool parseArguments(const QStringList &args, RadioArguments &parsed)
{
    QStringList rest = args;
    const qsizetype at = rest.indexOf(QStringLiteral("--port"));
    if (at < 0 || at + 1 >= rest.size())
        return false;
    parsed.port = rest.at(at + 1);
    rest.remove(at, 2);
    if (rest.size() != 1 || parsed.port.isEmpty())
        return false;
    parsed.file = rest.first();
    return true;
}

// The session of one command: failures and notices on stderr, PORT (a COM number 1..14 or a
// device path) as the line; false for a PORT that is neither.
bool prepare(Session &session, const RadioArguments &parsed)
{
    QObject::connect(&session, &Session::notice,
                     [](const QString &text) { QTextStream(stderr) << text << '\n'; });
    return session.usePort(parsed.port);
}

// Runs what start begins to its end (both halves of an ALL transfer); true when every half
// completed. A stop has shown its message already.
bool run(Session &session, const std::function<void()> &start)
{
    QEventLoop loop;
    bool completed = true;
    const auto ended = QObject::connect(&session, &Session::runEnded, &loop, [&](bool ok) {
        completed = ok;
        loop.quit();
    });
    start();
    if (session.transfers().isRunning())
        loop.exec();
    QObject::disconnect(ended);
    return completed;
}

} // namespace

int readRadio(const QStringList &args)
{
    RadioArguments parsed;
    ConsoleInteraction ui;
    Session session(ui);
    if (!parseArguments(args, parsed) || !prepare(session, parsed))
        return usage("read-radio --port PORT OUT.TV5");
    // An output that can never be written is refused before the radio spends the transfer on it.
    if (!canWriteFileSafely(parsed.file))
        return fileFailure(FileError::FileOpenError);

    // Nothing is written unless both halves went through; the session has kept the backup.
    const InterruptStop interrupt(session.transfers());
    const bool completed = run(session, [&] { session.readRadio(); });
    if (InterruptStop::interrupted()) {
        QTextStream(stderr) << "Stopped: nothing was written.\n";
        return kInterrupted;
    }
    if (!completed)
        return kFailed;
    const FileError error = writeCloneFile(parsed.file, session.document());
    return error == FileError::None ? 0 : fileFailure(error);
}

int writeRadio(const QStringList &args)
{
    static const char *const kUsageLine =
        "write-radio --port PORT IN.TV5 [--changes-only] [--verify] [--backup FILE]";
    QStringList rest = args;
    Transfers::WriteOptions options;
    options.changesOnly = takeFlag(rest, QStringLiteral("--changes-only"));
    options.verify = takeFlag(rest, QStringLiteral("--verify"));
    QString backupFile;
    if (!takeOption(rest, QStringLiteral("--backup"), backupFile))
        return usage(kUsageLine);
    options.readFirst = !backupFile.isEmpty();

    RadioArguments parsed;
    ConsoleInteraction ui;
    Session session(ui);
    if (!parseArguments(rest, parsed) || !prepare(session, parsed))
        return usage(kUsageLine);
    if (!backupFile.isEmpty() && isSameFile(backupFile, parsed.file))
        return usage(kUsageLine);
    // A backup file that can never be written is refused before the radio is touched.
    if (!backupFile.isEmpty() && !canWriteFileSafely(backupFile))
        return fileFailure(FileError::FileOpenError);

    const FileError error = readCloneFile(parsed.file, session.document());
    if (error != FileError::None)
        return fileFailure(error);
    session.setWriteOptions(options);
    session.setBackupCopy(backupFile);
    // Settings, then memory, as one transfer; nothing more once a half has stopped. A stop by
    // Ctrl+C tells what went out and where the backup is.
    QObject::connect(&session.transfers(), &Transfers::stopNotice,
                     [](const QString &text) { QTextStream(stderr) << text << '\n'; });
    const InterruptStop interrupt(session.transfers());
    const bool completed = run(session, [&] { session.transfers().writeAllStoppingAtAFailure(); });
    if (session.backupCopyFailed())
        return fileFailure(FileError::FileOpenError);
    if (InterruptStop::interrupted())
        return kInterrupted;
    return completed ? 0 : kFailed;
}

} // namespace hxv5::cli
