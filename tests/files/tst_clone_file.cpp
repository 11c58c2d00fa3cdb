#include "document/document.h"
#include "document_fixtures.h"
#include "files/bounded_input.h"
#include "files/clone_file.h"
#include "files/note_text.h"
#include "files/safe_write.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

using namespace hxv5;
using namespace hxv5::testing;

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// The lines of a clone file without their CR LF (the file ends with one, so the last split
// part is empty and dropped).
QList<QByteArray> fileLines(const QByteArray &bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QByteArray &l : lines)
        l.chop(1);
    return lines;
}

QByteArray joinLines(const QList<QByteArray> &lines, const QByteArray &end = "\r\n")
{
    QByteArray out;
    for (const QByteArray &l : lines)
        out += l + end;
    return out;
}

QByteArray sampleFile()
{
    Document doc;
    fillRandomly(doc, 7);
    return cloneFileBytes(doc);
}

// A device without a size, like a pipe or /dev/zero: the first lines of a clone file, then one
// note line that goes on and on. It ends by itself only far past any bound a reader should keep.
class EndlessNote : public QIODevice
{
public:
    explicit EndlessNote(const QByteArray &head) : m_head(head) { open(QIODevice::ReadOnly); }
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return QIODevice::bytesAvailable() + left(); }
    qint64 served() const { return m_served; }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        const qint64 n = qMin(maxSize, left());
        for (qint64 i = 0; i < n; ++i, ++m_served)
            data[i] = m_served < m_head.size() ? m_head.at(m_served) : 'x';
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    qint64 left() const { return 2 * kMaxInputFileBytes - m_served; }
    QByteArray m_head;
    qint64 m_served = 0;
};

FileError parseBytes(const QByteArray &bytes, CloneFileContent &content)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return parseCloneFile(buffer, content);
}

} // namespace

class TestCloneFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void roundTrip_data();
    void roundTrip();
    void writtenLayout();
    void readFailures_data();
    void readFailures();
    void acceptedVariants_data();
    void acceptedVariants();
    void legacyNoteEncodings_data();
    void legacyNoteEncodings();
    void unusedRecordEmptiesRow();
    void failedWriteKeepsOldFile_data();
    void failedWriteKeepsOldFile();
    void interruptedWriteKeepsOldFile();
    void endlessNoteLine();
    void oversizedFile();

private:
    QTemporaryDir m_dir;
};

void TestCloneFile::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY2(legacyEncodingsAvailable(), "Qt lacks the Shift-JIS and Windows-1252 decoders (ICU)");
}

void TestCloneFile::roundTrip_data()
{
    QTest::addColumn<quint32>("seed");
    for (quint32 seed : {1u, 2u, 3u, 4u, 5u})
        QTest::addRow("seed %u", seed) << seed;
}

// Everything saved comes back, notes with commas, quotes, blanks and Japanese text included;
// line breaks in notes come back as blanks.
void TestCloneFile::roundTrip()
{
    QFETCH(quint32, seed);
    Document saved;
    fillRandomly(saved, seed);
    const QString path = m_dir.filePath(QStringLiteral("round%1.TV5").arg(seed));
    QCOMPARE(writeCloneFile(path, saved), FileError::None);
    QCOMPARE(saved.settingsRecord(), EncodeSettingsRecord(saved.settings()));

    Document opened;
    QCOMPARE(readCloneFile(path, opened), FileError::None);
    QCOMPARE(opened.model(), saved.model());
    QCOMPARE(EncodeSettingsRecord(opened.settings()), EncodeSettingsRecord(saved.settings()));
    for (int r = 0; r < kVfoRowCount; ++r)
        QCOMPARE(opened.vfo().row(r), withStoredNote(saved.vfo().row(r)));
    for (int s = 0; s < kSlotCount; ++s) {
        QCOMPARE(opened.channels().row(s), withStoredNote(saved.channels().row(s)));
        QCOMPARE(opened.channels().isEnabled(s), saved.channels().isEnabled(s));
    }
    QCOMPARE(opened.enableBlocks(), saved.enableBlocks());

    // A second save of what was opened gives the same bytes.
    const QString again = m_dir.filePath(QStringLiteral("again%1.TV5").arg(seed));
    QCOMPARE(writeCloneFile(again, opened), FileError::None);
    QCOMPARE(readAll(again), readAll(path));
}

