// UTF-16 to UTF-8 conversion and case folding for resource names.
#include "formats/ResourceNameText.h"

namespace glyphora {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one code point at pos and advances pos; malformed input yields U+FFFD and
// consumes one byte so that decoding always makes progress.
char32_t NextCodePoint(std::string_view s, std::size_t& pos)
{
    const auto lead = static_cast<std::uint8_t>(s[pos++]);
    if (lead < 0x80) return lead;
    int extra = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1, cp = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, cp = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, cp = lead & 0x07, minimum = 0x10000;
    } else {
        return kReplacement;
    }
    if (s.size() - pos < static_cast<std::size_t>(extra)) return kReplacement;
    for (int i = 0; i < extra; ++i) {
        const auto next = static_cast<std::uint8_t>(s[pos + static_cast<std::size_t>(i)]);
        if ((next & 0xC0) != 0x80) return kReplacement;
        cp = (cp << 6) | (next & 0x3F);
    }
    pos += static_cast<std::size_t>(extra);
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return kReplacement;
    return cp;
}

// Simple upper-case mapping of the common alphabets of the BMP.
char32_t FoldCase(char32_t c)
{
    if (c >= U'a' && c <= U'z') return c - 0x20;
    if (c < 0x80) return c;
    if ((c >= 0xE0 && c <= 0xFE && c != 0xF7)) return c - 0x20;
    if (c == 0xFF) return 0x178;
    // Latin Extended-A: pairs of capital (even) and small (odd) letters, with two runs
    // where the capital is odd.
    if ((c >= 0x100 && c <= 0x12F) || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177))
        return (c & 1) ? c - 1 : c;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1) ? c : c - 1;
    if (c == 0x3C2) return 0x3A3; // final sigma
    if ((c >= 0x3B1 && c <= 0x3CB)) return c - 0x20;
    if (c >= 0x430 && c <= 0x44F) return c - 0x20;
    if (c >= 0x450 && c <= 0x45F) return c - 0x50;
    if (c >= 0xFF41 && c <= 0xFF5A) return c - 0x20; // full-width Latin
    return c;
}

} // namespace

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::string Utf16ToUtf8(std::span<const char16_t> units)
{
    std::string out;
    out.reserve(units.size());
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char32_t u = units[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
            AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            AppendUtf8(out, kReplacement);
        } else {
            AppendUtf8(out, u);
        }
    }
    return out;
}

std::string AnsiToUtf8(std::span<const std::uint8_t> bytes)
{
    // Windows-1252 differs from Latin-1 only in 0x80 to 0x9F.
    static constexpr char16_t kHigh[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    };
    std::string out;
    out.reserve(bytes.size());
    for (const std::uint8_t b : bytes)
        AppendUtf8(out, b >= 0x80 && b <= 0x9F ? kHigh[b - 0x80] : char32_t{b});
    return out;
}

std::string FoldedNameKey(std::string_view utf8)
{
    std::string key;
    key.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size())
        AppendUtf8(key, FoldCase(NextCodePoint(utf8, pos)));
    return key;
}

} // namespace glyphora
