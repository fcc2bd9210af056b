// The 3-D label: the raised and sunken copies around the text, and the banded outline fill.
#include "WidgetTestSupport.h"

#include "widgets/ReliefLabel.h"

#include <set>

namespace glyphora::test {
namespace {

// Colours that make every copy of the text tell itself apart.
QPalette LabelPalette()
{
    QPalette p = LightPalette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(group, QPalette::WindowText, QColor(128, 128, 128));
        p.setColor(group, QPalette::Dark, QColor(0, 0, 160));
        p.setColor(group, QPalette::Light, QColor(255, 255, 0));
    }
    return p;
}

// Aliased text, so that a glyph's pixels are exactly its text colour.
ReliefLabel* MakeLabel(QWidget* parent, TextStyle style)
{
    auto* label = new ReliefLabel(QStringLiteral("Marrowfield"), parent);
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setPixelSize(16);
    font.setBold(true);
    font.setStyleStrategy(QFont::NoAntialias);
    label->setFont(font);
    label->setPalette(LabelPalette());
    label->setTextStyle(style);
    label->resize(140, 24);
    return label;
}

TEST(ReliefLabelTest, RaisedTextHasADarkCopyBelowRightAndALightCopyAboveLeft)
{
    QWidget host;
    for (qreal dpr : {1.0, 2.0}) {
        // Text is drawn at the device's own resolution, so compare device pixels; one logical
        // pixel of offset is dpr device pixels.
        const int step = int(dpr);
        const QImage plain = Render(*MakeLabel(&host, TextStyle::None), dpr);
        for (TextStyle style : {TextStyle::Raised, TextStyle::Sunken}) {
            const QImage image = Render(*MakeLabel(&host, style), dpr);
            const QColor below = style == TextStyle::Raised ? QColor(0, 0, 160) : QColor(255, 255, 0);
            const QColor above = style == TextStyle::Raised ? QColor(255, 255, 0) : QColor(0, 0, 160);
            auto isText = [&](int x, int y) {
                return x >= 0 && y >= 0 && x < plain.width() && y < plain.height() &&
                       plain.pixelColor(x, y) == QColor(128, 128, 128);
            };
            int textPixels = 0;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    QColor expected = kBackground;
                    if (isText(x, y)) {
                        expected = QColor(128, 128, 128);
                        ++textPixels;
                    } else if (isText(x + step, y + step)) {
                        expected = above;
                    } else if (isText(x - step, y - step)) {
                        expected = below;
                    }
                    ASSERT_EQ(Describe(image.pixelColor(x, y)), Describe(expected))
                        << x << "," << y << " at " << dpr << ", style " << int(style);
                }
            }
            EXPECT_GT(textPixels, 50 * step * step);
        }
    }
}

TEST(ReliefLabelTest, DisabledLabelDrawsItsTextInTheDisabledColour)
{
    QWidget host;
    ReliefLabel* label = MakeLabel(&host, TextStyle::None);
    label->setEnabled(false);
    const QImage image = Render(*label, 1.0);
    std::set<QRgb> colours;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 140; ++x)
            colours.insert(image.pixel(x, y));
    EXPECT_EQ(colours, (std::set<QRgb>{kBackground.rgb(),
                                       LightPalette().color(QPalette::Disabled, QPalette::WindowText).rgb()}));
}

TEST(ReliefLabelTest, OutlinedStylesFillTheTextWithBandsLightAtTheTopDarkAtTheBottom)
{
    QWidget host;
    for (TextStyle style : {TextStyle::Combi1, TextStyle::Combi2, TextStyle::Combi3}) {
        ReliefLabel* label = MakeLabel(&host, style);
        label->resize(140, 40);
        const QImage image = Render(*label, 1.0);
        // The mean brightness of text pixels per band: row 14 lies in a light band, row 25 in
        // a dark one (h = 40: d = 10 bands of 4 rows, lighter above the fifth).
        auto meanOfRow = [&](int y) {
            int sum = 0, n = 0;
            for (int x = 0; x < 140; ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c != kBackground) {
                    sum += c.red();
                    ++n;
                }
            }
            return n ? sum / n : -1;
        };
        const int light = meanOfRow(14);
        const int dark = meanOfRow(25);
        ASSERT_GT(light, 0);
        ASSERT_GE(dark, 0);
        EXPECT_GT(light, 128) << int(style);
        EXPECT_LT(dark, 128) << int(style);
    }
}

} // namespace
} // namespace glyphora::test
