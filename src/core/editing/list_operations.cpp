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

// Channel slot moves the channels below it up by one, channel 199 left empty.
void deleteOne(ChannelTable &channels, int slot)
{
    for (int k = slot; k < kLastChannel; ++k)
        channels.setSlot(k, channels.row(k + 1), channels.isEnabled(k + 1));
    channels.setSlot(kLastChannel, TableRow(), false);
}

// The channels from first down move count places down, past channel 199 and lost there; the
// count slots from first are left empty.
void shiftDown(ChannelTable &channels, int first, int count)
{
    for (int k = kLastChannel; k >= first + count; --k)
        channels.setSlot(k, channels.row(k - count), channels.isEnabled(k - count));
    for (int k = first; k < first + count; ++k)
        channels.setSlot(k, TableRow(), false);
}

} // namespace

int ChannelListOperations::hiddenCount() const
{
    int hidden = 0;
    for (int slot = 0; slot < kSlotCount; ++slot)
        hidden += isShown(slot) ? 0 : 1;
    return hidden;
}

QList<int> ChannelListOperations::shownSlots(const QList<int> &slots, bool (*keep)(int)) const
{
    QList<int> shown = sortedSlots(slots, keep);
    shown.removeIf([this](int slot) { return !isShown(slot); });
    return shown;
}

QList<int> ChannelListOperations::allShown() const
{
    QList<int> shown;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (isShown(slot))
            shown.append(slot);
    }
    return shown;
}

bool ChannelListOperations::changesHidden(const std::function<void(ChannelTable &)> &change) const
{
    if (hiddenCount() == 0)
        return false;
    const ChannelTable &real = m_document.channels();
    ChannelTable copy;
    for (int slot = 0; slot < kSlotCount; ++slot)
        copy.setSlot(slot, real.row(slot), real.isEnabled(slot));
    change(copy);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (!isShown(slot) &&
            (copy.row(slot) != real.row(slot) || copy.isEnabled(slot) != real.isEnabled(slot)))
            return true;
    }
    return false;
}

QString ChannelListOperations::hiddenRowsLine(qsizetype acted, const char *done) const
{
    const int hidden = hiddenCount();
    if (hidden == 0)
        return {};
    return tr("%1 hidden: only the %2 %3; the hidden rows stay as they are.")
        .arg(hidden == 1 ? tr("1 row is") : tr("%1 rows are").arg(hidden),
             acted == 1 ? tr("row shown is") : tr("%1 rows shown are").arg(acted), tr(done));
}

void ChannelListOperations::tellHiddenRows(bool went, qsizetype acted, const char *done)
{
    const QString line = went && m_notify ? hiddenRowsLine(acted, done) : QString();
    if (!line.isEmpty())
        m_notify(line);
}

QString ChannelListOperations::withHiddenRows(const QString &text, qsizetype acted,
                                              const char *done) const
{
    const QString line = hiddenRowsLine(acted, done);
    return line.isEmpty() ? text : line + QStringLiteral("\r\n") + text;
}

bool ChannelListOperations::Clear(int slot)
{
    return isSlot(slot) && ClearRows({slot});
}

bool ChannelListOperations::ClearRows(const QList<int> &slots)
{
    const QList<int> rows = shownSlots(slots, isSlot);
    if (m_document.isBusy() || rows.isEmpty())
        return false;
    return record(QT_TR_NOOP("Clear"), [&] {
        if (!confirmed(tr("CLEAR OK"),
                       withHiddenRows(clearText(), rows.size(), QT_TR_NOOP("cleared"))))
            return false;
        return ClearRowsWithoutAsking(rows);
    });
}

bool ChannelListOperations::ClearRowsWithoutAsking(const QList<int> &slots)
{
    const QList<int> rows = shownSlots(slots, isSlot);
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
    const QList<int> rows = allShown();
    return record(QT_TR_NOOP("Clear All"), [&] {
        if (!confirmed(tr("CLEAR OK"),
                       withHiddenRows(clearAllText(), rows.size(), QT_TR_NOOP("cleared"))))
            return false;
        m_document.setChanged(true);
        if (rows.size() == kSlotCount)
            m_document.channels().clearAll();
        else
            ClearRowsWithoutAsking(rows);
        return true;
    });
}

bool ChannelListOperations::Delete(int slot)
{
    return isChannel(slot) && DeleteRows({slot});
}

bool ChannelListOperations::DeleteRows(const QList<int> &slots)
{
    const QList<int> rows = shownSlots(slots, isChannel);
    if (m_document.isBusy() || rows.isEmpty())
        return false;
    // From the bottom up, so that each slot still holds the channel that was selected.
    const auto moveUp = [&rows](ChannelTable &channels) {
        for (auto it = rows.crbegin(); it != rows.crend(); ++it)
            deleteOne(channels, *it);
    };
    // Moving the rows below up would change a hidden row: the channels are emptied in place.
    const bool inPlace = changesHidden(moveUp);
    const QString text = inPlace ? withHiddenRows(deleteText(), rows.size(),
                                                  QT_TR_NOOP("emptied in place (the rows below do "
                                                             "not move up)"))
                                 : withHiddenRows(deleteText(), rows.size(), QT_TR_NOOP("deleted"));
    return record(QT_TR_NOOP("Delete"), [&] {
        if (!confirmed(tr("DELETE OK"), text))
            return false;
        m_document.setChanged(true);
        if (!inPlace)
            moveUp(m_document.channels());
        for (int slot : inPlace ? rows : QList<int>())
            emptySlot(slot);
        return true;
    });
}

