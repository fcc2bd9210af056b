// Where the settings live on Windows: the settings folder is %APPDATA%\Glyphora, and the
// second store is the real registry under HKEY_CURRENT_USER\Software\Marrowfield\Glyphora,
// holding the same keys and the same string values (REG_SZ) as the per-user file that stands
// in for it on Linux, read back as written and removed without a trace.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "platform/SettingsLocation.h"
#include "platform/UserRegistry.h"
#include "platform/windows/WideText.h"
#include "settings/RegistryFile.h"
#include "settings/SettingsStorage.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace glyphora {
namespace {

namespace fs = std::filesystem;

TEST(SettingsLocationWindowsTest, TheUserFolderIsGlyphoraInTheRoamingAppData)
{
    const wchar_t* appData = _wgetenv(L"APPDATA");
    ASSERT_NE(appData, nullptr);
    EXPECT_EQ(UserSettingsFolder(), fs::path(appData) / L"Glyphora");
    const testing::TempFolder dir;
    EXPECT_TRUE(FolderIsWritable(dir.path()));
    EXPECT_TRUE(fs::is_empty(dir.path())) << "the probe removes itself";
    EXPECT_FALSE(FolderIsWritable(dir.path() / L"missing"));
}

// The subkeys of HKEY_CURRENT_USER\key, and whether every value in them is a string.
struct RawKey {
    std::vector<std::string> subkeys;
    bool onlyStrings = true;
};
RawKey ReadRawKey(const std::string& key)
{
    RawKey raw;
    HKEY handle = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, Widen(key).c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return raw;
    wchar_t name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = 256;
        if (::RegEnumKeyExW(handle, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        const std::string subkey = Narrow(std::wstring_view(name, length));
        raw.subkeys.push_back(subkey);
        HKEY sub = nullptr;
        if (::RegOpenKeyExW(handle, name, 0, KEY_READ, &sub) != ERROR_SUCCESS) continue;
        for (DWORD v = 0;; ++v) {
            DWORD valueLength = 256, type = 0;
            if (::RegEnumValueW(sub, v, name, &valueLength, nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS) break;
            if (type != REG_SZ) raw.onlyStrings = false;
        }
        ::RegCloseKey(sub);
    }
    ::RegCloseKey(handle);
    std::sort(raw.subkeys.begin(), raw.subkeys.end());
    return raw;
}

bool KeyExists(const std::string& key)
{
    HKEY handle = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, Widen(key).c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
    ::RegCloseKey(handle);
    return true;
}

TEST(UserRegistryWindowsTest, TheSettingsAreWrittenReadBackAndDeleted)
{
    const std::string program(kProgramKey), maker(kMakerKey);
    ASSERT_FALSE(KeyExists(maker)) << "the test prefix starts without the program's key";
    auto registry = OpenSystemUserRegistry();
    ASSERT_NE(registry, nullptr);

    // Recent files are kept only while they exist; the find folder is kept as written, and
    // carries text outside ASCII through the registry's UTF-16.
    const testing::TempFolder dir;
    std::vector<std::string> recent;
    for (const wchar_t* name : {L"newest.dll", L"older.exe", L"oldest.icl"}) {
        std::ofstream(dir.path() / name) << "x";
        recent.push_back((dir.path() / name).string());
    }
    StoredSettings settings;
    settings.window.settingsInRegistry = true;
    settings.exportOptions.dbfFieldName = "BILD";
    settings.window.findScan.folder = "C:\\Icons\\\xc3\x9c"
                                      "ber \xe5\x9b\xbe\xe6\xa0\x87";
    settings.recentFiles = recent;
    SettingsStorage system({}, std::move(registry));
    system.WriteReg(settings);

    // The same settings in the Linux stand-in: the registry must hold what it holds.
    SettingsStorage file({}, std::make_unique<RegistryFile>(dir.path() / L"registry.ini"));
    file.WriteReg(settings);

    const RawKey raw = ReadRawKey(program);
    ASSERT_FALSE(raw.subkeys.empty());
    EXPECT_TRUE(raw.onlyStrings) << "every value is REG_SZ";
    for (const auto& subkey : raw.subkeys) {
        SCOPED_TRACE(subkey);
        const std::string key = program + "\\" + subkey;
        EXPECT_TRUE(file.Registry().KeyExists(key));
        // The same names and texts; the order is the hive's own.
        auto inRegistry = system.Registry().Values(key), inFile = file.Registry().Values(key);
        std::sort(inRegistry.begin(), inRegistry.end());
        std::sort(inFile.begin(), inFile.end());
        EXPECT_EQ(inRegistry, inFile);
    }

    StoredSettings readBack;
    system.ReadReg(readBack);
    EXPECT_EQ(readBack.recentFiles, settings.recentFiles) << "newest first, as written";
    EXPECT_EQ(readBack.window.findScan.folder, settings.window.findScan.folder);
    EXPECT_EQ(readBack.exportOptions.dbfFieldName, "BILD");

    settings.window.settingsInRegistry = false;
    system.WriteReg(settings);
    EXPECT_FALSE(KeyExists(program));
    EXPECT_FALSE(KeyExists(maker)) << "nothing else was below the maker's key";
}

} // namespace
} // namespace glyphora
