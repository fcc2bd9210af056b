// PdfWriter: buffered byte output of the PDF writer. A failing output stream raises a
// GlyphoraError; what was written before stays.
#include "pdf/PdfWriter.h"

#include "platform/GlyphoraError.h"

#include <cstring>

namespace glyphora {

namespace {

constexpr std::string_view kLineTerminator = "\r\n";

} // namespace

PdfWriter::PdfWriter(std::ostream& destStream) : destStream_(destStream)
{
    const auto pos = destStream_.tellp();
    if (pos != std::ostream::pos_type(-1)) {
        destStreamPosition_ = static_cast<std::uint64_t>(static_cast<std::streamoff>(pos));
    }
}

void PdfWriter::PutDirect(const char* data, std::size_t len)
{
    if (len == 0) {
        return;
    }
    destStream_.write(data, static_cast<std::streamsize>(len));
    if (!destStream_) {
        throw GlyphoraError("The PDF document could not be written: the output failed "
                            "(is the disk full or the file no longer writable?).");
    }
    destStreamPosition_ += len;
}

void PdfWriter::WriteLine(std::string_view text)
{
    Save();
    PutDirect(text.data(), text.size());
    PutDirect(kLineTerminator.data(), kLineTerminator.size());
}

void PdfWriter::Write(const void* data, std::size_t len)
{
    const auto* bytes = static_cast<const char*>(data);
    if (len > kBufferSize - bufferUsed_) {
        Save();
        PutDirect(bytes, len);
        return;
    }
    std::memcpy(buffer_.data() + bufferUsed_, bytes, len);
    bufferUsed_ += len;
}

void PdfWriter::WriteRGB(std::span<const std::uint8_t> p, std::size_t pInc, std::size_t count)
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
        if (kBufferSize - bufferUsed_ <= 5) {
            Save();
        }
        const std::uint8_t* px = p.data() + i * pInc;
        buffer_[bufferUsed_++] = static_cast<char>(px[2]);
        buffer_[bufferUsed_++] = static_cast<char>(px[1]);
        buffer_[bufferUsed_++] = static_cast<char>(px[0]);
    }
}

void PdfWriter::Save()
{
    const std::size_t used = bufferUsed_;
    bufferUsed_ = 0;
    PutDirect(buffer_.data(), used);
}

} // namespace glyphora
