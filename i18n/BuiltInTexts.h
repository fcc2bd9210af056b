// The program's built-in English interface texts. They are the English pack itself
// (i18n/packs/english.lng), compiled into the program when it is built, so every English text
// is written in one place: the pack. A control or message shows the built-in text before any
// pack is loaded and where the pack in use lacks the text.
#pragma once

#include <string>

namespace glyphora {

// The English pack's text of id; empty for an identifier the pack does not define.
std::string BuiltInText(int id);

// The text of id from the pack in use (LangString), or the built-in English text when the
// pack has none or no pack is loaded.
std::string InterfaceText(int id);

} // namespace glyphora
