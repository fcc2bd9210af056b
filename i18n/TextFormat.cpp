// One scanner serves both placeholder counting and formatting, so the check that packs are
// tested with is the same reading the program applies to them.
#include "i18n/TextFormat.h"

#include <cstdint>

namespace glyphora {

namespace {

enum class Token { Literal, Percent, StringSlot, IntegerSlot };

// Calls visit(token, literalText) for the pieces of pattern in order.
template <typename Visit>
void ScanPattern(std::string_view pattern, Visit&& visit)
{
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < pattern.size()) {
        if (pattern[i] != '%' || i + 1 >= pattern.size()) {
            ++i;
            continue;
        }
        const char next = pattern[i + 1];
        Token token = Token::Literal;
        if (next == '%')
            token = Token::Percent;
        else if (next == 's')
            token = Token::StringSlot;
        else if (next == 'd')
            token = Token::IntegerSlot;
        if (token == Token::Literal) {
            ++i;
            continue;
        }
        if (i > start) visit(Token::Literal, pattern.substr(start, i - start));
        visit(token, pattern.substr(i, 2));
        i += 2;
        start = i;
    }
    if (start < pattern.size()) visit(Token::Literal, pattern.substr(start));
}

} // namespace

PlaceholderCount CountPlaceholders(std::string_view pattern)
{
    PlaceholderCount count;
    ScanPattern(pattern, [&](Token token, std::string_view) {
        if (token == Token::StringSlot) ++count.strings;
        if (token == Token::IntegerSlot) ++count.integers;
    });
    return count;
}

std::string FormatText(std::string_view pattern, std::string_view arg)
{
    std::string out;
    out.reserve(pattern.size() + arg.size());
    bool used = false;
    ScanPattern(pattern, [&](Token token, std::string_view piece) {
        switch (token) {
        case Token::Literal: out += piece; break;
        case Token::Percent: out += '%'; break;
        case Token::StringSlot:
        case Token::IntegerSlot:
            if (used) {
                out += piece;
            } else {
                out += arg;
                used = true;
            }
            break;
        }
    });
    return out;
}

std::string FormatText(std::string_view pattern, long long arg)
{
    return FormatText(pattern, std::to_string(arg));
}

namespace {

// Length of the UTF-8 sequence starting at text[i], or 0 when it is not well-formed.
std::size_t SequenceLength(std::string_view text, std::size_t i)
{
    const auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(text[k]); };
    const std::uint8_t lead = byte(i);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    std::uint32_t minimum = 0;
    std::uint32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        minimum = 0x80;
        code = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        minimum = 0x800;
        code = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        minimum = 0x10000;
        code = lead & 0x07u;
    } else
        return 0;
    if (text.size() - i < length) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const std::uint8_t b = byte(i + k);
        if ((b & 0xC0u) != 0x80u) return 0;
        code = (code << 6) | (b & 0x3Fu);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

} // namespace

bool IsValidUtf8(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t length = SequenceLength(text, i);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

std::string CutToCharacters(std::string_view text, std::size_t maxChars)
{
    std::size_t i = 0;
    std::size_t chars = 0;
    while (i < text.size() && chars < maxChars) {
        const std::size_t length = SequenceLength(text, i);
        i += length == 0 ? 1 : length; // a stray byte counts as one character
        ++chars;
    }
    return std::string(text.substr(0, i));
}

} // namespace glyphora
