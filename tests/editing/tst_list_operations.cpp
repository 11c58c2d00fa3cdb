#include "document/document.h"
#include "editing/channel_filter.h"
#include "editing/list_operations.h"
#include "files/row_clipboard.h"

#include <QTest>

using namespace hxv5;

namespace {

// Slot s holds a channel at 100 + s MHz whose note names the slot; every third slot is disabled
// and every fifth is empty.
void fill(Document &doc)
{
    for (int s = 0; s < kSlotCount; ++s) {
        if (s % 5 == 4)
            continue;
        TableRow row;
        row.number[kColFrequency] = 100 + s;
        row.text[kColFrequency] = formatMHz(100 + s);
        row.text[kColNotes] = QStringLiteral("slot %1").arg(s);
        doc.channels().setSlot(s, row, s % 3 != 0);
    }
    doc.setChanged(false);
}

QString noteOf(const Document &doc, int slot)
{
    return doc.channels().text(slot, kColNotes);
}

// Runs the operation by its name on the slots ("paste": two rows from the first slot on).
bool run(ChannelListOperations &ops, Document &doc, const QString &operation,
         const QList<int> &slots, const ChannelListOperations::Confirm &confirm = {},
         const ChannelListOperations::Shown &shown = {})
{
    CsvImportReport report;
    const QHash<QString, std::function<bool()>> operations{
        {"delete", [&] { return ops.DeleteRows(slots); }},
        {"insert", [&] { return ops.InsertRows(slots); }},
        {"clear", [&] { return ops.ClearRows(slots); }},
        {"up", [&] { return ops.MoveUp(slots); }},
        {"down", [&] { return ops.MoveDown(slots); }},
        {"disable all", [&] { return ops.DisableAll(); }},
        {"paste", [&] {
             return pasteRows(doc, QStringLiteral("145.1\tAM\n145.2\tFM\n"), slots.first(), confirm,
                              report, shown);
         }}};
    return operations.value(operation)();
}

struct Asked
{
    QString title;
    QString text;
    int count = 0;
};

} // namespace

class TestListOperations : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void deleteMovesChannelsUp_data();
    void deleteMovesChannelsUp();
    void insertMovesChannelsDown_data();
    void insertMovesChannelsDown();
    void specialRowsNeverMove_data();
    void specialRowsNeverMove();
    void cancelLeavesEverything_data();
    void cancelLeavesEverything();
    void clear();
    void enableAndDisable();
    void refusedWhileBusy();
    void scrolling_data();
    void scrolling();
    void severalRows_data();
    void severalRows();
    void hiddenRowsNeverChange_data();
    void hiddenRowsNeverChange();
    void filterMatches_data();
    void filterMatches();
    void tallerGridScrolling();
};

void TestListOperations::deleteMovesChannelsUp_data()
{
    QTest::addColumn<int>("slot");
    QTest::newRow("channel 0") << 0;
    QTest::newRow("channel 5") << 5;
    QTest::newRow("channel 198") << 198;
    QTest::newRow("channel 199") << 199;
}

void TestListOperations::deleteMovesChannelsUp()
{
    QFETCH(int, slot);
    Document doc;
    fill(doc);
    Document before;
    fill(before);
    Asked asked;
    ChannelListOperations ops(doc, [&](const QString &title, const QString &text) {
        asked = {title, text, asked.count + 1};
        return true;
    });
    QVERIFY(ops.Delete(slot));
    QCOMPARE(asked.count, 1);
    QCOMPARE(asked.title, QStringLiteral("DELETE OK"));
    QCOMPARE(asked.text, QStringLiteral("Edit \u25B8 Undo brings the rows back.\r\nAre you sure "
                                        "that you want to do the delete?"));
    QVERIFY(doc.isChanged());
    for (int s = 0; s < slot; ++s)
        QCOMPARE(doc.channels().row(s), before.channels().row(s));
    for (int s = slot; s < 199; ++s) {
        QCOMPARE(doc.channels().row(s), before.channels().row(s + 1));
        // A moved channel keeps its enable flag.
        QCOMPARE(doc.channels().isEnabled(s), before.channels().isEnabled(s + 1));
    }
    QVERIFY(doc.channels().row(199).isEmpty());
    QVERIFY(!doc.channels().isEnabled(199));
    QCOMPARE(doc.channels().row(199), TableRow());
    for (int s = 200; s < kSlotCount; ++s)
        QCOMPARE(noteOf(doc, s), noteOf(before, s));
}

