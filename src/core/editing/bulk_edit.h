#pragma once

#include "editing/cell_edit.h"

#include <QList>
#include <QStringList>

#include <optional>

namespace hxv5 {

class EditTarget;

// What "Edit Selected Channels" sets on every chosen slot that holds a channel: the ticked fields
// and nothing else.
struct BulkEdit
{
    QList<FieldValue> fields; // mode, step, tone mode, the tones, shift, offset, notes
    std::optional<bool> enable;
    // Each channel's mode and step chosen by its own frequency, as "Auto Mode and Step" does.
    bool autoModeStep = false;
};

struct BulkEditReport
{
    int changed = 0;   // channels that changed
    int unchanged = 0; // channels that held these values already
    int empty = 0;     // chosen slots without a channel, passed over
    // Each value the edit dialog would refuse, with the channels that kept their own.
    QStringList left;
};

// Sets the fields on every slot among slots that holds a channel, each value checked as the edit
// dialog checks it for that slot: a refused value stays as it was there and is reported, the
// slot's other fields still change. One step of the history; sets the changed flag. True when
// any channel changed; false when none did, and while a transfer runs.
bool editChannels(EditTarget &document, const QList<int> &slots, const BulkEdit &edit,
                  BulkEditReport &report);

// "20 channels changed, 1 unchanged, 2 empty slots passed over."
QString bulkEditSummary(const BulkEditReport &report);

} // namespace hxv5
