#include "editing/list_operations.h"

#include "editing/edit_target.h"

namespace hxv5 {

namespace {
constexpr int kLastChannel = kChannelCount - 1;
constexpr int kGridRows = kSlotCount; // grid rows 1..213 show slots 0..212
constexpr int kVisibleRows = 13;
} // namespace

ChannelListOperations::ChannelListOperations(EditTarget &document, Confirm confirm)
    : m_document(document), m_confirm(std::move(confirm))
{
}

QString ChannelListOperations::clearText()
{
    return QStringLiteral("Clear cannot be undone.\r\nAre you sure that you want to do the clear?");
}

QString ChannelListOperations::clearAllText()
{
    return QStringLiteral(
        "Clear cannot be undone.\r\nAre you sure that you want to clear all memory?");
}

QString ChannelListOperations::deleteText()
{
    return QStringLiteral(
        "Delete cannot be undone.\r\nAre you sure that you want to do the delete?");
}

bool ChannelListOperations::confirmed(const QString &title, const QString &text) const
{
    return m_confirm && m_confirm(title, text);
}

void ChannelListOperations::emptySlot(int slot)
{
    m_document.channels().setSlot(slot, TableRow(), false);
}

bool ChannelListOperations::Clear(int slot)
{
    if (m_document.isBusy() || slot < 0 || slot >= kSlotCount)
        return false;
    if (!confirmed(QStringLiteral("CLEAR OK"), clearText()))
        return false;
    m_document.setChanged(true);
    emptySlot(slot);
    return true;
}

bool ChannelListOperations::ClearAll()
{
    if (m_document.isBusy())
        return false;
    if (!confirmed(QStringLiteral("CLEAR OK"), clearAllText()))
        return false;
    m_document.setChanged(true);
    m_document.channels().clearAll();
    return true;
}

bool ChannelListOperations::Delete(int slot)
{
    if (m_document.isBusy() || slot < 0 || slot > kLastChannel)
        return false;
    if (!confirmed(QStringLiteral("DELETE OK"), deleteText()))
        return false;
    m_document.setChanged(true);
    ChannelTable &channels = m_document.channels();
    for (int k = slot; k < kLastChannel; ++k)
        channels.setSlot(k, channels.row(k + 1), channels.isEnabled(k + 1));
    emptySlot(kLastChannel);
    return true;
}

bool ChannelListOperations::Insert(int slot)
{
    if (m_document.isBusy() || slot < 0 || slot >= kSlotCount)
        return false;
    // Insert marks the data changed even on a special row, where it does nothing else.
    m_document.setChanged(true);
    if (slot > kLastChannel)
        return true;
    ChannelTable &channels = m_document.channels();
    for (int k = kLastChannel; k > slot; --k)
        channels.setSlot(k, channels.row(k - 1), channels.isEnabled(k - 1));
    emptySlot(slot);
    return true;
}

bool ChannelListOperations::Disable(int slot)
{
    if (m_document.isBusy() || slot < 0 || slot >= kSlotCount)
        return false;
    m_document.setChanged(true);
    m_document.channels().setEnabled(slot, false);
    return true;
}

bool ChannelListOperations::DisableAll()
{
    if (m_document.isBusy())
        return false;
    m_document.setChanged(true);
    std::array<bool, kSlotCount> none{};
    m_document.channels().setEnableFlags(none);
    return true;
}

bool ChannelListOperations::Enable(int slot)
{
    if (m_document.isBusy() || slot < 0 || slot >= kSlotCount)
        return false;
    m_document.setChanged(true);
    // An empty slot keeps its flag as it is.
    if (m_document.channels().row(slot).holdsChannel())
        m_document.channels().setEnabled(slot, true);
    return true;
}

bool ChannelListOperations::EnableAll()
{
    if (m_document.isBusy())
        return false;
    m_document.setChanged(true);
    ChannelTable &channels = m_document.channels();
    std::array<bool, kSlotCount> flags = channels.enableFlags();
    for (int s = 0; s < kSlotCount; ++s) {
        if (channels.row(s).holdsChannel())
            flags[static_cast<size_t>(s)] = true;
    }
    channels.setEnableFlags(flags);
    return true;
}

GridScroll scrollDown(int current, int top)
{
    if (current < kGridRows)
        ++current;
    const bool visible = current >= top && current < top + kVisibleRows;
    if (visible) {
        if (current == kGridRows)
            top = kGridRows - kVisibleRows + 1;
    } else if (current < top) {
        top = current;
    } else {
        top = current - (kVisibleRows - 1);
    }
    return {current, top};
}

GridScroll scrollUp(int current, int top)
{
    if (current > 1)
        --current;
    if (current < top)
        top = current;
    else if (current >= top + kVisibleRows)
        top = current - (kVisibleRows - 1);
    return {current, top};
}

} // namespace hxv5
