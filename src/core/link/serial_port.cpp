#include "link/serial_port.h"

#include "link/port_doctor.h"
#include "link/port_mapping.h"

#include <QSerialPort>

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

bool QtSerialPortAdapter::deviceGone() const
{
    // Without an identity from the opening (a name the system resolves itself) only the line's
    // own failure tells.
    return m_openedIdentity.known && deviceIdentity(m_openedDevice) != m_openedIdentity;
}

bool QtSerialPortAdapter::open()
{
    if (isOpen())
        return true;
    // A handle on a device that has gone since is let go before the device is reached afresh.
    close();
    m_openRefused = false;
    const QString device = resolvedDevice();
    if (device.isEmpty())
        return false;
    m_port->setPortName(device);
    // Refused: the system keeps the port for another program (on Windows the open tells so).
    m_openRefused =
        !m_port->open(QIODevice::ReadWrite) && m_port->error() == QSerialPort::PermissionError;
    if (!m_port->isOpen())
        return false;
    if (!holdExclusively(*m_port)) {
        m_port->close();
        m_openRefused = true;
        return false;
    }
    m_openedDevice = device;
    m_openedIdentity = deviceIdentity(device);
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

QString QtSerialPortAdapter::failureDiagnosis() const
{
    const PortDoctor doctor;
    return doctor.diagnosis(doctor.checkDevice(
        resolvedDevice(), m_devicePath.isEmpty() ? portNumber() : 0, m_openRefused));
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
