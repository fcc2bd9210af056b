// The save-all engine: file names, the overwrite question shared across calls, and the
// command line replacing files without asking.
#include "export/SaveAll.h"
#include "i18n/LanguagePack.h"
#include "platform/MessageDialogs.h"
#include "tests/support/TestIcons.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace glyphora {
namespace {

namespace fs = std::filesystem;

class ScriptedDialogs final : public MessageDialogs {
public:
    std::deque<DialogAnswer> answers;
    std::vector<std::string> asked;
    DialogAnswer Show(const std::string& text, MessageIcon icon, MessageButtons buttons) override
    {
        EXPECT_EQ(icon, MessageIcon::Question);
        EXPECT_EQ(buttons, MessageButtons::YesNoNoToAllYesToAll);
        asked.push_back(text);
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << text;
            return DialogAnswer::No;
        }
        const auto a = answers.front();
        answers.pop_front();
        return a;
    }
};

class SaveAllTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(LoadLanguagePack(fs::path(GLYPHORA_SOURCE_DIR) / "i18n/packs/english.lng"));
        dir_ = fs::temp_directory_path() /
               ("glyphora-saveall-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        current_.fileName = "/nowhere/Shell32.DLL";
        for (std::uint32_t c : {0xFF0000u, 0x00FF00u, 0x0000FFu})
            current_.icons.push_back(testing::SolidIcon(32, c));
        request_.destDir = dir_;
        request_.fileType = OutputKind::Png;
        request_.questions = &dialogs_;
    }
    void TearDown() override
    {
        ReleaseLanguagePack();
        fs::remove_all(dir_);
    }
    fs::path File(int n) const { return dir_ / SaveAllFileName(current_.fileName, n, ".png"); }
    void Mark(int n) const { std::ofstream(File(n), std::ios::trunc) << "old"; }
    bool Replaced(int n) const
    {
        std::ifstream in(File(n), std::ios::binary);
        std::string s((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        return s.size() > 8 && s.compare(1, 3, "PNG") == 0;
    }

    CurrentIcons current_;
    SaveAllRequest request_;
    ScriptedDialogs dialogs_;
    fs::path dir_;
};

TEST(SaveAllFileNameTest, StemAndAtLeastFourDigits)
{
    EXPECT_EQ(SaveAllFileName("C:/w/shell32.dll", 1, ".png"), "ico_shell32_dll0001.png");
    EXPECT_EQ(SaveAllFileName("/a/Setup.EXE", 7, ".ico"), "ico_setup_exe0007.ico");
    EXPECT_EQ(SaveAllFileName("/a/readme.txt", 12345, ".png"), "ico_readme_txt12345.png");
}

TEST_F(SaveAllTest, AnswersAreRememberedAcrossCalls)
{
    int count = 0;
    DialogAnswer confirm = DialogAnswer::None;
    SaveAll(current_, request_, count, confirm);
    EXPECT_EQ(count, 3);
    EXPECT_TRUE(dialogs_.asked.empty()) << "new files are written without a question";

    // no skips the first, yes replaces the second, yes to all the third and everything later
    for (int n = 1; n <= 3; ++n)
        Mark(n);
    dialogs_.answers = {DialogAnswer::No, DialogAnswer::Yes, DialogAnswer::YesToAll};
    count = 0;
    SaveAll(current_, request_, count, confirm);
    EXPECT_EQ(count, 2);
    EXPECT_FALSE(Replaced(1));
    EXPECT_TRUE(Replaced(2));
    EXPECT_TRUE(Replaced(3));
    EXPECT_EQ(confirm, DialogAnswer::YesToAll);
    ASSERT_EQ(dialogs_.asked.size(), 3u);
    EXPECT_NE(dialogs_.asked[0].find(File(1).string()), std::string::npos) << dialogs_.asked[0];

    // a second call sharing the answer replaces without asking
    for (int n = 1; n <= 3; ++n)
        Mark(n);
    SaveAll(current_, request_, count, confirm);
    EXPECT_EQ(dialogs_.asked.size(), 3u);
    EXPECT_TRUE(Replaced(1) && Replaced(2) && Replaced(3));
    EXPECT_EQ(count, 5);
}

TEST_F(SaveAllTest, NoToAllSkipsExistingFilesButWritesNewOnes)
{
    int count = 0;
    DialogAnswer confirm = DialogAnswer::None;
    SaveAll(current_, request_, count, confirm);
    Mark(1);
    Mark(2);
    fs::remove(File(3));
    dialogs_.answers = {DialogAnswer::NoToAll};
    count = 0;
    SaveAll(current_, request_, count, confirm);
    EXPECT_EQ(dialogs_.asked.size(), 1u);
    EXPECT_EQ(confirm, DialogAnswer::NoToAll);
    EXPECT_FALSE(Replaced(1));
    EXPECT_FALSE(Replaced(2));
    EXPECT_TRUE(Replaced(3));
    EXPECT_EQ(count, 1);

    Mark(3); // and the remembered answer holds for the next call
    SaveAll(current_, request_, count, confirm);
    EXPECT_EQ(dialogs_.asked.size(), 1u);
    EXPECT_FALSE(Replaced(3));
}

TEST_F(SaveAllTest, NothingIsAskedWhenTheRequestReplacesWithoutAsking)
{
    int count = 0;
    DialogAnswer confirm = DialogAnswer::None;
    SaveAll(current_, request_, count, confirm);
    for (int n = 1; n <= 3; ++n)
        Mark(n);
    request_.overwrite = OverwritePolicy::Replace; // as the command line asks
    SaveAll(current_, request_, count, confirm);
    EXPECT_TRUE(dialogs_.asked.empty());
    EXPECT_TRUE(Replaced(1) && Replaced(2) && Replaced(3));
    EXPECT_EQ(count, 6);
}

} // namespace
} // namespace glyphora
