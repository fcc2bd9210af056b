// The icon extraction service: choice of the best image, .ico files, module groups (through
// an in-memory module), and what counts as a file with icons.
#include "iconengine/IconExtraction.h"

#include "platform/Files.h"
#include "formats/IconChoice.h"
#include "formats/ModuleResources.h"
#include "tests/formats/IconTestImages.h"

#include <gtest/gtest.h>

#include <map>

namespace glyphora {
namespace {

using namespace testimages;

struct Available {
    int width, height, bitCount;
};

struct ChoiceCase {
    std::vector<Available> images;
    int size;
    int chosen; // index, -1 for none
};

class BestImage : public ::testing::TestWithParam<ChoiceCase> {};

std::uint32_t MarkerColor(int index)
{
    return 0x102030u * static_cast<std::uint32_t>(index + 1);
}

// Every image is a uniform colour of its own, so the colour of the result tells which one
// was chosen, scaled or not.
TEST_P(BestImage, IsChosenFromTheImagesOwnHeaders)
{
    const ChoiceCase& c = GetParam();
    std::vector<IcoEntry> entries;
    std::vector<std::optional<IconImageInfo>> infos;
    for (std::size_t i = 0; i < c.images.size(); ++i) {
        const Available& a = c.images[i];
        IcoEntry e;
        e.image = UniformDib(a.width, a.height, MarkerColor(static_cast<int>(i)), a.bitCount);
        e.width = 1; // directory sizes are wrong on purpose: only the image headers count
        e.height = 1;
        entries.push_back(e);
        infos.push_back(IconImageInfo{a.width, a.height, a.bitCount, false});
    }
    const auto ranked = RankIconImages(infos, c.size);
    ASSERT_FALSE(ranked.empty());
    EXPECT_EQ(static_cast<int>(ranked.front()), c.chosen);

    const IconHandle icon = IconFromIcoBytes(MakeIco(entries), c.size);
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.width, c.size);
    EXPECT_EQ(icon.height, c.size);
    EXPECT_EQ(icon.color->at(c.size / 2, c.size / 2), MarkerColor(c.chosen));
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, BestImage,
    ::testing::Values(ChoiceCase{{{16, 16, 8}, {32, 32, 4}, {32, 32, 24}, {48, 48, 32}}, 32, 2}, // exact, deeper wins
                      ChoiceCase{{{16, 16, 8}, {32, 32, 4}, {32, 32, 24}, {48, 48, 32}}, 16, 0}, // exact
                      ChoiceCase{
                          {{16, 16, 8}, {48, 48, 4}, {64, 64, 24}, {48, 48, 8}}, 32, 3}, // nearest larger, deeper
                      ChoiceCase{{{16, 16, 8}, {20, 20, 24}, {24, 24, 4}}, 32, 2},       // nearest smaller
                      ChoiceCase{{{16, 16, 24}, {24, 24, 8}, {24, 24, 8}}, 32, 1},       // full tie: first entry
                      ChoiceCase{{{8, 8, 32}, {256, 256, 32}}, 48, 1},                   // larger beats smaller
                      ChoiceCase{{{32, 16, 24}, {32, 32, 1}}, 32, 1}));                  // only square is exact

TEST(RankIconImages, SkipsImagesWithoutAHeader)
{
    const std::vector<std::optional<IconImageInfo>> infos = {std::nullopt, IconImageInfo{16, 16, 8, false},
                                                             std::nullopt};
    EXPECT_EQ(RankIconImages(infos, 32), std::vector<std::size_t>{1});
    EXPECT_TRUE(RankIconImages(std::vector<std::optional<IconImageInfo>>{std::nullopt}, 32).empty());
}

TEST(IconFromIcoBytes, PngEntryDecodesAndAFailingBestImageHandsOver)
{
    const Bytes png = MakePng(32, 32, std::vector<std::uint32_t>(32 * 32, 0xFF00AA00), true);
    const IconHandle fromPng =
        IconFromIcoBytes(MakeIco({Entry(png, 32, 32), Entry(UniformDib(16, 16, 0xFF), 16, 16)}), 32);
    ASSERT_FALSE(fromPng.isNull());
    EXPECT_EQ(fromPng.color->at(5, 5), 0x00AA00u);

    // The 32 x 32 image has a sound header but its rows are cut off: the 16 x 16 one serves.
    Bytes cut = UniformDib(32, 32, 0xFF0000);
    cut.resize(200);
    const IconHandle fallback =
        IconFromIcoBytes(MakeIco({Entry(cut, 32, 32), Entry(UniformDib(16, 16, 0xFF), 16, 16)}), 32);
    ASSERT_FALSE(fallback.isNull());
    EXPECT_EQ(fallback.width, 32);
    EXPECT_EQ(fallback.color->at(0, 0), 0x0000FFu);
}

// An in-memory module: group icon and icon resources by name.
class FakeModule : public ModuleResources {
public:
    std::vector<ResourceName> groups;
    std::map<std::string, Bytes> groupBytes; // by name text, or "#id"
    std::map<std::uint16_t, Bytes> images;
    mutable int imageLookups = 0;

    static std::string Key(const ResourceName& n) { return n.isString ? n.text : "#" + std::to_string(n.id); }

