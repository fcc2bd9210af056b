// File names of the save paths.
#include "export/SaveNames.h"

#include "iconengine/IconRendering.h"

namespace glyphora {

namespace fs = std::filesystem;

fs::path WithDefaultExtension(const fs::path& fileName, const std::string& extension)
{
    const std::string name = fileName.filename().string();
    const auto dot = name.rfind('.');
    const bool hasExtension = dot != std::string::npos && dot + 1 < name.size();
    if (hasExtension) return fileName;
    fs::path result = fileName;
    result += "." + extension;
    return result;
}

std::string UniqueSaveName(const fs::path& folder, const fs::path& sourceFileName, const std::string& extension)
{
    // Same rule as the temporary-file names: the stem, then stem + 1, 2, ... until free.
    return MakeUniqueFileName(folder, sourceFileName.filename().string(), extension);
}

std::string DefaultExtensionFromFilter(const std::string& filter, int filterIndex)
{
    std::string rest = filter;
    for (int step = 0; step < filterIndex; ++step) {
        const auto open = rest.find('(');
        rest = open == std::string::npos ? std::string{} : rest.substr(open + 1);
    }
    const auto dot = rest.find('.');
    const auto close = rest.find(')');
    if (dot == std::string::npos || close == std::string::npos || close < dot) return {};
    std::string ext = rest.substr(dot + 1, close - dot - 1);
    return ext == "*" ? std::string{} : ext;
}

} // namespace glyphora
