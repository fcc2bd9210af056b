// Group names and image counts of a file's icons.
#include "iconengine/IconGroupFacts.h"

#include "formats/ModuleResources.h"
#include "iconengine/GroupIconFile.h"
#include "iconengine/IconSources.h"

#include <exception>

namespace glyphora {

namespace fs = std::filesystem;

namespace {

std::optional<int> CountOrNothing(int imageCount, const std::string& errorText)
{
    return errorText.empty() ? std::optional<int>(imageCount) : std::nullopt;
}

} // namespace

std::optional<int> GroupImageCount(const fs::path& file, int index)
{
    int imageCount = 0;
    std::string errorText;
    try {
        ExtractIconGroup(file, {}, index, imageCount, errorText);
    } catch (const std::exception& e) {
        // A group that cannot be read counts as unreadable, not as an error to report.
        errorText = e.what();
    }
    return CountOrNothing(imageCount, errorText);
}

std::vector<IconGroupFacts> ReadIconGroupFacts(const fs::path& file, int count)
{
    std::vector<IconGroupFacts> facts(static_cast<std::size_t>(count > 0 ? count : 0));
    const std::string ext = LowerExtension(file);
    if (!IsModuleExtension(ext)) {
        for (int i = 0; i < count; ++i) {
            IconGroupFacts& f = facts[static_cast<std::size_t>(i)];
            if (ext == ".ico") f.name = file.filename().string();
            f.imageCount = GroupImageCount(file, i);
        }
        return facts;
    }

    // A module is opened once for all its groups; the counts follow ExtractIconGroup's rules:
    // an unreadable module counts 0 images, an icon past the last group is unreadable.
    const std::unique_ptr<ModuleResources> module = ModuleResources::Open(file);
    const std::vector<std::string> names = module ? EnumGroupIconNames(*module) : std::vector<std::string>{};
    for (int i = 0; i < count; ++i) {
        IconGroupFacts& f = facts[static_cast<std::size_t>(i)];
        if (!module || names.empty()) {
            f.imageCount = 0;
            continue;
        }
        if (static_cast<std::size_t>(i) >= names.size()) continue;
        f.name = names[static_cast<std::size_t>(i)];
        int imageCount = 0;
        std::string errorText;
        try {
            WriteGroupIconFile(*module, file, {}, f.name, imageCount, errorText);
        } catch (const std::exception& e) {
            errorText = e.what();
        }
        f.imageCount = CountOrNothing(imageCount, errorText);
    }
    return facts;
}

} // namespace glyphora
