// GIF through giflib. giflib reports errors by return codes, so no jumps are involved; the
// output callback catches its own exceptions so that none crosses giflib's C frames.
#include "export/GifEncoder.h"

#include "export/EncoderInput.h"
#include "platform/GlyphoraError.h"

#include <algorithm>
#include <array>
#include <memory>
#include <string>

#include <gif_lib.h>

namespace glyphora {

namespace {

constexpr int kMaxGifSide = 65535;
constexpr std::size_t kMaxPaletteSize = 256;

// An indexed picture: one palette index per pixel and the palette it indexes.
struct IndexedPicture {
    std::vector<GifPixelType> indices;
    std::vector<GifColorType> palette;
};

std::uint32_t Rgb(std::uint32_t pixel)
{
    return pixel & 0x00FFFFFFu;
}

// The exact palette of a picture with few colours, or nothing when it has more than 256.
std::vector<std::uint32_t> DistinctColours(const Bitmap& bitmap)
{
    std::vector<std::uint32_t> colours;
    colours.reserve(bitmap.pixels.size());
    for (std::uint32_t p : bitmap.pixels)
        colours.push_back(Rgb(p));
    std::sort(colours.begin(), colours.end());
    colours.erase(std::unique(colours.begin(), colours.end()), colours.end());
    if (colours.size() > kMaxPaletteSize) colours.clear();
    return colours;
}

IndexedPicture IndexExactly(const Bitmap& bitmap, const std::vector<std::uint32_t>& colours)
{
    IndexedPicture picture;
    for (std::uint32_t c : colours)
        picture.palette.push_back(GifColorType{RedOf(c), GreenOf(c), BlueOf(c)});
    picture.indices.reserve(bitmap.pixels.size());
    for (std::uint32_t p : bitmap.pixels) {
        const auto found = std::lower_bound(colours.begin(), colours.end(), Rgb(p));
        picture.indices.push_back(static_cast<GifPixelType>(found - colours.begin()));
    }
    return picture;
}

IndexedPicture Quantise(const Bitmap& bitmap)
{
    const std::size_t count = bitmap.pixels.size();
    std::vector<GifByteType> red(count), green(count), blue(count);
    for (std::size_t i = 0; i < count; ++i) {
        red[i] = RedOf(bitmap.pixels[i]);
        green[i] = GreenOf(bitmap.pixels[i]);
        blue[i] = BlueOf(bitmap.pixels[i]);
    }
    IndexedPicture picture;
    picture.indices.resize(count);
    std::array<GifColorType, kMaxPaletteSize> map{};
    int mapSize = static_cast<int>(kMaxPaletteSize);
    if (GifQuantizeBuffer(static_cast<unsigned>(bitmap.width), static_cast<unsigned>(bitmap.height), &mapSize,
                          red.data(), green.data(), blue.data(), picture.indices.data(), map.data()) == GIF_ERROR)
        throw GlyphoraError("Cannot write the GIF picture: not enough memory to reduce its colours.");
    // Unused entries of the map are cleared by the quantiser; keeping all 256 is always valid.
    picture.palette.assign(map.begin(), map.end());
    return picture;
}

void PadToPowerOfTwo(std::vector<GifColorType>& palette)
{
    std::size_t size = 2;
    while (size < palette.size())
        size *= 2;
    palette.resize(size, GifColorType{0, 0, 0});
}

struct GifSink {
    std::vector<std::uint8_t> bytes;
    bool failed = false;
};

extern "C" int GifAppend(GifFileType* gif, const GifByteType* data, int length)
{
    auto* sink = static_cast<GifSink*>(gif->UserData);
    try {
        sink->bytes.insert(sink->bytes.end(), data, data + length);
        return length;
    } catch (...) {
        sink->failed = true;
        return 0;
    }
}

struct GifCloser {
    void operator()(GifFileType* gif) const { EGifCloseFile(gif, nullptr); }
};

struct MapFreer {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

[[noreturn]] void ThrowGifError(int code)
{
    const char* text = GifErrorString(code);
    throw GlyphoraError(std::string("Cannot write the GIF picture: ") + (text != nullptr ? text : "unknown error"));
}

} // namespace

std::vector<std::uint8_t> EncodeGif(const Bitmap& bitmap)
{
    RequireEncodable(bitmap, "GIF", kMaxGifSide);
    const std::vector<std::uint32_t> colours = DistinctColours(bitmap);
    IndexedPicture picture = colours.empty() ? Quantise(bitmap) : IndexExactly(bitmap, colours);
    PadToPowerOfTwo(picture.palette);

    const std::unique_ptr<ColorMapObject, MapFreer> map(
        GifMakeMapObject(static_cast<int>(picture.palette.size()), picture.palette.data()));
    if (!map) throw GlyphoraError("Cannot write the GIF picture: not enough memory for its palette.");

    GifSink sink;
    int error = 0;
    std::unique_ptr<GifFileType, GifCloser> gif(EGifOpen(&sink, GifAppend, &error));
    if (!gif) ThrowGifError(error);
    if (EGifPutScreenDesc(gif.get(), bitmap.width, bitmap.height, 8, 0, map.get()) == GIF_ERROR ||
        EGifPutImageDesc(gif.get(), 0, 0, bitmap.width, bitmap.height, false, nullptr) == GIF_ERROR)
        ThrowGifError(gif->Error);
    for (int y = 0; y < bitmap.height; ++y) {
        GifPixelType* row = picture.indices.data() + static_cast<std::size_t>(y) * bitmap.width;
        if (EGifPutLine(gif.get(), row, bitmap.width) == GIF_ERROR) ThrowGifError(gif->Error);
    }
    // EGifCloseFile writes the trailer and frees the handle whatever it returns.
    if (EGifCloseFile(gif.release(), &error) == GIF_ERROR) ThrowGifError(error);
    if (sink.failed) throw GlyphoraError("Cannot write the GIF picture: not enough memory to store it.");
    return std::move(sink.bytes);
}

} // namespace glyphora
