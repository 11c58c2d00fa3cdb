// One line, one program: a second opener of a port in use fails at once with "COM Port Error"
// and the port doctor's diagnosis; hxv5-cli ports tells what each COM number reaches.

#include "cli_run.h"
#include "document/document.h"
#include "link/port_doctor.h"
#include "link/port_mapping.h"
#include "link/serial_port.h"
#include "link/transfers.h"
#include "radio_sim_process.h"
#include "scripted_interaction.h"
#include "test_home.h"

#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace hxv5;
using namespace hxv5::testing;

namespace {

constexpr int kCom = 6;

} // namespace

class TestPortAccess : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void secondProgramGetsComPortError_data();
    void secondProgramGetsComPortError();
    void secondPortInTheProgramFails_data();
    void secondPortInTheProgramFails();
    void transfersOfferTheDiagnosis_data();
    void transfersOfferTheDiagnosis();
    void portsCommand();

private:
    QString alias() const { return m_dir.filePath(QStringLiteral("radio-cable")); }
    hxv5::testing::TestHome m_dir;
    RadioSimProcess *m_radio = nullptr;
};

void TestPortAccess::initTestCase()
{
    QVERIFY(m_dir.enter());
}

void TestPortAccess::init()
{
    m_radio = new RadioSimProcess;
    QVERIFY2(m_radio->startAndWait({QStringLiteral("--com"), QString::number(kCom),
                                    QStringLiteral("--memory"),
                                    m_dir.filePath(QStringLiteral("memory.txt"))},
                                   kCom),
             qPrintable(m_radio->diagnostics()));
    // Another name for the same device, as /dev/serial/by-id gives one.
    QFile::remove(alias());
    QVERIFY(QFile::link(m_radio->device, alias()));
}

void TestPortAccess::cleanup()
{
    delete m_radio;
    m_radio = nullptr;
}

void TestPortAccess::secondProgramGetsComPortError_data()
{
    QTest::addColumn<bool>("firstByAlias");
    QTest::addColumn<QString>("secondPort"); // "alias" for the other name
    QTest::newRow("same COM number") << false << QString::number(kCom);
    QTest::newRow("the device by another name") << false << QStringLiteral("alias");
    QTest::newRow("the first by another name") << true << QString::number(kCom);
}

void TestPortAccess::secondProgramGetsComPortError()
{
    QFETCH(bool, firstByAlias);
    QFETCH(QString, secondPort);
    QtSerialPortAdapter first;
    if (firstByAlias)
        first.setDevicePath(alias());
    else
        first.setPortNumber(kCom);
    QVERIFY(first.open());

    const QString out = m_dir.filePath(QStringLiteral("second.TV5"));
    const CliRun run = runCli({QStringLiteral("read-radio"), QStringLiteral("--port"),
                               secondPort == QLatin1String("alias") ? alias() : secondPort, out});
    QCOMPARE(run.status, 1);
    const QStringList lines = run.errText().split(QLatin1Char('\n'));
    QCOMPARE(lines.first(), QStringLiteral("COM Port Error"));
    // The details name the holder: this test.
    QVERIFY2(run.errText().contains(QLatin1String(": busy (")), qPrintable(run.errText()));
    QVERIFY(!QFile::exists(out));
    // The first program's line is untouched.
    QVERIFY(first.isOpen());
    QVERIFY(first.send("AL~F0D50R\r"));
}

void TestPortAccess::secondPortInTheProgramFails_data()
{
    QTest::addColumn<bool>("secondByAlias");
    QTest::newRow("same COM number") << false;
    QTest::newRow("the device by another name") << true;
}

void TestPortAccess::secondPortInTheProgramFails()
{
    QFETCH(bool, secondByAlias);
    QtSerialPortAdapter first;
    first.setPortNumber(kCom);
    QVERIFY(first.open());
    QtSerialPortAdapter second;
    if (secondByAlias)
        second.setDevicePath(alias());
    else
        second.setPortNumber(kCom);
    QVERIFY(!second.open());
    QVERIFY(!second.isOpen());

    // Once the first lets go, the line is free again.
    first.close();
    QVERIFY(second.open());
}

