// The module form of a language pack: a resource-only PE module (as a resource compiler and
// linker make it) whose string table carries the texts. The table is stored in blocks of 16
// strings: block n (a string-table resource named by the number n) holds the texts
// (n - 1) * 16 to (n - 1) * 16 + 15, each as its length in UTF-16 units followed by the
// units; a length of 0 means the block has no such text. The module is read as data through
// the bounds-checked PE reader, never loaded or run.
#pragma once

#include "i18n/LanguagePack.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace glyphora {

// The resource type of string-table blocks.
inline constexpr std::uint16_t kStringTableResourceType = 6;

// True when the bytes begin like a PE module ("MZ"); a text pack never does.
bool IsModuleForm(std::string_view bytes);

// The texts of a module's string table, converted to UTF-8. Where a block has several
// language variants the one the resource loader would take is read (neutral, the user's
// language, US English, the first). nullopt when the bytes are not a module whose resources
// can be read. A damaged block is described in problems and what could be read of it kept.
std::optional<LanguagePack> ReadModulePack(std::span<const std::uint8_t> bytes, std::vector<std::string>& problems);

} // namespace glyphora
