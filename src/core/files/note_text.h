#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace hxv5 {

// Notes are the only free text in the clone file and the CSV file; everything else there is
// ASCII. They are written as UTF-8 without a byte-order mark. Older Japanese systems wrote them
// in Shift-JIS and western ones in Windows-1252, and the files carry no mark of it, so a line is
// read as UTF-8 when it is valid UTF-8, else as Shift-JIS when it decodes cleanly as Shift-JIS,
// else as Windows-1252 (which takes any byte).
QString decodeTextLine(QByteArrayView line);

// Whether Shift-JIS and Windows-1252 can be read here (on Linux Qt needs ICU for them; Windows
// has them itself). Without them a line that is not UTF-8 is read as Latin-1.
bool legacyEncodingsAvailable();

// A note as it may be stored: one line of a clone file holds one note, so a line break inside a
// note would shift every later line. Each line break (CR LF, CR or LF) becomes one blank.
QString noteForStorage(const QString &note);

} // namespace hxv5