    std::vector<ResourceName> EnumNames(ResourceType type) const override
    {
        return type == ResourceType::GroupIcon ? groups : std::vector<ResourceName>{};
    }
    std::optional<std::vector<std::uint8_t>> Find(ResourceType type, const ResourceName& name) const override
    {
        if (type == ResourceType::GroupIcon) {
            auto it = groupBytes.find(Key(name));
            if (it == groupBytes.end()) return std::nullopt;
            return it->second;
        }
        ++imageLookups;
        if (name.isString) return std::nullopt;
        auto it = images.find(name.id);
        if (it == images.end()) return std::nullopt;
        return it->second;
    }
    std::size_t Count(ResourceType type) const override { return EnumNames(type).size(); }
};

FakeModule ThreeGroupModule()
{
    FakeModule m;
    m.groups = {ResourceName{true, "MAIN", 0}, ResourceName{false, {}, 1}, ResourceName{false, {}, 2}};
    m.images[1] = UniformDib(16, 16, 0xFF0000);
    m.images[2] = UniformDib(32, 32, 0x00FF00);
    m.images[3] = UniformDib(48, 48, 0x0000FF);
    m.groupBytes["MAIN"] = MakeGroup({1, 2});
    m.groupBytes["#1"] = MakeGroup({3});
    m.groupBytes["#2"] = MakeGroup({99}); // names an image that does not exist
    return m;
}

TEST(ExtractModuleIcons, OneIconPerGroupInOrderAndFailedGroupsKeepTheirPlace)
{
    const FakeModule m = ThreeGroupModule();
    const auto icons = ExtractModuleIcons(m, 32, 0, 100);
    ASSERT_EQ(icons.size(), 3u);
    ASSERT_FALSE(icons[0].isNull());
    EXPECT_EQ(icons[0].color->at(0, 0), 0x00FF00u);
    ASSERT_FALSE(icons[1].isNull());
    EXPECT_EQ(icons[1].width, 32);
    EXPECT_EQ(icons[1].color->at(31, 31), 0x0000FFu);
    EXPECT_TRUE(icons[2].isNull());

    const auto small = ExtractModuleIcons(m, 16, 0, 1);
    ASSERT_EQ(small.size(), 1u);
    EXPECT_EQ(small[0].color->at(0, 0), 0xFF0000u);

    const auto second = ExtractModuleIcons(m, 16, 1, 1);
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ(second[0].width, 16);
    EXPECT_EQ(second[0].color->at(0, 0), 0x0000FFu);

    EXPECT_TRUE(ExtractModuleIcons(m, 16, 3, 1).empty());
    EXPECT_TRUE(ExtractModuleIcons(m, 16, -1, 2).empty());
}

TEST(ExtractModuleIcons, GroupCountIsCappedByTheResourceSize)
{
    FakeModule m;
    m.groups = {ResourceName{false, {}, 7}};
    m.images[5] = UniformDib(16, 16, 0x123456);
    m.groupBytes["#7"] = MakeGroup({5}, 0xFFFF); // claims 65535 entries, holds one
    const auto icons = ExtractModuleIcons(m, 16, 0, 1);
    ASSERT_EQ(icons.size(), 1u);
    ASSERT_FALSE(icons[0].isNull());
    EXPECT_EQ(icons[0].color->at(3, 3), 0x123456u);
    EXPECT_LE(m.imageLookups, 2); // one header look, one decode
}

class IconFiles : public ::testing::Test {
protected:
    std::filesystem::path dir;
    void SetUp() override
    {
        dir = std::filesystem::temp_directory_path() /
              ("glyphora_icon_files_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::filesystem::path Write(const std::string& name, const Bytes& bytes)
    {
        WriteWholeFile(dir / name, bytes);
        return dir / name;
    }
};

TEST_F(IconFiles, IcoFileGivesOneIconWhateverTheExtensionCase)
{
    const Bytes ico =
        MakeIco({Entry(UniformDib(16, 16, 0xABCDEF), 16, 16), Entry(UniformDib(32, 32, 0x00FF00), 32, 32)});
    for (const char* name : {"a.ico", "B.ICO", "c.Ico"}) {
        const auto path = Write(name, ico);
        EXPECT_EQ(CountFileIcons(path), 1) << name;
        EXPECT_TRUE(FileHasIcons(path)) << name;
        const auto large = ExtractFileIcons(path, kLargeIconSize);
        ASSERT_EQ(large.size(), 1u);
        EXPECT_EQ(large[0].color->at(0, 0), 0x00FF00u);
        const auto small = ExtractFileIcons(path, kSmallIconSize);
        ASSERT_EQ(small.size(), 1u);
        EXPECT_EQ(small[0].color->at(0, 0), 0xABCDEFu);
        EXPECT_TRUE(ExtractFileIcons(path, kSmallIconSize, 1, 1).empty());
    }
}

TEST_F(IconFiles, OtherFilesHaveNoIcons)
{
    const Bytes ico = MakeIco({Entry(UniformDib(16, 16, 0xABCDEF), 16, 16)});
    for (const auto& path : {Write("icon.bmp", ico), Write("noext", ico), Write("empty.ico", {}),
                             Write("cursor.ico",
                                   [&] {
                                       Bytes b = ico;
                                       b[2] = 2;
                                       return b;
                                   }()),
                             dir / "missing.ico"}) {
        EXPECT_EQ(CountFileIcons(path), 0) << path;
        EXPECT_FALSE(FileHasIcons(path)) << path;
        EXPECT_TRUE(ExtractFileIcons(path, 32).empty()) << path;
    }
}

TEST_F(IconFiles, DamagedIcoKeepsItsPlaceWithANullIcon)
{
    IcoEntry bad = Entry(UniformDib(16, 16, 0xABCDEF), 16, 16);
    bad.offsetOverride = 0x7FFFFFFF;
    const auto path = Write("bad.ico", MakeIco({bad}));
    EXPECT_EQ(CountFileIcons(path), 1);
    EXPECT_FALSE(FileHasIcons(path));
    const auto icons = ExtractFileIcons(path, 32);
    ASSERT_EQ(icons.size(), 1u);
    EXPECT_TRUE(icons[0].isNull());
}

} // namespace
} // namespace glyphora
