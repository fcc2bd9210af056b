// 16-bit NE modules as icon sources, over modules written by NeBuilder: the extraction
// service's icons in the table's order with the best image of each group, the groups written
// as .ico files and counted, and what a group naming a missing icon gives.
#include "iconengine/GroupIconFile.h"
#include "iconengine/IconExtraction.h"
#include "iconengine/IconGroupFacts.h"
#include "iconengine/IconSources.h"
#include "platform/Files.h"
#include "platform/GlyphoraError.h"
#include "tests/formats/IconTestImages.h"
#include "tests/support/NeBuilder.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

namespace glyphora {
namespace {

namespace fs = std::filesystem;
using namespace testimages;

const Bytes kRed16 = UniformDib(16, 16, 0xFF0000, 4);
const Bytes kGreen32 = UniformDib(32, 32, 0x00FF00);
const Bytes kBlue48 = UniformDib(48, 48, 0x0000FF);

// Groups 9 (16 and 32 pixels), "ALPHA" (48 pixels) and 2, which names an icon that is not there.
void WriteModule(const fs::path& path)
{
    testing::NeBuilder b;
    b.addIconGroup(9, MakeIco({Entry(kRed16, 16, 16), Entry(kGreen32, 32, 32)}))
        .addIconGroup("ALPHA", MakeIco({Entry(kBlue48, 48, 48)}))
        .addResource(14, 2, MakeGroup({99}));
    b.writeTo(path);
}

// The images of an .ico file, in directory order.
std::vector<Bytes> IcoImages(const Bytes& ico)
{
    const auto u32 = [&](std::size_t at) {
        return static_cast<std::uint32_t>(ico[at] | (ico[at + 1] << 8) | (ico[at + 2] << 16) | (ico[at + 3] << 24));
    };
    std::vector<Bytes> images;
    for (std::size_t i = 0; i < static_cast<std::size_t>(ico[4] | (ico[5] << 8)); ++i) {
        const std::size_t entry = 6 + 16 * i;
        images.emplace_back(ico.begin() + u32(entry + 12), ico.begin() + u32(entry + 12) + u32(entry + 8));
    }
    return images;
}

TEST(NeModuleIcons, OneIconPerGroupInTableOrderWithTheBestImage)
{
    const testing::TempFolder tmp;
    for (const char* name : {"program.exe", "icons.ICL", "display.drv"}) {
        SCOPED_TRACE(name);
        const fs::path path = tmp.path() / name;
        WriteModule(path);
        EXPECT_EQ(CountFileIcons(path), 3);
        EXPECT_TRUE(FileHasIcons(path));

        const auto large = ExtractFileIcons(path, kLargeIconSize);
        ASSERT_EQ(large.size(), 3u);
        ASSERT_FALSE(large[0].isNull());
        EXPECT_EQ(large[0].width, 32);
        EXPECT_EQ(large[0].color->at(5, 5), 0x00FF00u);
        ASSERT_FALSE(large[1].isNull());
        EXPECT_EQ(large[1].width, 32) << "the 48-pixel image, scaled";
        EXPECT_EQ(large[1].color->at(5, 5), 0x0000FFu);
        EXPECT_TRUE(large[2].isNull()) << "a group without its image keeps its place";

        const auto small = ExtractFileIcons(path, kSmallIconSize, 0, 1);
        ASSERT_EQ(small.size(), 1u);
        EXPECT_EQ(small[0].color->at(5, 5), 0xFF0000u);
    }
}

TEST(NeModuleIcons, GroupsAreWrittenWithTheirImagesAndCounted)
{
    const testing::TempFolder tmp;
    const fs::path module = tmp.path() / "icons.icl";
    WriteModule(module);
    const fs::path dest = tmp.path() / "group.ico";

    int imageCount = -1;
    std::string errorText;
    ExtractIconGroup(module, dest, 0, imageCount, errorText);
    EXPECT_EQ(errorText, "");
    EXPECT_EQ(imageCount, 2);
    EXPECT_EQ(IcoImages(ReadWholeFile(dest)), (std::vector<Bytes>{kRed16, kGreen32}));

    ExtractIconGroup(module, dest, 1, imageCount, errorText);
    EXPECT_EQ(IcoImages(ReadWholeFile(dest)), std::vector<Bytes>{kBlue48});

    const fs::path missing = tmp.path() / "missing.ico";
    ExtractIconGroup(module, missing, 2, imageCount, errorText);
    EXPECT_EQ(imageCount, 1);
    EXPECT_EQ(errorText, UnableToReadText("2", module, false));
    EXPECT_FALSE(fs::exists(missing));
    EXPECT_THROW(ExtractIconGroup(module, missing, 3, imageCount, errorText), GlyphoraError);

    const std::vector<IconGroupFacts> facts = ReadIconGroupFacts(module, 3);
    ASSERT_EQ(facts.size(), 3u);
    EXPECT_EQ(facts[0].name, "9");
    EXPECT_EQ(facts[1].name, "ALPHA");
    EXPECT_EQ(facts[2].name, "2");
    EXPECT_EQ(facts[0].imageCount, std::optional<int>(2));
    EXPECT_EQ(facts[1].imageCount, std::optional<int>(1));
    EXPECT_EQ(GroupImageCount(module, 1), std::optional<int>(1));
}

} // namespace
} // namespace glyphora
