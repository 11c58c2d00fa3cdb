// Any input as a channel or VFO record: the decoder must neither crash nor leave a text that
// disagrees with its number, and whatever it leaves must encode to a valid record.
#include "image/channel_codec.h"

#include <QString>

#include <cstdint>
#include <cstdlib>

using namespace hxv5;

namespace {

bool validRecord(const QString &record)
{
    if (record.size() != 32 || record.contains(QLatin1String("FFFF")))
        return false;
    for (QChar c : record) {
        if (!((c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
              (c >= QLatin1Char('A') && c <= QLatin1Char('F'))))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString record =
        QString::fromLatin1(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    TableRow row;
    row.text[kColNotes] = QStringLiteral("note");
    if (decodeRecord(record, row)) {
        if (row.text[kColFrequency] != formatMHz(row.number[kColFrequency]) ||
            row.text[kColShiftFreq] != formatMHz(row.number[kColShiftFreq]) ||
            row.text[kColMode] != modeText(static_cast<int>(row.number[kColMode])) ||
            row.text[kColShift] != shiftText(static_cast<int>(row.number[kColShift])) ||
            row.text[kColNotes] != QLatin1String("note"))
            std::abort();
        TableRow again;
        if (!decodeRecord(encodeRecord(row), again))
            std::abort();
    }
    if (!validRecord(encodeRecord(row)))
        std::abort();
    return 0;
}
