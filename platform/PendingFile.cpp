// A private file beside its target, which replaces it when complete.
#include "platform/PendingFile.h"

#include "platform/AtomicFile.h"
#include "platform/GlyphoraError.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <vector>
#include <string>
#include <system_error>

namespace glyphora {

namespace fs = std::filesystem;

PendingFile::PendingFile(const fs::path& target) : target_(target)
{
    std::random_device random;
    int error = 0;
    for (int attempt = 0; attempt < 64; ++attempt) {
        char suffix[24];
        std::snprintf(suffix, sizeof suffix, ".%08x.part", static_cast<unsigned>(random()));
        fs::path candidate = target;
        candidate += suffix;
        errno = 0;
        // "x": created exclusively, never a file that is already there.
        if (std::FILE* file = std::fopen(candidate.string().c_str(), "wbx")) {
            std::fclose(file);
            temp_ = candidate;
            return;
        }
        error = errno;
        if (error != EEXIST) break;
    }
    throw GlyphoraError("Cannot create '" + target.string() + "'" +
                        (error ? std::string(": ") + std::strerror(error) : std::string(".")));
}

PendingFile::~PendingFile()
{
    if (temp_.empty()) return;
    std::error_code ignored;
    fs::remove(temp_, ignored);
}

void PendingFile::Commit()
{
    std::ifstream in(temp_, std::ios::binary | std::ios::ate);
    const std::streamoff size = in ? static_cast<std::streamoff>(in.tellg()) : -1;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size > 0 ? size : 0));
    if (size >= 0) {
        in.seekg(0);
        in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    if (size < 0 || !in)
        throw GlyphoraError("Cannot read back '" + temp_.string() + "' to write '" + target_.string() + "'.");
    in.close();
    WriteFileAtomically(target_, bytes);
}

} // namespace glyphora
