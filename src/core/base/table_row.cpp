#include "base/table_row.h"

#include <QCoreApplication>

#include <cmath>

namespace hxv5 {

void TableRow::clear()
{
    for (QString &t : text)
        t.clear();
    number.fill(0.0);
}

QString formatMHz(double mhz)
{
    if (!std::isfinite(mhz))
        mhz = 0.0;
    QString s = QString::number(std::fabs(mhz), 'f', 5);
    if (s.startsWith(QLatin1String("0.")))
        s.remove(0, 1);
    if (mhz < 0 && s != QLatin1String(".00000"))
        s.prepend(QLatin1Char('-'));
    return s;
}

QString columnHeader(int column)
{
    // Also the names the files and reports use; a window shows them translated.
    static const char *const headers[kColumnCount] = {
        QT_TRANSLATE_NOOP("hxv5::TableTexts", "Frequency"),
        QT_TRANSLATE_NOOP("hxv5::TableTexts", "Mode"),
        QT_TRANSLATE_NOOP("hxv5::TableTexts", "Step"),
        QT_TRANSLATE_NOOP("hxv5::TableTexts", "Tone"),
        QT_TRANSLATE_NOOP("hxv5::TableTexts", "TxTone"),
        QT_TRANSLATE_NOOP("hxv5::TableTexts", "RxTone"),
        QT_TRANSLATE_NOOP("hxv5::TableTexts", "Shift"),
        QT_TRANSLATE_NOOP("hxv5::TableTexts", "ShiftFreq."),
        QT_TRANSLATE_NOOP("hxv5::TableTexts", "Notes"),
    };
    if (column < 0 || column >= kColumnCount)
        return {};
    return QString::fromLatin1(headers[column]);
}

QString slotRowLabel(int slot)
{
    static const char *const labels[kSpecialSlotCount] = {
        "P0A", "P0B", "P1A", "P1B", "P2A", "P2B", "P3A", "P3B", "P4A", "P4B", "A-L", "A-H", "Pri",
    };
    if (slot >= 0 && slot < kChannelCount)
        return QString::number(slot);
    if (slot >= kChannelCount && slot < kSlotCount)
        return QString::fromLatin1(labels[slot - kChannelCount]);
    return {};
}

QString slotDialogLabel(int slot)
{
    if (slot >= 0 && slot < kChannelCount)
        return QString::number(slot) + QLatin1String("Ch");
    return dialogLabel(slot - kChannelCount);
}

QString vfoRowLabel(int row)
{
    // The bands' names on the radio; "Air" is also shown translated.
    static const char *const labels[kVfoRowCount] = {
        "AM", "SW", "FM", QT_TRANSLATE_NOOP("hxv5::TableTexts", "Air"), "VHF", "L-UHF", "H-UHF"};
    if (row < 0 || row >= kVfoRowCount)
        return {};
    return QString::fromLatin1(labels[row]);
}

} // namespace hxv5
