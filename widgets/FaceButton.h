// The common base of Glyphora's own buttons (SoftButton, PopupButton, PushButton): the face
// properties they share, hot tracking, and painting through the one face painter. It derives
// from QPushButton so that the push button keeps Qt's default-button handling in dialogs; the
// tool-like buttons turn focus and auto-default off.
//
// Properties: glyph (a strip of up to five frames: normal, disabled, hot, pressed, focused),
// glyphCount (1..5; setting a glyph derives it), edgeType, highlightMode, shadowed, color (the
// face colour; invalid means the palette's button colour), and QPushButton's flat, icon,
// iconSize and text. hot is true while the pointer is over an enabled button, also one that
// was enabled while the pointer was over it.
#pragma once

#include "widgets/ButtonFacePainter.h"

#include <QPushButton>

namespace glyphora {

class FaceButton : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(QPixmap glyph READ glyph WRITE setGlyph)
    Q_PROPERTY(int glyphCount READ glyphCount WRITE setGlyphCount)
    Q_PROPERTY(glyphora::EdgeType edgeType READ edgeType WRITE setEdgeType)
    Q_PROPERTY(glyphora::HighlightMode highlightMode READ highlightMode WRITE setHighlightMode)
    Q_PROPERTY(bool shadowed READ isShadowed WRITE setShadowed)
    Q_PROPERTY(QColor color READ color WRITE setColor)
    Q_PROPERTY(bool hot READ isHot)

public:
    const QPixmap& glyph() const { return glyph_; }
    void setGlyph(const QPixmap& glyph);
    int glyphCount() const { return glyphCount_; }
    void setGlyphCount(int count);
    EdgeType edgeType() const { return edgeType_; }
    void setEdgeType(EdgeType type);
    HighlightMode highlightMode() const { return highlightMode_; }
    void setHighlightMode(HighlightMode mode);
    bool isShadowed() const { return shadowed_; }
    void setShadowed(bool shadowed);
    QColor color() const { return color_; }
    void setColor(const QColor& color);
    bool isHot() const { return hot_; }

    // What the painter shows now: disabled, pressed (held down or checked), hot, or normal.
    FaceState faceState() const;

    QSize sizeHint() const override;
    // A button may be squeezed to its glyph (its caption is then shortened with "...").
    QSize minimumSizeHint() const override;

protected:
    explicit FaceButton(QWidget* parent);

    // The face as this kind of button paints it; subclasses add their own fields.
    virtual ButtonFace face() const;
    // Repaints after the hot state changed; the default repaints the whole button.
    virtual void repaintHot();
    void setHot(bool hot);
    // Replays the pointer's enter or leave for a pointer at pos (button coordinates).
    void reevaluateHot(const QPoint& pos);
    // Whether the pointer is over this button now (and no other widget holds the mouse).
    bool isUnderPointer() const;
    bool isDragging() const { return dragging_; }

    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

private:
    QPixmap glyph_;
    int glyphCount_ = 1;
    EdgeType edgeType_ = EdgeType::RoundRect;
    HighlightMode highlightMode_ = HighlightMode::Normal;
    bool shadowed_ = true;
    QColor color_;
    bool hot_ = false;
    bool dragging_ = false;
};

} // namespace glyphora
