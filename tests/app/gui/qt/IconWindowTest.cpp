// The separate icon window: it follows the grid's selection with the large and the small icon
// side by side, grows to fit a large icon, keeps the main window's focus, shows the file-type
// icon for a file without icons, and its visibility is the window setting ShowSeparateWindow
// (turned off when the user closes the window by hand).
#include "app/gui/IconWindow.h"
#include "app/gui/ActionManager.h"
#include "app/gui/MainWindow.h"
#include "app/gui/AuxiliaryWindows.h"
#include "iconengine/IconExtraction.h"
#include "iconengine/FileTypeIcons.h"
#include "platform/qt/QtImageConversion.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestIcons.h"
#include "tests/support/qt/GuiTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>

namespace glyphora {
namespace {

namespace fs = std::filesystem;

// What a picture shows, as pixels, and what an icon looks like on the window's background.
QImage Shown(const QLabel* picture)
{
    return picture->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
}
QImage Expected(const IconHandle& icon, const QWidget* window)
{
    const std::uint32_t background = static_cast<std::uint32_t>(window->palette().window().color().rgb()) & 0xFFFFFF;
    return RenderIcon(icon, icon.width, icon.height, background).convertToFormat(QImage::Format_RGB32);
}

IconHandle SampleIcon(int index, int size)
{
    return ExtractFileIcons(test::SampleModule(), size, index, 1).at(0);
}

// The large icon centred in the left half, the small one in the right half of the pictures'
// area, which is the window above the strip of the group's images.
void ExpectCentredInHalves(const IconWindow& window)
{
    const QLabel* large = window.largePicture();
    const QLabel* small = window.smallPicture();
    const QSize area = window.pictureAreaSize();
    EXPECT_EQ(area.width(), window.width());
    const int stripHeight = window.imageStrip()->isHidden() ? 0 : window.imageStrip()->height();
    EXPECT_EQ(area.height() + stripHeight, window.height());
    const int q = area.width() / 4, m = area.height() / 2;
    EXPECT_EQ(large->pos(), QPoint(q - large->width() / 2, m - large->height() / 2));
    EXPECT_EQ(small->pos(), QPoint(3 * q - small->width() / 2, m - small->height() / 2));
}

class IconWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<MainWindow>(std::vector<std::string>{test::SampleModule().string()}, &dialogs);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    IconGrid* grid() const { return window->gridView()->grid(); }

