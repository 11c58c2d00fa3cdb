// write-radio's safe writes against the simulated radio over a real pseudo-terminal.

#include "backups_folder.h"
#include "cli_run.h"
#include "radio_sim_process.h"
#include "test_home.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace hxv5::testing;

class TestCliSafeWrite : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void writeRadio_data();
    void writeRadio();
    void usage_data();
    void usage();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QString backupsFolder() const
    {
        return path(QStringLiteral("data/Tormel/HX-V5 Clone/backups"));
    }
    QStringList backups() const
    {
        return QDir(backupsFolder()).entryList({QStringLiteral("*.TV5")}, QDir::Files);
    }
    // A clone file of what the radio holds now, and the same with slot 12's frequency changed
    // (and slot 0's channel gone, with clearSlot0).
    bool prepareImages(RadioSimProcess &sim, bool clearSlot0);
    hxv5::testing::TestHome m_dir;
};

void TestCliSafeWrite::initTestCase()
{
    QVERIFY(m_dir.enter());
    qputenv("XDG_DATA_HOME", path(QStringLiteral("data")).toLocal8Bit());
}

void TestCliSafeWrite::init()
{
    QFile::remove(path(QStringLiteral("memory.txt")));
    QFile::remove(path(QStringLiteral("before.TV5")));
    QVERIFY(prepareBackupsFolder(backupsFolder(), false));
}

bool TestCliSafeWrite::prepareImages(RadioSimProcess &sim, bool clearSlot0)
{
    const QString held = path(QStringLiteral("held.TV5"));
    if (runCli({QStringLiteral("read-radio"), QStringLiteral("--port"), sim.device, held}).status !=
        0)
        return false;
    QFile in(held);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QList<QByteArray> lines = in.readAll().split('\n');
    // Line 21 holds slot 12: its first frequency digits become 0146.
    lines[21].replace(0, 4, "0146");
    // Line 9 holds slot 0: no frequency, no channel.
    if (clearSlot0)
        lines[9].replace(0, 10, "0000000000");
    QFile out(path(QStringLiteral("edited.TV5")));
    if (!out.open(QIODevice::WriteOnly))
        return false;
    out.write(lines.join('\n'));
    // The read kept what it read, named so.
    if (backups().size() != 1 || !backups().first().endsWith(QLatin1String("-after-read.TV5")))
        return false;
    QDir(backupsFolder()).removeRecursively();
    return true;
}

void TestCliSafeWrite::writeRadio_data()
{
    QTest::addColumn<QStringList>("simArgs");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("error");
    QTest::addColumn<int>("commands"); // commands the radio received for slot 12
    QTest::addColumn<int>("kept");     // backups in the folder afterwards

    const QString verifyError = QStringLiteral(
        "Verify Error\nslot 12 differs from what was written\nWhat the radio held before this "
        "write is kept in %1.\n");
    // The command line's wiring of the safe writes: each option reaches the write, the backup
    // goes where told or into the folder, the radio's own exit status and messages. Which blocks
    // go out and what a stop says is the transfers' own test.
    // Read first, written, read back: one command each.
    QTest::newRow("changes only, verified")
        << QStringList() << QStringList{"--changes-only", "--verify"} << 0 << QString() << 3 << 1;
    QTest::newRow("full write, slot 12 corrupted, backup file")
        << QStringList{"--corrupt-write", "12"} << QStringList{"--verify", "--backup", "before.TV5"}
        << 1 << verifyError << 3 << 1;
    QTest::newRow("full write, verified")
        << QStringList() << QStringList{"--verify"} << 0 << QString() << 2 << 0;
    // Nobody to ask: the write goes on as told, and says what it clears.
    QTest::newRow("changes only, clears slot 0")
        << QStringList() << QStringList{"--changes-only", "clear-slot-0"} << 0
        << QStringLiteral("The radio holds 1 channel that this write clears: 0 \"145.00000\".\n")
        << 2 << 1;
    // A backup that cannot be kept is told and costs the write nothing.
    QTest::newRow("changes only, no backup possible")
        << QStringList() << QStringList{"--changes-only", "blocked"} << 0
        << QStringLiteral("Backup not kept: %1 takes no file\n") << 2 << 0;
}

