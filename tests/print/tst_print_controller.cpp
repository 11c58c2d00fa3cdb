#include "document/document.h"
#include "print/dlg_print.h"
#include "print/print_controller.h"
#include "print/printer_setup_dialog.h"
#include "print/report_lines.h"
#include "print_test_support.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QMainWindow>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace hxv5;

namespace {

using Step = std::function<int(QDialog &)>;

// The modal dialogs of one print command, answered in turn without blocking.
struct DialogScript
{
    QStringList seen;
    QList<Step> steps;

    int run(QDialog &dialog)
    {
        seen << QString::fromLatin1(dialog.metaObject()->className());
        if (steps.isEmpty())
            return QDialog::Rejected;
        return steps.takeFirst()(dialog);
    }
};

// Ticks the boxes as given, then clicks OK (or the preview button), as the user does.
Step chooseReports(const ReportSelection &ticks, bool preview = false)
{
    return [ticks, preview](QDialog &dialog) {
        auto &dlg = dynamic_cast<DlgPrint &>(dialog);
        dlg.show();
        for (int i = 0; i < kReportCount; ++i) {
            if (dlg.chkSelect(i)->isChecked() != ticks[static_cast<size_t>(i)])
                dlg.chkSelect(i)->click();
        }
        (preview ? dlg.previewButton() : dlg.okButton())->click();
        return dlg.result();
    };
}

Step printToPdf(const QString &path)
{
    return [path](QDialog &dialog) {
        QPrinter *printer = dynamic_cast<QPrintDialog &>(dialog).printer();
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(path);
        return int(QDialog::Accepted);
    };
}

// pdftotext may fold runs of blanks and tells tabs from blanks no more: compare lines with every
// run of white space made one blank, and without empty lines.
QStringList normalised(const QStringList &lines)
{
    static const QRegularExpression space(QStringLiteral("\\s+"));
    QStringList result;
    for (QString line : lines) {
        // pdftotext reads some CJK glyphs back as their compatibility forms.
        line = line.normalized(QString::NormalizationForm_KC);
        line = line.replace(space, QStringLiteral(" ")).trimmed();
        if (!line.isEmpty())
            result << line;
    }
    return result;
}

QString runTool(const QString &tool, const QStringList &args)
{
    QProcess process;
    process.start(tool, args);
    if (!process.waitForFinished(60000))
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class TestPrintController : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void selectionDialogLayout();
    void ticksCarryOverAfterOk();
    void frameCloseStartsOverWithAllTicked();
    void nothingPrinted_data();
    void nothingPrinted();
    void printsSelectedReportsToPdf_data();
    void printsSelectedReportsToPdf();
    void columnsLineUpOnThePage();
    void printSetupChoiceIsUsed();
    void printSetupChoosesThePrinter_data();
    void printSetupChoosesThePrinter();
    void previewPaintsTheReports();
    void pageSetupFont_data();
    void pageSetupFont();
    void pageSetupReport();

private:
    QString pdftotext() const;
    void print(const ReportSelection &ticks, const QString &path);
    // The ticks the selection dialog shows on the next print (left without OK).
    ReportSelection ticksShownByNextPrint();

    QTemporaryDir m_dir;
    QMainWindow *m_window = nullptr;
    Document *m_doc = nullptr;
    PrintController *m_controller = nullptr;
    DialogScript m_script;
};

void TestPrintController::init()
{
    m_window = new QMainWindow;
    m_doc = new Document(m_window);
    m_controller = new PrintController(*m_doc, m_window);
    m_script = {};
    m_controller->setExecDialog([this](QDialog &dialog) { return m_script.run(dialog); });
}

void TestPrintController::cleanup()
{
    delete m_window;
}

QString TestPrintController::pdftotext() const
{
    return QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
}

void TestPrintController::print(const ReportSelection &ticks, const QString &path)
{
    m_script.steps = {chooseReports(ticks), printToPdf(path)};
    m_controller->mnuFilePrint_Click();
}

ReportSelection TestPrintController::ticksShownByNextPrint()
{
    ReportSelection shown{};
    m_script = {};
    m_script.steps = {[&shown](QDialog &dialog) {
        auto &dlg = dynamic_cast<DlgPrint &>(dialog);
        for (int i = 0; i < kReportCount; ++i)
            shown[static_cast<size_t>(i)] = dlg.chkSelect(i)->isChecked();
        return int(QDialog::Rejected);
    }};
    m_controller->mnuFilePrint_Click();
    return shown;
}

void TestPrintController::selectionDialogLayout()
{
    m_script.steps = {[](QDialog &) { return int(QDialog::Rejected); }};
    m_controller->mnuFilePrint_Click();
    QCOMPARE(m_script.seen, QStringList{"hxv5::DlgPrint"});
    // Left without OK, the dialog stays loaded (hidden).
    DlgPrint *dialog = m_controller->selectionDialog();
    QVERIFY(dialog);
    QCOMPARE(dialog->objectName(), QStringLiteral("DlgPrint"));
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Print Selection"));
    dialog->adjustSize();
    const QStringList captions{"Settings1", "VFO Data", "Settings2", "Memory"};
    int lastY = -1;
    for (int i = 0; i < kReportCount; ++i) {
        auto *box = dialog->findChild<QCheckBox *>(QStringLiteral("chkSelect_%1").arg(i));
        QVERIFY(box);
        QCOMPARE(box->text(), captions.at(i));
        QVERIFY(box->isChecked());
        QVERIFY(box->y() > lastY);
        lastY = box->y();
    }
    auto *ok = dialog->findChild<QPushButton *>(QStringLiteral("OKButton"));
    QVERIFY(ok);
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    // Room for the whole title and the frame's buttons beside it: a bold title bar font, and
    // at least 100 pixels for an icon and three buttons.
    QFont titleFont = dialog->font();
    titleFont.setBold(true);
    const int titleWidth = QFontMetrics(titleFont).horizontalAdvance(dialog->windowTitle());
    QVERIFY2(dialog->width() >= titleWidth + 100,
             qPrintable(QStringLiteral("%1 < %2 + 100").arg(dialog->width()).arg(titleWidth)));
}

void TestPrintController::ticksCarryOverAfterOk()
{
    DlgPrint *first = nullptr;
    m_script.steps = {chooseReports({false, true, false, true}),
                      [](QDialog &) { return int(QDialog::Rejected); }};
    m_controller->mnuFilePrint_Click();
    first = m_controller->selectionDialog();
    QVERIFY(first);
    QVERIFY(!first->isVisible());

    // OK only hid the dialog: the next print shows the same ticks.
    QCOMPARE(ticksShownByNextPrint(), (ReportSelection{false, true, false, true}));
    QCOMPARE(m_controller->selectionDialog(), first);
}

void TestPrintController::frameCloseStartsOverWithAllTicked()
{
    m_script.steps = {chooseReports({true, false, false, false}),
                      [](QDialog &) { return int(QDialog::Rejected); }};
    m_controller->mnuFilePrint_Click();

    m_script = {};
    m_script.steps = {[](QDialog &dialog) {
        // Untick one more, then close through the frame.
        auto &dlg = dynamic_cast<DlgPrint &>(dialog);
        dlg.show();
        dlg.chkSelect(0)->click();
        dlg.close();
        return dlg.result();
    }};
    m_controller->mnuFilePrint_Click();
    // Closed without OK: nothing further, and the dialog is unloaded.
    QCOMPARE(m_script.seen, QStringList{"hxv5::DlgPrint"});
    QVERIFY(!m_controller->selectionDialog());

    QCOMPARE(ticksShownByNextPrint(), (ReportSelection{true, true, true, true}));
}

void TestPrintController::nothingPrinted_data()
{
    QTest::addColumn<QList<Step>>("steps");
    QTest::addColumn<QStringList>("seen");
    const Step escape = [](QDialog &dialog) {
        dialog.show();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        return dialog.result();
    };
    const Step cancel = [](QDialog &) { return int(QDialog::Rejected); };
    QTest::newRow("selection left without OK")
        << QList<Step>{escape} << QStringList{"hxv5::DlgPrint"};
    QTest::newRow("nothing ticked") << QList<Step>{chooseReports({false, false, false, false})}
                                    << QStringList{"hxv5::DlgPrint"};
    QTest::newRow("print dialog cancelled")
        << QList<Step>{chooseReports({true, true, true, true}), cancel}
        << QStringList{"hxv5::DlgPrint", "QPrintDialog"};
}

void TestPrintController::nothingPrinted()
{
    QFETCH(QList<Step>, steps);
    QSignalSpy finished(m_controller, &PrintController::jobFinished);
    QSignalSpy setUp(m_controller, &PrintController::pageSetupReported);
    m_script.steps = steps;
    m_controller->mnuFilePrint_Click();
    QTEST(m_script.seen, "seen");
    QCOMPARE(finished.count(), 0);
    QCOMPARE(setUp.count(), 0);
}

void TestPrintController::printsSelectedReportsToPdf_data()
{
    QTest::addColumn<ReportSelection>("ticks");
    QTest::newRow("all four") << ReportSelection{true, true, true, true};
    QTest::newRow("memory only") << ReportSelection{false, false, false, true};
    QTest::newRow("settings only") << ReportSelection{true, false, true, false};
}

void TestPrintController::printsSelectedReportsToPdf()
{
    QFETCH(ReportSelection, ticks);
    if (pdftotext().isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed: cannot read back the printed PDF");
    testing::fillForPrinting(*m_doc);
    const QString path =
        m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + QStringLiteral(".pdf"));
    QSignalSpy finished(m_controller, &PrintController::jobFinished);
    print(ticks, path);
    QCOMPARE(m_script.seen, (QStringList{"hxv5::DlgPrint", "QPrintDialog"}));
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.first().first().toBool(), true);

