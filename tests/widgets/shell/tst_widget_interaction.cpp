#include "app/widget_interaction.h"
#include "files/csv_exchange.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

using namespace hxv5;

Q_DECLARE_METATYPE(UserInteraction::FileKind)
Q_DECLARE_METATYPE(CsvFormat)

// The window's file choosers and message boxes, as the user sees them.
class TestWidgetInteraction : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fileFilters_data();
    void fileFilters();
    void csvChooserOffersChirp_data();
    void csvChooserOffersChirp();
    void importReport_data();
    void importReport();
    void writeBoxes_data();
    void writeBoxes();
};

void TestWidgetInteraction::fileFilters_data()
{
    QTest::addColumn<UserInteraction::FileKind>("kind");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("own");   // a name the first filter lets through
    QTest::addColumn<QString>("saved"); // what saving under "radio" writes
    QTest::newRow("clone files") << UserInteraction::FileKind::Clone
                                 << QStringLiteral("Tormel HX-V5 Clone Files (*.TV5)")
                                 << QStringLiteral("radio.TV5") << QStringLiteral("radio.TV5");
    QTest::newRow("CSV files") << UserInteraction::FileKind::Csv
                               << QStringLiteral("CSV Files (*.csv)") << QStringLiteral("rows.csv")
                               << QStringLiteral("radio.csv");
}

// The captions are shown as they are written, and "All Files (*.*)" lets every name through,
// also those without a dot, as on the desktop the captions come from.
void TestWidgetInteraction::fileFilters()
{
    QFETCH(UserInteraction::FileKind, kind);
    QFETCH(QString, caption);
    QFETCH(QString, own);
    QFETCH(QString, saved);

    QFileDialog dialog(nullptr, QString(), QDir::tempPath(), fileFilter(kind));
    dialog.setOptions(fileDialogOptions() | QFileDialog::DontUseNativeDialog);
    const auto *types = dialog.findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
    QVERIFY(types);
    QStringList shown;
    for (int i = 0; i < types->count(); ++i)
        shown.append(types->itemText(i));
    QCOMPARE(shown, (QStringList{caption, QStringLiteral("All Files (*.*)")}));

    const auto *model = dialog.findChild<QFileSystemModel *>();
    QVERIFY(model);
    const QStringList names = {own, QStringLiteral("README"), QStringLiteral("radio_backup"),
                               QStringLiteral("a.b.c"), QStringLiteral("rows.CSV.txt")};
    dialog.selectNameFilter(dialog.nameFilters().constLast());
    for (const QString &name : names)
        QVERIFY2(QDir::match(model->nameFilters(), name), qPrintable(name));
    dialog.selectNameFilter(dialog.nameFilters().constFirst());
    QVERIFY(QDir::match(model->nameFilters(), own));
    QVERIFY(!QDir::match(model->nameFilters(), QStringLiteral("README")));

    setUpSaveChooser(dialog, kind); // a name typed without an extension is given the kind's own
    dialog.setOptions(dialog.options() | QFileDialog::DontUseNativeDialog);
    dialog.selectFile(QStringLiteral("radio"));
    QCOMPARE(QFileInfo(dialog.selectedFiles().value(0)).fileName(), saved);
}

void TestWidgetInteraction::csvChooserOffersChirp_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<CsvFormat>("format");
    QTest::newRow("own format") << 0 << CsvFormat::Own;
    QTest::newRow("CHIRP") << 1 << CsvFormat::Chirp;
    QTest::newRow("all files") << 2 << CsvFormat::Own;
}

