// The window's safe writes: the Tool menu's two choices, stored per user, and a write that
// follows them, with its phases in the progress bar.

#include "app/main_panels.h"
#include "app/main_window.h"
#include "backups_folder.h"
#include "document/document.h"
#include "fake_radio.h"
#include "link/transfers.h"
#include "scripted_interaction.h"
#include "test_home.h"
#include "test_window.h"

#include <QAction>
#include <QCoreApplication>
#include <QDialog>
#include <QHash>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace hxv5;
using namespace hxv5::testing;
using namespace std::chrono_literals;

class TestSafeWriteWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void choicesAtFirstAndRemembered();
    void writeFollowsTheChoices_data();
    void writeFollowsTheChoices();
    void escStopsAWrite();

private:
    void openWindow();
    QAction *action(const char *name) const
    {
        return m_window->findChild<QAction *>(QLatin1String(name));
    }
    // Runs the window's command to the end of its transfer.
    bool runTransfer(void (MainWindow::*command)());
    QString backupsFolder() const
    {
        return m_home.filePath(QStringLiteral("data/hxv5-test/tst_safe_write_window/backups"));
    }

    hxv5::testing::TestHome m_home;
    std::unique_ptr<FakeRadio> m_radio;
    int m_corruptBlock = -1;
    std::unique_ptr<ScriptedInteraction> m_user;
    std::unique_ptr<MainWindow> m_window;
};

void TestSafeWriteWindow::initTestCase()
{
    QVERIFY(m_home.enter());
    QCoreApplication::setApplicationName(QStringLiteral("tst_safe_write_window"));
}

void TestSafeWriteWindow::init()
{
    QDir(m_home.filePath(QStringLiteral("config"))).removeRecursively();
    QVERIFY(prepareBackupsFolder(backupsFolder(), false));
    m_corruptBlock = -1;
    m_radio = std::make_unique<FakeRadio>();
    m_radio->onWrite = [this](int block) {
        QString &kept = m_radio->blocks[block];
        if (block == m_corruptBlock)
            kept[31] = kept.at(31) == QLatin1Char('0') ? QLatin1Char('1') : QLatin1Char('0');
    };
    m_user = std::make_unique<ScriptedInteraction>();
    openWindow();
}

void TestSafeWriteWindow::openWindow()
{
    m_window.reset();
    m_window = openTestWindow(*m_radio, *m_user);
}

void TestSafeWriteWindow::cleanup()
{
    m_window.reset();
    m_user.reset();
    m_radio.reset();
}

bool TestSafeWriteWindow::runTransfer(void (MainWindow::*command)())
{
    QSignalSpy running(&m_window->transfers(), &Transfers::runningChanged);
    (m_window.get()->*command)();
    while (running.size() < 2) {
        if (!running.wait(20000))
            return false;
    }
    return true;
}

void TestSafeWriteWindow::choicesAtFirstAndRemembered()
{
    for (const char *name : {"mnuToolsWriteChanges", "mnuToolsVerify"}) {
        QVERIFY2(action(name), name);
        QVERIFY(action(name)->isCheckable());
    }
    // Only changes at first: a write reads the radio first and keeps what it held.
    QVERIFY(action("mnuToolsWriteChanges")->isChecked());
    QVERIFY(!action("mnuToolsVerify")->isChecked());
    QCOMPARE(action("mnuToolsWriteChanges")->text(), QStringLiteral("Write Changes Only(&O)"));
    QCOMPARE(action("mnuToolsVerify")->text(), QStringLiteral("Verify After Write(&V)"));
    QVERIFY(m_window->transfers().writeOptions().changesOnly);
    QVERIFY(!m_window->transfers().writeOptions().verify);

    // The plain write is one untick away.
    action("mnuToolsWriteChanges")->trigger();
    QVERIFY(!m_window->transfers().writeOptions().any());

    // The next start of the program has the user's choice.
    openWindow();
    QVERIFY(!action("mnuToolsWriteChanges")->isChecked());
    QVERIFY(!action("mnuToolsVerify")->isChecked());
    QVERIFY(!m_window->transfers().writeOptions().any());

    action("mnuToolsWriteChanges")->trigger();
    action("mnuToolsVerify")->trigger();
    openWindow();
    QVERIFY(action("mnuToolsWriteChanges")->isChecked());
    QVERIFY(action("mnuToolsVerify")->isChecked());
    QVERIFY(m_window->transfers().writeOptions().verify);
    QVERIFY(m_window->transfers().writeOptions().changesOnly);
}

