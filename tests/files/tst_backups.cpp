// The backups of images from the radio: named by their time and kind, never replacing another
// file, whole or not there, the newest by age kept, and a folder that takes no file reported
// rather than fatal.

#include "files/backups.h"

#include "document/document.h"
#include "document_fixtures.h"
#include "files/clone_file.h"
#include "test_home.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace hxv5;
using namespace hxv5::testing;

Q_DECLARE_METATYPE(hxv5::BackupKind)

namespace {

const QDateTime kNow(QDate(2026, 12, 8), QTime(21, 30, 5));
const QString kStamp = QStringLiteral("2026-12-08T21-30-05");

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &content, const QDateTime &modified = {})
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(content), content.size());
    QVERIFY(file.flush()); // a write after the time would set it again
    if (modified.isValid())
        QVERIFY(file.setFileTime(modified, QFileDevice::FileModificationTime));
}

// Hidden ones too: nothing of a backup's making may stay behind.
QStringList backupNames()
{
    return QDir(backupsFolder()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// A backup's name for the nth second after the start of year, numbered within that second; odd
// seconds carry a kind, even ones the name backups had before the kinds.
QString nameAt(int year, int second, int number)
{
    const QString stamp = QDateTime(QDate(year, 1, 1), QTime(0, 0))
                              .addSecs(second)
                              .toString(QStringLiteral("yyyy-MM-ddTHH-mm-ss")) +
                          (second % 2 ? QStringLiteral("-before-write") : QString());
    return number == 1
               ? stamp + QStringLiteral(".TV5")
               : stamp + QLatin1Char('-') + QString::number(number) + QStringLiteral(".TV5");
}

} // namespace

class TestBackups : public QObject
{
    Q_OBJECT

private:
    TestHome m_home;

private Q_SLOTS:
    void init()
    {
        // A data folder of the test's own: nothing lands in the user's home.
        QVERIFY(m_home.isValid());
        QDir(m_home.path()).removeRecursively();
        QVERIFY(QDir().mkpath(m_home.path()));
        QVERIFY(m_home.enter());
        QVERIFY(!QFileInfo::exists(backupsFolder()));
    }

    void backupHoldsTheImage()
    {
        Document doc;
        fillRandomly(doc, 13);
        const QString path = keepBackup(doc, BackupKind::AfterRead, kNow);
        QCOMPARE(path,
                 backupsFolder() + QLatin1Char('/') + kStamp + QStringLiteral("-after-read.TV5"));

        Document opened;
        QCOMPARE(readCloneFile(path, opened), FileError::None);
        QVERIFY(sameThroughFile(doc, opened));
    }

    void namesStayUniqueWithinOneSecond_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<BackupKind>("kind");
        QTest::addColumn<QString>("named"); // what follows the time in the names
        QTest::newRow("two") << 2 << BackupKind::AfterRead << QStringLiteral("-after-read");
        QTest::newRow("eleven") << 11 << BackupKind::AfterRead << QStringLiteral("-after-read");
        QTest::newRow("two before a write")
            << 2 << BackupKind::BeforeWrite << QStringLiteral("-before-write");
    }
    void namesStayUniqueWithinOneSecond()
    {
        QFETCH(int, count);
        QFETCH(BackupKind, kind);
        QFETCH(QString, named);
        QStringList expected;
        for (int i = 0; i < count; ++i) {
            Document doc;
            fillRandomly(doc, quint32(100 + i));
            const QString path = keepBackup(doc, kind, kNow);
            QVERIFY(!path.isEmpty());
            // Each keeps its own image: none was written over by the next.
            QCOMPARE(contentOf(path), cloneFileBytes(doc));
            expected.append(QFileInfo(path).fileName());
        }
        QCOMPARE(expected.first(), kStamp + named + QStringLiteral(".TV5"));
        QCOMPARE(expected.at(1), kStamp + named + QStringLiteral("-2.TV5"));
        expected.removeDuplicates();
        QCOMPARE(expected.size(), count);
        QCOMPARE(backupNames().size(), count);
    }

    void neverReplacesAFileOfThatName()
    {
        QVERIFY(QDir().mkpath(backupsFolder()));
        const QString taken =
            backupsFolder() + QLatin1Char('/') + kStamp + QStringLiteral("-before-write.TV5");
        writeFile(taken, "someone's file");
        Document doc;
        const QString path = keepBackup(doc, BackupKind::BeforeWrite, kNow);
        QCOMPARE(QFileInfo(path).fileName(), kStamp + QStringLiteral("-before-write-2.TV5"));
        QCOMPARE(contentOf(taken), QByteArray("someone's file"));
    }

    void pruningKeepsTheNewest_data()
    {
        QTest::addColumn<int>("seconds");
        QTest::addColumn<int>("perSecond");
        QTest::addColumn<int>("year");          // of the old names and times; kNow is in 2026
        QTest::addColumn<bool>("agesReversed"); // the first named is the newest file
        QTest::addColumn<QStringList>("leftovers");
        QTest::newRow("99 before: none removed") << 99 << 1 << 2026 << false << QStringList();
        QTest::newRow("100 before: the oldest removed")
            << 100 << 1 << 2026 << false << QStringList();
        QTest::newRow("150 before") << 150 << 1 << 2026 << false << QStringList();
        // Numbers within a second: "-10" is newer than "-2", and both than the first.
        QTest::newRow("12 a second, 120 before") << 10 << 12 << 2026 << false << QStringList();
        // A clock that was ahead: the new backup is named earliest, and stays.
        QTest::newRow("100 named later than the clock")
            << 100 << 1 << 2099 << false << QStringList();
        QTest::newRow("the oldest file goes, not the first name")
            << 100 << 1 << 2026 << true << QStringList();
        // What backups cut short left: cleaned, and not counted among those kept.
        QTest::newRow("leftovers of interrupted backups")
            << 99 << 1 << 2026 << false
            << QStringList{".backup-a1B2c3.part", "2026-12-01T10-00-00-after-read.TV5",
                           "2026-12-01T10-00-01.TV5.Xy12Zq"};
    }
    void pruningKeepsTheNewest()
    {
        QFETCH(int, seconds);
        QFETCH(int, perSecond);
        QFETCH(int, year);
        QFETCH(bool, agesReversed);
        QFETCH(QStringList, leftovers);
        QVERIFY(QDir().mkpath(backupsFolder()));
        const QDir folder(backupsFolder());
        // Listed oldest first, by the files' age.
        QStringList old;
        for (int s = 0; s < seconds; ++s) {
            for (int n = 1; n <= perSecond; ++n)
                old.append(nameAt(year, s, n));
        }
        if (agesReversed)
            std::reverse(old.begin(), old.end());
        for (qsizetype i = 0; i < old.size(); ++i)
            writeFile(folder.filePath(old.at(i)), "old backup",
                      QDateTime(QDate(year, 1, 1), QTime(0, 0)).addSecs(i));
        // Not a backup's name: never the folder's to remove.
        writeFile(folder.filePath(QStringLiteral("mine.TV5")), "user file");
        writeFile(folder.filePath(QStringLiteral("2020-01-01.TV5")), "user file");
        writeFile(folder.filePath(QStringLiteral("mine.TV5.backup")), "user file");
        // Empty, as a backup's name cut short left it; the temporary files full.
        for (const QString &name : leftovers)
            writeFile(folder.filePath(name), name.endsWith(QLatin1String(".TV5")) ? "" : "whole");

        Document doc;
        const QString path = keepBackup(doc, BackupKind::AfterRead, kNow);
        QVERIFY(QFileInfo::exists(path));

        QStringList kept = old.mid(qMax(0, int(old.size()) - (kKeptBackups - 1)));
        kept.append(QFileInfo(path).fileName());
        kept.append(QStringLiteral("2020-01-01.TV5"));
        kept.append(QStringLiteral("mine.TV5"));
        kept.append(QStringLiteral("mine.TV5.backup"));
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
        QCOMPARE(keepBackup(doc, BackupKind::AfterRead, kNow), QString());
        QCOMPARE(contentOf(path), QByteArray("in the way"));
        QVERIFY(Snapshot(doc) == before);
    }
};

QTEST_GUILESS_MAIN(TestBackups)
#include "tst_backups.moc"
