// The built-in file-type provider: one generic document icon for every file.
#include "iconengine/FileTypeIcons.h"

#include <algorithm>

namespace glyphora {

namespace {

class BuiltInProvider final : public FileTypeIconProvider {
public:
    IconHandle IconForFile(const std::filesystem::path&, int size) const override
    {
        return BuiltInGenericFileIcon(size);
    }
};

} // namespace

const FileTypeIconProvider& BuiltInFileTypeIcons()
{
    static const BuiltInProvider builtIn;
    return builtIn;
}

// A sheet of paper with a folded top-right corner and a few grey text lines, scaled to the
// requested size; outside the sheet the icon is transparent.
IconHandle BuiltInGenericFileIcon(int size)
{
    size = std::clamp(size, 8, 256);
    IconHandle icon;
    icon.width = icon.height = size;
    icon.color = Bitmap(size, size, 32, kBlack);
    icon.mask = Bitmap(size, size, 1, kWhite);
    const int left = size * 3 / 16, right = size - 1 - size * 3 / 16;
    const int top = size / 16, bottom = size - 1 - size / 16;
    const int fold = std::max(2, size / 4);
    const std::uint32_t outline = MakePixel(0x60, 0x60, 0x60), paper = kWhite, line = MakePixel(0xA0, 0xA0, 0xA4),
                        corner = MakePixel(0xC0, 0xC0, 0xC0);
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            const int intoFold = x - (right - fold); // > 0 inside the fold's columns
            const bool cutAway = intoFold > 0 && (y - top) < intoFold;
            if (cutAway) continue;
            std::uint32_t c = paper;
            const bool edge =
                x == left || x == right || y == top || y == bottom || (intoFold > 0 && (y - top) == intoFold);
            if (edge)
                c = outline;
            else if (intoFold >= 0 && (y - top) <= fold && (y - top) > intoFold)
                c = corner;
            else if (x > left + size / 8 && x < right - size / 8 && y > top + fold + 1 &&
                     (y - top) % std::max(3, size / 8) == 0)
                c = line;
            icon.color->at(x, y) = c;
            icon.mask.at(x, y) = kBlack;
        }
    }
    return icon;
}

} // namespace glyphora
