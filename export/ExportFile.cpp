// A checked, atomically replaced output file of the exports.
#include "export/ExportFile.h"

namespace glyphora {

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

} // namespace

ExportFile::Buffer::Buffer(AtomicFile& file) : file_(file), space_(kBufferSize)
{
    setp(space_.data(), space_.data() + space_.size());
}

bool ExportFile::Buffer::Drain()
{
    const auto used = static_cast<std::size_t>(pptr() - pbase());
    setp(space_.data(), space_.data() + space_.size());
    if (used == 0) return !file_.Failed();
    return file_.Write(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(space_.data()), used));
}

ExportFile::Buffer::int_type ExportFile::Buffer::overflow(int_type c)
{
    if (!Drain()) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

int ExportFile::Buffer::sync()
{
    return Drain() ? 0 : -1;
}

ExportFile::ExportFile(const std::filesystem::path& path, FreeSpaceLimit* space)
    : file_(path, Durability::Normal, space), buffer_(file_), stream_(&buffer_)
{
    if (!file_.IsOpen()) Fail();
}

void ExportFile::Fail()
{
    file_.Raise();
}

void ExportFile::Write(std::span<const std::uint8_t> bytes)
{
    stream_.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    Check();
}

void ExportFile::Write(std::string_view text)
{
    Write(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

void ExportFile::WriteAt(std::uint64_t offset, std::span<const std::uint8_t> bytes)
{
    Flush();
    if (!file_.WriteAt(offset, bytes)) Fail();
}

std::uint64_t ExportFile::Size()
{
    Flush();
    return file_.Size();
}

void ExportFile::Check()
{
    if (!stream_ || file_.Failed()) Fail();
}

void ExportFile::Flush()
{
    stream_.flush();
    Check();
}

void ExportFile::Close()
{
    Flush();
    if (!file_.Commit()) Fail();
}

} // namespace glyphora
