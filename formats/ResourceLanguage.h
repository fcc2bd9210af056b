// Which language variant of a resource is used when a name carries several: the neutral
// language, then the user's language, then US English, then the first variant, as the
// resource loader does for a language-neutral request.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace glyphora {

constexpr std::uint16_t kLanguageNeutral = 0x0000;
constexpr std::uint16_t kLanguageEnglishUs = 0x0409;

// Index of the variant to use among the language ids of one resource name, in directory
// order. Neutral (primary language 0) first, then userLanguage exactly, then a variant of
// the user's primary language, then 0x409, then the first. Requires a non-empty list.
std::size_t ChooseLanguageVariant(std::span<const std::uint16_t> languages, std::uint16_t userLanguage);

} // namespace glyphora
