// Writing a user's file whole or not at all, whatever the path leads to: links, devices, FIFOs,
// and folders that take no new files.

#include "files/safe_write.h"

#include "file_bytes.h"
#include "unprivileged.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>

using namespace hxv5;

namespace {

const QByteArray kOld = "the user's old file\r\n";
const QByteArray kNew = "the new content\r\n";

// The kind of object at path itself (a link is a link), 0 when there is none.
mode_t kindAt(const QString &path)
{
    struct stat st
    {
    };
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? (st.st_mode & S_IFMT) : 0;
}

bool makeSocket(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address{};
    if (name.size() >= qsizetype(sizeof address.sun_path))
        return false;
    address.sun_family = AF_UNIX;
    std::copy(name.begin(), name.end(), address.sun_path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool made =
        fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
    if (fd >= 0)
        ::close(fd);
    return made;
}

// Every file below folder, by its path relative to it.
QStringList filesBelow(const QString &folder)
{
    QStringList found;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        found.append(QDir(folder).relativeFilePath(it.next()));
    return found;
}

} // namespace

class TestSafeWrite : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void foreignTargetsAreLeftAlone_data();
    void foreignTargetsAreLeftAlone();
    void linksAreFollowed_data();
    void linksAreFollowed();
    void folderThatTakesNoNewFiles_data();
    void folderThatTakesNoNewFiles();

private:
    // A new, empty folder for one case.
    QString freshFolder();
    QTemporaryDir m_dir;
};

void TestSafeWrite::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(unprivileged::letIn(m_dir.path()));
}

QString TestSafeWrite::freshFolder()
{
    static int count = 0;
    const QString folder = m_dir.filePath(QStringLiteral("case-%1").arg(++count));
    return QDir().mkpath(folder) ? folder : QString();
}

void TestSafeWrite::foreignTargetsAreLeftAlone_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("FIFO") << QStringLiteral("fifo");
    QTest::newRow("socket") << QStringLiteral("socket");
    QTest::newRow("device node") << QStringLiteral("device");
    QTest::newRow("folder") << QStringLiteral("folder");
    QTest::newRow("link to a FIFO") << QStringLiteral("link to fifo");
    QTest::newRow("links in a circle") << QStringLiteral("circle");
}

// A path that leads to no regular file is refused and stays what it was: renaming a new file
// over a device or a FIFO would destroy it (as root, a system file).
void TestSafeWrite::foreignTargetsAreLeftAlone()
{
    QFETCH(QString, kind);
    const QString folder = freshFolder();
    const QString path = folder + QStringLiteral("/out");
    const QString fifo = folder + QStringLiteral("/fifo");
    const QByteArray name = QFile::encodeName(path);
    if (kind == QLatin1String("fifo")) {
        QCOMPARE(::mkfifo(name.constData(), 0600), 0);
    } else if (kind == QLatin1String("socket")) {
        QVERIFY(makeSocket(path));
    } else if (kind == QLatin1String("device")) {
        // The same device as /dev/null, made here so that no system file is at stake.
        if (::mknod(name.constData(), S_IFCHR | 0666, makedev(1, 3)) != 0)
            QSKIP("this system allows no device node to be made here (needs CAP_MKNOD)");
    } else if (kind == QLatin1String("folder")) {
        QVERIFY(QDir().mkpath(path));
    } else if (kind == QLatin1String("link to fifo")) {
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QVERIFY(QFile::link(fifo, path));
    } else {
        QVERIFY(QFile::link(folder + QStringLiteral("/other"), path));
        QVERIFY(QFile::link(path, folder + QStringLiteral("/other")));
    }
    const QStringList before = entries(folder);
    const mode_t kindBefore = kindAt(path);
    const QString linkTarget = QFileInfo(path).symLinkTarget();

    QVERIFY(!canWriteFileSafely(path));
    QVERIFY(!writeFileSafely(path, kNew));
    QCOMPARE(kindAt(path), kindBefore);
    QCOMPARE(QFileInfo(path).symLinkTarget(), linkTarget);
    if (kind == QLatin1String("link to fifo"))
        QCOMPARE(kindAt(fifo), mode_t(S_IFIFO));
    QCOMPARE(entries(folder), before);
}

void TestSafeWrite::linksAreFollowed_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("link to a file") << QStringLiteral("file");
    QTest::newRow("relative link") << QStringLiteral("relative");
    QTest::newRow("chain of links") << QStringLiteral("chain");
    QTest::newRow("link to no file yet") << QStringLiteral("dangling");
}

