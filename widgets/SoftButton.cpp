// The soft button: grouping, hot repaint of the border only, and its share of the face.
#include "widgets/SoftButton.h"

#include <QButtonGroup>
#include <QMouseEvent>
#include <QRegion>

namespace glyphora {

SoftButton::SoftButton(QWidget* parent) : FaceButton(parent), holdDown_(new QButtonGroup(this))
{
    holdDown_->setExclusive(!allowAllUp_);
    holdDown_->addButton(this);
    setFocusPolicy(Qt::NoFocus);
    setAutoDefault(false);
    resize(25, 25);
    connect(this, &QAbstractButton::toggled, this, [this](bool checked) {
        if (checked) releaseGroupMates();
    });
}

void SoftButton::setGroupIndex(int index)
{
    if (index == groupIndex_) return;
    groupIndex_ = index;
    if (index == 0) release();
    setCheckable(index != 0);
    if (isChecked()) releaseGroupMates();
}

void SoftButton::setAllowAllUp(bool allow)
{
    allowAllUp_ = allow;
    // Joining the group again makes it take note of a button that is down already.
    holdDown_->removeButton(this);
    holdDown_->setExclusive(!allow);
    holdDown_->addButton(this);
}

void SoftButton::setGlyphLayout(ButtonLayout layout)
{
    if (layout != glyphLayout_) {
        glyphLayout_ = layout;
        update();
    }
}

void SoftButton::setSpacing(int spacing)
{
    if (spacing != spacing_) {
        spacing_ = spacing;
        update();
    }
}

void SoftButton::setMargin(int margin)
{
    if (margin >= -1 && margin != margin_) {
        margin_ = margin;
        update();
    }
}

void SoftButton::setTransparent(bool transparent)
{
    transparent_ = transparent;
    setAutoFillBackground(!transparent);
    update();
}

void SoftButton::setShowFocus(bool show)
{
    if (show != showFocus_) {
        showFocus_ = show;
        update();
    }
}

ButtonFace SoftButton::face() const
{
    ButtonFace f = FaceButton::face();
    f.layout = glyphLayout_;
    f.showFocus = showFocus_;
    f.focused = showFocus_;
    return f;
}

// A flat or down button repaints whole; any other changes only its one-pixel border.
void SoftButton::repaintHot()
{
    if (isFlat() || isChecked()) {
        update();
        return;
    }
    const QRect r = rect();
    QRegion border(QRect(r.x(), r.y(), r.width(), 1));
    border += QRect(r.x(), r.bottom(), r.width(), 1);
    border += QRect(r.x(), r.y(), 1, r.height());
    border += QRect(r.right(), r.y(), 1, r.height());
    update(border);
}

void SoftButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (isChecked() && event->button() == Qt::LeftButton) {
        emit doubleClicked();
        event->accept();
        return;
    }
    FaceButton::mouseDoubleClickEvent(event);
}

void SoftButton::releaseGroupMates()
{
    if (groupIndex_ == 0 || !parentWidget()) return;
    const auto siblings = parentWidget()->findChildren<SoftButton*>(Qt::FindDirectChildrenOnly);
    for (SoftButton* mate : siblings) {
        if (mate == this || mate->groupIndex_ != groupIndex_) continue;
        mate->release();
        mate->setAllowAllUp(allowAllUp_);
    }
}

void SoftButton::release()
{
    holdDown_->removeButton(this);
    setChecked(false);
    holdDown_->addButton(this);
}

} // namespace glyphora
