// Malformed clone files and CSV files, and saves that fail half way: a bad file changes nothing
// and shows its message, a failed save leaves the old file whole and the document as it was.

#include "document_snapshot.h"
#include "file_bytes.h"
#include "files/clone_file.h"
#include "files/csv_exchange.h"
#include "files/file_commands.h"
#include "hardening_support.h"
#include "unprivileged.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <optional>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

using namespace hxv5;
using namespace hxv5::testing;

namespace {

// Answers both file choosers with file and lets unsaved changes go.
void answerWith(ScriptedInteraction &ui, const QString &file)
{
    ui.saveAnswer = UserInteraction::Answer::No;
    ui.openPath = file;
    ui.savePath = file;
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

} // namespace

class TestFileFaults : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void badCsvRowsAreSkipped();
    void corpus_data();
    void corpus();
    void failedSave_data();
    void failedSave();
    void folderThatTakesNoNewFiles_data();
    void folderThatTakesNoNewFiles();
    void commandLineUnderFileSizeLimit();
    void commandLineOutOfMemory();

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
    // The scenarios that run as another user reach their folders below it.
    QVERIFY(unprivileged::letIn(m_dir.path()));
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
    doc.setChanged(false); // as just saved: the import alone must mark it
    const Snapshot before(doc);
    ScriptedInteraction ui;
    answerWith(ui, file);
    FileCommands commands(doc, ui);
    QVERIFY(commands.Import());
    QCOMPARE(ui.errors, QStringList());
    Snapshot expected = before;
    // The merged tables are in no file yet: they count as unsaved.
    expected.changed = true;
    const Snapshot after(doc);
    QCOMPARE(after.changed, expected.changed);
    QCOMPARE(doc.channels().number(5, kColFrequency), 145.5);
    QVERIFY(doc.channels().isEnabled(5));
    expected.slots[5] = after.slots[5];
    expected.flags[5] = true;
    QVERIFY(after.sameData(expected));
}

void TestFileFaults::corpus_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("clone");      // opened as a clone file, else imported as CSV
    QTest::addColumn<QString>("outcome"); // "data-error", "file-open-error", "rows-rejected", "any"

    // The program's own bad files shipped with the tests; each name starts with what it must
    // give: "data-error--...", "file-open-error--...", or "rows-rejected--..." for a CSV file
    // that is read but whose every row fails a test.
    for (const bool clone : {true, false}) {
        const QDir folder(QStringLiteral(HXV5_CORPUS) +
                          (clone ? QStringLiteral("/clone") : QStringLiteral("/csv")));
        const QStringList names = folder.entryList(QDir::Files, QDir::Name);
        QVERIFY2(names.size() >= 5, qPrintable(folder.path()));
        for (const QString &name : names) {
            QTest::addRow("%s", qPrintable(name))
                << folder.filePath(name) << clone << name.section(QStringLiteral("--"), 0, 0);
        }
    }
    // Too large to ship: one line of 1 MB.
    const QString longLine = m_dir.filePath(QStringLiteral("long-line.TV5"));
    QVERIFY(writeAll(longLine, QByteArray(1 << 20, 'A')));
    QTest::newRow("one long line of 1 MB") << longLine << true << QStringLiteral("data-error");
    // The inputs the fuzzers kept, when HXV5_FUZZ_CORPUS names the folder fuzz/run_fuzzers.sh
    // fills: each reads cleanly or fails with its message.
    const QString fuzz = qEnvironmentVariable("HXV5_FUZZ_CORPUS");
    if (fuzz.isEmpty())
        return;
    for (const QString &target : {QStringLiteral("clone_file"), QStringLiteral("csv_import")}) {
        QDirIterator it(fuzz + QLatin1Char('/') + target, QDir::Files);
        while (it.hasNext()) {
            const QString file = it.next();
            QTest::addRow("%s/%s", qPrintable(target), qPrintable(it.fileName()))
                << file << (target == QLatin1String("clone_file")) << QStringLiteral("any");
        }
    }
}

