// The composed picture of all icons: its size follows the grid, icons sit in their cells,
// empty cells stay white.
#include "export/SaveAllAsOne.h"
#include "tests/support/TestIcons.h"

#include <gtest/gtest.h>

namespace glyphora {
namespace {

IconGridModel EightColumnGrid(int count)
{
    IconGridModel grid;
    grid.SetWidth(8 * grid.ColWidth() + 5);
    grid.LoadIcons(count);
    return grid;
}

std::vector<IconHandle> RedIcons(int count)
{
    return std::vector<IconHandle>(static_cast<std::size_t>(count), testing::SolidIcon(32, 0xFF0000));
}

bool CellIsRed(const Bitmap& picture, const IconGridModel& grid, int k)
{
    const GridRect r = grid.IconRect(k);
    return picture.at(r.left, r.top) == 0xFF0000 && picture.at(r.right - 1, r.bottom - 1) == 0xFF0000;
}

bool CellIsWhite(const Bitmap& picture, const IconGridModel& grid, int k)
{
    const GridRect r = grid.CellRect(k);
    for (int y = r.top; y < r.bottom && y < picture.height; ++y)
        for (int x = r.left; x < r.right && x < picture.width; ++x)
            if (picture.at(x, y) != kWhite) return false;
    return true;
}

TEST(SaveAllAsOneTest, FiveIconsInEightColumns)
{
    const IconGridModel grid = EightColumnGrid(5);
    ASSERT_EQ(grid.ColCount(), 8);
    const Bitmap picture = ComposeAllIcons(grid, RedIcons(5), false);
    EXPECT_EQ(picture.width, 5 * grid.ColWidth() + 2);
    EXPECT_EQ(picture.height, grid.RowHeight() + 2);
    for (int k = 0; k < 5; ++k)
        EXPECT_TRUE(CellIsRed(picture, grid, k)) << k;
    EXPECT_EQ(picture.at(0, 0), kWhite) << "the margin is white";
}

TEST(SaveAllAsOneTest, TwentyIconsGiveRowsOfEightEightAndFour)
{
    const IconGridModel grid = EightColumnGrid(20);
    const Bitmap picture = ComposeAllIcons(grid, RedIcons(20), false);
    EXPECT_EQ(picture.width, 8 * grid.ColWidth() + 2);
    EXPECT_EQ(picture.height, 3 * grid.RowHeight() + 2);
    for (int k = 0; k < 20; ++k)
        EXPECT_TRUE(CellIsRed(picture, grid, k)) << k;
    for (int k = 20; k < 24; ++k)
        EXPECT_TRUE(CellIsWhite(picture, grid, k)) << k;
}

TEST(SaveAllAsOneTest, EmptyFileGivesAWhiteStripAndGreyIconsStayOnWhite)
{
    const IconGridModel empty = EightColumnGrid(0);
    const Bitmap strip = ComposeAllIcons(empty, {}, false);
    EXPECT_EQ(strip.width, 2);
    EXPECT_EQ(strip.height, empty.RowHeight() + 2);

    const IconGridModel grid = EightColumnGrid(1);
    const Bitmap grey = ComposeAllIcons(grid, {testing::HalfTransparentIcon(32, 0xFF0000)}, true);
    const GridRect r = grid.IconRect(0);
    EXPECT_EQ(grey.at(r.left, r.top), 0x4C4C4Cu) << "red becomes grey 76";
    EXPECT_EQ(grey.at(r.right - 1, r.top), kWhite) << "transparent stays white";
}

} // namespace
} // namespace glyphora
