#pragma once

#include <QDateTime>
#include <QString>

namespace hxv5 {

class Document;

// Every image that comes from the radio is also kept as a clone file in the per-user data
// folder, so that what the radio held can be put back whatever happens to the user's own files.

// How many backups are kept; the oldest go first.
inline constexpr int kKeptBackups = 100;

// What a backup holds, which its name tells: the image a read brought, or what the radio held
// just before a write.
enum class BackupKind { AfterRead, BeforeWrite };

// "<AppLocalDataLocation>/backups".
QString backupsFolder();

// Writes the document as a clone file into the backups folder, named by the local time and its
// kind ("2026-12-08T21-30-05-after-read.TV5", "...-before-write.TV5"; "...-after-read-2.TV5" when
// that second has one already), never replacing another file. The file appears under its name
// only when whole: it is written under a temporary name first. Then the oldest backups beyond
// kKeptBackups go, the oldest by the files' own age (their names are local times, which a clock
// set ahead or a change of time zone puts out of order); the new one always stays. What an
// interrupted backup left (its temporary file, an empty file with a backup's name) goes too.
// Files in the folder that do not carry a backup's name are left alone. Returns the new file's
// path, or an empty text when no backup could be written; the document is never changed.
QString keepBackup(const Document &doc, BackupKind kind,
                   const QDateTime &now = QDateTime::currentDateTime());

// What the user is told when keepBackup gave no file: "Backup not kept: <folder> takes no file".
QString backupNotKeptText();

} // namespace hxv5
