#include "base/reference_tables.h"
#include "image/channel_codec.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>

using namespace hxv5;

namespace {

TableRow filledRow()
{
    TableRow row;
    for (int c = 0; c < kColumnCount; ++c) {
        row.text[static_cast<size_t>(c)] = QStringLiteral("old %1").arg(c);
        row.number[static_cast<size_t>(c)] = 1;
    }
    row.text[kColNotes] = QStringLiteral("my note");
    row.number[kColNotes] = 0;
    return row;
}

bool isValidRecord(const QString &record)
{
    if (record.size() != 32 || record.contains(QLatin1String("FFFF")))
        return false;
    for (QChar c : record)
        if (!QStringLiteral("0123456789ABCDEF").contains(c))
            return false;
    return true;
}

// The text a decoder writes for each column must be the text of the number it wrote.
void verifyTextsMatchNumbers(const TableRow &row)
{
    QCOMPARE(row.text[kColFrequency], formatMHz(row.number[kColFrequency]));
    QCOMPARE(row.text[kColMode], modeText(static_cast<int>(row.number[kColMode])));
    QCOMPARE(row.text[kColStep], stepText(static_cast<int>(row.number[kColStep])));
    QCOMPARE(row.text[kColTone], toneModeText(static_cast<int>(row.number[kColTone])));
    QCOMPARE(row.text[kColTxTone], toneText(static_cast<int>(row.number[kColTxTone])));
    QCOMPARE(row.text[kColRxTone], toneText(static_cast<int>(row.number[kColRxTone])));
    QCOMPARE(row.text[kColShift], shiftText(static_cast<int>(row.number[kColShift])));
    QCOMPARE(row.text[kColShiftFreq], formatMHz(row.number[kColShiftFreq]));
    QVERIFY(!row.text[kColStep].isEmpty());
    QVERIFY(!row.text[kColTxTone].isEmpty());
    QVERIFY(!row.text[kColRxTone].isEmpty());
}

} // namespace

class TestChannelCodec : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void decode_data();
    void decode();
    void untouchedRecords_data();
    void untouchedRecords();
    void zeroFrequencyEmptiesRow();
    void encode_data();
    void encode();
    void encodeOutOfRecordLimits_data();
    void encodeOutOfRecordLimits();
    void formatMHz_data();
    void formatMHz();
    void roundTripRandomRecords();
    void arbitraryRecordsNeverBreakTheRow();
};

void TestChannelCodec::decode_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<double>("frequency");
    QTest::addColumn<QStringList>("texts"); // columns 0..7

    QTest::newRow("145.5 minus shift") << "014550000000050008080200600000FF" << 145.5
                                       << QStringList{"145.50000", "FM",     "12.5KHz", "None",
                                                      "88.5Hz",    "88.5Hz", "-Shift",  ".60000"};
    QTest::newRow("AM broadcast") << "000053100001000000000000000000FF" << 0.531
                                  << QStringList{".53100", "AM",     "9KHz", "None",
                                                 "67.0Hz", "67.0Hz", "None", ".00000"};
    QTest::newRow("mode 5 falls back to FM, step 0x13 to 9KHz")
        << "014550000005130326080301050000FF" << 145.5
        << QStringList{"145.50000", "FM", "9KHz", "Rev", "250.3Hz", "88.5Hz", "Split", "1.05000"};
    QTest::newRow("tone 39 and shift 4 fall back to 0")
        << "043300000002120127270405000000FF" << 433.0
        << QStringList{"433.00000", "WFM", "8MHz", "Tone", "67.0Hz", "67.0Hz", "None", "5.00000"};
    QTest::newRow("10 Hz truncation")
        << "014512345600000000000000000000FF" << 145.12345
        << QStringList{"145.12345", "FM", "9KHz", "None", "67.0Hz", "67.0Hz", "None", ".00000"};
    QTest::newRow("non-digit ends whole MHz")
        << "01A550000000000000000000000000FF" << 1.5
        << QStringList{"1.50000", "FM", "9KHz", "None", "67.0Hz", "67.0Hz", "None", ".00000"};
    QTest::newRow("non-digit ends fraction")
        << "01455A000000000000000000000000FF" << 145.5
        << QStringList{"145.50000", "FM", "9KHz", "None", "67.0Hz", "67.0Hz", "None", ".00000"};
    QTest::newRow("largest frequency")
        << "999999999000000000000099999990FF" << 9999.99999
        << QStringList{"9999.99999", "FM", "9KHz", "None", "67.0Hz", "67.0Hz", "None", "99.99999"};
}

