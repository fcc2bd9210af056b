// Folder listing on Windows: FindFirstFileExW over "folder\*" with the attributes it reports.
// Junctions and symbolic links are reparse points; their kind is what they lead to.
#include "platform/FolderEntries.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>

namespace glyphora {

namespace {

// Closes a search or file handle on every path out of the function that opened it.
template <BOOL(WINAPI* Close)(HANDLE)>
class ScopedHandle {
public:
    explicit ScopedHandle(HANDLE h) : h_(h) {}
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    ~ScopedHandle()
    {
        if (h_ != INVALID_HANDLE_VALUE) Close(h_);
    }
    HANDLE get() const { return h_; }

private:
    HANDLE h_;
};
using FindHandle = ScopedHandle<::FindClose>;
using FileHandle = ScopedHandle<::CloseHandle>;

// Attributes of what a path leads to (reparse points followed), or INVALID_FILE_ATTRIBUTES.
DWORD TargetAttributes(const std::filesystem::path& path)
{
    FileHandle file(::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) return INVALID_FILE_ATTRIBUTES;
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(file.get(), &info)) return INVALID_FILE_ATTRIBUTES;
    return info.dwFileAttributes;
}

EntryKind KindOfAttributes(DWORD attributes)
{
    if (attributes == INVALID_FILE_ATTRIBUTES) return EntryKind::Other;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return EntryKind::Folder;
    if (attributes & FILE_ATTRIBUTE_DEVICE) return EntryKind::Other;
    return EntryKind::File;
}

} // namespace

std::optional<std::vector<FolderEntry>> ListFolder(const std::filesystem::path& folder)
{
    const std::filesystem::path pattern = folder / L"*";
    WIN32_FIND_DATAW data{};
    FindHandle find(::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                       FIND_FIRST_EX_LARGE_FETCH));
    if (find.get() == INVALID_HANDLE_VALUE) return std::nullopt;

    std::vector<FolderEntry> entries;
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        FolderEntry entry;
        entry.name = name;
        entry.hidden = (data.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
        entry.link = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        entry.kind = KindOfAttributes(entry.link ? TargetAttributes(folder / name) : data.dwFileAttributes);
        entries.push_back(std::move(entry));
    } while (::FindNextFileW(find.get(), &data));
    std::sort(entries.begin(), entries.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.name.native() < b.name.native(); });
    return entries;
}

std::optional<FolderIdentity> IdentifyFolder(const std::filesystem::path& folder)
{
    FileHandle file(::CreateFileW(folder.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(file.get(), &info) || !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    return FolderIdentity{info.dwVolumeSerialNumber,
                          (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

bool FolderMayHaveSubfolders(const std::filesystem::path& folder)
{
    // Windows keeps no subfolder count; only a folder that cannot be reached certainly has none.
    const DWORD attributes = ::GetFileAttributesW(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

} // namespace glyphora
