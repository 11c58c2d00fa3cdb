#pragma once

#include "link/port_platform.h"

#include <QByteArray>
#include <QObject>
#include <QString>

class QSerialPort;

namespace hxv5 {

// The serial line to the radio as the exchanges need it. The program talks to the radio through
// this interface only, so that a scripted radio can take the real port's place.
class SerialPort : public QObject
{
    Q_OBJECT
public:
    static constexpr int kFirstPort = 1;
    static constexpr int kLastPort = 14;

    using QObject::QObject;

    virtual bool open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    // The COM number, 1..14; a number outside that range is taken as 1. Takes effect at the next
    // open().
    virtual void setPortNumber(int port);
    int portNumber() const { return m_portNumber; }

    // Returns and removes everything received so far (possibly nothing).
    virtual QByteArray takePendingInput() = 0;
    // Throws away everything received so far, including what the system still holds for the port.
    virtual void discardPendingInput() { takePendingInput(); }
    // Hands the text to the line unchanged; false when the port refused it.
    virtual bool send(const QByteArray &data) = 0;

    // Why the last open() failed or the line went away, in words for the user: the device, its
    // state and what to do about it. Empty when there is nothing to tell.
    virtual QString failureDiagnosis() const { return {}; }

Q_SIGNALS:
    void readyRead();
    // The port failed after it was opened (for example the cable was pulled).
    void errorOccurred();

private:
    int m_portNumber = kFirstPort;
};

// The real line on QSerialPort: 9600 baud, 8 data bits, no parity, one stop bit, no handshaking.
// The COM number is resolved to a device with the port mapping each time the port is opened.
//
// The line is the program's alone while it is open: a second program (or a second port in this
// one) that opens the same device fails at once instead of taking part in the exchange.
//
// A line that fails while open (the cable pulled, the simulated radio gone) is closed at once,
// and a device that disappeared or was replaced since it was opened counts as closed: either
// way the next open() reaches the device afresh, so the first transfer after the cable is back
// works.
class QtSerialPortAdapter : public SerialPort
{
    Q_OBJECT
public:
    explicit QtSerialPortAdapter(QObject *parent = nullptr);
    ~QtSerialPortAdapter() override;

    bool open() override;
    void close() override;
    bool isOpen() const override;
    QByteArray takePendingInput() override;
    void discardPendingInput() override;
    bool send(const QByteArray &data) override;
    // The port doctor's diagnosis of the device this port reaches.
    QString failureDiagnosis() const override;

    // A device given by path (the command-line companion's "--port /dev/ttyUSB0") takes the
    // place of the COM number until it is set back to empty.
    void setDevicePath(const QString &path) { m_devicePath = path; }
    const QString &devicePath() const { return m_devicePath; }

    // The device the next open() will use: the device path, or the device the COM number reaches.
    QString resolvedDevice() const;

private:
    bool deviceGone() const;

    QSerialPort *m_port;
    QString m_devicePath;
    QString m_openedDevice;
    DeviceIdentity m_openedIdentity;
    bool m_openRefused = false;
};

} // namespace hxv5
