// Reading the #SYSTEM object of a compiled help file.
#include "i18n/HelpFileInfo.h"

#include "i18n/HelpSitemap.h"
#include "i18n/HelpText.h"
#include "formats/ByteReader.h"

#include <string_view>

namespace glyphora {

namespace {

// Record codes of the #SYSTEM object.
constexpr std::uint16_t kRecordContentsFile = 0;
constexpr std::uint16_t kRecordIndexFile = 1;
constexpr std::uint16_t kRecordDefaultTopic = 2;
constexpr std::uint16_t kRecordTitle = 3;
constexpr std::uint16_t kRecordLanguage = 4;

// Record data up to its first NUL, at most kMaxSitemapText bytes.
std::string RecordText(std::span<const std::uint8_t> data)
{
    std::string text;
    for (std::uint8_t byte : data) {
        if (byte == 0 || text.size() >= kMaxSitemapText) break;
        text += static_cast<char>(byte);
    }
    return text;
}

} // namespace

HelpFileInfo ParseHelpSystemObject(std::span<const std::uint8_t> bytes)
{
    HelpFileInfo info;
    const ByteReader reader(bytes);
    std::string rawTitle;
    std::uint64_t offset = 4; // after the version number
    for (int record = 0; record < kMaxHelpSystemRecords; ++record) {
        const auto code = reader.u16(offset);
        const auto length = reader.u16(offset + 2);
        if (!code || !length) break;
        const auto data = reader.slice(offset + 4, *length);
        if (!data) break;
        switch (*code) {
        case kRecordContentsFile: info.contentsFile = HelpPagePath(RecordText(*data)); break;
        case kRecordIndexFile: info.indexFile = HelpPagePath(RecordText(*data)); break;
        case kRecordDefaultTopic: info.defaultPage = HelpPagePath(RecordText(*data)); break;
        case kRecordTitle: rawTitle = RecordText(*data); break;
        case kRecordLanguage:
            if (const auto lcid = ByteReader(*data).u32(0)) info.lcid = *lcid;
            break;
        default: break;
        }
        offset += 4 + static_cast<std::uint64_t>(*length);
    }
    info.title = ToUtf8(rawTitle, ChooseCharset(rawTitle, info.lcid));
    return info;
}

} // namespace glyphora
