// The thumbnail of a file's first icon.
#include "export/Thumbnail.h"

#include "export/TransparentPng.h"
#include "formats/IconChoice.h"
#include "formats/IconImageDecoder.h"
#include "platform/GlyphoraError.h"
#include "raster/AlphaIcon.h"
#include "raster/RasterDraw.h"

#include <algorithm>

namespace glyphora {
namespace {

// An image that fails to decode hands over to the next best, a few times at most.
constexpr std::size_t kMaxDecodeAttempts = 3;

bool WithinThumbnailCeiling(const IconImageInfo& info)
{
    return static_cast<std::uint64_t>(info.width) * static_cast<std::uint64_t>(info.height) <=
           kMaxThumbnailSourcePixels;
}

// The picture of one decoded image at most size pixels a side, keeping its proportions.
std::vector<std::uint8_t> Fitted(const IconHandle& icon, int size)
{
    const int longest = std::max(icon.width, icon.height);
    if (longest <= size) return TransparentPng(icon);
    const auto scaled = [&](int side) {
        return std::max(1, static_cast<int>((static_cast<std::int64_t>(side) * size + longest / 2) / longest));
    };
    return TransparentPng(ScaleIcon(WithAlpha(icon), scaled(icon.width), scaled(icon.height)));
}

} // namespace

Thumbnail MakeThumbnail(const IconGroupReader& reader, int size)
{
    Thumbnail result;
    if (size < kMinThumbnailSize || size > kMaxThumbnailSize) {
        result.problem = "the size " + std::to_string(size) + " is not one from " + std::to_string(kMinThumbnailSize) +
                         " to " + std::to_string(kMaxThumbnailSize);
        return result;
    }
    if (reader.GroupCount() == 0) {
        result.problem = "it holds no icons";
        return result;
    }
    const auto images = reader.Images(0);
    std::vector<std::optional<IconImageInfo>> infos;
    for (const auto& image : images)
        infos.push_back(image.info && WithinThumbnailCeiling(*image.info) ? image.info : std::nullopt);
    const auto order = RankIconImages(infos, size);
    for (std::size_t attempt = 0; attempt < order.size() && attempt < kMaxDecodeAttempts; ++attempt) {
        const auto bytes = reader.ImageBytes(0, images[order[attempt]].position, kMaxThumbnailSourceBytes);
        if (!bytes) continue;
        const auto icon = DecodeIconImage(*bytes);
        if (!icon || icon->isNull()) continue;
        try {
            if (IsPngSignature(*bytes) && std::max(icon->width, icon->height) <= size)
                result.png = *bytes;
            else
                result.png = Fitted(*icon, size);
            return result;
        } catch (const GlyphoraError&) {
            continue; // a damaged image: the next best serves
        }
    }
    result.problem = reader.SourceChanged() ? "the file changed while it was read"
                     : images.empty()       ? "its first icon holds no images"
                                            : "no image of its first icon can be read";
    return result;
}

Thumbnail MakeThumbnail(const std::filesystem::path& input, int size)
{
    std::string why;
    const auto reader = IconGroupReader::Open(input, why);
    if (!reader) return Thumbnail{{}, why};
    return MakeThumbnail(*reader, size);
}

} // namespace glyphora
