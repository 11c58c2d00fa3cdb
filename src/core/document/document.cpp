#include "document/document.h"

#include "editing/vfo_defaults.h"
#include "image/channel_codec.h"
#include "settings/settings_record.h"

namespace hxv5 {

Document::Document(QObject *parent) : QObject(parent)
{
    // Every change event of the settings panel marks the data as changed.
    connect(&m_settings, &SettingsModel::modified, this, [this] { setChanged(true); });

    m_settingsRecord = DefaultSettingsRecord();
    m_settings.FillSettingsLists();
    DecodeSettingsRecord();
    SetVfoDefaults();
    setChanged(false);
}

void Document::setEnableBlock(int index, const QString &text)
{
    if (index == 0 || index == 1)
        m_enableBlocks[static_cast<size_t>(index)] = text;
}

void Document::setChanged(bool changed)
{
    if (!changed)
        m_history.setClean();
    else if (!m_recording)
        m_history.resetClean();
    if (m_changed == changed)
        return;
    m_changed = changed;
    Q_EMIT changedFlagChanged(changed);
}

void Document::setCurrentFile(const QString &path)
{
    if (m_currentFile == path)
        return;
    m_currentFile = path;
    Q_EMIT currentFileChanged(path);
}

void Document::setBusy(bool busy)
{
    if (m_busy == busy)
        return;
    // Whatever a transfer changed (a read, even one cut short) was no step of the user's: the
    // steps before it would put back tables that no longer fit.
    // A write rebuilds the settings record and the enable-flag blocks from the tables; that alone
    // changes nothing of the user's.
    if (busy) {
        m_beforeTransfer = state();
    } else {
        const DocumentContent now = state();
        if (now.channels != m_beforeTransfer.channels || now.enabled != m_beforeTransfer.enabled ||
            now.vfo != m_beforeTransfer.vfo || !(now.settings == m_beforeTransfer.settings))
            startFreshHistory();
        m_beforeTransfer = {};
    }
    m_busy = busy;
    Q_EMIT busyChanged(busy);
}

QString Document::DefaultSettingsRecord() const
{
    return hxv5::DefaultSettingsRecord(m_settings.model());
}

void Document::DecodeSettingsRecord()
{
    hxv5::DecodeSettingsRecord(m_settingsRecord, m_settings);
}

void Document::EncodeSettingsRecord()
{
    m_settingsRecord = hxv5::EncodeSettingsRecord(m_settings);
}

bool Document::DecodeChannelRecord(QStringView record, int slot)
{
    TableRow row = m_channels.row(slot);
    const bool held = decodeRecord(record, row);
    m_channels.setRow(slot, row);
    return held;
}

bool Document::DecodeVfoRecord(QStringView record, int vfoRow)
{
    TableRow row = m_vfo.row(vfoRow);
    const bool held = decodeRecord(record, row);
    m_vfo.setRow(vfoRow, row);
    return held;
}

QString Document::EncodeChannelRecord(int slot) const
{
    return encodeRecord(m_channels.row(slot));
}

QString Document::EncodeVfoRecord(int vfoRow) const
{
    return encodeRecord(m_vfo.row(vfoRow));
}

void Document::BitmapToFlags()
{
    m_channels.setEnableFlags(hxv5::BitmapToFlags(m_enableBlocks));
}

void Document::FlagsToBitmap()
{
    m_enableBlocks = hxv5::FlagsToBitmap(m_channels.enableFlags());
    Q_EMIT enableBlocksRebuilt(m_enableBlocks[0], m_enableBlocks[1]);
}

void Document::SetVfoDefaults()
{
    hxv5::SetVfoDefaults(m_vfo, m_settings.model());
}

bool Document::vfoRowHidden(int vfoRow) const
{
    return hxv5::vfoRowHidden(m_settings.model(), vfoRow);
}

void Document::resetToNew()
{
    m_settingsRecord = DefaultSettingsRecord();
    DecodeSettingsRecord();
    SetVfoDefaults();
    m_channels.clearAll();
}

namespace {

// About the memory a state holds: its fixed parts and the characters of its texts. Texts shared
// with another state are counted again, so the bound errs on the safe side.
qsizetype contentBytes(const DocumentContent &s)
{
    qsizetype bytes =
        sizeof(DocumentContent) + (s.channels.size() + s.vfo.size()) * sizeof(TableRow);
    const auto add = [&bytes](const QString &text) {
        bytes += text.size() * qsizetype(sizeof(QChar));
    };
    for (const QVector<TableRow> *rows : {&s.channels, &s.vfo}) {
        for (const TableRow &row : *rows) {
            for (const QString &text : row.text)
                add(text);
        }
    }
    add(s.settingsRecord);
    for (const QString &block : s.enableBlocks)
        add(block);
    return bytes;
}

// A step as the state before and after it.
class SnapshotStep : public UndoCommand
{
public:
    SnapshotStep(Document &document, const QString &text, int mergeId, DocumentContent before,
                 DocumentContent after)
        : UndoCommand(text), m_document(document), m_mergeId(mergeId), m_before(std::move(before)),
          m_after(std::move(after)), m_bytes(contentBytes(m_before) + contentBytes(m_after))
    {
    }

