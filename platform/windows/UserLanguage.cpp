// The user's interface language on Windows: the UI language the user chose, which is what
// the resource loader itself prefers, rather than any locale variable.
#include "platform/UserLanguage.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace glyphora {

std::uint16_t UserLanguageId()
{
    return static_cast<std::uint16_t>(::GetUserDefaultUILanguage());
}

} // namespace glyphora
