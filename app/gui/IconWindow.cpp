// The separate icon window.
#include "app/gui/IconWindow.h"

#include "app/gui/UiText.h"
#include "i18n/TextFormat.h"
#include "i18n/TextIds.h"
#include "iconengine/IconRendering.h"
#include "platform/qt/QtImageConversion.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

namespace glyphora {

namespace {

// The icon drawn with its mask on the window's background.
QPixmap IconPixmap(const IconHandle& icon, const QColor& background)
{
    const std::uint32_t rgb = static_cast<std::uint32_t>(background.rgb()) & 0x00FFFFFF;
    return QPixmap::fromImage(RenderIcon(icon, icon.width, icon.height, rgb));
}

// The icon on the window's background, at the size its mask gives; drawn from sharp (the icon
// for the screen's physical pixels) where there is one.
void ShowIcon(QLabel* picture, const IconHandle& icon, const QColor& background, const IconHandle& sharp, double ratio)
{
    const IconMaskSize size = GetIconSize(icon);
    picture->resize(size.width, size.height);
    if (icon.isNull()) {
        picture->clear();
        return;
    }
    if (ratio > 1.0 && !sharp.isNull()) {
        const std::uint32_t rgb = static_cast<std::uint32_t>(background.rgb()) & 0x00FFFFFF;
        picture->setPixmap(QPixmap::fromImage(RenderDeviceIcon(sharp, icon.width, icon.height, rgb, ratio)));
        return;
    }
    picture->setPixmap(IconPixmap(icon, background));
}

// Space around and between the images of the strip.
constexpr int kStripMargin = 6;
constexpr int kStripSpacing = 12;

} // namespace

IconWindow::IconWindow(QWidget* owner, std::function<bool()> ownerClosing)
    : QWidget(owner, Qt::Tool | Qt::WindowStaysOnTopHint), owner_(owner), ownerClosing_(std::move(ownerClosing))
{
    setWindowTitle(UiText(kTextIconWindowCaption));
    resize(kDesignWidth, kDesignHeight);
    largePicture_ = new QLabel(this);
    smallPicture_ = new QLabel(this);
    for (QLabel* picture : {largePicture_, smallPicture_}) {
        picture->resize(41, 41);
        picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    largePicture_->setObjectName(QStringLiteral("largePicture"));
    smallPicture_->setObjectName(QStringLiteral("smallPicture"));
    imageStrip_ = new QScrollArea(this);
    imageStrip_->setObjectName(QStringLiteral("imageStrip"));
    imageStrip_->setFrameShape(QFrame::NoFrame);
    imageStrip_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    imageStrip_->hide();
    pictureArea_ = size();
    setObjectName(QStringLiteral("iconWindow"));
}

void IconWindow::applyPackTexts()
{
    setWindowTitle(PackText(kTextIconWindowCaption));
}

QString IconWindow::imageLabelText(const GroupImage& image)
{
    const std::string depth = FormatText(InterfaceText(kTextImageBitDepth), image.info.bitCount);
    return QString::fromStdString(std::to_string(image.icon.width) + " \u00d7 " + std::to_string(image.icon.height) +
                                  ", " + depth);
}

void IconWindow::showIcons(const IconHandle& large, const IconHandle& small, const std::vector<GroupImage>& images,
                           const DeviceIconPair& sharp)
{
    const QColor background = palette().window().color();
    ShowIcon(largePicture_, large, background, sharp.large, sharp.ratio);
    ShowIcon(smallPicture_, small, background, sharp.small, sharp.ratio);
    const IconMaskSize largeSize = GetIconSize(large);
    // The area as the window has it now (the user may have resized it), grown for the icon.
    pictureArea_ =
        QSize(std::max(width(), 2 * largeSize.width), std::max(height() - stripHeight_, 2 * largeSize.height));
    fillStrip(images);
    placePictures();
    showOnce();
}

void IconWindow::showNoIcon()
{
    largePicture_->clear();
    smallPicture_->clear();
    pictureArea_ = QSize(width(), height() - stripHeight_);
    fillStrip({});
    placePictures();
    showOnce();
}

// The strip's content: one column an image, the picture above its label, centred in the
// strip's height.
void IconWindow::fillStrip(const std::vector<GroupImage>& images)
{
    imagePictures_.clear();
    imageLabels_.clear();
    auto* content = new QWidget;
    auto* row = new QHBoxLayout(content);
    row->setContentsMargins(kStripMargin, kStripMargin, kStripMargin, kStripMargin);
    row->setSpacing(kStripSpacing);
    const QColor background = palette().window().color();
    for (const GroupImage& image : images) {
        auto* column = new QVBoxLayout;
        column->setSpacing(2);
        auto* picture = new QLabel(content);
        picture->setPixmap(IconPixmap(image.icon, background));
        picture->setFixedSize(image.icon.width, image.icon.height);
        auto* label = new QLabel(imageLabelText(image), content);
        label->setAlignment(Qt::AlignHCenter);
        column->addStretch(1);
        column->addWidget(picture, 0, Qt::AlignHCenter);
        column->addWidget(label, 0, Qt::AlignHCenter);
        column->addStretch(1);
        row->addLayout(column);
        imagePictures_.push_back(picture);
        imageLabels_.push_back(label);
    }
    row->addStretch(1);
    imageStrip_->setWidget(content); // frees the previous content
    imageStrip_->setVisible(!images.empty());
    stripHeight_ = 0;
    if (!images.empty()) {
        content->adjustSize();
        stripHeight_ = content->sizeHint().height() + imageStrip_->horizontalScrollBar()->sizeHint().height();
    }
    resize(pictureArea_.width(), pictureArea_.height() + stripHeight_);
    imageStrip_->setGeometry(0, pictureArea_.height(), pictureArea_.width(), stripHeight_);
}

// The large icon centred in the left half, the small one in the right half of the pictures'
// area. Done only here: resizing the window by hand leaves the pictures where they are until
// the next update.
void IconWindow::placePictures()
{
    const int quarter = pictureArea_.width() / 4;
    const int middle = pictureArea_.height() / 2;
    largePicture_->move(quarter - largePicture_->width() / 2, middle - largePicture_->height() / 2);
    smallPicture_->move(3 * quarter - smallPicture_->width() / 2, middle - smallPicture_->height() / 2);
}

void IconWindow::showOnce()
{
    if (!shownBefore_ && owner_) {
        const QRect frame = owner_->frameGeometry();
        move(frame.center() - QPoint(width() / 2, height() / 2));
    }
    shownBefore_ = true;
    show();
}

// The strip keeps to the bottom of the window, across its width.
void IconWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    imageStrip_->setGeometry(0, height() - stripHeight_, width(), stripHeight_);
}

void IconWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    const bool programEnds = ownerClosing_ && ownerClosing_();
    if (!programEnds && onClosedByUser_) onClosedByUser_();
}

} // namespace glyphora
