// PNG through libpng.
//
// libpng reports errors by longjmp to the point set with setjmp, which would skip C++
// destructors if that point sat in a function with non-trivial locals. So, as for JPEG, the
// codec calls live in WriteRgbPng, whose locals are all trivial; every piece of state lives in
// a PngJob owned by the caller. The write callback runs C++ code (growing a vector): it
// catches any exception itself and only after leaving the catch block reports the failure
// with png_error, so no exception crosses libpng's C frames.
#include "export/PngEncoder.h"

#include "export/EncoderInput.h"
#include "platform/GlyphoraError.h"

#include <cstring>
#include <memory>
#include <string>

#include <png.h>

namespace glyphora {

namespace {

constexpr std::size_t kMessageLength = 200;

struct PngJob {
    png_structp png = nullptr;
    png_infop info = nullptr;
    char message[kMessageLength];
    const std::uint8_t* rgb = nullptr; // packed rows, top-down
    int channels = 3;                  // 3: red, green, blue; 4: with alpha
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    std::vector<std::uint8_t>* output = nullptr;
};

extern "C" void PngErrorExit(png_structp png, png_const_charp message)
{
    auto* job = static_cast<PngJob*>(png_get_error_ptr(png));
    std::strncpy(job->message, message != nullptr ? message : "unknown error", kMessageLength - 1);
    job->message[kMessageLength - 1] = '\0';
    png_longjmp(png, 1);
}

extern "C" void PngIgnoreWarning(png_structp, png_const_charp) {}

extern "C" void PngAppend(png_structp png, png_bytep data, png_size_t length)
{
    auto* job = static_cast<PngJob*>(png_get_io_ptr(png));
    bool stored = true;
    try {
        job->output->insert(job->output->end(), data, data + length);
    } catch (...) {
        stored = false;
    }
    if (!stored) png_error(png, "out of memory while storing the picture");
}

extern "C" void PngFlush(png_structp) {}

// Only trivial locals here: see the comment at the top of the file.
bool WriteRgbPng(PngJob* job)
{
    job->png = png_create_write_struct(PNG_LIBPNG_VER_STRING, job, PngErrorExit, PngIgnoreWarning);
    if (job->png == nullptr) {
        std::strcpy(job->message, "cannot start the PNG codec");
        return false;
    }
    if (setjmp(png_jmpbuf(job->png)) != 0) {
        png_destroy_write_struct(&job->png, &job->info);
        return false;
    }
    job->info = png_create_info_struct(job->png);
    if (job->info == nullptr) png_error(job->png, "cannot start the PNG codec");
    png_set_write_fn(job->png, job, PngAppend, PngFlush);
    png_set_IHDR(job->png, job->info, job->width, job->height, 8,
                 job->channels == 4 ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(job->png, job->info);
    const std::size_t stride = static_cast<std::size_t>(job->width) * static_cast<std::size_t>(job->channels);
    for (png_uint_32 y = 0; y < job->height; ++y)
        png_write_row(job->png, job->rgb + static_cast<std::size_t>(y) * stride);
    png_write_end(job->png, job->info);
    png_destroy_write_struct(&job->png, &job->info);
    return true;
}

} // namespace

namespace {

// rows: packed top-down rows of channels bytes a pixel.
std::vector<std::uint8_t> EncodeRows(const Bitmap& bitmap, const std::vector<std::uint8_t>& rows, int channels)
{
    std::vector<std::uint8_t> output;
    auto job = std::make_unique<PngJob>();
    job->message[0] = '\0';
    job->rgb = rows.data();
    job->channels = channels;
    job->width = static_cast<png_uint_32>(bitmap.width);
    job->height = static_cast<png_uint_32>(bitmap.height);
    job->output = &output;
    if (!WriteRgbPng(job.get())) throw GlyphoraError(std::string("Cannot write the PNG picture: ") + job->message);
    return output;
}

// PNG allows 2^31 - 1 per side; libpng's default user limit is 1,000,000.
constexpr int kMaxPngSide = 1000000;

} // namespace

std::vector<std::uint8_t> EncodePng(const Bitmap& bitmap)
{
    RequireEncodable(bitmap, "PNG", kMaxPngSide);
    return EncodeRows(bitmap, PackRgb(bitmap), 3);
}

std::vector<std::uint8_t> EncodePngWithAlpha(const Bitmap& bitmap)
{
    RequireEncodable(bitmap, "PNG", kMaxPngSide);
    std::vector<std::uint8_t> rgba;
    rgba.reserve(bitmap.pixels.size() * 4);
    for (const std::uint32_t p : bitmap.pixels)
        rgba.insert(rgba.end(), {RedOf(p), GreenOf(p), BlueOf(p), AlphaOf(p)});
    return EncodeRows(bitmap, rgba, 4);
}

} // namespace glyphora
