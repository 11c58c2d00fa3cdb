#include "app/compare_dialog.h"
#include "app/main_window.h"
#include "document/document.h"
#include "fake_radio.h"
#include "files/clone_file.h"
#include "scripted_interaction.h"
#include "test_home.h"
#include "test_window.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

Q_DECLARE_METATYPE(hxv5::ImageDifference)

using namespace hxv5;
using namespace hxv5::testing;
using namespace std::chrono_literals;

namespace {

// The table's rows, each as its four cells joined by " | "; "(hidden)" when it is hidden.
QStringList tableRows(const QDialog &dialog)
{
    const auto *table = dialog.findChild<QTableWidget *>(QStringLiteral("grdDifferences"));
    if (!table || table->isHidden())
        return {QStringLiteral("(hidden)")};
    QStringList rows;
    for (int r = 0; r < table->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < table->columnCount(); ++c)
            cells << (table->item(r, c) ? table->item(r, c)->text() : QStringLiteral("(none)"));
        rows << cells.join(QLatin1String(" | "));
    }
    return rows;
}

QString summary(const QDialog &dialog)
{
    const auto *label = dialog.findChild<QLabel *>(QStringLiteral("lblSummary"));
    return label ? label->text() : QString();
}

} // namespace

// File > Compare With File: the dialog that lists the differences, and the menu item that
// shows it.
class TestCompareDialog : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void lists_data();
    void lists();
    void fromTheMenu_data();
    void fromTheMenu();

private:
    hxv5::testing::TestHome m_dir;
};

void TestCompareDialog::initTestCase()
{
    QVERIFY(m_dir.enter());
    QCoreApplication::setApplicationName(QStringLiteral("tst_compare_dialog"));
}

void TestCompareDialog::lists_data()
{
    QTest::addColumn<QList<ImageDifference>>("differences");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("summary");
    QTest::newRow("none") << QList<ImageDifference>() << QStringList{"(hidden)"}
                          << "The files hold the same data.";
    QTest::newRow("two") << QList<ImageDifference>{{"slot 12", "Frequency", "145.50000",
                                                    "146.52000"},
                                                   {"setting", "Beep", "on", "off"}}
                         << QStringList{"slot 12 | Frequency | 145.50000 | 146.52000",
                                        "setting | Beep | on | off"}
                         << "2 differences.";
}

void TestCompareDialog::lists()
{
    QFETCH(QList<ImageDifference>, differences);
    QFETCH(QStringList, rows);
    QFETCH(QString, summary);
    CompareDialog dialog(differences);
    QCOMPARE(tableRows(dialog), rows);
    QCOMPARE(::summary(dialog), summary);
    const auto *table = dialog.findChild<QTableWidget *>(QStringLiteral("grdDifferences"));
    QVERIFY(table);
    QStringList headers;
    for (int c = 0; c < table->columnCount(); ++c)
        headers << table->horizontalHeaderItem(c)->text();
    QCOMPARE(headers, (QStringList{"Where", "Field", "This Document", "The File"}));
}

void TestCompareDialog::fromTheMenu_data()
{
    QTest::addColumn<bool>("busy");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("idle") << false << QStringList{"slot 5 | Enable | off | on"};
    QTest::newRow("while a transfer runs") << true << QStringList();
}

void TestCompareDialog::fromTheMenu()
{
    QFETCH(bool, busy);
    QFETCH(QStringList, rows);
    const QString file = m_dir.filePath(QStringLiteral("other.TV5"));
    {
        Document other;
        other.channels().setEnabled(5, true);
        QCOMPARE(writeCloneFile(file, other), FileError::None);
    }
    FakeRadio radio;
    ScriptedInteraction user;
    user.openPath = file;
    QStringList shown;
    int dialogs = 0;
    const auto opened = openTestWindow(radio, user, Language::English, [&](QDialog &dialog) {
        ++dialogs;
        shown = tableRows(dialog);
        dialog.reject();
    });
    MainWindow &window = *opened;
    QAction *item = window.findChild<QAction *>(QStringLiteral("mnuFileCompare"));
    QVERIFY(item);
    QCOMPARE(item->text(), QStringLiteral("Compare With File(&C)..."));
    window.document().setBusy(busy);
    // Also when the disabled item is reached another way, nothing is asked while busy.
    window.mnuFileCompare_Click();
    QCOMPARE(item->isEnabled(), !busy);
    QCOMPARE(dialogs, busy ? 0 : 1);
    QCOMPARE(shown, rows);
    QCOMPARE(user.asked, busy ? QStringList() : QStringList{"open clone"});
    window.document().setBusy(false);
}

QTEST_MAIN(TestCompareDialog)
#include "tst_compare_dialog.moc"
