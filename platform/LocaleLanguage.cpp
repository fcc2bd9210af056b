// The locale names the language table knows, with their Windows language ids.
#include "platform/LocaleLanguage.h"

#include <array>

namespace glyphora {

namespace {

struct LocaleEntry {
    std::string_view language;  // ISO 639 code of the locale name
    std::string_view territory; // empty: the language's default
    std::uint16_t id;
};

// The first entry of a language is its default.
constexpr std::array kLocales = {
    LocaleEntry{"en", "US", 0x0409}, LocaleEntry{"en", "GB", 0x0809}, LocaleEntry{"en", "AU", 0x0C09},
    LocaleEntry{"en", "CA", 0x1009}, LocaleEntry{"en", "NZ", 0x1409}, LocaleEntry{"en", "IE", 0x1809},
    LocaleEntry{"de", "DE", 0x0407}, LocaleEntry{"de", "CH", 0x0807}, LocaleEntry{"de", "AT", 0x0C07},
    LocaleEntry{"fr", "FR", 0x040C}, LocaleEntry{"fr", "BE", 0x080C}, LocaleEntry{"fr", "CA", 0x0C0C},
    LocaleEntry{"fr", "CH", 0x100C}, LocaleEntry{"es", "ES", 0x0C0A}, LocaleEntry{"es", "MX", 0x080A},
    LocaleEntry{"it", "IT", 0x0410}, LocaleEntry{"it", "CH", 0x0810}, LocaleEntry{"pt", "BR", 0x0416},
    LocaleEntry{"pt", "PT", 0x0816}, LocaleEntry{"nl", "NL", 0x0413}, LocaleEntry{"nl", "BE", 0x0813},
    LocaleEntry{"zh", "CN", 0x0804}, LocaleEntry{"zh", "TW", 0x0404}, LocaleEntry{"zh", "HK", 0x0C04},
    LocaleEntry{"ja", "JP", 0x0411}, LocaleEntry{"ko", "KR", 0x0412}, LocaleEntry{"ru", "RU", 0x0419},
    LocaleEntry{"pl", "PL", 0x0415}, LocaleEntry{"cs", "CZ", 0x0405}, LocaleEntry{"sk", "SK", 0x041B},
    LocaleEntry{"hu", "HU", 0x040E}, LocaleEntry{"sv", "SE", 0x041D}, LocaleEntry{"da", "DK", 0x0406},
    LocaleEntry{"fi", "FI", 0x040B}, LocaleEntry{"nb", "NO", 0x0414}, LocaleEntry{"no", "NO", 0x0414},
    LocaleEntry{"el", "GR", 0x0408}, LocaleEntry{"tr", "TR", 0x041F}, LocaleEntry{"uk", "UA", 0x0422},
    LocaleEntry{"ro", "RO", 0x0418}, LocaleEntry{"he", "IL", 0x040D}, LocaleEntry{"ar", "SA", 0x0401},
};

} // namespace

std::uint16_t LanguageIdFromLocaleName(std::string_view locale)
{
    // language[_territory][.codeset][@modifier]
    const auto end = locale.find_first_of(".@");
    if (end != std::string_view::npos) locale = locale.substr(0, end);
    const auto underscore = locale.find('_');
    const auto language = locale.substr(0, underscore);
    const auto territory = underscore == std::string_view::npos ? std::string_view{} : locale.substr(underscore + 1);

    std::uint16_t fallback = 0;
    for (const auto& entry : kLocales) {
        if (entry.language != language) continue;
        if (entry.territory == territory) return entry.id;
        if (fallback == 0) fallback = entry.id;
    }
    return fallback;
}

} // namespace glyphora
