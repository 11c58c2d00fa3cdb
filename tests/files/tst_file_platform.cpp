// What the system decides about files: whether two paths lead to one file, and writing a file
// through to the disk.

#include "file_bytes.h"
#include "files/file_platform.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace hxv5;

class TestFilePlatform : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void sameFile_data();
    void sameFile();
    void syncToDisk_data();
    void syncToDisk();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

void TestFilePlatform::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("sub")));
    QVERIFY(writeAll(path(QStringLiteral("a.TV5")), "a"));
    QVERIFY(writeAll(path(QStringLiteral("b.TV5")), "a")); // the same bytes, another file
}

void TestFilePlatform::sameFile_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<bool>("same");
    const auto row = [](const char *name, const char *first, const char *second, bool same) {
        QTest::newRow(name) << QString::fromLatin1(first) << QString::fromLatin1(second) << same;
    };
    row("one path twice", "a.TV5", "a.TV5", true);
    row("through a folder and back", "a.TV5", "sub/../a.TV5", true);
    row("through the current folder", "./a.TV5", "a.TV5", true);
    row("another file with the same bytes", "a.TV5", "b.TV5", false);
    row("a file and its folder", "a.TV5", ".", false);
    row("a file not written yet", "a.TV5", "new.TV5", false);
    row("the same missing file", "new.TV5", "new.TV5", false);
}

// The command-line companion refuses an output that would overwrite its own input.
void TestFilePlatform::sameFile()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(bool, same);
    QCOMPARE(isSameFile(path(first), path(second)), same);
    QCOMPARE(isSameFile(path(second), path(first)), same);
}

void TestFilePlatform::syncToDisk_data()
{
    QTest::addColumn<bool>("open");
    QTest::addColumn<bool>("synced");
    QTest::newRow("an open file") << true << true;
    QTest::newRow("a closed file") << false << false;
}

void TestFilePlatform::syncToDisk()
{
    QFETCH(bool, open);
    QFETCH(bool, synced);
    QFile file(path(QStringLiteral("synced.TV5")));
    if (open) {
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write("content"), 7);
    }
    QCOMPARE(hxv5::syncToDisk(file), synced);
    file.close();
    if (open)
        QCOMPARE(readAll(file.fileName()), QByteArray("content"));
}

QTEST_GUILESS_MAIN(TestFilePlatform)
#include "tst_file_platform.moc"
