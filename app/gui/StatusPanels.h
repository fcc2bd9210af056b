// The four panels of the main window's status bar: the hint or path panel, the icon
// position, the image count and the colour depth. The three report panels are sized from
// the font so that their widest texts fit in any font, style or scale; the first panel
// takes what is left and shows long texts elided in the middle, so a path keeps its start
// and its file name.
#pragma once

#include <QString>

#include <array>
#include <string>
#include <vector>

class QLabel;
class QStatusBar;

namespace glyphora {

// The panels, left to right.
enum class StatusPanel {
    Hint,       // a control's hint, a recent file's path, the scan's progress note
    Position,   // the selected icon's number and the icon count ("3 / 6")
    Images,     // how many images the selected icon's group holds
    ColorDepth, // the selected icon's colour depth
};

inline constexpr int kStatusPanelCount = 4;

// Widths of the four panels for a window width. minimums holds the widths the texts of the
// report panels need (index 0 is ignored). The report panels follow the window width as a
// half, a tenth and a sixth and so on, never narrower than their texts; the first panel
// gets half of the window, or less when the others need the room, and never less than 0.
std::array<int, 4> StatusPanelWidths(int windowWidth, const std::array<int, 4>& minimums);

class StatusPanels {
public:
    explicit StatusPanels(QStatusBar* bar);

    // Sets a panel's full text; the hint panel shows it elided when it does not fit.
    void setText(StatusPanel panel, const std::string& text);
    // The panel's full text, as set.
    const QString& text(StatusPanel panel) const { return texts_.at(Index(panel)); }
    QLabel* label(StatusPanel panel) const { return labels_.at(Index(panel)); }
    // Lays the panels out for a window width, from the current font.
    void fitToWidth(int windowWidth);

private:
    static std::size_t Index(StatusPanel panel) { return static_cast<std::size_t>(panel); }
    void showText(std::size_t panel);

    std::vector<QLabel*> labels_;
    std::array<QString, kStatusPanelCount> texts_;
};

} // namespace glyphora
