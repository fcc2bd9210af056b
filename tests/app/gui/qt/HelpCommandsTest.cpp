// The window's help: the help button, F1, the export options dialog's help button, the very
// first start and closing the window, each reaching the help service; and, with the real
// viewer, a help window that opens on F1 and closes with the main window.
#include "app/gui/ExportOptionsDialog.h"
#include "app/gui/ActionManager.h"
#include "app/gui/MainWindow.h"
#include "app/gui/PrintController.h"
#include "app/gui/SaveController.h"
#include "widgets/PopupButton.h"
#include "widgets/PushButton.h"
#include "app/gui/PrintDialog.h"
#include "app/gui/WindowHost.h"
#include "platform/ProgramPaths.h"
#include "i18n/LanguagePack.h"
#include "i18n/qt/HelpWindow.h"
#include "settings/SettingsStorage.h"
#include "tests/settings/SettingsTestSupport.h"
#include "tests/support/RecordingHelpViewer.h"
#include "tests/support/qt/GuiTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace glyphora {
namespace {

class HelpCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<MainWindow>(std::vector<std::string>{}, &dialogs);
        window->help().SetViewer(&viewer);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void TearDown() override
    {
        window.reset();
        // Other tests read the English texts of the pack the test program starts with.
        LoadLanguagePack(GLYPHORA_BUILD_DIR "/english.lng");
    }

    std::string Contents() const { return "contents " + DataFilePath("english.chm").string(); }

    test::ScriptedDialogs dialogs;
    testing::RecordingHelpViewer viewer;
    std::unique_ptr<MainWindow> window;
};

TEST_F(HelpCommandsTest, HelpButtonAndF1OpenTheContents)
{
    ASSERT_TRUE(window->commands().softButton(Command::Help)->isEnabled());
    QTest::mouseClick(window->commands().softButton(Command::Help), Qt::LeftButton);
    EXPECT_EQ(viewer.calls, std::vector<std::string>{Contents()});

    QTest::keyClick(window->gridView(), Qt::Key_F1);
    QTest::keyClick(window->gridView(), Qt::Key_F1, Qt::ShiftModifier); // F1 with any modifier
    EXPECT_EQ(viewer.calls, (std::vector<std::string>{Contents(), Contents(), Contents()}));
}

TEST_F(HelpCommandsTest, TheFirstStartOpensTheContents)
{
    WindowHost host(*window);
    host.RunHelp();
    EXPECT_EQ(viewer.calls, std::vector<std::string>{Contents()});
}

