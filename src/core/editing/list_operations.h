#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>

#include <functional>

namespace hxv5 {

class ChannelTable;
class EditTarget;

// The list operations of the "Memorys" page, on the channel table only. Deleting and inserting
// move the memory channels 0..199 like a list; the thirteen special rows never move.
//
// The operations change the table; views follow its notifications. Each returns true when it
// went ahead, and is one step of the document's history. While a transfer runs
// (EditTarget::isBusy) every operation refuses and changes nothing.
//
// The ...Rows forms act on every slot of a selection, asking at most once; the single-slot forms
// are those of the buttons.
//
// With rows hidden in the grid (the find bar showing only the matching rows, View > "Hide Empty
// Slots"), an operation acts on the rows shown only and never changes a hidden row; its
// confirmation, or a notice where it asks nothing, says so. Delete then moves the rows below up
// only when that changes no hidden row, and otherwise empties the selected channels in place;
// Insert is refused when it would move a hidden row; Up and Down move a channel past the hidden
// rows, to the place of the next channel shown; the All operations take the rows shown.
class ChannelListOperations
{
    Q_DECLARE_TR_FUNCTIONS(hxv5::ChannelListOperations)
public:
    // Asks the user to confirm (OK / Cancel, warning icon, Cancel the default): true to go ahead.
    using Confirm = std::function<bool(const QString &title, const QString &text)>;

    // Tells the user something an operation did besides what it was asked to (a status bar
    // notice).
    using Notify = std::function<void(const QString &text)>;

    // Whether the grid shows the slot.
    using Shown = std::function<bool(int slot)>;

    ChannelListOperations(EditTarget &document, Confirm confirm, Notify notify = {});

    // Every slot counts as shown until this is set.
    void setShown(Shown shown) { m_shown = std::move(shown); }

    bool Clear(int slot);
    bool ClearAll();
    bool Delete(int slot);
    bool Insert(int slot);
    bool Disable(int slot);
    bool DisableAll();
    bool Enable(int slot);
    bool EnableAll();

    bool ClearRows(const QList<int> &slots);
    // Cut's clear: the rows have just been copied, so nothing is asked.
    bool ClearRowsWithoutAsking(const QList<int> &slots);
    // The memory channels among the slots, each removed with the channels below moving up; the
    // special rows are passed over.
    bool DeleteRows(const QList<int> &slots);
    // As many empty slots as there are memory channels among the slots, at the first of them,
    // the channels from there down moving on; the changed flag is set even when there is none,
    // as Insert does on a special row. The channels pushed past channel 199 are told.
    bool InsertRows(const QList<int> &slots);
    // The empty slots InsertRows makes for the slots.
    QList<int> insertedSlots(const QList<int> &slots) const;
    bool DisableRows(const QList<int> &slots);
    bool EnableRows(const QList<int> &slots);
    // The channels move one place up or down as a group, each taking its neighbour's place; only
    // memory channels move, and nothing moves past channel 0 or channel 199.
    bool MoveUp(const QList<int> &slots);
    bool MoveDown(const QList<int> &slots);
    // Where the channels of the slots go with MoveUp or MoveDown; empty when they cannot move.
    QList<int> movedSlots(const QList<int> &slots, bool down) const;

    // The confirmation texts: that Edit > Undo brings the rows back, then the question.
    static QString clearText();
    static QString clearAllText();
    static QString deleteText();

private:
    bool confirmed(const QString &title, const QString &text) const;
    void emptySlot(int slot);
    bool record(const char *text, const std::function<bool()> &change);
    void insertBlanks(int first, int count);
    bool move(const QList<int> &slots, int by);

    bool isShown(int slot) const { return !m_shown || m_shown(slot); }
    int hiddenCount() const;
    // The slots that pass the test and are shown, each once, in ascending order.
    QList<int> shownSlots(const QList<int> &slots, bool (*keep)(int)) const;
    // Every slot shown.
    QList<int> allShown() const;
    // Whether doing change to a copy of the channel table would change a hidden slot.
    bool changesHidden(const std::function<void(ChannelTable &)> &change) const;
    // The line a confirmation or notice gets while rows are hidden: what the operation does to
    // the rows shown; empty while none is hidden.
    QString hiddenRowsLine(qsizetype acted, const char *done) const;
    // text after the hidden-rows line, if any.
    QString withHiddenRows(const QString &text, qsizetype acted, const char *done) const;
    // The hidden-rows line as a notice, for an operation that went and asked nothing.
    void tellHiddenRows(bool went, qsizetype acted, const char *done);

    EditTarget &m_document;
    Confirm m_confirm;
    Notify m_notify;
    Shown m_shown;
    QString m_notice;
};

// The Up and Down buttons: the new current grid row (1..213) and the new top visible row of a
// grid that shows visibleRows data rows at a time (13 unless the window has made it taller).
struct GridScroll
{
    int currentRow;
    int topRow;
};
GridScroll scrollDown(int currentRow, int topRow, int visibleRows = 13);
GridScroll scrollUp(int currentRow, int topRow, int visibleRows = 13);

} // namespace hxv5