// Each bad file goes through the file commands: a refused file shows its message and leaves the
// document alone (a CSV file that ends inside a record is refused whole, not even its complete
// rows are stored), a file of rejected rows leaves the tables alone, and no file is changed by
// reading it.
void TestFileFaults::corpus()
{
    QFETCH(QString, file);
    QFETCH(bool, clone);
    QFETCH(QString, outcome);

    const QByteArray bytes = readAll(file);
    Document doc;
    prepare(doc);
    // A row the bad CSV files would change if they were taken, even in part.
    doc.channels().clearRow(5);
    const Snapshot before(doc);
    ScriptedInteraction ui;
    answerWith(ui, file);
    FileCommands commands(doc, ui);
    const bool read = clone ? commands.Open() : commands.Import();
    if (outcome == QLatin1String("rows-rejected")) {
        QVERIFY(Snapshot(doc).sameData(before));
    } else if (outcome != QLatin1String("any") || !read) {
        QVERIFY(!read);
        QCOMPARE(ui.errors.size(), 1);
        const QString message = ui.errors.constFirst();
        // A CSV file knows no "Data Error".
        if (outcome == QLatin1String("any"))
            QVERIFY((clone && message == QLatin1String("Data Error")) ||
                    message == QLatin1String("File Open Error"));
        else
            QCOMPARE(message, outcome == QLatin1String("data-error")
                                  ? QStringLiteral("Data Error")
                                  : QStringLiteral("File Open Error"));
        QVERIFY(Snapshot(doc) == before);
    }
    QCOMPARE(readAll(file), bytes);
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
    const Snapshot before(doc);
    ScriptedInteraction ui;
    answerWith(ui, file);
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
                QVERIFY(QFile::setPermissions(file, QFile::ReadOwner) &&
                        QFile::setPermissions(dir, QFile::ReadOwner | QFile::ExeOwner));
        }
        saved = csv ? commands.Export() : commands.Save();
        if (fault == QLatin1String("read-only") && !disk) {
            QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
        }
    }
    QVERIFY(!saved);
    QCOMPARE(ui.errors, QStringList{QStringLiteral("File Open Error")});
    QCOMPARE(readAll(file), old);
    // No half-written file is left beside it.
    QCOMPARE(entries(dir), filesBefore);
    QVERIFY(Snapshot(doc) == before);

    // With room again the same command succeeds.
    QFile::remove(dir + QStringLiteral("/filler"));
    if (disk && fault == QLatin1String("read-only"))
        QVERIFY(disk->setReadOnly(false));
    ui.errors.clear();
    QVERIFY(csv ? commands.Export() : commands.Save());
    QCOMPARE(readAll(file), csv ? csvExportBytes(doc) : cloneFileBytes(doc));
    QCOMPARE(doc.isChanged(), csv);
}

void TestFileFaults::folderThatTakesNoNewFiles_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("limited"); // a file-size limit cuts the write short
    for (const char *command : {"Save", "Save As", "Export"}) {
        QTest::addRow("%s", command) << QString::fromLatin1(command) << false;
        QTest::addRow("%s, file-size limit", command) << QString::fromLatin1(command) << true;
    }
}

// The user may write the old file but not add files to its folder (folder r-x, file rw-): the
// commands write the file in place, and a write that fails there still leaves the old file whole.
void TestFileFaults::folderThatTakesNoNewFiles()
{
    QFETCH(QString, command);
    QFETCH(bool, limited);

    static int run = 0;
    const QString dir = m_dir.filePath(QStringLiteral("locked-%1").arg(++run));
    const QString dataHome = m_dir.filePath(QStringLiteral("locked-data-%1").arg(run));
    QVERIFY(QDir().mkpath(dir) && QDir().mkpath(dataHome));
    const bool csv = command == QLatin1String("Export");
    const QString file = dir + (csv ? QStringLiteral("/old.csv") : QStringLiteral("/old.TV5"));
    const QByteArray old = "the user's old file\r\n";
    QVERIFY(writeAll(file, old));
    QVERIFY(unprivileged::own(file, 0600));
    QVERIFY(unprivileged::own(dir, 0500));
    QVERIFY(unprivileged::own(dataHome, 0700));

    Document doc;
    prepare(doc);
    const QByteArray written = csv ? csvExportBytes(doc) : cloneFileBytes(doc);
    const std::optional<bool> result = unprivileged::runAsUser([&] {
        qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome));
        // The user may write the file, or the case would prove nothing.
        if (!QFileInfo(file).isWritable())
            return false;
        ScriptedInteraction ui;
        answerWith(ui, file);
        if (command == QLatin1String("Save"))
            doc.setCurrentFile(file);
        FileCommands commands(doc, ui);
        std::optional<FileSizeLimit> limit;
        if (limited)
            limit.emplace(4096);
        const bool saved = command == QLatin1String("Save")      ? commands.Save()
                           : command == QLatin1String("Save As") ? commands.SaveAs()
                                                                 : commands.Export();
        const QStringList message =
            limited ? QStringList{QStringLiteral("File Open Error")} : QStringList();
        return saved == !limited && ui.errors == message;
    });
    QVERIFY(unprivileged::own(dir, 0700));
    if (!result)
        QSKIP("cannot run as the user nobody, and permissions do not hold for root");
    QVERIFY2(*result, "the command's result or its message");
    QCOMPARE(readAll(file), limited ? old : written);
    QCOMPARE(entries(dir), QStringList{QFileInfo(file).fileName()});
}