// The CSV choosers offer the CHIRP format second, so that the program's own stays the default,
// and the entry chosen tells the format.
void TestWidgetInteraction::csvChooserOffersChirp()
{
    QFETCH(int, entry);
    QFETCH(CsvFormat, format);

    QFileDialog dialog(nullptr, QString(), QDir::tempPath(), csvFileFilter());
    dialog.setOptions(fileDialogOptions() | QFileDialog::DontUseNativeDialog);
    const auto *types = dialog.findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
    QVERIFY(types);
    QStringList shown;
    for (int i = 0; i < types->count(); ++i)
        shown.append(types->itemText(i));
    QCOMPARE(shown,
             (QStringList{QStringLiteral("CSV Files (*.csv)"), QStringLiteral("CHIRP CSV (*.csv)"),
                          QStringLiteral("All Files (*.*)")}));
    QCOMPARE(csvFormatOfFilter(dialog.selectedNameFilter()), CsvFormat::Own);
    dialog.selectNameFilter(dialog.nameFilters().at(entry));
    QCOMPARE(csvFormatOfFilter(dialog.selectedNameFilter()), format);
}

void TestWidgetInteraction::importReport_data()
{
    QTest::addColumn<int>("taken");
    QTest::addColumn<QList<CsvSkippedRow>>("skipped");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("details");
    QTest::newRow("rows skipped")
        << 12
        << QList<CsvSkippedRow>{{3, QStringLiteral("MODE \"fm\" is not FM, AM or WFM")},
                                {9, QStringLiteral("the row has too few fields")}}
        << QStringLiteral("12 rows imported, 2 rows skipped.")
        << QStringLiteral("Line 3: MODE \"fm\" is not FM, AM or WFM\n"
                          "Line 9: the row has too few fields");
    QTest::newRow("no row") << 0 << QList<CsvSkippedRow>{}
                            << QStringLiteral("0 rows imported, 0 rows skipped.") << QString();
}

// After an import the window tells how many rows it took and lists the skipped ones.
void TestWidgetInteraction::importReport()
{
    QFETCH(int, taken);
    QFETCH(QList<CsvSkippedRow>, skipped);
    QFETCH(QString, text);
    QFETCH(QString, details);

    QString seenTitle, seenText, seenDetails;
    bool seen = false;
    QTimer::singleShot(0, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen = true;
        seenTitle = box->windowTitle();
        seenText = box->text();
        seenDetails = box->detailedText();
        box->accept();
    });
    WidgetInteraction ui(nullptr);
    CsvImportReport report;
    report.taken = taken;
    report.skipped = skipped;
    ui.showImportReport(report);
    QVERIFY(seen);
    QCOMPARE(seenTitle, QStringLiteral("CSV Import"));
    QCOMPARE(seenText, text);
    QCOMPARE(seenDetails, details);
}

void TestWidgetInteraction::writeBoxes_data()
{
    QTest::addColumn<bool>("question"); // asked before a write clears channels; else a stop
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("informative"); // in sight under the text
    QTest::addColumn<QString>("details");     // behind "Show Details..."
    QTest::newRow("a stopped write")
        << false << QStringLiteral("ERROR") << QStringLiteral("COM Port Error")
        << QStringLiteral("Written before the stop: slot 3.\nCheck the cable and the radio, then "
                          "write again.")
        << QStringLiteral("/dev/ttyUSB0 is gone.");
    QTest::newRow("a write that clears channels")
        << true << QStringLiteral("Write Memory")
        << QStringLiteral("The radio holds 1 channel that this write clears: 12 \"146.52000\". "
                          "Write anyway?")
        << QString() << QString();
}

// What a stopped write went through is in sight; before clearing channels the window asks, and
// Enter answers No.
void TestWidgetInteraction::writeBoxes()
{
    QFETCH(bool, question);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(QString, informative);
    QFETCH(QString, details);

    QStringList seen;
    QTimer::singleShot(0, this, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            seen = {box->windowTitle(), box->text(), box->informativeText(), box->detailedText()};
            QTest::keyClick(box, Qt::Key_Return);
        }
    });
    WidgetInteraction ui(nullptr);
    if (question)
        QVERIFY(!ui.askWriteAnyway(text.left(text.indexOf(QLatin1String(" Write anyway?")))));
    else
        ui.showErrorReport(text, informative, details);
    QCOMPARE(seen, (QStringList{title, text, informative, details}));
}

QTEST_MAIN(TestWidgetInteraction)
#include "tst_widget_interaction.moc"
