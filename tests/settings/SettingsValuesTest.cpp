// Stored text to values: integers and Booleans, out-of-range export codes, the recent list's
// order and limit, and the placement's defaults.
#include "settings/SettingsValues.h"

#include "tests/settings/SettingsTestSupport.h"

#include <climits>

namespace glyphora {
namespace {

TEST(SettingsValues, StoredIntegersAreDecimalWithinThirtyTwoBits)
{
    const std::pair<std::string_view, std::optional<int>> cases[] = {
        {"0", 0},
        {"17", 17},
        {"-5", -5},
        {"+8", 8},
        {"  12 ", 12},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"2147483648", std::nullopt},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"abc", std::nullopt},
        {"12abc", std::nullopt},
        {"1 2", std::nullopt},
        {"0x10", std::nullopt},
        {"+-3", std::nullopt},
        {"--3", std::nullopt},
        {"3.5", std::nullopt},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(ParseStoredInteger(text), expected) << '"' << text << '"';
}

StoredSettings ReadFrom(std::string_view text, StoredSettings settings = {})
{
    IniDocument document = IniDocument::Parse(text);
    IniStore store(document);
    ReadSharedValues(store, settings);
    return settings;
}

TEST(SettingsValues, UnreadableValuesGiveTheirDefaults)
{
    const StoredSettings s = ReadFrom(
        "[Settings]\nLanguage=two\nOpenAfterSave=no\nShowSeparateWindow=\nSmallIcons=yes\nExpIncludeNumbers=0x0\n"
        "ExpDrawBorder=-\nExpGrayScale=1.0\nExpTargetImageType=PNG\nExpDBFType=9999999999\nShowHiddenFolders=yes\n"
        "[Placement]\nFindPanelVisible=true\nFindPanelHeight=tall\nLeft=x\nMaximized=maybe\n");
    const StoredSettings defaults;
    test::ExpectSameStoredValues(s, defaults);
}

TEST(SettingsValues, BooleansAreTrueForAnyNonZeroInteger)
{
    const StoredSettings s =
        ReadFrom("[Settings]\nOpenAfterSave=0\nSmallIcons=-7\nExpGrayScale= 2 \n[Placement]\nMaximized=100\n");
    EXPECT_FALSE(s.window.openAfterSave);
    EXPECT_TRUE(s.window.smallIcons);
    EXPECT_TRUE(s.exportOptions.grayScale);
    EXPECT_TRUE(s.placement.maximized);
}

TEST(SettingsValues, OutOfRangeExportCodesLoadAsZero)
{
    const std::tuple<std::string_view, int, int> cases[] = {
        {"ExpTargetImageType=3\nExpDBFType=6", 0, 0},
        {"ExpTargetImageType=-1\nExpDBFType=-1", 0, 0},
        {"ExpTargetImageType=2\nExpDBFType=5", 2, 5},
        {"ExpTargetImageType=1\nExpDBFType=3", 1, 3},
    };
    for (const auto& [lines, image, dbf] : cases) {
        const StoredSettings s = ReadFrom("[Settings]\n" + std::string(lines));
        EXPECT_EQ(HtmlPictureTypeCode(s.exportOptions.targetImageType), image) << lines;
        EXPECT_EQ(OutputKindCode(s.exportOptions.dbfType), dbf) << lines;
    }
}

TEST(SettingsValues, TheLanguageIndexIsKeptAsStored)
{
    EXPECT_EQ(ReadFrom("[Settings]\nLanguage=17\n").window.language, 17);
    EXPECT_EQ(ReadFrom("[Settings]\nLanguage=-2\n").window.language, -2);
    EXPECT_EQ(ReadFrom("[Settings]\nExpDBFFieldName=\n").exportOptions.dbfFieldName, "");
}

TEST(SettingsValues, RecentKeepsTheTwelveReadLastWithTheLastLineFirst)
{
    testing::TempFolder folder;
    std::string section = "[Recent]\n";
    std::vector<std::string> paths;
    for (int i = 0; i < 20; ++i) {
        paths.push_back((folder.path() / ("file" + std::to_string(i) + ".dll")).string());
        test::WriteText(paths.back(), "x");
        section += std::to_string(19 - i) + "=" + paths.back() + "\n";
    }
    const StoredSettings s = ReadFrom(section);
    ASSERT_EQ(s.recentFiles.size(), 12u);
    for (std::size_t k = 0; k < 12; ++k)
        EXPECT_EQ(s.recentFiles[k], paths[19 - k]) << k;
}

TEST(SettingsValues, RecentDropsEmptyAndMissingFilesAndTakesTheFirstValueOfAKey)
{
    testing::TempFolder folder;
    const std::string a = (folder.path() / "a.exe").string(), b = (folder.path() / "b.exe").string();
    test::WriteText(a, "x");
    test::WriteText(b, "x");
    const StoredSettings s = ReadFrom("[Recent]\n3=" + a + "\n2=\n1=" + (folder.path() / "gone.exe").string() +
                                      "\n0=" + b + "\n9=" + folder.path().string() + "\n0=" + a + "\n");
    // The second "0" line looks up the value of the first "0": b enters twice, as the
    // original list would show it.
    EXPECT_EQ(s.recentFiles, (std::vector<std::string>{b, b, a}));
}

TEST(SettingsValues, MissingPlacementAndPaneValuesKeepTheCurrentOnes)
{
    StoredSettings current;
    current.placement = WindowPlacement{5, 6, 700, 800, false};
    current.window.findPane = FindPaneSettings{false, 200, 300};
    const StoredSettings s = ReadFrom("[Placement]\nTop=60\nMaximized=1\nFilePanelWidth=310\n", current);
    EXPECT_EQ(s.placement, (WindowPlacement{5, 60, 700, 800, true}));
    EXPECT_EQ(s.window.findPane, (FindPaneSettings{false, 200, 310}));
    EXPECT_TRUE(ReadFrom("[Placement]\nMaximized=0\n", s).placement.maximized)
        << "a stored 0 leaves a maximised window maximised";
}

// The find pane's folder, subfolder option and minimum are extra keys of the Placement
// section: a file written without them loads as before, and a minimum the pane's box cannot
// hold (1 to 9999) keeps the current one.
TEST(SettingsValues, TheFindPanesFolderOptionAndMinimumComeFromPlacement)
{
    const StoredSettings older = ReadFrom("[Placement]\nFindPanelVisible=1\nFindPanelHeight=200\n");
    EXPECT_EQ(older.window.findPane, (FindPaneSettings{true, 200, FindPaneSettings::kMinimumFileWidth}));
    EXPECT_EQ(older.window.findScan, FindScanSettings{});

    const StoredSettings s =
        ReadFrom("[Placement]\nFindFolder=/home/ann/my bin\nFindIncludeSubfolders=1\nFindMinimumCount=9999\n");
    EXPECT_EQ(s.window.findScan, (FindScanSettings{"/home/ann/my bin", true, 9999}));
    for (std::string_view stored : {"0", "10000", "-3", "few"})
        EXPECT_EQ(
            ReadFrom("[Placement]\nFindMinimumCount=" + std::string(stored) + "\n", s).window.findScan.minimumCount,
            9999)
            << stored;
}

TEST(SettingsValues, TheStartCounterGrowsByOneAndStopsAtTheTop)
{
    const std::pair<std::string_view, int> cases[] = {
        {"", 1},
        {"[Settings]\nRun=0\n", 1},
        {"[Settings]\nRun=6\n", 7},
        {"[Settings]\nRun=-3\n", -2},
        {"[Settings]\nRun=junk\n", 1},
        {"[Settings]\nRun=2147483647\n", INT_MAX},
    };
    for (const auto& [text, run] : cases) {
        IniDocument document = IniDocument::Parse(text);
        EXPECT_EQ(ReadRun(IniStore(document)), run) << text;
    }
}

TEST(FindPane, StoredSizesAreClampedToTheWindowsRoom)
{
    struct Case {
        int height, width, clientHeight, clientWidth, expectedHeight, expectedWidth;
    };
    const Case cases[] = {
        {50, 100, 407, 510, 172, 248},  // below the minimum sizes
        {300, 400, 407, 510, 213, 259}, // above 407 - 172 - 3 - 19 and 510 - 248 - 3
        {180, 255, 407, 510, 180, 255}, // fits
        {190, 260, 300, 400, 106, 149}, // a small window: the room left wins over the minimum
    };
    for (const Case& c : cases) {
        FindPaneSettings pane{true, c.height, c.width};
        ClampFindPane(pane, c.clientHeight, c.clientWidth);
        EXPECT_EQ(pane.height, c.expectedHeight) << c.height;
        EXPECT_EQ(pane.filePanelWidth, c.expectedWidth) << c.width;
        EXPECT_TRUE(pane.visible);
    }
}

} // namespace
} // namespace glyphora
