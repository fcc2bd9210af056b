// Icon sets through glyphora-cli, read back by Pillow: the hicolor tree of a group holds
// exactly its square standard sizes, each picture's pixels (alpha included) equal the group
// image as Pillow decodes it from the icon file the module was built from, and PNG images are
// the module's bytes; the flat set names every image, with the depth where sizes repeat.
#include "export/IconSet.h"
#include "formats/ModuleResources.h"
#include "tests/app/cli/CliTestSupport.h"
#include "tests/support/PillowImages.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

namespace glyphora {
namespace {

using namespace glyphora::testing;
namespace fs = std::filesystem;

const fs::path kArt = kBuildDir / "samples" / "art";

// Every file below a folder, as paths relative to it, sorted.
std::vector<std::string> TreeFiles(const fs::path& root)
{
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file()) files.push_back(fs::relative(entry.path(), root).generic_string());
    std::sort(files.begin(), files.end());
    return files;
}

const RgbaPicture* FindImage(const std::vector<RgbaPicture>& images, int size, int bits)
{
    for (const auto& image : images)
        if (image.width == size && image.bitCount == bits) return &image;
    return nullptr;
}

TEST(IconSet, ThemeTreeHoldsTheGroupsSizesWithItsPixelsAndPngBytes)
{
    TempFolder dir;
    const fs::path tree = dir.path() / "hicolor";
    // Icon 2 is MAINICON: 16, 32 and 48 at 4, 8 and 32 bits, and a 256 PNG.
    const auto run = RunCli("-e " + ShellQuote(kSampleModule.string()) + " " + ShellQuote(tree.string()) +
                            " -icontheme -iconindex=2 -closewhendone");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(TreeFiles(tree),
              (std::vector<std::string>{"16x16/apps/glyphora-sample.png", "256x256/apps/glyphora-sample.png",
                                        "32x32/apps/glyphora-sample.png", "48x48/apps/glyphora-sample.png"}));

    const auto images = ReadIcoImagesWithPillow(kArt / "mainicon.ico");
    ASSERT_TRUE(images.front().error.empty()) << images.front().error;
    for (const int size : {16, 32, 48, 256}) {
        const fs::path file =
            tree / (std::to_string(size) + "x" + std::to_string(size)) / "apps" / "glyphora-sample.png";
        const RgbaPicture written = ReadPngWithPillow(file);
        const RgbaPicture* expected = FindImage(images, size, 32); // the deepest image of the size
        ASSERT_NE(expected, nullptr) << size;
        EXPECT_EQ(written.width, size) << written.error;
        EXPECT_EQ(written.rgba, expected->rgba) << size;
    }

    // The PNG image is the module's resource byte for byte.
    const auto module = ModuleResources::Open(kSampleModule);
    ASSERT_NE(module, nullptr);
    bool found = false;
    for (const auto& name : module->EnumNames(ResourceType::Icon)) {
        const auto bytes = module->Find(ResourceType::Icon, name);
        if (bytes && bytes->size() > 8 && (*bytes)[1] == 'P' && (*bytes)[2] == 'N' && (*bytes)[3] == 'G') {
            EXPECT_EQ(ReadFileText(tree / "256x256/apps/glyphora-sample.png"),
                      std::string(bytes->begin(), bytes->end()));
            found = true;
        }
    }
    EXPECT_TRUE(found);
}

TEST(IconSet, FlatSetNamesEveryImageWithItsDepthWhereSizesRepeat)
{
    TempFolder dir;
    const fs::path folder = dir.path() / "set";
    // Icon 3 is ZSTAR: 48, 32 and 16 at 32 bits, and 32 at 4 bits.
    const auto run = RunCli("-e " + ShellQuote(kSampleModule.string()) + " " + ShellQuote(folder.string()) +
                            " -iconset -iconindex=3 -iconname=Star -closewhendone");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(TreeFiles(folder), (std::vector<std::string>{"Star-16x16.png", "Star-32x32-32bit.png",
                                                           "Star-32x32-4bit.png", "Star-48x48.png"}));
    const auto images = ReadIcoImagesWithPillow(kArt / "star.ico");
    const RgbaPicture* fourBit = FindImage(images, 32, 4);
    ASSERT_NE(fourBit, nullptr) << images.front().error;
    const RgbaPicture written = ReadPngWithPillow(folder / "Star-32x32-4bit.png");
    EXPECT_EQ(written.mode, "RGBA");
    EXPECT_EQ(written.rgba, fourBit->rgba) << "the AND mask is the alpha of a 4-bit image";
}

TEST(IconSet, EveryIconGetsItsNumberAndAMissingIconIsAnError)
{
    TempFolder dir;
    const std::string source = ShellQuote(kSampleModule.string());
    const auto all = RunCli("-e " + source + " " + ShellQuote((dir.path() / "all").string()) +
                            " -icontheme -iconindex=0 -closewhendone");
    ASSERT_EQ(all.status, 0) << all.output;
    const auto files = TreeFiles(dir.path() / "all");
    for (int icon = 1; icon <= 6; ++icon)
        EXPECT_TRUE(std::any_of(files.begin(), files.end(), [&](const std::string& f) {
            return f.ends_with("/apps/glyphora-sample-" + std::to_string(icon) + ".png");
        })) << icon;
    // The document icon (4) holds a 32 x 32 image only.
    EXPECT_EQ(std::count_if(files.begin(), files.end(),
                            [](const std::string& f) { return f.ends_with("/glyphora-sample-4.png"); }),
              1);

    const auto missing = RunCli("-e " + source + " " + ShellQuote((dir.path() / "none").string()) +
                                " -iconset -iconindex=7 -closewhendone");
    EXPECT_NE(missing.status, 0);
    EXPECT_NE(missing.output.find("There is no icon 7"), std::string::npos) << missing.output;
    EXPECT_FALSE(fs::exists(dir.path() / "none"));
}

TEST(IconSet, NamesAreSafeForFilesAndIconThemes)
{
    const std::pair<const char*, const char*> cases[] = {
        {"notepad", "notepad"}, {"My App", "My-App"}, {"../../etc", "etc"}, {"a/b\\c", "a-b-c"},        {"", "icon"},
        {"...", "icon"},        {"x--y  z", "x-y-z"}, {"\xd0\x9f", "icon"}, {"v1.2_beta", "v1.2_beta"}, {"-rf", "rf"},
    };
    for (const auto& [text, safe] : cases)
        EXPECT_EQ(SafeIconName(text), safe) << text;
    EXPECT_EQ(DefaultIconSetName("/x/Some Program.EXE"), "some-program");
}

} // namespace
} // namespace glyphora
