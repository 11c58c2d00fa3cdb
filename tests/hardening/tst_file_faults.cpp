// Malformed clone files and CSV files, and saves that fail half way: a bad file changes nothing
// and shows its message, a failed save leaves the old file whole and the document as it was.

#include "files/clone_file.h"
#include "files/csv_exchange.h"
#include "files/file_commands.h"
#include "hardening_support.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <optional>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

using namespace hxv5;

namespace {

// Answers the file choosers with a fixed path and records the messages.
class FileInteraction : public RecordingInteraction
{
public:
    QString chooseOpenFile(FileKind) override { return path; }
    QString chooseSaveFile(FileKind) override { return path; }
    QString path;
};

// Everything a failed file command must leave as it was.
struct Snapshot
{
    QByteArray image; // the document as a clone file: tables, settings, flags and notes
    bool changed = false;
    QString currentFile;

    static Snapshot of(const Document &doc)
    {
        return {cloneFileBytes(doc), doc.isChanged(), doc.currentFile()};
    }
    bool operator==(const Snapshot &) const = default;
};

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Line n (from 1) of a clone file replaced by text.
QByteArray withLine(const QByteArray &file, int n, const QByteArray &text)
{
    QList<QByteArray> lines = file.split('\n');
    lines[n - 1] = text + '\r';
    return lines.join('\n');
}

QByteArray firstLines(const QByteArray &file, int count)
{
    return file.split('\n').mid(0, count).join('\n') + '\n';
}

// A tmpfs of the given size mounted on a folder for the life of the object (needs root).
class SmallDisk
{
public:
    SmallDisk(const QString &dir, int kilobytes) : m_dir(QFile::encodeName(dir))
    {
        const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k";
        m_mounted = ::mount("tmpfs", m_dir.constData(), "tmpfs", 0, options.constData()) == 0;
    }
    bool setReadOnly(bool readOnly)
    {
        return ::mount(nullptr, m_dir.constData(), nullptr, MS_REMOUNT | (readOnly ? MS_RDONLY : 0),
                       nullptr) == 0;
    }
    ~SmallDisk()
    {
        if (m_mounted)
            ::umount2(m_dir.constData(), MNT_DETACH);
    }
    bool mounted() const { return m_mounted; }

private:
    QByteArray m_dir;
    bool m_mounted = false;
};

// Files may not grow beyond limit bytes while the object lives: a write past it fails as on a
// full disk (the signal the system sends for it is ignored, so the write reports the error).
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t limit)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lower = m_old;
        lower.rlim_cur = limit;
        m_active = ::setrlimit(RLIMIT_FSIZE, &lower) == 0;
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    bool active() const { return m_active; }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
    bool m_active = false;
};

QStringList entries(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

} // namespace

class TestFileFaults : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void malformedCloneFile_data();
    void malformedCloneFile();
    void malformedCsv_data();
    void malformedCsv();
    void badCsvRowsAreSkipped();
    void fuzzCorpora();
    void failedSave_data();
    void failedSave();

private:
    // A filled, changed document that is its current file.
    void prepare(Document &doc);
    QTemporaryDir m_dir;
    QByteArray m_cloneFile;
    QByteArray m_csvFile;
};

void TestFileFaults::initTestCase()
{
    QVERIFY(m_dir.isValid());
    Document doc;
    fillProgramData(doc);
    m_cloneFile = cloneFileBytes(doc);
    m_csvFile = csvExportBytes(doc);
}

void TestFileFaults::prepare(Document &doc)
{
    fillProgramData(doc);
    doc.channels().setText(3, kColNotes, QStringLiteral("unsaved"));
    doc.setCurrentFile(m_dir.filePath(QStringLiteral("current.TV5")));
    doc.setChanged(true);
}

void TestFileFaults::malformedCloneFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");

    const QByteArray good = m_cloneFile;
    const QString dataError = QStringLiteral("Data Error");
    const QString openError = QStringLiteral("File Open Error");
    QTest::newRow("empty") << QByteArray() << openError;
    QTest::newRow("444 lines") << firstLines(good, 444) << openError;
    QTest::newRow("ends inside the notes") << firstLines(good, 300) + "half a no" << openError;
    // Lines 1 to 224 are tested for their length first: a file cut inside them is a bad record.
    QTest::newRow("ends inside line 100") << firstLines(good, 99) + "0000" << dataError;
    QTest::newRow("ends inside a record") << good.left(100) << openError;
    QTest::newRow("record of 31 characters")
        << withLine(good, 100, QByteArray(31, '0')) << dataError;
    QTest::newRow("record of 33 characters")
        << withLine(good, 224, QByteArray(33, '0')) << dataError;
    QTest::newRow("empty settings line") << withLine(good, 2, {}) << dataError;
    QTest::newRow("start marker with single blanks")
        << withLine(good, 1, "Tormel HX-V5 Clone File Start") << dataError;
    QTest::newRow("start marker, other text")
        << withLine(good, 1, "Tormel  HX-V5  Clone  File Begn") << dataError;
    QTest::newRow("end marker in lower case")
        << withLine(good, 445, "tormel  hx-v5  clone  file   end") << dataError;
    QTest::newRow("NUL in the start marker")
        << withLine(good, 1, QByteArray("Tormel  HX-V5  Clone  File Star\0", 32)) << dataError;
    QTest::newRow("lines ended by CR alone") << QByteArray(good).replace("\r\n", "\r") << dataError;
    QTest::newRow("one long line of 1 MB") << QByteArray(1 << 20, 'A') << dataError;
    QByteArray noise(20000, '\0');
    for (int i = 0; i < noise.size(); ++i)
        noise[i] = char((i * 7919 + 13) % 251);
    QTest::newRow("binary noise") << noise << dataError;
    QTest::newRow("UTF-16") << QByteArray(reinterpret_cast<const char *>(
                                              QString::fromLatin1(good).utf16()),
                                          good.size() * 2)
                            << dataError;
}

