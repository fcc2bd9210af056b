// Text inside compiled help files comes in the encoding its author used: the pages and the
// contents of our own files are UTF-8, while a contents file made for the Windows viewer
// carries the ANSI code page of its language. These helpers turn any of them into UTF-8.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace glyphora {

enum class HelpCharset { Utf8, Windows1251, Windows1252 };

// The charset a document declares in a "charset=" of its head (within its first 4 KiB),
// when it is one of those above ("utf-8", "windows-1251"/"cp1251", "windows-1252",
// "iso-8859-1"/"us-ascii"); nothing otherwise.
std::optional<HelpCharset> DeclaredCharset(std::string_view document);

// The ANSI code page of a Windows language identifier: Cyrillic languages use 1251, every
// other language is read as 1252.
HelpCharset CharsetOfLanguage(std::uint32_t lcid);

// bytes as UTF-8. Utf8 keeps well-formed text and replaces each byte of a broken sequence
// with U+FFFD; the code pages map every byte, their unassigned bytes becoming U+FFFD.
std::string ToUtf8(std::string_view bytes, HelpCharset charset);

// The charset to read bytes with: the declared one; else UTF-8 when the bytes are
// well-formed UTF-8; else the code page of the help file's language.
HelpCharset ChooseCharset(std::string_view bytes, std::uint32_t lcid);

} // namespace glyphora
