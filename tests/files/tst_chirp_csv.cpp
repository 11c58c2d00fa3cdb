#include "document/document.h"
#include "files/chirp_csv.h"
#include "files/import_report_cap.h"
#include "image/channel_codec.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace hxv5;

namespace {

const QByteArray kHeader =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
    "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE";

// What Export writes: no Power column, for CHIRP refuses an empty Power cell.
const QByteArray kExportHeader = QByteArray(kHeader).replace(",Power", "");

// A CHIRP line for channel 5 with the given columns replaced, in the header's order.
QByteArray chirpLine(const QHash<QString, QString> &changes)
{
    const QStringList names = QString::fromLatin1(kHeader).split(u',');
    QHash<QString, QString> values = {
        {"Location", "5"},      {"Name", "Rpt"},        {"Frequency", "145.500000"},
        {"Duplex", ""},         {"Offset", "0.000000"}, {"Tone", ""},
        {"rToneFreq", "88.5"},  {"cToneFreq", "88.5"},  {"DtcsCode", "023"},
        {"DtcsPolarity", "NN"}, {"RxDtcsCode", "023"},  {"CrossMode", "Tone->Tone"},
        {"Mode", "FM"},         {"TStep", "12.50"},     {"Skip", ""},
        {"Power", "5.0W"},      {"Comment", ""},
    };
    for (auto it = changes.cbegin(); it != changes.cend(); ++it)
        values.insert(it.key(), it.value());
    QStringList fields;
    for (const QString &name : names)
        fields.append(values.value(name));
    return fields.join(u',').toUtf8();
}

struct Parsed
{
    FileError error = FileError::None;
    QList<CsvRow> rows;
    CsvImportReport report;
};

Parsed parse(const QByteArray &bytes, int model = 0)
{
    Parsed p;
    p.error = parseChirpCsv(bytes, model, p.rows, p.report);
    return p;
}

// The row of a channel as the edit dialog would store it.
TableRow channel(double mhz, int mode, int step, int toneMode, int tx, int rx, int shift,
                 double offset, const QString &note)
{
    TableRow row;
    row.number = {mhz,        double(mode), double(step),  double(toneMode),
                  double(tx), double(rx),   double(shift), offset,
                  0.0};
    row.text = {formatMHz(mhz),         modeText(mode),    stepText(step),
                toneModeText(toneMode), toneText(tx),      toneText(rx),
                shiftText(shift),       formatMHz(offset), note};
    return row;
}

constexpr int k88_5 = 8, k100_0 = 12, k67_0 = 0;
constexpr int k5KHz = 1, k8_33KHz = 3, k12_5KHz = 5, k20KHz = 7, k9KHz = 0;

} // namespace

Q_DECLARE_METATYPE(TableRow)

class TestChirpCsv : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void exportWritesHeaderAndChannels();
    void exportNotesWhatItCannotWrite();
    void importTakesWhatTheRadioHolds_data();
    void importTakesWhatTheRadioHolds();
    void importSkipsWhatTheRadioCannotHold_data();
    void importSkipsWhatTheRadioCannotHold();
    void columnsAreFoundByName_data();
    void columnsAreFoundByName();
    void fileWithoutHeaderGivesNoRows();
    void openQuoteIsAFault();
    void exportImportRoundTrip();
    void laterLineNamingAChannelWins();
    void recognisesChirpFiles();
};

void TestChirpCsv::exportWritesHeaderAndChannels()
{
    Document doc;
    doc.channels().setSlot(
        3, channel(145.5, 0, k12_5KHz, 2, k100_0, k67_0, 2, 0.6, QStringLiteral("North, \"top\"")),
        false);
    doc.channels().setSlot(7, channel(.531, 1, k9KHz, 0, k88_5, k88_5, 0, 0, QString()), true);
    doc.channels().setSlot(201, channel(146, 0, k20KHz, 0, k88_5, k88_5, 0, 0, QString()), true);

    const QList<QByteArray> lines = chirpCsvExportBytes(doc).split('\n');
    // Channels 3 and 7 only: empty slots and the special rows are not written.
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines.at(0), kExportHeader + '\r');
    QVERIFY(!lines.at(0).contains("Power"));
    QCOMPARE(lines.at(1), QByteArray("3,\"North, \"\"top\"\"\",145.500000,-,0.600000,Cross,100.0,"
                                     "67.0,023,NN,023,Tone->Tone,FM,12.50,S,,,,,\r"));
    QCOMPARE(lines.at(2),
             QByteArray("7,,0.531000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,AM,9.00,,,,,,\r"));
    QVERIFY(lines.at(3).isEmpty());
}

