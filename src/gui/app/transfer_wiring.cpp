#include "app/transfer_wiring.h"

#include "app/main_panels.h"
#include "app/main_status_bar.h"
#include "app/main_window.h"
#include "document/document.h"
#include "editing/channel_grid.h"
#include "editing/vfo_grid.h"
#include "files/file_commands.h"
#include "session/session.h"
#include "settings/settings_pages.h"

#include <QAction>
#include <QProgressBar>
#include <QPushButton>

namespace hxv5 {

namespace {

bool isRead(Transfers::Operation op)
{
    return op == Transfers::Operation::ReadMemory || op == Transfers::Operation::ReadSettings;
}

QString phaseText(Transfers::Phase phase, int blocks, bool changesOnly)
{
    switch (phase) {
    case Transfers::Phase::Idle:
        break;
    case Transfers::Phase::ReadingRadio:
        return TransferWiring::tr("Reading what the radio holds");
    case Transfers::Phase::Writing:
        if (blocks == 1)
            return changesOnly ? TransferWiring::tr("Writing 1 changed block")
                               : TransferWiring::tr("Writing 1 block");
        return (changesOnly ? TransferWiring::tr("Writing %1 changed blocks")
                            : TransferWiring::tr("Writing %1 blocks"))
            .arg(blocks);
    case Transfers::Phase::Verifying:
        return blocks == 1 ? TransferWiring::tr("Verifying 1 block")
                           : TransferWiring::tr("Verifying %1 blocks").arg(blocks);
    }
    return {};
}

} // namespace

TransferWiring::TransferWiring(MainWindow &window, Session &session, MainPanels &panels,
                               MainStatusBar &statusBar)
    : QObject(&window), m_window(window), m_session(session), m_document(session.document()),
      m_transfers(session.transfers()), m_panels(panels), m_statusBar(statusBar)
{
    SettingsPage1 *settings1 = m_panels.settings1();
    SettingsPage2 *settings2 = m_panels.settings2();
    connect(m_panels.cmbRxData(), &QPushButton::clicked, &window, &MainWindow::cmbRxData_Click);
    connect(m_panels.cmbTxData(), &QPushButton::clicked, &window, &MainWindow::cmbTxData_Click);
    connect(settings1->readButton(), &QPushButton::clicked, &window, &MainWindow::cmbRxData1_Click);
    connect(settings1->writeButton(), &QPushButton::clicked, &window,
            &MainWindow::cmbTxData1_Click);
    // The second page's buttons do the same as the first page's.
    connect(settings2->readButton(), &QPushButton::clicked, &window, &MainWindow::cmbRxData1_Click);
    connect(settings2->writeButton(), &QPushButton::clicked, &window,
            &MainWindow::cmbTxData1_Click);

    connect(&m_transfers, &Transfers::memoryBusyChanged, this,
            &TransferWiring::onMemoryBusyChanged);
    connect(&m_transfers, &Transfers::settingsBusyChanged, this,
            &TransferWiring::runningStateChanged);
    connect(&m_transfers, &Transfers::slotStarted, this, &TransferWiring::onSlotStarted);
    connect(&m_session, &Session::transferFinished, this, &TransferWiring::onTransferFinished);
    connect(&m_session, &Session::notice, &m_statusBar, &MainStatusBar::showNotice);
    connect(&m_transfers, &Transfers::phaseChanged, this, &TransferWiring::onPhaseChanged);
    connect(&m_transfers, &Transfers::phaseProgress, m_panels.progressBar(),
            &QProgressBar::setValue);

    // The transfer ends between two blocks. Esc does what the button does while it shows (the
    // button's own shortcut would click it only after its pressed look has shown).
    QPushButton *stop = m_panels.stopButton();
    auto *escape = new QAction(&window);
    escape->setObjectName(QStringLiteral("actStopTransfer"));
    escape->setShortcut(QKeySequence(Qt::Key_Escape));
    escape->setEnabled(false);
    window.addAction(escape);
    const auto stopTransfer = [this, stop, escape] {
        stop->setEnabled(false);
        escape->setEnabled(false);
        m_transfers.stop();
    };
    connect(stop, &QPushButton::clicked, this, stopTransfer);
    connect(escape, &QAction::triggered, this, stopTransfer);
    connect(&m_transfers, &Transfers::stopNotice, &m_statusBar, &MainStatusBar::showLastingNotice);

    connect(&m_transfers, &Transfers::runningChanged, this, [this, stop, escape](bool running) {
        stop->setVisible(m_transfers.canStop());
        stop->setEnabled(true);
        escape->setEnabled(m_transfers.canStop());
        if (running)
            m_writtenBefore = 0;
        if (!running) {
            m_memoryReadPending = false;
            m_memoryTabPending = false;
        }
        Q_EMIT runningStateChanged();
    });
}

bool TransferWiring::mayReadOverDocument()
{
    // A transfer that runs refuses the new one by itself; nothing to ask then.
    if (m_transfers.isRunning() || m_document.isBusy())
        return true;
    return m_session.fileCommands().promptSaveChanges();
}

void TransferWiring::readMemory()
{
    if (!mayReadOverDocument())
        return;
    m_memoryReadPending = true;
    m_transfers.readMemory();
}

void TransferWiring::writeMemory()
{
    m_memoryReadPending = false;
    m_transfers.writeMemory();
}

void TransferWiring::readSettings()
{
    if (!mayReadOverDocument())
        return;
    m_transfers.readSettings();
}

void TransferWiring::writeSettings()
{
    m_transfers.writeSettings();
}

void TransferWiring::leaveMemoryTab()
{
    if (m_window.selectedTab() == kTabMemory)
        m_window.selectTab(kTabSettings1);
}

void TransferWiring::menuReadSettings()
{
    leaveMemoryTab();
    m_window.cmbRxData1_Click();
}

void TransferWiring::menuReadMemory()
{
    m_window.selectTab(kTabMemory);
    m_window.cmbRxData_Click();
}

void TransferWiring::menuReadAll()
{
    // Settings first, then memory whatever the settings ended with; the "Memory" tab comes to the
    // front when the memory half starts.
    if (!mayReadOverDocument())
        return;
    leaveMemoryTab();
    m_memoryReadPending = true;
    m_memoryTabPending = true;
    m_transfers.readAll();
}

void TransferWiring::menuWriteSettings()
{
    leaveMemoryTab();
    m_window.cmbTxData1_Click();
}

void TransferWiring::menuWriteMemory()
{
    m_window.selectTab(kTabMemory);
    m_window.cmbTxData_Click();
}

void TransferWiring::menuWriteAll()
{
    leaveMemoryTab();
    m_memoryReadPending = false;
    m_memoryTabPending = true;
    m_transfers.writeAll();
}

QList<QPushButton *> TransferWiring::transferButtons() const
{
    return {m_panels.cmbRxData(),
            m_panels.cmbTxData(),
            m_panels.settings1()->readButton(),
            m_panels.settings1()->writeButton(),
            m_panels.settings2()->readButton(),
            m_panels.settings2()->writeButton()};
}

void TransferWiring::lockButtons(bool running)
{
    for (QPushButton *button : transferButtons())
        button->setEnabled(!running);
}

void TransferWiring::onPhaseChanged(Transfers::Phase phase, int blocks)
{
    QProgressBar *progressBar = m_panels.progressBar();
    m_phase = phase;
    if (phase == Transfers::Phase::Idle) {
        progressBar->setRange(0, kSlotCount - 1);
        progressBar->resetFormat();
        // The write has ended, and with it any memory half that showed the bar.
        progressBar->hide();
        return;
    }
    const QString text = phaseText(phase, blocks, m_transfers.writeOptions().changesOnly);
    progressBar->setRange(0, std::max(blocks - 1, 1));
    progressBar->setValue(0);
    progressBar->setFormat(text + QStringLiteral(" %p%"));
    progressBar->setTextVisible(true);
    progressBar->show();
    m_statusBar.showNotice(text);
}

void TransferWiring::onMemoryBusyChanged(bool busy)
{
    QProgressBar *progressBar = m_panels.progressBar();
    if (busy) {
        if (m_memoryTabPending) {
            m_memoryTabPending = false;
            m_window.selectTab(kTabMemory);
        }
        m_readingMemory = std::exchange(m_memoryReadPending, false);
        if (m_readingMemory)
            m_rowBeforeRead = m_panels.channelGrid()->currentSlot();
        // A safe write shows its phase in the bar instead of the slot.
        if (m_phase == Transfers::Phase::Idle) {
            progressBar->setValue(0);
            progressBar->show();
        }
    } else {
        if (m_phase == Transfers::Phase::Idle)
            progressBar->hide();
        if (m_readingMemory) {
            m_readingMemory = false;
            m_panels.channelGrid()->setCurrentSlot(m_rowBeforeRead);
        }
    }
    Q_EMIT runningStateChanged();
}

void TransferWiring::onTransferFinished(Transfers::Operation op, bool completed)
{
    const qsizetype writtenBefore =
        std::exchange(m_writtenBefore, m_transfers.writtenBlocks().size());
    if (!completed)
        return; // the stop has shown its message box, or its notice
    if (op == Transfers::Operation::ReadSettings)
        m_panels.vfoGrid()->setCurrentRow(0);
    QString notice = tr("%1 completed").arg(Transfers::operationName(op));
    const qsizetype sent = m_transfers.writtenBlocks().size() - writtenBefore;
    if (!isRead(op) && m_transfers.writeOptions().changesOnly) {
        notice += sent == 0   ? tr(": the radio held every block already")
                  : sent == 1 ? tr(": 1 changed block written")
                              : tr(": %1 changed blocks written").arg(sent);
    }
    // Completed with read-back: every block sent was read back as sent.
    if (!isRead(op) && m_transfers.writeOptions().verify && sent > 0)
        notice += tr(", verified");
    m_statusBar.showNotice(notice);
}

void TransferWiring::onSlotStarted(int slot)
{
    if (m_phase == Transfers::Phase::Idle)
        m_panels.progressBar()->setValue(slot);
    // The row being read is highlighted; the grid scrolls to keep it in view.
    if (m_readingMemory)
        m_panels.channelGrid()->setCurrentSlot(slot);
}

} // namespace hxv5