void TestListOperations::insertMovesChannelsDown_data()
{
    QTest::addColumn<int>("slot");
    QTest::newRow("channel 0") << 0;
    QTest::newRow("channel 5") << 5;
    QTest::newRow("channel 199") << 199;
}

void TestListOperations::insertMovesChannelsDown()
{
    QFETCH(int, slot);
    Document doc;
    fill(doc);
    Document before;
    fill(before);
    bool asked = false;
    ChannelListOperations ops(doc, [&](const QString &, const QString &) {
        asked = true;
        return true;
    });
    QVERIFY(ops.Insert(slot));
    QVERIFY(!asked);
    QVERIFY(doc.isChanged());
    for (int s = 0; s < slot; ++s)
        QCOMPARE(doc.channels().row(s), before.channels().row(s));
    QCOMPARE(doc.channels().row(slot), TableRow());
    QVERIFY(!doc.channels().isEnabled(slot));
    for (int s = slot + 1; s < 200; ++s) {
        QCOMPARE(doc.channels().row(s), before.channels().row(s - 1));
        QCOMPARE(doc.channels().isEnabled(s), before.channels().isEnabled(s - 1));
    }
    for (int s = 200; s < kSlotCount; ++s)
        QCOMPARE(noteOf(doc, s), noteOf(before, s));
}

void TestListOperations::specialRowsNeverMove_data()
{
    QTest::addColumn<int>("slot");
    QTest::newRow("P0A") << 200;
    QTest::newRow("P2A") << 204;
    QTest::newRow("Pri") << 212;
}

// Delete on a special row asks nothing and changes nothing; Insert changes nothing but the
// changed flag.
void TestListOperations::specialRowsNeverMove()
{
    QFETCH(int, slot);
    Document doc;
    fill(doc);
    Document before;
    fill(before);
    bool asked = false;
    ChannelListOperations ops(doc, [&](const QString &, const QString &) {
        asked = true;
        return true;
    });
    QVERIFY(!ops.Delete(slot));
    QVERIFY(!asked);
    QVERIFY(!doc.isChanged());
    QVERIFY(ops.Insert(slot));
    QVERIFY(doc.isChanged());
    for (int s = 0; s < kSlotCount; ++s) {
        QCOMPARE(doc.channels().row(s), before.channels().row(s));
        QCOMPARE(doc.channels().isEnabled(s), before.channels().isEnabled(s));
    }
}

void TestListOperations::cancelLeavesEverything_data()
{
    QTest::addColumn<int>("operation"); // 0 Clear, 1 Clear All, 2 Delete
    QTest::addColumn<QString>("title");
    QTest::newRow("Clear") << 0 << "CLEAR OK";
    QTest::newRow("Clear All") << 1 << "CLEAR OK";
    QTest::newRow("Delete") << 2 << "DELETE OK";
}

void TestListOperations::cancelLeavesEverything()
{
    QFETCH(int, operation);
    QFETCH(QString, title);
    Document doc;
    fill(doc);
    Document before;
    fill(before);
    QString askedTitle;
    ChannelListOperations ops(doc, [&](const QString &t, const QString &) {
        askedTitle = t;
        return false;
    });
    const bool done = operation == 0   ? ops.Clear(7)
                      : operation == 1 ? ops.ClearAll()
                                       : ops.Delete(7);
    QVERIFY(!done);
    QCOMPARE(askedTitle, title);
    QVERIFY(!doc.isChanged());
    for (int s = 0; s < kSlotCount; ++s) {
        QCOMPARE(doc.channels().row(s), before.channels().row(s));
        QCOMPARE(doc.channels().isEnabled(s), before.channels().isEnabled(s));
    }
}

void TestListOperations::clear()
{
    Document doc;
    fill(doc);
    const TableRow vfo = doc.vfo().row(4);
    QString text;
    ChannelListOperations ops(doc, [&](const QString &, const QString &t) {
        text = t;
        return true;
    });
    QVERIFY(ops.Clear(210));
    QCOMPARE(text, QStringLiteral("Edit \u25B8 Undo brings the rows back.\r\nAre you sure that "
                                  "you want to do the clear?"));
    QCOMPARE(doc.channels().row(210), TableRow());
    QVERIFY(!doc.channels().isEnabled(210));
    QVERIFY(!doc.channels().row(211).isEmpty());

    QVERIFY(ops.ClearAll());
    QCOMPARE(text, QStringLiteral("Edit \u25B8 Undo brings the rows back.\r\nAre you sure that "
                                  "you want to clear all memory?"));
    for (int s = 0; s < kSlotCount; ++s) {
        QCOMPARE(doc.channels().row(s), TableRow());
        QVERIFY(!doc.channels().isEnabled(s));
    }
    QCOMPARE(doc.vfo().row(4), vfo);
}

