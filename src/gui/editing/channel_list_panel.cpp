#include "editing/channel_list_panel.h"

#include "document/document.h"
#include "editing/channel_grid.h"
#include "files/row_clipboard.h"

#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>

namespace hxv5 {

ChannelListPanel::ChannelListPanel(Document &document, ChannelGrid &grid, QWidget *parent,
                                   ChannelListOperations::Confirm confirm)
    : QWidget(parent), m_document(document), m_grid(grid),
      m_confirm(
          confirm
              ? std::move(confirm)
              : [this](const QString &title,
                       const QString &text) { return confirmWithMessageBox(this, title, text); }),
      m_operations(document, m_confirm, [this](const QString &text) { Q_EMIT notice(text); })
{
    setObjectName(QStringLiteral("ChannelListPanel"));
    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    const struct
    {
        const char *name;
        const char *caption;
        void (ChannelListPanel::*slot)();
        bool changesTable;
    } buttons[] = {
        {"cmbClear", QT_TR_NOOP("Clear"), &ChannelListPanel::cmbClear_Click, true},
        {"cmbClAll", QT_TR_NOOP("Clear All"), &ChannelListPanel::cmbClAll_Click, true},
        {"cmbDelete", QT_TR_NOOP("Delete"), &ChannelListPanel::cmbDelete_Click, true},
        {"cmbInsert", QT_TR_NOOP("Insert"), &ChannelListPanel::cmbInsert_Click, true},
        {"cmbDisable", QT_TR_NOOP("Disable"), &ChannelListPanel::cmbDisable_Click, true},
        {"cmbDisAll", QT_TR_NOOP("Disable All"), &ChannelListPanel::cmbDisAll_Click, true},
        {"cmbEnable", QT_TR_NOOP("Enable"), &ChannelListPanel::cmbEnable_Click, true},
        {"cmbEnAll", QT_TR_NOOP("Enable All"), &ChannelListPanel::cmbEnAll_Click, true},
        {"Command5", QT_TR_NOOP("Up"), &ChannelListPanel::Command5_Click, false},
        {"Command4", QT_TR_NOOP("Down"), &ChannelListPanel::Command4_Click, false},
    };
    int i = 0;
    for (const auto &b : buttons) {
        QPushButton *button = addButton(b.name, tr(b.caption), b.slot);
        layout->addWidget(button, i % 2, i / 2);
        if (b.changesTable)
            m_changingButtons << button;
        ++i;
    }
    // While a transfer runs the table is the transfer's: the buttons that change it wait.
    auto followBusy = [this](bool busy) {
        for (QPushButton *button : std::as_const(m_changingButtons))
            button->setEnabled(!busy);
    };
    connect(&m_document, &Document::busyChanged, this, followBusy);
    followBusy(m_document.isBusy());

    // Rows the grid hides are never changed by the operations.
    m_operations.setShown([this](int slot) { return m_grid.isSlotShown(slot); });
    connect(&m_grid, &ChannelGrid::clearRequested, this, &ChannelListPanel::cmbClear_Click);
    connect(&m_grid, &ChannelGrid::moveRequested, this, &ChannelListPanel::moveRows);
}

QPushButton *ChannelListPanel::addButton(const char *name, const QString &caption,
                                         void (ChannelListPanel::*slot)())
{
    auto *button = new QPushButton(caption, this);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, slot);
    return button;
}

bool ChannelListPanel::confirmWithMessageBox(QWidget *parent, const QString &title,
                                             const QString &text)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok | QMessageBox::Cancel,
                    parent);
    box.setDefaultButton(QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    return box.exec() != QMessageBox::Cancel;
}

void ChannelListPanel::onCurrentRow(const std::function<bool(int)> &operation)
{
    const int slot = m_grid.currentSlot();
    if (operation(slot))
        m_grid.selectSlotInPlace(slot);
}

void ChannelListPanel::onSelectedRows(const std::function<bool(const QList<int> &)> &operation)
{
    const int current = m_grid.currentSlot();
    const QList<int> slots = m_grid.selectedSlots();
    if (operation(slots))
        m_grid.selectSlots(slots, current);
}

void ChannelListPanel::cmbClear_Click()
{
    onSelectedRows([this](const QList<int> &slots) { return m_operations.ClearRows(slots); });
}

void ChannelListPanel::cmbClAll_Click()
{
    onCurrentRow([this](int) { return m_operations.ClearAll(); });
}