// The start counter of the settings: the very first start without arguments opens the
// contents, later starts and starts with arguments do not.
TEST(HelpOnTheFirstStart, OnlyTheVeryFirstStartWithoutArgumentsOpensTheContents)
{
    test::StoreFiles stores;
    test::ScriptedDialogs dialogs;
    struct Case {
        const char* storedRun; // nothing stored yet on the very first start
        std::vector<std::string> arguments;
        bool opensHelp;
    };
    const std::string sample = test::SampleModule().string();
    const Case cases[] = {
        {nullptr, {}, true},
        {"1", {}, false},
        {nullptr, {sample}, false},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(stores.ini);
        if (c.storedRun) test::WriteText(stores.ini, std::string("[Settings]\nRun=") + c.storedRun + "\n");
        SettingsStorage storage = stores.Open();
        testing::RecordingHelpViewer viewer;
        MainWindow window(c.arguments, &dialogs, &storage);
        window.help().SetViewer(&viewer);
        EXPECT_EQ(WindowHost(window).IsFirstStart(), c.storedRun == nullptr);
        window.runCommandLine();
        EXPECT_EQ(viewer.calls.size(), c.opensHelp ? 1u : 0u)
            << (c.storedRun ? c.storedRun : "first") << c.arguments.size();
        window.help().SetViewer(nullptr);
    }
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(HelpCommandsTest, TheHelpFileFollowsTheLanguage)
{
    EXPECT_EQ(window->help().HelpFile(), DataFilePath("english.chm"));
    window->commands().members(Command::Language)[1]->trigger(); // Ukrainian
    EXPECT_EQ(window->help().HelpFile(), DataFilePath("ukrainian.chm"));
    QTest::keyClick(window->gridView(), Qt::Key_F1);
    EXPECT_EQ(viewer.calls, std::vector<std::string>{"contents " + DataFilePath("ukrainian.chm").string()});
    window->commands().members(Command::Language)[2]->trigger(); // Greek has no help of its own
    EXPECT_EQ(window->help().HelpFile(), DataFilePath("english.chm"));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(HelpCommandsTest, ClosingTheWindowClosesTheHelp)
{
    window->close();
    EXPECT_EQ(viewer.calls, std::vector<std::string>{"close all"});
}

TEST_F(HelpCommandsTest, ExportOptionsHelpButtonOpensTheExportPage)
{
    ExportOptionsDialog unwired;
    EXPECT_FALSE(unwired.helpButton()->isEnabled());

    ExportOptionsDialog dialog;
    dialog.setHelp(&window->help());
    dialog.prepare(ExportKind::Pdf, ExportSettings{});
    ASSERT_TRUE(dialog.helpButton()->isEnabled());
    QTest::mouseClick(dialog.helpButton(), Qt::LeftButton);
    EXPECT_EQ(viewer.calls, std::vector<std::string>{"topic " + DataFilePath("english.chm").string() + " /export.htm"});
}

// The window with its real dialogs: the export command shows the options dialog, whose help
// button reaches the window's help while the dialog is up.
TEST(HelpCommandsWithRealDialogs, TheExportDialogOfTheWindowIsWiredToItsHelp)
{
    testing::RecordingHelpViewer viewer;
    MainWindow window({});
    window.help().SetViewer(&viewer);
    window.saves().setModifiersQuery([] { return Qt::KeyboardModifiers(Qt::NoModifier); });
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    bool sawDialog = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = dynamic_cast<ExportOptionsDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        sawDialog = true;
        QTest::mouseClick(dialog->helpButton(), Qt::LeftButton);
        dialog->reject();
    });
    window.saves().exportDocument(ExportKind::Pdf);
    EXPECT_TRUE(sawDialog);
    EXPECT_EQ(viewer.calls, std::vector<std::string>{"topic " + DataFilePath("english.chm").string() + " /export.htm"});
    window.help().SetViewer(nullptr);
}

// The print command with the real dialogs: the print choices dialog's help button reaches the
// window's help while the dialog is up.
TEST(HelpCommandsWithRealDialogs, ThePrintDialogOfTheWindowIsWiredToItsHelp)
{
    testing::RecordingHelpViewer viewer;
    MainWindow window({});
    window.help().SetViewer(&viewer);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.SelectFile(test::SampleModule());

    bool sawDialog = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = dynamic_cast<PrintDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        sawDialog = true;
        QTest::mouseClick(dialog->helpButton(), Qt::LeftButton);
        dialog->reject();
    });
    window.printing().print();
    EXPECT_TRUE(sawDialog);
    EXPECT_EQ(viewer.calls,
              std::vector<std::string>{"topic " + DataFilePath("english.chm").string() + " /printing-icons.htm"});
    window.help().SetViewer(nullptr);
}

// F1 with the real viewer opens a help window on the compiled help file; closing the main
// window closes it again.
TEST(HelpCommandsWithTheRealViewer, F1OpensAHelpWindowThatClosesWithTheMainWindow)
{
    test::ScriptedDialogs dialogs;
    MainWindow window({}, &dialogs);
    ASSERT_EQ(window.help().HelpFile(), DataFilePath("english.chm")); // beside the test program, as for the program
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    QTest::keyClick(window.gridView(), Qt::Key_F1);
    QPointer<HelpWindow> help;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* found = dynamic_cast<HelpWindow*>(widget); found && found->isVisible()) help = found;
    ASSERT_TRUE(help);
    EXPECT_EQ(help->CurrentPage(), "/contents.htm");
    EXPECT_TRUE(dialogs.messages.empty());

    window.runHelp(kHelpTopicExport);
    EXPECT_EQ(help->CurrentPage(), "/export.htm");

    window.close();
    EXPECT_TRUE(help.isNull());
}

} // namespace
} // namespace glyphora
