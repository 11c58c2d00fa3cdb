#include "document/document.h"
#include "editing/edit_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace hxv5;

namespace {

template <typename T> T *child(QWidget &parent, const QString &name)
{
    T *w = parent.findChild<T *>(name);
    if (!w)
        qFatal("no widget %s", qPrintable(name));
    return w;
}

QRadioButton *option(QWidget &dialog, const char *array, int index)
{
    return child<QRadioButton>(dialog,
                               QStringLiteral("%1_%2").arg(QLatin1String(array)).arg(index));
}

// Leaves a field as the user does, by moving the focus to the note field.
void leaveField(EditDialog &dialog)
{
    child<QLineEdit>(dialog, QStringLiteral("txtNote"))->setFocus();
    QApplication::processEvents();
}

// Prepares the dialog for a slot and shows it, as a double click on the grid does.
bool showSlot(EditDialog &dialog, Document &doc, int slot)
{
    if (!dialog.prepareSlot(doc, slot))
        return false;
    dialog.show();
    return QTest::qWaitForWindowExposed(&dialog);
}

// Empties a field and types into it, as the user does.
QLineEdit *retype(EditDialog &dialog, const QString &field, const QString &typed)
{
    auto *edit = child<QLineEdit>(dialog, field);
    edit->setFocus();
    edit->clear();
    QTest::keyClicks(edit, typed);
    return edit;
}

} // namespace

class TestEditDialog : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void opensEmptySlotWithDefaults();
    void typingIsFiltered_data();
    void typingIsFiltered();
    void leavingTheFrequencyChecksIt_data();
    void leavingTheFrequencyChecksIt();
    void leavingAFieldShowsTheWholeValue_data();
    void leavingAFieldShowsTheWholeValue();
    void loadedTextIsKeptWhole_data();
    void loadedTextIsKeptWhole();
    void typingNeverGrowsALongLoadedText();
    void okWritesTheSlot();
    void cancelChangesNothing();
    void vfoBandOnMissingBandIsRefused();
    void autoModeAndStepLocksTheGroups();
    void keyboardWithinTheOptionGroups_data();
    void keyboardWithinTheOptionGroups();
};

void TestEditDialog::opensEmptySlotWithDefaults()
{
    Document doc;
    EditDialog dialog;
    QVERIFY(dialog.prepareSlot(doc, 57));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Modify Memory"));
    QCOMPARE(child<QLabel>(dialog, QStringLiteral("lblCH"))->text(), QStringLiteral("57Ch"));
    QCOMPARE(child<QLineEdit>(dialog, QStringLiteral("txtFreq"))->text(),
             QStringLiteral("145.00000"));
    QVERIFY(option(dialog, "opbWave", 0)->isChecked());
    QVERIFY(option(dialog, "opbStep", 7)->isChecked());
    QVERIFY(option(dialog, "opbTone", 0)->isChecked());
    QVERIFY(option(dialog, "opbSift", 0)->isChecked());
    QCOMPARE(child<QComboBox>(dialog, QStringLiteral("cbbTxTone"))->currentText(),
             QStringLiteral("88.5Hz"));
    QCOMPARE(child<QComboBox>(dialog, QStringLiteral("cbbRxTone"))->currentText(),
             QStringLiteral("88.5Hz"));
    QCOMPARE(child<QLineEdit>(dialog, QStringLiteral("txtShift"))->text(),
             QStringLiteral(".60000"));
    QVERIFY(child<QCheckBox>(dialog, QStringLiteral("chkEnable"))->isChecked());
    QVERIFY(child<QCheckBox>(dialog, QStringLiteral("chkEnable"))->isVisible());
    QVERIFY(!child<QCheckBox>(dialog, QStringLiteral("chkAuto"))->isChecked());
    // Variant 0 offers "9KHz"; the frequency field has the focus with its text selected.
    QVERIFY(option(dialog, "opbStep", 0)->isEnabled());
    QVERIFY(child<QLineEdit>(dialog, QStringLiteral("txtFreq"))->hasSelectedText());
}

