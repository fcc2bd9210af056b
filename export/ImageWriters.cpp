// Chooses the encoder for an OutputKind and delivers its bytes to a file or a stream.
#include "export/ImageWriters.h"

#include "export/BmpEncoder.h"
#include "export/EmfEncoder.h"
#include "export/GifEncoder.h"
#include "export/JpegEncoder.h"
#include "export/OutputKind.h"
#include "export/PngEncoder.h"
#include "platform/Files.h"
#include "platform/GlyphoraError.h"

namespace glyphora {

std::vector<std::uint8_t> EncodeBitmap(const Bitmap& bitmap, OutputKind outputKind)
{
    switch (outputKind) {
    case OutputKind::Jpeg: return EncodeJpeg(bitmap);
    case OutputKind::Emf: return EncodeEmf(bitmap);
    case OutputKind::Gif: return EncodeGif(bitmap);
    case OutputKind::Png: return EncodePng(bitmap);
    case OutputKind::Icon:
    case OutputKind::Bmp:
    case OutputKind::Html:
    case OutputKind::Dbase:
    case OutputKind::Pdf:
    case OutputKind::Xlsx: break;
    }
    return EncodeBmp(bitmap);
}

void SaveBitmapAs(const Bitmap& bitmap, const std::filesystem::path& fileName, OutputKind outputKind,
                  FreeSpaceLimit* space)
{
    WriteWholeFile(fileName, EncodeBitmap(bitmap, outputKind), space);
}

void SaveBitmapToStream(const Bitmap& bitmap, std::ostream& stream, OutputKind outputKind)
{
    const std::vector<std::uint8_t> bytes = EncodeBitmap(bitmap, outputKind);
    stream.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!stream) throw GlyphoraError("Cannot write the picture: the output stream refused the data.");
}

} // namespace glyphora
