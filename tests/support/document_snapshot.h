#pragma once

#include "document/document.h"
#include "image/channel_codec.h"
#include "settings/settings_record.h"

#include <QStringList>
#include <QVector>

namespace hxv5::testing {

// The document as it was: everything of it that a file command, a transfer or an edit reads or
// changes, to compare a document before and after.
struct Snapshot
{
    QVector<TableRow> slots;
    QVector<TableRow> vfo;
    EnableFlags flags{};
    QString settings; // the settings as they would be written
    QString settingsRecord;
    EnableBlocks enableBlocks;
    bool changed = false;
    QString currentFile;

    Snapshot() = default;
    explicit Snapshot(const Document &doc)
    {
        for (int s = 0; s < kSlotCount; ++s)
            slots.append(doc.channels().row(s));
        for (int r = 0; r < kVfoRowCount; ++r)
            vfo.append(doc.vfo().row(r));
        flags = doc.channels().enableFlags();
        settings = EncodeSettingsRecord(doc.settings());
        settingsRecord = doc.settingsRecord();
        enableBlocks = doc.enableBlocks();
        changed = doc.isChanged();
        currentFile = doc.currentFile();
    }
    bool operator==(const Snapshot &other) const = default;

    // A row as the radio holds it: its record, "-" when it holds no channel (notes stay in the
    // program).
    static QString record(const TableRow &row)
    {
        return row.holdsChannel() ? encodeRecord(row) : QStringLiteral("-");
    }
    static QStringList records(const QVector<TableRow> &rows)
    {
        QStringList out;
        for (const TableRow &row : rows)
            out.append(record(row));
        return out;
    }
    QStringList slotRecords() const { return records(slots); }
    QStringList vfoRecords() const { return records(vfo); }

    // The tables, flags and settings only.
    bool sameData(const Snapshot &other) const
    {
        return slots == other.slots && vfo == other.vfo && flags == other.flags &&
               settings == other.settings;
    }
};

} // namespace hxv5::testing
