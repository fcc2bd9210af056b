// The language switch over a folder of small packs of our own: the English fallback at
// start-up, a missing or damaged pack chosen from the menu, the version check, the quiet
// command-line start, and which item carries the check mark.
#include "i18n/LanguageSwitch.h"

#include "i18n/LanguagePack.h"
#include "i18n/Languages.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace glyphora {
namespace {

// A small pack whose texts name it, so that a message tells which pack worded it.
std::string Pack(const std::string& name, const std::string& version)
{
    std::string text = "1 = " + name +
                       " cancel\n"
                       "117 = " +
                       name +
                       " has no file %s\n"
                       "612 = " +
                       name +
                       " web page\n"
                       "610 = " +
                       name +
                       " is old\n"
                       "611 = " +
                       name +
                       " wants an update\n"
                       "613 = " +
                       name + " cannot load\n";
    if (!version.empty()) text += "50000 = " + version + "\n";
    return text;
}

const std::string kDamaged = "this is no pack\nneither is this\n";
const std::string kDamagedModule = std::string("MZ\x90\0\x03\0\0\0", 8) + "not a module";

struct Case {
    const char* what;
    std::map<std::string, std::string> files; // pack files of the folder
    std::optional<std::string> packInUse;     // pack text in use before the switch
    int current;
    std::optional<int> chosen;
    bool withArguments;
    // Expected. "{dir}" in a message stands for the pack folder followed by a separator.
    bool loaded;
    int language;
    std::vector<std::string> messages;
    std::optional<std::string> warning;
    std::string cancelAfter; // text 1 of the pack in use afterwards; "" when none is
};

class LanguageSwitchTest : public ::testing::Test {
protected:
    void SetUp() override { ReleaseLanguagePack(); }
    void TearDown() override { ReleaseLanguagePack(); }
};

TEST_F(LanguageSwitchTest, LoadsWithFallbackMessagesAndVersionCheck)
{
    const std::string current = "5.1.0.2";
    const Case cases[] = {
        {"start: the stored language",
         {{"greek.lng", Pack("Greek", current)}},
         std::nullopt,
         2,
         std::nullopt,
         false,
         true,
         2,
         {},
         std::nullopt,
         "Greek cancel"},
        {"start: missing pack falls back to English",
         {{"english.lng", Pack("English", current)}},
         std::nullopt,
         2,
         std::nullopt,
         false,
         true,
         0,
         {"File does not exist:\n{dir}greek.lng\nIt can be found on Glyphora web page."},
         std::nullopt,
         "English cancel"},
        {"start: missing pack and no English",
         {},
         std::nullopt,
         2,
         std::nullopt,
         false,
         false,
         2,
         {"File does not exist:\n{dir}greek.lng\nIt can be found on Glyphora web page."},
         std::nullopt,
         ""},
        {"start: English itself missing",
         {{"polish.lng", Pack("Polish", current)}},
         std::nullopt,
         0,
         std::nullopt,
         false,
         false,
         0,
         {"File does not exist:\n{dir}english.lng\nIt can be found on Glyphora web page."},
         std::nullopt,
         ""},
        {"start: a language outside the table reads English",
         {{"english.lng", Pack("English", current)}},
         std::nullopt,
         9,
         std::nullopt,
         false,
         true,
         9,
         {},
         std::nullopt,
         "English cancel"},
        {"start: no fallback once a pack is in use",
         {{"english.lng", Pack("English", current)}},
         Pack("Italian", current),
         2,
         std::nullopt,
         false,
         false,
         2,
         {"Italian has no file {dir}greek.lng\nItalian web page"},
         std::nullopt,
         "Italian cancel"},
        {"menu: missing pack keeps the current one",
         {{"english.lng", Pack("English", current)}},
         Pack("English", current),
         0,
         5,
         false,
         false,
         0,
         {"English has no file {dir}polish.lng\nEnglish web page"},
         std::nullopt,
         "English cancel"},
        {"menu: no fallback to English for a choice",
         {{"english.lng", Pack("English", current)}},
         std::nullopt,
         2,
         5,
         false,
         false,
         2,
         {"File does not exist:\n{dir}polish.lng\nIt can be found on Glyphora web page."},
         std::nullopt,
         ""},
        {"menu: another language",
         {{"ukrainian.lng", Pack("Ukrainian", current)}},
         Pack("English", current),
         0,
         1,
         false,
         true,
         1,
         {},
         std::nullopt,
         "Ukrainian cancel"},
        {"menu: damaged pack leaves no pack in use",
         {{"romanian.lng", kDamaged}},
         Pack("English", current),
         0,
         3,
         false,
         false,
         0,
         {"Unable to load the file:\n{dir}romanian.lng"},
         std::nullopt,
         ""},
        {"menu: damaged module leaves no pack in use",
         {{"romanian.lng", kDamagedModule}},
         Pack("English", current),
         0,
         3,
         false,
         false,
         0,
         {"Unable to load the file:\n{dir}romanian.lng"},
         std::nullopt,
         ""},
        {"menu: older pack",
         {{"italian.lng", Pack("Italian", "5.1.0.1")}},
         Pack("English", current),
         0,
         4,
         false,
         true,
         4,
         {},
         std::string("Italian is old\nItalian wants an update"),
         "Italian cancel"},
        {"menu: pack for a later version",
         {{"italian.lng", Pack("Italian", "5.1.1.0")}},
         Pack("English", current),
         0,
         4,
         false,
         true,
         4,
         {},
         std::nullopt,
         "Italian cancel"},
        {"menu: pack for a shorter version",
         {{"italian.lng", Pack("Italian", "5.1")}},
         Pack("English", current),
         0,
         4,
         false,
         true,
         4,
         {},
         std::nullopt,
         "Italian cancel"},
        {"menu: unversioned pack",
         {{"italian.lng", Pack("Italian", "")}},
         Pack("English", current),
         0,
         4,
         false,
         true,
         4,
         {},
         std::string("Language pack is obsolete.\nPlease download its newer version from Glyphora web page."),
         "Italian cancel"},
        {"start: older pack is checked too",
         {{"english.lng", Pack("English", "5.0")}},
         std::nullopt,
         0,
         std::nullopt,
         false,
         true,
         0,
         {},
         std::string("English is old\nEnglish wants an update"),
         "English cancel"},
        {"arguments: missing pack falls back quietly",
         {{"english.lng", Pack("English", "5.0")}},
         std::nullopt,
         2,
         std::nullopt,
         true,
         true,
         0,
         {},
         std::nullopt,
         "English cancel"},
        {"arguments: damaged pack counts as loaded",
         {{"greek.lng", kDamaged}},
         std::nullopt,
         2,
         std::nullopt,
         true,
         true,
         2,
         {},
         std::nullopt,
         ""},
        {"arguments: missing pack chosen from the menu",
         {},
         Pack("English", current),
         0,
         2,
         true,
         false,
         0,
         {},
         std::nullopt,
         "English cancel"},
        {"arguments: a choice from the menu is version-checked",
         {{"greek.lng", Pack("Greek", "")}},
         Pack("English", current),
         0,
         2,
         true,
         true,
         2,
         {},
         std::string("Language pack is obsolete.\nPlease download its newer version from Glyphora web page."),
         "Greek cancel"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const testing::TempFolder folder;
        for (const auto& [name, content] : c.files) {
            std::ofstream out(folder.path() / name, std::ios::binary);
            out << content;
        }
        ReleaseLanguagePack();
        if (c.packInUse) {
            std::vector<PackProblem> problems;
            InstallLanguagePack(LanguagePack::Parse(*c.packInUse, problems));
        }

        const LanguageSwitchResult result = SwitchLanguage({c.current, c.chosen, c.withArguments, folder.path()});

        const std::string dir = (folder.path() / "").string();
        std::vector<LanguageMessage> expected;
        for (std::string text : c.messages) {
            for (std::size_t at = text.find("{dir}"); at != std::string::npos; at = text.find("{dir}"))
                text.replace(at, 5, dir);
            expected.push_back({text, MessageIcon::Error});
        }
        EXPECT_EQ(result.loaded, c.loaded);
        EXPECT_EQ(result.language, c.language);
        EXPECT_EQ(result.loadMessages, expected);
        if (c.warning) {
            ASSERT_TRUE(result.versionWarning.has_value());
            EXPECT_EQ(result.versionWarning->text, *c.warning);
            EXPECT_EQ(result.versionWarning->icon, MessageIcon::Warning);
        } else {
            EXPECT_FALSE(result.versionWarning.has_value()) << result.versionWarning->text;
        }
        EXPECT_EQ(LanguagePackLoaded(), !c.cancelAfter.empty());
        EXPECT_EQ(LangString(1), c.cancelAfter);
    }
}

TEST_F(LanguageSwitchTest, SwitchesThroughTheShippedPacks)
{
    const std::filesystem::path shipped = GLYPHORA_SOURCE_DIR "/i18n/packs";
    int current = 0;
    for (int language : {0, 1, 2, 3, 4, 5, 0}) {
        const LanguageSwitchResult result = SwitchLanguage({current, language, false, shipped});
        EXPECT_TRUE(result.loaded) << language;
        EXPECT_EQ(result.language, language);
        EXPECT_TRUE(result.loadMessages.empty()) << language;
        EXPECT_FALSE(result.versionWarning.has_value()) << language;
        EXPECT_FALSE(LangString(900).empty()) << language;
        current = result.language;
    }
    EXPECT_EQ(LangString(900), "Language");
}

TEST(LanguageSwitch, CheckMarkGoesToEnglishOutsideTheTable)
{
    const std::pair<int, int> cases[] = {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 0}, {-1, 0}, {99, 0}};
    for (const auto& [language, item] : cases)
        EXPECT_EQ(CheckedLanguageItem(language), item) << language;
}

} // namespace
} // namespace glyphora
