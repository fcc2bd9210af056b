// The user's interface language on POSIX systems, taken from the locale variables in the
// order the C library gives them precedence for messages.
#include "platform/UserLanguage.h"

#include "platform/LocaleLanguage.h"

#include <cstdlib>

namespace glyphora {

std::uint16_t UserLanguageId()
{
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') return LanguageIdFromLocaleName(value);
    }
    return 0;
}

} // namespace glyphora
