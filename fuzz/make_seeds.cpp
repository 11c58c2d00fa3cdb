// Writes the seed corpora of the fuzz targets into a folder, one subfolder per target, from the
// program's own writers: a clone file and a CSV export of a filled document, damaged copies of
// both, channel and settings records, and replies of the radio framed for the exchange target.
//
//   make_seeds OUTDIR
#include "document/document.h"
#include "files/clone_file.h"
#include "files/csv_exchange.h"
#include "image/channel_codec.h"
#include "settings/settings_record.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>

using namespace hxv5;

namespace {

QDir g_out;

bool put(const QString &target, const QString &name, const QByteArray &bytes)
{
    if (!g_out.mkpath(target))
        return false;
    QFile file(g_out.filePath(target + QLatin1Char('/') + name));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

TableRow channel(double mhz, int mode, int step, double shift, int shiftKind, const char *note)
{
    TableRow row;
    row.number[kColFrequency] = mhz;
    row.number[kColMode] = mode;
    row.number[kColStep] = step;
    row.number[kColTone] = 1;
    row.number[kColTxTone] = 8;
    row.number[kColRxTone] = 12;
    row.number[kColShift] = shiftKind;
    row.number[kColShiftFreq] = shift;
    TableRow decoded;
    decodeRecord(encodeRecord(row), decoded);
    decoded.text[kColNotes] = QString::fromUtf8(note);
    return decoded;
}

void fill(Document &doc)
{
    const TableRow rows[] = {
        channel(145.0, 0, 5, 0.6, 2, "Repeater, \"north\""),
        channel(438.65, 1, 7, 5.0, 1, "UHF \xe3\x83\xaa\xe3\x83\x94\xe3\x83\xbc\xe3\x82\xbf"),
        channel(89.7, 2, 10, 0.0, 0, ""),
        channel(0.531, 0, 0, 0.0, 0, "AM"),
    };
    for (int s = 0; s < kSlotCount; s += 9) {
        doc.channels().setSlot(s, rows[s % 4], s % 2 == 0);
    }
    doc.vfo().setText(2, kColNotes, QStringLiteral("FM band"));
    doc.settings().setVolume(17);
}

// One exchange input for fuzz_reply_framing: flag byte, then chunks of at most 63 bytes.
QByteArray framing(std::uint8_t flags, const QList<QByteArray> &chunks,
                   std::uint8_t lastChunkBits = 0)
{
    QByteArray out(1, static_cast<char>(flags));
    for (qsizetype i = 0; i < chunks.size(); ++i) {
        const QByteArray &chunk = chunks.at(i);
        std::uint8_t header = static_cast<std::uint8_t>(chunk.size() & 0x3F);
        if (i == chunks.size() - 1)
            header |= lastChunkBits;
        out += static_cast<char>(header);
        out += chunk.left(0x3F);
    }
    return out;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds OUTDIR\n");
        return 2;
    }
    g_out = QDir(QString::fromLocal8Bit(argv[1]));
    bool ok = g_out.mkpath(QStringLiteral("."));

    Document empty;
    Document doc;
    fill(doc);

    const QByteArray clone = cloneFileBytes(doc);
    ok = ok && put(QStringLiteral("clone_file"), QStringLiteral("filled.TV5"), clone);
    ok = ok && put(QStringLiteral("clone_file"), QStringLiteral("new.TV5"), cloneFileBytes(empty));
    QByteArray lfOnly = clone;
    lfOnly.replace("\r\n", "\n");
    ok = ok && put(QStringLiteral("clone_file"), QStringLiteral("lf.TV5"), lfOnly);
    ok = ok && put(QStringLiteral("clone_file"), QStringLiteral("truncated.TV5"),
                   clone.left(clone.size() / 2));
    QByteArray shortLine = clone;
    shortLine.remove(clone.indexOf("\r\n", 40) - 1, 1);
    ok = ok && put(QStringLiteral("clone_file"), QStringLiteral("short-line.TV5"), shortLine);
    QByteArray badMarker = clone;
    badMarker.replace("File   End", "File  End ");
    ok = ok && put(QStringLiteral("clone_file"), QStringLiteral("bad-marker.TV5"), badMarker);

    const QByteArray csv = csvExportBytes(doc);
    ok = ok && put(QStringLiteral("csv_import"), QStringLiteral("filled.csv"), csv);
    ok = ok && put(QStringLiteral("csv_import"), QStringLiteral("new.csv"), csvExportBytes(empty));
    // A few rows, one spread over two lines, one of another model, one left open at the end.
    const qsizetype third = csv.indexOf('\n', csv.indexOf('\n', csv.indexOf('\n') + 1) + 1);
    QByteArray mixed = csv.left(third + 1);
    mixed += "\"HX-V5\",\"MEMORY\",\"7\",\"145.50000\",\"FM\",\n\"12.5KHz\",\"None\",\"88.5Hz\","
             "\"88.5Hz\",\"None\",\".00000\",\"two\nlines\",#TRUE#\r\n";
    mixed += "\"HX-V9\",\"MEMORY\",\"8\",\"145.50000\"\r\n";
    ok = ok && put(QStringLiteral("csv_import"), QStringLiteral("mixed.csv"), mixed);
    ok = ok && put(QStringLiteral("csv_import"), QStringLiteral("open-quote.csv"),
                   mixed + "\"HX-V5\",\"MEMORY\",\"9\",\"14");

    for (int s = 0; s < 4; ++s) {
        const QByteArray record = encodeRecord(doc.channels().row(s * 9)).toLatin1();
        ok = ok &&
             put(QStringLiteral("record_decoder"), QStringLiteral("slot%1").arg(s * 9), record);
    }
    ok = ok && put(QStringLiteral("record_decoder"), QStringLiteral("unused"), QByteArray(32, 'F'));
    ok = ok && put(QStringLiteral("settings_decoder"), QStringLiteral("filled"),
                   EncodeSettingsRecord(doc.settings()).toLatin1());
    ok = ok && put(QStringLiteral("settings_decoder"), QStringLiteral("new"),
                   EncodeSettingsRecord(empty.settings()).toLatin1());

    // The radio echoes the command, then answers.
    const QByteArray record = encodeRecord(doc.channels().row(0)).toLatin1();
    const QByteArray readEcho = "AL~F0050R\r";
    const QByteArray writeEcho = "AL~F0050W" + QByteArray(32, '0') + "\r";
    const QByteArray frame = "\r\n" + record + "\r\n";
    const QString framingDir = QStringLiteral("reply_framing");
    ok = ok && put(framingDir, QStringLiteral("read"), framing(0, {readEcho, frame}));
    ok = ok && put(framingDir, QStringLiteral("read-split"),
                   framing(0, {readEcho + "\r\n" + record.left(10), record.mid(10) + "\r\n"}));
    ok = ok && put(framingDir, QStringLiteral("read-short"),
                   framing(0, {"\r\n" + record.left(31) + "\r\n"}));
    ok = ok && put(framingDir, QStringLiteral("read-bad-frame"),
                   framing(0, {readEcho, "\r\n" + record + "X\r\n"}));
    ok = ok && put(framingDir, QStringLiteral("read-late"),
                   framing(0x08, {readEcho}, 0x80) + framing(0, {frame}).mid(1));
    ok = ok && put(framingDir, QStringLiteral("write"), framing(0x01, {writeEcho, "\r\nOK\r\n"}));
    ok =
        ok && put(framingDir, QStringLiteral("write-ng"), framing(0x01, {writeEcho, "\r\nNG\r\n"}));
    ok = ok && put(framingDir, QStringLiteral("write-ok-only"), framing(0x11, {"\r\nOK\r\n"}));
    ok = ok && put(framingDir, QStringLiteral("port-fails"), framing(0x00, {readEcho}, 0x40));
    if (!ok) {
        std::fprintf(stderr, "make_seeds: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
