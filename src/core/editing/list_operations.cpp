#include "editing/list_operations.h"

#include "editing/edit_target.h"

#include <algorithm>

namespace hxv5 {

namespace {
constexpr int kLastChannel = kChannelCount - 1;
constexpr int kGridRows = kSlotCount; // grid rows 1..213 show slots 0..212
} // namespace

ChannelListOperations::ChannelListOperations(EditTarget &document, Confirm confirm, Notify notify)
    : m_document(document), m_confirm(std::move(confirm)), m_notify(std::move(notify))
{
}

namespace {

// The confirmations' first line: every operation is a step of the history.
QString confirmationText(const QString &question)
{
    return ChannelListOperations::tr("Edit ▸ Undo brings the rows back.") + QLatin1String("\r\n") +
           question;
}

} // namespace

QString ChannelListOperations::clearText()
{
    return confirmationText(tr("Are you sure that you want to do the clear?"));
}

QString ChannelListOperations::clearAllText()
{
    return confirmationText(tr("Are you sure that you want to clear all memory?"));
}

QString ChannelListOperations::deleteText()
{
    return confirmationText(tr("Are you sure that you want to do the delete?"));
}

bool ChannelListOperations::confirmed(const QString &title, const QString &text) const
{
    return m_confirm && m_confirm(title, text);
}

void ChannelListOperations::emptySlot(int slot)
{
    m_document.channels().setSlot(slot, TableRow(), false);
}

bool ChannelListOperations::record(const char *text, const std::function<bool()> &change)
{
    return m_document.recordStep(tr(text), change);
}

namespace {

bool isSlot(int slot)
{
    return slot >= 0 && slot < kSlotCount;
}

bool isChannel(int slot)
{
    return slot >= 0 && slot <= kLastChannel;
}

// The slots of a selection that pass the test, each once, in ascending order.
QList<int> sortedSlots(const QList<int> &slots, bool (*keep)(int))
{
    QList<int> kept;
    for (int slot : slots) {
        if (keep(slot) && !kept.contains(slot))
            kept.append(slot);
    }
    std::sort(kept.begin(), kept.end());
    return kept;
}

} // namespace

bool ChannelListOperations::Clear(int slot)
{
    return isSlot(slot) && ClearRows({slot});
}

bool ChannelListOperations::ClearRows(const QList<int> &slots)
{
    const QList<int> rows = sortedSlots(slots, isSlot);
    if (m_document.isBusy() || rows.isEmpty())
        return false;
    return record(QT_TR_NOOP("Clear"), [&] {
        if (!confirmed(tr("CLEAR OK"), clearText()))
            return false;
        return ClearRowsWithoutAsking(rows);
    });
}

bool ChannelListOperations::ClearRowsWithoutAsking(const QList<int> &slots)
{
    const QList<int> rows = sortedSlots(slots, isSlot);
    if (m_document.isBusy() || rows.isEmpty())
        return false;
    return record(QT_TR_NOOP("Cut"), [&] {
        m_document.setChanged(true);
        for (int slot : rows)
            emptySlot(slot);
        return true;
    });
}

bool ChannelListOperations::ClearAll()
{
    if (m_document.isBusy())
        return false;
    return record(QT_TR_NOOP("Clear All"), [this] {
        if (!confirmed(tr("CLEAR OK"), clearAllText()))
            return false;
        m_document.setChanged(true);
        m_document.channels().clearAll();
        return true;
    });
}

void ChannelListOperations::deleteOne(int slot)
{
    ChannelTable &channels = m_document.channels();
    for (int k = slot; k < kLastChannel; ++k)
        channels.setSlot(k, channels.row(k + 1), channels.isEnabled(k + 1));
    emptySlot(kLastChannel);
}

bool ChannelListOperations::Delete(int slot)
{
    return isChannel(slot) && DeleteRows({slot});
}

bool ChannelListOperations::DeleteRows(const QList<int> &slots)
{
    const QList<int> rows = sortedSlots(slots, isChannel);
    if (m_document.isBusy() || rows.isEmpty())
        return false;
    return record(QT_TR_NOOP("Delete"), [&] {
        if (!confirmed(tr("DELETE OK"), deleteText()))
            return false;
        m_document.setChanged(true);
        // From the bottom up, so that each slot still holds the channel that was selected.
        for (auto it = rows.crbegin(); it != rows.crend(); ++it)
            deleteOne(*it);
        return true;
    });
}

QList<int> ChannelListOperations::insertedSlots(const QList<int> &slots)
{
    const QList<int> channels = sortedSlots(slots, isChannel);
    QList<int> blanks;
    for (int i = 0; i < channels.size(); ++i)
        blanks.append(channels.first() + i);
    return blanks;
}

namespace {

// "Channel 199 "LAST" pushed out; ...": a few of the channels by number and name, and how many
// more there are.
QString pushedOutText(const ChannelTable &channels, const QList<int> &pushed)
{
    constexpr int kNamed = 3;
    QStringList named;
    for (int slot : pushed.mid(0, kNamed)) {
        const QString name = channels.text(slot, kColNotes);
        named << (name.isEmpty() ? QString::number(slot)
                                 : QStringLiteral("%1 \"%2\"").arg(slot).arg(name));
    }
    const QString list = named.join(QLatin1String(", "));
    if (pushed.size() == 1)
        return ChannelListOperations::tr("Channel %1 pushed out; Undo brings it back").arg(list);
    if (pushed.size() <= kNamed)
        return ChannelListOperations::tr("Channels %1 pushed out; Undo brings them back").arg(list);
    return ChannelListOperations::tr("Channels %1 and %2 more pushed out; Undo brings them back")
        .arg(list)
        .arg(pushed.size() - kNamed);
}

} // namespace

void ChannelListOperations::insertBlanks(int first, int count)
{
    ChannelTable &channels = m_document.channels();
    QList<int> pushed;
    for (int k = kChannelCount - count; k <= kLastChannel; ++k) {
        if (channels.row(k).holdsChannel())
            pushed.append(k);
    }
    if (!pushed.isEmpty())
        m_notice = pushedOutText(channels, pushed);
    for (int k = kLastChannel; k >= first + count; --k)
        channels.setSlot(k, channels.row(k - count), channels.isEnabled(k - count));
    for (int k = first; k < first + count; ++k)
        emptySlot(k);
}

bool ChannelListOperations::Insert(int slot)
{
    return isSlot(slot) && InsertRows({slot});
}

bool ChannelListOperations::InsertRows(const QList<int> &slots)
{
    if (m_document.isBusy() || sortedSlots(slots, isSlot).isEmpty())
        return false;
    const QList<int> blanks = insertedSlots(slots);
    m_notice.clear();
    const bool done = record(QT_TR_NOOP("Insert"), [&] {
        // Insert marks the data changed even on a special row, where it does nothing else.
        m_document.setChanged(true);
        if (!blanks.isEmpty())
            insertBlanks(blanks.first(), static_cast<int>(blanks.size()));
        return true;
    });
    if (done && !m_notice.isEmpty() && m_notify)
        m_notify(m_notice);
    return done;
}

bool ChannelListOperations::Disable(int slot)
{
    return isSlot(slot) && DisableRows({slot});
}

bool ChannelListOperations::DisableRows(const QList<int> &slots)
{
    const QList<int> rows = sortedSlots(slots, isSlot);
    if (m_document.isBusy() || rows.isEmpty())
        return false;
    return record(QT_TR_NOOP("Disable"), [&] {
        m_document.setChanged(true);
        for (int slot : rows)
            m_document.channels().setEnabled(slot, false);
        return true;
    });
}

bool ChannelListOperations::DisableAll()
{
    if (m_document.isBusy())
        return false;
    return record(QT_TR_NOOP("Disable All"), [this] {
        m_document.setChanged(true);
        std::array<bool, kSlotCount> none{};
        m_document.channels().setEnableFlags(none);
        return true;
    });
}

bool ChannelListOperations::Enable(int slot)
{
    return isSlot(slot) && EnableRows({slot});
}

bool ChannelListOperations::EnableRows(const QList<int> &slots)
{
    const QList<int> rows = sortedSlots(slots, isSlot);
    if (m_document.isBusy() || rows.isEmpty())
        return false;
    return record(QT_TR_NOOP("Enable"), [&] {
        m_document.setChanged(true);
        // An empty slot keeps its flag as it is.
        for (int slot : rows) {
            if (m_document.channels().row(slot).holdsChannel())
                m_document.channels().setEnabled(slot, true);
        }
        return true;
    });
}

bool ChannelListOperations::EnableAll()
{
    if (m_document.isBusy())
        return false;
    return record(QT_TR_NOOP("Enable All"), [this] {
        m_document.setChanged(true);
        ChannelTable &channels = m_document.channels();
        std::array<bool, kSlotCount> flags = channels.enableFlags();
        for (int s = 0; s < kSlotCount; ++s) {
            if (channels.row(s).holdsChannel())
                flags[static_cast<size_t>(s)] = true;
        }
        channels.setEnableFlags(flags);
        return true;
    });
}

bool ChannelListOperations::MoveUp(const QList<int> &slots)
{
    return move(slots, -1);
}

bool ChannelListOperations::MoveDown(const QList<int> &slots)
{
    return move(slots, 1);
}

bool ChannelListOperations::move(const QList<int> &slots, int by)
{
    const QList<int> rows = sortedSlots(slots, isSlot);
    if (m_document.isBusy() || rows.isEmpty() || rows.size() != sortedSlots(rows, isChannel).size())
        return false;
    if (!isChannel(by < 0 ? rows.first() + by : rows.last() + by))
        return false;
    return record(by < 0 ? "Move Up" : "Move Down", [&] {
        m_document.setChanged(true);
        ChannelTable &channels = m_document.channels();
        // Each channel changes place with its neighbour, the one nearest the goal first, so
        // that a group moves as one and the neighbour ends up behind it.
        const auto swap = [&](int slot) {
            const int other = slot + by;
            const TableRow row = channels.row(other);
            const bool enabled = channels.isEnabled(other);
            channels.setSlot(other, channels.row(slot), channels.isEnabled(slot));
            channels.setSlot(slot, row, enabled);
        };
        if (by < 0) {
            for (int slot : rows)
                swap(slot);
        } else {
            for (auto it = rows.crbegin(); it != rows.crend(); ++it)
                swap(*it);
        }
        return true;
    });
}

GridScroll scrollDown(int current, int top, int visibleRows)
{
    if (current < kGridRows)
        ++current;
    const bool visible = current >= top && current < top + visibleRows;
    if (visible) {
        if (current == kGridRows)
            top = kGridRows - visibleRows + 1;
    } else if (current < top) {
        top = current;
    } else {
        top = current - (visibleRows - 1);
    }
    return {current, top};
}

GridScroll scrollUp(int current, int top, int visibleRows)
{
    if (current > 1)
        --current;
    if (current < top)
        top = current;
    else if (current >= top + visibleRows)
        top = current - (visibleRows - 1);
    return {current, top};
}

} // namespace hxv5
