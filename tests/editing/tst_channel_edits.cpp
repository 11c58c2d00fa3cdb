#include "document/document.h"
#include "editing/bulk_edit.h"
#include "editing/cell_edit.h"
#include "editing/channel_sort.h"
#include "image/channel_codec.h"

#include <QTest>

#include <numeric>

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
// places, slot 1 is empty (with a note), slots 3 and 4 are disabled; P0A holds a channel too, and
// every VFO band a 2 m channel.
void fill(Document &doc, int model)
{
    doc.settings().setModel(model);
    for (int r = 0; r < kVfoRowCount; ++r)
        doc.vfo().setRow(r, channel(145.5, 0, 5, 1, 8, "v"));
    ChannelTable &c = doc.channels();
    c.setSlot(0, channel(146.52, 0, 7, 0, 8, "Zed"), true);
    c.setText(1, kColNotes, QStringLiteral("left"));
    c.setSlot(2, channel(145.5, 0, 5, 1, 8, "alpha"), true);
    c.setSlot(3, channel(433, 0, 7, 2, 12, ""), false);
    c.setSlot(4, channel(145.5, 0, 5, 1, 0, "Bravo"), false);
    c.setSlot(5, channel(7.05, 0, 5, 0, 8, "alpha"), true);
    c.setSlot(200, channel(144, 0, 5, 0, 8, "edge"), true);
    doc.setChanged(false);
    doc.startFreshHistory();
}

// A row's texts, and a slot's enable flag.
QString texts(const Document &doc, bool vfo, int row)
{
    const TableRow &r = vfo ? doc.vfo().row(row) : doc.channels().row(row);
    const QString texts = QStringList(r.text.cbegin(), r.text.cend()).join(QLatin1Char('|'));
    return vfo ? texts : texts + (doc.channels().isEnabled(row) ? "|on" : "|off");
}

// After a change the document differs from before in one step of the history, which takes it
// back exactly; without one it has not changed at all.
void checkOneStep(Document &doc, const DocumentContent &before, bool changed)
{
    QCOMPARE(doc.isChanged(), changed);
    QCOMPARE(doc.history().count(), changed ? 1 : 0);
    QCOMPARE(doc.state() == before, !changed);
    QVERIFY(!changed || doc.undo());
    QVERIFY(doc.state() == before);
    QVERIFY(!doc.isChanged());
}

const QList<int> kFirstSeven = {0, 1, 2, 3, 4, 5, 6};

} // namespace

// The three ways to change channels besides the edit dialog, on one hand-made document: a cell
// edited in the grid against the dialog's rules (what each list offers, the checks on each typed
// field for each variant, the automatic mode and step, the defaults of a new channel), the bulk
// edit and the sort. Each change is one step of the history, which takes it back exactly.
class TestChannelEdits : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cellEdits_data();
    void cellEdits();
    void sort_data();
    void sort();
    void bulkEdit_data();
    void bulkEdit();
};

