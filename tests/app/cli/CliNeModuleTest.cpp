// glyphora-cli end to end on 16-bit NE modules and .icl icon libraries that NeBuilder writes
// from the sample art: the icon count, every group written as an .ico file with the images
// that wrestool (icoutils) reads out of the same module, PNG exports compared with Pillow's
// own reading of the art, the folder scan, and what damaged files give.
#include "tests/app/cli/CliTestSupport.h"
#include "tests/support/NeBuilder.h"
#include "tests/support/PillowImages.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

namespace glyphora {
namespace {

namespace fs = std::filesystem;
using testing::NeBuilder;
using testing::RunCli;
using testing::RunTool;
using testing::ShellQuote;

const fs::path kArt = testing::kBuildDir / "samples" / "art";

std::vector<std::uint8_t> Art(const char* name)
{
    const std::string text = testing::ReadFileText(kArt / name);
    return {text.begin(), text.end()};
}

// The table's order, numbers and strings mixed: unlike the sorted order of a PE directory.
struct ArtGroup {
    NeBuilder::Name name;
    const char* art;
};
const ArtGroup kGroups[] = {{7, "star.ico"},     {"MAINICON", "mainicon.ico"},
                            {2, "document.ico"}, {"Folder", "folder.ico"},
                            {300, "gear.ico"},   {"ALPHA", "magnifier.ico"}};

// The first groups of kGroups (all of them by default) in an NE module at path.
fs::path WriteArtModule(const fs::path& path, std::uint16_t shift, std::size_t groups = std::size(kGroups))
{
    NeBuilder b;
    b.setAlignShift(shift);
    for (std::size_t i = 0; i < groups; ++i)
        b.addIconGroup(kGroups[i].name, Art(kGroups[i].art));
    b.writeTo(path);
    return path;
}

using testing::IcoImages;

// What we write of a DIB: every byte as the module holds it but biSizeImage, which is 0.
std::vector<std::string> WithoutImageSizes(std::vector<std::string> images)
{
    for (std::string& image : images)
        if (image.compare(1, 3, "PNG") != 0) image.replace(20, 4, std::string(4, '\0'));
    return images;
}

// A resource as wrestool extracts it on its own, raw: its bytes as the module stores them,
// padding to the alignment unit included.
std::string WrestoolRaw(const fs::path& module, int type, const std::string& name)
{
    const auto run = testing::RunToolSplit("wrestool -x -R -t" + std::to_string(type) + " --name=" + ShellQuote(name) +
                                           " " + ShellQuote(module.string()));
    EXPECT_EQ(run.status, 0) << run.err;
    return run.out;
}

// The images of a group as wrestool reads the module: the group directory's entries name the
// icon resources and give each image's size. (wrestool's own .ico output cannot serve here:
// it writes each padded resource whole but places the images by the group's sizes, so with
// any alignment above one byte every image after the first lands off its directory offset.)
std::vector<std::string> WrestoolGroupImages(const fs::path& module, const std::string& group)
{
    const std::string directory = WrestoolRaw(module, 14, group);
    const auto u16 = [&](std::size_t at) {
        return static_cast<unsigned char>(directory[at]) | (static_cast<unsigned char>(directory[at + 1]) << 8);
    };
    std::vector<std::string> images;
    if (directory.size() < 6) return images;
    for (std::size_t i = 0; i < static_cast<std::size_t>(u16(4)) && 6 + 14 * (i + 1) <= directory.size(); ++i) {
        const std::size_t entry = 6 + 14 * i;
        const std::size_t size = u16(entry + 8) | (static_cast<std::size_t>(u16(entry + 10)) << 16);
        images.push_back(WrestoolRaw(module, 3, std::to_string(u16(entry + 12))).substr(0, size));
    }
    return images;
}

TEST(CliNeModule, CountsAndWritesEveryGroupAsWrestoolReadsIt)
{
    const bool wrestool = RunTool("command -v wrestool").status == 0;
    const testing::TempFolder dir;
    // Byte units reach only 64 KiB into the file: room for three of the groups.
    const struct {
        const char* name;
        std::uint16_t shift;
        std::size_t groups;
    } modules[] = {{"program.exe", 4, 6}, {"icons.icl", 0, 3}, {"LIBRARY.ICL", 9, 6}};
    for (const auto& m : modules) {
        SCOPED_TRACE(m.name);
        const fs::path module = WriteArtModule(dir.path() / m.name, m.shift, m.groups);
        const auto listed = RunCli(ShellQuote(module.string()));
        ASSERT_EQ(listed.status, 0) << listed.output;
        EXPECT_EQ(listed.output, module.string() + ": " + std::to_string(m.groups) + " icon(s)\n");

        for (std::size_t i = 0; i < m.groups; ++i) {
            const ArtGroup& g = kGroups[i];
            SCOPED_TRACE(g.art);
            const fs::path ours = dir.path() / "ours.ico";
            const auto run = RunCli("-e " + ShellQuote(module.string()) + " " + ShellQuote(ours.string()) +
                                    " -iconindex=" + std::to_string(i + 1));
            ASSERT_EQ(run.status, 0) << run.output;
            const std::vector<std::string> written = IcoImages(testing::ReadFileText(ours));
            EXPECT_EQ(written, WithoutImageSizes(IcoImages(testing::ReadFileText(kArt / g.art))));
            // icotool describes our file as it describes the art the group was made from.
            const auto ourList = RunTool("icotool -l " + ShellQuote(ours.string()));
            const auto artList = RunTool("icotool -l " + ShellQuote((kArt / g.art).string()));
            ASSERT_EQ(ourList.status, 0) << ourList.output;
            EXPECT_EQ(ourList.output, artList.output);

            if (!wrestool) continue;
            const std::string name = g.name.isString ? g.name.text : std::to_string(g.name.id);
            EXPECT_EQ(written, WithoutImageSizes(WrestoolGroupImages(module, name)));
        }
    }
    if (!wrestool) GTEST_SKIP() << "wrestool (icoutils) is not installed: checked against the art only";
}

// Pillow picks the deepest 32 x 32 image out of the art file the group was made from and
// composes it over white: our PNG export of the group must show the same picture.
TEST(CliNeModule, PngExportsShowTheBestLargeImageOverWhite)
{
    const testing::TempFolder dir;
    const fs::path module = WriteArtModule(dir.path() / "library.icl", 4);
    const fs::path py = dir.path() / "compare.py";
    std::ofstream(py)
        << "import sys\nfrom PIL import Image\n"
           "png, ico = sys.argv[1], sys.argv[2]\n"
           "ours = Image.open(png)\n"
           "art = Image.open(ico)\n"
           "depth = max(e['color_depth'] for e in art.ico.entry if e['dim'] == (32, 32))\n"
           "best = art.ico.getimage((32, 32), depth).convert('RGBA')\n"
           "white = Image.new('RGBA', best.size, (255, 255, 255, 255))\n"
           "expected = Image.alpha_composite(white, best).convert('RGB')\n"
           "got = ours.convert('RGB')\n"
           "diff = max(abs(a - b) for p, q in zip(got.getdata(), expected.getdata()) for a, b in zip(p, q))\n"
           "print(ours.format, ours.mode, ours.size[0], ours.size[1], depth, diff)\n";
    for (std::size_t i = 0; i < std::size(kGroups); ++i) {
        SCOPED_TRACE(kGroups[i].art);
        const fs::path png = dir.path() / ("icon" + std::to_string(i + 1) + ".png");
        const auto run = RunCli("-e " + ShellQuote(module.string()) + " " + ShellQuote(png.string()) +
                                " -desttype=png -iconindex=" + std::to_string(i + 1));
        ASSERT_EQ(run.status, 0) << run.output;
        const auto check = RunTool(std::string(testing::kSystemPython) + " " + ShellQuote(py.string()) + " " +
                                   ShellQuote(png.string()) + " " + ShellQuote((kArt / kGroups[i].art).string()));
        ASSERT_EQ(check.status, 0) << check.output;
        std::istringstream fields(check.output);
        std::string format, mode;
        int width = 0, height = 0, depth = 0, diff = -1;
        fields >> format >> mode >> width >> height >> depth >> diff;
        EXPECT_EQ(format, "PNG");
        EXPECT_EQ(mode, "RGB") << "pictures are opaque";
        EXPECT_EQ(width, 32);
        EXPECT_EQ(height, 32);
        EXPECT_LE(diff, 1) << "largest channel difference from Pillow's picture (best depth " << depth << ")";
    }
}

// Every save and export of the console sees the six groups; the spreadsheet names them in the
// table's order.
TEST(CliNeModule, EveryExportSeesTheGroupsInTableOrder)
{
    const testing::TempFolder dir;
    const fs::path module = WriteArtModule(dir.path() / "library.icl", 4);
    const auto at = [&](const char* name) { return ShellQuote((dir.path() / name).string()); };
    const std::string exports[] = {
        at("icons") + " -iconindex=0",
        at("pictures") + " -iconindex=0 -desttype=png",
        at("page.html"),
        at("table.dbf"),
        at("document.pdf"),
        at("sheet.xlsx"),
    };
    for (const std::string& destination : exports) {
        const auto run = RunCli("-e " + ShellQuote(module.string()) + " " + destination);
        EXPECT_EQ(run.status, 0) << destination << ": " << run.output;
        EXPECT_EQ(run.output, "Done: 6 icon(s) saved.\n") << destination;
    }
    EXPECT_EQ(testing::FolderNames(dir.path() / "icons").size(), 6u);
    const auto composed = RunCli("-e " + ShellQuote(module.string()) + " " + at("all.png") + " -alliconsasoneimage");
    EXPECT_EQ(composed.status, 0) << composed.output;
    EXPECT_GT(fs::file_size(dir.path() / "all.png"), 0u);

    const fs::path py = dir.path() / "strings.py";
    std::ofstream(py) << "import re, sys, zipfile\n"
                         "text = zipfile.ZipFile(sys.argv[1]).read('xl/sharedStrings.xml').decode()\n"
                         "print(' '.join(re.findall(r'<t[^>]*>([^<]*)</t>', text)[6:]))\n";
    const auto names =
        RunTool(std::string(testing::kSystemPython) + " " + ShellQuote(py.string()) + " " + at("sheet.xlsx"));
    ASSERT_EQ(names.status, 0) << names.output;
    EXPECT_EQ(names.output, "7 MAINICON 2 Folder 300 ALPHA\n");
}

// The desktop's additions read NE modules as they read PE ones: the thumbnail of an icon
// library and the icon theme of one of its groups are the group's own images, the PNG image
// byte for byte (without the padding of its last unit), the others pixel for pixel with
// their alpha as Pillow reads them from the art.
TEST(CliNeModule, ThumbnailAndIconThemeShowTheGroupsOwnImages)
{
    const testing::TempFolder dir;
    const fs::path module = dir.path() / "icons.icl";
    NeBuilder b; // 16-byte units: the PNG image's length is no multiple of them
    b.addIconGroup("MAINICON", Art("mainicon.ico")).addIconGroup(2, Art("folder.ico")).writeTo(module);
    const auto artImages = testing::ReadIcoImagesWithPillow(kArt / "mainicon.ico");
    ASSERT_TRUE(artImages.front().error.empty()) << artImages.front().error;
    const auto deepest = [&](int size) {
        return std::find_if(artImages.begin(), artImages.end(),
                            [&](const testing::RgbaPicture& p) { return p.width == size && p.bitCount == 32; });
    };
    std::string artPng;
    for (const std::string& image : IcoImages(testing::ReadFileText(kArt / "mainicon.ico")))
        if (image.compare(1, 3, "PNG") == 0) artPng = image;
    ASSERT_FALSE(artPng.empty());

    const auto thumbnail = [&](int size, const fs::path& out) {
        return testing::RunToolSplit(ShellQuote(GLYPHORA_THUMBNAILER_PATH) + " -s " + std::to_string(size) + " " +
                                     ShellQuote(module.string()) + " " + ShellQuote(out.string()));
    };
    const fs::path large = dir.path() / "large.png", small = dir.path() / "small.png";
    const auto largeRun = thumbnail(256, large);
    ASSERT_EQ(largeRun.status, 0) << largeRun.err;
    EXPECT_EQ(testing::ReadFileText(large), artPng);
    const auto smallRun = thumbnail(48, small);
    ASSERT_EQ(smallRun.status, 0) << smallRun.err;
    ASSERT_NE(deepest(48), artImages.end());
    EXPECT_EQ(testing::ReadPngWithPillow(small).rgba, deepest(48)->rgba);

    const fs::path tree = dir.path() / "hicolor";
    const auto theme =
        RunCli("-e " + ShellQuote(module.string()) + " " + ShellQuote(tree.string()) + " -icontheme -iconindex=1");
    ASSERT_EQ(theme.status, 0) << theme.output;
    EXPECT_EQ(testing::ReadFileText(tree / "256x256" / "apps" / "icons.png"), artPng);
    ASSERT_NE(deepest(32), artImages.end());
    EXPECT_EQ(testing::ReadPngWithPillow(tree / "32x32" / "apps" / "icons.png").rgba, deepest(32)->rgba);
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// NE programs and icon libraries of either kind are found and counted from their tables, as
// wrestool counts their groups.
TEST(CliNeModule, ScanListsNeModulesAndIconLibraries)
{
    const testing::TempFolder dir;
    const fs::path& root = dir.path();
    WriteArtModule(root / "program.exe", 4);
    WriteArtModule(root / "icons.icl", 4);
    fs::copy_file(testing::kSampleModule, root / "pe.icl");
    NeBuilder one;
    one.addIconGroup(1, Art("document.ico")).writeTo(root / "one.icl");
    NeBuilder damaged;
    damaged.addIconGroup(1, Art("document.ico")).addDefect(NeBuilder::Defect::HugeCounts).writeTo(root / "bad.icl");
    std::ofstream(root / "readme.icl") << "not a module";

    const auto all = RunCli("-scan=" + ShellQuote(root.string()));
    ASSERT_EQ(all.status, 0) << all.output;
    EXPECT_EQ(Lines(all.output),
              (std::vector<std::string>{(root / "icons.icl").string(), (root / "one.icl").string(),
                                        (root / "pe.icl").string(), (root / "program.exe").string()}));
    const auto many = RunCli("-scan=" + ShellQuote(root.string()) + " -mincount=6");
    EXPECT_EQ(Lines(many.output), (std::vector<std::string>{(root / "icons.icl").string(), (root / "pe.icl").string(),
                                                            (root / "program.exe").string()}));

    if (RunTool("command -v wrestool").status != 0) GTEST_SKIP() << "wrestool (icoutils) is not installed";
    for (const char* name : {"program.exe", "icons.icl", "one.icl"}) {
        const auto groups = Lines(RunTool("wrestool -l -t14 " + ShellQuote((root / name).string())).output);
        const auto counted = Lines(RunCli(ShellQuote((root / name).string())).output);
        ASSERT_EQ(counted.size(), 1u) << name;
        EXPECT_EQ(counted[0], (root / name).string() + ": " + std::to_string(groups.size()) + " icon(s)");
    }
}

// The damaged files of the NE table each give a clear result: what the console lists for
// them, and whether the first group can be written (and if not, what stderr says).
TEST(CliNeModule, DamagedFilesGiveClearResults)
{
    using Defect = NeBuilder::Defect;
    struct Case {
        const char* description;
        std::function<void(NeBuilder&)> damage;
        const char* listed;    // after "FILE: "
        int iconIndex;         // the group written
        const char* errorPart; // in stderr; nullptr when the group is written
    };
    const auto with = [](Defect d) { return [d](NeBuilder& b) { b.addDefect(d); }; };
    const auto claiming = [](std::uint16_t shift) { return [shift](NeBuilder& b) { b.claimAlignShift(shift); }; };
    const Case cases[] = {
        {"undamaged", [](NeBuilder&) {}, "3 icon(s)", 1, nullptr},
        {"a group naming an icon that is missing", [](NeBuilder&) {}, "3 icon(s)", 3, "Unable to read the icon 9"},
        {"table past the end", with(Defect::TablePastEnd), "1 (file-type icon)", 1, "Unable to load or find icons"},
        {"table claims shift 30", claiming(30), "1 (file-type icon)", 1, "Unable to read the icon 2"},
        {"table claims shift 0", claiming(0), "1 (file-type icon)", 1, "Unable to read the icon 2"},
        {"names past the table", with(Defect::NameOutsideTable), "2 icon(s)", 1, nullptr},
        {"type records loop back in 16-bit offsets", with(Defect::TypeRecordLoop), "3 icon(s)", 1, nullptr},
        {"type records repeat without an end marker", with(Defect::RepeatedTypeRecords), "3 icon(s)", 1, nullptr},
        {"huge entry counts", with(Defect::HugeCounts), "1 (file-type icon)", 1, "Unable to load or find icons"},
        {"data past the end", with(Defect::DataOffsetPastEnd), "1 (file-type icon)", 1, "Unable to read the icon 2"},
    };
    const testing::TempFolder dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        NeBuilder b;
        b.addIconGroup(2, Art("document.ico")).addIconGroup("STAR", Art("star.ico"));
        // Group 9 lists the ordinal 99, which no icon has.
        b.addResource(14, 9, {0, 0, 1, 0, 1, 0, 32, 32, 16, 0, 1, 0, 4, 0, 0xE8, 2, 0, 0, 99, 0});
        c.damage(b);
        const fs::path module = dir.path() / "damaged.exe";
        b.writeTo(module);
        const auto listed = RunCli(ShellQuote(module.string()));
        EXPECT_EQ(listed.status, 0) << listed.output;
        EXPECT_EQ(listed.output, module.string() + ": " + c.listed + "\n");

        const fs::path out = dir.path() / "out.ico";
        fs::remove(out);
        const auto saved = RunCli("-e " + ShellQuote(module.string()) + " " + ShellQuote(out.string()) +
                                  " -iconindex=" + std::to_string(c.iconIndex) + " 2>&1");
        if (c.errorPart == nullptr) {
            EXPECT_EQ(saved.status, 0) << saved.output;
            EXPECT_FALSE(IcoImages(testing::ReadFileText(out)).empty());
        } else {
            EXPECT_NE(saved.status, 0) << saved.output;
            EXPECT_NE(saved.output.find(c.errorPart), std::string::npos) << saved.output;
            EXPECT_FALSE(fs::exists(out));
        }
    }
}

} // namespace
} // namespace glyphora
