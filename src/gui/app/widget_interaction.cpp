#include "app/widget_interaction.h"

#include "files/csv_exchange.h"
#include "files/file_commands.h"
#include "files/row_clipboard.h"

#include <QFileInfo>
#include <QMessageBox>

namespace hxv5 {

namespace {

// A caption as the chooser shows it, and the patterns it stands for.
QString filterEntry(const char *caption, const char *patterns)
{
    return QLatin1String(caption) + QLatin1String(" (") + QLatin1String(patterns) +
           QLatin1Char(')');
}

QString chirpFilterEntry()
{
    return filterEntry("CHIRP CSV (*.csv)", "*.csv");
}

} // namespace

QString fileFilter(UserInteraction::FileKind kind)
{
    const QString all = filterEntry("All Files (*.*)", "*");
    switch (kind) {
    case UserInteraction::FileKind::Clone:
        return filterEntry("Tormel HX-V5 Clone Files (*.TV5)", "*.TV5") + QLatin1String(";;") + all;
    case UserInteraction::FileKind::Csv:
        return filterEntry("CSV Files (*.csv)", "*.csv") + QLatin1String(";;") + all;
    }
    return {};
}

QString csvFileFilter()
{
    QStringList entries = fileFilter(UserInteraction::FileKind::Csv).split(QLatin1String(";;"));
    entries.insert(1, chirpFilterEntry());
    return entries.join(QLatin1String(";;"));
}

CsvFormat csvFormatOfFilter(const QString &selected)
{
    // The dialog gives the entry with its patterns, or, as it shows them hidden, without.
    const bool chirp =
        selected == chirpFilterEntry() || selected == QLatin1String("CHIRP CSV (*.csv)");
    return chirp ? CsvFormat::Chirp : CsvFormat::Own;
}

QFileDialog::Options fileDialogOptions()
{
    return QFileDialog::HideNameFilterDetails;
}

void WidgetInteraction::showError(const QString &text)
{
    QMessageBox::critical(m_owner, QStringLiteral("ERROR"), text);
}

void WidgetInteraction::showErrorDetails(const QString &text, const QString &details)
{
    showErrorReport(text, QString(), details);
}

void WidgetInteraction::showErrorReport(const QString &text, const QString &report,
                                        const QString &details)
{
    if (report.isEmpty() && details.isEmpty()) {
        showError(text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QStringLiteral("ERROR"), text, QMessageBox::Ok, m_owner);
    box.setInformativeText(report);
    box.setDetailedText(details);
    box.exec();
}

bool WidgetInteraction::askWriteAnyway(const QString &notice)
{
    return QMessageBox::warning(
               m_owner, QStringLiteral("Write Memory"), notice + QStringLiteral(" Write anyway?"),
               QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

UserInteraction::Answer WidgetInteraction::askSaveChanges()
{
    const auto button = QMessageBox::information(
        m_owner, QStringLiteral("Save Changes"), QStringLiteral("Save changes to settings?"),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    switch (button) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel; // Cancel, and Escape or the close box
    }
}

void setUpSaveChooser(QFileDialog &dialog, UserInteraction::FileKind kind)
{
    dialog.setOptions(fileDialogOptions());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultExtension(kind));
}

QString WidgetInteraction::chooseSaveName(const QString &filter, FileKind kind,
                                          QString *selectedFilter)
{
    QFileDialog dialog(m_owner, QString(), QString(), filter);
    setUpSaveChooser(dialog, kind);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    if (selectedFilter)
        *selectedFilter = dialog.selectedNameFilter();
    return dialog.selectedFiles().value(0);
}

// The choosers leave the process's working directory as it is (QFileDialog never changes it)
// and give an empty text when cancelled.
QString WidgetInteraction::chooseOpenFile(FileKind kind)
{
    return chooseOpenFileIn(kind, QString());
}

QString WidgetInteraction::chooseOpenFileIn(FileKind kind, const QString &folder)
{
    // Existing files only: the dialog refuses a name whose file or folder does not exist.
    const QString path = QFileDialog::getOpenFileName(m_owner, QString(), folder, fileFilter(kind),
                                                      nullptr, fileDialogOptions());
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return {};
    return path;
}

QString WidgetInteraction::chooseCsvOpenFile(CsvFormat &format)
{
    QString selected;
    const QString path = QFileDialog::getOpenFileName(
        m_owner, QString(), QString(), csvFileFilter(), &selected, fileDialogOptions());
    format = csvFormatOfFilter(selected);
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return {};
    return path;
}

QString WidgetInteraction::chooseCsvSaveFile(CsvFormat &format)
{
    QString selected;
    const QString path = chooseSaveName(csvFileFilter(), FileKind::Csv, &selected);
    format = csvFormatOfFilter(selected);
    return path;
}

QString WidgetInteraction::chooseSaveFile(FileKind kind)
{
    return chooseSaveName(fileFilter(kind), kind, nullptr);
}

void WidgetInteraction::showImportReport(const CsvImportReport &report)
{
    showRowsReport(QStringLiteral("CSV Import"), csvImportSummary(report), report);
}

void WidgetInteraction::showPasteReport(const CsvImportReport &report)
{
    showRowsReport(QStringLiteral("Paste"), pasteSummary(report), report);
}

void WidgetInteraction::showRowsReport(const QString &title, const QString &summary,
                                       const CsvImportReport &report)
{
    QMessageBox box(report.skipped.isEmpty() ? QMessageBox::Information : QMessageBox::Warning,
                    title, summary, QMessageBox::Ok, m_owner);
    if (report.taken == 0)
        box.setInformativeText(QStringLiteral("Nothing was changed."));
    if (!report.skipped.isEmpty() || !report.changed.isEmpty())
        box.setDetailedText(csvSkippedRowLines(report).join(QLatin1Char('\n')));
    box.exec();
}

void WidgetInteraction::showEditReport(const QString &summary, const QStringList &lines)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Edit Selected Channels"), summary,
                    QMessageBox::Ok, m_owner);
    box.setInformativeText(lines.join(QLatin1Char('\n')));
    box.exec();
}

void WidgetInteraction::showExportReport(const QStringList &lines)
{
    QMessageBox box(
        QMessageBox::Information, QStringLiteral("CSV Export"),
        QString::number(lines.size()) +
            (lines.size() == 1 ? QLatin1String(" channel was") : QLatin1String(" channels were")) +
            QLatin1String(" written otherwise than the tables hold them."),
        QMessageBox::Ok, m_owner);
    box.setDetailedText(lines.join(QLatin1Char('\n')));
    box.exec();
}

} // namespace hxv5
