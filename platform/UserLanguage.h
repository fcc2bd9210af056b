// The user's interface language as a Windows language id, for choosing among the language
// variants of a resource.
#pragma once

#include <cstdint>

namespace glyphora {

// The user's interface language id, or 0 when the system names none the language table
// knows. On POSIX systems it comes from LC_ALL, LC_MESSAGES or LANG (the first that is set
// and not empty); on Windows from the user's UI language.
std::uint16_t UserLanguageId();

} // namespace glyphora
