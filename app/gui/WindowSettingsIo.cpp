// The main window and its settings: what the window applies from the stores at creation and
// what it hands back to them when it closes. The stored rectangle is the window's normal
// geometry without its frame, in screen coordinates, so that it comes back exactly as it was.
#include "app/gui/MainWindow.h"

#include "app/gui/FindPane.h"
#include "scan/qt/FolderTree.h"
#include "settings/SettingsStorage.h"

#include <QAction>
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

StoredSettings MainWindow::collectSettings() const
{
    StoredSettings stored;
    stored.window = settings_;
    stored.exportOptions = exportSettings_;
    // A file named on the command line may be relative; the store keeps full paths.
    for (const RecentEntry& entry : recent_.Entries()) {
        std::error_code ec;
        const std::filesystem::path full = std::filesystem::absolute(entry.path, ec);
        stored.recentFiles.push_back(ec ? entry.path : full.string());
    }
    stored.placement = PlacementOf(*this);
    stored.window.findPane =
        FindPaneSettings{findPane_->isPaneVisible(), findPane_->paneHeight(), findPane_->filePanelWidth()};
    stored.window.showHiddenFolders = findPane_->tree()->showsHiddenFolders();
    return stored;
}

void MainWindow::loadSettings()
{
    StoredSettings stored = collectSettings();
    if (settingsStorage_) settingsStorage_->Load(stored);
    applySettings(stored);
}

void MainWindow::applySettings(const StoredSettings& stored)
{
    settings_ = stored.window;
    const int columnCount = exportSettings_.columnCount; // follows the grid, never the store
    exportSettings_ = stored.exportOptions;
    exportSettings_.columnCount = columnCount;
    recent_.Assign(stored.recentFiles);
    rebuildRecentMenu();
    ApplyPlacement(*this, stored.placement);
    // The find pane spans the window's width below the grid.
    ClampFindPane(settings_.findPane, height(), width());
    findPane_->setPaneHeight(settings_.findPane.height);
    findPane_->setFilePanelWidth(settings_.findPane.filePanelWidth);
    findPane_->setPaneVisible(settings_.findPane.visible);
    findPane_->tree()->setShowHiddenFolders(settings_.showHiddenFolders);

    saveToRegistryAction_->setChecked(settings_.settingsInRegistry);
    showIconWindowAction_->setChecked(settings_.showSeparateWindow);
    setIconSize(settings_.smallIcons ? IconSizing::Small : IconSizing::Large);
}

void MainWindow::saveSettings()
{
    if (!settingsStorage_ || settingsSaved_) return;
    settingsSaved_ = true;
    try {
        settingsStorage_->Save(collectSettings());
    } catch (...) {
        // Closing goes on whatever happened to the settings.
    }
}

} // namespace glyphora
