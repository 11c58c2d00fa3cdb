#pragma once

#include <QString>

namespace hxv5 {

class ChannelTable;

// What the find bar over the channel grid looks for, and which slots the grid shows.
//
// A slot matches the find text when it holds a channel and the text (blanks around it and case
// not counting) is part of its frequency as the grid shows it (".53100", which also reads as
// "0.53100"), of its note, or of its tone: the tone mode's text ("TSQ"), and the tones the mode
// uses ("88.5Hz"; the transmit tone for Tone, both tones for TSQ and reverse). An empty text
// matches nothing.
struct ChannelFilter
{
    QString text;
    // Show only the slots that match (while there is a text to match).
    bool onlyMatches = false;
    // Hide the slots that hold no channel.
    bool hideEmpty = false;

    bool matches(const ChannelTable &channels, int slot) const;
    bool shows(const ChannelTable &channels, int slot) const;
    // Whether some slot could be hidden at all.
    bool hidesAny() const { return hideEmpty || (onlyMatches && !text.trimmed().isEmpty()); }
};

// The first slot after from (before it, backwards) that matches, going round past the last slot;
// from itself comes last. -1 when no slot matches.
int nextMatch(const ChannelFilter &filter, const ChannelTable &channels, int from,
              bool backwards = false);
int matchCount(const ChannelFilter &filter, const ChannelTable &channels);

// The slot a row label names, as Go To Channel takes it: "57", "P2A", "a-l", "Pri"; blanks around
// it and case do not count. -1 for anything else.
int slotForLabel(const QString &label);

} // namespace hxv5
