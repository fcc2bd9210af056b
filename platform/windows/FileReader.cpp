// Windows bounded reads: ReadFile at an explicit offset (OVERLAPPED on a synchronous handle),
// never a mapped view. Other programs may still write, rename or delete the file meanwhile;
// a read that comes back short fails.
#include "platform/FileReader.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "platform/windows/SystemReason.h"

#include <algorithm>

namespace glyphora {

std::unique_ptr<FileReader> FileReader::Open(const std::filesystem::path& path, std::string* errorText)
{
    auto fail = [errorText](DWORD code) {
        if (errorText) *errorText = code == ERROR_DIRECTORY ? IsAFolderReason() : SystemReason(code);
        return nullptr;
    };
    if (path.empty()) return fail(ERROR_FILE_NOT_FOUND);
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD code = ::GetLastError();
        // A folder cannot be opened as a file at all; say so rather than "access denied".
        const DWORD attributes = ::GetFileAttributesW(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            return fail(ERROR_DIRECTORY);
        return fail(code);
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(file, &info) || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
        ::GetFileType(file) != FILE_TYPE_DISK) {
        const DWORD code = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? ERROR_DIRECTORY : ::GetLastError();
        ::CloseHandle(file);
        return fail(code == 0 ? ERROR_INVALID_FUNCTION : code);
    }
    const std::uint64_t size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    return std::unique_ptr<FileReader>(new FileReader(reinterpret_cast<std::intptr_t>(file), size));
}

FileReader::~FileReader()
{
    ::CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

bool FileReader::read(std::uint64_t offset, std::span<std::uint8_t> into) const
{
    if (offset > size_ || into.size() > size_ - offset) return false;
    std::size_t done = 0;
    while (done < into.size()) {
        const std::uint64_t at = offset + done;
        OVERLAPPED position{};
        position.Offset = static_cast<DWORD>(at);
        position.OffsetHigh = static_cast<DWORD>(at >> 32);
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(into.size() - done, 1u << 30));
        DWORD got = 0;
        if (!::ReadFile(reinterpret_cast<HANDLE>(handle_), into.data() + done, chunk, &got, &position) || got == 0)
            return false;
        done += got;
    }
    return true;
}

} // namespace glyphora
