#include "document/document.h"
#include "print/line_layout.h"
#include "print/print_selection.h"
#include "print/report_lines.h"

#include <QTest>

using namespace hxv5;

namespace {

TableRow makeRow(const QStringList &texts, double frequency = 145.0)
{
    TableRow row;
    for (int c = 0; c < kColumnCount && c < texts.size(); ++c)
        row.text[static_cast<size_t>(c)] = texts.at(c);
    row.number[kColFrequency] = frequency;
    return row;
}

const QStringList kVhfTexts = {
    QStringLiteral("145.00000"), QStringLiteral("FM"),     QStringLiteral("12.5KHz"),
    QStringLiteral("TSQ"),       QStringLiteral("88.5Hz"), QStringLiteral("100.0Hz"),
    QStringLiteral("-Shift"),    QStringLiteral(".60000"), QStringLiteral("Club")};

QString header()
{
    return QStringLiteral("Channel\tFrequency\tMode\t   Step\tTone\t TxTone\t RxTone\tShift\t"
                          "ShiftFreq.\tNote");
}

QStringList headingLines(const char *title)
{
    return {QString(), QString::fromLatin1(title), QString()};
}

// Where each tab-separated column starts on a page of character cells.
QList<qreal> columnStarts(const QString &line)
{
    const LineLayout layout([](const QString &t) { return qreal(t.size()); }, 1, 1000);
    QList<qreal> starts;
    qreal x = 0;
    const QStringList cells = line.split(QLatin1Char('\t'));
    for (qsizetype i = 0; i < cells.size(); ++i) {
        if (i > 0)
            x = layout.nextTabStop(x);
        starts << x;
        x += cells.at(i).size();
    }
    return starts;
}

} // namespace

class TestReportLines : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void rightAlignedFields_data();
    void rightAlignedFields();
    void columnHeader();
    void settings1OfDefaultDocument();
    void settings1WithNothingSelected();
    void settings1Switches_data();
    void settings1Switches();
    void settings1Captions_data();
    void settings1Captions();
    void settings2ByModelVariant_data();
    void settings2ByModelVariant();
    void settings2WithNothingSelected();
    void settings2Captions_data();
    void settings2Captions();
    void vfoReport();
    void vfoReportShowsMissingBandsAsDash();
    void memoryReportListsEnabledSlotsOnly();
    void memoryReportWithoutEntries();
    void memoryReportKeepsLongTextsWhole();
    void memoryReportKeepsEachLineOneLine();
    void columnsLineUpUnderHeader();
    void jobLines_data();
    void jobLines();
};

void TestReportLines::rightAlignedFields_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty") << QString() << 3 << QStringLiteral("   ");
    QTest::newRow("one digit label") << QStringLiteral("5") << 3 << QStringLiteral("  5");
    QTest::newRow("Pri unchanged") << QStringLiteral("Pri") << 3 << QStringLiteral("Pri");
    QTest::newRow("short frequency")
        << QStringLiteral(".53100") << 9 << QStringLiteral("   .53100");
    QTest::newRow("long frequency whole")
        << QStringLiteral("1300.00000") << 9 << QStringLiteral("1300.00000");
    QTest::newRow("offset") << QStringLiteral("5.00000") << 8 << QStringLiteral(" 5.00000");
}

void TestReportLines::rightAlignedFields()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QTEST(rightAligned(text, width), "expected");
}

void TestReportLines::columnHeader()
{
    QCOMPARE(reportColumnHeader(), header());
    QCOMPARE(reportTitleLine(), QStringLiteral("Tormel HX-V5 Clone Utility"));
}

void TestReportLines::settings1OfDefaultDocument()
{
    // The default settings record: volume 10, squelch 3, "Write Protect", "Battery Save",
    // "Beep" and "Auto Step" on.
    Document doc;
    QStringList expected = headingLines("Settings 1");
    expected << QStringLiteral("Model = HX-V5 D") << QStringLiteral("Volume = 10")
             << QStringLiteral("Lo Volume = Off") << QStringLiteral("Squelch = 3")
             << QStringLiteral("Bell = Off") << QStringLiteral("Beep = On")
             << QStringLiteral("KeyLock = Off") << QStringLiteral("Auto Power Off = Off")
             << QStringLiteral("Write Protect = On") << QStringLiteral("Auto Step = On")
             << QStringLiteral("Auto Program = Off") << QStringLiteral("Tx Extension = Off")
             << QStringLiteral("Battery Save = On") << QStringLiteral("Earphone Antenna = Off");
    QCOMPARE(settings1Report(doc.settings()), expected);
}

