// The main window's toolbar and find button: our own buttons at their places, the open
// button's arrow holding the recent files, the menus of the save and options buttons, and
// the faces following the window's palette.
#include "app/gui/ActionManager.h"
#include "app/gui/MainWindow.h"
#include "tests/support/qt/GuiTestSupport.h"
#include "widgets/PopupButton.h"
#include "widgets/PushButton.h"
#include "widgets/SoftButton.h"

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
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
