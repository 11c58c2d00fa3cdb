#pragma once

#include "print/print_selection.h"

#include <QFont>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>

class QDialog;
class QPrinter;
class QWidget;

namespace hxv5 {

class DlgPrint;
class Document;

// The print commands of the main window: "Print(&P)..." (the selection dialog, the desktop's
// print dialog and the job, or a preview), and "Print Setup(&U)..." (the choice of printer and
// its page set-up). One printer is kept for the whole run, so the printer and the set-up chosen
// there are the ones printing uses, and the report font set up for one job stays the printer's
// font for the next.
class PrintController : public QObject
{
    Q_OBJECT
public:
    // Shows a modal dialog and returns its result code; QDialog::exec() when empty. Tests
    // replace it so that nothing blocks.
    using ExecDialog = std::function<int(QDialog &)>;

    PrintController(Document &doc, QWidget *parentWindow);
    ~PrintController() override;

    void setExecDialog(ExecDialog exec) { m_execDialog = std::move(exec); }
    // The installed printers' names, asked each time Print Setup opens; tests replace it.
    void setPrinterNames(std::function<QStringList()> names) { m_printerNames = std::move(names); }

    QPrinter &printer() { return *m_printer; }
    // The printer last chosen in Print Setup (empty before): the one the print dialog opens on.
    const QString &printerChoice() const { return m_printerChoice; }
    PrintSelection &selection() { return m_selection; }
    // The selection dialog while it is loaded, else null.
    DlgPrint *selectionDialog() const { return m_dlgPrint; }
    // The font the reports print in; the page set-up of each job sets it.
    const QFont &reportFont() const { return m_font; }

    // The names of the fonts the printer offers. The desktop's font families, and "Courier New"
    // where the desktop prints that name with a metric-compatible fixed-pitch substitute.
    QStringList printerFonts() const;

    // The page set-up rule: "Courier New" when printerFonts holds exactly that name, else the
    // current font's family stays; 8 points; fixed pitch asked for, so that a missing family is
    // matched by a typewriter font and the right-aligned fields keep lining up.
    static QFont pageSetupFont(const QFont &current, const QStringList &printerFonts);

public Q_SLOTS:
    void mnuFilePrint_Click();
    void mnuFilePageSetup_Click();

    // The page set-up of a job, alone (the test panel runs it by hand). Returns, and reports
    // through pageSetupReported, the printer's name, each font name looked at followed by CR LF,
    // then CR LF and the font size before the change.
    QString setUpPage();

Q_SIGNALS:
    void pageSetupReported(const QString &report);
    // A job was sent to the printer (printed true) or could not be started (false).
    void jobFinished(bool printed);

private:
    int execDialog(QDialog &dialog);
    DlgPrint &loadSelectionDialog();
    QStringList jobLines() const;
    void printJob();
    void previewJob();
    // Points the printer at the named one (nothing for an empty name).
    void usePrinter(const QString &name);

    Document &m_doc;
    QWidget *m_parentWindow;
    std::unique_ptr<QPrinter> m_printer;
    QFont m_font;
    PrintSelection m_selection;
    QPointer<DlgPrint> m_dlgPrint;
    ExecDialog m_execDialog;
    std::function<QStringList()> m_printerNames;
    QString m_printerChoice;
};

} // namespace hxv5
