#include "image/clone_image.h"
#include "settings/settings_model.h"
#include "settings/settings_record.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>

using namespace hxv5;

namespace {

// A model as the program has it at start-up, before the first decoding.
struct Fixture
{
    SettingsModel settings;
    Fixture() { settings.FillSettingsLists(); }
};

QString hex2(int v)
{
    return QStringLiteral("%1").arg(v, 2, 16, QLatin1Char('0')).toUpper();
}

} // namespace

class TestSettingsCodec : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void decodeDefaultRecordOfVariant4();
    void fallbacks_data();
    void fallbacks();
    void missingMarkReplacesRecord_data();
    void missingMarkReplacesRecord();
    void operatingMode_data();
    void operatingMode();
    void switchBytes_data();
    void switchBytes();
    void encodeFallbacksForNoSelection();
    void listIndexes_data();
    void listIndexes();
    void decodingMarksChanges();
    void roundTripRandomRecords();
    void arbitraryRecordsNeverCrash();
};

void TestSettingsCodec::decodeDefaultRecordOfVariant4()
{
    Fixture f;
    SettingsModel &s = f.settings;
    QString record = QStringLiteral("A5040A0304000000000200006C23FFFF");
    DecodeSettingsRecord(record, s);
    QCOMPARE(record, QStringLiteral("A5040A0304000000000200006C23FFFF"));
    QCOMPARE(s.model(), 4);
    QCOMPARE(s.volume(), 10);
    QCOMPARE(s.volumeLabel(), QStringLiteral("10"));
    QCOMPARE(s.squelch(), 3);
    QCOMPARE(s.squelchLabel(), QStringLiteral("3"));
    QCOMPARE(s.band(), 4);
    QCOMPARE(s.memoryChannel(), 0);
    QCOMPARE(s.operatingMode(), 0);
    QCOMPARE(s.scanOn(), false);
    QCOMPARE(s.priorityMode(), 0);
    QCOMPARE(s.scanMode(), 0);
    QCOMPARE(s.autoPowerOff(), 0);
    QCOMPARE(s.bugLevel(), 2); // caption "3"
    QCOMPARE(s.toneBurst(), 0);
    const bool flags[8] = {false, true, true, false, true, true, false, false};
    for (int i = 0; i < 8; ++i)
        QCOMPARE(s.functionFlag(i), flags[i]);
    QCOMPARE(s.autoProgram(), false);
    QCOMPARE(s.scanResume(), 0);
    QCOMPARE(s.autoStep(), true);
    QCOMPARE(s.loVolume(), false);
    QCOMPARE(s.txExtension(), false);
    QCOMPARE(EncodeSettingsRecord(s), QStringLiteral("A5040A0304000000000200006C23FFFF"));
}

void TestSettingsCodec::fallbacks_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("rewritten");
    QTest::newRow("model 7") << 1 << "07"
                             << "00";
    QTest::newRow("model FF") << 1 << "FF"
                              << "00";
    QTest::newRow("volume 31") << 2 << "1F"
                               << "0A";
    QTest::newRow("volume 30 kept") << 2 << "1E"
                                    << "1E";
    QTest::newRow("squelch 10 kept") << 3 << "0A"
                                     << "0A";
    QTest::newRow("squelch 11") << 3 << "0B"
                                << "01";
    QTest::newRow("band 7") << 4 << "07"
                            << "00";
    QTest::newRow("memory 212 kept") << 5 << "D4"
                                     << "D4";
    QTest::newRow("memory 213") << 5 << "D5"
                                << "00";
    QTest::newRow("operating mode 8") << 6 << "08"
                                      << "00";
    QTest::newRow("scan mode 12") << 7 << "0C"
                                  << "00";
    QTest::newRow("auto power off 4") << 8 << "04"
                                      << "00";
    QTest::newRow("bug level 5") << 9 << "05"
                                 << "01";
    QTest::newRow("tone burst 4") << 11 << "04"
                                  << "00";
}

// An out-of-range field takes its fallback in the model and in the record, and the other fields
// are still decoded.
void TestSettingsCodec::fallbacks()
{
    QFETCH(int, byte);
    QFETCH(QString, value);
    QFETCH(QString, rewritten);
    Fixture f;
    const QString base = QStringLiteral("A5000A0304000000000200006C23FFFF");
    QString record = SetRecordByte(base, value, byte);
    DecodeSettingsRecord(record, f.settings);
    QCOMPARE(record, SetRecordByte(base, rewritten, byte));
    QCOMPARE(f.settings.functionFlag(1), true);
    QCOMPARE(f.settings.autoStep(), true);
    QCOMPARE(EncodeSettingsRecord(f.settings), record);
}

