#pragma once

#include <QString>
#include <QStringList>

namespace hxv5 {

// Which serial device a COM number 1..14 reaches, and the port file that remembers the number.
//
// On Windows COM n is the system's own port "\\.\COMn"; the COM numbers belong to the system,
// and nothing is bound. On Linux, where serial devices carry no COM numbers, a COM number bound by
// the user reaches the device it is bound to. A binding is a symbolic link named "COM<n>" in
// portMapDirectory() (~/.config/hxv5-clone/ports), so anybody can bind any device, a
// pseudo-terminal of the simulated radio included, without root. The COM numbers left unbound
// reach the USB serial adapters present, in the order of their device names: with one cable
// plugged in and nothing bound, COM 1 reaches it. port_mapping_posix.cpp and
// port_mapping_windows.cpp hold the two ways; the port file is the same everywhere.

// 1..14.
bool isComNumber(int port);

// The per-user folder of the port file (and on Linux of the bindings). It does not depend on the
// program's folder, so the port file is found again when the program is installed read-only.
QString configDirectory();

// Where "HX-V5.ini" is written and read first.
QString portFilePath();
// The port number the port file holds: 1..14, and 1 when the file is missing, empty, out of range
// or not a number. A file beside the program is read when the per-user one does not exist yet.
int readPortFile();
// One line: the number in decimal and CR LF. False when the file could not be written.
bool writePortFile(int port);

// The device COM n reaches now, empty when none (port outside 1..14; on Linux nothing bound and
// no adapter). On Linux the adapters are looked for in deviceFolder.
QString deviceForPort(int port, const QString &deviceFolder = QStringLiteral("/dev"));

// The bindings: Linux only.
QString portMapDirectory();
// The device the user bound to COM n, empty when it is not bound.
QString boundDevice(int port);
// The USB serial adapters present in deviceFolder, in name order: the ttyUSB and ttyACM devices
// and any other device the system knows to sit on USB.
QStringList usbSerialDevices(const QString &deviceFolder = QStringLiteral("/dev"));

// Binding replaces an earlier binding of the same number. Both fail for a number outside 1..14.
bool bindPort(int port, const QString &device);
bool unbindPort(int port);

// "COM  1" .. "COM  9", "COM 10" .. "COM 14": every caption six characters long.
QString portCaption(int portNumber);

} // namespace hxv5
