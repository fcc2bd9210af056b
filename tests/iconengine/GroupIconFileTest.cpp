// Building .ico files from group-icon resources, writing them from a module, and reading the
// image count of an .ico file.
#include "iconengine/GroupIconFile.h"

#include "IconTestSupport.h"
#include "platform/GlyphoraError.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <map>
#include <zlib.h>
#include <system_error>

namespace glyphora {
namespace {

using testing::LE16;
using testing::LE32;
using testing::PutLE;
using Bytes = std::vector<std::uint8_t>;

// A DIB icon image of totalSize bytes: a BITMAPINFOHEADER with a non-zero biSizeImage, then a
// recognisable byte pattern standing for the palette and the rows.
Bytes Dib(std::int32_t width, std::int32_t biHeight, std::uint16_t planes, std::uint16_t bits, std::size_t totalSize)
{
    Bytes b(totalSize);
    for (std::size_t i = 0; i < totalSize; ++i)
        b[i] = static_cast<std::uint8_t>(i * 7 + 3);
    PutLE(b, 0, 40);
    PutLE(b, 4, static_cast<std::uint32_t>(width));
    PutLE(b, 8, static_cast<std::uint32_t>(biHeight));
    PutLE(b, 12, planes, 2);
    PutLE(b, 14, bits, 2);
    PutLE(b, 16, 0);
    PutLE(b, 20, 0x12345678);
    for (std::size_t off = 24; off < 40 && off < totalSize; ++off)
        b[off] = 0; // resolution, palette size
    return b;
}

void PutChunk(Bytes& b, const char* type, const Bytes& data)
{
    const auto be32 = [&b](std::uint32_t v) {
        for (int s = 24; s >= 0; s -= 8)
            b.push_back(static_cast<std::uint8_t>(v >> s));
    };
    be32(static_cast<std::uint32_t>(data.size()));
    const std::size_t start = b.size();
    b.insert(b.end(), type, type + 4);
    b.insert(b.end(), data.begin(), data.end());
    be32(static_cast<std::uint32_t>(crc32(0, b.data() + start, static_cast<uInt>(b.size() - start))));
}

// A PNG stream: signature, an IHDR chunk (of the given type and length, to break it on
// purpose), for 8-bit RGBA images a real IDAT of transparent pixels, and the end chunk.
Bytes Png(std::uint32_t width, std::uint32_t height, std::uint8_t depth, std::uint8_t colorType,
          const char* chunkType = "IHDR", std::uint32_t chunkLength = 13)
{
    Bytes b = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
    Bytes ihdr;
    for (std::uint32_t v : {width, height})
        for (int s = 24; s >= 0; s -= 8)
            ihdr.push_back(static_cast<std::uint8_t>(v >> s));
    ihdr.insert(ihdr.end(), {depth, colorType, 0, 0, 0});
    ihdr.resize(chunkLength, 0);
    PutChunk(b, chunkType, ihdr);
    if (depth == 8 && colorType == 6 && width <= 256 && height <= 256) {
        const Bytes raw(std::size_t{height} * (1 + 4 * std::size_t{width}), 0);
        uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
        Bytes packed(packedSize);
        EXPECT_EQ(compress(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size())), Z_OK);
        packed.resize(packedSize);
        PutChunk(b, "IDAT", packed);
    }
    PutChunk(b, "IEND", {});
    return b;
}

// A group resource naming the images; its own entry values are deliberately wrong, since
// the file must take them from the images.
Bytes Group(const std::vector<std::uint16_t>& ids, std::optional<std::uint16_t> idCount = std::nullopt)
{
    Bytes b(6 + 14 * ids.size(), 0);
    PutLE(b, 2, 1, 2);
    PutLE(b, 4, idCount.value_or(static_cast<std::uint16_t>(ids.size())), 2);
    for (std::size_t i = 0; i < ids.size(); ++i) {
        const std::size_t e = 6 + 14 * i;
        b[e] = 99;
        b[e + 1] = 98;
        b[e + 2] = 97;
        PutLE(b, e + 4, 7, 2);
        PutLE(b, e + 6, 77, 2);
        PutLE(b, e + 8, 123456);
        PutLE(b, e + 12, ids[i], 2);
    }
    return b;
}

IconImageLookup LookupIn(const std::map<std::uint16_t, Bytes>& images)
{
    return [&images](std::uint16_t id) -> std::optional<Bytes> {
        auto it = images.find(id);
        if (it == images.end()) return std::nullopt;
        return it->second;
    };
}

// The image as the file must hold it: unchanged but for biSizeImage = 0.
Bytes WithoutSizeImage(Bytes b)
{
    PutLE(b, 20, 0);
    return b;
}

Bytes Slice(const Bytes& b, std::size_t offset, std::size_t size)
{
    return Bytes(b.begin() + static_cast<std::ptrdiff_t>(offset),
                 b.begin() + static_cast<std::ptrdiff_t>(offset + size));
}

TEST(BuildGroupIconFileTest, OneImageMakesA766ByteFile)
{
    const std::map<std::uint16_t, Bytes> images = {{5, Dib(32, 64, 1, 4, 744)}};
    const auto file = BuildGroupIconFile(Group({5}), LookupIn(images));
    ASSERT_EQ(file.bytes.size(), 766u);
    EXPECT_EQ(file.imageCount, 1);
    EXPECT_EQ(Slice(file.bytes, 0, 6), (Bytes{0, 0, 1, 0, 1, 0}));
    EXPECT_EQ(Slice(file.bytes, 6, 8), (Bytes{0x20, 0x20, 16, 0, 1, 0, 4, 0}));
    EXPECT_EQ(LE32(file.bytes, 14), 744u);
    EXPECT_EQ(LE32(file.bytes, 18), 22u);
    EXPECT_EQ(Slice(file.bytes, 22, 744), WithoutSizeImage(images.at(5)));
}

TEST(BuildGroupIconFileTest, TwoImagesBackToBack)
{
    const std::map<std::uint16_t, Bytes> images = {{1, Dib(32, 64, 1, 4, 744)}, {2, Dib(16, 32, 1, 4, 296)}};
    const auto file = BuildGroupIconFile(Group({1, 2}), LookupIn(images));
    ASSERT_EQ(file.bytes.size(), 1078u);
    EXPECT_EQ(LE16(file.bytes, 4), 2u);
    EXPECT_EQ(LE32(file.bytes, 6 + 12), 38u);
    EXPECT_EQ(LE32(file.bytes, 22 + 8), 296u);
    EXPECT_EQ(LE32(file.bytes, 22 + 12), 782u);
    EXPECT_EQ(file.bytes[22], 16);
    EXPECT_EQ(file.imageSizes, (std::vector<std::size_t>{744, 296}));
    EXPECT_EQ(Slice(file.bytes, 38, 744), WithoutSizeImage(images.at(1)));
    EXPECT_EQ(Slice(file.bytes, 782, 296), WithoutSizeImage(images.at(2)));
}

TEST(BuildGroupIconFileTest, DirectoryComesFromEachImageHeader)
{
    struct Row {
        std::int32_t biWidth, biHeight;
        std::uint16_t planes, bits;
        std::uint8_t width, height, colors;
    };
    const Row rows[] = {
        {256, 512, 1, 32, 0, 0, 0}, {32, 64, 1, 1, 32, 32, 2},  {32, 64, 1, 4, 32, 32, 16},
        {32, 64, 1, 8, 32, 32, 0},  {48, 96, 1, 24, 48, 48, 0}, {48, 96, 1, 32, 48, 48, 0},
        {16, 32, 2, 2, 16, 16, 16}, {16, 33, 1, 2, 16, 16, 4},  {16, -64, 1, 32, 16, 0xE0, 0},
    };
    for (const Row& r : rows) {
        const std::map<std::uint16_t, Bytes> images = {{9, Dib(r.biWidth, r.biHeight, r.planes, r.bits, 60)}};
        const auto file = BuildGroupIconFile(Group({9}), LookupIn(images));
        ASSERT_EQ(file.bytes.size(), 22u + 60u);
        EXPECT_EQ(Slice(file.bytes, 6, 8), (Bytes{r.width, r.height, r.colors, 0, static_cast<std::uint8_t>(r.planes),
                                                  0, static_cast<std::uint8_t>(r.bits), 0}))
            << r.biWidth << "x" << r.biHeight << " planes " << r.planes << " bits " << r.bits;
        EXPECT_EQ(LE32(file.bytes, 22 + 20), 0u);
    }
}

TEST(BuildGroupIconFileTest, PngPassesThroughDescribedByIhdr)
{
    const std::map<std::uint16_t, Bytes> images = {{1, Dib(16, 32, 1, 4, 296)}, {2, Png(256, 256, 8, 6)}};
    const auto file = BuildGroupIconFile(Group({1, 2}), LookupIn(images));
    ASSERT_EQ(file.imageCount, 2);
    EXPECT_EQ(Slice(file.bytes, 22, 8), (Bytes{0, 0, 0, 0, 1, 0, 32, 0}));
    EXPECT_EQ(LE32(file.bytes, 22 + 8), images.at(2).size());
    const std::size_t pngOffset = LE32(file.bytes, 22 + 12);
    EXPECT_EQ(pngOffset, 38u + 296u);
    EXPECT_EQ(Slice(file.bytes, pngOffset, images.at(2).size()), images.at(2));
}

TEST(BuildGroupIconFileTest, PngBitCountIsDepthTimesChannels)
{
    struct Row {
        std::uint32_t w, h;
        std::uint8_t depth, type;
        std::uint8_t width, height;
        std::uint16_t bits;
    };
    const Row rows[] = {{256, 256, 8, 6, 0, 0, 32},  {48, 48, 8, 2, 48, 48, 24}, {32, 16, 8, 3, 32, 16, 8},
                        {64, 64, 16, 0, 64, 64, 16}, {20, 20, 8, 4, 20, 20, 16}, {300, 300, 16, 6, 44, 44, 64},
                        {16, 16, 1, 3, 16, 16, 1}};
    for (const Row& r : rows) {
        auto e = DescribeIconImage(Png(r.w, r.h, r.depth, r.type));
        ASSERT_TRUE(e) << int(r.type) << "/" << int(r.depth);
        EXPECT_EQ(e->width, r.width);
        EXPECT_EQ(e->height, r.height);
        EXPECT_EQ(e->bitCount, r.bits);
        EXPECT_EQ(e->planes, 1);
        EXPECT_EQ(e->colorCount, 0);
    }
}

TEST(BuildGroupIconFileTest, UnreadableImagesAreDropped)
{
    Bytes truncatedPng = Png(32, 32, 8, 6);
    truncatedPng.resize(20);
    const std::vector<Bytes> unreadable = {
        Dib(32, 64, 1, 4, 39),         // too short for its header
        Bytes{},                       // empty resource
        Png(32, 32, 8, 6, "IDAT"),     // IHDR not first
        Png(32, 32, 8, 6, "IHDR", 12), // wrong IHDR length
        Png(32, 32, 8, 5),             // no such colour type
        Png(32, 32, 3, 2),             // no such depth for RGB
        Png(0, 32, 8, 6),              // empty image
        truncatedPng,
    };
    for (std::size_t i = 0; i < unreadable.size(); ++i) {
        const std::map<std::uint16_t, Bytes> images = {
            {1, Dib(32, 64, 1, 4, 744)}, {2, unreadable[i]}, {3, Dib(16, 32, 1, 4, 296)}};
        const auto file = BuildGroupIconFile(Group({1, 2, 3}), LookupIn(images));
        ASSERT_EQ(file.imageCount, 2) << "case " << i;
        EXPECT_EQ(LE16(file.bytes, 4), 2u);
        EXPECT_EQ(file.bytes.size(), 6u + 32u + 744u + 296u);
        EXPECT_EQ(LE32(file.bytes, 22 + 12), 38u + 744u);
    }
    // A missing resource is dropped the same way.
    const std::map<std::uint16_t, Bytes> images = {{1, Dib(32, 64, 1, 4, 744)}};
    EXPECT_EQ(BuildGroupIconFile(Group({4, 1}), LookupIn(images)).imageCount, 1);
}

TEST(BuildGroupIconFileTest, NothingToWrite)
{
    const std::map<std::uint16_t, Bytes> images = {{1, Dib(32, 64, 1, 4, 744)}};
    EXPECT_TRUE(BuildGroupIconFile(Group({7, 8}), LookupIn(images)).bytes.empty()); // all missing
    EXPECT_TRUE(BuildGroupIconFile(Group({}), LookupIn(images)).bytes.empty());     // idCount 0
    EXPECT_TRUE(BuildGroupIconFile(Bytes{0, 0, 1, 0}, LookupIn(images)).bytes.empty());
}

TEST(BuildGroupIconFileTest, CountIsCappedByTheEntriesPresent)
{
    const std::map<std::uint16_t, Bytes> images = {{1, Dib(32, 64, 1, 4, 744)}, {2, Dib(16, 32, 1, 4, 296)}};
    const auto file = BuildGroupIconFile(Group({1, 2}, 500), LookupIn(images));
    EXPECT_EQ(file.imageCount, 2);
    EXPECT_EQ(file.bytes.size(), 1078u);

    const std::pair<Bytes, std::optional<int>> counts[] = {
        {Bytes{0, 0, 1, 0, 3}, std::nullopt},
        {Bytes{0, 0, 1, 0, 3, 0}, 0},
        {Group({1, 2, 3}), 3},
        {Group({1, 2, 3}, 2), 2},
        {Group({1, 2}, 0xFFFF), 2},
    };
    for (const auto& [group, expected] : counts)
        EXPECT_EQ(GroupIconImageCount(group), expected);
}

TEST(BuildGroupIconFileTest, MoreThan128ImagesAreAllWritten)
{
    const std::map<std::uint16_t, Bytes> images = {{1, Dib(16, 32, 1, 4, 296)}};
    const auto file = BuildGroupIconFile(Group(std::vector<std::uint16_t>(130, 1)), LookupIn(images));
    EXPECT_EQ(file.imageCount, 130);
    EXPECT_EQ(file.bytes.size(), 6u + 130u * (16u + 296u));
    EXPECT_EQ(LE32(file.bytes, 6 + 16 * 129 + 12), 6u + 130u * 16u + 129u * 296u);
}

// A module with resources held in memory.
class FakeModule : public ModuleResources {
public:
    std::map<std::string, Bytes> namedGroups;
    std::map<std::uint16_t, Bytes> numberedGroups;
    std::map<std::uint16_t, Bytes> icons;

