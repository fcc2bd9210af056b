// Icon sources: the icon list of a file and the resolution of an icon to its group.
#include "iconengine/IconSources.h"

#include "formats/ByteReader.h"
#include "iconengine/FileTypeIcons.h"
#include "iconengine/GroupIconFile.h"
#include "iconengine/IconExtraction.h"
#include "platform/AsciiText.h"
#include "platform/AtomicFile.h"
#include "platform/FileAssociations.h"
#include "platform/FileReader.h"
#include "platform/Files.h"
#include "platform/GlyphoraError.h"

#include <algorithm>
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
    return AsciiLower(path.extension().string());
}

bool IsModuleExtension(const std::string& lowerExtension)
{
    return lowerExtension == ".exe" || lowerExtension == ".dll" || lowerExtension == ".ocx" || lowerExtension == ".icl";
}

LoadedIcons LoadFileIcons(const fs::path& fileName, IconSizing sizing, const FileTypeIconProvider& fileTypes)
{
    LoadedIcons result;
    const int size = IconSizeFor(sizing);
    if (FileHasIcons(fileName)) {
        ExtractedIcons extracted = ExtractFileIconsChecked(fileName, size);
        result.icons = std::move(extracted.icons);
        result.sourceChanged = extracted.sourceChanged;
        result.associated = false;
        return result;
    }
    IconHandle shellIcon = fileTypes.IconForFile(fileName, size);
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
    while (!value.empty() && (value.back() == ' ' || value.back() == '"'))
        value.pop_back();
    return value;
}

std::string GetDefaultIconLocation(const std::string& extension)
{
    return NormalizeDefaultIconLocation(ReadDefaultIconRegistration(extension));
}

IconGroupSource::IconGroupSource(const fs::path& fileName) : fileName_(fileName)
{
    const std::string ext = LowerExtension(fileName);
    if (ext == ".ico") {
        iconFile_ = true;
        return;
    }
    if (IsModuleExtension(ext)) {
        modulePath_ = fileName;
    } else {
        const std::string location = GetDefaultIconLocation(ext);
        if (const auto comma = location.find(','); comma != std::string::npos) {
            modulePath_ = std::string(Trim(std::string_view(location).substr(0, comma)));
            const std::string_view indexText = Trim(std::string_view(location).substr(comma + 1));
            int parsed = 0;
            const auto [end, ec] = std::from_chars(indexText.data(), indexText.data() + indexText.size(), parsed);
            associatedIndex_ = (ec == std::errc{} && end == indexText.data() + indexText.size()) ? parsed : 0;
        } else {
            modulePath_ = location;
        }
        // No association names a module (always so on Linux): a file that is itself a module
        // (.cpl, .scr, .efi, .mui, .sys, a 16-bit .drv, ...) is its own module.
        if (modulePath_.empty() && (module_ = ModuleResources::Open(fileName))) modulePath_ = fileName;
    }
    if (modulePath_.empty()) return;
    if (!module_) module_ = ModuleResources::Open(modulePath_);
    if (module_) names_ = EnumGroupIconNames(*module_);
}

IconGroupSource::~IconGroupSource() = default;

IconGroupSource::Saved IconGroupSource::Save(int index, const fs::path& dest, FreeSpaceLimit* space) const
{
    Saved saved;
    if (iconFile_) {
        if (dest.empty())
            saved.imageCount = IcoFileImageCount(fileName_);
        else
            saved.problem = CopyIconFile(fileName_, dest, space);
        return saved;
    }
    if (names_.empty()) return saved;
    if (associatedIndex_) index = *associatedIndex_;
    if (index < 0) {
        const std::string wanted = std::to_string(-static_cast<long long>(index));
        const auto it = std::find_if(names_.begin(), names_.end(),
                                     [&](const std::string& n) { return EqualsIgnoringCase(n, wanted); });
        index = it == names_.end() ? 0 : static_cast<int>(it - names_.begin());
    }
    if (static_cast<std::size_t>(index) >= names_.size())
        throw GlyphoraError("Icon " + std::to_string(index + 1) + " does not exist in '" + modulePath_.string() +
                            "': it holds " + std::to_string(names_.size()) + " icon(s).");
    const std::string& name = names_[static_cast<std::size_t>(index)];
    const GroupIconFileRead read = ReadGroupIconFile(*module_, modulePath_, name, !dest.empty());
    saved.problem = read.problem;
    if (!read.found) {
        // The directory lists the group but its bytes are gone (outside a cut file, or too
        // short to be a group): a group asked for that cannot be saved.
        if (!dest.empty() && saved.problem.empty())
            saved.problem = UnableToReadText(name, modulePath_, module_->ReadFailed());
        return saved;
    }
    saved.imageCount = read.imageCount;
    if (dest.empty() || !saved.problem.empty()) return saved;
    if (read.file.bytes.empty()) {
        // A group of no images gives no file; asked for, that is a group that cannot be saved.
        saved.problem = "The icon " + name + " of '" + modulePath_.string() + "' holds no images.";
        return saved;
    }
    WriteFileAtomically(dest, read.file.bytes, Durability::Normal, space);
    return saved;
}

std::string CopyIconFile(const fs::path& source, const fs::path& dest, FreeSpaceLimit* space)
{
    constexpr std::uint64_t kMaxIconFileCopy = 128u * 1024u * 1024u;
    std::string reason;
    const auto bytes = ReadFileBytes(source, kMaxIconFileCopy, &reason);
    if (!bytes) return "Cannot read '" + source.string() + "': " + reason;
    const ByteReader header(*bytes);
    if (header.u16(0) != 0 || header.u16(2) != 1 || header.u16(4).value_or(0) == 0)
        return "'" + source.string() + "' is not an icon file: it holds no icon images.";
    WriteFileAtomically(dest, *bytes, Durability::Normal, space);
    return {};
}

void ExtractIconGroup(const fs::path& fileName, const fs::path& destFileName, int index, int& imageCount,
                      std::string& errorText)
{
    imageCount = 0;
    const IconGroupSource source(fileName);
    try {
        const IconGroupSource::Saved saved = source.Save(index, destFileName);
        // A copied icon file reports no count, as before: the copy is the whole result.
        if (!source.IsIconFile() || destFileName.empty()) imageCount = saved.imageCount;
        if (!saved.problem.empty()) errorText = saved.problem;
    } catch (const OutputError& e) {
        errorText = e.what();
    }
}

} // namespace glyphora
