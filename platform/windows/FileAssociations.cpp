// File-type associations on Windows: HKEY_CLASSES_ROOT\<extension> names a ProgID whose
// DefaultIcon key holds the icon location; an extension may also carry its own DefaultIcon.
#include "platform/FileAssociations.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "platform/windows/WideText.h"

#include <optional>
#include <vector>

namespace glyphora {

namespace {

// The default (unnamed) string value of HKEY_CLASSES_ROOT\keyPath, read-only.
std::optional<std::wstring> DefaultValue(const std::wstring& keyPath)
{
    DWORD bytes = 0;
    if (::RegGetValueW(HKEY_CLASSES_ROOT, keyPath.c_str(), nullptr, RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND,
                       nullptr, nullptr, &bytes) != ERROR_SUCCESS ||
        bytes == 0)
        return std::nullopt;
    std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 1, L'\0');
    if (::RegGetValueW(HKEY_CLASSES_ROOT, keyPath.c_str(), nullptr, RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND,
                       nullptr, buffer.data(), &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(buffer.data());
}

} // namespace

std::string ReadDefaultIconRegistration(const std::string& extension)
{
    if (extension.empty()) return {};
    const std::wstring ext = Widen(extension);
    if (auto own = DefaultValue(ext + L"\\DefaultIcon")) return Narrow(*own);
    if (auto progId = DefaultValue(ext); progId && !progId->empty())
        if (auto icon = DefaultValue(*progId + L"\\DefaultIcon")) return Narrow(*icon);
    return {};
}

} // namespace glyphora