void TestCloneFile::writtenLayout()
{
    Document doc;
    doc.channels().setEnabled(0, true);
    doc.channels().setEnabled(212, true);
    doc.channels().setText(5, kColNotes, QStringLiteral("日本"));
    const QByteArray bytes = cloneFileBytes(doc);
    QVERIFY(bytes.endsWith("\r\n"));
    QCOMPARE(bytes.count("\r\n"), kCloneFileLines);
    QCOMPARE(bytes.count('\n'), kCloneFileLines);
    QVERIFY(!bytes.startsWith("\xEF\xBB\xBF"));
    const QList<QByteArray> lines = fileLines(bytes);
    QCOMPARE(lines.size(), kCloneFileLines);
    QCOMPARE(lines.at(0), QByteArray("Tormel  HX-V5  Clone  File Start"));
    QCOMPARE(lines.at(1), QByteArray("A5000A0304000000000200006C23FFFF"));
    // VFO row AM after start-up: .531 MHz, AM, step 0, no tone, tones 8 and 8, no shift.
    QCOMPARE(lines.at(2), QByteArray("0000531000"
                                     "01"
                                     "00"
                                     "00"
                                     "08"
                                     "08"
                                     "00"
                                     "00"
                                     "00000"
                                     "0FF"));
    QCOMPARE(lines.at(9), QByteArray(30, '0') + "FF"); // slot 0, empty
    QCOMPARE(lines.at(222), QByteArray("80000000000000000000000000000000"));
    QCOMPARE(lines.at(223), QByteArray("00000000000000000000080000000000"));
    QCOMPARE(lines.at(224), QByteArray()); // note of VFO row AM
    QCOMPARE(lines.at(231 + 5), QByteArray("\xE6\x97\xA5\xE6\x9C\xAC"));
    QCOMPARE(lines.at(444), QByteArray("Tormel  HX-V5  Clone  File   End"));
    for (int n = 0; n < kCloneFileRecordLines; ++n)
        QCOMPARE(lines.at(n).size(), 32);
}

void TestCloneFile::readFailures_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<FileError>("expected");

    const QList<QByteArray> good = fileLines(sampleFile());
    const auto changed = [&good](int lineIndex, const QByteArray &text) {
        QList<QByteArray> lines = good;
        lines[lineIndex] = text;
        return joinLines(lines);
    };

    QTest::newRow("empty file") << QByteArray() << FileError::FileOpenError;
    QTest::newRow("444 lines") << joinLines(good.mid(0, 444)) << FileError::FileOpenError;
    QTest::newRow("ends inside the records")
        << joinLines(good.mid(0, 100)) << FileError::FileOpenError;
    QTest::newRow("start marker with single blanks (29 characters)")
        << changed(0, "Tormel HX-V5 Clone File Start") << FileError::DataError;
    QTest::newRow("short start marker in a 444-line file")
        << joinLines(good.mid(0, 444)).mid(32).prepend("Tormel HX-V5 Clone File Start")
        << FileError::DataError;
    QTest::newRow("wrong start marker in a 444-line file is still a short file")
        << joinLines(good.mid(0, 444)).replace("Tormel", "TORMEL") << FileError::FileOpenError;
    for (int line : {2, 3, 10, 120, 222, 223, 224}) {
        QByteArray shorter = good.at(line - 1);
        shorter.chop(1);
        QTest::addRow("31 characters on line %d", line)
            << changed(line - 1, shorter) << FileError::DataError;
        QTest::addRow("33 characters on line %d", line)
            << changed(line - 1, good.at(line - 1) + "0") << FileError::DataError;
    }
    QTest::newRow("a very long record line")
        << changed(50, QByteArray(100000, '0')) << FileError::DataError;
    QTest::newRow("start marker of the right length, wrong text")
        << changed(0, "Tormel  HX-V5  Clone  File Begin") << FileError::DataError;
    QTest::newRow("start marker in upper case")
        << changed(0, "TORMEL  HX-V5  CLONE  FILE START") << FileError::DataError;
    QTest::newRow("end marker in lower case")
        << changed(444, "tormel  hx-v5  clone  file   end") << FileError::DataError;
    QTest::newRow("end marker with a trailing blank")
        << changed(444, "Tormel  HX-V5  Clone  File   End ") << FileError::DataError;
    QTest::newRow("end marker missing (a note in its place)")
        << changed(444, QByteArray()) << FileError::DataError;
    QTest::newRow("a byte-order mark before the start marker")
        << changed(0, "\xEF\xBB\xBFTormel  HX-V5  Clone  File Start") << FileError::DataError;
}

// A file that fails changes nothing in the document, whichever test it fails.
void TestCloneFile::readFailures()
{
    QFETCH(QByteArray, bytes);
    QFETCH(FileError, expected);
    const QString path = m_dir.filePath(QStringLiteral("bad.TV5"));
    QVERIFY(writeAll(path, bytes));

    Document doc;
    fillRandomly(doc, 11);
    doc.setCurrentFile(QStringLiteral("/somewhere/else.TV5"));
    doc.setChanged(true);
    const Snapshot before(doc);
    QCOMPARE(readCloneFile(path, doc), expected);
    QVERIFY(Snapshot(doc) == before);
}

