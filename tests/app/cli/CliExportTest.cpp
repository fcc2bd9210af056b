// glyphora-cli end to end on the bundled sample module: single icons as .ico files checked
// against the module's own image resources with icotool, and as pictures checked with Pillow
// (and the EMF header read back here).
#include "tests/app/cli/CliTestSupport.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace glyphora {
namespace {

namespace fs = std::filesystem;
using testing::RunTool;
using testing::ShellQuote;

const fs::path& kBuild = testing::kBuildDir;
const fs::path& kSample = testing::kSampleModule;
const auto ReadFile = testing::ReadFileText;
const auto Cli = testing::RunCli;

const auto IcoImages = testing::IcoImages;

// Group N of the sample (1-based, module order) and the art file it was compiled from.
struct GroupCase {
    int number;
    const char* art;
};

TEST(CliExportTest, EveryGroupIsWrittenWithTheModulesOwnImages)
{
    const testing::TempFolder dir;
    const GroupCase groups[] = {{1, "folder.ico"},   {2, "mainicon.ico"}, {3, "star.ico"},
                                {4, "document.ico"}, {5, "gear.ico"},     {6, "magnifier.ico"}};
    for (const GroupCase& g : groups) {
        const fs::path out = dir.path() / ("group" + std::to_string(g.number) + ".ico");
        const auto run = Cli("-e " + ShellQuote(kSample.string()) + " " + ShellQuote(out.string()) +
                             " -iconindex=" + std::to_string(g.number));
        ASSERT_EQ(run.status, 0) << run.output;

        // Byte for byte the module's image resources (the art the module was made from),
        // with biSizeImage 0 in every DIB and PNG images untouched.
        const std::vector<std::string> written = IcoImages(ReadFile(out));
        std::vector<std::string> source = IcoImages(ReadFile(kBuild / "samples" / "art" / g.art));
        ASSERT_EQ(written.size(), source.size()) << g.art;
        for (std::size_t i = 0; i < source.size(); ++i) {
            if (source[i].compare(1, 3, "PNG") != 0) source[i].replace(20, 4, std::string(4, '\0'));
            EXPECT_EQ(written[i], source[i]) << g.art << " image " << i;
        }

        // icotool lists the same images and extracts them the same way from both files.
        const auto ours = RunTool("icotool -l " + ShellQuote(out.string()));
        const auto theirs = RunTool("icotool -l " + ShellQuote((kBuild / "samples" / "art" / g.art).string()));
        ASSERT_EQ(ours.status, 0) << ours.output;
        auto strip = [](std::string s) {
            std::string out;
            std::istringstream lines(s);
            for (std::string line; std::getline(lines, line);)
                out += line.substr(line.find(" --")) + "\n";
            return out;
        };
        EXPECT_EQ(strip(ours.output), strip(theirs.output)) << g.art;
        const fs::path xa = dir.path() / ("x" + std::to_string(g.number) + "a"),
                       xb = dir.path() / ("x" + std::to_string(g.number) + "b");
        fs::create_directories(xa);
        fs::create_directories(xb);
        ASSERT_EQ(RunTool("icotool -x -o " + ShellQuote(xa.string()) + " " + ShellQuote(out.string())).status, 0);
        ASSERT_EQ(RunTool("icotool -x -o " + ShellQuote(xb.string()) + " " +
                          ShellQuote((kBuild / "samples" / "art" / g.art).string()))
                      .status,
                  0);
        std::vector<std::string> a, b;
        for (const auto& e : fs::directory_iterator(xa))
            a.push_back(ReadFile(e.path()));
        for (const auto& e : fs::directory_iterator(xb))
            b.push_back(ReadFile(e.path()));
        std::sort(a.begin(), a.end());
        std::sort(b.begin(), b.end());
        EXPECT_EQ(a.size(), source.size());
        EXPECT_TRUE(a == b) << g.art << ": icotool extracts different images";
    }
}

TEST(CliExportTest, PicturesAreOpaqueWithWhiteWhereTheIconIsTransparent)
{
    const testing::TempFolder dir;
    const std::string script =
        "import sys\nfrom PIL import Image\n"
        "for p in sys.argv[1:]:\n"
        "    im = Image.open(p)\n"
        "    fmt, mode, size = im.format, im.mode, im.size\n"
        "    rgb = im.convert('RGB')\n"
        "    px = list(rgb.getdata())\n"
        "    grey = all(abs(r - g) <= 2 and abs(g - b) <= 2 for r, g, b in px)\n"
        "    print(fmt, mode, size[0], size[1], '%02X%02X%02X' % rgb.getpixel((0, 0)), int(grey), 'A' in mode or 'transparency' in im.info)\n";
    const fs::path py = dir.path() / "check.py";
    std::ofstream(py) << script;

    struct PictureCase {
        const char* type;
        const char* format;
    };
    const PictureCase types[] = {{"bmp", "BMP"}, {"jpg", "JPEG"}, {"gif", "GIF"}, {"png", "PNG"}};
    for (const bool small : {false, true})
        for (const bool grey : {false, true})
            for (const PictureCase& t : types) {
                const fs::path out =
                    dir.path() / (std::string("icon") + (small ? "16" : "32") + (grey ? "g" : "c") + "." + t.type);
                const auto run = Cli("-e " + ShellQuote(kSample.string()) + " " + ShellQuote(out.string()) +
                                     " -iconindex=2 -desttype=" + t.type + (small ? " -iconsizesmall" : "") +
                                     (grey ? " -grayscale" : ""));
                ASSERT_EQ(run.status, 0) << run.output;
                const auto check = RunTool(std::string(testing::kSystemPython) + " " + ShellQuote(py.string()) + " " +
                                           ShellQuote(out.string()));
                ASSERT_EQ(check.status, 0) << check.output;
                std::istringstream fields(check.output);
                std::string format, mode, corner, transparent;
                int w = 0, h = 0, isGrey = 0;
                fields >> format >> mode >> w >> h >> corner >> isGrey >> transparent;
                const std::string label = out.filename().string();
                EXPECT_EQ(format, t.format) << label;
                EXPECT_EQ(w, small ? 16 : 32) << label;
                EXPECT_EQ(h, small ? 16 : 32) << label;
                EXPECT_EQ(transparent, "False") << label << ": pictures are opaque";
                if (std::string(t.type) == "jpg")
                    EXPECT_GE(std::stoi(corner.substr(0, 2), nullptr, 16), 0xF0) << label << ": corner " << corner;
                else
                    EXPECT_EQ(corner, "FFFFFF") << label << ": the icon's transparent corner is white";
                if (grey) {
                    EXPECT_EQ(isGrey, 1) << label;
                } else if (!small && std::string(t.type) == "png") {
                    EXPECT_EQ(isGrey, 0) << label << ": the sample's icon has colour";
                }
            }
}

TEST(CliExportTest, MetafileShowsTheBitmapAtTheOriginAtItsPixelSize)
{
    const testing::TempFolder dir;
    const fs::path out = dir.path() / "icon.emf";
    ASSERT_EQ(Cli("-e " + ShellQuote(kSample.string()) + " " + ShellQuote(out.string())).status, 0);
    const std::string emf = ReadFile(out);
    auto u32 = [&](std::size_t at) {
        std::uint32_t v = 0;
        for (int i = 3; i >= 0; --i)
            v = (v << 8) | static_cast<unsigned char>(emf[at + i]);
        return v;
    };
    ASSERT_GE(emf.size(), 108u);
    EXPECT_EQ(u32(0), 1u) << "EMR_HEADER first";
    EXPECT_EQ(u32(40), 0x464D4520u) << "' EMF' signature";
    EXPECT_EQ(u32(48), emf.size()) << "nBytes";
    // Walk the records: the header, the bitmap at (0, 0) sized 32 x 32, then EOF.
    std::size_t at = 0;
    std::vector<std::uint32_t> types;
    while (at + 8 <= emf.size()) {
        const std::uint32_t type = u32(at), size = u32(at + 4);
        ASSERT_GE(size, 8u);
        ASSERT_EQ(size % 4, 0u);
        types.push_back(type);
        if (type == 81) { // EMR_STRETCHDIBITS: xDest, yDest at 24, cxDest, cyDest at 72
            EXPECT_EQ(u32(at + 24), 0u);
            EXPECT_EQ(u32(at + 28), 0u);
            EXPECT_EQ(u32(at + 72), 32u);
            EXPECT_EQ(u32(at + 76), 32u);
        }
        at += size;
    }
    EXPECT_EQ(at, emf.size());
    EXPECT_EQ(types, (std::vector<std::uint32_t>{1, 81, 14}));
}

TEST(CliExportTest, ErrorsGoToStandardErrorWithAFailingStatus)
{
    const testing::TempFolder dir;
    const auto missing = Cli("-e " + ShellQuote((dir.path() / "nothing.exe").string()) + " " +
                             ShellQuote((dir.path() / "x.png").string()));
    EXPECT_NE(missing.status, 0);
    EXPECT_NE(missing.output.find("nothing.exe"), std::string::npos) << missing.output;

    const auto noDestination = Cli("-e " + ShellQuote(kSample.string()));
    EXPECT_NE(noDestination.status, 0);

    const auto pastTheEnd = Cli("-e " + ShellQuote(kSample.string()) + " " +
                                ShellQuote((dir.path() / "x.ico").string()) + " -iconindex=99");
    EXPECT_NE(pastTheEnd.status, 0);
    EXPECT_NE(pastTheEnd.output.find("99"), std::string::npos) << pastTheEnd.output;
    EXPECT_FALSE(fs::exists(dir.path() / "x.ico"));

    for (const char* name : {"x.ico", "x.png"}) {
        const fs::path unwritable = dir.path() / "no such folder" / name;
        const auto failed = Cli("-e " + ShellQuote(kSample.string()) + " " + ShellQuote(unwritable.string()));
        EXPECT_NE(failed.status, 0) << name;
        EXPECT_NE(failed.output.find("no such folder"), std::string::npos) << failed.output;
        EXPECT_EQ(failed.output.find("saved"), std::string::npos)
            << "a failed write is not reported as a save: " << failed.output;
    }

    EXPECT_EQ(Cli("--version").status, 0);
    EXPECT_NE(Cli("--help").output.find("-iconindex"), std::string::npos);
}

// A PE module under another extension (.cpl, .scr, .efi, an .icl icon library, ...) is its own module: its groups
// are written as .ico files and counted, and every other kind of export sees the same icons.
TEST(CliExportTest, ModulesUnderOtherExtensionsGiveTheirOwnGroups)
{
    const testing::TempFolder dir;
    for (const char* name : {"appwiz.cpl", "saver.SCR", "boot.efi", "icons.icl"}) {
        SCOPED_TRACE(name);
        const fs::path module = dir.path() / name;
        fs::copy_file(kSample, module, fs::copy_options::overwrite_existing);
        const fs::path fromModule = dir.path() / "module.ico", fromDll = dir.path() / "dll.ico";
        const auto run =
            Cli("-e " + ShellQuote(module.string()) + " " + ShellQuote(fromModule.string()) + " -iconindex=2");
        ASSERT_EQ(run.status, 0) << run.output;
        ASSERT_EQ(
            Cli("-e " + ShellQuote(kSample.string()) + " " + ShellQuote(fromDll.string()) + " -iconindex=2").status, 0);
        EXPECT_EQ(ReadFile(fromModule), ReadFile(fromDll));
        EXPECT_FALSE(IcoImages(ReadFile(fromModule)).empty());
    }
    // A file under such an extension that is no module still has no group to write.
    const fs::path text = dir.path() / "notes.cpl";
    std::ofstream(text) << "MZ but no PE header follows";
    EXPECT_NE(Cli("-e " + ShellQuote(text.string()) + " " + ShellQuote((dir.path() / "t.ico").string())).status, 0);
}

} // namespace
} // namespace glyphora
