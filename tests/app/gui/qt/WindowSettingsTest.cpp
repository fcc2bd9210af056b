// The window and its settings: applied at creation, written when it closes, the "Save Setting
// to Registry" switch and the start counter, each start a new window over the same stores.
#include "app/gui/ActionManager.h"
#include "app/gui/MainWindow.h"

#include "settings/IniDocument.h"
#include "settings/RegistryFile.h"
#include "settings/SettingsStorage.h"
#include "tests/settings/SettingsTestSupport.h"
#include "tests/support/qt/GuiTestSupport.h"

#include <QAction>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

namespace glyphora {
namespace {

namespace fs = std::filesystem;
using test::FileText;
using test::WriteText;

class WindowSettingsTest : public ::testing::Test {
protected:
    // One start of the program: a window over the stores, shown. An argument keeps it from
    // opening its own file, so the recent list is the stored one.
    std::unique_ptr<MainWindow> Start()
    {
        storage = std::make_unique<SettingsStorage>(stores.Open());
        auto window = std::make_unique<MainWindow>(std::vector<std::string>{"unused"}, &dialogs, storage.get());
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        return window;
    }
    std::vector<std::string> RecentPaths(const MainWindow& window) const
    {
        std::vector<std::string> paths;
        for (QAction* a : window.commands().menu(Menu::RecentFiles)->actions())
            if (a != window.commands().recentEmptyAction()) paths.push_back(a->statusTip().toStdString());
        return paths;
    }
    IniDocument Ini() const { return IniDocument::Parse(FileText(stores.ini)); }

