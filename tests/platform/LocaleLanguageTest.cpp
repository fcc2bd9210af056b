// Locale names as the locale variables give them, mapped to Windows language ids.
#include "platform/LocaleLanguage.h"

#include <gtest/gtest.h>

#include <utility>

namespace glyphora {
namespace {

TEST(LocaleLanguageTest, LocaleNamesMapToLanguageIds)
{
    const std::pair<const char*, std::uint16_t> cases[] = {
        {"de_DE.UTF-8", 0x0407},
        {"de_AT", 0x0C07},
        {"de_LU.UTF-8", 0x0407},
        {"de", 0x0407},
        {"en_GB.ISO-8859-1", 0x0809},
        {"en_US", 0x0409},
        {"pt_BR@euro", 0x0416},
        {"zh_TW.UTF-8", 0x0404},
        {"C", 0},
        {"POSIX", 0},
        {"C.UTF-8", 0},
        {"", 0},
        {"xx_YY", 0},
    };
    for (const auto& [locale, id] : cases)
        EXPECT_EQ(LanguageIdFromLocaleName(locale), id) << locale;
}

} // namespace
} // namespace glyphora
