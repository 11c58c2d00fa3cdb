#include "settings/settings_model.h"
#include "settings/settings_record.h"

#include <QSignalSpy>
#include <QTest>

#include <functional>

using namespace hxv5;

namespace {
QList<bool> bandStates(const SettingsModel &s)
{
    QList<bool> states;
    for (int b = 0; b < SettingsModel::kBandCount; ++b)
        states << s.bandEnabled(b);
    return states;
}
} // namespace

class TestSettingsModel : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void startState();
    void lists();
    void modelRules_data();
    void modelRules();
    void variantWithAirSelectedMovesToVhf();
    void bugModeLeavesWithVariant_data();
    void bugModeLeavesWithVariant();
    void variantsWithoutPlanKeepPreviousBands_data();
    void variantsWithoutPlanKeepPreviousBands();
    void movedSelectionCountsAsChange();
    void decodedDisabledBandStaysSelected();
    void sliders_data();
    void sliders();
    void setterRanges();
    void everyControlReportsItsChange();
};

void TestSettingsModel::startState()
{
    SettingsModel s;
    QCOMPARE(s.model(), -1);
    QCOMPARE(s.volumeLabel(), QStringLiteral("0"));
    QCOMPARE(s.squelchLabel(), QStringLiteral("0"));
    QVERIFY(!s.toneBurstVisible());
    QVERIFY(s.bugLevelVisible());
    QVERIFY(s.bugModeVisible());
    QCOMPARE(bandStates(s), QList<bool>(7, true));
    QVERIFY(SettingsModel::modelOffered(0) && SettingsModel::modelOffered(4) &&
            SettingsModel::modelOffered(5));
    QVERIFY(!SettingsModel::modelOffered(1) && !SettingsModel::modelOffered(3));
}

void TestSettingsModel::lists()
{
    SettingsModel s;
    s.FillSettingsLists();
    QCOMPARE(s.memoryList().size(), 213);
    QCOMPARE(s.memoryList().at(0), QStringLiteral("0"));
    QCOMPARE(s.memoryList().at(199), QStringLiteral("199"));
    QCOMPARE(s.memoryList().at(200), QStringLiteral("PS-0A"));
    QCOMPARE(s.memoryList().at(210), QStringLiteral("A-L"));
    QCOMPARE(s.memoryList().at(212), QStringLiteral("Priority"));
    QCOMPARE(s.scanModeList().size(), 12);
    QCOMPARE(s.scanModeList().at(1), QStringLiteral("Tone"));
    QCOMPARE(s.scanModeList().last(), QStringLiteral("PS-4B"));
    QCOMPARE(s.memoryChannel(), 0);
    QCOMPARE(s.scanMode(), 0);
}

void TestSettingsModel::modelRules_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QList<bool>>("bands");
    QTest::addColumn<bool>("burst");
    QTest::addColumn<bool>("bug");
    QTest::newRow("HX-V5 D") << 0 << QList<bool>{true, true, true, true, true, true, true} << false
                             << true;
    QTest::newRow("HX-V5 B") << 4 << QList<bool>{false, false, true, true, true, true, true} << true
                             << false;
    QTest::newRow("HX-V5 A") << 5 << QList<bool>{false, false, true, false, true, false, true}
                             << true << false;
}

void TestSettingsModel::modelRules()
{
    QFETCH(int, model);
    QFETCH(QList<bool>, bands);
    QFETCH(bool, burst);
    QFETCH(bool, bug);
    // Reached from every other offered variant, the result is the same.
    for (int from : {0, 4, 5}) {
        SettingsModel s;
        s.setModel(from);
        s.setModel(model);
        QCOMPARE(bandStates(s), bands);
        QCOMPARE(s.toneBurstVisible(), burst);
        QCOMPARE(s.bugLevelVisible(), bug);
        QCOMPARE(s.bugModeVisible(), bug);
    }
}

void TestSettingsModel::variantWithAirSelectedMovesToVhf()
{
    SettingsModel s;
    s.setModel(0);
    s.setBand(3);
    s.setModel(5);
    QCOMPARE(s.band(), 4);
    s.setModel(0);
    QCOMPARE(bandStates(s), QList<bool>(7, true));
    QCOMPARE(s.band(), 4);
    QVERIFY(s.bugModeVisible());
}

void TestSettingsModel::bugModeLeavesWithVariant_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("mode");
    for (int m = 1; m <= 5; ++m)
        QTest::addRow("variant %d", m) << m << 0;
    QTest::newRow("variant 0 keeps Bug") << 0 << 2;
}

void TestSettingsModel::bugModeLeavesWithVariant()
{
    QFETCH(int, model);
    QFETCH(int, mode);
    SettingsModel s;
    s.setModel(0);
    s.setOperatingMode(2);
    s.setModel(model);
    QCOMPARE(s.operatingMode(), mode);
}

void TestSettingsModel::variantsWithoutPlanKeepPreviousBands_data()
{
    QTest::addColumn<int>("before");
    QTest::addColumn<QList<bool>>("bands");
    QTest::newRow("after HX-V5 A")
        << 5 << QList<bool>{false, false, true, false, true, false, true};
    QTest::newRow("after HX-V5 D") << 0 << QList<bool>{false, false, true, true, true, true, true};
}

