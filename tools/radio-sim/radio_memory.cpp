#include "radio_memory.h"

#include "editing/channel_table.h"
#include "editing/vfo_defaults.h"
#include "files/safe_write.h"
#include "image/channel_codec.h"
#include "image/clone_image.h"

#include <QFile>

namespace hxv5 {

namespace {

struct FactoryChannel
{
    int slot;
    double mhz;
    int mode; // 0 FM, 1 AM, 2 WFM
    int step; // code into the step list
    int toneMode = 0;
    int tone = 0;
    int shift = 0;
    double offset = 0;
    bool enabled = true;
};

// clang-format off
const FactoryChannel kFactoryChannels[] = {
    {0, 145.0, 0, 5},
    {1, 145.5, 0, 5},
    {2, 433.5, 0, 5, 1, 8, 0, 0},
    {3, 438.65, 0, 5, 2, 12, 2, 7.6},
    {4, 121.5, 1, 8},
    {5, 89.7, 2, 11},
    {6, 7.1, 1, 1},
    {10, 144.8, 0, 5, 0, 0, 0, 0, false},
    {20, 1.0, 1, 0, 0, 0, 0, 0, false},
    {200, 144.0, 0, 5},
    {201, 146.0, 0, 5},
    {210, 430.0, 0, 5},
    {211, 440.0, 0, 5},
    {212, 145.5, 0, 5},
};
// clang-format on

QByteArray recordBytes(const QString &record)
{
    return QByteArray::fromHex(record.toLatin1());
}

} // namespace

RadioMemory::RadioMemory() : m_bytes(kSize, char(0xFF)) {}

RadioMemory RadioMemory::factoryImage()
{
    RadioMemory memory;
    EnableFlags flags{};
    for (const FactoryChannel &c : kFactoryChannels) {
        TableRow row;
        row.number[kColFrequency] = c.mhz;
        row.number[kColMode] = c.mode;
        row.number[kColStep] = c.step;
        row.number[kColTone] = c.toneMode;
        row.number[kColTxTone] = c.tone;
        row.number[kColRxTone] = c.tone;
        row.number[kColShift] = c.shift;
        row.number[kColShiftFreq] = c.offset;
        memory.write(c.slot * kBlockSize, recordBytes(encodeRecord(row)));
        flags[static_cast<size_t>(c.slot)] = c.enabled;
    }
    memory.write(kSettingsBlock * kBlockSize, recordBytes(DefaultSettingsRecord(0)));
    const EnableBlocks bitmap = FlagsToBitmap(flags);
    memory.write(kEnableBlock0 * kBlockSize, recordBytes(bitmap[0]));
    memory.write(kEnableBlock1 * kBlockSize, recordBytes(bitmap[1]));
    VfoTable vfo;
    SetVfoDefaults(vfo, 0);
    for (int r = 0; r < vfo.rowCount(); ++r)
        memory.write(vfoBlock(r) * kBlockSize, recordBytes(encodeRecord(vfo.row(r))));
    return memory;
}

QByteArray RadioMemory::read(int address) const
{
    QByteArray block(kBlockSize, char(0xFF));
    for (int i = 0; i < kBlockSize; ++i) {
        const int a = address + i;
        if (a >= 0 && a < kSize)
            block[i] = m_bytes.at(a);
    }
    return block;
}

bool RadioMemory::write(int address, const QByteArray &bytes)
{
    if (address < 0 || address + bytes.size() > kSize)
        return false;
    m_bytes.replace(address, bytes.size(), bytes);
    return true;
}

RadioMemory::LoadResult RadioMemory::load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return LoadResult::Unreadable;
    QByteArray bytes;
    for (int block = 0; block < kBlockCount; ++block) {
        const QByteArray line = file.readLine(256).trimmed();
        const QByteArray data = QByteArray::fromHex(line);
        if (line.size() != 2 * kBlockSize || data.size() != kBlockSize ||
            data.toHex().toUpper() != line.toUpper())
            return file.error() == QFileDevice::NoError ? LoadResult::NotAMemoryFile
                                                        : LoadResult::Unreadable;
        bytes += data;
    }
    m_bytes = bytes;
    return LoadResult::Loaded;
}

bool RadioMemory::save(const QString &path) const
{
    QByteArray text;
    for (int block = 0; block < kBlockCount; ++block)
        text += m_bytes.mid(block * kBlockSize, kBlockSize).toHex().toUpper() + '\n';
    return writeFileSafely(path, text);
}

} // namespace hxv5
