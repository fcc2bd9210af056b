// The 3-D label's painting: offset copies for raised and sunken text, banded gradient fill of
// the text outline for the combined styles.
#include "widgets/ReliefLabel.h"

#include "widgets/ButtonFacePainter.h"

#include <QPainter>
#include <QPainterPath>

namespace glyphora {

ReliefLabel::ReliefLabel(QWidget* parent) : QLabel(parent) {}

ReliefLabel::ReliefLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {}

void ReliefLabel::setTextStyle(TextStyle style)
{
    if (style != textStyle_) {
        textStyle_ = style;
        update();
    }
}

void ReliefLabel::paintEvent(QPaintEvent* event)
{
    if (text().isEmpty() || textFormat() == Qt::RichText ||
        (textFormat() == Qt::AutoText && Qt::mightBeRichText(text()))) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    const QString shown = text().left(255);
    const QColor textColor = palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText);

    switch (textStyle_) {
    case TextStyle::None:
    case TextStyle::Raised:
    case TextStyle::Sunken: {
        int flags = int(alignment()) | Qt::TextExpandTabs | (wordWrap() ? Qt::TextWordWrap : 0);
        flags |= buddy() ? Qt::TextShowMnemonic : 0;
        const QRect box = contentsRect();
        auto draw = [&](const QColor& color, QPoint offset) {
            painter.setPen(color);
            painter.drawText(box.translated(offset), flags, shown);
        };
        if (textStyle_ != TextStyle::None) {
            const QColor dark = palette().color(QPalette::Dark);
            const QColor light = palette().color(QPalette::Light);
            const bool raised = textStyle_ == TextStyle::Raised;
            draw(raised ? dark : light, {1, 1});
            draw(raised ? light : dark, {-1, -1});
        }
        draw(textColor, {0, 0});
        break;
    }
    default: paintOutlined(painter, shown, textColor); break;
    }
}

void ReliefLabel::paintOutlined(QPainter& painter, const QString& text, const QColor& textColor)
{
    const QRect box = contentsRect();
    const QFontMetrics metrics(font());
    const int x = box.x();
    const int y = (box.y() + box.y() + box.height()) / 2 - metrics.height() / 2;
    const int baseline = y + metrics.ascent();

    if (textStyle_ == TextStyle::Combi4) {
        painter.setPen(palette().color(QPalette::Light));
        painter.drawText(QPoint(x - 1, baseline - 1), text);
    }
    QPainterPath outline;
    if (textStyle_ == TextStyle::Combi2 || textStyle_ == TextStyle::Combi3)
        outline.addText(x - 1, baseline - 1, font(), text);
    if (textStyle_ == TextStyle::Combi3) outline.addText(x + 1, baseline + 1, font(), text);
    outline.addText(x, baseline, font(), text);
    outline.setFillRule(Qt::WindingFill);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setClipRect(rect());
    painter.setClipPath(outline, Qt::IntersectClip);
    const int h = box.height();
    if (depth() <= 8 || height() < 4) {
        painter.fillRect(box, textColor);
    } else {
        // Bands from light at the top through the text colour to dark at the bottom.
        const int d = std::max(h / 4, 1);
        const int step = 500 / d;
        const int bandHeight = std::max(h / d, 1);
        for (int i = 0; i <= d; ++i) {
            const QColor band = i < d / 2 ? Lighten(textColor, ((d / 2 - i) * step) % 256)
                                          : Shade(textColor, ((i - d / 2) * step) % 256);
            painter.fillRect(QRect(box.x(), box.y() + i * bandHeight, box.width(), bandHeight), band);
        }
    }
    painter.restore();
}

} // namespace glyphora
