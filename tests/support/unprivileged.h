#pragma once

// What an ordinary user may not do. The superuser passes every permission check, so when the
// tests run as root the parts that depend on file permissions run as "nobody" in a child process:
// the files they touch are given to that user first.

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QString>

#include <cerrno>
#include <cstdio>
#include <functional>
#include <grp.h>
#include <optional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace unprivileged {

inline constexpr uid_t kNobody = 65534;
// The exit status of a child that could not become nobody.
inline constexpr int kCannotDrop = 125;
// The exit status of a child that, as nobody, cannot reach the program it is to run: a build
// folder below a home that is closed to others, such as /root.
inline constexpr int kCannotReach = 124;

// Why a run as nobody that ended with code proved nothing; null when it did run.
inline const char *whyNotRun(int code)
{
    switch (code) {
    case kCannotDrop:
        return "cannot run as the user nobody, and permissions do not hold for root";
    case kCannotReach:
        return "the user nobody cannot reach the build folder (it lies below a folder closed to "
               "others, such as /root)";
    default:
        return nullptr;
    }
}

inline bool isRoot()
{
    return ::geteuid() == 0;
}

// Called in a freshly forked child: true when it now runs without root's rights.
inline bool dropPrivileges()
{
    if (!isRoot())
        return true;
    return ::setgroups(0, nullptr) == 0 && ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0 &&
           ::geteuid() == kNobody;
}

// Lets the user the scenarios run as reach what lies below folder (which stays the test's).
inline bool letIn(const QString &folder)
{
    return ::chmod(QFile::encodeName(folder).constData(), 0755) == 0;
}

// Makes path belong to the user the scenarios run as, with the given mode.
inline bool own(const QString &path, mode_t mode)
{
    const QByteArray name = QFile::encodeName(path);
    if (isRoot() && ::chown(name.constData(), kNobody, kNobody) != 0)
        return false;
    return ::chmod(name.constData(), mode) == 0;
}

// Runs scenario in a child process as nobody (as the user itself when not root): its result
// (false when it crashed), or nothing when the child could not give up root's rights. The child
// shares nothing with the test afterwards; it reports through its exit status alone.
inline std::optional<bool> runAsUser(const std::function<bool()> &scenario)
{
    std::fflush(stdout);
    std::fflush(stderr);
    const pid_t child = ::fork();
    if (child < 0)
        return false;
    if (child == 0) {
        if (!dropPrivileges())
            ::_exit(kCannotDrop);
        ::_exit(scenario() ? 0 : 1);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR)
            return false;
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == kCannotDrop)
        return std::nullopt;
    // A child that crashed failed its scenario.
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// A process started as nobody; it exits with kCannotDrop when it could not become nobody and
// with kCannotReach when nobody may not run program.
inline void startAsUser(QProcess &process, const QString &program, const QStringList &args)
{
    const QByteArray file = QFile::encodeName(program);
    process.setChildProcessModifier([file] {
        if (!dropPrivileges())
            ::_exit(kCannotDrop);
        if (::access(file.constData(), X_OK) != 0)
            ::_exit(kCannotReach);
    });
    process.start(program, args);
}

} // namespace unprivileged
