// File-system services on top of std::filesystem; the messages are the system's own.
#include "platform/Files.h"

#include "platform/AtomicFile.h"
#include "platform/FileReader.h"
#include "platform/GlyphoraError.h"

#include <algorithm>
#include <system_error>

namespace glyphora {

namespace fs = std::filesystem;

bool FileExists(const fs::path& path)
{
    std::error_code ec;
    return !path.empty() && fs::is_regular_file(path, ec);
}

bool DirectoryExists(const fs::path& path)
{
    std::error_code ec;
    return !path.empty() && fs::is_directory(path, ec);
}

std::string CopyFileReplace(const fs::path& source, const fs::path& dest)
{
    std::string reason;
    const auto reader = FileReader::Open(source, &reason);
    if (!reader) return reason;
    AtomicFile out(dest);
    constexpr std::uint64_t kChunk = 1u << 20;
    std::vector<std::uint8_t> buffer(static_cast<std::size_t>(std::min(kChunk, reader->size())));
    for (std::uint64_t at = 0; at < reader->size(); at += kChunk) {
        const std::span<std::uint8_t> part(buffer.data(),
                                           static_cast<std::size_t>(std::min(kChunk, reader->size() - at)));
        if (!reader->read(at, part)) return "the file changed while it was copied";
        if (!out.Write(part)) return out.SystemMessage();
    }
    if (!out.Commit()) return out.SystemMessage();
    return {};
}

bool CreateFolder(const fs::path& path)
{
    std::error_code ec;
    fs::create_directory(path, ec);
    return DirectoryExists(path);
}

std::vector<std::uint8_t> ReadWholeFile(const fs::path& path)
{
    std::string reason;
    auto bytes = ReadFileBytes(path, UINT64_MAX, &reason);
    if (!bytes) throw GlyphoraError("Cannot read '" + path.string() + "': " + reason);
    return std::move(*bytes);
}

void WriteWholeFile(const fs::path& path, const std::vector<std::uint8_t>& bytes, FreeSpaceLimit* space)
{
    WriteFileAtomically(path, bytes, Durability::Normal, space);
}

} // namespace glyphora
