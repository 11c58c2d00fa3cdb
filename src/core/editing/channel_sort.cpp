#include "editing/channel_sort.h"

#include "base/shown_text.h"
#include "editing/edit_target.h"

#include <QCoreApplication>

#include <algorithm>

namespace hxv5 {

namespace {

struct Place
{
    TableRow row;
    bool enabled = false;
};

// Where a channel goes before any comparing: 0 it has the key, 1 it has none, 2 an empty slot.
int rank(const TableRow &row, SortKey key)
{
    if (row.isEmpty())
        return 2;
    if (key == SortKey::Notes && row.text[kColNotes].isEmpty())
        return 1;
    if (key == SortKey::Tone && row.number[kColTone] == 0)
        return 1;
    return 0;
}

bool less(const TableRow &a, const TableRow &b, SortKey key)
{
    switch (key) {
    case SortKey::Frequency:
        return a.number[kColFrequency] < b.number[kColFrequency];
    case SortKey::Notes:
        return a.text[kColNotes].compare(b.text[kColNotes], Qt::CaseInsensitive) < 0;
    case SortKey::Tone:
        if (a.number[kColTxTone] != b.number[kColTxTone])
            return a.number[kColTxTone] < b.number[kColTxTone];
        return a.number[kColRxTone] < b.number[kColRxTone];
    }
    return false;
}

} // namespace

QString sortKeyName(SortKey key)
{
    // The command line's names of the keys; a window shows them translated, as the columns'
    // headings.
    switch (key) {
    case SortKey::Notes:
        return QString::fromLatin1(QT_TRANSLATE_NOOP("hxv5::TableTexts", "Notes"));
    case SortKey::Tone:
        return QString::fromLatin1(QT_TRANSLATE_NOOP("hxv5::TableTexts", "Tone"));
    default:
        return QString::fromLatin1(QT_TRANSLATE_NOOP("hxv5::TableTexts", "Frequency"));
    }
}

std::optional<SortKey> sortKeyFromName(const QString &name)
{
    for (SortKey key : {SortKey::Frequency, SortKey::Notes, SortKey::Tone}) {
        if (sortKeyName(key).compare(name, Qt::CaseInsensitive) == 0)
            return key;
    }
    return std::nullopt;
}

bool sortChannels(EditTarget &document, const QList<int> &slots, SortKey key, bool descending)
{
    QList<int> places;
    for (int slot : slots) {
        if (slot >= 0 && slot < kChannelCount && !places.contains(slot))
            places.append(slot);
    }
    if (document.isBusy() || places.size() < 2)
        return false;
    std::sort(places.begin(), places.end());
    ChannelTable &channels = document.channels();
    QList<Place> order;
    for (int slot : std::as_const(places))
        order.append({channels.row(slot), channels.isEnabled(slot)});
    const QList<Place> before = order;
    std::stable_sort(order.begin(), order.end(), [&](const Place &a, const Place &b) {
        const int ra = rank(a.row, key);
        const int rb = rank(b.row, key);
        if (ra != rb)
            return ra < rb;
        return ra == 0 && (descending ? less(b.row, a.row, key) : less(a.row, b.row, key));
    });
    const auto same = [](const Place &a, const Place &b) {
        return a.row == b.row && a.enabled == b.enabled;
    };
    if (std::equal(order.cbegin(), order.cend(), before.cbegin(), same))
        return false;
    const QString step = QCoreApplication::translate("hxv5::ChannelSort", "Sort by %1")
                             .arg(shownText(kTableTexts, sortKeyName(key)));
    return document.recordStep(step, [&] {
        document.setChanged(true);
        for (qsizetype i = 0; i < places.size(); ++i)
            channels.setSlot(places.at(i), order.at(i).row, order.at(i).enabled);
        return true;
    });
}

} // namespace hxv5
