// Icon groups read from a module's resources or from an icon file's directory. Both are
// untrusted: counts are capped by what the bytes can hold and by kMaxGroupImages, every
// image lies inside the file or is missing, and an image is described from its own header.
#include "iconengine/IconGroupReader.h"

#include "formats/ByteReader.h"
#include "formats/ModuleResources.h"
#include "formats/SourceReader.h"
#include "platform/FileReader.h"

#include <algorithm>
#include <array>

namespace glyphora {
namespace {

constexpr std::uint64_t kDirectoryHeaderSize = 6; // GRPICONDIR and ICONDIR alike
constexpr std::uint64_t kIcoEntrySize = 16;       // ICONDIRENTRY
constexpr std::uint64_t kGroupEntrySize = 14;     // GRPICONDIRENTRY
constexpr std::uint64_t kGroupIdOffset = 12;
// Enough of an image for any header ReadIconImageInfo reads (a BITMAPV5HEADER, a PNG IHDR).
constexpr std::size_t kImageHeadBytes = 256;

// The number of entries of a directory whose header is at the start of r, capped by what
// entryBytes-long entries the bytes hold and by kMaxGroupImages; nullopt when the header is
// missing or is not that of an icon directory (reserved 0, type 1).
std::optional<std::size_t> DirectoryCount(const ByteReader& r, std::uint64_t entryBytes)
{
    if (r.u16(0) != 0 || r.u16(2) != 1) return std::nullopt;
    const auto declared = r.u16(4);
    if (!declared) return std::nullopt;
    const std::uint64_t fits = (r.size() - kDirectoryHeaderSize) / entryBytes;
    return static_cast<std::size_t>(std::min<std::uint64_t>({*declared, fits, kMaxGroupImages}));
}

class ModuleGroupReader final : public IconGroupReader {
public:
    explicit ModuleGroupReader(std::unique_ptr<ModuleResources> module)
        : module_(std::move(module)), names_(module_->EnumNames(ResourceType::GroupIcon))
    {}

    bool IsIconFile() const override { return false; }
    std::size_t GroupCount() const override { return names_.size(); }

    std::vector<GroupImageInfo> Images(std::size_t group) const override
    {
        std::vector<GroupImageInfo> images;
        const auto ids = imageIds(group);
        for (std::size_t i = 0; i < ids.size(); ++i) {
            GroupImageInfo image{i, std::nullopt};
            if (auto head = module_->FindHead(ResourceType::Icon, IdName(ids[i]), kImageHeadBytes))
                image.info = ReadIconImageInfo(*head);
            images.push_back(image);
        }
        return images;
    }

    std::optional<std::vector<std::uint8_t>> ImageBytes(std::size_t group, std::size_t position,
                                                        std::uint64_t limit) const override
    {
        const auto ids = imageIds(group);
        if (position >= ids.size()) return std::nullopt;
        const std::size_t head = static_cast<std::size_t>(std::min<std::uint64_t>(limit, SIZE_MAX - 1) + 1);
        auto bytes = module_->FindHead(ResourceType::Icon, IdName(ids[position]), head);
        if (!bytes || bytes->size() > limit) return std::nullopt;
        return bytes;
    }

    bool SourceChanged() const override { return module_->ReadFailed(); }

private:
    static ResourceName IdName(std::uint16_t id) { return ResourceName{false, {}, id}; }

    // The image resource numbers a group lists, in its order.
    std::vector<std::uint16_t> imageIds(std::size_t group) const
    {
        std::vector<std::uint16_t> ids;
        if (group >= names_.size()) return ids;
        const auto resource = module_->Find(ResourceType::GroupIcon, names_[group]);
        if (!resource) return ids;
        const ByteReader r(*resource);
        const auto count = DirectoryCount(r, kGroupEntrySize);
        if (!count) return ids;
        for (std::size_t i = 0; i < *count; ++i)
            ids.push_back(*r.u16(kDirectoryHeaderSize + i * kGroupEntrySize + kGroupIdOffset));
        return ids;
    }

    std::unique_ptr<ModuleResources> module_;
    std::vector<ResourceName> names_;
};

class IconFileReader final : public IconGroupReader {
public:
    struct Entry {
        std::uint64_t offset = 0;
        std::uint64_t size = 0;
        bool inside = false; // the image lies wholly inside the file
    };

