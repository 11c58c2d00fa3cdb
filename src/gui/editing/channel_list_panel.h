#pragma once

#include "editing/list_operations.h"

#include <QWidget>

#include <functional>

class QPushButton;

namespace hxv5 {

class ChannelGrid;
struct CsvImportReport;
class Document;

// The ten list buttons of the "Memorys" page: Clear, Clear All, Delete, Insert, Disable,
// Disable All, Enable, Enable All, Up and Down. They act on the channel grid's selected rows
// through the core's list operations; the grid redraws from the table's notifications. The panel
// also holds what the keyboard and the Edit menu do with the selected rows: Delete (Clear),
// Ctrl+Up and Ctrl+Down (move), copy, cut and paste through the clipboard.
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

    // The selected channels one place up or down, the selection with them.
    void moveRows(bool down);
    // The selected rows onto the clipboard, as tab-separated text and as CSV.
    void copyRows();
    // Copy, then Clear without the question.
    bool cutRows();

public:
    // The clipboard's text into the slots from the current row down; report lists what was
    // skipped. False when nothing was stored.
    bool pasteRows(CsvImportReport &report);

Q_SIGNALS:
    // What an operation did besides what it was asked to, for the status bar: "Channel 199
    // "LAST" pushed out; Undo brings it back".
    void notice(const QString &text);

private:
    QPushButton *addButton(const char *name, const QString &caption,
                           void (ChannelListPanel::*slot)());
    // Runs an operation on the current row's slot; afterwards that row is current again,
    // selected across the data columns, and the view has not moved.
    void onCurrentRow(const std::function<bool(int)> &operation);
    // The same on every selected row; the selection stays as it was.
    void onSelectedRows(const std::function<bool(const QList<int> &)> &operation);
    void moveCurrentRow(bool down);

    Document &m_document;
    ChannelGrid &m_grid;
    ChannelListOperations::Confirm m_confirm;
    ChannelListOperations m_operations;
    QList<QPushButton *> m_changingButtons;
};

} // namespace hxv5
