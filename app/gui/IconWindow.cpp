// The separate icon window.
#include "app/gui/IconWindow.h"

#include "app/gui/UiText.h"
#include "export/ProgramFlags.h"
#include "i18n/TextIds.h"
#include "iconengine/IconRendering.h"
#include "platform/qt/QtImageConversion.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPixmap>

#include <algorithm>

namespace glyphora {

namespace {

// The icon drawn with its mask on the window's background, at the size its mask gives.
void ShowIcon(QLabel* picture, const IconHandle& icon, const QColor& background)
{
    const IconMaskSize size = GetIconSize(icon);
    picture->resize(size.width, size.height);
    if (icon.isNull()) {
        picture->clear();
        return;
    }
    const std::uint32_t rgb = static_cast<std::uint32_t>(background.rgb()) & 0x00FFFFFF;
    picture->setPixmap(QPixmap::fromImage(RenderIcon(icon, icon.width, icon.height, rgb)));
}

} // namespace

IconWindow::IconWindow(QWidget* owner) : QWidget(owner, Qt::Tool | Qt::WindowStaysOnTopHint), owner_(owner)
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
    setObjectName(QStringLiteral("iconWindow"));
}

void IconWindow::showIcons(const IconHandle& large, const IconHandle& small)
{
    const QColor background = palette().window().color();
    ShowIcon(largePicture_, large, background);
    ShowIcon(smallPicture_, small, background);
    const IconMaskSize largeSize = GetIconSize(large);
    resize(std::max(width(), 2 * largeSize.width), std::max(height(), 2 * largeSize.height));
    placePictures();
    showOnce();
}

void IconWindow::showNoIcon()
{
    largePicture_->clear();
    smallPicture_->clear();
    placePictures();
    showOnce();
}

// The large icon centred in the left half, the small one in the right half. Done only here:
// resizing the window by hand leaves the pictures where they are until the next update.
void IconWindow::placePictures()
{
    const int quarter = width() / 4;
    const int middle = height() / 2;
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

void IconWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (!MainWindowClosing && onClosedByUser_) onClosedByUser_();
}

} // namespace glyphora
