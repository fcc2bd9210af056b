// The spreadsheet export end to end: glyphora-cli writes the .xlsx, and openpyxl (an
// independent reader, with Pillow for the pictures) reads it back: the title row, one row per
// icon with the sample's known group names, image counts and colour depths, and one PNG per
// row that equals the picture the folder save writes for the same icon and switches.
#include "export/XlsxExport.h"
#include "tests/app/cli/CliTestSupport.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace glyphora {
namespace {

namespace fs = std::filesystem;
using testing::RunTool;
using testing::ShellQuote;

const char* const kReadScript = R"(import hashlib, io, sys
from openpyxl import load_workbook
from PIL import Image
def cell(v):
    return '' if v is None else str(v)
book = load_workbook(sys.argv[1])
sheet = book.active
print('SHEETS', len(book.sheetnames))
for row in sheet.iter_rows(values_only=True):
    print('ROW\t' + '\t'.join(cell(v) for v in row))
for im in sheet._images:
    pic = Image.open(io.BytesIO(im._data()))
    rgb = pic.convert('RGB')
    grey = all(r == g == b for r, g, b in rgb.getdata())
    print('IMAGE', im.anchor._from.row, im.anchor._from.col, pic.format, pic.size[0], pic.size[1], int(grey),
          hashlib.sha1(rgb.tobytes()).hexdigest())
for path in sys.argv[2:]:
    with Image.open(path) as pic:
        print('PICTURE', hashlib.sha1(pic.convert('RGB').tobytes()).hexdigest())
)";

struct Picture {
    int row = -1;
    int column = -1;
    std::string format;
    int width = 0;
    int height = 0;
    bool grey = false;
    std::string digest;
};

struct Workbook {
    int sheets = 0;
    std::vector<std::vector<std::string>> rows;
    std::vector<Picture> pictures;
    std::vector<std::string> referenceDigests; // of the extra picture files, in order
};

std::vector<std::string> SplitTabs(const std::string& line)
{
    std::vector<std::string> cells;
    std::size_t start = 0;
    for (;;) {
        const auto tab = line.find('\t', start);
        cells.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos) return cells;
        start = tab + 1;
    }
}

Workbook ReadWithOpenpyxl(const fs::path& book, const fs::path& scratch, const std::vector<fs::path>& references = {})
{
    Workbook result;
    const fs::path script = scratch / "read_xlsx.py";
    std::ofstream(script) << kReadScript;
    std::string command =
        std::string(testing::kSystemPython) + " " + ShellQuote(script.string()) + " " + ShellQuote(book.string());
    for (const fs::path& p : references)
        command += " " + ShellQuote(p.string());
    const testing::ToolResult run = RunTool(command + " 2>&1");
    if (run.status != 0) {
        ADD_FAILURE() << "openpyxl could not read " << book << " (are python3-openpyxl and python3-pil installed?):\n"
                      << run.output;
        return result;
    }
    std::istringstream lines(run.output);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind("ROW\t", 0) == 0) {
            std::vector<std::string> cells = SplitTabs(line.substr(4));
            result.rows.push_back(cells);
            continue;
        }
        std::istringstream fields(line);
        std::string tag;
        fields >> tag;
        if (tag == "SHEETS") fields >> result.sheets;
        if (tag == "IMAGE") {
            Picture p;
            int grey = 0;
            fields >> p.row >> p.column >> p.format >> p.width >> p.height >> grey >> p.digest;
            p.grey = grey != 0;
            result.pictures.push_back(p);
        }
        if (tag == "PICTURE") {
            std::string digest;
            fields >> digest;
            result.referenceDigests.push_back(digest);
        }
    }
    return result;
}

testing::ToolResult Cli(const fs::path& source, const fs::path& dest, const std::string& switches)
{
    return testing::RunCli("-e " + ShellQuote(source.string()) + " " + ShellQuote(dest.string()) + " " + switches +
                           " < /dev/null");
}

// The sample module's groups as its README lists them; the depth is the 32 x 32 (or 16 x 16)
// icon as displayed: every group but the 4-bit page carries alpha.
struct SampleRow {
    const char* group;
    int images;
    int depth;
};
constexpr SampleRow kSampleRows[] = {
    {"FOLDER", 9, 32}, {"MAINICON", 10, 32}, {"ZSTAR", 4, 32}, {"1", 1, 4}, {"3", 4, 32}, {"200", 4, 32},
};
constexpr int kSampleCount = 6;

// Writes the sample as a spreadsheet and as a folder of PNG pictures with the same switches,
// and reads both back.
Workbook ExportSample(const testing::TempFolder& tmp, const std::string& switches, const fs::path& book)
{
    const testing::ToolResult run = Cli(testing::kSampleModule, book, "-desttype=xlsx " + switches);
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find(std::to_string(kSampleCount) + " icon(s)"), std::string::npos) << run.output;
    const fs::path pictures = tmp.path() / ("png" + std::to_string(std::hash<std::string>{}(switches)));
    EXPECT_EQ(Cli(testing::kSampleModule, pictures, "-desttype=png -iconindex=0 " + switches).status, 0);
    std::vector<fs::path> references;
    for (int n = 1; n <= kSampleCount; ++n)
        references.push_back(pictures / ("ico_glyphora-sample_dll000" + std::to_string(n) + ".png"));
    return ReadWithOpenpyxl(book, tmp.path(), references);
}

