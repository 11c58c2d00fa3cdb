#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QMimeData;
class QWidget;

namespace hxv5 {

class FileCommands;

// Files that come to the window from outside: dropped on it, or named on the command line (the
// desktop's "Open With").

// What a file is to the window, by its extension (case does not count): a clone file (.TV5) is
// opened, a CSV file (.csv) imported, anything else refused.
enum class ArrivingFile { Other, Clone, Csv };
ArrivingFile arrivingFileKind(const QString &path);

// The one local file of a drag that the window takes; empty when the drag carries none, more
// than one, or one of another kind.
QString droppedFilePath(const QMimeData &data);

// Opens a clone file (after the save-changes prompt) or imports a CSV file, in CHIRP's format
// when its first line is a CHIRP header; false for any other file, and when refused or failed.
bool takeArrivingFile(FileCommands &files, const QString &path);

// The program's arguments after its name: exactly one is a clone file to open; with none, or
// more than one, nothing is opened. True when a file was opened.
bool openCommandLineFile(FileCommands &files, const QStringList &arguments);

// Takes drops on a window: the drag is accepted only for a file droppedFilePath takes, and the
// drop goes to takeArrivingFile.
class FileDropFilter : public QObject
{
    Q_OBJECT
public:
    FileDropFilter(QWidget &window, FileCommands &files);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    FileCommands &m_files;
};

} // namespace hxv5