void TestCloneFile::acceptedVariants_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("note");

    QList<QByteArray> lines = fileLines(sampleFile());
    lines[231 + 7] = "note of slot 7";
    QTest::newRow("as written") << joinLines(lines) << 7 << QStringLiteral("note of slot 7");
    QTest::newRow("text after line 445")
        << joinLines(lines) + "garbage\r\nmore garbage, no line end" << 7
        << QStringLiteral("note of slot 7");
    QTest::newRow("line ends LF alone")
        << joinLines(lines, "\n") << 7 << QStringLiteral("note of slot 7");
    QTest::newRow("last line without its line end")
        << joinLines(lines).chopped(2) << 7 << QStringLiteral("note of slot 7");
    QList<QByteArray> mixed = lines;
    for (int n = 0; n < mixed.size(); n += 2)
        mixed[n] += '\r';
    QTest::newRow("line ends mixed")
        << joinLines(mixed, "\n") << 7 << QStringLiteral("note of slot 7");
    QList<QByteArray> longNote = lines;
    longNote[231 + 8] = QByteArray(5000, 'x');
    QTest::newRow("a note of 5000 characters") << joinLines(longNote) << 8 << QString(5000, u'x');
    QList<QByteArray> crNote = lines;
    crNote[231 + 9] = "one\rtwo";
    QTest::newRow("a lone CR inside a note") << joinLines(crNote) << 9 << QStringLiteral("one two");
}

void TestCloneFile::acceptedVariants()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, slot);
    QFETCH(QString, note);
    Document doc;
    CloneFileContent content;
    QCOMPARE(parseBytes(bytes, content), FileError::None);
    applyCloneFile(content, doc);
    QCOMPARE(doc.channels().text(slot, kColNotes), note);
    Document expected;
    fillRandomly(expected, 7);
    QCOMPARE(doc.channels().row(20).number, expected.channels().row(20).number);
    QCOMPARE(doc.channels().enableFlags(), expected.channels().enableFlags());
}

void TestCloneFile::legacyNoteEncodings_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("note");
    QTest::newRow("UTF-8") << QByteArray("\xE6\x97\xA5\xE6\x9C\xAC") << QStringLiteral("日本");
    QTest::newRow("Shift-JIS") << QByteArray("\x93\xFA\x96\x7B\x8C\xEA")
                               << QStringLiteral("日本語");
    QTest::newRow("Shift-JIS half-width kana and circled digit")
        << QByteArray("\xB1\xDD\x87\x40") << QStringLiteral("ｱﾝ①");
    QTest::newRow("Windows-1252") << QByteArray("Caf\xE9 \x80 5") << QStringLiteral("Café € 5");
    QTest::newRow("Windows-1252, a cut Shift-JIS pair at the end")
        << QByteArray("abc\x93") << QStringLiteral("abc“");
    // Bytes that are no Shift-JIS character on their own, though some systems map them.
    QTest::newRow("Windows-1252, a no-break space and a euro sign")
        << QByteArray("5\xA0\x80") << QStringLiteral("5\u00A0€");
    QTest::newRow("Windows-1252, y acute alone") << QByteArray("\xFD") << QStringLiteral("ý");
    QTest::newRow("Windows-1252, thorn and y diaeresis")
        << QByteArray("\xFE\xFF") << QStringLiteral("þÿ");
    QTest::newRow("plain ASCII") << QByteArray("Repeater, \"north\"")
                                 << QStringLiteral("Repeater, \"north\"");
}

void TestCloneFile::legacyNoteEncodings()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, note);
    QCOMPARE(decodeTextLine(line), note);

    QList<QByteArray> lines = fileLines(sampleFile());
    lines[224 + 3] = line; // note of VFO row Air
    CloneFileContent content;
    QCOMPARE(parseBytes(joinLines(lines), content), FileError::None);
    QCOMPARE(content.vfoNotes[3], note);
}

