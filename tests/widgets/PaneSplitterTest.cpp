// The pane splitter: which control it resizes, the limits of a drag on both sides, the drag
// styles, Escape, the size veto, and the grip and bevel it paints.
#include "WidgetTestSupport.h"

#include "widgets/ButtonFacePainter.h"
#include "widgets/PaneSplitter.h"

#include <QTest>
#include <QVBoxLayout>

#include <vector>

namespace glyphora::test {
namespace {

// An upper area, a 3-pixel splitter aligned to the bottom and a pane below it that keeps at
// least 172 pixels on both sides, as in the main window; without a layout.
class PaneSplitterTest : public testing::Test {
protected:
    void SetUp() override
    {
        parent.setGeometry(30, 30, 400, 500);
        upper = new QWidget(&parent);
        upper->setGeometry(0, 0, 400, 325);
        splitter = new PaneSplitter(&parent);
        splitter->setAlign(SplitterAlign::Bottom);
        splitter->setGeometry(0, 325, 400, 3);
        splitter->setMinSize(172);
        pane = new QWidget(&parent);
        pane->setGeometry(0, 328, 400, 172);
        parent.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
        QObject::connect(splitter, &PaneSplitter::moved, [this] { ++moves; });
    }

    void drag(int dy, bool release = true)
    {
        SendMouse(splitter, QEvent::MouseButtonPress, {200, 1}, Qt::LeftButton, Qt::LeftButton);
        SendMouse(splitter, QEvent::MouseMove, {200, 1 + dy / 2}, Qt::NoButton, Qt::LeftButton);
        SendMouse(splitter, QEvent::MouseMove, {200, 1 + dy}, Qt::NoButton, Qt::LeftButton);
        if (release) SendMouse(splitter, QEvent::MouseButtonRelease, {200, 1 + dy}, Qt::LeftButton, Qt::NoButton);
    }