// Decoding model byte 3 ("V5 A K") keeps the FM..H-UHF states the previous variant left.
void TestSettingsModel::variantsWithoutPlanKeepPreviousBands()
{
    QFETCH(int, before);
    QFETCH(QList<bool>, bands);
    SettingsModel s;
    s.FillSettingsLists();
    s.setModel(before);
    QString record = QStringLiteral("A5030A0304000000000200006C23FFFF");
    DecodeSettingsRecord(record, s);
    QCOMPARE(s.model(), 3);
    QCOMPARE(bandStates(s), bands);
    QVERIFY(s.toneBurstVisible());
}

void TestSettingsModel::movedSelectionCountsAsChange()
{
    SettingsModel s;
    s.setModel(0);
    s.setBand(0);
    QSignalSpy changes(&s, &SettingsModel::valueChanged);
    QSignalSpy modified(&s, &SettingsModel::modified);
    s.setModel(4);
    bool bandMoved = false;
    for (const QList<QVariant> &args : changes)
        bandMoved |= args.at(0).value<SettingsModel::Control>() == SettingsModel::Control::Band;
    QVERIFY(bandMoved);
    QCOMPARE(s.band(), 4);
    QVERIFY(modified.count() >= 2);
}

// A record may name a band the variant has disabled; it is still selected.
void TestSettingsModel::decodedDisabledBandStaysSelected()
{
    SettingsModel s;
    s.FillSettingsLists();
    QString record = QStringLiteral("A5050A0303000000000200006C23FFFF"); // band 3 "Air"
    DecodeSettingsRecord(record, s);
    QCOMPARE(s.model(), 5);
    QCOMPARE(s.band(), 3);
    QVERIFY(!s.bandEnabled(3));
}

void TestSettingsModel::sliders_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("volume");
    QTest::addColumn<QString>("squelch");
    QTest::newRow("17") << 17 << "17"
                        << "10";
    QTest::newRow("0") << 0 << "0"
                       << "0";
    QTest::newRow("9") << 9 << "9"
                       << "9";
    QTest::newRow("above range") << 99 << "30"
                                 << "10";
    QTest::newRow("below range") << -4 << "0"
                                 << "0";
}

void TestSettingsModel::sliders()
{
    QFETCH(int, value);
    QFETCH(QString, volume);
    QFETCH(QString, squelch);
    SettingsModel s;
    s.setVolume(5);
    s.setSquelch(5);
    QSignalSpy modified(&s, &SettingsModel::modified);
    s.setVolume(value);
    s.setSquelch(value);
    QCOMPARE(s.volumeLabel(), volume);
    QCOMPARE(s.squelchLabel(), squelch);
    QCOMPARE(modified.count(), (volume != QLatin1String("5")) + (squelch != QLatin1String("5")));
}

void TestSettingsModel::setterRanges()
{
    SettingsModel s;
    s.FillSettingsLists();
    s.setBand(7);
    s.setMemoryChannel(213);
    s.setOperatingMode(4);
    s.setScanMode(12);
    s.setAutoPowerOff(-1);
    s.setBugLevel(5);
    s.setToneBurst(4);
    s.setScanResume(2);
    s.setModel(6);
    s.setFunctionFlag(8, true);
    QCOMPARE(s.band(), -1);
    QCOMPARE(s.memoryChannel(), 0);
    QCOMPARE(s.operatingMode(), -1);
    QCOMPARE(s.scanMode(), 0);
    QCOMPARE(s.autoPowerOff(), -1);
    QCOMPARE(s.bugLevel(), -1);
    QCOMPARE(s.toneBurst(), -1);
    QCOMPARE(s.scanResume(), -1);
    QCOMPARE(s.model(), -1);
    QVERIFY(!s.functionFlag(8));
}

void TestSettingsModel::everyControlReportsItsChange()
{
    using C = SettingsModel::Control;
    SettingsModel s;
    s.FillSettingsLists();
    const QList<std::pair<C, std::function<void()>>> edits = {
        {C::Volume, [&] { s.setVolume(3); }},
        {C::Squelch, [&] { s.setSquelch(3); }},
        {C::Band, [&] { s.setBand(2); }},
        {C::MemoryChannel, [&] { s.setMemoryChannel(12); }},
        {C::OperatingMode, [&] { s.setOperatingMode(3); }},
        {C::ScanOn, [&] { s.setScanOn(true); }},
        {C::PriorityMode, [&] { s.setPriorityMode(1); }},
        {C::ScanMode, [&] { s.setScanMode(5); }},
        {C::AutoPowerOff, [&] { s.setAutoPowerOff(2); }},
        {C::BugLevel, [&] { s.setBugLevel(4); }},
        {C::ToneBurst, [&] { s.setToneBurst(1); }},
        {C::FunctionFlag, [&] { s.setFunctionFlag(6, true); }},
        {C::AutoProgram, [&] { s.setAutoProgram(true); }},
        {C::AutoStep, [&] { s.setAutoStep(true); }},
        {C::LoVolume, [&] { s.setLoVolume(true); }},
        {C::TxExtension, [&] { s.setTxExtension(true); }},
        {C::ScanResume, [&] { s.setScanResume(1); }},
    };
    for (const auto &[control, edit] : edits) {
        QSignalSpy changes(&s, &SettingsModel::valueChanged);
        QSignalSpy modified(&s, &SettingsModel::modified);
        edit();
        QCOMPARE(changes.count(), 1);
        QCOMPARE(changes.at(0).at(0).value<C>(), control);
        QCOMPARE(modified.count(), 1);
        edit(); // the same value again is no change
        QCOMPARE(modified.count(), 1);
    }
}

QTEST_GUILESS_MAIN(TestSettingsModel)
#include "tst_settings_model.moc"
