// The icon grid's width in the main window's default layout, for front ends that lay the
// icons out without a window (the console front end's "all icons as one image").
//
// The main window's client area is 510 x 407 pixels and the icon pane's scroll box fills
// its width. The scroll box draws a 2-pixel sunken frame on each side, so the grid's client
// width is 510 - 2 * 2 = 506 pixels: 12 columns of 42 pixels for large icons, 19 columns of
// 26 pixels for small ones. A window has no vertical scroll bar in this width; the console
// front end keeps the column count of the window as it opens and does not take a scroll bar
// off, so the picture's columns do not depend on how many icons the file holds.
#pragma once

namespace glyphora {

constexpr int kMainWindowClientWidth = 510;
constexpr int kMainWindowClientHeight = 407;
constexpr int kScrollBoxFrame = 2; // per side
constexpr int kDefaultGridWidth = kMainWindowClientWidth - 2 * kScrollBoxFrame;

// The scroll increment the main window gives its scroll box: one row of large icons.
constexpr int kDefaultScrollIncrement = 42;

} // namespace glyphora
