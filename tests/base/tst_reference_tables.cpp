#include "base/reference_tables.h"
#include "base/string_table.h"

#include <QTest>

using namespace hxv5;

class TestReferenceTables : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void lists_data();
    void lists();
    void markers();
    void specialSlots_data();
    void specialSlots();
    void modelCaptions();
    void columnWidths();
    void bandPlan_data();
    void bandPlan();
    void bandPlanCaptionsMatchLimits();
    void strings_data();
    void strings();
    void resourceIds_data();
    void resourceIds();
    void language();
};

void TestReferenceTables::lists_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("tone 0") << toneText(0) << "67.0Hz";
    QTest::newRow("tone 1") << toneText(1) << "69.3Hz";
    QTest::newRow("tone 2") << toneText(2) << "71.9Hz";
    QTest::newRow("tone 8") << toneText(8) << "88.5Hz";
    QTest::newRow("tone 31") << toneText(31) << "192.8Hz";
    QTest::newRow("tone 32") << toneText(32) << "203.5Hz";
    QTest::newRow("tone 38") << toneText(38) << "250.3Hz";
    QTest::newRow("tone 39") << toneText(39) << "";
    QTest::newRow("tone -1") << toneText(-1) << "";
    QTest::newRow("step 0") << stepText(0) << "9KHz";
    QTest::newRow("step 3") << stepText(3) << "8.33KHz";
    QTest::newRow("step 13") << stepText(13) << "200KHz";
    QTest::newRow("step 14") << stepText(14) << "6MHz";
    QTest::newRow("step 15") << stepText(15) << "1MHz";
    QTest::newRow("step 16") << stepText(16) << "10MHz";
    QTest::newRow("step 18") << stepText(18) << "8MHz";
    QTest::newRow("step 19") << stepText(19) << "";
}

void TestReferenceTables::lists()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(text, expected);
    QCOMPARE(toneList().size(), 39);
    QCOMPARE(stepList().size(), 19);
}

void TestReferenceTables::markers()
{
    QCOMPARE(applicationTitle(), QStringLiteral("Tormel HX-V5 Clone Utility"));
    QCOMPARE(startMarker(), QStringLiteral("Tormel  HX-V5  Clone  File Start"));
    QCOMPARE(endMarker(), QStringLiteral("Tormel  HX-V5  Clone  File   End"));
    QCOMPARE(startMarker().size(), 32);
    QCOMPARE(endMarker().size(), 32);
}

void TestReferenceTables::specialSlots_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("scan");
    QTest::newRow("P0A") << 0 << "P 0A"
                         << "P0A";
    QTest::newRow("P4B") << 9 << "P 4B"
                         << "P4B";
    QTest::newRow("APL") << 10 << "AP L"
                         << "APL";
    QTest::newRow("APH") << 11 << "AP H"
                         << "APH";
    QTest::newRow("Priority") << 12 << "Priority"
                              << "Priority";
    QTest::newRow("past the end") << 13 << ""
                                  << "";
}

void TestReferenceTables::specialSlots()
{
    QFETCH(int, index);
    QFETCH(QString, dialog);
    QFETCH(QString, scan);
    QCOMPARE(dialogLabel(index), dialog);
    QCOMPARE(scanName(index), scan);
}

void TestReferenceTables::modelCaptions()
{
    const QStringList expected = {QStringLiteral("HX-V5 D"),  QStringLiteral("V5 A PRO"),
                                  QStringLiteral("V5 B PRO"), QStringLiteral("V5 A K"),
                                  QStringLiteral("HX-V5 B"),  QStringLiteral("HX-V5 A")};
    for (int i = 0; i < 6; ++i)
        QCOMPARE(modelCaption(i), expected.at(i));
    QVERIFY(modelCaption(6).isEmpty());
}

void TestReferenceTables::columnWidths()
{
    const std::array<int, 10> expected = {555, 870, 480, 705, 450, 690, 690, 495, 795, 1965};
    QCOMPARE(hxv5::columnWidths(), expected);
    QCOMPARE(columnWidth(9), 1965);
    QCOMPARE(columnWidth(10), 0);
}

void TestReferenceTables::bandPlan_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("band");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<double>("lower");
    QTest::addColumn<double>("upper");
    QTest::newRow("D AM") << 0 << 1 << "(.531-1.620MHz)" << 0.531 << 1.62;
    QTest::newRow("D FM") << 0 << 3 << "(76.100-89.995MHz)" << 76.1 << 89.995;
    QTest::newRow("D VHF") << 0 << 5 << "(142.000-169.995MHz)" << 142.0 << 169.995;
    QTest::newRow("D H-UHF") << 0 << 7 << "(430.000-469.995MHz)" << 430.0 << 469.995;
    QTest::newRow("B FM") << 4 << 3 << "(88.100-107.995MHz)" << 88.1 << 107.995;
    QTest::newRow("B VHF") << 4 << 5 << "(142.000-173.995MHz)" << 142.0 << 173.995;
    QTest::newRow("B H-UHF") << 4 << 7 << "(420.000-511.995MHz)" << 420.0 << 511.995;
    QTest::newRow("A FM") << 5 << 3 << "(87.500-107.995MHz)" << 87.5 << 107.995;
    QTest::newRow("A VHF") << 5 << 5 << "(144.000-145.995MHz)" << 144.0 << 145.995;
    QTest::newRow("A L-UHF") << 5 << 6 << "(380.000-419.995MHz)" << 380.0 << 419.995;
    QTest::newRow("A H-UHF") << 5 << 7 << "(430.000-439.995MHz)" << 430.0 << 439.995;
    QTest::newRow("A PRO is empty") << 1 << 3 << "" << 0.0 << 0.0;
    QTest::newRow("A K is empty") << 3 << 5 << "" << 0.0 << 0.0;
    QTest::newRow("band 0") << 0 << 0 << "" << 0.0 << 0.0;
    QTest::newRow("band 8") << 0 << 8 << "" << 0.0 << 0.0;
}

