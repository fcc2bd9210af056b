// Shared behaviour of the face-painted buttons: property storage, hot tracking, painting.
#include "widgets/FaceButton.h"

#include <QApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace glyphora {

FaceButton::FaceButton(QWidget* parent) : QPushButton(parent) {}

void FaceButton::setGlyph(const QPixmap& glyph)
{
    glyph_ = glyph;
    glyphCount_ = GlyphCountOf(glyph_, glyphCount_);
    updateGeometry();
    update();
}

void FaceButton::setGlyphCount(int count)
{
    count = std::clamp(count, 1, 5);
    if (count != glyphCount_) {
        glyphCount_ = count;
        update();
    }
}

void FaceButton::setEdgeType(EdgeType type)
{
    if (type != edgeType_) {
        edgeType_ = type;
        update();
    }
}

void FaceButton::setHighlightMode(HighlightMode mode)
{
    if (mode != highlightMode_) {
        highlightMode_ = mode;
        update();
    }
}

void FaceButton::setShadowed(bool shadowed)
{
    if (shadowed != shadowed_) {
        shadowed_ = shadowed;
        update();
    }
}

void FaceButton::setColor(const QColor& color)
{
    if (color != color_) {
        color_ = color;
        update();
    }
}

FaceState FaceButton::faceState() const
{
    if (!isEnabled()) return FaceState::Disabled;
    if (isDown() || isChecked()) return FaceState::Pressed;
    return hot_ ? FaceState::Hot : FaceState::Normal;
}

ButtonFace FaceButton::face() const
{
    ButtonFace f;
    f.rect = rect();
    f.caption = text();
    f.state = faceState();
    f.edge = edgeType_;
    f.highlightMode = highlightMode_;
    f.glyph = glyph_;
    f.glyphCount = glyphCount_;
    f.icon = icon();
    f.iconSize = iconSize();
    f.shadowed = shadowed_;
    f.flat = isFlat();
    f.textColor = palette().color(QPalette::ButtonText);
    f.faceColor = color_;
    f.hotColor = color_;
    return f;
}

QSize FaceButton::sizeHint() const
{
    QSize glyphSize;
    if (!glyph_.isNull()) {
        const QSizeF logical = glyph_.deviceIndependentSize();
        glyphSize = QSize(int(logical.width()) / glyphCount_, int(logical.height()));
    } else if (!icon().isNull()) {
        glyphSize = iconSize();
    }
    QFont captionFont = font();
    captionFont.setBold(isDefault());
    const QSize caption = text().isEmpty() ? QSize() : QFontMetrics(captionFont).size(Qt::TextShowMnemonic, text());
    const int gap = glyphSize.isValid() && caption.isValid() ? 6 : 0;
    const int width = std::max(glyphSize.width(), 0) + gap + std::max(caption.width(), 0) + 12;
    const int height = std::max(glyphSize.height(), caption.height()) + 10;
    return QSize(std::max(width, 25), std::max(height, 25));
}

QSize FaceButton::minimumSizeHint() const
{
    QSize glyphSize(0, 0);
    if (!glyph_.isNull())
        glyphSize = QSize(int(glyph_.deviceIndependentSize().width()) / glyphCount_,
                          int(glyph_.deviceIndependentSize().height()));
    else if (!icon().isNull())
        glyphSize = iconSize();
    return QSize(std::max(glyphSize.width() + 8, 25), std::max(glyphSize.height() + 8, 25));
}

void FaceButton::repaintHot()
{
    update();
}

void FaceButton::setHot(bool hot)
{
    if (hot != hot_) {
        hot_ = hot;
        repaintHot();
    }
}

bool FaceButton::isUnderPointer() const
{
    return isVisible() && QWidget::mouseGrabber() == nullptr && QApplication::widgetAt(QCursor::pos()) == this;
}

void FaceButton::reevaluateHot(const QPoint& pos)
{
    setHot(isEnabled() && rect().contains(pos));
}

void FaceButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QFont captionFont = font();
    captionFont.setBold(isDefault());
    painter.setFont(captionFont);
    PaintButtonFace(painter, palette(), face());
}

void FaceButton::enterEvent(QEnterEvent* event)
{
    if (isEnabled() && QWidget::mouseGrabber() == nullptr) setHot(true);
    QPushButton::enterEvent(event);
}

void FaceButton::leaveEvent(QEvent* event)
{
    if (isEnabled() && !dragging_) setHot(false);
    QPushButton::leaveEvent(event);
}

void FaceButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && isEnabled()) dragging_ = true;
    QPushButton::mousePressEvent(event);
}

void FaceButton::mouseReleaseEvent(QMouseEvent* event)
{
    const bool wasDragging = dragging_ && event->button() == Qt::LeftButton;
    if (wasDragging) dragging_ = false;
    QPushButton::mouseReleaseEvent(event);
    if (wasDragging) reevaluateHot(event->position().toPoint());
}

void FaceButton::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange) {
        // Enabled under the pointer, a button is hot at once, without waiting for the pointer
        // to move: the pointer entered it while it was disabled.
        dragging_ = false;
        hot_ = isEnabled() && isUnderPointer();
        update();
    }
    QPushButton::changeEvent(event);
}

bool FaceButton::hitButton(const QPoint& pos) const
{
    return rect().contains(pos);
}

} // namespace glyphora
