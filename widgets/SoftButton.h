// SoftButton: the toolbar's tool button, drawn by the face painter, with hot tracking, glyph
// strips, edge shapes and text effects, and optional grouping like a radio group.
//
// A button with a non-zero groupIndex is checkable; "down" is Qt's checked state. Checking one
// button of a group releases every sibling (same parent) with the same groupIndex and hands
// them its allowAllUp. With allowAllUp off a checked button stays down until a group mate goes
// down: neither a click nor setChecked(false) releases it. Setting groupIndex to 0 releases it
// (only grouped buttons can be down). doubleClicked() is emitted for a double click on a
// checked button.
//
// Further properties: glyphLayout (glyph left or right of the caption), spacing and margin
// (kept for layouts that use them; margin below -1 is refused), transparent (off fills the
// background with the palette's window colour before the face), showFocus (draws the focus
// mark and the caption in the text colour of a focused button). Hovering a button that is not
// flat and not down repaints only its one-pixel border; the face inside stays as it is.
#pragma once

#include "widgets/FaceButton.h"

class QButtonGroup;

namespace glyphora {

class SoftButton : public FaceButton {
    Q_OBJECT
    Q_PROPERTY(int groupIndex READ groupIndex WRITE setGroupIndex)
    Q_PROPERTY(bool allowAllUp READ allowAllUp WRITE setAllowAllUp)
    Q_PROPERTY(glyphora::ButtonLayout glyphLayout READ glyphLayout WRITE setGlyphLayout)
    Q_PROPERTY(int spacing READ spacing WRITE setSpacing)
    Q_PROPERTY(int margin READ margin WRITE setMargin)
    Q_PROPERTY(bool transparent READ isTransparent WRITE setTransparent)
    Q_PROPERTY(bool showFocus READ showFocus WRITE setShowFocus)

public:
    explicit SoftButton(QWidget* parent = nullptr);

    int groupIndex() const { return groupIndex_; }
    void setGroupIndex(int index);
    bool allowAllUp() const { return allowAllUp_; }
    void setAllowAllUp(bool allow);
    ButtonLayout glyphLayout() const { return glyphLayout_; }
    void setGlyphLayout(ButtonLayout layout);
    int spacing() const { return spacing_; }
    void setSpacing(int spacing);
    int margin() const { return margin_; }
    void setMargin(int margin);
    bool isTransparent() const { return transparent_; }
    void setTransparent(bool transparent);
    bool showFocus() const { return showFocus_; }
    void setShowFocus(bool show);

signals:
    void doubleClicked();

protected:
    ButtonFace face() const override;
    void repaintHot() override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void releaseGroupMates();
    // Releases the button whatever allowAllUp says (a group mate went down, or it left its group).
    void release();

    // Holds a checked button down while allowAllUp is off: Qt refuses to uncheck the checked
    // button of an exclusive group, by click and by setChecked alike. It holds this button only.
    QButtonGroup* holdDown_;

    int groupIndex_ = 0;
    bool allowAllUp_ = false;
    ButtonLayout glyphLayout_ = ButtonLayout::GlyphLeft;
    int spacing_ = 4;
    int margin_ = -1;
    bool transparent_ = true;
    bool showFocus_ = false;
};

} // namespace glyphora
