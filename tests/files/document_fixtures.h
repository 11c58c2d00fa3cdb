#pragma once

// Shared by the file tests: random full documents, notes that broke files before, and the
// document as it was (document_snapshot.h) to compare a document before and after.

#include "base/reference_tables.h"
#include "document/document.h"
#include "image/channel_codec.h"
#include "settings/settings_record.h"

#include "document_snapshot.h"

#include <QRandomGenerator>
#include <QStringList>
#include <QVector>

#include <cmath>

namespace hxv5::testing {

// Notes that have broken files before: separators, quotes, blanks at the ends, Japanese text,
// and line breaks.
inline const QStringList &trickyNotes()
{
    static const QStringList notes = {
        QString(),
        QStringLiteral("Repeater, north"),
        QStringLiteral("say \"hi\""),
        QStringLiteral("\""),
        QStringLiteral("\"\""),
        QStringLiteral(",,,"),
        QStringLiteral("  leading and trailing  "),
        QStringLiteral("日本語のメモ"),
        QStringLiteral("ｱﾏﾁｭｱ無線 ①"),
        QStringLiteral("HX-V5"),
        QStringLiteral("#TRUE#"),
        QStringLiteral("two\r\nlines"),
        QStringLiteral("cr\ronly"),
        QStringLiteral("lf\nonly"),
        QStringLiteral("Café 145€"),
    };
    return notes;
}

// A row as the record decoder fills it: numbers within the record's limits (five decimals),
// texts the decoder's texts of those numbers.
inline TableRow randomRow(QRandomGenerator &rng)
{
    TableRow row;
    const double frequency = static_cast<double>(rng.bounded(1, 999999999)) / 100000.0;
    const double offset = static_cast<double>(rng.bounded(0, 9999999)) / 100000.0;
    const int codes[] = {
        rng.bounded(3),          rng.bounded(kTuningStepCount), rng.bounded(4),
        rng.bounded(kToneCount), rng.bounded(kToneCount),       rng.bounded(4),
    };
    row.number[kColFrequency] = frequency;
    row.text[kColFrequency] = formatMHz(frequency);
    for (int c = kColMode; c <= kColShift; ++c)
        row.number[static_cast<size_t>(c)] = codes[c - 1];
    row.text[kColMode] = modeText(codes[0]);
    row.text[kColStep] = stepText(codes[1]);
    row.text[kColTone] = toneModeText(codes[2]);
    row.text[kColTxTone] = toneText(codes[3]);
    row.text[kColRxTone] = toneText(codes[4]);
    row.text[kColShift] = shiftText(codes[5]);
    row.number[kColShiftFreq] = offset;
    row.text[kColShiftFreq] = formatMHz(offset);
    const QStringList &notes = trickyNotes();
    row.text[kColNotes] = notes.at(rng.bounded(static_cast<int>(notes.size())));
    return row;
}

// The frequencies a model variant can take, by the edit dialog's checks: for a slot its memory
// ranges (bounds included), for VFO row r its band's limits. Five decimals, like a record's.
inline double receivableFrequency(QRandomGenerator &rng, int model, int vfoRow = -1)
{
    struct Range
    {
        double lower, upper;
    };
    QVector<Range> ranges;
    if (vfoRow >= 0) {
        const BandPlanEntry plan = bandPlan(model, vfoRow + 1);
        ranges = {{plan.lower, plan.upper}};
    } else if (model == 0) {
        ranges = {{0.531, 9.995}, {76.1, 89.995}, {108, 169.995}, {380, 469.995}};
    } else if (model == 4) {
        ranges = {{88.1, 173.995}, {380, 511.995}};
    } else if (model == 5) {
        ranges = {{87.5, 107.995}, {144, 145.995}, {430, 439.995}};
    } else {
        ranges = {{0.00001, 9999.99999}};
    }
    const Range range = ranges.at(rng.bounded(static_cast<int>(ranges.size())));
    const auto lower = static_cast<qint64>(std::llround(range.lower * 100000));
    const auto upper = static_cast<qint64>(std::llround(range.upper * 100000));
    return static_cast<double>(lower + rng.bounded(upper - lower + 1)) / 100000.0;
}

struct FillOptions
{
    // Frequencies the model variant can take (what CSV import stores), or any a record carries.
    bool receivable = false;
    int model = -1; // 0, 4 or 5; -1 for one chosen at random
};

// Every VFO row and slot filled at random; about one slot in five left empty (with or without a
// note and an enable flag); settings varied.
inline void fillRandomly(Document &doc, quint32 seed, FillOptions options = {})
{
    QRandomGenerator rng(seed);
    const int models[] = {0, 4, 5};
    const int chosen = models[rng.bounded(3)];
    const int model = options.model >= 0 ? options.model : chosen;
    doc.settings().setModel(model);
    doc.settings().setVolume(rng.bounded(31));
    doc.settings().setMemoryChannel(rng.bounded(kSlotCount));
    doc.settings().setFunctionFlag(rng.bounded(8), true);
    const auto receivably = [&](TableRow row, int vfoRow) {
        if (options.receivable) {
            row.number[kColFrequency] = receivableFrequency(rng, model, vfoRow);
            row.text[kColFrequency] = formatMHz(row.number[kColFrequency]);
        }
        return row;
    };
    for (int r = 0; r < kVfoRowCount; ++r)
        doc.vfo().setRow(r, receivably(randomRow(rng), r));
    for (int s = 0; s < kSlotCount; ++s) {
        TableRow row;
        if (rng.bounded(5) != 0)
            row = receivably(randomRow(rng), -1);
        else if (rng.bounded(2) == 0)
            row.text[kColNotes] = QStringLiteral("note on an empty slot");
        doc.channels().setSlot(s, row, rng.bounded(2) == 0);
    }
}

// The row a note becomes once stored: line breaks turned into blanks.
inline TableRow withStoredNote(TableRow row)
{
    QString &note = row.text[kColNotes];
    note.replace(QLatin1String("\r\n"), QLatin1String(" "));
    note.replace(QLatin1Char('\r'), QLatin1Char(' '));
    note.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return row;
}

// Whether opened holds what saved held once it went through a file: the same settings, rows
// and enable flags, with the notes as they are stored.
inline bool sameThroughFile(const Document &saved, const Document &opened)
{
    for (int r = 0; r < kVfoRowCount; ++r) {
        if (withStoredNote(saved.vfo().row(r)) != opened.vfo().row(r))
            return false;
    }
    for (int s = 0; s < kSlotCount; ++s) {
        if (withStoredNote(saved.channels().row(s)) != opened.channels().row(s))
            return false;
    }
    return saved.channels().enableFlags() == opened.channels().enableFlags() &&
           EncodeSettingsRecord(saved.settings()) == EncodeSettingsRecord(opened.settings());
}

} // namespace hxv5::testing