void TestSafeWriteWindow::writeFollowsTheChoices_data()
{
    QTest::addColumn<bool>("changesOnly");
    QTest::addColumn<bool>("verify");
    QTest::addColumn<int>("corrupt");
    QTest::addColumn<QStringList>("phases"); // the progress bar's texts, in order
    QTest::addColumn<int>("writes");
    QTest::addColumn<QStringList>("errors");
    QTest::addColumn<QString>("notice");
    // "yes" or "no": slot 12 is on the radio and cleared in the window, the user answers so.
    QTest::addColumn<QString>("clearAnswer");

    const QStringList readChanged{"Reading what the radio holds %p%",
                                  "Writing 1 changed block %p%"};
    QTest::newRow("both off: the plain write")
        << false << false << -1 << QStringList() << 215 << QStringList()
        << QStringLiteral("Write Memory completed") << QString();
    QTest::newRow("changes only, verified")
        << true << true << -1 << readChanged + QStringList{"Verifying 1 block %p%"} << 1
        << QStringList()
        << QStringLiteral("Write Memory completed: 1 changed block written, verified") << QString();
    QTest::newRow("changes only, verified, slot 12 corrupted")
        << true << true << 12 << readChanged + QStringList{"Verifying 1 block %p%"} << 1
        << QStringList{"Verify Error"} << QString() << QString();
    QTest::newRow("verified") << false << true << -1
                              << QStringList{"Writing 215 blocks %p%", "Verifying 215 blocks %p%"}
                              << 215 << QStringList()
                              << QStringLiteral("Write Memory completed, verified") << QString();
    // The window's wiring of the safe writes: each choice reaches the write, its phases and
    // notice show, a verify error and the question to clear a channel reach the user. Which
    // blocks go out is the transfers' own test.
    // A channel the radio holds, gone from the window: asked first; No sends nothing.
    QTest::newRow("clears a channel, No") << true << false << -1 << readChanged.mid(0, 1) << 0
                                          << QStringList() << QString() << QStringLiteral("no");
}

void TestSafeWriteWindow::writeFollowsTheChoices()
{
    QFETCH(bool, changesOnly);
    QFETCH(bool, verify);
    QFETCH(int, corrupt);
    QFETCH(QStringList, phases);
    QFETCH(int, writes);
    QFETCH(QStringList, errors);
    QFETCH(QString, notice);
    QFETCH(QString, clearAnswer);

    // The radio holds the document, written plainly; then one channel changes or goes.
    const QString slot12 = QStringLiteral("014652000000050000000000000000FF");
    m_window->selectTab(kTabMemory);
    chooseMenuItem(*m_window, "mnuToolsWriteChanges", false);
    if (!clearAnswer.isEmpty())
        m_window->document().DecodeChannelRecord(slot12, 12);
    QVERIFY(runTransfer(&MainWindow::cmbTxData_Click));
    m_window->document().DecodeChannelRecord(
        clearAnswer.isEmpty() ? slot12 : QStringLiteral("000000000000000000000000000000FF"), 12);
    m_radio->sent.clear();
    m_corruptBlock = corrupt;
    m_user->writeAnswer = clearAnswer == QLatin1String("yes");
    chooseMenuItem(*m_window, "mnuToolsWriteChanges", changesOnly);
    chooseMenuItem(*m_window, "mnuToolsVerify", verify);

    auto *progress = m_window->findChild<QProgressBar *>(QStringLiteral("ProgressBar1"));
    QStringList shown;
    connect(&m_window->transfers(), &Transfers::phaseProgress, this, [&] {
        QVERIFY(!progress->isHidden());
        if (shown.isEmpty() || shown.constLast() != progress->format())
            shown.append(progress->format());
    });
    QVERIFY(runTransfer(&MainWindow::cmbTxData_Click));

    QCOMPARE(shown, phases);
    int written = 0;
    for (const QByteArray &command : std::as_const(m_radio->sent))
        written += command.at(8) == 'W' ? 1 : 0;
    QCOMPARE(written, writes);
    QCOMPARE(m_user->errors, errors);
    QCOMPARE(
        m_user->writeQuestions,
        clearAnswer.isEmpty()
            ? QStringList()
            : QStringList{"The radio holds 1 channel that this write clears: 12 \"146.52000\"."});
    if (!errors.isEmpty())
        QVERIFY(m_user->errorDetails.first().startsWith(
            QStringLiteral("slot 12 differs from what was written\nWhat the radio held before "
                           "this write is kept in ") +
            QDir::toNativeSeparators(backupsFolder())));
    if (!notice.isEmpty())
        QCOMPARE(m_window->statusBar()->currentMessage(), notice);
    // Afterwards the bar is the slot bar again, and hidden.
    QVERIFY(progress->isHidden());
    QCOMPARE(progress->maximum(), kSlotCount - 1);
    QCOMPARE(progress->format(), QStringLiteral("%p%"));
    // What the radio held before the write is kept whenever it was read, and named so.
    QCOMPARE(QDir(backupsFolder()).entryList({QStringLiteral("*-before-write.TV5")}, QDir::Files),
             QDir(backupsFolder()).entryList({QStringLiteral("*.TV5")}, QDir::Files));
    QCOMPARE(QDir(backupsFolder()).entryList({QStringLiteral("*.TV5")}, QDir::Files).size(),
             changesOnly ? 1 : 0);
}

void TestSafeWriteWindow::escStopsAWrite()
{
    chooseMenuItem(*m_window, "mnuToolsWriteChanges", false);
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    auto *stop = m_window->findChild<QPushButton *>(QStringLiteral("cmdStop"));
    connect(&m_window->transfers(), &Transfers::slotStarted, this, [&](int slot) {
        if (slot == 10 && stop->isVisible())
            QTest::keyClick(m_window.get(), Qt::Key_Escape);
    });
    QVERIFY(runTransfer(&MainWindow::cmbTxData_Click));
    QVERIFY(stop->isHidden());
    QCOMPARE(m_radio->sent.size(), 13);
    // No failure: a notice that stays, with what went out.
    QVERIFY(m_user->errors.isEmpty());
    QCOMPARE(m_window->statusBar()->currentMessage(),
             "Write Memory stopped before slot 11. Written before the stop: enable block 214, "
             "enable block 215, slot 0 to slot 10. The other blocks hold what the radio held "
             "before. No copy of what the radio held was taken before this write.");
}

QTEST_MAIN(TestSafeWriteWindow)
#include "tst_safe_write_window.moc"
