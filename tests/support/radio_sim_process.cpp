#include "radio_sim_process.h"

#include "link/port_mapping.h"

#include <QEventLoop>
#include <QTimer>

#include <utility>

namespace hxv5::testing {

namespace {

// Lets the event loop run meanwhile, as the line and the port bindings need.
void pause(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

QString RadioSimProcess::builtProgram()
{
    return QStringLiteral(HXV5_RADIO_SIM);
}

RadioSimProcess::RadioSimProcess(QString program) : m_program(std::move(program)) {}

RadioSimProcess::~RadioSimProcess()
{
    stop();
}

bool RadioSimProcess::start(const QStringList &args)
{
    m_log.clear();
    QStringList options;
    if (!paced)
        options << QStringLiteral("--unpaced");
    if (verbose)
        options << QStringLiteral("--verbose");
    m_process.start(m_program, options + args);
    if (!m_process.waitForStarted())
        return false;
    while (!m_process.canReadLine()) {
        if (!m_process.waitForReadyRead(10000))
            return false;
    }
    device = QString::fromLocal8Bit(m_process.readLine().trimmed());
    return !device.isEmpty();
}

bool RadioSimProcess::startAndWait(const QStringList &args, int com)
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!start(args)) {
            qWarning("the simulated radio did not start: %s", qPrintable(diagnostics()));
            stop();
            pause(200);
            continue;
        }
        if (com == kNoCom)
            return true;
        for (int i = 0; i < 500 && deviceForPort(com) != device; ++i)
            pause(10);
        if (deviceForPort(com) == device)
            return true;
        qWarning("the simulated radio is not on COM %d: %s", com, qPrintable(diagnostics()));
        stop();
    }
    return false;
}

QString RadioSimProcess::diagnostics()
{
    return QStringLiteral("state %1, exit %2: %3")
        .arg(int(m_process.state()))
        .arg(m_process.exitCode())
        .arg(QString::fromLocal8Bit(m_process.readAllStandardError()).trimmed());
}

void RadioSimProcess::kill()
{
    m_process.kill();
    m_process.waitForFinished(10000);
}

bool RadioSimProcess::stop()
{
    if (m_process.state() == QProcess::Running)
        m_process.terminate();
    return m_process.waitForFinished(10000) && m_process.exitStatus() == QProcess::NormalExit;
}

int RadioSimProcess::commandsFor(const QString &address)
{
    m_log += QString::fromLocal8Bit(m_process.readAllStandardError());
    return int(m_log.count(QLatin1String("AL~F") + address));
}

} // namespace hxv5::testing
