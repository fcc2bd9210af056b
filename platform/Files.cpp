// File-system services on top of std::filesystem; the messages are the system's own.
#include "platform/Files.h"

#include "platform/GlyphoraError.h"

#include <cerrno>
#include <cstring>
#include <fstream>
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
    std::error_code ec;
    fs::copy_file(source, dest, fs::copy_options::overwrite_existing, ec);
    return ec ? ec.message() : std::string{};
}

bool CreateFolder(const fs::path& path)
{
    std::error_code ec;
    fs::create_directory(path, ec);
    return DirectoryExists(path);
}


std::vector<std::uint8_t> ReadWholeFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) throw GlyphoraError("Cannot open '" + path.string() + "': " + std::strerror(errno));
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw GlyphoraError("Cannot read '" + path.string() + "'.");
    return bytes;
}

void WriteWholeFile(const fs::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) throw GlyphoraError("Cannot create '" + path.string() + "': " + std::strerror(errno));
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw GlyphoraError("Cannot write '" + path.string() + "': " + std::strerror(errno));
}

} // namespace glyphora
