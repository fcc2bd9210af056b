// What a compiled help file says about itself in its "#SYSTEM" object: the names of its
// contents and index files, its default page, its title and its language. The object is a
// version number followed by records of (code, length, data); the bytes are untrusted, so
// every record is checked against the object's size and the number of records is capped.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace glyphora {

struct HelpFileInfo {
    std::string contentsFile; // path inside the help file, such as "/english.hhc"; may be empty
    std::string indexFile;    // likewise for the index
    std::string defaultPage;  // such as "/contents.htm"; may be empty
    std::string title;        // UTF-8
    std::uint32_t lcid = 0;   // Windows language identifier; 0 when not recorded
};

inline constexpr int kMaxHelpSystemRecords = 4096;

HelpFileInfo ParseHelpSystemObject(std::span<const std::uint8_t> bytes);

} // namespace glyphora
