// The settings folders on Windows: %APPDATA%\Glyphora (the roaming application data folder),
// and the writability test by creating a file that deletes itself when closed.
#include "platform/SettingsLocation.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <shlobj.h>

#include <random>
#include <string>

namespace glyphora {

std::filesystem::path UserSettingsFolder()
{
    PWSTR folder = nullptr;
    std::filesystem::path result;
    if (SUCCEEDED(::SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &folder)))
        result = std::filesystem::path(folder) / L"Glyphora";
    ::CoTaskMemFree(folder);
    return result;
}

bool FolderIsWritable(const std::filesystem::path& folder)
{
    if (folder.empty()) return false;
    std::random_device random;
    for (int attempt = 0; attempt < 20; ++attempt) {
        const std::filesystem::path probe = folder / (L"~glyphora-probe-" + std::to_wstring(random()));
        HANDLE h = ::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            ::CloseHandle(h);
            return true;
        }
        const DWORD code = ::GetLastError();
        if (code != ERROR_FILE_EXISTS && code != ERROR_ALREADY_EXISTS) return false;
    }
    return false;
}

} // namespace glyphora