// A record the radio marks unused must not leave the previous document's channel in the slot.
void TestCloneFile::unusedRecordEmptiesRow()
{
    QList<QByteArray> lines = fileLines(sampleFile());
    lines[9 + 4] = QByteArray(32, 'F'); // slot 4
    lines[231 + 4] = "kept note";
    lines[2 + 1] = "FFFF" + QByteArray(28, '0'); // VFO row SW
    Document doc;
    fillRandomly(doc, 99);
    QRandomGenerator rng(3);
    doc.channels().setSlot(4, randomRow(rng), true);
    CloneFileContent content;
    QCOMPARE(parseBytes(joinLines(lines), content), FileError::None);
    applyCloneFile(content, doc);
    TableRow empty;
    empty.text[kColNotes] = QStringLiteral("kept note");
    QCOMPARE(doc.channels().row(4), empty);
    QVERIFY(doc.vfo().row(1).isEmpty());
}

void TestCloneFile::failedWriteKeepsOldFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("folder in the way") << QStringLiteral("folder");
#ifdef Q_OS_UNIX
    // Windows keeps no one from adding files to a folder marked read-only.
    QTest::newRow("read-only folder") << QStringLiteral("read-only");
#endif
    QTest::newRow("missing folder") << QStringLiteral("missing");
}

// A save that cannot be done reports "File Open Error" and leaves the old file, if any, whole and
// the document as it was.
void TestCloneFile::failedWriteKeepsOldFile()
{
    QFETCH(QString, kind);
    const QString folder = m_dir.filePath(kind);
    QVERIFY(QDir().mkpath(folder));
    QString target = folder + QStringLiteral("/old.TV5");
    const QByteArray old = sampleFile();
    QVERIFY(writeAll(target, old));
    if (kind == QLatin1String("folder")) {
        target = folder + QStringLiteral("/sub.TV5");
        QVERIFY(QDir().mkpath(target));
    } else if (kind == QLatin1String("read-only")) {
#ifdef Q_OS_UNIX
        if (geteuid() == 0)
            QSKIP("folder permissions do not hold for the superuser");
#endif
        // A file the user may write would be overwritten in place.
        QVERIFY(QFile::setPermissions(target, QFile::ReadOwner));
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    } else {
        target = folder + QStringLiteral("/no/such/folder/new.TV5");
    }

    Document doc;
    fillRandomly(doc, 5);
    doc.setChanged(true);
    const Snapshot before(doc);
    QCOMPARE(writeCloneFile(target, doc), FileError::FileOpenError);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(Snapshot(doc) == before);
    QCOMPARE(readAll(folder + QStringLiteral("/old.TV5")), old);
    const QStringList left =
        QDir(folder).entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString &name : left)
        QVERIFY2(name == QLatin1String("old.TV5") || name == QLatin1String("sub.TV5"),
                 qPrintable(name));
}

// A write cut short part-way leaves the old file byte for byte and no stray file beside it.
void TestCloneFile::interruptedWriteKeepsOldFile()
{
    const QString folder = m_dir.filePath(QStringLiteral("interrupted"));
    QVERIFY(QDir().mkpath(folder));
    const QString target = folder + QStringLiteral("/old.TV5");
    const QByteArray old = sampleFile();
    QVERIFY(writeAll(target, old));
    Document doc;
    const QByteArray replacement = cloneFileBytes(doc);
    const bool written = writeFileSafely(target, [&replacement](QIODevice &device) {
        device.write(replacement.left(replacement.size() / 2));
        return false;
    });
    QVERIFY(!written);
    QCOMPARE(readAll(target), old);
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

// A note line that never ends is read no further than the bound of a whole file.
void TestCloneFile::endlessNoteLine()
{
    const QList<QByteArray> lines = fileLines(sampleFile());
    EndlessNote device(joinLines(lines.mid(0, kCloneFileRecordLines)));
    CloneFileContent content;
    QCOMPARE(parseCloneFile(device, content), FileError::FileOpenError);
    QVERIFY(content.settingsRecord.isEmpty());
    QVERIFY2(device.served() <= kMaxInputFileBytes + 64 * 1024,
             qPrintable(QString::number(device.served())));
}

// A file larger than the bound is refused before it is read, even when its first 445 lines are
// a good clone file (the rest would be ignored).
void TestCloneFile::oversizedFile()
{
    const QString path = m_dir.filePath(QStringLiteral("large.TV5"));
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QVERIFY(f.write(sampleFile()) > 0);
        QVERIFY(f.resize(kMaxInputFileBytes + 1)); // sparse: no room on the disk is taken
    }
    Document doc;
    const Snapshot before(doc);
    QCOMPARE(readCloneFile(path, doc), FileError::FileOpenError);
    QVERIFY(Snapshot(doc) == before);
    // At the bound it is still read.
    QVERIFY(QFile::resize(path, kMaxInputFileBytes));
    QCOMPARE(readCloneFile(path, doc), FileError::None);
}

QTEST_GUILESS_MAIN(TestCloneFile)
#include "tst_clone_file.moc"
