#include "base/user_interaction.h"
#include "document/document.h"
#include "document_fixtures.h"
#include "files/chirp_csv.h"
#include "files/clone_file.h"
#include "files/csv_exchange.h"
#include "files/file_commands.h"
#include "scripted_interaction.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace hxv5;
using namespace hxv5::testing;

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const QString kTitle = QStringLiteral("Tormel HX-V5 Clone Utility");

} // namespace

class TestFileCommands : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void saveOpenAndCaption();
    void promptFlows_data();
    void promptFlows();
    void failuresChangeNothing_data();
    void failuresChangeNothing();
    void newResetsEverything();
    void importAndExport();
    void importOutcomes_data();
    void importOutcomes();
    void compareWithFile_data();
    void compareWithFile();
    void refusedWhileBusy();
    void chirpImportAndExport();
    void arrivingFiles_data();
    void arrivingFiles();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString path(const QString &name) const { return m_dir->filePath(name); }
};

void TestFileCommands::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestFileCommands::saveOpenAndCaption()
{
    Document doc;
    ScriptedInteraction ui;
    FileCommands commands(doc, ui);
    QSignalSpy captions(&commands, &FileCommands::captionChanged);
    QCOMPARE(commands.caption(), kTitle);

    fillRandomly(doc, 3);
    QVERIFY(doc.isChanged());
    // Save without a current file asks for a name.
    ui.saveChoices = {path(QStringLiteral("first.TV5"))};
    QVERIFY(commands.Save());
    QCOMPARE(ui.asked, QStringList{QStringLiteral("save clone")});
    QVERIFY(!doc.isChanged());
    QCOMPARE(doc.currentFile(), path(QStringLiteral("first.TV5")));
    QCOMPARE(commands.caption(), QStringLiteral("first.TV5 - ") + kTitle);
    QCOMPARE(captions.count(), 1);
    QCOMPARE(captions.last().at(0).toString(), commands.caption());

    // Save with a current file writes there without asking.
    doc.channels().setText(3, kColNotes, QStringLiteral("changed"));
    doc.setChanged(true);
    ui.asked.clear();
    QVERIFY(commands.Save());
    QVERIFY(ui.asked.isEmpty());
    QVERIFY(readAll(path(QStringLiteral("first.TV5"))).contains("changed\r\n"));

    // Save As always asks, and the new name becomes the current file; typed without an
    // extension, it is given ".TV5".
    ui.saveChoices = {path(QStringLiteral("second"))};
    QVERIFY(commands.SaveAs());
    QCOMPARE(commands.caption(), QStringLiteral("second.TV5 - ") + kTitle);

    // Open from a new document gives back what was saved.
    Document other;
    FileCommands otherCommands(other, ui);
    QSignalSpy replaced(&otherCommands, &FileCommands::tablesReplaced);
    ui.openChoices = {path(QStringLiteral("second.TV5"))};
    QVERIFY(otherCommands.Open());
    QCOMPARE(replaced.count(), 1);
    QVERIFY(!other.isChanged());
    QCOMPARE(otherCommands.caption(), QStringLiteral("second.TV5 - ") + kTitle);
    QVERIFY(sameThroughFile(doc, other));
}

void TestFileCommands::promptFlows_data()
{
    using A = UserInteraction::Answer;
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QList<A>>("answers");
    QTest::addColumn<QString>("saveChoice"); // for Yes; "dir" makes the save fail
    QTest::addColumn<QStringList>("asked");
    QTest::addColumn<bool>("goesOn");
    QTest::addColumn<bool>("saved");

    const QString prompt = QStringLiteral("prompt");
    const QString saveClone = QStringLiteral("save clone");
    for (const QString &command : {QStringLiteral("New"), QStringLiteral("Open"),
                                   QStringLiteral("Import"), QStringLiteral("close")}) {
        const QByteArray c = command.toLatin1();
        const QString chooser = command == QLatin1String("Open")     ? QStringLiteral("open clone")
                                : command == QLatin1String("Import") ? QStringLiteral("open csv")
                                                                     : QString();
        const auto then = [&chooser](QStringList asked) {
            if (!chooser.isEmpty())
                asked.append(chooser);
            return asked;
        };
        QTest::newRow(c + ", unchanged: no prompt")
            << command << false << QList<A>{} << QString() << then({}) << true << false;
        QTest::newRow(c + ", No: goes on unsaved")
            << command << true << QList<A>{A::No} << QString() << then({prompt}) << true << false;
        QTest::newRow(c + ", Cancel: abandoned")
            << command << true << QList<A>{A::Cancel} << QString() << QStringList{prompt} << false
            << false;
        QTest::newRow(c + ", Yes and saved: goes on")
            << command << true << QList<A>{A::Yes} << QStringLiteral("saved.TV5")
            << then({prompt, saveClone}) << true << true;
        QTest::newRow(c + ", Yes and the chooser cancelled: abandoned")
            << command << true << QList<A>{A::Yes} << QString() << QStringList{prompt, saveClone}
            << false << false;
        QTest::newRow(c + ", Yes and the save failed: abandoned")
            << command << true << QList<A>{A::Yes} << QStringLiteral("dir")
            << QStringList{prompt, saveClone} << false << false;
    }
}

