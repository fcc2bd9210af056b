// Tests of the language table, the pack folder and the version comparison of packs.
#include "i18n/Languages.h"

#include "platform/Files.h"

#include <gtest/gtest.h>

namespace glyphora {
namespace {

TEST(Languages, CompareVersionsPartByPart)
{
    struct Case {
        const char* a;
        const char* b;
        int expected;
    };
    const Case cases[] = {
        {"5.1.0.2", "5.1.0.10", -1}, // numeric, not textual
        {"5.1.0.2", "5.1", 0},       // B runs out: the missing parts compare as 0
        {"5.1.0.2", "5.0.9.9", 1},
        {"5.1.0.2", "5.1.0.2", 0},
        {"5.1.0.2", "5.1.0.1", 1},
        {"5.1.0.2", "5.1.1.0", -1},
        {"5.1.0.2", "6", -1},
        {"5.1", "5.1.0.9", 0}, // the walk ends when A runs out
        {"10", "9", 1},
        {"5.1.0.2", "", 0},
        {"", "5", 0},
        {"5.x.1", "5.y.0", 1}, // a part that is no number gives 0 and the walk goes on
        {"a", "b", 0},
        {"5.-1", "5.1", -1},         // signed parts are integers
        {"5.99999999999", "5.1", 0}, // out of the integer range: not a number
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CompareVersions(c.a, c.b), c.expected) << c.a << " vs " << c.b;
    }
}

TEST(Languages, FileNameOfEachIndex)
{
    struct Case {
        int index;
        const char* file;
    };
    const Case cases[] = {
        {0, "english.lng"}, {1, "ukrainian.lng"}, {2, "greek.lng"},   {3, "romanian.lng"},   {4, "italian.lng"},
        {5, "polish.lng"},  {-1, "english.lng"},  {6, "english.lng"}, {1000, "english.lng"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LanguageFileName(c.index), c.file) << c.index;
}

TEST(Languages, CodeOfEachIndex)
{
    const std::pair<int, const char*> cases[] = {{0, "en"}, {1, "uk"}, {2, "el"},  {3, "ro"},
                                                 {4, "it"}, {5, "pl"}, {-1, "en"}, {6, "en"}};
    for (const auto& [index, code] : cases)
        EXPECT_EQ(LanguageCode(index), code) << index;
}

TEST(Languages, PackFolderHoldsTheRunningProgram)
{
    const std::filesystem::path folder = PackFolder();
    EXPECT_TRUE(DirectoryExists(folder));
    EXPECT_TRUE(FileExists(folder / ProgramFilePath().filename()));
}

} // namespace
} // namespace glyphora
