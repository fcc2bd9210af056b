// The icon grid model: layout, cell geometry, hit testing, selection with scrolling, the
// navigation keys, drawing order and the composed picture's size.
#include "iconview/ComposedImageSize.h"
#include "iconview/DefaultLayout.h"
#include "iconview/IconGridModel.h"

#include <gtest/gtest.h>

#include <vector>

namespace glyphora {
namespace {

// A grid of count large icons laid out in width pixels, with a client area tall enough
// that nothing scrolls unless a test says otherwise.
IconGridModel MakeGrid(int count, int width, int clientHeight = 1000)
{
    IconGridModel model;
    model.LoadIcons(count);
    model.SetWidth(width);
    model.SetViewport(0, clientHeight);
    return model;
}

TEST(IconGridModel, StartsAsOneLargeCellWithNothingSelected)
{
    const IconGridModel model;
    EXPECT_EQ(model.ItemWidth(), 32);
    EXPECT_EQ(model.ItemHeight(), 32);
    EXPECT_EQ(model.Offset(), 6);
    EXPECT_EQ(model.ColWidth(), 42);
    EXPECT_EQ(model.RowHeight(), 42);
    EXPECT_EQ(model.Width(), 44);
    EXPECT_EQ(model.Height(), 44);
    EXPECT_EQ(model.ColCount(), 1);
    EXPECT_EQ(model.RowCount(), 1);
    EXPECT_EQ(model.Count(), 0);
    EXPECT_EQ(model.ItemIndex(), -1);
    EXPECT_EQ(model.ScrollIncrement(), 42);
}

TEST(IconGridModel, TenLargeIconsIn130PixelsMakeThreeColumnsOfFourRows)
{
    const IconGridModel model = MakeGrid(10, 130);
    EXPECT_EQ(model.ColWidth(), 42);
    EXPECT_EQ(model.ColCount(), 3);
    EXPECT_EQ(model.RowCount(), 4);
    EXPECT_EQ(model.Height(), 170);
}

TEST(IconGridModel, EmptyGridKeepsOneRowAndOneColumn)
{
    const IconGridModel model = MakeGrid(0, 20);
    EXPECT_EQ(model.ColCount(), 1);
    EXPECT_EQ(model.RowCount(), 1);
    EXPECT_EQ(model.Height(), model.RowHeight() + 2);
}

TEST(IconGridModel, SizingAndOffsetChangeThePitchAndTheLayout)
{
    IconGridModel model = MakeGrid(10, 130);
    EXPECT_TRUE(model.SetIconSizing(IconSizing::Small));
    EXPECT_EQ(model.ItemWidth(), 16);
    EXPECT_EQ(model.ItemHeight(), 16);
    EXPECT_EQ(model.ColWidth(), 26);
    EXPECT_EQ(model.RowHeight(), 26);
    EXPECT_EQ(model.ColCount(), 5);
    EXPECT_EQ(model.Height(), 2 * 26 + 2);
    EXPECT_FALSE(model.SetIconSizing(IconSizing::Small));

    EXPECT_TRUE(model.SetIconSizing(IconSizing::Both));
    EXPECT_EQ(model.ItemWidth(), 32);
    EXPECT_EQ(model.ColWidth(), 42);

    EXPECT_TRUE(model.SetOffset(10)); // 32 + 20 - 2 = 50: two columns in 130 pixels
    EXPECT_EQ(model.ColWidth(), 50);
    EXPECT_EQ(model.RowHeight(), 50);
    EXPECT_EQ(model.ColCount(), 2);
    EXPECT_EQ(model.RowCount(), 5);
    EXPECT_FALSE(model.SetOffset(10));

    EXPECT_TRUE(model.SetItemWidth(40));
    EXPECT_EQ(model.ColWidth(), 58);
    EXPECT_EQ(model.RowHeight(), 50);
    EXPECT_TRUE(model.SetItemHeight(20));
    EXPECT_EQ(model.RowHeight(), 38);
    EXPECT_EQ(model.Height(), 5 * 38 + 2);
    EXPECT_FALSE(model.SetItemHeight(20));
}

TEST(IconGridModel, IconAndCellRectangles)
{
    struct Case {
        int offset;
        int index;
        GridRect icon;
        GridRect cell;
    };
    // At Offset 6 three columns fit 130 pixels; at Offset 10 (pitch 50) two do, and the
    // drawing pitch (w + o + 4 = 46) differs from the layout pitch.
    const Case cases[] = {
        {6, 0, {6, 6, 38, 38}, {2, 2, 42, 42}},       {6, 4, {48, 48, 80, 80}, {44, 44, 84, 84}},
        {6, 5, {90, 48, 122, 80}, {86, 44, 126, 84}}, {6, 9, {6, 132, 38, 164}, {2, 128, 42, 168}},
        {10, 3, {56, 56, 88, 88}, {52, 52, 92, 92}},  {10, 4, {10, 102, 42, 134}, {6, 98, 46, 138}},
    };
    for (const Case& c : cases) {
        IconGridModel model = MakeGrid(10, 130);
        model.SetOffset(c.offset);
        SCOPED_TRACE(testing::Message() << "offset " << c.offset << " index " << c.index);
        EXPECT_EQ(model.IconRect(c.index), c.icon);
        EXPECT_EQ(model.CellRect(c.index), c.cell);
        const GridRect icon = model.IconRect(c.index);
        EXPECT_EQ(model.CellRect(c.index), (GridRect{icon.left - 4, icon.top - 4, icon.right + 4, icon.bottom + 4}));
    }
}

TEST(IconGridModel, HitTestUsesTheLayoutPitch)
{
    const IconGridModel model = MakeGrid(10, 130);
    EXPECT_EQ(model.HitTest(0, 0), 0);
    EXPECT_EQ(model.HitTest(41, 41), 0);
    EXPECT_EQ(model.HitTest(42, 0), 1);
    EXPECT_EQ(model.HitTest(90, 50), 5);
    EXPECT_EQ(model.HitTest(100, 140), 11); // past the last icon of the last row
}

TEST(IconGridModel, ClickSelectsTheIconUnderItOrTheLastIcon)
{
    struct Case {
        int x;
        int y;
        int expected;
    };
    const Case cases[] = {
        {5, 5, 0},     {50, 50, 4}, {10, 130, 9}, // the last icon itself
        {100, 140, 9},                            // past the last icon of the last row
        {5, 300, 9},                              // below the last row
    };
    for (const Case& c : cases) {
        IconGridModel model = MakeGrid(10, 130);
        SCOPED_TRACE(testing::Message() << "click at " << c.x << ", " << c.y);
        const SelectionChange change = model.SelectAt(c.x, c.y);
        EXPECT_TRUE(change.changed);
        EXPECT_EQ(change.itemIndex, c.expected);
        EXPECT_EQ(model.ItemIndex(), c.expected);
    }
}

TEST(IconGridModel, ClickRepaintsTheOldAndTheNewCell)
{
    IconGridModel model = MakeGrid(10, 130);
    model.SetItemIndex(0);
    const SelectionChange change = model.SelectAt(50, 5);
    EXPECT_EQ(change.itemIndex, 1);
    EXPECT_EQ(change.redrawCells, (std::vector<int>{0, 1}));

    // Clicking the selected icon changes nothing.
    const SelectionChange again = model.SelectAt(60, 10);
    EXPECT_FALSE(again.changed);
    EXPECT_TRUE(again.redrawCells.empty());

    // A click in an empty grid leaves nothing selected.
    IconGridModel empty = MakeGrid(0, 130);
    EXPECT_FALSE(empty.SelectAt(5, 5).changed);
    EXPECT_EQ(empty.ItemIndex(), -1);
}

TEST(IconGridModel, NavigationKeys)
{
    struct Case {
        int count;
        int start;
        GridKey key;
        int expected;
        bool consumed;
    };
    // Ten icons in three columns (rows 0-2, 3-5, 6-8, 9); the client area shows two rows,
    // so a page is six positions.
    const Case cases[] = {
        {10, -1, GridKey::Right, 0, true},
        {10, -1, GridKey::Down, 2, true},
        {10, -1, GridKey::Left, -1, true},
        {10, -1, GridKey::Up, -1, true},
        {10, -1, GridKey::PageUp, -1, true},
        {10, -1, GridKey::Home, 0, true},
        {10, -1, GridKey::End, 9, true},
        {10, -1, GridKey::PageDown, 5, true},
        {10, 4, GridKey::PageDown, 7, true}, // lowest row with an icon in column 1
        {10, 8, GridKey::PageDown, 8, true}, // column 2 has nothing lower: stays
        {10, 9, GridKey::PageDown, 9, true},
        {10, 7, GridKey::PageUp, 1, true},
        {10, 4, GridKey::PageUp, 1, true}, // -2 + 3
        {10, 2, GridKey::PageUp, 2, true}, // -4 + 3 + 3
        {10, 0, GridKey::PageUp, 0, true},
        {10, 4, GridKey::Up, 1, true},
        {10, 1, GridKey::Up, 1, true},
        {10, 2, GridKey::Up, 2, true}, // the first row has nothing above
        {10, 0, GridKey::Up, 0, true},
        {10, 4, GridKey::Left, 3, true},
        {10, 0, GridKey::Left, 0, true},
        {10, 8, GridKey::Right, 9, true},
        {10, 9, GridKey::Right, 9, true},
        {10, 6, GridKey::Down, 9, true},
        {10, 7, GridKey::Down, 7, true},
        {10, 5, GridKey::Home, 0, true},
        {10, 5, GridKey::End, 9, true},
        {2, -1, GridKey::Down, -1, true},   // no second row: Down would leave the grid
        {0, -1, GridKey::Right, -1, false}, // an empty grid consumes nothing
        {0, -1, GridKey::End, -1, false},
    };
    for (const Case& c : cases) {
        IconGridModel model = MakeGrid(c.count, 130, 84);
        model.SetItemIndex(c.start);
        ASSERT_EQ(model.ItemIndex(), c.start);
        SCOPED_TRACE(testing::Message() << "count " << c.count << " start " << c.start << " key "
                                        << static_cast<int>(c.key));
        const KeyResult result = model.MoveSelection(c.key);
        EXPECT_EQ(result.consumed, c.consumed);
        EXPECT_EQ(result.selection.itemIndex, c.expected);
        EXPECT_EQ(model.ItemIndex(), c.expected);
        EXPECT_EQ(result.selection.changed, c.expected != c.start);
    }
}

TEST(IconGridModel, SetItemIndexClampsAndReportsOnlyChanges)
{
    IconGridModel model = MakeGrid(10, 130);
    EXPECT_FALSE(model.SetItemIndex(-5).changed); // -1 already
    EXPECT_EQ(model.ItemIndex(), -1);

    const SelectionChange high = model.SetItemIndex(50);
    EXPECT_TRUE(high.changed);
    EXPECT_EQ(high.itemIndex, 9);
    const SelectionChange again = model.SetItemIndex(50);
    EXPECT_FALSE(again.changed);
    EXPECT_TRUE(again.redrawCells.empty());
    EXPECT_FALSE(model.SetItemIndex(9).changed);

    const SelectionChange low = model.SetItemIndex(-5);
    EXPECT_TRUE(low.changed);
    EXPECT_EQ(low.itemIndex, -1);
}

TEST(IconGridModel, SelectionWithinTheVisibleRowsRepaintsTwoCells)
{
    IconGridModel model = MakeGrid(10, 130, 84);
    // -1 counts as row 0: the former "nothing selected" cell is repainted too.
    const SelectionChange first = model.SetItemIndex(1);
    EXPECT_FALSE(first.scrolled);
    EXPECT_EQ(first.redrawCells, (std::vector<int>{-1, 1}));
    // Row 1 ends at 2 * 42 - 6 = 78, inside the 84 visible pixels: no scrolling.
    const SelectionChange second = model.SetItemIndex(4);
    EXPECT_FALSE(second.scrolled);
    EXPECT_EQ(second.scrollPosition, 0);
    EXPECT_EQ(second.redrawCells, (std::vector<int>{1, 4}));
}

TEST(IconGridModel, SelectionScrollsInStepsOfTheIncrement)
{
    struct Step {
        int select;
        int scrollPosition;
    };
    // Height 170, client 84, increment 10. Row r is visible once its bottom less Offset,
    // (r + 1) * 42 - 6, is within position + 84, or its top r * 42 is not above position.
    const Step steps[] = {
        {0, 0},  {6, 40}, // row 2 ends at 120: 0 -> 40 (124 >= 120)
        {9, 80},          // row 3 ends at 162: 40 -> 80 (164 >= 162)
        {4, 40},          // row 1 starts at 42: 80 -> 40
        {0, 0},           // row 0 starts at 0
    };
    IconGridModel model = MakeGrid(10, 130, 84);
    model.SetScrollIncrement(10);
    for (const Step& s : steps) {
        SCOPED_TRACE(testing::Message() << "select " << s.select);
        const int before = model.ScrollPosition();
        const SelectionChange change = model.SetItemIndex(s.select);
        EXPECT_EQ(change.scrollPosition, s.scrollPosition);
        EXPECT_EQ(model.ScrollPosition(), s.scrollPosition);
        EXPECT_EQ(change.scrolled, s.scrollPosition != before);
        if (change.scrolled) {
            EXPECT_TRUE(change.redrawCells.empty());
        }
    }
}

TEST(IconGridModel, ScrollingStopsAtTheEndOfTheScrollRange)
{
    IconGridModel model = MakeGrid(10, 130, 84);
    model.SetScrollIncrement(50);
    EXPECT_EQ(model.MaxScrollPosition(), 170 - 84);
    const SelectionChange change = model.SetItemIndex(9);
    EXPECT_EQ(change.scrollPosition, 86); // 0 -> 50 -> 100, held at 86
}

TEST(IconGridModel, FitGridWidthTakesTheComingScrollBarOff)
{
    struct Case {
        ScrollBoxMetrics box;
        int expected;
    };
    const Case cases[] = {
        {{130, 1000, 134, 17}, 130}, // everything fits: no scroll bar
        {{130, 100, 134, 17}, 113},  // too tall, the client still spans the box
        {{113, 100, 134, 17}, 113},  // the scroll bar already narrows the client
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "client " << c.box.clientWidth << " x " << c.box.clientHeight);
        EXPECT_EQ(FitGridWidth(c.box, 10, 42, 42), c.expected);
    }
}

TEST(IconGridModel, RefreshResetsTheSelectionAndLaysOutForTheScrollBox)
{
    IconGridModel model = MakeGrid(10, 130);
    model.SetItemIndex(3);
    model.SetIconSizing(IconSizing::Small);
    model.Refresh(10, ScrollBoxMetrics{130, 100, 134, 17});
    EXPECT_EQ(model.ItemIndex(), -1);
    EXPECT_EQ(model.ItemWidth(), 16);
    EXPECT_EQ(model.Width(), 130); // two rows of 26 fit 100 pixels: no scroll bar
    EXPECT_EQ(model.ColCount(), 5);

    model.SetIconSizing(IconSizing::Large);
    model.Refresh(10, ScrollBoxMetrics{130, 100, 134, 17});
    EXPECT_EQ(model.Width(), 113);
    EXPECT_EQ(model.ColCount(), 2);
    EXPECT_EQ(model.RowCount(), 5);
    EXPECT_EQ(model.Height(), 212);
    EXPECT_EQ(model.ClientHeight(), 100);
}

TEST(IconGridModel, DrawAllDrawsEveryIconAtItsIconRectangleInOrder)
{
    struct Call {
        const IconHandle* icon;
        int x;
        int y;
        int width;
        int height;
    };
    std::vector<IconHandle> icons(5);
    for (std::size_t k = 0; k < icons.size(); ++k) {
        if (k == 2) continue; // a null handle keeps its place
        icons[k].width = 32;
        icons[k].height = 32;
        icons[k].mask = Bitmap(32, 32, 1, kBlack);
    }
    for (const IconSizing sizing : {IconSizing::Large, IconSizing::Small}) {
        IconGridModel model = MakeGrid(5, 130);
        model.SetIconSizing(sizing);
        const int size = model.ItemWidth();
        std::vector<Call> calls;
        Bitmap canvas(200, 200);
        model.DrawAll(canvas, icons, [&](Bitmap& dst, const IconHandle& icon, int x, int y, int w, int h) {
            EXPECT_EQ(&dst, &canvas);
            calls.push_back({&icon, x, y, w, h});
        });
        ASSERT_EQ(calls.size(), 4u);
        const int drawn[] = {0, 1, 3, 4};
        for (std::size_t n = 0; n < calls.size(); ++n) {
            const int k = drawn[n];
            SCOPED_TRACE(testing::Message() << "icon " << k << " at size " << size);
            const GridRect rect = model.IconRect(k);
            EXPECT_EQ(calls[n].icon, &icons[static_cast<std::size_t>(k)]);
            EXPECT_EQ(calls[n].x, rect.left);
            EXPECT_EQ(calls[n].y, rect.top);
            EXPECT_EQ(calls[n].width, size);
            EXPECT_EQ(calls[n].height, size);
        }
    }
}

TEST(IconGridModel, ComposedImageSize)
{
    struct Case {
        int count;
        IconSizing sizing;
        PictureSize expected;
    };
    // Eight columns: 8 * 42 = 336 pixels for large icons, 8 * 26 = 208 for small ones.
    const Case cases[] = {
        {5, IconSizing::Large, {5 * 42 + 2, 42 + 2}},
        {20, IconSizing::Large, {8 * 42 + 2, 3 * 42 + 2}},
        {0, IconSizing::Large, {2, 42 + 2}},
        {5, IconSizing::Small, {5 * 26 + 2, 26 + 2}},
    };
    for (const Case& c : cases) {
        IconGridModel model;
        model.SetIconSizing(c.sizing);
        model.LoadIcons(c.count);
        model.SetWidth(8 * model.ColWidth());
        SCOPED_TRACE(testing::Message() << c.count << " icons");
        EXPECT_EQ(model.ColCount(), 8);
        EXPECT_EQ(ComposedImageSize(model), c.expected);
    }
}

TEST(IconGridModel, DefaultLayoutHoldsTwelveLargeColumns)
{
    EXPECT_EQ(kDefaultGridWidth, 506);
    IconGridModel model = MakeGrid(30, kDefaultGridWidth);
    EXPECT_EQ(model.ColCount(), 12);
    model.SetIconSizing(IconSizing::Small);
    EXPECT_EQ(model.ColCount(), 19);
}

} // namespace
} // namespace glyphora
