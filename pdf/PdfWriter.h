// The byte sink of the PDF writer: appends text lines (ending in CR LF) and raw bytes to an
// output stream, keeping the running byte position that the cross-reference table needs.
// Raw bytes go through a 512-byte buffer so that pixel data is not one stream write per pixel.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <span>
#include <string_view>

namespace glyphora {

class PdfWriter {
public:
    static constexpr std::size_t kBufferSize = 512;

    // Remembers the stream and its current position (0 when the stream cannot tell).
    explicit PdfWriter(std::ostream& destStream);

    PdfWriter(const PdfWriter&) = delete;
    PdfWriter& operator=(const PdfWriter&) = delete;

    // Writes the 8-bit text and CR LF straight to the stream. Buffered bytes are flushed
    // first so that the output keeps the order of the calls.
    void WriteLine(std::string_view text);

    // Appends raw bytes through the buffer; a block that does not fit in the free space
    // flushes the buffer and is then written directly.
    void Write(const void* data, std::size_t len);
    void Write(std::string_view bytes) { Write(bytes.data(), bytes.size()); }

    // Appends count pixels that start pInc bytes apart in p, each as its third, second and
    // first byte (a blue-green-red pixel comes out red-green-blue). The buffer is flushed
    // whenever 5 or fewer of its bytes are free.
    void WriteRGB(std::span<const std::uint8_t> p, std::size_t pInc, std::size_t count);

    // Flushes the buffer.
    void Save();

    // Byte position of the next byte written, counting what is still in the buffer.
    std::uint64_t Position() const { return destStreamPosition_ + bufferUsed_; }

private:
    void PutDirect(const char* data, std::size_t len);

    std::ostream& destStream_;
    std::uint64_t destStreamPosition_ = 0; // position after the last byte handed to the stream
    std::array<char, kBufferSize> buffer_{};
    std::size_t bufferUsed_ = 0;
};

} // namespace glyphora
