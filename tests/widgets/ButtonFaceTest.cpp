// The faces of the soft, popup and push buttons, rendered in each state with a light and a dark
// palette at device pixel ratios 1 and 2: frame colours, corners, shading, glyph frames, the
// arrow area and the focus mark, every edge pixel checked for crispness.
#include "WidgetTestSupport.h"

#include "widgets/PopupButton.h"
#include "widgets/PushButton.h"
#include "widgets/SoftButton.h"

#include <QPainter>
#include <QPixmap>
#include <QTest>

#include <cmath>
#include <tuple>

namespace glyphora::test {
namespace {

struct FaceParam {
    NamedPalette palette;
    qreal dpr;
};

std::string ParamName(const testing::TestParamInfo<FaceParam>& info)
{
    return std::string(info.param.palette.name) + (info.param.dpr > 1 ? "2x" : "1x");
}

// Gradient pixels vary inside a logical pixel at 2x; read them from the first device pixel.
QColor Smooth(const QImage& image, int x, int y)
{
    const int dpr = int(image.devicePixelRatio());
    return QColor::fromRgba(image.pixel(x * dpr, y * dpr));
}

bool Near(const QColor& a, const QColor& b, int tolerance)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

class ButtonFaceTest : public testing::TestWithParam<FaceParam> {
protected:
    void SetUp() override
    {
        host.setPalette(GetParam().palette.palette);
        host.resize(200, 60);
    }
    QColor role(QPalette::ColorRole r) const { return GetParam().palette.palette.color(QPalette::Active, r); }
    QColor highlightShade(int n) const { return Shade(role(QPalette::Highlight), n); }
    QImage render(QWidget& w) const { return Render(w, GetParam().dpr); }

