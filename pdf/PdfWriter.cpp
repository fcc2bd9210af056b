// TqzPdfWriter: buffered byte output of the PDF writer. A failing output stream raises a
// GlyphoraError; what was written before stays.
#include "pdf/PdfWriter.h"

#include "platform/GlyphoraError.h"

#include <cstring>

namespace glyphora {

namespace {

constexpr std::string_view kLineTerminator = "\r\n";

} // namespace

TqzPdfWriter::TqzPdfWriter(std::ostream& destStream) : FDestStream(destStream)
{
    const auto pos = FDestStream.tellp();
    if (pos != std::ostream::pos_type(-1)) {
        FDestStreamPosition = static_cast<std::uint64_t>(static_cast<std::streamoff>(pos));
    }
}

void TqzPdfWriter::PutDirect(const char* data, std::size_t len)
{
    if (len == 0) {
        return;
    }
    FDestStream.write(data, static_cast<std::streamsize>(len));
    if (!FDestStream) {
        throw GlyphoraError("The PDF document could not be written: the output failed "
                            "(is the disk full or the file no longer writable?).");
    }
    FDestStreamPosition += len;
}

void TqzPdfWriter::WriteLine(std::string_view text)
{
    Save();
    PutDirect(text.data(), text.size());
    PutDirect(kLineTerminator.data(), kLineTerminator.size());
}

void TqzPdfWriter::Write(const void* data, std::size_t len)
{
    const auto* bytes = static_cast<const char*>(data);
    if (len > kBufferSize - FBufferUsed) {
        Save();
        PutDirect(bytes, len);
        return;
    }
    std::memcpy(MemoryBuffer.data() + FBufferUsed, bytes, len);
    FBufferUsed += len;
}

void TqzPdfWriter::WriteRGB(std::span<const std::uint8_t> p, std::size_t pInc, std::size_t count)
{
    if (count == 0) {
        return;
    }
    // The last pixel must lie inside p: (count - 1) * pInc + 3 <= size, checked by division.
    if (pInc < 3 || p.size() < 3 || (count - 1) > (p.size() - 3) / pInc) {
        throw GlyphoraError("Internal error: pixel data passed to the PDF writer is shorter "
                            "than its pixel count.");
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (kBufferSize - FBufferUsed <= 5) {
            Save();
        }
        const std::uint8_t* px = p.data() + i * pInc;
        MemoryBuffer[FBufferUsed++] = static_cast<char>(px[2]);
        MemoryBuffer[FBufferUsed++] = static_cast<char>(px[1]);
        MemoryBuffer[FBufferUsed++] = static_cast<char>(px[0]);
    }
}

void TqzPdfWriter::Save()
{
    const std::size_t used = FBufferUsed;
    FBufferUsed = 0;
    PutDirect(MemoryBuffer.data(), used);
}

} // namespace glyphora
