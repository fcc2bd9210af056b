// Language indices, pack location and pack version comparison.
#include "i18n/Languages.h"

#include "platform/ProgramPaths.h"

#include <array>
#include <cstdint>
#include <optional>

namespace glyphora {

std::string LanguageFileName(int languageIndex)
{
    static constexpr std::array<std::string_view, kLanguageCount> kFiles = {
        "english.lng", "ukrainian.lng", "greek.lng", "romanian.lng", "italian.lng", "polish.lng",
    };
    if (languageIndex < 0 || languageIndex >= kLanguageCount) languageIndex = 0;
    return std::string(kFiles[static_cast<std::size_t>(languageIndex)]);
}

std::string LanguageCode(int languageIndex)
{
    static constexpr std::array<std::string_view, kLanguageCount> kCodes = {"en", "uk", "el", "ro", "it", "pl"};
    if (languageIndex < 0 || languageIndex >= kLanguageCount) languageIndex = 0;
    return std::string(kCodes[static_cast<std::size_t>(languageIndex)]);
}

std::filesystem::path PackFolder()
{
    // The packs ship together, so the folder of the English pack holds the others too.
    return DataFolderHolding(LanguageFileName(0));
}

namespace {

// Removes and returns the text before the first "." of s (all of s when there is none).
std::string TakePart(std::string& s)
{
    const std::size_t dot = s.find('.');
    std::string part = s.substr(0, dot);
    s.erase(0, dot == std::string::npos ? s.size() : dot + 1);
    return part;
}

// A 32-bit signed decimal integer with an optional sign, nothing else.
std::optional<long long> ParseInteger(const std::string& text)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size()) return std::nullopt;
    long long value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        value = value * 10 + (text[i] - '0');
        if (value > 2147483648LL) return std::nullopt; // bounded before it can overflow
    }
    if (negative) value = -value;
    if (value > INT32_MAX || value < INT32_MIN) return std::nullopt;
    return value;
}

} // namespace

int CompareVersions(std::string a, std::string b)
{
    int result = 0;
    do {
        const std::string partA = TakePart(a);
        const std::string partB = TakePart(b);
        const auto numberA = ParseInteger(partA);
        const auto numberB = ParseInteger(partB);
        result = 0;
        if (numberA && numberB) {
            if (*numberA > *numberB)
                result = 1;
            else if (*numberA < *numberB)
                result = -1;
        }
    } while (result == 0 && !a.empty());
    return result;
}

} // namespace glyphora