void TestChannelCodec::decode()
{
    QFETCH(QString, record);
    QFETCH(double, frequency);
    QFETCH(QStringList, texts);
    TableRow row = filledRow();
    QVERIFY(decodeRecord(record, row));
    QCOMPARE(row.number[kColFrequency], frequency);
    for (int c = 0; c < 8; ++c)
        QCOMPARE(row.text[static_cast<size_t>(c)], texts.at(c));
    QCOMPARE(row.text[kColNotes], QStringLiteral("my note"));
    verifyTextsMatchNumbers(row);
}

void TestChannelCodec::untouchedRecords_data()
{
    QTest::addColumn<QString>("record");
    QTest::newRow("all F") << QString(32, QLatin1Char('F'));
    QTest::newRow("FFFF at the start") << "FFFF5000000005000808020060000000";
    QTest::newRow("FFFF across fields") << "01455000000005FFFF08020060000000";
    QTest::newRow("FFFF at position 29") << "0145500000000500080802006000FFFF";
}

void TestChannelCodec::untouchedRecords()
{
    QFETCH(QString, record);
    TableRow row = filledRow();
    const TableRow before = row;
    QVERIFY(!decodeRecord(record, row));
    QCOMPARE(row, before);
}

void TestChannelCodec::zeroFrequencyEmptiesRow()
{
    for (const QString &record :
         {QStringLiteral("0000000000050008080200600000FF00"), QString(32, QLatin1Char('0')),
          QStringLiteral("ZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZ"), QString()}) {
        TableRow row = filledRow();
        QVERIFY(!decodeRecord(record, row));
        QCOMPARE(row, TableRow());
        QVERIFY(row.isEmpty());
    }
}

void TestChannelCodec::encode_data()
{
    QTest::addColumn<QList<double>>("numbers"); // columns 0..7
    QTest::addColumn<QString>("record");
    QTest::newRow("145.5 minus shift")
        << QList<double>{145.5, 0, 5, 0, 8, 8, 2, 0.6} << "014550000000050008080200600000FF";
    QTest::newRow("0.531") << QList<double>{0.531, 1, 0, 0, 0, 0, 0, 0}
                           << "000053100001000000000000000000FF";
    QTest::newRow("shift 5") << QList<double>{433, 0, 7, 0, 8, 8, 0, 5}
                             << "043300000000070008080005000000FF";
    QTest::newRow("1 Hz digit written")
        << QList<double>{145.123456, 0, 0, 0, 0, 0, 0, 0} << "014512345600000000000000000000FF";
    QTest::newRow("empty slot") << QList<double>{0, 0, 0, 0, 0, 0, 0, 0}
                                << "000000000000000000000000000000FF";
    QTest::newRow("codes in hex") << QList<double>{10, 2, 18, 3, 38, 37, 3, 99.99999}
                                  << "001000000002120326250399999990FF";
}

void TestChannelCodec::encode()
{
    QFETCH(QList<double>, numbers);
    QFETCH(QString, record);
    TableRow row;
    for (int c = 0; c < 8; ++c)
        row.number[static_cast<size_t>(c)] = numbers.at(c);
    row.text[kColFrequency] = QStringLiteral("texts are not consulted");
    QCOMPARE(encodeRecord(row), record);
}

// Values the record cannot carry still give 32 valid characters, by the documented rule.
void TestChannelCodec::encodeOutOfRecordLimits_data()
{
    const double nan = std::nan("");
    QTest::addColumn<QList<double>>("numbers");
    QTest::addColumn<QString>("record");
    QTest::newRow("negative frequency")
        << QList<double>{-145.5, 0, 0, 0, 0, 0, 0, 0} << "000000000000000000000000000000FF";
    QTest::newRow("10000 MHz") << QList<double>{10000, 0, 0, 0, 0, 0, 0, 0}
                               << "999999999900000000000000000000FF";
    QTest::newRow("rounds up past the top")
        << QList<double>{9999.9999996, 0, 0, 0, 0, 0, 0, 0} << "999999999900000000000000000000FF";
    QTest::newRow("shift 100 MHz")
        << QList<double>{145, 0, 0, 0, 0, 0, 3, 100} << "014500000000000000000399999990FF";
    QTest::newRow("shift 435 MHz")
        << QList<double>{145, 0, 0, 0, 0, 0, 3, 435.5} << "014500000000000000000399999990FF";
    QTest::newRow("negative shift")
        << QList<double>{145, 0, 0, 0, 0, 0, 1, -0.6} << "014500000000000000000100000000FF";
    QTest::newRow("codes out of range")
        << QList<double>{145, 255, 19, 4, 39, 255, 4, 0} << "014500000000000000000000000000FF";
    QTest::newRow("negative codes")
        << QList<double>{145, -1, -2, -3, -4, -5, -6, 0} << "014500000000000000000000000000FF";
    QTest::newRow("not numbers") << QList<double>{nan, nan, nan, nan, nan, nan, nan, nan}
                                 << "000000000000000000000000000000FF";
    QTest::newRow("infinite") << QList<double>{INFINITY, 1.4, 1.6, 2.5, 0, 0, 0, -INFINITY}
                              << "999999999901020200000000000000FF";
}

