#include "print/print_selection.h"

#include <QTest>

using namespace hxv5;

using Request = PrintSelection::Request;
Q_DECLARE_METATYPE(hxv5::PrintSelection::Request)

class TestPrintSelection : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void firstLoadTicksAll();
    void continues_data();
    void continues();
    void ticksCarryOverUntilUnloaded();
};

void TestPrintSelection::firstLoadTicksAll()
{
    PrintSelection s;
    QCOMPARE(s.ticks(), (ReportSelection{true, true, true, true}));
    QCOMPARE(s.request(), Request::None);
    QVERIFY(!s.shouldContinue());
}

void TestPrintSelection::continues_data()
{
    QTest::addColumn<ReportSelection>("ticks");
    QTest::addColumn<Request>("request");
    QTest::addColumn<bool>("goesOn");
    QTest::newRow("OK, all") << ReportSelection{true, true, true, true} << Request::Print << true;
    QTest::newRow("OK, memory only")
        << ReportSelection{false, false, false, true} << Request::Print << true;
    QTest::newRow("OK, none") << ReportSelection{false, false, false, false} << Request::Print
                              << false;
    QTest::newRow("preview, one") << ReportSelection{false, true, false, false} << Request::Preview
                                  << true;
    QTest::newRow("preview, none")
        << ReportSelection{false, false, false, false} << Request::Preview << false;
    QTest::newRow("closed without OK")
        << ReportSelection{true, true, true, true} << Request::None << false;
}

void TestPrintSelection::continues()
{
    QFETCH(ReportSelection, ticks);
    QFETCH(Request, request);
    PrintSelection s;
    for (int i = 0; i < kReportCount; ++i)
        s.setTicked(i, ticks[static_cast<size_t>(i)]);
    s.beginCommand();
    if (request == Request::Print)
        s.requestPrint();
    else if (request == Request::Preview)
        s.requestPreview();
    QTEST(s.shouldContinue(), "goesOn");
    QCOMPARE(s.printRequested(), request == Request::Print);
}

void TestPrintSelection::ticksCarryOverUntilUnloaded()
{
    PrintSelection s;
    s.beginCommand();
    s.setTicked(0, false);
    s.setTicked(2, false);
    s.requestPrint();
    // The next print command clears the request but keeps the ticks.
    s.beginCommand();
    QCOMPARE(s.request(), Request::None);
    QCOMPARE(s.ticks(), (ReportSelection{false, true, false, true}));
    s.setTicked(-1, false);
    s.setTicked(4, false);
    QCOMPARE(s.ticks(), (ReportSelection{false, true, false, true}));
    s.unload();
    QCOMPARE(s.ticks(), (ReportSelection{true, true, true, true}));
}

QTEST_GUILESS_MAIN(TestPrintSelection)
#include "tst_print_selection.moc"