void TestChannelEdits::cellEdits_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<bool>("vfo");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("value");   // typed text, or a list column's option
    QTest::addColumn<QString>("offered"); // the list's options; "-" none, empty: not checked
    QTest::addColumn<QString>("after");   // the row's texts, or why the value was refused

    const auto add = [](bool vfo) {
        return [vfo](const char *name, int model, int row, int column, const char *value,
                     const char *after, const char *offered = "") {
            QTest::newRow(name) << model << vfo << row << column << value << offered << after;
        };
    };
    const auto memory = add(false);
    const auto vfo = add(true);
    // The frequency, its automatic mode and step, and each variant's limits.
    memory("D 146.52: FM 20KHz", 0, 4, kColFrequency, "146.52",
           "146.52000|FM|20KHz|Tone|67.0Hz|67.0Hz|None|.60000|Bravo|off");
    memory("B 146.52: FM 5KHz", 4, 4, kColFrequency, "146.52",
           "146.52000|FM|5KHz|Tone|67.0Hz|67.0Hz|None|.60000|Bravo|off");
    memory("B 9.995 refused", 4, 4, kColFrequency, "9.995",
           "9.99500 MHz is outside what the HX-V5 B holds in memory (88.100-173.995, "
           "380.000-511.995 MHz)");
    memory("D 300 refused", 0, 4, kColFrequency, "300",
           "300.00000 MHz is outside what the HX-V5 D holds in memory (.531-9.995, "
           "76.100-89.995, 108.000-169.995, 380.000-469.995 MHz)");
    memory("B PRO 5000 kept", 2, 4, kColFrequency, "5000",
           "5000.00000|FM|5KHz|Tone|67.0Hz|67.0Hz|None|.60000|Bravo|off");
    memory("B PRO 10000 refused", 2, 4, kColFrequency, "10000",
           "The radio holds frequencies below 10000 MHz");
    memory("letters refused", 0, 4, kColFrequency, "14a", "\"14a\" is not a frequency in MHz");
    // An empty slot takes the dialog's defaults for a new channel first, enabled.
    memory("empty slot, frequency", 0, 1, kColFrequency, "433",
           "433.00000|FM|20KHz|None|88.5Hz|88.5Hz|None|.60000||on");
    memory("empty slot, note", 0, 1, kColNotes, "new",
           "145.00000|FM|20KHz|None|88.5Hz|88.5Hz|None|.60000|new|on");
    // The lists: what the dialog offers a memory slot on the variant.
    memory("B step 9KHz refused", 4, 4, kColStep, "0",
           "Step 9KHz is not offered for memory channels on the HX-V5 B",
           "5KHz,6.25KHz,8.33KHz,10KHz,12.5KHz,15KHz,20KHz,25KHz,30KHz,50KHz,100KHz,125KHz,200KHz");
    memory("tone reverse", 0, 4, kColTone, "3",
           "145.50000|FM|12.5KHz|Rev.|67.0Hz|67.0Hz|None|.60000|Bravo|off", "None,Tone,TSQ,Rev.");
    memory("shift plus", 0, 4, kColShift, "1",
           "145.50000|FM|12.5KHz|Tone|67.0Hz|67.0Hz|+Shift|.60000|Bravo|off",
           "None,+Shift,-Shift,Split");
    memory("offset 5", 0, 4, kColShiftFreq, "5",
           "145.50000|FM|12.5KHz|Tone|67.0Hz|67.0Hz|None|5.00000|Bravo|off");
    memory("offset 150 refused", 0, 4, kColShiftFreq, "150",
           "An offset must be below 100 MHz: the radio holds at most 99.99999");
    memory("note of 31 refused", 0, 4, kColNotes, "nnnnnnnnnnnnnnnnnnnnnnnnnnnnnnn",
           "A note holds at most 30 characters");
    // The VFO bands: their limits, their lists and their automatic mode and step.
    vfo("Air 141.995 kept", 0, 3, kColFrequency, "141.995",
        "141.99500|AM|25KHz|Tone|88.5Hz|88.5Hz|None|.60000|v");
    vfo("Air 142 refused", 0, 3, kColFrequency, "142",
        "142.00000 MHz is outside the VFO band Air of the HX-V5 D (108.000-141.995MHz)");
    vfo("no band plan", 1, 4, kColFrequency, "145",
        "The V5 A PRO has no band plan: the VFO band VHF keeps its frequency");
    vfo("FM band mode", 0, 2, kColMode, "2",
        "145.50000|WFM|12.5KHz|Tone|88.5Hz|88.5Hz|None|.60000|v", "WFM");
    vfo("Air mode WFM refused", 0, 3, kColMode, "2",
        "Mode WFM is not offered for the VFO band Air on the HX-V5 D", "FM,AM");
    vfo("D AM band steps", 0, 0, kColStep, "1",
        "Step 5KHz is not offered for the VFO band AM on the HX-V5 D", "9KHz");
    vfo("a band the variant lacks", 5, 0, kColNotes, "x", "The HX-V5 A has no AM band", "-");
}

void TestChannelEdits::cellEdits()
{
    QFETCH(int, model);
    QFETCH(bool, vfo);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, value);
    QFETCH(QString, offered);
    QFETCH(QString, after);
    Document doc;
    fill(doc, model);
    const DocumentContent before = doc.state();
    const RowRef ref{vfo ? EditSession::Kind::Vfo : EditSession::Kind::Memory, row};

    if (!offered.isEmpty()) {
        QStringList names;
        for (int option : offeredOptions(doc, ref, column))
            names << EditSession::optionText(column, option);
        QCOMPARE(names.join(QLatin1Char(',')), offered == QLatin1String("-") ? QString() : offered);
    }
    const FieldValue field = isListColumn(column) ? FieldValue{column, value.toInt(), {}}
                                                  : FieldValue{column, -1, value};
    const CellEditOutcome outcome = editCell(doc, ref, field);
    QCOMPARE(outcome.changed ? texts(doc, vfo, row) : outcome.refusal, after);
    checkOneStep(doc, before, outcome.changed);
}

