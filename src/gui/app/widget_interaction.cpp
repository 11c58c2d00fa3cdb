#include "app/widget_interaction.h"

#include "files/csv_exchange.h"
#include "files/file_commands.h"
#include "files/row_clipboard.h"

#include <QFileInfo>
#include <QMessageBox>

namespace hxv5 {

namespace {

// A caption as the chooser shows it, and the patterns it stands for.
QString filterEntry(const QString &caption, const char *patterns)
{
    return caption + QLatin1String(" (") + QLatin1String(patterns) + QLatin1Char(')');
}

QString chirpCaption()
{
    return WidgetInteraction::tr("CHIRP CSV (*.csv)");
}

QString chirpFilterEntry()
{
    return filterEntry(chirpCaption(), "*.csv");
}

} // namespace

QString fileFilter(UserInteraction::FileKind kind)
{
    const QString all = filterEntry(WidgetInteraction::tr("All Files (*.*)"), "*");
    switch (kind) {
    case UserInteraction::FileKind::Clone:
        return filterEntry(WidgetInteraction::tr("Tormel HX-V5 Clone Files (*.TV5)"), "*.TV5") +
               QLatin1String(";;") + all;
    case UserInteraction::FileKind::Csv:
        return filterEntry(WidgetInteraction::tr("CSV Files (*.csv)"), "*.csv") +
               QLatin1String(";;") + all;
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
    const bool chirp = selected == chirpFilterEntry() || selected == chirpCaption();
    return chirp ? CsvFormat::Chirp : CsvFormat::Own;
}

QFileDialog::Options fileDialogOptions()
{
    return QFileDialog::HideNameFilterDetails;
}

void WidgetInteraction::showError(const QString &text)
{
    QMessageBox::critical(m_owner, tr("ERROR"), text);
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
    QMessageBox box(QMessageBox::Critical, tr("ERROR"), text, QMessageBox::Ok, m_owner);
    box.setInformativeText(report);
    box.setDetailedText(details);
    box.exec();
}

bool WidgetInteraction::askWriteAnyway(const QString &notice)
{
    return QMessageBox::warning(m_owner, tr("Write Memory"), tr("%1 Write anyway?").arg(notice),
                                QMessageBox::Yes | QMessageBox::No,
                                QMessageBox::No) == QMessageBox::Yes;
}

UserInteraction::Answer WidgetInteraction::askSaveChanges()
{
    const auto button = QMessageBox::information(
        m_owner, tr("Save Changes"), tr("Save changes to settings?"),
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
    showRowsReport(tr("CSV Import"), csvImportSummary(report), report);
}

void WidgetInteraction::showPasteReport(const CsvImportReport &report)
{
    showRowsReport(tr("Paste"), pasteSummary(report), report);
}

void WidgetInteraction::showRowsReport(const QString &title, const QString &summary,
                                       const CsvImportReport &report)
{
    QMessageBox box(report.skipped.isEmpty() ? QMessageBox::Information : QMessageBox::Warning,
                    title, summary, QMessageBox::Ok, m_owner);
    if (report.taken == 0)
        box.setInformativeText(tr("Nothing was changed."));
    if (!report.skipped.isEmpty() || !report.changed.isEmpty())
        box.setDetailedText(csvSkippedRowLines(report).join(QLatin1Char('\n')));
    box.exec();
}

void WidgetInteraction::showEditReport(const QString &summary, const QStringList &lines)
{
    QMessageBox box(QMessageBox::Warning, tr("Edit Selected Channels"), summary, QMessageBox::Ok,
                    m_owner);
    box.setInformativeText(lines.join(QLatin1Char('\n')));
    box.exec();
}

void WidgetInteraction::showExportReport(const QStringList &lines)
{
    QMessageBox box(
        QMessageBox::Information, tr("CSV Export"),
        lines.size() == 1
            ? tr("1 channel was written otherwise than the tables hold it.")
            : tr("%1 channels were written otherwise than the tables hold them.").arg(lines.size()),
        QMessageBox::Ok, m_owner);
    box.setDetailedText(lines.join(QLatin1Char('\n')));
    box.exec();
}

} // namespace hxv5
