// Paths the system gives the program on Windows: its own file and the temporary folder.
#include "platform/Files.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <vector>

namespace glyphora {

std::filesystem::path ProgramFilePath()
{
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return {};
        if (n < buffer.size()) return std::filesystem::path(std::wstring(buffer.data(), n));
        if (buffer.size() >= 32768) return {};
        buffer.resize(buffer.size() * 2);
    }
}

// GetTempPathW, which itself looks at TMP, TEMP and USERPROFILE before the Windows folder.
std::filesystem::path SystemTempPath()
{
    wchar_t buffer[MAX_PATH + 1];
    const DWORD n = ::GetTempPathW(MAX_PATH + 1, buffer);
    if (n == 0 || n > MAX_PATH) return {};
    return std::filesystem::path(std::wstring(buffer, n));
}

} // namespace glyphora
