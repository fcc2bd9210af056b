// Group-icon resource -> .ico file.
//
// Choices made where the layout alone does not decide:
// - PNG images (256 x 256 images usually are): reading their first 40 bytes as a
//   BITMAPINFOHEADER would describe nonsense and zeroing "biSizeImage" would damage the IHDR
//   chunk, so their bytes reach the file unaltered and their entry is described from IHDR:
//   width and height (256 -> 0), one plane, bit count = bit depth x channels (RGBA 8-bit
//   -> 32), colour count 0. A PNG whose IHDR cannot be read counts as a missing image.
// - An entry whose image is missing, or too short for the 40-byte header of a DIB, is dropped
//   and the count written lowered, so the file never holds an entry without its image. When
//   no image remains there is no file, and the caller is told why.
// - A group whose count is 0 gives no file: an .ico without images is of no use to anyone.
// - Groups of more than 128 images are written in full; the count is capped by the entries
//   the group resource's bytes really hold, so a lying count cannot make us read past it.
#include "iconengine/GroupIconFile.h"

#include "formats/ByteReader.h"
#include "formats/IconImageDecoder.h"
#include "platform/AtomicFile.h"
#include "platform/FileReader.h"
#include "platform/GlyphoraError.h"

#include <algorithm>
#include <charconv>

