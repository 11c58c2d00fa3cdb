#pragma once

#include "link/transfers.h"

#include <QList>
#include <QObject>

class QPushButton;

namespace hxv5 {

class Document;
class MainPanels;
class MainStatusBar;
class MainWindow;
class Session;

// Ties the transfers with the radio to the window: the Read and Write buttons of the memory page
// and of both settings pages, the Tool menu's transfer items, the progress bar, the highlighted row
// while Read Memory runs, the save-changes prompt before a read, the first VFO row after Read
// Settings and the "... completed" notices. What is kept and stored is the session's. While a
// transfer runs, every transfer button is off.
class TransferWiring : public QObject
{
    Q_OBJECT
public:
    TransferWiring(MainWindow &window, Session &session, MainPanels &panels,
                   MainStatusBar &statusBar);

    // The buttons' commands.
    void readMemory();
    void writeMemory();
    void readSettings();
    void writeSettings();
    // The Tool menu's: the settings items bring "Settings 1" forward only from the "Memory" tab;
    // the memory items always bring "Memory" forward.
    void menuReadSettings();
    void menuReadMemory();
    void menuReadAll();
    void menuWriteSettings();
    void menuWriteMemory();
    void menuWriteAll();

    // Every transfer button, not only those of the group that runs: the others would refuse a
    // click anyway, and the screen should say so.
    void lockButtons(bool running);

Q_SIGNALS:
    // A transfer started or ended: the window's commands follow.
    void runningStateChanged();

private:
    // The memory page's and both settings pages' Read and Write buttons.
    QList<QPushButton *> transferButtons() const;
    // A read replaces the tables or the settings: with unsaved changes the save-changes prompt
    // comes first (Yes saves, No reads, Cancel reads nothing).
    bool mayReadOverDocument();
    void leaveMemoryTab();
    void onMemoryBusyChanged(bool busy);
    void onTransferFinished(Transfers::Operation op, bool completed);
    void onSlotStarted(int slot);
    // Shows what a safe write is doing in the progress bar, in place of the slot.
    void onPhaseChanged(Transfers::Phase phase, int blocks);

    MainWindow &m_window;
    Session &m_session;
    Document &m_document;
    Transfers &m_transfers;
    MainPanels &m_panels;
    MainStatusBar &m_statusBar;

    // Set by the commands that include Read Memory: its rows are highlighted as they are read.
    bool m_memoryReadPending = false;
    bool m_readingMemory = false;
    // Set by the ALL commands: the memory half brings the "Memory" tab to the front.
    bool m_memoryTabPending = false;
    int m_rowBeforeRead = 0;
    Transfers::Phase m_phase = Transfers::Phase::Idle;
    // How many blocks the writes of this transfer had sent when its last half ended.
    qsizetype m_writtenBefore = 0;
};

} // namespace hxv5