QList<int> ChannelListOperations::insertedSlots(const QList<int> &slots) const
{
    const QList<int> channels = shownSlots(slots, isChannel);
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
        .arg(list, QString::number(pushed.size() - kNamed));
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
    shiftDown(channels, first, count);
}

bool ChannelListOperations::Insert(int slot)
{
    return isSlot(slot) && InsertRows({slot});
}

bool ChannelListOperations::InsertRows(const QList<int> &slots)
{
    if (m_document.isBusy() || shownSlots(slots, isSlot).isEmpty())
        return false;
    const QList<int> blanks = insertedSlots(slots);
    if (!blanks.isEmpty() && changesHidden([&blanks](ChannelTable &channels) {
            shiftDown(channels, blanks.first(), static_cast<int>(blanks.size()));
        })) {
        if (m_notify)
            m_notify(tr("Insert would move hidden rows: show every row (the find bar's filter "
                        "off, View ▸ Hide Empty Slots unticked) to insert here."));
        return false;
    }
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
    const QList<int> rows = shownSlots(slots, isSlot);
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
    const QList<int> rows = allShown();
    const bool done = record(QT_TR_NOOP("Disable All"), [&] {
        m_document.setChanged(true);
        std::array<bool, kSlotCount> flags = m_document.channels().enableFlags();
        for (int slot : rows)
            flags[static_cast<size_t>(slot)] = false;
        m_document.channels().setEnableFlags(flags);
        return true;
    });
    tellHiddenRows(done, rows.size(), QT_TR_NOOP("disabled"));
    return done;
}

bool ChannelListOperations::Enable(int slot)
{
    return isSlot(slot) && EnableRows({slot});
}

bool ChannelListOperations::EnableRows(const QList<int> &slots)
{
    const QList<int> rows = shownSlots(slots, isSlot);
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
    const QList<int> rows = allShown();
    const bool done = record(QT_TR_NOOP("Enable All"), [&] {
        m_document.setChanged(true);
        ChannelTable &channels = m_document.channels();
        std::array<bool, kSlotCount> flags = channels.enableFlags();
        for (int slot : rows) {
            if (channels.row(slot).holdsChannel())
                flags[static_cast<size_t>(slot)] = true;
        }
        channels.setEnableFlags(flags);
        return true;
    });
    tellHiddenRows(done, rows.size(), QT_TR_NOOP("enabled"));
    return done;
}

bool ChannelListOperations::MoveUp(const QList<int> &slots)
{
    return move(slots, -1);
}

bool ChannelListOperations::MoveDown(const QList<int> &slots)
{
    return move(slots, 1);
}

QList<int> ChannelListOperations::movedSlots(const QList<int> &slots, bool down) const
{
    // The channels move among the channel rows shown, as if the hidden ones were not there.
    QList<int> places = allShown();
    places.removeIf([](int slot) { return !isChannel(slot); });
    const QList<int> rows = sortedSlots(slots, isSlot);
    const int by = down ? 1 : -1;
    QList<int> moved;
    for (int slot : rows) {
        const qsizetype place = places.indexOf(slot) + by;
        // A special row, a hidden row, or a channel that would leave the channel rows.
        if (places.indexOf(slot) < 0 || place < 0 || place >= places.size())
            return {};
        moved.append(places.at(place));
    }
    return moved;
}

bool ChannelListOperations::move(const QList<int> &slots, int by)
{
    const QList<int> rows = sortedSlots(slots, isSlot);
    const QList<int> moved = movedSlots(rows, by > 0);
    if (m_document.isBusy() || rows.isEmpty() || moved.isEmpty())
        return false;
    return record(by < 0 ? QT_TR_NOOP("Move Up") : QT_TR_NOOP("Move Down"), [&] {
        m_document.setChanged(true);
        ChannelTable &channels = m_document.channels();
        // Each channel changes place with its neighbour, the one nearest the goal first, so
        // that a group moves as one and the neighbour ends up behind it.
        const auto swap = [&](qsizetype i) {
            const int slot = rows.at(i);
            const int other = moved.at(i);
            const TableRow row = channels.row(other);
            const bool enabled = channels.isEnabled(other);
            channels.setSlot(other, channels.row(slot), channels.isEnabled(slot));
            channels.setSlot(slot, row, enabled);
        };
        if (by < 0) {
            for (qsizetype i = 0; i < rows.size(); ++i)
                swap(i);
        } else {
            for (qsizetype i = rows.size() - 1; i >= 0; --i)
                swap(i);
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
