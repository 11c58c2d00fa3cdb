#include "print/print_controller.h"

#include "print/dlg_print.h"
#include "print/printer_setup_dialog.h"
#include "print/report_lines.h"
#include "print/report_painter.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace hxv5 {

namespace {
const QString kCourierNew = QStringLiteral("Courier New");
constexpr qreal kReportPointSize = 8;
constexpr qreal kMarginMm = 10;
} // namespace

PrintController::PrintController(Document &doc, QWidget *parentWindow)
    : QObject(parentWindow), m_doc(doc), m_parentWindow(parentWindow),
      m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)),
      // Before the first set-up the printer prints in the desktop's fixed-pitch font.
      m_font(QFontDatabase::systemFont(QFontDatabase::FixedFont)),
      m_printerNames([] { return QPrinterInfo::availablePrinterNames(); })
{
    // A margin a printer can reach and a reader can hold the page by; the printer set-up may
    // change it.
    m_printer->setPageMargins(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                              QPageLayout::Millimeter);
}

PrintController::~PrintController()
{
    delete m_dlgPrint;
}

int PrintController::execDialog(QDialog &dialog)
{
    return m_execDialog ? m_execDialog(dialog) : dialog.exec();
}

DlgPrint &PrintController::loadSelectionDialog()
{
    if (!m_dlgPrint)
        m_dlgPrint = new DlgPrint(m_selection, m_parentWindow);
    m_dlgPrint->syncFromSelection();
    return *m_dlgPrint;
}

QStringList PrintController::printerFonts() const
{
    QStringList fonts = QFontDatabase::families();
    // fontconfig serves "Courier New" through an alias (a metric-compatible fixed-pitch face)
    // that the family list does not name; printing that name gives the right page all the same.
    if (!fonts.contains(kCourierNew) && QFontInfo(QFont(kCourierNew)).fixedPitch())
        fonts << kCourierNew;
    return fonts;
}

QFont PrintController::pageSetupFont(const QFont &current, const QStringList &printerFonts)
{
    QFont font = current;
    if (printerFonts.contains(kCourierNew))
        font.setFamilies({kCourierNew});
    font.setPointSizeF(kReportPointSize);
    font.setFixedPitch(true);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

QString PrintController::setUpPage()
{
    const QStringList fonts = printerFonts();
    QString report = m_printer->printerName();
    for (const QString &name : fonts)
        report += name + QLatin1String("\r\n");
    report += QLatin1String("\r\n") + QString::number(m_font.pointSizeF());
    m_font = pageSetupFont(m_font, fonts);
    Q_EMIT pageSetupReported(report);
    return report;
}

QStringList PrintController::jobLines() const
{
    return printJobLines(m_doc, m_selection.ticks());
}

void PrintController::mnuFilePrint_Click()
{
    m_selection.beginCommand();
    DlgPrint &dialog = loadSelectionDialog();
    execDialog(dialog);
    if (m_dlgPrint && m_dlgPrint->isUnloaded())
        delete m_dlgPrint;
    if (!m_selection.shouldContinue())
        return;
    if (m_selection.request() == PrintSelection::Request::Preview)
        previewJob();
    else
        printJob();
}

void PrintController::printJob()
{
    QPrintDialog dialog(m_printer.get(), m_parentWindow);
    // The reports are one stream of lines: there is no selection or current page to print.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize |
                      QAbstractPrintDialog::PrintCollateCopies);
    if (execDialog(dialog) != QDialog::Accepted)
        return;
    setUpPage();
    Q_EMIT jobFinished(ReportPainter(m_font).print(*m_printer, jobLines()));
}

void PrintController::previewJob()
{
    setUpPage();
    QPrintPreviewDialog dialog(m_printer.get(), m_parentWindow);
    dialog.setWindowTitle(tr("Print Preview"));
    // The preview paints again whenever its page set-up changes, and once more when its print
    // button sends the job to the printer.
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter *printer) { ReportPainter(m_font).print(*printer, jobLines()); });
    execDialog(dialog);
}

void PrintController::mnuFilePageSetup_Click()
{
    PrinterSetupDialog dialog(m_printerNames(), m_printer->printerName(), m_parentWindow);
    // The page set-up acts on the printer selected in the list, so that its paper sizes are
    // the ones offered; Cancel on the printer set-up puts the old printer back.
    const QString before = m_printer->printerName();
    const QString choiceBefore = m_printerChoice;
    connect(&dialog, &PrinterSetupDialog::pageSetupRequested, this, [this](const QString &name) {
        usePrinter(name);
        QPageSetupDialog pageSetup(m_printer.get(), m_parentWindow);
        execDialog(pageSetup);
    });
    if (execDialog(dialog) == QDialog::Accepted) {
        usePrinter(dialog.printerName());
    } else {
        usePrinter(before);
        m_printerChoice = choiceBefore;
    }
}

void PrintController::usePrinter(const QString &name)
{
    if (name.isEmpty())
        return; // no printer installed: the print dialog offers a PDF file
    m_printerChoice = name;
    if (m_printer->printerName() != name) {
        m_printer->setOutputFormat(QPrinter::NativeFormat);
        m_printer->setPrinterName(name);
    }
}

} // namespace hxv5
