#include "cli_commands.h"

#include "app/document.h"
#include "base/user_interaction.h"
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

// Runs one transfer to its end; true when it completed. A stop has shown its message already.
bool run(Transfers &transfers, void (Transfers::*operation)())
{
    QEventLoop loop;
    bool done = false;
    bool completed = false;
    const auto connection = QObject::connect(&transfers, &Transfers::finished, &loop,
                                             [&](Transfers::Operation, bool ok) {
                                                 done = true;
                                                 completed = ok;
                                                 loop.quit();
                                             });
    (transfers.*operation)();
    if (!done && transfers.isRunning())
        loop.exec();
    QObject::disconnect(connection);
    return completed;
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
    // What the radio held is kept whatever becomes of OUT; a backup that cannot be kept is told
    // but fails nothing, for the image itself is still written.
    if (keepBackup(doc).isEmpty())
        QTextStream(stderr) << "Backup not kept: " << backupsFolder() << " takes no file\n";
    const FileError error = writeCloneFile(parsed.file, doc);
    return error == FileError::None ? 0 : fileFailure(error);
}

int writeRadio(const QStringList &args)
{
    RadioArguments parsed;
    QtSerialPortAdapter port;
    if (!prepare(args, port, parsed))
        return usage("write-radio --port PORT IN.TV5");

    Document doc;
    const FileError error = readCloneFile(parsed.file, doc);
    if (error != FileError::None)
        return fileFailure(error);
    ConsoleInteraction ui;
    Transfers transfers(doc, port, ui);
    if (!run(transfers, &Transfers::writeSettings) || !run(transfers, &Transfers::writeMemory))
        return kFailed;
    return 0;
}

} // namespace hxv5::cli
