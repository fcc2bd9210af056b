// The main window's toolbar and find button: our own buttons at their places, the open
// button's arrow holding the recent files, the menus of the save and options buttons, and
// the faces following the window's palette.
#include "app/gui/ActionManager.h"
#include "app/gui/MainWindow.h"
#include "app/gui/SiteLabel.h"
#include "platform/ShellOpen.h"
#include "tests/support/qt/GuiTestSupport.h"
#include "widgets/PopupButton.h"
#include "widgets/PushButton.h"
#include "widgets/SoftButton.h"

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QEnterEvent>
#include <QTest>

#include <gtest/gtest.h>

namespace glyphora {
namespace {

class MainWindowToolbarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<MainWindow>(std::vector<std::string>{}, &dialogs);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void TearDown() override
    {
        for (QMenu* menu : {window->commands().menu(Menu::RecentFiles), window->commands().menu(Menu::Save),
                            window->commands().menu(Menu::Options)})
            menu->hide();
    }
    static void Click(QWidget* widget, QPoint pos)
    {
        QMouseEvent press(QEvent::MouseButtonPress, pos, widget->mapToGlobal(pos), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(widget, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, pos, widget->mapToGlobal(pos), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(widget, &release);
    }

    test::ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowToolbarTest, ButtonsSitWhereTheToolbarLaysThemOut)
{
    struct Place {
        QAbstractButton* button;
        QRect geometry;
        bool popup;
    };
    const Place places[] = {
        {window->commands().popupButton(Command::Open), {8, 3, 40, 27}, true},
        {window->commands().popupButton(Command::Save), {56, 3, 40, 27}, true},
        {window->commands().softButton(Command::Copy), {96, 3, 27, 27}, false},
        {window->commands().softButton(Command::Print), {123, 3, 27, 27}, false},
        {window->commands().softButton(Command::Refresh), {158, 3, 27, 27}, false},
        {window->commands().popupButton(Command::Options), {193, 3, 40, 27}, true},
        {window->commands().softButton(Command::Help), {241, 3, 27, 27}, false},
        {window->commands().softButton(Command::About), {268, 3, 27, 27}, false},
    };
    for (const Place& place : places) {
        EXPECT_EQ(place.button->geometry(), place.geometry) << place.button->objectName().toStdString();
        EXPECT_EQ(qobject_cast<PopupButton*>(place.button) != nullptr, place.popup);
        EXPECT_NE(qobject_cast<SoftButton*>(place.button), nullptr);
    }
    EXPECT_TRUE(window->commands().popupButton(Command::Open)->separateDropDown());
    EXPECT_FALSE(window->commands().popupButton(Command::Save)->separateDropDown());
    EXPECT_FALSE(window->commands().popupButton(Command::Options)->separateDropDown());
    EXPECT_EQ(window->commands().popupButton(Command::Open)->dropDown(), window->commands().menu(Menu::RecentFiles));
    EXPECT_EQ(window->commands().popupButton(Command::Save)->dropDown(), window->commands().menu(Menu::Save));
    EXPECT_EQ(window->commands().popupButton(Command::Options)->dropDown(), window->commands().menu(Menu::Options));

    PushButton* find = window->commands().pushButton(Command::ToggleFindPane);
    EXPECT_EQ(find->text(), "Find files with icons inside >>");
    EXPECT_EQ(find->height(), 25);
    EXPECT_EQ(find->y(), 8);
    EXPECT_GE(find->width(), find->fontMetrics().horizontalAdvance(find->text())); // the caption fits whole
    const int rightGap = find->parentWidget()->width() - (find->x() + find->width());
    EXPECT_LE(rightGap, 10); // at the strip's right end
    window->resize(700, 500);
    QApplication::processEvents();
    EXPECT_EQ(find->parentWidget()->width() - (find->x() + find->width()), rightGap);
}

TEST_F(MainWindowToolbarTest, OpenButtonArrowShowsRecentFilesAndItsMainPartTheOpenDialog)
{
    PopupButton* open = window->commands().popupButton(Command::Open);
    Click(open, {open->width() - 6, 13});
    EXPECT_TRUE(window->commands().menu(Menu::RecentFiles)->isVisible());
    EXPECT_TRUE(dialogs.openRequests.empty());
    window->commands().menu(Menu::RecentFiles)->hide();

    Click(open, {8, 13});
    EXPECT_FALSE(window->commands().menu(Menu::RecentFiles)->isVisible());
    ASSERT_EQ(dialogs.openRequests.size(), 1u);
    EXPECT_EQ(dialogs.openRequests[0].title, "Select file");
}

TEST_F(MainWindowToolbarTest, SaveAndOptionsButtonsOpenTheirMenusBelowThemselves)
{
    window->SelectFile(test::SampleModule());
    ASSERT_TRUE(window->commands().popupButton(Command::Save)->isEnabled());
    for (auto [button, menu] :
         {std::pair{window->commands().popupButton(Command::Save), window->commands().menu(Menu::Save)},
          std::pair{window->commands().popupButton(Command::Options), window->commands().menu(Menu::Options)}}) {
        Click(button, {8, 13});
        ASSERT_TRUE(menu->isVisible());
        EXPECT_EQ(menu->pos(), button->mapToGlobal(QPoint(0, button->height())));
        menu->hide();
    }
}

} // namespace
} // namespace glyphora

namespace glyphora {
namespace {

TEST(SiteNameTest, IsTheAddressesHost)
{
    EXPECT_EQ(SiteName("https://marrowfield.example/glyphora/"), "marrowfield.example");
    EXPECT_EQ(SiteName("http://www.example.org:8080/x?y"), "example.org");
    EXPECT_EQ(SiteName("example.net"), "example.net");
}

// The web-site label: raised grey text at the toolbar's top right, the address as its hint
// in the status bar, and a click (through the window, at the label) opens the address.
TEST_F(MainWindowToolbarTest, TheSiteLabelShowsTheSiteAndOpensItsAddress)
{
    std::vector<std::filesystem::path> opened;
    SetShellOpener([&](const std::filesystem::path& path) {
        opened.push_back(path);
        return true;
    });
    auto* label = window->findChild<SiteLabel*>(QStringLiteral("siteLabel"));
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->isVisible());
    EXPECT_EQ(label->text(), "marrowfield.example");
    EXPECT_EQ(label->textStyle(), TextStyle::Raised);
    EXPECT_EQ(label->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(label->statusTip().toStdString(), GLYPHORA_HOMEPAGE_URL);
    EXPECT_TRUE(label->font().bold());
    EXPECT_EQ(label->font().pixelSize(), 16);
    EXPECT_EQ(label->y(), 8);
    EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text())) << "the name shows whole";
    const QWidget* strip = label->parentWidget();
    EXPECT_EQ(strip, window->commands().softButton(Command::About)->parentWidget()) << "on the toolbar";
    EXPECT_EQ(strip->width() - label->geometry().right() - 1, 14);
    EXPECT_GT(label->x(), window->commands().softButton(Command::About)->geometry().right()) << "beside the buttons";
    window->resize(800, 500);
    QApplication::processEvents();
    EXPECT_EQ(strip->width() - label->geometry().right() - 1, 14) << "anchored to the right";

    // The pointer entering the label: the address goes to the hint panel.
    const QPointF centre = QRectF(label->rect()).center();
    QEnterEvent enter(centre, label->mapTo(window.get(), centre), label->mapToGlobal(centre));
    QApplication::sendEvent(label, &enter);
    EXPECT_EQ(window->statusText(StatusPanel::Hint).toStdString(), GLYPHORA_HOMEPAGE_URL);

    QTest::mouseClick(label, Qt::LeftButton, Qt::NoModifier, label->rect().center());
    SetShellOpener({});
    EXPECT_EQ(opened, (std::vector<std::filesystem::path>{GLYPHORA_HOMEPAGE_URL}));
}

} // namespace
} // namespace glyphora
