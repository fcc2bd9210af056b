// glyphora-iconart: draws the sample module's icons and writes them as .ico files into the
// folder given on the command line. The table below is the whole promise of the sample art;
// samples/README.md and the sample tests describe the same groups.
#include "ImageEncoding.h"
#include "Motifs.h"

#include "platform/GlyphoraError.h"

#include <filesystem>
#include <fstream>
#include <iostream>

namespace {

using namespace glyphora::iconart;

struct ImageSpec {
    int size;
    Encoding encoding;
};

struct IconSpec {
    const char* fileName;
    void (*draw)(Canvas&);
    std::vector<ImageSpec> images; // in directory order
};

std::vector<ImageSpec> classicSet()
{
    std::vector<ImageSpec> images;
    for (Encoding encoding : {Encoding::Dib4, Encoding::Dib8, Encoding::Dib32})
        for (int size : {16, 32, 48})
            images.push_back({size, encoding});
    return images;
}

std::vector<IconSpec> sampleIcons()
{
    std::vector<ImageSpec> mainImages = classicSet();
    mainImages.push_back({256, Encoding::Png});
    return {
        {"mainicon.ico", drawGlyphMark, std::move(mainImages)},
        {"folder.ico", drawFolder, classicSet()},
        {"star.ico",
         drawStar,
         {{48, Encoding::Dib32}, {32, Encoding::Dib32}, {16, Encoding::Dib32}, {32, Encoding::Dib4}}},
        // A single 4-bit 32 x 32 image: 40 + 64 + 512 + 128 = 744 bytes, a 766-byte file.
        {"document.ico", drawDocument, {{32, Encoding::Dib4}}},
        {"gear.ico",
         drawGear,
         {{16, Encoding::Dib8}, {32, Encoding::Dib8}, {48, Encoding::Dib8}, {32, Encoding::Dib32}}},
        {"magnifier.ico",
         drawMagnifier,
         {{16, Encoding::Dib4}, {32, Encoding::Dib4}, {16, Encoding::Dib32}, {32, Encoding::Dib32}}},
    };
}

void writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw glyphora::GlyphoraError("cannot write " + path.string() + ": check that the folder is writable");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: glyphora-iconart <output folder>\n";
        return 2;
    }
    try {
        const std::filesystem::path folder = argv[1];
        std::filesystem::create_directories(folder);
        for (const IconSpec& icon : sampleIcons()) {
            std::vector<EncodedImage> images;
            for (const ImageSpec& spec : icon.images) {
                Canvas canvas(spec.size);
                icon.draw(canvas);
                images.push_back(encodeImage(canvas.toRgba(), spec.encoding));
            }
            writeFile(folder / icon.fileName, buildIcoFile(images));
        }
    } catch (const std::exception& e) {
        std::cerr << "glyphora-iconart: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