    test::StoreFiles stores;
    test::ScriptedDialogs dialogs;
    std::unique_ptr<SettingsStorage> storage;
};

TEST_F(WindowSettingsTest, StoredSettingsAreAppliedAtCreation)
{
    const std::string sample = test::SampleModule().string();
    const std::string other = (stores.folder.path() / "other.exe").string();
    WriteText(other, "MZ");
    WriteText(stores.ini,
              "[Settings]\nRun=4\nSaveSettingsToRegistry=1\nLanguage=3\nShowSeparateWindow=0\nSmallIcons=1\n"
              "ExpIncludeNumbers=0\nExpGrayScale=1\nExpDBFFieldName=PIC\nExpTargetImageType=1\nExpDBFType=4\n"
              "[Recent]\n1=" +
                  other + "\n0=" + sample +
                  "\n"
                  "[Placement]\nLeft=30\nTop=40\nRight=630\nBottom=540\nFindPanelVisible=1\nFindPanelHeight=50\n"
                  "FilePanelWidth=260\n");
    const auto window = Start();

    EXPECT_EQ(window->settings().run, 5);
    EXPECT_TRUE(window->settings().settingsInRegistry);
    EXPECT_TRUE(window->commands().action(Command::SaveToRegistry)->isChecked());
    EXPECT_EQ(window->settings().language, 3);
    EXPECT_FALSE(window->settings().showSeparateWindow);
    EXPECT_FALSE(window->commands().action(Command::ShowIconWindow)->isChecked());
    EXPECT_TRUE(window->commands().action(Command::SmallIcons)->isChecked());
    EXPECT_FALSE(window->commands().action(Command::LargeIcons)->isChecked());
    EXPECT_EQ(window->gridView()->grid()->Sizing(), IconSizing::Small);
    EXPECT_EQ(RecentPaths(*window), (std::vector<std::string>{sample, other}));
    EXPECT_FALSE(window->commands().recentEmptyAction()->isVisible());
    EXPECT_FALSE(window->exportSettings().includeNumbers);
    EXPECT_TRUE(window->exportSettings().drawBorders);
    EXPECT_TRUE(window->exportSettings().grayScale);
    EXPECT_EQ(window->exportSettings().dbfFieldName, "PIC");
    EXPECT_EQ(window->exportSettings().targetImageType, HtmlPictureType::Jpeg);
    EXPECT_EQ(window->exportSettings().dbfType, OutputKind::Gif);
    EXPECT_EQ(window->geometry(), QRect(30, 40, 600, 500));
    EXPECT_EQ(window->settings().findPane, (FindPaneSettings{true, 172, 260})) << "a stored height of 50 loads as 172";
}

TEST_F(WindowSettingsTest, FirstStartUsesDefaultsAndWritesTheIniFileAtClose)
{
    auto window = Start();
    EXPECT_EQ(window->settings().run, 1);
    EXPECT_FALSE(window->commands().action(Command::SaveToRegistry)->isChecked());
    EXPECT_TRUE(window->commands().action(Command::ShowIconWindow)->isChecked());
    EXPECT_TRUE(window->commands().action(Command::LargeIcons)->isChecked());
    EXPECT_TRUE(window->commands().recentEmptyAction()->isVisible());
    EXPECT_FALSE(fs::exists(stores.ini)) << "nothing is written before closing";

    window->SelectFile(test::SampleModule());
    window->setIconSize(IconSizing::Small);
    window->exportSettings().dbfFieldName = "GLYPH";
    window->resize(600, 520);
    const QRect geometry = window->geometry();
    EXPECT_TRUE(window->close());

    const IniDocument ini = Ini();
    EXPECT_EQ(ini.Value("Settings", "Run"), "1");
    EXPECT_EQ(ini.Value("Settings", "SmallIcons"), "1");
    EXPECT_EQ(ini.Value("Settings", "ExpDBFFieldName"), "GLYPH");
    EXPECT_EQ(ini.Value("Recent", "0"), test::SampleModule().string());
    EXPECT_EQ(ini.Value("Placement", "Left"), std::to_string(geometry.left()));
    EXPECT_EQ(ini.Value("Placement", "Right"), std::to_string(geometry.left() + geometry.width()));
    EXPECT_EQ(ini.Value("Placement", "Bottom"), std::to_string(geometry.top() + geometry.height()));
    EXPECT_FALSE(fs::exists(stores.registry)) << "no registry key is made";

    window.reset();
    const auto next = Start();
    EXPECT_EQ(next->settings().run, 2);
    EXPECT_TRUE(next->commands().action(Command::SmallIcons)->isChecked());
    EXPECT_EQ(next->exportSettings().dbfFieldName, "GLYPH");
    EXPECT_EQ(next->geometry(), geometry);
    EXPECT_EQ(RecentPaths(*next), std::vector<std::string>{test::SampleModule().string()});
}

TEST_F(WindowSettingsTest, TheRegistrySwitchWritesOrDeletesTheSecondStoreAtClose)
{
    auto window = Start();
    window->commands().action(Command::SaveToRegistry)->trigger();
    EXPECT_TRUE(window->settings().settingsInRegistry);
    EXPECT_FALSE(fs::exists(stores.registry)) << "nothing is written until the window closes";
    window->close();
    window.reset();
    ASSERT_TRUE(RegistryFile(stores.registry).KeyExists(std::string(kProgramKey)));
    EXPECT_EQ(Ini().Value("Settings", "SaveSettingsToRegistry"), "1");

    fs::remove(stores.ini); // the next start reads the registry
    window = Start();
    EXPECT_TRUE(window->commands().action(Command::SaveToRegistry)->isChecked());
    EXPECT_EQ(window->settings().run, 1) << "the registry got no Run at close";
    window->commands().action(Command::SaveToRegistry)->trigger();
    EXPECT_FALSE(window->settings().settingsInRegistry);
    window->close();
    EXPECT_FALSE(fs::exists(stores.registry)) << "the key, and with it the counterpart file, is gone";
    EXPECT_EQ(Ini().Value("Settings", "SaveSettingsToRegistry"), "0");
}

TEST_F(WindowSettingsTest, ARelativePathIsStoredAsAFullPath)
{
    auto window = Start();
    const fs::path relative = fs::relative(test::SampleModule(), fs::current_path());
    ASSERT_TRUE(relative.is_relative());
    window->SelectFile(relative);
    window->close();
    EXPECT_EQ(fs::path(Ini().Value("Recent", "0").value_or("")), fs::absolute(relative));
}

TEST_F(WindowSettingsTest, EachStartCountsOnce)
{
    for (int run = 1; run <= 3; ++run) {
        auto window = Start();
        EXPECT_EQ(window->settings().run, run);
        window->close();
        window->close(); // a second close writes nothing more
        EXPECT_EQ(Ini().Value("Settings", "Run"), std::to_string(run));
    }
}

TEST_F(WindowSettingsTest, AMaximisedWindowComesBackMaximisedOverItsNormalRectangle)
{
    WriteText(stores.ini, "[Placement]\nLeft=20\nTop=30\nRight=620\nBottom=530\nMaximized=1\n");
    auto window = Start();
    EXPECT_TRUE(window->isMaximized());
    window->close();
    const IniDocument ini = Ini();
    EXPECT_EQ(ini.Value("Placement", "Maximized"), "1");
    EXPECT_EQ(ini.Value("Placement", "Left"), "20");
    EXPECT_EQ(ini.Value("Placement", "Bottom"), "530");
}

TEST_F(WindowSettingsTest, AWindowStoredOffEveryScreenComesBackOnOne)
{
    WriteText(stores.ini, "[Placement]\nLeft=-90000\nTop=-90000\nRight=-89400\nBottom=-89500\n");
    const auto window = Start();
    EXPECT_EQ(window->size(), QSize(600, 500));
    EXPECT_TRUE(window->screen()->availableGeometry().intersects(window->geometry()));
}

TEST_F(WindowSettingsTest, UnwritableStoresNeverStopTheWindowFromClosing)
{
    auto window = Start();
    window->commands().action(Command::SaveToRegistry)->trigger();
    // Neither file can be made: a file blocks each folder.
    fs::remove_all(stores.ini.parent_path());
    WriteText(stores.ini.parent_path(), "x");
    fs::create_directories(stores.registry.parent_path().parent_path());
    WriteText(stores.registry.parent_path(), "x");
    EXPECT_TRUE(window->close());
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(dialogs.messages.empty()) << "failures at closing are not reported";
}

TEST_F(WindowSettingsTest, AWindowWithoutStoresKeepsItsSettingsInMemory)
{
    MainWindow window({"unused"}, &dialogs);
    EXPECT_EQ(window.settings().run, 0);
    EXPECT_TRUE(window.commands().action(Command::ShowIconWindow)->isChecked()) << "the defaults still reach the menus";
    window.show();
    window.close();
    EXPECT_TRUE(fs::is_empty(stores.ini.parent_path()));
}

} // namespace
} // namespace glyphora
