#pragma once

#include "app/document.h"
#include "base/user_interaction.h"
#include "editing/channel_table.h"
#include "image/channel_codec.h"

#include <QStringList>

// Collects the messages a transfer shows instead of showing them.
class ScriptedInteraction : public hxv5::UserInteraction
{
public:
    void showError(const QString &text) override { errors.append(text); }
    Answer askSaveChanges() override { return Answer::No; }
    QString chooseOpenFile(FileKind) override { return {}; }
    QString chooseSaveFile(FileKind) override { return {}; }
    QStringList errors;
};

// A plain FM channel record at mhz with a 12.5 kHz step.
inline QString channelRecord(double mhz)
{
    hxv5::TableRow row;
    row.number[hxv5::kColFrequency] = mhz;
    row.number[hxv5::kColStep] = 5;
    return hxv5::encodeRecord(row);
}

inline double frequency(const hxv5::Document &doc, int slot)
{
    return doc.channels().number(slot, hxv5::kColFrequency);
}
