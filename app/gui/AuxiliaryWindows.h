// The main window's auxiliary windows: the separate icon window, which follows the grid's
// selection while its option is on, and the About box.
#pragma once

#include "app/gui/IconWindow.h"

#include <QPointer>

#include <functional>

class QAction;
class QWidget;

namespace glyphora {

class DialogService;
class IconGrid;
struct WindowSettings;

class AuxiliaryWindows {
public:
    // owner: the main window, which keeps the keyboard focus and owns the separate window;
    // showIconWindow: the options menu's check item of the separate window; ownerClosing: whether
    // the owner has agreed to close, when a close of the separate window leaves the option as it is.
    AuxiliaryWindows(QWidget& owner, DialogService& dialogs, const IconGrid& icons, WindowSettings& settings,
                     QAction& showIconWindow, std::function<bool()> ownerClosing);
    // The separate window goes first when the main window is destroyed.
    ~AuxiliaryWindows();
    AuxiliaryWindows(const AuxiliaryWindows&) = delete;
    AuxiliaryWindows& operator=(const AuxiliaryWindows&) = delete;

    void showAbout();
    // The option's check item: turns the separate window on or off and brings it up to date
    // for the grid's selection.
    void setShowSeparateWindow(bool on);
    // Brings the separate window up to date for a grid index (-1: no icon); creates it on
    // first need while the option is on, hides it while the option is off.
    void updateIconWindow(int index);
    // After a language switch: the separate window, when there is one, takes the pack's texts.
    void applyPackTexts();
    // The separate window; null until first needed.
    IconWindow* iconWindow() const { return iconWindow_; }

private:
    QWidget& owner_;
    DialogService& dialogs_;
    const IconGrid& icons_;
    WindowSettings& settings_;
    QAction& showIconWindow_;
    std::function<bool()> ownerClosing_;
    QPointer<IconWindow> iconWindow_; // a child window of owner_
};

} // namespace glyphora
