#include "editing/widgets/channel_list_panel.h"

#include "app/document.h"
#include "editing/widgets/channel_grid.h"

#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>

namespace hxv5 {

ChannelListPanel::ChannelListPanel(Document &document, ChannelGrid &grid, QWidget *parent,
                                   ChannelListOperations::Confirm confirm)
    : QWidget(parent), m_document(document), m_grid(grid),
      m_operations(
          document,
          confirm ? std::move(confirm) : [this](const QString &title, const QString &text) {
              return confirmWithMessageBox(this, title, text);
          })
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
        {"cmbClear", "Clear", &ChannelListPanel::cmbClear_Click, true},
        {"cmbClAll", "Clear All", &ChannelListPanel::cmbClAll_Click, true},
        {"cmbDelete", "Delete", &ChannelListPanel::cmbDelete_Click, true},
        {"cmbInsert", "Insert", &ChannelListPanel::cmbInsert_Click, true},
        {"cmbDisable", "Disable", &ChannelListPanel::cmbDisable_Click, true},
        {"cmbDisAll", "Disable All", &ChannelListPanel::cmbDisAll_Click, true},
        {"cmbEnable", "Enable", &ChannelListPanel::cmbEnable_Click, true},
        {"cmbEnAll", "Enable All", &ChannelListPanel::cmbEnAll_Click, true},
        {"Command5", "Up", &ChannelListPanel::Command5_Click, false},
        {"Command4", "Down", &ChannelListPanel::Command4_Click, false},
    };
    int i = 0;
    for (const auto &b : buttons) {
        QPushButton *button = addButton(b.name, QString::fromLatin1(b.caption), b.slot);
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

void ChannelListPanel::cmbClear_Click()
{
    onCurrentRow([this](int slot) { return m_operations.Clear(slot); });
}

void ChannelListPanel::cmbClAll_Click()
{
    onCurrentRow([this](int) { return m_operations.ClearAll(); });
}

void ChannelListPanel::cmbDelete_Click()
{
    onCurrentRow([this](int slot) { return m_operations.Delete(slot); });
}

void ChannelListPanel::cmbInsert_Click()
{
    onCurrentRow([this](int slot) { return m_operations.Insert(slot); });
}

void ChannelListPanel::cmbDisable_Click()
{
    onCurrentRow([this](int slot) { return m_operations.Disable(slot); });
}

void ChannelListPanel::cmbDisAll_Click()
{
    onCurrentRow([this](int) { return m_operations.DisableAll(); });
}

void ChannelListPanel::cmbEnable_Click()
{
    onCurrentRow([this](int slot) { return m_operations.Enable(slot); });
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
    // Grid rows count from 1 for slot 0, as the scrolling rules do.
    const int current = m_grid.currentSlot() + 1;
    const int top = qMax(m_grid.rowAt(0), 0) + 1;
    const GridScroll next = down ? scrollDown(current, top) : scrollUp(current, top);
    // The scrolling rule alone decides where the view goes.
    m_grid.selectSlotInPlace(next.currentRow - 1);
    m_grid.verticalScrollBar()->setValue(next.topRow - 1);
}

} // namespace hxv5
