#pragma once

#include "base/string_table.h"

class QWidget;

namespace hxv5 {

// The design-time tag of a control: the identifier of its caption in the string table. Windows
// set it as the dynamic property "tag"; an empty tag or one that is not a number means "keep the
// caption as built".
inline constexpr char kTagProperty[] = "tag";

// Replaces the captions and tool tips of a window and its controls by texts from the string
// table, in the given language:
// - the window's caption: the text whose identifier is the window's tag;
// - a menu item: the text whose identifier is its design-time caption ("1201" becomes
//   "Import(&I)...");
// - a tab strip: each tab's caption from the tab's tag (tab data), its tool tip from the
//   identifier in its tool tip;
// - a toolbar: each button's tool tip from the identifier in its tool tip;
// - a label: its text from its tag;
// - any other control: its caption from its tag when that is a number above 0, then its tool tip
//   from the identifier in its tool tip when that is a number above 0.
// Every step that fails (an unknown identifier, a tag that is no number) is skipped.
void LocalizeForm(QWidget *form, Language language);

} // namespace hxv5
