// glyphora-cli writing every icon of the sample: a folder of pictures or icon files, an .ico
// source copied, the composed picture, and the three documents with their switches.
#include "tests/app/cli/CliTestSupport.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace glyphora {
namespace {

namespace fs = std::filesystem;
using testing::RunTool;
using testing::ShellQuote;

const fs::path& kSample = testing::kSampleModule;
const fs::path& kSampleIco = testing::kSampleIcon;
constexpr int kSampleGroups = 6;
const auto ReadFile = testing::ReadFileText;

testing::ToolResult Cli(const fs::path& source, const fs::path& dest, const std::string& switches)
{
    return testing::RunCli("-e " + ShellQuote(source.string()) + " " + ShellQuote(dest.string()) + " " + switches);
}

const auto Names = testing::FolderNames;

TEST(CliSaveAllTest, EveryIconIntoAFolderAndAgainWithoutAQuestion)
{
    const testing::TempFolder tmp;
    const fs::path dir = tmp.path() / "icons";
    auto first = Cli(kSample, dir, "-desttype=png -iconindex=0");
    ASSERT_EQ(first.status, 0) << first.output;
    EXPECT_NE(first.output.find(std::to_string(kSampleGroups)), std::string::npos) << first.output;
    std::vector<std::string> expected;
    for (int n = 1; n <= kSampleGroups; ++n)
        expected.push_back("ico_glyphora-sample_dll000" + std::to_string(n) + ".png");
    EXPECT_EQ(Names(dir), expected);

    std::ofstream(dir / expected[0], std::ios::trunc) << "old";
    auto second = RunTool(ShellQuote(GLYPHORA_CLI_PATH) + " -e " + ShellQuote(kSample.string()) + " " +
                          ShellQuote(dir.string()) + " -desttype=png -iconindex=0 < /dev/null");
    ASSERT_EQ(second.status, 0) << second.output;
    EXPECT_EQ(ReadFile(dir / expected[0]).substr(1, 3), "PNG") << "replaced without a question";

    const fs::path icos = tmp.path() / "groups";
    ASSERT_EQ(Cli(kSample, icos, "-desttype=ico -iconindex=0").status, 0);
    EXPECT_EQ(Names(icos).size(), static_cast<std::size_t>(kSampleGroups));
    for (const auto& name : Names(icos))
        EXPECT_EQ(RunTool("icotool -l " + ShellQuote((icos / name).string())).status, 0) << name;

    const fs::path copied = tmp.path() / "fromico";
    ASSERT_EQ(Cli(kSampleIco, copied, "-desttype=ico -iconindex=0").status, 0);
    ASSERT_EQ(Names(copied), std::vector<std::string>{"ico_glyphora-sample_ico0001.ico"});
    EXPECT_EQ(ReadFile(copied / "ico_glyphora-sample_ico0001.ico"), ReadFile(kSampleIco)) << "an .ico source is copied";
}

TEST(CliSaveAllTest, AllIconsAsOnePictureHasTheGridGeometry)
{
    const testing::TempFolder tmp;
    const fs::path out = tmp.path() / "all.png";
    const auto run = Cli(kSample, out, "-alliconsasoneimage");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.output, "") << "no success message for the composed picture";
    const auto size = RunTool(
        std::string(testing::kSystemPython) + " -c " +
        ShellQuote("import sys; from PIL import Image; im = Image.open(sys.argv[1]); print(im.format, *im.size)") +
        " " + ShellQuote(out.string()));
    // Six 32-pixel icons in the default grid (12 columns of 42 pixels): 6 * 42 + 2 wide, one row.
    EXPECT_EQ(size.output, "PNG 254 44\n");
}

TEST(CliSaveAllTest, DocumentsFromTheCommandLine)
{
    const testing::TempFolder tmp;
    const fs::path html = tmp.path() / "page.html";
    ASSERT_EQ(Cli(kSample, html, "-includenumbers -htmldestimagetype=gif").status, 0);
    const std::string page = ReadFile(html);
    EXPECT_NE(page.find("page_files/ico_glyphora-sample_dll0006.gif"), std::string::npos);
    EXPECT_NE(page.find("<br>6</td>"), std::string::npos);
    EXPECT_EQ(page.find("border: 1px"), std::string::npos) << "borders only with -drawborders";
    EXPECT_EQ(Names(tmp.path() / "page_files").size(), static_cast<std::size_t>(kSampleGroups));

    const fs::path dbf = tmp.path() / "table.dbf";
    ASSERT_EQ(Cli(kSample, dbf, "-dbasefieldname=PICTURESTOREFIELD -dbasedesttype=png").status, 0);
    const std::string table = ReadFile(dbf);
    ASSERT_EQ(table.size(), 65u + kSampleGroups * 11 + 1);
    EXPECT_EQ(table.substr(32, 11), std::string("PICTURESTO") + '\0');
    EXPECT_EQ(ReadFile(tmp.path() / "table.dbt").substr(1024 + 9, 3), "PNG") << "memos hold PNG pictures";

    const fs::path pdf = tmp.path() / "icons.pdf";
    ASSERT_EQ(Cli(kSample, pdf, "-drawborders -includenumbers -grayscale").status, 0);
    const auto check = RunTool("qpdf --check " + ShellQuote(pdf.string()));
    EXPECT_EQ(check.status, 0) << check.output;
    EXPECT_NE(ReadFile(pdf).find("/Img6"), std::string::npos);
}

} // namespace
} // namespace glyphora
