// POSIX bounded reads: pread at the asked offset, never a mapping. A read that comes back
// short (the file was truncated meanwhile) fails rather than touching memory that is gone.
#include "platform/FileReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace glyphora {

std::unique_ptr<FileReader> FileReader::Open(const std::filesystem::path& path, std::string* errorText)
{
    auto fail = [errorText](const std::string& reason) {
        if (errorText) *errorText = reason;
        return nullptr;
    };
    if (path.empty()) return fail(std::system_category().message(ENOENT));
    // O_NONBLOCK: opening a pipe (or a device) must not wait for a writer before fstat can
    // turn it away; reads of a regular file are not affected by it.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return fail(std::system_category().message(errno));
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const int code = errno;
        ::close(fd);
        return fail(std::system_category().message(code));
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        return fail(S_ISDIR(info.st_mode) ? std::system_category().message(EISDIR) : std::string("not a regular file"));
    }
    return std::unique_ptr<FileReader>(new FileReader(fd, static_cast<std::uint64_t>(info.st_size)));
}

FileReader::~FileReader()
{
    ::close(static_cast<int>(handle_));
}

bool FileReader::read(std::uint64_t offset, std::span<std::uint8_t> into) const
{
    if (offset > size_ || into.size() > size_ - offset) return false;
    std::size_t done = 0;
    while (done < into.size()) {
        const ssize_t n = ::pread(static_cast<int>(handle_), into.data() + done, into.size() - done,
                                  static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false; // an error, or the end of a file that has shrunk
        done += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace glyphora
