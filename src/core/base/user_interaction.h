#pragma once

#include <QString>
#include <QStringList>

namespace hxv5 {

struct CsvImportReport;

// The two CSV layouts the program reads and writes: its own, and the one of the CHIRP
// programming software (a column per channel property, named in a header line).
enum class CsvFormat { Own, Chirp };

// What the core needs to ask or tell the user. The window implements it with message boxes and
// file choosers; tests and the command-line companion implement it with scripted answers.
class UserInteraction
{
public:
    virtual ~UserInteraction() = default;

    // A failure: a modal message box titled "ERROR" with the critical icon and an OK button.
    // The texts are "COM Port Error", "Communication Error", "File Open Error" and "Data Error".
    virtual void showError(const QString &text) = 0;
    // The same box, with more for whoever wants it: what was done before the failure, where to
    // go back from, what to check. The box keeps its text and title; the details sit behind
    // "Show Details...". Those who cannot show details show the text alone.
    virtual void showErrorDetails(const QString &text, const QString &details)
    {
        (void)details;
        showError(text);
    }
    // The same box with what the user needs to go on shown under the message (what a stopped
    // write sent, where the backup is, what to do next), and details behind "Show Details...".
    // Those who show no such part give both as the details, the report first.
    virtual void showErrorReport(const QString &text, const QString &report, const QString &details)
    {
        showErrorDetails(text, joinedReport(report, details));
    }
    static QString joinedReport(const QString &report, const QString &details)
    {
        if (report.isEmpty() || details.isEmpty())
            return report + details;
        return report + QStringLiteral("\n\n") + details;
    }

    // Asked before a write that would clear channels the radio holds, once the image read first
    // shows them. notice says how many and which ("The radio holds 57 channels that this write
    // clears: 0 "145.00000", ..."); the window adds " Write anyway?" and offers Yes and No (the
    // default). True goes on; false sends nothing. Those with nobody to ask go on as told.
    virtual bool askWriteAnyway(const QString &notice)
    {
        (void)notice;
        return true;
    }

    enum class Answer { Yes, No, Cancel };
    // The save-changes prompt: "Save changes to settings?", title "Save Changes", information
    // icon, buttons Yes, No and Cancel.
    virtual Answer askSaveChanges() = 0;

    enum class FileKind {
        Clone, // "Tormel HX-V5 Clone Files (*.TV5)|*.TV5|All Files (*.*)|*.*"
        Csv,   // "CSV Files (*.csv)|*.csv|All Files (*.*)|*.*"
    };
    // A file chooser for opening an existing file; an empty text when cancelled.
    virtual QString chooseOpenFile(FileKind kind) = 0;
    // The same, opening in folder. Those without a folder to show ask as chooseOpenFile does.
    virtual QString chooseOpenFileIn(FileKind kind, const QString &folder)
    {
        (void)folder;
        return chooseOpenFile(kind);
    }
    // A file chooser for saving, which confirms overwriting; an empty text when cancelled.
    virtual QString chooseSaveFile(FileKind kind) = 0;

    // The CSV choosers of Import and Export, which offer "CHIRP CSV (*.csv)" beside the
    // program's own format (still the default); format tells which of the two the user chose.
    // Those who cannot offer the choice ask as for FileKind::Csv, in the program's own format.
    virtual QString chooseCsvOpenFile(CsvFormat &format)
    {
        format = CsvFormat::Own;
        return chooseOpenFile(FileKind::Csv);
    }
    virtual QString chooseCsvSaveFile(CsvFormat &format)
    {
        format = CsvFormat::Own;
        return chooseSaveFile(FileKind::Csv);
    }

    // After a CSV import that skipped rows or took none: how many rows were taken and each
    // skipped row with its line and reason. Nothing by default, for those with nobody to tell.
    virtual void showImportReport(const CsvImportReport &report) { (void)report; }
    // After an export that wrote some channels otherwise than the tables hold them (the CHIRP
    // format has no column for them): one line per channel and what was written instead.
    virtual void showExportReport(const QStringList &lines) { (void)lines; }
    // After "Edit Selected Channels" left values on some channels as they were: the summary
    // ("20 channels changed.") and each value refused with the channels that kept their own.
    virtual void showEditReport(const QString &summary, const QStringList &lines)
    {
        (void)summary;
        (void)lines;
    }
    // The same after a paste of rows that skipped rows or stored none; as an import's report by
    // default.
    virtual void showPasteReport(const CsvImportReport &report) { showImportReport(report); }
};

} // namespace hxv5
