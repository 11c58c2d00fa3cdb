#pragma once

#include <QString>

namespace hxv5 {

// The part of the read-me (Markdown) meant for the program's users, which Help shows: the title
// with its opening lines and every section ("## ...", with its subsections) except those about
// building, testing and the source: a section whose heading speaks of tests, fuzzing, the layout
// of the source, development, contributing or sanitizers is left out.
QString userPartOfReadme(const QString &markdown);

} // namespace hxv5