    // Content-stream order: the lines as they were sent, one after the other.
    const QString text = runTool(pdftotext(), {QStringLiteral("-raw"), path, QStringLiteral("-")});
    const QStringList expected = normalised(printJobLines(*m_doc, ticks));
    const QStringList printed = normalised(text.split(QLatin1Char('\n')));
    // A line too long for the page continues on the next row: join it back before comparing.
    QCOMPARE(printed.join(QLatin1Char(' ')), expected.join(QLatin1Char(' ')));
    for (const QString &line : expected) {
        if (line.size() < 80)
            QVERIFY2(printed.contains(line), qPrintable(line));
    }
    if (ticks[3])
        QVERIFY(text.count(QLatin1Char('\f')) >= 3); // the memory report runs over pages
}

void TestPrintController::columnsLineUpOnThePage()
{
    if (pdftotext().isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed: cannot read back the printed PDF");
    testing::fillForPrinting(*m_doc);
    const QString path = m_dir.filePath(QStringLiteral("layout.pdf"));
    print({false, true, false, true}, path);

    // Every word of page 1 with its box, grouped into lines by their top edge.
    const QString boxes = runTool(pdftotext(), {QStringLiteral("-bbox"), QStringLiteral("-f"),
                                                QStringLiteral("1"), QStringLiteral("-l"),
                                                QStringLiteral("1"), path, QStringLiteral("-")});
    static const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\"[^>]*>([^<]*)</word>"));
    struct Word
    {
        double left;
        double right;
        QString text;
    };
    QMap<double, QList<Word>> rows;
    for (const QRegularExpressionMatch &m : word.globalMatch(boxes))
        rows[m.captured(2).toDouble()]
            << Word{m.captured(1).toDouble(), m.captured(3).toDouble(), m.captured(4)};
    QList<Word> header;
    int checked = 0;
    for (QList<Word> row : rows) {
        std::sort(row.begin(), row.end(),
                  [](const Word &a, const Word &b) { return a.left < b.left; });
        if (row.first().text == QLatin1String("Channel")) {
            header = row;
            continue;
        }
        // Rows of the tables, with data in every column (not the bands drawn as "-", not the
        // continuation of a long note).
        if (header.size() != 10 || row.size() < 10 || row.at(1).text == QLatin1String("-") ||
            row.first().left >= header.at(1).left)
            continue;
        const auto same = [](double a, double b) { return qAbs(a - b) < 0.01; };
        const QString text = row.first().text;
        // Right-aligned fields end under the end of their headers, the others start under
        // their starts.
        QVERIFY2(same(row.at(1).right, header.at(1).right), qPrintable(text)); // Frequency
        QVERIFY2(same(row.at(2).left, header.at(2).left), qPrintable(text));   // Mode
        QVERIFY2(same(row.at(3).right, header.at(3).right), qPrintable(text)); // Step
        QVERIFY2(same(row.at(4).left, header.at(4).left), qPrintable(text));   // Tone
        QVERIFY2(same(row.at(5).right, header.at(5).right), qPrintable(text)); // TxTone
        QVERIFY2(same(row.at(6).right, header.at(6).right), qPrintable(text)); // RxTone
        QVERIFY2(same(row.at(7).left, header.at(7).left), qPrintable(text));   // Shift
        QVERIFY2(same(row.at(9).left, header.at(9).left), qPrintable(text));   // Note
        ++checked;
    }
    QVERIFY2(checked > 40, qPrintable(QString::number(checked)));
}

