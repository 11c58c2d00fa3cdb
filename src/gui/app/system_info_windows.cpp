#include "app/system_info.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace hxv5 {

namespace {

QString machineValue(const QString &key, const QString &name)
{
    const QSettings registry(QStringLiteral("HKEY_LOCAL_MACHINE\\") + key, QSettings::NativeFormat);
    return registry.value(name).toString();
}

} // namespace

QStringList systemInformationPrograms()
{
    // Where the system's information program says it is installed, then where its shared tools
    // keep it, then the one on the PATH.
    QStringList programs;
    const QString path = machineValue(QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                                      QStringLiteral("PATH"));
    if (!path.isEmpty())
        programs.append(QDir::fromNativeSeparators(path));
    const QString folder = machineValue(
        QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"), QStringLiteral("MSINFO"));
    if (!folder.isEmpty())
        programs.append(QDir::fromNativeSeparators(folder) + QStringLiteral("/MSINFO32.EXE"));
    programs.append(QStringLiteral("msinfo32"));
    return programs;
}

} // namespace hxv5
