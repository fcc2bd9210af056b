// The window and its settings stores: what the window takes from the stores at creation and
// what it hands back to them when it closes. The stored rectangle is the window's normal
// geometry without its frame, in screen coordinates, so that it comes back exactly as it was.
#pragma once

#include "settings/Settings.h"

class QWidget;

namespace glyphora {

class FindPane;
class RecentFiles;
class SettingsStorage;
struct ExportSettings;

// The parts of the window the stores keep.
struct WindowSettingsParts {
    QWidget& window; // its placement
    WindowSettings& settings;
    ExportSettings& exportSettings;
    RecentFiles& recentFiles;
    FindPane& findPane; // its visibility and sizes
};

class WindowSettingsIo {
public:
    // storage: the stores; null keeps the settings in memory only.
    WindowSettingsIo(SettingsStorage* storage, WindowSettingsParts parts);

    // Everything the stores keep, as the window holds it now.
    StoredSettings collect() const;
    // Reads the stores in their order and hands what they hold to the parts: the options,
    // the export options (the column count stays, it follows the grid), the recent files,
    // the placement and the find pane. The window then brings its menus and grid in line.
    void load();
    // Writes the settings to their stores once; a store that cannot be written is passed by.
    void save();

private:
    SettingsStorage* storage_;
    WindowSettingsParts parts_;
    bool saved_ = false;
};

} // namespace glyphora
