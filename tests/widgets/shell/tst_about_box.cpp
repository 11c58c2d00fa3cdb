#include "app/about_box.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace hxv5;

class TestAboutBox : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void texts();
    void systemInformation_data();
    void systemInformation();
    void okHides();
};

void TestAboutBox::texts()
{
    AboutBox box;
    QCOMPARE(box.objectName(), QStringLiteral("frmAbout"));
    QCOMPARE(box.windowTitle(), QStringLiteral("About Tormel Clone Utility"));
    QCOMPARE(box.findChild<QLabel *>(QStringLiteral("lblTitle"))->text(),
             QStringLiteral("Tormel HX-V5 Clone Utility"));
    QCOMPARE(box.findChild<QLabel *>(QStringLiteral("lblVersion"))->text(),
             QStringLiteral("Version 0.10.00 Beta"));
    QCOMPARE(box.findChild<QPushButton *>(QStringLiteral("cmdSysInfo"))->text(),
             QStringLiteral("ｼｽﾃﾑ情報(&S)..."));
    for (const char *name : {"Picture1", "picIcon", "lblDescription", "lblDisclaimer"})
        QVERIFY2(box.findChild<QLabel *>(QLatin1String(name)), name);
}

void TestAboutBox::systemInformation_data()
{
    QTest::addColumn<QStringList>("programs");
    QTest::addColumn<bool>("started");

    QTest::newRow("none on this system")
        << QStringList{QStringLiteral("hxv5-no-such-tool")} << false;
    QTest::newRow("no candidates") << QStringList{} << false;
    QTest::newRow("missing path") << QStringList{QStringLiteral("/nonexistent/sysinfo")} << false;
    QTest::newRow("second candidate found")
        << QStringList{QStringLiteral("hxv5-no-such-tool"), QStringLiteral("true")} << true;
}

void TestAboutBox::systemInformation()
{
    QFETCH(QStringList, programs);
    QFETCH(bool, started);

    AboutBox box;
    box.setSystemInfoPrograms(programs);
    QStringList messages;
    box.setMessageHook([&](QWidget *, const QString &text) { messages.append(text); });

    box.findChild<QPushButton *>(QStringLiteral("cmdSysInfo"))->click();

    if (started) {
        QVERIFY(messages.isEmpty());
        QVERIFY(!box.findSystemInfoProgram().isEmpty());
    } else {
        QCOMPARE(messages, QStringList{QStringLiteral("現時点ではｼｽﾃﾑ情報を使用できません")});
    }
}

void TestAboutBox::okHides()
{
    AboutBox box;
    box.show();
    QVERIFY(box.isVisible());
    box.findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
    QVERIFY(!box.isVisible());
    QCOMPARE(box.result(), int(QDialog::Accepted));
}

QTEST_MAIN(TestAboutBox)
#include "tst_about_box.moc"
