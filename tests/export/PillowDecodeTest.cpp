// Every picture format read back by an independent decoder (Pillow, run through the system's
// Python): sizes, modes, baseline JPEG with three components, exact pixels for the lossless
// formats, near pixels for JPEG, and GIF palettes of at most 256 colours. The test fails, not
// skips, when Python or Pillow is missing, since then nothing checks the encoders' output.
#include "export/ImageWriters.h"

#include "export/OutputKind.h"
#include "tests/support/TempFolder.h"
#include "TestPictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace glyphora {
namespace {

const char* const kPython = "/usr/bin/python3";

const char* const kReadScript = R"(import os, sys
from PIL import Image
for path in sys.argv[1:]:
    with Image.open(path) as im:
        progressive = 1 if (im.info.get('progressive') or im.info.get('progression')) else 0
        layers = getattr(im, 'layers', 0)
        transparency = 1 if 'transparency' in im.info else 0
        rgb = im.convert('RGB')
        colours = rgb.getcolors(1 << 24)
        print(os.path.basename(path), im.format, im.size[0], im.size[1], im.mode, progressive, layers,
              transparency, len(colours), rgb.tobytes().hex())
)";

struct Decoded {
    std::string format;
    int width = 0;
    int height = 0;
    std::string mode;
    int progressive = -1;
    int layers = -1;
    int transparency = -1;
    int colours = -1;
    std::vector<std::uint8_t> rgb;

    std::uint32_t at(int x, int y) const
    {
        const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
        return MakePixel(rgb[i], rgb[i + 1], rgb[i + 2]);
    }
};

std::string ReadText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Runs the reader over the files and returns what it printed for each, by file name.
std::map<std::string, Decoded> DecodeWithPillow(const std::filesystem::path& folder,
                                                const std::vector<std::string>& names)
{
    std::map<std::string, Decoded> result;
    if (!std::filesystem::exists(kPython)) {
        ADD_FAILURE() << kPython << " is missing: install python3 and python3-pil to check the picture encoders.";
        return result;
    }
    const auto script = folder / "read.py";
    std::ofstream(script) << kReadScript;
    std::string command = std::string(kPython) + " \"" + script.string() + "\"";
    for (const auto& name : names)
        command += " \"" + (folder / name).string() + "\"";
    command += " > \"" + (folder / "out.txt").string() + "\" 2> \"" + (folder / "err.txt").string() + "\"";
    if (std::system(command.c_str()) != 0) {
        ADD_FAILURE() << "Pillow could not read the pictures (is python3-pil installed?):\n"
                      << ReadText(folder / "err.txt");
        return result;
    }
    std::istringstream lines(ReadText(folder / "out.txt"));
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string name, hex;
        Decoded d;
        fields >> name >> d.format >> d.width >> d.height >> d.mode >> d.progressive >> d.layers >> d.transparency >>
            d.colours >> hex;
        for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
            d.rgb.push_back(static_cast<std::uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
        result[name] = std::move(d);
    }
    return result;
}

void ExpectPixels(const Decoded& decoded, const Bitmap& expected, int tolerance, bool skipLoneBlock)
{
    ASSERT_EQ(decoded.width, expected.width);
    ASSERT_EQ(decoded.height, expected.height);
    ASSERT_EQ(decoded.rgb.size(), expected.pixels.size() * 3);
    for (int y = 0; y < expected.height; ++y) {
        for (int x = 0; x < expected.width; ++x) {
            // The lone black pixel of the block picture spreads through its JPEG block.
            if (skipLoneBlock && x >= 24 && y >= 8) continue;
            const std::uint32_t want = expected.at(x, y), got = decoded.at(x, y);
            ASSERT_NEAR(RedOf(got), RedOf(want), tolerance) << "pixel " << x << "," << y;
            ASSERT_NEAR(GreenOf(got), GreenOf(want), tolerance) << "pixel " << x << "," << y;
            ASSERT_NEAR(BlueOf(got), BlueOf(want), tolerance) << "pixel " << x << "," << y;
        }
    }
}

class PillowDecode : public ::testing::Test {
protected:
    // Writes each picture with SaveBitmapAs and decodes them all in one Python run.
    void WriteAndDecode(const std::vector<std::tuple<std::string, Bitmap, OutputKind>>& pictures)
    {
        std::vector<std::string> names;
        for (const auto& [name, bitmap, kind] : pictures) {
            SaveBitmapAs(bitmap, folder.path() / name, kind);
            names.push_back(name);
        }
        decoded = DecodeWithPillow(folder.path(), names);
    }

