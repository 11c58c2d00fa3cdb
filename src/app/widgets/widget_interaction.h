#pragma once

#include "app/user_interaction.h"

class QWidget;

namespace hxv5 {

// The window's side of UserInteraction: modal message boxes and the desktop's file choosers,
// owned by the given window.
class WidgetInteraction : public UserInteraction
{
public:
    explicit WidgetInteraction(QWidget *owner) : m_owner(owner) {}

    void showError(const QString &text) override;
    Answer askSaveChanges() override;
    QString chooseOpenFile(FileKind kind) override;
    QString chooseSaveFile(FileKind kind) override;

private:
    QWidget *m_owner;
};

// The chooser's filter list for a kind of file, in the form the file dialog takes.
QString fileFilter(UserInteraction::FileKind kind);

} // namespace hxv5
