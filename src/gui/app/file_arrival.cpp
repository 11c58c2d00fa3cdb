#include "app/file_arrival.h"

#include "files/chirp_csv.h"
#include "files/file_commands.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace hxv5 {

ArrivingFile arrivingFileKind(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix();
    if (suffix.compare(QLatin1String("TV5"), Qt::CaseInsensitive) == 0)
        return ArrivingFile::Clone;
    if (suffix.compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0)
        return ArrivingFile::Csv;
    return ArrivingFile::Other;
}

QString droppedFilePath(const QMimeData &data)
{
    const QList<QUrl> urls = data.urls();
    if (urls.size() != 1 || !urls.first().isLocalFile())
        return {};
    const QString path = urls.first().toLocalFile();
    return arrivingFileKind(path) == ArrivingFile::Other ? QString() : path;
}

bool takeArrivingFile(FileCommands &files, const QString &path)
{
    switch (arrivingFileKind(path)) {
    case ArrivingFile::Clone:
        return files.OpenFile(path);
    case ArrivingFile::Csv:
        return files.ImportFile(path, isChirpCsvFile(path) ? CsvFormat::Chirp : CsvFormat::Own);
    case ArrivingFile::Other:
        break;
    }
    return false;
}

bool openCommandLineFile(FileCommands &files, const QStringList &arguments)
{
    return arguments.size() == 1 && files.OpenFile(arguments.first());
}

FileDropFilter::FileDropFilter(QWidget &window, FileCommands &files)
    : QObject(&window), m_files(files)
{
    window.setAcceptDrops(true);
    window.installEventFilter(this);
}

bool FileDropFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
        auto *drag = static_cast<QDragMoveEvent *>(event);
        if (drag->mimeData() && !droppedFilePath(*drag->mimeData()).isEmpty())
            drag->acceptProposedAction();
        else
            drag->ignore();
        return true;
    }
    if (event->type() == QEvent::Drop) {
        auto *drop = static_cast<QDropEvent *>(event);
        const QString path = drop->mimeData() ? droppedFilePath(*drop->mimeData()) : QString();
        if (path.isEmpty()) {
            drop->ignore();
            return true;
        }
        drop->acceptProposedAction();
        takeArrivingFile(m_files, path);
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace hxv5
