// The one face painter behind the soft, popup and push buttons: frame, fill and shading by
// state and edge shape, rounded corners, the choice of glyph frame, the caption effects, the
// focus mark and the drop-down arrow. It draws in logical pixels with whole-pixel rectangles
// only (no hairline pens), so a face stays crisp at any device pixel ratio, and it takes every
// colour from the palette it is given, so it follows light and dark palettes alike.
#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QRect>
#include <QSize>
#include <QString>

class QFontMetrics;
class QPainter;
class QPalette;

namespace glyphora {

enum class ButtonLayout { GlyphLeft, GlyphRight };
enum class HighlightMode { Normal, TextShadow, TextGrey, GlyphShadow };
enum class EdgeType { Rect, RoundRect, Ellipse, RoundRectLeft, RoundRectRight, RoundRectTop, RoundRectBottom };
// What the painter draws; a button maps its own state onto one of these.
enum class FaceState { Normal, Hot, Pressed, Disabled };

// Everything one paint of a button face needs. Colours that are invalid fall back to the
// palette: the face and hot colours to the button colour, the text colours to the button text.
struct ButtonFace {
    QRect rect;
    QString caption; // "&" marks the mnemonic, as in QAbstractButton::text()
    FaceState state = FaceState::Normal;
    EdgeType edge = EdgeType::RoundRect;
    ButtonLayout layout = ButtonLayout::GlyphLeft;
    HighlightMode highlightMode = HighlightMode::Normal;

    // The glyph: a strip of up to five equal frames (normal, disabled, hot, pressed, focused);
    // a disabled button with a one-frame strip shows that frame embossed. When the strip is
    // null the icon serves instead, at iconSize, in its own disabled form when disabled.
    QPixmap glyph;
    int glyphCount = 1;
    QIcon icon;
    QSize iconSize{16, 16};

    // Popup buttons: the width of the arrow area at the right (0 for other buttons), whether the
    // area is a separate part, whether it is pressed, and whether the arrow is drawn at all.
    int dropDownWidth = 0;
    bool separateDropDown = false;
    bool dropDownPressed = false;
    bool drawDropDown = false;

    bool showFocus = false; // draw the focus mark when focused
    bool focused = false;
    bool shadowed = true; // gradient shading of the face
    bool flat = false;

    QColor textColor;
    QColor focusedTextColor;
    QColor hotColor;
    QColor faceColor;
};

void PaintButtonFace(QPainter& painter, const QPalette& palette, const ButtonFace& face);

// Darkens each of red, green and blue by n and by a hundredth of the channel (0 when the
// channel is n or less): the shade rule of the button frames and the splitter grip.
QColor Shade(const QColor& color, int n);
// Adds n to each of red, green and blue, capped at 255.
QColor Lighten(const QColor& color, int n);

// The number of frames a newly set glyph strip holds: width / height when the width is a whole
// multiple of the height and that gives at most five frames, 1 for more; otherwise the count
// stays as it was.
int GlyphCountOf(const QPixmap& glyph, int currentCount);
// The frame (0-based) of a strip of frameCount frames shown in a state.
int GlyphFrameFor(FaceState state, bool focused, int frameCount);
// The caption shortened from its end, with "..." appended, until it fits width.
QString ShortenCaption(const QFontMetrics& metrics, const QString& caption, int width);
// The width of the arrow area of a popup button of a given width.
int DropDownAreaWidth(int buttonWidth);

} // namespace glyphora
