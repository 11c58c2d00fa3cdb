#include "image/clone_image.h"

#include <QRandomGenerator>
#include <QTest>

using namespace hxv5;

class TestCloneImage : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void hexDigitToBits_data();
    void hexDigitToBits();
    void bitsToHexDigit_data();
    void bitsToHexDigit();
    void setRecordByte_data();
    void setRecordByte();
    void defaultSettingsRecord();
    void blockAddress_data();
    void blockAddress();
    void flagsToBitmap_data();
    void flagsToBitmap();
    void bitmapToFlags_data();
    void bitmapToFlags();
    void shortBlockClearsOnlyItsOwnSlots_data();
    void shortBlockClearsOnlyItsOwnSlots();
    void bitmapRoundTrip();
};

void TestCloneImage::hexDigitToBits_data()
{
    QTest::addColumn<QString>("digit");
    QTest::addColumn<QString>("bits");
    QTest::newRow("0") << "0"
                       << "0000";
    QTest::newRow("1") << "1"
                       << "0001";
    QTest::newRow("9") << "9"
                       << "1001";
    QTest::newRow("A") << "A"
                       << "1010";
    QTest::newRow("C") << "C"
                       << "1100";
    QTest::newRow("F") << "F"
                       << "1111";
    QTest::newRow("lower case") << "f"
                                << "0000";
    QTest::newRow("empty") << ""
                           << "0000";
    QTest::newRow("two characters") << "1F"
                                    << "0000";
    QTest::newRow("not hex") << "G"
                             << "0000";
}

void TestCloneImage::hexDigitToBits()
{
    QFETCH(QString, digit);
    QFETCH(QString, bits);
    QCOMPARE(HexDigitToBits(digit), bits);
}

void TestCloneImage::bitsToHexDigit_data()
{
    QTest::addColumn<QString>("bits");
    QTest::addColumn<QString>("digit");
    QTest::newRow("0000") << "0000"
                          << "0";
    QTest::newRow("0111") << "0111"
                          << "7";
    QTest::newRow("1010") << "1010"
                          << "A";
    QTest::newRow("1111") << "1111"
                          << "F";
    QTest::newRow("three") << "111"
                           << "";
    QTest::newRow("five") << "00001"
                          << "";
    QTest::newRow("not binary") << "0120"
                                << "";
    QTest::newRow("empty") << ""
                           << "";
}

void TestCloneImage::bitsToHexDigit()
{
    QFETCH(QString, bits);
    QFETCH(QString, digit);
    QCOMPARE(BitsToHexDigit(bits), digit);
}

void TestCloneImage::setRecordByte_data()
{
    const QString record = QStringLiteral("A5070A0304000000000200006C23FFFF");
    QTest::addColumn<QString>("record");
    QTest::addColumn<QString>("byteText");
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("expected");
    QTest::newRow("byte 1") << record << "00" << 1 << "A5000A0304000000000200006C23FFFF";
    QTest::newRow("byte 0") << record << "5A" << 0 << "5A070A0304000000000200006C23FFFF";
    QTest::newRow("byte 15") << record << "00" << 15 << "A5070A0304000000000200006C23FF00";
    QTest::newRow("k 16") << record << "00" << 16 << record;
    QTest::newRow("k -1") << record << "00" << -1 << record;
}

void TestCloneImage::setRecordByte()
{
    QFETCH(QString, record);
    QFETCH(QString, byteText);
    QFETCH(int, k);
    QFETCH(QString, expected);
    QCOMPARE(SetRecordByte(record, byteText, k), expected);
}

void TestCloneImage::defaultSettingsRecord()
{
    QCOMPARE(DefaultSettingsRecord(4), QStringLiteral("A5040A0304000000000200006C23FFFF"));
    QCOMPARE(DefaultSettingsRecord(5), QStringLiteral("A5050A0304000000000200006C23FFFF"));
    for (int model : {-1, 0, 1, 2, 3})
        QCOMPARE(DefaultSettingsRecord(model), QStringLiteral("A5000A0304000000000200006C23FFFF"));
}

void TestCloneImage::blockAddress_data()
{
    QTest::addColumn<int>("block");
    QTest::addColumn<QString>("address");
    QTest::newRow("0") << 0 << "0000";
    QTest::newRow("5") << 5 << "0050";
    QTest::newRow("212") << 212 << "0D40";
    QTest::newRow("213") << 213 << "0D50";
    QTest::newRow("214") << 214 << "0D60";
    QTest::newRow("222") << 222 << "0DE0";
    QTest::newRow("223") << 223 << "";
    QTest::newRow("-1") << -1 << "";
}

void TestCloneImage::blockAddress()
{
    QFETCH(int, block);
    QFETCH(QString, address);
    QCOMPARE(hxv5::blockAddress(block), address);
}

void TestCloneImage::flagsToBitmap_data()
{
    QTest::addColumn<QList<int>>("enabledSlots"); // {-1}: all
    QTest::addColumn<QString>("block0");
    QTest::addColumn<QString>("block1");
    QTest::newRow("none") << QList<int>{} << QString(32, QLatin1Char('0'))
                          << QString(32, QLatin1Char('0'));
    QTest::newRow("0 and 212") << QList<int>{0, 212} << "80000000000000000000000000000000"
                               << "00000000000000000000080000000000";
    QTest::newRow("7 8 127 128") << QList<int>{7, 8, 127, 128} << "01800000000000000000000000000001"
                                 << "80000000000000000000000000000000";
    QTest::newRow("all") << QList<int>{-1} << QString(32, QLatin1Char('F'))
                         << "FFFFFFFFFFFFFFFFFFFFF80000000000";
}