void TestChannelCodec::encodeOutOfRecordLimits()
{
    QFETCH(QList<double>, numbers);
    QFETCH(QString, record);
    TableRow row;
    for (int c = 0; c < 8; ++c)
        row.number[static_cast<size_t>(c)] = numbers.at(c);
    const QString encoded = encodeRecord(row);
    QCOMPARE(encoded, record);
    QVERIFY(isValidRecord(encoded));
}

void TestChannelCodec::formatMHz_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("145") << 145.0 << "145.00000";
    QTest::newRow("0.531") << 0.531 << ".53100";
    QTest::newRow("0.6") << 0.6 << ".60000";
    QTest::newRow("5") << 5.0 << "5.00000";
    QTest::newRow("0") << 0.0 << ".00000";
    QTest::newRow("9999.99999") << 9999.99999 << "9999.99999";
    QTest::newRow("negative") << -0.5 << "-.50000";
}

void TestChannelCodec::formatMHz()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(hxv5::formatMHz(value), text);
}

// On the documented domain (decimal digits in the frequency fields with a 0 in the 1 Hz place,
// codes within their fields' ranges, a non-zero frequency, the filler "0FF") decoding then
// encoding gives the record back, and encoding then decoding gives the numbers back.
void TestChannelCodec::roundTripRandomRecords()
{
    QRandomGenerator rng(145500);
    const int maxima[6] = {2, 18, 3, 38, 38, 3};
    for (int round = 0; round < 5000; ++round) {
        const int whole = rng.bounded(10000);
        const int fraction = rng.bounded(100000);
        if (whole == 0 && fraction == 0)
            continue;
        QString record = QStringLiteral("%1%2")
                             .arg(whole, 4, 10, QLatin1Char('0'))
                             .arg(fraction, 5, 10, QLatin1Char('0'));
        record += QLatin1Char('0');
        for (int maximum : maxima)
            record += QStringLiteral("%1")
                          .arg(rng.bounded(maximum + 1), 2, 16, QLatin1Char('0'))
                          .toUpper();
        record += QStringLiteral("%1").arg(rng.bounded(10000000), 7, 10, QLatin1Char('0'));
        record += QLatin1String("0FF");
        QCOMPARE(record.size(), 32);

        TableRow row;
        QVERIFY2(decodeRecord(record, row), qPrintable(record));
        verifyTextsMatchNumbers(row);
        QCOMPARE(encodeRecord(row), record);

        TableRow again;
        QVERIFY(decodeRecord(encodeRecord(row), again));
        QCOMPARE(again, row);
    }
}

// No record of 32 arbitrary characters crashes the decoder or leaves a text disagreeing with
// its number; a record that is not all-digits decodes to a row whose encoding is valid.
void TestChannelCodec::arbitraryRecordsNeverBreakTheRow()
{
    QRandomGenerator rng(4242);
    const QString alphabet = QStringLiteral("0123456789ABCDEFabcdef FFFF-+.,\r\n\x01\xff");
    for (int round = 0; round < 20000; ++round) {
        QString record;
        const int length = round % 10 == 0 ? rng.bounded(40) : 32;
        for (int i = 0; i < length; ++i) {
            record += round % 3 == 0 ? QChar(static_cast<char16_t>(rng.bounded(0x10000)))
                                     : alphabet.at(rng.bounded(alphabet.size()));
        }
        TableRow row = filledRow();
        const TableRow before = row;
        const bool held = decodeRecord(record, row);
        if (held) {
            verifyTextsMatchNumbers(row);
            QCOMPARE(row.text[kColNotes], before.text[kColNotes]);
        } else {
            QVERIFY(row == before || row == TableRow());
        }
        QVERIFY(isValidRecord(encodeRecord(row)));
    }
}

QTEST_GUILESS_MAIN(TestChannelCodec)
#include "tst_channel_codec.moc"