    test::ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> window;
};

TEST_F(IconWindowTest, OnByDefaultFromTheFirstSelection)
{
    EXPECT_TRUE(window->settings().showSeparateWindow);
    EXPECT_TRUE(window->commands().action(Command::ShowIconWindow)->isChecked());
    EXPECT_TRUE(window->commands().action(Command::ShowIconWindow)->isEnabled());
    EXPECT_EQ(window->commands().action(Command::ShowIconWindow)->text(), "Show Selected Icon In Separate &Window");
    EXPECT_EQ(window->auxiliary().iconWindow(), nullptr) << "created on first need only";
    window->SelectFile(test::SampleModule()); // selects icon 0
    ASSERT_NE(window->auxiliary().iconWindow(), nullptr);
    EXPECT_TRUE(window->auxiliary().iconWindow()->isVisible());
}

TEST_F(IconWindowTest, OffUntilTurnedOn)
{
    window->commands().action(Command::ShowIconWindow)->trigger();
    EXPECT_FALSE(window->settings().showSeparateWindow);
    window->SelectFile(test::SampleModule());
    grid()->SetItemIndex(1);
    EXPECT_EQ(window->auxiliary().iconWindow(), nullptr);
    window->commands().action(Command::ShowIconWindow)->trigger();
    EXPECT_TRUE(window->settings().showSeparateWindow);
    ASSERT_NE(window->auxiliary().iconWindow(), nullptr);
    EXPECT_EQ(Shown(window->auxiliary().iconWindow()->largePicture()),
              Expected(SampleIcon(1, 32), window->auxiliary().iconWindow()));
}

TEST_F(IconWindowTest, FollowsTheSelectionAndTheMainWindowKeepsTheFocus)
{
    window->SelectFile(test::SampleModule());
    IconWindow* icons = window->auxiliary().iconWindow();
    ASSERT_NE(icons, nullptr);
    EXPECT_TRUE(icons->isVisible());
    EXPECT_EQ(icons->windowTitle(), "Selected icon");
    EXPECT_TRUE(icons->windowFlags() & Qt::Tool);
    EXPECT_TRUE(icons->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(icons->pictureAreaSize(), QSize(287, 178));

    for (int index : {0, 3, 5, 2}) {
        SCOPED_TRACE(index);
        grid()->SetItemIndex(index);
        EXPECT_EQ(icons->largePicture()->size(), QSize(32, 32));
        EXPECT_EQ(icons->smallPicture()->size(), QSize(16, 16));
        EXPECT_EQ(Shown(icons->largePicture()), Expected(SampleIcon(index, 32), icons));
        EXPECT_EQ(Shown(icons->smallPicture()), Expected(SampleIcon(index, 16), icons));
        ExpectCentredInHalves(*icons);
        EXPECT_EQ(QApplication::activeWindow(), window.get());
    }
    EXPECT_EQ(window->auxiliary().iconWindow(), icons) << "one window for the whole run";
}

TEST_F(IconWindowTest, TurnedOnWithoutASelectionShowsEmptyPictures)
{
    window->auxiliary().setShowSeparateWindow(false);
    window->SelectFile(test::SampleModule());
    grid()->SetItemIndex(-1);
    window->auxiliary().setShowSeparateWindow(true);
    IconWindow* icons = window->auxiliary().iconWindow();
    ASSERT_NE(icons, nullptr);
    EXPECT_TRUE(icons->isVisible());
    EXPECT_TRUE(icons->largePicture()->pixmap().isNull());
    EXPECT_TRUE(icons->smallPicture()->pixmap().isNull());

    // Turning it off hides it; on again it shows the selection.
    window->commands().action(Command::ShowIconWindow)->trigger();
    EXPECT_FALSE(window->settings().showSeparateWindow);
    EXPECT_FALSE(icons->isVisible());
    grid()->SetItemIndex(4);
    EXPECT_FALSE(icons->isVisible()) << "a selection does not bring it back";
    window->commands().action(Command::ShowIconWindow)->trigger();
    EXPECT_TRUE(icons->isVisible());
    EXPECT_EQ(Shown(icons->largePicture()), Expected(SampleIcon(4, 32), icons));
}

TEST_F(IconWindowTest, ClosingItByHandTurnsTheOptionOff)
{
    window->SelectFile(test::SampleModule());
    IconWindow* icons = window->auxiliary().iconWindow();
    ASSERT_NE(icons, nullptr);
    icons->close();
    EXPECT_FALSE(window->settings().showSeparateWindow) << "stored off, so it stays closed after a restart";
    EXPECT_FALSE(window->commands().action(Command::ShowIconWindow)->isChecked());
    grid()->SetItemIndex(1);
    EXPECT_FALSE(icons->isVisible());

    // Closed because the program ends: the option stays as it is.
    window->auxiliary().setShowSeparateWindow(true);
    window->close(); // the main window agrees to close first
    icons->close();
    EXPECT_TRUE(window->settings().showSeparateWindow);
    EXPECT_TRUE(window->commands().action(Command::ShowIconWindow)->isChecked());
}

TEST_F(IconWindowTest, ShowsEveryImageOfTheGroupLargestLastWithItsSizeAndDepth)
{
    window->SelectFile(test::SampleModule());
    IconWindow* icons = window->auxiliary().iconWindow();
    ASSERT_NE(icons, nullptr);
    grid()->SetItemIndex(1); // MAINICON: 16, 32, 48 at 4, 8 and 32 bits, then 256 at 32 bits
    const auto& pictures = icons->imagePictures();
    const auto& labels = icons->imageLabels();
    ASSERT_EQ(pictures.size(), 10u);
    ASSERT_EQ(labels.size(), 10u);
    const char* const expected[] = {"16 \u00d7 16, 4-bit",   "16 \u00d7 16, 8-bit", "16 \u00d7 16, 32-bit",
                                    "32 \u00d7 32, 4-bit",   "32 \u00d7 32, 8-bit", "32 \u00d7 32, 32-bit",
                                    "48 \u00d7 48, 4-bit",   "48 \u00d7 48, 8-bit", "48 \u00d7 48, 32-bit",
                                    "256 \u00d7 256, 32-bit"};
    for (std::size_t i = 0; i < labels.size(); ++i)
        EXPECT_EQ(labels[i]->text().toStdString(), expected[i]) << i;
    EXPECT_EQ(pictures.back()->size(), QSize(256, 256));
    // Each picture is its image at its own size: the 48 and 256 images as the extraction
    // service delivers them at exactly those sizes.
    EXPECT_EQ(Shown(pictures[8]), Expected(SampleIcon(1, 48), icons));
    EXPECT_EQ(Shown(pictures[9]), Expected(SampleIcon(1, 256), icons));
    ExpectCentredInHalves(*icons);
    EXPECT_EQ(icons->pictureAreaSize(), QSize(287, 178)) << "the strip adds its height below";
    EXPECT_GE(icons->imageStrip()->height(), 256 + labels.back()->sizeHint().height());
    EXPECT_GT(icons->imageStrip()->horizontalScrollBar()->maximum(), 0) << "the images scroll";

    // The document icon holds one image; an icon shown by its file type, none.
    grid()->SetItemIndex(3);
    ASSERT_EQ(icons->imageLabels().size(), 1u);
    EXPECT_EQ(icons->imageLabels().front()->text().toStdString(), "32 \u00d7 32, 4-bit");
    ExpectCentredInHalves(*icons);
}

TEST_F(IconWindowTest, AFileWithoutIconsShowsItsFileTypeIcon)
{
    const testing::TempFolder folder;
    const fs::path text = folder.path() / "notes.txt";
    std::ofstream(text) << "plain text";
    window->SelectFile(text);
    ASSERT_TRUE(grid()->Associated());
    window->auxiliary().setShowSeparateWindow(true);
    IconWindow* icons = window->auxiliary().iconWindow();
    ASSERT_NE(icons, nullptr);
    const FileTypeIconProvider& shell = grid()->FileTypeIcons();
    EXPECT_EQ(Shown(icons->largePicture()), Expected(shell.IconForFile(text, 32), icons));
    EXPECT_EQ(Shown(icons->smallPicture()), Expected(shell.IconForFile(text, 16), icons));
    EXPECT_TRUE(icons->imagePictures().empty());
    EXPECT_TRUE(icons->imageStrip()->isHidden());
}

TEST(IconWindow, GrowsToTwiceALargeIconAndNeverShrinks)
{
    QWidget owner;
    IconWindow window(&owner);
    ASSERT_EQ(window.size(), QSize(287, 178));
    window.showIcons(testing::SolidIcon(96, 0x00FF00), testing::SolidIcon(48, 0x0000FF));
    EXPECT_EQ(window.size(), QSize(287, 192)) << "only the height is short of twice 96";
    EXPECT_EQ(window.largePicture()->size(), QSize(96, 96));
    EXPECT_EQ(window.smallPicture()->size(), QSize(48, 48));
    ExpectCentredInHalves(window);

    window.showIcons(testing::SolidIcon(32, 0x00FF00), testing::SolidIcon(16, 0x0000FF));
    EXPECT_EQ(window.size(), QSize(287, 192));
    ExpectCentredInHalves(window);

    // Icons that cannot be had: empty pictures collapsed to the centre points.
    window.showIcons(IconHandle{}, IconHandle{});
    EXPECT_EQ(window.largePicture()->size(), QSize(0, 0));
    EXPECT_EQ(window.largePicture()->pos(), QPoint(287 / 4, 192 / 2));
    EXPECT_EQ(window.smallPicture()->pos(), QPoint(3 * (287 / 4), 192 / 2));
    window.close();
}

TEST(IconWindow, OnAHiDpiScreenDrawsTheIconsForItsPhysicalPixelsAtTheLogicalSizes)
{
    QWidget owner;
    IconWindow window(&owner);
    const IconHandle large = SampleIcon(1, 32), small = SampleIcon(1, 16);
    const IconHandle sharpLarge = SampleIcon(1, 64), sharpSmall = SampleIcon(1, 32);
    window.showIcons(large, small, {}, DeviceIconPair{sharpLarge, sharpSmall, 2.0});
    EXPECT_EQ(window.largePicture()->size(), QSize(32, 32)) << "laid out in logical pixels";
    EXPECT_EQ(window.smallPicture()->size(), QSize(16, 16));
    const QPixmap shown = window.largePicture()->pixmap();
    EXPECT_EQ(shown.devicePixelRatio(), 2.0);
    EXPECT_EQ(shown.toImage().convertToFormat(QImage::Format_RGB32), Expected(sharpLarge, &window));
    EXPECT_EQ(window.smallPicture()->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
              Expected(sharpSmall, &window));
    ExpectCentredInHalves(window);
    window.close();
}

} // namespace
} // namespace glyphora
