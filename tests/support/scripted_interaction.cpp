#include "scripted_interaction.h"

namespace hxv5::testing {

namespace {

template <typename T> T next(QList<T> &queued, const T &standing)
{
    return queued.isEmpty() ? standing : queued.takeFirst();
}

QString kindName(UserInteraction::FileKind kind)
{
    return kind == UserInteraction::FileKind::Clone ? QStringLiteral("clone")
                                                    : QStringLiteral("csv");
}

} // namespace

void ScriptedInteraction::showError(const QString &text)
{
    showErrorReport(text, QString(), QString());
}

void ScriptedInteraction::showErrorDetails(const QString &text, const QString &details)
{
    showErrorReport(text, QString(), details);
}

void ScriptedInteraction::showErrorReport(const QString &text, const QString &report,
                                          const QString &details)
{
    errors.append(text);
    errorDetails.append(joinedReport(report, details));
    errorReports.append(report);
}

bool ScriptedInteraction::askWriteAnyway(const QString &notice)
{
    asked.append(QStringLiteral("write anyway"));
    writeQuestions.append(notice);
    return next(writeAnswers, writeAnswer);
}

UserInteraction::Answer ScriptedInteraction::askSaveChanges()
{
    asked.append(QStringLiteral("prompt"));
    ++saveQuestions;
    return next(answers, saveAnswer);
}

QString ScriptedInteraction::chooseOpenFile(FileKind kind)
{
    asked.append(QStringLiteral("open ") + kindName(kind));
    openFolder.clear();
    return next<QString>(openChoices, openPath);
}

QString ScriptedInteraction::chooseOpenFileIn(FileKind kind, const QString &folder)
{
    const QString path = chooseOpenFile(kind);
    openFolder = folder;
    return path;
}

QString ScriptedInteraction::chooseSaveFile(FileKind kind)
{
    asked.append(QStringLiteral("save ") + kindName(kind));
    return next<QString>(saveChoices, savePath);
}

void ScriptedInteraction::showImportReport(const CsvImportReport &report)
{
    reports.append(report);
}

QString ScriptedInteraction::chooseCsvOpenFile(CsvFormat &format)
{
    format = csvFormat;
    return chooseOpenFile(FileKind::Csv);
}

QString ScriptedInteraction::chooseCsvSaveFile(CsvFormat &format)
{
    format = csvFormat;
    return chooseSaveFile(FileKind::Csv);
}

void ScriptedInteraction::showExportReport(const QStringList &lines)
{
    exportReports.append(lines);
}

void ScriptedInteraction::showEditReport(const QString &summary, const QStringList &lines)
{
    editReports = QStringList{summary} + lines;
}

} // namespace hxv5::testing
