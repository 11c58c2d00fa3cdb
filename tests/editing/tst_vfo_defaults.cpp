#include "editing/channel_table.h"
#include "editing/vfo_defaults.h"

#include <QTest>

using namespace hxv5;

class TestVfoDefaults : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void defaults_data();
    void defaults();
    void commonColumns();
    void fmLeftAloneForVariantsWithoutPlan();
    void notesNeverWritten();
    void hiddenRows_data();
    void hiddenRows();
};

void TestVfoDefaults::defaults_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("frequency");
    QTest::addColumn<double>("number");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("step");
    QTest::addColumn<QString>("offset");
    QTest::newRow("D AM") << 0 << 0 << ".53100" << 0.531 << "AM"
                          << "9KHz"
                          << ".00000";
    QTest::newRow("D SW") << 0 << 1 << "1.62500" << 1.625 << "AM"
                          << "5KHz"
                          << ".00000";
    QTest::newRow("D FM") << 0 << 2 << "76.10000" << 76.1 << "WFM"
                          << "100KHz"
                          << ".00000";
    QTest::newRow("D Air") << 0 << 3 << "118.00000" << 118.0 << "AM"
                           << "25KHz"
                           << ".00000";
    QTest::newRow("D VHF") << 0 << 4 << "145.00000" << 145.0 << "FM"
                           << "20KHz"
                           << ".60000";
    QTest::newRow("D L-UHF") << 0 << 5 << "380.00000" << 380.0 << "FM"
                             << "12.5KHz"
                             << ".00000";
    QTest::newRow("D H-UHF") << 0 << 6 << "433.00000" << 433.0 << "FM"
                             << "20KHz"
                             << "5.00000";
    QTest::newRow("B FM") << 4 << 2 << "88.10000" << 88.1 << "WFM"
                          << "200KHz"
                          << ".00000";
    QTest::newRow("B VHF") << 4 << 4 << "145.00000" << 145.0 << "FM"
                           << "5KHz"
                           << ".60000";
    QTest::newRow("B L-UHF") << 4 << 5 << "380.00000" << 380.0 << "FM"
                             << "25KHz"
                             << ".00000";
    QTest::newRow("B H-UHF") << 4 << 6 << "445.00000" << 445.0 << "FM"
                             << "5KHz"
                             << "5.00000";
    QTest::newRow("A FM") << 5 << 2 << "87.50000" << 87.5 << "WFM"
                          << "100KHz"
                          << ".00000";
    QTest::newRow("A VHF") << 5 << 4 << "145.00000" << 145.0 << "FM"
                           << "12.5KHz"
                           << ".60000";
    QTest::newRow("A L-UHF") << 5 << 5 << "380.00000" << 380.0 << "FM"
                             << "12.5KHz"
                             << ".00000";
    QTest::newRow("A H-UHF") << 5 << 6 << "433.00000" << 433.0 << "FM"
                             << "12.5KHz"
                             << "5.00000";
    QTest::newRow("A PRO VHF") << 1 << 4 << "145.00000" << 145.0 << "FM"
                               << "20KHz"
                               << ".60000";
    QTest::newRow("A K H-UHF") << 3 << 6 << "433.00000" << 433.0 << "FM"
                               << "20KHz"
                               << "5.00000";
}

void TestVfoDefaults::defaults()
{
    QFETCH(int, model);
    QFETCH(int, row);
    QFETCH(QString, frequency);
    QFETCH(double, number);
    QFETCH(QString, mode);
    QFETCH(QString, step);
    QFETCH(QString, offset);
    VfoTable vfo;
    SetVfoDefaults(vfo, model);
    QCOMPARE(vfo.text(row, kColFrequency), frequency);
    QCOMPARE(vfo.number(row, kColFrequency), number);
    QCOMPARE(vfo.text(row, kColMode), mode);
    QCOMPARE(vfo.text(row, kColStep), step);
    QCOMPARE(vfo.text(row, kColShiftFreq), offset);
    QCOMPARE(vfo.number(row, kColShiftFreq), offset.toDouble());
}

void TestVfoDefaults::commonColumns()
{
    VfoTable vfo;
    SetVfoDefaults(vfo, 0);
    for (int r = 0; r < kVfoRowCount; ++r) {
        QCOMPARE(vfo.text(r, kColTone), QStringLiteral("None"));
        QCOMPARE(vfo.number(r, kColTxTone), 8.0);
        QCOMPARE(vfo.text(r, kColTxTone), QStringLiteral("88.5Hz"));
        QCOMPARE(vfo.text(r, kColRxTone), QStringLiteral("88.5Hz"));
        QCOMPARE(vfo.text(r, kColShift), QStringLiteral("None"));
        QCOMPARE(vfo.number(r, kColShift), 0.0);
    }
}

void TestVfoDefaults::fmLeftAloneForVariantsWithoutPlan()
{
    for (int model : {1, 2, 3}) {
        VfoTable vfo;
        SetVfoDefaults(vfo, model);
        QCOMPARE(vfo.text(2, kColFrequency), QString());
        QCOMPARE(vfo.number(2, kColFrequency), 0.0);
        QCOMPARE(vfo.text(2, kColStep), QString());
        QCOMPARE(vfo.text(2, kColMode), QStringLiteral("WFM"));

        VfoTable earlier;
        SetVfoDefaults(earlier, 5);
        SetVfoDefaults(earlier, model);
        QCOMPARE(earlier.text(2, kColFrequency), QStringLiteral("87.50000"));
        QCOMPARE(earlier.text(2, kColStep), QStringLiteral("100KHz"));
    }
}

void TestVfoDefaults::notesNeverWritten()
{
    VfoTable vfo;
    vfo.setText(3, kColNotes, QStringLiteral("tower"));
    SetVfoDefaults(vfo, 4);
    QCOMPARE(vfo.text(3, kColNotes), QStringLiteral("tower"));
}

void TestVfoDefaults::hiddenRows_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QList<int>>("hidden");
    QTest::newRow("D") << 0 << QList<int>{};
    QTest::newRow("A PRO") << 1 << QList<int>{};
    QTest::newRow("V5 A K") << 3 << QList<int>{};
    QTest::newRow("B") << 4 << QList<int>{0, 1};
    QTest::newRow("A") << 5 << QList<int>{0, 1, 3, 5};
}

void TestVfoDefaults::hiddenRows()
{
    QFETCH(int, model);
    QFETCH(QList<int>, hidden);
    for (int r = 0; r < kVfoRowCount; ++r)
        QCOMPARE(vfoRowHidden(model, r), hidden.contains(r));
}

QTEST_GUILESS_MAIN(TestVfoDefaults)
#include "tst_vfo_defaults.moc"
