#include "document/document.h"
#include "editing/bulk_edit.h"
#include "editing/channel_sort.h"
#include "image/channel_codec.h"

#include <QTest>

using namespace hxv5;

Q_DECLARE_METATYPE(QList<hxv5::FieldValue>)

namespace {

TableRow channel(double mhz, int mode, int step, int tone, int tx, const char *note)
{
    TableRow row;
    row.number = {mhz, double(mode), double(step), double(tone), double(tx), double(tx), 0, 0.6, 0};
    row.text = {formatMHz(mhz),         modeText(mode), stepText(step), toneModeText(tone),
                toneText(tx),           toneText(tx),   shiftText(0),   QStringLiteral(".60000"),
                QString::fromUtf8(note)};
    return row;
}

// Six slots by hand: two channels share 145.5 MHz and two share the note "alpha" in different
// places, slot 1 is empty (with a note), slots 3 and 4 are disabled; P0A holds a channel too.
void fill(Document &doc, int model)
{
    doc.settings().setModel(model);
    ChannelTable &c = doc.channels();
    c.setSlot(0, channel(146.52, 0, 7, 0, 8, "Zed"), true);
    TableRow empty;
    empty.text[kColNotes] = QStringLiteral("left");
    c.setSlot(1, empty, false);
    c.setSlot(2, channel(145.5, 0, 5, 1, 8, "alpha"), true);
    c.setSlot(3, channel(433, 0, 7, 2, 12, ""), false);
    c.setSlot(4, channel(145.5, 0, 5, 1, 0, "Bravo"), false);
    c.setSlot(5, channel(7.05, 0, 5, 0, 8, "alpha"), true);
    c.setSlot(200, channel(144, 0, 5, 0, 8, "edge"), true);
    doc.setChanged(false);
    doc.startFreshHistory();
}

QString texts(const TableRow &row)
{
    return QStringList(row.text.cbegin(), row.text.cend()).join(QLatin1Char('|'));
}

// After a change the document differs from before in one step of the history, which takes it
// back exactly; without one it has not changed at all.
void checkOneStep(Document &doc, const DocumentContent &before, bool changed)
{
    QCOMPARE(doc.isChanged(), changed);
    QCOMPARE(doc.history().count(), changed ? 1 : 0);
    if (!changed) {
        QVERIFY(doc.state() == before);
        return;
    }
    QVERIFY(!(doc.state() == before));
    QVERIFY(doc.undo());
    QVERIFY(doc.state() == before);
    QVERIFY(!doc.isChanged());
}

const QList<int> kFirstSeven = {0, 1, 2, 3, 4, 5, 6};

} // namespace

class TestBulkEditAndSort : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void sort_data();
    void sort();
    void bulkEdit_data();
    void bulkEdit();
};

void TestBulkEditAndSort::sort_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("descending");
    QTest::addColumn<QList<int>>("slots");
    QTest::addColumn<QList<int>>("order"); // the slot each of slots 0..6 held before

    QList<int> all;
    for (int s = 0; s < kSlotCount; ++s)
        all << s;
    const auto key = [](SortKey k) { return static_cast<int>(k); };
    QTest::newRow("frequency") << key(SortKey::Frequency) << false << all
                               << QList<int>{5, 2, 4, 0, 3, 1, 6};
    QTest::newRow("frequency descending")
        << key(SortKey::Frequency) << true << all << QList<int>{3, 0, 2, 4, 5, 1, 6};
    QTest::newRow("notes, without regard to case")
        << key(SortKey::Notes) << false << all << QList<int>{2, 5, 4, 0, 3, 1, 6};
    QTest::newRow("notes descending")
        << key(SortKey::Notes) << true << all << QList<int>{0, 4, 2, 5, 3, 1, 6};
    QTest::newRow("tone") << key(SortKey::Tone) << false << all << QList<int>{4, 2, 3, 0, 5, 1, 6};
    QTest::newRow("selected rows only")
        << key(SortKey::Frequency) << false << QList<int>{0, 3, 5, 200}
        << QList<int>{5, 1, 2, 0, 4, 3, 6};
    QTest::newRow("in order already")
        << key(SortKey::Frequency) << false << QList<int>{2, 3} << kFirstSeven;
}

// Channels move with their enable flags; empty slots go last; the special rows stay.
void TestBulkEditAndSort::sort()
{
    QFETCH(int, key);
    QFETCH(bool, descending);
    QFETCH(QList<int>, slots);
    QFETCH(QList<int>, order);
    Document doc;
    fill(doc, 0);
    Document original;
    fill(original, 0);
    const DocumentContent before = doc.state();
    const bool moved = order != kFirstSeven;

    QCOMPARE(sortChannels(doc, slots, static_cast<SortKey>(key), descending), moved);
    for (int place = 0; place < order.size(); ++place) {
        QCOMPARE(doc.channels().row(place), original.channels().row(order.at(place)));
        QCOMPARE(doc.channels().isEnabled(place), original.channels().isEnabled(order.at(place)));
    }
    QCOMPARE(doc.channels().row(200), original.channels().row(200));
    checkOneStep(doc, before, moved);
}

