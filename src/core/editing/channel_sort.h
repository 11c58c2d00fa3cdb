#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace hxv5 {

class EditTarget;

enum class SortKey { Frequency, Notes, Tone };

// "Frequency", "Notes", "Tone"; and back, in any case.
QString sortKeyName(SortKey key);
std::optional<SortKey> sortKeyFromName(const QString &name);

// Puts the memory channels among slots in order of the key into the places those slots held:
// by frequency; by note, without regard to case; by tone, the transmit tone and then the receive
// tone. Channels with equal keys keep their order, channels without a key (no note; no tone)
// follow those with one, and empty slots come last. Each slot's enable flag travels with it; the
// special rows (200..212) never move. One step of the history; sets the changed flag. True when
// the order changed; false when it did not, and while a transfer runs.
bool sortChannels(EditTarget &document, const QList<int> &slots, SortKey key, bool descending);

} // namespace hxv5
