// Tests of the help file choice, topic pages and the window's help service.
#include "i18n/Help.h"

#include "i18n/LanguagePack.h"
#include "tests/support/RecordingHelpViewer.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace glyphora {
namespace {

struct RecordedMessage {
    std::string text;
    MessageIcon icon;
};

class RecordingDialogs final : public MessageDialogs {
public:
    DialogAnswer Show(const std::string& text, MessageIcon icon, MessageButtons) override
    {
        messages.push_back({text, icon});
        return DialogAnswer::Ok;
    }
    std::vector<RecordedMessage> messages;
};

using testing::RecordingHelpViewer;

void Touch(const std::filesystem::path& path)
{
    std::ofstream(path) << "x";
}

TEST(HelpFiles, FileNameOfEachLanguage)
{
    const std::pair<int, const char*> cases[] = {
        {0, "english.chm"}, {1, "ukrainian.chm"}, {2, "english.chm"},  {3, "english.chm"},
        {4, "english.chm"}, {5, "english.chm"},   {-1, "english.chm"}, {99, "english.chm"},
    };
    for (const auto& [language, file] : cases)
        EXPECT_EQ(HelpFileName(language), file) << language;
}

TEST(HelpFiles, TopicPages)
{
    const std::pair<const char*, const char*> cases[] = {
        {"export", "/export.htm"},
        {"printing-icons", "/printing-icons.htm"},
        {"", ""}, // the contents
        {"command-line|#switches", "/command-line.htm#switches"},
        {"|#switches", ""}, // no name: still the contents
        {"a|b|c", "/a.htm"
                  "b|c"}, // only the first bar splits
        {"export|", "/export.htm"},
    };
    for (const auto& [topic, page] : cases)
        EXPECT_EQ(HelpTopicPage(topic), page) << topic;
}

TEST(HelpFiles, MissingFileIsReportedFromTheMenuOrOnTheFirstStartOfEnglishOrUkrainian)
{
    struct Case {
        bool fromMenu;
        bool firstStart;
        int language;
        bool reported;
    };
    const Case cases[] = {
        {true, false, 2, true},  {true, false, 1, true},  {false, true, 0, true},   {false, true, 1, true},
        {false, true, 2, false}, {false, true, 5, false}, {false, false, 1, false}, {false, false, 0, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReportMissingHelpFile(c.fromMenu, c.firstStart, c.language), c.reported)
            << c.fromMenu << c.firstStart << c.language;
}

class ChooseHelpFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::vector<PackProblem> problems;
        InstallLanguagePack(LanguagePack::Parse("605 = No such file: %s\n612 = Download it.\n", problems));
    }
    void TearDown() override { ReleaseLanguagePack(); }

    testing::TempFolder folder;
    RecordingDialogs dialogs;
};

TEST_F(ChooseHelpFileTest, UkrainianWhenItsFileExists)
{
    Touch(folder.path() / "ukrainian.chm");
    EXPECT_EQ(ChooseHelpFile(folder.path(), 1, true, dialogs), folder.path() / "ukrainian.chm");
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ChooseHelpFileTest, MissingUkrainianFallsBackToEnglishAndNamesTheMissingFile)
{
    Touch(folder.path() / "english.chm");
    EXPECT_EQ(ChooseHelpFile(folder.path(), 1, true, dialogs), folder.path() / "english.chm");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "No such file: ukrainian.chm\nDownload it.");
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Error);
}

TEST_F(ChooseHelpFileTest, EnglishIsChosenEvenWhenMissing)
{
    // Greek at start-up: no message although english.chm is missing too.
    EXPECT_EQ(ChooseHelpFile(folder.path(), 2, false, dialogs), folder.path() / "english.chm");
    EXPECT_TRUE(dialogs.messages.empty());
    // Greek from the menu: the message names english.chm.
    EXPECT_EQ(ChooseHelpFile(folder.path(), 2, true, dialogs), folder.path() / "english.chm");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "No such file: english.chm\nDownload it.");
}

TEST_F(ChooseHelpFileTest, BuiltInWordingWithoutAPack)
{
    ReleaseLanguagePack();
    ChooseHelpFile(folder.path(), 0, true, dialogs);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "File not found:\nenglish.chm\nIt can be found on the Glyphora web page.");
}

TEST(HelpService, TopicsGoToTheViewerWithTheChosenFile)
{
    RecordingHelpViewer viewer;
    HelpService help(&viewer);
    help.SetHelpFile("/opt/glyphora/english.chm");
    help.RunHelp("export");
    help.RunHelp("printing-icons");
    help.RunHelp("");
    help.ShowContents();
    help.RunHelp("command-line|#switches");
    help.CloseAllHelp();
    const std::vector<std::string> expected = {
        "topic /opt/glyphora/english.chm /export.htm",
        "topic /opt/glyphora/english.chm /printing-icons.htm",
        "contents /opt/glyphora/english.chm",
        "contents /opt/glyphora/english.chm",
        "topic /opt/glyphora/english.chm /command-line.htm#switches",
        "close all",
    };
    EXPECT_EQ(viewer.calls, expected);
}

TEST(HelpService, WithoutAViewerNothingHappens)
{
    HelpService help;
    help.SetHelpFile("english.chm");
    help.RunHelp("export");
    help.CloseAllHelp();
    EXPECT_EQ(help.Viewer(), nullptr);

    RecordingHelpViewer viewer;
    help.SetViewer(&viewer);
    help.RunHelp({});
    EXPECT_EQ(viewer.calls, std::vector<std::string>{"contents english.chm"});
}

} // namespace
} // namespace glyphora
