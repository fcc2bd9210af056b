// Enhanced metafiles read back record by record: header fields, record sizes and types, the
// one bitmap drawing at the origin at the pixel size, and the end-of-file record.
#include "export/EmfEncoder.h"

#include "formats/ByteReader.h"
#include "platform/GlyphoraError.h"
#include "TestPictures.h"

#include <gtest/gtest.h>

#include <cmath>

namespace glyphora {
namespace {

constexpr std::uint32_t kHeader = 1;
constexpr std::uint32_t kEof = 14;
constexpr std::uint32_t kStretchDiBits = 81;

struct Record {
    std::uint32_t type;
    std::uint64_t offset;
    std::uint32_t size;
};

// Splits the file into records, failing the test on a size that is not a multiple of four,
// smaller than a record head or running past the end.
std::vector<Record> SplitRecords(const ByteReader& r)
{
    std::vector<Record> records;
    std::uint64_t offset = 0;
    while (offset < r.size()) {
        const auto type = r.u32(offset);
        const auto size = r.u32(offset + 4);
        if (!type || !size || *size < 8 || *size % 4 != 0 || !r.contains(offset, *size)) {
            ADD_FAILURE() << "bad record at offset " << offset;
            return records;
        }
        records.push_back({*type, offset, *size});
        offset += *size;
    }
    return records;
}

void ExpectRectFromOrigin(const ByteReader& r, std::uint64_t at, std::int32_t right, std::int32_t bottom)
{
    EXPECT_EQ(r.i32(at), 0);
    EXPECT_EQ(r.i32(at + 4), 0);
    EXPECT_EQ(r.i32(at + 8), right);
    EXPECT_EQ(r.i32(at + 12), bottom);
}

void CheckMetafile(const Bitmap& bitmap)
{
    const std::vector<std::uint8_t> file = EncodeEmf(bitmap);
    const ByteReader r(file);
    const std::vector<Record> records = SplitRecords(r);
    ASSERT_EQ(records.size(), 3u);
    ASSERT_EQ(records[0].type, kHeader);
    ASSERT_EQ(records[1].type, kStretchDiBits);
    ASSERT_EQ(records[2].type, kEof);
    const std::int32_t w = bitmap.width, h = bitmap.height;

    // EMR_HEADER
    ASSERT_GE(records[0].size, 88u);
    ExpectRectFromOrigin(r, 8, w - 1, h - 1);
    const auto frameWidth = static_cast<std::int32_t>(std::lround(w * 2540.0 / 96.0));
    const auto frameHeight = static_cast<std::int32_t>(std::lround(h * 2540.0 / 96.0));
    ExpectRectFromOrigin(r, 24, frameWidth - 1, frameHeight - 1);
    EXPECT_EQ(r.u32(40), 0x464D4520u);
    EXPECT_EQ(r.u32(44), 0x00010000u);
    EXPECT_EQ(r.u32(48), file.size());
    EXPECT_EQ(r.u32(52), records.size());
    EXPECT_EQ(r.u16(56), 1);
    EXPECT_EQ(r.u16(58), 0);
    const std::int32_t devX = *r.i32(72), devY = *r.i32(76), mmX = *r.i32(80), mmY = *r.i32(84);
    ASSERT_GT(mmX, 0);
    ASSERT_GT(mmY, 0);
    EXPECT_NEAR(devX * 25.4 / mmX, 96.0, 0.5);
    EXPECT_NEAR(devY * 25.4 / mmY, 96.0, 0.5);
    if (records[0].size >= 108) {
        EXPECT_EQ(r.i32(100), mmX * 1000);
        EXPECT_EQ(r.i32(104), mmY * 1000);
    }

    // EMR_STRETCHDIBITS
    const std::uint64_t d = records[1].offset;
    ExpectRectFromOrigin(r, d + 8, w - 1, h - 1);
    EXPECT_EQ(r.i32(d + 24), 0); // xDest
    EXPECT_EQ(r.i32(d + 28), 0); // yDest
    EXPECT_EQ(r.i32(d + 32), 0); // xSrc
    EXPECT_EQ(r.i32(d + 36), 0); // ySrc
    EXPECT_EQ(r.i32(d + 40), w);
    EXPECT_EQ(r.i32(d + 44), h);
    EXPECT_EQ(r.u32(d + 64), 0u);          // DIB_RGB_COLORS
    EXPECT_EQ(r.u32(d + 68), 0x00CC0020u); // SRCCOPY
    EXPECT_EQ(r.i32(d + 72), w);
    EXPECT_EQ(r.i32(d + 76), h);
    const std::uint32_t offBmi = *r.u32(d + 48), cbBmi = *r.u32(d + 52);
    const std::uint32_t offBits = *r.u32(d + 56), cbBits = *r.u32(d + 60);
    ASSERT_GE(cbBmi, 40u);
    ASSERT_LE(std::uint64_t{offBmi} + cbBmi, records[1].size);
    ASSERT_LE(std::uint64_t{offBits} + cbBits, records[1].size);
    const std::uint64_t bmi = d + offBmi;
    EXPECT_EQ(r.u32(bmi), 40u);
    EXPECT_EQ(r.i32(bmi + 4), w);
    EXPECT_EQ(r.i32(bmi + 8), h);
    EXPECT_EQ(r.u16(bmi + 12), 1);
    EXPECT_EQ(r.u16(bmi + 14), 24);
    EXPECT_EQ(r.u32(bmi + 16), 0u);
    const std::uint32_t stride = (static_cast<std::uint32_t>(w) * 3 + 3) / 4 * 4;
    ASSERT_EQ(cbBits, stride * static_cast<std::uint32_t>(h));
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const std::uint64_t at = d + offBits + static_cast<std::uint64_t>(h - 1 - y) * stride + x * 3u;
            const std::uint32_t p = bitmap.at(x, y);
            ASSERT_EQ(r.u8(at), BlueOf(p)) << x << "," << y;
            ASSERT_EQ(r.u8(at + 1), GreenOf(p)) << x << "," << y;
            ASSERT_EQ(r.u8(at + 2), RedOf(p)) << x << "," << y;
        }
    }

    // EMR_EOF, last and closing the file.
    const std::uint64_t e = records[2].offset;
    EXPECT_EQ(records[2].size, 20u);
    EXPECT_EQ(e + records[2].size, file.size());
    EXPECT_EQ(r.u32(e + 8), 0u);
    EXPECT_EQ(r.u32(e + 16), records[2].size);
}

TEST(EmfEncoder, HoldsTheBitmapAtTheOriginAtItsPixelSize)
{
    const struct {
        const char* name;
        Bitmap bitmap;
    } cases[] = {
        {"1x1", Bitmap(1, 1, 24, MakePixel(1, 2, 3))},
        {"3x2", Bitmap(3, 2, 24, MakePixel(200, 100, 50))},
        {"blocks", testing::BlockPicture()},
        {"blocks 32-bit", testing::BlockPicture(32)},
        {"32x32", Bitmap(32, 32)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CheckMetafile(c.bitmap);
    }
}

TEST(EmfEncoder, RefusesAnEmptyBitmap)
{
    EXPECT_THROW(EncodeEmf(Bitmap()), GlyphoraError);
}

} // namespace
} // namespace glyphora
