// The language preference order of resource lookups.
#include "formats/ResourceLanguage.h"

#include <optional>

namespace glyphora {

namespace {

constexpr std::uint16_t PrimaryLanguage(std::uint16_t id)
{
    return id & 0x3FF;
}

std::optional<std::size_t> FindVariant(std::span<const std::uint16_t> languages, auto matches)
{
    for (std::size_t i = 0; i < languages.size(); ++i)
        if (matches(languages[i])) return i;
    return std::nullopt;
}

} // namespace

std::size_t ChooseLanguageVariant(std::span<const std::uint16_t> languages, std::uint16_t userLanguage)
{
    if (auto i = FindVariant(languages, [](std::uint16_t l) { return PrimaryLanguage(l) == kLanguageNeutral; }))
        return *i;
    if (userLanguage != 0) {
        if (auto i = FindVariant(languages, [&](std::uint16_t l) { return l == userLanguage; })) return *i;
        if (auto i = FindVariant(languages,
                                 [&](std::uint16_t l) { return PrimaryLanguage(l) == PrimaryLanguage(userLanguage); }))
            return *i;
    }
    if (auto i = FindVariant(languages, [](std::uint16_t l) { return l == kLanguageEnglishUs; })) return *i;
    return 0;
}

} // namespace glyphora
