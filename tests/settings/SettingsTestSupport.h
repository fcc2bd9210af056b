// Helpers of the settings tests: a program's two stores in a temporary folder, settings with
// a non-default value in every field, and whole-file reads.
#pragma once

#include "settings/RegistryFile.h"
#include "settings/SettingsStorage.h"
#include "tests/support/FileText.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace glyphora::test {

using testing::FileText;
using testing::WriteText;

// "gphx.ini" and the registry's counterpart file of one program, each start of the program
// opening them anew.
struct StoreFiles {
    testing::TempFolder folder;
    std::filesystem::path ini = folder.path() / "program" / "gphx.ini";
    std::filesystem::path registry = folder.path() / "config" / "glyphora" / "registry.ini";

    StoreFiles() { std::filesystem::create_directories(ini.parent_path()); }
    SettingsStorage Open() const { return SettingsStorage(ini, std::make_unique<RegistryFile>(registry)); }
};

// Every field away from its default (the recent files must exist to be read back).
inline StoredSettings UnusualSettings(const std::vector<std::string>& recentFiles)
{
    StoredSettings s;
    s.window.run = 41;
    s.window.settingsInRegistry = true;
    s.window.language = 4;
    s.window.openAfterSave = false;
    s.window.showSeparateWindow = false;
    s.window.smallIcons = true;
    s.window.showHiddenFolders = false;
    s.window.findPane = FindPaneSettings{true, 190, 260};
    s.window.findScan = FindScanSettings{"/home/ann/my modules", true, 12};
    s.exportOptions.includeNumbers = false;
    s.exportOptions.drawBorders = false;
    s.exportOptions.grayScale = true;
    s.exportOptions.dbfFieldName = "PICTURE";
    s.exportOptions.targetImageType = HtmlPictureType::Gif;
    s.exportOptions.dbfType = OutputKind::Png;
    s.recentFiles = recentFiles;
    s.placement = WindowPlacement{-30, 40, 700, 650, true};
    return s;
}

// Everything a store holds, but the start count and the registry switch, which follow their
// own rules.
inline void ExpectSameStoredValues(const StoredSettings& actual, const StoredSettings& expected)
{
    WindowSettings a = actual.window, e = expected.window;
    a.run = e.run = 0;
    a.settingsInRegistry = e.settingsInRegistry = false;
    EXPECT_EQ(a, e);
    EXPECT_EQ(actual.exportOptions.includeNumbers, expected.exportOptions.includeNumbers);
    EXPECT_EQ(actual.exportOptions.drawBorders, expected.exportOptions.drawBorders);
    EXPECT_EQ(actual.exportOptions.grayScale, expected.exportOptions.grayScale);
    EXPECT_EQ(actual.exportOptions.dbfFieldName, expected.exportOptions.dbfFieldName);
    EXPECT_EQ(actual.exportOptions.targetImageType, expected.exportOptions.targetImageType);
    EXPECT_EQ(actual.exportOptions.dbfType, expected.exportOptions.dbfType);
    EXPECT_EQ(actual.recentFiles, expected.recentFiles);
    EXPECT_EQ(actual.placement, expected.placement);
}

} // namespace glyphora::test
