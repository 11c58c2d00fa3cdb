#include "document/document.h"
#include "editing/cell_edit.h"

#include <QTest>

using namespace hxv5;

namespace {

// A 2 m channel as read from the radio (reverse tone reads "Rev"), disabled.
TableRow storedRow()
{
    TableRow row;
    row.number = {145.5, 0, 5, 3, 8, 12, 0, 0.6, 0};
    row.text = {"145.50000", "FM", "12.5KHz", "Rev", "88.5Hz", "100.0Hz", "None", ".60000", "club"};
    return row;
}

QString texts(const TableRow &row)
{
    return QStringList(row.text.cbegin(), row.text.cend()).join(QLatin1Char('|'));
}

constexpr int kStored = 5; // slot 5 holds the stored row, slot 7 nothing
constexpr int kMemory = 0, kVfo = 1;
const QString kThirtyOne(31, QLatin1Char('n'));

} // namespace

// A cell edited in the grid against the edit dialog's rules: what each list offers, the checks on
// each typed field for each variant, the automatic mode and step, the defaults of a new channel.
class TestCellEdit : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cellEdits_data();
    void cellEdits();
};

void TestCellEdit::cellEdits_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("value");   // typed text, or a list column's option
    QTest::addColumn<QString>("offered"); // the list's options; "-" none, empty: not checked
    QTest::addColumn<QString>("after");   // the row's texts, or why the value was refused
    QTest::addColumn<double>("number");   // the edited column's number

    const auto add = [](int kind) {
        return [kind](const char *name, int model, int row, int column, const char *value,
                      const char *after, double number, const char *offered = "") {
            QTest::newRow(name) << model << kind << row << column << value << offered << after
                                << number;
        };
    };
    const auto memory = add(kMemory);
    const auto vfo = add(kVfo);
    // The frequency, its automatic mode and step, and each variant's limits.
    memory("D 146.52: FM 20KHz", 0, kStored, kColFrequency, "146.52",
           "146.52000|FM|20KHz|Rev|88.5Hz|100.0Hz|None|.60000|club", 146.52);
    memory("B 146.52: FM 5KHz", 4, kStored, kColFrequency, "146.52",
           "146.52000|FM|5KHz|Rev|88.5Hz|100.0Hz|None|.60000|club", 146.52);
    memory("A PRO 146.52: FM 12.5KHz", 1, kStored, kColFrequency, "146.52",
           "146.52000|FM|12.5KHz|Rev|88.5Hz|100.0Hz|None|.60000|club", 146.52);
    memory("D 120: AM 25KHz", 0, kStored, kColFrequency, "120",
           "120.00000|AM|25KHz|Rev|88.5Hz|100.0Hz|None|.60000|club", 120);
    memory("D 9.995 kept", 0, kStored, kColFrequency, "9.995",
           "9.99500|AM|5KHz|Rev|88.5Hz|100.0Hz|None|.60000|club", 9.995);
    memory("B 9.995 refused", 4, kStored, kColFrequency, "9.995",
           "9.99500 MHz is outside what the HX-V5 B holds in memory (88.100-173.995, "
           "380.000-511.995 MHz)",
           0);
    memory("D 300 refused", 0, kStored, kColFrequency, "300",
           "300.00000 MHz is outside what the HX-V5 D holds in memory (.531-9.995, "
           "76.100-89.995, 108.000-169.995, 380.000-469.995 MHz)",
           0);
    memory("A 144 kept", 5, kStored, kColFrequency, "144",
           "144.00000|FM|12.5KHz|Rev|88.5Hz|100.0Hz|None|.60000|club", 144);
    memory("B PRO 5000 kept", 2, kStored, kColFrequency, "5000",
           "5000.00000|FM|5KHz|Rev|88.5Hz|100.0Hz|None|.60000|club", 5000);
    memory("B PRO 10000 refused", 2, kStored, kColFrequency, "10000",
           "The radio holds frequencies below 10000 MHz", 0);
    memory("B PRO 0 refused", 2, kStored, kColFrequency, ".0", "A frequency must be above 0 MHz",
           0);
    memory("letters refused", 0, kStored, kColFrequency, "14a", "\"14a\" is not a frequency in MHz",
           0);
    // An empty slot takes the dialog's defaults for a new channel first, enabled.
    memory("empty slot, frequency", 0, 7, kColFrequency, "433",
           "433.00000|FM|20KHz|None|88.5Hz|88.5Hz|None|.60000|", 433);
    memory("empty slot, note", 0, 7, kColNotes, "new",
           "145.00000|FM|20KHz|None|88.5Hz|88.5Hz|None|.60000|new", 0);
    // The lists: what the dialog offers a memory slot on the variant.
    memory("D mode WFM", 0, kStored, kColMode, "2",
           "145.50000|WFM|12.5KHz|Rev|88.5Hz|100.0Hz|None|.60000|club", 2, "FM,AM,WFM");
    memory("D step 9KHz", 0, kStored, kColStep, "0",
           "145.50000|FM|9KHz|Rev|88.5Hz|100.0Hz|None|.60000|club", 0);
    memory("B step 9KHz refused", 4, kStored, kColStep, "0",
           "Step 9KHz is not offered for memory channels on the HX-V5 B", 0,
           "5KHz,6.25KHz,8.33KHz,10KHz,12.5KHz,15KHz,20KHz,25KHz,30KHz,50KHz,100KHz,125KHz,200KHz");
    memory("tone TSQ", 0, kStored, kColTone, "2",
           "145.50000|FM|12.5KHz|TSQ|88.5Hz|100.0Hz|None|.60000|club", 2, "None,Tone,TSQ,Rev.");
    memory("empty slot, reverse", 0, 7, kColTone, "3",
           "145.00000|FM|20KHz|Rev.|88.5Hz|88.5Hz|None|.60000|", 3);
    memory("RX tone 250.3Hz", 0, kStored, kColRxTone, "38",
           "145.50000|FM|12.5KHz|Rev|88.5Hz|250.3Hz|None|.60000|club", 38);
    memory("shift plus", 0, kStored, kColShift, "1",
           "145.50000|FM|12.5KHz|Rev|88.5Hz|100.0Hz|+Shift|.60000|club", 1,
           "None,+Shift,-Shift,Split");
    memory("offset 5", 0, kStored, kColShiftFreq, "5",
           "145.50000|FM|12.5KHz|Rev|88.5Hz|100.0Hz|None|5.00000|club", 5);
    memory("offset 150 refused", 0, kStored, kColShiftFreq, "150",
           "An offset must be below 100 MHz: the radio holds at most 99.99999", 0);
    memory("note of 31 refused", 0, kStored, kColNotes, qPrintable(kThirtyOne),
           "A note holds at most 30 characters", 0);
    // The VFO bands: their limits, their lists and their automatic mode and step.
    vfo("Air 141.995 kept", 0, 3, kColFrequency, "141.995",
        "141.99500|AM|25KHz|Rev|88.5Hz|100.0Hz|None|.60000|club", 141.995);
    vfo("Air 142 refused", 0, 3, kColFrequency, "142",
        "142.00000 MHz is outside the VFO band Air of the HX-V5 D (108.000-141.995MHz)", 0);
    vfo("no band plan", 1, 4, kColFrequency, "145",
        "The V5 A PRO has no band plan: the VFO band VHF keeps its frequency", 0);
    vfo("FM band mode", 0, 2, kColMode, "2",
        "145.50000|WFM|12.5KHz|Rev|88.5Hz|100.0Hz|None|.60000|club", 2, "WFM");
    vfo("Air mode WFM refused", 0, 3, kColMode, "2",
        "Mode WFM is not offered for the VFO band Air on the HX-V5 D", 0, "FM,AM");
    vfo("D AM band steps", 0, 0, kColStep, "1",
        "Step 5KHz is not offered for the VFO band AM on the HX-V5 D", 0, "9KHz");
    vfo("a band the variant lacks", 5, 0, kColNotes, "x", "The HX-V5 A has no AM band", 0, "-");
}