    std::vector<ResourceName> EnumNames(ResourceType) const override { return {}; }
    std::optional<Bytes> Find(ResourceType type, const ResourceName& name) const override
    {
        if (type == ResourceType::GroupIcon && name.isString) return Get(namedGroups, name.text);
        if (type == ResourceType::GroupIcon) return Get(numberedGroups, name.id);
        if (!name.isString) return Get(icons, name.id);
        return std::nullopt;
    }
    std::size_t Count(ResourceType type) const override
    {
        return type == ResourceType::Icon ? icons.size() : namedGroups.size() + numberedGroups.size();
    }

private:
    template <class Map, class Key>
    static std::optional<Bytes> Get(const Map& m, const Key& k)
    {
        auto it = m.find(k);
        return it == m.end() ? std::nullopt : std::optional<Bytes>(it->second);
    }
};

class WriteGroupIconFileTest : public ::testing::Test {
protected:
    WriteGroupIconFileTest()
    {
        module.icons = {{1, Dib(32, 64, 1, 4, 744)}, {2, Dib(16, 32, 1, 4, 296)}, {3, Png(256, 256, 8, 6)}};
        module.namedGroups["MAINICON"] = Group({1, 2, 3});
        module.namedGroups["200"] = Group({2});
        module.numberedGroups[200] = Group({1, 2});
        module.numberedGroups[7] = Group({3, 1});
        module.numberedGroups[8] = Group({40, 41});
        module.numberedGroups[9] = Group({});
    }
    FakeModule module;
    testing::ScratchDir dir;
    int count = 42; // the caller's value, to see whether it is touched
    std::string error;