void TestEditDialog::typingIsFiltered_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("frequency digits and one point") << "txtFreq"
                                                    << "12.5.3"
                                                    << "12.53";
    QTest::newRow("frequency letters and minus") << "txtFreq"
                                                 << "-1a4e5"
                                                 << "145";
    QTest::newRow("frequency at most 9") << "txtFreq"
                                         << "1234567890"
                                         << "123456789";
    QTest::newRow("offset") << "txtShift"
                            << "0.6,5x"
                            << "0.65";
    QTest::newRow("offset at most 8") << "txtShift"
                                      << "123456789"
                                      << "12345678";
}

void TestEditDialog::typingIsFiltered()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    Document doc;
    EditDialog dialog;
    QVERIFY(showSlot(dialog, doc, 3));
    auto *edit = retype(dialog, field, typed);
    QCOMPARE(edit->text(), shown);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QCOMPARE(edit->text(), shown.chopped(1));
}

void TestEditDialog::leavingTheFrequencyChecksIt_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("120 kept") << "120"
                              << "120.00000";
    QTest::newRow("300 refused") << "300"
                                 << "145.00000";
    QTest::newRow(".531 kept") << ".531"
                               << ".53100";
}

void TestEditDialog::leavingTheFrequencyChecksIt()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    Document doc;
    EditDialog dialog;
    QVERIFY(showSlot(dialog, doc, 3));
    auto *freq = retype(dialog, QStringLiteral("txtFreq"), typed);
    leaveField(dialog);
    QCOMPARE(freq->text(), shown);
}

void TestEditDialog::leavingAFieldShowsTheWholeValue_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("offset 150 on a slot, past the record's limit") << 0 << "txtShift"
                                                                   << "150"
                                                                   << ".60000";
    QTest::newRow("offset 99.5") << 0 << "txtShift"
                                 << "99.5"
                                 << "99.50000";
    QTest::newRow("frequency 1000 where any is allowed") << 1 << "txtFreq"
                                                         << "1000"
                                                         << "1000.00000";
    QTest::newRow("frequency 123456789") << 2 << "txtFreq"
                                         << "123456789"
                                         << "123456789.00000";
}

void TestEditDialog::leavingAFieldShowsTheWholeValue()
{
    QFETCH(int, model);
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    Document doc;
    doc.settings().setModel(model);
    EditDialog dialog;
    QVERIFY(showSlot(dialog, doc, 3));
    auto *edit = retype(dialog, field, typed);
    leaveField(dialog);
    QCOMPARE(edit->text(), shown);
    child<QPushButton>(dialog, QStringLiteral("OKButton"))->click();
    const int column = field == QLatin1String("txtFreq") ? kColFrequency : kColShiftFreq;
    QCOMPARE(doc.channels().text(3, column), shown);
}

void TestEditDialog::loadedTextIsKeptWhole_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<double>("frequency");
    QTest::addColumn<QString>("note");
    QTest::newRow("note of 41 characters")
        << 0 << 145.5 << QStringLiteral("Repeater north ridge, input 144.9, 88.5Hz");
    QTest::newRow("frequency of 10 characters") << 1 << 1234.56789 << QStringLiteral("wide");
    QTest::newRow("both") << 3 << 2000.125 << QString(45, QLatin1Char('n'));
}

// What a slot holds is shown whole, and OK without a change writes it back as it was.
void TestEditDialog::loadedTextIsKeptWhole()
{
    QFETCH(int, model);
    QFETCH(double, frequency);
    QFETCH(QString, note);
    Document doc;
    doc.settings().setModel(model);
    TableRow row;
    row.number[kColFrequency] = frequency;
    row.text[kColFrequency] = formatMHz(frequency);
    row.text[kColShiftFreq] = QStringLiteral(".60000");
    row.text[kColNotes] = note;
    doc.channels().setSlot(20, row, true);
    EditDialog dialog;
    QVERIFY(showSlot(dialog, doc, 20));
    QCOMPARE(child<QLineEdit>(dialog, QStringLiteral("txtFreq"))->text(), formatMHz(frequency));
    QCOMPARE(child<QLineEdit>(dialog, QStringLiteral("txtNote"))->text(), note);
    leaveField(dialog);
    child<QPushButton>(dialog, QStringLiteral("OKButton"))->click();
    QCOMPARE(doc.channels().text(20, kColNotes), note);
    QCOMPARE(doc.channels().text(20, kColFrequency), formatMHz(frequency));
    QCOMPARE(doc.channels().number(20, kColFrequency), frequency);
}

