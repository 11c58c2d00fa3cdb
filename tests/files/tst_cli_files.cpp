#include "app/document.h"
#include "document_fixtures.h"
#include "files/clone_file.h"
#include "files/csv_exchange.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace hxv5;
using namespace hxv5::testing;

namespace {

struct Run
{
    int status = -1;
    QByteArray err;
};

Run cli(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(HXV5_CLI_PATH), args);
    p.waitForFinished(30000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardError()};
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

// The command-line companion's file commands: export-csv and import-csv.
class TestCliFiles : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void exportAndImport();
    void failures_data();
    void failures();

private:
    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QString m_clone;
    Document m_saved;
};

void TestCliFiles::initTestCase()
{
    QVERIFY(m_dir.isValid());
    fillRandomly(m_saved, 12);
    m_clone = path(QStringLiteral("in.TV5"));
    QCOMPARE(writeCloneFile(m_clone, m_saved), FileError::None);
}

void TestCliFiles::exportAndImport()
{
    const QString csv = path(QStringLiteral("out.csv"));
    Run r = cli({QStringLiteral("export-csv"), m_clone, csv});
    QCOMPARE(r.status, 0);
    QVERIFY(r.err.isEmpty());
    Document opened;
    QCOMPARE(readCloneFile(m_clone, opened), FileError::None);
    QCOMPARE(readAll(csv), csvExportBytes(opened));

    // Onto the same image: every row comes back as it was.
    const QString onto = path(QStringLiteral("onto.TV5"));
    r = cli({QStringLiteral("import-csv"), csv, onto, QStringLiteral("--onto"), m_clone});
    QCOMPARE(r.status, 0);
    QCOMPARE(readAll(onto), readAll(m_clone));

    // Into a new image: the settings are the new image's, the rows that hold channels the file's.
    const QString fresh = path(QStringLiteral("fresh.TV5"));
    r = cli({QStringLiteral("import-csv"), csv, fresh});
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
    QTest::newRow("import: bad base")
        << QStringList{QStringLiteral("import-csv"), csv, QStringLiteral("x.TV5"),
                       QStringLiteral("--onto"), bad}
        << 1 << QByteArray("Data Error\n");
    QTest::newRow("import: output onto a folder")
        << QStringList{QStringLiteral("import-csv"), csv, folder} << 1
        << QByteArray("File Open Error\n");
    QTest::newRow("export: one argument") << QStringList{QStringLiteral("export-csv"), csv} << 2
                                          << QByteArray("usage: hxv5-cli export-csv");
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
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (!args.at(i).startsWith(QLatin1String("--")))
            args[i] = path(args.at(i));
    }
    const Run r = cli(args);
    QCOMPARE(r.status, status);
    QVERIFY2(r.err.startsWith(message), r.err.constData());
    QVERIFY(!QFile::exists(path(QStringLiteral("x.TV5"))));
    QVERIFY(!QFile::exists(path(QStringLiteral("x.csv"))));
}

QTEST_GUILESS_MAIN(TestCliFiles)
#include "tst_cli_files.moc"
