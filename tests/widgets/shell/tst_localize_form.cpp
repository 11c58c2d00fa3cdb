#include "app/localize_form.h"

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QToolBar>

using namespace hxv5;

class TestLocalizeForm : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void menuCaptionsComeFromTheTable_data();
    void menuCaptionsComeFromTheTable();
    void controlsByTag_data();
    void controlsByTag();
    void toolbarTabStripAndWindow_data();
    void toolbarTabStripAndWindow();
};

void TestLocalizeForm::menuCaptionsComeFromTheTable_data()
{
    QTest::addColumn<QString>("designCaption");
    QTest::addColumn<Language>("language");
    QTest::addColumn<QString>("shown");

    QTest::newRow("Import, English") << "1201" << Language::English << "Import(&I)...";
    QTest::newRow("Import, Japanese") << "1201" << Language::Japanese << "ｲﾝﾎﾟｰﾄ(&I)...";
    QTest::newRow("Exit, English") << "1007" << Language::English << "Exit(&X)...";
    QTest::newRow("Exit, Japanese") << "1007" << Language::Japanese << "終了(&X)";
    QTest::newRow("unknown identifier kept") << "4711" << Language::English << "4711";
    QTest::newRow("not a number kept") << "&Quit" << Language::English << "&Quit";
}

void TestLocalizeForm::menuCaptionsComeFromTheTable()
{
    QFETCH(QString, designCaption);
    QFETCH(Language, language);
    QFETCH(QString, shown);

    QMainWindow form;
    QMenu *menu = form.menuBar()->addMenu(QStringLiteral("1000"));
    QMenu *submenu = menu->addMenu(QStringLiteral("1203"));
    QAction *item = submenu->addAction(designCaption);

    LocalizeForm(&form, language);

    QCOMPARE(item->text(), shown);
    QCOMPARE(menu->title(), language == Language::English ? QStringLiteral("File(&F)")
                                                          : QStringLiteral("ﾌｧｲﾙ(&F)"));
    QCOMPARE(submenu->title(), language == Language::English ? QStringLiteral("Read(&R)")
                                                             : QStringLiteral("読み出し(&R)"));
}

void TestLocalizeForm::controlsByTag_data()
{
    QTest::addColumn<QVariant>("tag");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shownToolTip");

    struct Case
    {
        const char *name;
        QVariant tag;
        const char *toolTip;
        const char *caption;
        const char *shownToolTip;
    };
    const Case cases[] = {
        {"no tag", QVariant(), "", "Go", ""},
        {"empty tag", QVariant(QString()), "", "Go", ""},
        {"tag not a number", QStringLiteral("x12"), "", "Go", ""},
        {"tag 0", QStringLiteral("0"), "", "Go", ""},
        {"negative tag", QStringLiteral("-1003"), "", "Go", ""},
        {"numeric tag", QStringLiteral("1003"), "", "Save(&S)", ""},
        {"tag with blanks", QStringLiteral(" 1003 "), "", "Save(&S)", ""},
        {"tool tip identifier", QVariant(), "1018", "Go", "Open"},
        {"tool tip text kept", QVariant(), "Go on", "Go", "Go on"},
    };
    for (const Case &c : cases)
        QTest::newRow(c.name) << c.tag << QString::fromUtf8(c.toolTip)
                              << QString::fromUtf8(c.caption) << QString::fromUtf8(c.shownToolTip);
}

void TestLocalizeForm::controlsByTag()
{
    QFETCH(QVariant, tag);
    QFETCH(QString, toolTip);
    QFETCH(QString, caption);
    QFETCH(QString, shownToolTip);

    QWidget form;
    auto *button = new QPushButton(QStringLiteral("Go"), &form);
    button->setProperty(kTagProperty, tag);
    button->setToolTip(toolTip);
    auto *label = new QLabel(QStringLiteral("Go"), &form);
    label->setProperty(kTagProperty, tag);

    LocalizeForm(&form, Language::English);

    QCOMPARE(button->text(), caption);
    QCOMPARE(button->toolTip(), shownToolTip);
    QCOMPARE(label->text(), caption);
}

void TestLocalizeForm::toolbarTabStripAndWindow_data()
{
    QTest::addColumn<Language>("language");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<QString>("tabCaption");
    QTest::addColumn<QString>("windowCaption");

    QTest::newRow("English") << Language::English << "Help"
                             << "Settings(&S)"
                             << "Memory(&M)";
    QTest::newRow("Japanese") << Language::Japanese << "ﾍﾙﾌﾟ"
                              << "設定(&S)"
                              << "メモリー(&M)";
}

void TestLocalizeForm::toolbarTabStripAndWindow()
{
    QFETCH(Language, language);
    QFETCH(QString, toolTip);
    QFETCH(QString, tabCaption);
    QFETCH(QString, windowCaption);

    QMainWindow form;
    form.setWindowTitle(QStringLiteral("design"));
    form.setProperty(kTagProperty, QStringLiteral("1206"));
    QToolBar *toolbar = form.addToolBar(QStringLiteral("bar"));
    QAction *help = toolbar->addAction(QStringLiteral("key"));
    help->setToolTip(QStringLiteral("1021"));
    QAction *plain = toolbar->addAction(QStringLiteral("key2"));
    plain->setToolTip(QStringLiteral("no identifier"));
    auto *tabs = new QTabBar(&form);
    tabs->addTab(QStringLiteral("Settings 1")); // no tag: keeps its caption
    const int tagged = tabs->addTab(QStringLiteral("design"));
    tabs->setTabData(tagged, QStringLiteral("1205"));
    tabs->setTabToolTip(tagged, QStringLiteral("1021"));

    LocalizeForm(&form, language);

    QCOMPARE(help->toolTip(), toolTip);
    QCOMPARE(plain->toolTip(), QStringLiteral("no identifier"));
    QCOMPARE(tabs->tabText(0), QStringLiteral("Settings 1"));
    QCOMPARE(tabs->tabText(tagged), tabCaption);
    QCOMPARE(tabs->tabToolTip(tagged), toolTip);
    QCOMPARE(form.windowTitle(), windowCaption);
}

QTEST_MAIN(TestLocalizeForm)
#include "tst_localize_form.moc"
