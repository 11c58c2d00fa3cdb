#include "files/file_commands.h"

#include "base/reference_tables.h"
#include "base/shown_text.h"
#include "base/user_interaction.h"
#include "document/document.h"
#include "files/backups.h"
#include "files/chirp_csv.h"
#include "files/clone_file.h"
#include "files/csv_exchange.h"

#include <QDir>
#include <QFileInfo>

namespace hxv5 {

QString defaultExtension(UserInteraction::FileKind kind)
{
    return kind == UserInteraction::FileKind::Clone ? QStringLiteral("TV5") : QStringLiteral("csv");
}

namespace {

// A name chosen without an extension, as a file chooser with a default extension gives it: a
// file name with no point at all gets the kind's own; a folder stays what it is.
QString withDefaultExtension(const QString &path, UserInteraction::FileKind kind)
{
    const QFileInfo chosen(path);
    if (path.isEmpty() || chosen.isDir() || chosen.fileName().contains(QLatin1Char('.')))
        return path;
    return path + QLatin1Char('.') + defaultExtension(kind);
}

} // namespace

FileCommands::FileCommands(Document &doc, UserInteraction &ui, QObject *parent)
    : QObject(parent), m_doc(doc), m_ui(ui)
{
    connect(&m_doc, &Document::currentFileChanged, this,
            [this] { Q_EMIT captionChanged(caption()); });
}

QString FileCommands::caption() const
{
    const QString path = m_doc.currentFile();
    const QString title = shownText(kProgramTexts, applicationTitle());
    if (path.isEmpty())
        return title;
    return QFileInfo(path).fileName() + QLatin1String(" - ") + title;
}

bool FileCommands::promptSaveChanges()
{
    if (!m_doc.isChanged())
        return true;
    switch (m_ui.askSaveChanges()) {
    case UserInteraction::Answer::Yes:
        return Save();
    case UserInteraction::Answer::No:
        return true;
    case UserInteraction::Answer::Cancel:
        break;
    }
    return false;
}

bool FileCommands::succeeded(FileError error)
{
    if (error == FileError::None)
        return true;
    m_ui.showError(fileErrorText(error));
    return false;
}

QString FileCommands::chooseFileToLoad(UserInteraction::FileKind kind, const QString &folder)
{
    if (m_doc.isBusy() || !promptSaveChanges())
        return {};
    return folder.isEmpty() ? m_ui.chooseOpenFile(kind) : m_ui.chooseOpenFileIn(kind, folder);
}

bool FileCommands::New()
{
    if (m_doc.isBusy() || !promptSaveChanges())
        return false;
    m_doc.resetToNew();
    Q_EMIT tablesReplaced();
    m_doc.setCurrentFile(QString());
    m_doc.setChanged(false);
    m_doc.startFreshHistory();
    return true;
}

bool FileCommands::Open()
{
    return openCloneFile(chooseFileToLoad(UserInteraction::FileKind::Clone));
}

bool FileCommands::OpenBackup()
{
    // Made at once, so that the chooser shows the folder even before the first read.
    const QString folder = backupsFolder();
    QDir().mkpath(folder);
    return openCloneFile(chooseFileToLoad(UserInteraction::FileKind::Clone, folder));
}

bool FileCommands::openCloneFile(const QString &path)
{
    if (path.isEmpty() || !succeeded(readCloneFile(path, m_doc)))
        return false;
    Q_EMIT tablesReplaced();
    m_doc.setCurrentFile(path);
    m_doc.setChanged(false);
    Q_EMIT cloneFileUsed(path);
    m_doc.startFreshHistory();
    return true;
}

bool FileCommands::OpenFile(const QString &path)
{
    if (m_doc.isBusy())
        return false;
    // Told before the prompt: there is nothing to save the changes for.
    if (!QFileInfo(path).isFile())
        return succeeded(FileError::FileOpenError);
    return promptSaveChanges() && openCloneFile(path);
}

bool FileCommands::Import()
{
    if (m_doc.isBusy() || !promptSaveChanges())
        return false;
    CsvFormat format = CsvFormat::Own;
    const QString path = m_ui.chooseCsvOpenFile(format);
    return importFrom(path, format);
}

bool FileCommands::ImportFile(const QString &path, CsvFormat format)
{
    if (m_doc.isBusy() || !promptSaveChanges())
        return false;
    return importFrom(path, format);
}

bool FileCommands::importFrom(const QString &path, CsvFormat format)
{
    CsvImportReport report;
    if (path.isEmpty())
        return false;
    // A file chosen under the other layout's type is read by what its header line names.
    format = csvFormatOfFile(path, format);
    FileError error = FileError::None;
    m_doc.recordStep(QCoreApplication::translate("hxv5::FileCommands", "Import"), [&] {
        error = format == CsvFormat::Chirp ? importChirpCsv(path, m_doc, report)
                                           : importCsv(path, m_doc, report);
        return error == FileError::None;
    });
    if (!succeeded(error))
        return false;
    // A CHIRP file comes from another radio's world, so its import always says what it took.
    if (format == CsvFormat::Chirp || report.taken == 0 || !report.skipped.isEmpty() ||
        !report.changed.isEmpty())
        m_ui.showImportReport(report);
    if (report.taken == 0)
        return false;
    Q_EMIT tablesReplaced();
    // A CSV file only fills the tables: there is no clone file to save back to, and what was
    // merged is in no file until it is saved.
    m_doc.setCurrentFile(QString());
    m_doc.setChanged(true);
    return true;
}

bool FileCommands::Compare(QList<ImageDifference> &differences)
{
    if (m_doc.isBusy())
        return false;
    const QString path = m_ui.chooseOpenFile(UserInteraction::FileKind::Clone);
    return !path.isEmpty() && succeeded(compareWithCloneFile(m_doc, path, differences));
}

bool FileCommands::saveTo(const QString &path)
{
    if (!succeeded(writeCloneFile(path, m_doc)))
        return false;
    m_doc.setCurrentFile(path);
    m_doc.setChanged(false);
    Q_EMIT cloneFileUsed(path);
    return true;
}

bool FileCommands::Save()
{
    if (m_doc.isBusy())
        return false;
    if (m_doc.currentFile().isEmpty())
        return SaveAs();
    return saveTo(m_doc.currentFile());
}

bool FileCommands::SaveAs()
{
    if (m_doc.isBusy())
        return false;
    const QString path = withDefaultExtension(m_ui.chooseSaveFile(UserInteraction::FileKind::Clone),
                                              UserInteraction::FileKind::Clone);
    return !path.isEmpty() && saveTo(path);
}

bool FileCommands::Export()
{
    if (m_doc.isBusy())
        return false;
    CsvFormat format = CsvFormat::Own;
    const QString path =
        withDefaultExtension(m_ui.chooseCsvSaveFile(format), UserInteraction::FileKind::Csv);
    if (path.isEmpty())
        return false;
    if (format == CsvFormat::Own)
        return succeeded(exportCsv(path, m_doc));
    QStringList notes;
    if (!succeeded(exportChirpCsv(path, m_doc, &notes)))
        return false;
    if (!notes.isEmpty())
        m_ui.showExportReport(notes);
    return true;
}

bool FileCommands::queryClose()
{
    // Closing under a running transfer would pull the document away from it.
    if (m_doc.isBusy())
        return false;
    return promptSaveChanges();
}

} // namespace hxv5
