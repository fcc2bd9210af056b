// Helpers of the widget tests: fixed light and dark palettes (so that results do not depend on
// the machine's style), rendering a widget into an image at a device pixel ratio, reading a
// logical pixel and checking that it is drawn crisply, and sending synthetic mouse events.
#pragma once

#include <QApplication>
#include <QColor>
#include <QEnterEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPalette>
#include <QWidget>

#include <gtest/gtest.h>

#include <string>

namespace glyphora::test {

inline const QColor kBackground{0x12, 0x34, 0x56};

struct NamedPalette {
    const char* name;
    QPalette palette;
};

inline QPalette MakePalette(QColor button, QColor light, QColor dark, QColor shadow, QColor highlight, QColor text,
                            QColor greyText, QColor base)
{
    QPalette p;
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(group, QPalette::Button, button);
        p.setColor(group, QPalette::Window, button);
        p.setColor(group, QPalette::Light, light);
        p.setColor(group, QPalette::Dark, dark);
        p.setColor(group, QPalette::Shadow, shadow);
        p.setColor(group, QPalette::Highlight, highlight);
        p.setColor(group, QPalette::HighlightedText, base);
        p.setColor(group, QPalette::ButtonText, group == QPalette::Disabled ? greyText : text);
        p.setColor(group, QPalette::WindowText, group == QPalette::Disabled ? greyText : text);
        p.setColor(group, QPalette::Text, group == QPalette::Disabled ? greyText : text);
        p.setColor(group, QPalette::Base, base);
    }
    return p;
}

inline QPalette LightPalette()
{
    return MakePalette(QColor(0xd6, 0xd6, 0xd6), Qt::white, QColor(0x80, 0x80, 0x80), Qt::black,
                       QColor(0x00, 0x78, 0xd7), Qt::black, QColor(0x6d, 0x6d, 0x6d), Qt::white);
}

inline QPalette DarkPalette()
{
    return MakePalette(QColor(0x35, 0x35, 0x35), QColor(0x5a, 0x5a, 0x5a), QColor(0x1e, 0x1e, 0x1e), Qt::black,
                       QColor(0x2a, 0x82, 0xda), QColor(0xee, 0xee, 0xee), QColor(0x8a, 0x8a, 0x8a),
                       QColor(0x20, 0x20, 0x20));
}

// The widget drawn over a plain background, as its parent would show it.
inline QImage Render(QWidget& widget, qreal dpr)
{
    QImage image(widget.size() * dpr, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    image.fill(kBackground);
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

// The colour of logical pixel (x, y); with a ratio above 1 every device pixel that the logical
// pixel covers must have that colour (the drawing is crisp, not smeared across pixels).
inline QColor At(const QImage& image, int x, int y)
{
    const int dpr = int(image.devicePixelRatio());
    const QRgb first = image.pixel(x * dpr, y * dpr);
    for (int dy = 0; dy < dpr; ++dy)
        for (int dx = 0; dx < dpr; ++dx)
            EXPECT_EQ(image.pixel(x * dpr + dx, y * dpr + dy), first)
                << "logical pixel " << x << "," << y << " is not crisp at ratio " << dpr;
    return QColor::fromRgba(first);
}

inline std::string Describe(const QColor& c)
{
    return c.name(QColor::HexArgb).toStdString();
}

#define EXPECT_COLOR(actual, expected) EXPECT_EQ(Describe(actual), Describe(expected))

inline void SendMouse(QWidget* widget, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, QPointF(pos), QPointF(widget->mapToGlobal(pos)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

inline void Hover(QWidget* widget)
{
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(widget->mapToGlobal(QPoint(2, 2))));
    QApplication::sendEvent(widget, &enter);
}

inline void Unhover(QWidget* widget)
{
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(widget, &leave);
}

} // namespace glyphora::test
