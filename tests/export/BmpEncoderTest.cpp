// Windows bitmap files: headers, row order, padding and the pixel format chosen per bitmap.
#include "export/BmpEncoder.h"

#include "formats/ByteReader.h"
#include "platform/GlyphoraError.h"
#include "TestPictures.h"

#include <gtest/gtest.h>

namespace glyphora {
namespace {

TEST(BmpEncoder, WritesHeadersAndPaddedBottomUpRowsInTheBitmapsFormat)
{
    const struct {
        int bitmapBits;
        int fileBits;
    } cases[] = {{24, 24}, {32, 32}, {8, 24}, {4, 24}, {1, 24}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bitmapBits);
        Bitmap bitmap = testing::BlockPicture(c.bitmapBits);
        if (c.bitmapBits == 32) bitmap.at(0, 0) = MakePixel(255, 0, 0, 0x7F);
        const std::vector<std::uint8_t> file = EncodeBmp(bitmap);
        const ByteReader r(file);

        const std::uint32_t bytesPerPixel = static_cast<std::uint32_t>(c.fileBits / 8);
        const std::uint32_t stride = (26 * bytesPerPixel + 3) / 4 * 4;
        ASSERT_EQ(file.size(), 54u + stride * 16);
        EXPECT_EQ(file[0], 'B');
        EXPECT_EQ(file[1], 'M');
        EXPECT_EQ(r.u32(2), file.size());
        EXPECT_EQ(r.u32(10), 54u);
        EXPECT_EQ(r.u32(14), 40u);
        EXPECT_EQ(r.i32(18), 26);
        EXPECT_EQ(r.i32(22), 16); // positive height: bottom-up
        EXPECT_EQ(r.u16(26), 1);
        EXPECT_EQ(r.u16(28), c.fileBits);
        EXPECT_EQ(r.u32(30), 0u); // BI_RGB
        EXPECT_EQ(r.u32(34), stride * 16);
        EXPECT_EQ(r.u32(46), 0u); // no colour table

        for (int y = 0; y < 16; ++y) {
            const std::uint64_t row = 54 + static_cast<std::uint64_t>(15 - y) * stride;
            for (int x = 0; x < 26; ++x) {
                const std::uint64_t at = row + static_cast<std::uint64_t>(x) * bytesPerPixel;
                const std::uint32_t p = bitmap.at(x, y);
                ASSERT_EQ(r.u8(at), BlueOf(p)) << x << "," << y;
                ASSERT_EQ(r.u8(at + 1), GreenOf(p)) << x << "," << y;
                ASSERT_EQ(r.u8(at + 2), RedOf(p)) << x << "," << y;
                if (c.fileBits == 32) {
                    ASSERT_EQ(r.u8(at + 3), AlphaOf(p)) << x << "," << y;
                }
            }
            for (std::uint64_t pad = 26 * bytesPerPixel; pad < stride; ++pad)
                ASSERT_EQ(r.u8(row + pad), 0);
        }
    }
}

TEST(BmpEncoder, RefusesAnEmptyOrDamagedBitmap)
{
    Bitmap damaged(4, 4);
    damaged.pixels.pop_back();
    EXPECT_THROW(EncodeBmp(Bitmap()), GlyphoraError);
    EXPECT_THROW(EncodeBmp(Bitmap(0, 5)), GlyphoraError);
    EXPECT_THROW(EncodeBmp(damaged), GlyphoraError);
}

} // namespace
} // namespace glyphora