    const Decoded& Get(const std::string& name)
    {
        static const Decoded none;
        const auto found = decoded.find(name);
        if (found == decoded.end()) {
            ADD_FAILURE() << "no result for " << name;
            return none;
        }
        return found->second;
    }

    testing::TempFolder folder;
    std::map<std::string, Decoded> decoded;
};

TEST_F(PillowDecode, LosslessFormatsKeepEveryPixel)
{
    const Bitmap blocks = testing::BlockPicture();
    const Bitmap blocks32 = testing::BlockPicture(32);
    WriteAndDecode({{"blocks.bmp", blocks, OutputKind::Bmp},
                    {"blocks32.bmp", blocks32, OutputKind::Bmp},
                    {"blocks.png", blocks, OutputKind::Png},
                    {"blocks.gif", blocks, OutputKind::Gif},
                    {"gradient.png", testing::GradientPicture(), OutputKind::Png}});

    const struct {
        const char* name;
        const char* format;
        const Bitmap& bitmap;
    } cases[] = {
        {"blocks.bmp", "BMP", blocks},
        {"blocks32.bmp", "BMP", blocks32},
        {"blocks.png", "PNG", blocks},
        {"blocks.gif", "GIF", blocks},
        {"gradient.png", "PNG", testing::GradientPicture()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Decoded& d = Get(c.name);
        EXPECT_EQ(d.format, c.format);
        EXPECT_EQ(d.transparency, 0);
        ExpectPixels(d, c.bitmap, 0, false);
    }
    EXPECT_EQ(Get("blocks.bmp").mode, "RGB");
    EXPECT_EQ(Get("blocks.png").mode, "RGB");
    EXPECT_EQ(Get("blocks.gif").mode, "P");
    EXPECT_EQ(Get("blocks.gif").colours, 7);
    EXPECT_EQ(Get("gradient.png").colours, 4096);
}

TEST_F(PillowDecode, JpegIsBaselineWithThreeComponentsAndNearPixels)
{
    const Bitmap blocks = testing::BlockPicture();
    Bitmap grey = testing::BlockPicture();
    GrayScaleBitmap(grey);
    WriteAndDecode({{"blocks.jpg", blocks, OutputKind::Jpeg}, {"grey.jpg", grey, OutputKind::Jpeg}});

    for (const auto& [name, bitmap] :
         {std::pair<const char*, const Bitmap&>{"blocks.jpg", blocks}, {"grey.jpg", grey}}) {
        SCOPED_TRACE(name);
        const Decoded& d = Get(name);
        EXPECT_EQ(d.format, "JPEG");
        EXPECT_EQ(d.mode, "RGB");
        EXPECT_EQ(d.layers, 3);
        EXPECT_EQ(d.progressive, 0);
        ExpectPixels(d, bitmap, 8, true);
    }
}

TEST_F(PillowDecode, GifOfManyColoursIsReducedToAtMost256)
{
    const Bitmap gradient = testing::GradientPicture();
    WriteAndDecode({{"gradient.gif", gradient, OutputKind::Gif}});

    const Decoded& d = Get("gradient.gif");
    EXPECT_EQ(d.format, "GIF");
    EXPECT_EQ(d.mode, "P");
    EXPECT_EQ(d.transparency, 0);
    EXPECT_LE(d.colours, 256);
    // giflib's median cut works on 5-bit channels and 256 boxes, so a smooth 4096-colour
    // gradient moves by up to about 32 per channel; the picture must stay recognisable: many
    // colours kept, no pixel far from its own, small error on average.
    EXPECT_GE(d.colours, 64);
    ExpectPixels(d, gradient, 40, false);
    if (d.rgb.size() == gradient.pixels.size() * 3) {
        long total = 0;
        for (int y = 0; y < gradient.height; ++y) {
            for (int x = 0; x < gradient.width; ++x) {
                const std::uint32_t want = gradient.at(x, y), got = d.at(x, y);
                total += std::max({std::abs(RedOf(got) - RedOf(want)), std::abs(GreenOf(got) - GreenOf(want)),
                                   std::abs(BlueOf(got) - BlueOf(want))});
            }
        }
        EXPECT_LE(total / static_cast<long>(gradient.pixels.size()), 16);
    }
}

} // namespace
} // namespace glyphora