TEST(CliXlsxTest, OneRowPerIconWithItsFactsAndItsPicture)
{
    const testing::TempFolder tmp;
    const fs::path book = tmp.path() / "icons.xlsx";
    const Workbook read = ExportSample(tmp, "", book);
    ASSERT_EQ(read.sheets, 1);
    ASSERT_EQ(read.rows.size(), static_cast<std::size_t>(XlsxLayout::FirstIconRow + kSampleCount));
    EXPECT_EQ(read.rows[XlsxLayout::TitleRow][0], "Icons from " + testing::kSampleModule.string());
    EXPECT_EQ(read.rows[XlsxLayout::HeaderRow],
              (std::vector<std::string>{"No.", "Group", "Images", "Color depth", "Icon"}));
    for (int i = 0; i < kSampleCount; ++i) {
        SCOPED_TRACE(i);
        const std::vector<std::string>& row = read.rows[static_cast<std::size_t>(XlsxLayout::FirstIconRow + i)];
        ASSERT_GE(row.size(), 4u);
        EXPECT_EQ(row[XlsxLayout::NumberColumn], std::to_string(i + 1));
        EXPECT_EQ(row[XlsxLayout::GroupColumn], kSampleRows[i].group);
        EXPECT_EQ(row[XlsxLayout::ImagesColumn], std::to_string(kSampleRows[i].images));
        EXPECT_EQ(row[XlsxLayout::DepthColumn], std::to_string(kSampleRows[i].depth));
    }

    ASSERT_EQ(read.pictures.size(), static_cast<std::size_t>(kSampleCount));
    ASSERT_EQ(read.referenceDigests.size(), static_cast<std::size_t>(kSampleCount));
    std::vector<int> rowsWithPictures;
    for (const Picture& p : read.pictures) {
        SCOPED_TRACE(p.row);
        rowsWithPictures.push_back(p.row);
        EXPECT_EQ(p.column, XlsxLayout::PictureColumn);
        EXPECT_EQ(p.format, "PNG");
        EXPECT_EQ(p.width, 32);
        EXPECT_EQ(p.height, 32);
        EXPECT_FALSE(p.grey);
        const int icon = p.row - XlsxLayout::FirstIconRow;
        ASSERT_GE(icon, 0);
        ASSERT_LT(icon, kSampleCount);
        EXPECT_EQ(p.digest, read.referenceDigests[static_cast<std::size_t>(icon)])
            << "the picture of icon " << icon + 1;
    }
    std::sort(rowsWithPictures.begin(), rowsWithPictures.end());
    for (int i = 0; i < kSampleCount; ++i)
        EXPECT_EQ(rowsWithPictures[static_cast<std::size_t>(i)], XlsxLayout::FirstIconRow + i)
            << "one picture in each icon row";
}

TEST(CliXlsxTest, GreyScaleAndSmallIconsFollowTheSwitches)
{
    const testing::TempFolder tmp;
    const Workbook read = ExportSample(tmp, "-grayscale -iconsizesmall", tmp.path() / "small.xlsx");
    ASSERT_EQ(read.pictures.size(), static_cast<std::size_t>(kSampleCount));
    ASSERT_EQ(read.referenceDigests.size(), static_cast<std::size_t>(kSampleCount));
    for (const Picture& p : read.pictures) {
        SCOPED_TRACE(p.row);
        EXPECT_EQ(p.width, 16);
        EXPECT_EQ(p.height, 16);
        EXPECT_TRUE(p.grey);
        EXPECT_EQ(p.digest, read.referenceDigests[static_cast<std::size_t>(p.row - XlsxLayout::FirstIconRow)]);
    }
}

TEST(CliXlsxTest, IconFileSourceNamesItsGroupAfterTheFile)
{
    const testing::TempFolder tmp;
    const fs::path book = tmp.path() / "one";
    ASSERT_EQ(Cli(testing::kSampleIcon, book, "-desttype=XLSX").status, 0);
    ASSERT_TRUE(fs::exists(tmp.path() / "one.xlsx")) << "a name without extension gets the document's";
    const Workbook read = ReadWithOpenpyxl(tmp.path() / "one.xlsx", tmp.path());
    ASSERT_EQ(read.rows.size(), static_cast<std::size_t>(XlsxLayout::FirstIconRow + 1));
    const std::vector<std::string>& row = read.rows[XlsxLayout::FirstIconRow];
    EXPECT_EQ(row[XlsxLayout::GroupColumn], testing::kSampleIcon.filename().string());
    EXPECT_EQ(row[XlsxLayout::ImagesColumn], "10");
    EXPECT_EQ(read.pictures.size(), 1u);
}

TEST(CliXlsxTest, ReplacesAnExistingFileAndLeavesNothingBehindOnFailure)
{
    const testing::TempFolder tmp;
    const fs::path book = tmp.path() / "book.xlsx";
    std::ofstream(book) << "old contents";
    ASSERT_EQ(Cli(testing::kSampleModule, book, "").status, 0);
    EXPECT_EQ(testing::ReadFileText(book).substr(0, 2), "PK") << "replaced without a question";

    // A target that cannot be replaced (a folder of that name): the run fails, the folder and
    // what it holds stay, and no half-written file is left beside it.
    const fs::path blocked = tmp.path() / "blocked.xlsx";
    fs::create_directory(blocked);
    std::ofstream(blocked / "keep.txt") << "keep";
    const testing::ToolResult run = Cli(testing::kSampleModule, blocked, "");
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.output.find("blocked.xlsx"), std::string::npos) << run.output;
    EXPECT_TRUE(fs::is_directory(blocked));
    EXPECT_EQ(testing::ReadFileText(blocked / "keep.txt"), "keep");
    EXPECT_EQ(testing::FolderNames(tmp.path()), (std::vector<std::string>{"blocked.xlsx", "book.xlsx"}));
}

} // namespace
} // namespace glyphora
