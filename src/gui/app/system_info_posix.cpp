#include "app/system_info.h"

namespace hxv5 {

QStringList systemInformationPrograms()
{
    // The system-information tools of the common Linux desktops.
    return {QStringLiteral("hardinfo"), QStringLiteral("gnome-system-monitor"),
            QStringLiteral("kinfocenter"), QStringLiteral("mate-system-monitor"),
            QStringLiteral("xfce4-taskmanager")};
}

} // namespace hxv5
