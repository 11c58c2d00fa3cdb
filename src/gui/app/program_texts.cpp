#include "app/program_texts.h"

namespace hxv5 {

QString companyName()
{
    return QStringLiteral("Tormel");
}

QString versionText()
{
    return QStringLiteral("Version 0.10.00 Beta");
}

} // namespace hxv5
