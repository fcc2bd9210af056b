// Behaviour of the soft and popup buttons: the arrow area, when clicked() and the drop-down
// happen, the popup veto, panels as drop-downs, glyph strip counts, groups, hover repaints.
#include "WidgetTestSupport.h"

#include "widgets/PopupButton.h"
#include "widgets/PushButton.h"
#include "widgets/SoftButton.h"

#include <QCursor>
#include <QFrame>
#include <QMenu>
#include <QPaintEvent>
#include <QTest>

#include <string>
#include <vector>

namespace glyphora::test {
namespace {

class ButtonBehaviourTest : public testing::Test {
protected:
    void SetUp() override
    {
        window.setGeometry(50, 50, 300, 200);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    void TearDown() override { menu.hide(); }

    // A popup button recording its clicks and drop-downs in order.
    PopupButton* makePopup(int width, bool separate)
    {
        auto* button = new PopupButton(&window);
        button->setGeometry(20, 30, width, 27);
        button->setSeparateDropDown(separate);
        button->setDropDown(&menu);
        button->show();
        QObject::connect(button, &QAbstractButton::clicked, [this] { events.push_back("click"); });
        QObject::connect(button, &PopupButton::aboutToPopup, [this](bool&) { events.push_back("popup"); });
        return button;
    }

    void click(QWidget* widget, QPoint pos)
    {
        SendMouse(widget, QEvent::MouseButtonPress, pos, Qt::LeftButton, Qt::LeftButton);
        SendMouse(widget, QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton);
    }

    QWidget window;
    QMenu menu;
    std::vector<std::string> events;
};

TEST_F(ButtonBehaviourTest, ArrowAreaIsThirteenPixelsBelowThirtyTwoWideElseFourteen)
{
    const std::pair<int, int> cases[] = {{40, 14}, {32, 14}, {31, 13}, {27, 13}};
    for (auto [width, area] : cases) {
        PopupButton button(&window);
        button.resize(width, 27);
        EXPECT_EQ(button.dropDownAreaWidth(), area) << width;
    }
}

TEST_F(ButtonBehaviourTest, SeparateArrowOpensTheMenuWithoutClickAndTheMainPartOnlyClicks)
{
    menu.addAction(QStringLiteral("recent.dll"));
    PopupButton* button = makePopup(40, true);

    click(button, {40 - 10, 13});
    EXPECT_EQ(events, (std::vector<std::string>{"popup"}));
    EXPECT_TRUE(menu.isVisible());
    EXPECT_TRUE(button->isDroppedDown());
    menu.hide();
    EXPECT_FALSE(button->isDroppedDown());

    events.clear();
    click(button, {5, 13});
    EXPECT_EQ(events, (std::vector<std::string>{"click"}));
    EXPECT_FALSE(menu.isVisible());
}

TEST_F(ButtonBehaviourTest, ReleasingOutsideThePressedAreaOpensNothing)
{
    menu.addAction(QStringLiteral("recent.dll"));
    PopupButton* button = makePopup(40, true);
    SendMouse(button, QEvent::MouseButtonPress, {35, 13}, Qt::LeftButton, Qt::LeftButton);
    SendMouse(button, QEvent::MouseMove, {10, 13}, Qt::NoButton, Qt::LeftButton);
    EXPECT_FALSE(button->isDropDownPressed()); // dragged off the area: drawn up again
    SendMouse(button, QEvent::MouseMove, {36, 12}, Qt::NoButton, Qt::LeftButton);
    EXPECT_TRUE(button->isDropDownPressed());
    SendMouse(button, QEvent::MouseMove, {10, 13}, Qt::NoButton, Qt::LeftButton);
    SendMouse(button, QEvent::MouseButtonRelease, {10, 13}, Qt::LeftButton, Qt::NoButton);
    EXPECT_TRUE(events.empty());
    EXPECT_FALSE(menu.isVisible());
}

TEST_F(ButtonBehaviourTest, WholeButtonPopupClicksFirstThenShowsTheMenuBelowItsLeftEdge)
{
    menu.addAction(QStringLiteral("Save &Selected"));
    PopupButton* button = makePopup(40, false);
    click(button, {5, 13});
    EXPECT_EQ(events, (std::vector<std::string>{"click", "popup"}));
    ASSERT_TRUE(menu.isVisible());
    EXPECT_EQ(button->dropDownAnchor(), button->mapToGlobal(QPoint(0, 27)));
    EXPECT_EQ(menu.pos(), button->dropDownAnchor());

    menu.hide();
    events.clear();
    click(button, {35, 13}); // the arrow area is no part of its own here
    EXPECT_EQ(events, (std::vector<std::string>{"click", "popup"}));
}

TEST_F(ButtonBehaviourTest, HandledPopupShowsNoMenu)
{
    menu.addAction(QStringLiteral("x"));
    PopupButton* button = makePopup(40, false);
    QObject::connect(button, &PopupButton::aboutToPopup, [](bool& handled) { handled = true; });
    click(button, {5, 13});
    EXPECT_EQ(events, (std::vector<std::string>{"click", "popup"}));
    EXPECT_FALSE(menu.isVisible());
    EXPECT_FALSE(button->isDroppedDown());
}

TEST_F(ButtonBehaviourTest, PanelDropDownMovesBelowTheButtonInItsParentsCoordinates)
{
    auto* container = new QWidget(&window);
    container->setGeometry(0, 100, 300, 100);
    container->show();
    auto* panel = new QFrame(container);
    panel->resize(60, 30);
    panel->hide();
    auto* button = new PopupButton(&window);
    button->setGeometry(20, 30, 40, 27);
    button->setDropDown(panel);
    button->show();
    button->popup();
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->pos(), QPoint(20, 57 - 100));
}

TEST_F(ButtonBehaviourTest, GlyphStripCountFollowsTheShapeOfTheBitmap)
{
    struct Case {
        QSize size;
        int before;
        int after;
    };
    const Case cases[] = {
        {{64, 16}, 1, 4}, {{96, 16}, 3, 1}, {{40, 16}, 3, 3}, {{16, 16}, 2, 1}, {{80, 16}, 1, 5}, {{32, 32}, 3, 1},
    };
    for (const Case& c : cases) {
        SoftButton button;
        button.setGlyphCount(c.before);
        QPixmap glyph(c.size);
        glyph.fill(Qt::gray);
        button.setGlyph(glyph);
        EXPECT_EQ(button.glyphCount(), c.after) << c.size.width() << "x" << c.size.height();
    }
    SoftButton button;
    button.setGlyphCount(9);
    EXPECT_EQ(button.glyphCount(), 5);
    button.setGlyphCount(0);
    EXPECT_EQ(button.glyphCount(), 1);
}

TEST_F(ButtonBehaviourTest, MarginBelowMinusOneIsRefused)
{
    SoftButton button;
    button.setMargin(3);
    button.setMargin(-2);
    EXPECT_EQ(button.margin(), 3);
    button.setMargin(-1);
    EXPECT_EQ(button.margin(), -1);
}

TEST_F(ButtonBehaviourTest, GroupedButtonsReleaseEachOtherAndHonourAllowAllUp)
{
    std::vector<SoftButton*> group;
    for (int i = 0; i < 3; ++i) {
        auto* b = new SoftButton(&window);
        b->setGeometry(10 + 30 * i, 10, 25, 25);
        b->setGroupIndex(i < 2 ? 1 : 2);
        b->show();
        group.push_back(b);
    }
    group[2]->setChecked(true); // another group

    click(group[0], {5, 5});
    EXPECT_TRUE(group[0]->isChecked());
    click(group[1], {5, 5});
    EXPECT_FALSE(group[0]->isChecked());
    EXPECT_TRUE(group[1]->isChecked());
    EXPECT_TRUE(group[2]->isChecked());

    click(group[1], {5, 5}); // allowAllUp off: a click cannot release it
    EXPECT_TRUE(group[1]->isChecked());

    group[0]->setAllowAllUp(true);
    click(group[0], {5, 5}); // checking hands allowAllUp to the mates
    EXPECT_TRUE(group[1]->allowAllUp());
    click(group[0], {5, 5});
    EXPECT_FALSE(group[0]->isChecked());
}

TEST_F(ButtonBehaviourTest, WithoutAllowAllUpADownButtonIsNotReleasedFromCodeEither)
{
    auto* first = new SoftButton(&window);
    auto* second = new SoftButton(&window);
    for (SoftButton* b : {first, second})
        b->setGroupIndex(1);

    first->setChecked(true);
    first->setChecked(false);
    EXPECT_TRUE(first->isChecked());
    first->setProperty("checked", false);
    first->toggle();
    EXPECT_TRUE(first->isChecked());

    second->setChecked(true); // a group mate going down is what releases it
    EXPECT_FALSE(first->isChecked());
    EXPECT_TRUE(second->isChecked());

    second->setAllowAllUp(true);
    second->setChecked(false);
    EXPECT_FALSE(second->isChecked());
    second->setChecked(true);
    second->setAllowAllUp(false); // down already: held from now on
    second->setChecked(false);
    EXPECT_TRUE(second->isChecked());

    // Only grouped buttons can be down: leaving the group releases it.
    second->setGroupIndex(0);
    EXPECT_FALSE(second->isChecked());
    EXPECT_FALSE(second->isCheckable());
}

TEST_F(ButtonBehaviourTest, DoubleClickOnACheckedButtonIsReported)
{
    auto* button = new SoftButton(&window);
    button->setGroupIndex(1);
    button->show();
    int doubles = 0;
    QObject::connect(button, &SoftButton::doubleClicked, [&] { ++doubles; });
    SendMouse(button, QEvent::MouseButtonDblClick, {5, 5}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(doubles, 0);
    button->setChecked(true);
    SendMouse(button, QEvent::MouseButtonDblClick, {5, 5}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(doubles, 1);
}

TEST_F(ButtonBehaviourTest, HotFollowsThePointerAndEndsWithReleaseOutside)
{
    auto* button = new SoftButton(&window);
    button->setGeometry(10, 10, 27, 27);
    button->show();
    Hover(button);
    EXPECT_TRUE(button->isHot());
    SendMouse(button, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(button->faceState(), FaceState::Pressed);
    SendMouse(button, QEvent::MouseMove, {60, 60}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(button->faceState(), FaceState::Hot); // dragged off: up again, still hot
    SendMouse(button, QEvent::MouseButtonRelease, {60, 60}, Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(button->isHot());
    EXPECT_EQ(button->faceState(), FaceState::Normal);

    Hover(button);
    button->setEnabled(false);
    EXPECT_FALSE(button->isHot());
    Hover(button);
    EXPECT_FALSE(button->isHot()); // a disabled button does not track
}

// The pointer is the system's own, so Qt delivers enter and leave as it does for a user; the
// pointer enters each button while it is disabled.
TEST_F(ButtonBehaviourTest, AButtonEnabledUnderThePointerIsHotAtOnce)
{
    auto* soft = new SoftButton(&window);
    soft->setGeometry(10, 10, 27, 27);
    auto* popup = new PopupButton(&window);
    popup->setGeometry(50, 10, 40, 27);
    auto* push = new PushButton(QStringLiteral("Find files with icons inside >>"), &window);
    push->setGeometry(100, 10, 180, 25);
    const QPoint away = window.mapToGlobal(QPoint(150, 150));
    for (FaceButton* button : std::initializer_list<FaceButton*>{soft, popup, push}) {
        button->setEnabled(false);
        button->show();
        QCursor::setPos(button->mapToGlobal(QPoint(5, 5)));
        QApplication::processEvents();
        ASSERT_TRUE(button->underMouse()) << button->metaObject()->className();
        EXPECT_FALSE(button->isHot());

        button->setEnabled(true);
        EXPECT_TRUE(button->isHot()) << button->metaObject()->className();
        EXPECT_EQ(button->faceState(), FaceState::Hot);

        QCursor::setPos(away);
        QApplication::processEvents();
        EXPECT_FALSE(button->isHot());
        button->setEnabled(false);
        button->setEnabled(true); // away from the pointer: not hot
        EXPECT_FALSE(button->isHot());
    }
}

// Records the regions a widget is asked to repaint.
class PaintRecorder : public QObject {
public:
    std::vector<QRegion> regions;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) regions.push_back(static_cast<QPaintEvent*>(event)->region());
        return false;
    }
};

TEST_F(ButtonBehaviourTest, HoveringANonFlatButtonRepaintsOnlyItsBorder)
{
    auto* raised = new SoftButton(&window);
    raised->setGeometry(10, 10, 27, 27);
    auto* flat = new SoftButton(&window);
    flat->setGeometry(50, 10, 27, 27);
    flat->setFlat(true);
    raised->show();
    flat->show();
    for (int i = 0; i < 3; ++i) // the first paint of the new buttons takes more than one pass
        QApplication::processEvents();

    for (SoftButton* button : {raised, flat}) {
        PaintRecorder recorder;
        button->installEventFilter(&recorder);
        Hover(button);
        QApplication::processEvents();
        button->removeEventFilter(&recorder);
        ASSERT_FALSE(recorder.regions.empty());
        QRegion painted;
        for (const QRegion& r : recorder.regions)
            painted += r;
        EXPECT_EQ(painted.boundingRect(), button->rect());
        EXPECT_TRUE(painted.contains(QPoint(0, 13)));
        EXPECT_TRUE(painted.contains(QPoint(26, 13)));
        EXPECT_EQ(painted.contains(QPoint(13, 13)), button == flat);
        EXPECT_EQ(painted.contains(QPoint(1, 1)), button == flat);
    }
}

TEST(ShortenCaptionTest, DropsTwoCharactersFirstThenOneMoreEachStep)
{
    const QFontMetrics metrics(QFont(QStringLiteral("DejaVu Sans"), 9));
    const QString caption = QStringLiteral("Find files with icons inside >>");
    const int full = metrics.horizontalAdvance(caption);
    // Wide enough for all but the last two characters plus the ellipsis: exactly two dropped.
    const QString minusTwo = caption.left(caption.size() - 2) + QStringLiteral("...");
    EXPECT_EQ(ShortenCaption(metrics, caption, metrics.horizontalAdvance(minusTwo)), minusTwo);
    const QString minusFive = caption.left(caption.size() - 5) + QStringLiteral("...");
    EXPECT_EQ(ShortenCaption(metrics, caption, metrics.horizontalAdvance(minusFive)), minusFive);
    EXPECT_EQ(ShortenCaption(metrics, caption, 1), QStringLiteral("..."));
    EXPECT_LT(metrics.horizontalAdvance(ShortenCaption(metrics, caption, full / 2)), full / 2 + 1);
}

TEST_F(ButtonBehaviourTest, PushButtonTakesFocusAndSoftButtonsDoNot)
{
    PushButton push(QStringLiteral("Find files with icons inside >>"));
    SoftButton soft;
    PopupButton popup;
    EXPECT_EQ(push.focusPolicy(), Qt::StrongFocus);
    EXPECT_EQ(soft.focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(popup.focusPolicy(), Qt::NoFocus);
    EXPECT_FALSE(soft.autoDefault());
    EXPECT_EQ(soft.size(), QSize(25, 25));
    EXPECT_GE(push.sizeHint().width(), push.fontMetrics().horizontalAdvance(push.text()));
}

} // namespace
} // namespace glyphora::test
