#pragma once

#include "link/transfers.h"

#include <QObject>
#include <QString>

namespace hxv5 {

enum class BackupKind;
class Document;
class FileCommands;
class QtSerialPortAdapter;
class SerialPort;
class UserInteraction;

// The program's state and operations, whatever front end drives them (the window, the command
// line): one document, the line to the radio with its transfers, the file commands, and the rules
// around them that belong to no screen.
//
// - Backups: every image that comes whole from the radio is kept in the backups folder, after a
//   read (both halves of an ALL read, when both completed) and before a write that reads the radio
//   first. A backup that cannot be kept is told (notice) but stops nothing. A backup copy by name
//   may be asked for besides: without it nothing is written.
// - Write options: "Write Changes Only" and "Verify After Write", for this run or stored for the
//   user's next start.
// - The port file: the COM number of the last run.
class Session : public QObject
{
    Q_OBJECT
public:
    // port: the line to the radio; the real serial port when null. Not owned. ui is not owned.
    explicit Session(UserInteraction &ui, SerialPort *port = nullptr, QObject *parent = nullptr);
    ~Session() override;

    Document &document() { return *m_document; }
    SerialPort &serialPort() { return *m_port; }
    Transfers &transfers() { return *m_transfers; }
    FileCommands &fileCommands() { return *m_files; }

    // The port number from the port file, and back into it. Failures to store it are not told:
    // the next run starts on COM 1.
    void loadPortNumber();
    void storePortNumber();
    // A COM number 1..14 or a device path ("/dev/ttyUSB0"), which takes the COM number's place;
    // false for a number outside 1..14, and for a path when the line is not the real port.
    bool usePort(const QString &port);

    // The options the user stored; "Write Changes Only" unless the user chose otherwise.
    void useStoredWriteOptions();
    // The writes that start from now on, and stored for the user's next start.
    void setWriteChangesOnly(bool on);
    void setVerifyAfterWrite(bool on);
    // The writes that start from now on, for this run only.
    void setWriteOptions(const Transfers::WriteOptions &options);
    const Transfers::WriteOptions &writeOptions() const;

    // Where each write that reads the radio first also keeps what the radio held; empty for none.
    void setBackupCopy(const QString &path)
    {
        m_backupCopy = path;
        m_backupCopyFailed = false;
    }
    // Whether the last write was called off because its backup copy could not be written.
    bool backupCopyFailed() const { return m_backupCopyFailed; }

public Q_SLOTS:
    // Read Settings, then Read Memory once the settings completed: the whole radio as one read,
    // kept as one backup.
    void readRadio();

Q_SIGNALS:
    // A transfer (or a half of an ALL transfer) ended; emitted before its image is kept.
    void transferFinished(hxv5::Transfers::Operation op, bool completed);
    // A run of transfers ended (both halves of the ALL items and of readRadio): completed when
    // every half completed.
    void runEnded(bool completed);
    // Something to tell that stops nothing: "Backup not kept: ...".
    void notice(const QString &text);

private:
    void onTransferFinished(Transfers::Operation op, bool completed);
    bool keepRadioImage(const Document &radio, QString &keptAt);
    // The path the backup went to, or empty (told).
    QString keepBackupOf(const Document &image, BackupKind kind);
    void storeWriteOptions(const Transfers::WriteOptions &options);

    Document *m_document;
    QtSerialPortAdapter *m_realPort = nullptr;
    SerialPort *m_port;
    Transfers *m_transfers;
    FileCommands *m_files;

    QString m_backupCopy;
    bool m_backupCopyFailed = false;
    // readRadio's settings half runs: the memory half follows when it completes.
    bool m_readingRadio = false;
    // A read of the ALL item whose first half stopped: the image is not all from the radio.
    bool m_readStopped = false;
    bool m_runCompleted = true;
};

} // namespace hxv5
