// The button face painter. Outlines are drawn as one-pixel filled rectangles and the rounded
// corners by clipping single pixels out, so every edge lands on whole logical pixels.
#include "widgets/ButtonFacePainter.h"

#include <QFontMetrics>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QRegion>

#include <algorithm>
#include <array>

namespace glyphora {

namespace {

struct FaceColors {
    QColor highlight;  // H
    QColor face;       // F
    QColor shadow;     // S
    QColor light;      // L, also the "white" of the gradients and the disabled caption
    QColor darkShadow; // D
    QColor frame;      // W
    QColor greyText;
    QColor buttonText;
};

FaceColors ColorsOf(const QPalette& palette)
{
    return {
        palette.color(QPalette::Active, QPalette::Highlight),    palette.color(QPalette::Active, QPalette::Button),
        palette.color(QPalette::Active, QPalette::Dark),         palette.color(QPalette::Active, QPalette::Light),
        palette.color(QPalette::Active, QPalette::Shadow),       palette.color(QPalette::Active, QPalette::Shadow),
        palette.color(QPalette::Disabled, QPalette::ButtonText), palette.color(QPalette::Active, QPalette::ButtonText)};
}

// The three frame shades of the hot and pressed states.
struct Shades {
    QColor s15, s30, s45;
};

Shades ShadesOf(const ButtonFace& face, const FaceColors& colors)
{
    const QColor base = face.hotColor == face.faceColor ? colors.highlight : face.hotColor;
    return {Shade(base, 15), Shade(base, 30), Shade(base, 45)};
}

// One-pixel rectangle outline inside r; r shrinks by one pixel on every side.
void Outline(QPainter& p, QRect& r, const QColor& color)
{
    if (r.width() <= 0 || r.height() <= 0) return;
    p.fillRect(QRect(r.x(), r.y(), r.width(), 1), color);
    p.fillRect(QRect(r.x(), r.y() + r.height() - 1, r.width(), 1), color);
    p.fillRect(QRect(r.x(), r.y(), 1, r.height()), color);
    p.fillRect(QRect(r.x() + r.width() - 1, r.y(), 1, r.height()), color);
    r.adjust(1, 1, -1, -1);
}

// An ellipse whose one-pixel stroke lies inside r, filled with the painter's brush.
void Ellipse(QPainter& p, const QRect& r, const QColor& color)
{
    p.setPen(QPen(color, 1.0));
    p.drawEllipse(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5));
}

enum Corner { TopLeft = 1, TopRight = 2, BottomLeft = 4, BottomRight = 8 };

int RoundedCorners(EdgeType edge)
{
    switch (edge) {
    case EdgeType::RoundRect: return TopLeft | TopRight | BottomLeft | BottomRight;
    case EdgeType::RoundRectLeft: return TopLeft | BottomLeft;
    case EdgeType::RoundRectRight: return TopRight | BottomRight;
    case EdgeType::RoundRectTop: return TopLeft | TopRight;
    case EdgeType::RoundRectBottom: return BottomLeft | BottomRight;
    case EdgeType::Rect:
    case EdgeType::Ellipse: break;
    }
    return 0;
}

struct CornerPixel {
    int flag;
    QPoint (*at)(const QRect&);
    QPoint inward;
};

const std::array<CornerPixel, 4> kCorners{{
    {TopLeft, [](const QRect& r) { return r.topLeft(); }, {1, 1}},
    {TopRight, [](const QRect& r) { return r.topRight(); }, {-1, 1}},
    {BottomLeft, [](const QRect& r) { return r.bottomLeft(); }, {1, -1}},
    {BottomRight, [](const QRect& r) { return r.bottomRight(); }, {-1, -1}},
}};

// Frame, fill, shading and corners of one part of a face (the whole face, or the main part
// or the arrow area of a split popup button).
void PaintPart(QPainter& p, const FaceColors& colors, const ButtonFace& face, const QRect& part, EdgeType edge,
               FaceState state)
{
    const Shades shades = ShadesOf(face, colors);
    const int corners = RoundedCorners(edge);

    p.save();
    if (corners != 0) {
        QRegion region(part);
        for (const CornerPixel& corner : kCorners)
            if (corners & corner.flag) region -= QRegion(QRect(corner.at(part), QSize(1, 1)));
        p.setClipRegion(region, Qt::IntersectClip);
    }

    QRect inner = part;
    if (edge == EdgeType::Ellipse) {
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setBrush(state == FaceState::Disabled ? QBrush(Qt::NoBrush)
                                                : QBrush(state == FaceState::Normal ? face.faceColor : face.hotColor));
        switch (state) {
        case FaceState::Hot:
            if (face.flat) {
                Ellipse(p, part, shades.s30);
                Ellipse(p, part.adjusted(0, 0, -1, -1), shades.s15);
            } else {
                Ellipse(p, part, colors.frame);
                Ellipse(p, part.adjusted(0, 0, -1, -1), shades.s30);
                Ellipse(p, part.adjusted(1, 1, -1, -1), shades.s15);
            }
            break;
        case FaceState::Pressed:
            Ellipse(p, part, shades.s45);
            if (!face.flat) Ellipse(p, part.adjusted(1, 1, -1, -1), shades.s15);
            break;
        case FaceState::Disabled:
        case FaceState::Normal:
            Ellipse(p, part, colors.shadow);
            if (!face.flat) Ellipse(p, part.adjusted(0, 0, -1, -1), colors.light);
            break;
        }
        inner = part.adjusted(1, 1, -1, -1);
    } else {
        switch (state) {
        case FaceState::Hot:
            p.fillRect(part, face.hotColor);
            Outline(p, inner, shades.s45);
            break;
        case FaceState::Pressed:
            p.fillRect(part, face.hotColor);
            Outline(p, inner, edge == EdgeType::Rect ? shades.s15 : shades.s45);
            break;
        case FaceState::Disabled: Outline(p, inner, colors.shadow); break;
        case FaceState::Normal:
            p.fillRect(part, face.faceColor);
            Outline(p, inner, face.flat ? colors.shadow : colors.darkShadow);
            if (!face.flat) Outline(p, inner, colors.light);
            break;
        }
    }

    const bool pressed = state == FaceState::Pressed;
    if (face.shadowed && state != FaceState::Disabled && (!face.flat || pressed) && !inner.isEmpty()) {
        QLinearGradient gradient(0, inner.top(), 0, inner.top() + inner.height());
        gradient.setColorAt(0, pressed ? colors.shadow : colors.light);
        gradient.setColorAt(1, pressed ? colors.light : state == FaceState::Hot ? face.hotColor : face.faceColor);
        if (edge == EdgeType::Ellipse) {
            QPainterPath ellipse;
            ellipse.addEllipse(QRectF(inner));
            p.setClipPath(ellipse, Qt::IntersectClip);
        }
        p.fillRect(inner, gradient);
    }
    p.restore();

    if (corners != 0) {
        const QColor cornerColor = state == FaceState::Hot       ? shades.s30
                                   : state == FaceState::Pressed ? shades.s15
                                                                 : colors.shadow;
        for (const CornerPixel& corner : kCorners) {
            if (!(corners & corner.flag)) continue;
            const QPoint at = corner.at(part);
            p.fillRect(QRect(at + corner.inward, QSize(1, 1)), cornerColor);
            if (state != FaceState::Disabled) {
                p.fillRect(QRect(at + QPoint(corner.inward.x(), 0), QSize(1, 1)), cornerColor);
                p.fillRect(QRect(at + QPoint(0, corner.inward.y()), QSize(1, 1)), cornerColor);
            }
        }
    }
}

// The vertical edge between the main part and the arrow area of a split popup button.
void PaintAreaEdge(QPainter& p, const FaceColors& colors, const QRect& area, bool pressed)
{
    const int top = area.y() + 1;
    const int height = area.height() - 2;
    if (pressed) {
        p.fillRect(QRect(area.x() - 1, top, 1, height), colors.shadow);
        p.fillRect(QRect(area.x(), top, 1, height), colors.darkShadow);
    } else {
        p.fillRect(QRect(area.x(), top, 1, height), colors.shadow);
        p.fillRect(QRect(area.x() + 1, top, 1, height), colors.light);
    }
}

QImage ToArgb(const QPixmap& pixmap)
{
    QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    image.setDevicePixelRatio(pixmap.devicePixelRatio());
    return image;
}

// Frame of a glyph strip; a strip without alpha takes its bottom-left colour as transparent.
QImage GlyphFrame(const QPixmap& strip, int count, int frame)
{
    const int width = strip.width() / count;
    QImage image = ToArgb(strip.copy(frame * width, 0, width, strip.height()));
    if (!strip.hasAlphaChannel() && !image.isNull()) {
        const QRgb key = image.pixel(0, image.height() - 1);
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                if (line[x] == key) line[x] = 0;
        }
    }
    return image;
}