void TestPrintController::printSetupChoiceIsUsed()
{
    if (pdftotext().isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed: cannot read back the printed PDF");
    // Print Setup, then its "Page Setup..." button, which turns the page, then OK.
    m_script.steps = {[](QDialog &dialog) {
                          dynamic_cast<PrinterSetupDialog &>(dialog).pageSetupButton()->click();
                          return int(QDialog::Accepted);
                      },
                      [this](QDialog &dialog) {
                          auto &setup = dynamic_cast<QPageSetupDialog &>(dialog);
                          if (setup.printer() != &m_controller->printer())
                              return int(QDialog::Rejected);
                          setup.printer()->setPageOrientation(QPageLayout::Landscape);
                          return int(QDialog::Accepted);
                      }};
    m_controller->mnuFilePageSetup_Click();
    QCOMPARE(m_script.seen, (QStringList{"hxv5::PrinterSetupDialog", "QPageSetupDialog"}));

    const QString path = m_dir.filePath(QStringLiteral("landscape.pdf"));
    m_script = {};
    print({true, false, false, false}, path);
    const QString info = runTool(QStandardPaths::findExecutable(QStringLiteral("pdfinfo")), {path});
    const QRegularExpressionMatch size =
        QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+)")).match(info);
    QVERIFY2(size.hasMatch(), qPrintable(info));
    QVERIFY(size.captured(1).toDouble() > size.captured(2).toDouble());
}