void TestReportLines::settings1WithNothingSelected()
{
    // Before the first decoding no model and no power-off option is selected: both lines are
    // left out.
    SettingsModel s;
    const QStringList lines = settings1Report(s);
    QCOMPARE(lines.size(), 3 + 12);
    for (const QString &line : lines) {
        QVERIFY(!line.startsWith(QLatin1String("Model")));
        QVERIFY(!line.startsWith(QLatin1String("Auto Power Off")));
    }
    QCOMPARE(lines.at(3), QStringLiteral("Volume = 0"));
    QCOMPARE(lines.at(5), QStringLiteral("Squelch = 0"));
}

void TestReportLines::settings1Switches_data()
{
    QTest::addColumn<std::function<void(SettingsModel &)>>("turnOn");
    QTest::addColumn<QString>("line");
    const auto flag = [](int index) {
        return std::function<void(SettingsModel &)>(
            [index](SettingsModel &s) { s.setFunctionFlag(index, true); });
    };
    QTest::newRow("chkFlg1(7)") << flag(7) << QStringLiteral("Bell = On");
    QTest::newRow("chkFlg1(4)") << flag(4) << QStringLiteral("Beep = On");
    QTest::newRow("chkFlg1(0)") << flag(0) << QStringLiteral("KeyLock = On");
    QTest::newRow("chkFlg1(1)") << flag(1) << QStringLiteral("Write Protect = On");
    QTest::newRow("chkFlg1(2)") << flag(2) << QStringLiteral("Battery Save = On");
    QTest::newRow("chkFlg1(3)") << flag(3) << QStringLiteral("Earphone Antenna = On");
    QTest::newRow("chkLoVolume") << std::function<void(SettingsModel &)>([](SettingsModel &s) {
        s.setLoVolume(true);
    }) << QStringLiteral("Lo Volume = On");
    QTest::newRow("chkAutoStep") << std::function<void(SettingsModel &)>([](SettingsModel &s) {
        s.setAutoStep(true);
    }) << QStringLiteral("Auto Step = On");
    QTest::newRow("chkAutoProg") << std::function<void(SettingsModel &)>([](SettingsModel &s) {
        s.setAutoProgram(true);
    }) << QStringLiteral("Auto Program = On");
    QTest::newRow("chkTxEx") << std::function<void(SettingsModel &)>([](SettingsModel &s) {
        s.setTxExtension(true);
    }) << QStringLiteral("Tx Extension = On");
    // Switches the report leaves out must not turn any line on.
    QTest::newRow("chkFlg1(5) DoReMi") << flag(5) << QString();
    QTest::newRow("chkFlg1(6) None") << flag(6) << QString();
}

void TestReportLines::settings1Switches()
{
    QFETCH(std::function<void(SettingsModel &)>, turnOn);
    QFETCH(QString, line);
    SettingsModel s;
    turnOn(s);
    const QStringList lines = settings1Report(s);
    for (const QString &l : lines) {
        if (l.endsWith(QLatin1String(" = On")))
            QCOMPARE(l, line);
    }
    if (!line.isEmpty())
        QVERIFY(lines.contains(line));
}

