// The window's save and export commands with scripted dialog answers: each writes its file,
// asks what it should ask, and opens the result afterwards through the recording opener.
#include "app/gui/ActionManager.h"
#include "app/gui/MainWindow.h"
#include "app/gui/SaveController.h"
#include "widgets/PopupButton.h"
#include "platform/ShellOpen.h"
#include "tests/support/TempFolder.h"
#include "tests/support/qt/GuiTestSupport.h"

#include <QApplication>
#include <QEnterEvent>
#include <QLabel>
#include <QTest>

#include <fstream>
#include <functional>
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
        SetShellOpener([this](const fs::path& path) {
            opened.push_back(path);
            return desktopOpens;
        });
        window = std::make_unique<MainWindow>(std::vector<std::string>{test::SampleModule().string()}, &dialogs);
        window->saves().setModifiersQuery([this] { return modifiers; });
        window->SelectFile(test::SampleModule());
        window->saves().saveDialogFolder() = folder.path();
    }
    void TearDown() override { SetShellOpener({}); }

    testing::TempFolder folder;
    test::ScriptedDialogs dialogs;
    std::vector<fs::path> opened;
    bool desktopOpens = true; // whether the desktop has a program for what is opened
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

namespace glyphora {
namespace {

// The first bytes of each picture and icon format, as the saves write them.
std::string FormatOf(const fs::path& file)
{
    const std::string bytes = ReadText(file);
    if (bytes.rfind("BM", 0) == 0) return "bmp";
    if (bytes.rfind("\x89PNG", 0) == 0) return "png";
    if (bytes.rfind("\xFF\xD8", 0) == 0) return "jpg";
    if (bytes.rfind("GIF8", 0) == 0) return "gif";
    if (bytes.size() > 44 && bytes.compare(40, 4, " EMF") == 0) return "emf";
    if (bytes.rfind(std::string("\0\0\1\0", 4), 0) == 0) return "ico";
    return "unknown";
}

TEST(FilterIndexForNameTest, ATypedExtensionOfAnotherOfferedTypeChoosesIt)
{
    const std::string pictures = "Bitmap images (*.bmp)|*.bmp|JPEG images (*.jpg)|*.jpg|PNG images (*.png)|*.png";
    const std::string html = "HTML documents (*.htm)|*.htm|HTML documents (*.html)|*.html";
    const std::string many = "All (*.exe *.dll)|*.exe *.dll|Any file (*.*)|*.*";
    struct Case {
        const std::string& filter;
        const char* name;
        int chosen;
        int expected;
    } cases[] = {
        {pictures, "/tmp/a.png", 1, 3},       {pictures, "/tmp/a.PNG", 1, 3},  // letter case ignored
        {pictures, "/tmp/a.jpg", 3, 2},       {pictures, "/tmp/a.bmp", 1, 1},  // the chosen type covers it
        {pictures, "/tmp/a.jpeg", 2, 2},      {pictures, "/tmp/a.tiff", 3, 3}, // no offered type: as chosen
        {pictures, "/tmp/a", 2, 2},           {pictures, "/tmp/a.", 2, 2},
        {pictures, "/tmp/x.png/a.bmp", 3, 1}, // the folder's dot does not count
        {html, "/tmp/p.html", 1, 2},          {html, "/tmp/p.htm", 2, 1},
        {many, "/tmp/m.dll", 2, 1},           {many, "/tmp/m.txt", 2, 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FilterIndexForName(c.filter, c.name, c.chosen), c.expected) << c.name << " chosen " << c.chosen;
}

// The name the user types decides the format, whatever type the dialog still shows, and
// that type is the one the dialog shows next time.
TEST_F(SaveCommandsTest, ATypedExtensionWritesThatFormatAndIsRememberedAsTheType)
{
    window->settings().openAfterSave = false;
    dialogs.saveAnswers.push_back(SaveFileAnswer{folder.path() / "all-one.png", 1}); // Bitmap still chosen
    window->commands().action(Command::SaveAllAsOneImage)->trigger();
    EXPECT_EQ(FormatOf(folder.path() / "all-one.png"), "png");

    dialogs.saveAnswers.push_back(SaveFileAnswer{folder.path() / "all-two", 1}); // no extension: the type's
    window->commands().action(Command::SaveAllAsOneImage)->trigger();
    ASSERT_EQ(dialogs.saveRequests.size(), 2u);
    EXPECT_EQ(dialogs.saveRequests[1].filterIndex, 5) << "PNG is the type used last";
    EXPECT_EQ(dialogs.saveRequests[1].defaultExt, "png");
    EXPECT_EQ(FormatOf(folder.path() / "all-two.bmp"), "bmp") << "a bare name takes the chosen type";

    // Ctrl+S through the window, the icon type chosen, a name ending in ".png" and ".GIF".
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    window->gridView()->setFocus();
    dialogs.saveAnswers.push_back(SaveFileAnswer{folder.path() / "sel14.png", 1});
    dialogs.saveAnswers.push_back(SaveFileAnswer{folder.path() / "sel15.GIF", 1});
    dialogs.saveAnswers.push_back(SaveFileAnswer{folder.path() / "sel16.ico", 6});
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(dialogs.saveRequests.size(), 5u);
    EXPECT_EQ(FormatOf(folder.path() / "sel14.png"), "png");
    EXPECT_EQ(FormatOf(folder.path() / "sel15.GIF"), "gif");
    EXPECT_EQ(FormatOf(folder.path() / "sel16.ico"), "ico");
    EXPECT_EQ(dialogs.saveRequests[3].filterIndex, 6) << "PNG after the icon entry";
    EXPECT_EQ(dialogs.saveRequests[4].filterIndex, 5) << "GIF";
}

// Each save dialog comes back with the type chosen in it last, never with the entry of
// that number in another dialog's list.
TEST_F(SaveCommandsTest, EachSaveDialogPreselectsTheTypeLastUsedInIt)
{
    window->settings().openAfterSave = false;
    struct Case {
        int allAsOneEntry; // chosen in "Save All as One Image"
        const char* name;
    } cases[] = {{5, "one.png"}, {2, "two.jpg"}, {4, "three.gif"}};
    int selectedEntry = 1; // the icon type, untouched by the other dialog
    for (const Case& c : cases) {
        dialogs.saveAnswers.push_back(SaveFileAnswer{folder.path() / c.name, c.allAsOneEntry});
        window->saves().saveAllAsOneImage();
        dialogs.saveAnswers.push_back(std::nullopt); // the Ctrl+S dialog, cancelled
        window->saves().saveSelected();
        EXPECT_EQ(dialogs.saveRequests.back().filterIndex, selectedEntry) << c.name;
        dialogs.saveAnswers.push_back(std::nullopt);
        window->saves().saveAllAsOneImage();
        EXPECT_EQ(dialogs.saveRequests.back().filterIndex, c.allAsOneEntry) << c.name;
    }
    // A type chosen in the Ctrl+S dialog is its own and leaves the other dialog's alone.
    dialogs.saveAnswers.push_back(SaveFileAnswer{folder.path() / "sel.jpg", 3});
    window->saves().saveSelected();
    dialogs.saveAnswers.push_back(std::nullopt);
    window->saves().saveSelected();
    EXPECT_EQ(dialogs.saveRequests.back().filterIndex, 3);
    dialogs.saveAnswers.push_back(std::nullopt);
    window->saves().saveAllAsOneImage();
    EXPECT_EQ(dialogs.saveRequests.back().filterIndex, 4);
    // The document exports keep theirs too: HTML's second entry does not move the pictures'.
    modifiers = Qt::ShiftModifier | Qt::ControlModifier;
    dialogs.saveAnswers.push_back(SaveFileAnswer{folder.path() / "page.html", 2});
    window->saves().exportDocument(ExportKind::Html);
    dialogs.saveAnswers.push_back(std::nullopt);
    window->saves().exportDocument(ExportKind::Html);
    EXPECT_EQ(dialogs.saveRequests.back().filterIndex, 2);
    dialogs.saveAnswers.push_back(std::nullopt);
    window->saves().saveSelected();
    EXPECT_EQ(dialogs.saveRequests.back().filterIndex, 3);
}

} // namespace
} // namespace glyphora

namespace glyphora {
namespace {

std::string Hint(const MainWindow& window)
{
    return window.statusText(StatusPanel::Hint).toStdString();
}

// Every save and export names in the hint panel what it wrote: the file, or the count and
// the folder.
TEST_F(SaveCommandsTest, EverySaveNamesWhatItWroteInTheHintPanel)
{
    modifiers = Qt::ShiftModifier | Qt::ControlModifier; // the exports without their options
    const fs::path icons = folder.path() / "icons";
    const fs::path set = folder.path() / "set";
    fs::create_directory(icons);
    fs::create_directory(set);
    struct Case {
        const char* what;
        std::function<void()> run;
        std::string hint;
    } cases[] = {
        {"selected",
         [&] {
             dialogs.saveAnswers.push_back(SaveFileAnswer{folder.path() / "one.png", 6});
             window->commands().action(Command::SaveSelected)->trigger();
         },
         "Saved " + (folder.path() / "one.png").string()},
        {"as one",
         [&] {
             dialogs.saveAnswers.push_back(SaveFileAnswer{folder.path() / "all.gif", 4});
             window->commands().action(Command::SaveAllAsOneImage)->trigger();
         },
         "Saved " + (folder.path() / "all.gif").string()},
        {"all",
         [&] {
             dialogs.folderAnswers.push_back(icons);
             window->saves().saveAll(OutputKind::Png);
         },
         "6 icon(s) saved. Folder: " + icons.string()},
        {"icon set",
         [&] {
             dialogs.messageAnswers.push_back(DialogAnswer::No);
             dialogs.folderAnswers.push_back(set);
             window->commands().action(Command::SaveIconSet)->trigger();
         },
         "9 icon(s) saved. Folder: " + set.string()},
        {"html",
         [&] {
             dialogs.saveAnswers.push_back(SaveFileAnswer{folder.path() / "page.html", 2});
             window->commands().action(Command::ExportHtml)->trigger();
         },
         "Saved " + (folder.path() / "page.html").string()},
        {"dbase",
         [&] {
             dialogs.saveAnswers.push_back(SaveFileAnswer{folder.path() / "table", 1});
             window->commands().action(Command::ExportDbase)->trigger();
         },
         "Saved " + (folder.path() / "table.dbf").string()},
        {"pdf",
         [&] {
             dialogs.saveAnswers.push_back(SaveFileAnswer{folder.path() / "icons.pdf", 1});
             window->commands().action(Command::ExportPdf)->trigger();
         },
         "Saved " + (folder.path() / "icons.pdf").string()},
        {"xlsx",
         [&] {
             dialogs.saveAnswers.push_back(SaveFileAnswer{folder.path() / "sheet.xlsx", 1});
             window->commands().action(Command::ExportXlsx)->trigger();
         },
         "Saved " + (folder.path() / "sheet.xlsx").string()},
    };
    for (const Case& c : cases) {
        window->statusPanel(StatusPanel::Hint)->clear();
        c.run();
        EXPECT_EQ(Hint(*window), c.hint) << c.what;
    }
    // A cancelled dialog writes nothing and says nothing.
    dialogs.saveAnswers.push_back(std::nullopt);
    window->saves().saveSelected();
    EXPECT_EQ(Hint(*window), cases[7].hint);
}

// A control's hint covers what a save wrote only while the pointer is on the control: the
// pointer leaving it (as when a dialog opens over it) brings the report back.
TEST_F(SaveCommandsTest, WhatASaveWroteComesBackWhenAHintEnds)
{
    window->settings().openAfterSave = false;
    dialogs.saveAnswers.push_back(SaveFileAnswer{folder.path() / "kept.png", 5});
    window->saves().saveAllAsOneImage();
    const std::string report = "Saved " + (folder.path() / "kept.png").string();
    ASSERT_EQ(Hint(*window), report);
    QWidget* open = window->commands().popupButton(Command::Open);
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), open->mapToGlobal(QPointF(2, 2)));
    QApplication::sendEvent(open, &enter);
    EXPECT_EQ(Hint(*window), "Open a file");
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(open, &leave);
    EXPECT_EQ(Hint(*window), report);
}

// A desktop that cannot open what was written (opening is on) is said once in a message,
// and noted in the hint panel each time.
TEST_F(SaveCommandsTest, ADesktopThatCannotOpenTheFileIsSaidOnce)
{
    desktopOpens = false;
    window->settings().openAfterSave = true;
    dialogs.saveAnswers.push_back(SaveFileAnswer{folder.path() / "a.png", 6});
    window->saves().saveSelected();
    EXPECT_EQ(opened, (std::vector<fs::path>{folder.path() / "a.png"}));
    EXPECT_EQ(Hint(*window), "Saved " + (folder.path() / "a.png").string() + " (The desktop could not open it.)");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "The desktop could not open\n" + (folder.path() / "a.png").string() +
                                            "\nThe file has been saved; open it with a program of your choice.");
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Warning);

    dialogs.saveAnswers.push_back(SaveFileAnswer{folder.path() / "b.bmp", 1});
    window->saves().saveAllAsOneImage();
    EXPECT_EQ(opened.size(), 2u);
    EXPECT_EQ(Hint(*window), "Saved " + (folder.path() / "b.bmp").string() + " (The desktop could not open it.)");
    EXPECT_EQ(dialogs.messages.size(), 1u) << "said once";

    // A desktop that opens it: no note.
    desktopOpens = true;
    dialogs.saveAnswers.push_back(SaveFileAnswer{folder.path() / "c.bmp", 1});
    window->saves().saveAllAsOneImage();
    EXPECT_EQ(Hint(*window), "Saved " + (folder.path() / "c.bmp").string());
    EXPECT_EQ(dialogs.messages.size(), 1u);
}

} // namespace
} // namespace glyphora
