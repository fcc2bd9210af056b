// Unbuffered C stdio underneath, so that a write that does not reach the system is seen at
// the write that caused it and not at some later flush.
#include "platform/OutputFile.h"

#include <cerrno>
#include <system_error>

namespace glyphora {

OutputFile::OutputFile(const std::filesystem::path& path)
{
    if (path.empty()) return;
    errno = 0;
#ifdef _WIN32
    file_.reset(::_wfopen(path.c_str(), L"wb"));
#else
    file_.reset(std::fopen(path.c_str(), "wb"));
#endif
    if (!file_) {
        RecordError();
        return;
    }
    std::setvbuf(file_.get(), nullptr, _IONBF, 0);
}

void OutputFile::RecordError()
{
    failed_ = true;
    const int code = errno;
    errorText_ = code != 0 ? std::system_category().message(code) : std::string("Unknown write error.");
}

std::size_t OutputFile::Write(std::span<const std::uint8_t> bytes)
{
    if (!file_) return 0;
    if (bytes.empty()) return 0;
    errno = 0;
    const std::size_t written = std::fwrite(bytes.data(), 1, bytes.size(), file_.get());
    if (written < bytes.size() && std::ferror(file_.get()) != 0) RecordError();
    return written;
}

bool OutputFile::Close()
{
    if (!file_) return true;
    errno = 0;
    const int rc = std::fclose(file_.release());
    if (rc != 0) RecordError();
    return rc == 0;
}

} // namespace glyphora