void TestReportLines::settings1Captions_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("apo");
    QTest::addColumn<QString>("modelLine");
    QTest::addColumn<QString>("apoLine");
    QTest::newRow("0 / Off") << 0 << 0 << QStringLiteral("Model = HX-V5 D")
                             << QStringLiteral("Auto Power Off = Off");
    QTest::newRow("1 / 30") << 1 << 1 << QStringLiteral("Model = V5 A PRO")
                            << QStringLiteral("Auto Power Off = 30");
    QTest::newRow("2 / 60") << 2 << 2 << QStringLiteral("Model = V5 B PRO")
                            << QStringLiteral("Auto Power Off = 60");
    QTest::newRow("3 / 90") << 3 << 3 << QStringLiteral("Model = V5 A K")
                            << QStringLiteral("Auto Power Off = 90");
    QTest::newRow("4") << 4 << 0 << QStringLiteral("Model = HX-V5 B")
                       << QStringLiteral("Auto Power Off = Off");
    QTest::newRow("5") << 5 << 0 << QStringLiteral("Model = HX-V5 A")
                       << QStringLiteral("Auto Power Off = Off");
}

void TestReportLines::settings1Captions()
{
    QFETCH(int, model);
    QFETCH(int, apo);
    QFETCH(QString, modelLine);
    QFETCH(QString, apoLine);
    SettingsModel s;
    s.setModel(model);
    s.setAutoPowerOff(apo);
    s.setVolume(30);
    s.setSquelch(10);
    const QStringList lines = settings1Report(s);
    QCOMPARE(lines.size(), 3 + 14);
    QCOMPARE(lines.at(3), modelLine);
    QCOMPARE(lines.at(4), QStringLiteral("Volume = 30"));
    QCOMPARE(lines.at(6), QStringLiteral("Squelch = 10"));
    QCOMPARE(lines.at(10), apoLine);
}

void TestReportLines::settings2ByModelVariant_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<QStringList>("expected");
    QStringList common = headingLines("Settings 2");
    common << QStringLiteral("Operating Mode = VFO") << QStringLiteral("VFO Band = VHF")
           << QStringLiteral("Memory Channel = 0") << QStringLiteral("Priority Mode = VFO");
    // Model variant 0 shows the bug level group and hides the tone burst group; every other
    // variant the other way round.
    QTest::newRow("HX-V5 D") << QStringLiteral("A5000A0304000000000200006C23FFFF")
                             << (QStringList(common) << QStringLiteral("Bug Sencitive Level = 3")
                                                     << QStringLiteral("Scan Resume = Busy Scan")
                                                     << QStringLiteral("Scan Mode = VFO"));
    QTest::newRow("HX-V5 B") << QStringLiteral("A5040A0304000000000200006C23FFFF")
                             << (QStringList(common)
                                 << QStringLiteral("Scan Resume = Busy Scan")
                                 << QStringLiteral("Scan Mode = VFO")
                                 << QStringLiteral("Tone Burst Frequency = 1750Hz"));
    QTest::newRow("V5 A K, timer scan, PS-4B, memory, priority on memory, 1450Hz")
        << QStringLiteral("A5030A0305D2050B000000036C63FFFF")
        << (headingLines("Settings 2")
            << QStringLiteral("Operating Mode = Priority") << QStringLiteral("VFO Band = L-UHF")
            << QStringLiteral("Memory Channel = A-L") << QStringLiteral("Priority Mode = Memory")
            << QStringLiteral("Scan Resume = Timer Scan") << QStringLiteral("Scan Mode = PS-4B")
            << QStringLiteral("Tone Burst Frequency = 1450Hz"));
}

void TestReportLines::settings2ByModelVariant()
{
    QFETCH(QString, record);
    QFETCH(QStringList, expected);
    Document doc;
    doc.setSettingsRecord(record);
    doc.DecodeSettingsRecord();
    QCOMPARE(settings2Report(doc.settings()), expected);
}

void TestReportLines::settings2WithNothingSelected()
{
    // Nothing selected and the lists not filled: the optional lines are left out, the lists
    // give empty entries, and the two-way choices fall to their second caption.
    SettingsModel s;
    QStringList expected = headingLines("Settings 2");
    expected << QStringLiteral("Memory Channel = ") << QStringLiteral("Priority Mode = Memory")
             << QStringLiteral("Scan Resume = Timer Scan") << QStringLiteral("Scan Mode = ");
    QCOMPARE(settings2Report(s), expected);
}