void TestEditDialog::typingNeverGrowsALongLoadedText()
{
    Document doc;
    TableRow row;
    row.number[kColFrequency] = 145;
    row.text[kColFrequency] = formatMHz(145);
    const QString note(34, QLatin1Char('a'));
    row.text[kColNotes] = note;
    doc.channels().setSlot(7, row, true);
    EditDialog dialog;
    QVERIFY(showSlot(dialog, doc, 7));
    auto *edit = child<QLineEdit>(dialog, QStringLiteral("txtNote"));
    edit->setFocus();
    edit->end(false);
    QTest::keyClicks(edit, QStringLiteral("bc"));
    QCOMPARE(edit->text(), note);
    // Removing characters works, and what was removed cannot be typed back past 30.
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QCOMPARE(edit->text(), note.left(32));
    QTest::keyClicks(edit, QStringLiteral("b"));
    QCOMPARE(edit->text(), note.left(32));
    // Typed over a selection, a character may replace one.
    edit->setSelection(0, 1);
    QTest::keyClicks(edit, QStringLiteral("z"));
    QCOMPARE(edit->text(), QStringLiteral("z") + note.left(31));
    edit->selectAll();
    QTest::keyClicks(edit, QString(31, QLatin1Char('x')));
    QCOMPARE(edit->text(), QString(30, QLatin1Char('x')));
}

void TestEditDialog::okWritesTheSlot()
{
    Document doc;
    EditDialog dialog;
    QVERIFY(dialog.prepareSlot(doc, 9));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto *freq = child<QLineEdit>(dialog, QStringLiteral("txtFreq"));
    freq->clear();
    QTest::keyClicks(freq, QStringLiteral("433.5"));
    option(dialog, "opbTone", 3)->click();
    option(dialog, "opbSift", 1)->click();
    child<QComboBox>(dialog, QStringLiteral("cbbTxTone"))->setCurrentIndex(12);
    QTest::keyClicks(child<QLineEdit>(dialog, QStringLiteral("txtNote")), QStringLiteral("hut"));
    child<QCheckBox>(dialog, QStringLiteral("chkEnable"))->click();
    QVERIFY(!option(dialog, "opbTone", 0)->isChecked());
    child<QPushButton>(dialog, QStringLiteral("OKButton"))->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(doc.isChanged());
    const TableRow &row = doc.channels().row(9);
    QCOMPARE(row.text[kColFrequency], QStringLiteral("433.50000"));
    QCOMPARE(row.text[kColTone], QStringLiteral("Rev."));
    QCOMPARE(row.text[kColShift], QStringLiteral("+Shift"));
    QCOMPARE(row.text[kColTxTone], QStringLiteral("100.0Hz"));
    QCOMPARE(row.text[kColNotes], QStringLiteral("hut"));
    QVERIFY(!doc.channels().isEnabled(9));
}

void TestEditDialog::cancelChangesNothing()
{
    Document doc;
    const TableRow before = doc.vfo().row(4);
    EditDialog dialog;
    QVERIFY(dialog.prepareVfo(doc, 4));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto *freq = child<QLineEdit>(dialog, QStringLiteral("txtFreq"));
    freq->clear();
    QTest::keyClicks(freq, QStringLiteral("150"));
    option(dialog, "opbWave", 1)->click();
    child<QPushButton>(dialog, QStringLiteral("CancelButton"))->click();
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(doc.vfo().row(4), before);
    QVERIFY(!doc.isChanged());
}