void TestChannelEdits::sort_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("descending");
    QTest::addColumn<QList<int>>("slots");
    QTest::addColumn<QList<int>>("order"); // the slot each of slots 0..6 held before

    QList<int> all(kSlotCount);
    std::iota(all.begin(), all.end(), 0);
    const auto key = [](SortKey k) { return static_cast<int>(k); };
    QTest::newRow("frequency") << key(SortKey::Frequency) << false << all
                               << QList<int>{5, 2, 4, 0, 3, 1, 6};
    QTest::newRow("frequency descending")
        << key(SortKey::Frequency) << true << all << QList<int>{3, 0, 2, 4, 5, 1, 6};
    QTest::newRow("notes, without regard to case")
        << key(SortKey::Notes) << false << all << QList<int>{2, 5, 4, 0, 3, 1, 6};
    QTest::newRow("tone") << key(SortKey::Tone) << false << all << QList<int>{4, 2, 3, 0, 5, 1, 6};
    QTest::newRow("selected rows only")
        << key(SortKey::Frequency) << false << QList<int>{0, 3, 5, 200}
        << QList<int>{5, 1, 2, 0, 4, 3, 6};
    QTest::newRow("in order already")
        << key(SortKey::Frequency) << false << QList<int>{2, 3} << kFirstSeven;
}

// Channels move with their enable flags; empty slots go last; the special rows stay.
void TestChannelEdits::sort()
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
    for (int place : kFirstSeven + QList<int>{200}) {
        const int from = order.value(place, place);
        QCOMPARE(doc.channels().row(place), original.channels().row(from));
        QCOMPARE(doc.channels().isEnabled(place), original.channels().isEnabled(from));
    }
    checkOneStep(doc, before, moved);
}

void TestChannelEdits::bulkEdit_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QList<int>>("slots");
    QTest::addColumn<QList<FieldValue>>("fields");
    QTest::addColumn<int>("enable"); // -1 untouched, else 0 or 1; 2: 1 and each own mode and step
    QTest::addColumn<QStringList>("report"); // the summary, then what was left
    QTest::addColumn<int>("slot");           // one slot to look at afterwards, and its flag
    QTest::addColumn<QString>("after");

    const auto row = [](const char *name, int model, QList<int> slots, QList<FieldValue> fields,
                        int enable, QStringList report, int slot, const char *after) {
        QTest::newRow(name) << model << slots << fields << enable << report << slot << after;
    };
    const QString offsetLeft = "An offset must be below 100 MHz: the radio holds at most 99.99999: "
                               "left as it was on channel 2";
    row("tone squelch 88.5 for all", 0, kFirstSeven,
        {{kColTone, 2, {}}, {kColTxTone, 8, {}}, {kColRxTone, 8, {}}}, -1,
        {"5 channels changed, 2 empty slots passed over."}, 4,
        "145.50000|FM|12.5KHz|TSQ|88.5Hz|88.5Hz|None|.60000|Bravo|off");
    row("9KHz refused on the HX-V5 B", 4, {0, 2, 3, 4, 5}, {{kColStep, 0, {}}, {kColShift, 1, {}}},
        -1,
        {"5 channels changed.", "Step 9KHz is not offered for memory channels on the HX-V5 B: left "
                                "as it was on channels 0, 2, 3 and 2 more"},
        2, "145.50000|FM|12.5KHz|Tone|88.5Hz|88.5Hz|+Shift|.60000|alpha|on");
    row("each channel's own mode and step, enabled", 0, {3, 5}, {}, 2, {"2 channels changed."}, 5,
        "7.05000|AM|5KHz|None|88.5Hz|88.5Hz|None|.60000|alpha|on");
    row("offset refused, note taken", 0, {2}, {{kColShiftFreq, -1, "150"}, {kColNotes, -1, "beta"}},
        -1, {"1 channel changed.", offsetLeft}, 2,
        "145.50000|FM|12.5KHz|Tone|88.5Hz|88.5Hz|None|.60000|beta|on");
    row("already so", 0, {1, 2, 5}, {{kColNotes, -1, "alpha"}}, -1,
        {"0 channels changed, 2 unchanged, 1 empty slot passed over."}, 1, "||||||||left|off");
    row("a special row, disabled", 0, {200}, {{kColMode, 1, {}}}, 0, {"1 channel changed."}, 200,
        "144.00000|AM|12.5KHz|None|88.5Hz|88.5Hz|None|.60000|edge|off");
}

// Only the given fields change, each checked for each channel; one step of the history.
void TestChannelEdits::bulkEdit()
{
    QFETCH(int, model);
    QFETCH(QList<int>, slots);
    QFETCH(QList<FieldValue>, fields);
    QFETCH(int, enable);
    QFETCH(QStringList, report);
    QFETCH(int, slot);
    QFETCH(QString, after);
    Document doc;
    fill(doc, model);
    const DocumentContent before = doc.state();
    BulkEdit edit{fields, std::nullopt, enable == 2};
    if (enable >= 0)
        edit.enable = enable > 0;
    BulkEditReport told;
    const bool changed = editChannels(doc, slots, edit, told);
    QCOMPARE(QStringList{bulkEditSummary(told)} + told.left, report);
    QCOMPARE(texts(doc, false, slot), after);
    QCOMPARE(changed, told.changed > 0);
    checkOneStep(doc, before, changed);
}

QTEST_GUILESS_MAIN(TestChannelEdits)
#include "tst_channel_edits.moc"
