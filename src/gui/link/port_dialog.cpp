#include "link/port_dialog.h"

#include "link/port_doctor.h"
#include "link/port_mapping.h"
#include "link/serial_port.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace hxv5 {

namespace {
constexpr int kRowsPerColumn = 7; // COM 1..7 in the left column, COM 8..14 in the right
}

PortDialog::PortDialog(SerialPort &port, QWidget *parent) : QDialog(parent), m_port(port)
{
    setObjectName(QStringLiteral("dlgCOM"));
    setWindowTitle(tr("COM Port Setup"));
    setModal(true);

    auto *group = new QButtonGroup(this);
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    for (int i = 0; i < kPortCount; ++i) {
        auto *option = new QRadioButton(portCaption(i + 1), this);
        option->setObjectName(QStringLiteral("opbCom_%1").arg(i));
        // The captions are aligned column texts; a fixed-pitch font keeps them so.
        QFont fixed = option->font();
        fixed.setFamily(QStringLiteral("Monospace"));
        fixed.setStyleHint(QFont::TypeWriter);
        option->setFont(fixed);
        group->addButton(option, i);
        auto *device = new QLabel(this);
        device->setObjectName(QStringLiteral("lblComDevice_%1").arg(i));
        device->setEnabled(false); // a note beside the option, drawn in grey
        device->setMinimumWidth(
            device->fontMetrics().horizontalAdvance(QStringLiteral("/dev/ttyUSB00")));
        auto *state = new QLabel(this);
        state->setObjectName(QStringLiteral("lblComState_%1").arg(i));
        m_options.at(static_cast<size_t>(i)) = option;
        m_devices.at(static_cast<size_t>(i)) = device;
        m_states.at(static_cast<size_t>(i)) = state;
        const int column = (i / kRowsPerColumn) * 4;
        grid->addWidget(option, i % kRowsPerColumn, column);
        grid->addWidget(device, i % kRowsPerColumn, column + 1);
        grid->addWidget(state, i % kRowsPerColumn, column + 2);
    }
    grid->setColumnMinimumWidth(3, 16);

    auto *ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &PortDialog::OKButton_Click);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    // The dialog follows the device names it shows and cannot be resized by hand.
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void PortDialog::prepare()
{
    const PortDoctor doctor(m_systemRoot);
    for (int i = 0; i < kPortCount; ++i) {
        const PortCheck check = doctor.checkPort(i + 1);
        const QString &device = check.device;
        QLabel *label = m_devices.at(static_cast<size_t>(i));
        // The name the system gives the device ("USB-SERIAL CH340") says more than its path.
        const QString shown = check.description.isEmpty() ? device : check.description;
        label->setText(device.isEmpty() ? tr("(none)") : shown);
        label->setToolTip(device.isEmpty() ? tr("No serial device answers to this port") : device);
        // What keeps the port from use, and the fix, for a port that reaches a device.
        QLabel *state = m_states.at(static_cast<size_t>(i));
        state->setText(device.isEmpty() ? QString() : PortDoctor::verdictText(check));
        state->setToolTip(device.isEmpty() ? QString() : doctor.diagnosis(check).trimmed());
        state->setEnabled(check.verdict == PortCheck::Verdict::Ok);
    }
    const int index = m_port.portNumber() - 1;
    if (index >= 0 && index < kPortCount)
        option(index)->setChecked(true);
}

void PortDialog::OKButton_Click()
{
    if (m_port.isOpen())
        m_port.close();
    for (int i = 0; i < kPortCount; ++i) {
        if (option(i)->isChecked()) {
            m_port.setPortNumber(i + 1);
            break;
        }
    }
    accept();
}

} // namespace hxv5
