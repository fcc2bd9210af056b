// POSIX side of the atomic output file: the temporary file is created with O_EXCL and
// O_NOFOLLOW (a name someone planted, file or link, is never opened), takes the mode of the
// file it replaces, and rename() puts it in place in one step; a synced commit adds fsync of
// the file and of its folder.
#include "platform/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <system_error>

namespace glyphora {

namespace fs = std::filesystem;

namespace {

constexpr int kCreateAttempts = 16;

std::string ReasonFor(int code)
{
    return std::system_category().message(code);
}

} // namespace

bool AtomicFile::openNative(std::string& message)
{
    struct stat existing {};
    const bool exists = ::stat(target_.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) {
        message = ReasonFor(EISDIR);
        return false;
    }
    if (exists && !S_ISREG(existing.st_mode)) {
        // A device or a pipe: there is no file to replace, the bytes go straight to it. A
        // by-name writer opens it itself (a pipe opened twice would end its reader's input).
        if (byName_) return true;
        const int fd = ::open(target_.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOCTTY);
        if (fd < 0) {
            message = ReasonFor(errno);
            return false;
        }
        handle_ = fd;
        return true;
    }
    for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
        const std::filesystem::path candidate = TemporaryPathFor(target_);
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0666);
        if (fd < 0 && errno == EEXIST) continue;
        if (fd < 0) {
            message = ReasonFor(errno);
            return false;
        }
        handle_ = fd;
        temporary_ = candidate;
        if (exists) ::fchmod(fd, existing.st_mode & 07777); // best effort: the new file looks like the old one
        return true;
    }
    message = ReasonFor(EEXIST);
    return false;
}

bool AtomicFile::writeNative(std::optional<std::uint64_t> offset, std::span<const std::uint8_t> bytes,
                             std::string& message)
{
    const int fd = static_cast<int>(handle_);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            offset ? ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(*offset + done))
                   : ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            message = ReasonFor(n < 0 ? errno : ENOSPC);
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool AtomicFile::flushNative(std::string& message)
{
    if (::fsync(static_cast<int>(handle_)) != 0 && errno != EINVAL) { // EINVAL: a pipe or device
        message = ReasonFor(errno);
        return false;
    }
    return true;
}

bool AtomicFile::closeNative(std::string& message)
{
    const int fd = static_cast<int>(handle_);
    handle_ = -1;
    if (fd < 0) return true;
    if (::close(fd) != 0 && errno != EINTR) {
        message = ReasonFor(errno);
        return false;
    }
    return true;
}

bool AtomicFile::replaceNative(std::string& message)
{
    if (std::rename(temporary_.c_str(), target_.c_str()) != 0) {
        message = ReasonFor(errno);
        return false;
    }
    temporary_.clear();
    return true;
}

// Makes the rename itself durable; a folder that cannot be synced is no reason to fail.
void AtomicFile::syncFolderNative() noexcept
{
    const fs::path folder = target_.parent_path();
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

void AtomicFile::removeTemporaryNative() noexcept
{
    if (temporary_.empty()) return;
    ::unlink(temporary_.c_str());
    temporary_.clear();
}

} // namespace glyphora
