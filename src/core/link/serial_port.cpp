#include "link/serial_port.h"

#include "link/port_doctor.h"
#include "link/port_mapping.h"

#include <QFile>
#include <QSerialPort>

#ifdef Q_OS_UNIX
#include <sys/file.h>
#include <sys/stat.h>
#endif

namespace hxv5 {

void SerialPort::setPortNumber(int port)
{
    m_portNumber = (port >= kFirstPort && port <= kLastPort) ? port : kFirstPort;
}

QtSerialPortAdapter::QtSerialPortAdapter(QObject *parent)
    : SerialPort(parent), m_port(new QSerialPort(this))
{
    connect(m_port, &QSerialPort::readyRead, this, &SerialPort::readyRead);
    connect(m_port, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError error) {
        // Errors of open() are reported by its result; only a failure of an open line counts
        // here. TimeoutError belongs to the blocking waits, which this program never uses.
        if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError ||
            !m_port->isOpen())
            return;
        // The handle of a line that failed is of no further use: after the cable was pulled it
        // reports the same failure again at every turn of the event loop, and a transfer that
        // used it would fail whether the cable is back or not.
        m_port->close();
        Q_EMIT errorOccurred();
    });
}

QtSerialPortAdapter::~QtSerialPortAdapter() = default;

QString QtSerialPortAdapter::resolvedDevice() const
{
    return m_devicePath.isEmpty() ? deviceForPort(portNumber()) : m_devicePath;
}

QtSerialPortAdapter::DeviceIdentity QtSerialPortAdapter::identityOf(const QString &device)
{
    DeviceIdentity identity;
#ifdef Q_OS_UNIX
    struct stat status = {};
    if (::stat(QFile::encodeName(device).constData(), &status) == 0) {
        identity.known = true;
        identity.device = static_cast<quint64>(status.st_dev);
        identity.inode = static_cast<quint64>(status.st_ino);
        identity.node = static_cast<quint64>(status.st_rdev);
    }
#else
    Q_UNUSED(device)
#endif
    return identity;
}

bool QtSerialPortAdapter::deviceGone() const
{
    // Without an identity from the opening (a name the system resolves itself) only the line's
    // own failure tells.
    return m_openedIdentity.known && identityOf(m_openedDevice) != m_openedIdentity;
}

bool QtSerialPortAdapter::open()
{
    if (isOpen())
        return true;
    // A handle on a device that has gone since is let go before the device is reached afresh.
    close();
    const QString device = resolvedDevice();
    if (device.isEmpty())
        return false;
    m_port->setPortName(device);
    if (!m_port->open(QIODevice::ReadWrite))
        return false;
    if (!lockExclusively()) {
        m_port->close();
        return false;
    }
    m_openedDevice = device;
    m_openedIdentity = identityOf(device);
    const bool configured =
        m_port->setBaudRate(QSerialPort::Baud9600) && m_port->setDataBits(QSerialPort::Data8) &&
        m_port->setParity(QSerialPort::NoParity) && m_port->setStopBits(QSerialPort::OneStop) &&
        m_port->setFlowControl(QSerialPort::NoFlowControl);
    if (!configured) {
        m_port->close();
        return false;
    }
    return true;
}

bool QtSerialPortAdapter::lockExclusively()
{
#ifdef Q_OS_UNIX
    // QSerialPort's lock file and exclusive mode keep out programs that look for them, but the
    // superuser passes the exclusive mode and a lock file goes unseen by programs that look in
    // another lock folder. A lock on the open device itself is seen by everyone who asks for it.
    return ::flock(static_cast<int>(m_port->handle()), LOCK_EX | LOCK_NB) == 0;
#else
    return true;
#endif
}

QString QtSerialPortAdapter::failureDiagnosis() const
{
    const PortDoctor doctor;
    return doctor.diagnosis(
        doctor.checkDevice(resolvedDevice(), m_devicePath.isEmpty() ? portNumber() : 0));
}

void QtSerialPortAdapter::close()
{
    if (m_port->isOpen())
        m_port->close();
}

bool QtSerialPortAdapter::isOpen() const
{
    return m_port->isOpen() && !deviceGone();
}

QByteArray QtSerialPortAdapter::takePendingInput()
{
    return m_port->isOpen() ? m_port->readAll() : QByteArray();
}

void QtSerialPortAdapter::discardPendingInput()
{
    if (!m_port->isOpen())
        return;
    m_port->readAll();
    m_port->clear(QSerialPort::Input);
}

bool QtSerialPortAdapter::send(const QByteArray &data)
{
    return m_port->isOpen() && m_port->write(data) == data.size();
}

} // namespace hxv5