void TestChirpCsv::exportNotesWhatItCannotWrite()
{
    Document doc;
    doc.channels().setSlot(1, channel(145, 0, k5KHz, 3, k88_5, k88_5, 3, 1, QString()), true);
    doc.channels().setSlot(2, channel(145, 0, k5KHz, 2, k88_5, k88_5, 1, 1, QString()), true);
    doc.channels().setSlot(3, channel(145, 0, k5KHz, 3, k67_0, k100_0, 0, 0, QString()), true);
    QStringList notes;
    const QList<QByteArray> lines = chirpCsvExportBytes(doc, &notes).split('\n');
    QVERIFY(lines.at(1).startsWith("1,,145.000000,,1.000000,TSQL-R,88.5,88.5,"));
    QVERIFY(lines.at(2).startsWith("2,,145.000000,+,1.000000,TSQL,88.5,88.5,"));
    QVERIFY(lines.at(3).startsWith("3,,145.000000,,0.000000,TSQL-R,67.0,100.0,"));
    QCOMPARE(notes.size(), 2);
    QVERIFY(notes.at(0).startsWith(QLatin1String("Channel 1: the radio's \"Split\" shift")));
    QVERIFY(notes.at(1).startsWith(QLatin1String("Channel 3: reverse tone squelch with two")));
}

