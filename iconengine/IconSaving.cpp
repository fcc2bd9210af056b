// Writing a live icon as a single-image .ico file or into a stream, and the temporary-folder
// helpers.
#include "iconengine/IconRendering.h"

#include "iconengine/GroupIconFile.h"
#include "platform/AtomicFile.h"
#include "platform/Files.h"

#include <algorithm>
#include <cstdlib>
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
        return static_cast<std::size_t>(std::count_if(
            native.begin(), native.end(), [](auto c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
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
    const std::uint32_t bytesInRes =
        static_cast<std::uint32_t>(color.header.info.size()) + color.header.sizeImage + mask.header.sizeImage;
    const int bits = color.header.bitCount;
    std::vector<std::uint8_t> out = {0,
                                     0,
                                     1,
                                     0,
                                     1,
                                     0,
                                     static_cast<std::uint8_t>(color.width),
                                     static_cast<std::uint8_t>(color.height),
                                     static_cast<std::uint8_t>(bits < 8 ? 1u << bits : 0u),
                                     0,
                                     1,
                                     0,
                                     static_cast<std::uint8_t>(bits),
                                     static_cast<std::uint8_t>(bits >> 8)};
    for (std::uint32_t v : {bytesInRes, std::uint32_t{kGroupIconHeaderSize + kIcoEntrySize}})
        for (int i = 0; i < 4; ++i)
            out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    return out;
}

fs::path ExistingFolderFromEnvironment(const char* name)
{
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0' || !DirectoryExists(value)) return {};
    return value;
}

} // namespace

std::vector<std::uint8_t> IconFileBytes(const IconHandle& icon, int& code, const IconErrorDisplay& showError)
{
    code = 0;
    if (icon.isNull()) {
        code = -2;
        return {};
    }

    Bitmap mask = icon.mask;
    std::optional<Bitmap> color = icon.color;
    if (!color && !mask.empty()) {
        Bitmap xorImage = SplitMonochromeIcon(mask);
        if (!xorImage.empty()) color = std::move(xorImage);
    }
    if (!color) {
        code = -3;
        return {};
    }

    std::optional<ConvertedBitmap> colorRows;
    if (!IsDescribable(*color)) {
        if (showError) showError("GetObject did NOT work", "ERROR GetObject");
    } else {
        colorRows = ConvertIconBitmap(*color, GetBitmapColorDepth(*color));
    }
    const std::optional<ConvertedBitmap> maskRows = ConvertIconBitmap(mask, IconColorDepth::Bits1);
    if (!colorRows || !maskRows) {
        code = -4;
        return {};
    }
    if (colorRows->header.info.empty() || colorRows->rows.empty() || maskRows->rows.empty()) {
        code = -5;
        return {};
    }

    // The image header of an icon counts the XOR rows and the AND rows.
    std::vector<std::uint8_t> info = colorRows->header.info;
    const auto doubled = static_cast<std::uint32_t>(2 * std::int64_t{colorRows->height});
    for (int i = 0; i < 4; ++i)
        info[8 + i] = static_cast<std::uint8_t>(doubled >> (8 * i));

    std::vector<std::uint8_t> bytes = IcoHeaderAndEntry(*colorRows, *maskRows);
    bytes.reserve(bytes.size() + info.size() + colorRows->rows.size() + maskRows->rows.size());
    bytes.insert(bytes.end(), info.begin(), info.end());
    bytes.insert(bytes.end(), colorRows->rows.begin(), colorRows->rows.end());
    bytes.insert(bytes.end(), maskRows->rows.begin(), maskRows->rows.end());
    return bytes;
}

int SaveIconToFile(const fs::path& fileName, const IconHandle& icon, const IconErrorDisplay& showError)
{
    if (CharacterCount(fileName) < 4) return -1;
    int code = 0;
    const std::vector<std::uint8_t> bytes = IconFileBytes(icon, code, showError);
    if (code != 0) return code;

    AtomicFile out(fileName);
    if (!out.IsOpen()) return -6;
    if (!out.Write(bytes) || !out.Commit()) return -7;
    return static_cast<int>(bytes.size());
}

void SaveIconToStream(std::ostream& stream, const IconHandle& icon)
{
    int code = 0;
    const std::vector<std::uint8_t> bytes = IconFileBytes(icon, code);
    if (code != 0) return;
    stream.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
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
