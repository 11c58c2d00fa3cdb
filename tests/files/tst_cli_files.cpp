#include "cli_run.h"
#include "document/document.h"
#include "document_fixtures.h"
#include "file_bytes.h"
#include "files/chirp_csv.h"
#include "files/clone_file.h"
#include "files/csv_exchange.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace hxv5;
using namespace hxv5::testing;

// The command-line companion's file commands: export-csv and import-csv.
class TestCliFiles : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void exportAndImport();
    void failures_data();
    void failures();
    void outputIsInput_data();
    void outputIsInput();
    void importTells_data();
    void importTells();
    void chirpFormat_data();
    void chirpFormat();
    void chirpExport();
    void editCommands_data();
    void editCommands();

private:
    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QString m_clone;
    Document m_saved;
};

void TestCliFiles::initTestCase()
{
    QVERIFY(m_dir.isValid());
    // Variant 0 with frequencies it can receive, so that a new image (variant 0) takes every row.
    fillRandomly(m_saved, 12, {.receivable = true, .model = 0});
    m_clone = path(QStringLiteral("in.TV5"));
    QCOMPARE(writeCloneFile(m_clone, m_saved), FileError::None);
}

void TestCliFiles::exportAndImport()
{
    const QString csv = path(QStringLiteral("out.csv"));
    CliRun r = runCli({QStringLiteral("export-csv"), m_clone, csv});
    QCOMPARE(r.status, 0);
    QVERIFY(r.err.isEmpty());
    Document opened;
    QCOMPARE(readCloneFile(m_clone, opened), FileError::None);
    QCOMPARE(readAll(csv), csvExportBytes(opened));

    // Onto the same image: every row comes back as it was.
    const QString onto = path(QStringLiteral("onto.TV5"));
    r = runCli({QStringLiteral("import-csv"), csv, onto, QStringLiteral("--onto"), m_clone});
    QCOMPARE(r.status, 0);
    QCOMPARE(readAll(onto), readAll(m_clone));
    int channels = 0;
    for (int slot = 0; slot < kSlotCount; ++slot)
        channels += opened.channels().row(slot).holdsChannel() ? 1 : 0;
    QCOMPARE(r.err,
             QByteArray::number(kVfoRowCount + channels) + " rows imported, 0 rows skipped.\n");

    // Into a new image: the settings are the new image's, the rows that hold channels the file's.
    const QString fresh = path(QStringLiteral("fresh.TV5"));
    r = runCli({QStringLiteral("import-csv"), csv, fresh});
    QCOMPARE(r.status, 0);
    Document result;
    QCOMPARE(readCloneFile(fresh, result), FileError::None);
    QCOMPARE(result.settingsRecord(), QStringLiteral("A5000A0304000000000200006C23FFFF"));
    for (int s = 0; s < kSlotCount; ++s) {
        if (opened.channels().row(s).holdsChannel())
            QCOMPARE(result.channels().row(s), opened.channels().row(s));
        else
            QVERIFY(result.channels().row(s).isEmpty());
    }
}

void TestCliFiles::failures_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("message");
    const QString bad = QStringLiteral("bad.TV5");
    const QString missing = QStringLiteral("missing");
    const QString csv = QStringLiteral("ok.csv");
    const QString folder = QStringLiteral("."); // a folder where a file should be
    QTest::newRow("export: missing input")
        << QStringList{QStringLiteral("export-csv"), missing, QStringLiteral("x.csv")} << 1
        << QByteArray("File Open Error\n");
    QTest::newRow("export: bad clone file")
        << QStringList{QStringLiteral("export-csv"), bad, QStringLiteral("x.csv")} << 1
        << QByteArray("Data Error\n");
    QTest::newRow("export: output onto a folder")
        << QStringList{QStringLiteral("export-csv"), QStringLiteral("in.TV5"), folder} << 1
        << QByteArray("File Open Error\n");
    QTest::newRow("import: missing CSV")
        << QStringList{QStringLiteral("import-csv"), missing, QStringLiteral("x.TV5")} << 1
        << QByteArray("File Open Error\n");
    QTest::newRow("import: a FIFO") << QStringList{QStringLiteral("import-csv"),
                                                   QStringLiteral("fifo"), QStringLiteral("x.TV5")}
                                    << 1 << QByteArray("File Open Error\n");
    QTest::newRow("import: bad base")
        << QStringList{QStringLiteral("import-csv"), csv, QStringLiteral("x.TV5"),
                       QStringLiteral("--onto"), bad}
        << 1 << QByteArray("Data Error\n");
    QTest::newRow("import: output onto a folder")
        << QStringList{QStringLiteral("import-csv"), csv, folder} << 1
        << QByteArray("File Open Error\n");
    QTest::newRow("export: one argument") << QStringList{QStringLiteral("export-csv"), csv} << 2
                                          << QByteArray("usage: hxv5-cli export-csv");
    QTest::newRow("export: an unknown format")
        << QStringList{QStringLiteral("export-csv"), QStringLiteral("in.TV5"),
                       QStringLiteral("x.csv"), QStringLiteral("--format"), QStringLiteral("xml")}
        << 2 << QByteArray("usage: hxv5-cli export-csv");
    QTest::newRow("import: --format without a name")
        << QStringList{QStringLiteral("import-csv"), csv, QStringLiteral("x.TV5"),
                       QStringLiteral("--format")}
        << 2 << QByteArray("usage: hxv5-cli import-csv");
    QTest::newRow("import: --format twice")
        << QStringList{QStringLiteral("import-csv"), csv,
                       QStringLiteral("x.TV5"),      QStringLiteral("--format"),
                       QStringLiteral("chirp"),      QStringLiteral("--format"),
                       QStringLiteral("chirp")}
        << 2 << QByteArray("usage: hxv5-cli import-csv");
    QTest::newRow("import: --onto without a file")
        << QStringList{QStringLiteral("import-csv"), csv, QStringLiteral("x.TV5"),
                       QStringLiteral("--onto")}
        << 2 << QByteArray("usage: hxv5-cli import-csv");
}

