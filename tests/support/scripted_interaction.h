#pragma once

#include "base/user_interaction.h"
#include "files/csv_exchange.h"

#include <QList>
#include <QStringList>

namespace hxv5::testing {

// The user, with answers given beforehand, and a record of what was asked and shown. Each
// question takes the next of its queued answers; once those are used up, the standing answer.
class ScriptedInteraction : public UserInteraction
{
public:
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
    void showEditReport(const QString &summary, const QStringList &lines) override;

    // The save-changes prompt.
    QList<Answer> answers;
    Answer saveAnswer = Answer::Cancel;
    // The open chooser; an empty path cancels it.
    QStringList openChoices;
    QString openPath;
    QString openFolder; // where the last open chooser opened; empty: where it liked
    // The save chooser; an empty path cancels it.
    QStringList saveChoices;
    QString savePath;

    // The CSV layout the CSV choosers answer with.
    CsvFormat csvFormat = CsvFormat::Own;

    // Before a write that clears channels the radio holds: what was asked, and the answers.
    QStringList writeQuestions;
    QList<bool> writeAnswers;
    bool writeAnswer = true;

    QStringList errors;
    QStringList errorDetails; // one for each error; empty for one shown without details
    QStringList errorReports; // one for each error: the part shown under the message
    QList<CsvImportReport> reports;
    QList<QStringList> exportReports;
    QStringList editReports; // the summary, then each line
    QStringList asked;       // in order: "prompt", "open clone", "save csv", ...
    int saveQuestions = 0;
};

} // namespace hxv5::testing
