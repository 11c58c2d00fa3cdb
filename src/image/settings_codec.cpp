#include "image/settings_codec.h"

#include "image/clone_image.h"
#include "settings/settings_model.h"

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

void DecodeSettingsRecord(QString &record, SettingsModel &s)
{
    if (record.size() != kRecordLength || !record.startsWith(QLatin1String("A5")))
        record = DefaultSettingsRecord(s.model());

    s.setModel(readField(record, 1, 5, 0));
    s.setVolume(readField(record, 2, SettingsModel::kVolumeMax, 10));
    s.setSquelch(readField(record, 3, SettingsModel::kSquelchMax, 1));
    s.setBand(readField(record, 4, 6, 0));
    s.setMemoryChannel(readField(record, 5, 212, 0));

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
    s.setOperatingMode(op.mode);
    s.setScanOn(op.scanOn);
    s.setPriorityMode(op.priorityMode);

    s.setScanMode(readField(record, 7, 11, 0));
    s.setAutoPowerOff(readField(record, 8, 3, 0));
    s.setBugLevel(readField(record, 9, 4, 1));
    s.setToneBurst(readField(record, 11, 3, 0));

    const QString functions = byteBits(record, 12);
    for (int i = 0; i < SettingsModel::kFlagCount; ++i)
        s.setFunctionFlag(i, functions.at(i) == QLatin1Char('1'));

    const QString switches = byteBits(record, 13);
    s.setAutoProgram(switches.at(0) == QLatin1Char('1'));
    s.setScanResume(switches.at(1) == QLatin1Char('1') ? 1 : 0);
    s.setAutoStep(switches.at(2) == QLatin1Char('1'));
    s.setLoVolume(switches.at(3) == QLatin1Char('1'));
    s.setTxExtension(switches.at(5) == QLatin1Char('1'));
}

QString EncodeSettingsRecord(const SettingsModel &s)
{
    QString r = QStringLiteral("A5");
    const int model = s.model();
    r += hexByteText(model >= 0 && model <= 4 ? model : 5);
    r += hexByteText(s.volume());
    r += hexByteText(s.squelch());
    const int band = s.band();
    r += hexByteText(band >= 0 && band <= 5 ? band : 6);
    r += hexByteText(qMax(s.memoryChannel(), 0));

    int opCode;
    switch (s.operatingMode()) {
    case 0:
        opCode = s.scanOn() ? 6 : 0;
        break;
    case 1:
        opCode = s.scanOn() ? 7 : 1;
        break;
    case 2:
        opCode = s.priorityMode() == 0 ? 2 : 3;
        break;
    default:
        opCode = s.priorityMode() == 0 ? 4 : 5;
        break;
    }
    r += hexByteText(opCode);

    r += hexByteText(qMax(s.scanMode(), 0));
    const int apo = s.autoPowerOff();
    r += hexByteText(apo >= 0 && apo <= 2 ? apo : 3);
    const int bug = s.bugLevel();
    r += hexByteText(bug >= 0 && bug <= 3 ? bug : 4);
    r += QLatin1String("00");
    const int burst = s.toneBurst();
    r += hexByteText(burst >= 0 && burst <= 2 ? burst : 3);

    QString functions;
    for (int i = 0; i < SettingsModel::kFlagCount; ++i)
        functions += bit(s.functionFlag(i));
    r += BitsToHexDigit(QStringView(functions).left(4));
    r += BitsToHexDigit(QStringView(functions).mid(4));

    r += BitsToHexDigit(QString(bit(s.autoProgram()) + bit(s.scanResume() != 0) +
                                bit(s.autoStep()) + bit(s.loVolume())));
    r += BitsToHexDigit(QString(QStringLiteral("0") + bit(s.txExtension()) + QStringLiteral("11")));
    r += QLatin1String("FFFF");
    return r;
}

} // namespace hxv5
