#include "files/recent_files.h"
#include "user_folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace hxv5;

class TestRecentFiles : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void addKeepsNewestFirstOnceEach_data();
    void addKeepsNewestFirstOnceEach();
    void pruneDropsMissingFiles();
    void listOutlivesTheProgram();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

void TestRecentFiles::initTestCase()
{
    QVERIFY(m_dir.isValid());
    hxv5::testing::isolateUserFolders(m_dir.path());
    QCoreApplication::setOrganizationName(QStringLiteral("hxv5-test"));
    QCoreApplication::setApplicationName(QStringLiteral("tst_recent_files"));
}

void TestRecentFiles::addKeepsNewestFirstOnceEach_data()
{
    QTest::addColumn<QStringList>("added"); // in the order opened or saved
    QTest::addColumn<QStringList>("listed");

    QTest::newRow("newest first") << QStringList{"a", "b", "c"} << QStringList{"c", "b", "a"};
    QTest::newRow("again moves to the front")
        << QStringList{"a", "b", "c", "a"} << QStringList{"a", "c", "b"};
    QTest::newRow("one file by two spellings")
        << QStringList{"a", "sub/../b", "./b"} << QStringList{"b", "a"};
    QTest::newRow("eight kept, the oldest goes")
        << QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9"}
        << QStringList{"9", "8", "7", "6", "5", "4", "3", "2"};
    QTest::newRow("a returning file does not push one out")
        << QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "1"}
        << QStringList{"1", "8", "7", "6", "5", "4", "3", "2"};
    QTest::newRow("an empty path is no file") << QStringList{"a", ""} << QStringList{"a"};
}

void TestRecentFiles::addKeepsNewestFirstOnceEach()
{
    QFETCH(QStringList, added);
    QFETCH(QStringList, listed);

    RecentFiles list;
    for (const QString &name : std::as_const(added))
        list.add(name.isEmpty() ? QString() : path(name + QStringLiteral(".TV5")));
    QStringList expected;
    for (const QString &name : std::as_const(listed))
        expected.append(QDir::cleanPath(path(name + QStringLiteral(".TV5"))));
    QCOMPARE(list.files(), expected);
}

void TestRecentFiles::pruneDropsMissingFiles()
{
    for (const char *name : {"kept1.TV5", "kept2.TV5"}) {
        QFile file(path(QLatin1String(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("folder.TV5")));
    RecentFiles list({path("kept1.TV5"), path("gone.TV5"), path("kept2.TV5"), path("folder.TV5")});
    QCOMPARE(list.prune(), (QStringList{path("gone.TV5"), path("folder.TV5")}));
    QCOMPARE(list.files(), (QStringList{path("kept1.TV5"), path("kept2.TV5")}));

    list.remove(path("sub/../kept1.TV5"));
    QCOMPARE(list.files(), QStringList{path("kept2.TV5")});
}

void TestRecentFiles::listOutlivesTheProgram()
{
    RecentFiles list;
    list.add(path("a.TV5"));
    list.add(path("b.TV5"));
    list.store();
    QCOMPARE(RecentFiles::load().files(), (QStringList{path("b.TV5"), path("a.TV5")}));

    list.clear();
    list.store();
    QVERIFY(RecentFiles::load().files().isEmpty());
}

QTEST_GUILESS_MAIN(TestRecentFiles)
#include "tst_recent_files.moc"
