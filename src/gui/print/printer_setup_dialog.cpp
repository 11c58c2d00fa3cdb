#include "print/printer_setup_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace hxv5 {

PrinterSetupDialog::PrinterSetupDialog(const QStringList &printers, const QString &current,
                                       QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("dlgPrinterSetup"));
    setWindowTitle(tr("Print Setup"));
    setModal(true);

    m_printers = new QComboBox(this);
    m_printers->setObjectName(QStringLiteral("cbbPrinter"));
    m_printers->addItems(printers);
    m_printers->setMinimumContentsLength(24);
    if (printers.isEmpty()) {
        // Printing then goes to a PDF file, which the print dialog offers.
        m_printers->setPlaceholderText(tr("No printer installed"));
        m_printers->setEnabled(false);
    } else {
        m_printers->setCurrentIndex(qMax(0, printers.indexOf(current)));
    }

    m_pageSetup = new QPushButton(tr("Page Setup..."), this);
    m_pageSetup->setObjectName(QStringLiteral("cmbPageSetup"));
    m_pageSetup->setAutoDefault(false);
    connect(m_pageSetup, &QPushButton::clicked, this,
            [this] { Q_EMIT pageSetupRequested(printerName()); });

    auto *form = new QFormLayout;
    form->addRow(tr("Printer:"), m_printers);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->addButton(m_pageSetup, QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addSpacing(6);
    layout->addWidget(buttons);
}

QString PrinterSetupDialog::printerName() const
{
    return m_printers->count() > 0 ? m_printers->currentText() : QString();
}

} // namespace hxv5
