#include "link/port_dialog.h"

#include "fake_radio.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

using namespace hxv5;
using hxv5::testing::FakeRadio;

class TestPortDialog : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void captions();
    void opensOnThePortInUse_data();
    void opensOnThePortInUse();
    void okAppliesTheChoice_data();
    void okAppliesTheChoice();
    void closingOtherwiseChangesNothing();
    void showsWhatKeepsEachPortFromUse();
};

void TestPortDialog::captions()
{
    FakeRadio port;
    PortDialog dialog(port);
    QCOMPARE(dialog.objectName(), QStringLiteral("dlgCOM"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("COM Port Setup"));
    QCOMPARE(dialog.findChildren<QRadioButton *>().size(), PortDialog::kPortCount);
    QCOMPARE(dialog.option(0)->text(), QStringLiteral("COM  1"));
    QCOMPARE(dialog.option(8)->text(), QStringLiteral("COM  9"));
    QCOMPARE(dialog.option(9)->text(), QStringLiteral("COM 10"));
    QCOMPARE(dialog.option(13)->text(), QStringLiteral("COM 14"));
    QCOMPARE(dialog.option(13)->objectName(), QStringLiteral("opbCom_13"));
    QVERIFY(dialog.findChild<QPushButton *>(QStringLiteral("OKButton")));
    const QList<QPushButton *> buttons = dialog.findChildren<QPushButton *>();
    QCOMPARE(buttons.size(), 1); // no Cancel
}

void TestPortDialog::opensOnThePortInUse_data()
{
    QTest::addColumn<int>("port");
    QTest::newRow("COM 1") << 1;
    QTest::newRow("COM 7") << 7;
    QTest::newRow("COM 14") << 14;
}

void TestPortDialog::opensOnThePortInUse()
{
    QFETCH(int, port);
    FakeRadio line;
    line.setPortNumber(port);
    PortDialog dialog(line);
    dialog.option(2)->setChecked(true); // left over from an earlier showing
    dialog.prepare();
    for (int i = 0; i < PortDialog::kPortCount; ++i)
        QCOMPARE(dialog.option(i)->isChecked(), i == port - 1);
}

void TestPortDialog::okAppliesTheChoice_data()
{
    QTest::addColumn<int>("before");
    QTest::addColumn<bool>("wasOpen");
    QTest::addColumn<int>("chosen");
    QTest::addColumn<int>("closes");

    QTest::newRow("COM 12 while open") << 1 << true << 12 << 1;
    QTest::newRow("same port while open") << 5 << true << 5 << 1;
    QTest::newRow("closed port stays closed") << 1 << false << 3 << 0;
}

void TestPortDialog::okAppliesTheChoice()
{
    QFETCH(int, before);
    QFETCH(bool, wasOpen);
    QFETCH(int, chosen);
    QFETCH(int, closes);

    FakeRadio line;
    line.setPortNumber(before);
    if (wasOpen)
        QVERIFY(line.open());
    PortDialog dialog(line);
    dialog.prepare();
    dialog.show();
    dialog.option(chosen - 1)->click();
    dialog.findChild<QPushButton *>(QStringLiteral("OKButton"))->click();

    QCOMPARE(line.portNumber(), chosen);
    QVERIFY(!line.isOpen()); // the next exchange opens the chosen port
    QCOMPARE(line.closeCount, closes);
    QVERIFY(!dialog.isVisible());
}

void TestPortDialog::closingOtherwiseChangesNothing()
{
    FakeRadio line;
    line.setPortNumber(4);
    QVERIFY(line.open());
    PortDialog dialog(line);
    dialog.prepare();
    dialog.show();
    dialog.option(10)->click();
    dialog.reject(); // the window's close box
    QCOMPARE(line.portNumber(), 4);
    QVERIFY(line.isOpen());
}

void TestPortDialog::showsWhatKeepsEachPortFromUse()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")).toLocal8Bit()); // no bindings
    const QString root = dir.filePath(QStringLiteral("root"));
    QVERIFY(QDir().mkpath(root + QStringLiteral("/dev")));
    QVERIFY(QDir().mkpath(root + QStringLiteral("/proc/812/fd")));
    // Each adapter is a serial line of its own: the slave side of a pseudo-terminal.
    QList<int> masters;
    const auto closeMasters = qScopeGuard([&masters] {
        for (const int master : std::as_const(masters))
            ::close(master);
    });
    for (const char *name : {"/dev/ttyUSB0", "/dev/ttyUSB1"}) {
        const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        QVERIFY(master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0);
        masters.append(master);
        QVERIFY(QFile::link(QString::fromLocal8Bit(::ptsname(master)), root + QLatin1String(name)));
    }
    QFile comm(root + QStringLiteral("/proc/812/comm"));
    QVERIFY(comm.open(QIODevice::WriteOnly));
    comm.write("ModemManager\n");
    comm.close();
    QVERIFY(QFile::link(root + QStringLiteral("/dev/ttyUSB1"),
                        root + QStringLiteral("/proc/812/fd/5")));

    FakeRadio line;
    PortDialog dialog(line);
    dialog.setSystemRoot(root);
    dialog.prepare();
    const auto label = [&](const char *kind, int index) {
        return dialog.findChild<QLabel *>(
            QStringLiteral("lblCom%1_%2").arg(QLatin1String(kind)).arg(index));
    };
    QCOMPARE(label("Device", 0)->text(), root + QStringLiteral("/dev/ttyUSB0"));
    QCOMPARE(label("State", 0)->text(), QStringLiteral("ok"));
    QCOMPARE(label("Device", 1)->text(), root + QStringLiteral("/dev/ttyUSB1"));
    QCOMPARE(label("State", 1)->text(), QStringLiteral("busy (ModemManager)"));
    QVERIFY(label("State", 1)
                ->toolTip()
                .contains(QLatin1String("sudo systemctl disable --now ModemManager")));
    QCOMPARE(label("Device", 2)->text(), QStringLiteral("(none)"));
    QCOMPARE(label("State", 2)->text(), QString());
}

QTEST_MAIN(TestPortDialog)
#include "tst_port_dialog.moc"
