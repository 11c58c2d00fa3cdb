#include "files/clone_file.h"

#include "document/document.h"
#include "files/bounded_input.h"
#include "files/note_text.h"
#include "files/safe_write.h"
#include "image/channel_codec.h"
#include "settings/settings_record.h"

#include <QCoreApplication>
#include <QFile>

#include <new>

namespace hxv5 {

namespace {

constexpr int kFirstVfoLine = 3; // lines are counted from 1, as in the file's description
constexpr int kFirstChannelLine = 10;
constexpr int kFirstEnableLine = 223;
constexpr int kFirstVfoNoteLine = 225;
constexpr int kFirstSlotNoteLine = 232;

enum class LineRead { Ok, TooLong, End };

// The file's lines, never more than kMaxInputFileBytes of them in all: a line without an end in
// sight (a note of many megabytes, a device that never stops) is given up, not held.
class LineSource
{
public:
    explicit LineSource(QIODevice &device) : m_device(device) {}

    // One line without its line end (LF, or CR LF). With a limit, a line longer than the limit
    // is not read to its end but reported as too long: lines that must hold 32 characters need
    // no more. Without one, a line is TooLong only when it runs past the bound of the whole
    // file. A failed read counts as the end of the file.
    LineRead next(QByteArray &line, qint64 limit = 0)
    {
        line.clear();
        // The line, its CR LF and one byte more, to tell a line that is too long.
        const qint64 room = limit > 0 ? qMin(limit + 3, m_left + 1) : m_left + 1;
        constexpr qint64 kPiece = 64 * 1024;
        while (line.size() < room && !line.endsWith('\n') && !m_device.atEnd()) {
            // readLine(n) gives at most n - 1 bytes.
            const QByteArray piece = m_device.readLine(qMin(room - line.size(), kPiece) + 1);
            if (piece.isEmpty())
                break;
            line += piece;
        }
        m_left -= line.size();
        if (line.isEmpty())
            return LineRead::End;
        if (line.endsWith('\n'))
            line.chop(1);
        else if (line.size() >= room)
            return LineRead::TooLong;
        if (line.endsWith('\r'))
            line.chop(1);
        return LineRead::Ok;
    }

private:
    QIODevice &m_device;
    qint64 m_left = kMaxInputFileBytes;
};

void appendLine(QByteArray &out, const QString &text)
{
    out += text.toUtf8();
    out += "\r\n";
}

} // namespace

QString fileErrorText(FileError error)
{
    switch (error) {
    case FileError::DataError:
        return QCoreApplication::translate("hxv5::CloneFile", "Data Error");
    case FileError::FileOpenError:
        return QCoreApplication::translate("hxv5::CloneFile", "File Open Error");
    case FileError::None:
        break;
    }
    return {};
}

FileError parseCloneFile(QIODevice &device, CloneFileContent &content)
{
    // Records and markers are ASCII: one byte is one character.
    QList<QByteArray> lines;
    lines.reserve(kCloneFileLines);
    LineSource source(device);
    QByteArray line;
    for (int n = 1; n <= kCloneFileRecordLines; ++n) {
        const LineRead read = source.next(line, kRecordLength);
        if (read == LineRead::End)
            return FileError::FileOpenError;
        if (read == LineRead::TooLong || line.size() != kRecordLength)
            return FileError::DataError;
        lines.append(line);
    }
    // A note line is too long only when it would take the file past its bound.
    for (int n = kCloneFileRecordLines + 1; n < kCloneFileLines; ++n) {
        if (source.next(line) != LineRead::Ok)
            return FileError::FileOpenError;
        lines.append(line);
    }
    const LineRead lastRead = source.next(line, kRecordLength);
    if (lastRead == LineRead::End)
        return FileError::FileOpenError;

    const auto lineText = [&lines](int n) { return QString::fromLatin1(lines.at(n - 1)); };
    if (lineText(1) != startMarker())
        return FileError::DataError;
    if (lastRead == LineRead::TooLong || QString::fromLatin1(line) != endMarker())
        return FileError::DataError;

    content.settingsRecord = lineText(2);
    for (int r = 0; r < kVfoRowCount; ++r) {
        const auto i = static_cast<size_t>(r);
        content.vfoRecords[i] = lineText(kFirstVfoLine + r);
        content.vfoNotes[i] = noteForStorage(decodeTextLine(lines.at(kFirstVfoNoteLine + r - 1)));
    }
    for (int s = 0; s < kSlotCount; ++s) {
        const auto i = static_cast<size_t>(s);
        content.channelRecords[i] = lineText(kFirstChannelLine + s);
        content.slotNotes[i] = noteForStorage(decodeTextLine(lines.at(kFirstSlotNoteLine + s - 1)));
    }
    content.enableBlocks[0] = lineText(kFirstEnableLine);
    content.enableBlocks[1] = lineText(kFirstEnableLine + 1);
    return FileError::None;
}

void applyCloneFile(const CloneFileContent &content, Document &doc)
{
    // The settings first: the model variant they select decides which VFO rows are shown.
    doc.setSettingsRecord(content.settingsRecord);
    doc.DecodeSettingsRecord();

    // The decoder empties a row whose record has frequency 0, note included, so each note is
    // set after its record.
    for (int r = 0; r < kVfoRowCount; ++r) {
        const auto i = static_cast<size_t>(r);
        TableRow row;
        decodeRecord(content.vfoRecords[i], row);
        row.text[kColNotes] = content.vfoNotes[i];
        doc.vfo().setRow(r, row);
    }

    doc.setEnableBlock(0, content.enableBlocks[0]);
    doc.setEnableBlock(1, content.enableBlocks[1]);
    const EnableFlags flags = BitmapToFlags(content.enableBlocks);
    for (int s = 0; s < kSlotCount; ++s) {
        const auto i = static_cast<size_t>(s);
        TableRow row;
        decodeRecord(content.channelRecords[i], row);
        row.text[kColNotes] = content.slotNotes[i];
        doc.channels().setSlot(s, row, flags[i]);
    }
}

QByteArray cloneFileBytes(const Document &doc)
{
    QByteArray out;
    out.reserve(kCloneFileLines * 40);
    appendLine(out, startMarker());
    appendLine(out, EncodeSettingsRecord(doc.settings()));
    for (int r = 0; r < kVfoRowCount; ++r)
        appendLine(out, encodeRecord(doc.vfo().row(r)));
    for (int s = 0; s < kSlotCount; ++s)
        appendLine(out, encodeRecord(doc.channels().row(s)));
    const EnableBlocks blocks = FlagsToBitmap(doc.channels().enableFlags());
    appendLine(out, blocks[0]);
    appendLine(out, blocks[1]);
    for (int r = 0; r < kVfoRowCount; ++r)
        appendLine(out, noteForStorage(doc.vfo().text(r, kColNotes)));
    for (int s = 0; s < kSlotCount; ++s)
        appendLine(out, noteForStorage(doc.channels().text(s, kColNotes)));
    appendLine(out, endMarker());
    return out;
}

FileError readCloneFile(const QString &path, Document &doc)
{
    QFile file;
    if (openInputFile(path, file) != FileError::None)
        return FileError::FileOpenError;
    try {
        CloneFileContent content;
        const FileError error = parseCloneFile(file, content);
        if (error == FileError::None)
            applyCloneFile(content, doc);
        return error;
    } catch (const std::bad_alloc &) {
        // What a hostile file can exhaust is the reading, which ends before the document is
        // touched.
        return FileError::FileOpenError;
    }
}

FileError writeCloneFile(const QString &path, Document &doc)
{
    if (!writeFileSafely(path, cloneFileBytes(doc)))
        return FileError::FileOpenError;
    // What was written is now the document's settings record and enable-flag blocks, as the
    // radio transfers expect after a save.
    doc.EncodeSettingsRecord();
    doc.FlagsToBitmap();
    return FileError::None;
}

} // namespace hxv5
