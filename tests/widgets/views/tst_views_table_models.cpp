#include "document/document.h"
#include "editing/channel_table_model.h"
#include "editing/vfo_table_model.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

using namespace hxv5;

namespace {

using Range = QPair<int, int>; // first and last row of one dataChanged

TableRow channelRow(double mhz, const QString &text)
{
    TableRow row;
    row.number[kColFrequency] = mhz;
    row.text[kColFrequency] = text;
    row.text[kColMode] = QStringLiteral("FM");
    row.text[kColNotes] = QStringLiteral("club");
    return row;
}

// The rows of every dataChanged a spy saw; each must cover all nine columns.
QList<Range> changedRows(const QSignalSpy &spy)
{
    QList<Range> ranges;
    for (const QList<QVariant> &signal : spy) {
        const auto topLeft = signal.at(0).value<QModelIndex>();
        const auto bottomRight = signal.at(1).value<QModelIndex>();
        if (topLeft.column() != 0 || bottomRight.column() != kColumnCount - 1)
            return {{-1, -1}};
        ranges.append({topLeft.row(), bottomRight.row()});
    }
    return ranges;
}

} // namespace

class TstViewsTableModels : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void modelsPassTheTesterWhileTablesChange();
    void headers();
    void channelRoles_data();
    void channelRoles();
    void channelDataChanged_data();
    void channelDataChanged();
    void vfoHiddenRows_data();
    void vfoHiddenRows();
    void vfoModelSwitchReportsFlippedRowsOnly_data();
    void vfoModelSwitchReportsFlippedRowsOnly();
    void notesShowWholeAsToolTips_data();
    void notesShowWholeAsToolTips();
};

void TstViewsTableModels::modelsPassTheTesterWhileTablesChange()
{
    Document document;
    ChannelTableModel channels(document.channels());
    VfoTableModel vfo(document);
    QAbstractItemModelTester channelTester(&channels,
                                           QAbstractItemModelTester::FailureReportingMode::QtTest);
    QAbstractItemModelTester vfoTester(&vfo,
                                       QAbstractItemModelTester::FailureReportingMode::QtTest);

    QCOMPARE(channels.rowCount(), kSlotCount);
    QCOMPARE(channels.columnCount(), kColumnCount);
    QCOMPARE(vfo.rowCount(), kVfoRowCount);
    QCOMPARE(vfo.columnCount(), kColumnCount);

    document.channels().setSlot(0, channelRow(145.0, QStringLiteral("145.00000")), true);
    document.channels().setEnabled(212, true);
    document.channels().clearAll();
    document.vfo().setText(3, kColNotes, QStringLiteral("tower"));
    document.settings().setModel(5);
    document.settings().setModel(0);
    document.resetToNew();
}

void TstViewsTableModels::headers()
{
    Document document;
    ChannelTableModel channels(document.channels());
    VfoTableModel vfo(document);

    const QStringList columns = {
        QStringLiteral("Frequency"), QStringLiteral("Mode"),       QStringLiteral("Step"),
        QStringLiteral("Tone"),      QStringLiteral("TxTone"),     QStringLiteral("RxTone"),
        QStringLiteral("Shift"),     QStringLiteral("ShiftFreq."), QStringLiteral("Notes")};
    for (int c = 0; c < kColumnCount; ++c) {
        QCOMPARE(channels.headerData(c, Qt::Horizontal).toString(), columns.at(c));
        QCOMPARE(vfo.headerData(c, Qt::Horizontal).toString(), columns.at(c));
    }

    // Channels first, then the special rows; never a special row above the channels.
    const QList<QPair<int, QString>> slots = {
        {0, QStringLiteral("0")},     {1, QStringLiteral("1")},     {199, QStringLiteral("199")},
        {200, QStringLiteral("P0A")}, {209, QStringLiteral("P4B")}, {210, QStringLiteral("A-L")},
        {211, QStringLiteral("A-H")}, {212, QStringLiteral("Pri")}};
    for (const auto &[slot, label] : slots)
        QCOMPARE(channels.headerData(slot, Qt::Vertical).toString(), label);
    QVERIFY(!channels.headerData(kSlotCount, Qt::Vertical).isValid());

    const QStringList bands = {QStringLiteral("AM"),   QStringLiteral("SW"),
                               QStringLiteral("FM"),   QStringLiteral("Air"),
                               QStringLiteral("VHF"),  QStringLiteral("L-UHF"),
                               QStringLiteral("H-UHF")};
    for (int r = 0; r < kVfoRowCount; ++r)
        QCOMPARE(vfo.headerData(r, Qt::Vertical).toString(), bands.at(r));
}

