#include "link/serial_port.h"

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
        Q_EMIT errorOccurred();
    });
}

QtSerialPortAdapter::~QtSerialPortAdapter() = default;

QString QtSerialPortAdapter::resolvedDevice() const
{
    return m_devicePath.isEmpty() ? deviceForPort(portNumber()) : m_devicePath;
}

bool QtSerialPortAdapter::open()
{
    if (m_port->isOpen())
        return true;
    const QString device = resolvedDevice();
    if (device.isEmpty())
        return false;
    m_port->setPortName(device);
    if (!m_port->open(QIODevice::ReadWrite))
        return false;
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

void QtSerialPortAdapter::close()
{
    m_port->close();
}

bool QtSerialPortAdapter::isOpen() const
{
    return m_port->isOpen();
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