    void Write(const std::filesystem::path& dest, const std::string& name)
    {
        WriteGroupIconFile(module, "/modules/app.exe", dest, name, count, error);
    }
};

TEST_F(WriteGroupIconFileTest, WritesTheFileTheGroupMakes)
{
    const auto dest = dir.path() / "out.ico";
    testing::WriteBytes(dest, Bytes(5000, 0xAA)); // replaced, not overwritten in place
    Write(dest, "MAINICON");
    EXPECT_EQ(count, 3);
    EXPECT_EQ(error, "");
    const auto expected = BuildGroupIconFile(module.namedGroups["MAINICON"], LookupIn(module.icons));
    EXPECT_EQ(testing::ReadBytes(dest), expected.bytes);
    EXPECT_EQ(IcoFileImageCount(dest), 3);
}

TEST_F(WriteGroupIconFileTest, NameIsLookedUpAsStringThenAsNumber)
{
    const struct {
        const char* name;
        int count;
    } cases[] = {{"200", 1}, {"7", 2}, {"MAINICON", 3}};
    for (const auto& c : cases) {
        count = 0;
        const auto dest = dir.path() / (std::string(c.name) + ".ico");
        Write(dest, c.name);
        EXPECT_EQ(count, c.count) << c.name;
        EXPECT_EQ(IcoFileImageCount(dest), c.count) << c.name;
    }
}

TEST_F(WriteGroupIconFileTest, EmptyDestinationOnlyCounts)
{
    Write("", "200");
    EXPECT_EQ(count, 1);
    EXPECT_EQ(error, "");
    EXPECT_TRUE(dir.Names().empty());
}

TEST_F(WriteGroupIconFileTest, GroupNotFoundLeavesEverythingAlone)
{
    for (const char* name : {"12", "99999", "0"}) {
        Write(dir.path() / "x.ico", name);
        EXPECT_EQ(count, 42) << name;
        EXPECT_EQ(error, "") << name;
    }
    EXPECT_TRUE(dir.Names().empty());
}

TEST_F(WriteGroupIconFileTest, NameThatIsNoNumberIsRaised)
{
    EXPECT_THROW(Write(dir.path() / "x.ico", "NOSUCHICON"), GlyphoraError);
    EXPECT_THROW(Write(dir.path() / "x.ico", "-3"), GlyphoraError);
    EXPECT_THROW(Write(dir.path() / "x.ico", ""), GlyphoraError);
    EXPECT_EQ(count, 42);
    EXPECT_TRUE(dir.Names().empty());
}

TEST_F(WriteGroupIconFileTest, NoReadableImageWritesNothingAndSaysWhy)
{
    const auto dest = dir.path() / "keep.ico";
    testing::WriteBytes(dest, Bytes{'k', 'e', 'e', 'p'});
    Write(dest, "8");
    EXPECT_EQ(count, 2);
    EXPECT_EQ(error, "Unable to read the icon 8 from '/modules/app.exe'.");
    EXPECT_EQ(testing::ReadBytes(dest), (Bytes{'k', 'e', 'e', 'p'}));
}

TEST_F(WriteGroupIconFileTest, EmptyGroupWritesNothing)
{
    Write(dir.path() / "x.ico", "9");
    EXPECT_EQ(count, 0);
    EXPECT_EQ(error, "");
    EXPECT_TRUE(dir.Names().empty());
}

TEST_F(WriteGroupIconFileTest, DestinationThatCannotBeCreated)
{
    Write(dir.path() / "missing" / "x.ico", "7");
    EXPECT_EQ(count, 2);
    EXPECT_NE(error.find("Cannot create"), std::string::npos) << "a failed write is never taken for a saved icon";
    EXPECT_NE(error.find(std::generic_category().message(ENOENT)), std::string::npos) << error;
}

TEST_F(WriteGroupIconFileTest, FailingWriteToADeviceGivesTheSystemMessage)
{
    // A device is written directly (there is nothing a rename could replace) and its failure
    // carries the system's reason.
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full on this system";
    Write("/dev/full", "7");
    EXPECT_EQ(count, 2);
    EXPECT_EQ(error, "Cannot write '/dev/full': " + std::generic_category().message(ENOSPC));
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
}

#ifndef _WIN32
TEST_F(WriteGroupIconFileTest, FailedWriteLeavesTheOldFileAndNothingHalfWritten)
{
    const auto dest = dir.path() / "x.ico";
    const Bytes old = {'k', 'e', 'e', 'p'};
    for (rlim_t cap : {rlim_t{3}, rlim_t{100}}) {
        testing::WriteBytes(dest, old);
        {
            testing::FileSizeLimit limit(cap);
            Write(dest, "7");
        }
        EXPECT_EQ(count, 2) << cap;
        EXPECT_EQ(error, "Cannot write '" + dest.string() + "': " + std::generic_category().message(EFBIG)) << cap;
        EXPECT_EQ(testing::ReadBytes(dest), old) << cap << ": the old file stays as it was";
        EXPECT_EQ(dir.Names(), std::vector<std::string>{"x.ico"}) << cap << ": no temporary file is left";
        error.clear();
    }
    // Without an old file nothing at all is left.
    std::filesystem::remove(dest);
    {
        testing::FileSizeLimit limit(100);
        Write(dest, "7");
    }
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(dir.Names().empty());
}
#endif

TEST_F(WriteGroupIconFileTest, IcotoolReadsTheFile)
{
    if (std::system("icotool --version > /dev/null 2>&1") != 0) GTEST_SKIP() << "icotool is not installed";
    const auto dest = dir.path() / "main.ico";
    Write(dest, "MAINICON");
    const auto listing = dir.path() / "list.txt";
    const std::string cmd = "icotool -l '" + dest.string() + "' > '" + listing.string() + "' 2>&1";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    const auto bytes = testing::ReadBytes(listing);
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_NE(text.find("--width=32 --height=32 --bit-depth=4"), std::string::npos) << text;
    EXPECT_NE(text.find("--width=16 --height=16 --bit-depth=4"), std::string::npos) << text;
    EXPECT_NE(text.find("--width=256 --height=256 --bit-depth=32"), std::string::npos) << text;
}

TEST(WriteGroupIconFileByPathTest, ModuleThatCannotBeOpened)
{
    testing::ScratchDir dir;
    int count = 42;
    std::string error;
    WriteGroupIconFile(dir.path() / "absent.dll", dir.path() / "x.ico", "1", count, error);
    EXPECT_EQ(count, 42);
    EXPECT_EQ(error, "");
    EXPECT_TRUE(dir.Names().empty());
}

TEST(IcoFileImageCountTest, ReadsTheHeaderCount)
{
    testing::ScratchDir dir;
    const struct {
        Bytes bytes;
        int count;
    } cases[] = {{Bytes{0, 0, 1, 0, 7, 0}, 7},
                 {Bytes{0, 0, 1, 0, 0x2C, 0x01, 9, 9}, 300},
                 {Bytes{0, 0, 1, 0, 7}, 0},
                 {Bytes{}, 0}};
    int i = 0;
    for (const auto& c : cases) {
        const auto p = dir.path() / ("f" + std::to_string(i++) + ".ico");
        testing::WriteBytes(p, c.bytes);
        EXPECT_EQ(IcoFileImageCount(p), c.count) << c.bytes.size() << " bytes";
    }
    EXPECT_EQ(IcoFileImageCount(dir.path() / "absent.ico"), 0);
}

TEST(IcoFileImageCountTest, ReadOnlyFileIsReadAndLeftAlone)
{
    testing::ScratchDir dir;
    const auto p = dir.path() / "ro.ico";
    testing::WriteBytes(p, Bytes{0, 0, 1, 0, 2, 0, 1, 2, 3});
    const auto before = std::filesystem::last_write_time(p);
    std::filesystem::permissions(p, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    EXPECT_EQ(IcoFileImageCount(p), 2);
    EXPECT_EQ(std::filesystem::last_write_time(p), before);
    EXPECT_EQ(testing::ReadBytes(p), (Bytes{0, 0, 1, 0, 2, 0, 1, 2, 3}));
    std::filesystem::permissions(p, std::filesystem::perms::owner_all);
}

} // namespace
} // namespace glyphora
