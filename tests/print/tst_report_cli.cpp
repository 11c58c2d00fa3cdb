#include "cli_run.h"
#include "document/document.h"
#include "files/clone_file.h"
#include "print/report_lines.h"
#include "print_test_support.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace hxv5;
using namespace hxv5::testing;

class TestReportCli : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void printsTitleAndAllFourReports();
    void failures_data();
    void failures();

private:
    QTemporaryDir m_dir;
};

void TestReportCli::printsTitleAndAllFourReports()
{
    Document doc;
    testing::fillForPrinting(doc);
    const QString path = m_dir.filePath(QStringLiteral("full.TV5"));
    QCOMPARE(writeCloneFile(path, doc), FileError::None);

    const CliRun run = runCli({QStringLiteral("report"), path});
    QCOMPARE(run.status, 0);
    QCOMPARE(run.errText(), QString());
    // The lines of the document as the file brings it back, one printed line to a line, tabs
    // as the printer receives them.
    Document reread;
    QCOMPARE(readCloneFile(path, reread), FileError::None);
    ReportSelection all;
    all.fill(true);
    const QStringList expected = printJobLines(reread, all);
    QCOMPARE(run.outText(), expected.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    QVERIFY(run.outText().contains(QStringLiteral("\n  0\t140.00000\t")));
    QVERIFY(run.outText().contains(QStringLiteral("\tNote 0\n")));
    QVERIFY(!run.outText().contains(QStringLiteral("\n  3\t"))); // disabled
    QVERIFY(run.outText().contains(QStringLiteral("日本語のメモ")));
    QVERIFY(run.outText().contains(QStringLiteral("\nTone Burst Frequency = 1750Hz\n")));
}

void TestReportCli::failures_data()
{
    QTest::addColumn<QByteArray>("content"); // null: no file at all; "FIFO": a FIFO
    QTest::addColumn<QString>("message");
    QTest::newRow("missing file") << QByteArray() << QStringLiteral("File Open Error\n");
    QTest::newRow("short record line") << QByteArray("Tormel  HX-V5  Clone  File Start\r\nA5\r\n")
                                       << QStringLiteral("Data Error\n");
    QTest::newRow("file ends early") << QByteArray("Tormel  HX-V5  Clone  File Start\r\n")
                                     << QStringLiteral("File Open Error\n");
    // Opening a FIFO waits for a writer that never comes.
    QTest::newRow("FIFO") << QByteArray("FIFO") << QStringLiteral("File Open Error\n");
}

void TestReportCli::failures()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    const QString path =
        m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + QStringLiteral(".TV5"));
    if (content == "FIFO") {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (!content.isNull()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    const CliRun run = runCli({QStringLiteral("report"), path});
    QVERIFY(run.status > 0);
    QCOMPARE(run.errText(), message);
    QCOMPARE(run.outText(), QString());
}

QTEST_GUILESS_MAIN(TestReportCli)
#include "tst_report_cli.moc"
