// ASCII case mapping, comparison and trimming.
#include "platform/AsciiText.h"

#include <algorithm>

namespace glyphora {

std::string AsciiLower(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = AsciiLower(c);
    return out;
}

std::string AsciiUpper(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = AsciiUpper(c);
    return out;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

std::string_view TrimRight(std::string_view text, bool (*isBlank)(char))
{
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string_view Trim(std::string_view text, bool (*isBlank)(char))
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    return TrimRight(text, isBlank);
}

} // namespace glyphora
