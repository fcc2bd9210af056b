// Image objects of the PDF writer: bitmaps as 8-bit RGB (with an optional colour-key mask),
// palette pictures as indexed images with a 256-entry palette, JPEG bytes passed through with
// the DCT filter. Rows are written top row first.
#include "pdf/PdfDocument.h"

#include "pdf/PdfFormat.h"
#include "platform/GlyphoraError.h"

namespace glyphora {

namespace {

constexpr const char* kInvalidImage = "ExpErr-00004: Invalid image.";

// width * height as a 64-bit count, or -1 for a size that is not positive.
long long PixelCount(int width, int height)
{
    if (width <= 0 || height <= 0) {
        return -1;
    }
    return static_cast<long long>(width) * static_cast<long long>(height);
}

// Everything wrong with a picture is found before a byte of it is written, so a refused
// picture leaves neither an object nor a used object number behind.
void Validate(const PdfImageSource& g)
{
    if (const auto* b = std::get_if<PdfBitmapImage>(&g)) {
        const long long n = PixelCount(b->bitmap.width, b->bitmap.height);
        if (n < 0 || static_cast<unsigned long long>(n) != b->bitmap.pixels.size()) {
            throw GlyphoraError(kInvalidImage);
        }
    } else if (const auto* x = std::get_if<PdfIndexedImage>(&g)) {
        const long long n = PixelCount(x->width, x->height);
        if (x->palette.size() != 256 || n < 0 || static_cast<unsigned long long>(n) != x->indices.size()) {
            throw GlyphoraError(kInvalidImage);
        }
    } else if (const auto* j = std::get_if<PdfJpegImage>(&g)) {
        // A JPEG file starts with the SOI marker FF D8.
        if (PixelCount(j->width, j->height) < 0 || j->bytes.size() < 2 || j->bytes[0] != 0xFF || j->bytes[1] != 0xD8) {
            throw GlyphoraError(kInvalidImage);
        }
    }
}

std::string HexByte(std::uint8_t v)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    return {kHex[v >> 4], kHex[v & 0x0F]};
}

// The pixel rows of a bitmap as RGB bytes, through the writer's buffer. Each row is first laid
// out blue, green, red (and the fourth byte for 32-bit bitmaps) so that WriteRGB turns it into
// red, green, blue with a step of 3 or 4 bytes.
std::string BitmapRgbData(const Bitmap& bmp)
{
    std::ostringstream data(std::ios::out | std::ios::binary);
    PdfWriter writer(data);
    const std::size_t step = bmp.bitsPerPixel == 32 ? 4 : 3;
    const auto width = static_cast<std::size_t>(bmp.width);
    std::vector<std::uint8_t> row(width * step);
    for (int y = 0; y < bmp.height; ++y) {
        for (std::size_t x = 0; x < width; ++x) {
            const std::uint32_t p = bmp.at(static_cast<int>(x), y);
            std::uint8_t* dst = row.data() + x * step;
            dst[0] = BlueOf(p);
            dst[1] = GreenOf(p);
            dst[2] = RedOf(p);
            if (step == 4) {
                dst[3] = AlphaOf(p);
            }
        }
        writer.WriteRGB(row, step, width);
    }
    writer.Save();
    return data.str();
}

} // namespace

void PdfDocument::AddXObject(int objCounter, int col, int row, const PdfImageSource& g)
{
    if (!headerWritten_) {
        throw GlyphoraError("Internal error: a PDF image was added before the document header.");
    }
    // The open page has already claimed the next two numbers for its content and resources.
    if (pageOpened_) {
        throw GlyphoraError("Internal error: a PDF image was added while a page is open; add the "
                            "images a page shows before opening it.");
    }
    Validate(g);

    PdfXObject x;
    x.objectNo = NextObjectNo();
    x.internalName = "Img" + PdfInt(objCounter);
    x.col = col;
    x.row = row;
    x.width = PdfImageWidth(g);
    x.height = PdfImageHeight(g);
    xObjects_.push_back(x);
    WriteImageObject(x, objCounter, g);
}

void PdfDocument::WriteImageObject(const PdfXObject& x, int objCounter, const PdfImageSource& g)
{
    std::string data;
    bool isJpeg = false;

    BeginObject(x.objectNo);
    DocWriteLine("<< /Type /XObject");
    DocWriteLine("/Subtype /Image");
    DocWriteLine("/Name /Img" + PdfInt(objCounter));

    if (const auto* j = std::get_if<PdfJpegImage>(&g)) {
        isJpeg = true;
        DocWriteLine("/ColorSpace /DeviceRGB");
        DocWriteLine("/Filter /DCTDecode");
        data.assign(j->bytes.begin(), j->bytes.end());
    } else if (const auto* ix = std::get_if<PdfIndexedImage>(&g)) {
        std::string palette = "/ColorSpace [/Indexed /DeviceRGB 255 <";
        for (std::uint32_t c : ix->palette) {
            palette += HexByte(RedOf(c)) + HexByte(GreenOf(c)) + HexByte(BlueOf(c)) + " ";
        }
        DocWriteLine(palette + ">]");
        data.assign(ix->indices.begin(), ix->indices.end());
    } else {
        const auto& b = std::get<PdfBitmapImage>(g);
        DocWriteLine("/ColorSpace /DeviceRGB");
        if (b.bitmap.bitsPerPixel == 24 && b.transparentColor) {
            const std::string r = PdfInt(RedOf(*b.transparentColor));
            const std::string gr = PdfInt(GreenOf(*b.transparentColor));
            const std::string bl = PdfInt(BlueOf(*b.transparentColor));
            DocWriteLine("/Mask [" + r + " " + r + " " + gr + " " + gr + " " + bl + " " + bl + "]");
        }
        data = BitmapRgbData(b.bitmap);
    }

    DocWriteLine("/Width " + PdfInt(x.width));
    DocWriteLine("/Height " + PdfInt(x.height));
    DocWriteLine("/BitsPerComponent 8");
    WriteStreamData(data, true, isJpeg, false);
    EndObject();
}

} // namespace glyphora
