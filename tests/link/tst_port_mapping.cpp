#include "link/port_mapping.h"
#include "test_home.h"

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
#ifndef Q_OS_WIN
    // The bindings and the adapters' COM numbers: Windows numbers its ports itself.
    void bindAndUnbind();
    void numbersOutsideTheRange();
    void unboundNumbersReachTheAdapters_data();
    void unboundNumbersReachTheAdapters();
    void noAdapterInTheFolder();
#endif

private:
    hxv5::testing::TestHome m_dir;
};

void TestPortMapping::initTestCase()
{
    QVERIFY(m_dir.enter());
}

void TestPortMapping::cleanup()
{
    QDir(configDirectory()).removeRecursively();
}

void TestPortMapping::portFileLivesInTheUserConfiguration()
{
    // Not beside the program, which may be installed read-only.
    QCOMPARE(portFilePath(), m_dir.configHome() + QStringLiteral("/hxv5-clone/HX-V5.ini"));
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

#ifndef Q_OS_WIN
void TestPortMapping::bindAndUnbind()
{
    QCOMPARE(portMapDirectory(), m_dir.configHome() + QStringLiteral("/hxv5-clone/ports"));
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

void TestPortMapping::unboundNumbersReachTheAdapters_data()
{
    QTest::addColumn<QList<int>>("bound");
    // COM 1 .. COM n; the rest reach nothing. "bound" stands for the bound device.
    QTest::addColumn<QStringList>("reached");
    QTest::newRow("nothing bound")
        << QList<int>{} << QStringList{"ttyACM1", "ttyUSB0", "ttyUSB12", "ttyUSB3"};
    QTest::newRow("COM 1 bound") << QList<int>{1}
                                 << QStringList{"bound", "ttyACM1", "ttyUSB0", "ttyUSB12",
                                                "ttyUSB3"};
    QTest::newRow("COM 2 and 3 bound")
        << QList<int>{2, 3}
        << QStringList{"ttyACM1", "bound", "bound", "ttyUSB0", "ttyUSB12", "ttyUSB3"};
    QTest::newRow("COM 14 bound") << QList<int>{14}
                                  << QStringList{"ttyACM1", "ttyUSB0", "ttyUSB12", "ttyUSB3", "",
                                                 "",        "",        "",         "",        "",
                                                 "",        "",        "",         "bound"};
}

void TestPortMapping::unboundNumbersReachTheAdapters()
{
    QFETCH(QList<int>, bound);
    QFETCH(QStringList, reached);

    // A device folder of this test's own: two adapters of each kind among other serial devices,
    // a folder that looks like an adapter, and names that only begin like one.
    QTemporaryDir devices;
    QVERIFY(devices.isValid());
    for (const char *name : {"ttyUSB3", "ttyACM1", "ttyS0", "tty", "console", "ttyUSB0", "ttyUSB12",
                             "ttyUSBx", "xttyACM0", "ttyAMA0"}) {
        QFile node(devices.filePath(QString::fromLatin1(name)));
        QVERIFY(node.open(QIODevice::WriteOnly));
    }
    QVERIFY(QDir(devices.path()).mkdir(QStringLiteral("ttyUSB9")));

    const QString boundTo = QStringLiteral("/dev/pts/4711");
    for (const int port : bound)
        QVERIFY(bindPort(port, boundTo));
    for (int port = 1; port <= 14; ++port) {
        const QString name = reached.value(port - 1);
        const QString expected = name == QLatin1String("bound") ? boundTo
                                 : name.isEmpty()               ? QString()
                                                                : devices.filePath(name);
        QCOMPARE(deviceForPort(port, devices.path()), expected);
    }
    for (const int port : bound)
        QVERIFY(unbindPort(port));
    QCOMPARE(deviceForPort(1, devices.path()), devices.filePath(QStringLiteral("ttyACM1")));
}

void TestPortMapping::noAdapterInTheFolder()
{
    QTemporaryDir devices;
    QVERIFY(devices.isValid());
    QVERIFY(usbSerialDevices(devices.path()).isEmpty());
    for (int port = 1; port <= 14; ++port)
        QVERIFY(deviceForPort(port, devices.path()).isEmpty());
}

#endif

QTEST_GUILESS_MAIN(TestPortMapping)
#include "tst_port_mapping.moc"