void TestFileFaults::malformedCloneFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);

    const QString file = m_dir.filePath(QStringLiteral("bad.TV5"));
    QVERIFY(writeAll(file, bytes));
    Document doc;
    prepare(doc);
    const Snapshot before = Snapshot::of(doc);
    FileInteraction ui;
    ui.path = file;
    FileCommands commands(doc, ui);
    QVERIFY(!commands.Open());
    QCOMPARE(ui.errors, QStringList{message});
    QVERIFY(Snapshot::of(doc) == before);
    // The file is not touched by reading it.
    QCOMPARE(readAll(file), bytes);
}

void TestFileFaults::malformedCsv_data()
{
    QTest::addColumn<QByteArray>("bytes");

    const QByteArray header = m_csvFile.left(m_csvFile.indexOf('\n') + 1);
    QTest::newRow("ends inside a quoted note")
        << header + "\"HX-V5\",\"MEMORY\",\"5\",\"145.00000\",\"FM\",\"12.5KHz\",\"None\","
                    "\"88.5Hz\",\"88.5Hz\",\"None\",\".00000\",\"open note";
    QTest::newRow("ends inside a record")
        << header + "\"HX-V5\",\"MEMORY\",\"5\",\"145.00000\",\"FM\"";
    QTest::newRow("exported file cut short") << m_csvFile.left(m_csvFile.size() - 20);
}

// A CSV file that ends inside a record is refused whole: not even its complete rows are stored.
void TestFileFaults::malformedCsv()
{
    QFETCH(QByteArray, bytes);

    const QString file = m_dir.filePath(QStringLiteral("bad.csv"));
    QVERIFY(writeAll(file, bytes));
    Document doc;
    prepare(doc);
    // Rows the file would change if it were taken.
    doc.channels().clearRow(5);
    const Snapshot before = Snapshot::of(doc);
    FileInteraction ui;
    ui.path = file;
    FileCommands commands(doc, ui);
    QVERIFY(!commands.Import());
    QCOMPARE(ui.errors, QStringList{QStringLiteral("File Open Error")});
    QVERIFY(Snapshot::of(doc) == before);
}

// Rows that fail a test are left out; the good rows beside them are stored.
void TestFileFaults::badCsvRowsAreSkipped()
{
    const QByteArray rest =
        "\"FM\",\"12.5KHz\",\"None\",\"88.5Hz\",\"88.5Hz\",\"None\",\".00000\",\"n\",#TRUE#\r\n";
    const QByteArray bytes = m_csvFile.left(m_csvFile.indexOf('\n') + 1) +
                             "\"HX-V5\",\"MEMORY\",\"5\",\"145.50000\"," + rest +
                             "\"HX-V5\",\"MEMORY\",\"6\",\"not a number\"," + rest +
                             "\"HX-V5\",\"MEMORY\",\"7\",\"99999\"," + rest +
                             "\"HX-V5\",\"MEMORY\",\"8\",\"145.50000\",\"XM\"," + rest.mid(5) +
                             "\"HX-V5\",\"MEMORY\",\"200\",\"145.50000\"," + rest +
                             "\"HX-V5\",\"VFO\",\"Nowhere\",\"145.50000\"," + rest +
                             "\"HX-V9\",\"MEMORY\",\"9\",\"145.50000\"," + rest +
                             QByteArray("\x00\xff\xfe garbage\r\n", 14);
    const QString file = m_dir.filePath(QStringLiteral("rows.csv"));
    QVERIFY(writeAll(file, bytes));
    Document doc;
    prepare(doc);
    const DocumentState before = DocumentState::of(doc);
    FileInteraction ui;
    ui.path = file;
    FileCommands commands(doc, ui);
    QVERIFY(commands.Import());
    QCOMPARE(ui.errors, QStringList());
    DocumentState expected = before;
    expected.changed = false;
    const DocumentState after = DocumentState::of(doc);
    QCOMPARE(doc.channels().number(5, kColFrequency), 145.5);
    QVERIFY(doc.channels().isEnabled(5));
    expected.slots[5] = after.slots[5];
    expected.flags[5] = true;
    QCOMPARE(after.slots, expected.slots);
    QCOMPARE(after.flags, expected.flags);
    QCOMPARE(after.vfo, expected.vfo);
    QCOMPARE(after.settings, expected.settings);
}

