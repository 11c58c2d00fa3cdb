#include "app/compare_dialog.h"
#include "app/help_window.h"
#include "app/main_window.h"
#include "fake_radio.h"
#include "scripted_interaction.h"
#include "test_home.h"
#include "test_window.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QButtonGroup>
#include <QImageReader>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>

using namespace hxv5;
using namespace hxv5::testing;

namespace {

// The name a screen reader reads out. A list box may give its current entry as its name, which
// names nothing; then only a name given to it counts.
QString nameOf(QWidget *control)
{
    QAccessibleInterface *item = QAccessible::queryAccessibleInterface(control);
    const QString name = item->text(QAccessible::Name);
    return name == item->text(QAccessible::Value) ? control->accessibleName() : name;
}

// The controls of a window that take the focus, as the accessibility tree tells them; cells,
// tabs and menu items are parts of their control.
void collectControls(QAccessibleInterface *item, QList<QWidget *> &controls)
{
    for (int i = 0; i < item->childCount(); ++i) {
        QAccessibleInterface *child = item->child(i);
        auto *control = child ? qobject_cast<QWidget *>(child->object()) : nullptr;
        if (!control)
            continue;
        const QAccessible::State state = child->state();
        if (state.focusable && !state.invisible && !state.disabled)
            controls.append(control);
        collectControls(child, controls);
    }
}

// The controls Tab stops at from the window's first, once round the window.
QList<QWidget *> tabStops(QWidget &window, QWidget *first)
{
    first->setFocus(Qt::TabFocusReason);
    first = QApplication::focusWidget();
    QList<QWidget *> stops;
    // A text browser keeps the focus while Tab walks its links; a grid that kept it for good
    // would never let the walk end.
    int presses = 0;
    for (QWidget *at = first; at && at->window() == &window && ++presses < 400;
         at = QApplication::focusWidget()) {
        if (!stops.isEmpty() && at == first && stops.last() != first)
            break;
        if (stops.isEmpty() || stops.last() != at)
            stops.append(at);
        QTest::keyClick(at, Qt::Key_Tab);
    }
    return stops;
}

QRect placeIn(QWidget &window, const QWidget *control)
{
    return QRect(control->mapTo(&window, QPoint(0, 0)), control->size());
}

const QRegularExpression kPicture(QStringLiteral("<img src=\"([^\"]+)\""));

QString label(const QWidget *control)
{
    return QLatin1String(control->metaObject()->className()) + QLatin1Char(' ') +
           control->objectName();
}

// What keeps a window from use without a mouse: a control without a name, one that Tab does not
// reach (an option counts as reached with its group), Tab going back up and to the left before
// it has been round, and a dialog that Esc does not cancel or Enter does not close with OK.
QStringList problemsOf(QWidget &window, bool dialog)
{
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        return {QStringLiteral("the window does not become active")};
    QList<QWidget *> controls;
    collectControls(QAccessible::queryAccessibleInterface(&window), controls);
    if (controls.isEmpty())
        return {QStringLiteral("no control takes the focus")};
    const QList<QWidget *> stops = tabStops(window, controls.first());
    QStringList problems;
    for (QWidget *control : std::as_const(controls)) {
        if (nameOf(control).isEmpty())
            problems << label(control) + QStringLiteral(" has no name");
        const auto *option = qobject_cast<QAbstractButton *>(control);
        const QList<QAbstractButton *> group =
            option && option->group() ? option->group()->buttons() : QList<QAbstractButton *>();
        if (!stops.contains(control) &&
            std::none_of(group.cbegin(), group.cend(), [&](auto *b) { return stops.contains(b); }))
            problems << label(control) + QStringLiteral(" is not reached by Tab");
    }
    for (qsizetype i = 1; i < stops.size(); ++i) {
        const QRect from = placeIn(window, stops.at(i - 1));
        const QRect to = placeIn(window, stops.at(i));
        if (to.center().y() < from.top() && to.center().x() < from.left())
            problems << label(stops.at(i)) + QStringLiteral(" is out of reading order");
    }
    if (dialog) {
        auto &modal = static_cast<QDialog &>(window);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        if (modal.isVisible() || modal.result() != QDialog::Rejected)
            problems << QStringLiteral("Esc does not cancel it");
        modal.show();
        modal.activateWindow();
        if (QTest::qWaitForWindowActive(&modal))
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        if (modal.isVisible() || modal.result() != QDialog::Accepted)
            problems << QStringLiteral("Enter does not press OK");
    }
    return problems;
}

} // namespace

// Every window and dialog without a mouse and with a screen reader; the user guide beside the
// programs, and F1 opening it.
class TestKeyboardAndGuide : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY(m_home.enter()); }
    void everyControlNamedAndReached_data();
    void everyControlNamedAndReached();
    void ctrlTabGoesRoundTheTabs();
    void guidePagesNameWhatExists_data();
    void guidePagesNameWhatExists();
    void f1OpensTheGuide_data();
    void f1OpensTheGuide();

private:
    TestHome m_home;
    FakeRadio m_radio;
    ScriptedInteraction m_user;
};

