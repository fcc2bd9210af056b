// The window's save and export commands with scripted dialog answers: each writes its file,
// asks what it should ask, and opens the result afterwards through the recording opener.
#include "app/gui/ActionManager.h"
#include "app/gui/MainWindow.h"
#include "app/gui/SaveController.h"
#include "platform/ShellOpen.h"
#include "tests/support/TempFolder.h"
#include "tests/support/qt/GuiTestSupport.h"

#include <QTest>

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace glyphora {
namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

int CountOf(const std::string& text, const std::string& what)
{
    int n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

class SaveCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetShellOpener([this](const fs::path& path) { opened.push_back(path); });
        window = std::make_unique<MainWindow>(std::vector<std::string>{test::SampleModule().string()}, &dialogs);
        window->saves().setModifiersQuery([this] { return modifiers; });
        window->SelectFile(test::SampleModule());
        window->saves().saveDialogFolder() = folder.path();
    }
    void TearDown() override { SetShellOpener({}); }

    testing::TempFolder folder;
    test::ScriptedDialogs dialogs;
    std::vector<fs::path> opened;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    std::unique_ptr<MainWindow> window;
};

TEST_F(SaveCommandsTest, SaveSelectedWritesTheChosenFormatAndFollowsTheFolder)
{
    window->gridView()->grid()->SetItemIndex(2);
    std::ofstream(folder.path() / "glyphora-sample.ico") << "taken";
    dialogs.saveAnswers.push_back(SaveFileAnswer{folder.path() / "third.png", 6});
    window->saves().saveSelected();
    ASSERT_EQ(dialogs.saveRequests.size(), 1u);
    const SaveFileRequest& first = dialogs.saveRequests[0];
    EXPECT_EQ(first.title, "Save icon as");
    EXPECT_EQ(first.filter.rfind("Icon files (*.ico)|*.ico|Bitmap images (*.bmp)|*.bmp|", 0), 0u);
    EXPECT_EQ(first.filterIndex, 1);
    EXPECT_EQ(first.defaultExt, "ico");
    EXPECT_EQ(first.proposedName, "glyphora-sample1");
    EXPECT_EQ(first.initialDir, folder.path());
    EXPECT_EQ(ReadText(folder.path() / "third.png").substr(1, 3), "PNG");
    EXPECT_EQ(opened, (std::vector<fs::path>{folder.path() / "third.png"}));

    // The next dialog starts with the entry and folder chosen last.
    fs::create_directory(folder.path() / "sub");
    dialogs.saveAnswers.push_back(SaveFileAnswer{folder.path() / "sub" / "g.ico", 1});
    window->saves().saveSelected();
    ASSERT_EQ(dialogs.saveRequests.size(), 2u);
    EXPECT_EQ(dialogs.saveRequests[1].filterIndex, 6);
    EXPECT_EQ(dialogs.saveRequests[1].defaultExt, "png");
    EXPECT_EQ(dialogs.saveRequests[1].proposedName, "glyphora-sample");
    EXPECT_EQ(ReadText(folder.path() / "sub" / "g.ico").substr(0, 4), std::string("\0\0\1\0", 4));
    EXPECT_EQ(window->saves().saveDialogFolder(), folder.path() / "sub");
}

TEST_F(SaveCommandsTest, SaveSelectedWithoutSelectionWarnsAndAsksNothing)
{
    window->gridView()->grid()->SetItemIndex(-1);
    window->saves().saveSelected();
    EXPECT_TRUE(dialogs.saveRequests.empty());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "No icon is selected. Select an icon first.");
}

TEST_F(SaveCommandsTest, SaveAllWritesEveryIconIntoTheChosenFolderAndCountsThem)
{
    window->settings().openAfterSave = false;
    dialogs.folderAnswers.push_back(folder.path());
    window->saves().saveAll(OutputKind::Png);
    EXPECT_EQ(dialogs.folderTitles, (std::vector<std::string>{"Select folder to save images:"}));
    for (int i = 1; i <= 6; ++i)
        EXPECT_TRUE(fs::exists(folder.path() / ("ico_glyphora-sample_dll000" + std::to_string(i) + ".png"))) << i;
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "6 icon(s) saved.");

    window->saves().saveAll(OutputKind::Bmp); // cancelled folder dialog: nothing, no message
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(opened.empty());
}

