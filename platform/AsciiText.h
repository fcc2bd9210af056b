// ASCII letter case and blanks for the texts the program reads and compares itself: switches
// and type words of the command line, file extensions, INI keys and sections, tags of the help
// files, font names. Only the 26 letters change case; every other byte (a part of a UTF-8
// character included) stays as it is, whatever the C library's locale says.
#pragma once

#include <string>
#include <string_view>

namespace glyphora {

constexpr char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
constexpr char AsciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
std::string AsciiLower(std::string_view text);
std::string AsciiUpper(std::string_view text);

// Equal but for the case of ASCII letters.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// What Trim takes away at either end.
constexpr bool IsAsciiBlank(char c) // space and tab
{
    return c == ' ' || c == '\t';
}
constexpr bool IsAsciiSpace(char c) // blanks and line breaks: what std::isspace means in the "C" locale
{
    return IsAsciiBlank(c) || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}
constexpr bool IsBlankOrControl(char c) // space and every control character
{
    return static_cast<unsigned char>(c) <= 0x20 || c == 0x7F;
}

// The text without the characters isBlank accepts at its start and end (or at its end only).
std::string_view Trim(std::string_view text, bool (*isBlank)(char) = IsAsciiBlank);
std::string_view TrimRight(std::string_view text, bool (*isBlank)(char) = IsAsciiBlank);

} // namespace glyphora
