#include "link/port_mapping.h"

#include "link/serial_port.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace hxv5 {

bool isComNumber(int port)
{
    return port >= SerialPort::kFirstPort && port <= SerialPort::kLastPort;
}

namespace {

const QString kPortFileName = QStringLiteral("HX-V5.ini");

QString programDirectory()
{
    return QCoreApplication::instance() ? QCoreApplication::applicationDirPath()
                                        : QDir::currentPath();
}

// The file holds one number; anything else gives 1, as does a missing file.
int parsePortFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return SerialPort::kFirstPort;
    bool ok = false;
    const int port = QString::fromLatin1(file.readLine(64)).trimmed().toInt(&ok);
    return ok && isComNumber(port) ? port : SerialPort::kFirstPort;
}

} // namespace

QString configDirectory()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    // Without a per-user location the program's folder is the only place left.
    return base.isEmpty() ? programDirectory() : base + QStringLiteral("/hxv5-clone");
}

QString portFilePath()
{
    return configDirectory() + QLatin1Char('/') + kPortFileName;
}

int readPortFile()
{
    const QString path = portFilePath();
    if (QFileInfo::exists(path))
        return parsePortFile(path);
    return parsePortFile(programDirectory() + QLatin1Char('/') + kPortFileName);
}

bool writePortFile(int port)
{
    if (!QDir().mkpath(configDirectory()))
        return false;
    QSaveFile file(portFilePath());
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QByteArray::number(port) + "\r\n");
    return file.commit();
}

QString portCaption(int portNumber)
{
    return QStringLiteral("COM %1").arg(portNumber, 2);
}

} // namespace hxv5
