// Both stores end to end: every key round-trips, the exact bytes of a new "gphx.ini", the
// precedence at start-up, the "Save Setting to Registry" switch at shut-down, and failures
// that never lose a store or stop the program.
#include "settings/SettingsStorage.h"

#include "settings/SettingsValues.h"
#include "tests/settings/SettingsTestSupport.h"
#include "tests/support/RunTool.h"

namespace glyphora {
namespace {

namespace fs = std::filesystem;
using test::FileText;
using test::WriteText;

class SettingsStorageTest : public ::testing::Test {
protected:
    // Recent files that exist, oldest last.
    std::vector<std::string> MakeFiles(int count)
    {
        std::vector<std::string> paths;
        for (int i = 0; i < count; ++i) {
            paths.push_back((stores.folder.path() / ("module " + std::to_string(i) + ".dll")).string());
            WriteText(paths.back(), "MZ");
        }
        return paths;
    }
    StoredSettings Start()
    {
        StoredSettings settings;
        stores.Open().Load(settings);
        return settings;
    }
    std::string RegistryValue(const std::string& key, const std::string& name)
    {
        for (auto& [n, v] : RegistryFile(stores.registry).Values(std::string(kProgramKey) + "\\" + key))
            if (n == name) return v;
        return "<absent>";
    }

