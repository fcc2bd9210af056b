// The dBase table and memo file: header bytes, memo blocks, and an independent reader
// (Python's dbfread) returning one record per icon whose memo bytes equal our file image.
#include "export/DbaseExport.h"
#include "export/ImageWriters.h"
#include "export/SaveAll.h"
#include "export/SaveIcon.h"
#include "iconengine/IconRendering.h"
#include "tests/support/RunTool.h"
#include "tests/support/TestIcons.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace glyphora {
namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> ReadBytes(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return std::vector<std::uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::uint32_t U32At(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

TEST(DbaseHeaderTest, DateFieldNameAndLengths)
{
    std::tm date{};
    date.tm_year = 118;
    date.tm_mon = 2;
    date.tm_mday = 9;
    const auto h = DbaseTableHeader(date, "ICON");
    ASSERT_EQ(h.size(), 65u);
    EXPECT_EQ(h[0], 0x8B);
    EXPECT_EQ((std::vector<std::uint8_t>{h[1], h[2], h[3]}), (std::vector<std::uint8_t>{118, 3, 9}));
    EXPECT_EQ(U32At(h, 4), 0u) << "the record count is written last";
    EXPECT_EQ(h[8] | (h[9] << 8), 65);
    EXPECT_EQ(h[10] | (h[11] << 8), 11);
    EXPECT_EQ(h[29], 0x1B);
    EXPECT_EQ((std::vector<std::uint8_t>(h.begin() + 32, h.begin() + 43)),
              (std::vector<std::uint8_t>{0x49, 0x43, 0x4F, 0x4E, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(h[43], 'B');
    EXPECT_EQ(U32At(h, 44), 1u);
    EXPECT_EQ(h[48], 10);
    EXPECT_EQ(h[64], 0x0D);

    EXPECT_EQ(DbaseFieldName(""), "ICON");
    EXPECT_EQ(DbaseFieldName("ABCDEFGHIJKLM"), "ABCDEFGHIJ");
    EXPECT_EQ(DbaseFieldName("\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9"),
              "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9");

    const auto memo = DbaseMemoHeader("/x/MyIconTable.dbf");
    ASSERT_EQ(memo.size(), 1024u);
    EXPECT_EQ(U32At(memo, 0), 1u);
    EXPECT_EQ(std::string(memo.begin() + 8, memo.begin() + 16), "MYICONTA");
    EXPECT_EQ(memo[20] | (memo[21] << 8), 1024);
}

class DbaseExportTest : public ::testing::TestWithParam<OutputKind> {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() / ("glyphora-dbf-" + std::to_string(OutputKindCode(GetParam())));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        current_.fileName = "/W/app.exe";
        current_.icons = {testing::SolidIcon(32, 0xFF0000), testing::HalfTransparentIcon(32, 0x3C6E91),
                          testing::SolidIcon(32, 0x00FF00)};
    }
    void TearDown() override { fs::remove_all(dir_); }

    // The file image each memo must hold.
    std::string Expected(std::size_t i) const
    {
        std::ostringstream s;
        if (GetParam() == OutputKind::Icon)
            SaveIconToStream(s, current_.icons[i]);
        else
            SaveBitmapToStream(RenderIconOnWhite(current_.icons[i], 32, 32, false), s, GetParam());
        return s.str();
    }

    fs::path dir_;
    CurrentIcons current_;
};

TEST_P(DbaseExportTest, TableAndMemoHoldOneRecordPerIcon)
{
    SaveAllRequest request;
    request.fileType = OutputKind::Dbase;
    request.dbfType = GetParam();
    request.destDir = dir_;
    request.destFileName = dir_ / "icons"; // no extension: ".dbf" is added
    int count = 0;
    DialogAnswer confirm = DialogAnswer::None;
    SaveAll(current_, request, count, confirm);
    ASSERT_EQ(count, 3);

    const auto table = ReadBytes(dir_ / "icons.dbf");
    ASSERT_EQ(table.size(), 65u + 3 * 11 + 1);
    EXPECT_EQ(U32At(table, 4), 3u);
    EXPECT_EQ(table.back(), 0x1A);

    // Memos start at block boundaries in icon order; each record names its block.
    const auto memo = ReadBytes(dir_ / "icons.dbt");
    ASSERT_EQ(memo.size() % 1024, 0u);
    std::uint32_t block = 1;
    for (std::size_t i = 0; i < 3; ++i) {
        const std::string digits = std::to_string(block);
        EXPECT_EQ(table[65 + i * 11], 0x20);
        EXPECT_EQ(std::string(table.begin() + 65 + i * 11 + 1, table.begin() + 65 + i * 11 + 11),
                  digits + std::string(10 - digits.size(), ' '));
        const std::size_t at = block * 1024u;
        ASSERT_LE(at + 8, memo.size());
        EXPECT_EQ((std::vector<std::uint8_t>(memo.begin() + at, memo.begin() + at + 4)),
                  (std::vector<std::uint8_t>{0xFF, 0xFF, 0x08, 0x00}));
        const std::uint32_t length = U32At(memo, at + 4);
        const std::string expected = Expected(i);
        EXPECT_EQ(length, expected.size() + 8);
        EXPECT_EQ(std::string(memo.begin() + at + 8, memo.begin() + at + length), expected) << "memo " << i;
        block += (length + 1023) / 1024;
    }
    EXPECT_EQ(U32At(memo, 0), block) << "next free block";
    EXPECT_EQ(memo.size(), block * 1024u);

    // An independent reader opens the table and sees one record per icon naming its memo
    // block. (Debian's dbfread 2.0.7 reads dBase IV memos in fixed 512-byte blocks and cuts
    // them at the first 0x1F byte, so it cannot return binary memos of 1024-byte blocks; the
    // memo bytes are checked against the block layout above.)
    const std::string script = "import sys, dbfread\n"
                               "t = dbfread.DBF(sys.argv[1], raw=True)\n"
                               "f = t.fields[0]\n"
                               "print(len(t.fields), f.name, f.type, f.length, t.header.numrecords, len(t))\n"
                               "for r in t:\n"
                               "    print(int(r['ICON']))\n";
    const fs::path py = dir_ / "read.py";
    std::ofstream(py) << script;
    const auto result = testing::RunTool(std::string(testing::kSystemPython) + " " + testing::ShellQuote(py.string()) +
                                         " " + testing::ShellQuote((dir_ / "icons.dbf").string()));
    ASSERT_EQ(result.status, 0) << result.output;
    std::string expectedOutput = "1 ICON B 10 3 3\n";
    std::uint32_t b = 1;
    for (std::size_t i = 0; i < 3; ++i) {
        expectedOutput += std::to_string(b) + "\n";
        b += static_cast<std::uint32_t>((Expected(i).size() + 8 + 1023) / 1024);
    }
    EXPECT_EQ(result.output, expectedOutput);
}

INSTANTIATE_TEST_SUITE_P(EveryMemoKind, DbaseExportTest, ::testing::ValuesIn(kPictureKinds),
                         [](const ::testing::TestParamInfo<OutputKind>& info) {
                             return std::string(OutputKindExtension(info.param));
                         });

TEST(DbaseExportEmptyTest, SourceWithoutIconsWritesNoTable)
{
    const fs::path dir = fs::temp_directory_path() / "glyphora-dbf-empty";
    fs::remove_all(dir);
    fs::create_directories(dir);
    CurrentIcons current;
    current.fileName = "/W/empty.exe";
    SaveAllRequest request;
    request.fileType = OutputKind::Dbase;
    request.destDir = dir;
    request.destFileName = dir / "t.dbf";
    int count = 0;
    DialogAnswer confirm = DialogAnswer::None;
    SaveAll(current, request, count, confirm);
    EXPECT_FALSE(fs::exists(dir / "t.dbf"));
    EXPECT_FALSE(fs::exists(dir / "t.dbt"));
    fs::remove_all(dir);
}

} // namespace
} // namespace glyphora
