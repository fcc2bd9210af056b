// Pictures read back by Pillow (the system's Python), the independent reader of the desktop
// pictures' tests: a PNG as RGBA pixels, and every image of an .ico file as Pillow decodes it
// (a 32-bit image with its alpha, any other with its AND mask as alpha).
#pragma once

#include "tests/support/RunTool.h"

#include <cstdint>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace glyphora::testing {

struct RgbaPicture {
    int width = 0;
    int height = 0;
    int bitCount = 0;  // .ico images: the entry's colour depth; PNG files: 0
    std::string mode;  // Pillow's mode before the conversion to RGBA
    std::string rgba;  // hex, 8 digits a pixel, rows top-down
    std::string error; // Pillow's complaint, when it could not read the file

    // The alpha of pixel (x, y).
    int alphaAt(int x, int y) const
    {
        const std::size_t at = (static_cast<std::size_t>(y) * width + x) * 8 + 6;
        return std::stoi(rgba.substr(at, 2), nullptr, 16);
    }
};

namespace detail {

inline std::vector<RgbaPicture> RunPillow(const char* script, const std::filesystem::path& path)
{
    const ToolResult run =
        RunTool(std::string(kSystemPython) + " -c " + ShellQuote(script) + " " + ShellQuote(path.string()));
    std::vector<RgbaPicture> pictures;
    std::istringstream lines(run.output);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        RgbaPicture picture;
        if (!(fields >> picture.width >> picture.height >> picture.bitCount >> picture.mode >> picture.rgba)) {
            pictures.push_back(RgbaPicture{0, 0, 0, "", "", run.output});
            break;
        }
        pictures.push_back(picture);
    }
    if (run.status != 0 || pictures.empty()) pictures.assign(1, RgbaPicture{0, 0, 0, "", "", run.output});
    return pictures;
}

} // namespace detail

inline RgbaPicture ReadPngWithPillow(const std::filesystem::path& png)
{
    static const char* const script = R"(import sys
from PIL import Image
with Image.open(sys.argv[1]) as im:
    assert im.format == 'PNG', im.format
    print(im.size[0], im.size[1], 0, im.mode, im.convert('RGBA').tobytes().hex())
)";
    return detail::RunPillow(script, png).front();
}

// Every image of an icon file, in directory order.
inline std::vector<RgbaPicture> ReadIcoImagesWithPillow(const std::filesystem::path& ico)
{
    static const char* const script = R"(import sys
from PIL import Image
with Image.open(sys.argv[1]) as im:
    for i, entry in enumerate(im.ico.entry):
        frame = im.ico.frame(i)
        print(frame.size[0], frame.size[1], entry['bpp'], frame.mode, frame.convert('RGBA').tobytes().hex())
)";
    return detail::RunPillow(script, ico);
}

} // namespace glyphora::testing