namespace glyphora {

namespace {

void PutU16(std::vector<std::uint8_t>& out, std::uint16_t v)
{
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>(v >> shift));
}

std::optional<std::uint32_t> BigEndianU32(const ByteReader& r, std::uint64_t offset)
{
    std::uint32_t v = 0;
    for (std::uint64_t i = 0; i < 4; ++i) {
        auto b = r.u8(offset + i);
        if (!b) return std::nullopt;
        v = (v << 8) | *b;
    }
    return v;
}

// Samples per pixel of a PNG colour type with the bit depths it allows; 0 for a combination
// the format does not have.
int PngChannels(std::uint8_t colorType, std::uint8_t depth)
{
    const auto depthIn = [depth](std::initializer_list<int> allowed) {
        return std::find(allowed.begin(), allowed.end(), depth) != allowed.end();
    };
    switch (colorType) {
    case 0: return depthIn({1, 2, 4, 8, 16}) ? 1 : 0; // grey
    case 2: return depthIn({8, 16}) ? 3 : 0;          // RGB
    case 3: return depthIn({1, 2, 4, 8}) ? 1 : 0;     // palette
    case 4: return depthIn({8, 16}) ? 2 : 0;          // grey + alpha
    case 6: return depthIn({8, 16}) ? 4 : 0;          // RGBA
    default: return 0;
    }
}

std::optional<IcoDirectoryEntry> DescribePng(const ByteReader& r)
{
    // The IHDR chunk must come first: length 13, type "IHDR", then width, height, bit depth
    // and colour type.
    auto length = BigEndianU32(r, 8);
    auto type = r.slice(12, 4);
    auto width = BigEndianU32(r, 16);
    auto height = BigEndianU32(r, 20);
    auto depth = r.u8(24);
    auto colorType = r.u8(25);
    if (!length || *length != 13 || !type || !width || !height || !depth || !colorType) return std::nullopt;
    if (!std::equal(type->begin(), type->end(), "IHDR")) return std::nullopt;
    if (*width == 0 || *height == 0 || *width > 0x7FFFFFFFu || *height > 0x7FFFFFFFu) return std::nullopt;
    const int channels = PngChannels(*colorType, *depth);
    if (channels == 0) return std::nullopt;
    IcoDirectoryEntry e;
    e.width = static_cast<std::uint8_t>(*width);
    e.height = static_cast<std::uint8_t>(*height);
    e.colorCount = 0;
    e.planes = 1;
    e.bitCount = static_cast<std::uint16_t>(channels * *depth);
    return e;
}

std::optional<IcoDirectoryEntry> DescribeDib(const ByteReader& r)
{
    if (!r.contains(0, kIconInfoHeaderSize)) return std::nullopt;
    const std::int32_t biWidth = *r.i32(4);
    const std::int32_t biHeight = *r.i32(8);
    const std::uint16_t biPlanes = *r.u16(12);
    const std::uint16_t biBitCount = *r.u16(14);
    IcoDirectoryEntry e;
    e.width = static_cast<std::uint8_t>(biWidth);
    e.height = static_cast<std::uint8_t>(biHeight / 2); // XOR rows plus AND rows; truncates toward zero
    const std::uint64_t product = std::uint64_t{biPlanes} * biBitCount;
    e.colorCount = product < 8 ? static_cast<std::uint8_t>(1u << product) : 0;
    e.planes = biPlanes;
    e.bitCount = biBitCount;
    return e;
}

// The number a group name spells, for names that are not found as strings.
std::optional<std::uint32_t> NameAsNumber(const std::string& name)
{
    if (name.empty() || !std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    std::uint64_t value = 0;
    auto [end, ec] = std::from_chars(name.data(), name.data() + name.size(), value);
    if (ec == std::errc::result_out_of_range) return 0x10000u; // a number, but no resource can carry it
    if (ec != std::errc{} || end != name.data() + name.size()) return std::nullopt;
    return value > 0xFFFFu ? 0x10000u : static_cast<std::uint32_t>(value);
}

std::optional<std::vector<std::uint8_t>> FindGroup(const ModuleResources& module, const std::string& name)
{
    if (auto bytes = module.FindString(ResourceType::GroupIcon, name)) return bytes;
    auto number = NameAsNumber(name);
    if (!number)
        throw GlyphoraError("The icon group '" + name +
                            "' does not exist: it is neither a group name of the file nor a group number.");
    if (*number > 0xFFFFu) return std::nullopt;
    return module.FindId(ResourceType::GroupIcon, static_cast<std::uint16_t>(*number));
}

} // namespace

std::string UnableToReadText(const std::string& name, const std::filesystem::path& module, bool changed)
{
    return "Unable to read the icon " + name + " from '" + module.string() + "'" +
           (changed ? ": the file changed while it was read." : ".");
}

std::optional<IcoDirectoryEntry> DescribeIconImage(std::span<const std::uint8_t> image)
{
    const ByteReader r(image);
    return IsPngSignature(image) ? DescribePng(r) : DescribeDib(r);
}

std::optional<int> GroupIconImageCount(std::span<const std::uint8_t> groupResource)
{
    const ByteReader r(groupResource);
    auto idCount = r.u16(4);
    if (!r.contains(0, kGroupIconHeaderSize) || !idCount) return std::nullopt;
    const std::uint64_t held = (groupResource.size() - kGroupIconHeaderSize) / kGroupIconEntrySize;
    return static_cast<int>(std::min<std::uint64_t>(*idCount, held));
}

GroupIconFileBytes BuildGroupIconFile(std::span<const std::uint8_t> groupResource, const IconImageLookup& lookup)
{
    GroupIconFileBytes result;
    const auto declared = GroupIconImageCount(groupResource);
    if (!declared || *declared == 0) return result;

    const ByteReader group(groupResource);
    struct Image {
        IcoDirectoryEntry entry;
        std::vector<std::uint8_t> bytes;
    };
    std::vector<Image> images;
    std::uint64_t total = kGroupIconHeaderSize;
    for (int i = 0; i < *declared; ++i) {
        const std::uint16_t nID = *group.u16(kGroupIconHeaderSize + kGroupIconEntrySize * std::uint64_t(i) + 12);
        auto bytes = lookup(nID);
        if (!bytes) continue;
        auto entry = DescribeIconImage(*bytes);
        if (!entry) continue;
        if (total + kIcoEntrySize + bytes->size() > kMaxIconFileBytes) continue;
        total += kIcoEntrySize + bytes->size();
        if (!IsPngSignature(*bytes)) std::fill_n(bytes->begin() + 20, 4, std::uint8_t{0}); // biSizeImage
        images.push_back({*entry, std::move(*bytes)});
    }
    if (images.empty()) return result;

    const auto count = static_cast<std::uint16_t>(images.size());
    result.bytes.reserve(static_cast<std::size_t>(total));
    PutU16(result.bytes, 0);
    PutU16(result.bytes, 1);
    PutU16(result.bytes, count);
    std::uint64_t offset = kGroupIconHeaderSize + kIcoEntrySize * std::uint64_t{count};
    for (const Image& image : images) {
        result.bytes.push_back(image.entry.width);
        result.bytes.push_back(image.entry.height);
        result.bytes.push_back(image.entry.colorCount);
        result.bytes.push_back(0);
        PutU16(result.bytes, image.entry.planes);
        PutU16(result.bytes, image.entry.bitCount);
        PutU32(result.bytes, static_cast<std::uint32_t>(image.bytes.size()));
        PutU32(result.bytes, static_cast<std::uint32_t>(offset));
        offset += image.bytes.size();
    }
    for (const Image& image : images) {
        result.bytes.insert(result.bytes.end(), image.bytes.begin(), image.bytes.end());
        result.imageSizes.push_back(image.bytes.size());
    }
    result.imageCount = count;
    return result;
}

void WriteGroupIconFile(const std::filesystem::path& ModuleFileName, const std::filesystem::path& DestFileName,
                        const std::string& ResourceName, int& ImageCount, std::string& ErrorText)
{
    auto module = ModuleResources::Open(ModuleFileName);
    if (!module) return;
    WriteGroupIconFile(*module, ModuleFileName, DestFileName, ResourceName, ImageCount, ErrorText);
}

GroupIconFileRead ReadGroupIconFile(const ModuleResources& module, const std::filesystem::path& moduleFileName,
                                    const std::string& resourceName, bool buildFile)
{
    GroupIconFileRead result;
    auto group = FindGroup(module, resourceName);
    if (!group) {
        if (module.ReadFailed()) result.problem = UnableToReadText(resourceName, moduleFileName, true);
        return result;
    }
    const auto declared = GroupIconImageCount(*group);
    if (!declared) return result; // too short to be a group: as good as not loaded
    result.found = true;
    result.imageCount = *declared;
    if (!buildFile) return result;
    result.file =
        BuildGroupIconFile(*group, [&module](std::uint16_t nID) { return module.FindId(ResourceType::Icon, nID); });
    if (result.file.bytes.empty() && *declared > 0)
        result.problem = UnableToReadText(resourceName, moduleFileName, module.ReadFailed());
    else if (module.ReadFailed())
        result.problem = UnableToReadText(resourceName, moduleFileName, true);
    return result;
}

// Failure rules of the write: every failure (the destination cannot be created or written,
// or cannot replace the old file) sets ErrorText to "Cannot create|write|replace 'file':
// reason", so that no caller takes a failed write for a saved icon. Everything is read
// before the destination is touched, and the file is written in one piece through
// AtomicFile, so a group whose images cannot be read, a full disk or a vanished folder never
// truncates or replaces an existing file.
void WriteGroupIconFile(const ModuleResources& module, const std::filesystem::path& ModuleFileName,
                        const std::filesystem::path& DestFileName, const std::string& ResourceName, int& ImageCount,
                        std::string& ErrorText)
{
    GroupIconFileRead read = ReadGroupIconFile(module, ModuleFileName, ResourceName, !DestFileName.empty());
    if (!read.found) {
        ErrorText = read.problem;
        return;
    }
    ImageCount = read.imageCount;
    if (DestFileName.empty()) return;
    if (!read.problem.empty()) {
        ErrorText = read.problem;
        return;
    }
    if (read.file.bytes.empty()) return;
    AtomicFile out(DestFileName);
    if (!out.Write(read.file.bytes) || !out.Commit()) ErrorText = out.ErrorText();
}

int IcoFileImageCount(const std::filesystem::path& path)
{
    const auto file = FileReader::Open(path);
    std::uint8_t header[kGroupIconHeaderSize] = {};
    if (!file || !file->read(0, header)) return 0;
    return ByteReader(header).u16(4).value_or(0);
}

} // namespace glyphora