// The save-changes prompt before New, Open, Import and closing. Going on is seen as the file
// chooser being shown (Open, Import), the tables being reset (New) or true (closing).
void TestFileCommands::promptFlows()
{
    QFETCH(QString, command);
    QFETCH(bool, changed);
    QFETCH(QList<UserInteraction::Answer>, answers);
    QFETCH(QString, saveChoice);
    QFETCH(QStringList, asked);
    QFETCH(bool, goesOn);
    QFETCH(bool, saved);

    Document doc;
    fillRandomly(doc, 9);
    doc.setChanged(changed);
    const Snapshot before(doc);
    ScriptedInteraction ui;
    ui.answers = answers;
    if (saveChoice == QLatin1String("dir")) {
        QVERIFY(QDir(m_dir->path()).mkdir(saveChoice));
        ui.saveChoices = {path(saveChoice)};
    } else if (!saveChoice.isEmpty()) {
        ui.saveChoices = {path(saveChoice)};
    }
    FileCommands commands(doc, ui);

    bool result = false;
    if (command == QLatin1String("New"))
        result = commands.New();
    else if (command == QLatin1String("Open"))
        result = commands.Open();
    else if (command == QLatin1String("Import"))
        result = commands.Import();
    else
        result = commands.queryClose();

    QCOMPARE(ui.asked, asked);
    QCOMPARE(QFile::exists(path(QStringLiteral("saved.TV5"))), saved);
    if (saveChoice == QLatin1String("dir"))
        QCOMPARE(ui.errors, QStringList{QStringLiteral("File Open Error")});
    if (command == QLatin1String("close")) {
        QCOMPARE(result, goesOn);
    } else if (command == QLatin1String("New")) {
        QCOMPARE(result, goesOn);
        QCOMPARE(doc.channels().row(20).isEmpty(), goesOn);
    } else {
        QVERIFY(!result); // the chooser was cancelled
    }
    if (!goesOn) {
        // Abandoned: the unsaved data is still there, still marked unsaved.
        QVERIFY(Snapshot(doc).sameData(before));
        QCOMPARE(doc.isChanged(), changed);
        QCOMPARE(doc.currentFile(), before.currentFile);
    }
}

void TestFileCommands::failuresChangeNothing_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("error");
    QTest::newRow("Open a short file")
        << QStringLiteral("Open") << QByteArray("Tormel  HX-V5  Clone  File Start\r\n")
        << QStringLiteral("File Open Error");
    QTest::newRow("Open a file with a bad record")
        << QStringLiteral("Open") << QByteArray("Tormel  HX-V5  Clone  File Start\r\nA5\r\n")
        << QStringLiteral("Data Error");
    QTest::newRow("Open a missing file")
        << QStringLiteral("Open") << QByteArray() << QStringLiteral("File Open Error");
    QTest::newRow("Import a file ending inside a record")
        << QStringLiteral("Import") << QByteArray("\"HX-V5\",\"MEMORY\",\"1\"\r\n")
        << QStringLiteral("File Open Error");
    QTest::newRow("Import a missing file")
        << QStringLiteral("Import") << QByteArray() << QStringLiteral("File Open Error");
    QTest::newRow("Save onto a folder")
        << QStringLiteral("Save") << QByteArray() << QStringLiteral("File Open Error");
    QTest::newRow("Save As onto a folder")
        << QStringLiteral("SaveAs") << QByteArray() << QStringLiteral("File Open Error");
    QTest::newRow("Export onto a folder")
        << QStringLiteral("Export") << QByteArray() << QStringLiteral("File Open Error");
}

