// Formatting of pack texts that take one argument, and the UTF-8 helpers the language
// layer needs. Pack texts are written by translators, so they are never handed to printf:
// this formatter knows only "%s", "%d" and "%%" and treats everything else as plain text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace glyphora {

// How many argument placeholders a pattern holds ("%%" is a literal percent, not one).
struct PlaceholderCount {
    int strings = 0;  // "%s"
    int integers = 0; // "%d"
};

PlaceholderCount CountPlaceholders(std::string_view pattern);

// Replaces the first placeholder of pattern ("%s" or "%d") by the argument and turns each
// "%%" into "%". A translator's slip must not lose the argument, so a "%d" takes a string
// argument (and "%s" an integer one) as text. Placeholders after the first have no argument
// and stay as written; a "%" before any other character, or at the end, stays as it is.
std::string FormatText(std::string_view pattern, std::string_view arg);
std::string FormatText(std::string_view pattern, long long arg);

// True when text is well-formed UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF).
bool IsValidUtf8(std::string_view text);

// The first maxChars characters (code points) of valid UTF-8 text; the whole text when
// it is not longer.
std::string CutToCharacters(std::string_view text, std::size_t maxChars);

} // namespace glyphora
