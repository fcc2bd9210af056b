// Writing an icon as a single-image .ico file or into a stream, and the temporary-file helpers.
#include "iconengine/IconRendering.h"

#include "IconTestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

namespace glyphora {
namespace {

namespace fs = std::filesystem;
using testing::LE16;
using testing::LE32;
using Bytes = std::vector<std::uint8_t>;

IconHandle ColorIcon(int size, std::uint32_t fill, bool alpha = false)
{
    IconHandle icon;
    icon.width = icon.height = size;
    icon.color = Bitmap(size, size, 32, fill);
    icon.mask = Bitmap(size, size, 1, kBlack);
    icon.hasAlpha = alpha;
    return icon;
}

struct SavedIcon {
    int result = 0;
    Bytes bytes;
};

SavedIcon Save(const testing::ScratchDir& dir, const IconHandle& icon)
{
    const auto path = dir.path() / "icon.ico";
    SavedIcon s;
    s.result = SaveIconToFile(path, icon);
    s.bytes = testing::ReadBytes(path);
    return s;
}

// Checks the directory and header of a single-image file against the expected layout.
void ExpectLayout(const SavedIcon& s, int size, int bits, std::size_t infoSize, std::size_t colorRows,
                  std::size_t maskRows)
{
    const std::size_t total = 22 + infoSize + colorRows + maskRows;
    ASSERT_EQ(s.result, static_cast<int>(total));
    ASSERT_EQ(s.bytes.size(), total);
    EXPECT_EQ(Bytes(s.bytes.begin(), s.bytes.begin() + 6), (Bytes{0, 0, 1, 0, 1, 0}));
    EXPECT_EQ(s.bytes[6], static_cast<std::uint8_t>(size));
    EXPECT_EQ(s.bytes[7], static_cast<std::uint8_t>(size));
    EXPECT_EQ(s.bytes[8], bits < 8 ? 1 << bits : 0);
    EXPECT_EQ(s.bytes[9], 0);
    EXPECT_EQ(LE16(s.bytes, 10), 1u);
    EXPECT_EQ(LE16(s.bytes, 12), static_cast<std::uint32_t>(bits));
    EXPECT_EQ(LE32(s.bytes, 14), total - 22);
    EXPECT_EQ(LE32(s.bytes, 18), 22u);
    EXPECT_EQ(LE32(s.bytes, 22), 40u);
    EXPECT_EQ(LE32(s.bytes, 26), static_cast<std::uint32_t>(size));
    EXPECT_EQ(LE32(s.bytes, 30), static_cast<std::uint32_t>(2 * size));
    EXPECT_EQ(LE16(s.bytes, 36), static_cast<std::uint32_t>(bits));
    EXPECT_EQ(LE32(s.bytes, 42), colorRows); // biSizeImage stays the colour rows' size
}

TEST(SaveIconToFileTest, AlphaIconIs32Bits)
{
    testing::ScratchDir dir;
    IconHandle icon = ColorIcon(48, 0x80FF0000u, true);
    icon.mask.at(0, 47) = kWhite; // bottom-left: first bit of the first stored mask row
    const auto s = Save(dir, icon);
    ExpectLayout(s, 48, 32, 40, 9216, 384);
    EXPECT_EQ(s.result, 9662);
    EXPECT_EQ(Bytes(s.bytes.begin() + 62, s.bytes.begin() + 66), (Bytes{0x00, 0x00, 0xFF, 0x80}));
    EXPECT_EQ(s.bytes[62 + 9216], 0x80);
    EXPECT_EQ(s.bytes[62 + 9216 + 1], 0x00);
}

TEST(SaveIconToFileTest, Class1IsFourBits)
{
    testing::ScratchDir dir;
    IconHandle icon = ColorIcon(16, kBlack);
    icon.color->at(5, 5) = 0x800000;
    const auto s = Save(dir, icon);
    ExpectLayout(s, 16, 4, 104, 128, 64);
    EXPECT_EQ(s.result, 318);
    EXPECT_EQ(LE32(s.bytes, 22 + 32), 16u);
    for (std::size_t i = 0; i < 16; ++i)
        EXPECT_EQ(LE32(s.bytes, 62 + 4 * i), VgaPalette()[i]) << i;
}

TEST(SaveIconToFileTest, Class2UsesTheStandardPalette)
{
    testing::ScratchDir dir;
    const auto s = Save(dir, ColorIcon(32, 0x3C6E91));
    ExpectLayout(s, 32, 8, 1064, 1024, 128);
    EXPECT_EQ(s.result, 2238);
    for (std::size_t i = 0; i < 256; ++i)
        EXPECT_EQ(LE32(s.bytes, 62 + 4 * i), StandardPalette()[i]) << i;
}

TEST(SaveIconToFileTest, Size256IsStoredAsZero)
{
    testing::ScratchDir dir;
    const auto s = Save(dir, ColorIcon(256, 0x3C6E91, false));
    ExpectLayout(s, 256, 8, 1064, 256 * 256, 256 * 32);
    EXPECT_EQ(s.bytes[6], 0);
    EXPECT_EQ(s.bytes[7], 0);
    EXPECT_EQ(LE32(s.bytes, 30), 512u);
}

TEST(SaveIconToFileTest, MonochromeIconIsSplit)
{
    testing::ScratchDir dir;
    IconHandle icon;
    icon.width = icon.height = 32;
    icon.mask = Bitmap(32, 64, 1, kBlack);
    icon.mask.at(0, 31) = kWhite; // AND mask: bottom-left
    icon.mask.at(1, 63) = kWhite; // XOR image: bottom row, second pixel
    const auto s = Save(dir, icon);
    ExpectLayout(s, 32, 1, 48, 128, 128);
    EXPECT_EQ(s.result, 326);
    EXPECT_EQ(LE32(s.bytes, 62), 0x000000u);
    EXPECT_EQ(LE32(s.bytes, 66), 0xFFFFFFu);
    EXPECT_EQ(s.bytes[70], 0x40);       // first stored colour row
    EXPECT_EQ(s.bytes[70 + 128], 0x80); // first stored mask row
}

TEST(SaveIconToFileTest, FailureCodes)
{
    testing::ScratchDir dir;
    const auto path = dir.path() / "icon.ico";

    const fs::path shortName = "a.i";
    ASSERT_FALSE(fs::exists(shortName));
    EXPECT_EQ(SaveIconToFile(shortName, ColorIcon(16, kBlack)), -1);
    EXPECT_FALSE(fs::exists(shortName));

    EXPECT_EQ(SaveIconToFile(path, IconHandle{}), -2);

    IconHandle nothing;
    nothing.width = nothing.height = 16;
    EXPECT_EQ(SaveIconToFile(path, nothing), -3);

    IconHandle broken = ColorIcon(16, kBlack);
    broken.color->pixels.resize(10);
    std::vector<std::string> shown;
    EXPECT_EQ(SaveIconToFile(path, broken,
                             [&](std::string_view text, std::string_view caption) {
                                 shown.push_back(std::string(text) + "|" + std::string(caption));
                             }),
              -4);
    EXPECT_EQ(shown, (std::vector<std::string>{"GetObject did NOT work|ERROR GetObject"}));

    IconHandle noMask = ColorIcon(16, kBlack);
    noMask.mask = Bitmap();
    EXPECT_EQ(SaveIconToFile(path, noMask), -5);

    EXPECT_TRUE(dir.Names().empty());
    EXPECT_EQ(SaveIconToFile(dir.path() / "missing" / "icon.ico", ColorIcon(16, kBlack)), -6);
    EXPECT_TRUE(dir.Names().empty());
}

#ifndef _WIN32
TEST(SaveIconToFileTest, FailedWriteDeletesThePartialFile)
{
    testing::ScratchDir dir;
    const auto path = dir.path() / "icon.ico";
    for (rlim_t limit : {rlim_t{3}, rlim_t{30}, rlim_t{100}, rlim_t{197}}) {
        testing::FileSizeLimit cap(limit);
        EXPECT_EQ(SaveIconToFile(path, ColorIcon(16, kBlack)), -7) << limit;
        EXPECT_FALSE(fs::exists(path)) << limit;
    }
}
#endif

TEST(SaveIconToFileTest, ReplacesAnExistingFile)
{
    testing::ScratchDir dir;
    const auto path = dir.path() / "icon.ico";
    testing::WriteBytes(path, Bytes(5000, 0xAA));
    EXPECT_EQ(SaveIconToFile(path, ColorIcon(16, kBlack)), 22 + 48 + 64 + 64);
    EXPECT_EQ(fs::file_size(path), 198u);
}

TEST(MakeUniqueFileNameTest, CountsUpPastExistingFiles)
{
    testing::ScratchDir dir;
    EXPECT_EQ(MakeUniqueFileName(dir.path(), "qziff", "tmp"), "qziff");
    testing::WriteBytes(dir.path() / "qziff.tmp", Bytes{1});
    EXPECT_EQ(MakeUniqueFileName(dir.path(), "qziff", "tmp"), "qziff1");
    EXPECT_EQ(MakeUniqueFileName(dir.path() / "", "qziff", ".tmp"), "qziff1");
    fs::create_directory(dir.path() / "qziff1.tmp");
    EXPECT_EQ(MakeUniqueFileName(dir.path(), "qziff", "tmp"), "qziff2");
    EXPECT_EQ(MakeUniqueFileName(dir.path(), "sub/qziff.dat", "tmp"), "qziff2");
    EXPECT_EQ(MakeUniqueFileName(dir.path(), "qziff", "ico"), "qziff");
}

class TempFolderTest : public ::testing::Test {
protected:
    testing::ScratchDir dir;
    fs::path Make(const char* name)
    {
        fs::create_directory(dir.path() / name);
        return dir.path() / name;
    }
    static std::string WithSeparator(const fs::path& p) { return (p / "").string(); }
};

TEST_F(TempFolderTest, TmpThenTempThenSystem)
{
    const auto a = Make("a"), b = Make("b"), c = Make("c");
    const auto missing = dir.path() / "missing";
    {
        testing::EnvVar tmp("TMP", a.string()), temp("TEMP", b.string());
        EXPECT_EQ(GetTempDirectory().string(), WithSeparator(a));
    }
    {
        testing::EnvVar tmp("TMP", missing.string()), temp("TEMP", b.string());
        EXPECT_EQ(GetTempDirectory().string(), WithSeparator(b));
    }
    {
        testing::EnvVar tmp("TMP", ""), temp("TEMP", (b / "").string());
        EXPECT_EQ(GetTempDirectory().string(), WithSeparator(b));
    }
    {
        testing::EnvVar tmp("TMP", std::nullopt), temp("TEMP", missing.string()), tmpdir("TMPDIR", c.string());
        EXPECT_EQ(GetTempDirectory().string(), WithSeparator(c));
    }
    const auto folder = GetTempDirectory();
    EXPECT_TRUE(folder.is_absolute());
    EXPECT_FALSE(folder.has_filename()); // ends in a separator
}

TEST_F(TempFolderTest, StreamWriterLeavesTheTempFolderAlone)
{
    // The bytes are built in memory: a file and a planted link at the names a fixed scheme
    // would use stay as they are, and nothing is added to the folder.
    const auto temp = Make("temp");
    testing::EnvVar tmpVar("TMP", (dir.path() / "missing").string()), tempVar("TEMP", temp.string());
    testing::WriteBytes(temp / "qziff.tmp", Bytes{'o', 'l', 'd'});
    testing::WriteBytes(dir.path() / "victim", Bytes{'v'});
#ifndef _WIN32
    fs::create_symlink(dir.path() / "victim", temp / "qziff1.tmp");
#endif

    const IconHandle icon = ColorIcon(16, 0x3C6E91);
    const auto reference = dir.path() / "reference.ico";
    ASSERT_GT(SaveIconToFile(reference, icon), 0);
    std::ostringstream out;
    out << "abc";
    SaveIconToStream(out, icon);
    const Bytes expected = testing::ReadBytes(reference);
    EXPECT_EQ(out.str(), "abc" + std::string(expected.begin(), expected.end()));
    EXPECT_EQ(testing::ReadBytes(temp / "qziff.tmp"), (Bytes{'o', 'l', 'd'}));
    EXPECT_EQ(testing::ReadBytes(dir.path() / "victim"), Bytes{'v'});
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(temp))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
#ifndef _WIN32
    EXPECT_EQ(names, (std::vector<std::string>{"qziff.tmp", "qziff1.tmp"}));
#else
    EXPECT_EQ(names, std::vector<std::string>{"qziff.tmp"});
#endif
}

TEST_F(TempFolderTest, StreamUnchangedWhenTheIconCannotBeWritten)
{
    const auto temp = Make("temp");
    testing::EnvVar tmpVar("TMP", temp.string());
    std::ostringstream out;
    out << "abc";
    SaveIconToStream(out, IconHandle{});
    EXPECT_EQ(out.str(), "abc");
    EXPECT_TRUE(fs::is_empty(temp));
}

} // namespace
} // namespace glyphora