// A command that fails shows its message and leaves the document, the current file, the
// caption and the changed flag as they were.
void TestFileCommands::failuresChangeNothing()
{
    QFETCH(QString, command);
    QFETCH(QByteArray, content);
    QFETCH(QString, error);

    const QString file = path(QStringLiteral("file"));
    if (!content.isEmpty()) {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    const QString folder = path(QStringLiteral("folder"));
    QVERIFY(QDir().mkpath(folder));

    Document doc;
    fillRandomly(doc, 17);
    doc.setCurrentFile(folder); // Save writes the current file
    doc.setChanged(true);
    ScriptedInteraction ui;
    ui.answers = {UserInteraction::Answer::No};
    ui.openChoices = {file};
    ui.saveChoices = {folder};
    FileCommands commands(doc, ui);
    const QString caption = commands.caption();
    QSignalSpy captions(&commands, &FileCommands::captionChanged);
    QSignalSpy replaced(&commands, &FileCommands::tablesReplaced);
    const Snapshot before(doc);

    bool result = true;
    QMetaObject::invokeMethod(&commands, qPrintable(command), Qt::DirectConnection,
                              Q_RETURN_ARG(bool, result));
    QVERIFY(!result);
    QCOMPARE(ui.errors, QStringList{error});
    QVERIFY(Snapshot(doc) == before);
    QCOMPARE(commands.caption(), caption);
    QCOMPARE(captions.count(), 0);
    QCOMPARE(replaced.count(), 0);
}

void TestFileCommands::newResetsEverything()
{
    Document doc;
    fillRandomly(doc, 21);
    doc.settings().setModel(4);
    doc.setCurrentFile(path(QStringLiteral("x.TV5")));
    doc.setChanged(false);
    ScriptedInteraction ui;
    FileCommands commands(doc, ui);
    QSignalSpy replaced(&commands, &FileCommands::tablesReplaced);
    QVERIFY(commands.New());
    QCOMPARE(replaced.count(), 1);
    QCOMPARE(commands.caption(), kTitle);
    QVERIFY(doc.currentFile().isEmpty());
    QVERIFY(!doc.isChanged());
    QCOMPARE(doc.settingsRecord(), QStringLiteral("A5040A0304000000000200006C23FFFF"));
    for (int s = 0; s < kSlotCount; ++s) {
        QCOMPARE(doc.channels().row(s), TableRow());
        QVERIFY(!doc.channels().isEnabled(s));
    }
    QCOMPARE(doc.vfo().text(2, kColFrequency), QStringLiteral("88.10000"));
    QCOMPARE(doc.vfo().text(6, kColFrequency), QStringLiteral("445.00000"));
}

void TestFileCommands::importAndExport()
{
    Document doc;
    fillRandomly(doc, 30, {.receivable = true, .model = 0});
    ScriptedInteraction ui;
    FileCommands commands(doc, ui);
    ui.saveChoices = {path(QStringLiteral("a.TV5"))};
    QVERIFY(commands.SaveAs());

    // Export leaves the current file, the caption and the changed flag alone; a name without an
    // extension is given ".csv".
    doc.setChanged(true);
    ui.saveChoices = {path(QStringLiteral("tables"))};
    QVERIFY(commands.Export());
    QCOMPARE(ui.asked.last(), QStringLiteral("save csv"));
    QCOMPARE(readAll(path(QStringLiteral("tables.csv"))), csvExportBytes(doc));
    QVERIFY(doc.isChanged());
    QCOMPARE(commands.caption(), QStringLiteral("a.TV5 - ") + kTitle);
    ui.saveChoices.clear();
    QVERIFY(!commands.Export()); // chooser cancelled

    // Import into a document with other content: no current file, and the merged tables are
    // unsaved, so closing asks first.
    Document target;
    target.setCurrentFile(path(QStringLiteral("b.TV5")));
    FileCommands targetCommands(target, ui);
    QSignalSpy replaced(&targetCommands, &FileCommands::tablesReplaced);
    ui.openChoices = {path(QStringLiteral("tables.csv"))};
    QVERIFY(targetCommands.Import());
    QCOMPARE(replaced.count(), 1);
    QCOMPARE(targetCommands.caption(), kTitle);
    QVERIFY(target.currentFile().isEmpty());
    QVERIFY(target.isChanged());
    ui.asked.clear();
    QVERIFY(!targetCommands.queryClose()); // the prompt is cancelled
    QCOMPARE(ui.asked, QStringList{QStringLiteral("prompt")});
    QCOMPARE(target.vfo().row(4), withStoredNote(doc.vfo().row(4)));
    QVERIFY(ui.reports.isEmpty()); // every row was taken: nothing to tell
}

void TestFileCommands::importOutcomes_data()
{
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<int>("taken");           // -1: the import fails
    QTest::addColumn<QStringList>("skipped"); // the report's lines
    QTest::addColumn<bool>("reported");

    const QByteArray good = "\"HX-V5\",\"MEMORY\",\"5\",\"145.50000\",\"FM\",\"12.5KHz\",\"None\","
                            "\"88.5Hz\",\"88.5Hz\",\"None\",\".00000\",\"n\",TRUE\r\n";
    const QByteArray bad = QByteArray(good).replace("\"FM\"", "\"XM\"");
    QTest::newRow("every row taken") << good << 1 << QStringList() << false;
    QTest::newRow("a row skipped")
        << good + bad << 1
        << QStringList{QStringLiteral("Line 2: MODE \"XM\" is not FM, AM or WFM")} << true;
    QTest::newRow("no row at all")
        << QByteArray("\x00\xff random bytes\r\n") << 0 << QStringList() << true;
    QTest::newRow("only bad rows")
        << bad << 0 << QStringList{QStringLiteral("Line 1: MODE \"XM\" is not FM, AM or WFM")}
        << true;
}

// After an import the merged tables are unsaved; skipped rows, or none taken, are reported; a
// file that gives no row changes nothing, not even the current file.
void TestFileCommands::importOutcomes()
{
    QFETCH(QByteArray, csv);
    QFETCH(int, taken);
    QFETCH(QStringList, skipped);
    QFETCH(bool, reported);

    const QString file = path(QStringLiteral("rows.csv"));
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(csv);
    f.close();
    Document doc;
    doc.setCurrentFile(path(QStringLiteral("a.TV5")));
    doc.setChanged(false);
    ScriptedInteraction ui;
    ui.openChoices = {file};
    FileCommands commands(doc, ui);
    QSignalSpy replaced(&commands, &FileCommands::tablesReplaced);
    const Snapshot before(doc);

    QCOMPARE(commands.Import(), taken > 0);
    QVERIFY(ui.errors.isEmpty());
    QCOMPARE(ui.reports.size(), reported ? 1 : 0);
    if (reported) {
        QCOMPARE(ui.reports.first().taken, taken);
        QCOMPARE(csvSkippedRowLines(ui.reports.first()), skipped);
    }
    if (taken == 0) {
        QVERIFY(Snapshot(doc) == before);
        QCOMPARE(replaced.count(), 0);
        return;
    }
    QCOMPARE(replaced.count(), 1);
    QVERIFY(doc.isChanged());
    QVERIFY(doc.currentFile().isEmpty());
    QCOMPARE(doc.channels().text(5, kColFrequency), QStringLiteral("145.50000"));
    QVERIFY(doc.channels().isEnabled(5));
}

void TestFileCommands::compareWithFile_data()
{
    QTest::addColumn<QString>("file"); // "same", "changed", "broken", "" (cancelled)
    QTest::addColumn<bool>("compared");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("errors");
    QTest::newRow("same data") << "same" << true << QStringList() << QStringList();
    QTest::newRow("one slot off") << "changed" << true << QStringList{"slot 7 Enable on off"}
                                  << QStringList();
    QTest::newRow("broken file") << "broken" << false << QStringList() << QStringList{"Data Error"};
    QTest::newRow("cancelled") << "" << false << QStringList() << QStringList();
}

void TestFileCommands::compareWithFile()
{
    QFETCH(QString, file);
    QFETCH(bool, compared);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, errors);
    Document doc;
    fillRandomly(doc, 9, {.receivable = true, .model = 0});
    doc.channels().setEnabled(7, true);
    QCOMPARE(writeCloneFile(path(QStringLiteral("same")), doc), FileError::None);
    {
        Document other;
        QCOMPARE(readCloneFile(path(QStringLiteral("same")), other), FileError::None);
        other.channels().setEnabled(7, false);
        QCOMPARE(writeCloneFile(path(QStringLiteral("changed")), other), FileError::None);
        QFile broken(path(QStringLiteral("broken")));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("short\r\n");
    }
    // Comparing changes nothing, so unsaved changes are not asked about.
    doc.setChanged(true);
    ScriptedInteraction ui;
    ui.openChoices = {file.isEmpty() ? QString() : path(file)};
    FileCommands commands(doc, ui);
    const Snapshot before(doc);
    QList<ImageDifference> differences;
    QCOMPARE(commands.Compare(differences), compared);
    QStringList shown;
    for (const ImageDifference &d : differences)
        shown << differenceLine(d);
    QCOMPARE(shown, lines);
    QCOMPARE(ui.errors, errors);
    QCOMPARE(ui.asked, QStringList{"open clone"});
    QVERIFY(Snapshot(doc) == before);
}

