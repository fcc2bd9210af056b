// Reading and writing the window's settings, and the placement helpers.
#include "app/gui/WindowSettingsIo.h"

#include "app/gui/FindPane.h"
#include "app/gui/MinimumCountBox.h"
#include "app/gui/RecentFiles.h"
#include "export/ExportSettings.h"
#include "scan/qt/FolderTree.h"
#include "settings/SettingsStorage.h"

#include <QAction>
#include <QCheckBox>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <system_error>

namespace glyphora {

namespace {

WindowPlacement PlacementOf(const QWidget& window)
{
    QRect normal = window.isMaximized() || window.isMinimized() || window.isFullScreen() ? window.normalGeometry()
                                                                                         : window.geometry();
    if (normal.isEmpty()) normal = window.geometry();
    return WindowPlacement{normal.x(), normal.y(), normal.x() + normal.width(), normal.y() + normal.height(),
                           window.isMaximized()};
}

// The stored edges as a rectangle Qt can take; a size that does not fit becomes Qt's largest.
QRect RectangleOf(const WindowPlacement& placement)
{
    const auto extent = [](int from, int to) {
        return static_cast<int>(std::clamp<std::int64_t>(std::int64_t{to} - from, 0, QWIDGETSIZE_MAX));
    };
    return QRect(placement.left, placement.top, extent(placement.left, placement.right),
                 extent(placement.top, placement.bottom));
}

// A window that would lie on no screen (one that has been removed since, say) moves to the
// primary screen's top left corner, as the system's own placement does.
QRect OnSomeScreen(QRect rect)
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.isEmpty()) return rect;
    if (std::any_of(screens.begin(), screens.end(),
                    [&](const QScreen* s) { return s->availableGeometry().intersects(rect); }))
        return rect;
    rect.moveTopLeft(QGuiApplication::primaryScreen()->availableGeometry().topLeft());
    return rect;
}

void ApplyPlacement(QWidget& window, const WindowPlacement& placement)
{
    // Unchanged values leave the window where the window manager puts it.
    if (placement != PlacementOf(window)) {
        const QRect rect = OnSomeScreen(RectangleOf(placement));
        if (rect != window.geometry()) window.setGeometry(rect);
    }
    if (placement.maximized) window.setWindowState(window.windowState() | Qt::WindowMaximized);
}

} // namespace

WindowSettingsIo::WindowSettingsIo(SettingsStorage* storage, WindowSettingsParts parts)
    : storage_(storage), parts_(parts)
{}

StoredSettings WindowSettingsIo::collect() const
{
    StoredSettings stored;
    stored.window = parts_.settings;
    stored.exportOptions = parts_.exportSettings;
    // A file named on the command line may be relative; the store keeps full paths.
    for (const RecentEntry& entry : parts_.recentFiles.Entries()) {
        std::error_code ec;
        const std::filesystem::path full = std::filesystem::absolute(entry.path, ec);
        stored.recentFiles.push_back(ec ? entry.path : full.string());
    }
    stored.placement = PlacementOf(parts_.window);
    const FindPane& pane = parts_.findPane;
    FindPaneSettings& find = stored.window.findPane;
    find.visible = pane.isPaneVisible();
    find.height = pane.paneHeight();
    find.filePanelWidth = pane.filePanelWidth();
    FindScanSettings& scan = stored.window.findScan;
    scan.folder = pane.tree()->folder().string();
    scan.includeSubfolders = pane.subfoldersCheck()->isChecked();
    scan.minimumCount = std::clamp(pane.minimumBox()->value().value_or(FindScanSettings::kLeastMinimumCount),
                                   FindScanSettings::kLeastMinimumCount, FindScanSettings::kLargestMinimumCount);
    stored.window.showHiddenFolders = pane.tree()->showsHiddenFolders();
    return stored;
}

void WindowSettingsIo::load()
{
    StoredSettings stored = collect();
    if (storage_) storage_->Load(stored);
    WindowSettings& settings = parts_.settings;
    settings = stored.window;
    const int columnCount = parts_.exportSettings.columnCount; // follows the grid, never the store
    parts_.exportSettings = stored.exportOptions;
    parts_.exportSettings.columnCount = columnCount;
    parts_.recentFiles.Assign(stored.recentFiles);
    QWidget& window = parts_.window;
    ApplyPlacement(window, stored.placement);
    // The find pane spans the window's width below the grid.
    ClampFindPane(settings.findPane, window.height(), window.width());
    parts_.findPane.setPaneHeight(settings.findPane.height);
    parts_.findPane.setFilePanelWidth(settings.findPane.filePanelWidth);
    // What the pane scans is in place before it is shown, so that showing it scans once.
    parts_.findPane.minimumBox()->setText(QString::number(settings.findScan.minimumCount));
    parts_.findPane.subfoldersCheck()->setChecked(settings.findScan.includeSubfolders);
    if (!settings.findScan.folder.empty()) parts_.findPane.tree()->setFolder(settings.findScan.folder);
    parts_.findPane.setPaneVisible(settings.findPane.visible);
    parts_.findPane.tree()->setShowHiddenFolders(settings.showHiddenFolders);
}

void WindowSettingsIo::save()
{
    if (!storage_ || saved_) return;
    saved_ = true;
    try {
        storage_->Save(collect());
    } catch (...) {
        // Closing goes on whatever happened to the settings.
    }
}

} // namespace glyphora