// The image's pixels coloured in one colour, keeping their alpha.
QImage Silhouette(const QImage& image, const QColor& color)
{
    QImage result = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter p(&result);
    p.setCompositionMode(QPainter::CompositionMode_SourceIn);
    p.fillRect(QRect(QPoint(0, 0), result.size() / result.devicePixelRatio()), color);
    return result;
}

// The disabled form of a glyph: drawn on white, reduced to black and white, and returned as a
// mask (opaque black where the stamp prints).
QImage EmbossMask(const QImage& image)
{
    QImage onWhite(image.size(), QImage::Format_ARGB32);
    onWhite.setDevicePixelRatio(image.devicePixelRatio());
    onWhite.fill(Qt::white);
    {
        QPainter p(&onWhite);
        p.drawImage(0, 0, image.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    }
    constexpr int kGreyFactor = 175;
    QImage mask(image.size(), QImage::Format_ARGB32);
    mask.setDevicePixelRatio(image.devicePixelRatio());
    for (int y = 0; y < onWhite.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(onWhite.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(mask.scanLine(y));
        for (int x = 0; x < onWhite.width(); ++x) {
            const std::array<int, 3> c{qRed(in[x]), qGreen(in[x]), qBlue(in[x])};
            bool white = c[0] == 255 && c[1] == 255 && c[2] == 255;
            const bool black = c[0] == 0 && c[1] == 0 && c[2] == 0;
            if (!white && !black)
                for (std::size_t i = 0; i < 3 && !white; ++i)
                    for (std::size_t j = 0; j < 3 && !white; ++j)
                        white = i != j && c[i] > kGreyFactor && c[j] != 0;
            out[x] = white ? 0u : qRgba(0, 0, 0, 255);
        }
    }
    return mask;
}

struct Glyph {
    QImage image; // at the painter's device pixel ratio where the source allows
    QSize size;   // logical
    bool embossed = false;
};

Glyph ChooseGlyph(const ButtonFace& face, qreal dpr)
{
    Glyph glyph;
    if (!face.glyph.isNull()) {
        const int count = std::clamp(face.glyphCount, 1, 5);
        const QSizeF logical = face.glyph.deviceIndependentSize();
        glyph.size = QSize(int(logical.width()) / count, int(logical.height()));
        glyph.image = GlyphFrame(face.glyph, count, GlyphFrameFor(face.state, face.focused, count));
        glyph.embossed = face.state == FaceState::Disabled && count == 1;
    } else if (!face.icon.isNull()) {
        // An icon brings its own disabled form (the theme's, or its engine's), which suits
        // the palette it was made for; a black-and-white emboss would wash light glyphs out.
        glyph.size = face.iconSize;
        const QIcon::Mode mode = face.state == FaceState::Disabled ? QIcon::Disabled : QIcon::Normal;
        glyph.image = ToArgb(face.icon.pixmap(face.iconSize, dpr, mode));
    }
    if (glyph.embossed) glyph.image = EmbossMask(glyph.image);
    return glyph;
}

void PaintArrow(QPainter& p, const FaceColors& colors, const ButtonFace& face)
{
    const bool disabled = face.state == FaceState::Disabled;
    const int a = face.dropDownWidth / 2;
    const int d = face.dropDownPressed && !disabled ? 1 : 0;
    const int y = (face.rect.top() + face.rect.top() + face.rect.height()) / 2 + d;
    const int r = face.rect.x() + face.rect.width();
    const QColor color = disabled ? colors.shadow : colors.buttonText;
    // The filled triangle (r-a-3+d, y-1), (r-a+1+d, y-1), (r-a-1+d, y+1), row by row.
    p.fillRect(QRect(r - a - 3 + d, y - 1, 5, 1), color);
    p.fillRect(QRect(r - a - 2 + d, y, 3, 1), color);
    p.fillRect(QRect(r - a - 1 + d, y + 1, 1, 1), color);
}

void PaintCaption(QPainter& p, const FaceColors& colors, const ButtonFace& face, const QString& caption,
                  const QRect& box, int alignment)
{
    const int flags = alignment | Qt::TextShowMnemonic | Qt::TextSingleLine;
    auto draw = [&](const QColor& color, QPoint offset) {
        p.setPen(color);
        p.drawText(box.translated(offset), flags, caption);
    };
    const bool active = face.state == FaceState::Hot || face.state == FaceState::Pressed;
    QColor proper = face.textColor;
    QPoint offset(0, 0);
    if (face.state == FaceState::Disabled) {
        draw(colors.light, {1, 1});
        proper = colors.greyText;
    } else if (active && face.highlightMode == HighlightMode::TextShadow) {
        draw(colors.light, {-1, -1});
        proper = colors.light;
    } else if (active && face.highlightMode == HighlightMode::TextGrey) {
        draw(colors.greyText, {0, 0});
        proper = colors.greyText;
        if (face.state == FaceState::Hot) offset = {-2, -2};
    }
    if (face.focused && face.state != FaceState::Disabled) proper = face.focusedTextColor;
    if (face.layout == ButtonLayout::GlyphRight && face.state == FaceState::Pressed) offset.rx() += 1;
    draw(proper, offset);
}

void PaintContent(QPainter& p, const FaceColors& colors, const ButtonFace& face)
{
    QRect content = face.rect;
    if (face.drawDropDown) content.setWidth(content.width() - face.dropDownWidth);
    const qreal dpr = p.device() ? p.device()->devicePixelRatio() : 1.0;
    const Glyph glyph = ChooseGlyph(face, dpr);
    const bool hasGlyph = !glyph.image.isNull() && !glyph.size.isEmpty();

    QPoint glyphAt;
    if (hasGlyph && !face.caption.isEmpty()) {
        const QFontMetrics metrics = p.fontMetrics();
        QString caption = face.caption;
        const int fit = content.width() - glyph.size.width() - 8;
        if (metrics.size(Qt::TextShowMnemonic, caption).width() > fit) caption = ShortenCaption(metrics, caption, fit);
        const int captionWidth = metrics.size(Qt::TextShowMnemonic, caption).width();
        const int contentWidth = std::min(captionWidth + glyph.size.width() + 6, content.width() - 5);
        const int left = content.x() + (content.width() - contentWidth) / 2;
        const int textWidth = contentWidth - glyph.size.width() - 6;
        const int glyphY = content.y() + (content.height() - glyph.size.height()) / 2;
        if (face.layout == ButtonLayout::GlyphLeft) {
            glyphAt = {left, glyphY};
            PaintCaption(p, colors, face, caption,
                         QRect(left + glyph.size.width() + 6, content.y(), textWidth, content.height()),
                         Qt::AlignLeft | Qt::AlignVCenter);
        } else {
            glyphAt = {left + contentWidth - glyph.size.width(), glyphY};
            PaintCaption(p, colors, face, caption, QRect(left, content.y(), textWidth, content.height()),
                         Qt::AlignRight | Qt::AlignVCenter);
        }
    } else if (hasGlyph) {
        glyphAt = {content.x() + (content.width() - glyph.size.width()) / 2,
                   content.y() + (content.height() - glyph.size.height()) / 2};
    } else if (!face.caption.isEmpty()) {
        // A caption alone is shortened by the same rule when the button is too narrow for it.
        const QFontMetrics metrics = p.fontMetrics();
        const int fit = content.width() - 8;
        const bool fits = metrics.size(Qt::TextShowMnemonic, face.caption).width() <= fit;
        PaintCaption(p, colors, face, fits ? face.caption : ShortenCaption(metrics, face.caption, fit), content,
                     Qt::AlignCenter);
    }

    if (face.showFocus && face.focused) {
        const int k = face.flat || face.state == FaceState::Hot || face.state == FaceState::Pressed ? 1 : 0;
        const int bottom = face.rect.y() + face.rect.height();
        const int left = face.rect.x() + k + 2;
        const int right = face.rect.x() + face.rect.width() - k - 2;
        p.fillRect(QRect(left, bottom - k - 2, right - left, 2), colors.highlight);
    }

    if (!hasGlyph) return;
    QPoint offset(0, 0);
    if (face.state == FaceState::Pressed && face.highlightMode != HighlightMode::GlyphShadow &&
        (face.rect.width() >= 20 || face.rect.height() >= 20))
        offset = {1, 1};
    else if (face.state == FaceState::Hot && face.highlightMode == HighlightMode::GlyphShadow)
        offset = {-1, -1};

    if (glyph.embossed) {
        p.drawImage(glyphAt + QPoint(1, 1), Silhouette(glyph.image, colors.light));
        p.drawImage(glyphAt, Silhouette(glyph.image, colors.shadow));
        return;
    }
    if (face.state == FaceState::Hot && face.highlightMode == HighlightMode::GlyphShadow)
        p.drawImage(glyphAt + QPoint(1, 1), Silhouette(glyph.image, colors.greyText));
    p.drawImage(glyphAt + offset, glyph.image);
}

} // namespace

QColor Shade(const QColor& color, int n)
{
    auto channel = [n](int v) { return v > n ? v - n - v / 100 : 0; };
    return QColor(channel(color.red()), channel(color.green()), channel(color.blue()), color.alpha());
}

QColor Lighten(const QColor& color, int n)
{
    auto channel = [n](int v) { return std::min(v + n, 255); };
    return QColor(channel(color.red()), channel(color.green()), channel(color.blue()), color.alpha());
}

int GlyphCountOf(const QPixmap& glyph, int currentCount)
{
    if (glyph.isNull() || glyph.height() == 0 || glyph.width() % glyph.height() != 0) return currentCount;
    const int frames = glyph.width() / glyph.height();
    return frames < 6 ? frames : 1;
}

int GlyphFrameFor(FaceState state, bool focused, int frameCount)
{
    switch (state) {
    case FaceState::Hot:
        if (frameCount >= 3) return 2;
        break;
    case FaceState::Pressed:
        if (frameCount >= 4) return 3;
        if (frameCount == 3) return 2;
        break;
    case FaceState::Disabled:
        if (frameCount >= 2) return 1;
        break;
    case FaceState::Normal:
        if (focused && frameCount >= 5) return 4;
        break;
    }
    return 0;
}

QString ShortenCaption(const QFontMetrics& metrics, const QString& caption, int width)
{
    const QString ellipsis = QStringLiteral("...");
    for (qsizetype drop = 2; drop < caption.size(); ++drop) {
        const QString candidate = caption.left(caption.size() - drop) + ellipsis;
        if (metrics.size(Qt::TextShowMnemonic, candidate).width() <= width) return candidate;
    }
    return ellipsis;
}

int DropDownAreaWidth(int buttonWidth)
{
    return buttonWidth < 32 ? 13 : 14;
}

void PaintButtonFace(QPainter& painter, const QPalette& palette, const ButtonFace& input)
{
    ButtonFace face = input;
    const FaceColors colors = ColorsOf(palette);
    if (!face.faceColor.isValid()) face.faceColor = colors.face;
    if (!face.hotColor.isValid()) face.hotColor = face.faceColor;
    if (!face.textColor.isValid()) face.textColor = colors.buttonText;
    if (!face.focusedTextColor.isValid()) face.focusedTextColor = face.textColor;
    if (!face.drawDropDown) face.dropDownWidth = 0;

    const bool split = face.separateDropDown && face.dropDownWidth > 0;
    if (!split && face.dropDownPressed) face.state = FaceState::Pressed;

    painter.save();
    if (split) {
        const QRect& r = face.rect;
        const QRect main(r.x(), r.y(), r.width() - face.dropDownWidth, r.height());
        const QRect area(main.x() + main.width(), r.y(), face.dropDownWidth, r.height());
        const bool round = face.edge == EdgeType::RoundRect;
        PaintPart(painter, colors, face, main, round ? EdgeType::RoundRectLeft : face.edge, face.state);
        const bool areaPressed = face.dropDownPressed && face.state != FaceState::Disabled;
        PaintPart(painter, colors, face, area, round ? EdgeType::RoundRectRight : face.edge,
                  areaPressed ? FaceState::Pressed : face.state);
        if (face.state != FaceState::Disabled) PaintAreaEdge(painter, colors, area, areaPressed);
    } else {
        PaintPart(painter, colors, face, face.rect, face.edge, face.state);
    }
    PaintContent(painter, colors, face);
    if (face.dropDownWidth > 0) PaintArrow(painter, colors, face);
    painter.restore();
}

} // namespace glyphora
