#pragma once

#include "link/port_mapping.h"

#include <QDialog>

#include <array>

class QLabel;
class QRadioButton;

namespace hxv5 {

class SerialPort;

// The port dialog ("dlgCOM", "COM Port Setup"): fourteen options "COM  1" .. "COM 14", each with
// the device that port number reaches on this system (or the system's name for it) beside it and
// what keeps it from use
// ("ok", "missing", "permission denied", "busy"; the fix as its tooltip), and OK. There is no
// Cancel: closing the dialog any other way leaves the port as it was.
class PortDialog : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kPortCount = 14;

    explicit PortDialog(SerialPort &port, QWidget *parent = nullptr);

    // Before each showing: selects the option of the port now in use and refreshes the device
    // names and what keeps each from use (adapters come and go).
    void prepare();

    // The folder the devices, processes and lock files are looked for under ("/" by default).
    void setSystemRoot(const QString &root) { m_systemRoot = root; }

    // The option button of port number index + 1 (objectName "opbCom_<index>").
    QRadioButton *option(int index) const { return m_options.at(static_cast<size_t>(index)); }

public Q_SLOTS:
    // Closes the port if it is open (the next exchange opens the new one) and takes the first
    // selected option as the port number.
    void OKButton_Click();

private:
    SerialPort &m_port;
    std::array<QRadioButton *, kPortCount> m_options{};
    std::array<QLabel *, kPortCount> m_devices{};
    std::array<QLabel *, kPortCount> m_states{};
    QString m_systemRoot = QStringLiteral("/");
};

} // namespace hxv5
