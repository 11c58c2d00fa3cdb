#pragma once

// The program's side of a transfer: a document, a line to the radio, the user and the transfers,
// with ways to run an operation to its end.

#include "document/document.h"
#include "link/transfers.h"

#include "fake_radio.h"
#include "scripted_interaction.h"

#include <QSignalSpy>

namespace hxv5::testing {

using TransferOperation = void (Transfers::*)();

inline TransferOperation operationSlot(Transfers::Operation op)
{
    switch (op) {
    case Transfers::Operation::ReadMemory:
        return &Transfers::readMemory;
    case Transfers::Operation::WriteMemory:
        return &Transfers::writeMemory;
    case Transfers::Operation::ReadSettings:
        return &Transfers::readSettings;
    case Transfers::Operation::WriteSettings:
        break;
    }
    return &Transfers::writeSettings;
}

// Starts operation on transfers and waits for it to end (both halves of an ALL transfer).
// False when it was refused or did not end in time; else whether the transfers and the document
// are free again.
inline bool runToEnd(Transfers &transfers, TransferOperation operation)
{
    QSignalSpy running(&transfers, &Transfers::runningChanged);
    (transfers.*operation)();
    while (running.size() < 2) {
        if (running.isEmpty() && !transfers.isRunning())
            return false; // refused: it never started
        if (!running.wait(60000))
            return false;
    }
    return !transfers.isRunning();
}

template <class Port = FakeRadio> struct TransferRig
{
    Document doc;
    Port port;
    ScriptedInteraction ui;
    Transfers transfers{doc, port, ui};
    QSignalSpy finished{&transfers, &Transfers::finished};
    QSignalSpy running{&transfers, &Transfers::runningChanged};

    // Runs operation to its end: true when the transfers and the document are free again, whether
    // or not it completed.
    bool runToEnd(TransferOperation operation)
    {
        return testing::runToEnd(transfers, operation) && !doc.isBusy();
    }
    // Runs operation to its end: true when it (its last half) completed.
    bool run(TransferOperation operation) { return runToEnd(operation) && completed(); }
    bool run(Transfers::Operation op) { return run(operationSlot(op)); }
    bool completed() const { return !finished.isEmpty() && finished.constLast().at(1).toBool(); }

    // Waits until count operations have finished since the rig was made; true when the
    // transfers and the document are free again.
    bool waitFinished(int count = 1)
    {
        while (finished.size() < count) {
            if (!finished.wait(20000))
                return false;
        }
        return !transfers.isRunning() && !doc.isBusy();
    }
};

} // namespace hxv5::testing
