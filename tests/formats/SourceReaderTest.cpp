// Reading modules through a byte source: the block cache saves system calls without holding
// more than its ceiling, and a source that stops delivering part way (a file truncated or
// rewritten while it is read) never crashes the parser; the module says it was cut short.
#include "formats/ModuleResources.h"
#include "formats/SourceReader.h"
#include "iconengine/IconExtraction.h"
#include "platform/FileReader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <numeric>

namespace glyphora {
namespace {

using Bytes = std::vector<std::uint8_t>;

const std::filesystem::path kSampleModule =
    std::filesystem::path(GLYPHORA_BUILD_DIR) / "samples" / "glyphora-sample.dll";

// Bytes in memory that count the reads made of them, and can be cut: after readsAllowed
// reads, or beyond cutAt, every read fails as on a file that shrank.
class CuttableSource final : public ByteSource {
public:
    explicit CuttableSource(Bytes bytes) : bytes_(std::move(bytes)) {}
    std::uint64_t size() const override { return bytes_.size(); }
    bool read(std::uint64_t offset, std::span<std::uint8_t> into) const override
    {
        ++reads;
        bytesRead += into.size();
        if (reads > readsAllowed || offset + into.size() > cutAt) return false;
        return MemoryByteSource(bytes_).read(offset, into);
    }
    mutable std::uint64_t reads = 0;
    mutable std::uint64_t bytesRead = 0;
    std::uint64_t readsAllowed = UINT64_MAX;
    std::uint64_t cutAt = UINT64_MAX;

private:
    Bytes bytes_;
};

Bytes Counting(std::size_t n)
{
    Bytes b(n);
    std::iota(b.begin(), b.end(), std::uint8_t{7});
    return b;
}

TEST(SourceReaderTest, SmallReadsShareCachedBlocksAndLargeOnesGoStraightThrough)
{
    const Bytes content = Counting(10 * SourceReader::kBlockSize + 123);
    CuttableSource source(content);
    const SourceReader reader(source);

    for (std::uint64_t at = 0; at < 1000; at += 8)
        ASSERT_EQ(reader.copy(at, 8), Bytes(content.begin() + at, content.begin() + at + 8));
    EXPECT_EQ(source.reads, 1u) << "one block serves every small read inside it";

    // A range across a block boundary is put together from both blocks.
    const std::uint64_t edge = SourceReader::kBlockSize - 3;
    EXPECT_EQ(reader.copy(edge, 6), Bytes(content.begin() + edge, content.begin() + edge + 6));
    // The short last block of the source.
    const std::uint64_t last = content.size() - 5;
    EXPECT_EQ(reader.copy(last, 5), Bytes(content.begin() + last, content.end()));
    EXPECT_EQ(reader.copy(last, 6), std::nullopt);

    const std::uint64_t before = source.reads;
    EXPECT_EQ(reader.copy(5, 2 * SourceReader::kBlockSize),
              Bytes(content.begin() + 5, content.begin() + 5 + 2 * SourceReader::kBlockSize));
    EXPECT_EQ(source.reads, before + 1) << "a large range is one read";
    EXPECT_FALSE(reader.readFailed());

    // Walking the whole source in small steps reloads blocks but never holds more than the ceiling.
    source.bytesRead = 0;
    for (std::uint64_t pass = 0; pass < 2; ++pass)
        for (std::uint64_t at = 0; at + 4 <= content.size(); at += 4096)
            ASSERT_TRUE(reader.copy(at, 4).has_value());
    EXPECT_LE(source.bytesRead, 2 * content.size());
}

TEST(SourceReaderTest, AFailedReadInsideTheSizeIsRemembered)
{
    CuttableSource source(Counting(3 * SourceReader::kBlockSize));
    source.cutAt = SourceReader::kBlockSize;
    const SourceReader reader(source);
    EXPECT_TRUE(reader.copy(0, 16).has_value());
    EXPECT_FALSE(reader.readFailed());
    EXPECT_EQ(reader.copy(4 * SourceReader::kBlockSize, 1), std::nullopt) << "outside the size: no read at all";
    EXPECT_FALSE(reader.readFailed());
    EXPECT_EQ(reader.copy(2 * SourceReader::kBlockSize, 16), std::nullopt);
    EXPECT_TRUE(reader.readFailed());
}

// Every group and icon of a module, looked up and decoded: what an export reads.
void ReadEverything(const ModuleResources& module)
{
    for (ResourceType type : {ResourceType::GroupIcon, ResourceType::Icon})
        for (const auto& name : module.EnumNames(type))
            (void)module.Find(type, name);
    (void)ExtractModuleIcons(module, 32, 0, INT32_MAX);
}

TEST(SourceReaderTest, AModuleCutShortAtAnyReadNeverCrashesAndSaysSo)
{
    const auto bytes = ReadFileBytes(kSampleModule, 1u << 24);
    ASSERT_TRUE(bytes.has_value()) << kSampleModule;

    // How many reads a whole pass takes when nothing fails.
    auto counter = std::make_unique<CuttableSource>(*bytes);
    const CuttableSource* counted = counter.get();
    auto whole = ModuleResources::Open(std::move(counter));
    ASSERT_NE(whole, nullptr);
    ReadEverything(*whole);
    const std::uint64_t total = counted->reads;
    EXPECT_FALSE(whole->ReadFailed());
    ASSERT_GT(total, 3u);

    for (std::uint64_t allowed = 0; allowed < total; ++allowed) {
        auto source = std::make_unique<CuttableSource>(*bytes);
        source->readsAllowed = allowed;
        auto module = ModuleResources::Open(std::move(source));
        if (!module) continue; // cut before the headers and the index were read
        ReadEverything(*module);
        EXPECT_TRUE(module->ReadFailed()) << "cut after " << allowed << " of " << total << " reads";
    }
    // The same for a file truncated to a shorter length while it is read.
    for (std::uint64_t cut = 0; cut < bytes->size(); cut += 997) {
        auto source = std::make_unique<CuttableSource>(*bytes);
        source->cutAt = cut;
        auto module = ModuleResources::Open(std::move(source));
        if (module) ReadEverything(*module);
    }
}

} // namespace
} // namespace glyphora
