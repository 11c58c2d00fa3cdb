#include "app/program_texts.h"

#include <QCoreApplication>

namespace hxv5 {

QString companyName()
{
    return QStringLiteral("Tormel");
}

QString versionText()
{
    return QCoreApplication::translate("hxv5::ProgramTexts", "Version 0.10.00 Beta");
}

} // namespace hxv5
