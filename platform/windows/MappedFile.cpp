// Windows mapping of a file as a read-only view. The file and mapping handles are closed
// right after mapping; the view keeps the file's pages reachable until it is released.
#include "platform/MappedFile.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <utility>

namespace glyphora {

namespace {

// Closes a handle on every path out of Open.
class Handle {
public:
    explicit Handle(HANDLE h) : h_(h) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle()
    {
        if (h_ != nullptr && h_ != INVALID_HANDLE_VALUE) ::CloseHandle(h_);
    }
    HANDLE get() const { return h_; }
    bool valid() const { return h_ != nullptr && h_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE h_;
};

} // namespace

std::optional<MappedFile> MappedFile::Open(const std::filesystem::path& path)
{
    Handle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(file.get(), &info) || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    const std::uint64_t size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    if (size == 0 || size > static_cast<std::uint64_t>(SIZE_MAX)) return std::nullopt;

    Handle mapping(::CreateFileMappingW(file.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
    if (!mapping.valid()) return std::nullopt;
    void* address = ::MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0);
    if (address == nullptr) return std::nullopt;
    return MappedFile(address, static_cast<std::size_t>(size));
}

void MappedFile::release() noexcept
{
    if (address_ != nullptr) ::UnmapViewOfFile(address_);
    address_ = nullptr;
    size_ = 0;
}

} // namespace glyphora
