#include "image/settings_codec.h"

#include "image/clone_image.h"

namespace hxv5 {

namespace {

int hexByte(const QString &record, int byte)
{
    return leadingHexValue(QStringView(record).mid(2 * byte, 2));
}

// The value of a numeric byte, or its fallback (written into the record) when out of range.
int readField(QString &record, int byte, int largest, int fallback)
{
    const int v = hexByte(record, byte);
    if (v <= largest)
        return v;
    record = SetRecordByte(record, hexByteText(fallback), byte);
    return fallback;
}

QString byteBits(const QString &record, int byte)
{
    return HexDigitToBits(QStringView(record).mid(2 * byte, 1)) +
           HexDigitToBits(QStringView(record).mid(2 * byte + 1, 1));
}

QString bit(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

SettingsValues decodeSettingsValues(QString &record, int selectedModel)
{
    if (record.size() != kRecordLength || !record.startsWith(QLatin1String("A5")))
        record = DefaultSettingsRecord(selectedModel);

    SettingsValues v;

    v.model = readField(record, 1, 5, 0);
    v.volume = readField(record, 2, SettingsValues::kVolumeMax, 10);
    v.squelch = readField(record, 3, SettingsValues::kSquelchMax, 1);
    v.band = readField(record, 4, 6, 0);
    v.memoryChannel = readField(record, 5, 212, 0);

    // Operating mode: which of the four modes, whether scan is on, and what the priority and bug
    // modes work on.
    struct OperatingMode
    {
        int mode;
        bool scanOn;
        int priorityMode;
    };
    static constexpr OperatingMode kOperatingModes[8] = {
        {0, false, 0}, {1, false, 1}, {2, false, 0}, {2, false, 1},
        {3, false, 0}, {3, false, 1}, {0, true, 0},  {1, true, 1},
    };
    const OperatingMode &op = kOperatingModes[readField(record, 6, 7, 0)];
    v.operatingMode = op.mode;
    v.scanOn = op.scanOn;
    v.priorityMode = op.priorityMode;

    v.scanMode = readField(record, 7, 11, 0);
    v.autoPowerOff = readField(record, 8, 3, 0);
    v.bugLevel = readField(record, 9, 4, 1);
    v.toneBurst = readField(record, 11, 3, 0);

    const QString functions = byteBits(record, 12);
    for (int i = 0; i < SettingsValues::kFlagCount; ++i)
        v.functionFlags[static_cast<size_t>(i)] = functions.at(i) == QLatin1Char('1');

    const QString switches = byteBits(record, 13);
    v.autoProgram = switches.at(0) == QLatin1Char('1');
    v.scanResume = switches.at(1) == QLatin1Char('1') ? 1 : 0;
    v.autoStep = switches.at(2) == QLatin1Char('1');
    v.loVolume = switches.at(3) == QLatin1Char('1');
    v.txExtension = switches.at(5) == QLatin1Char('1');
    return v;
}

QString encodeSettingsValues(const SettingsValues &v)
{
    QString r = QStringLiteral("A5");
    const int model = v.model;
    r += hexByteText(model >= 0 && model <= 4 ? model : 5);
    r += hexByteText(v.volume);
    r += hexByteText(v.squelch);
    const int band = v.band;
    r += hexByteText(band >= 0 && band <= 5 ? band : 6);
    r += hexByteText(qMax(v.memoryChannel, 0));

    int opCode;
    switch (v.operatingMode) {
    case 0:
        opCode = v.scanOn ? 6 : 0;
        break;
    case 1:
        opCode = v.scanOn ? 7 : 1;
        break;
    case 2:
        opCode = v.priorityMode == 0 ? 2 : 3;
        break;
    default:
        opCode = v.priorityMode == 0 ? 4 : 5;
        break;
    }
    r += hexByteText(opCode);

    r += hexByteText(qMax(v.scanMode, 0));
    const int apo = v.autoPowerOff;
    r += hexByteText(apo >= 0 && apo <= 2 ? apo : 3);
    const int bug = v.bugLevel;
    r += hexByteText(bug >= 0 && bug <= 3 ? bug : 4);
    r += QLatin1String("00");
    const int burst = v.toneBurst;
    r += hexByteText(burst >= 0 && burst <= 2 ? burst : 3);

    QString functions;
    for (bool on : v.functionFlags)
        functions += bit(on);
    r += BitsToHexDigit(QStringView(functions).left(4));
    r += BitsToHexDigit(QStringView(functions).mid(4));

    r += BitsToHexDigit(
        QString(bit(v.autoProgram) + bit(v.scanResume != 0) + bit(v.autoStep) + bit(v.loVolume)));
    r += BitsToHexDigit(QString(QStringLiteral("0") + bit(v.txExtension) + QStringLiteral("11")));
    r += QLatin1String("FFFF");
    return r;
}

} // namespace hxv5