void TestFileCommands::refusedWhileBusy()
{
    Document doc;
    fillRandomly(doc, 5);
    doc.setBusy(true);
    ScriptedInteraction ui;
    ui.answers = {UserInteraction::Answer::No};
    ui.openChoices = {path(QStringLiteral("x"))};
    ui.saveChoices = {path(QStringLiteral("y"))};
    FileCommands commands(doc, ui);
    const Snapshot before(doc);
    QVERIFY(!commands.New());
    QVERIFY(!commands.Open());
    QVERIFY(!commands.Save());
    QVERIFY(!commands.SaveAs());
    QVERIFY(!commands.Import());
    QVERIFY(!commands.Export());
    QVERIFY(!commands.queryClose());
    QList<ImageDifference> differences;
    QVERIFY(!commands.Compare(differences));
    QVERIFY(!commands.OpenFile(path(QStringLiteral("x"))));
    QVERIFY(!commands.ImportFile(path(QStringLiteral("x")), CsvFormat::Chirp));
    QVERIFY(ui.asked.isEmpty());
    QVERIFY(ui.errors.isEmpty());
    QVERIFY(Snapshot(doc) == before);
}

// The CSV choosers' CHIRP choice reaches the CHIRP layout, on the same way as the own format:
// the report for what was changed, the merged tables unsaved and in no file.
void TestFileCommands::chirpImportAndExport()
{
    Document doc;
    TableRow row;
    row.number = {145.5, 0, 5, 3, 8, 12, 1, 0.6, 0};
    row.text = {"145.50000", "FM", "12.5KHz", "Rev.", "88.5Hz", "100.0Hz", "+Shift", ".60000", "n"};
    doc.channels().setSlot(5, row, true);
    ScriptedInteraction ui;
    ui.csvFormat = CsvFormat::Chirp;
    FileCommands commands(doc, ui);
    const QString file = path(QStringLiteral("chirp.csv"));
    ui.saveChoices = {file};
    QVERIFY(commands.Export());
    QCOMPARE(ui.asked, QStringList{QStringLiteral("save csv")});
    QCOMPARE(readAll(file), chirpCsvExportBytes(doc));
    // Reverse tone squelch with two tones, of which CHIRP holds one: told, not lost in silence.
    QCOMPARE(ui.exportReports.size(), 1);
    QCOMPARE(ui.exportReports.first().size(), 1);

    QFile f(file);
    QVERIFY(f.open(QIODevice::Append));
    f.write("6,x,145.6,,0,,88.5,88.5,023,NN,023,Tone->Tone,FM,7.5,,,,,,,\r\n"
            "7,y,145.7,split,446.0,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,,,,,,\r\n");
    f.close();
    Document target;
    target.setCurrentFile(path(QStringLiteral("b.TV5")));
    FileCommands targetCommands(target, ui);
    ui.openChoices = {file};
    // Chosen under "CSV Files": its header line names CHIRP's layout, which is read.
    ui.csvFormat = CsvFormat::Own;
    QVERIFY(targetCommands.Import());
    QVERIFY(ui.errors.isEmpty());
    QCOMPARE(target.channels().text(5, kColFrequency), QStringLiteral("145.50000"));
    QCOMPARE(target.channels().number(6, kColStep), 3.0); // 8.33KHz, the nearest
    QVERIFY(target.channels().row(7).isEmpty());
    QVERIFY(target.isChanged());
    QVERIFY(target.currentFile().isEmpty());
    QCOMPARE(ui.reports.size(), 1);
    QCOMPARE(ui.reports.first().taken, 2);
    QCOMPARE(csvSkippedRowLines(ui.reports.first()).size(), 2);
    QCOMPARE(csvImportSummary(ui.reports.first()),
             QStringLiteral("2 rows imported, 1 row skipped. 1 row changed."));
}

