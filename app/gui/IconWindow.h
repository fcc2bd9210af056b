// The separate icon window: a small tool window that stays on top and shows the selected icon
// twice, at the large and at the small system size, side by side, and below them every image
// of the icon's group at its own size, largest last, each with its size and colour depth
// ("48 × 48, 32-bit"), in a strip that scrolls when it does not fit. The main window creates
// it on first need, keeps it for the rest of the run and updates it as the selection moves.
#pragma once

#include "iconengine/GroupImages.h"
#include "raster/IconHandle.h"

#include <QWidget>

#include <functional>
#include <vector>

class QLabel;
class QScrollArea;

namespace glyphora {

// The large and small icon chosen for a HiDPI screen's physical pixels (ratio above 1), drawn
// in place of the logical icons at the logical icons' sizes.
struct DeviceIconPair {
    IconHandle large;
    IconHandle small;
    double ratio = 1.0;
};

class IconWindow final : public QWidget {
public:
    static constexpr int kDesignWidth = 287;
    static constexpr int kDesignHeight = 178;

    // owner: the main window, which the window is centred on when first shown; ownerClosing
    // tells whether the owner has agreed to close (then a close is not the user's).
    IconWindow(QWidget* owner, std::function<bool()> ownerClosing = {});

    // Shows the two icons (a null handle shows an empty 0 x 0 picture) and the images of their
    // group (none for a file shown with its file-type icon). The pictures' area, the window
    // above the strip of images, grows to twice the large icon's size when it is smaller,
    // never shrinks, and holds the large icon centred in its left half and the small one in
    // its right half; the strip below is as tall as its tallest image and its label; the
    // window is shown.
    void showIcons(const IconHandle& large, const IconHandle& small, const std::vector<GroupImage>& images = {},
                   const DeviceIconPair& sharp = {});
    // Empties both pictures, which keep their sizes, removes the images, and shows the window.
    void showNoIcon();

    // The size of the area that holds the large and the small picture (the whole window
    // while there are no images to show).
    QSize pictureAreaSize() const { return pictureArea_; }
    QScrollArea* imageStrip() const { return imageStrip_; }
    // The pictures and labels of the images shown, in their order.
    const std::vector<QLabel*>& imagePictures() const { return imagePictures_; }
    const std::vector<QLabel*>& imageLabels() const { return imageLabels_; }

    // "48 × 48, 32-bit": the label of an image, with the pack's text for its depth.
    static QString imageLabelText(const GroupImage& image);

    // Called when the user closes the window by itself (not while the program ends).
    void setOnClosedByUser(std::function<void()> handler) { onClosedByUser_ = std::move(handler); }

    // After a language switch: the title in the pack's words (the images' labels follow with
    // the next showIcons).
    void applyPackTexts();

    QLabel* largePicture() const { return largePicture_; }
    QLabel* smallPicture() const { return smallPicture_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void placePictures();
    void showOnce();
    void fillStrip(const std::vector<GroupImage>& images);

    QWidget* owner_;
    std::function<bool()> ownerClosing_;
    QLabel* largePicture_ = nullptr;
    QLabel* smallPicture_ = nullptr;
    QScrollArea* imageStrip_ = nullptr;
    std::vector<QLabel*> imagePictures_;
    std::vector<QLabel*> imageLabels_;
    QSize pictureArea_;
    int stripHeight_ = 0;
    std::function<void()> onClosedByUser_;
    bool shownBefore_ = false;
};

} // namespace glyphora
