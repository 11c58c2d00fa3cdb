#pragma once

#include "editing/channel_table.h"

#include <QString>

#include <functional>

namespace hxv5 {

// What the list operations and the edit session change: the two tables, with the selected model
// variant, the transfer lock and the changed flag around them. The document is the one target;
// editing stands below the document, so it reaches the document only through this.
class EditTarget
{
public:
    virtual ChannelTable &channels() = 0;
    virtual const ChannelTable &channels() const = 0;
    virtual VfoTable &vfo() = 0;
    virtual const VfoTable &vfo() const = 0;

    // The selected model variant, -1 before the first decoding.
    virtual int model() const = 0;
    // True while a transfer with the radio runs: nothing may change the tables then.
    virtual bool isBusy() const = 0;
    virtual void setChanged(bool changed) = 0;
    // Runs one change of the user's and records it as one step of the history, named text, when
    // it went ahead (change returns true); a change inside another is part of the outer step.
    // Steps with the same non-negative mergeId one after the other become one. Refused while a
    // transfer runs.
    virtual bool recordStep(const QString &text, const std::function<bool()> &change,
                            int mergeId = -1) = 0;

protected:
    ~EditTarget() = default;
};

} // namespace hxv5
