// The settings the program keeps between runs, in memory: the window's general values with
// the find pane's stored state, and everything a settings store holds besides (the export
// options, the recent files, the window placement).
#pragma once

#include "export/ExportSettings.h"

#include <string>
#include <vector>

namespace glyphora {

// The find pane's stored state and the limits its splitters keep it in.
struct FindPaneSettings {
    static constexpr int kMinimumHeight = 172;    // the horizontal splitter's minimum size
    static constexpr int kMinimumFileWidth = 248; // the vertical splitter's minimum size
    static constexpr int kSplitterThickness = 3;
    static constexpr int kStatusBarHeight = 19;

    bool visible = false;
    int height = kMinimumHeight;
    int filePanelWidth = kMinimumFileWidth;

    bool operator==(const FindPaneSettings&) const = default;
};

// What the find pane scans: the tree's folder (empty for none), the subfolder option and the
// least number of icons a listed file holds.
struct FindScanSettings {
    static constexpr int kLeastMinimumCount = 1;      // the pane's minimum box takes 1
    static constexpr int kLargestMinimumCount = 9999; // to four digits

    std::string folder;
    bool includeSubfolders = false;
    int minimumCount = kLeastMinimumCount;

    bool operator==(const FindScanSettings&) const = default;
};

// Brings a stored pane size into the room the window has: at least the splitters' minimum
// sizes, at most what leaves the grid and the file list theirs. clientHeight is the window's
// client height, paneClientWidth the pane's client width.
void ClampFindPane(FindPaneSettings& pane, int clientHeight, int paneClientWidth);

// The window's normal (not maximised) rectangle in screen coordinates, right and bottom
// exclusive, and whether it is shown maximised.
struct WindowPlacement {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool maximized = false;

    bool operator==(const WindowPlacement&) const = default;
};

// The general settings the window keeps while it runs.
struct WindowSettings {
    int run = 0;                     // starts so far, this one included; 1 on the first start
    bool settingsInRegistry = false; // also keep the settings in the registry (or its counterpart)
    int language = 0;                // 0 English, 1 Ukrainian, 2 Greek, 3 Romanian, 4 Italian, 5 Polish; others kept
    bool openAfterSave = true;
    bool showSeparateWindow = true;
    bool smallIcons = false;
    bool showHiddenFolders = true; // the find pane's folder tree lists them, and the scan enters them
    FindPaneSettings findPane;
    FindScanSettings findScan;

    bool operator==(const WindowSettings&) const = default;
};

// Everything a settings store holds. exportOptions.columnCount is not stored.
struct StoredSettings {
    WindowSettings window;
    ExportSettings exportOptions;
    std::vector<std::string> recentFiles; // full paths, newest first, at most 12
    WindowPlacement placement;
};

} // namespace glyphora