void TestListOperations::enableAndDisable()
{
    Document doc;
    fill(doc);
    ChannelListOperations ops(doc, {});
    // Enable on an empty slot keeps it empty with its flag as it was; Disable clears the flag.
    doc.channels().setEnabled(4, true);
    doc.setChanged(false);
    QVERIFY(ops.Enable(9));
    QVERIFY(doc.isChanged());
    QVERIFY(!doc.channels().isEnabled(9));
    QVERIFY(ops.Disable(4));
    QVERIFY(!doc.channels().isEnabled(4));
    QVERIFY(ops.Enable(3));
    QVERIFY(doc.channels().isEnabled(3));

    QVERIFY(ops.EnableAll());
    for (int s = 0; s < kSlotCount; ++s)
        QCOMPARE(doc.channels().isEnabled(s), doc.channels().row(s).holdsChannel());
    QVERIFY(ops.DisableAll());
    for (int s = 0; s < kSlotCount; ++s)
        QVERIFY(!doc.channels().isEnabled(s));
}

void TestListOperations::refusedWhileBusy()
{
    Document doc;
    fill(doc);
    Document before;
    fill(before);
    ChannelListOperations ops(doc, [](const QString &, const QString &) { return true; });
    doc.setBusy(true);
    QVERIFY(!ops.Clear(1));
    QVERIFY(!ops.ClearAll());
    QVERIFY(!ops.Delete(1));
    QVERIFY(!ops.Insert(1));
    QVERIFY(!ops.Disable(1));
    QVERIFY(!ops.DisableAll());
    QVERIFY(!ops.Enable(0));
    QVERIFY(!ops.EnableAll());
    QVERIFY(!doc.isChanged());
    for (int s = 0; s < kSlotCount; ++s) {
        QCOMPARE(doc.channels().row(s), before.channels().row(s));
        QCOMPARE(doc.channels().isEnabled(s), before.channels().isEnabled(s));
    }
}

void TestListOperations::scrolling_data()
{
    QTest::addColumn<bool>("down");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("newCurrent");
    QTest::addColumn<int>("newTop");
    QTest::newRow("down inside the view") << true << 5 << 1 << 6 << 1;
    QTest::newRow("down past the bottom") << true << 13 << 1 << 14 << 2;
    QTest::newRow("down on the last row") << true << 213 << 201 << 213 << 201;
    QTest::newRow("down to the last row scrolled away") << true << 212 << 150 << 213 << 201;
    QTest::newRow("down to the last row in view") << true << 212 << 190 << 213 << 201;
    QTest::newRow("down above the view") << true << 3 << 50 << 4 << 4;
    QTest::newRow("up inside the view") << false << 5 << 1 << 4 << 1;
    QTest::newRow("up on row 1") << false << 1 << 1 << 1 << 1;
    QTest::newRow("up past the top") << false << 20 << 20 << 19 << 19;
    QTest::newRow("up below the view") << false << 100 << 20 << 99 << 87;
}

void TestListOperations::scrolling()
{
    QFETCH(bool, down);
    QFETCH(int, current);
    QFETCH(int, top);
    QFETCH(int, newCurrent);
    QFETCH(int, newTop);
    const GridScroll result = down ? scrollDown(current, top) : scrollUp(current, top);
    QCOMPARE(result.currentRow, newCurrent);
    QCOMPARE(result.topRow, newTop);
}

using Moves = QList<QPair<int, int>>; // slot, and the slot it held before (-1: empty now)

