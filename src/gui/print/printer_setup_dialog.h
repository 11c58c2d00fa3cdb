#pragma once

#include <QDialog>
#include <QStringList>

class QComboBox;
class QPushButton;

namespace hxv5 {

// "Print Setup": the printer the reports go to, and a way into the page set-up (paper,
// orientation, margins) of that printer. The choice takes effect on OK.
class PrinterSetupDialog : public QDialog
{
    Q_OBJECT
public:
    // printers: the installed printers' names; current: the one to select at first.
    PrinterSetupDialog(const QStringList &printers, const QString &current,
                       QWidget *parent = nullptr);

    // The printer selected in the list; empty when no printer is installed.
    QString printerName() const;
    QComboBox *printerList() const { return m_printers; }
    QPushButton *pageSetupButton() const { return m_pageSetup; }

Q_SIGNALS:
    // "Page Setup..." was clicked with this printer selected.
    void pageSetupRequested(const QString &printerName);

private:
    QComboBox *m_printers;
    QPushButton *m_pageSetup;
};

} // namespace hxv5