// The inputs the fuzzers kept (HXV5_FUZZ_CORPUS, the folder fuzz/run_fuzzers.sh fills): each
// one is a file that reads cleanly or fails with its message and leaves the document alone.
void TestFileFaults::fuzzCorpora()
{
    const QString corpus = qEnvironmentVariable("HXV5_FUZZ_CORPUS");
    if (corpus.isEmpty())
        QSKIP("HXV5_FUZZ_CORPUS names no fuzz corpus");
    int files = 0;
    for (const QString &target : {QStringLiteral("clone_file"), QStringLiteral("csv_import")}) {
        const bool clone = target == QLatin1String("clone_file");
        QDirIterator it(corpus + QLatin1Char('/') + target, QDir::Files);
        while (it.hasNext()) {
            const QString file = it.next();
            Document doc;
            prepare(doc);
            const Snapshot before = Snapshot::of(doc);
            const FileError error = clone ? readCloneFile(file, doc) : importCsv(file, doc);
            if (error == FileError::None)
                continue;
            QVERIFY2(clone || error == FileError::FileOpenError, qPrintable(file));
            QVERIFY2(Snapshot::of(doc) == before, qPrintable(file));
            ++files;
        }
    }
    qInfo("%d failing inputs left the document alone", files);
}

void TestFileFaults::failedSave_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<bool>("csv");
    for (const bool csv : {false, true}) {
        const char *kind = csv ? "export" : "save";
        QTest::addRow("%s, file size limit", kind) << QStringLiteral("limit") << csv;
        QTest::addRow("%s, full disk", kind) << QStringLiteral("full") << csv;
        QTest::addRow("%s, read-only folder", kind) << QStringLiteral("read-only") << csv;
    }
}

void TestFileFaults::failedSave()
{
    QFETCH(QString, fault);
    QFETCH(bool, csv);

    static int run = 0;
    const QString dir = m_dir.filePath(QStringLiteral("disk-%1").arg(++run));
    QVERIFY(QDir().mkpath(dir));
    std::optional<SmallDisk> disk;
    if (fault != QLatin1String("limit")) {
        disk.emplace(dir, 64);
        if (!disk->mounted()) {
            if (fault == QLatin1String("read-only") && ::geteuid() != 0) {
                disk.reset();
            } else {
                QSKIP("cannot mount a small disk here (needs root)");
            }
        }
    }

    // The old file, and something the user keeps beside it.
    const QString file = dir + (csv ? QStringLiteral("/old.csv") : QStringLiteral("/old.TV5"));
    const QByteArray old = "the user's old file\r\n";
    QVERIFY(writeAll(file, old));
    QVERIFY(writeAll(dir + QStringLiteral("/other.txt"), "other\r\n"));
    if (fault == QLatin1String("full")) {
        // Leave less free room than the new file needs.
        QFile filler(dir + QStringLiteral("/filler"));
        QVERIFY(filler.open(QIODevice::WriteOnly));
        while (filler.write(QByteArray(1024, 'x')) == 1024 && filler.flush()) {
        }
    }
    const QStringList filesBefore = entries(dir);

    Document doc;
    prepare(doc);
    doc.setCurrentFile(file);
    const Snapshot before = Snapshot::of(doc);
    FileInteraction ui;
    ui.path = file;
    FileCommands commands(doc, ui);
    bool saved = true;
    {
        std::optional<FileSizeLimit> limit;
        if (fault == QLatin1String("limit")) {
            limit.emplace(4096);
            QVERIFY(limit->active());
        } else if (fault == QLatin1String("read-only")) {
            if (disk)
                QVERIFY(disk->setReadOnly(true));
            else
                QVERIFY(QFile::setPermissions(dir, QFile::ReadOwner | QFile::ExeOwner));
        }
        saved = csv ? commands.Export() : commands.Save();
        if (fault == QLatin1String("read-only") && !disk)
            QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QVERIFY(!saved);
    QCOMPARE(ui.errors, QStringList{QStringLiteral("File Open Error")});
    QCOMPARE(readAll(file), old);
    // No half-written file is left beside it.
    QCOMPARE(entries(dir), filesBefore);
    QVERIFY(Snapshot::of(doc) == before);

    // With room again the same command succeeds.
    QFile::remove(dir + QStringLiteral("/filler"));
    if (disk && fault == QLatin1String("read-only"))
        QVERIFY(disk->setReadOnly(false));
    ui.errors.clear();
    QVERIFY(csv ? commands.Export() : commands.Save());
    QCOMPARE(readAll(file), csv ? csvExportBytes(doc) : cloneFileBytes(doc));
    QCOMPARE(doc.isChanged(), csv);
}

QTEST_GUILESS_MAIN(TestFileFaults)
#include "tst_file_faults.moc"