namespace {

// hxv5-cli export-csv from a good clone file onto an old file in dir; the process is set up by
// prepareChild after the fork.
struct CommandLineRun
{
    QString output;
    QByteArray old = "the user's old file\r\n";
    int exitCode = -1;
    QProcess::ExitStatus status = QProcess::CrashExit;
    QString error;

    bool exportCsv(const QString &dir, const QByteArray &cloneFile,
                   const std::function<void()> &prepareChild)
    {
        const QString input = dir + QStringLiteral("/in.TV5");
        output = dir + QStringLiteral("/out.csv");
        if (!writeAll(input, cloneFile) || !writeAll(output, old))
            return false;
        return run({QStringLiteral("export-csv"), input, output}, prepareChild);
    }

    bool run(const QStringList &args, const std::function<void()> &prepareChild)
    {
        QProcess cli;
        cli.setChildProcessModifier(prepareChild);
        cli.start(QStringLiteral(HXV5_CLI), args);
        if (!cli.waitForFinished(60000))
            return false;
        status = cli.exitStatus();
        exitCode = cli.exitCode();
        error = QString::fromLocal8Bit(cli.readAllStandardError());
        return true;
    }
};

} // namespace

// Past a file-size limit the system sends a signal that ends a program by default: the
// command-line companion reports the failed write instead, and the old file stays whole.
void TestFileFaults::commandLineUnderFileSizeLimit()
{
    const QString dir = m_dir.filePath(QStringLiteral("cli-limit"));
    QVERIFY(QDir().mkpath(dir));
    CommandLineRun cli;
    QVERIFY(cli.exportCsv(dir, m_cloneFile, [] {
        // The default action, whatever the test runner left in place.
        std::signal(SIGXFSZ, SIG_DFL);
        const rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }));
    QCOMPARE(cli.status, QProcess::NormalExit);
    QCOMPARE(cli.exitCode, 1);
    QCOMPARE(cli.error, QStringLiteral("File Open Error\n"));
    QCOMPARE(readAll(cli.output), cli.old);
    QCOMPARE(entries(dir), (QStringList{QStringLiteral("in.TV5"), QStringLiteral("out.csv")}));
}

// Memory running out while a command reads an endless input ends in the program's message and
// the failure status, not in a crash.
void TestFileFaults::commandLineOutOfMemory()
{
#if defined(__SANITIZE_ADDRESS__)
    QSKIP("AddressSanitizer reserves far more address space than a memory limit lets through");
#endif
    const QString dir = m_dir.filePath(QStringLiteral("cli-memory"));
    QVERIFY(QDir().mkpath(dir));
    const QString output = dir + QStringLiteral("/out.TV5");
    CommandLineRun cli;
    QVERIFY(cli.run({QStringLiteral("import-csv"), QStringLiteral("/dev/zero"), output}, [] {
        const rlimit limit{256 << 20, 256 << 20};
        ::setrlimit(RLIMIT_DATA, &limit);
    }));
    QCOMPARE(cli.status, QProcess::NormalExit);
    QCOMPARE(cli.exitCode, 1);
    QVERIFY2(cli.error.endsWith(QStringLiteral("File Open Error\n")), qPrintable(cli.error));
    QVERIFY(!QFile::exists(output));
}

QTEST_GUILESS_MAIN(TestFileFaults)
#include "tst_file_faults.moc"
