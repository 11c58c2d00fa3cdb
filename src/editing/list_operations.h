#pragma once

#include <QString>

#include <functional>

namespace hxv5 {

class EditTarget;

// The list operations of the "Memorys" page, on the channel table only. Deleting and inserting
// move the memory channels 0..199 like a list; the thirteen special rows never move.
//
// The operations change the table; views follow its notifications. Each returns true when it
// went ahead. While a transfer runs (EditTarget::isBusy) every operation refuses and changes
// nothing.
class ChannelListOperations
{
public:
    // Asks the user to confirm (OK / Cancel, warning icon, Cancel the default): true to go ahead.
    using Confirm = std::function<bool(const QString &title, const QString &text)>;

    ChannelListOperations(EditTarget &document, Confirm confirm);

    bool Clear(int slot);
    bool ClearAll();
    bool Delete(int slot);
    bool Insert(int slot);
    bool Disable(int slot);
    bool DisableAll();
    bool Enable(int slot);
    bool EnableAll();

    // The confirmation texts, the "cannot be undone" sentence first.
    static QString clearText();
    static QString clearAllText();
    static QString deleteText();

private:
    bool confirmed(const QString &title, const QString &text) const;
    void emptySlot(int slot);

    EditTarget &m_document;
    Confirm m_confirm;
};

// The Up and Down buttons: the new current grid row (1..213) and the new top visible row of a
// grid that shows 13 data rows at a time.
struct GridScroll
{
    int currentRow;
    int topRow;
};
GridScroll scrollDown(int currentRow, int topRow);
GridScroll scrollUp(int currentRow, int topRow);

} // namespace hxv5
