// The main window's auxiliary windows: the separate icon window that follows the selection,
// and the About box.
#include "app/gui/MainWindow.h"

#include "app/gui/IconWindow.h"
#include "iconengine/DeviceIcons.h"
#include "iconengine/GroupImages.h"
#include "iconengine/IconExtraction.h"
#include "iconengine/FileTypeIcons.h"

#include <QAction>

namespace glyphora {

void MainWindow::showAbout()
{
    dialogs_->ShowAbout();
}

void MainWindow::setShowSeparateWindow(bool on)
{
    settings_.showSeparateWindow = on;
    showIconWindowAction_->setChecked(on);
    updateIconWindow(gridView_->grid()->ItemIndex());
}

void MainWindow::updateIconWindow(int index)
{
    if (!settings_.showSeparateWindow) {
        if (iconWindow_) iconWindow_->hide();
        return;
    }
    if (!iconWindow_) {
        iconWindow_ = new IconWindow(this); // a child window: freed with the main window
        // Closed by itself, the window stays closed until the option is turned on again.
        iconWindow_->setOnClosedByUser([this] {
            settings_.showSeparateWindow = false;
            showIconWindowAction_->setChecked(false);
        });
    }
    const IconGrid* grid = gridView_->grid();
    // On a HiDPI screen the two pictures are drawn from the icons for its physical pixels.
    DeviceIconPair sharp;
    sharp.ratio = iconWindow_->devicePixelRatioF();
    const bool hiDpi = sharp.ratio > 1.0;
    if (index < 0) {
        iconWindow_->showNoIcon();
    } else if (grid->Associated()) {
        const FileTypeIconProvider& shell = CurrentFileTypeIconProvider();
        if (hiDpi) {
            sharp.large = shell.IconForFile(fileName_, DevicePixelSize(kLargeIconSize, sharp.ratio));
            sharp.small = shell.IconForFile(fileName_, DevicePixelSize(kSmallIconSize, sharp.ratio));
        }
        iconWindow_->showIcons(shell.IconForFile(fileName_, kLargeIconSize),
                               shell.IconForFile(fileName_, kSmallIconSize), {}, sharp);
    } else {
        const std::vector<IconHandle> large = ExtractFileIcons(fileName_, kLargeIconSize, index, 1);
        const std::vector<IconHandle> small = ExtractFileIcons(fileName_, kSmallIconSize, index, 1);
        if (hiDpi) {
            const auto first = [](std::vector<IconHandle> icons) {
                return icons.empty() ? IconHandle{} : icons.front();
            };
            sharp.large = first(ExtractDeviceIcons(fileName_, kLargeIconSize, sharp.ratio, index, 1));
            sharp.small = first(ExtractDeviceIcons(fileName_, kSmallIconSize, sharp.ratio, index, 1));
        }
        iconWindow_->showIcons(large.empty() ? IconHandle{} : large.front(),
                               small.empty() ? IconHandle{} : small.front(), ReadGroupImages(fileName_, index), sharp);
    }
    // The main window keeps the keyboard focus.
    if (isVisible() && isEnabled()) activateWindow();
}

} // namespace glyphora
