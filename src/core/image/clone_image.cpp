#include "image/clone_image.h"

#include "base/table_row.h"

#include <QCoreApplication>
#include <QStringList>

namespace hxv5 {

namespace {
// The messages of the program; the command line gives them in English, the window in the user's
// language.
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(hxv5::CloneImage)
};
} // namespace

QString blockAddress(int block)
{
    if (block < 0 || block > kLastBlock)
        return {};
    return QStringLiteral("%1").arg(block * 16, 4, 16, QLatin1Char('0')).toUpper();
}

QString blockName(int block)
{
    if (block >= 0 && block < kSlotCount)
        return Texts::tr("slot %1").arg(slotRowLabel(block));
    if (block == kSettingsBlock)
        return Texts::tr("settings block 213");
    if (block == kEnableBlock0 || block == kEnableBlock1)
        return Texts::tr("enable block %1").arg(block);
    if (block >= kFirstVfoBlock && block <= kLastBlock)
        return Texts::tr("VFO %1").arg(vfoRowLabel(block - kFirstVfoBlock));
    return {};
}

QString blockListText(const QList<int> &blocks)
{
    // Blocks of one kind: the slots, the VFO bands; the others stand alone.
    const auto kind = [](int block) {
        if (block < kSlotCount)
            return 0;
        return block >= kFirstVfoBlock ? 1 : 2 + block;
    };
    QStringList parts;
    for (qsizetype i = 0; i < blocks.size();) {
        qsizetype end = i + 1;
        while (end < blocks.size() && blocks.at(end) == blocks.at(end - 1) + 1 &&
               kind(blocks.at(end)) == kind(blocks.at(i)))
            ++end;
        if (end - i >= 3) {
            parts.append(
                Texts::tr("%1 to %2").arg(blockName(blocks.at(i)), blockName(blocks.at(end - 1))));
        } else {
            for (qsizetype k = i; k < end; ++k)
                parts.append(blockName(blocks.at(k)));
        }
        i = end;
    }
    return parts.join(Texts::tr(", "));
}

int leadingHexValue(QStringView field)
{
    int value = 0;
    for (QChar c : field) {
        const char16_t u = c.unicode();
        int digit;
        if (u >= u'0' && u <= u'9')
            digit = u - u'0';
        else if (u >= u'A' && u <= u'F')
            digit = u - u'A' + 10;
        else if (u >= u'a' && u <= u'f')
            digit = u - u'a' + 10;
        else
            break;
        value = value * 16 + digit;
    }
    return value;
}

QString hexByteText(int value)
{
    return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
}

QString HexDigitToBits(QStringView digit)
{
    if (digit.size() == 1) {
        const char16_t c = digit.at(0).unicode();
        int value = -1;
        if (c >= u'0' && c <= u'9')
            value = c - u'0';
        else if (c >= u'A' && c <= u'F')
            value = c - u'A' + 10;
        if (value >= 0) {
            QString bits(4, QLatin1Char('0'));
            for (int i = 0; i < 4; ++i) {
                if (value & (8 >> i))
                    bits[i] = QLatin1Char('1');
            }
            return bits;
        }
    }
    return QStringLiteral("0000");
}

QString BitsToHexDigit(QStringView bits)
{
    if (bits.size() != 4)
        return {};
    int value = 0;
    for (QChar c : bits) {
        if (c == QLatin1Char('1'))
            value = value * 2 + 1;
        else if (c == QLatin1Char('0'))
            value = value * 2;
        else
            return {};
    }
    return QString(QLatin1Char("0123456789ABCDEF"[value]));
}

QString SetRecordByte(const QString &record, const QString &byteText, int k)
{
    if (k < 0 || k > 15)
        return record;
    return record.left(2 * k) + byteText + record.right(30 - 2 * k);
}

QString DefaultSettingsRecord(int selectedModel)
{
    switch (selectedModel) {
    case 4:
        return QStringLiteral("A5040A0304000000000200006C23FFFF");
    case 5:
        return QStringLiteral("A5050A0304000000000200006C23FFFF");
    default:
        return QStringLiteral("A5000A0304000000000200006C23FFFF");
    }
}

EnableFlags BitmapToFlags(const EnableBlocks &blocks)
{
    // Each block covers its own 128 slots: a short or damaged first block must not pull the
    // second block's flags forward, so the blocks are read digit by digit, not joined.
    QString bits;
    bits.reserve(256);
    for (const QString &block : blocks) {
        for (qsizetype i = 0; i < kRecordLength; ++i)
            bits += HexDigitToBits(i < block.size() ? QStringView(block).mid(i, 1) : QStringView());
    }
    EnableFlags flags{};
    for (size_t j = 0; j < flags.size(); ++j)
        flags[j] = bits.at(static_cast<qsizetype>(j)) == QLatin1Char('1');
    return flags;
}

EnableBlocks FlagsToBitmap(const EnableFlags &flags)
{
    QString bits;
    bits.reserve(256);
    for (bool f : flags)
        bits += f ? QLatin1Char('1') : QLatin1Char('0');
    bits += QString(256 - bits.size(), QLatin1Char('0'));
    QString digits;
    digits.reserve(64);
    for (int k = 0; k < 64; ++k)
        digits += BitsToHexDigit(QStringView(bits).mid(4 * k, 4));
    return {digits.left(32), digits.mid(32)};
}

} // namespace hxv5
