#pragma once

#include "base/string_table.h"

#include <optional>

namespace hxv5 {

// The language the user chose under View ▸ Language, kept per user; nothing until one is chosen.
std::optional<Language> storedLanguage();
void storeLanguage(Language language);
// The language the program starts in: the user's choice, or the system's while there is none.
Language chosenLanguage();

// Puts the program's texts and Qt's own (file choosers, print and page set-up dialogs, standard
// buttons) in the language; English takes them away again, the program's texts being English at
// their source. False when a catalogue could not be loaded: what it holds then stays English.
bool installTranslations(Language language);

} // namespace hxv5
