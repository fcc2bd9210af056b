// Checks the English pack shipped with the program against the identifier table: every
// identifier has a text, placeholders match, built-in captions are kept word for word,
// filters are well formed and the pack carries the program version.
#include "i18n/LanguagePack.h"
#include "i18n/TextIds.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace glyphora {
namespace {

const std::filesystem::path kEnglishPack = GLYPHORA_SOURCE_DIR "/i18n/packs/english.lng";

class EnglishPackTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        LanguagePackFile file = LoadLanguagePackFile(kEnglishPack);
        error_ = file.error;
        if (file.pack) pack_ = std::move(*file.pack);
    }
    static inline LanguagePack pack_;
    static inline std::string error_;
};

TEST_F(EnglishPackTest, ParsesCleanly)
{
    EXPECT_EQ(error_, "");
    EXPECT_GT(pack_.Size(), 0u);
}

TEST_F(EnglishPackTest, EveryIdentifierHasTextWithTheRightPlaceholder)
{
    for (const TextIdInfo& info : kAllTextIds) {
        const std::string text = pack_.Text(static_cast<std::uint16_t>(info.id));
        EXPECT_FALSE(text.empty()) << "id " << info.id;
        const PlaceholderCount count = CountPlaceholders(text);
        EXPECT_EQ(count.strings, info.placeholder == Placeholder::String ? 1 : 0) << "id " << info.id << ": " << text;
        EXPECT_EQ(count.integers, info.placeholder == Placeholder::Integer ? 1 : 0) << "id " << info.id << ": " << text;
    }
}

// The design captions of the controls, word for word: the English pack is where the program
// takes its built-in texts from, so it must say exactly this.
TEST_F(EnglishPackTest, BuiltInCaptionsAreKeptVerbatim)
{
    const std::pair<int, std::string_view> captions[] = {
        {kTextCancel, "Cancel"},
        {kTextHelpButton, "&Help"},
        {kTextShowFindPane, "Find files with icons inside >>"},
        {kTextColumnCount, "&Column count:"},
        {kTextDrawTableBorder, "Draw table &border"},
        {kTextIncludeIconNumbers, "Include icon &numbers"},
        {kTextConvertToGrayScale, "Convert images to &gray scale"},
        {kTextSkipOptionsNote,
         "To skip this window and use current settings, call this function holding CTRL+SHIFT down."},
        {kTextFieldGroup, "Field to store icons"},
        {kTextFieldType, "Field type:"},
        {kTextFieldName, "Field name:"},
        {kTextExportAs, "Export as"},
        {kTextExportAsIcon, "Icon"},
        {kTextExportAsBitmap, "Bitmap"},
        {kTextExportAsJpeg, "JPEG"},
        {kTextExportAsMetafile, "Metafile"},
        {kTextExportAsGif, "GIF"},
        {kTextExportAsPng, "PNG"},
        {kTextTargetImageFormat, "Target &image format:"},
        {kTextPrintCaption, "Printing icon(s)"},
        {kTextPrintImageToPrint, "Image to print:"},
        {kTextPrintFullImage, "&Full image"},
        {kTextPrintSelectedImage, "&Selected image"},
        {kTextPrintScale, "Scale:"},
        {kTextPrintActualSize, "&Actual size"},
        {kTextPrintFitToPage, "Fit to &page"},
        {kTextMinimumIconCount, "Minimum number of icons"},
        {kTextFolderToScan, "Folder to scan:"},
        {kTextFilesWithIcons, "Files (.dll, .exe, .ocx) with icons:"},
        {kTextIncludeSubfolders, "Include subfolders"},
        {kTextShowHiddenFolders, "Show Hidden Folders"},
        {kTextFolderField, "&Folder:"},
        {kTextNewFolder, "&New Folder"},
        {kTextSelectFolderTitle, "Select folder to save images:"},
        {kTextOpenDialogTitle, "Select file"},
        {kTextOpenFilter, "Executable files (*.exe)|*.exe|Dynamic-link libraries (*.dll)|*.dll|"
                          "ActiveX files (*.ocx)|*.ocx|Any file (*.*)|*.*"},
        {kTextMenuLanguage, "Language"},
        {kTextMenuEnglish, "English"},
        {kTextMenuGreek, "Greek"},
        {kTextMenuUkrainian, "Ukrainian"},
        {kTextMenuRomanian, "Romanian"},
        {kTextMenuItalian, "Italian"},
        {kTextMenuPolish, "Polish"},
        {kTextMenuSaveSelected, "Save &Selected"},
        {kTextMenuSaveAllAsOneImage, "Save All as &One Image"},
        {kTextMenuSaveAll, "Save &All"},
        {kTextMenuAsIcons, "as &Icons (*.ico)"},
        {kTextMenuAsBitmaps, "as &Bitmap images (*.bmp)"},
        {kTextMenuAsJpeg, "as &JPEG images (*.jpg)"},
        {kTextMenuAsMetafiles, "as &Metafiles (*.emf)"},
        {kTextMenuAsGif, "as &GIF (*.gif)"},
        {kTextMenuAsPng, "as &PNG (*.png)"},
        {kTextMenuToHtml, "to HTML Document (*.htm, *.html)"},
        {kTextMenuToDbf, "to dBase file (*.dbf)"},
        {kTextMenuToPdf, "to PDF Document (*.pdf)"},
        {kTextMenuSaveToRegistry, "Save Setting to Registry"},
        {kTextMenuShowIconWindow, "Show Selected Icon In Separate &Window"},
        {kTextMenuIconSize, "Icon &Size"},
        {kTextMenuSize32, "32x32"},
        {kTextMenuSize16, "16x16"},
    };
    for (const auto& [id, caption] : captions)
        EXPECT_EQ(pack_.Text(static_cast<std::uint16_t>(id)), caption) << "id " << id;
}