    QWidget parent;
    QWidget* upper = nullptr;
    PaneSplitter* splitter = nullptr;
    QWidget* pane = nullptr;
    int moves = 0;
};

TEST_F(PaneSplitterTest, ResizesTheControlOnItsAlignedSide)
{
    EXPECT_EQ(splitter->findControl(), pane);
    splitter->setAlign(SplitterAlign::Top);
    EXPECT_EQ(splitter->findControl(), upper);
    splitter->setAlign(SplitterAlign::Left);
    EXPECT_EQ(splitter->findControl(), nullptr);
    splitter->setAlign(SplitterAlign::Bottom);
    pane->setEnabled(false);
    EXPECT_EQ(splitter->findControl(), nullptr);
}

TEST_F(PaneSplitterTest, DraggingStopsAtTheMaximumAboveAndAtTheMinimumBelow)
{
    drag(-250);
    EXPECT_EQ(pane->height(), 500 - 172 - 3); // the upper area keeps its 172 pixels
    EXPECT_EQ(pane->y(), 172 + 3);
    EXPECT_EQ(moves, 2); // resized, then the drag ended

    splitter->setGeometry(0, 172, 400, 3);
    upper->setGeometry(0, 0, 400, 172);
    drag(400);
    EXPECT_EQ(pane->height(), 172);
    EXPECT_EQ(pane->geometry().bottom(), 499);
}

TEST_F(PaneSplitterTest, ThePatternLineStopsAtTheClampAndEscapeCancels)
{
    drag(-250, false);
    ASSERT_TRUE(splitter->isDragging());
    EXPECT_TRUE(splitter->isLineVisible());
    EXPECT_EQ(splitter->maximumDragSize(), 500 - 172 - 3);
    EXPECT_EQ(pane->height(), 172); // the Pattern style resizes only on release

    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&parent, &escape);
    EXPECT_FALSE(splitter->isDragging());
    EXPECT_FALSE(splitter->isLineVisible());
    EXPECT_EQ(pane->height(), 172);
    EXPECT_EQ(moves, 1);
    SendMouse(splitter, QEvent::MouseButtonRelease, {200, -249}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(pane->height(), 172);
}

TEST_F(PaneSplitterTest, UpdateStyleResizesWhileDragging)
{
    splitter->setResizeStyle(ResizeStyle::Update);
    drag(-40, false);
    EXPECT_FALSE(splitter->isLineVisible());
    EXPECT_EQ(pane->height(), 212);
    SendMouse(splitter, QEvent::MouseButtonRelease, {200, -39}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(pane->height(), 212);
}

TEST_F(PaneSplitterTest, CanResizeMayChangeOrRefuseTheSize)
{
    std::vector<int> proposed;
    QObject::connect(splitter, &PaneSplitter::canResize, [&](int& size, bool& accept) {
        proposed.push_back(size);
        if (size > 260)
            accept = false;
        else
            size = size / 10 * 10;
    });
    drag(-156); // half-way 250 is taken, the full 328 is refused
    EXPECT_EQ(proposed, (std::vector<int>{250, 325}));
    EXPECT_EQ(pane->height(), 250);

    pane->setGeometry(0, 328, 400, 172);
    drag(-53);
    EXPECT_EQ(pane->height(), 220); // 225 rounded down by the receiver
}

TEST_F(PaneSplitterTest, KeepsSizesInAParentWithALayout)
{
    QWidget host;
    host.resize(300, 400);
    auto* column = new QVBoxLayout(&host);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto* top = new QWidget;
    auto* bar = new PaneSplitter;
    bar->setAlign(SplitterAlign::Bottom);
    bar->setFixedHeight(3);
    bar->setMinSize(100);
    auto* bottom = new QWidget;
    bottom->setFixedHeight(100);
    column->addWidget(top, 1);
    column->addWidget(bar);
    column->addWidget(bottom);
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    ASSERT_EQ(bar->findControl(), bottom);

    int bottomAtMove = 0;
    QObject::connect(bar, &PaneSplitter::moved, [&] { bottomAtMove = bottom->height(); });
    SendMouse(bar, QEvent::MouseButtonPress, {50, 1}, Qt::LeftButton, Qt::LeftButton);
    SendMouse(bar, QEvent::MouseMove, {50, -500}, Qt::NoButton, Qt::LeftButton);
    SendMouse(bar, QEvent::MouseButtonRelease, {50, -500}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(bottom->height(), 400 - 100 - 3);
    EXPECT_EQ(bottomAtMove, 400 - 100 - 3); // laid out before moved() is emitted
    EXPECT_EQ(top->height(), 100);
}

TEST_F(PaneSplitterTest, CursorFollowsTheAlignment)
{
    EXPECT_EQ(splitter->cursor().shape(), Qt::SplitVCursor);
    splitter->setAlign(SplitterAlign::Right);
    EXPECT_EQ(splitter->cursor().shape(), Qt::SplitHCursor);
    splitter->setCursor(Qt::PointingHandCursor);
    splitter->setAlign(SplitterAlign::Top);
    EXPECT_EQ(splitter->cursor().shape(), Qt::PointingHandCursor);
}

TEST(PaneSplitterPaintTest, GripOfSixDotsAlongTheMiddleAndNoneWhenThin)
{
    for (const QPalette& palette : {LightPalette(), DarkPalette()}) {
        for (qreal dpr : {1.0, 2.0}) {
            PaneSplitter splitter;
            splitter.setPalette(palette);
            splitter.setAlign(SplitterAlign::Right);
            splitter.resize(3, 100);
            const QColor face = palette.color(QPalette::Button);
            const QImage image = Render(splitter, dpr);
            for (int i = 1; i <= 6; ++i) {
                const int x = 3 / 2 - 1;
                const int y = 100 / 2 + 12 - 4 * i;
                EXPECT_COLOR(At(image, x, y), Shade(face, 40));
                EXPECT_COLOR(At(image, x + 1, y), Shade(face, 80));
                EXPECT_COLOR(At(image, x, y + 1), Shade(face, 60));
                EXPECT_COLOR(At(image, x + 1, y + 1), Shade(face, 110));
                EXPECT_COLOR(At(image, x + 2, y + 2), palette.color(QPalette::Light));
                EXPECT_COLOR(At(image, x, y + 3), kBackground); // between the dots: transparent
            }
            EXPECT_COLOR(At(image, 1, 10), kBackground);

            splitter.resize(2, 100);
            const QImage thin = Render(splitter, dpr);
            for (int y = 0; y < 100; ++y)
                for (int x = 0; x < 2; ++x)
                    EXPECT_COLOR(At(thin, x, y), kBackground) << x << "," << y;
        }
    }
}

TEST(PaneSplitterPaintTest, OpaqueSplitterFillsWithItsColourAndBevelFramesIt)
{
    PaneSplitter splitter;
    splitter.setPalette(LightPalette());
    splitter.setAlign(SplitterAlign::Bottom);
    splitter.resize(100, 6);
    splitter.setTransparent(false);
    splitter.setColor(QColor(200, 180, 160));
    splitter.setBeveled(true);
    const QImage image = Render(splitter, 2.0);
    // The bevel rectangle spans rows 1..4 (two wider at each side, one shorter at each end);
    // it is framed light one pixel down (rows 2 and 5), then dark one pixel up (rows 0 and 3).
    const QColor light = LightPalette().color(QPalette::Light);
    const QColor dark = LightPalette().color(QPalette::Dark);
    EXPECT_COLOR(At(image, 20, 0), dark);
    EXPECT_COLOR(At(image, 20, 1), QColor(200, 180, 160));
    EXPECT_COLOR(At(image, 20, 2), light);
    EXPECT_COLOR(At(image, 20, 3), dark);
    EXPECT_COLOR(At(image, 20, 4), QColor(200, 180, 160));
    EXPECT_COLOR(At(image, 20, 5), light);
}

} // namespace
} // namespace glyphora::test
