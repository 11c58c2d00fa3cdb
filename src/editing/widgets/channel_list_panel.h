#pragma once

#include "editing/list_operations.h"

#include <QWidget>

#include <functional>

class QPushButton;

namespace hxv5 {

class ChannelGrid;
class Document;

// The ten list buttons of the "Memorys" page: Clear, Clear All, Delete, Insert, Disable,
// Disable All, Enable, Enable All, Up and Down. They act on the channel grid's current row
// through the core's list operations; the grid redraws from the table's notifications.
class ChannelListPanel : public QWidget
{
    Q_OBJECT
public:
    // confirm asks the user (title, text) with OK and Cancel; a warning box with Cancel as the
    // default button when empty.
    ChannelListPanel(Document &document, ChannelGrid &grid, QWidget *parent = nullptr,
                     ChannelListOperations::Confirm confirm = {});

    // The confirmation as the desktop shows it: OK and Cancel, the warning icon, Cancel the
    // default; closing the box counts as Cancel.
    static bool confirmWithMessageBox(QWidget *parent, const QString &title, const QString &text);

public Q_SLOTS:
    void cmbClear_Click();
    void cmbClAll_Click();
    void cmbDelete_Click();
    void cmbInsert_Click();
    void cmbDisable_Click();
    void cmbDisAll_Click();
    void cmbEnable_Click();
    void cmbEnAll_Click();
    void Command5_Click(); // Up
    void Command4_Click(); // Down

private:
    QPushButton *addButton(const char *name, const QString &caption,
                           void (ChannelListPanel::*slot)());
    // Runs an operation on the current row's slot; afterwards that row is current again,
    // selected across the data columns, and the view has not moved.
    void onCurrentRow(const std::function<bool(int)> &operation);
    void moveCurrentRow(bool down);

    Document &m_document;
    ChannelGrid &m_grid;
    ChannelListOperations m_operations;
    QList<QPushButton *> m_changingButtons;
};

} // namespace hxv5