// A link is written through: the file it leads to gets the content, the link stays a link.
void TestSafeWrite::linksAreFollowed()
{
    QFETCH(QString, kind);
    const QString folder = freshFolder();
    const QString targetFolder = folder + QStringLiteral("/files");
    QVERIFY(QDir().mkpath(targetFolder));
    const QString target = targetFolder + QStringLiteral("/real.TV5");
    const QString link = folder + QStringLiteral("/link.TV5");
    if (kind != QLatin1String("dangling"))
        QVERIFY(writeAll(target, kOld));
    if (kind == QLatin1String("relative")) {
        QVERIFY(QFile::link(QStringLiteral("files/real.TV5"), link));
    } else if (kind == QLatin1String("chain")) {
        QVERIFY(QFile::link(target, folder + QStringLiteral("/middle.TV5")));
        QVERIFY(QFile::link(folder + QStringLiteral("/middle.TV5"), link));
    } else {
        QVERIFY(QFile::link(target, link));
    }
    const QString linkTarget = QFileInfo(link).symLinkTarget();
    const QStringList before = entries(folder);

    QVERIFY(canWriteFileSafely(link));
    QVERIFY(writeFileSafely(link, kNew));
    QCOMPARE(kindAt(link), mode_t(S_IFLNK));
    QCOMPARE(QFileInfo(link).symLinkTarget(), linkTarget);
    QCOMPARE(readAll(target), kNew);
    QCOMPARE(entries(folder), before);
    QCOMPARE(entries(targetFolder), QStringList{QStringLiteral("real.TV5")});
}

void TestSafeWrite::folderThatTakesNoNewFiles_data()
{
    QTest::addColumn<QString>("fault"); // what else stands in the way
    QTest::addColumn<bool>("written");
    QTest::addColumn<bool>("writable"); // what canWriteFileSafely says beforehand
    QTest::newRow("a file the user may write") << QString() << true << true;
    QTest::newRow("write cut short by a file-size limit")
        << QStringLiteral("limit") << false << true;
    QTest::newRow("no room for the copy of the old file")
        << QStringLiteral("no copy") << false << true;
    QTest::newRow("a file the user may not write") << QStringLiteral("read-only") << false << false;
    QTest::newRow("no file yet") << QStringLiteral("missing") << false << false;
}

// In a folder the user may not add files to (mode r-x) no temporary file can be made beside the
// user's file; a file the user may write (mode rw-) is then overwritten in place, after a copy of
// it went to the per-user data folder. A write that fails there puts the old content back.
void TestSafeWrite::folderThatTakesNoNewFiles()
{
    QFETCH(QString, fault);
    QFETCH(bool, written);
    QFETCH(bool, writable);

    const QString folder = freshFolder();
    const QString file = folder + QStringLiteral("/old.TV5");
    if (fault != QLatin1String("missing")) {
        QVERIFY(writeAll(file, kOld));
        QVERIFY(unprivileged::own(file, fault == QLatin1String("read-only") ? 0400 : 0600));
    }
    QVERIFY(unprivileged::own(folder, 0500));
    // The user's own data folder, where the copy goes.
    const QString dataHome = freshFolder();
    QVERIFY(unprivileged::own(dataHome, fault == QLatin1String("no copy") ? 0500 : 0700));
    // More than the limit lets through.
    const QByteArray content = QByteArray(16384, 'n') + kNew;

    const std::optional<bool> result = unprivileged::runAsUser([&] {
        qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome));
        if (fault == QLatin1String("limit")) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{4096, 4096};
            if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
                return false;
        }
        return canWriteFileSafely(file) == writable && writeFileSafely(file, content) == written;
    });
    QVERIFY(unprivileged::own(folder, 0700));
    if (!result)
        QSKIP("cannot run as the user nobody, and permissions do not hold for root");
    QVERIFY(*result);
    if (fault == QLatin1String("missing"))
        QVERIFY(!QFile::exists(file));
    else
        QCOMPARE(readAll(file), written ? content : kOld);
    QCOMPARE(entries(folder),
             fault == QLatin1String("missing") ? QStringList() : QStringList{"old.TV5"});
    // The copy is needed only while the file is being overwritten.
    QCOMPARE(filesBelow(dataHome), QStringList());
}

QTEST_GUILESS_MAIN(TestSafeWrite)
#include "tst_safe_write.moc"
