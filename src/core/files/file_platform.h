#pragma once

#include <QString>

class QFileDevice;

namespace hxv5 {

// What the system decides about files (file_platform_posix.cpp and file_platform_windows.cpp).

// Writes what the file holds through to the disk, so that it outlives a power cut; false when
// the system reports a failure.
bool syncToDisk(QFileDevice &file);

// Whether both paths lead to one file (through links, other spellings or hard links); false
// when either does not exist.
bool isSameFile(const QString &first, const QString &second);

// A write past the file-size limit the system sets for the process fails and is reported like any
// failed write, instead of ending the program with the file half written (Linux raises a signal
// for it; Windows has no such limit). Called once at start.
void failWritesPastFileSizeLimit();

// The standard output and error carry the program's bytes as they are: Windows would turn every
// line end into CR LF on the way, and the command-line companion's output is the same on every
// system (scripts compare it). Called once at start.
void writeStandardStreamsUnchanged();

} // namespace hxv5
