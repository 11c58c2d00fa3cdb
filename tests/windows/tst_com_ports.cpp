// Windows' own COM ports: COM n is the system's port, the port doctor finds the ports the system
// lists, and a port whose open the system refused is busy (Windows gives a port to one program at
// a time), so that a transfer on it ends at once with "COM Port Error" and says so.
//
// Run under Wine by scripts/windows/test.sh, whose prefix lists COM 7 as the system's port, maps
// COM 8 to a folder (whose open the system refuses, as Windows refuses a port another program
// holds) and leaves COM 14 unmapped.

#include "document/document.h"
#include "link/port_doctor.h"
#include "link/port_mapping.h"
#include "link/serial_port.h"
#include "link/transfers.h"
#include "scripted_interaction.h"
#include "transfer_rig.h"

#include <QSignalSpy>
#include <QTest>

using namespace hxv5;
using namespace hxv5::testing;

namespace {

constexpr int kListed = 7;
constexpr int kHeld = 8;
constexpr int kAbsent = 14;

const QString kPlugIn = QStringLiteral(
    "Plug in the radio's cable and choose the COM number Windows gives it (Device Manager, "
    "\"Ports (COM & LPT)\"): a cable plugged in after the program started appears without "
    "restarting it.\n");

QString busy(int port)
{
    return QStringLiteral("COM %1 \\\\.\\COM%1: busy\nAnother program has COM %1 open: close the "
                          "port there, or end that program.\n")
        .arg(port);
}

} // namespace

class TestComPorts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void devices_data();
    void devices();
    void diagnoses_data();
    void diagnoses();
    void reportGivesTheAdviceOnce();
    void heldPortEndsTheTransferAtOnce_data();
    void heldPortEndsTheTransferAtOnce();
};

void TestComPorts::devices_data()
{
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("device");
    QTest::newRow("COM 1") << 1 << QStringLiteral("\\\\.\\COM1");
    QTest::newRow("COM 9") << 9 << QStringLiteral("\\\\.\\COM9");
    QTest::newRow("COM 10, which only the device namespace reaches")
        << 10 << QStringLiteral("\\\\.\\COM10");
    QTest::newRow("COM 14") << 14 << QStringLiteral("\\\\.\\COM14");
    QTest::newRow("0") << 0 << QString();
    QTest::newRow("15") << 15 << QString();
}

void TestComPorts::devices()
{
    QFETCH(int, port);
    QFETCH(QString, device);
    QCOMPARE(deviceForPort(port), device);
}

void TestComPorts::diagnoses_data()
{
    QTest::addColumn<int>("port");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<QString>("diagnosis");
    QTest::newRow("a port the system lists")
        << kListed << false << QStringLiteral("COM 7 \\\\.\\COM7: ok\n");
    QTest::newRow("a port the system lacks")
        << kAbsent << false << QStringLiteral("COM 14 \\\\.\\COM14: missing\n") + kPlugIn;
    QTest::newRow("a listed port whose open was refused") << kListed << true << busy(kListed);
    QTest::newRow("an unlisted port whose open was refused") << kHeld << true << busy(kHeld);
}

void TestComPorts::diagnoses()
{
    QFETCH(int, port);
    QFETCH(bool, refused);
    QFETCH(QString, diagnosis);
    const PortDoctor doctor;
    QCOMPARE(doctor.diagnosis(doctor.checkDevice(deviceForPort(port), port, refused)), diagnosis);
}

// A line for each COM number; the advice for the ports the system lacks once, after them.
void TestComPorts::reportGivesTheAdviceOnce()
{
    const QStringList lines = PortDoctor().report().split(QLatin1Char('\n'));
    QCOMPARE(lines.value(kListed - 1).simplified(), QStringLiteral("COM 7 \\\\.\\COM7 ok"));
    QCOMPARE(lines.value(kAbsent - 1).simplified(), QStringLiteral("COM 14 \\\\.\\COM14 missing"));
    QCOMPARE(lines.mid(14), (QStringList{QString(), kPlugIn.trimmed(), QString()}));
}

void TestComPorts::heldPortEndsTheTransferAtOnce_data()
{
    QTest::addColumn<int>("operation"); // of kOperations; -1: a block read by hand
    QTest::newRow("read memory") << 0;
    QTest::newRow("write memory") << 1;
    QTest::newRow("read settings") << 2;
    QTest::newRow("block by hand") << -1;
}

void TestComPorts::heldPortEndsTheTransferAtOnce()
{
    QFETCH(int, operation);
    const TransferOperation kOperations[] = {&Transfers::readMemory, &Transfers::writeMemory,
                                             &Transfers::readSettings};
    TransferRig<QtSerialPortAdapter> program;
    program.port.setPortNumber(kHeld);
    if (operation >= 0) {
        QVERIFY(program.runToEnd(kOperations[operation]));
    } else {
        QSignalSpy handRead(&program.transfers, &Transfers::handReadFinished);
        program.transfers.readBlockByHand(QStringLiteral("0D50"));
        QTRY_COMPARE(handRead.size(), 1);
    }
    const ScriptedInteraction &ui = program.ui;
    QCOMPARE(ui.errors, QStringList{QStringLiteral("COM Port Error")});
    // Behind the write's account of what went out (nothing), why.
    const QString details = ui.errorDetails.value(0);
    QVERIFY2(details.endsWith(busy(kHeld)), qPrintable(details));
    QCOMPARE(ui.errorReports.value(0).startsWith(QLatin1String("Nothing was written:")),
             operation == 1);
    QVERIFY(!program.port.isOpen());
}

QTEST_GUILESS_MAIN(TestComPorts)
#include "tst_com_ports.moc"