void TstViewsTableModels::channelRoles_data()
{
    QTest::addColumn<double>("number");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("empty");

    const QString f = QStringLiteral("145.00000");
    QTest::newRow("enabled channel") << 145.0 << f << true << false;
    // A disabled slot keeps its texts; only its style differs.
    QTest::newRow("disabled channel") << 145.0 << f << false << false;
    QTest::newRow("number 0, text set") << 0.0 << f << true << true;
    QTest::newRow("number set, text empty") << 145.0 << QString() << true << true;
    QTest::newRow("cleared slot") << 0.0 << QString() << false << true;
}

void TstViewsTableModels::channelRoles()
{
    QFETCH(double, number);
    QFETCH(QString, text);
    QFETCH(bool, enabled);
    QFETCH(bool, empty);

    Document document;
    ChannelTableModel model(document.channels());
    document.channels().setSlot(57, channelRow(number, text), enabled);

    // A slot that holds no channel draws nine empty cells; the table keeps its texts.
    const QModelIndex frequency = model.index(57, kColFrequency);
    QCOMPARE(frequency.data(Qt::DisplayRole).toString(), empty ? QString() : text);
    QCOMPARE(frequency.data(RowTableModel::NumberRole).toDouble(), number);
    QCOMPARE(model.index(57, kColNotes).data().toString(),
             empty ? QString() : QStringLiteral("club"));
    QCOMPARE(document.channels().text(57, kColNotes), QStringLiteral("club"));
    for (int c = 0; c < kColumnCount; ++c) {
        const QModelIndex cell = model.index(57, c);
        QCOMPARE(cell.data(RowTableModel::EnabledRole).toBool(), enabled);
        QCOMPARE(cell.data(RowTableModel::EmptyRole).toBool(), empty);
        QCOMPARE(cell.data(RowTableModel::HiddenRole).toBool(), false);
    }
    // The neighbours stay as the new table left them.
    QCOMPARE(model.index(56, 0).data(RowTableModel::EmptyRole).toBool(), true);
    QCOMPARE(model.index(58, 0).data(RowTableModel::EnabledRole).toBool(), false);
    // Cells are edited in place, through the grid's cell editor.
    QVERIFY(model.flags(frequency) & Qt::ItemIsEditable);
}

void TstViewsTableModels::channelDataChanged_data()
{
    QTest::addColumn<int>("operation");
    QTest::addColumn<QList<Range>>("expected");

    QTest::newRow("notes of slot 57") << 0 << QList<Range>{{57, 57}};
    QTest::newRow("enable slot 3") << 1 << QList<Range>{{3, 3}};
    QTest::newRow("whole slot 212") << 2 << QList<Range>{{212, 212}};
    QTest::newRow("clear all") << 3 << QList<Range>{{0, kSlotCount - 1}};
    QTest::newRow("same notes again") << 4 << QList<Range>{};
}

void TstViewsTableModels::channelDataChanged()
{
    QFETCH(int, operation);
    QFETCH(QList<Range>, expected);

    Document document;
    ChannelTable &table = document.channels();
    table.setText(57, kColNotes, QStringLiteral("old"));
    ChannelTableModel model(table);
    QSignalSpy spy(&model, &QAbstractItemModel::dataChanged);

    switch (operation) {
    case 0:
        table.setText(57, kColNotes, QStringLiteral("new"));
        break;
    case 1:
        table.setEnabled(3, true);
        break;
    case 2:
        table.setSlot(212, channelRow(433.0, QStringLiteral("433.00000")), true);
        break;
    case 3:
        table.clearAll();
        break;
    default:
        table.setText(57, kColNotes, QStringLiteral("old"));
        break;
    }
    QCOMPARE(changedRows(spy), expected);
}