void TestCellEdit::cellEdits()
{
    QFETCH(int, model);
    QFETCH(int, kind);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, value);
    QFETCH(QString, offered);
    QFETCH(QString, after);
    QFETCH(double, number);

    Document doc;
    doc.settings().setModel(model);
    doc.channels().setSlot(kStored, storedRow(), false);
    for (int r = 0; r < kVfoRowCount; ++r)
        doc.vfo().setRow(r, storedRow());
    doc.setChanged(false);
    doc.startFreshHistory();
    const DocumentContent before = doc.state();
    const RowRef ref{kind == kVfo ? EditSession::Kind::Vfo : EditSession::Kind::Memory, row};

    if (!offered.isEmpty()) {
        QStringList names;
        for (int option : offeredOptions(doc, ref, column))
            names << EditSession::optionText(column, option);
        QCOMPARE(names.join(QLatin1Char(',')), offered == QLatin1String("-") ? QString() : offered);
    }
    FieldValue field{column, -1, value};
    if (isListColumn(column))
        field = {column, value.toInt(), {}};
    const CellEditOutcome outcome = editCell(doc, ref, field);
    const TableRow &edited = kind == kVfo ? doc.vfo().row(row) : doc.channels().row(row);
    if (!outcome.changed) {
        QCOMPARE(outcome.refusal, after);
        QVERIFY(doc.state() == before);
        QVERIFY(!doc.isChanged());
        return;
    }
    QCOMPARE(texts(edited), after);
    QCOMPARE(edited.number.at(static_cast<size_t>(column)), number);
    QVERIFY(doc.isChanged());
    // A new channel is enabled, as the dialog offers it; a stored one keeps its flag.
    if (kind == kMemory)
        QCOMPARE(doc.channels().isEnabled(row), row != kStored);
    QCOMPARE(doc.history().count(), 1);
    QVERIFY(doc.undo());
    QVERIFY(doc.state() == before);
    QVERIFY(!doc.isChanged());
}

QTEST_GUILESS_MAIN(TestCellEdit)
#include "tst_cell_edit.moc"
