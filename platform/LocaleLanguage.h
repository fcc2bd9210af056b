// The Windows language id of a POSIX locale name, for the user's language on systems that
// name it by locale variables.
#pragma once

#include <cstdint>
#include <string_view>

namespace glyphora {

// The Windows language id of a POSIX locale name such as "de_DE.UTF-8" or "pt_BR@euro";
// 0 for "C", "POSIX", an empty name or a language the table does not know. A known
// language with an unknown or missing territory gets its default sublanguage.
std::uint16_t LanguageIdFromLocaleName(std::string_view locale);

} // namespace glyphora