void TestCliFiles::failures()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QByteArray, message);
    QVERIFY(writeAll(path(QStringLiteral("bad.TV5")), "Tormel HX-V5 Clone File Start\r\n"));
    QVERIFY(writeAll(path(QStringLiteral("ok.csv")), csvExportBytes(m_saved)));
    const QByteArray fifo = QFile::encodeName(path(QStringLiteral("fifo")));
    QVERIFY(QFile::exists(path(QStringLiteral("fifo"))) || ::mkfifo(fifo.constData(), 0600) == 0);
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (!args.at(i).startsWith(QLatin1String("--")))
            args[i] = path(args.at(i));
    }
    const CliRun r = runCli(args);
    QCOMPARE(r.status, status);
    QVERIFY2(r.err.startsWith(message), r.err.constData());
    QVERIFY(!QFile::exists(path(QStringLiteral("x.TV5"))));
    QVERIFY(!QFile::exists(path(QStringLiteral("x.csv"))));
}

void TestCliFiles::outputIsInput_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("input"); // the file that must stay as it was
    QTest::addColumn<QByteArray>("usage");

    const QByteArray exportUsage =
        "usage: hxv5-cli export-csv IN.TV5 OUT.csv [--format hxv5|chirp]\n";
    const QByteArray importUsage =
        "usage: hxv5-cli import-csv IN.csv OUT.TV5 [--onto BASE.TV5] [--format hxv5|chirp]\n";
    const QString clone = QStringLiteral("in.TV5");
    const QString csv = QStringLiteral("ok.csv");
    QTest::newRow("export onto its input")
        << QStringList{QStringLiteral("export-csv"), clone, clone} << clone << exportUsage;
    QTest::newRow("export onto its input by another path")
        << QStringList{QStringLiteral("export-csv"), clone, QStringLiteral("sub/../in.TV5")}
        << clone << exportUsage;
    QTest::newRow("export onto a symbolic link to its input")
        << QStringList{QStringLiteral("export-csv"), clone, QStringLiteral("link.TV5")} << clone
        << exportUsage;
    QTest::newRow("export onto a hard link to its input")
        << QStringList{QStringLiteral("export-csv"), clone, QStringLiteral("hard.TV5")} << clone
        << exportUsage;
    QTest::newRow("import onto its CSV file")
        << QStringList{QStringLiteral("import-csv"), csv, csv, QStringLiteral("--onto"), clone}
        << csv << importUsage;
}

// An output that is the input would destroy it: refused as a bad argument, nothing written.
void TestCliFiles::outputIsInput()
{
    QFETCH(QStringList, args);
    QFETCH(QString, input);
    QFETCH(QByteArray, usage);
    QVERIFY(writeAll(path(QStringLiteral("ok.csv")), csvExportBytes(m_saved)));
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("sub")));
    QFile::remove(path(QStringLiteral("link.TV5")));
    QFile::remove(path(QStringLiteral("hard.TV5")));
    QVERIFY(QFile::link(m_clone, path(QStringLiteral("link.TV5"))));
    QCOMPARE(::link(QFile::encodeName(m_clone).constData(),
                    QFile::encodeName(path(QStringLiteral("hard.TV5"))).constData()),
             0);
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (!args.at(i).startsWith(QLatin1String("--")))
            args[i] = path(args.at(i));
    }
    const QByteArray before = readAll(path(input));
    const CliRun r = runCli(args);
    QCOMPARE(r.status, 2);
    QCOMPARE(r.err, "hxv5-cli: the output file is the input file\n" + usage);
    QCOMPARE(readAll(path(input)), before);
    QVERIFY(QFileInfo(path(QStringLiteral("link.TV5"))).isSymLink());
}

