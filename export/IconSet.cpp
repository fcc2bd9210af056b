// Icon sets of a group's images.
#include "export/IconSet.h"

#include "export/TransparentPng.h"
#include "formats/IconChoice.h"
#include "platform/AtomicFile.h"

#include <map>
#include <system_error>
#include <tuple>
#include <utility>

namespace glyphora {
namespace {

// No image of a set is read past this size; a larger one is reported and skipped.
constexpr std::uint64_t kMaxSetImageBytes = 64u * 1024u * 1024u;

std::string SizeText(const IconImageInfo& info)
{
    return std::to_string(info.width) + "x" + std::to_string(info.height);
}

std::vector<IconSetFile> FlatPlan(const std::vector<GroupImageInfo>& images, const std::string& name)
{
    std::map<std::pair<int, int>, int> perSize;
    std::map<std::tuple<int, int, int>, int> perDepth;
    for (const auto& image : images)
        if (image.info) {
            ++perSize[{image.info->width, image.info->height}];
            ++perDepth[{image.info->width, image.info->height, image.info->bitCount}];
        }
    std::vector<IconSetFile> files;
    std::map<std::tuple<int, int, int>, int> seen;
    for (const auto& image : images) {
        if (!image.info) continue;
        const IconImageInfo& info = *image.info;
        std::string file = name + "-" + SizeText(info);
        if (perSize[{info.width, info.height}] > 1) file += "-" + std::to_string(info.bitCount) + "bit";
        const int copy = ++seen[{info.width, info.height, info.bitCount}];
        if (copy > 1) file += "-" + std::to_string(copy);
        files.push_back({file + ".png", image.position});
    }
    return files;
}

std::vector<IconSetFile> ThemePlan(const std::vector<GroupImageInfo>& images, const std::string& name)
{
    std::vector<IconSetFile> files;
    for (const int size : kThemeIconSizes) {
        std::vector<std::optional<IconImageInfo>> square;
        for (const auto& image : images)
            square.push_back(image.info && image.info->width == size && image.info->height == size ? image.info
                                                                                                   : std::nullopt);
        const auto order = RankIconImages(square, size);
        if (order.empty()) continue;
        const std::string folder = std::to_string(size) + "x" + std::to_string(size);
        files.push_back({std::filesystem::path(folder) / "apps" / (name + ".png"), images[order.front()].position});
    }
    return files;
}

} // namespace

std::vector<IconSetFile> PlanIconSet(const std::vector<GroupImageInfo>& images, const std::string& name,
                                     IconSetLayout layout)
{
    return layout == IconSetLayout::Theme ? ThemePlan(images, name) : FlatPlan(images, name);
}

std::string SafeIconName(const std::string& text)
{
    std::string name;
    for (const char c : text) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
                           c == '_' || c == '-';
        const char safe = plain ? c : '-';
        if (safe == '-' && !name.empty() && name.back() == '-') continue;
        if ((safe == '-' || safe == '.') && name.empty()) continue;
        name += safe;
    }
    while (!name.empty() && name.back() == '-')
        name.pop_back();
    return name.empty() ? "icon" : name;
}

std::string DefaultIconSetName(const std::filesystem::path& source)
{
    std::string stem = source.stem().string();
    for (char& c : stem)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return SafeIconName(stem);
}

IconSetResult SaveIconSet(const IconGroupReader& reader, std::size_t group, const std::filesystem::path& folder,
                          const std::string& name, IconSetLayout layout)
{
    IconSetResult result;
    const auto images = reader.Images(group);
    const auto plan = PlanIconSet(images, SafeIconName(name), layout);
    if (plan.empty()) {
        result.problem = images.empty() ? "the icon holds no images"
                         : layout == IconSetLayout::Theme
                             ? "the icon holds no square image of a standard icon-theme size"
                             : "no image of the icon can be read";
        return result;
    }
    for (const IconSetFile& file : plan) {
        const auto bytes = reader.ImageBytes(group, file.position, kMaxSetImageBytes);
        const auto png = bytes ? TransparentPngOfImage(*bytes) : std::nullopt;
        if (!png) {
            result.problem = "the image for " + file.relative.generic_string() + " cannot be read";
            continue;
        }
        const std::filesystem::path target = folder / file.relative;
        std::error_code error;
        std::filesystem::create_directories(target.parent_path(), error);
        if (error)
            throw OutputError("Cannot create the folder '" + target.parent_path().string() + "': " + error.message());
        WriteFileAtomically(target, *png);
        result.written.push_back(target);
    }
    return result;
}

IconSetRun SaveIconSets(const std::filesystem::path& source, const std::filesystem::path& folder, int iconNumber,
                        const std::string& name, IconSetLayout layout)
{
    IconSetRun run;
    std::string why;
    const auto reader = IconGroupReader::Open(source, why);
    if (!reader || reader->GroupCount() == 0) return run;
    const std::size_t groups = reader->GroupCount();
    if (iconNumber < 0 || static_cast<std::size_t>(iconNumber) > groups) {
        run.problem = "There is no icon " + std::to_string(iconNumber) + " in '" + source.string() + "'; it holds " +
                      std::to_string(groups) + ".";
        return run;
    }
    const std::string base = name.empty() ? DefaultIconSetName(source) : name;
    const std::size_t first = iconNumber == 0 ? 0 : static_cast<std::size_t>(iconNumber) - 1;
    const std::size_t end = iconNumber == 0 ? groups : first + 1;
    for (std::size_t group = first; group < end; ++group) {
        const std::string setName = iconNumber == 0 ? base + "-" + std::to_string(group + 1) : base;
        IconSetResult set = SaveIconSet(*reader, group, folder, setName, layout);
        run.written += static_cast<int>(set.written.size());
        if (!set.problem.empty() && run.problem.empty())
            run.problem = "Icon " + std::to_string(group + 1) + ": " + set.problem + ".";
    }
    if (reader->SourceChanged()) run.problem = "'" + source.string() + "' changed while its icons were read.";
    return run;
}

} // namespace glyphora