void TestPortAccess::transfersOfferTheDiagnosis_data()
{
    QTest::addColumn<bool>("byHand");
    QTest::newRow("read settings") << false;
    QTest::newRow("block read by hand") << true;
}

void TestPortAccess::transfersOfferTheDiagnosis()
{
    QFETCH(bool, byHand);
    // The command-line companion in the middle of a read from a radio at the line's own pace.
    delete m_radio;
    m_radio = new RadioSimProcess;
    m_radio->paced = true;
    QVERIFY2(m_radio->startAndWait({QStringLiteral("--com"), QString::number(kCom),
                                    QStringLiteral("--memory"),
                                    m_dir.filePath(QStringLiteral("memory.txt"))},
                                   kCom),
             qPrintable(m_radio->diagnostics()));
    QProcess other;
    other.start(QStringLiteral(HXV5_CLI_PROGRAM),
                {QStringLiteral("read-radio"), QStringLiteral("--port"), QString::number(kCom),
                 m_dir.filePath(QStringLiteral("other.TV5"))});
    QVERIFY(other.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(PortDoctor().checkPort(kCom).verdict == PortCheck::Verdict::Busy,
                             20000);

    Document doc;
    QtSerialPortAdapter port;
    port.setPortNumber(kCom);
    ScriptedInteraction ui;
    Transfers transfers(doc, port, ui);
    if (byHand) {
        QSignalSpy done(&transfers, &Transfers::handReadFinished);
        transfers.readBlockByHand(QStringLiteral("0D50"));
        QTRY_COMPARE_WITH_TIMEOUT(done.size(), 1, 10000);
    } else {
        QSignalSpy done(&transfers, &Transfers::finished);
        transfers.readSettings();
        QTRY_COMPARE_WITH_TIMEOUT(done.size(), 1, 10000);
    }
    // The box keeps its text; the diagnosis is its detailed text.
    QCOMPARE(ui.errors, QStringList{QStringLiteral("COM Port Error")});
    const QString details = ui.errorDetails.value(0);
    QVERIFY2(details.startsWith(
                 QStringLiteral("COM %1 %2: busy (hxv5-cli)\n").arg(kCom).arg(m_radio->device)),
             qPrintable(details));
    QVERIFY(details.contains(QStringLiteral("\n    kill %1\n").arg(other.processId())));
    other.kill();
    other.waitForFinished();
}

void TestPortAccess::portsCommand()
{
    const CliRun free = runCli({QStringLiteral("ports")});
    QCOMPARE(free.status, 0);
    const QStringList lines = free.outLines();
    QVERIFY(lines.size() >= 14);
    for (int port = 1; port <= 14; ++port)
        QVERIFY2(lines.at(port - 1).startsWith(portCaption(port) + QStringLiteral("  ")),
                 qPrintable(lines.at(port - 1)));
    QCOMPARE(lines.at(kCom - 1).simplified(),
             QStringLiteral("COM %1 %2 ok").arg(kCom).arg(m_radio->device));

    QtSerialPortAdapter holder;
    holder.setPortNumber(kCom);
    QVERIFY(holder.open());
    const CliRun busy = runCli({QStringLiteral("ports")});
    QCOMPARE(busy.status, 0);
    QVERIFY2(busy.outLines().value(kCom - 1).simplified().startsWith(
                 QStringLiteral("COM %1 %2 busy (").arg(kCom).arg(m_radio->device)),
             qPrintable(busy.outText()));
    QVERIFY(busy.outText().contains(QStringLiteral("COM %1: ").arg(kCom)));

    QCOMPARE(runCli({QStringLiteral("ports"), QStringLiteral("extra")}).status, 2);
}

QTEST_GUILESS_MAIN(TestPortAccess)
#include "tst_port_access.moc"