void TestFileCommands::arrivingFiles_data()
{
    using A = UserInteraction::Answer;
    QTest::addColumn<QString>("command"); // OpenFile, ImportFile
    QTest::addColumn<QString>("file");    // in the folder; "missing" names none
    QTest::addColumn<QList<A>>("answers");
    QTest::addColumn<QStringList>("asked");
    QTest::addColumn<QStringList>("errors");
    QTest::addColumn<bool>("taken");

    const QStringList prompt{QStringLiteral("prompt")};
    const QStringList fileOpenError{QStringLiteral("File Open Error")};
    QTest::newRow("open, No") << "OpenFile"
                              << "a.TV5" << QList<A>{A::No} << prompt << QStringList() << true;
    QTest::newRow("open, Cancel") << "OpenFile"
                                  << "a.TV5" << QList<A>{A::Cancel} << prompt << QStringList()
                                  << false;
    // Nothing to save the changes for: the message at once.
    QTest::newRow("open a missing file")
        << "OpenFile"
        << "missing" << QList<A>{A::No} << QStringList() << fileOpenError << false;
    QTest::newRow("open a CSV file as a clone file")
        << "OpenFile"
        << "c.csv" << QList<A>{A::No} << prompt << QStringList{QStringLiteral("Data Error")}
        << false;
    QTest::newRow("import, No") << "ImportFile"
                                << "c.csv" << QList<A>{A::No} << prompt << QStringList() << true;
    QTest::newRow("import our own layout as CHIRP's")
        << "ImportFile"
        << "o.csv" << QList<A>{A::No} << prompt << QStringList() << true;
    QTest::newRow("import, Cancel")
        << "ImportFile"
        << "c.csv" << QList<A>{A::Cancel} << prompt << QStringList() << false;
}