void TestCliSafeWrite::writeRadio()
{
    QFETCH(QStringList, simArgs);
    QFETCH(QStringList, options);
    QFETCH(int, status);
    QFETCH(QString, error);
    QFETCH(int, commands);
    QFETCH(int, kept);

    const bool clearSlot0 = options.removeAll(QStringLiteral("clear-slot-0")) > 0;
    RadioSimProcess sim;
    QVERIFY(sim.start({QStringLiteral("--no-bind"), QStringLiteral("--memory"),
                       path(QStringLiteral("memory.txt"))}));
    QVERIFY(prepareImages(sim, clearSlot0));
    QVERIFY(sim.stop());
    RadioSimProcess radio;
    QVERIFY(radio.start(QStringList{QStringLiteral("--no-bind"), QStringLiteral("--memory"),
                                    path(QStringLiteral("memory.txt"))} +
                        simArgs));

    const bool blocked = options.removeAll(QStringLiteral("blocked")) > 0;
    QVERIFY(prepareBackupsFolder(backupsFolder(), blocked));
    QStringList args{QStringLiteral("write-radio"), QStringLiteral("--port"), radio.device,
                     path(QStringLiteral("edited.TV5"))};
    for (const QString &option : options)
        args.append(option.endsWith(QLatin1String(".TV5")) ? path(option) : option);
    const CliRun run = runCli(args);
    QCOMPARE(run.status, status);
    QString where = backupsFolder();
    if (options.contains(QStringLiteral("--backup")))
        where = path(QStringLiteral("before.TV5"));
    else if (!blocked && !backups().isEmpty())
        where = QDir(backupsFolder()).filePath(backups().first());
    QCOMPARE(run.errText(), error.contains(QLatin1String("%1")) ? error.arg(where) : error);
    // Slot 12 is block address 00C0; the radio's log is whole once it has ended.
    QVERIFY(radio.stop());
    QCOMPARE(radio.commandsFor(QStringLiteral("00C0")), commands);
    if (clearSlot0) // slot 0 read first, then written
        QCOMPARE(radio.commandsFor(QStringLiteral("0000")), 2);
    for (const QString &name : backups())
        QVERIFY2(name.endsWith(QLatin1String("-before-write.TV5")), qPrintable(name));
    QCOMPARE(backups().size(), kept);

    if (options.contains(QStringLiteral("--backup"))) {
        // The file holds what the radio held: the image read before the edit.
        const CliRun diff = runCli({QStringLiteral("diff"), path(QStringLiteral("held.TV5")),
                                    path(QStringLiteral("before.TV5"))});
        QCOMPARE(diff.status, 0);
    }
}

void TestCliSafeWrite::usage_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("--backup without a file") << QStringList{"--backup"};
    QTest::newRow("--backup twice") << QStringList{"--backup", "a.TV5", "--backup", "b.TV5"};
    QTest::newRow("--backup is the input") << QStringList{"--backup", "in.TV5"};
    QTest::newRow("an unknown option") << QStringList{"--carefully"};
}

void TestCliSafeWrite::usage()
{
    QFETCH(QStringList, args);
    QFile in(path(QStringLiteral("in.TV5")));
    QVERIFY(in.open(QIODevice::WriteOnly));
    in.close();
    for (QString &arg : args) {
        if (arg.endsWith(QLatin1String(".TV5")))
            arg = path(arg);
    }
    const CliRun run =
        runCli(QStringList{QStringLiteral("write-radio"), QStringLiteral("--port"),
                           QStringLiteral("/dev/null"), path(QStringLiteral("in.TV5"))} +
               args);
    QCOMPARE(run.status, 2);
    QCOMPARE(run.errText(),
             QStringLiteral("usage: hxv5-cli write-radio --port PORT IN.TV5 [--changes-only] "
                            "[--verify] [--backup FILE]\n"));
}

QTEST_GUILESS_MAIN(TestCliSafeWrite)
#include "tst_cli_safe_write.moc"
