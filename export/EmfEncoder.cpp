// Enhanced metafile records written by hand in Windows byte order. StretchDIBits carries the
// picture because every metafile reader supports it and it holds a plain DIB.
#include "export/EmfEncoder.h"

#include "export/DibWriter.h"
#include "export/EncoderInput.h"
#include "platform/GlyphoraError.h"

#include <limits>

namespace glyphora {

namespace {

constexpr std::uint32_t kEmrHeader = 1;
constexpr std::uint32_t kEmrEof = 14;
constexpr std::uint32_t kEmrStretchDiBits = 81;
constexpr std::uint32_t kEmfSignature = 0x464D4520; // " EMF"
constexpr std::uint32_t kEmfVersion = 0x00010000;
constexpr std::uint32_t kSrcCopy = 0x00CC0020;
constexpr std::uint32_t kDibRgbColors = 0;

// Header with both extensions (pixel format fields and the micrometre size).
constexpr std::uint32_t kHeaderSize = 108;
constexpr std::uint32_t kStretchDiBitsFixedSize = 80;
constexpr std::uint32_t kEofSize = 20;
constexpr std::uint32_t kRecordCount = 3;
constexpr std::uint16_t kHandleCount = 1; // only the reserved handle 0

// The reference screen: 1920 by 1440 pixels at 96 DPI, which is exactly 508 by 381 mm.
constexpr std::int32_t kDeviceWidthPx = 1920;
constexpr std::int32_t kDeviceHeightPx = 1440;
constexpr std::int32_t kDeviceWidthMm = 508;
constexpr std::int32_t kDeviceHeightMm = 381;

// A length of pixels at 96 DPI in hundredths of a millimetre, rounded.
std::int32_t HundredthsOfMm(std::int32_t pixels)
{
    return static_cast<std::int32_t>((static_cast<std::int64_t>(pixels) * 2540 + 48) / 96);
}

// Inclusive-inclusive rectangle from the origin.
void AppendRectFromOrigin(std::vector<std::uint8_t>& out, std::int32_t width, std::int32_t height)
{
    AppendI32(out, 0);
    AppendI32(out, 0);
    AppendI32(out, width - 1);
    AppendI32(out, height - 1);
}

} // namespace

std::vector<std::uint8_t> EncodeEmf(const Bitmap& bitmap)
{
    // The frame in hundredths of a millimetre must still fit a 32-bit field.
    RequireEncodable(bitmap, "metafile", std::numeric_limits<std::int32_t>::max() / 2540);
    const std::uint32_t pixelBytes = DibPixelBytes(bitmap, 24); // a multiple of 4
    const std::uint32_t drawSize = kStretchDiBitsFixedSize + kBitmapInfoHeaderSize + pixelBytes;
    if (drawSize > std::numeric_limits<std::uint32_t>::max() - kHeaderSize - kEofSize)
        throw GlyphoraError("Cannot write the picture as a metafile: it is too large for the format.");
    const std::uint32_t totalSize = kHeaderSize + drawSize + kEofSize;

    std::vector<std::uint8_t> out;
    out.reserve(totalSize);

    // EMR_HEADER
    AppendU32(out, kEmrHeader);
    AppendU32(out, kHeaderSize);
    AppendRectFromOrigin(out, bitmap.width, bitmap.height);                                 // bounds, device units
    AppendRectFromOrigin(out, HundredthsOfMm(bitmap.width), HundredthsOfMm(bitmap.height)); // frame
    AppendU32(out, kEmfSignature);
    AppendU32(out, kEmfVersion);
    AppendU32(out, totalSize);
    AppendU32(out, kRecordCount);
    AppendU16(out, kHandleCount);
    AppendU16(out, 0); // reserved
    AppendU32(out, 0); // description length (none)
    AppendU32(out, 0); // description offset
    AppendU32(out, 0); // palette entries
    AppendI32(out, kDeviceWidthPx);
    AppendI32(out, kDeviceHeightPx);
    AppendI32(out, kDeviceWidthMm);
    AppendI32(out, kDeviceHeightMm);
    AppendU32(out, 0); // pixel format size (none)
    AppendU32(out, 0); // pixel format offset
    AppendU32(out, 0); // not OpenGL
    AppendI32(out, kDeviceWidthMm * 1000);
    AppendI32(out, kDeviceHeightMm * 1000);

    // EMR_STRETCHDIBITS: the whole bitmap to (0, 0) at its own size.
    AppendU32(out, kEmrStretchDiBits);
    AppendU32(out, drawSize);
    AppendRectFromOrigin(out, bitmap.width, bitmap.height);
    AppendI32(out, 0);                                               // xDest
    AppendI32(out, 0);                                               // yDest
    AppendI32(out, 0);                                               // xSrc
    AppendI32(out, 0);                                               // ySrc
    AppendI32(out, bitmap.width);                                    // cxSrc
    AppendI32(out, bitmap.height);                                   // cySrc
    AppendU32(out, kStretchDiBitsFixedSize);                         // offBmiSrc
    AppendU32(out, kBitmapInfoHeaderSize);                           // cbBmiSrc
    AppendU32(out, kStretchDiBitsFixedSize + kBitmapInfoHeaderSize); // offBitsSrc
    AppendU32(out, pixelBytes);                                      // cbBitsSrc
    AppendU32(out, kDibRgbColors);
    AppendU32(out, kSrcCopy);
    AppendI32(out, bitmap.width);  // cxDest
    AppendI32(out, bitmap.height); // cyDest
    AppendBitmapInfoHeader(out, bitmap, 24);
    AppendDibPixels(out, bitmap, 24);

    // EMR_EOF: no palette; offPalEntries points where entries would start.
    AppendU32(out, kEmrEof);
    AppendU32(out, kEofSize);
    AppendU32(out, 0);  // nPalEntries
    AppendU32(out, 16); // offPalEntries
    AppendU32(out, kEofSize);
    return out;
}

} // namespace glyphora