void TestReportLines::settings2Captions_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("opMode");
    QTest::addColumn<QString>("band");
    QTest::addColumn<QString>("bug");
    QTest::addColumn<QString>("burst");
    QTest::addColumn<QString>("memory");
    QTest::addColumn<QString>("scanMode");
    QTest::newRow("0") << 0 << "VFO"
                       << "AM"
                       << "1"
                       << "1750Hz"
                       << "0"
                       << "VFO";
    QTest::newRow("1") << 1 << "Memory"
                       << "SW"
                       << "2"
                       << "2100Hz"
                       << "1"
                       << "Tone";
    QTest::newRow("2") << 2 << "Bug"
                       << "FM"
                       << "3"
                       << "1000Hz"
                       << "2"
                       << "PS-0A";
    QTest::newRow("3") << 3 << "Priority"
                       << "Air"
                       << "4"
                       << "1450Hz"
                       << "3"
                       << "PS-0B";
    QTest::newRow("4") << 4 << QString() << "VHF"
                       << "5" << QString() << "4"
                       << "PS-1A";
    QTest::newRow("5") << 5 << QString() << "L-UHF" << QString() << QString() << "5"
                       << "PS-1B";
    QTest::newRow("6") << 6 << QString() << "H-UHF" << QString() << QString() << "6"
                       << "PS-2A";
    QTest::newRow("11") << 11 << QString() << QString() << QString() << QString() << "11"
                        << "PS-4B";
    QTest::newRow("200") << 200 << QString() << QString() << QString() << QString() << "PS-0A"
                         << QString();
    QTest::newRow("212") << 212 << QString() << QString() << QString() << QString() << "Priority"
                         << QString();
}

void TestReportLines::settings2Captions()
{
    QFETCH(int, index);
    QFETCH(QString, opMode);
    QFETCH(QString, band);
    QFETCH(QString, bug);
    QFETCH(QString, burst);
    QFETCH(QString, memory);
    QFETCH(QString, scanMode);
    // Each group of options set to the same index, where it has one.
    const auto lineOf = [](const QStringList &lines, const QString &prefix) {
        for (const QString &line : lines) {
            if (line.startsWith(prefix))
                return line.mid(prefix.size());
        }
        return QStringLiteral("<none>");
    };
    const auto expect = [](const QString &caption) {
        return caption.isNull() ? QStringLiteral("<none>") : caption;
    };
    for (int model : {0, 4}) {
        SettingsModel s;
        s.FillSettingsLists();
        s.setModel(model);
        s.setOperatingMode(index);
        s.setBand(index);
        s.setBugLevel(index);
        s.setToneBurst(index);
        s.setMemoryChannel(index);
        s.setScanMode(index);
        const QStringList lines = settings2Report(s);
        if (model == 0) {
            QCOMPARE(lineOf(lines, QStringLiteral("Operating Mode = ")), expect(opMode));
            QCOMPARE(lineOf(lines, QStringLiteral("VFO Band = ")), expect(band));
            QCOMPARE(lineOf(lines, QStringLiteral("Bug Sencitive Level = ")), expect(bug));
            QCOMPARE(lineOf(lines, QStringLiteral("Tone Burst Frequency = ")),
                     QStringLiteral("<none>"));
        } else {
            QCOMPARE(lineOf(lines, QStringLiteral("Bug Sencitive Level = ")),
                     QStringLiteral("<none>"));
            QCOMPARE(lineOf(lines, QStringLiteral("Tone Burst Frequency = ")), expect(burst));
        }
        QCOMPARE(lineOf(lines, QStringLiteral("Memory Channel = ")), memory);
        QCOMPARE(lineOf(lines, QStringLiteral("Scan Mode = ")),
                 scanMode.isNull() ? QStringLiteral("VFO") : scanMode);
    }
}

