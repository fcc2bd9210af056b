// Printing the grid without a printer: the picture of the whole grid or of the selected icon,
// and the size it takes on the page at actual size, fit to page and in printer pixels.
#include "iconview/GridPrint.h"

#include "tests/support/TestIcons.h"

#include <gtest/gtest.h>

#include <vector>

namespace glyphora {
namespace {

constexpr std::uint32_t kRed = 0xC00000;

IconGridModel MakeGrid(int count, int width)
{
    IconGridModel model;
    model.LoadIcons(count);
    model.SetWidth(width);
    model.SetViewport(0, 1000);
    return model;
}

std::vector<IconHandle> SolidIcons(int count, int size)
{
    std::vector<IconHandle> icons;
    for (int i = 0; i < count; ++i)
        icons.push_back(testing::SolidIcon(size, kRed + static_cast<std::uint32_t>(i)));
    return icons;
}

TEST(GridPrint, TenIconsInEightColumnsPrintTwoRowsOnAFullWidthPicture)
{
    const IconGridModel grid = MakeGrid(10, 8 * 42 + 10);
    ASSERT_EQ(grid.ColCount(), 8);
    ASSERT_EQ(grid.RowCount(), 2);
    const std::vector<IconHandle> icons = SolidIcons(10, 32);
    const Bitmap picture = PrintPicture(grid, icons, true);
    EXPECT_EQ(picture.width, 8 * grid.ColWidth() + 2) << "every column, not only those in use";
    EXPECT_EQ(picture.height, grid.Height());
    for (int k = 0; k < 16; ++k) {
        SCOPED_TRACE(k);
        const GridRect icon = grid.IconRect(k);
        const std::uint32_t expected = k < 10 ? kRed + static_cast<std::uint32_t>(k) : kWhite;
        EXPECT_EQ(picture.at(icon.left, icon.top) & 0xFFFFFF, expected);
        EXPECT_EQ(picture.at(icon.right - 1, icon.bottom - 1) & 0xFFFFFF, expected);
        EXPECT_EQ(picture.at(icon.left - 1, icon.top) & 0xFFFFFF, kWhite) << "the cell around the icon stays white";
    }
}

TEST(GridPrint, SelectedIconAloneAtTheItemSize)
{
    IconGridModel grid = MakeGrid(3, 200);
    std::vector<IconHandle> icons = SolidIcons(3, 32);
    icons[1] = testing::HalfTransparentIcon(32, 0x0000FF);
    EXPECT_TRUE(PrintPicture(grid, icons, false).empty()) << "nothing selected";
    grid.SetItemIndex(1);
    const Bitmap picture = PrintPicture(grid, icons, false);
    ASSERT_EQ(picture.width, 32);
    ASSERT_EQ(picture.height, 32);
    EXPECT_EQ(picture.at(0, 0) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(picture.at(31, 31) & 0xFFFFFF, kWhite) << "drawn with its mask on white";

    grid.SetIconSizing(IconSizing::Small);
    grid.LoadIcons(3);
    grid.SetItemIndex(0);
    const Bitmap small = PrintPicture(grid, SolidIcons(3, 16), false);
    EXPECT_EQ(small.width, 16);
    EXPECT_EQ(small.height, 16);
}

TEST(GridPrint, OutputSizeOnThePage)
{
    const PrintPage letter600{4800, 6600, 600, 600, 96}; // 8 x 11 inches printable at 600 dpi
    const PrintPage landscape{6600, 4800, 600, 600, 96};
    const struct {
        const char* name;
        int width, height;
        PrintSizing sizing;
        PrintPage page;
        PrintExtent expected;
    } cases[] = {
        {"32 x 32 at actual size on 600 dpi from a 96 dpi screen",
         32,
         32,
         PrintSizing::ActualSize,
         letter600,
         {200, 200}},
        {"actual size rounds each side", 3, 5, PrintSizing::ActualSize, {100, 100, 100, 120, 96}, {3, 6}},
        {"halves round to even", 5, 3, PrintSizing::ActualSize, {100, 100, 48, 48, 96}, {2, 2}},
        {"actual size follows each axis' resolution",
         96,
         48,
         PrintSizing::ActualSize,
         {100, 100, 300, 150, 96},
         {300, 75}},
        {"wider than tall fills the page width", 338, 44, PrintSizing::FitToPage, letter600, {4800, 625}},
        {"taller than wide fills the page height", 44, 338, PrintSizing::FitToPage, letter600, {859, 6600}},
        {"square on a tall page fills the width", 32, 32, PrintSizing::FitToPage, letter600, {4800, 4800}},
        {"square on a wide page fills the height", 32, 32, PrintSizing::FitToPage, landscape, {4800, 4800}},
        {"printer pixels: the picture's own size", 338, 44, PrintSizing::PrinterPixels, letter600, {338, 44}},
        {"an empty picture takes no room", 0, 0, PrintSizing::FitToPage, letter600, {0, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PrintOutputSize(c.width, c.height, c.sizing, c.page), c.expected) << c.name;
}

} // namespace
} // namespace glyphora
