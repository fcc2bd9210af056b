// Checks every shipped pack against the English one: the same identifiers, each with text,
// the same placeholders and line breaks, the filter patterns and the "(*.ext)" parts of
// captions kept, one shortcut letter where English has one and no two alike within a menu
// or dialog, and the program version.
#include "i18n/LanguagePack.h"
#include "i18n/Languages.h"
#include "i18n/TextIds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace glyphora {
namespace {

LanguagePack LoadShipped(int language, std::string* error = nullptr)
{
    const auto path = std::filesystem::path(GLYPHORA_SOURCE_DIR "/i18n/packs") / LanguageFileName(language);
    LanguagePackFile file = LoadLanguagePackFile(path);
    if (error) *error = file.error;
    return file.pack ? std::move(*file.pack) : LanguagePack();
}

std::string TextOf(const LanguagePack& pack, int id)
{
    return pack.Text(static_cast<std::uint16_t>(id));
}

std::vector<std::string> SplitBars(const std::string& text)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t bar = text.find('|', start);
        parts.push_back(text.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos) return parts;
        start = bar + 1;
    }
}

// The "(*.ext...)" parts of a caption, which name the file type and are never translated.
std::vector<std::string> PatternGroups(const std::string& text)
{
    std::vector<std::string> groups;
    for (std::size_t open = text.find("(*."); open != std::string::npos; open = text.find("(*.", open + 1)) {
        const std::size_t close = text.find(')', open);
        if (close == std::string::npos) break;
        groups.push_back(text.substr(open, close - open + 1));
    }
    return groups;
}

// Decodes the UTF-8 character at text[i] (the packs are checked to be valid UTF-8).
char32_t DecodeAt(const std::string& text, std::size_t i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80) return lead;
    const int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    char32_t code = lead & (0x7Fu >> length);
    for (int k = 1; k < length && i + static_cast<std::size_t>(k) < text.size(); ++k)
        code = (code << 6) | (byte(i + static_cast<std::size_t>(k)) & 0x3Fu);
    return code;
}

// Lower case for the letters the six packs are written in (Latin with the Romanian and
// Polish letters, Greek, Cyrillic): enough to tell whether two shortcuts are the same key.
char32_t FoldCase(char32_t c)
{
    if (c >= U'A' && c <= U'Z') return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177) || (c >= 0x218 && c <= 0x21B)) return c | 1u;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1u) ? c + 1 : c;
    if (c >= 0x391 && c <= 0x3A9) return c + 32;
    if (c == 0x386) return 0x3AC;
    if (c >= 0x388 && c <= 0x38A) return c + 37;
    if (c == 0x38C) return 0x3CC;
    if (c == 0x38E || c == 0x38F) return c + 63;
    if (c >= 0x410 && c <= 0x42F) return c + 32;
    if (c >= 0x400 && c <= 0x40F) return c + 80;
    if (c >= 0x490 && c <= 0x491) return 0x491;
    return c;
}

// The shortcut letters of a caption: the characters after single "&" marks.
std::vector<char32_t> Shortcuts(const std::string& text)
{
    std::vector<char32_t> keys;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (i + 1 < text.size() && text[i + 1] == '&') {
            ++i; // "&&" is a literal ampersand
            continue;
        }
        if (i + 1 < text.size()) keys.push_back(FoldCase(DecodeAt(text, i + 1)));
    }
    return keys;
}

class AllPacksTest : public ::testing::TestWithParam<int> {
protected:
    static void SetUpTestSuite() { english_ = LoadShipped(0); }
    void SetUp() override { pack_ = LoadShipped(GetParam(), &error_); }

    static inline LanguagePack english_;
    LanguagePack pack_;
    std::string error_;
};

TEST_P(AllPacksTest, ParsesCleanlyWithExactlyTheIdentifiersOfTheTable)
{
    EXPECT_EQ(error_, "");
    EXPECT_EQ(pack_.Size(), kAllTextIds.size());
    for (const TextIdInfo& info : kAllTextIds)
        EXPECT_FALSE(TextOf(pack_, info.id).empty()) << "id " << info.id;
}

TEST_P(AllPacksTest, PlaceholdersAndLineBreaksMatchEnglish)
{
    for (const TextIdInfo& info : kAllTextIds) {
        const std::string text = TextOf(pack_, info.id);
        const std::string english = TextOf(english_, info.id);
        const PlaceholderCount count = CountPlaceholders(text);
        const PlaceholderCount expected = CountPlaceholders(english);
        EXPECT_EQ(count.strings, expected.strings) << "id " << info.id << ": " << text;
        EXPECT_EQ(count.integers, expected.integers) << "id " << info.id << ": " << text;
        EXPECT_EQ(count.strings, info.placeholder == Placeholder::String ? 1 : 0) << "id " << info.id;
        EXPECT_EQ(count.integers, info.placeholder == Placeholder::Integer ? 1 : 0) << "id " << info.id;
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), std::count(english.begin(), english.end(), '\n'))
            << "id " << info.id << ": " << text;
        EXPECT_EQ(std::count(text.begin(), text.end(), '%'), std::count(english.begin(), english.end(), '%'))
            << "id " << info.id << ": " << text;
    }
}