void TstViewsTableModels::vfoHiddenRows_data()
{
    QTest::addColumn<int>("variant");
    QTest::addColumn<QList<int>>("hidden");

    QTest::newRow("HX-V5 D") << 0 << QList<int>{};
    QTest::newRow("V5 A PRO") << 1 << QList<int>{};
    QTest::newRow("V5 A K") << 3 << QList<int>{};
    QTest::newRow("HX-V5 B") << 4 << QList<int>{0, 1};
    QTest::newRow("HX-V5 A") << 5 << QList<int>{0, 1, 3, 5};
}

void TstViewsTableModels::vfoHiddenRows()
{
    QFETCH(int, variant);
    QFETCH(QList<int>, hidden);

    Document document; // variant 0 with its band defaults
    VfoTableModel model(document);
    document.settings().setModel(variant);

    for (int row = 0; row < kVfoRowCount; ++row) {
        const bool isHidden = hidden.contains(row);
        for (int c = 0; c < kColumnCount; ++c) {
            const QModelIndex cell = model.index(row, c);
            QCOMPARE(cell.data(RowTableModel::HiddenRole).toBool(), isHidden);
            QCOMPARE(cell.data().toString(),
                     isHidden ? QStringLiteral("-") : document.vfo().text(row, c));
            // The table keeps its values underneath the "-".
            QCOMPARE(cell.data(RowTableModel::NumberRole).toDouble(),
                     document.vfo().number(row, c));
        }
    }

    // Back to a variant with all bands: the stored texts show again.
    document.settings().setModel(0);
    QCOMPARE(model.index(0, kColFrequency).data().toString(), QStringLiteral(".53100"));
    QCOMPARE(model.index(3, kColFrequency).data().toString(), QStringLiteral("118.00000"));
}

void TstViewsTableModels::vfoModelSwitchReportsFlippedRowsOnly_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QList<Range>>("expected");

    QTest::newRow("D to A") << 0 << 5 << QList<Range>{{0, 1}, {3, 3}, {5, 5}};
    QTest::newRow("A to B") << 5 << 4 << QList<Range>{{3, 3}, {5, 5}};
    QTest::newRow("B to D") << 4 << 0 << QList<Range>{{0, 1}};
    QTest::newRow("A to V5 A PRO") << 5 << 1 << QList<Range>{{0, 1}, {3, 3}, {5, 5}};
    QTest::newRow("B again") << 4 << 4 << QList<Range>{};
    QTest::newRow("D to V5 B PRO") << 0 << 2 << QList<Range>{};
}

void TstViewsTableModels::vfoModelSwitchReportsFlippedRowsOnly()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QList<Range>, expected);

    Document document;
    document.settings().setModel(from);
    VfoTableModel model(document);
    QSignalSpy spy(&model, &QAbstractItemModel::dataChanged);
    document.settings().setModel(to);
    QCOMPARE(changedRows(spy), expected);

    spy.clear();
    document.vfo().setText(4, kColNotes, QStringLiteral("repeater"));
    QCOMPARE(changedRows(spy), (QList<Range>{{4, 4}}));
}

void TstViewsTableModels::notesShowWholeAsToolTips_data()
{
    QTest::addColumn<bool>("holdsChannel");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("toolTip");

    const QString note = QStringLiteral("a note longer than its cell, on and on and on");
    QTest::newRow("the note of a channel") << true << int(kColNotes) << note;
    QTest::newRow("another column") << true << int(kColMode) << QString();
    // An empty slot shows no text, so no tool tip either.
    QTest::newRow("a note on an empty slot") << false << int(kColNotes) << QString();
}

void TstViewsTableModels::notesShowWholeAsToolTips()
{
    QFETCH(bool, holdsChannel);
    QFETCH(int, column);
    QFETCH(QString, toolTip);

    Document document;
    TableRow row;
    if (holdsChannel) {
        row.number[kColFrequency] = 145;
        row.text[kColFrequency] = formatMHz(145);
        row.text[kColMode] = QStringLiteral("FM");
    }
    row.text[kColNotes] = QStringLiteral("a note longer than its cell, on and on and on");
    document.channels().setSlot(7, row, true);
    ChannelTableModel model(document.channels());
    QCOMPARE(model.data(model.index(7, column), Qt::ToolTipRole).toString(), toolTip);
}

QTEST_GUILESS_MAIN(TstViewsTableModels)
#include "tst_views_table_models.moc"
