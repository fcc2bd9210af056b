// Icon sources: the icon list of a file and the resolution of an icon to its group.
#include "iconengine/IconSources.h"

#include "iconengine/GroupIconFile.h"
#include "platform/FileTypeIcons.h"
#include "platform/Files.h"
#include "platform/GlyphoraError.h"
#include "iconengine/IconExtraction.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdlib>
#include <memory>

namespace glyphora {

namespace fs = std::filesystem;

int IconSizeFor(IconSizing sizing)
{
    return sizing == IconSizing::Small ? kSmallIconSize : kLargeIconSize;
}

std::string LowerExtension(const fs::path& path)
{
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

LoadedIcons LoadFileIcons(const fs::path& fileName, IconSizing sizing)
{
    LoadedIcons result;
    const int size = IconSizeFor(sizing);
    if (FileHasIcons(fileName)) {
        result.icons = ExtractFileIcons(fileName, size);
        result.associated = false;
        return result;
    }
    IconHandle shellIcon = CurrentFileTypeIconProvider().IconForFile(fileName, size);
    if (!shellIcon.isNull()) result.icons.push_back(std::move(shellIcon));
    result.associated = true;
    return result;
}

std::vector<std::string> EnumGroupIconNames(const ModuleResources& module)
{
    std::vector<std::string> names;
    for (const ResourceName& name : module.EnumNames(ResourceType::GroupIcon)) {
        if (name.isString)
            names.push_back(!name.text.empty() && name.text.front() == '#' ? name.text.substr(1) : name.text);
        else
            names.push_back(std::to_string(name.id));
    }
    return names;
}

namespace {

std::string Trim(const std::string& s)
{
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

bool EqualsIgnoringCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

// %NAME% references replaced by the environment's values; unknown names stay as written.
std::string ExpandEnvironmentReferences(const std::string& text)
{
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto open = text.find('%', i);
        if (open == std::string::npos) {
            out += text.substr(i);
            break;
        }
        const auto close = text.find('%', open + 1);
        if (close == std::string::npos) {
            out += text.substr(i);
            break;
        }
        out += text.substr(i, open - i);
        const std::string name = text.substr(open + 1, close - open - 1);
        const char* value = name.empty() ? nullptr : std::getenv(name.c_str());
        if (value) {
            out += value;
            i = close + 1;
        } else {
            out += text.substr(open, close - open); // keep "%NAME", the closing % may open another
            i = close;
        }
    }
    return out;
}

} // namespace

std::string NormalizeDefaultIconLocation(std::string value)
{
    if (value.find('%') != std::string::npos) value = ExpandEnvironmentReferences(value);
    if (const auto pct = value.find('%'); pct != std::string::npos) value.erase(pct);
    if (!value.empty() && value.front() == '"') value.erase(0, 1);
    if (!value.empty() && value.back() == '"') value.pop_back();
    while (!value.empty() && (value.back() == ' ' || value.back() == '"')) value.pop_back();
    return value;
}

std::string GetDefaultIconLocation(const std::string& extension)
{
    return NormalizeDefaultIconLocation(CurrentFileTypeIconProvider().DefaultIconRegistration(extension));
}

void ExtractIconGroup(const fs::path& fileName, const fs::path& destFileName, int index, int& imageCount,
                      std::string& errorText)
{
    imageCount = 0;
    const std::string ext = LowerExtension(fileName);
    if (ext == ".ico") {
        if (!destFileName.empty())
            errorText = CopyFileReplace(fileName, destFileName);
        else
            imageCount = IcoFileImageCount(fileName);
        return;
    }

    fs::path modulePath;
    std::unique_ptr<ModuleResources> module;
    if (ext == ".exe" || ext == ".dll" || ext == ".ocx") {
        modulePath = fileName;
    } else {
        const std::string location = GetDefaultIconLocation(ext);
        if (const auto comma = location.find(','); comma != std::string::npos) {
            modulePath = Trim(location.substr(0, comma));
            const std::string indexText = Trim(location.substr(comma + 1));
            int parsed = 0;
            const auto [end, ec] = std::from_chars(indexText.data(), indexText.data() + indexText.size(), parsed);
            index = (ec == std::errc{} && end == indexText.data() + indexText.size()) ? parsed : 0;
        } else {
            modulePath = location;
        }
        // No association names a module (always so on Linux): a file that is itself a PE
        // module (.cpl, .scr, .efi, .mui, .sys, ...) is its own module.
        if (modulePath.empty() && (module = ModuleResources::Open(fileName)))
            modulePath = fileName;
    }
    if (modulePath.empty()) return;

    if (!module) module = ModuleResources::Open(modulePath);
    if (!module) return;
    const std::vector<std::string> names = EnumGroupIconNames(*module);
    if (names.empty()) return;

    if (index < 0) {
        const std::string wanted = std::to_string(-static_cast<long long>(index));
        const auto it = std::find_if(names.begin(), names.end(), [&](const std::string& n) { return EqualsIgnoringCase(n, wanted); });
        index = it == names.end() ? 0 : static_cast<int>(it - names.begin());
    }
    if (static_cast<std::size_t>(index) >= names.size())
        throw GlyphoraError("Icon " + std::to_string(index + 1) + " does not exist in '" + modulePath.string() + "': it holds " +
                            std::to_string(names.size()) + " icon(s).");
    WriteGroupIconFile(*module, modulePath, destFileName, names[static_cast<std::size_t>(index)], imageCount, errorText);
}

} // namespace glyphora
