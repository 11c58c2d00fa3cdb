#include "session/session.h"

#include "document/document.h"
#include "files/backups.h"
#include "files/clone_file.h"
#include "files/file_commands.h"
#include "files/safe_write.h"
#include "link/port_mapping.h"
#include "link/serial_port.h"

#include <QDir>
#include <QSettings>

#include <utility>

namespace hxv5 {

namespace {

const QString kStoreGroup = QStringLiteral("Transfers");
const QString kChangesOnlyKey = QStringLiteral("WriteChangesOnly");
const QString kVerifyKey = QStringLiteral("VerifyAfterWrite");

bool isRead(Transfers::Operation op)
{
    return op == Transfers::Operation::ReadMemory || op == Transfers::Operation::ReadSettings;
}

} // namespace

Session::Session(UserInteraction &ui, SerialPort *port, QObject *parent)
    : QObject(parent), m_document(new Document(this)), m_port(port)
{
    // The one place the real serial port is made.
    if (!m_port) {
        m_realPort = new QtSerialPortAdapter(this);
        m_port = m_realPort;
    }
    m_transfers = new Transfers(*m_document, *m_port, ui, this);
    m_files = new FileCommands(*m_document, ui, this);
    m_transfers->setRadioImageKeeper(
        [this](const Document &radio, QString &keptAt) { return keepRadioImage(radio, keptAt); });
    connect(m_transfers, &Transfers::finished, this, &Session::onTransferFinished);
}

Session::~Session()
{
    // The transfers and the file commands act on the document and the line: they go first.
    delete m_transfers;
    delete m_files;
}

void Session::loadPortNumber()
{
    m_port->setPortNumber(readPortFile());
}

void Session::storePortNumber()
{
    writePortFile(m_port->portNumber());
}

bool Session::usePort(const QString &port)
{
    bool isNumber = false;
    const int number = port.toInt(&isNumber);
    if (!isNumber) {
        if (m_realPort)
            m_realPort->setDevicePath(port);
        return m_realPort != nullptr;
    }
    if (number < SerialPort::kFirstPort || number > SerialPort::kLastPort)
        return false;
    m_port->setPortNumber(number);
    return true;
}

// --- write options ---

void Session::useStoredWriteOptions()
{
    // Only changes unless the user chose otherwise: a write then reads the radio first, keeps what
    // it held and asks before it clears channels. Unticked, the writes go block after block.
    QSettings store;
    store.beginGroup(kStoreGroup);
    Transfers::WriteOptions options;
    options.changesOnly = store.value(kChangesOnlyKey, true).toBool();
    options.verify = store.value(kVerifyKey, false).toBool();
    setWriteOptions(options);
}

void Session::setWriteChangesOnly(bool on)
{
    Transfers::WriteOptions options = writeOptions();
    options.changesOnly = on;
    storeWriteOptions(options);
}

void Session::setVerifyAfterWrite(bool on)
{
    Transfers::WriteOptions options = writeOptions();
    options.verify = on;
    storeWriteOptions(options);
}

void Session::setWriteOptions(const Transfers::WriteOptions &options)
{
    m_transfers->setWriteOptions(options);
}

const Transfers::WriteOptions &Session::writeOptions() const
{
    return m_transfers->writeOptions();
}

void Session::storeWriteOptions(const Transfers::WriteOptions &options)
{
    setWriteOptions(options);
    QSettings store;
    store.beginGroup(kStoreGroup);
    store.setValue(kChangesOnlyKey, options.changesOnly);
    store.setValue(kVerifyKey, options.verify);
}

// --- runs and backups ---

void Session::readRadio()
{
    m_readingRadio = true;
    m_transfers->readSettings();
}

void Session::onTransferFinished(Transfers::Operation op, bool completed)
{
    Q_EMIT transferFinished(op, completed);
    if (std::exchange(m_readingRadio, false) && op == Transfers::Operation::ReadSettings &&
        completed) {
        if (!m_transfers->stopRequested()) {
            // Once the settings half has let go of the line.
            QMetaObject::invokeMethod(
                this, [this] { m_transfers->readMemory(); }, Qt::QueuedConnection);
            return;
        }
        // Stopped as the settings half ended: the memory half is not read, the image not whole.
        Q_EMIT notice(Transfers::notStartedNotice(Transfers::Operation::ReadMemory));
        completed = false;
    }
    // The ALL read reports each half; the backup waits for the second, the whole image.
    const bool running = m_transfers->isRunning();
    const bool wholeRead = isRead(op) && !running;
    const bool readStopped = m_readStopped || !completed;
    m_readStopped = isRead(op) && !wholeRead && readStopped;
    m_runCompleted = m_runCompleted && completed;
    if (wholeRead && !readStopped)
        keepBackupOf(*m_document, BackupKind::AfterRead);
    if (!running)
        Q_EMIT runEnded(std::exchange(m_runCompleted, true));
}

bool Session::keepRadioImage(const Document &radio, QString &keptAt)
{
    keptAt = keepBackupOf(radio, BackupKind::BeforeWrite);
    m_backupCopyFailed = false;
    if (m_backupCopy.isEmpty())
        return true; // a backup that cannot be kept never stops the write
    // Asked for by name: without it nothing is written.
    m_backupCopyFailed = !writeFileSafely(m_backupCopy, cloneFileBytes(radio));
    if (!m_backupCopyFailed)
        keptAt = m_backupCopy;
    return !m_backupCopyFailed;
}

QString Session::keepBackupOf(const Document &image, BackupKind kind)
{
    const QString path = keepBackup(image, kind);
    if (path.isEmpty())
        Q_EMIT notice(backupNotKeptText());
    return QDir::toNativeSeparators(path);
}

} // namespace hxv5
