// The icon grid's geometry, layout, selection and drawing, free of any toolkit.
#include "iconview/IconGridModel.h"

#include "iconengine/IconExtraction.h"
#include "raster/RasterDraw.h"

#include <algorithm>
#include <climits>
#include <cstddef>

namespace glyphora {

namespace {

// A pitch of zero or less (an odd Offset or item size) must not divide by zero; such a
// grid behaves as if its pitch were one pixel.
int Divisor(int pitch)
{
    return pitch > 0 ? pitch : 1;
}

int ClampToInt(long long value)
{
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

void AddRedraw(std::vector<int>& cells, int cell)
{
    if (std::find(cells.begin(), cells.end(), cell) == cells.end()) cells.push_back(cell);
}

} // namespace

GridLayout ComputeGridLayout(int width, int count, int colWidth, int rowHeight)
{
    GridLayout layout;
    layout.colCount = std::max(1, width / Divisor(colWidth));
    const int rows = count / layout.colCount + (count % layout.colCount > 0 ? 1 : 0);
    layout.rowCount = std::max(1, rows);
    layout.height = ClampToInt(static_cast<long long>(layout.rowCount) * rowHeight + 2);
    return layout;
}

int FitGridWidth(const ScrollBoxMetrics& box, int count, int colWidth, int rowHeight)
{
    int width = box.clientWidth;
    const GridLayout first = ComputeGridLayout(width, count, colWidth, rowHeight);
    if (box.clientHeight < first.height && box.outerWidth - width < 10) width -= box.scrollBarThickness;
    return width;
}

IconGridModel::IconGridModel() : itemWidth_(kLargeIconSize), itemHeight_(kLargeIconSize)
{
    RecomputePitch();
    // A new grid is one cell large until the scroll box lays it out.
    width_ = itemWidth_ + 12;
    height_ = itemHeight_ + 12;
    scrollIncrement_ = rowHeight_;
}

void IconGridModel::RecomputePitch()
{
    colWidth_ = itemWidth_ + 2 * offset_ - 2;
    rowHeight_ = itemHeight_ + 2 * offset_ - 2;
}

void IconGridModel::ApplyItemSize()
{
    itemWidth_ = IconSizeFor(iconSizing_);
    itemHeight_ = itemWidth_;
    RecomputePitch();
}

bool IconGridModel::SetItemWidth(int value)
{
    if (value == itemWidth_) return false;
    itemWidth_ = value;
    RecomputePitch();
    UpdateLayout();
    return true;
}

bool IconGridModel::SetItemHeight(int value)
{
    if (value == itemHeight_) return false;
    itemHeight_ = value;
    RecomputePitch();
    UpdateLayout();
    return true;
}

bool IconGridModel::SetOffset(int value)
{
    if (value == offset_) return false;
    offset_ = value;
    RecomputePitch();
    UpdateLayout();
    return true;
}

bool IconGridModel::SetIconSizing(IconSizing value)
{
    if (value == iconSizing_) return false;
    iconSizing_ = value;
    ApplyItemSize();
    UpdateLayout();
    return true;
}

void IconGridModel::SetWidth(int value)
{
    width_ = value;
    UpdateLayout();
}

void IconGridModel::UpdateLayout()
{
    const GridLayout layout = ComputeGridLayout(width_, count_, colWidth_, rowHeight_);
    colCount_ = layout.colCount;
    rowCount_ = layout.rowCount;
    height_ = layout.height;
}

void IconGridModel::LoadIcons(int count)
{
    ApplyItemSize();
    count_ = std::max(0, count);
    itemIndex_ = -1;
    UpdateLayout();
}

void IconGridModel::FitToScrollBox(const ScrollBoxMetrics& box)
{
    clientHeight_ = box.clientHeight;
    SetWidth(FitGridWidth(box, count_, colWidth_, rowHeight_));
}

void IconGridModel::Refresh(int count, const ScrollBoxMetrics& box)
{
    LoadIcons(count);
    FitToScrollBox(box);
}

void IconGridModel::SetViewport(int scrollPosition, int clientHeight)
{
    scrollPosition_ = scrollPosition;
    clientHeight_ = clientHeight;
}

void IconGridModel::SetScrollIncrement(int value)
{
    scrollIncrement_ = value;
}

int IconGridModel::MaxScrollPosition() const
{
    return std::max(0, height_ - clientHeight_);
}

int IconGridModel::ClampScroll(long long position) const
{
    return ClampToInt(std::clamp<long long>(position, 0, MaxScrollPosition()));
}

GridRect IconGridModel::IconRect(int i) const
{
    const long long c = i % colCount_;
    const long long r = i / colCount_;
    GridRect rect;
    rect.left = ClampToInt((c + 1) * offset_ + c * (itemWidth_ + 4));
    rect.top = ClampToInt((r + 1) * offset_ + r * (itemHeight_ + 4));
    rect.right = ClampToInt(static_cast<long long>(rect.left) + itemWidth_);
    rect.bottom = ClampToInt(static_cast<long long>(rect.top) + itemHeight_);
    return rect;
}

GridRect IconGridModel::CellRect(int i) const
{
    const long long c = i % colCount_;
    const long long r = i / colCount_;
    GridRect rect;
    rect.left = ClampToInt((c + 1) * (offset_ - 4) + c * (itemWidth_ + 8));
    rect.top = ClampToInt((r + 1) * (offset_ - 4) + r * (itemHeight_ + 8));
    rect.right = ClampToInt((c + 1) * (offset_ + itemWidth_ + 4));
    rect.bottom = ClampToInt((r + 1) * (offset_ + itemHeight_ + 4));
    return rect;
}

int IconGridModel::HitTest(int x, int y) const
{
    const long long row = y / Divisor(rowHeight_);
    const long long col = x / Divisor(colWidth_);
    return ClampToInt(row * colCount_ + col);
}

// Rows are index div ColCount, truncating toward zero, so "nothing selected" (-1) counts
// as row 0. A change within one row repaints the two cells; a row below or above the
// visible area scrolls in steps of the increment until the row is visible (its bottom less
// Offset at the bottom edge, its top at the top edge).
SelectionChange IconGridModel::SetItemIndex(int a)
{
    SelectionChange result;
    result.itemIndex = itemIndex_;
    result.scrollPosition = scrollPosition_;
    if (a == itemIndex_) return result;
    if (a < -1) a = -1;
    if (a > count_ - 1) a = count_ - 1;
    if (a == itemIndex_) return result;

    const int entryPosition = scrollPosition_;
    const int old = itemIndex_;
    const long long newRow = a / colCount_;
    const long long oldRow = old / colCount_;
    const long long rowBottom = (newRow + 1) * rowHeight_ - offset_;
    const long long rowTop = newRow * rowHeight_;
    const int step = std::max(1, scrollIncrement_);
    itemIndex_ = a;

    const auto redrawBoth = [&] {
        if (old < count_) AddRedraw(result.redrawCells, old);
        AddRedraw(result.redrawCells, a);
    };

    if (newRow == oldRow) {
        redrawBoth();
    } else if (static_cast<long long>(entryPosition) + clientHeight_ < rowBottom) {
        // The scroll range ends where the grid's bottom meets the client area's bottom,
        // which always shows the row; stop anyway should the range not move.
        while (static_cast<long long>(scrollPosition_) + clientHeight_ < rowBottom) {
            const int next = ClampScroll(static_cast<long long>(scrollPosition_) + step);
            if (next == scrollPosition_) break;
            scrollPosition_ = next;
        }
    } else if (rowTop < entryPosition) {
        while (rowTop < scrollPosition_) {
            const int next = ClampScroll(static_cast<long long>(scrollPosition_) - step);
            if (next == scrollPosition_) break;
            scrollPosition_ = next;
        }
    } else {
        redrawBoth();
    }

    result.changed = true;
    result.itemIndex = itemIndex_;
    result.scrolled = scrollPosition_ != entryPosition;
    result.scrollPosition = scrollPosition_;
    return result;
}

// Key table, with a = ItemIndex, last = Count - 1, n = ColCount and v = the rows that fit
// the client height:
//   Page Up    a - n*v, then + n while negative (only when a > 0)
//   Page Down  a + n*v, then - n while past last (only when a < last)
//   End last, Home 0, Left a - 1, Right a + 1 (within 0 .. last)
//   Up a - n, Down a + n (only when that stays within 0 .. last)
// Every other key is not consumed. An empty grid consumes nothing.
KeyResult IconGridModel::MoveSelection(GridKey key)
{
    KeyResult result;
    result.selection.itemIndex = itemIndex_;
    result.selection.scrollPosition = scrollPosition_;
    if (count_ == 0) return result;

    const long long a = itemIndex_;
    const long long last = count_ - 1;
    const long long n = colCount_;
    const long long v = clientHeight_ / Divisor(rowHeight_);
    long long target = a;
    switch (key) {
    case GridKey::PageUp:
        if (a > 0) {
            target = a - n * v;
            if (target < 0) target += n * ((-target + n - 1) / n);
        }
        break;
    case GridKey::PageDown:
        if (a < last) {
            target = a + n * v;
            if (target > last) target -= n * ((target - last + n - 1) / n);
        }
        break;
    case GridKey::End: target = last; break;
    case GridKey::Home: target = 0; break;
    case GridKey::Left:
        if (a > 0) target = a - 1;
        break;
    case GridKey::Up:
        if (a > 0 && a - n >= 0) target = a - n;
        break;
    case GridKey::Right:
        if (a < last) target = a + 1;
        break;
    case GridKey::Down:
        if (a < last && a + n <= last) target = a + n;
        break;
    }
    result.consumed = true;
    result.selection = SetItemIndex(ClampToInt(target));
    return result;
}

SelectionChange IconGridModel::SelectAt(int x, int y)
{
    const int a = HitTest(x, y);
    if (a == itemIndex_) {
        SelectionChange unchanged;
        unchanged.itemIndex = itemIndex_;
        unchanged.scrollPosition = scrollPosition_;
        return unchanged;
    }
    const int previous = itemIndex_;
    SelectionChange result = SetItemIndex(std::min(a, count_ - 1));
    AddRedraw(result.redrawCells, previous);
    if (a < count_) AddRedraw(result.redrawCells, a);
    return result;
}

void IconGridModel::DrawAll(Bitmap& canvas, const std::vector<IconHandle>& icons, const IconPainter& paint) const
{
    for (std::size_t k = 0; k < icons.size(); ++k) {
        const IconHandle& icon = icons[k];
        if (icon.isNull()) continue;
        const GridRect rect = IconRect(static_cast<int>(k));
        if (paint)
            paint(canvas, icon, rect.left, rect.top, itemWidth_, itemHeight_);
        else
            DrawIconScaled(canvas, icon, rect.left, rect.top, itemWidth_, itemHeight_);
    }
}

} // namespace glyphora
