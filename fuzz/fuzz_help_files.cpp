// Fuzz target: the parts of a compiled help file our own code reads: contents and index
// sitemaps, the #SYSTEM object, and text in the encodings help files use.
#include "i18n/HelpFileInfo.h"
#include "i18n/HelpSitemap.h"
#include "i18n/HelpText.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const glyphora::HelpFileInfo info = glyphora::ParseHelpSystemObject(std::span(data, size));
    const glyphora::Sitemap sitemap = glyphora::ParseSitemap(text, info.lcid);
    (void)glyphora::SitemapPages(sitemap);
    (void)glyphora::HelpPagePath(text);
    for (auto charset :
         {glyphora::HelpCharset::Utf8, glyphora::HelpCharset::Windows1251, glyphora::HelpCharset::Windows1252})
        (void)glyphora::ToUtf8(text, charset);
    return 0;
}
