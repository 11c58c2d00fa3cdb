#pragma once

// Shared by the printing tests: a document with known content in every report.

#include "document/document.h"

#include <QStringList>

namespace hxv5::testing {

inline TableRow reportRow(const QStringList &texts, double frequency = 145.0)
{
    TableRow row;
    for (int c = 0; c < kColumnCount && c < texts.size(); ++c)
        row.text[static_cast<size_t>(c)] = texts.at(c);
    row.number[kColFrequency] = frequency;
    return row;
}

// Every slot filled and enabled but for a few, a note long enough to run past the right edge of
// a portrait page, a few notes in Japanese; model variant "HX-V5 B" with its tone burst line.
inline void fillForPrinting(Document &doc)
{
    doc.settings().setModel(4);
    doc.settings().setVolume(17);
    doc.settings().setFunctionFlag(7, true);
    for (int r = 0; r < kVfoRowCount; ++r) {
        doc.vfo().setRow(r, reportRow({QStringLiteral("%1.12500").arg(50 + r * 100),
                                       QStringLiteral("FM"), QStringLiteral("12.5KHz"),
                                       QStringLiteral("Tone"), QStringLiteral("88.5Hz"),
                                       QStringLiteral("250.3Hz"), QStringLiteral("+Shift"),
                                       QStringLiteral("5.00000"), QStringLiteral("band")},
                                      50.125 + r * 100));
    }
    for (int s = 0; s < kSlotCount; ++s) {
        QString note = QStringLiteral("Note %1").arg(s);
        if (s == 12)
            note = QStringLiteral("A note far longer than thirty characters, kept whole on "
                                  "the page: it wraps rather than being cut at the edge END");
        if (s % 50 == 7)
            note = QStringLiteral("日本語のメモ");
        doc.channels().setSlot(
            s,
            reportRow({QStringLiteral("%1.00000").arg(140 + s % 300), QStringLiteral("FM"),
                       QStringLiteral("25KHz"), QStringLiteral("TSQ"), QStringLiteral("67.0Hz"),
                       QStringLiteral("100.0Hz"), QStringLiteral("-Shift"),
                       QStringLiteral(".60000"), note},
                      140 + s % 300),
            s % 40 != 3);
    }
}

} // namespace hxv5::testing
