#include "editing/channel_filter.h"
#include "editing/channel_table.h"

#include <QTest>

using namespace hxv5;

namespace {

// A channel as the grid shows it: frequency, tone mode (0 None, 1 Tone, 2 TSQ, 3 Rev), its two
// tones and a note.
TableRow channel(double mhz, int toneMode, const QString &note)
{
    static const char *const modes[] = {"None", "Tone", "TSQ", "Rev"};
    TableRow row;
    row.number[kColFrequency] = mhz;
    row.text[kColFrequency] = formatMHz(mhz);
    row.number[kColTone] = toneMode;
    row.text[kColTone] = QLatin1String(modes[toneMode]);
    row.text[kColTxTone] = QStringLiteral("88.5Hz");
    row.text[kColRxTone] = QStringLiteral("100.0Hz");
    row.text[kColNotes] = note;
    return row;
}

} // namespace

class TestChannelFilter : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void matches_data();
    void matches();
    void findGoesRound();
    void slotForLabel_data();
    void slotForLabel();
};

void TestChannelFilter::matches_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("toneMode");
    QTest::addColumn<bool>("matches");

    // The channel: 145.5 MHz, note "Home Repeater", tones 88.5 Hz out, 100.0 Hz in.
    QTest::newRow("frequency") << "145.5" << 0 << true;
    QTest::newRow("frequency with its decimals") << "145.50000" << 0 << true;
    QTest::newRow("another frequency") << "145.6" << 0 << false;
    QTest::newRow("note, other case, blanks around") << "  home rep " << 0 << true;
    QTest::newRow("tone mode") << "tsq" << 2 << true;
    QTest::newRow("transmit tone with Tone") << "88.5" << 1 << true;
    QTest::newRow("receive tone unused by Tone") << "100.0" << 1 << false;
    QTest::newRow("receive tone with TSQ") << "100.0Hz" << 2 << true;
    QTest::newRow("receive tone with reverse") << "100.0" << 3 << true;
    QTest::newRow("tone without a tone mode") << "88.5" << 0 << false;
    QTest::newRow("nothing to find") << "  " << 1 << false;
}

void TestChannelFilter::matches()
{
    QFETCH(QString, text);
    QFETCH(int, toneMode);
    QFETCH(bool, matches);

    ChannelTable channels;
    channels.setSlot(3, channel(145.5, toneMode, QStringLiteral("Home Repeater")), true);
    ChannelFilter filter{text, true, false};
    QCOMPARE(filter.matches(channels, 3), matches);
    QCOMPARE(filter.shows(channels, 3), matches || text.trimmed().isEmpty());
    // An empty slot keeps its texts and still matches nothing.
    channels.setNumber(3, kColFrequency, 0);
    QVERIFY(!filter.matches(channels, 3));
}

void TestChannelFilter::findGoesRound()
{
    ChannelTable channels;
    channels.setSlot(5, channel(0.531, 0, QString()), true);
    channels.setSlot(150, channel(145.5, 0, QStringLiteral("as 0.53 MHz")), false);
    channels.setSlot(212, channel(10.53, 0, QString()), true);
    // ".53100" reads as "0.53100" too.
    const ChannelFilter filter{QStringLiteral("0.53"), false, false};
    QCOMPARE(nextMatch(filter, channels, 0), 5);
    QCOMPARE(nextMatch(filter, channels, 5), 150);
    QCOMPARE(nextMatch(filter, channels, 150), 212);
    QCOMPARE(nextMatch(filter, channels, 212), 5);
    QCOMPARE(nextMatch(filter, channels, 5, true), 212);
    QCOMPARE(matchCount(filter, channels), 3);
    QCOMPARE(nextMatch({QStringLiteral("146"), false, false}, channels, 7), -1);
    // Hiding the empty slots keeps the used ones, disabled or not.
    const ChannelFilter noEmpty{QString(), false, true};
    QVERIFY(noEmpty.shows(channels, 150));
    QVERIFY(!noEmpty.shows(channels, 6));
}

void TestChannelFilter::slotForLabel_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("slot");
    QTest::newRow("channel") << "57" << 57;
    QTest::newRow("channel 0, blanks around") << " 0 " << 0;
    QTest::newRow("last channel") << "199" << 199;
    QTest::newRow("no channel 200") << "200" << -1;
    QTest::newRow("below 0") << "-1" << -1;
    QTest::newRow("program scan edge") << "p2a" << 204;
    QTest::newRow("A-L") << "A-L" << 210;
    QTest::newRow("priority") << "Pri" << 212;
    QTest::newRow("dialog label") << "P 2A" << -1;
    QTest::newRow("nothing") << "" << -1;
}

void TestChannelFilter::slotForLabel()
{
    QFETCH(QString, label);
    QFETCH(int, slot);
    QCOMPARE(hxv5::slotForLabel(label), slot);
}

QTEST_GUILESS_MAIN(TestChannelFilter)
#include "tst_channel_filter.moc"
