#pragma once

#include <QCoreApplication>
#include <QString>

namespace hxv5 {

// Some fixed texts go unchanged into clone files, CSV files, printed reports and the command
// line's output (band names, option captions, column headings, the program's title), and a
// window shows them too. Where they are defined they are marked for translation with
// QT_TRANSLATE_NOOP in one of these contexts and kept in English; a window shows them through
// shownText, which gives them in the user's language once a translation is installed.
inline constexpr char kTableTexts[] = "hxv5::TableTexts";
inline constexpr char kSettingsTexts[] = "hxv5::SettingsTexts";
inline constexpr char kProgramTexts[] = "hxv5::ProgramTexts";

inline QString shownText(const char *context, const QString &text)
{
    return QCoreApplication::translate(context, text.toUtf8().constData());
}

} // namespace hxv5
