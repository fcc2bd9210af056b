// A language pack: the table of interface texts of one language, keyed by 16-bit text
// identifier. A ".lng" file holds a pack in one of two forms, told apart by content: a plain
// UTF-8 text that a translator can edit (below), or a resource-only PE module whose string
// table holds the texts (ModulePack.h). Also the one pack the program has in use and the
// lookup `LangString` every user-visible text goes through.
//
// Text form:
//   # a comment line              (first non-blank character "#")
//   602 = %d icon(s) saved.        identifier (decimal 0..65535), "=", the text
// Blank lines are ignored. Blanks (spaces, tabs) around the identifier and around the text
// are dropped; "\s" keeps a deliberate leading or trailing space. Escapes in the text:
// "\n" line feed, "\r" carriage return, "\t" tab, "\\" backslash, "\s" space. Everything after
// the first "=" is text, "#" and "=" included. The file is UTF-8, optionally with a BOM, with
// LF or CR LF line ends. A line that does not parse, or repeats an identifier already
// defined (the first definition stays), is skipped and reported with its line number.
#pragma once

#include "i18n/Languages.h"
#include "i18n/TextFormat.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace glyphora {

// Limits that keep a damaged or wrong file from costing much.
inline constexpr std::uint64_t kMaxPackFileBytes = 1024 * 1024;
inline constexpr std::size_t kMaxPackLineBytes = 16 * 1024;
// How many characters (not bytes) LangString delivers at most.
inline constexpr std::size_t kMaxLangStringChars = 1023;

// One line of a pack file that was skipped, and why.
struct PackProblem {
    int line = 0; // 1-based
    std::string message;
};

class LanguagePack {
public:
    // Parses pack text. Lines that do not parse are skipped and appended to problems.
    static LanguagePack Parse(std::string_view text, std::vector<PackProblem>& problems);
    // A pack of texts read some other way (the module form).
    static LanguagePack FromTexts(std::unordered_map<std::uint16_t, std::string> texts);

    // The text of id; empty when the pack has none.
    std::string Text(std::uint16_t id) const;
    bool Has(std::uint16_t id) const;
    std::size_t Size() const { return texts_.size(); }
    // The identifiers that have a text, ascending.
    std::vector<std::uint16_t> Ids() const;

private:
    std::unordered_map<std::uint16_t, std::string> texts_;
};

// The result of reading a pack file.
struct LanguagePackFile {
    std::optional<LanguagePack> pack; // absent when the file cannot serve as a pack at all
    std::string error;                // empty when the file is clean; else what went wrong,
                                      // one line per problem ("line 12: ...")
};

// Reads and parses a pack file. The pack is absent when the file cannot be read, is larger
// than kMaxPackFileBytes, or holds problems and not a single usable text; a pack with some
// bad lines (or damaged string blocks) is kept, its good texts serve, and the problems are
// listed in error.
LanguagePackFile LoadLanguagePackFile(const std::filesystem::path& path);

// The same over the bytes of a pack file already read; shownPath names it in error texts.
// Bytes that start with "MZ" are read as the module form, anything else as the text form.
LanguagePackFile LanguagePackFromBytes(std::string_view bytes, const std::string& shownPath);

// The program-wide pack (none at start, at most one at a time; user-interface thread only).
// LoadLanguagePack releases the current pack and loads path; true when a pack is in use
// afterwards. errorText (optional) receives LoadLanguagePackFile's error text.
bool LoadLanguagePack(const std::filesystem::path& path, std::string* errorText = nullptr);
// Puts an already parsed pack in use, replacing the current one.
void InstallLanguagePack(LanguagePack pack);
void ReleaseLanguagePack();
bool LanguagePackLoaded();

// The text id of the pack in use, at most kMaxLangStringChars characters (a longer text is
// cut on a character boundary); empty when no pack is in use, the pack lacks id, or id is
// outside 0..65535.
std::string LangString(int id);

} // namespace glyphora