    QWidget host;
};

TEST_P(ButtonFaceTest, NormalSoftButtonHasDarkFrameLightRingRoundedCornersAndShading)
{
    SoftButton button(&host);
    button.resize(27, 27);
    const QImage image = render(button);

    EXPECT_COLOR(At(image, 0, 0), kBackground); // the rounded corner lets the parent show
    EXPECT_COLOR(At(image, 26, 26), kBackground);
    EXPECT_COLOR(At(image, 1, 1), role(QPalette::Dark)); // corner colour inside and beside it
    EXPECT_COLOR(At(image, 1, 0), role(QPalette::Dark));
    EXPECT_COLOR(At(image, 0, 1), role(QPalette::Dark));
    for (auto [x, y] : {std::pair{5, 0}, {0, 5}, {26, 5}, {5, 26}})
        EXPECT_COLOR(At(image, x, y), role(QPalette::Shadow)) << x << "," << y;
    EXPECT_COLOR(At(image, 5, 1), role(QPalette::Light));
    EXPECT_COLOR(At(image, 1, 5), role(QPalette::Light));
    EXPECT_TRUE(Near(Smooth(image, 13, 2), role(QPalette::Light), 16));   // white ...
    EXPECT_TRUE(Near(Smooth(image, 13, 24), role(QPalette::Button), 16)); // ... to the face colour
}

TEST_P(ButtonFaceTest, HoverDrawsTheHighlightShadesOnTheFrame)
{
    SoftButton button(&host);
    button.resize(27, 27);
    Hover(&button);
    ASSERT_TRUE(button.isHot());
    ASSERT_EQ(button.faceState(), FaceState::Hot);
    const QImage image = render(button);

    EXPECT_COLOR(At(image, 5, 0), highlightShade(45));
    EXPECT_COLOR(At(image, 26, 13), highlightShade(45));
    EXPECT_COLOR(At(image, 1, 1), highlightShade(30));
    EXPECT_COLOR(At(image, 0, 1), highlightShade(30));
    EXPECT_COLOR(At(image, 0, 0), kBackground);
    EXPECT_TRUE(Near(Smooth(image, 13, 1), role(QPalette::Light), 16));
    EXPECT_TRUE(Near(Smooth(image, 13, 25), role(QPalette::Button), 16));

    Unhover(&button);
    EXPECT_FALSE(button.isHot());
    EXPECT_COLOR(At(render(button), 5, 0), role(QPalette::Shadow));
}

TEST_P(ButtonFaceTest, PressedAndCheckedButtonsShadeFromShadowToLight)
{
    SoftButton held(&host);
    held.resize(27, 27);
    held.setDown(true);
    SoftButton checked(&host);
    checked.resize(27, 27);
    checked.setGroupIndex(1);
    checked.setChecked(true);

    for (SoftButton* button : {&held, &checked}) {
        ASSERT_EQ(button->faceState(), FaceState::Pressed);
        const QImage image = render(*button);
        EXPECT_COLOR(At(image, 5, 0), highlightShade(45));
        EXPECT_COLOR(At(image, 1, 1), highlightShade(15));
        EXPECT_COLOR(At(image, 0, 0), kBackground);
        EXPECT_TRUE(Near(Smooth(image, 13, 1), role(QPalette::Dark), 16));
        EXPECT_TRUE(Near(Smooth(image, 13, 25), role(QPalette::Light), 16));
    }
}

TEST_P(ButtonFaceTest, DisabledButtonIsAnOutlineWithoutFill)
{
    SoftButton button(&host);
    button.resize(27, 27);
    button.setEnabled(false);
    const QImage image = render(button);

    EXPECT_COLOR(At(image, 5, 0), role(QPalette::Dark));
    EXPECT_COLOR(At(image, 26, 13), role(QPalette::Dark));
    EXPECT_COLOR(At(image, 1, 1), role(QPalette::Dark));
    EXPECT_COLOR(At(image, 13, 13), kBackground);
    EXPECT_COLOR(At(image, 5, 1), kBackground);
}

TEST_P(ButtonFaceTest, FlatRectButtonHasOneShadowOutlineAndNoShadingUntilPressed)
{
    SoftButton button(&host);
    button.resize(27, 27);
    button.setFlat(true);
    button.setEdgeType(EdgeType::Rect);
    QImage image = render(button);
    EXPECT_COLOR(At(image, 0, 0), role(QPalette::Dark));
    EXPECT_COLOR(At(image, 5, 1), role(QPalette::Button));
    EXPECT_COLOR(At(image, 13, 13), role(QPalette::Button));

    button.setDown(true);
    image = render(button);
    EXPECT_COLOR(At(image, 0, 0), highlightShade(15)); // a pressed Rect uses the lightest shade
    EXPECT_TRUE(Near(Smooth(image, 13, 1), role(QPalette::Dark), 16));
}

TEST_P(ButtonFaceTest, SplitPopupButtonShowsEdgeAndArrowAndPressesOnlyItsArea)
{
    PopupButton button(&host);
    button.setGeometry(10, 10, 40, 27);
    button.setSeparateDropDown(true);
    ASSERT_EQ(button.dropDownAreaWidth(), 14);
    QImage image = render(button);
    const QColor text = role(QPalette::ButtonText);

    EXPECT_COLOR(At(image, 26, 13), role(QPalette::Dark)); // etched edge left of the area
    EXPECT_COLOR(At(image, 27, 13), role(QPalette::Light));
    EXPECT_COLOR(At(image, 25, 0), role(QPalette::Shadow)); // the main part's square right corner
    EXPECT_COLOR(At(image, 39, 0), kBackground);            // the area's rounded corner
    // Arrow: a 5-3-1 triangle centred on the area, in the button text colour.
    for (int x = 30; x <= 34; ++x)
        EXPECT_COLOR(At(image, x, 12), text) << x;
    for (int x = 31; x <= 33; ++x)
        EXPECT_COLOR(At(image, x, 13), text) << x;
    EXPECT_COLOR(At(image, 32, 14), text);
    EXPECT_FALSE(Describe(Smooth(image, 29, 12)) == Describe(text));
    EXPECT_FALSE(Describe(Smooth(image, 31, 14)) == Describe(text));

    SendMouse(&button, QEvent::MouseButtonPress, {35, 13}, Qt::LeftButton, Qt::LeftButton);
    ASSERT_TRUE(button.isDropDownPressed());
    image = render(button);
    // The main part shows hot (the pointer is on the button), the area pressed.
    EXPECT_COLOR(At(image, 5, 0), highlightShade(45));
    EXPECT_TRUE(Near(Smooth(image, 13, 1), role(QPalette::Light), 16));
    EXPECT_COLOR(At(image, 35, 0), highlightShade(45));
    EXPECT_COLOR(At(image, 38, 0), highlightShade(15)); // beside the area's rounded corner
    EXPECT_TRUE(Near(Smooth(image, 33, 1), role(QPalette::Dark), 16));
    EXPECT_COLOR(At(image, 25, 13), role(QPalette::Dark)); // sunken edge, one pixel further left
    EXPECT_COLOR(At(image, 26, 13), role(QPalette::Shadow));
    for (int x = 31; x <= 35; ++x)
        EXPECT_COLOR(At(image, x, 13), text) << x; // the arrow moves one pixel right and down
    EXPECT_COLOR(At(image, 33, 15), text);
    SendMouse(&button, QEvent::MouseButtonRelease, {100, 100}, Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(button.isDropDownPressed());
}

TEST_P(ButtonFaceTest, DisabledPopupArrowIsInTheShadowColourWithoutEdge)
{
    PopupButton button(&host);
    button.resize(40, 27);
    button.setSeparateDropDown(true);
    button.setEnabled(false);
    const QImage image = render(button);
    EXPECT_COLOR(At(image, 30, 12), role(QPalette::Dark));
    EXPECT_COLOR(At(image, 32, 14), role(QPalette::Dark));
    EXPECT_COLOR(At(image, 27, 13), kBackground);
}

TEST_P(ButtonFaceTest, PopupWithoutArrowPaintsLikeASoftButton)
{
    PopupButton popup(&host);
    popup.resize(40, 27);
    popup.setDrawDropDown(false);
    SoftButton soft(&host);
    soft.resize(40, 27);
    EXPECT_EQ(render(popup), render(soft));
}

QPixmap Strip(std::initializer_list<QColor> frames)
{
    QImage image(16 * int(frames.size()), 16, QImage::Format_RGB32);
    int i = 0;
    for (const QColor& color : frames) {
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                image.setPixelColor(i * 16 + x, y, color);
        image.setPixelColor(i * 16, 15, Qt::magenta); // the transparent colour of the frame
        ++i;
    }
    return QPixmap::fromImage(image);
}

TEST_P(ButtonFaceTest, GlyphStripShowsTheFrameOfEachState)
{
    SoftButton button(&host);
    button.resize(27, 27);
    button.setGlyph(Strip({Qt::red, Qt::green, Qt::blue, Qt::yellow}));
    ASSERT_EQ(button.glyphCount(), 4);

    QImage image = render(button);
    EXPECT_COLOR(At(image, 5, 5), QColor(Qt::red)); // centred: (27 - 16) / 2
    EXPECT_COLOR(At(image, 20, 19), QColor(Qt::red));
    EXPECT_FALSE(Describe(Smooth(image, 5, 20)) == Describe(QColor(Qt::magenta))); // shading shows through

    Hover(&button);
    EXPECT_COLOR(At(render(button), 13, 13), QColor(Qt::blue));
    Unhover(&button);

    button.setDown(true);
    image = render(button);
    EXPECT_COLOR(At(image, 21, 21), QColor(Qt::yellow)); // pressed glyphs move one pixel
    EXPECT_FALSE(Describe(Smooth(image, 5, 5)) == Describe(QColor(Qt::yellow)));
    button.setDown(false);

    button.setEnabled(false);
    EXPECT_COLOR(At(render(button), 13, 13), QColor(Qt::green));
}

TEST_P(ButtonFaceTest, DisabledSingleFrameGlyphIsEmbossed)
{
    SoftButton button(&host);
    button.resize(27, 27);
    button.setGlyph(Strip({Qt::red}));
    button.setEnabled(false);
    const QImage image = render(button);
    EXPECT_COLOR(At(image, 13, 13), role(QPalette::Dark));
    EXPECT_COLOR(At(image, 21, 13), role(QPalette::Light)); // the light stamp, one pixel right and down
    EXPECT_COLOR(At(image, 13, 21), role(QPalette::Light));
    EXPECT_COLOR(At(image, 4, 13), kBackground);
}

TEST_P(ButtonFaceTest, IconGlyphIsCentredAndShowsTheIconsDisabledFormWhenDisabled)
{
    QPixmap normal(16, 16);
    normal.fill(QColor(40, 40, 40));
    QPixmap disabled(16, 16);
    disabled.fill(QColor(150, 20, 20));
    QIcon icon(normal);
    icon.addPixmap(disabled, QIcon::Disabled);
    SoftButton button(&host);
    button.resize(27, 27);
    button.setIcon(icon);
    button.setIconSize(QSize(16, 16));
    QImage image = render(button);
    EXPECT_COLOR(At(image, 5, 5), QColor(40, 40, 40)); // (27 - 16) / 2
    EXPECT_COLOR(At(image, 20, 20), QColor(40, 40, 40));
    EXPECT_FALSE(Describe(Smooth(image, 21, 21)) == Describe(QColor(40, 40, 40)));

    button.setDown(true);
    EXPECT_COLOR(At(render(button), 21, 21), QColor(40, 40, 40)); // pressed: one pixel right and down
    button.setDown(false);

    button.setEnabled(false);
    image = render(button);
    EXPECT_COLOR(At(image, 5, 5), QColor(150, 20, 20));
    EXPECT_COLOR(At(image, 20, 20), QColor(150, 20, 20));
}

TEST_P(ButtonFaceTest, FocusedPushButtonDrawsFocusMarkAndFocusedTextColour)
{
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    PushButton button(&host);
    button.setGeometry(10, 10, 90, 25);
    button.setText(QStringLiteral("MMMM"));
    QFont aliased = button.font();
    aliased.setStyleStrategy(QFont::NoAntialias); // glyph pixels exactly in the text colour
    button.setFont(aliased);
    button.setFocusText(true);
    button.show();
    QApplication::setActiveWindow(&host);
    button.setFocus();
    ASSERT_TRUE(button.hasFocus());

    auto count = [](const QImage& image, const QColor& color) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += image.pixelColor(x, y) == color;
        return n;
    };
    QImage image = render(button);
    for (int x = 2; x < 88; ++x) {
        EXPECT_COLOR(At(image, x, 24), role(QPalette::Highlight)) << x;
        EXPECT_COLOR(At(image, x, 23), role(QPalette::Highlight)) << x;
    }
    EXPECT_GT(count(image, QColor(Qt::red)), 20);

    button.clearFocus();
    image = render(button);
    EXPECT_EQ(count(image, QColor(Qt::red)), 0);
    EXPECT_COLOR(At(image, 10, 23), role(QPalette::Light)); // the inner ring again
}

const FaceParam kParams[] = {{{"Light", LightPalette()}, 1.0},
                             {{"Light", LightPalette()}, 2.0},
                             {{"Dark", DarkPalette()}, 1.0},
                             {{"Dark", DarkPalette()}, 2.0}};
INSTANTIATE_TEST_SUITE_P(Palettes, ButtonFaceTest, testing::ValuesIn(kParams), ParamName);

} // namespace
} // namespace glyphora::test
