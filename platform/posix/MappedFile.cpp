// POSIX mapping of a file as read-only private memory. The descriptor is closed right after
// mapping; the mapping itself keeps the file's pages reachable until the view is released.
#include "platform/MappedFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <limits>
#include <utility>

namespace glyphora {

namespace {

// Closes a descriptor on every path out of Open.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor()
    {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }

private:
    int fd_;
};

} // namespace

std::optional<MappedFile> MappedFile::Open(const std::filesystem::path& path)
{
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) return std::nullopt;

    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size <= 0)
        return std::nullopt;
    if (static_cast<std::uint64_t>(info.st_size) > std::numeric_limits<std::size_t>::max())
        return std::nullopt;

    const auto size = static_cast<std::size_t>(info.st_size);
    void* address = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd.get(), 0);
    if (address == MAP_FAILED) return std::nullopt;
    return MappedFile(address, size);
}

void MappedFile::release() noexcept
{
    if (address_ != nullptr) ::munmap(address_, size_);
    address_ = nullptr;
    size_ = 0;
}

} // namespace glyphora