void TestPrintController::printSetupChoosesThePrinter_data()
{
    QTest::addColumn<QStringList>("printers");
    QTest::addColumn<int>("pick");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("chosen");

    const QStringList two{"Office Laser", "Shack Inkjet"};
    QTest::newRow("second printer, OK") << two << 1 << true << "Shack Inkjet";
    QTest::newRow("first printer, OK") << two << 0 << true << "Office Laser";
    QTest::newRow("second printer, Cancel") << two << 1 << false << "";
    QTest::newRow("no printer installed") << QStringList{} << -1 << true << "";
}

void TestPrintController::printSetupChoosesThePrinter()
{
    QFETCH(QStringList, printers);
    QFETCH(int, pick);
    QFETCH(bool, ok);
    QFETCH(QString, chosen);

    m_controller->setPrinterNames([printers] { return printers; });
    QStringList offered;
    bool listEnabled = false;
    m_script.steps = {[&](QDialog &dialog) {
        auto &setup = dynamic_cast<PrinterSetupDialog &>(dialog);
        QComboBox *list = setup.printerList();
        for (int i = 0; i < list->count(); ++i)
            offered << list->itemText(i);
        listEnabled = list->isEnabled();
        list->setCurrentIndex(pick);
        // The page set-up stays within reach in every case.
        if (!setup.pageSetupButton()->isEnabled())
            return int(QDialog::Rejected);
        return int(ok ? QDialog::Accepted : QDialog::Rejected);
    }};
    m_controller->mnuFilePageSetup_Click();

    QCOMPARE(m_script.seen, QStringList{"hxv5::PrinterSetupDialog"});
    QCOMPARE(offered, printers);
    QCOMPARE(listEnabled, !printers.isEmpty());
    QCOMPARE(m_controller->printerChoice(), chosen);
}