TEST_F(SaveCommandsTest, SaveIconSetWritesTheSelectedGroupAsAThemeOrFlat)
{
    EXPECT_EQ(window->commands().action(Command::SaveIconSet)->text(), "Save Icon Se&t...");
    window->gridView()->grid()->SetItemIndex(1); // MAINICON: 16, 32, 48 at three depths, 256 as PNG
    const fs::path theme = folder.path() / "hicolor";
    fs::create_directory(theme);
    dialogs.messageAnswers.push_back(DialogAnswer::Yes); // as an icon theme
    dialogs.folderAnswers.push_back(theme);
    window->commands().action(Command::SaveIconSet)->trigger();
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Question);
    EXPECT_EQ(dialogs.folderTitles, (std::vector<std::string>{"Select folder for the icon set:"}));
    for (const char* size : {"16x16", "32x32", "48x48", "256x256"})
        EXPECT_TRUE(fs::is_regular_file(theme / size / "apps" / "glyphora-sample.png")) << size;
    EXPECT_EQ(dialogs.messages[1].text, "4 icon(s) saved.");
    EXPECT_EQ(dialogs.messages[1].icon, MessageIcon::Information);

    const fs::path flat = folder.path() / "flat";
    fs::create_directory(flat);
    dialogs.messageAnswers.push_back(DialogAnswer::No); // one picture for each image
    dialogs.folderAnswers.push_back(flat);
    window->saves().saveIconSet();
    EXPECT_EQ(std::distance(fs::directory_iterator(flat), fs::directory_iterator{}), 10);
    EXPECT_TRUE(fs::is_regular_file(flat / "glyphora-sample-48x48-8bit.png"));
    EXPECT_TRUE(fs::is_regular_file(flat / "glyphora-sample-256x256.png"));

    // Without a selection it warns and asks nothing.
    window->gridView()->grid()->SetItemIndex(-1);
    const std::size_t shown = dialogs.messages.size();
    window->saves().saveIconSet();
    ASSERT_EQ(dialogs.messages.size(), shown + 1);
    EXPECT_EQ(dialogs.messages.back().icon, MessageIcon::Warning);
    EXPECT_EQ(dialogs.folderTitles.size(), 2u);
}

TEST_F(SaveCommandsTest, SaveAllAsOneWritesTheComposedPicture)
{
    dialogs.saveAnswers.push_back(SaveFileAnswer{folder.path() / "all.bmp", 1});
    window->saves().saveAllAsOneImage();
    ASSERT_EQ(dialogs.saveRequests.size(), 1u);
    EXPECT_EQ(dialogs.saveRequests[0].filter.rfind("Bitmap images (*.bmp)|*.bmp|", 0), 0u);
    EXPECT_EQ(dialogs.saveRequests[0].defaultExt, "bmp");
    const std::string bmp = ReadText(folder.path() / "all.bmp");
    ASSERT_GT(bmp.size(), 26u);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    const IconGrid* grid = window->gridView()->grid();
    const int width = static_cast<unsigned char>(bmp[18]) | static_cast<unsigned char>(bmp[19]) << 8;
    EXPECT_EQ(width, std::min(6, grid->ColCount()) * 42 + 2);
    EXPECT_EQ(opened, (std::vector<fs::path>{folder.path() / "all.bmp"}));
}

TEST_F(SaveCommandsTest, HtmlExportUsesTheEditedOptions)
{
    ExportSettings edited = window->exportSettings();
    edited.columnCount = 2;
    edited.includeNumbers = false;
    dialogs.exportAnswers.push_back(edited);
    dialogs.saveAnswers.push_back(SaveFileAnswer{folder.path() / "page.html", 2});
    window->saves().exportDocument(ExportKind::Html);
    ASSERT_EQ(dialogs.exportRequests.size(), 1u);
    EXPECT_EQ(dialogs.exportRequests[0].first, ExportKind::Html);
    EXPECT_EQ(dialogs.saveRequests.at(0).title, "Export icons to HTML document");
    EXPECT_EQ(window->exportSettings().columnCount, 2);
    const std::string html = ReadText(folder.path() / "page.html");
    EXPECT_EQ(CountOf(html, "<tr>"), 3);
    EXPECT_EQ(CountOf(html, "<br>"), 0);
    EXPECT_NE(html.find("page_files/ico_glyphora-sample_dll0006.png"), std::string::npos);
    EXPECT_TRUE(fs::exists(folder.path() / "page_files" / "ico_glyphora-sample_dll0001.png"));
    EXPECT_EQ(opened, (std::vector<fs::path>{folder.path() / "page.html"}));
}

TEST_F(SaveCommandsTest, CancelledOptionsEndTheExport)
{
    window->saves().exportDocument(ExportKind::Pdf);
    EXPECT_EQ(dialogs.exportRequests.size(), 1u);
    EXPECT_TRUE(dialogs.saveRequests.empty());
}

TEST_F(SaveCommandsTest, ShiftCtrlSkipsTheOptionsAndExportsThePdf)
{
    modifiers = Qt::ShiftModifier | Qt::ControlModifier;
    dialogs.saveAnswers.push_back(SaveFileAnswer{folder.path() / "icons.pdf", 1});
    window->saves().exportDocument(ExportKind::Pdf);
    EXPECT_TRUE(dialogs.exportRequests.empty());
    EXPECT_EQ(dialogs.saveRequests.at(0).title, "Export icons to PDF document");
    EXPECT_EQ(dialogs.saveRequests.at(0).defaultExt, "pdf");
    const std::string pdf = ReadText(folder.path() / "icons.pdf");
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    EXPECT_NE(pdf.find("/Img6"), std::string::npos);

    modifiers = Qt::ShiftModifier; // Shift alone does not skip
    window->saves().exportDocument(ExportKind::Pdf);
    EXPECT_EQ(dialogs.exportRequests.size(), 1u);
}

