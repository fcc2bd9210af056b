// PdfWriter: lines go straight out, raw bytes through the 512-byte buffer, pixels in
// reversed byte order with the flush rule, and the running position.
#include "pdf/PdfWriter.h"

#include "platform/GlyphoraError.h"

#include <gtest/gtest.h>

#include <sstream>
#include <streambuf>
#include <vector>

namespace glyphora {
namespace {

// A stream buffer that records the size of every block handed to it.
class RecordingBuf : public std::streambuf {
public:
    std::string data;
    std::vector<std::size_t> blocks;

protected:
    std::streamsize xsputn(const char* s, std::streamsize n) override
    {
        data.append(s, static_cast<std::size_t>(n));
        blocks.push_back(static_cast<std::size_t>(n));
        return n;
    }
    int_type overflow(int_type c) override
    {
        if (c != traits_type::eof()) {
            data.push_back(static_cast<char>(c));
            blocks.push_back(1);
        }
        return c;
    }
};

// A stream buffer that refuses every write.
class FailingBuf : public std::streambuf {
protected:
    std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
    int_type overflow(int_type) override { return traits_type::eof(); }
};

TEST(PdfWriter, LinesEndWithCrLfAndKeepOrderWithBufferedBytes)
{
    std::ostringstream out;
    PdfWriter w(out);
    w.Write("ab", 2);
    w.WriteLine("line");
    w.Write("cd", 2);
    EXPECT_EQ(w.Position(), 10u);
    w.Save();
    EXPECT_EQ(out.str(), "abline\r\ncd");
}

TEST(PdfWriter, PositionStartsAtTheStreamsCurrentPosition)
{
    std::ostringstream out;
    out << "12345";
    PdfWriter w(out);
    w.WriteLine("x");
    EXPECT_EQ(w.Position(), 8u);
}

TEST(PdfWriter, BlockThatDoesNotFitFlushesAndGoesDirect)
{
    RecordingBuf buf;
    std::ostream out(&buf);
    PdfWriter w(out);
    const std::string small(500, 'a');
    const std::string big(20, 'b');
    w.Write(small);
    EXPECT_TRUE(buf.blocks.empty()); // still buffered
    w.Write(big);                    // 20 > 12 free bytes
    ASSERT_EQ(buf.blocks.size(), 2u);
    EXPECT_EQ(buf.blocks[0], 500u);
    EXPECT_EQ(buf.blocks[1], 20u);
    EXPECT_EQ(buf.data, small + big);
}

TEST(PdfWriter, WriteRgbReversesBytesAndHonoursTheStep)
{
    std::ostringstream out;
    PdfWriter w(out);
    // Two pixels stored blue, green, red, fourth byte.
    const std::vector<std::uint8_t> px = {0x01, 0x02, 0x03, 0xFF, 0x11, 0x12, 0x13, 0xFF};
    w.WriteRGB(px, 4, 2);
    w.Save();
    EXPECT_EQ(out.str(), std::string("\x03\x02\x01\x13\x12\x11", 6));
}

TEST(PdfWriter, WriteRgbFlushesWhenFiveOrFewerBytesAreFree)
{
    RecordingBuf buf;
    std::ostream out(&buf);
    PdfWriter w(out);
    // 169 pixels fill 507 bytes, leaving 5 free: the 170th pixel flushes first.
    const std::vector<std::uint8_t> px(170 * 3, 0x40);
    w.WriteRGB(px, 3, 170);
    ASSERT_EQ(buf.blocks.size(), 1u);
    EXPECT_EQ(buf.blocks[0], 507u);
    w.Save();
    ASSERT_EQ(buf.blocks.size(), 2u);
    EXPECT_EQ(buf.blocks[1], 3u);
}

TEST(PdfWriter, WriteRgbRefusesPixelCountBeyondTheData)
{
    std::ostringstream out;
    PdfWriter w(out);
    const std::vector<std::uint8_t> px(8, 0);
    EXPECT_THROW(w.WriteRGB(px, 3, 3), GlyphoraError); // needs 9 bytes
    EXPECT_NO_THROW(w.WriteRGB(px, 3, 2));
}

TEST(PdfWriter, StreamFailureRaises)
{
    FailingBuf buf;
    std::ostream out(&buf);
    PdfWriter w(out);
    EXPECT_THROW(w.WriteLine("x"), GlyphoraError);
}

} // namespace
} // namespace glyphora
