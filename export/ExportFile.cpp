// A checked output file of the exports.
#include "export/ExportFile.h"

#include "platform/GlyphoraError.h"

#include <cerrno>
#include <cstring>

namespace glyphora {

ExportFile::ExportFile(const std::filesystem::path& path) : path_(path)
{
    errno = 0;
    stream_.open(path, std::ios::binary | std::ios::trunc | std::ios::out);
    if (!stream_) Fail("create");
}

void ExportFile::Fail(const char* what)
{
    const int err = errno;
    throw GlyphoraError(std::string("Cannot ") + what + " '" + path_.string() + "'" + (err ? std::string(": ") + std::strerror(err) : std::string(".")));
}

void ExportFile::Write(std::span<const std::uint8_t> bytes)
{
    errno = 0;
    stream_.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!stream_) Fail("write");
}

void ExportFile::Write(std::string_view text)
{
    Write(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

void ExportFile::WriteAt(std::uint64_t offset, std::span<const std::uint8_t> bytes)
{
    stream_.seekp(static_cast<std::streamoff>(offset));
    Write(bytes);
    stream_.seekp(0, std::ios::end);
    if (!stream_) Fail("write");
}

std::uint64_t ExportFile::Size()
{
    stream_.seekp(0, std::ios::end);
    const auto pos = stream_.tellp();
    if (pos < 0) Fail("write");
    return static_cast<std::uint64_t>(pos);
}

void ExportFile::Check()
{
    if (!stream_) Fail("write");
}

void ExportFile::Close()
{
    errno = 0;
    stream_.flush();
    if (!stream_) Fail("write");
    stream_.close();
    if (!stream_) Fail("close");
}

} // namespace glyphora