    void undo() override { m_document.restoreState(m_before); }
    void redo() override { m_document.restoreState(m_after); }
    int id() const override { return m_mergeId; }
    bool mergeWith(const UndoCommand &later) override
    {
        m_after = static_cast<const SnapshotStep &>(later).m_after;
        m_bytes = contentBytes(m_before) + contentBytes(m_after);
        return true;
    }
    bool isObsolete() const override { return m_before == m_after; }
    qsizetype byteSize() const override { return m_bytes; }

private:
    Document &m_document;
    int m_mergeId;
    DocumentContent m_before;
    DocumentContent m_after;
    qsizetype m_bytes;
};

} // namespace

DocumentContent Document::state() const
{
    DocumentContent s;
    s.channels.reserve(kSlotCount);
    for (int slot = 0; slot < kSlotCount; ++slot)
        s.channels.append(m_channels.row(slot));
    s.enabled = m_channels.enableFlags();
    s.vfo.reserve(kVfoRowCount);
    for (int r = 0; r < kVfoRowCount; ++r)
        s.vfo.append(m_vfo.row(r));
    s.settings = m_settings.state();
    s.settingsRecord = m_settingsRecord;
    s.enableBlocks = m_enableBlocks;
    return s;
}

void Document::restoreState(const DocumentContent &s)
{
    for (int slot = 0; slot < kSlotCount && slot < s.channels.size(); ++slot)
        m_channels.setSlot(slot, s.channels.at(slot), s.enabled[static_cast<size_t>(slot)]);
    for (int r = 0; r < kVfoRowCount && r < s.vfo.size(); ++r)
        m_vfo.setRow(r, s.vfo.at(r));
    m_settings.restoreState(s.settings);
    m_settingsRecord = s.settingsRecord;
    if (m_enableBlocks != s.enableBlocks) {
        m_enableBlocks = s.enableBlocks;
        Q_EMIT enableBlocksRebuilt(m_enableBlocks[0], m_enableBlocks[1]);
    }
}

bool Document::recordStep(const QString &text, const std::function<bool()> &change, int mergeId)
{
    if (m_busy)
        return false;
    // A change inside a change is part of the outer step.
    if (m_recording)
        return change();
    DocumentContent before = state();
    m_recording = true;
    bool went = false;
    try {
        went = change();
    } catch (...) {
        m_recording = false;
        throw;
    }
    m_recording = false;
    if (!went)
        return false;
    DocumentContent after = state();
    if (!(after == before))
        m_history.push(std::make_unique<SnapshotStep>(*this, text, mergeId, std::move(before),
                                                      std::move(after)));
    return true;
}

bool Document::undo()
{
    if (m_busy || !m_history.canUndo())
        return false;
    m_history.undo();
    setChangedFromHistory();
    return true;
}

bool Document::redo()
{
    if (m_busy || !m_history.canRedo())
        return false;
    m_history.redo();
    setChangedFromHistory();
    return true;
}

void Document::setChangedFromHistory()
{
    const bool changed = !m_history.isClean();
    if (m_changed == changed)
        return;
    m_changed = changed;
    Q_EMIT changedFlagChanged(changed);
}

void Document::startFreshHistory()
{
    m_history.clear(!m_changed);
}

} // namespace hxv5
