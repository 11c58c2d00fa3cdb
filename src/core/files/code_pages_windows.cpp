#include "files/code_pages.h"

#include <windows.h>

#include <limits>

namespace hxv5 {

namespace {

constexpr UINT kShiftJis = 932;
constexpr UINT kWindows1252 = 1252;

// The single bytes Shift-JIS leaves undefined (0x80, 0xA0, 0xFD to 0xFF), which Windows' code
// page 932 still turns into control and private characters; such a line is no Shift-JIS text.
bool holdsUndefinedShiftJisByte(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() == 0x80 || (c.unicode() >= 0xF8F0 && c.unicode() <= 0xF8F3))
            return true;
    }
    return false;
}

} // namespace

std::optional<QString> decodeCodePage(CodePage page, QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return QString();
    if (bytes.size() > std::numeric_limits<int>::max())
        return std::nullopt;
    const UINT codePage = page == CodePage::ShiftJis ? kShiftJis : kWindows1252;
    const int size = static_cast<int>(bytes.size());
    // A malformed or truncated sequence fails the conversion instead of becoming a replacement.
    const int length =
        MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (length <= 0)
        return std::nullopt;
    QString text(length, Qt::Uninitialized);
    if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size,
                            reinterpret_cast<wchar_t *>(text.data()), length) != length)
        return std::nullopt;
    if (page == CodePage::ShiftJis && holdsUndefinedShiftJisByte(text))
        return std::nullopt;
    return text;
}

bool codePageAvailable(CodePage page)
{
    return IsValidCodePage(page == CodePage::ShiftJis ? kShiftJis : kWindows1252) != 0;
}

} // namespace hxv5
