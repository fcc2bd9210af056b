// Encodings of help file text.
#include "i18n/HelpText.h"

#include "formats/ResourceNameText.h"

#include "i18n/TextFormat.h"
#include "platform/AsciiText.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace glyphora {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Windows-1251, bytes 0x80 to 0xBF; 0xC0 to 0xFF are U+0410 to U+044F in order.
constexpr std::array<char16_t, 64> kCp1251High = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0xFFFD, 0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

// Windows-1252, bytes 0x80 to 0x9F; 0xA0 to 0xFF are Latin-1.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178,
};

char32_t FromCodePage(unsigned char byte, HelpCharset charset)
{
    if (byte < 0x80) return byte;
    if (charset == HelpCharset::Windows1251)
        return byte >= 0xC0 ? char32_t(0x0410 + (byte - 0xC0)) : char32_t(kCp1251High[byte - 0x80]);
    return byte < 0xA0 ? char32_t(kCp1252High[byte - 0x80]) : char32_t(byte);
}

// The length of the well-formed UTF-8 sequence at text[i], or 0 when there is none.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i)
{
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80           ? 1
                               : (lead >> 5) == 0x6  ? 2
                               : (lead >> 4) == 0xE  ? 3
                               : (lead >> 3) == 0x1E ? 4
                                                     : 0;
    if (length == 0 || length > text.size() - i) return 0;
    return IsValidUtf8(text.substr(i, length)) ? length : 0;
}

} // namespace

std::optional<HelpCharset> DeclaredCharset(std::string_view document)
{
    const std::string head = AsciiLower(document.substr(0, 4096));
    const std::size_t at = head.find("charset=");
    if (at == std::string::npos) return std::nullopt;
    std::size_t start = at + 8;
    while (start < head.size() && (head[start] == '"' || head[start] == '\'' || head[start] == ' '))
        ++start;
    std::size_t end = start;
    while (end < head.size() &&
           (std::isalnum(static_cast<unsigned char>(head[end])) || head[end] == '-' || head[end] == '_'))
        ++end;
    const std::string name = head.substr(start, end - start);
    if (name == "utf-8" || name == "utf8") return HelpCharset::Utf8;
    if (name == "windows-1251" || name == "cp1251") return HelpCharset::Windows1251;
    if (name == "windows-1252" || name == "cp1252" || name == "iso-8859-1" || name == "us-ascii")
        return HelpCharset::Windows1252;
    return std::nullopt;
}

HelpCharset CharsetOfLanguage(std::uint32_t lcid)
{
    switch (lcid & 0x3FF) { // the primary language
    case 0x02:              // Bulgarian
    case 0x19:              // Russian
    case 0x22:              // Ukrainian
    case 0x23:              // Belarusian
    case 0x2F:              // Macedonian
    case 0x3F:              // Kazakh
    case 0x40:              // Kyrgyz
    case 0x44:              // Tatar
    case 0x50:              // Mongolian
        return HelpCharset::Windows1251;
    default: return HelpCharset::Windows1252;
    }
}

std::string ToUtf8(std::string_view bytes, HelpCharset charset)
{
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        if (charset == HelpCharset::Utf8) {
            const std::size_t length = Utf8SequenceLength(bytes, i);
            if (length == 0) {
                AppendUtf8(out, kReplacement);
                ++i;
            } else {
                out.append(bytes.substr(i, length));
                i += length;
            }
        } else {
            AppendUtf8(out, FromCodePage(static_cast<unsigned char>(bytes[i]), charset));
            ++i;
        }
    }
    return out;
}

HelpCharset ChooseCharset(std::string_view bytes, std::uint32_t lcid)
{
    if (const auto declared = DeclaredCharset(bytes)) return *declared;
    return IsValidUtf8(bytes) ? HelpCharset::Utf8 : CharsetOfLanguage(lcid);
}

} // namespace glyphora
