// Windows bitmap file: BITMAPFILEHEADER, BITMAPINFOHEADER, bottom-up rows.
#include "export/BmpEncoder.h"

#include "export/DibWriter.h"
#include "export/EncoderInput.h"

#include <limits>

namespace glyphora {

namespace {
constexpr std::uint32_t kFileHeaderSize = 14;
}

std::vector<std::uint8_t> EncodeBmp(const Bitmap& bitmap)
{
    RequireEncodable(bitmap, "BMP", std::numeric_limits<int>::max());
    const int dibBits = bitmap.bitsPerPixel == 32 ? 32 : 24;
    const std::uint32_t pixelOffset = kFileHeaderSize + kBitmapInfoHeaderSize;
    const std::uint32_t fileSize = pixelOffset + DibPixelBytes(bitmap, dibBits);

    std::vector<std::uint8_t> out;
    out.reserve(fileSize);
    out.push_back('B');
    out.push_back('M');
    AppendU32(out, fileSize);
    AppendU32(out, 0); // two reserved words
    AppendU32(out, pixelOffset);
    AppendBitmapInfoHeader(out, bitmap, dibBits);
    AppendDibPixels(out, bitmap, dibBits);
    return out;
}

} // namespace glyphora
