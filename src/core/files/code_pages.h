#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace hxv5 {

// Text in the code pages of older Japanese and western systems: through ICU on Linux
// (code_pages_posix.cpp), through the system's own conversion on Windows
// (code_pages_windows.cpp), whose Qt has no ICU.
enum class CodePage { ShiftJis, Windows1252 };

// The bytes as text, or nothing when they are not valid text in that code page (a truncated or
// malformed sequence) or the code page cannot be read here.
std::optional<QString> decodeCodePage(CodePage page, QByteArrayView bytes);

bool codePageAvailable(CodePage page);

} // namespace hxv5
