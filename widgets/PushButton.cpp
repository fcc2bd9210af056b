// The push button's share of the face and its switch to the platform's own look.
#include "widgets/PushButton.h"

namespace glyphora {

PushButton::PushButton(QWidget* parent) : FaceButton(parent)
{
    setFocusPolicy(Qt::StrongFocus);
}

PushButton::PushButton(const QString& text, QWidget* parent) : PushButton(parent)
{
    setText(text);
}

void PushButton::setHighlightColor(const QColor& color)
{
    if (color != highlightColor_) {
        highlightColor_ = color;
        update();
    }
}

void PushButton::setFocusedTextColor(const QColor& color)
{
    if (color != focusedTextColor_) {
        focusedTextColor_ = color;
        update();
    }
}

void PushButton::setFocusText(bool on)
{
    if (on != focusText_) {
        focusText_ = on;
        update();
    }
}

void PushButton::setDrawFocus(bool on)
{
    if (on != drawFocus_) {
        drawFocus_ = on;
        update();
    }
}

void PushButton::setPlatformLook(bool on)
{
    if (on != platformLook_) {
        platformLook_ = on;
        updateGeometry();
        update();
    }
}

void PushButton::setLeftText(bool on)
{
    if (on != leftText_) {
        leftText_ = on;
        update();
    }
}

ButtonFace PushButton::face() const
{
    ButtonFace f = FaceButton::face();
    f.showFocus = drawFocus_;
    f.focused = hasFocus();
    if (focusText_) f.focusedTextColor = focusedTextColor_;
    f.hotColor = highlightColor_.isValid() ? highlightColor_ : palette().color(QPalette::Button);
    if (!f.faceColor.isValid()) f.faceColor = palette().color(QPalette::Button);
    return f;
}

void PushButton::paintEvent(QPaintEvent* event)
{
    if (platformLook_)
        QPushButton::paintEvent(event);
    else
        FaceButton::paintEvent(event);
}

void PushButton::focusInEvent(QFocusEvent* event)
{
    FaceButton::focusInEvent(event);
    update();
}

void PushButton::focusOutEvent(QFocusEvent* event)
{
    FaceButton::focusOutEvent(event);
    update();
}

} // namespace glyphora
