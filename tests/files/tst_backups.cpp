// The backups of images from the radio: named by their time, never replacing another file,
// the newest kept, and a folder that takes no file reported rather than fatal.

#include "files/backups.h"

#include "app/document.h"
#include "document_fixtures.h"
#include "files/clone_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace hxv5;
using namespace hxv5::testing;

namespace {

const QDateTime kNow(QDate(2026, 12, 8), QTime(21, 30, 5));
const QString kStamp = QStringLiteral("2026-12-08T21-30-05");

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(content), content.size());
}

QStringList backupNames()
{
    return QDir(backupsFolder()).entryList(QDir::Files, QDir::Name);
}

// A backup's name for the nth second after the start of 2026, numbered within that second.
QString nameAt(int second, int number)
{
    const QString stamp = QDateTime(QDate(2026, 1, 1), QTime(0, 0))
                              .addSecs(second)
                              .toString(QStringLiteral("yyyy-MM-ddTHH-mm-ss"));
    return number == 1
               ? stamp + QStringLiteral(".TV5")
               : stamp + QLatin1Char('-') + QString::number(number) + QStringLiteral(".TV5");
}

} // namespace

class TestBackups : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;

private Q_SLOTS:
    void init()
    {
        // A data folder of the test's own: nothing lands in the user's home.
        QVERIFY(m_home.isValid());
        QDir(m_home.path()).removeRecursively();
        QVERIFY(QDir().mkpath(m_home.path()));
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_home.path()));
        QVERIFY(backupsFolder().startsWith(m_home.path()));
    }

    void backupHoldsTheImage()
    {
        Document doc;
        fillRandomly(doc, 13);
        const QString path = keepBackup(doc, kNow);
        QCOMPARE(path, backupsFolder() + QLatin1Char('/') + kStamp + QStringLiteral(".TV5"));

        Document opened;
        QCOMPARE(readCloneFile(path, opened), FileError::None);
        QVERIFY(sameThroughFile(doc, opened));
    }

    void namesStayUniqueWithinOneSecond_data()
    {
        QTest::addColumn<int>("count");
        QTest::newRow("two") << 2;
        QTest::newRow("eleven") << 11;
    }
    void namesStayUniqueWithinOneSecond()
    {
        QFETCH(int, count);
        QStringList expected;
        for (int i = 0; i < count; ++i) {
            Document doc;
            fillRandomly(doc, quint32(100 + i));
            const QString path = keepBackup(doc, kNow);
            QVERIFY(!path.isEmpty());
            // Each keeps its own image: none was written over by the next.
            QCOMPARE(contentOf(path), cloneFileBytes(doc));
            expected.append(QFileInfo(path).fileName());
        }
        QCOMPARE(expected.first(), kStamp + QStringLiteral(".TV5"));
        QCOMPARE(expected.at(1), kStamp + QStringLiteral("-2.TV5"));
        expected.removeDuplicates();
        QCOMPARE(expected.size(), count);
        QCOMPARE(backupNames().size(), count);
    }

    void neverReplacesAFileOfThatName()
    {
        QVERIFY(QDir().mkpath(backupsFolder()));
        const QString taken = backupsFolder() + QLatin1Char('/') + kStamp + QStringLiteral(".TV5");
        writeFile(taken, "someone's file");
        Document doc;
        const QString path = keepBackup(doc, kNow);
        QCOMPARE(QFileInfo(path).fileName(), kStamp + QStringLiteral("-2.TV5"));
        QCOMPARE(contentOf(taken), QByteArray("someone's file"));
    }

    void pruningKeepsTheNewest_data()
    {
        QTest::addColumn<int>("seconds");
        QTest::addColumn<int>("perSecond");
        QTest::newRow("99 before: none removed") << 99 << 1;
        QTest::newRow("100 before: the oldest removed") << 100 << 1;
        QTest::newRow("150 before") << 150 << 1;
        // Numbers within a second: "-10" is newer than "-2", and both than the first.
        QTest::newRow("12 a second, 120 before") << 10 << 12;
    }
    void pruningKeepsTheNewest()
    {
        QFETCH(int, seconds);
        QFETCH(int, perSecond);
        QVERIFY(QDir().mkpath(backupsFolder()));
        const QDir folder(backupsFolder());
        // Listed oldest first.
        QStringList old;
        for (int s = 0; s < seconds; ++s) {
            for (int n = 1; n <= perSecond; ++n)
                old.append(nameAt(s, n));
        }
        for (const QString &name : old)
            writeFile(folder.filePath(name), "old backup");
        // Not a backup's name: never the folder's to remove.
        writeFile(folder.filePath(QStringLiteral("mine.TV5")), "user file");
        writeFile(folder.filePath(QStringLiteral("2020-01-01.TV5")), "user file");

        Document doc;
        const QString path = keepBackup(doc, kNow);
        QVERIFY(!path.isEmpty());

        QStringList kept = old.mid(qMax(0, int(old.size()) - (kKeptBackups - 1)));
        kept.append(QFileInfo(path).fileName());
        kept.append(QStringLiteral("2020-01-01.TV5"));
        kept.append(QStringLiteral("mine.TV5"));
        kept.sort();
        QCOMPARE(backupNames(), kept);
    }

    void folderThatTakesNoFileFails_data()
    {
        QTest::addColumn<QString>("blocked");
        QTest::newRow("a file where the backups folder goes") << QStringLiteral("backups");
        QTest::newRow("a file where the data folder goes") << QString();
    }
    void folderThatTakesNoFileFails()
    {
        QFETCH(QString, blocked);
        // Permission bits would not stop root; a file standing in the way stops everyone.
        const QString dataFolder = QFileInfo(backupsFolder()).path();
        const QString path =
            blocked.isEmpty() ? dataFolder : dataFolder + QLatin1Char('/') + blocked;
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        writeFile(path, "in the way");

        Document doc;
        fillRandomly(doc, 7);
        const Snapshot before(doc);
        QCOMPARE(keepBackup(doc, kNow), QString());
        QCOMPARE(contentOf(path), QByteArray("in the way"));
        QVERIFY(Snapshot(doc) == before);
    }
};

QTEST_GUILESS_MAIN(TestBackups)
#include "tst_backups.moc"
