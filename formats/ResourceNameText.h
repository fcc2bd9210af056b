// Text of resource names: a PE directory stores them as UTF-16, a 16-bit (NE) resource table
// as 8-bit ANSI text, the rest of the program uses UTF-8. Names are matched without regard to letter case, as the resource loader does:
// ASCII plus the simple one-to-one case pairs of Latin-1, Latin Extended-A, Greek and
// Cyrillic are folded.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace glyphora {

// Appends the UTF-8 form of a Unicode code point (U+0000 to U+10FFFF).
void AppendUtf8(std::string& out, char32_t codePoint);

// UTF-16 code units to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::span<const char16_t> units);

// 8-bit ANSI text (Windows-1252, the code page of Western Windows 3.x systems) to UTF-8; the
// five bytes that code page leaves unassigned keep their C1 control code points.
std::string AnsiToUtf8(std::span<const std::uint8_t> bytes);

// A key that is equal for two names exactly when they match without regard to case.
// Invalid UTF-8 sequences become U+FFFD.
std::string FoldedNameKey(std::string_view utf8);

} // namespace glyphora