void TestChirpCsv::importTakesWhatTheRadioHolds_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<int>("model");
    QTest::addColumn<TableRow>("row");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QString>("changed"); // the start of the one change told, or empty

    using H = QHash<QString, QString>;
    const auto plain = [](int tone, int tx, int rx, int shift, double offset) {
        return channel(145.5, 0, k12_5KHz, tone, tx, rx, shift, offset, QStringLiteral("Rpt"));
    };
    QTest::newRow("simplex, no tone")
        << chirpLine({}) << 0 << plain(0, k88_5, k88_5, 0, 0) << true << QString();
    QTest::newRow("plus shift") << chirpLine(H{{"Duplex", "+"}, {"Offset", "0.600000"}}) << 0
                                << plain(0, k88_5, k88_5, 1, 0.6) << true << QString();
    QTest::newRow("minus shift") << chirpLine(H{{"Duplex", "-"}, {"Offset", "5.000000"}}) << 0
                                 << plain(0, k88_5, k88_5, 2, 5) << true << QString();
    QTest::newRow("unused offset out of range")
        << chirpLine(H{{"Offset", "600.0"}}) << 0 << plain(0, k88_5, k88_5, 0, 0) << true
        << QStringLiteral("Offset \"600.0\" is not 0 to 99.99999 MHz: .00000 taken");
    QTest::newRow("offset digits below 10 Hz cut")
        << chirpLine(H{{"Duplex", "+"}, {"Offset", "0.6000049"}}) << 0
        << plain(0, k88_5, k88_5, 1, 0.6) << true
        << QStringLiteral("Offset \"0.6000049\" taken as .60000 MHz");
    QTest::newRow("frequency digits below 10 Hz cut")
        << chirpLine(H{{"Frequency", "145.512346"}}) << 0
        << channel(145.51234, 0, k12_5KHz, 0, k88_5, k88_5, 0, 0, "Rpt") << true
        << QStringLiteral("Frequency \"145.512346\" taken as 145.51234 MHz");
    QTest::newRow("split within the largest offset, below")
        << chirpLine(H{{"Duplex", "split"}, {"Offset", "144.900000"}}) << 0
        << plain(0, k88_5, k88_5, 2, 0.6) << true
        << QStringLiteral("Duplex \"split\" (transmit on 144.90000 MHz) taken as -Shift .60000");
    QTest::newRow("split within the largest offset, above")
        << chirpLine(H{{"Duplex", "split"}, {"Offset", "245.49999"}}) << 0
        << plain(0, k88_5, k88_5, 1, 99.99999) << true
        << QStringLiteral("Duplex \"split\" (transmit on 245.49999 MHz) taken as +Shift 99.99999");
    QTest::newRow("transmit tone")
        << chirpLine(H{{"Tone", "Tone"}, {"rToneFreq", "100.0"}, {"cToneFreq", "67.0"}}) << 0
        << plain(1, k100_0, k67_0, 0, 0) << true << QString();
    QTest::newRow("tone squelch takes cToneFreq both ways")
        << chirpLine(H{{"Tone", "TSQL"}, {"rToneFreq", "67.0"}, {"cToneFreq", "100.0"}}) << 0
        << plain(2, k100_0, k100_0, 0, 0) << true << QString();
    QTest::newRow("reverse tone squelch takes cToneFreq both ways")
        << chirpLine(H{{"Tone", "TSQL-R"}, {"rToneFreq", "67.0"}, {"cToneFreq", "100.0"}}) << 0
        << plain(3, k100_0, k100_0, 0, 0) << true << QString();
    QTest::newRow("cross tone on transmit only is Tone")
        << chirpLine(H{{"Tone", "Cross"},
                       {"CrossMode", "Tone->"},
                       {"rToneFreq", "100.0"},
                       {"cToneFreq", "67.0"}})
        << 0 << plain(1, k100_0, k67_0, 0, 0) << true << QString();
    QTest::newRow("cross tone to tone")
        << chirpLine(H{{"Tone", "Cross"}, {"rToneFreq", "67.0"}, {"cToneFreq", "100.0"}}) << 0
        << plain(2, k67_0, k100_0, 0, 0) << true << QString();
    QTest::newRow("unused tone not in the list")
        << chirpLine(H{{"rToneFreq", "177.3"}}) << 0 << plain(0, k88_5, k88_5, 0, 0) << true
        << QStringLiteral("rToneFreq \"177.3\" is not a tone");
    QTest::newRow("skipped in scans is disabled")
        << chirpLine(H{{"Skip", "S"}}) << 0 << plain(0, k88_5, k88_5, 0, 0) << false << QString();
    QTest::newRow("priority scan is scanned")
        << chirpLine(H{{"Skip", "P"}}) << 0 << plain(0, k88_5, k88_5, 0, 0) << true
        << QStringLiteral("Skip \"P\" taken as scanned");
    // One row changed twice is one changed row.
    QTest::newRow("two changes, one entry")
        << chirpLine(H{{"Mode", "NFM"}, {"Skip", "P"}}) << 0 << plain(0, k88_5, k88_5, 0, 0) << true
        << QStringLiteral("Mode \"NFM\" taken as FM; Skip \"P\" taken as scanned");
    QTest::newRow("NFM is FM") << chirpLine(H{{"Mode", "NFM"}}) << 0 << plain(0, k88_5, k88_5, 0, 0)
                               << true << QStringLiteral("Mode \"NFM\" taken as FM");
    QTest::newRow("AM") << chirpLine(H{{"Mode", "AM"}, {"Frequency", "0.531"}, {"TStep", "9"}}) << 0
                        << channel(.531, 1, k9KHz, 0, k88_5, k88_5, 0, 0, "Rpt") << true
                        << QString();
    QTest::newRow("WFM") << chirpLine(H{{"Mode", "WFM"}, {"Frequency", "80"}, {"TStep", "20"}}) << 0
                         << channel(80, 2, k20KHz, 0, k88_5, k88_5, 0, 0, "Rpt") << true
                         << QString();
    QTest::newRow("step written with two decimals")
        << chirpLine(H{{"TStep", "8.33"}}) << 0
        << channel(145.5, 0, k8_33KHz, 0, k88_5, k88_5, 0, 0, "Rpt") << true << QString();
    QTest::newRow("step the radio lacks goes to the nearest")
        << chirpLine(H{{"TStep", "7.50"}}) << 0
        << channel(145.5, 0, k8_33KHz, 0, k88_5, k88_5, 0, 0, "Rpt") << true
        << QStringLiteral("TStep \"7.50\" kHz is not a step of the radio: 8.33KHz taken");
    // 9 kHz is a step of variant 0 only; elsewhere the nearest is 8.33 kHz.
    QTest::newRow("9 kHz on a variant without it")
        << chirpLine(H{{"TStep", "9.00"}}) << 4
        << channel(145.5, 0, k8_33KHz, 0, k88_5, k88_5, 0, 0, "Rpt") << true
        << QStringLiteral("TStep \"9.00\" kHz is not a step of the radio: 8.33KHz taken");
    QTest::newRow("no step gives the automatic step")
        << chirpLine(H{{"TStep", ""}}) << 0
        << channel(145.5, 0, k20KHz, 0, k88_5, k88_5, 0, 0, "Rpt") << true
        << QStringLiteral("TStep \"\" is no step: the automatic step 20KHz taken");
    QTest::newRow("comment after the name")
        << chirpLine(H{{"Comment", "club net"}}) << 0
        << channel(145.5, 0, k12_5KHz, 0, k88_5, k88_5, 0, 0, "Rpt club net") << true << QString();
    QTest::newRow("comment without a name")
        << chirpLine(H{{"Name", ""}, {"Comment", "club"}}) << 0
        << channel(145.5, 0, k12_5KHz, 0, k88_5, k88_5, 0, 0, "club") << true << QString();
    QTest::newRow("name in quotes with a comma and a line break")
        << chirpLine(H{{"Name", "\"a, b\nc\""}}) << 0
        << channel(145.5, 0, k12_5KHz, 0, k88_5, k88_5, 0, 0, "a, b c") << true
        << QStringLiteral("a line break in Name taken as a blank");
    QTest::newRow("name and comment keep their blanks")
        << chirpLine(H{{"Name", " Rpt "}, {"Comment", " net "}}) << 0
        << channel(145.5, 0, k12_5KHz, 0, k88_5, k88_5, 0, 0, " Rpt   net ") << true << QString();
}

