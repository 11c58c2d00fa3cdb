#pragma once

#include <QList>

#include <utility>

namespace hxv5 {

// The most rows an import or a paste report lists one by one. A file of a million bad rows would
// otherwise fill the memory with reasons and the screen with lines; the rows beyond are only
// counted.
inline constexpr qsizetype kMaxReportedRows = 300;

// Appends entry to list while the list holds fewer than kMaxReportedRows; else counts it in
// unlisted.
template <typename T> void appendCapped(QList<T> &list, int &unlisted, T entry)
{
    if (list.size() < kMaxReportedRows)
        list.append(std::move(entry));
    else
        ++unlisted;
}

} // namespace hxv5
