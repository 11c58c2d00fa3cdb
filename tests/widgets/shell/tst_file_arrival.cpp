#include "app/file_arrival.h"
#include "app/main_window.h"
#include "app/recent_files_menu.h"
#include "document/document.h"
#include "fake_radio.h"
#include "files/chirp_csv.h"
#include "files/clone_file.h"
#include "files/file_commands.h"
#include "scripted_interaction.h"
#include "test_home.h"
#include "test_window.h"

#include <QAction>
#include <QCoreApplication>
#include <QDialog>
#include <QDropEvent>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <memory>

using namespace hxv5;
using namespace hxv5::testing;
using namespace std::chrono_literals;

// Files that come to the window from outside: dropped on it, named on the command line, chosen
// among the recent files.
class TestFileArrival : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void dropTakesOneKnownFile_data();
    void dropTakesOneKnownFile();
    void droppedFilesOpenOrImport_data();
    void droppedFilesOpenOrImport();
    void commandLineOpensOneFile_data();
    void commandLineOpensOneFile();
    void recentFilesFollowOpenAndSave();
    void recentFilesLockedWhileBusy();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    // Drags the local files onto the window and drops them; whether the window took the drag.
    bool drop(const QStringList &files);
    // A window, with a new scripted line and user, on the recent files the store holds.
    void makeWindow();
    RecentFilesMenu &recentMenu() { return *m_window->findChild<RecentFilesMenu *>(); }

    hxv5::testing::TestHome m_dir;
    Document m_source;
    std::unique_ptr<FakeRadio> m_radio;
    std::unique_ptr<ScriptedInteraction> m_user;
    std::unique_ptr<MainWindow> m_window;
};

void TestFileArrival::initTestCase()
{
    QVERIFY(m_dir.enter());

    TableRow row;
    row.number = {145.5, 0, 5, 0, 8, 8, 0, 0, 0};
    row.text = {"145.50000", "FM", "12.5KHz", "None", "88.5Hz", "88.5Hz", "None", ".00000", "x"};
    m_source.channels().setSlot(9, row, true);
    QCOMPARE(writeCloneFile(path(QStringLiteral("a.TV5")), m_source), FileError::None);
    QCOMPARE(writeCloneFile(path(QStringLiteral("b.tv5")), m_source), FileError::None);
    QCOMPARE(exportChirpCsv(path(QStringLiteral("chirp.csv")), m_source), FileError::None);
    QCOMPARE(exportCsv(path(QStringLiteral("own.CSV")), m_source), FileError::None);
    QFile other(path(QStringLiteral("notes.txt")));
    QVERIFY(other.open(QIODevice::WriteOnly));
}

void TestFileArrival::init()
{
    QSettings().clear(); // no recent files from the test before
    makeWindow();
}

void TestFileArrival::makeWindow()
{
    m_window.reset();
    m_radio = std::make_unique<FakeRadio>();
    m_user = std::make_unique<ScriptedInteraction>();
    m_window = openTestWindow(*m_radio, *m_user);
}

void TestFileArrival::cleanup()
{
    m_window.reset();
    m_user.reset();
    m_radio.reset();
}

bool TestFileArrival::drop(const QStringList &files)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const QString &file : files)
        urls.append(file.contains(u':') ? QUrl(file) : QUrl::fromLocalFile(path(file)));
    data.setUrls(urls);
    const QPoint at = m_window->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(m_window.get(), &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent dropped(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(m_window.get(), &dropped);
    return dropped.isAccepted();
}

void TestFileArrival::dropTakesOneKnownFile_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<bool>("taken");

    QTest::newRow("a clone file") << QStringList{"a.TV5"} << true;
    QTest::newRow("a clone file in lower case") << QStringList{"b.tv5"} << true;
    QTest::newRow("a CSV file") << QStringList{"own.CSV"} << true;
    QTest::newRow("another kind of file") << QStringList{"notes.txt"} << false;
    QTest::newRow("two files") << QStringList{"a.TV5", "b.tv5"} << false;
    QTest::newRow("no local file") << QStringList{"https://example.invalid/a.TV5"} << false;
}

void TestFileArrival::dropTakesOneKnownFile()
{
    QFETCH(QStringList, files);
    QFETCH(bool, taken);

    m_user->saveAnswer = UserInteraction::Answer::Cancel;
    m_window->document().setChanged(true);
    QCOMPARE(drop(files), taken);
    // Taken or not, the unsaved tables are asked about before anything replaces them.
    QCOMPARE(m_user->saveQuestions, taken ? 1 : 0);
    QVERIFY(m_window->document().channels().row(9).isEmpty());
}

void TestFileArrival::droppedFilesOpenOrImport_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("currentFile"); // empty after an import
    QTest::addColumn<bool>("changed");

    QTest::newRow("a clone file opens") << "a.TV5"
                                        << "a.TV5" << false;
    QTest::newRow("a CHIRP file is imported") << "chirp.csv"
                                              << "" << true;
    QTest::newRow("an own CSV file is imported") << "own.CSV"
                                                 << "" << true;
}

void TestFileArrival::droppedFilesOpenOrImport()
{
    QFETCH(QString, file);
    QFETCH(QString, currentFile);
    QFETCH(bool, changed);

    m_window->document().setChanged(true);
    m_user->saveAnswer = UserInteraction::Answer::No;
    QVERIFY(drop({file}));
    QCOMPARE(m_user->saveQuestions, 1);
    QVERIFY(m_user->errors.isEmpty());
    QVERIFY(m_user->asked.filter(QStringLiteral("open")).isEmpty()); // no chooser
    QCOMPARE(m_window->document().channels().row(9).text[kColNotes], QStringLiteral("x"));
    QCOMPARE(m_window->document().currentFile(),
             currentFile.isEmpty() ? QString() : path(currentFile));
    QCOMPARE(m_window->document().isChanged(), changed);
}