void TestChirpCsv::importTakesWhatTheRadioHolds()
{
    QFETCH(QByteArray, line);
    QFETCH(int, model);
    QFETCH(TableRow, row);
    QFETCH(bool, enabled);
    QFETCH(QString, changed);

    const Parsed p = parse(kHeader + "\r\n" + line + "\r\n", model);
    QCOMPARE(p.error, FileError::None);
    QCOMPARE(p.report.skipped.size(), 0);
    QCOMPARE(p.report.taken, 1);
    QCOMPARE(p.rows.size(), 1);
    QCOMPARE(p.rows.first().bank, CsvRow::Bank::Slot);
    QCOMPARE(p.rows.first().index, 5);
    QCOMPARE(p.rows.first().row.text, row.text);
    QCOMPARE(p.rows.first().row.number, row.number);
    QCOMPARE(p.rows.first().enabled, enabled);
    if (changed.isEmpty()) {
        QCOMPARE(p.report.changed.size(), 0);
    } else {
        QCOMPARE(p.report.changed.size(), 1);
        QCOMPARE(p.report.changed.first().line, 2);
        QVERIFY2(p.report.changed.first().reason.startsWith(changed),
                 qPrintable(p.report.changed.first().reason));
    }
}

void TestChirpCsv::importSkipsWhatTheRadioCannotHold_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("reason"); // its start

    using H = QHash<QString, QString>;
    QTest::newRow("split") << chirpLine(H{{"Duplex", "split"}, {"Offset", "435.0"}})
                           << QStringLiteral("transmit on 435.00000 MHz (Duplex \"split\") cannot "
                                             "be held: the radio transmits at most 99.99999 MHz");
    QTest::newRow("split just past the largest offset")
        << chirpLine(H{{"Duplex", "split"}, {"Offset", "45.49999"}})
        << QStringLiteral("transmit on 45.49999 MHz (Duplex \"split\") cannot be held");
    QTest::newRow("off") << chirpLine(H{{"Duplex", "off"}})
                         << QStringLiteral("Duplex \"off\" cannot be held");
    QTest::newRow("offset out of range")
        << chirpLine(H{{"Duplex", "+"}, {"Offset", "100.0"}})
        << QStringLiteral("Offset \"100.0\" is not 0 to 99.99999 MHz");
    QTest::newRow("digital squelch")
        << chirpLine(H{{"Tone", "DTCS"}}) << QStringLiteral("Tone \"DTCS\" cannot be held");
    QTest::newRow("reverse tone squelch tone not in the list")
        << chirpLine(H{{"Tone", "TSQL-R"}, {"cToneFreq", "254.1"}})
        << QStringLiteral("cToneFreq \"254.1\" is not a tone of the tone list");
    QTest::newRow("tone on receive only")
        << chirpLine(H{{"Tone", "Cross"}, {"CrossMode", "->Tone"}})
        << QStringLiteral("CrossMode \"->Tone\" cannot be held: a tone on receive only");
    QTest::newRow("cross to digital")
        << chirpLine(H{{"Tone", "Cross"}, {"CrossMode", "Tone->DTCS"}})
        << QStringLiteral("CrossMode \"Tone->DTCS\" cannot be held");
    QTest::newRow("transmit tone not in the list")
        << chirpLine(H{{"Tone", "Tone"}, {"rToneFreq", "206.5"}})
        << QStringLiteral("rToneFreq \"206.5\" is not a tone of the tone list");
    QTest::newRow("squelch tone not in the list")
        << chirpLine(H{{"Tone", "TSQL"}, {"cToneFreq", "254.1"}})
        << QStringLiteral("cToneFreq \"254.1\" is not a tone of the tone list");
    QTest::newRow("cross receive tone not in the list")
        << chirpLine(H{{"Tone", "Cross"}, {"cToneFreq", "159.8"}})
        << QStringLiteral("cToneFreq \"159.8\" is not a tone of the tone list");
    QTest::newRow("digital voice")
        << chirpLine(H{{"Mode", "DV"}}) << QStringLiteral("Mode \"DV\" cannot be held");
    QTest::newRow("location past the channels")
        << chirpLine(H{{"Location", "200"}}) << QStringLiteral("Location \"200\" is not");
    QTest::newRow("negative location")
        << chirpLine(H{{"Location", "-1"}}) << QStringLiteral("Location \"-1\" is not");
    QTest::newRow("frequency not a number")
        << chirpLine(H{{"Frequency", "abc"}}) << QStringLiteral("Frequency \"abc\" is not");
    QTest::newRow("frequency the variant cannot receive")
        << chirpLine(H{{"Frequency", "50.0"}})
        << QStringLiteral("50.00000 MHz is outside what HX-V5 D can receive");
}

