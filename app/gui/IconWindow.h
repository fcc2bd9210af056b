// The separate icon window: a small tool window that stays on top and shows the selected icon
// twice, at the large and at the small system size, side by side. The main window creates it on
// first need, keeps it for the rest of the run and updates it as the selection moves.
#pragma once

#include "raster/IconHandle.h"

#include <QWidget>

#include <functional>

class QLabel;

namespace glyphora {

class IconWindow final : public QWidget {
public:
    static constexpr int kDesignWidth = 287;
    static constexpr int kDesignHeight = 178;

    // owner: the main window, which the window is centred on when first shown.
    explicit IconWindow(QWidget* owner);

    // Shows the two icons (a null handle shows an empty 0 x 0 picture). The window grows to
    // twice the large icon's size when it is smaller, never shrinks, centres the large icon in
    // its left half and the small one in its right half, and is shown.
    void showIcons(const IconHandle& large, const IconHandle& small);
    // Empties both pictures, which keep their sizes, and shows the window.
    void showNoIcon();

    // Called when the user closes the window by itself (not while the program ends).
    void setOnClosedByUser(std::function<void()> handler) { onClosedByUser_ = std::move(handler); }

    QLabel* largePicture() const { return largePicture_; }
    QLabel* smallPicture() const { return smallPicture_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void placePictures();
    void showOnce();

    QWidget* owner_;
    QLabel* largePicture_ = nullptr;
    QLabel* smallPicture_ = nullptr;
    std::function<void()> onClosedByUser_;
    bool shownBefore_ = false;
};

} // namespace glyphora
