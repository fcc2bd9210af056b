// The contents (.hhc) and index (.hhk) of a compiled help file are HTML "sitemaps": nested
// <UL> lists whose items are <OBJECT type="text/sitemap"> elements carrying <param> pairs
// such as Name and Local. This reads them into a tree. The files are untrusted input, so
// the reader never recurses, caps the nesting depth, the number of entries and the length
// of every text, and reads at most kMaxSitemapBytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace glyphora {

inline constexpr std::size_t kMaxSitemapBytes = 4 * 1024 * 1024;
inline constexpr std::size_t kMaxSitemapDepth = 32;
inline constexpr std::size_t kMaxSitemapEntries = 20000;
inline constexpr std::size_t kMaxSitemapText = 1024; // bytes of one name or page

struct SitemapEntry {
    std::string name; // UTF-8
    std::string page; // a path inside the help file ("/export.htm#x"), an outside address
                      // ("https://..."), or empty for a heading without a page
    std::vector<SitemapEntry> children;
};

struct Sitemap {
    std::vector<SitemapEntry> entries;
    std::size_t count = 0;  // entries in the whole tree
    bool truncated = false; // a limit was reached and the rest was left out
};

// Reads a sitemap. bytes are decoded by their declared charset, else as UTF-8 when they
// are well-formed UTF-8, else in the code page of lcid (the help file's language).
Sitemap ParseSitemap(std::string_view bytes, std::uint32_t lcid = 0);

// The page a sitemap's Local value or a link names, as a path inside the help file: a
// "file.chm::/page.htm" or "ms-its:file.chm::/page.htm" address keeps the part after "::",
// backslashes become slashes and a leading "/" is added. Outside addresses (with a scheme
// such as "https:" or "mailto:") are returned unchanged.
std::string HelpPagePath(std::string_view local);

// Every page of a sitemap tree in reading order (depth first), without fragments, each once.
std::vector<std::string> SitemapPages(const Sitemap& sitemap);

} // namespace glyphora
