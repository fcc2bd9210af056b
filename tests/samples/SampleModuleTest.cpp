// Checks the bundled sample (the .ico files drawn by glyphora-iconart and the two DLLs built
// from them) with an independent reader, icoutils: every group holds exactly the images the
// sample promises, in both PE layouts, and the bitmap images keep the fields other tests use.
#include "formats/ByteReader.h"

#include "tests/support/RunTool.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace glyphora {
namespace {

namespace fs = std::filesystem;

struct ImageInfo {
    int size = 0;
    int bits = 0;
    bool operator==(const ImageInfo&) const = default;
};

void PrintTo(const ImageInfo& image, std::ostream* os)
{
    *os << image.size << "x" << image.size << "@" << image.bits;
}

struct SampleGroup {
    const char* name; // as wrestool names the group
    const char* file; // the .ico it was built from
    std::vector<ImageInfo> images;
};

std::vector<ImageInfo> classicSet()
{
    std::vector<ImageInfo> images;
    for (int bits : {4, 8, 32})
        for (int size : {16, 32, 48})
            images.push_back({size, bits});
    return images;
}

// Groups in resource directory order: string names sorted, then numbers ascending.
const std::vector<SampleGroup>& sampleGroups()
{
    static const std::vector<SampleGroup> groups = [] {
        std::vector<ImageInfo> main = classicSet();
        main.push_back({256, 32});
        return std::vector<SampleGroup>{
            {"FOLDER", "folder.ico", classicSet()},
            {"MAINICON", "mainicon.ico", main},
            {"ZSTAR", "star.ico", {{48, 32}, {32, 32}, {16, 32}, {32, 4}}},
            {"1", "document.ico", {{32, 4}}},
            {"3", "gear.ico", {{16, 8}, {32, 8}, {48, 8}, {32, 32}}},
            {"200", "magnifier.ico", {{16, 4}, {32, 4}, {16, 32}, {32, 32}}},
        };
    }();
    return groups;
}

const fs::path kSampleDir = fs::path(GLYPHORA_BUILD_DIR) / "samples";
const fs::path kArtDir = kSampleDir / "art";

// The full path of an icoutils program, or empty when it is not installed.
std::string toolPath(const std::string& name)
{
    if (fs::exists("/usr/bin/" + name)) return "/usr/bin/" + name;
    if (const char* path = std::getenv("PATH")) {
        std::stringstream dirs(path);
        for (std::string dir; std::getline(dirs, dir, ':');)
            if (!dir.empty() && fs::exists(fs::path(dir) / name)) return (fs::path(dir) / name).string();
    }
    return {};
}

using CommandResult = glyphora::testing::ToolResult;

CommandResult run(const std::string& command)
{
    return glyphora::testing::RunTool(command);
}

std::string quoted(const fs::path& path)
{
    return "'" + path.string() + "'";
}

// The images `icotool -l` reports for an .ico file, in directory order.
std::vector<ImageInfo> icotoolImages(const std::string& icotool, const fs::path& ico)
{
    const CommandResult listed = run(icotool + " -l " + quoted(ico));
    EXPECT_EQ(listed.status, 0) << listed.output;
    std::vector<ImageInfo> images;
    const std::regex line(R"(--width=(\d+) --height=(\d+) --bit-depth=(\d+))");
    for (std::sregex_iterator it(listed.output.begin(), listed.output.end(), line), end; it != end; ++it) {
        EXPECT_EQ((*it)[1], (*it)[2]) << "sample icons are square";
        images.push_back({std::stoi((*it)[1]), std::stoi((*it)[3])});
    }
    return images;
}

std::vector<std::uint8_t> readBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(SampleIconFiles, IcotoolListsThePromisedImages)
{
    const std::string icotool = toolPath("icotool");
    ASSERT_FALSE(icotool.empty()) << "icotool is missing: run scripts/install-deps.sh (Debian package icoutils)";
    for (const SampleGroup& group : sampleGroups()) {
        SCOPED_TRACE(group.file);
        EXPECT_EQ(icotoolImages(icotool, kArtDir / group.file), group.images);
    }
    EXPECT_EQ(icotoolImages(icotool, kSampleDir / "glyphora-sample.ico"), sampleGroups()[1].images);
}

// Bitmap images state their real data size in biSizeImage (so a writer that resets it shows),
// use a double-height header, and only the 256 x 256 image is a PNG stream.
TEST(SampleIconFiles, ImagesKeepTheirPromisedLayout)
{
    for (const SampleGroup& group : sampleGroups()) {
        SCOPED_TRACE(group.file);
        const std::vector<std::uint8_t> bytes = readBytes(kArtDir / group.file);
        const ByteReader ico(bytes);
        ASSERT_EQ(ico.u16(4), group.images.size());
        for (std::size_t i = 0; i < group.images.size(); ++i) {
            SCOPED_TRACE("image " + std::to_string(i));
            const int size = group.images[i].size, bits = group.images[i].bits;
            const auto length = ico.u32(6 + 16 * i + 8), offset = ico.u32(6 + 16 * i + 12);
            ASSERT_TRUE(length && offset);
            const auto image = ico.slice(*offset, *length);
            ASSERT_TRUE(image);
            const ByteReader data(*image);
            if (size == 256) {
                EXPECT_EQ(data.u32(0), 0x474E5089u) << "the 256 x 256 image is a PNG stream";
                continue;
            }
            const std::uint64_t rowXor =
                (static_cast<std::uint64_t>(size) * static_cast<std::uint64_t>(bits) + 31) / 32 * 4;
            const std::uint64_t rowAnd = (static_cast<std::uint64_t>(size) + 31) / 32 * 4;
            const std::uint64_t pixelBytes = (rowXor + rowAnd) * static_cast<std::uint64_t>(size);
            const std::uint64_t paletteBytes = bits <= 8 ? (std::uint64_t{4} << bits) : 0;
            EXPECT_EQ(data.u32(0), 40u);
            EXPECT_EQ(data.i32(8), 2 * size);
            EXPECT_EQ(data.u32(20), pixelBytes);
            EXPECT_EQ(*length, 40 + paletteBytes + pixelBytes);
        }
    }
}

TEST(SampleIconFiles, SingleImageDocumentAndBundledIcoCopy)
{
    // 6-byte directory + 16-byte entry + a 744-byte 4-bit 32 x 32 image.
    EXPECT_EQ(fs::file_size(kArtDir / "document.ico"), 766u);
    EXPECT_EQ(readBytes(kSampleDir / "glyphora-sample.ico"), readBytes(kArtDir / "mainicon.ico"));
}

struct ModuleVariant {
    const char* file;
    std::uint16_t optionalHeaderMagic; // 0x10B PE32, 0x20B PE32+
};

void PrintTo(const ModuleVariant& variant, std::ostream* os)
{
    *os << variant.file;
}

class SampleModule : public ::testing::TestWithParam<ModuleVariant> {
protected:
    fs::path module() const { return kSampleDir / GetParam().file; }
};

TEST_P(SampleModule, HasTheExpectedPeLayout)
{
    const std::vector<std::uint8_t> bytes = readBytes(module());
    const ByteReader pe(bytes);
    const auto header = pe.u32(0x3C);
    ASSERT_TRUE(header);
    EXPECT_EQ(pe.u32(*header), 0x00004550u) << "PE signature";
    EXPECT_EQ(pe.u16(*header + 24), GetParam().optionalHeaderMagic);
}

TEST_P(SampleModule, ListsEveryGroupInDirectoryOrder)
{
    const std::string wrestool = toolPath("wrestool");
    ASSERT_FALSE(wrestool.empty()) << "wrestool is missing: run scripts/install-deps.sh (Debian package icoutils)";
    const CommandResult listed = run(wrestool + " -l " + quoted(module()));
    ASSERT_EQ(listed.status, 0) << listed.output;

    std::vector<std::string> groups;
    const std::regex groupLine(R"(--type=14 --name='?([^' ]+)'?)");
    for (std::sregex_iterator it(listed.output.begin(), listed.output.end(), groupLine), end; it != end; ++it)
        groups.push_back((*it)[1]);
    std::vector<std::string> expected;
    std::size_t imageCount = 0;
    for (const SampleGroup& group : sampleGroups()) {
        expected.push_back(group.name);
        imageCount += group.images.size();
    }
    EXPECT_EQ(groups, expected);

    const std::regex imageLine(R"(--type=3 )");
    EXPECT_EQ(static_cast<std::size_t>(std::distance(
                  std::sregex_iterator(listed.output.begin(), listed.output.end(), imageLine), std::sregex_iterator())),
              imageCount);
}

TEST_P(SampleModule, EachGroupHoldsItsImages)
{
    const std::string wrestool = toolPath("wrestool"), icotool = toolPath("icotool");
    ASSERT_FALSE(wrestool.empty() || icotool.empty())
        << "icoutils is missing: run scripts/install-deps.sh (Debian package icoutils)";
    const fs::path out = fs::temp_directory_path() /
                         ("glyphora-sample-test-" + std::to_string(::getpid()) + "-" + GetParam().file + ".ico");
    for (const SampleGroup& group : sampleGroups()) {
        SCOPED_TRACE(group.name);
        const CommandResult extracted =
            run(wrestool + " -x --type=14 --name=" + group.name + " -o " + quoted(out) + " " + quoted(module()));
        ASSERT_EQ(extracted.status, 0) << extracted.output;
        EXPECT_EQ(icotoolImages(icotool, out), group.images);
        // The group rebuilt from the module starts byte for byte with the .ico it was compiled
        // from (wrestool may append a few bytes of padding after the last image).
        const std::vector<std::uint8_t> rebuilt = readBytes(out), original = readBytes(kArtDir / group.file);
        ASSERT_GE(rebuilt.size(), original.size());
        EXPECT_TRUE(std::equal(original.begin(), original.end(), rebuilt.begin()));
    }
    fs::remove(out);
}

INSTANTIATE_TEST_SUITE_P(SampleBothPeLayouts, SampleModule,
                         ::testing::Values(ModuleVariant{"glyphora-sample.dll", 0x20B},
                                           ModuleVariant{"glyphora-sample32.dll", 0x10B}),
                         [](const auto& info) {
                             return info.param.optionalHeaderMagic == 0x20B ? "Pe32Plus" : "Pe32";
                         });

} // namespace
} // namespace glyphora
