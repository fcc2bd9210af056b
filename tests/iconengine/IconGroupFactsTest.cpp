// Group names and image counts of a file's icons: the one-opening walk over a module agrees
// with the one-icon question the status bar asks, and the other kinds of file.
#include "iconengine/IconGroupFacts.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace glyphora {
namespace {

namespace fs = std::filesystem;

const fs::path kSample = GLYPHORA_BUILD_DIR "/samples/glyphora-sample.dll";
const fs::path kSampleIco = GLYPHORA_BUILD_DIR "/samples/glyphora-sample.ico";

TEST(IconGroupFacts, ModuleGroupsInDirectoryOrderAgreeWithTheOneIconCount)
{
    const struct {
        const char* name;
        int images;
    } expected[] = {{"FOLDER", 9}, {"MAINICON", 10}, {"ZSTAR", 4}, {"1", 1}, {"3", 4}, {"200", 4}};
    const std::vector<IconGroupFacts> facts = ReadIconGroupFacts(kSample, 7);
    ASSERT_EQ(facts.size(), 7u);
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(facts[static_cast<std::size_t>(i)].name, expected[i].name);
        EXPECT_EQ(facts[static_cast<std::size_t>(i)].imageCount, std::optional<int>(expected[i].images));
        EXPECT_EQ(GroupImageCount(kSample, i), facts[static_cast<std::size_t>(i)].imageCount);
    }
    // An icon past the last group is unreadable, in both questions, and never raises.
    EXPECT_EQ(facts[6].name, "");
    EXPECT_EQ(facts[6].imageCount, std::nullopt);
    EXPECT_EQ(GroupImageCount(kSample, 6), std::nullopt);
}

TEST(IconGroupFacts, OtherFiles)
{
    const testing::TempFolder tmp;
    const fs::path notAModule = tmp.path() / "broken.dll";
    std::ofstream(notAModule) << "not a module";

    const std::vector<IconGroupFacts> ico = ReadIconGroupFacts(kSampleIco, 1);
    ASSERT_EQ(ico.size(), 1u);
    EXPECT_EQ(ico[0].name, "glyphora-sample.ico");
    EXPECT_EQ(ico[0].imageCount, std::optional<int>(10));

    // A module that cannot be read counts no images, as the group extraction reports it.
    const std::vector<IconGroupFacts> broken = ReadIconGroupFacts(notAModule, 2);
    ASSERT_EQ(broken.size(), 2u);
    EXPECT_EQ(broken[1].name, "");
    EXPECT_EQ(broken[1].imageCount, std::optional<int>(0));
    EXPECT_EQ(GroupImageCount(notAModule, 1), broken[1].imageCount);

    EXPECT_TRUE(ReadIconGroupFacts(kSample, 0).empty());
}

} // namespace
} // namespace glyphora