void TestCliFiles::importTells_data()
{
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("told");

    const QByteArray good = "\"HX-V5\",\"MEMORY\",\"5\",\"145.50000\",\"FM\",\"12.5KHz\",\"None\","
                            "\"88.5Hz\",\"88.5Hz\",\"None\",\".00000\",\"n\",#TRUE#\r\n";
    QTest::newRow("a row skipped")
        << good + QByteArray(good).replace("\"12.5KHz\"", "\"6MHz\"") << 0
        << QByteArray(
               "1 row imported, 1 row skipped.\nLine 2: STEP \"6MHz\" is not a tuning step\n");
    QTest::newRow("random bytes") << QByteArray("\x01\x02\xfe\xff\r\n\x80", 7) << 1
                                  << QByteArray("0 rows imported, 0 rows skipped.\n");
    QTest::newRow("a clone file") << cloneFileBytes(Document()) << 1
                                  << QByteArray("0 rows imported, 0 rows skipped.\n");
    QTest::newRow("only bad rows") << QByteArray(good).replace("\"FM\"", "\"fm\"") << 1
                                   << QByteArray("0 rows imported, 1 row skipped.\nLine 1: MODE "
                                                 "\"fm\" is not FM, AM or WFM\n");
}

// import-csv tells how many rows it took and skipped, and which; a file that gives no row is a
// failure and writes nothing.
void TestCliFiles::importTells()
{
    QFETCH(QByteArray, csv);
    QFETCH(int, status);
    QFETCH(QByteArray, told);
    const QString in = path(QStringLiteral("rows.csv"));
    const QString out = path(QStringLiteral("rows.TV5"));
    QFile::remove(out);
    QVERIFY(writeAll(in, csv));
    const CliRun r = runCli({QStringLiteral("import-csv"), in, out});
    QCOMPARE(r.status, status);
    QCOMPARE(r.err, told);
    QCOMPARE(QFile::exists(out), status == 0);
}

void TestCliFiles::chirpFormat_data()
{
    QTest::addColumn<QStringList>("format");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("told");

    const QByteArray told("2 rows imported, 1 row skipped. 1 row changed.\n"
                          "Line 3: TStep \"7.5\" kHz is not a step of the radio: 8.33KHz taken\n"
                          "Line 4: transmit on 446.60000 MHz (Duplex \"split\") cannot be held: "
                          "the radio transmits at most 99.99999 MHz away from the receive "
                          "frequency\n");
    QTest::newRow("--format chirp")
        << QStringList{QStringLiteral("--format"), QStringLiteral("chirp")} << 0 << told;
    // The header line names CHIRP's layout, whatever --format says.
    QTest::newRow("no --format") << QStringList() << 0 << told;
    QTest::newRow("--format hxv5")
        << QStringList{QStringLiteral("--format"), QStringLiteral("hxv5")} << 0 << told;
}

// import-csv --format chirp reads CHIRP's layout and tells what it skipped and changed.
void TestCliFiles::chirpFormat()
{
    QFETCH(QStringList, format);
    QFETCH(int, status);
    QFETCH(QByteArray, told);
    const QString in = path(QStringLiteral("chirp.csv"));
    const QString out = path(QStringLiteral("chirp.TV5"));
    QFile::remove(out);
    QVERIFY(writeAll(in, "# a comment line\r\n"
                         "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,Mode,"
                         "TStep,Skip\r\n"
                         "4,Club,145.5,-,0.6,TSQL,88.5,100.0,FM,7.5,\r\n"
                         "5,Split,145.6,split,446.6,,88.5,88.5,FM,5.00,\r\n"
                         "6,,433.2,,0,Tone,67.0,88.5,FM,25.00,S\r\n"));
    const CliRun r = runCli(QStringList{QStringLiteral("import-csv"), in, out} + format);
    QCOMPARE(r.status, status);
    QCOMPARE(r.err, told);
    if (status != 0)
        return;
    Document result;
    QCOMPARE(readCloneFile(out, result), FileError::None);
    QCOMPARE(result.channels().text(4, kColTone), QStringLiteral("TSQ"));
    QCOMPARE(result.channels().text(4, kColTxTone), QStringLiteral("100.0Hz"));
    QCOMPARE(result.channels().text(4, kColShift), QStringLiteral("-Shift"));
    QVERIFY(result.channels().row(5).isEmpty());
    QCOMPARE(result.channels().text(6, kColFrequency), QStringLiteral("433.20000"));
    QVERIFY(!result.channels().isEnabled(6));
}