    test::StoreFiles stores;
};

TEST_F(SettingsStorageTest, EveryKeyRoundTripsThroughTheIniFile)
{
    StoredSettings written = test::UnusualSettings(MakeFiles(3));
    written.window.settingsInRegistry = false;
    stores.Open().WriteIni(written);

    StoredSettings read;
    ASSERT_TRUE(stores.Open().ReadIni(read));
    test::ExpectSameStoredValues(read, written);
    EXPECT_EQ(read.window.run, 42);
    EXPECT_FALSE(read.window.settingsInRegistry);
}

TEST_F(SettingsStorageTest, EveryKeyRoundTripsThroughTheRegistryCounterpart)
{
    const StoredSettings written = test::UnusualSettings(MakeFiles(12));
    SettingsStorage storage = stores.Open();
    storage.WriteReg(written);
    EXPECT_FALSE(fs::exists(stores.ini));
    EXPECT_EQ(RegistryValue("Settings", "Run"), "<absent>") << "the registry gets Run at start-up only";
    EXPECT_EQ(RegistryValue("Settings", "SaveSettingsToRegistry"), "<absent>");

    StoredSettings read;
    SettingsStorage next = stores.Open();
    ASSERT_TRUE(next.SettingsKeyExists());
    next.ReadReg(read);
    test::ExpectSameStoredValues(read, written);
    EXPECT_EQ(read.window.run, 1);
    EXPECT_EQ(RegistryValue("Settings", "Run"), "1");
}

TEST_F(SettingsStorageTest, ANewIniFileHasExactlyTheseBytes)
{
    StoredSettings settings;
    settings.window.run = 1;
    settings.recentFiles = {"/home/ann/new.exe", "/home/ann/old.dll"};
    settings.placement = WindowPlacement{10, 20, 536, 475, false};
    stores.Open().WriteIni(settings);
    EXPECT_EQ(FileText(stores.ini), "\xEF\xBB\xBF"
                                    "[Settings]\r\n"
                                    "Run=1\r\n"
                                    "SaveSettingsToRegistry=0\r\n"
                                    "Language=0\r\n"
                                    "OpenAfterSave=1\r\n"
                                    "ShowSeparateWindow=1\r\n"
                                    "SmallIcons=0\r\n"
                                    "ExpIncludeNumbers=1\r\n"
                                    "ExpDrawBorder=1\r\n"
                                    "ExpGrayScale=0\r\n"
                                    "ExpDBFFieldName=ICON\r\n"
                                    "ExpTargetImageType=0\r\n"
                                    "ExpDBFType=0\r\n"
                                    "ShowHiddenFolders=1\r\n"
                                    "\r\n"
                                    "[Recent]\r\n"
                                    "1=/home/ann/old.dll\r\n"
                                    "0=/home/ann/new.exe\r\n"
                                    "\r\n"
                                    "[Placement]\r\n"
                                    "FindPanelHeight=172\r\n"
                                    "FilePanelWidth=248\r\n"
                                    "FindPanelVisible=0\r\n"
                                    "FindFolder=\r\n"
                                    "FindIncludeSubfolders=0\r\n"
                                    "FindMinimumCount=1\r\n"
                                    "Left=10\r\n"
                                    "Top=20\r\n"
                                    "Right=536\r\n"
                                    "Bottom=475\r\n"
                                    "Maximized=0\r\n"
                                    "\r\n");
}

TEST_F(SettingsStorageTest, RewritingKeepsForeignKeysAndMovesRecentToTheEnd)
{
    WriteText(stores.ini, "[settings]\nrun=7\nTheme=dark\n[Recent]\n0=/gone\n[Placement]\nLeft=1\n[Plugins]\nA=1\n");
    StoredSettings settings;
    settings.window.run = 8;
    settings.recentFiles = {"/x.exe"};
    stores.Open().WriteIni(settings);
    const IniDocument document = IniDocument::Parse(FileText(stores.ini));
    EXPECT_EQ(document.SectionNames(), (std::vector<std::string>{"settings", "Placement", "Plugins", "Recent"}));
    EXPECT_EQ(document.Keys("Settings").front(), "run") << "a key is replaced where it was";
    EXPECT_EQ(document.Value("Settings", "Run"), "8");
    EXPECT_EQ(document.Value("Settings", "Theme"), "dark");
    EXPECT_EQ(document.Value("Plugins", "A"), "1");
    EXPECT_EQ(document.Keys("Recent"), std::vector<std::string>{"0"});
    EXPECT_EQ(document.Value("Recent", "0"), "/x.exe");
}

TEST_F(SettingsStorageTest, WithNoRecentEntriesTheSectionIsAbsent)
{
    WriteText(stores.ini, "[Recent]\n0=/a\n");
    stores.Open().WriteIni(StoredSettings{});
    EXPECT_FALSE(IniDocument::Parse(FileText(stores.ini)).HasSection("Recent"));
}

TEST_F(SettingsStorageTest, PythonsConfigParserReadsOurFile)
{
    StoredSettings settings = test::UnusualSettings({"/home/ann/ünïcode app.exe"});
    stores.Open().WriteIni(settings);
    const std::string script =
        "import configparser,sys\n"
        "c=configparser.ConfigParser(interpolation=None)\n"
        "c.read(sys.argv[1],encoding='utf-8-sig')\n"
        "print(c['Settings']['Run'],c['Settings']['ExpDBFFieldName'],c['Placement']['Left'],c['Recent']['0'],sep='|')\n";
    const std::string scriptFile = (stores.folder.path() / "read.py").string();
    WriteText(scriptFile, script);
    const testing::ToolResult result =
        testing::RunTool(std::string(testing::kSystemPython) + " " + testing::ShellQuote(scriptFile) + " " +
                         testing::ShellQuote(stores.ini.string()));
    ASSERT_EQ(result.status, 0) << result.output;
    EXPECT_EQ(result.output, "41|PICTURE|-30|/home/ann/ünïcode app.exe\n");
}

TEST_F(SettingsStorageTest, FirstStartWithNeitherStore)
{
    const StoredSettings settings = Start();
    EXPECT_EQ(settings.window.run, 1);
    EXPECT_FALSE(settings.window.settingsInRegistry);
    test::ExpectSameStoredValues(settings, StoredSettings{});

    EXPECT_TRUE(stores.Open().Save(settings));
    EXPECT_EQ(IniDocument::Parse(FileText(stores.ini)).Value("Settings", "Run"), "1");
    EXPECT_FALSE(fs::exists(stores.registry)) << "no registry key is made";
    EXPECT_FALSE(fs::exists(stores.registry.parent_path()));
}

TEST_F(SettingsStorageTest, AnExistingIniFileWinsOverTheRegistry)
{
    StoredSettings inRegistry = test::UnusualSettings({});
    stores.Open().WriteReg(inRegistry);
    WriteText(stores.ini, "[Settings]\nRun=3\nLanguage=1\n");

    const StoredSettings settings = Start();
    EXPECT_EQ(settings.window.run, 4);
    EXPECT_EQ(settings.window.language, 1);
    EXPECT_FALSE(settings.window.smallIcons) << "the registry's value is ignored";
    EXPECT_TRUE(settings.window.settingsInRegistry) << "the key's presence switches the registry on";
}

TEST_F(SettingsStorageTest, WithoutTheIniFileTheRegistryIsReadAndCountsAtOnce)
{
    StoredSettings previous = test::UnusualSettings(MakeFiles(2));
    SettingsStorage first = stores.Open();
    first.WriteReg(previous);
    first.Registry().SetValue(std::string(kProgramKey) + "\\Settings", "Run", "9");
    first.Registry().Flush();

    const StoredSettings settings = Start();
    EXPECT_EQ(settings.window.run, 10);
    EXPECT_EQ(RegistryValue("Settings", "Run"), "10") << "written back before the program ends";
    EXPECT_TRUE(settings.window.settingsInRegistry);
    test::ExpectSameStoredValues(settings, previous);

    EXPECT_TRUE(stores.Open().Save(settings));
    EXPECT_TRUE(fs::exists(stores.ini)) << "the INI file is made again at exit";
    const StoredSettings again = Start();
    EXPECT_EQ(again.window.run, 11) << "from the INI file now";
    EXPECT_EQ(RegistryValue("Settings", "Run"), "10");
}

TEST_F(SettingsStorageTest, AnUnreadableIniFileHandsOverToTheRegistry)
{
    stores.Open().WriteReg(test::UnusualSettings({}));
    fs::create_directory(stores.ini); // a folder where the file should be cannot be read
    const StoredSettings settings = Start();
    EXPECT_TRUE(settings.window.smallIcons);
    EXPECT_EQ(settings.window.run, 1);

    fs::remove(stores.ini);
    WriteText(stores.ini, std::string(2u << 20, '[')); // larger than any settings file
    EXPECT_TRUE(Start().window.smallIcons);
}

TEST_F(SettingsStorageTest, AnUnreadableIniFileWithoutRegistryGivesDefaults)
{
    fs::create_directory(stores.ini);
    StoredSettings settings;
    EXPECT_FALSE(stores.Open().ReadIni(settings));
    EXPECT_EQ(settings.window.run, 0) << "nothing was read";
}

TEST_F(SettingsStorageTest, UncheckingTheSwitchDeletesTheKeyAndTheEmptyMakersKey)
{
    stores.Open().WriteReg(test::UnusualSettings({}));
    ASSERT_TRUE(fs::exists(stores.registry));

    StoredSettings settings = Start();
    settings.window.settingsInRegistry = false;
    EXPECT_TRUE(stores.Open().Save(settings));
    EXPECT_FALSE(stores.Open().SettingsKeyExists());
    EXPECT_FALSE(fs::exists(stores.registry)) << "nothing is left in the counterpart";
    EXPECT_EQ(IniDocument::Parse(FileText(stores.ini)).Value("Settings", "SaveSettingsToRegistry"), "0");
    EXPECT_FALSE(Start().window.settingsInRegistry);
}

TEST_F(SettingsStorageTest, TheMakersKeyStaysWhileItHoldsAnotherProgram)
{
    SettingsStorage storage = stores.Open();
    storage.WriteReg(test::UnusualSettings({}));
    storage.Registry().SetValue("Software\\Marrowfield\\OtherTool", "Size", "3");
    storage.Registry().Flush();

    StoredSettings settings;
    settings.window.settingsInRegistry = false;
    stores.Open().WriteReg(settings);
    RegistryFile after(stores.registry);
    EXPECT_FALSE(after.KeyExists(std::string(kProgramKey)));
    EXPECT_TRUE(after.KeyExists(std::string(kMakerKey)));
    EXPECT_EQ(after.Values("Software\\Marrowfield\\OtherTool").size(), 1u);
}

TEST_F(SettingsStorageTest, CheckingTheSwitchWritesTheRegistryAndRecentAnew)
{
    const std::vector<std::string> files = MakeFiles(3);
    StoredSettings settings = Start();
    settings.window.settingsInRegistry = true;
    settings.recentFiles = files;
    EXPECT_TRUE(stores.Open().Save(settings));
    ASSERT_TRUE(stores.Open().SettingsKeyExists());

    settings.recentFiles = {files[2]};
    EXPECT_TRUE(stores.Open().Save(settings));
    EXPECT_EQ(RegistryFile(stores.registry).Values(std::string(kProgramKey) + "\\Recent").size(), 1u)
        << "the Recent subkey is deleted and written anew";
    EXPECT_EQ(RegistryValue("Recent", "0"), files[2]);
}

TEST_F(SettingsStorageTest, AFailedIniWriteStillWritesTheRegistryAndKeepsTheOldFile)
{
    // The INI file's folder is a file: nothing can be made in it.
    test::StoreFiles blocked;
    fs::remove_all(blocked.ini.parent_path());
    WriteText(blocked.ini.parent_path(), "not a folder");
    StoredSettings settings = test::UnusualSettings({});
    EXPECT_FALSE(blocked.Open().Save(settings));
    EXPECT_EQ(FileText(blocked.ini.parent_path()), "not a folder");
    EXPECT_TRUE(blocked.Open().SettingsKeyExists()) << "the registry is still written";
    StoredSettings next;
    blocked.Open().Load(next);
    EXPECT_TRUE(next.window.smallIcons) << "and read next time, the INI file being missing";
}

TEST_F(SettingsStorageTest, AnUnreadableRegistryFileIsNeverReplaced)
{
    fs::create_directories(stores.registry);
    StoredSettings settings = test::UnusualSettings({});
    EXPECT_FALSE(stores.Open().Save(settings)) << "the INI file is written, the counterpart not";
    EXPECT_TRUE(fs::is_directory(stores.registry));
    EXPECT_TRUE(fs::exists(stores.ini));
}

TEST_F(SettingsStorageTest, AStorageWithoutAnyFolderReadsDefaultsAndFailsQuietly)
{
    SettingsStorage storage({}, std::make_unique<RegistryFile>(fs::path{}));
    StoredSettings settings;
    storage.Load(settings);
    EXPECT_EQ(settings.window.run, 1);
    settings.window.settingsInRegistry = true;
    EXPECT_FALSE(storage.Save(settings));
}

} // namespace
} // namespace glyphora
