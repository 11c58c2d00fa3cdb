#include "app/document.h"

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

} // namespace hxv5
