// The real serial port against the simulated radio through a pseudo-terminal: the radio going
// away (its end of the line closed, as when the cable is pulled) and coming back.

#include "document/document.h"
#include "link/port_mapping.h"
#include "link/serial_port.h"
#include "link/transfers.h"
#include "radio_sim_process.h"
#include "scripted_interaction.h"
#include "test_home.h"
#include "transfer_rig.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

using namespace hxv5;
using namespace hxv5::testing;

namespace {

constexpr int kCom = 5;

} // namespace

class TestQtSerialPortAdapter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void firstTransferAfterTheRadioIsBack_data();
    void firstTransferAfterTheRadioIsBack();

private:
    QStringList simArgs() const
    {
        return {QStringLiteral("--com"), QString::number(kCom), QStringLiteral("--memory"),
                m_dir.filePath(QStringLiteral("memory.txt"))};
    }
    hxv5::testing::TestHome m_dir;
};

void TestQtSerialPortAdapter::initTestCase()
{
    QVERIFY(m_dir.enter());
    qputenv("XDG_DATA_HOME", m_dir.filePath(QStringLiteral("data")).toLocal8Bit());
}

void TestQtSerialPortAdapter::firstTransferAfterTheRadioIsBack_data()
{
    QTest::addColumn<bool>("noticed");
    // The program saw its line fail while nothing was being sent.
    QTest::newRow("noticed while idle") << true;
    // The radio was gone and back again before the program had a chance to see the line fail.
    QTest::newRow("back before it was noticed") << false;
}

void TestQtSerialPortAdapter::firstTransferAfterTheRadioIsBack()
{
    QFETCH(bool, noticed);

    TransferRig<QtSerialPortAdapter> program;
    program.port.setPortNumber(kCom);
    QSignalSpy lineFailed(&program.port, &SerialPort::errorOccurred);

    RadioSimProcess radio;
    QVERIFY2(radio.start(simArgs()), qPrintable(radio.diagnostics()));
    QTRY_COMPARE(deviceForPort(kCom), radio.device);
    QVERIFY(program.run(&Transfers::readSettings));
    QVERIFY(program.ui.errors.isEmpty());
    QVERIFY(program.port.isOpen());

    // The radio's end of the line is closed, and a new radio comes up on the same COM number.
    QVERIFY(radio.stop());
    if (noticed) {
        QVERIFY(lineFailed.wait(10000));
        QVERIFY(!program.port.isOpen());
    }
    RadioSimProcess again;
    QVERIFY2(again.start(simArgs()), qPrintable(again.diagnostics()));
    // Without a turn of the event loop, so that the old line's failure stays unseen.
    for (int i = 0; i < 1000 && deviceForPort(kCom) != again.device; ++i)
        QThread::msleep(10);
    QCOMPARE(deviceForPort(kCom), again.device);

    QVERIFY(program.run(&Transfers::readSettings));
    QCOMPARE(program.ui.errors, QStringList{});
    QCOMPARE(again.commandsFor(QStringLiteral("0D50")), 1);
    // A line that failed is reported once, not again at every turn of the event loop.
    QVERIFY(lineFailed.size() <= 1);
}

QTEST_GUILESS_MAIN(TestQtSerialPortAdapter)
#include "tst_serial_port.moc"
