#include "editing/channel_filter.h"

#include "editing/channel_table.h"

namespace hxv5 {

namespace {

constexpr int kToneModeTone = 1;

bool holds(const QString &field, const QString &text)
{
    return field.contains(text, Qt::CaseInsensitive);
}

} // namespace

bool ChannelFilter::matches(const ChannelTable &channels, int slot) const
{
    const QString wanted = text.trimmed();
    if (wanted.isEmpty() || slot < 0 || slot >= kSlotCount)
        return false;
    const TableRow &row = channels.row(slot);
    if (row.isEmpty())
        return false;
    const QString &frequency = row.text[kColFrequency];
    const bool noLeadingZero = frequency.startsWith(QLatin1Char('.'));
    if (holds(frequency, wanted) || (noLeadingZero && holds(QLatin1Char('0') + frequency, wanted)))
        return true;
    if (holds(row.text[kColNotes], wanted) || holds(row.text[kColTone], wanted))
        return true;
    // The tones the tone mode uses: none without a mode, the transmit tone alone for Tone.
    const int mode = static_cast<int>(row.number[kColTone]);
    if (mode >= kToneModeTone && holds(row.text[kColTxTone], wanted))
        return true;
    return mode > kToneModeTone && holds(row.text[kColRxTone], wanted);
}

bool ChannelFilter::shows(const ChannelTable &channels, int slot) const
{
    if (hideEmpty && channels.row(slot).isEmpty())
        return false;
    return !onlyMatches || text.trimmed().isEmpty() || matches(channels, slot);
}

int nextMatch(const ChannelFilter &filter, const ChannelTable &channels, int from, bool backwards)
{
    const int step = backwards ? kSlotCount - 1 : 1;
    for (int i = 1; i <= kSlotCount; ++i) {
        const int slot = ((from + i * step) % kSlotCount + kSlotCount) % kSlotCount;
        if (filter.matches(channels, slot))
            return slot;
    }
    return -1;
}

int matchCount(const ChannelFilter &filter, const ChannelTable &channels)
{
    int count = 0;
    for (int slot = 0; slot < kSlotCount; ++slot)
        count += filter.matches(channels, slot) ? 1 : 0;
    return count;
}

int slotForLabel(const QString &label)
{
    const QString wanted = label.trimmed();
    bool isNumber = false;
    const int number = wanted.toInt(&isNumber);
    if (isNumber)
        return number >= 0 && number < kChannelCount ? number : -1;
    for (int slot = kChannelCount; slot < kSlotCount; ++slot) {
        if (slotRowLabel(slot).compare(wanted, Qt::CaseInsensitive) == 0)
            return slot;
    }
    return -1;
}

} // namespace hxv5
