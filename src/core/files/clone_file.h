#pragma once

#include "base/reference_tables.h"
#include "image/clone_image.h"

#include <QByteArray>
#include <QString>

#include <array>

class QIODevice;

namespace hxv5 {

class Document;

// The outcome of reading or writing a file. The message the user sees for each is
// fileErrorText().
enum class FileError { None, DataError, FileOpenError };

// "Data Error", "File Open Error"; an empty text for None.
QString fileErrorText(FileError error);

// The clone file: 445 lines, each ending with CR LF.
//
//   line   1        start marker "Tormel  HX-V5  Clone  File Start"
//   line   2        settings record (block 213)
//   lines  3 -   9  VFO records AM, SW, FM, Air, VHF, L-UHF, H-UHF (blocks 216-222)
//   lines 10 - 222  channel records of slots 0-212 (blocks 0-212)
//   lines 223 - 224 enable-flag blocks 214 and 215
//   lines 225 - 231 notes of the VFO rows
//   lines 232 - 444 notes of slots 0-212
//   line 445        end marker "Tormel  HX-V5  Clone  File   End"
//
// Lines 1 to 224 must be exactly 32 characters long; notes may be any length and are UTF-8.
// Nothing after line 445 is read.
inline constexpr int kCloneFileLines = 445;
inline constexpr int kCloneFileRecordLines = 224;

// Everything a clone file carries, after the file has passed every test.
struct CloneFileContent
{
    QString settingsRecord;
    std::array<QString, kVfoRowCount> vfoRecords;
    std::array<QString, kSlotCount> channelRecords;
    EnableBlocks enableBlocks;
    std::array<QString, kVfoRowCount> vfoNotes;
    std::array<QString, kSlotCount> slotNotes;
};

// Reads and tests a whole clone file from device. Lines end with CR LF or LF alone. As soon as
// one of lines 1 to 224 is not 32 characters long the result is DataError; a file that ends
// before line 445 gives FileOpenError; then a marker line that differs in any way (case and
// blanks count) gives DataError. No more than kMaxInputFileBytes (bounded_input.h) are read: a
// note line that would run past them gives FileOpenError. content is filled only when the result
// is None.
FileError parseCloneFile(QIODevice &device, CloneFileContent &content);

// Puts a tested file's content into the document: the settings record decoded, every VFO row
// and slot from its record with its note, the enable flags from the two blocks. Rows start
// empty, so nothing of what the document held before survives (a record the radio marks unused
// leaves its row empty rather than keeping the previous file's channel). The changed flag, the
// current file and the redraw are the caller's.
void applyCloneFile(const CloneFileContent &content, Document &doc);

// The 445 lines of the document as a clone file, CR LF after every line. Settings record and
// enable-flag blocks are built from the settings and the enable flags; notes are one line each.
QByteArray cloneFileBytes(const Document &doc);

// Opens, tests and, only when the whole file passed, applies a clone file. On any failure the
// document is left exactly as it was; a file larger than kMaxInputFileBytes is refused with
// FileOpenError before it is read, and running out of memory gives FileOpenError too.
FileError readCloneFile(const QString &path, Document &doc);

// Writes the document to path, replacing any old file whole or not at all. On success the
// document's settings record and enable-flag blocks are the ones written; on failure the
// document is left as it was. The changed flag and the current file are the caller's.
FileError writeCloneFile(const QString &path, Document &doc);

} // namespace hxv5
