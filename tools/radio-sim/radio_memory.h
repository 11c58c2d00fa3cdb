#pragma once

#include <QByteArray>
#include <QString>

namespace hxv5 {

// The simulated radio's memory: blocks 0..222 as bytes. Bytes past the image read as FF, the way
// the radio shows memory it does not use.
class RadioMemory
{
public:
    static constexpr int kBlockCount = 223;
    static constexpr int kBlockSize = 16;
    static constexpr int kSize = kBlockCount * kBlockSize;

    // Every byte FF: a radio that has never been programmed.
    RadioMemory();

    // A believable radio fresh from the shop: a few channels (two of them disabled), the
    // program-scan edges, the auto-program limits, the priority channel, band defaults and the
    // default settings block.
    static RadioMemory factoryImage();

    // The 16 bytes from address on.
    QByteArray read(int address) const;
    // False, and nothing written, when any byte would fall outside the image.
    bool write(int address, const QByteArray &bytes);

    // The file holds one line per block, 32 hexadecimal digits each. load() leaves the memory
    // untouched unless the whole file is valid.
    enum class LoadResult { Loaded, Unreadable, NotAMemoryFile };
    LoadResult load(const QString &path);
    // Replaces the file whole or not at all, by the rules of the program's own saves.
    bool save(const QString &path) const;

private:
    QByteArray m_bytes;
};

} // namespace hxv5
