#include "document/document.h"
#include "document_fixtures.h"
#include "files/clone_file.h"
#include "files/image_compare.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace hxv5;
using namespace hxv5::testing;

namespace {

QStringList lines(const QList<ImageDifference> &differences)
{
    QStringList out;
    for (const ImageDifference &d : differences)
        out << differenceLine(d);
    return out;
}

using Change = std::function<void(SettingsModel &)>;

struct SettingCase
{
    const char *name;
    Change base;   // both sides
    Change change; // the second side only
    const char *line;
};

// One case per value the settings model holds.
const QList<SettingCase> &settingCases()
{
    using S = SettingsModel;
    static const QList<SettingCase> cases = {
        {"model",
         [](S &s) {
             s.setModel(0);
             s.setBand(4);
             s.setOperatingMode(0);
         },
         [](S &s) { s.setModel(4); }, "setting Model HX-V5 D HX-V5 B"},
        {"volume", [](S &s) { s.setVolume(3); }, [](S &s) { s.setVolume(17); },
         "setting Volume 3 17"},
        {"lo volume", [](S &s) { s.setLoVolume(false); }, [](S &s) { s.setLoVolume(true); },
         "setting Lo Volume off on"},
        {"squelch", [](S &s) { s.setSquelch(1); }, [](S &s) { s.setSquelch(9); },
         "setting Squelch 1 9"},
        {"tx extension", [](S &s) { s.setTxExtension(true); },
         [](S &s) { s.setTxExtension(false); }, "setting TX Extension on off"},
        {"auto program", [](S &s) { s.setAutoProgram(false); },
         [](S &s) { s.setAutoProgram(true); }, "setting Auto Program off on"},
        {"auto step", [](S &s) { s.setAutoStep(false); }, [](S &s) { s.setAutoStep(true); },
         "setting Auto Step off on"},
        {"auto power off", [](S &s) { s.setAutoPowerOff(0); }, [](S &s) { s.setAutoPowerOff(2); },
         "setting Auto Power Off Off 60"},
        {"keylock", [](S &s) { s.setFunctionFlag(0, false); },
         [](S &s) { s.setFunctionFlag(0, true); }, "setting Keylock off on"},
        {"write protect", [](S &s) { s.setFunctionFlag(1, false); },
         [](S &s) { s.setFunctionFlag(1, true); }, "setting Write Protect off on"},
        {"battery save", [](S &s) { s.setFunctionFlag(2, false); },
         [](S &s) { s.setFunctionFlag(2, true); }, "setting Battery Save off on"},
        {"earphone antenna", [](S &s) { s.setFunctionFlag(3, false); },
         [](S &s) { s.setFunctionFlag(3, true); }, "setting Earphone Antenna off on"},
        {"beep", [](S &s) { s.setFunctionFlag(4, true); },
         [](S &s) { s.setFunctionFlag(4, false); }, "setting Beep on off"},
        {"doremi", [](S &s) { s.setFunctionFlag(5, false); },
         [](S &s) { s.setFunctionFlag(5, true); }, "setting DoReMi off on"},
        {"none", [](S &s) { s.setFunctionFlag(6, false); },
         [](S &s) { s.setFunctionFlag(6, true); }, "setting None off on"},
        {"bell", [](S &s) { s.setFunctionFlag(7, false); },
         [](S &s) { s.setFunctionFlag(7, true); }, "setting Bell off on"},
        {"operating mode", [](S &s) { s.setOperatingMode(0); }, [](S &s) { s.setOperatingMode(3); },
         "setting Operating Mode VFO Priority"},
        {"priority mode", [](S &s) { s.setPriorityMode(0); }, [](S &s) { s.setPriorityMode(1); },
         "setting Priority Mode VFO Memory"},
        {"bug level", [](S &s) { s.setBugLevel(0); }, [](S &s) { s.setBugLevel(4); },
         "setting Bug Sencitive Lebel 1 5"},
        {"memory channel", [](S &s) { s.setMemoryChannel(12); },
         [](S &s) { s.setMemoryChannel(212); }, "setting Memory Channel 12 Priority"},
        {"band",
         [](S &s) {
             s.setModel(0);
             s.setBand(2);
         },
         [](S &s) { s.setBand(4); }, "setting Band FM VHF"},
        {"tone burst", [](S &s) { s.setToneBurst(0); }, [](S &s) { s.setToneBurst(1); },
         "setting Tone Burst 1750Hz 2100Hz"},
        {"scan on", [](S &s) { s.setScanOn(false); }, [](S &s) { s.setScanOn(true); },
         "setting Scan on off on"},
        {"scan mode", [](S &s) { s.setScanMode(0); }, [](S &s) { s.setScanMode(1); },
         "setting Scan Mode VFO Tone"},
        {"scan resume", [](S &s) { s.setScanResume(0); }, [](S &s) { s.setScanResume(1); },
         "setting Scan Resume Busy Scan Timer Scan"},
    };
    return cases;
}

TableRow channel(const char *frequency, const char *note)
{
    TableRow row;
    row.text[kColFrequency] = QString::fromLatin1(frequency);
    row.number[kColFrequency] = row.text[kColFrequency].toDouble();
    row.text[kColMode] = QStringLiteral("FM");
    row.text[kColNotes] = QString::fromUtf8(note);
    return row;
}

} // namespace

