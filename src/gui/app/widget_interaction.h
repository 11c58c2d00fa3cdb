#pragma once

#include "base/user_interaction.h"

#include <QCoreApplication>
#include <QFileDialog>

class QWidget;

namespace hxv5 {

// The window's side of UserInteraction: modal message boxes and the desktop's file choosers,
// owned by the given window.
class WidgetInteraction : public UserInteraction
{
    Q_DECLARE_TR_FUNCTIONS(hxv5::WidgetInteraction)
public:
    explicit WidgetInteraction(QWidget *owner) : m_owner(owner) {}

    void showError(const QString &text) override;
    void showErrorDetails(const QString &text, const QString &details) override;
    void showErrorReport(const QString &text, const QString &report,
                         const QString &details) override;
    bool askWriteAnyway(const QString &notice) override;
    Answer askSaveChanges() override;
    QString chooseOpenFile(FileKind kind) override;
    QString chooseOpenFileIn(FileKind kind, const QString &folder) override;
    QString chooseSaveFile(FileKind kind) override;
    void showImportReport(const CsvImportReport &report) override;
    QString chooseCsvOpenFile(CsvFormat &format) override;
    QString chooseCsvSaveFile(CsvFormat &format) override;
    void showExportReport(const QStringList &lines) override;
    void showPasteReport(const CsvImportReport &report) override;
    void showEditReport(const QString &summary, const QStringList &lines) override;

private:
    // A save chooser set up by setUpSaveChooser; selectedFilter, when given, receives the entry
    // of the filter list the user chose.
    QString chooseSaveName(const QString &filter, FileKind kind, QString *selectedFilter);
    void showRowsReport(const QString &title, const QString &summary,
                        const CsvImportReport &report);

    QWidget *m_owner;
};

// The chooser's filter list for a kind of file, in the form the file dialog takes. Each entry
// is its caption ("All Files (*.*)") followed by the patterns it matches in parentheses, which
// fileDialogOptions() keeps out of sight: "*.*" would hide every name without a dot, so "All
// Files" matches "*".
QString fileFilter(UserInteraction::FileKind kind);
QFileDialog::Options fileDialogOptions();
// A file chooser for saving: it asks before an existing file is overwritten, and gives a name
// typed without an extension the kind's own, so that the question is about the file written.
void setUpSaveChooser(QFileDialog &dialog, UserInteraction::FileKind kind);

// The CSV choosers' filter list: the program's own entries with "CHIRP CSV (*.csv)" after the
// first, so that the own format stays the default; and the format of the entry the user chose.
QString csvFileFilter();
CsvFormat csvFormatOfFilter(const QString &selected);

} // namespace hxv5
