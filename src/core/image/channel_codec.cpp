#include "image/channel_codec.h"

#include <QCoreApplication>

#include "base/reference_tables.h"
#include "image/clone_image.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace hxv5 {

namespace {

constexpr qsizetype kRecordChars = 32;

// Field widths and the largest valid code of each code byte, in record order (columns 1..6).
struct CodeField
{
    int position; // 0-based character position
    int column;
    int maximum;
};

constexpr CodeField kCodeFields[] = {
    {10, kColMode, 2},
    {12, kColStep, kStepCount - 1},
    {14, kColTone, 3},
    {16, kColTxTone, kToneCount - 1},
    {18, kColRxTone, kToneCount - 1},
    {20, kColShift, 3},
};

QStringView field(QStringView record, qsizetype pos, qsizetype len)
{
    if (pos >= record.size())
        return {};
    return record.mid(pos, std::min(len, record.size() - pos));
}

bool isDecimalDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The leading decimal digits of a field; reading stops at the first other character.
QStringView leadingDigits(QStringView text)
{
    qsizetype n = 0;
    while (n < text.size() && isDecimalDigit(text.at(n)))
        ++n;
    return text.left(n);
}

std::int64_t digitsValue(QStringView digits)
{
    std::int64_t v = 0;
    for (QChar c : digits)
        v = v * 10 + (c.unicode() - u'0');
    return v;
}

// "W.F" read as a number: W is the leading decimal digits of the whole part, F the leading
// decimal digits of the fraction field (leading zeros kept, so "05000" is .05).
double decimalValue(QStringView whole, QStringView fraction)
{
    const std::int64_t w = digitsValue(leadingDigits(whole));
    const QStringView f = leadingDigits(fraction);
    std::int64_t scale = 1;
    for (qsizetype i = 0; i < f.size(); ++i)
        scale *= 10;
    // One division of two exact integers gives the closest double to the decimal value.
    return static_cast<double>(w * scale + digitsValue(f)) / static_cast<double>(scale);
}

QString codeText(int column, int code)
{
    switch (column) {
    case kColMode:
        return modeText(code);
    case kColStep:
        return stepText(code);
    case kColTone:
        return toneModeText(code);
    case kColTxTone:
    case kColRxTone:
        return toneText(code);
    case kColShift:
        return shiftText(code);
    default:
        return {};
    }
}

// A value scaled to whole units of the field and limited to what its digits can carry.
std::int64_t scaledValue(double value, double scale, std::int64_t largest)
{
    if (std::isnan(value) || value <= 0)
        return 0;
    const double scaled = std::round(value * scale);
    if (scaled >= static_cast<double>(largest))
        return largest;
    return static_cast<std::int64_t>(scaled);
}

} // namespace

// The words of the Mode, Tone and Shift columns are those of the files and the reports; a window
// shows them translated (base/shown_text.h).
QString modeText(int code)
{
    switch (code) {
    case 1:
        return QString::fromLatin1(QT_TRANSLATE_NOOP("hxv5::TableTexts", "AM"));
    case 2:
        return QString::fromLatin1(QT_TRANSLATE_NOOP("hxv5::TableTexts", "WFM"));
    default:
        return QString::fromLatin1(QT_TRANSLATE_NOOP("hxv5::TableTexts", "FM"));
    }
}

QString toneModeText(int code)
{
    switch (code) {
    case 1:
        return QString::fromLatin1(QT_TRANSLATE_NOOP("hxv5::TableTexts", "Tone"));
    case 2:
        return QString::fromLatin1(QT_TRANSLATE_NOOP("hxv5::TableTexts", "TSQ"));
    case 3:
        return QString::fromLatin1(QT_TRANSLATE_NOOP("hxv5::TableTexts", "Rev"));
    default:
        return QString::fromLatin1(QT_TRANSLATE_NOOP("hxv5::TableTexts", "None"));
    }
}

QString shiftText(int code)
{
    switch (code) {
    case 1:
        return QString::fromLatin1(QT_TRANSLATE_NOOP("hxv5::TableTexts", "+Shift"));
    case 2:
        return QString::fromLatin1(QT_TRANSLATE_NOOP("hxv5::TableTexts", "-Shift"));
    case 3:
        return QString::fromLatin1(QT_TRANSLATE_NOOP("hxv5::TableTexts", "Split"));
    default:
        return QString::fromLatin1(QT_TRANSLATE_NOOP("hxv5::TableTexts", "None"));
    }
}

bool decodeRecord(QStringView record, TableRow &row)
{
    const QStringView body = record.left(kRecordChars);
    if (body.indexOf(QLatin1String("FFFF")) >= 0)
        return false;

    const double frequency = decimalValue(field(body, 0, 4), field(body, 4, 5));
    if (frequency == 0.0) {
        row.clear();
        return false;
    }
    row.number[kColFrequency] = frequency;
    row.text[kColFrequency] = formatMHz(frequency);

    for (const CodeField &f : kCodeFields) {
        int code = leadingHexValue(field(body, f.position, 2));
        if (code > f.maximum)
            code = 0;
        row.number[static_cast<size_t>(f.column)] = code;
        row.text[static_cast<size_t>(f.column)] = codeText(f.column, code);
    }

    const double offset = decimalValue(field(body, 22, 2), field(body, 24, 5));
    row.number[kColShiftFreq] = offset;
    row.text[kColShiftFreq] = formatMHz(offset);
    return true;
}

QString encodeRecord(const TableRow &row)
{
    QString record;
    record.reserve(kRecordChars);

    const std::int64_t micro = scaledValue(row.number[kColFrequency], 1e6, 9999999999LL);
    record += QStringLiteral("%1").arg(micro, 10, 10, QLatin1Char('0'));

    for (const CodeField &f : kCodeFields) {
        const double n = row.number[static_cast<size_t>(f.column)];
        int code = 0;
        if (std::isfinite(n)) {
            const double r = std::nearbyint(n);
            if (r >= 0 && r <= f.maximum)
                code = static_cast<int>(r);
        }
        record += hexByteText(code);
    }

    const std::int64_t tenHz = scaledValue(row.number[kColShiftFreq], 1e5, 9999999LL);
    record += QStringLiteral("%1").arg(tenHz, 7, 10, QLatin1Char('0'));
    record += QLatin1String("0FF");
    return record;
}

TableRow channelRow(const ChannelCodes &codes, const QString &note)
{
    TableRow row;
    row.number = {codes.frequency,        double(codes.mode),   double(codes.step),
                  double(codes.toneMode), double(codes.txTone), double(codes.rxTone),
                  double(codes.shift),    codes.offset,         0.0};
    row.text = {formatMHz(codes.frequency),   modeText(codes.mode),    stepText(codes.step),
                toneModeText(codes.toneMode), toneText(codes.txTone),  toneText(codes.rxTone),
                shiftText(codes.shift),       formatMHz(codes.offset), note};
    return row;
}

} // namespace hxv5
