#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

namespace hxv5 {

// What stands between the program and the device a COM number reaches, and what the user can do
// about it. On Linux everything is looked up under a root folder ("/" on a running system), so
// that a folder laid out like one (dev, proc, sys, usr, run/lock) stands in for the system
// (port_doctor_posix.cpp). On Windows (port_doctor_windows.cpp) the system's list of COM ports
// tells which exist and what their devices are called; the system gives an open port to one
// program only, and a port is found busy when it refused this program's open.
struct PortCheck
{
    enum class Verdict { Ok, Missing, PermissionDenied, Busy, NotSerial };

    int port = 0;   // the COM number; 0 for a device given by its path
    QString device; // empty when the number reaches nothing
    Verdict verdict = Verdict::Missing;
    QString holder; // Busy: the name of the process holding the device, when it can be found
    qint64 holderPid = 0;
    QString group;            // PermissionDenied: the group that owns the device
    bool groupCanUse = false; // the group may read and write the device
    bool userInGroup = false; // the user belongs to it, though not in this session yet
    QString kind;             // NotSerial: what the path leads to instead ("a FIFO")
    QString description;      // the system's name for the device ("USB-SERIAL CH340"), if any
};

// A remedy: what to do in words, and the command that does it (possibly empty).
struct PortFix
{
    QString words;
    QString command;
    bool operator==(const PortFix &) const = default;
};

class PortDoctor
{
    // Its words are shown by the port dialog and the port's error box in the user's language;
    // the command line gives them in English.
    Q_DECLARE_TR_FUNCTIONS(hxv5::PortDoctor)
public:
    explicit PortDoctor(QString root = QStringLiteral("/"));

    // The device COM port reaches (port mapping, adapters under the root's dev folder) and its
    // state.
    PortCheck checkPort(int port) const;
    // The state of one device; port is only carried along. openRefused: the system refused this
    // program's open of the device (on Windows, the sign that another program holds it).
    PortCheck checkDevice(const QString &device, int port = 0, bool openRefused = false) const;

    // The remedies for one port's state.
    QList<PortFix> fixes(const PortCheck &check) const;
    // The remedies that concern the system rather than one port: brltty taking the USB serial
    // adapters it mistakes for braille displays.
    QList<PortFix> systemFixes() const;

    // Whether brltty is installed, and whether a CH340 or CP210x style USB adapter is plugged in.
    bool brlttyInstalled() const;
    bool brlttyStyleAdapterPresent() const;

    // "ok", "missing", "permission denied", "busy", "busy (ModemManager)" or "not a serial
    // device: a FIFO".
    static QString verdictText(const PortCheck &check);
    // The verdict, then the fixes, one a line, each command indented on the line after its words:
    // the detailed text of a "COM Port Error" box and the note beside a port option.
    QString diagnosis(const PortCheck &check) const;
    // "hxv5-cli ports": a line for each COM number, then the fixes that apply.
    QString report() const;

private:
    QString path(const QString &inRoot) const;
    // The look-ups of the Linux doctor.
    QString notSerialKind(unsigned mode, quint64 rdev) const;
    bool findHolder(const QString &device, PortCheck &check) const;
    bool holderFromLockFile(const QString &device, PortCheck &check) const;
    bool holderFromOpenFiles(const QString &device, PortCheck &check) const;
    QString processName(qint64 pid) const;

    QString m_root;
};

} // namespace hxv5
