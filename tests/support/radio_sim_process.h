#pragma once

// The simulated radio as a child process on a pseudo-terminal of its own, for the tests and the
// benchmark that talk to it over a real line.

#include <QProcess>
#include <QString>
#include <QStringList>

namespace hxv5::testing {

// hxv5-radio-sim; by default answering at once and logging every command line it receives.
class RadioSimProcess
{
public:
    // The hxv5-radio-sim built with the tests.
    static QString builtProgram();

    explicit RadioSimProcess(QString program = builtProgram());
    RadioSimProcess(const RadioSimProcess &) = delete;
    RadioSimProcess &operator=(const RadioSimProcess &) = delete;
    ~RadioSimProcess();

    // Set before start(). Paced, the radio answers like a 9600-baud line.
    bool paced = false;
    // Logging costs the radio a write per command; commandsFor() needs it.
    bool verbose = true;

    // Starts the radio with these further arguments; true once it named its device.
    bool start(const QStringList &args);
    // As start(), and with a COM number waits until the number reaches the radio. A radio that
    // does not come up (seen once, right after another was killed) is logged and started once
    // more: the tests are about the program's side of the line.
    static constexpr int kNoCom = -1;
    bool startAndWait(const QStringList &args, int com = kNoCom);

    // What the radio said on stderr about a failed start, for the test log.
    QString diagnostics();
    // The radio pulled off the line: no chance to tidy up.
    void kill();
    // Ends the radio the ordinary way; true when it ended normally.
    bool stop();

    // How many command lines for the block address (4 hexadecimal digits) the radio received.
    int commandsFor(const QString &address);

    QString device;

private:
    QString m_program;
    QProcess m_process;
    QString m_log;
};

} // namespace hxv5::testing