    IconFileReader(std::unique_ptr<ByteSource> source, std::vector<Entry> entries)
        : source_(std::move(source)), reader_(*source_), entries_(std::move(entries))
    {}

    // The directory of an icon file, or nullopt when the source is no icon file: its header
    // must list at least one image that lies inside the file.
    static std::optional<std::vector<Entry>> ReadDirectory(const SourceReader& reader)
    {
        std::array<std::uint8_t, kDirectoryHeaderSize> header{};
        if (!reader.read(0, header)) return std::nullopt;
        const std::uint16_t declared = ByteReader(header).u16(4).value_or(0);
        const std::uint64_t room = (reader.size() - kDirectoryHeaderSize) / kIcoEntrySize;
        const std::uint64_t listed = std::min<std::uint64_t>({declared, room, kMaxGroupImages});
        auto table = reader.copy(0, kDirectoryHeaderSize + listed * kIcoEntrySize);
        if (!table) return std::nullopt;
        const ByteReader r(*table);
        const auto count = DirectoryCount(r, kIcoEntrySize);
        if (!count || *count == 0) return std::nullopt;
        std::vector<Entry> entries;
        bool anyInside = false;
        for (std::size_t i = 0; i < *count; ++i) {
            const std::uint64_t at = kDirectoryHeaderSize + i * kIcoEntrySize;
            Entry entry{*r.u32(at + 12), *r.u32(at + 8), false};
            entry.inside = entry.size > 0 && reader.contains(entry.offset, entry.size);
            anyInside = anyInside || entry.inside;
            entries.push_back(entry);
        }
        if (!anyInside) return std::nullopt;
        return entries;
    }

    bool IsIconFile() const override { return true; }
    std::size_t GroupCount() const override { return 1; }

    std::vector<GroupImageInfo> Images(std::size_t group) const override
    {
        std::vector<GroupImageInfo> images;
        if (group != 0) return images;
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            GroupImageInfo image{i, std::nullopt};
            const Entry& entry = entries_[i];
            if (entry.inside)
                if (auto head = reader_.copy(entry.offset, std::min<std::uint64_t>(entry.size, kImageHeadBytes)))
                    image.info = ReadIconImageInfo(*head);
            images.push_back(image);
        }
        return images;
    }

    std::optional<std::vector<std::uint8_t>> ImageBytes(std::size_t group, std::size_t position,
                                                        std::uint64_t limit) const override
    {
        if (group != 0 || position >= entries_.size()) return std::nullopt;
        const Entry& entry = entries_[position];
        if (!entry.inside || entry.size > limit) return std::nullopt;
        return reader_.copy(entry.offset, entry.size);
    }

    bool SourceChanged() const override { return reader_.readFailed(); }

private:
    std::unique_ptr<ByteSource> source_;
    SourceReader reader_;
    std::vector<Entry> entries_;
};

} // namespace

std::unique_ptr<IconGroupReader> IconGroupReader::Open(std::unique_ptr<ByteSource> source, std::string& why)
{
    if (!source) {
        why = "it cannot be read";
        return nullptr;
    }
    std::array<std::uint8_t, 2> magic{};
    if (source->size() >= magic.size() && source->read(0, magic) && magic[0] == 'M' && magic[1] == 'Z') {
        auto module = ModuleResources::Open(std::move(source));
        if (!module) {
            why = "it is not a module whose resources can be read";
            return nullptr;
        }
        return std::make_unique<ModuleGroupReader>(std::move(module));
    }
    std::optional<std::vector<IconFileReader::Entry>> entries;
    {
        const SourceReader reader(*source);
        entries = IconFileReader::ReadDirectory(reader);
    }
    if (!entries) {
        why = "it is neither a module nor an icon file";
        return nullptr;
    }
    return std::make_unique<IconFileReader>(std::move(source), std::move(*entries));
}

std::unique_ptr<IconGroupReader> IconGroupReader::Open(const std::filesystem::path& path, std::string& why)
{
    std::string reason;
    auto file = FileReader::Open(path, &reason);
    if (!file) {
        why = reason.empty() ? "it cannot be read" : reason;
        return nullptr;
    }
    return Open(std::move(file), why);
}

} // namespace glyphora
