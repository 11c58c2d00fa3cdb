#include "link/port_doctor.h"

#include "link/port_mapping.h"
#include "link/serial_port.h"

namespace hxv5 {

namespace {

const QString kIndent = QStringLiteral("    ");

} // namespace

PortDoctor::PortDoctor(QString root) : m_root(std::move(root))
{
    while (m_root.size() > 1 && m_root.endsWith(QLatin1Char('/')))
        m_root.chop(1);
}

QString PortDoctor::path(const QString &inRoot) const
{
    return m_root == QLatin1String("/") ? inRoot : m_root + inRoot;
}

QString PortDoctor::verdictText(const PortCheck &check)
{
    switch (check.verdict) {
    case PortCheck::Verdict::Ok:
        return tr("ok");
    case PortCheck::Verdict::Missing:
        return tr("missing");
    case PortCheck::Verdict::PermissionDenied:
        return tr("permission denied");
    case PortCheck::Verdict::Busy:
        return check.holder.isEmpty() ? tr("busy") : tr("busy (%1)").arg(check.holder);
    case PortCheck::Verdict::NotSerial:
        return tr("not a serial device: %1").arg(check.kind);
    }
    return {};
}

namespace {

void appendFixes(QString &text, const QList<PortFix> &fixes, const QString &prefix = {})
{
    for (const PortFix &fix : fixes) {
        text += prefix + fix.words +
                (fix.command.isEmpty() ? QStringLiteral(".\n") : QStringLiteral(":\n"));
        if (!fix.command.isEmpty())
            text += kIndent + fix.command + QLatin1Char('\n');
    }
}

} // namespace

QString PortDoctor::diagnosis(const PortCheck &check) const
{
    QString text =
        check.port != 0 ? portCaption(check.port).simplified() + QStringLiteral(" ") : QString();
    text += check.device.isEmpty() ? tr("(none)") : check.device;
    if (!check.description.isEmpty())
        text += QStringLiteral(" (") + check.description + QLatin1Char(')');
    text += QStringLiteral(": ") + verdictText(check) + QLatin1Char('\n');
    appendFixes(text, fixes(check));
    if (check.verdict != PortCheck::Verdict::Ok)
        appendFixes(text, systemFixes());
    return text;
}

QString PortDoctor::report() const
{
    QList<PortCheck> checks;
    qsizetype width = 4; // "none"
    for (int port = SerialPort::kFirstPort; port <= SerialPort::kLastPort; ++port) {
        checks.append(checkPort(port));
        width = std::max(width, checks.last().device.size());
    }
    QString text;
    QString advice;
    // The advice for a port that reaches nothing is given once, after all the ports.
    const QList<PortFix> plugIn = fixes(PortCheck{});
    bool unreached = false;
    for (const PortCheck &check : checks) {
        const QString device = check.device.isEmpty() ? tr("none") : check.device;
        text += portCaption(check.port) + QStringLiteral("  ") + device.leftJustified(width) +
                QStringLiteral("  ") + verdictText(check);
        if (!check.description.isEmpty())
            text += QStringLiteral("  (") + check.description + QLatin1Char(')');
        text += QLatin1Char('\n');
        const QList<PortFix> portFixes = fixes(check);
        if (check.device.isEmpty() || (!portFixes.isEmpty() && portFixes == plugIn))
            unreached = true;
        else
            appendFixes(advice, portFixes,
                        portCaption(check.port).simplified() + QStringLiteral(": "));
    }
    if (unreached)
        appendFixes(advice, plugIn);
    appendFixes(advice, systemFixes());
    if (!advice.isEmpty())
        text += QLatin1Char('\n') + advice;
    return text;
}

} // namespace hxv5
