#include "editing/auto_mode_step.h"

#include <QTest>

using namespace hxv5;

namespace {
constexpr int FM = 0, AM = 1, WFM = 2;
constexpr int S9 = 0, S5 = 1, S10 = 4, S12_5 = 5, S20 = 7, S25 = 8, S100 = 11, S200 = 13;
} // namespace

class TestAutoModeStep : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void memoryRule_data();
    void memoryRule();
    void bandRule_data();
    void bandRule();
    void bandRuleMatchesMemoryRuleInsideEachBand();
    void memoryRanges_data();
    void memoryRanges();
};

void TestAutoModeStep::memoryRule_data()
{
    QTest::addColumn<double>("mhz");
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("step");
    QTest::newRow("145 D") << 145.0 << 0 << FM << S20;
    QTest::newRow("145 A PRO") << 145.0 << 1 << FM << S12_5;
    QTest::newRow("145 B") << 145.0 << 4 << FM << S5;
    QTest::newRow("145 B PRO") << 145.0 << 2 << FM << S5;
    for (int m : {2, 4})
        QTest::addRow("0.6 variant %d", m) << 0.6 << m << AM << S10;
    for (int m : {0, 1, 3, 5})
        QTest::addRow("0.6 variant %d", m) << 0.6 << m << AM << S9;
    QTest::newRow("empty field") << 0.0 << 0 << AM << S9;
    QTest::newRow("1.62499") << 1.62499 << 4 << AM << S10;
    QTest::newRow("1.625") << 1.625 << 4 << AM << S5;
    QTest::newRow("9.99999") << 9.99999 << 0 << AM << S5;
    QTest::newRow("10") << 10.0 << 0 << WFM << S100;
    QTest::newRow("88 B") << 88.0 << 4 << WFM << S200;
    QTest::newRow("107.995") << 107.995 << 5 << WFM << S100;
    QTest::newRow("108") << 108.0 << 0 << AM << S25;
    QTest::newRow("141.995") << 141.995 << 4 << AM << S25;
    QTest::newRow("142") << 142.0 << 5 << FM << S12_5;
    QTest::newRow("173.995 D") << 173.995 << 0 << FM << S20;
    QTest::newRow("174 D") << 174.0 << 0 << FM << S12_5;
    QTest::newRow("174 B") << 174.0 << 4 << FM << S25;
    QTest::newRow("419.995 B") << 419.995 << 4 << FM << S25;
    QTest::newRow("420 B") << 420.0 << 4 << FM << S5;
    QTest::newRow("420 D") << 420.0 << 0 << FM << S12_5;
    QTest::newRow("429.995 D") << 429.995 << 0 << FM << S12_5;
    QTest::newRow("430 D") << 430.0 << 0 << FM << S20;
    QTest::newRow("430 A") << 430.0 << 5 << FM << S12_5;
    QTest::newRow("1200 B") << 1200.0 << 4 << FM << S5;
}

void TestAutoModeStep::memoryRule()
{
    QFETCH(double, mhz);
    QFETCH(int, model);
    QFETCH(int, mode);
    QFETCH(int, step);
    QCOMPARE(autoModeStepForFrequency(mhz, model), (ModeStep{mode, step}));
}

void TestAutoModeStep::bandRule_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("step");
    QTest::newRow("AM D") << 0 << 0 << AM << S9;
    QTest::newRow("AM B") << 0 << 4 << AM << S10;
    QTest::newRow("SW") << 1 << 3 << AM << S5;
    QTest::newRow("FM A") << 2 << 5 << WFM << S100;
    QTest::newRow("FM B PRO") << 2 << 2 << WFM << S200;
    QTest::newRow("Air") << 3 << 1 << AM << S25;
    QTest::newRow("VHF D") << 4 << 0 << FM << S20;
    QTest::newRow("VHF B") << 4 << 4 << FM << S5;
    QTest::newRow("VHF A") << 4 << 5 << FM << S12_5;
    QTest::newRow("L-UHF B") << 5 << 4 << FM << S25;
    QTest::newRow("L-UHF D") << 5 << 0 << FM << S12_5;
    QTest::newRow("H-UHF D") << 6 << 0 << FM << S20;
    QTest::newRow("H-UHF B PRO") << 6 << 2 << FM << S5;
    QTest::newRow("H-UHF A K") << 6 << 3 << FM << S12_5;
}

void TestAutoModeStep::bandRule()
{
    QFETCH(int, row);
    QFETCH(int, model);
    QFETCH(int, mode);
    QFETCH(int, step);
    QCOMPARE(autoModeStepForBand(row, model), (ModeStep{mode, step}));
}

// A frequency typical of each band chooses what the band's own rule chooses.
void TestAutoModeStep::bandRuleMatchesMemoryRuleInsideEachBand()
{
    const double typical[7] = {1.0, 7.0, 90.0, 120.0, 145.0, 400.0, 435.0};
    for (int model = 0; model < 6; ++model)
        for (int row = 0; row < 7; ++row)
            QCOMPARE(autoModeStepForFrequency(typical[row], model),
                     autoModeStepForBand(row, model));
}

void TestAutoModeStep::memoryRanges_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<double>("mhz");
    QTest::addColumn<bool>("valid");
    QTest::newRow("D 120") << 0 << 120.0 << true;
    QTest::newRow("D 300") << 0 << 300.0 << false;
    QTest::newRow("D 9.995") << 0 << 9.995 << true;
    QTest::newRow("D 9.996") << 0 << 9.996 << false;
    QTest::newRow("D 0.531") << 0 << 0.531 << true;
    QTest::newRow("D 0.53") << 0 << 0.53 << false;
    QTest::newRow("D 469.995") << 0 << 469.995 << true;
    QTest::newRow("B 9.995") << 4 << 9.995 << false;
    QTest::newRow("B 88.1") << 4 << 88.1 << true;
    QTest::newRow("B 511.995") << 4 << 511.995 << true;
    QTest::newRow("B 512") << 4 << 512.0 << false;
    QTest::newRow("A 146") << 5 << 146.0 << false;
    QTest::newRow("A 145.995") << 5 << 145.995 << true;
    QTest::newRow("A 435") << 5 << 435.0 << true;
    QTest::newRow("B PRO anything") << 2 << 3000.0 << true;
}

void TestAutoModeStep::memoryRanges()
{
    QFETCH(int, model);
    QFETCH(double, mhz);
    QFETCH(bool, valid);
    QCOMPARE(memoryFrequencyValid(mhz, model), valid);
}

QTEST_GUILESS_MAIN(TestAutoModeStep)
#include "tst_auto_mode_step.moc"
