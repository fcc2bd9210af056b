// Writing a live icon as a single-image .ico file or into a stream, and the temporary-file
// helpers the stream writer needs.
#include "iconengine/IconRendering.h"

#include "iconengine/GroupIconFile.h"
#include "platform/Files.h"
#include "platform/OutputFile.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <system_error>

namespace glyphora {

namespace fs = std::filesystem;

namespace {

// Characters, not bytes: on systems with narrow paths these are UTF-8, so continuation
// bytes do not start a character.
std::size_t CharacterCount(const fs::path& path)
{
    const auto& native = path.native();
    if constexpr (sizeof(fs::path::value_type) == 1) {
        return static_cast<std::size_t>(std::count_if(native.begin(), native.end(), [](auto c) {
            return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        }));
    } else {
        return native.size();
    }
}

// A colour image whose description can be read (our counterpart of GetObject succeeding).
bool IsDescribable(const Bitmap& b)
{
    return !b.empty() && b.pixels.size() == std::size_t(b.width) * std::size_t(b.height);
}

std::vector<std::uint8_t> IcoHeaderAndEntry(const ConvertedBitmap& color, const ConvertedBitmap& mask)
{
    const std::uint32_t bytesInRes = static_cast<std::uint32_t>(color.header.info.size()) +
                                     color.header.sizeImage + mask.header.sizeImage;
    const int bits = color.header.bitCount;
    std::vector<std::uint8_t> out = {0, 0, 1, 0, 1, 0,
                                     static_cast<std::uint8_t>(color.width),
                                     static_cast<std::uint8_t>(color.height),
                                     static_cast<std::uint8_t>(bits < 8 ? 1u << bits : 0u),
                                     0, 1, 0,
                                     static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8)};
    for (std::uint32_t v : {bytesInRes, std::uint32_t{kGroupIconHeaderSize + kIcoEntrySize}})
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    return out;
}

// Removes a file when it goes out of scope, whatever path the caller took.
struct FileRemover {
    fs::path path;
    ~FileRemover()
    {
        std::error_code ec;
        fs::remove(path, ec);
    }
};

fs::path ExistingFolderFromEnvironment(const char* name)
{
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0' || !DirectoryExists(value)) return {};
    return value;
}

} // namespace

int SaveIconToFile(const fs::path& fileName, const IconHandle& icon, const IconErrorDisplay& showError)
{
    if (CharacterCount(fileName) < 4) return -1;
    if (icon.isNull()) return -2;

    Bitmap mask = icon.mask;
    std::optional<Bitmap> color = icon.color;
    if (!color && !mask.empty()) {
        Bitmap xorImage = SplitMonochromeIcon(mask);
        if (!xorImage.empty()) color = std::move(xorImage);
    }
    if (!color) return -3;

    std::optional<ConvertedBitmap> colorRows;
    if (!IsDescribable(*color)) {
        if (showError) showError("GetObject did NOT work", "ERROR GetObject");
    } else {
        colorRows = ConvertIconBitmap(*color, GetBitmapColorDepth(*color));
    }
    const std::optional<ConvertedBitmap> maskRows = ConvertIconBitmap(mask, IconColorDepth::Bits1);
    if (!colorRows || !maskRows) return -4;
    if (colorRows->header.info.empty() || colorRows->rows.empty() || maskRows->rows.empty()) return -5;

    // The image header of an icon counts the XOR rows and the AND rows.
    std::vector<std::uint8_t> info = colorRows->header.info;
    const auto doubled = static_cast<std::uint32_t>(2 * std::int64_t{colorRows->height});
    for (int i = 0; i < 4; ++i) info[8 + i] = static_cast<std::uint8_t>(doubled >> (8 * i));
    const std::vector<std::uint8_t> directory = IcoHeaderAndEntry(*colorRows, *maskRows);

    OutputFile out(fileName);
    if (!out.IsOpen()) return -6;
    std::uint64_t total = 0;
    for (std::span<const std::uint8_t> part : {std::span<const std::uint8_t>(directory), std::span<const std::uint8_t>(info),
                                               std::span<const std::uint8_t>(colorRows->rows),
                                               std::span<const std::uint8_t>(maskRows->rows)}) {
        const std::size_t written = out.Write(part);
        total += written;
        if (written != part.size()) {
            out.Close();
            std::error_code ec;
            fs::remove(fileName, ec);
            return -7;
        }
    }
    if (!out.Close()) {
        std::error_code ec;
        fs::remove(fileName, ec);
        return -7;
    }
    return static_cast<int>(total);
}

void SaveIconToStream(std::ostream& stream, const IconHandle& icon)
{
    const fs::path folder = GetTempDirectory();
    const FileRemover temporary{folder / (MakeUniqueFileName(folder, "qziff", "tmp") + ".tmp")};
    if (SaveIconToFile(temporary.path, icon) <= 0) return;
    std::ifstream in(temporary.path, std::ios::binary);
    if (in) stream << in.rdbuf();
}

fs::path GetTempDirectory()
{
    fs::path folder = ExistingFolderFromEnvironment("TMP");
    if (folder.empty()) folder = ExistingFolderFromEnvironment("TEMP");
    if (folder.empty()) {
        folder = SystemTempPath();
        if (!DirectoryExists(folder)) folder.clear();
    }
    if (folder.empty()) folder = ProgramFilePath().parent_path();
    std::error_code ec;
    fs::path absolute = fs::absolute(folder, ec);
    if (ec || absolute.empty()) absolute = fs::current_path(ec);
    return absolute / ""; // appends the separator unless there is one
}

std::string MakeUniqueFileName(const fs::path& folder, const std::string& base, const std::string& extension)
{
    const fs::path dir = folder.empty() ? fs::path("/").make_preferred() : folder / "";
    const std::string stem = fs::path(base).filename().stem().string();
    const std::string ext = !extension.empty() && extension.front() == '.' ? extension.substr(1) : extension;
    std::string name = stem;
    std::error_code ec;
    for (unsigned long counter = 1; fs::exists(dir / (name + "." + ext), ec); ++counter)
        name = stem + std::to_string(counter);
    return name;
}

} // namespace glyphora