void TestSettingsCodec::missingMarkReplacesRecord_data()
{
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("record");
    QTest::addColumn<int>("model");
    QTest::addColumn<QString>("result");
    QTest::newRow("no selection, 00 mark")
        << -1 << "00050A0304000000000200006C23FFFF" << 0 << "A5000A0304000000000200006C23FFFF";
    QTest::newRow("variant 5 selected")
        << 5 << "00000000000000000000000000000000" << 5 << "A5050A0304000000000200006C23FFFF";
    QTest::newRow("variant 4, lower-case mark")
        << 4 << "a5000A0304000000000200006C23FFFF" << 4 << "A5040A0304000000000200006C23FFFF";
    QTest::newRow("short record") << 0 << "A500" << 0 << "A5000A0304000000000200006C23FFFF";
    QTest::newRow("empty record") << 4 << "" << 4 << "A5040A0304000000000200006C23FFFF";
}

void TestSettingsCodec::missingMarkReplacesRecord()
{
    QFETCH(int, selected);
    QFETCH(QString, record);
    QFETCH(int, model);
    QFETCH(QString, result);
    Fixture f;
    if (selected >= 0)
        f.settings.setModel(selected);
    DecodeSettingsRecord(record, f.settings);
    QCOMPARE(record, result);
    QCOMPARE(f.settings.model(), model);
    QCOMPARE(f.settings.volume(), 10);
}

void TestSettingsCodec::operatingMode_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("scanOn");
    QTest::addColumn<int>("priority");
    QTest::newRow("0 VFO") << 0 << 0 << false << 0;
    QTest::newRow("1 Memory") << 1 << 1 << false << 1;
    QTest::newRow("2 Bug on VFO") << 2 << 2 << false << 0;
    QTest::newRow("3 Bug on Memory") << 3 << 2 << false << 1;
    QTest::newRow("4 Priority on VFO") << 4 << 3 << false << 0;
    QTest::newRow("5 Priority on Memory") << 5 << 3 << false << 1;
    QTest::newRow("6 VFO scanning") << 6 << 0 << true << 0;
    QTest::newRow("7 Memory scanning") << 7 << 1 << true << 1;
}

// Every operating mode code decodes to its three controls and, with variant 0 (which has the
// "Bug" mode), encodes back to the same code: the scan state is written back too.
void TestSettingsCodec::operatingMode()
{
    QFETCH(int, code);
    QFETCH(int, mode);
    QFETCH(bool, scanOn);
    QFETCH(int, priority);
    Fixture f;
    QString record =
        SetRecordByte(QStringLiteral("A5000A0304000000000200006C23FFFF"), hex2(code), 6);
    DecodeSettingsRecord(record, f.settings);
    QCOMPARE(f.settings.operatingMode(), mode);
    QCOMPARE(f.settings.scanOn(), scanOn);
    QCOMPARE(f.settings.priorityMode(), priority);
    QCOMPARE(EncodeSettingsRecord(f.settings), record);
}

void TestSettingsCodec::switchBytes_data()
{
    QTest::addColumn<QString>("byte12");
    QTest::addColumn<QString>("byte13");
    QTest::addColumn<QString>("encoded13");
    QTest::newRow("all on") << "FF"
                            << "FF"
                            << "F7";
    QTest::newRow("all off") << "00"
                             << "00"
                             << "03";
    QTest::newRow("default") << "6C"
                             << "23"
                             << "23";
    QTest::newRow("timer scan only") << "81"
                                     << "40"
                                     << "43";
    QTest::newRow("tx extension only") << "01"
                                       << "04"
                                       << "07";
    QTest::newRow("lower case reads as off") << "ff"
                                             << "ff"
                                             << "03";
}

