#include "cli_commands.h"
#include "interrupt_stop.h"

#include "base/user_interaction.h"
#include "document/document.h"
#include "files/clone_file.h"
#include "files/file_platform.h"
#include "files/safe_write.h"
#include "session/session.h"

#include <QEventLoop>
#include <QTextStream>

#include <functional>

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
    const InterruptStop interrupt([&session] { session.transfers().stop(); });
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
    const InterruptStop interrupt([&session] { session.transfers().stop(); });
    const bool completed = run(session, [&] { session.transfers().writeAllStoppingAtAFailure(); });
    if (session.backupCopyFailed())
        return fileFailure(FileError::FileOpenError);
    if (InterruptStop::interrupted())
        return kInterrupted;
    return completed ? 0 : kFailed;
}

} // namespace hxv5::cli