void TestChirpCsv::importSkipsWhatTheRadioCannotHold()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, reason);

    // The bad line sits between two good ones, which are taken.
    const QByteArray good7 = chirpLine({{"Location", "7"}});
    const QByteArray good9 = chirpLine({{"Location", "9"}});
    const Parsed p = parse(kHeader + "\r\n" + good7 + "\r\n" + line + "\r\n" + good9 + "\r\n");
    QCOMPARE(p.error, FileError::None);
    QCOMPARE(p.report.taken, 2);
    QCOMPARE(p.rows.size(), 2);
    QCOMPARE(p.rows.at(0).index, 7);
    QCOMPARE(p.rows.at(1).index, 9);
    QCOMPARE(p.report.skipped.size(), 1);
    QCOMPARE(p.report.skipped.first().line, 3);
    QVERIFY2(p.report.skipped.first().reason.startsWith(reason),
             qPrintable(p.report.skipped.first().reason));
}

void TestChirpCsv::columnsAreFoundByName_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<TableRow>("row");

    QTest::newRow("another order")
        << QByteArray("Frequency,Tone,Location,cToneFreq,Name,Duplex,Offset,Mode,TStep\n"
                      "146.000000,TSQL,12,100.0,Club,-,0.600000,FM,25.00\n")
        << channel(146, 0, 8, 2, k100_0, k100_0, 2, 0.6, "Club");
    // An older file without tones, cross mode, step or comment: CHIRP's defaults stand in.
    QTest::newRow("older file, fewer columns")
        << QByteArray("Location,Name,Frequency,Duplex,Offset,Mode\r\n"
                      "12,Club,146.000000,+,0.600000,FM\r\n")
        << channel(146, 0, k20KHz, 0, k88_5, k88_5, 1, 0.6, "Club");
    QTest::newRow("comment lines, also before the header")
        << QByteArray("# made by hand, \"for\" the club\n#\nLocation,Frequency,Mode\n"
                      "# 11,146.0,AM\n12,146.0,AM\n")
        << channel(146, 1, k20KHz, 0, k88_5, k88_5, 0, 0, QString());
    QTest::newRow("byte-order mark and blanks around names")
        << QByteArray("\xEF\xBB\xBF Location , Frequency ,Mode\n12,146.0,AM\n")
        << channel(146, 1, k20KHz, 0, k88_5, k88_5, 0, 0, QString());
}