void TestKeyboardAndGuide::everyControlNamedAndReached_data()
{
    QTest::addColumn<int>("tab");
    // The command that opens the window (a modal one, a window of its own or a panel of the main
    // window); none for the main window itself.
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("dialog");
    QTest::newRow("Settings 1") << 1 << "" << false;
    QTest::newRow("Settings 2") << 2 << "" << false;
    QTest::newRow("Memory") << 3 << "" << false;
    QTest::newRow("test panel") << 3 << "TestPanelToggle" << false;
    QTest::newRow("find bar") << 3 << "mnuViewFind" << false;
    QTest::newRow("edit dialog, channel") << 3 << "mnuEditUndo" << true;
    QTest::newRow("edit dialog, VFO") << 1 << "mnuEditUndo" << true;
    QTest::newRow("edit selected channels") << 3 << "mnuEditSelected" << true;
    QTest::newRow("sort channels") << 3 << "mnuEditSort" << true;
    QTest::newRow("port dialog") << 1 << "mnuToolsOptions" << true;
    QTest::newRow("print dialog") << 1 << "mnuFilePrint" << true;
    QTest::newRow("printer setup") << 1 << "mnuFilePageSetup" << true;
    QTest::newRow("about box") << 1 << "mnuHelpAbout" << true;
    QTest::newRow("help window") << 1 << "mnuHelpGuide" << false;
    QTest::newRow("compare dialog") << 1 << "compare" << false;
}

void TestKeyboardAndGuide::everyControlNamedAndReached()
{
    QFETCH(int, tab);
    QFETCH(QString, command);
    QFETCH(bool, dialog);
    QStringList problems;
    QWidget *checked = nullptr;
    const auto window = openTestWindow(m_radio, m_user, Language::English, [&](QDialog &modal) {
        if (checked)
            return modal.reject(); // what a dialog opens after it closed
        checked = &modal;
        modal.show();
        problems = problemsOf(modal, dialog);
        modal.reject();
    });
    window->selectTab(tab);
    window->show();
    if (command == QLatin1String("compare")) {
        CompareDialog compare({{QStringLiteral("slot 1"), QStringLiteral("Frequency"),
                                QStringLiteral("145.50000"), QStringLiteral("145.52500")}},
                              window.get());
        compare.show();
        problems = problemsOf(compare, dialog);
        checked = &compare;
    } else if (!command.isEmpty()) {
        window->findChild<QAction *>(command)->trigger();
    }
    if (!checked)
        problems = problemsOf(window->helpWindow() ? *window->helpWindow() : *window, dialog);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
}

void TestKeyboardAndGuide::ctrlTabGoesRoundTheTabs()
{
    const auto window = openTestWindow(m_radio, m_user);
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QList<int> tabs;
    // Shift+Tab comes as Backtab.
    for (const Qt::Key key : {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Backtab}) {
        QTest::keyClick(QApplication::focusWidget(), key,
                        key == Qt::Key_Tab ? Qt::ControlModifier
                                           : Qt::ControlModifier | Qt::ShiftModifier);
        tabs << window->selectedTab();
    }
    QCOMPARE(tabs, (QList<int>{2, 3, 1, 3}));
}

void TestKeyboardAndGuide::guidePagesNameWhatExists_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<int>("pictures");
    for (const char *language : {"/en/", "/ja/"}) {
        QTest::addRow("%sindex.html", language) << language + QStringLiteral("index.html") << 10;
        QTest::addRow("%smessages.html", language)
            << language + QStringLiteral("messages.html") << 0;
    }
}

// Each picture a page names is a PNG no smaller than a dialog and no larger than a window; each
// link within the guide leads to a page of it.
void TestKeyboardAndGuide::guidePagesNameWhatExists()
{
    QFETCH(QString, page);
    QFETCH(int, pictures);
    QFile file(HelpWindow::guideFolder() + page);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    const QString html = QString::fromUtf8(file.readAll());
    const QString folder = QFileInfo(file).absolutePath() + QLatin1Char('/');
    int found = 0;
    for (const QRegularExpressionMatch &m : kPicture.globalMatch(html)) {
        QImageReader reader(folder + m.captured(1));
        const QSize size = reader.size();
        QVERIFY2(reader.format() == "png" && size.width() >= 100 && size.width() <= 1600 &&
                     size.height() >= 80 && size.height() <= 1200,
                 qPrintable(m.captured(1)));
        ++found;
    }
    QVERIFY(found >= pictures);
    static const QRegularExpression link(QStringLiteral("<a href=\"([^\"#:]+)[\"#]"));
    for (const QRegularExpressionMatch &m : link.globalMatch(html))
        QVERIFY2(QFileInfo(folder + m.captured(1)).isFile(), qPrintable(m.captured(1)));
}

void TestKeyboardAndGuide::f1OpensTheGuide_data()
{
    QTest::addColumn<Language>("language");
    QTest::addColumn<QString>("page");
    QTest::newRow("English") << Language::English << "/en/index.html";
    QTest::newRow("Japanese") << Language::Japanese << "/ja/index.html";
}

void TestKeyboardAndGuide::f1OpensTheGuide()
{
    QFETCH(Language, language);
    QFETCH(QString, page);
    const auto window = openTestWindow(m_radio, m_user, language);
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_F1);
    QWidget *help = window->helpWindow();
    QVERIFY(help && help->isVisible());
    auto *text = help->findChild<QTextBrowser *>();
    QCOMPARE(text->source().toLocalFile(), HelpWindow::guideFolder() + page);
    // Its pictures come through the browser, from the guide's folder.
    const QRegularExpressionMatch picture = kPicture.match(text->toHtml());
    QVERIFY(picture.hasMatch());
    QVERIFY(!text->loadResource(QTextDocument::ImageResource, QUrl(picture.captured(1))).isNull());
    window->findChild<QAction *>(QStringLiteral("mnuHelpGuide"))->trigger();
    QCOMPARE(window->helpWindow(), help);
}

QTEST_MAIN(TestKeyboardAndGuide)
#include "tst_keyboard_and_guide.moc"
