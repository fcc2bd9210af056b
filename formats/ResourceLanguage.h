// Which language variant of a resource is used when a name carries several: the neutral
// language, then the user's language, then US English, then the first variant, as the
// resource loader does for a language-neutral request.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace glyphora {

constexpr std::uint16_t kLanguageNeutral = 0x0000;
constexpr std::uint16_t kLanguageEnglishUs = 0x0409;

// The Windows language id of a POSIX locale name such as "de_DE.UTF-8" or "pt_BR@euro";
// 0 for "C", "POSIX", an empty name or a language the table does not know. A known
// language with an unknown or missing territory gets its default sublanguage.
std::uint16_t LanguageIdFromLocaleName(std::string_view locale);

// Index of the variant to use among the language ids of one resource name, in directory
// order. Neutral (primary language 0) first, then userLanguage exactly, then a variant of
// the user's primary language, then 0x409, then the first. Requires a non-empty list.
std::size_t ChooseLanguageVariant(std::span<const std::uint16_t> languages, std::uint16_t userLanguage);

} // namespace glyphora
