// Our own toolbar glyphs, drawn on a 16 x 16 design grid and scaled to the requested size.
#include "app/gui/ToolbarIcons.h"

#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPixmap>

#include <cmath>

namespace glyphora {

namespace {

const char* ThemeName(ToolbarGlyph glyph)
{
    switch (glyph) {
    case ToolbarGlyph::Open: return "document-open";
    case ToolbarGlyph::Save: return "document-save";
    case ToolbarGlyph::Copy: return "edit-copy";
    case ToolbarGlyph::Print: return "document-print";
    case ToolbarGlyph::Refresh: return "view-refresh";
    case ToolbarGlyph::Options: return "preferences-system";
    case ToolbarGlyph::Help: return "help-contents";
    case ToolbarGlyph::About: return "help-about";
    case ToolbarGlyph::Find: return "edit-find";
    }
    return "";
}

// A sheet of paper with a folded corner, its top-left at (x, y).
void Sheet(QPainter& p, double x, double y, double w, double h, const QColor& paper)
{
    QPainterPath path;
    path.moveTo(x, y);
    path.lineTo(x + w - 3, y);
    path.lineTo(x + w, y + 3);
    path.lineTo(x + w, y + h);
    path.lineTo(x, y + h);
    path.closeSubpath();
    p.setBrush(paper);
    p.drawPath(path);
    p.drawLine(QPointF(x + w - 3, y), QPointF(x + w - 3, y + 3));
    p.drawLine(QPointF(x + w - 3, y + 3), QPointF(x + w, y + 3));
}

void Lines(QPainter& p, double x, double y, double w, int count)
{
    for (int i = 0; i < count; ++i)
        p.drawLine(QPointF(x, y + 2.0 * i), QPointF(x + w, y + 2.0 * i));
}

// Draws the glyph on the 16 x 16 grid with ink as the outline colour.
void DrawGlyph(QPainter& p, ToolbarGlyph glyph, const QColor& ink)
{
    QPen pen(ink, 1.0);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    const QColor paper(0xFB, 0xFB, 0xF8), accent(0x2F, 0x6F, 0xC0), folder(0xE8, 0xB8, 0x4A);
    switch (glyph) {
    case ToolbarGlyph::Open: {
        QPainterPath back;
        back.moveTo(1.5, 3.5);
        back.lineTo(6, 3.5);
        back.lineTo(7.5, 5);
        back.lineTo(13.5, 5);
        back.lineTo(13.5, 13.5);
        back.lineTo(1.5, 13.5);
        back.closeSubpath();
        p.setBrush(folder.darker(115));
        p.drawPath(back);
        QPainterPath flap;
        flap.moveTo(1.5, 13.5);
        flap.lineTo(4, 7.5);
        flap.lineTo(15, 7.5);
        flap.lineTo(13.5, 13.5);
        flap.closeSubpath();
        p.setBrush(folder);
        p.drawPath(flap);
        break;
    }
    case ToolbarGlyph::Save:
        p.setBrush(accent);
        p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1.5, 1.5);
        p.setBrush(paper);
        p.drawRect(QRectF(4, 1.5, 8, 5));
        p.setBrush(ink);
        p.drawRect(QRectF(4.5, 9.5, 7, 5));
        break;
    case ToolbarGlyph::Copy:
        Sheet(p, 1.5, 1.5, 8, 10, paper);
        Sheet(p, 6.5, 4.5, 8, 10, paper);
        Lines(p, 8.5, 8.5, 4, 3);
        break;
    case ToolbarGlyph::Print:
        Sheet(p, 4.5, 1.5, 7, 5, paper);
        p.setBrush(ink.lighter(250));
        p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1, 1);
        p.setBrush(paper);
        p.drawRect(QRectF(4.5, 10.5, 7, 4));
        p.setBrush(QColor(0x3C, 0xB0, 0x4C));
        p.drawEllipse(QPointF(12.5, 8.5), 0.8, 0.8);
        break;
    case ToolbarGlyph::Refresh: {
        QPen arrow(accent, 2.0);
        arrow.setCapStyle(Qt::FlatCap);
        p.setPen(arrow);
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(2.5, 2.5, 11, 11), 60 * 16, 270 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(accent);
        QPainterPath head;
        head.moveTo(8.5, 0.5);
        head.lineTo(12.5, 3.5);
        head.lineTo(8.5, 6.5);
        head.closeSubpath();
        p.drawPath(head);
        break;
    }
    case ToolbarGlyph::Options:
        // Three sliders with their knobs at different places.
        for (int i = 0; i < 3; ++i) {
            const double y = 3.5 + 4.5 * i, knob = i == 1 ? 10.5 : (i == 0 ? 5.5 : 8);
            p.drawLine(QPointF(1.5, y), QPointF(14.5, y));
            p.setBrush(accent);
            p.drawEllipse(QPointF(knob, y), 1.8, 1.8);
        }
        break;
    case ToolbarGlyph::Help:
    case ToolbarGlyph::About: {
        p.setBrush(accent);
        p.drawEllipse(QRectF(1, 1, 14, 14));
        QFont font = QGuiApplication::font();
        font.setBold(true);
        font.setPixelSize(11);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRectF(1, 1, 14, 14), Qt::AlignCenter,
                   glyph == ToolbarGlyph::Help ? QStringLiteral("?") : QStringLiteral("i"));
        break;
    }
    case ToolbarGlyph::Find: {
        QPen handle(ink, 2.5);
        handle.setCapStyle(Qt::RoundCap);
        p.setPen(handle);
        p.drawLine(QPointF(10.5, 10.5), QPointF(14.5, 14.5));
        p.setPen(pen);
        p.setBrush(QColor(0xDD, 0xEE, 0xFF));
        p.drawEllipse(QPointF(6.5, 6.5), 5, 5);
        break;
    }
    }
}

class GlyphIconEngine final : public QIconEngine {
public:
    explicit GlyphIconEngine(ToolbarGlyph glyph) : glyph_(glyph) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override
    {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        const double side = std::min(rect.width(), rect.height());
        painter->translate(rect.x() + (rect.width() - side) / 2.0, rect.y() + (rect.height() - side) / 2.0);
        painter->scale(side / 16.0, side / 16.0);
        if (mode == QIcon::Disabled) painter->setOpacity(0.4);
        DrawGlyph(*painter, glyph_, QGuiApplication::palette().color(QPalette::WindowText));
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }

    // size is in device pixels; the glyph is drawn at that resolution.
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        {
            QPainter painter(&pixmap);
            paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        }
        pixmap.setDevicePixelRatio(scale);
        return pixmap;
    }

    QIconEngine* clone() const override { return new GlyphIconEngine(glyph_); }

private:
    ToolbarGlyph glyph_;
};

} // namespace

QIcon OwnToolbarIcon(ToolbarGlyph glyph)
{
    return QIcon(new GlyphIconEngine(glyph)); // the icon owns its engine
}

QIcon ToolbarIcon(ToolbarGlyph glyph)
{
    return QIcon::fromTheme(QString::fromLatin1(ThemeName(glyph)), OwnToolbarIcon(glyph));
}

} // namespace glyphora