void TestReferenceTables::bandPlan()
{
    QFETCH(int, model);
    QFETCH(int, band);
    QFETCH(QString, caption);
    QFETCH(double, lower);
    QFETCH(double, upper);
    const BandPlanEntry e = hxv5::bandPlan(model, band);
    QCOMPARE(e.caption, caption);
    QCOMPARE(e.lower, lower);
    QCOMPARE(e.upper, upper);
}

// Each limit pair must equal the numbers inside its caption, for every filled entry.
void TestReferenceTables::bandPlanCaptionsMatchLimits()
{
    for (int model : {0, 4, 5}) {
        for (int band = 1; band <= 7; ++band) {
            const BandPlanEntry e = hxv5::bandPlan(model, band);
            QString inner = e.caption.mid(1, e.caption.size() - 5); // "(a-bMHz)" -> "a-b"
            const QStringList parts = inner.split(QLatin1Char('-'));
            QCOMPARE(parts.size(), 2);
            QCOMPARE(parts.at(0).toDouble(), e.lower);
            QCOMPARE(parts.at(1).toDouble(), e.upper);
        }
    }
}

void TestReferenceTables::strings_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("japanese");
    QTest::newRow("1000") << 1000 << "File(&F)" << QString::fromUtf8("ﾌｧｲﾙ(&F)");
    QTest::newRow("1004") << 1004 << "Save As(&A)..."
                          << QString::fromUtf8("名前を付けて保存(&A)...");
    QTest::newRow("1007") << 1007 << "Exit(&X)..." << QString::fromUtf8("終了(&X)");
    QTest::newRow("1011") << 1011 << "Tool Bar(&T)" << QString::fromUtf8("ﾂｰﾙ ﾊﾞｰ(&T)");
    QTest::newRow("1013") << 1013 << "COM Port Setup(&C)"
                          << QString::fromUtf8("COM ポートセットアップ(&C)");
    QTest::newRow("1016") << 1016 << "About(&A)" << QString::fromUtf8("ﾊﾞｰｼﾞｮﾝ情報(&A)");
    QTest::newRow("1019") << 1019 << "Save" << QString::fromUtf8("上書き保存");
    QTest::newRow("1021") << 1021 << "Help" << QString::fromUtf8("ﾍﾙﾌﾟ");
    QTest::newRow("1100") << 1100 << "Status Bar(&S)" << QString::fromUtf8("ｽﾃｰﾀｽﾊﾞｰ(&S)");
    QTest::newRow("1201") << 1201 << "Import(&I)..." << QString::fromUtf8("ｲﾝﾎﾟｰﾄ(&I)...");
    QTest::newRow("1206") << 1206 << "Memory(&M)" << QString::fromUtf8("メモリー(&M)");
    QTest::newRow("1207") << 1207 << "ALL(&A)" << QString::fromUtf8("すべて(&A)");
}

void TestReferenceTables::strings()
{
    QFETCH(int, id);
    QFETCH(QString, english);
    QFETCH(QString, japanese);
    QCOMPARE(resourceString(id, Language::English).value_or(QString()), english);
    QCOMPARE(resourceString(id, Language::Japanese).value_or(QString()), japanese);
}

void TestReferenceTables::resourceIds_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("id"); // -1: no identifier
    QTest::newRow("number") << "1201" << 1201;
    QTest::newRow("blanks") << " 1017 " << 1017;
    QTest::newRow("empty") << "" << -1;
    QTest::newRow("caption") << "File" << -1;
    QTest::newRow("mixed") << "12a" << -1;
}

void TestReferenceTables::resourceIds()
{
    QFETCH(QString, text);
    QFETCH(int, id);
    QCOMPARE(resourceId(text).value_or(-1), id);
    QVERIFY(!resourceString(20, Language::English));
    QVERIFY(!resourceString(21, Language::Japanese));
}

void TestReferenceTables::language()
{
    QCOMPARE(languageForLocale(QLocale(QLocale::Japanese, QLocale::Japan)), Language::Japanese);
    QCOMPARE(languageForLocale(QLocale(QLocale::English, QLocale::UnitedStates)),
             Language::English);
    QCOMPARE(languageForLocale(QLocale(QLocale::German, QLocale::Germany)), Language::English);
}

QTEST_GUILESS_MAIN(TestReferenceTables)
#include "tst_reference_tables.moc"