void TestReportLines::vfoReport()
{
    Document doc;
    doc.vfo().setRow(4, makeRow(kVhfTexts));
    doc.vfo().setRow(
        0, makeRow({QStringLiteral(".53100"), QStringLiteral("AM"), QStringLiteral("9KHz"),
                    QStringLiteral("None"), QStringLiteral("67.0Hz"), QStringLiteral("250.3Hz"),
                    QStringLiteral("Split"), QStringLiteral("15.00000"), QString()},
                   .531));
    const QStringList lines = hxv5::vfoReport(doc);
    QCOMPARE(lines.size(), 4 + kVfoRowCount);
    QCOMPARE(lines.mid(0, 4), headingLines("VFO Data") << header());
    QCOMPARE(lines.at(4), QStringLiteral("AM\t   .53100\tAM\t   9KHz\tNone\t 67.0Hz\t250.3Hz\t"
                                         "Split\t15.00000\t"));
    QCOMPARE(lines.at(8), QStringLiteral("VHF\t145.00000\tFM\t12.5KHz\tTSQ\t 88.5Hz\t100.0Hz\t"
                                         "-Shift\t  .60000\tClub"));
    QVERIFY(lines.at(10).startsWith(QLatin1String("H-UHF\t")));
}

void TestReportLines::vfoReportShowsMissingBandsAsDash()
{
    Document doc;
    doc.vfo().setRow(3, makeRow(kVhfTexts));
    doc.settings().setModel(5);
    const QStringList lines = hxv5::vfoReport(doc);
    const QString dashes =
        QStringLiteral("\t        -\t-\t      -\t-\t      -\t      -\t-\t       -\t-");
    // "HX-V5 A" lacks AM, SW, Air and L-UHF: the report prints what the grid shows.
    QCOMPARE(lines.at(4), QStringLiteral("AM") + dashes);
    QCOMPARE(lines.at(5), QStringLiteral("SW") + dashes);
    QCOMPARE(lines.at(7), QStringLiteral("Air") + dashes);
    QCOMPARE(lines.at(9), QStringLiteral("L-UHF") + dashes);
    QVERIFY(!lines.at(6).contains(QLatin1String("\t-\t")));
    doc.settings().setModel(0);
    QCOMPARE(hxv5::vfoReport(doc).at(7),
             QStringLiteral("Air\t145.00000\tFM\t12.5KHz\tTSQ\t 88.5Hz\t100.0Hz\t-Shift\t"
                            "  .60000\tClub"));
}

void TestReportLines::memoryReportListsEnabledSlotsOnly()
{
    ChannelTable channels;
    for (int slot : {5, 7, 57, 150, 200, 212})
        channels.setSlot(slot, makeRow(kVhfTexts), slot != 7);
    // An enabled empty slot is listed with its empty cells.
    channels.setEnabled(199, true);
    const QString rest = QStringLiteral("\t145.00000\tFM\t12.5KHz\tTSQ\t 88.5Hz\t100.0Hz\t"
                                        "-Shift\t  .60000\tClub");
    QStringList expected = headingLines("Memory Bank");
    expected << header() << QStringLiteral("  5") + rest << QStringLiteral(" 57") + rest
             << QStringLiteral("150") + rest
             << QStringLiteral("199\t         \t\t       \t\t       \t       \t\t        \t")
             << QStringLiteral("P0A") + rest << QStringLiteral("Pri") + rest;
    QCOMPARE(memoryReport(channels), expected);
}

void TestReportLines::memoryReportWithoutEntries()
{
    ChannelTable channels;
    // Texts of disabled slots are not printed.
    channels.setSlot(0, makeRow(kVhfTexts), false);
    QStringList expected = headingLines("Memory Bank");
    expected << header() << QStringLiteral("= No Entries =");
    QCOMPARE(memoryReport(channels), expected);
}

void TestReportLines::memoryReportKeepsLongTextsWhole()
{
    ChannelTable channels;
    QStringList texts = kVhfTexts;
    texts[kColFrequency] = QStringLiteral("1300.000001");
    texts[kColStep] = QStringLiteral("1234.5KHz");
    texts[kColTxTone] = QStringLiteral("1234.5Hz");
    texts[kColShiftFreq] = QStringLiteral("123.00000");
    texts[kColNotes] = QStringLiteral("A note much longer than the thirty characters allowed");
    channels.setSlot(9, makeRow(texts), true);
    QCOMPARE(memoryReport(channels).at(4),
             QStringLiteral("  9\t1300.000001\tFM\t1234.5KHz\tTSQ\t1234.5Hz\t100.0Hz\t-Shift\t"
                            "123.00000\tA note much longer than the thirty characters allowed"));
}