void TestChirpCsv::columnsAreFoundByName()
{
    QFETCH(QByteArray, file);
    QFETCH(TableRow, row);

    const Parsed p = parse(file);
    QCOMPARE(p.error, FileError::None);
    QCOMPARE(p.report.skipped.size(), 0);
    QCOMPARE(p.rows.size(), 1);
    QCOMPARE(p.rows.first().index, 12);
    QCOMPARE(p.rows.first().row.text, row.text);
    QCOMPARE(p.rows.first().row.number, row.number);
}

void TestChirpCsv::fileWithoutHeaderGivesNoRows()
{
    // The program's own layout chosen as CHIRP's by mistake.
    const Parsed p = parse("\"MODEL\",\"BANK\",\"CHANNEL\"\r\n\"HX-V5\",\"MEMORY\",\"5\"\r\n");
    QCOMPARE(p.error, FileError::None);
    QCOMPARE(p.report.taken, 0);
    QVERIFY(p.rows.isEmpty());
    QCOMPARE(p.report.skipped.size(), 1);
    QCOMPARE(p.report.skipped.first().line, 1);
    QVERIFY(p.report.skipped.first().reason.contains(QLatin1String("Location")));
}

void TestChirpCsv::openQuoteIsAFault()
{
    const Parsed p = parse(kHeader + "\n" + chirpLine({{"Name", "\"open"}}) + "\n");
    QCOMPARE(p.error, FileError::FileOpenError);
    QVERIFY(p.rows.isEmpty());
}

void TestChirpCsv::exportImportRoundTrip()
{
    Document source;
    const QList<TableRow> rows = {
        channel(145.5, 0, k12_5KHz, 0, k100_0, k67_0, 0, 0, "plain"),
        channel(433.1, 0, k5KHz, 1, k67_0, k88_5, 1, 1.6, "tone, \"quoted\""),
        channel(145.6, 0, k20KHz, 2, k100_0, k100_0, 2, 0.6, "tsq"),
        channel(146.1, 0, 8, 2, k67_0, k100_0, 0, 0, "cross"),
        channel(.531, 1, k9KHz, 0, k88_5, k88_5, 0, 0, QString()),
        channel(80.0, 2, 11, 0, k88_5, k88_5, 0, 0, "日本語"),
        channel(145.7, 0, k12_5KHz, 3, k100_0, k100_0, 0, 0, " reverse "),
    };
    for (int i = 0; i < rows.size(); ++i)
        source.channels().setSlot(i * 30, rows.at(i), i % 2 == 0);

    const Parsed p = parse(chirpCsvExportBytes(source));
    QCOMPARE(p.error, FileError::None);
    QCOMPARE(p.report.skipped.size(), 0);
    QCOMPARE(p.report.changed.size(), 0);
    QCOMPARE(p.rows.size(), rows.size());
    for (int i = 0; i < rows.size(); ++i) {
        QCOMPARE(p.rows.at(i).index, i * 30);
        QCOMPARE(p.rows.at(i).row.text, rows.at(i).text);
        QCOMPARE(p.rows.at(i).row.number, rows.at(i).number);
        QCOMPARE(p.rows.at(i).enabled, i % 2 == 0);
    }
}

