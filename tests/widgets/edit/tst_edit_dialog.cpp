#include "app/document.h"
#include "editing/widgets/edit_dialog.h"

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
    void okWritesTheSlot();
    void cancelChangesNothing();
    void vfoBandOnMissingBandIsRefused();
    void autoModeAndStepLocksTheGroups();
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
    QVERIFY(dialog.prepareSlot(doc, 3));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto *edit = child<QLineEdit>(dialog, field);
    edit->setFocus();
    edit->clear();
    QTest::keyClicks(edit, typed);
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
    QVERIFY(dialog.prepareSlot(doc, 3));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto *freq = child<QLineEdit>(dialog, QStringLiteral("txtFreq"));
    freq->setFocus();
    freq->clear();
    QTest::keyClicks(freq, typed);
    leaveField(dialog);
    QCOMPARE(freq->text(), shown);
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

QTEST_MAIN(TestEditDialog)
#include "tst_edit_dialog.moc"
