#pragma once

// Shared by the hardening tests: a document full of data, and the program on its end of a real
// pseudo-terminal, the simulated radio being on the other.

#include "document/document.h"
#include "editing/channel_table.h"
#include "image/channel_codec.h"
#include "link/serial_port.h"
#include "link/transfers.h"
#include "settings/settings_record.h"

#include "document_snapshot.h"
#include "radio_sim_process.h"
#include "scripted_interaction.h"
#include "transfer_rig.h"

#include <QList>
#include <QSignalSpy>
#include <QStringList>

// The program's side: a document, the real serial port and the transfers.
using ProgramSide = hxv5::testing::TransferRig<hxv5::QtSerialPortAdapter>;

// A document that differs from the radio's factory memory in every slot, band and setting.
inline void fillProgramData(hxv5::Document &doc)
{
    for (int s = 0; s < hxv5::kSlotCount; ++s) {
        hxv5::TableRow row;
        row.number[hxv5::kColFrequency] = 150.0 + 0.025 * s;
        row.number[hxv5::kColStep] = 5;
        row.number[hxv5::kColMode] = s % 3;
        hxv5::TableRow decoded;
        hxv5::decodeRecord(hxv5::encodeRecord(row), decoded);
        if (s % 7 == 0)
            decoded.text[hxv5::kColNotes] = QStringLiteral("note %1, \"quoted\"").arg(s);
        doc.channels().setSlot(s, decoded, s % 3 != 1);
    }
    for (int r = 0; r < hxv5::kVfoRowCount; ++r) {
        hxv5::TableRow row = doc.vfo().row(r);
        row.number[hxv5::kColFrequency] += 0.125;
        hxv5::TableRow decoded;
        hxv5::decodeRecord(hxv5::encodeRecord(row), decoded);
        doc.vfo().setRow(r, decoded);
    }
    doc.settings().setVolume(3);
    doc.EncodeSettingsRecord();
    doc.setChanged(false);
}