void TestEditDialog::vfoBandOnMissingBandIsRefused()
{
    Document doc;
    doc.settings().setModel(4);
    EditDialog dialog;
    QVERIFY(!dialog.prepareVfo(doc, 1));
    QVERIFY(!dialog.editVfo(doc, 1)); // returns at once, nothing shown
    QVERIFY(!dialog.isVisible());
    QVERIFY(dialog.prepareVfo(doc, 3));
    QVERIFY(child<QCheckBox>(dialog, QStringLiteral("chkEnable"))->isHidden());
    QCOMPARE(child<QLabel>(dialog, QStringLiteral("lblMHz"))->text(),
             QStringLiteral("(108.000-141.995MHz)"));
}

void TestEditDialog::autoModeAndStepLocksTheGroups()
{
    Document doc;
    doc.settings().setModel(4);
    EditDialog dialog;
    QVERIFY(dialog.prepareSlot(doc, 0));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto *freq = child<QLineEdit>(dialog, QStringLiteral("txtFreq"));
    freq->clear();
    QTest::keyClicks(freq, QStringLiteral("420"));
    auto *autoBox = child<QCheckBox>(dialog, QStringLiteral("chkAuto"));
    autoBox->click();
    QVERIFY(option(dialog, "opbWave", 0)->isChecked());
    QVERIFY(option(dialog, "opbStep", 1)->isChecked()); // 5KHz
    QVERIFY(!child<QGroupBox>(dialog, QStringLiteral("Frame2"))->isEnabled());
    QVERIFY(!option(dialog, "opbStep", 5)->isEnabled());
    autoBox->click();
    QVERIFY(child<QGroupBox>(dialog, QStringLiteral("Frame2"))->isEnabled());
    QVERIFY(option(dialog, "opbStep", 1)->isChecked());
    QVERIFY(option(dialog, "opbStep", 5)->isEnabled());
    QVERIFY(!option(dialog, "opbStep", 0)->isEnabled());
}

void TestEditDialog::keyboardWithinTheOptionGroups_data()
{
    QTest::addColumn<QString>("from"); // the control before the group in the tab order
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("option");
    QTest::addColumn<int>("column");
    // The slot holds FM, 9KHz, Reverse and Split; Tab lands on each, the key moves on.
    QTest::newRow("mode") << "chkAuto" << int(Qt::Key_Down) << "opbWave_1" << int(kColMode);
    QTest::newRow("tone, round") << "opbWave_0" << int(Qt::Key_Down) << "opbTone_0"
                                 << int(kColTone);
    QTest::newRow("step") << "cbbRxTone" << int(Qt::Key_Right) << "opbStep_1" << int(kColStep);
    QTest::newRow("shift") << "opbStep_0" << int(Qt::Key_Up) << "opbSift_2" << int(kColShift);
}

// No mouse needed: Tab enters an option group at its selected option, an arrow key selects within
// it, and Enter writes the slot.
void TestEditDialog::keyboardWithinTheOptionGroups()
{
    QFETCH(QString, from);
    QFETCH(int, key);
    QFETCH(QString, option);
    QFETCH(int, column);
    Document doc;
    doc.DecodeChannelRecord(u"043300000000000326250303500000FF", 5);
    EditDialog dialog;
    QVERIFY(showSlot(dialog, doc, 5));
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    child<QWidget>(dialog, from)->setFocus();
    QTest::keyClick(dialog.focusWidget(), Qt::Key_Tab);
    QTest::keyClick(dialog.focusWidget(), Qt::Key(key));
    auto *chosen = child<QRadioButton>(dialog, option);
    QCOMPARE(dialog.focusWidget(), chosen);
    QTest::keyClick(chosen, Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(doc.channels().number(5, column), option.section(QLatin1Char('_'), 1).toDouble());
}

QTEST_MAIN(TestEditDialog)
#include "tst_edit_dialog.moc"