void TestPrintController::previewPaintsTheReports()
{
    QSignalSpy finished(m_controller, &PrintController::jobFinished);
    int pages = 0;
    m_script.steps = {chooseReports({true, true, true, true}, true), [&pages](QDialog &dialog) {
                          auto *preview = dialog.findChild<QPrintPreviewWidget *>();
                          if (preview) {
                              preview->updatePreview();
                              pages = preview->pageCount();
                          }
                          return int(QDialog::Rejected);
                      }};
    testing::fillForPrinting(*m_doc);
    m_controller->mnuFilePrint_Click();
    // The preview comes instead of the print dialog; closing it prints nothing.
    QCOMPARE(m_script.seen, (QStringList{"hxv5::DlgPrint", "QPrintPreviewDialog"}));
    QVERIFY(pages >= 3);
    QCOMPARE(finished.count(), 0);
    // The preview keeps the ticks as OK does.
    QVERIFY(m_controller->selectionDialog());
}

void TestPrintController::pageSetupFont_data()
{
    QTest::addColumn<QStringList>("fonts");
    QTest::addColumn<QString>("family");
    QTest::newRow("offered") << QStringList{"Arial", "Courier New", "Times New Roman"}
                             << QStringLiteral("Courier New");
    QTest::newRow("not offered") << QStringList{"Arial", "Times New Roman"}
                                 << QStringLiteral("Printer Mono");
    QTest::newRow("exact name only")
        << QStringList{"courier new", "Courier New Bold"} << QStringLiteral("Printer Mono");
}

void TestPrintController::pageSetupFont()
{
    QFETCH(QStringList, fonts);
    QFETCH(QString, family);
    QFont current(QStringLiteral("Printer Mono"), 12);
    const QFont font = PrintController::pageSetupFont(current, fonts);
    QCOMPARE(font.families().value(0, font.family()), family);
    QCOMPARE(font.pointSizeF(), 8.0);
    QVERIFY(font.fixedPitch());
}

void TestPrintController::pageSetupReport()
{
    QSignalSpy reported(m_controller, &PrintController::pageSetupReported);
    const qreal before = m_controller->reportFont().pointSizeF();
    const QString first = m_controller->setUpPage();
    QCOMPARE(reported.count(), 1);
    QCOMPARE(reported.first().first().toString(), first);
    QString expected = m_controller->printer().printerName();
    for (const QString &font : m_controller->printerFonts())
        expected += font + QStringLiteral("\r\n");
    QCOMPARE(first, expected + QStringLiteral("\r\n") + QString::number(before));
    // The size set up for one job is the printer's size before the next.
    QVERIFY(m_controller->setUpPage().endsWith(QStringLiteral("\r\n\r\n8")));

    // Whatever family the printer gives, the reports print in a fixed-pitch face at 8 points.
    const QFont font = m_controller->reportFont();
    QCOMPARE(font.pointSizeF(), 8.0);
    QVERIFY(QFontInfo(font).fixedPitch());
    if (m_controller->printerFonts().contains(QStringLiteral("Courier New")))
        QCOMPARE(font.families().value(0), QStringLiteral("Courier New"));
}

QTEST_MAIN(TestPrintController)
#include "tst_print_controller.moc"