void TestBulkEditAndSort::bulkEdit_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QList<int>>("slots");
    QTest::addColumn<QList<FieldValue>>("fields");
    QTest::addColumn<int>("enable"); // -1 untouched
    QTest::addColumn<bool>("autoModeStep");
    QTest::addColumn<QStringList>("report"); // the summary, then what was left
    QTest::addColumn<int>("slot");           // one slot to look at afterwards
    QTest::addColumn<QString>("after");
    QTest::addColumn<bool>("enabled");

    const auto option = [](int column, int value) { return FieldValue{column, value, {}}; };
    const auto text = [](int column, const char *value) {
        return FieldValue{column, -1, QString::fromUtf8(value)};
    };
    QTest::newRow("tone squelch 88.5 for all")
        << 0 << kFirstSeven
        << QList<FieldValue>{option(kColTone, 2), option(kColTxTone, 8), option(kColRxTone, 8)}
        << -1 << false << QStringList{"5 channels changed, 2 empty slots passed over."} << 4
        << "145.50000|FM|12.5KHz|TSQ|88.5Hz|88.5Hz|None|.60000|Bravo" << false;
    QTest::newRow("9KHz refused on the HX-V5 B")
        << 4 << QList<int>{0, 2, 3, 4, 5}
        << QList<FieldValue>{option(kColStep, 0), option(kColShift, 1)} << -1 << false
        << QStringList{"5 channels changed.",
                       "Step 9KHz is not offered for memory channels on the HX-V5 B: left as it "
                       "was on channels 0, 2, 3 and 2 more"}
        << 2 << "145.50000|FM|12.5KHz|Tone|88.5Hz|88.5Hz|+Shift|.60000|alpha" << true;
    QTest::newRow("each channel's own mode and step, enabled")
        << 0 << QList<int>{3, 5} << QList<FieldValue>{} << 1 << true
        << QStringList{"2 channels changed."} << 5
        << "7.05000|AM|5KHz|None|88.5Hz|88.5Hz|None|.60000|alpha" << true;
    QTest::newRow("a disabled channel enabled")
        << 0 << QList<int>{3, 5} << QList<FieldValue>{} << 1 << true
        << QStringList{"2 channels changed."} << 3
        << "433.00000|FM|20KHz|TSQ|100.0Hz|100.0Hz|None|.60000|" << true;
    QTest::newRow("offset refused, note taken")
        << 0 << QList<int>{2}
        << QList<FieldValue>{text(kColShiftFreq, "150"), text(kColNotes, "beta")} << -1 << false
        << QStringList{"1 channel changed.",
                       "An offset must be below 100 MHz: the radio holds at most 99.99999: left as "
                       "it was on channel 2"}
        << 2 << "145.50000|FM|12.5KHz|Tone|88.5Hz|88.5Hz|None|.60000|beta" << true;
    QTest::newRow("unchanged")
        << 0 << QList<int>{1, 2, 5} << QList<FieldValue>{text(kColNotes, "alpha")} << -1 << false
        << QStringList{"0 channels changed, 2 unchanged, 1 empty slot passed over."} << 1
        << "||||||||left" << false;
    QTest::newRow("a special row, disabled")
        << 0 << QList<int>{200} << QList<FieldValue>{option(kColMode, 1)} << 0 << false
        << QStringList{"1 channel changed."} << 200
        << "144.00000|AM|12.5KHz|None|88.5Hz|88.5Hz|None|.60000|edge" << false;
}

// Only the given fields change, each checked for each channel; one step of the history.
void TestBulkEditAndSort::bulkEdit()
{
    QFETCH(int, model);
    QFETCH(QList<int>, slots);
    QFETCH(QList<FieldValue>, fields);
    QFETCH(int, enable);
    QFETCH(bool, autoModeStep);
    QFETCH(QStringList, report);
    QFETCH(int, slot);
    QFETCH(QString, after);
    QFETCH(bool, enabled);
    Document doc;
    fill(doc, model);
    const DocumentContent before = doc.state();

    BulkEdit edit{fields, std::nullopt, autoModeStep};
    if (enable >= 0)
        edit.enable = enable == 1;
    BulkEditReport told;
    const bool changed = editChannels(doc, slots, edit, told);
    QCOMPARE(QStringList{bulkEditSummary(told)} + told.left, report);
    QCOMPARE(texts(doc.channels().row(slot)), after);
    QCOMPARE(doc.channels().isEnabled(slot), enabled);
    QCOMPARE(changed, told.changed > 0);
    checkOneStep(doc, before, changed);
}

QTEST_GUILESS_MAIN(TestBulkEditAndSort)
#include "tst_bulk_edit_and_sort.moc"
