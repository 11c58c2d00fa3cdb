#pragma once

#include "base/user_interaction.h"
#include "files/clone_file.h"
#include "files/image_compare.h"

#include <QList>

#include <QObject>
#include <QString>

namespace hxv5 {

class Document;

// The extension a name chosen for saving is given when it has none: "TV5" for clone files, "csv"
// for CSV files (the CHIRP layout included).
QString defaultExtension(UserInteraction::FileKind kind);

// The File menu's commands on a document: New, Open, Save, Save As, Import and Export, the
// save-changes prompt they share with closing the window, and the window caption that names the
// current file. File choosers and message boxes are reached through UserInteraction.
//
// The current file, the changed flag and the caption change together, and only at the end of a
// command that succeeded; a failed or cancelled command leaves all three as they were. Every
// command refuses (returns false at once) while a transfer with the radio runs.
class FileCommands : public QObject
{
    Q_OBJECT
public:
    FileCommands(Document &doc, UserInteraction &ui, QObject *parent = nullptr);

    // "name - Tormel HX-V5 Clone Utility" with the current file's name, or the title alone.
    QString caption() const;

public Q_SLOTS:
    // A new, empty image: the default settings of the selected model variant, the VFO band
    // defaults, every slot empty and disabled; no current file.
    bool New();
    // Asks for a clone file and reads it; a file that fails its tests changes nothing.
    bool Open();
    // As Open, with the chooser in the folder of the backups kept of every read from the radio.
    bool OpenBackup();
    // Writes the current file, or asks for a name like SaveAs when there is none.
    bool Save();
    // Asks for a name; one without an extension is given ".TV5", as Export's is given ".csv".
    bool SaveAs();
    // Opens the clone file at path, after the save-changes prompt: a file dropped on the window,
    // named on the command line or chosen among the recent files. A path that names no file is
    // "File Open Error" at once, without the prompt.
    bool OpenFile(const QString &path);
    // Asks for a CSV file, in the program's own format or CHIRP's, and merges its rows into the
    // tables; no current file afterwards, and the changed flag set, for the merged tables are in
    // no file yet. The report is shown after every CHIRP import, and after one of the own format
    // when rows were skipped or none was taken; a file that gives no row changes nothing at all.
    bool Import();
    // The same for a CSV file already chosen (dropped on the window): the prompt, then the file.
    bool ImportFile(const QString &path, CsvFormat format);
    // Asks for a name and writes the tables as CSV in the chosen format; for CHIRP's, the
    // channels written otherwise than the tables hold them are shown. The current file, the
    // caption and the changed flag stay as they are: the CSV file is not a clone file.
    bool Export();

    // Asks for a clone file and lists in differences every field in which it differs from the
    // document; true when the file was read (a failure shows its message box). Nothing of the
    // document changes, so there is no save-changes prompt; refused while a transfer runs.
    bool Compare(QList<ImageDifference> &differences);

    // The save-changes step of closing the window: true when the window may close (never while
    // a transfer runs, which would lose the document under it).
    bool queryClose();

    // The save-changes prompt before New, Open, Import, a read from the radio and closing, shown
    // only while the changed flag is set: true when the operation may go on. Yes goes on only
    // when the save was done; a cancelled file chooser or a failed save keeps the unsaved data
    // and stops the operation.
    bool promptSaveChanges();

Q_SIGNALS:
    void captionChanged(const QString &caption);
    // The tables were replaced as a whole: the window redraws both grids and makes the first
    // channel row current.
    void tablesReplaced();
    // A clone file was opened or saved under path: the recent files follow it.
    void cloneFileUsed(const QString &path);

private:
    bool saveTo(const QString &path);
    bool openCloneFile(const QString &path);
    // Import's reading of a chosen file, shared by the chooser and a dropped file.
    bool importFrom(const QString &path, CsvFormat format);
    // What Open and Import ask before reading: the prompt, then the chooser; an empty text when
    // the command stops there.
    QString chooseFileToLoad(UserInteraction::FileKind kind, const QString &folder = QString());
    // True for None; otherwise shows the failure's message box and gives false.
    bool succeeded(FileError error);

    Document &m_doc;
    UserInteraction &m_ui;
};

} // namespace hxv5