void TestChirpCsv::recognisesChirpFiles()
{
    QTemporaryDir dir;
    const auto write = [&dir](const char *name, const QByteArray &bytes) {
        QFile file(dir.filePath(QLatin1String(name)));
        if (!file.open(QIODevice::WriteOnly))
            return QString();
        file.write(bytes);
        return file.fileName();
    };
    QVERIFY(isChirpCsvFile(write("chirp.csv", kHeader + "\r\n")));
    QVERIFY(isChirpCsvFile(write("bom.csv", "\xEF\xBB\xBF\"Location\",Frequency\n")));
    QVERIFY(!isChirpCsvFile(write("own.csv", "\"MODEL\",\"BANK\"\r\n")));
    QVERIFY(!isChirpCsvFile(write("locations.csv", "Locations,Frequency\n")));
    QVERIFY(!isChirpCsvFile(dir.filePath(QStringLiteral("missing.csv"))));
    QVERIFY(isChirpCsvFile(write("commented.csv", "# from CHIRP\r\n\r\n" + kHeader)));
    QVERIFY(!isChirpCsvFile(dir.path()));
    // Each layout is read as itself whatever type was chosen; a file naming neither keeps it.
    QCOMPARE(csvFormatOfText(kExportHeader, CsvFormat::Own), CsvFormat::Chirp);
    QCOMPARE(csvFormatOfText("\"MODEL\",\"BANK\"\r\n", CsvFormat::Chirp), CsvFormat::Own);
    QCOMPARE(csvFormatOfText("\"MODEL\";\"BANK\"\r\n", CsvFormat::Chirp), CsvFormat::Own);
    QCOMPARE(csvFormatOfText("HX-V5,MEMORY,5\n", CsvFormat::Chirp), CsvFormat::Own);
    QCOMPARE(csvFormatOfText("Name,Frequency\n", CsvFormat::Chirp), CsvFormat::Chirp);
    QCOMPARE(csvFormatOfText("Name,Frequency\n", CsvFormat::Own), CsvFormat::Own);
}

// Several lines naming one channel: the last one the radio can hold is taken, each other one
// is told; the report lists a few hundred and counts the rest.
void TestChirpCsv::laterLineNamingAChannelWins()
{
    QByteArray file = kHeader + "\n";
    for (int i = 0; i < 1000; ++i)
        file += chirpLine({{"Name", QString::number(i)}}) + "\n";
    file += chirpLine({{"Mode", "DV"}}) + "\n";
    const Parsed p = parse(file);
    QCOMPARE(p.rows.size(), 1);
    QCOMPARE(p.rows.first().row.text[kColNotes], QStringLiteral("999"));
    QCOMPARE(csvImportSummary(p.report), QStringLiteral("1 row imported, 1000 rows skipped."));
    QCOMPARE(p.report.skipped.size(), kMaxReportedRows);
    QVERIFY(p.report.skipped.contains(CsvSkippedRow{
        2, QStringLiteral("Location 5 is named again on line 1001, which is taken")}));
    QVERIFY(p.report.skipped.first().reason.startsWith(QLatin1String("Mode \"DV\"")));
    QCOMPARE(csvSkippedRowLines(p.report).last(), QStringLiteral("700 more rows are not listed."));
}

QTEST_GUILESS_MAIN(TestChirpCsv)
#include "tst_chirp_csv.moc"
