// The main window's toolbar and find button: our own buttons at their places, the open
// button's arrow holding the recent files, the menus of the save and options buttons, and
// the faces following the window's palette.
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
        for (QMenu* menu : {window->recentFilesMenu(), window->saveMenu(), window->optionsMenu()})
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
        {window->openButton(), {8, 3, 40, 27}, true},       {window->saveButton(), {56, 3, 40, 27}, true},
        {window->copyButton(), {96, 3, 27, 27}, false},     {window->printButton(), {123, 3, 27, 27}, false},
        {window->refreshButton(), {158, 3, 27, 27}, false}, {window->optionsButton(), {193, 3, 40, 27}, true},
        {window->helpButton(), {241, 3, 27, 27}, false},    {window->aboutButton(), {268, 3, 27, 27}, false},
    };
    for (const Place& place : places) {
        EXPECT_EQ(place.button->geometry(), place.geometry) << place.button->objectName().toStdString();
        EXPECT_EQ(qobject_cast<PopupButton*>(place.button) != nullptr, place.popup);
        EXPECT_NE(qobject_cast<SoftButton*>(place.button), nullptr);
    }
    EXPECT_TRUE(window->openButton()->separateDropDown());
    EXPECT_FALSE(window->saveButton()->separateDropDown());
    EXPECT_FALSE(window->optionsButton()->separateDropDown());
    EXPECT_EQ(window->openButton()->dropDown(), window->recentFilesMenu());
    EXPECT_EQ(window->saveButton()->dropDown(), window->saveMenu());
    EXPECT_EQ(window->optionsButton()->dropDown(), window->optionsMenu());

    PushButton* find = window->findButton();
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
    PopupButton* open = window->openButton();
    Click(open, {open->width() - 6, 13});
    EXPECT_TRUE(window->recentFilesMenu()->isVisible());
    EXPECT_TRUE(dialogs.openRequests.empty());
    window->recentFilesMenu()->hide();

    Click(open, {8, 13});
    EXPECT_FALSE(window->recentFilesMenu()->isVisible());
    ASSERT_EQ(dialogs.openRequests.size(), 1u);
    EXPECT_EQ(dialogs.openRequests[0].title, "Select file");
}

TEST_F(MainWindowToolbarTest, SaveAndOptionsButtonsOpenTheirMenusBelowThemselves)
{
    window->SelectFile(test::SampleModule());
    ASSERT_TRUE(window->saveButton()->isEnabled());
    for (auto [button, menu] : {std::pair{window->saveButton(), window->saveMenu()},
                                std::pair{window->optionsButton(), window->optionsMenu()}}) {
        Click(button, {8, 13});
        ASSERT_TRUE(menu->isVisible());
        EXPECT_EQ(menu->pos(), button->mapToGlobal(QPoint(0, button->height())));
        menu->hide();
    }
}

} // namespace
} // namespace glyphora
