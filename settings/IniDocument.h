// An INI file held in memory: named sections of "key=value" lines. Section and key names
// match without regard to ASCII letter case; a value is the text after the first "=". The
// text form is UTF-8 with a byte-order mark and CR LF line ends, each section a "[name]" line
// followed by its lines and one empty line. Lines that are not "key=value" (comments, stray
// text) are kept where they were, so rewriting a file keeps what a user wrote into it.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace glyphora {

class IniDocument {
public:
    // Reads the text form. Any byte sequence is accepted: a byte-order mark is skipped, CR LF,
    // LF and CR all end lines, blank lines are dropped, and sections of the same name are
    // joined into the first.
    static IniDocument Parse(std::string_view text);
    // The text form as described above.
    std::string Serialize() const;

    // The value of the first line of key in section, or nothing.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;
    // The keys of section in file order (a key that occurs twice is listed twice).
    std::vector<std::string> Keys(std::string_view section) const;
    // Replaces the value of key's first line in place, or appends the line to its section,
    // or appends the section when it is missing. A line break in value cannot be written
    // into one line and becomes a space.
    void SetValue(std::string_view section, std::string_view key, std::string_view value);
    // Removes the section with all its lines; a later SetValue appends it anew at the end.
    void EraseSection(std::string_view section);

    bool HasSection(std::string_view section) const;
    // The section names in file order.
    std::vector<std::string> SectionNames() const;
    bool Empty() const { return sections_.empty() && preamble_.empty(); }

private:
    struct Line {
        std::string key;  // empty for a line kept as text
        std::string text; // the value, or the whole line
        bool entry = false;
    };
    struct Section {
        std::string name;
        std::vector<Line> lines;
    };

    Section* Find(std::string_view section);
    const Section* Find(std::string_view section) const;

    std::vector<std::string> preamble_; // lines before the first section
    std::vector<Section> sections_;
};

// The document stored in file: an empty document when the file does not exist, nothing when
// it exists but cannot be read as a settings file (not a regular file, unreadable, or larger
// than any settings file the program writes).
std::optional<IniDocument> ReadIniFile(const std::filesystem::path& file);

// Writes the document's text form to file atomically, creating its folder when missing.
// Throws GlyphoraError; the old file then stays as it was.
void WriteIniFile(const std::filesystem::path& file, const IniDocument& document);

} // namespace glyphora