TEST_P(AllPacksTest, FiltersKeepEnglishPatternsInOrder)
{
    for (int id : {kTextPictureFilter, kTextOpenFilter, kTextIconFilter, kTextHtmlFilter, kTextDbfFilter,
                   kTextPdfFilter, kTextAllSupportedFilter}) {
        const std::vector<std::string> parts = SplitBars(TextOf(pack_, id));
        const std::vector<std::string> englishParts = SplitBars(TextOf(english_, id));
        ASSERT_EQ(parts.size(), englishParts.size()) << "id " << id;
        ASSERT_EQ(parts.size() % 2, 0u) << "id " << id;
        for (std::size_t i = 0; i < parts.size(); i += 2) {
            EXPECT_EQ(parts[i + 1], englishParts[i + 1]) << "id " << id;
            // A save dialog reads its default extension from "(pattern)" in the description.
            EXPECT_NE(parts[i].find("(" + parts[i + 1] + ")"), std::string::npos) << "id " << id << ": " << parts[i];
        }
    }
}

TEST_P(AllPacksTest, CaptionsKeepTheirFilePatterns)
{
    int checked = 0;
    for (const TextIdInfo& info : kAllTextIds) {
        const std::vector<std::string> groups = PatternGroups(TextOf(english_, info.id));
        if (groups.empty()) continue;
        EXPECT_EQ(PatternGroups(TextOf(pack_, info.id)), groups) << "id " << info.id;
        ++checked;
    }
    EXPECT_GE(checked, 16); // the nine save-menu items and the seven filters
}

TEST_P(AllPacksTest, ShortcutLettersAreSingleAndDistinctWithinAMenuOrDialog)
{
    for (const TextIdInfo& info : kAllTextIds) {
        const auto keys = Shortcuts(TextOf(pack_, info.id));
        EXPECT_EQ(keys.size(), Shortcuts(TextOf(english_, info.id)).size()) << "id " << info.id;
    }
    struct Group {
        const char* name;
        std::vector<int> ids;
    };
    const Group groups[] = {
        {"save menu", {kTextMenuSaveSelected, kTextMenuSaveAllAsOneImage, kTextMenuSaveAll, kTextMenuSaveIconSet}},
        {"save all submenu",
         {kTextMenuAsIcons, kTextMenuAsBitmaps, kTextMenuAsJpeg, kTextMenuAsMetafiles, kTextMenuAsGif, kTextMenuAsPng,
          kTextMenuToHtml, kTextMenuToDbf, kTextMenuToPdf}},
        {"options menu", {kTextMenuLanguage, kTextMenuShowIconWindow, kTextMenuIconSize, kTextMenuSaveToRegistry}},
        {"language menu",
         {kTextMenuEnglish, kTextMenuGreek, kTextMenuUkrainian, kTextMenuRomanian, kTextMenuItalian, kTextMenuPolish}},
        {"export options dialog",
         {kTextCancel, kTextHelpButton, kTextColumnCount, kTextDrawTableBorder, kTextIncludeIconNumbers,
          kTextConvertToGrayScale, kTextTargetImageFormat}},
        {"print dialog",
         {kTextCancel, kTextHelpButton, kTextPrintFullImage, kTextPrintSelectedImage, kTextPrintActualSize,
          kTextPrintFitToPage}},
        {"folder dialog", {kTextFolderField, kTextNewFolder}},
    };
    for (const Group& group : groups) {
        std::map<char32_t, int> owner;
        for (int id : group.ids) {
            for (char32_t key : Shortcuts(TextOf(pack_, id))) {
                const auto [where, fresh] = owner.emplace(key, id);
                EXPECT_TRUE(fresh) << group.name << ": ids " << where->second << " and " << id
                                   << " share a shortcut letter";
            }
        }
    }
}

TEST_P(AllPacksTest, CarriesTheProgramVersion)
{
    EXPECT_EQ(TextOf(pack_, kTextLanguagePackVersion), kPackTargetVersion);
}

TEST_P(AllPacksTest, IsCopiedBesideTheExecutables)
{
    const auto file = LoadLanguagePackFile(std::filesystem::path(GLYPHORA_BUILD_DIR) / LanguageFileName(GetParam()));
    ASSERT_TRUE(file.pack.has_value()) << file.error;
    EXPECT_EQ(file.pack->Size(), pack_.Size());
    EXPECT_EQ(file.pack->Text(kTextMenuLanguage), pack_.Text(kTextMenuLanguage));
}

std::string LanguageName(const ::testing::TestParamInfo<int>& info)
{
    std::string name = LanguageFileName(info.param);
    return name.substr(0, name.find('.'));
}

INSTANTIATE_TEST_SUITE_P(Shipped, AllPacksTest, ::testing::Range(0, kLanguageCount), LanguageName);

// The translated packs are translations: a pack that still says what English says in most
// places was copied and not finished.
TEST(AllPacks, TranslatedPacksDifferFromEnglish)
{
    const LanguagePack english = LoadShipped(0);
    for (int language = 1; language < kLanguageCount; ++language) {
        const LanguagePack pack = LoadShipped(language);
        int same = 0;
        for (const TextIdInfo& info : kAllTextIds)
            same += TextOf(pack, info.id) == TextOf(english, info.id);
        // Names such as "JPEG", "GIF", "32x32" and the version stay as they are.
        EXPECT_LT(same, 16) << LanguageFileName(language);
    }
}

} // namespace
} // namespace glyphora
