#pragma once

#include <QDateTime>
#include <QString>

namespace hxv5 {

class Document;

// Every image that comes from the radio is also kept as a clone file in the per-user data
// folder, so that what the radio held can be put back whatever happens to the user's own files.

// How many backups are kept; the oldest go first.
inline constexpr int kKeptBackups = 100;

// "<AppLocalDataLocation>/backups".
QString backupsFolder();

// Writes the document as a clone file into the backups folder, named by the local time
// ("2026-12-08T21-30-05.TV5"; "...-2.TV5", "...-3.TV5" when that second has one already), never
// replacing another file, and then removes the oldest backups beyond kKeptBackups. Files in the
// folder that do not carry a backup's name are left alone. Returns the new file's path, or an
// empty text when no backup could be written; the document is never changed.
QString keepBackup(const Document &doc, const QDateTime &now = QDateTime::currentDateTime());

// What the user is told when keepBackup gave no file: "Backup not kept: <folder> takes no file".
QString backupNotKeptText();

} // namespace hxv5
