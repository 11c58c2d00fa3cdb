#pragma once

#include <QLocale>
#include <QString>

#include <optional>

namespace hxv5 {

// The program's resource strings by numeric identifier: menu captions, tool tips and a few
// labels, in English and Japanese. Windows carry the identifiers at design time and replace them
// when they load.
enum class Language { English, Japanese };

// The table the platform's resource lookup would pick for this locale: Japanese for a Japanese
// user interface, English for every other.
Language languageForLocale(const QLocale &locale);

// The text of an identifier, or nothing when the table has no such identifier.
std::optional<QString> resourceString(int id, Language language);

// The identifier held by a design-time caption, tag or tool tip: its numeric value when the text
// is a whole number (surrounding blanks allowed), otherwise nothing.
std::optional<int> resourceId(const QString &text);

} // namespace hxv5