TEST_F(SaveCommandsTest, DbaseExportAsksAboutALoneMemoFile)
{
    std::ofstream(folder.path() / "table.dbt") << "old memo";
    ExportSettings edited = window->exportSettings();
    edited.dbfType = OutputKind::Png;
    dialogs.exportAnswers = {edited, edited};
    dialogs.saveAnswers = {SaveFileAnswer{folder.path() / "table.dbf", 1},
                           SaveFileAnswer{folder.path() / "table.dbf", 1}};
    dialogs.messageAnswers = {DialogAnswer::No, DialogAnswer::Yes};

    window->saves().exportDocument(ExportKind::Dbase);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_NE(dialogs.messages[0].text.find((folder.path() / "table.dbt").string()), std::string::npos);
    EXPECT_FALSE(fs::exists(folder.path() / "table.dbf"));

    window->saves().exportDocument(ExportKind::Dbase);
    const std::string dbf = ReadText(folder.path() / "table.dbf");
    ASSERT_GT(dbf.size(), 8u);
    EXPECT_EQ(static_cast<unsigned char>(dbf[4]), 6); // six records
    EXPECT_GT(fs::file_size(folder.path() / "table.dbt"), 1024u);
    EXPECT_EQ(window->exportSettings().dbfType, OutputKind::Png);
}

TEST_F(SaveCommandsTest, ExcelItemWritesTheSpreadsheetWithTheChosenGreyScale)
{
    ExportSettings edited = window->exportSettings();
    edited.grayScale = true;
    dialogs.exportAnswers.push_back(edited);
    dialogs.saveAnswers.push_back(SaveFileAnswer{folder.path() / "sheet.xlsx", 1});
    window->commands().action(Command::ExportXlsx)->trigger();
    ASSERT_EQ(dialogs.exportRequests.size(), 1u);
    EXPECT_EQ(dialogs.exportRequests[0].first, ExportKind::Xlsx);
    ASSERT_EQ(dialogs.saveRequests.size(), 1u);
    EXPECT_EQ(dialogs.saveRequests[0].title, "Export icons to Microsoft Excel sheet");
    EXPECT_EQ(dialogs.saveRequests[0].filter, "Microsoft Excel sheets (*.xlsx)|*.xlsx");
    EXPECT_EQ(dialogs.saveRequests[0].defaultExt, "xlsx");
    EXPECT_TRUE(window->exportSettings().grayScale);
    const std::string book = ReadText(folder.path() / "sheet.xlsx");
    EXPECT_EQ(book.substr(0, 2), "PK");
    EXPECT_EQ(CountOf(book, "xl/media/image"), 12) << "six pictures, each named in the archive twice";
    EXPECT_EQ(opened, (std::vector<fs::path>{folder.path() / "sheet.xlsx"}));
    EXPECT_TRUE(dialogs.messages.empty());

    // Cancelling the options writes nothing and asks for no file.
    window->saves().exportDocument(ExportKind::Xlsx);
    EXPECT_EQ(dialogs.saveRequests.size(), 1u);
}

TEST_F(SaveCommandsTest, ShiftCtrlSkipsTheOptionsOfTheSpreadsheet)
{
    modifiers = Qt::ShiftModifier | Qt::ControlModifier;
    dialogs.saveAnswers.push_back(SaveFileAnswer{folder.path() / "quick.xlsx", 1});
    window->saves().exportDocument(ExportKind::Xlsx);
    EXPECT_TRUE(dialogs.exportRequests.empty());
    EXPECT_TRUE(fs::exists(folder.path() / "quick.xlsx"));
}

} // namespace
} // namespace glyphora

namespace glyphora {
namespace {

// The window gives the reasons the command line gives: a file without icon groups of its own
// saves no icon file, and says so in an error box instead of a count of nothing.
TEST_F(SaveCommandsTest, AFileWithoutGroupsSaysWhyNoIconFileWasSaved)
{
    const fs::path notes = folder.path() / "notes.txt";
    std::ofstream(notes) << "no icons in here";
    window->SelectFile(notes);
    window->settings().openAfterSave = true;
    window->gridView()->grid()->SetItemIndex(0);

    dialogs.saveAnswers.push_back(SaveFileAnswer{folder.path() / "notes.ico", 1});
    window->saves().saveSelected();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "Unable to load or find icons in this file.\n" + notes.string());
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Error);
    EXPECT_FALSE(fs::exists(folder.path() / "notes.ico"));
    EXPECT_TRUE(opened.empty()) << "nothing was written, nothing is opened";

    dialogs.folderAnswers.push_back(folder.path() / "icons");
    window->saves().saveAll(OutputKind::Icon);
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].text, dialogs.messages[0].text) << "not \"0 icon(s) saved.\"";
    EXPECT_EQ(dialogs.messages[1].icon, MessageIcon::Error);
    EXPECT_FALSE(fs::exists(folder.path() / "icons")) << "no empty folder is left";
}

} // namespace
} // namespace glyphora
