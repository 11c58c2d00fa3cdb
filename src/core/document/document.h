#pragma once

#include "document/undo_stack.h"
#include "editing/channel_table.h"
#include "editing/edit_target.h"
#include "image/clone_image.h"
#include "settings/settings_model.h"

#include <QObject>
#include <QString>
#include <QStringView>
#include <QVector>

#include <functional>

namespace hxv5 {

// What one step of the user's changes takes back: everything the user works on, the changed flag
// and the current file aside.
struct DocumentContent
{
    QVector<TableRow> channels;
    std::array<bool, kSlotCount> enabled{};
    QVector<TableRow> vfo;
    SettingsModel::State settings{};
    QString settingsRecord;
    EnableBlocks enableBlocks;
    bool operator==(const DocumentContent &) const = default;
};

// Everything the user works on, together: the channel table with its enable flags, the VFO
// table, the settings model, the settings record and the two enable-flag blocks (the only parts
// of the clone image kept as block texts), the changed flag and the current file. The window,
// the transfers and the file commands all act on one document.
class Document : public QObject, public EditTarget
{
    Q_OBJECT
public:
    // A new document is in its start-up state: the default settings record decoded (model
    // variant 0), the VFO band defaults, every slot empty and disabled, the changed flag clear.
    explicit Document(QObject *parent = nullptr);

    ChannelTable &channels() override { return m_channels; }
    const ChannelTable &channels() const override { return m_channels; }
    VfoTable &vfo() override { return m_vfo; }
    const VfoTable &vfo() const override { return m_vfo; }
    SettingsModel &settings() { return m_settings; }
    const SettingsModel &settings() const { return m_settings; }

    // The selected model variant, -1 before the first decoding.
    int model() const override { return m_settings.model(); }

    const QString &settingsRecord() const { return m_settingsRecord; }
    void setSettingsRecord(const QString &record) { m_settingsRecord = record; }
    const EnableBlocks &enableBlocks() const { return m_enableBlocks; }
    void setEnableBlock(int index, const QString &text);

    bool isChanged() const { return m_changed; }
    void setChanged(bool changed) override;

    const QString &currentFile() const { return m_currentFile; }
    void setCurrentFile(const QString &path);

    // True while a transfer with the radio runs. Only one transfer may run at a time, and nothing
    // else may change the tables or the settings underneath it: every command that would (file
    // commands, list operations, the edit dialog, the settings panel) checks this first.
    bool isBusy() const override { return m_busy; }
    void setBusy(bool busy);

    // --- clone image and codecs, on this document's tables ---

    // The default settings record of the model variant selected now.
    QString DefaultSettingsRecord() const;
    // Decodes the settings record into the settings model (may rewrite bytes of the record).
    void DecodeSettingsRecord();
    // Rebuilds the settings record from the settings model.
    void EncodeSettingsRecord();

    // Decode a 32-character record into a slot or VFO row; true when it held a channel.
    bool DecodeChannelRecord(QStringView record, int slot);
    bool DecodeVfoRecord(QStringView record, int vfoRow);
    QString EncodeChannelRecord(int slot) const;
    QString EncodeVfoRecord(int vfoRow) const;

    // All 213 enable flags from the enable-flag blocks.
    void BitmapToFlags();
    // Both enable-flag blocks from the enable flags; reported by enableBlocksRebuilt.
    void FlagsToBitmap();

    // The band defaults for the model variant selected now.
    void SetVfoDefaults();
    // Whether the selected model variant draws a VFO row as "-".
    bool vfoRowHidden(int vfoRow) const;

    // A new, empty image: the default settings record decoded, the band defaults, every slot
    // empty and disabled. The changed flag and the current file are the caller's.
    void resetToNew();

    // --- the history of the user's changes ---

    // The steps, for the Edit menu. Its clean index follows the changed flag: clearing the flag
    // (start-up, New, Open, Save) marks the state now as saved, and setting it outside a step
    // (a read from the radio, an import) leaves the saved state out of reach.
    UndoStack &history() { return m_history; }
    const UndoStack &history() const { return m_history; }

    DocumentContent state() const;
    // Puts a state back: the tables, the settings panel and the record change as one, and the
    // views follow their notifications. The changed flag is the history's.
    void restoreState(const DocumentContent &state);

    // Runs one change of the user's and records it as the step text when it went ahead (change
    // returns true) and changed anything. Steps with the same non-negative mergeId one after the
    // other become one (a slider drag). Refused (false, nothing run) while a transfer runs.
    bool recordStep(const QString &text, const std::function<bool()> &change,
                    int mergeId = -1) override;
    // Undo and redo, refused while a transfer runs. The changed flag follows: back at the saved
    // state it is clear, anywhere else set.
    bool undo();
    bool redo();
    // New, Open and a read from the radio start a fresh history; the changed flag as it is now
    // tells whether the state now is a saved one.
    void startFreshHistory();

Q_SIGNALS:
    void changedFlagChanged(bool changed);
    void currentFileChanged(const QString &path);
    void busyChanged(bool busy);
    // The enable-flag blocks were rebuilt from the flags (the test panel shows them).
    void enableBlocksRebuilt(const QString &block0, const QString &block1);

private:
    void setChangedFromHistory();

    ChannelTable m_channels;
    VfoTable m_vfo;
    SettingsModel m_settings;
    QString m_settingsRecord;
    EnableBlocks m_enableBlocks;
    bool m_changed = false;
    QString m_currentFile;
    bool m_busy = false;

    UndoStack m_history;
    // Set while recordStep runs the change, whose own setChanged(true) is part of the step.
    bool m_recording = false;
    // The state when the running transfer began: what it changed starts a fresh history.
    DocumentContent m_beforeTransfer;
};

} // namespace hxv5