void TestListOperations::severalRows_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QList<int>>("slots");
    QTest::addColumn<Moves>("expected");
    QTest::addColumn<int>("questions");
    QTest::addColumn<QString>("notice");

    // Each selected channel goes, the ones below close up.
    QTest::newRow("delete 3 and 7")
        << "delete" << QList<int>{7, 3}
        << Moves{{2, 2}, {3, 4}, {5, 6}, {6, 8}, {197, 199}, {198, -1}, {199, -1}, {200, 200}} << 1
        << QString();
    QTest::newRow("delete skips special rows")
        << "delete" << QList<int>{198, 205} << Moves{{197, 197}, {198, 199}, {199, -1}, {205, 205}}
        << 1 << QString();
    // As many empty slots as channels selected, at the first; the channels pushed out are told.
    QTest::newRow("insert at 5 and 7")
        << "insert" << QList<int>{5, 7}
        << Moves{{4, 4}, {5, -1}, {6, -1}, {7, 5}, {8, 6}, {9, 7}, {199, 197}} << 0
        << "Channel 198 \"slot 198\" pushed out; Undo brings it back";
    QTest::newRow("insert 5 at 0")
        << "insert" << QList<int>{4, 0, 1, 2, 3, 205} << Moves{{0, -1}, {4, -1}, {5, 0}, {199, 194}}
        << 0
        << "Channels 195 \"slot 195\", 196 \"slot 196\", 197 \"slot 197\" and 1 more pushed "
           "out; Undo brings them back";
    QTest::newRow("clear 0, 2 and Pri")
        << "clear" << QList<int>{0, 2, 212} << Moves{{0, -1}, {1, 1}, {2, -1}, {212, -1}} << 1
        << QString();
    // A group moves as one, its neighbour going round it.
    QTest::newRow("move 5 and 6 up")
        << "up" << QList<int>{6, 5} << Moves{{4, 5}, {5, 6}, {6, 4}, {7, 7}} << 0 << QString();
    QTest::newRow("move 5 and 7 down")
        << "down" << QList<int>{5, 7} << Moves{{5, 6}, {6, 5}, {7, 8}, {8, 7}} << 0 << QString();
    QTest::newRow("move 198 and 199 up")
        << "up" << QList<int>{198, 199} << Moves{{197, 198}, {198, 199}, {199, 197}, {200, 200}}
        << 0 << QString();
}

void TestListOperations::severalRows()
{
    QFETCH(QString, operation);
    QFETCH(QList<int>, slots);
    QFETCH(Moves, expected);
    QFETCH(int, questions);
    QFETCH(QString, notice);

    Document doc;
    fill(doc);
    Document before;
    fill(before);
    int asked = 0;
    QStringList told;
    ChannelListOperations ops(
        doc, [&](const QString &, const QString &) { return ++asked > 0; },
        [&](const QString &text) { told << text; });
    QVERIFY(run(ops, doc, operation, slots));
    QCOMPARE(asked, questions);
    QVERIFY(doc.isChanged());
    for (const auto &[slot, from] : expected) {
        const TableRow row = from < 0 ? TableRow() : before.channels().row(from);
        const bool enabled = from >= 0 && before.channels().isEnabled(from);
        QVERIFY2(doc.channels().row(slot) == row, qPrintable(QString::number(slot)));
        QCOMPARE(doc.channels().isEnabled(slot), enabled);
    }
    QCOMPARE(told, notice.isEmpty() ? QStringList() : QStringList{notice});
    // One step, whatever the number of rows.
    QCOMPARE(doc.history().count(), 1);
}

void TestListOperations::hiddenRowsNeverChange_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QList<int>>("slots");
    QTest::addColumn<QList<int>>("hidden");
    QTest::addColumn<int>("changed"); // slots that hold something else afterwards; 0: refused
    // The question's first line, or the notice.
    QTest::addColumn<QString>("told");

    const QList<int> specials{200, 201, 202, 203, 204, 205, 206, 207, 208, 209, 210, 211, 212};
    const QString stay = QStringLiteral("; the hidden rows stay as they are.");
    QTest::newRow("clear") << "clear" << QList<int>{2, 3, 5} << QList<int>{3} << 2
                           << "1 row is hidden: only the 2 rows shown are cleared" + stay;
    QTest::newRow("disable all") << "disable all" << QList<int>()
                                 << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9} << 109
                                 << "10 rows are hidden: only the 203 rows shown are disabled" +
                                        stay;
    // Only the special rows hidden: the channels below move up as ever.
    QTest::newRow("delete, the rows below move up")
        << "delete" << QList<int>{5} << specials << 194
        << "13 rows are hidden: only the row shown is deleted" + stay;
    QTest::newRow("delete, a hidden row below")
        << "delete" << QList<int>{5, 6} << QList<int>{100} << 2
        << "1 row is hidden: only the 2 rows shown are emptied in place (the rows below do not "
           "move up)" +
               stay;
    QTest::newRow("insert, a hidden row below")
        << "insert" << QList<int>{5} << QList<int>{100} << 0
        << "Insert would move hidden rows: show every row (the find bar's filter off, View \u25B8 "
           "Hide Empty Slots unticked) to insert here.";
    // Down past the hidden row: 5 and 7 change places.
    QTest::newRow("move down") << "down" << QList<int>{5} << QList<int>{6} << 2 << QString();
    QTest::newRow("paste") << "paste" << QList<int>{5} << QList<int>{6, 7} << 2
                           << QStringLiteral("The rows go to the rows shown; the hidden rows "
                                             "between them stay as they are.");
}

