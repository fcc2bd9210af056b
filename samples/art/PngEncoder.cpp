// Writes an RGBA image as a PNG stream in memory through libpng.
#include "ImageEncoding.h"

#include "platform/GlyphoraError.h"

#include <png.h>

#include <csetjmp>

namespace glyphora::iconart {

namespace {

void appendToVector(png_structp png, png_bytep data, png_size_t length)
{
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void flushNothing(png_structp) {}

// libpng reports errors by longjmp, so this function holds no object with a destructor:
// everything it touches is owned by the caller.
bool writeRows(png_structp png, png_infop info, int size, png_bytep* rows)
{
    if (setjmp(png_jmpbuf(png))) return false;
    const auto dimension = static_cast<png_uint_32>(size);
    png_set_IHDR(png, info, dimension, dimension, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    return true;
}

struct WriteStruct {
    png_structp png = nullptr;
    png_infop info = nullptr;
    WriteStruct() : png(png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr))
    {
        if (png) info = png_create_info_struct(png);
    }
    ~WriteStruct() { png_destroy_write_struct(&png, &info); }
    WriteStruct(const WriteStruct&) = delete;
    WriteStruct& operator=(const WriteStruct&) = delete;
};

} // namespace

std::vector<std::uint8_t> encodePng(const RgbaImage& image)
{
    std::vector<std::uint8_t> out;
    std::vector<std::uint8_t> pixels = image.rgba; // libpng wants writable row pointers
    std::vector<png_bytep> rows(static_cast<std::size_t>(image.size));
    for (std::size_t y = 0; y < rows.size(); ++y)
        rows[y] = pixels.data() + y * rows.size() * 4;

    WriteStruct writer;
    if (!writer.png || !writer.info) throw GlyphoraError("libpng could not start a PNG stream (out of memory?)");
    png_set_write_fn(writer.png, &out, appendToVector, flushNothing);
    if (!writeRows(writer.png, writer.info, image.size, rows.data()))
        throw GlyphoraError("libpng failed to encode the " + std::to_string(image.size) + " pixel sample image");
    return out;
}

} // namespace glyphora::iconart
