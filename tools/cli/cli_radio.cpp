#include "cli_commands.h"

#include "base/user_interaction.h"
#include "document/document.h"
#include "files/backups.h"
#include "files/clone_file.h"
#include "files/safe_write.h"
#include "link/serial_port.h"
#include "link/transfers.h"

#include <QEventLoop>
#include <QTextStream>

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

// PORT is a COM number 1..14 or a device path.
bool configurePort(QtSerialPortAdapter &port, const QString &text)
{
    bool isNumber = false;
    const int number = text.toInt(&isNumber);
    if (!isNumber) {
        port.setDevicePath(text);
        return true;
    }
    if (number < SerialPort::kFirstPort || number > SerialPort::kLastPort)
        return false;
    port.setPortNumber(number);
    return true;
}

bool prepare(const QStringList &args, QtSerialPortAdapter &port, RadioArguments &parsed)
{
    return parseArguments(args, parsed) && configurePort(port, parsed.port);
}

// Runs one transfer to its end (both halves of an ALL transfer); true when every half completed.
// A stop has shown its message already.
bool run(Transfers &transfers, void (Transfers::*operation)())
{
    QEventLoop loop;
    bool completed = true;
    const auto finished =
        QObject::connect(&transfers, &Transfers::finished, &loop,
                         [&](Transfers::Operation, bool ok) { completed = completed && ok; });
    const auto ended =
        QObject::connect(&transfers, &Transfers::runningChanged, &loop, [&](bool running) {
            if (!running)
                loop.quit();
        });
    (transfers.*operation)();
    if (transfers.isRunning())
        loop.exec();
    QObject::disconnect(finished);
    QObject::disconnect(ended);
    return completed;
}

// Takes a flag out of the arguments; true when it was there.
bool takeFlag(QStringList &args, const QString &flag)
{
    return args.removeAll(flag) > 0;
}

// What the radio held is kept in the backups folder whatever else becomes of it; a backup that
// cannot be kept there is told but fails nothing.
QString keepToldBackup(const Document &image, BackupKind kind)
{
    const QString path = keepBackup(image, kind);
    if (path.isEmpty())
        QTextStream(stderr) << backupNotKeptText() << '\n';
    return path;
}

} // namespace

int readRadio(const QStringList &args)
{
    RadioArguments parsed;
    QtSerialPortAdapter port;
    if (!prepare(args, port, parsed))
        return usage("read-radio --port PORT OUT.TV5");
    // An output that can never be written is refused before the radio spends the transfer on it.
    if (!canWriteFileSafely(parsed.file))
        return fileFailure(FileError::FileOpenError);

    Document doc;
    ConsoleInteraction ui;
    Transfers transfers(doc, port, ui);
    // Nothing is written unless both transfers went through.
    if (!run(transfers, &Transfers::readSettings) || !run(transfers, &Transfers::readMemory))
        return kFailed;
    keepToldBackup(doc, BackupKind::AfterRead);
    const FileError error = writeCloneFile(parsed.file, doc);
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
    QtSerialPortAdapter port;
    if (!prepare(rest, port, parsed))
        return usage(kUsageLine);
    if (!backupFile.isEmpty() && sameFile(backupFile, parsed.file))
        return usage(kUsageLine);
    // A backup file that can never be written is refused before the radio is touched.
    if (!backupFile.isEmpty() && !canWriteFileSafely(backupFile))
        return fileFailure(FileError::FileOpenError);

    Document doc;
    const FileError error = readCloneFile(parsed.file, doc);
    if (error != FileError::None)
        return fileFailure(error);
    ConsoleInteraction ui;
    Transfers transfers(doc, port, ui);
    transfers.setWriteOptions(options);
    FileError backupError = FileError::None;
    transfers.setRadioImageKeeper([&](const Document &radio, QString &keptAt) {
        keptAt = keepToldBackup(radio, BackupKind::BeforeWrite);
        if (backupFile.isEmpty())
            return true;
        // Asked for by name: without it nothing is written.
        backupError = writeFileSafely(backupFile, cloneFileBytes(radio)) ? FileError::None
                                                                         : FileError::FileOpenError;
        if (backupError == FileError::None)
            keptAt = backupFile;
        return backupError == FileError::None;
    });
    // Settings, then memory, as one transfer; nothing more once a half has stopped.
    const bool completed = run(transfers, &Transfers::writeAllStoppingAtAFailure);
    if (backupError != FileError::None)
        return fileFailure(backupError);
    return completed ? 0 : kFailed;
}

} // namespace hxv5::cli
