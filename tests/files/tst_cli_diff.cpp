#include "cli_run.h"
#include "document/document.h"
#include "document_fixtures.h"
#include "files/clone_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace hxv5;
using namespace hxv5::testing;

// hxv5-cli diff: the differences between two clone files, and diff's exit statuses.
class TestCliDiff : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void differences_data();
    void differences();
    void troubles_data();
    void troubles();

private:
    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QString m_base;
};

void TestCliDiff::initTestCase()
{
    QVERIFY(m_dir.isValid());
    Document doc;
    fillRandomly(doc, 5, {.receivable = true, .model = 0});
    TableRow row;
    row.text[kColFrequency] = QStringLiteral("145.50000");
    row.number[kColFrequency] = 145.5;
    row.text[kColMode] = QStringLiteral("FM");
    doc.channels().setSlot(12, row, true);
    doc.settings().setFunctionFlag(4, true);
    m_base = path(QStringLiteral("base.TV5"));
    QCOMPARE(writeCloneFile(m_base, doc), FileError::None);
}

void TestCliDiff::differences_data()
{
    QTest::addColumn<int>("change");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("status");
    QTest::newRow("identical") << 0 << QStringList() << 0;
    QTest::newRow("one slot field")
        << 1 << QStringList{"slot 12 Frequency 145.50000 146.52000"} << 1;
    QTest::newRow("enable flag") << 2 << QStringList{"slot 12 Enable on off"} << 1;
    QTest::newRow("setting") << 3 << QStringList{"setting Beep on off"} << 1;
    QTest::newRow("two changes") << 4 << QStringList{"setting Beep on off", "slot 12 Enable on off"}
                                 << 1;
}

void TestCliDiff::differences()
{
    QFETCH(int, change);
    QFETCH(QStringList, lines);
    QFETCH(int, status);
    Document doc;
    QCOMPARE(readCloneFile(m_base, doc), FileError::None);
    if (change == 1) {
        doc.channels().setNumber(12, kColFrequency, 146.52);
        doc.channels().setText(12, kColFrequency, QStringLiteral("146.52000"));
    }
    if (change == 2 || change == 4)
        doc.channels().setEnabled(12, false);
    if (change == 3 || change == 4)
        doc.settings().setFunctionFlag(4, false);
    const QString other = path(QStringLiteral("other.TV5"));
    QCOMPARE(writeCloneFile(other, doc), FileError::None);
    const CliRun run = runCli({QStringLiteral("diff"), m_base, other});
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(run.outLines(), lines);
    QCOMPARE(run.status, status);
}

void TestCliDiff::troubles_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("err");
    QTest::newRow("no arguments") << QStringList{"diff"} << QByteArray("usage: hxv5-cli diff");
    QTest::newRow("one file") << QStringList{"diff", "base"} << QByteArray("usage: hxv5-cli diff");
    QTest::newRow("three files") << QStringList{"diff", "base", "base", "base"}
                                 << QByteArray("usage: hxv5-cli diff");
    QTest::newRow("first missing")
        << QStringList{"diff", "missing", "base"} << QByteArray("File Open Error\n");
    QTest::newRow("second missing")
        << QStringList{"diff", "base", "missing"} << QByteArray("File Open Error\n");
    QTest::newRow("first broken") << QStringList{"diff", "broken", "base"}
                                  << QByteArray("Data Error\n");
    QTest::newRow("second broken")
        << QStringList{"diff", "base", "broken"} << QByteArray("Data Error\n");
    QTest::newRow("second a FIFO")
        << QStringList{"diff", "base", "fifo"} << QByteArray("File Open Error\n");
}

void TestCliDiff::troubles()
{
    QFETCH(QStringList, args);
    QFETCH(QByteArray, err);
    QFile broken(path(QStringLiteral("broken")));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("not a clone file\r\n");
    broken.close();
    const QByteArray fifo = QFile::encodeName(path(QStringLiteral("fifo")));
    QVERIFY(QFile::exists(path(QStringLiteral("fifo"))) || ::mkfifo(fifo.constData(), 0600) == 0);
    for (QString &arg : args) {
        if (arg == QLatin1String("base"))
            arg = m_base;
        else if (arg != QLatin1String("diff"))
            arg = path(arg);
    }
    const CliRun run = runCli(args);
    QVERIFY2(run.err.startsWith(err), run.err.constData());
    QCOMPARE(run.outLines(), QStringList());
    QCOMPARE(run.status, 2);
}

QTEST_GUILESS_MAIN(TestCliDiff)
#include "tst_cli_diff.moc"
