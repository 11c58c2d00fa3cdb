#pragma once

#include <QString>

namespace hxv5 {

// Texts that name the program outside the string table, shared by the splash window and the
// About box.
QString companyName();
QString versionText(); // "Version 0.10.00 Beta"

} // namespace hxv5