void TestSettingsCodec::switchBytes()
{
    QFETCH(QString, byte12);
    QFETCH(QString, byte13);
    QFETCH(QString, encoded13);
    Fixture f;
    QString record = QStringLiteral("A5000A0304000000000200006C23FFFF");
    record = SetRecordByte(SetRecordByte(record, byte12, 12), byte13, 13);
    DecodeSettingsRecord(record, f.settings);
    const QString encoded = EncodeSettingsRecord(f.settings);
    QCOMPARE(encoded.mid(24, 2), byte12.toUpper() == byte12 ? byte12 : QStringLiteral("00"));
    QCOMPARE(encoded.mid(26, 2), encoded13);
    if (byte13 == QLatin1String("FF")) {
        QVERIFY(f.settings.autoProgram());
        QCOMPARE(f.settings.scanResume(), 1);
        QVERIFY(f.settings.autoStep());
        QVERIFY(f.settings.loVolume());
        QVERIFY(f.settings.txExtension());
    }
}

// Groups without a selection (possible only before the first decoding) take the encoder's
// fallback values and still give 32 characters.
void TestSettingsCodec::encodeFallbacksForNoSelection()
{
    SettingsModel s; // lists not filled, nothing selected
    QCOMPARE(EncodeSettingsRecord(s), QStringLiteral("A505000006000500030400030043FFFF"));
}

void TestSettingsCodec::listIndexes_data()
{
    QTest::addColumn<int>("memory");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << 0 << "00";
    QTest::newRow("200") << 200 << "C8";
    QTest::newRow("212") << 212 << "D4";
}

void TestSettingsCodec::listIndexes()
{
    QFETCH(int, memory);
    QFETCH(QString, text);
    Fixture f;
    f.settings.setMemoryChannel(memory);
    QCOMPARE(EncodeSettingsRecord(f.settings).mid(10, 2), text);
}

void TestSettingsCodec::decodingMarksChanges()
{
    Fixture f;
    QSignalSpy modified(&f.settings, &SettingsModel::modified);
    QSignalSpy model(&f.settings, &SettingsModel::modelChanged);
    QString record = QStringLiteral("A5050A0304000000000200006C23FFFF");
    DecodeSettingsRecord(record, f.settings);
    QVERIFY(modified.count() > 0);
    QCOMPARE(model.count(), 1);
    QCOMPARE(model.at(0).at(0).toInt(), 5);
}

// Decoding then encoding gives the record back on the documented domain: every field within
// its range, byte 10 "00", bit 3 of byte 13 clear and bits 1..0 set, filler "FFFF" — except the
// "Bug" operating modes, which a variant other than 0 does not have.
void TestSettingsCodec::roundTripRandomRecords()
{
    QRandomGenerator rng(2131);
    for (int round = 0; round < 5000; ++round) {
        const int model = rng.bounded(6);
        int opMode = rng.bounded(8);
        if (model != 0 && (opMode == 2 || opMode == 3))
            opMode = 0;
        QString record = QStringLiteral("A5") + hex2(model) + hex2(rng.bounded(31)) +
                         hex2(rng.bounded(11)) + hex2(rng.bounded(7)) + hex2(rng.bounded(213)) +
                         hex2(opMode) + hex2(rng.bounded(12)) + hex2(rng.bounded(4)) +
                         hex2(rng.bounded(5)) + QStringLiteral("00") + hex2(rng.bounded(4)) +
                         hex2(rng.bounded(256)) + hex2((rng.bounded(256) & ~0x08) | 0x03) +
                         QStringLiteral("FFFF");
        QCOMPARE(record.size(), 32);
        Fixture f;
        QString decoded = record;
        DecodeSettingsRecord(decoded, f.settings);
        QCOMPARE(decoded, record);
        QCOMPARE(EncodeSettingsRecord(f.settings), record);
    }
}

// 32 arbitrary characters never crash the decoder, and what it leaves encodes to a valid record
// whose decoding is stable.
void TestSettingsCodec::arbitraryRecordsNeverCrash()
{
    QRandomGenerator rng(77);
    const QString alphabet = QStringLiteral("0123456789ABCDEFabcdefA5GZ -");
    for (int round = 0; round < 5000; ++round) {
        QString record = round % 2 ? QStringLiteral("A5") : QString();
        while (record.size() < 32)
            record += alphabet.at(rng.bounded(alphabet.size()));
        Fixture f;
        DecodeSettingsRecord(record, f.settings);
        QCOMPARE(record.size(), 32);
        const QString encoded = EncodeSettingsRecord(f.settings);
        QCOMPARE(encoded.size(), 32);
        QString again = encoded;
        Fixture g;
        DecodeSettingsRecord(again, g.settings);
        QCOMPARE(EncodeSettingsRecord(g.settings), encoded);
    }
}

QTEST_GUILESS_MAIN(TestSettingsCodec)
#include "tst_settings_codec.moc"
