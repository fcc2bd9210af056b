// The icon grid without any toolkit: cell geometry, the wrapping layout, the selection with
// its scrolling and keyboard rules, and drawing every icon onto a bitmap. The grid widget
// keeps one of these, feeds it the scroll box's viewport and turns its answers into
// painting, scrolling and the select event; printing and the composed picture use its
// geometry and DrawAll directly.
#pragma once

#include "raster/Bitmap.h"
#include "raster/IconHandle.h"

#include "iconengine/IconSources.h" // IconSizing, IconSizeFor

#include <functional>
#include <vector>

namespace glyphora {

// A rectangle in grid coordinates; right and bottom are exclusive.
struct GridRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const GridRect&) const = default;
};

// Columns, rows and height of a grid of count cells laid into width pixels.
struct GridLayout {
    int colCount = 1;
    int rowCount = 1;
    int height = 0;
};

// ColCount = width div colWidth (at least 1); RowCount = count / ColCount rounded up (at
// least 1); height = RowCount * rowHeight + 2, the 2 pixels leaving room under the last row.
GridLayout ComputeGridLayout(int width, int count, int colWidth, int rowHeight);

// What the hosting scroll box tells the grid when the icons are reloaded.
struct ScrollBoxMetrics {
    int clientWidth = 0;
    int clientHeight = 0;
    int outerWidth = 0;
    int scrollBarThickness = 0; // the system's scroll bar thickness
};

// The grid width to lay the icons out in. When the grid is taller than the client area a
// vertical scroll bar is about to appear; if the client width does not yet show it (the
// frame takes less than 10 pixels), its thickness is taken off in advance.
int FitGridWidth(const ScrollBoxMetrics& box, int count, int colWidth, int rowHeight);

// The navigation keys that move the selection.
enum class GridKey { PageUp, PageDown, End, Home, Left, Up, Right, Down };

// The outcome of a selection change, for the widget to act on.
struct SelectionChange {
    bool changed = false;   // ItemIndex moved: the select event fires with itemIndex
    int itemIndex = -1;     // ItemIndex afterwards
    bool scrolled = false;  // the view scrolled: everything visible needs a repaint
    int scrollPosition = 0; // vertical scroll position afterwards
    // Cells to repaint, in order. May hold -1 (the former "nothing selected"): the cell
    // painter treats a negative position as cell 0, whose focus mark then goes away.
    std::vector<int> redrawCells;
};

struct KeyResult {
    bool consumed = false; // false: the key goes on to the standard key handling
    SelectionChange selection;
};

class IconGridModel {
public:
    // Draws one icon with its mask at x, y scaled to width x height.
    using IconPainter = std::function<void(Bitmap&, const IconHandle&, int x, int y, int width, int height)>;

    IconGridModel();

    // Sizes and layout.
    int ItemWidth() const { return itemWidth_; }
    int ItemHeight() const { return itemHeight_; }
    int Offset() const { return offset_; }
    IconSizing Sizing() const { return iconSizing_; }
    int ColWidth() const { return colWidth_; }
    int RowHeight() const { return rowHeight_; }
    int ColCount() const { return colCount_; }
    int RowCount() const { return rowCount_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const { return count_; }
    int ItemIndex() const { return itemIndex_; }

    // Each setter does nothing and returns false when the value is unchanged; otherwise
    // it recomputes the pitch and the layout and returns true (the widget invalidates).
    bool SetItemWidth(int value);
    bool SetItemHeight(int value);
    bool SetOffset(int value);
    // Also takes the item size of the sizing. The widget reloads afterwards when its file
    // exists.
    bool SetIconSizing(IconSizing value);

    // The grid's own width (the scroll box was resized): store it and lay out again.
    void SetWidth(int value);
    void UpdateLayout();

    // A new icon list of count icons was loaded: item size from the sizing, pitch
    // recomputed, nothing selected (no select event). Lays out at the current Width.
    void LoadIcons(int count);
    // Lays the grid out for the hosting scroll box (see FitGridWidth).
    void FitToScrollBox(const ScrollBoxMetrics& box);
    // Both of the above: the whole reload of the grid.
    void Refresh(int count, const ScrollBoxMetrics& box);

    // The scroll box's viewport. The scroll increment starts at the row height at creation
    // and does not follow later changes of the icon size.
    int ScrollPosition() const { return scrollPosition_; }
    int ClientHeight() const { return clientHeight_; }
    int ScrollIncrement() const { return scrollIncrement_; }
    void SetViewport(int scrollPosition, int clientHeight);
    void SetScrollIncrement(int value);
    // The largest scroll position: the grid's bottom at the client area's bottom.
    int MaxScrollPosition() const;

    // Where position i is drawn (w x h) and the cell around it (4 pixels more each side).
    GridRect IconRect(int i) const;
    GridRect CellRect(int i) const;
    // The position under (x, y); may lie past the last icon.
    int HitTest(int x, int y) const;

    // Selects position a (clamped to -1 .. Count - 1) and scrolls it into view.
    SelectionChange SetItemIndex(int a);
    // A navigation key; see the key table in the implementation.
    KeyResult MoveSelection(GridKey key);
    // A mouse-down at (x, y): a click below the last row or past the last icon selects the
    // last icon.
    SelectionChange SelectAt(int x, int y);

    // Draws icons[k] at IconRect(k) at ItemWidth x ItemHeight, row by row, stopping after
    // the last icon; no background, no selection. A null handle keeps its place but draws
    // nothing. Without a painter the platform's DrawIconScaled draws.
    void DrawAll(Bitmap& canvas, const std::vector<IconHandle>& icons, const IconPainter& paint = {}) const;

private:
    void RecomputePitch();
    void ApplyItemSize();
    int ClampScroll(long long position) const;

    int itemWidth_;
    int itemHeight_;
    int offset_ = 6;
    int colWidth_ = 0;
    int rowHeight_ = 0;
    int colCount_ = 1;
    int rowCount_ = 1;
    int width_ = 0;
    int height_ = 0;
    int count_ = 0;
    int itemIndex_ = -1;
    IconSizing iconSizing_ = IconSizing::Large;
    int scrollPosition_ = 0;
    int clientHeight_ = 0;
    int scrollIncrement_ = 0;
};

} // namespace glyphora
