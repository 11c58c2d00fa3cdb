#include "app/help_window.h"
#include "app/main_window.h"
#include "fake_radio.h"
#include "scripted_interaction.h"
#include "test_home.h"
#include "test_window.h"

#include <QFile>
#include <QImageReader>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>

using namespace hxv5;
using namespace hxv5::testing;

// The user guide as the build lays it beside the programs: its pages in both languages, every
// picture and page they name, and F1 opening it in the window's language with its pictures.
class TestUserGuide : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY(m_config.enter()); }

    void pagesNameWhatExists_data();
    void pagesNameWhatExists();
    void f1OpensTheGuide_data();
    void f1OpensTheGuide();

private:
    hxv5::testing::TestHome m_config;
};

void TestUserGuide::pagesNameWhatExists_data()
{
    QTest::addColumn<QString>("page");
    for (const char *language : {"en", "ja"}) {
        for (const char *page : {"index.html", "messages.html"}) {
            const QString path = QLatin1String(language) + QLatin1Char('/') + QLatin1String(page);
            QTest::newRow(qPrintable(path)) << path;
        }
    }
}

// A picture is a PNG no smaller than a dialog and no larger than a window; a link within the
// guide leads to a page of it.
void TestUserGuide::pagesNameWhatExists()
{
    QFETCH(QString, page);
    const QString folder = HelpWindow::guideFolder();
    QVERIFY2(!folder.isEmpty(), "the guide is not beside the programs");
    QFile file(folder + QLatin1Char('/') + page);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    const QString html = QString::fromUtf8(file.readAll());
    const QString pageFolder = QFileInfo(file).absolutePath() + QLatin1Char('/');

    static const QRegularExpression picture(QStringLiteral("<img src=\"([^\"]+)\""));
    int pictures = 0;
    for (const QRegularExpressionMatch &m : picture.globalMatch(html)) {
        QImageReader reader(pageFolder + m.captured(1));
        QCOMPARE(reader.format(), QByteArray("png"));
        const QSize size = reader.size();
        QVERIFY2(size.width() >= 100 && size.width() <= 1600 && size.height() >= 80 &&
                     size.height() <= 1200,
                 qPrintable(m.captured(1)));
        ++pictures;
    }
    static const QRegularExpression link(QStringLiteral("<a href=\"([^\"#:]+)[\"#]"));
    for (const QRegularExpressionMatch &m : link.globalMatch(html))
        QVERIFY2(QFileInfo(pageFolder + m.captured(1)).isFile(), qPrintable(m.captured(1)));
    QVERIFY(page.endsWith(QLatin1String("messages.html")) || pictures >= 8);
}

void TestUserGuide::f1OpensTheGuide_data()
{
    QTest::addColumn<Language>("language");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("heading");
    QTest::newRow("English") << Language::English << "/en/index.html"
                             << "User Guide";
    QTest::newRow("Japanese") << Language::Japanese << "/ja/index.html"
                              << "ユーザーガイド";
}

void TestUserGuide::f1OpensTheGuide()
{
    QFETCH(Language, language);
    QFETCH(QString, page);
    QFETCH(QString, heading);
    FakeRadio radio;
    ScriptedInteraction user;
    const auto window = openTestWindow(radio, user, language);
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_F1);
    QWidget *help = window->helpWindow();
    QVERIFY(help && help->isVisible());
    auto *text = help->findChild<QTextBrowser *>();
    QCOMPARE(text->source().toLocalFile(), HelpWindow::guideFolder() + page);
    QVERIFY(text->toPlainText().contains(heading));
    // The first picture of the page comes through the browser, from the guide's folder.
    QString firstPicture;
    for (QTextBlock block = text->document()->begin(); block.isValid() && firstPicture.isEmpty();
         block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().isImageFormat()) {
                firstPicture = it.fragment().charFormat().toImageFormat().name();
                break;
            }
        }
    }
    QVERIFY(!firstPicture.isEmpty());
    QVERIFY(!text->loadResource(QTextDocument::ImageResource, QUrl(firstPicture)).isNull());
    // F1 again brings the same window back.
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_F1);
    QCOMPARE(window->helpWindow(), help);
}

QTEST_MAIN(TestUserGuide)
#include "tst_user_guide.moc"
