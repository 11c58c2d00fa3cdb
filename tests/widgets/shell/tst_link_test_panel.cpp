#include "link/link_test_panel.h"

#include "document/document.h"
#include "fake_radio.h"
#include "image/clone_image.h"
#include "link/transfers.h"
#include "scripted_interaction.h"

#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>

using namespace hxv5;
using namespace hxv5::testing;

class TestLinkTestPanel : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void enableBlocksOnTwoLines_data();
    void enableBlocksOnTwoLines();
};

void TestLinkTestPanel::enableBlocksOnTwoLines_data()
{
    QTest::addColumn<QList<int>>("enabled");
    QTest::addColumn<QString>("text2");
    QTest::newRow("none") << QList<int>{}
                          << QString(32, QLatin1Char('0')) + QLatin1Char('\n') +
                                 QString(32, QLatin1Char('0'));
    QTest::newRow("slots 0 and 212") << QList<int>{0, 212}
                                     << QStringLiteral("80000000000000000000000000000000\n"
                                                       "00000000000000000000080000000000");
    QList<int> all;
    for (int s = 0; s < kSlotCount; ++s)
        all.append(s);
    QTest::newRow("all") << all
                         << QStringLiteral("FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF\n"
                                           "FFFFFFFFFFFFFFFFFFFFF80000000000");
}

void TestLinkTestPanel::enableBlocksOnTwoLines()
{
    QFETCH(QList<int>, enabled);
    QFETCH(QString, text2);

    Document doc;
    for (int s = 0; s < kSlotCount; ++s)
        doc.channels().setEnabled(s, enabled.contains(s));
    FakeRadio radio;
    ScriptedInteraction ui;
    Transfers transfers(doc, radio, ui);
    LinkTestPanel panel(transfers, doc);
    auto *box = panel.findChild<QPlainTextEdit *>(QStringLiteral("Text2"));
    QVERIFY(box);

    // Write Memory rebuilds the enable-flag blocks from the flags before it sends them.
    QSignalSpy finished(&transfers, &Transfers::finished);
    transfers.writeMemory();
    QVERIFY(finished.wait(20000));
    QVERIFY(ui.errors.isEmpty());
    QCOMPARE(box->toPlainText(), text2);
    QCOMPARE(box->document()->blockCount(), 2);
}

QTEST_MAIN(TestLinkTestPanel)
#include "tst_link_test_panel.moc"
