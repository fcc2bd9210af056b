// The separate icon window and the About box.
#include "app/gui/AuxiliaryWindows.h"

#include "app/gui/DialogService.h"
#include "iconengine/DeviceIcons.h"
#include "iconengine/GroupImages.h"
#include "iconengine/IconExtraction.h"
#include "iconengine/FileTypeIcons.h"
#include "iconview/qt/IconGrid.h"
#include "settings/Settings.h"

#include <QAction>
#include <QWidget>

namespace glyphora {

AuxiliaryWindows::AuxiliaryWindows(QWidget& owner, DialogService& dialogs, const IconGrid& icons,
                                   WindowSettings& settings, QAction& showIconWindow,
                                   std::function<bool()> ownerClosing)
    : owner_(owner),
      dialogs_(dialogs),
      icons_(icons),
      settings_(settings),
      showIconWindow_(showIconWindow),
      ownerClosing_(std::move(ownerClosing))
{}

AuxiliaryWindows::~AuxiliaryWindows()
{
    delete iconWindow_;
}

void AuxiliaryWindows::showAbout()
{
    dialogs_.ShowAbout();
}

void AuxiliaryWindows::setShowSeparateWindow(bool on)
{
    settings_.showSeparateWindow = on;
    showIconWindow_.setChecked(on);
    updateIconWindow(icons_.ItemIndex());
}

void AuxiliaryWindows::applyPackTexts()
{
    if (iconWindow_) iconWindow_->applyPackTexts();
}

void AuxiliaryWindows::updateIconWindow(int index)
{
    if (!settings_.showSeparateWindow) {
        if (iconWindow_) iconWindow_->hide();
        return;
    }
    if (!iconWindow_) {
        iconWindow_ = new IconWindow(&owner_, ownerClosing_); // a child window: freed with the main window
        // Closed by itself, the window stays closed until the option is turned on again.
        iconWindow_->setOnClosedByUser([this] {
            settings_.showSeparateWindow = false;
            showIconWindow_.setChecked(false);
        });
    }
    const std::filesystem::path& file = icons_.FileName();
    // On a HiDPI screen the two pictures are drawn from the icons for its physical pixels.
    DeviceIconPair sharp;
    sharp.ratio = iconWindow_->devicePixelRatioF();
    const bool hiDpi = sharp.ratio > 1.0;
    if (index < 0) {
        iconWindow_->showNoIcon();
    } else if (icons_.Associated()) {
        const FileTypeIconProvider& shell = icons_.FileTypeIcons(); // the provider the grid's icon came from
        if (hiDpi) {
            sharp.large = shell.IconForFile(file, DevicePixelSize(kLargeIconSize, sharp.ratio));
            sharp.small = shell.IconForFile(file, DevicePixelSize(kSmallIconSize, sharp.ratio));
        }
        iconWindow_->showIcons(shell.IconForFile(file, kLargeIconSize), shell.IconForFile(file, kSmallIconSize), {},
                               sharp);
    } else {
        const std::vector<IconHandle> large = ExtractFileIcons(file, kLargeIconSize, index, 1);
        const std::vector<IconHandle> small = ExtractFileIcons(file, kSmallIconSize, index, 1);
        if (hiDpi) {
            const auto first = [](std::vector<IconHandle> icons) {
                return icons.empty() ? IconHandle{} : icons.front();
            };
            sharp.large = first(ExtractDeviceIcons(file, kLargeIconSize, sharp.ratio, index, 1));
            sharp.small = first(ExtractDeviceIcons(file, kSmallIconSize, sharp.ratio, index, 1));
        }
        iconWindow_->showIcons(large.empty() ? IconHandle{} : large.front(),
                               small.empty() ? IconHandle{} : small.front(), ReadGroupImages(file, index), sharp);
    }
    // The main window keeps the keyboard focus.
    if (owner_.isVisible() && owner_.isEnabled()) owner_.activateWindow();
}

} // namespace glyphora