// export-csv --format chirp writes CHIRP's layout and tells on stderr what it wrote otherwise.
void TestCliFiles::chirpExport()
{
    Document doc;
    TableRow row;
    row.number = {145.5, 0, 5, 3, 8, 12, 3, 0.6, 0};
    row.text = {"145.50000", "FM", "12.5KHz", "Rev", "88.5Hz", "100.0Hz", "Split", ".60000", ""};
    doc.channels().setSlot(2, row, true);
    const QString in = path(QStringLiteral("rev.TV5"));
    QCOMPARE(writeCloneFile(in, doc), FileError::None);
    const QString out = path(QStringLiteral("rev.csv"));
    const CliRun r = runCli({QStringLiteral("export-csv"), in, out, QStringLiteral("--format"),
                             QStringLiteral("chirp")});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.err, QByteArray("Channel 2: the radio's \"Split\" shift has no CHIRP counterpart: "
                               "written without a shift\nChannel 2: reverse tone squelch with "
                               "two tones: CHIRP's TSQL-R holds one, the receive tone in "
                               "cToneFreq\n"));
    QVERIFY(readAll(out).startsWith("Location,Name,Frequency,"));
    QVERIFY(readAll(out).contains("\r\n2,,145.500000,,0.600000,TSQL-R,88.5,100.0,"));
}

void TestCliFiles::editCommands_data()
{
    QTest::addColumn<QStringList>("args"); // after the command: IN.TV5 and OUT.TV5 come first
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("err");
    QTest::addColumn<QString>("slots"); // slots 0..3 of the output: frequency/tone/note

    QTest::newRow("sort by frequency")
        << QStringList{"sort", "--by", "frequency"} << 0 << QByteArray()
        << "145.50000/Tone/a,146.52000/None/b,433.00000/None/C,//";
    QTest::newRow("sort two by notes descending")
        << QStringList{"sort", "--by", "Notes", "--descending", "--channels", "1,2"} << 0
        << QByteArray() << "146.52000/None/b,433.00000/None/C,145.50000/Tone/a,//";
    QTest::newRow("set tone squelch")
        << QStringList{"set", "--channels", "0-3", "--tone-mode", "tsq", "--tx-tone", "88.5Hz"} << 0
        << QByteArray("3 channels changed, 1 empty slot passed over.\n")
        << "146.52000/TSQ/b,145.50000/TSQ/a,433.00000/TSQ/C,//";
    QTest::newRow("set an offset no channel takes")
        << QStringList{"set", "--channels", "0-2", "--offset", "150"} << 1
        << QByteArray("0 channels changed, 3 unchanged.\nAn offset must be below 100 MHz: "
                      "the radio holds at most 99.99999: left as it was on channels 0, 1, 2\n")
        << QString();
    QTest::newRow("set an unknown tone mode")
        << QStringList{"set", "--channels", "0", "--tone-mode", "CTCSS"} << 2
        << QByteArray("hxv5-cli: --tone-mode \"CTCSS\" is none of None, Tone, TSQ, Rev.\nusage: "
                      "hxv5-cli set IN.TV5 OUT.TV5 --channels LIST")
        << QString();
}

// sort and set read a clone file, change it as Sort Channels and Edit Selected Channels do, and
// write the output whole; nothing when they fail.
void TestCliFiles::editCommands()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QByteArray, err);
    QFETCH(QString, slots);
    Document doc;
    const char16_t *records[] = {u"014652000000070008080000000000FF",
                                 u"014550000000070108080000000000FF",
                                 u"043300000000070008080000000000FF"};
    for (int s = 0; s < 3; ++s) {
        doc.DecodeChannelRecord(records[s], s);
        doc.channels().setText(s, kColNotes, QStringLiteral("baC").mid(s, 1));
    }
    const QString in = path(QStringLiteral("edit.TV5"));
    const QString out = path(QStringLiteral("edited.TV5"));
    QCOMPARE(writeCloneFile(in, doc), FileError::None);
    QFile::remove(out);

    args.insert(1, in);
    args.insert(2, out);
    const CliRun r = runCli(args);
    QCOMPARE(r.status, status);
    QVERIFY2(r.err.startsWith(err), r.err.constData());
    QCOMPARE(QFile::exists(out), status == 0);
    if (status != 0)
        return;
    Document result;
    QCOMPARE(readCloneFile(out, result), FileError::None);
    QStringList shown;
    for (int s = 0; s < 4; ++s) {
        const ChannelTable &c = result.channels();
        shown << QStringList{c.text(s, kColFrequency), c.text(s, kColTone), c.text(s, kColNotes)}
                     .join(QLatin1Char('/'));
    }
    QCOMPARE(shown.join(QLatin1Char(',')), slots);
}

QTEST_GUILESS_MAIN(TestCliFiles)
#include "tst_cli_files.moc"