TEST_F(EnglishPackTest, HoldsNoIdentifierOutsideTheTable)
{
    std::set<int> known;
    for (const TextIdInfo& info : kAllTextIds)
        known.insert(info.id);
    EXPECT_EQ(known.size(), kAllTextIds.size()) << "the table lists an identifier twice";
    EXPECT_EQ(pack_.Size(), known.size());
    for (int id = 0; id <= 0xFFFF; ++id) {
        if (pack_.Has(static_cast<std::uint16_t>(id))) {
            EXPECT_TRUE(known.count(id)) << "unknown id " << id;
        }
    }
}

TEST_F(EnglishPackTest, CarriesTheProgramVersion)
{
    const std::string version = pack_.Text(kTextLanguagePackVersion);
    EXPECT_EQ(version, kPackTargetVersion);
    EXPECT_NE(CompareVersions(std::string(kPackTargetVersion), version), 1);
}

std::vector<std::string> SplitBars(const std::string& text)
{
    std::vector<std::string> parts;
    std::stringstream in(text);
    std::string part;
    while (std::getline(in, part, '|'))
        parts.push_back(part);
    return parts;
}

TEST_F(EnglishPackTest, FiltersAreDescriptionAndPatternPairs)
{
    struct Case {
        int id;
        std::vector<std::string> patterns; // expected patterns, in order (a prefix for 804)
        bool exactCount;
    };
    const Case cases[] = {
        {kTextPictureFilter, {"*.bmp", "*.jpg", "*.emf", "*.gif", "*.png"}, true},
        {kTextOpenFilter, {"*.exe", "*.dll", "*.ocx", "*.*"}, true},
        {kTextIconFilter, {"*.ico"}, true},
        {kTextHtmlFilter, {"*.htm"}, false},
        {kTextDbfFilter, {"*.dbf"}, true},
        {kTextPdfFilter, {"*.pdf"}, true},
    };
    for (const auto& c : cases) {
        const std::vector<std::string> parts = SplitBars(pack_.Text(static_cast<std::uint16_t>(c.id)));
        ASSERT_EQ(parts.size() % 2, 0u) << "id " << c.id;
        if (c.exactCount) {
            EXPECT_EQ(parts.size() / 2, c.patterns.size()) << "id " << c.id;
        }
        ASSERT_GE(parts.size() / 2, c.patterns.size()) << "id " << c.id;
        for (std::size_t i = 0; i < parts.size(); i += 2) {
            // The default extension of a save dialog is read from "(pattern)" in the description.
            EXPECT_NE(parts[i].find("(" + parts[i + 1] + ")"), std::string::npos) << "id " << c.id << ": " << parts[i];
            if (i / 2 < c.patterns.size()) {
                EXPECT_EQ(parts[i + 1], c.patterns[i / 2]) << "id " << c.id;
            }
        }
    }
}

TEST(EnglishPackBuild, IsCopiedBesideTheExecutables)
{
    const auto file = LoadLanguagePackFile(GLYPHORA_BUILD_DIR "/english.lng");
    ASSERT_TRUE(file.pack.has_value()) << file.error;
    EXPECT_EQ(file.pack->Text(kTextLanguagePackVersion), kPackTargetVersion);
}

} // namespace
} // namespace glyphora