// The comparison of two images, field by field, and its lines.
class TestImageCompare : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void identical_data();
    void identical();
    void oneSlotField_data();
    void oneSlotField();
    void enableFlag_data();
    void enableFlag();
    void vfoField();
    void eachSetting_data();
    void eachSetting();
    void againstFile();
    void brokenFile_data();
    void brokenFile();
};

void TestImageCompare::identical_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::newRow("new images") << 0u;
    QTest::newRow("random 1") << 1u;
    QTest::newRow("random 7") << 7u;
}

void TestImageCompare::identical()
{
    QFETCH(quint32, seed);
    Document a;
    Document b;
    if (seed != 0) {
        fillRandomly(a, seed);
        fillRandomly(b, seed);
    }
    QCOMPARE(lines(compareDocuments(a, b)), QStringList());
}

void TestImageCompare::oneSlotField_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("line");
    QTest::newRow("frequency") << 12 << int(kColFrequency) << "146.52000"
                               << "slot 12 Frequency 145.50000 146.52000";
    QTest::newRow("mode, slot P0A") << 200 << int(kColMode) << "AM"
                                    << "slot P0A Mode FM AM";
    QTest::newRow("note, priority slot") << 212 << int(kColNotes) << "Club net"
                                         << "slot Pri Notes home Club net";
    QTest::newRow("note emptied") << 0 << int(kColNotes) << ""
                                  << "slot 0 Notes home (empty)";
    QTest::newRow("note with a line break") << 199 << int(kColNotes) << "two\nlines"
                                            << "slot 199 Notes home two lines";
}

void TestImageCompare::oneSlotField()
{
    QFETCH(int, slot);
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(QString, line);
    Document a;
    Document b;
    for (Document *doc : {&a, &b})
        doc->channels().setSlot(slot, channel("145.50000", "home"), true);
    b.channels().setText(slot, column, text);
    QCOMPARE(lines(compareDocuments(a, b)), QStringList{line});
}

void TestImageCompare::enableFlag_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QString>("line");
    QTest::newRow("slot 12 off") << 12 << false << "slot 12 Enable on off";
    QTest::newRow("A-H on") << 211 << true << "slot A-H Enable off on";
}

void TestImageCompare::enableFlag()
{
    QFETCH(int, slot);
    QFETCH(bool, enabled);
    QFETCH(QString, line);
    Document a;
    Document b;
    for (Document *doc : {&a, &b})
        doc->channels().setSlot(slot, channel("145.50000", ""), !enabled);
    b.channels().setEnabled(slot, enabled);
    QCOMPARE(lines(compareDocuments(a, b)), QStringList{line});
}

void TestImageCompare::vfoField()
{
    Document a;
    Document b;
    const QString old = a.vfo().text(2, kColStep);
    b.vfo().setText(2, kColStep, QStringLiteral("100k"));
    QVERIFY(old != QStringLiteral("100k"));
    const QList<ImageDifference> differences = compareDocuments(a, b);
    QCOMPARE(differences.size(), 1);
    QCOMPARE(differences.at(0), (ImageDifference{QStringLiteral("VFO FM"), QStringLiteral("Step"),
                                                 old, QStringLiteral("100k")}));
}

void TestImageCompare::eachSetting_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < settingCases().size(); ++i)
        QTest::newRow(settingCases().at(i).name) << i;
}

void TestImageCompare::eachSetting()
{
    QFETCH(int, index);
    const SettingCase &c = settingCases().at(index);
    Document a;
    Document b;
    c.base(a.settings());
    c.base(b.settings());
    c.change(b.settings());
    QCOMPARE(lines(compareDocuments(a, b)), QStringList{QString::fromUtf8(c.line)});
}

void TestImageCompare::againstFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("b.TV5"));
    Document doc;
    fillRandomly(doc, 3, {.receivable = true, .model = 0});
    QCOMPARE(writeCloneFile(path, doc), FileError::None);
    QList<ImageDifference> differences{{}};
    QCOMPARE(compareWithCloneFile(doc, path, differences), FileError::None);
    QCOMPARE(lines(differences), QStringList());

    Document edited;
    QCOMPARE(readCloneFile(path, edited), FileError::None);
    edited.channels().setSlot(12, channel("145.50000", ""), true);
    edited.channels().setText(12, kColFrequency, QStringLiteral("146.52000"));
    const Snapshot before(edited);
    QCOMPARE(compareWithCloneFile(edited, path, differences), FileError::None);
    QVERIFY(!differences.isEmpty());
    QCOMPARE(differences.last().where, QStringLiteral("slot 12"));
    QVERIFY(Snapshot(edited) == before);
}

void TestImageCompare::brokenFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("error");
    QTest::newRow("short line") << QByteArray("too short\r\n") << int(FileError::DataError);
    QTest::newRow("missing") << QByteArray() << int(FileError::FileOpenError);
}

void TestImageCompare::brokenFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, error);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("broken.TV5"));
    if (!bytes.isEmpty()) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    Document doc;
    QList<ImageDifference> differences{{QStringLiteral("kept"), {}, {}, {}}};
    QCOMPARE(int(compareWithCloneFile(doc, path, differences)), error);
    QCOMPARE(differences.size(), 1);
    QCOMPARE(differences.at(0).where, QStringLiteral("kept"));
}

QTEST_GUILESS_MAIN(TestImageCompare)
#include "tst_image_compare.moc"