// A file that comes to the window from outside (dropped, on the command line, a recent file)
// takes the prompt of the command it stands for, and no chooser.
void TestFileCommands::arrivingFiles()
{
    QFETCH(QString, command);
    QFETCH(QString, file);
    QFETCH(QList<UserInteraction::Answer>, answers);
    QFETCH(QStringList, asked);
    QFETCH(QStringList, errors);
    QFETCH(bool, taken);

    Document source;
    fillRandomly(source, 4, {.receivable = true, .model = 0});
    QVERIFY(writeCloneFile(path(QStringLiteral("a.TV5")), source) == FileError::None);
    QVERIFY(exportChirpCsv(path(QStringLiteral("c.csv")), source) == FileError::None);
    QVERIFY(exportCsv(path(QStringLiteral("o.csv")), source) == FileError::None);

    Document doc;
    doc.setChanged(true);
    const Snapshot before(doc);
    ScriptedInteraction ui;
    ui.answers = answers;
    FileCommands commands(doc, ui);
    QSignalSpy used(&commands, &FileCommands::cloneFileUsed);
    const bool result = command == QLatin1String("OpenFile")
                            ? commands.OpenFile(path(file))
                            : commands.ImportFile(path(file), CsvFormat::Chirp);
    QCOMPARE(result, taken);
    QCOMPARE(ui.asked, asked);
    QCOMPARE(ui.errors, errors);
    if (!taken) {
        QVERIFY(Snapshot(doc).sameData(before));
        QVERIFY(used.isEmpty());
        return;
    }
    QVERIFY(!Snapshot(doc).sameData(before));
    // A CHIRP import always tells what it took, even when it took every row.
    QCOMPARE(ui.reports.size(), file == QLatin1String("c.csv") ? 1 : 0);
    QCOMPARE(used.size(), command == QLatin1String("OpenFile") ? 1 : 0);
    if (!used.isEmpty())
        QCOMPARE(used.first().first().toString(), path(file));
}

QTEST_GUILESS_MAIN(TestFileCommands)
#include "tst_file_commands.moc"
