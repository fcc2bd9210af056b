// PushButton: a focusable push button (default-button handling included) whose face is drawn
// by the same painter as the soft buttons; the find strip's search button is one.
//
// Properties: color (face) and highlightColor (hot), both the palette's button colour when
// invalid; focusedTextColor (red by default) used for the caption while focused when
// focusText is on; drawFocus (the focus mark while focused, on by default); platformLook
// (draw with the current QStyle instead of the face painter); leftText (kept and repainted
// for callers that track it; it does not change the drawing). The default button's caption is
// bold. A double click acts as a second press.
#pragma once

#include "widgets/FaceButton.h"

namespace glyphora {

class PushButton : public FaceButton {
    Q_OBJECT
    Q_PROPERTY(QColor highlightColor READ highlightColor WRITE setHighlightColor)
    Q_PROPERTY(QColor focusedTextColor READ focusedTextColor WRITE setFocusedTextColor)
    Q_PROPERTY(bool focusText READ focusText WRITE setFocusText)
    Q_PROPERTY(bool drawFocus READ drawFocus WRITE setDrawFocus)
    Q_PROPERTY(bool platformLook READ platformLook WRITE setPlatformLook)
    Q_PROPERTY(bool leftText READ leftText WRITE setLeftText)

public:
    explicit PushButton(QWidget* parent = nullptr);
    explicit PushButton(const QString& text, QWidget* parent = nullptr);

    QColor highlightColor() const { return highlightColor_; }
    void setHighlightColor(const QColor& color);
    QColor focusedTextColor() const { return focusedTextColor_; }
    void setFocusedTextColor(const QColor& color);
    bool focusText() const { return focusText_; }
    void setFocusText(bool on);
    bool drawFocus() const { return drawFocus_; }
    void setDrawFocus(bool on);
    bool platformLook() const { return platformLook_; }
    void setPlatformLook(bool on);
    bool leftText() const { return leftText_; }
    void setLeftText(bool on);

protected:
    ButtonFace face() const override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QColor highlightColor_;
    QColor focusedTextColor_{Qt::red};
    bool focusText_ = false;
    bool drawFocus_ = true;
    bool platformLook_ = false;
    bool leftText_ = false;
};

} // namespace glyphora
