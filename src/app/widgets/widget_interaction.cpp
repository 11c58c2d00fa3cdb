#include "app/widgets/widget_interaction.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace hxv5 {

QString fileFilter(UserInteraction::FileKind kind)
{
    switch (kind) {
    case UserInteraction::FileKind::Clone:
        return QStringLiteral("Tormel HX-V5 Clone Files (*.TV5);;All Files (*.*)");
    case UserInteraction::FileKind::Csv:
        return QStringLiteral("CSV Files (*.csv);;All Files (*.*)");
    }
    return {};
}

void WidgetInteraction::showError(const QString &text)
{
    QMessageBox::critical(m_owner, QStringLiteral("ERROR"), text);
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

// The choosers leave the process's working directory as it is (QFileDialog never changes it),
// add no extension to a typed name, and give an empty text when cancelled.
QString WidgetInteraction::chooseOpenFile(FileKind kind)
{
    // Existing files only: the dialog refuses a name whose file or folder does not exist.
    const QString path =
        QFileDialog::getOpenFileName(m_owner, QString(), QString(), fileFilter(kind));
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return {};
    return path;
}

QString WidgetInteraction::chooseSaveFile(FileKind kind)
{
    // The dialog asks before an existing file is overwritten.
    return QFileDialog::getSaveFileName(m_owner, QString(), QString(), fileFilter(kind));
}

} // namespace hxv5
