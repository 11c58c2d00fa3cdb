#pragma once

#include <QStringList>

namespace hxv5 {

// The system-information programs the About box tries, in order (system_info_posix.cpp and
// system_info_windows.cpp): names looked for on the PATH, or full paths.
QStringList systemInformationPrograms();

} // namespace hxv5