void TestListOperations::hiddenRowsNeverChange()
{
    QFETCH(QString, operation);
    QFETCH(QList<int>, slots);
    QFETCH(QList<int>, hidden);
    QFETCH(int, changed);
    QFETCH(QString, told);

    Document doc;
    fill(doc);
    Document before;
    fill(before);
    QStringList heard;
    const auto hear = [&heard](const QString &text) {
        heard << text.section(QStringLiteral("\r\n"), 0, 0);
        return true;
    };
    const auto ask = [&hear](const QString &, const QString &text) { return hear(text); };
    const auto shown = [&hidden](int slot) { return !hidden.contains(slot); };
    ChannelListOperations ops(doc, ask, hear);
    ops.setShown(shown);
    QCOMPARE(run(ops, doc, operation, slots, ask, shown), changed > 0);

    int differ = 0;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const bool same = doc.channels().row(slot) == before.channels().row(slot) &&
                          doc.channels().isEnabled(slot) == before.channels().isEnabled(slot);
        QVERIFY2(same || !hidden.contains(slot), qPrintable(QString::number(slot)));
        differ += same ? 0 : 1;
    }
    QCOMPARE(differ, changed);
    QCOMPARE(heard.value(0), told);
}

// A grid the window has made taller keeps the current row in what it shows.
void TestListOperations::tallerGridScrolling()
{
    QCOMPARE(scrollDown(20, 1, 30).topRow, 1);
    QCOMPARE(scrollDown(30, 1, 30).topRow, 2);
    QCOMPARE(scrollDown(212, 150, 30).topRow, 184);
    QCOMPARE(scrollUp(40, 1, 30).topRow, 10);
}

void TestListOperations::filterMatches_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("slots");
    QTest::newRow("frequency") << "145.5" << QList<int>{3};
    QTest::newRow("leading zero, note, frequency") << "0.53" << QList<int>{7, 150, 212};
    QTest::newRow("note, other case, blanks around") << " home rep " << QList<int>{3};
    QTest::newRow("tone mode") << "tsq" << QList<int>{3};
    // The transmit tone counts for Tone, TSQ and reverse; the receive tone not for Tone.
    QTest::newRow("transmit tone") << "88.5" << QList<int>{3, 7, 212};
    QTest::newRow("receive tone") << "100.0hz" << QList<int>{3, 212};
}

void TestListOperations::filterMatches()
{
    QFETCH(QString, text);
    QFETCH(QList<int>, slots);
    // Slot, MHz, tone mode (None, Tone, TSQ, Rev), note; slot 20 holds no channel (0 MHz),
    // whatever its texts read.
    ChannelTable table;
    const auto add = [&table](int slot, double mhz, int mode, const char *note) {
        TableRow row;
        row.number = {mhz, 0, 0, double(mode)};
        row.text = {formatMHz(mhz > 0 ? mhz : 145.5),
                    {},
                    {},
                    QStringLiteral("None Tone TSQ Rev").section(QLatin1Char(' '), mode, mode),
                    "88.5Hz",
                    "100.0Hz",
                    {},
                    {},
                    QLatin1String(note)};
        table.setSlot(slot, row, true);
    };
    add(3, 145.5, 2, "Home Repeater");
    add(7, 0.531, 1, "");
    add(20, 0, 2, "Home Repeater");
    add(150, 433, 0, "as 0.53 MHz");
    add(212, 10.53, 3, "");
    const ChannelFilter filter{text, true, false};
    QList<int> found;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (filter.matches(table, slot))
            found.append(slot);
    }
    QCOMPARE(found, slots);
    QCOMPARE(matchCount(filter, table), slots.size());
    // Round from the last match to the first.
    QCOMPARE(nextMatch(filter, table, slots.value(slots.size() - 1, 0)), slots.value(0, -1));
    QCOMPARE(slotForLabel(QStringLiteral(" p2a")), 204);
    QCOMPARE(slotForLabel(QStringLiteral("200")), -1);
}

QTEST_GUILESS_MAIN(TestListOperations)
#include "tst_list_operations.moc"
