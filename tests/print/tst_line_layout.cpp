#include "print/line_layout.h"

#include <QTest>

using namespace hxv5;

Q_DECLARE_METATYPE(QList<hxv5::PlacedText>)

namespace {

// A page of character cells: every character one unit wide.
qreal cells(const QString &text)
{
    return qreal(text.size());
}

PlacedText at(int row, qreal x, const char *text)
{
    return {row, x, QString::fromUtf8(text)};
}

} // namespace

class TestLineLayout : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void layOut_data();
    void layOut();
    void tabStopsScaleWithTheFont();
    void wideCharactersWrapByTheirWidth();
};

void TestLineLayout::layOut_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("pageWidth");
    QTest::addColumn<QList<PlacedText>>("expected");
    QTest::addColumn<int>("rows");

    QTest::newRow("empty line") << QString() << 100 << QList<PlacedText>() << 1;
    QTest::newRow("no tab") << QStringLiteral("Settings 1") << 100
                            << QList<PlacedText>{at(0, 0, "Settings 1")} << 1;
    QTest::newRow("short fields") << QStringLiteral("  0\t145.00000\tFM") << 100
                                  << QList<PlacedText>{at(0, 0, "  0"), at(0, 8, "145.00000"),
                                                       at(0, 24, "FM")}
                                  << 1;
    // A text that ends on a stop moves on to the next one.
    QTest::newRow("ends on a stop") << QStringLiteral("12345678\tx") << 100
                                    << QList<PlacedText>{at(0, 0, "12345678"), at(0, 16, "x")} << 1;
    QTest::newRow("empty cells still move")
        << QStringLiteral("a\t\t\tb") << 100 << QList<PlacedText>{at(0, 0, "a"), at(0, 24, "b")}
        << 1;
    // The note starts at its stop and runs on under itself: nothing is cut.
    QTest::newRow("long last column wraps under itself")
        << QStringLiteral("x\t1234567890123456789012345678901234567890") << 24
        << QList<PlacedText>{at(0, 0, "x"), at(0, 8, "1234567890123456"),
                             at(1, 8, "7890123456789012"), at(2, 8, "34567890")}
        << 3;
    QTest::newRow("words stay whole")
        << QStringLiteral("x\tcall the club net at nine") << 26
        << QList<PlacedText>{at(0, 0, "x"), at(0, 8, "call the club net "), at(1, 8, "at nine")}
        << 2;
    QTest::newRow("a blank at the start is no place to break")
        << QStringLiteral(" abcdefghijkl") << 8
        << QList<PlacedText>{at(0, 0, " abcdefg"), at(1, 0, "hijkl")} << 2;
    // Too little room left at its column: the text goes on at the left edge.
    QTest::newRow("narrow column wraps to the edge")
        << QStringLiteral("12345678901234\tabcdefghij") << 20
        << QList<PlacedText>{at(0, 0, "12345678901234"), at(0, 16, "abcd"), at(1, 0, "efghij")}
        << 2;
    QTest::newRow("tab stop past the edge")
        << QStringLiteral("1234567890\tab") << 12
        << QList<PlacedText>{at(0, 0, "1234567890"), at(1, 0, "ab")} << 2;
    QTest::newRow("first text longer than a row")
        << QStringLiteral("abcdefghijklmnopqrstuvwxy") << 10
        << QList<PlacedText>{at(0, 0, "abcdefghij"), at(1, 0, "klmnopqrst"), at(2, 0, "uvwxy")}
        << 3;
    QTest::newRow("cells after a wrapped one follow on its last row")
        << QStringLiteral("a\tbcdefghijklmnop\tq") << 16
        << QList<PlacedText>{at(0, 0, "a"), at(0, 8, "bcdefghi"), at(1, 0, "jklmnop"),
                             at(1, 8, "q")}
        << 2;
}

void TestLineLayout::layOut()
{
    QFETCH(QString, line);
    QFETCH(int, pageWidth);
    QFETCH(QList<PlacedText>, expected);
    const LineLayout layout(cells, 1, pageWidth);
    const QList<PlacedText> pieces = layout.layOut(line);
    QCOMPARE(pieces, expected);
    QTEST(LineLayout::rowCount(pieces), "rows");
    // Whatever the wrapping, the pieces hold the whole line without its tabs.
    QString joined;
    for (const PlacedText &p : pieces) {
        joined += p.text;
        QVERIFY(p.x + cells(p.text) <= pageWidth || p.x == 0);
    }
    QCOMPARE(joined, QString(line).remove(QLatin1Char('\t')));
}

void TestLineLayout::tabStopsScaleWithTheFont()
{
    // Stops stand eight character cells apart in the units of the page.
    const LineLayout layout([](const QString &t) { return 4.8 * qreal(t.size()); }, 4.8, 1000);
    QCOMPARE(layout.nextTabStop(0), 38.4);
    QCOMPARE(layout.nextTabStop(38.4), 76.8);
    QCOMPARE(layout.nextTabStop(8 * 4.8 * 3), 4 * 38.4);
    const QList<PlacedText> pieces = layout.layOut(QStringLiteral("Channel\tFrequency\tMode"));
    QCOMPARE(pieces.size(), 3);
    QCOMPARE(pieces.at(1).x, 38.4);
    QCOMPARE(pieces.at(2).x, 3 * 38.4);
}

void TestLineLayout::wideCharactersWrapByTheirWidth()
{
    // Japanese text in a note is wider than a cell: the row breaks by measured width, and a
    // surrogate pair is never split.
    const auto measure = [](const QString &t) {
        qreal w = 0;
        for (QChar ch : t) {
            if (!ch.isLowSurrogate())
                w += ch.unicode() < 0x80 ? 1 : 2;
        }
        return w;
    };
    const QString note = QStringLiteral("日本語のメモ𠀋です");
    for (int pageWidth : {22, 24, 26}) {
        const LineLayout layout(measure, 1, pageWidth);
        const QList<PlacedText> pieces = layout.layOut(QStringLiteral("ab\t") + note);
        QVERIFY(pieces.size() >= 2);
        QString joined;
        for (const PlacedText &p : pieces.mid(1)) {
            QVERIFY(p.x + measure(p.text) <= pageWidth);
            QVERIFY(!p.text.back().isHighSurrogate());
            joined += p.text;
        }
        QCOMPARE(joined, note);
    }
}

QTEST_GUILESS_MAIN(TestLineLayout)
#include "tst_line_layout.moc"