void TestCloneImage::flagsToBitmap()
{
    QFETCH(QList<int>, enabledSlots);
    QFETCH(QString, block0);
    QFETCH(QString, block1);
    EnableFlags flags{};
    if (enabledSlots == QList<int>{-1})
        flags.fill(true);
    for (int s : enabledSlots)
        if (s >= 0)
            flags[static_cast<size_t>(s)] = true;
    const EnableBlocks blocks = FlagsToBitmap(flags);
    QCOMPARE(blocks[0], block0);
    QCOMPARE(blocks[1], block1);
}

void TestCloneImage::bitmapToFlags_data()
{
    QTest::addColumn<QString>("block0");
    QTest::addColumn<QString>("block1");
    QTest::addColumn<int>("enabledCount");
    QTest::addColumn<QList<int>>("someEnabled");
    QTest::newRow("all F") << QString(32, QLatin1Char('F')) << QString(32, QLatin1Char('F')) << 213
                           << QList<int>{0, 212};
    QTest::newRow("lower case clears")
        << QString(32, QLatin1Char('f')) << QString(32, QLatin1Char('F')) << 85
        << QList<int>{128, 212};
    QTest::newRow("empty blocks") << QString() << QString() << 0 << QList<int>{};
    QTest::newRow("short block 0")
        << QStringLiteral("8") << QString(32, QLatin1Char('0')) << 1 << QList<int>{0};
    QTest::newRow("bits past 212 ignored")
        << QString(32, QLatin1Char('0')) << "00000000000000000000000FFFFFFFFF" << 0 << QList<int>{};
}

void TestCloneImage::bitmapToFlags()
{
    QFETCH(QString, block0);
    QFETCH(QString, block1);
    QFETCH(int, enabledCount);
    QFETCH(QList<int>, someEnabled);
    const EnableFlags flags = BitmapToFlags({block0, block1});
    QCOMPARE(static_cast<int>(std::count(flags.begin(), flags.end(), true)), enabledCount);
    for (int s : someEnabled)
        QVERIFY(flags[static_cast<size_t>(s)]);
}

void TestCloneImage::shortBlockClearsOnlyItsOwnSlots_data()
{
    QTest::addColumn<QString>("block0");
    QTest::addColumn<QString>("block1");
    QTest::addColumn<QList<int>>("enabled"); // every enabled slot, in order

    const QString ones(32, QLatin1Char('F'));
    QList<int> second; // slots 128..212
    for (int s = 128; s < 213; ++s)
        second << s;
    QTest::newRow("one digit, second block in place")
        << QStringLiteral("F") << QStringLiteral("8") + QString(31, QLatin1Char('0'))
        << QList<int>{0, 1, 2, 3, 128};
    QTest::newRow("empty first block") << QString() << ones << second;
    QList<int> firstHalf;
    for (int s = 0; s < 64; ++s)
        firstHalf << s;
    QTest::newRow("half a first block") << QString(16, QLatin1Char('F')) << QString() << firstHalf;
    // A damaged first block that runs long does not push the second block back either.
    QTest::newRow("long first block")
        << QString(32, QLatin1Char('0')) + QStringLiteral("FF")
        << QStringLiteral("4") + QString(31, QLatin1Char('0')) << QList<int>{129};
}

void TestCloneImage::shortBlockClearsOnlyItsOwnSlots()
{
    QFETCH(QString, block0);
    QFETCH(QString, block1);
    QFETCH(QList<int>, enabled);
    const EnableFlags flags = BitmapToFlags({block0, block1});
    QList<int> shown;
    for (int s = 0; s < 213; ++s) {
        if (flags[static_cast<size_t>(s)])
            shown << s;
    }
    QCOMPARE(shown, enabled);
}

// Thousands of random flag sets survive packing and unpacking, and random upper-case blocks
// survive unpacking and packing once the bits past slot 212 are cleared.
void TestCloneImage::bitmapRoundTrip()
{
    QRandomGenerator rng(20261208);
    for (int round = 0; round < 3000; ++round) {
        EnableFlags flags{};
        for (bool &f : flags)
            f = rng.bounded(2) == 1;
        const EnableBlocks blocks = FlagsToBitmap(flags);
        QCOMPARE(blocks[0].size(), 32);
        QCOMPARE(blocks[1].size(), 32);
        QCOMPARE(BitmapToFlags(blocks), flags);

        QString digits;
        for (int i = 0; i < 64; ++i)
            digits += QLatin1Char("0123456789ABCDEF"[rng.bounded(16)]);
        // Bits 213..255 are not slots: digit 53 keeps its top 1 bit, digits 54.. are cleared.
        QString expected = digits.left(53);
        expected +=
            BitsToHexDigit(HexDigitToBits(digits.mid(53, 1)).left(1) + QStringLiteral("000"));
        expected += QString(10, QLatin1Char('0'));
        const EnableBlocks repacked =
            FlagsToBitmap(BitmapToFlags({digits.left(32), digits.mid(32)}));
        QCOMPARE(repacked[0] + repacked[1], expected);
    }
}

QTEST_GUILESS_MAIN(TestCloneImage)
#include "tst_clone_image.moc"
