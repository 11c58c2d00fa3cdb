#pragma once

// The simulated radio as a child process, for the tests that talk to it over a real
// pseudo-terminal. HXV5_RADIO_SIM is the path of hxv5-radio-sim.

#include <QProcess>
#include <QString>
#include <QStringList>

// hxv5-radio-sim answering at once; it logs every command line it receives.
class RadioSimProcess
{
public:
    bool start(const QStringList &args)
    {
        m_log.clear();
        m_process.start(QStringLiteral(HXV5_RADIO_SIM),
                        QStringList{QStringLiteral("--unpaced"), QStringLiteral("--verbose")} +
                            args);
        if (!m_process.waitForStarted())
            return false;
        while (!m_process.canReadLine()) {
            if (!m_process.waitForReadyRead(10000))
                return false;
        }
        device = QString::fromLocal8Bit(m_process.readLine().trimmed());
        return !device.isEmpty();
    }
    // What the radio said on stderr about a failed start, for the test log.
    QString diagnostics()
    {
        return QStringLiteral("state %1, exit %2: %3")
            .arg(int(m_process.state()))
            .arg(m_process.exitCode())
            .arg(QString::fromLocal8Bit(m_process.readAllStandardError()).trimmed());
    }
    // The radio pulled off the line: no chance to tidy up.
    void kill()
    {
        m_process.kill();
        m_process.waitForFinished(10000);
    }
    // Ends the radio the ordinary way; true when it ended normally.
    bool stop()
    {
        if (m_process.state() == QProcess::Running)
            m_process.terminate();
        return m_process.waitForFinished(10000) && m_process.exitStatus() == QProcess::NormalExit;
    }
    ~RadioSimProcess() { stop(); }

    // How many command lines for the block address (4 hexadecimal digits) the radio received.
    int commandsFor(const QString &address)
    {
        m_log += QString::fromLocal8Bit(m_process.readAllStandardError());
        return int(m_log.count(QLatin1String("AL~F") + address));
    }

    QString device;

private:
    QProcess m_process;
    QString m_log;
};
