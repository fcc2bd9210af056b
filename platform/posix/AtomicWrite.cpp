// Atomic file replacement on POSIX systems: open(O_EXCL) for a temporary name of our own,
// write, fsync, rename(2) over the target, fsync of the folder.
#include "platform/AtomicWrite.h"

#include "platform/GlyphoraError.h"

#include <cerrno>
#include <fcntl.h>
#include <random>
#include <string>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace glyphora {

namespace {

std::string SystemMessage(int code)
{
    return std::system_category().message(code);
}

[[noreturn]] void Fail(const std::filesystem::path& target, const std::string& what, int code)
{
    throw GlyphoraError("Cannot write '" + target.string() + "': " + what + ": " + SystemMessage(code));
}

// The temporary file: created exclusively under a fresh name beside the target, removed by
// the destructor unless it has been renamed over the target.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::filesystem::path& target)
    {
        std::random_device random;
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::filesystem::path candidate = target;
            candidate.replace_filename("." + target.filename().string() + "." + std::to_string(random()) + ".tmp");
            const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd >= 0) {
                fd_ = fd;
                path_ = std::move(candidate);
                return;
            }
            if (errno != EEXIST) Fail(target, "cannot create a temporary file", errno);
        }
        Fail(target, "cannot create a temporary file", EEXIST);
    }
    ~TemporaryFile()
    {
        if (fd_ >= 0) ::close(fd_);
        if (!path_.empty()) ::unlink(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int Descriptor() const { return fd_; }
    const std::filesystem::path& Path() const { return path_; }

    // Closes the descriptor; false (errno set) when closing reports a failure.
    bool Close()
    {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }
    // After a successful rename nothing is left to remove.
    void Release() { path_.clear(); }

private:
    int fd_ = -1;
    std::filesystem::path path_;
};

void WriteAll(int fd, std::span<const std::uint8_t> bytes, const std::filesystem::path& target)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            Fail(target, "write failed", errno);
        }
        if (n == 0) Fail(target, "write failed", EIO);
        bytes = bytes.subspan(static_cast<std::size_t>(n));
    }
}

// Makes the rename itself durable; a folder that cannot be synced is no reason to fail.
void SyncFolder(const std::filesystem::path& folder)
{
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

void WriteFileAtomically(const std::filesystem::path& target, std::span<const std::uint8_t> bytes)
{
    if (target.filename().empty()) throw GlyphoraError("Cannot write '" + target.string() + "': no file name.");
    TemporaryFile temp(target);
    WriteAll(temp.Descriptor(), bytes, target);

    struct stat old {};
    if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        ::fchmod(temp.Descriptor(), old.st_mode & 07777);

    if (::fsync(temp.Descriptor()) != 0) Fail(target, "flush failed", errno);
    if (!temp.Close()) Fail(target, "close failed", errno);
    if (::rename(temp.Path().c_str(), target.c_str()) != 0) Fail(target, "cannot replace the file", errno);
    temp.Release();
    SyncFolder(target.parent_path());
}

} // namespace glyphora
