// Every program answers --help and --version, and turns an unknown option away with its usage
// line and the usage status. The window program answers both without a display.

#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTest>

class TestProgramOptions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void options_data();
    void options();
};

void TestProgramOptions::options_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out"); // a pattern for the whole standard output
    QTest::addColumn<QString>("err"); // a pattern for the whole standard error

    const QString version = QStringLiteral("%1 0\\.10\\.0\\n");
    const struct
    {
        const char *name;
        QString path;
        QString usage;
    } programs[] = {
        {"hxv5-cli", QStringLiteral(HXV5_CLI), QStringLiteral("usage: hxv5-cli ")},
        {"hxv5-radio-sim", QStringLiteral(HXV5_RADIO_SIM_PROGRAM),
         QStringLiteral("Usage: \\S*hxv5-radio-sim \\[options\\]")},
        {"hxv5-clone", QStringLiteral(HXV5_CLONE), QStringLiteral("usage: hxv5-clone ")},
    };
    for (const auto &p : programs) {
        const QString name = QString::fromLatin1(p.name);
        QTest::addRow("%s --version", p.name)
            << p.path << QStringList{QStringLiteral("--version")} << 0
            << QStringLiteral("^") + version.arg(name) + QStringLiteral("$")
            << QStringLiteral("^$");
        QTest::addRow("%s --help", p.name) << p.path << QStringList{QStringLiteral("--help")} << 0
                                           << QStringLiteral("^") + p.usage << QStringLiteral("^$");
        QTest::addRow("%s unknown option", p.name)
            << p.path << QStringList{QStringLiteral("--no-such-option")} << 2
            << QStringLiteral("^$") << p.usage;
    }
    // The window program leaves the window system's own options to it.
    QTest::newRow("hxv5-clone -platform, then --bogus")
        << QStringLiteral(HXV5_CLONE)
        << QStringList{QStringLiteral("-platform"), QStringLiteral("offscreen"),
                       QStringLiteral("--bogus")}
        << 2 << QStringLiteral("^$") << QStringLiteral("unknown option --bogus\\n");
    QTest::newRow("hxv5-cli -h") << QStringLiteral(HXV5_CLI) << QStringList{QStringLiteral("-h")}
                                 << 0 << QStringLiteral("\\n       hxv5-cli ports\\n")
                                 << QStringLiteral("^$");
}

void TestProgramOptions::options()
{
    QFETCH(QString, program);
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QProcess process;
    // No display at all for --help and --version: they never reach the window system. Anything
    // else may (the window program takes its own options from it), offscreen.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    if (status == 0)
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    else
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    process.start(program, args);
    QVERIFY(process.waitForFinished(30000));
    const QString stdOut = QString::fromLocal8Bit(process.readAllStandardOutput());
    const QString stdErr = QString::fromLocal8Bit(process.readAllStandardError());
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QVERIFY2(process.exitCode() == status, qPrintable(stdErr));
    QVERIFY2(QRegularExpression(out).match(stdOut).hasMatch(), qPrintable(stdOut));
    QVERIFY2(QRegularExpression(err).match(stdErr).hasMatch(), qPrintable(stdErr));
}

QTEST_GUILESS_MAIN(TestProgramOptions)
#include "tst_program_options.moc"