void TestReportLines::memoryReportKeepsEachLineOneLine()
{
    // A note brought in with line breaks or tabs would break the printed line or shift columns.
    ChannelTable channels;
    QStringList texts = kVhfTexts;
    texts[kColNotes] = QStringLiteral("two\r\nlines\rcr\nlf\ttab");
    channels.setSlot(1, makeRow(texts), true);
    const QString line = memoryReport(channels).at(4);
    QVERIFY(line.endsWith(QLatin1String("\ttwo lines cr lf tab")));
    QCOMPARE(line.count(QLatin1Char('\t')), 9);
}

void TestReportLines::columnsLineUpUnderHeader()
{
    // With tab stops every eight cells, each field starts where its header does, in both
    // reports, for the shortest and the longest texts the tables hold.
    Document doc;
    doc.vfo().setRow(
        6, makeRow({QStringLiteral("1300.00000"), QStringLiteral("WFM"), QStringLiteral("6.25KHz"),
                    QStringLiteral("Rev."), QStringLiteral("250.3Hz"), QStringLiteral("67.0Hz"),
                    QStringLiteral("+Shift"), QStringLiteral("99.99999"), QStringLiteral("x")}));
    doc.channels().setSlot(0, makeRow(kVhfTexts), true);
    doc.channels().setSlot(
        211,
        makeRow({QStringLiteral(".53100"), QStringLiteral("AM"), QStringLiteral("9KHz"),
                 QStringLiteral("None"), QStringLiteral("67.0Hz"), QStringLiteral("67.0Hz"),
                 QStringLiteral("None"), QStringLiteral(".00000"), QString()}),
        true);
    const QList<qreal> expected = columnStarts(header());
    QCOMPARE(expected, (QList<qreal>{0, 8, 24, 32, 40, 48, 56, 64, 72, 88}));
    QStringList lines = hxv5::vfoReport(doc).mid(4);
    lines << memoryReport(doc.channels()).mid(4);
    for (const QString &line : lines)
        QCOMPARE(columnStarts(line), expected);
}

void TestReportLines::jobLines_data()
{
    QTest::addColumn<ReportSelection>("selection");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<bool>("endsWithEmptyLine");
    QTest::newRow("all") << ReportSelection{true, true, true, true}
                         << QStringList{"Settings 1", "VFO Data", "Settings 2", "Memory Bank"}
                         << false;
    QTest::newRow("memory only") << ReportSelection{false, false, false, true}
                                 << QStringList{"Memory Bank"} << false;
    QTest::newRow("settings2 only")
        << ReportSelection{false, false, true, false} << QStringList{"Settings 2"} << true;
    QTest::newRow("settings1 and vfo") << ReportSelection{true, true, false, false}
                                       << QStringList{"Settings 1", "VFO Data"} << true;
    QTest::newRow("none") << ReportSelection{false, false, false, false} << QStringList() << true;
}

void TestReportLines::jobLines()
{
    QFETCH(ReportSelection, selection);
    QFETCH(QStringList, titles);
    QFETCH(bool, endsWithEmptyLine);
    Document doc;
    doc.channels().setSlot(3, makeRow(kVhfTexts), true);
    QStringList expected{QStringLiteral("Tormel HX-V5 Clone Utility"), QString(), QString()};
    for (const QString &title : titles) {
        if (title == QLatin1String("Settings 1"))
            expected << settings1Report(doc.settings()) << QString();
        else if (title == QLatin1String("VFO Data"))
            expected << hxv5::vfoReport(doc) << QString();
        else if (title == QLatin1String("Settings 2"))
            expected << settings2Report(doc.settings()) << QString();
        else
            expected << memoryReport(doc.channels());
    }
    const QStringList lines = printJobLines(doc, selection);
    QCOMPARE(lines, expected);
    QCOMPARE(lines.last().isEmpty(), endsWithEmptyLine);
}

QTEST_GUILESS_MAIN(TestReportLines)
#include "tst_report_lines.moc"
