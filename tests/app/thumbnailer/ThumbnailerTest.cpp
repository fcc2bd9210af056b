// glyphora-thumbnailer as a file manager runs it: the PNG it writes for the sample's first
// icon, read back by Pillow, equals the group's image pixel for pixel (alpha included) at
// every size that needs no scaling and is never scaled up; a PNG image comes out byte for
// byte; a larger image is scaled down to the size with its transparency. Bad input of every
// kind ends with a non-zero exit, one line on stderr and no output file.
#include "formats/ModuleResources.h"
#include "tests/app/cli/CliTestSupport.h"
#include "tests/support/PeBuilder.h"
#include "tests/support/PillowImages.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <fstream>

namespace glyphora {
namespace {

using namespace glyphora::testing;
namespace fs = std::filesystem;

const fs::path kFolderIco = kBuildDir / "samples" / "art" / "folder.ico";

SplitToolResult RunThumbnailer(const std::string& args)
{
    return RunToolSplit(ShellQuote(GLYPHORA_THUMBNAILER_PATH) + " " + args);
}

std::string Thumbnail(int size, const fs::path& input, const fs::path& output)
{
    return "-s " + std::to_string(size) + " " + ShellQuote(input.string()) + " " + ShellQuote(output.string());
}

struct SizeCase {
    int requested;
    int expected; // the group's image drawn: the smallest at least the size, else the largest
};

class ThumbnailSizes : public ::testing::TestWithParam<SizeCase> {};

TEST_P(ThumbnailSizes, FirstIconOfTheSampleIsTheGroupImagePixelForPixel)
{
    const SizeCase c = GetParam();
    TempFolder dir;
    // The input under another name and extension, as the sandbox binds it.
    const fs::path input = dir.path() / "gnome-desktop-file-to-thumbnail.bin";
    fs::copy_file(kSampleModule, input);
    const fs::path output = dir.path() / "out.png";
    const auto run = RunThumbnailer(Thumbnail(c.requested, input, output));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.err.empty()) << run.err;

    const RgbaPicture written = ReadPngWithPillow(output);
    ASSERT_TRUE(written.error.empty()) << written.error;
    EXPECT_EQ(written.mode, "RGBA");
    ASSERT_EQ(written.width, c.expected);
    ASSERT_EQ(written.height, c.expected);
    // The first group (FOLDER) is folder.ico; its deepest image of that size is the one drawn.
    const auto images = ReadIcoImagesWithPillow(kFolderIco);
    const auto expected = std::find_if(images.begin(), images.end(),
                                       [&](const RgbaPicture& p) { return p.width == c.expected && p.bitCount == 32; });
    ASSERT_NE(expected, images.end()) << images.front().error;
    EXPECT_EQ(written.rgba, expected->rgba);
    EXPECT_EQ(written.alphaAt(0, 0), 0) << "the folder's corner is transparent";
    EXPECT_EQ(FolderNames(dir.path()), (std::vector<std::string>{"gnome-desktop-file-to-thumbnail.bin", "out.png"}));
}

INSTANTIATE_TEST_SUITE_P(Sizes, ThumbnailSizes,
                         ::testing::Values(SizeCase{16, 16}, SizeCase{32, 32}, SizeCase{48, 48}, SizeCase{128, 48},
                                           SizeCase{256, 48}));

TEST(Thumbnailer, PngImageIsWrittenByteForByteAndScaledDownWithItsTransparency)
{
    TempFolder dir;
    const auto images = ReadIcoImagesWithPillow(kSampleIcon);
    ASSERT_TRUE(images.front().error.empty()) << images.front().error;

    // The icon file's 256 x 256 image is a PNG stream: at 256 it is the thumbnail as it is.
    const fs::path full = dir.path() / "256.png";
    auto run = RunThumbnailer(Thumbnail(256, kSampleIcon, full));
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string ico = ReadFileText(kSampleIcon);
    const std::string png = ReadFileText(full);
    ASSERT_GT(png.size(), 8u);
    EXPECT_NE(ico.find(png), std::string::npos) << "the PNG image is not in the icon file byte for byte";

    // At 100 it is the 256 image scaled down (no 100 image exists, and 48 is smaller).
    const fs::path scaled = dir.path() / "100.png";
    run = RunThumbnailer(Thumbnail(100, kSampleIcon, scaled));
    ASSERT_EQ(run.status, 0) << run.err;
    const RgbaPicture picture = ReadPngWithPillow(scaled);
    ASSERT_EQ(picture.width, 100) << picture.error;
    EXPECT_EQ(picture.height, 100);
    EXPECT_EQ(picture.alphaAt(0, 0), 0);
    EXPECT_EQ(picture.alphaAt(50, 50), 255);
}

TEST(Thumbnailer, BadInputFailsWithOneLineAndNoOutput)
{
    TempFolder dir;
    const fs::path empty = dir.path() / "empty.exe";
    std::ofstream(empty).close();
    const fs::path truncated = dir.path() / "truncated.dll";
    {
        const std::string bytes = ReadFileText(kSampleModule);
        std::ofstream(truncated, std::ios::binary) << bytes.substr(0, 1000);
    }
    const fs::path noIcons = dir.path() / "noicons.exe";
    {
        const auto bytes = PeBuilder(PeBuilder::Bits::Pe32Plus).build();
        std::ofstream(noIcons, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    const fs::path hostile = dir.path() / "hostile.ico"; // a directory listing an image far outside the file
    std::ofstream(hostile, std::ios::binary) << std::string("\0\0\1\0\1\0\x30\x30\0\0\1\0\x20\0\xff\xff\xff\x7f"
                                                            "\x16\0\0\0",
                                                            22);
    const fs::path huge = dir.path() / "huge.exe"; // 1 GB, sparse: no disk is used
    std::ofstream(huge).close();
    fs::resize_file(huge, 1ull << 30);
#ifndef _WIN32
    const fs::path pipe = dir.path() / "pipe.dll";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
#endif
    const fs::path folder = dir.path() / "folder.exe";
    fs::create_directory(folder);

    const fs::path out = dir.path() / "out" / "thumbnail.png";
    fs::create_directory(out.parent_path());
    const std::vector<std::string> cases = {
        Thumbnail(128, empty, out),
        Thumbnail(128, truncated, out),
        Thumbnail(128, noIcons, out),
        Thumbnail(128, hostile, out),
        Thumbnail(128, huge, out),
#ifndef _WIN32
        Thumbnail(128, pipe, out),
#endif
        Thumbnail(128, folder, out),
        Thumbnail(128, dir.path() / "missing.exe", out),
        Thumbnail(0, kSampleModule, out),
        "-s 12x " + ShellQuote(kSampleModule.string()) + " " + ShellQuote(out.string()),
        ShellQuote(kSampleModule.string()) + " " + ShellQuote(out.string()),
    };
    for (const std::string& args : cases) {
        const auto run = RunThumbnailer(args);
        EXPECT_NE(run.status, 0) << args;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << args << ": " << run.err;
        EXPECT_TRUE(run.out.empty()) << args;
        EXPECT_TRUE(FolderNames(out.parent_path()).empty()) << args;
    }
}

TEST(Thumbnailer, FailureLeavesAnExistingOutputAlone)
{
    TempFolder dir;
    const fs::path out = dir.path() / "thumbnail.png";
    std::ofstream(out) << "before";
    const fs::path empty = dir.path() / "empty.dll";
    std::ofstream(empty).close();
    EXPECT_NE(RunThumbnailer(Thumbnail(64, empty, out)).status, 0);
    EXPECT_EQ(ReadFileText(out), "before");
}

} // namespace
} // namespace glyphora
