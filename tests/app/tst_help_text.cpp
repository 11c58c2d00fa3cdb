#include "base/help_text.h"

#include <QTest>

using namespace hxv5;

class TestHelpText : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void userPart_data();
    void userPart();
};

void TestHelpText::userPart_data()
{
    QTest::addColumn<QString>("readme");
    QTest::addColumn<QString>("shown");

    QTest::newRow("title and a user section") << "# Tool\nIntro.\n\n## Using it\nClick.\n"
                                              << "# Tool\nIntro.\n\n## Using it\nClick.\n";
    QTest::newRow("developer sections left out, later user sections kept")
        << "# Tool\n\n## What is tested\nA\n### Sub\nB\n## Fuzzing\nC\n## Notes\nD\n"
           "## Layout\nE\n## Development\nF\n"
        << "# Tool\n\n## Notes\nD\n";
    // A line in a code block is no heading, however it looks.
    QTest::newRow("heading inside a code block")
        << "# Tool\n## Use\n```\n## Development\n```\nafter\n"
        << "# Tool\n## Use\n```\n## Development\n```\nafter\n";
    // How to build it is for whoever builds it, not for the user in the program.
    QTest::newRow("build instructions left out")
        << "# Tool\n## Quick start (Debian 12)\n./scripts/run.sh\n## Using the program\nKeys.\n"
        << "# Tool\n## Using the program\nKeys.\n";
    QTest::newRow("CR LF lines") << "# Tool\r\n## Layout\r\nx\r\n"
                                 << "# Tool\n";
}

void TestHelpText::userPart()
{
    QFETCH(QString, readme);
    QFETCH(QString, shown);
    QCOMPARE(userPartOfReadme(readme), shown);
}

QTEST_GUILESS_MAIN(TestHelpText)
#include "tst_help_text.moc"