void ChannelListPanel::cmbDelete_Click()
{
    onSelectedRows([this](const QList<int> &slots) { return m_operations.DeleteRows(slots); });
}

void ChannelListPanel::cmbInsert_Click()
{
    // The empty rows come selected, at the first selected channel.
    const QList<int> slots = m_grid.selectedSlots();
    const QList<int> blanks = m_operations.insertedSlots(slots);
    if (!m_operations.InsertRows(slots))
        return;
    if (blanks.isEmpty())
        m_grid.selectSlots(slots, m_grid.currentSlot());
    else
        m_grid.selectSlots(blanks, blanks.first());
}

void ChannelListPanel::cmbDisable_Click()
{
    onSelectedRows([this](const QList<int> &slots) { return m_operations.DisableRows(slots); });
}

void ChannelListPanel::cmbDisAll_Click()
{
    onCurrentRow([this](int) { return m_operations.DisableAll(); });
}

void ChannelListPanel::cmbEnable_Click()
{
    onSelectedRows([this](const QList<int> &slots) { return m_operations.EnableRows(slots); });
}

void ChannelListPanel::cmbEnAll_Click()
{
    onCurrentRow([this](int) { return m_operations.EnableAll(); });
}

void ChannelListPanel::Command5_Click()
{
    moveCurrentRow(false);
}

void ChannelListPanel::Command4_Click()
{
    moveCurrentRow(true);
}

void ChannelListPanel::moveCurrentRow(bool down)
{
    // Past the hidden rows to the next row shown, brought into view.
    if (m_grid.filter().hidesAny()) {
        const int next = m_grid.nextShownSlot(m_grid.currentSlot(), !down);
        if (next >= 0)
            m_grid.setCurrentSlot(next);
        return;
    }
    // Grid rows count from 1 for slot 0, as the scrolling rules do.
    const int current = m_grid.currentSlot() + 1;
    const int top = qMax(m_grid.rowAt(0), 0) + 1;
    const int shown = m_grid.shownRowCount();
    const GridScroll next = down ? scrollDown(current, top, shown) : scrollUp(current, top, shown);
    // The scrolling rule alone decides where the view goes.
    m_grid.selectSlotInPlace(next.currentRow - 1);
    m_grid.verticalScrollBar()->setValue(next.topRow - 1);
}

void ChannelListPanel::moveRows(bool down)
{
    const int current = m_grid.currentSlot();
    const QList<int> slots = m_grid.selectedSlots();
    const QList<int> shifted = m_operations.movedSlots(slots, down);
    const bool moved = down ? m_operations.MoveDown(slots) : m_operations.MoveUp(slots);
    if (!moved)
        return;
    // The current row goes where its channel went.
    const int currentTo = shifted.value(slots.indexOf(current), shifted.constFirst());
    m_grid.selectSlots(shifted, currentTo);
    m_grid.scrollTo(m_grid.model()->index(currentTo, 0));
}

void ChannelListPanel::copyRows()
{
    const QList<int> slots = m_grid.selectedSlots();
    auto *data = new QMimeData;
    data->setText(copiedRowsText(m_document.channels(), slots));
    data->setData(QStringLiteral("text/csv"), copiedRowsCsv(m_document.channels(), slots));
    QGuiApplication::clipboard()->setMimeData(data);
}

bool ChannelListPanel::cutRows()
{
    if (m_document.isBusy())
        return false;
    copyRows();
    const int current = m_grid.currentSlot();
    const QList<int> slots = m_grid.selectedSlots();
    if (!m_operations.ClearRowsWithoutAsking(slots))
        return false;
    m_grid.selectSlots(slots, current);
    return true;
}

bool ChannelListPanel::pasteRows(CsvImportReport &report)
{
    const QList<int> slots = m_grid.selectedSlots();
    const int first = slots.isEmpty() ? m_grid.currentSlot() : slots.first();
    const QString text = QGuiApplication::clipboard()->text();
    const auto shown = [this](int slot) { return m_grid.isSlotShown(slot); };
    if (!hxv5::pasteRows(m_document, text, first, m_confirm, report, shown))
        return false;
    QList<int> pasted;
    for (int slot = first;
         slot < kSlotCount && pasted.size() < report.taken + report.skipped.size(); ++slot) {
        if (shown(slot))
            pasted.append(slot);
    }
    m_grid.selectSlots(pasted, first);
    return true;
}

} // namespace hxv5
