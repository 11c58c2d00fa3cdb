#include "link/port_mapping.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace hxv5;

class TestPortMapping : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void portFileLivesInTheUserConfiguration();
    void readPortFile_data();
    void readPortFile();
    void writeThenRead();
    void bindAndUnbind();
    void numbersOutsideTheRange();
    void unboundNumbersReachTheAdapters();

private:
    QTemporaryDir m_dir;
};

void TestPortMapping::initTestCase()
{
    QVERIFY(m_dir.isValid());
    qputenv("XDG_CONFIG_HOME", m_dir.filePath(QStringLiteral("config")).toLocal8Bit());
}

void TestPortMapping::cleanup()
{
    QDir(configDirectory()).removeRecursively();
}

void TestPortMapping::portFileLivesInTheUserConfiguration()
{
    // Not beside the program, which may be installed read-only.
    QCOMPARE(portFilePath(), m_dir.filePath(QStringLiteral("config/hxv5-clone/HX-V5.ini")));
    QCOMPARE(portMapDirectory(), m_dir.filePath(QStringLiteral("config/hxv5-clone/ports")));
}

void TestPortMapping::readPortFile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("port");
    QTest::newRow("3") << QByteArray("3\r\n") << 3;
    QTest::newRow("14") << QByteArray("14\r\n") << 14;
    QTest::newRow("no line end") << QByteArray("7") << 7;
    QTest::newRow("blanks") << QByteArray(" 7 \r\n") << 7;
    QTest::newRow("15") << QByteArray("15\r\n") << 1;
    QTest::newRow("0") << QByteArray("0\r\n") << 1;
    QTest::newRow("negative") << QByteArray("-3\r\n") << 1;
    QTest::newRow("empty") << QByteArray() << 1;
    QTest::newRow("text") << QByteArray("COM3\r\n") << 1;
}

void TestPortMapping::readPortFile()
{
    QFETCH(QByteArray, content);
    QFETCH(int, port);
    QCOMPARE(hxv5::readPortFile(), 1); // no file yet
    QVERIFY(QDir().mkpath(configDirectory()));
    QFile file(portFilePath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    QCOMPARE(hxv5::readPortFile(), port);
}

void TestPortMapping::writeThenRead()
{
    // The folder does not exist yet: writing creates it.
    QVERIFY(writePortFile(12));
    QFile file(portFilePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("12\r\n"));
    QCOMPARE(hxv5::readPortFile(), 12);
}

void TestPortMapping::bindAndUnbind()
{
    const QString device = QStringLiteral("/dev/pts/4711");
    QVERIFY(boundDevice(3).isEmpty());
    QVERIFY(bindPort(3, device));
    QCOMPARE(boundDevice(3), device);
    QCOMPARE(deviceForPort(3), device);
    // A second binding replaces the first.
    QVERIFY(bindPort(3, QStringLiteral("/dev/ttyUSB7")));
    QCOMPARE(deviceForPort(3), QStringLiteral("/dev/ttyUSB7"));
    QVERIFY(boundDevice(4).isEmpty());
    QVERIFY(unbindPort(3));
    QVERIFY(boundDevice(3).isEmpty());
    QVERIFY(unbindPort(3)); // nothing left to remove
}

void TestPortMapping::numbersOutsideTheRange()
{
    for (const int port : {0, 15, -1}) {
        QVERIFY(!bindPort(port, QStringLiteral("/dev/pts/1")));
        QVERIFY(!unbindPort(port));
        QVERIFY(deviceForPort(port).isEmpty());
    }
    QVERIFY(!bindPort(2, QString()));
}

void TestPortMapping::unboundNumbersReachTheAdapters()
{
    // Whatever adapters this machine has: they take the unbound numbers from 1 upwards.
    const QStringList adapters = usbSerialDevices();
    QVERIFY(bindPort(1, QStringLiteral("/dev/pts/4711")));
    for (int n = 2; n <= 14; ++n) {
        const int index = n - 2;
        QCOMPARE(deviceForPort(n), index < adapters.size() ? adapters.at(index) : QString());
    }
    QVERIFY(unbindPort(1));
    QCOMPARE(deviceForPort(1), adapters.isEmpty() ? QString() : adapters.first());
}

QTEST_GUILESS_MAIN(TestPortMapping)
#include "tst_port_mapping.moc"