void TestFileArrival::commandLineOpensOneFile_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("opened");
    QTest::addColumn<QStringList>("errors");

    QTest::newRow("none") << QStringList() << false << QStringList();
    QTest::newRow("one clone file") << QStringList{"a.TV5"} << true << QStringList();
    QTest::newRow("two files") << QStringList{"a.TV5", "b.tv5"} << false << QStringList();
    QTest::newRow("a missing file")
        << QStringList{"gone.TV5"} << false << QStringList{QStringLiteral("File Open Error")};
}

void TestFileArrival::commandLineOpensOneFile()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, opened);
    QFETCH(QStringList, errors);

    for (QString &argument : arguments)
        argument = path(argument);
    QCOMPARE(openCommandLineFile(m_window->fileCommands(), arguments), opened);
    QCOMPARE(m_user->errors, errors);
    QCOMPARE(m_window->document().currentFile(), opened ? arguments.first() : QString());
    // The caption's mark shows when there are unsaved changes.
    QCOMPARE(m_window->windowTitle(), opened
                                          ? QStringLiteral("a.TV5 - Tormel HX-V5 Clone Utility[*]")
                                          : QStringLiteral("Tormel HX-V5 Clone Utility[*]"));
    QVERIFY(!m_window->isWindowModified());
}

void TestFileArrival::recentFilesFollowOpenAndSave()
{
    auto *menu = m_window->findChild<QMenu *>(QStringLiteral("mnuFileRecent"));
    QVERIFY(menu);
    QCOMPARE(menu->menuAction()->text(), QStringLiteral("Recent Files(&R)"));
    auto *clear = m_window->findChild<QAction *>(QStringLiteral("mnuFileRecentClear"));
    QCOMPARE(clear->text(), QStringLiteral("Clear Recent Files(&C)"));
    QVERIFY(recentMenu().shownFiles().isEmpty());

    // Opened, then saved under another name, then the first opened again.
    QVERIFY(m_window->fileCommands().OpenFile(path(QStringLiteral("a.TV5"))));
    m_user->saveChoices = {path(QStringLiteral("saved.TV5"))};
    QVERIFY(m_window->fileCommands().SaveAs());
    QCOMPARE(recentMenu().shownFiles(),
             (QStringList{path(QStringLiteral("saved.TV5")), path(QStringLiteral("a.TV5"))}));
    // Exports and imports are no clone files.
    m_user->saveChoices = {path(QStringLiteral("out.csv"))};
    QVERIFY(m_window->fileCommands().Export());
    QCOMPARE(recentMenu().shownFiles().size(), 2);
    auto *first = m_window->findChild<QAction *>(QStringLiteral("mnuFileRecent_0"));
    QCOMPARE(first->text(), QStringLiteral("&1 saved.TV5"));

    // Choosing one opens it.
    recentMenu().chooseEntry(1);
    QCOMPARE(m_window->document().currentFile(), path(QStringLiteral("a.TV5")));
    QCOMPARE(recentMenu().shownFiles().first(), path(QStringLiteral("a.TV5")));

    // The list is the user's: a new window shows it.
    makeWindow();
    QCOMPARE(recentMenu().shownFiles(),
             (QStringList{path(QStringLiteral("a.TV5")), path(QStringLiteral("saved.TV5"))}));

    // A file that is gone: the message, and out of the list; the document stays as it was.
    QVERIFY(QFile::remove(path(QStringLiteral("saved.TV5"))));
    m_window->document().setChanged(true);
    recentMenu().chooseEntry(1);
    QCOMPARE(m_user->errors, QStringList{QStringLiteral("File Open Error")});
    QCOMPARE(m_user->saveQuestions, 0);
    QVERIFY(m_window->document().isChanged());
    QCOMPARE(recentMenu().shownFiles(), QStringList{path(QStringLiteral("a.TV5"))});

    m_window->findChild<QAction *>(QStringLiteral("mnuFileRecentClear"))->trigger();
    QVERIFY(recentMenu().shownFiles().isEmpty());
    QVERIFY(RecentFiles::load().files().isEmpty());
}

void TestFileArrival::recentFilesLockedWhileBusy()
{
    QVERIFY(m_window->fileCommands().OpenFile(path(QStringLiteral("a.TV5"))));
    auto *menu = m_window->findChild<QMenu *>(QStringLiteral("mnuFileRecent"));
    m_window->document().setBusy(true);
    QVERIFY(!menu->menuAction()->isEnabled());
    m_window->document().channels().clearAll();
    m_window->document().setChanged(true);
    // Even reached past the menu, nothing is read under a running transfer, nor dropped.
    recentMenu().chooseEntry(0);
    QVERIFY(!drop({QStringLiteral("b.tv5")}) || m_user->saveQuestions == 0);
    QVERIFY(m_window->document().channels().row(9).isEmpty());
    QCOMPARE(m_user->saveQuestions, 0);
    m_window->document().setBusy(false);
    QVERIFY(menu->menuAction()->isEnabled());
}

QTEST_MAIN(TestFileArrival)
#include "tst_file_arrival.moc"
