// Folder and name joins with the native separator.
#include "scan/PathJoin.h"

namespace glyphora {

namespace {

bool EndsInSeparator(const std::filesystem::path::string_type& text)
{
    if (text.empty()) return false;
    const auto last = text.back();
    return last == std::filesystem::path::preferred_separator || last == '/';
}

} // namespace

std::filesystem::path AddTrailingBackslash(const std::filesystem::path& path)
{
    auto text = path.native();
    if (!text.empty() && !EndsInSeparator(text)) text += std::filesystem::path::preferred_separator;
    return text;
}

std::filesystem::path JoinPath(const std::filesystem::path& folder, const std::filesystem::path& name)
{
    auto text = folder.native();
    if (!EndsInSeparator(text)) text += std::filesystem::path::preferred_separator;
    text += name.native();
    return text;
}

std::string PathText(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::filesystem::path PathFromText(const std::string& text)
{
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

} // namespace glyphora
